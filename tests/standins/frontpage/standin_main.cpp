// A stand-in for FrontPage's two automation servers, for tests only: a
// local server that COM starts for "FrontPage.Explorer.2.0" and
// "FrontPage.ToDoList.2.0", answering from a state file and logging every
// call. While it runs it owns a window of class "FrontPageExplorerWindow".
//
//   frontpage_standin.exe /RegServer [version]  registers it (Wine only);
//                          version is the CURVER text, "FrontPage.Explorer.2.0"
//   frontpage_standin.exe /UnregServer          removes every key it wrote
//   frontpage_standin.exe                       runs until its window closes,
//                          as an Explorer the user started
//
// The state and log files are named by NETBELL_FP_STATE and NETBELL_FP_LOG,
// or, when the server's environment lacks them, by the values "State" and
// "Log" of HKEY_CURRENT_USER\Software\NetbellTest\FrontPageStandIn.
#include <windows.h>
#include <objbase.h>
#include <shlwapi.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "standin_objects.h"

namespace {

constexpr const char* kWindowClass = "FrontPageExplorerWindow";
constexpr const char* kSettingsKey = "Software\\NetbellTest\\FrontPageStandIn";
constexpr UINT_PTR kStartTimer = 2;
constexpr UINT kStartTimeoutMs = 60000;

std::string FromEnvironmentOrRegistry(const char* variable, const char* value)
{
    char buf[MAX_PATH * 2] = {};
    const DWORD n = GetEnvironmentVariableA(variable, buf, sizeof buf);
    if (n > 0 && n < sizeof buf)
        return buf;
    DWORD cb = sizeof buf;
    if (SHGetValueA(HKEY_CURRENT_USER, kSettingsKey, value, nullptr, buf, &cb) == ERROR_SUCCESS)
        return buf;
    return std::string();
}

bool RunningUnderWine()
{
    HMODULE hNtdll = GetModuleHandleA("ntdll.dll");
    return hNtdll && GetProcAddress(hNtdll, "wine_get_version");
}

std::string GuidText(const CLSID& clsid)
{
    wchar_t wide[64] = {};
    StringFromGUID2(clsid, wide, 64);
    char text[64] = {};
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    return text;
}

bool SetDefault(const std::string& key, const std::string& text)
{
    return SHSetValueA(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, text.c_str(),
                       static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

int Register(const std::string& version)
{
    // Never on a real system: a real FrontPage's keys would be overwritten.
    if (!RunningUnderWine())
        return 3;
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string explorer = GuidText(CLSID_StandInExplorer);
    const std::string toDoList = GuidText(CLSID_StandInToDoList);
    bool bOk = SetDefault("CLSID\\" + explorer, "FrontPage Explorer stand-in") &&
               SetDefault("CLSID\\" + explorer + "\\LocalServer32", path) &&
               SetDefault("CLSID\\" + explorer + "\\ProgID", "FrontPage.Explorer.2.0") &&
               SetDefault("CLSID\\" + toDoList, "FrontPage To-Do List stand-in") &&
               SetDefault("CLSID\\" + toDoList + "\\LocalServer32", path) &&
               SetDefault("CLSID\\" + toDoList + "\\ProgID", "FrontPage.ToDoList.2.0") &&
               SetDefault("FrontPage.Explorer.2.0\\CLSID", explorer) &&
               SetDefault("FrontPage.ToDoList.2.0\\CLSID", toDoList) &&
               SetDefault("FrontPage.Explorer\\CLSID", explorer) &&
               SetDefault("FrontPage.Explorer\\CURVER", version) &&
               SetDefault("FrontPage.ToDoList\\CLSID", toDoList) &&
               SetDefault("FrontPage.ToDoList\\CURVER", "FrontPage.ToDoList.2.0");
    return bOk ? 0 : 1;
}

int Unregister()
{
    for (const std::string& key : {"CLSID\\" + GuidText(CLSID_StandInExplorer), "CLSID\\" + GuidText(CLSID_StandInToDoList),
                                   std::string("FrontPage.Explorer.2.0"), std::string("FrontPage.ToDoList.2.0"),
                                   std::string("FrontPage.Explorer"), std::string("FrontPage.ToDoList")})
        SHDeleteKeyA(HKEY_CLASSES_ROOT, key.c_str());
    return 0;
}

LRESULT CALLBACK ExplorerWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_TIMER:
        // Nothing was created in time, or the linger after the last
        // release is over.
        KillTimer(hwnd, wParam);
        EndServerWhenIdle(true);
        return 0;
    case WM_CLOSE:
        Process().bStayRunning = false;
        RevokeFactories();
        PostQuitMessage(0);
        return 0;
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

bool HasSwitch(const char* cmdLine, const char* name)
{
    const size_t n = std::strlen(name);
    for (const char* p = cmdLine; *p; ++p) {
        if ((*p == '/' || *p == '-') && _strnicmp(p + 1, name, n) == 0)
            return true;
    }
    return false;
}

// The text after a switch, up to the end of the line, spaces trimmed.
std::string SwitchArgument(const char* cmdLine, const char* name)
{
    const size_t n = std::strlen(name);
    for (const char* p = cmdLine; *p; ++p) {
        if ((*p == '/' || *p == '-') && _strnicmp(p + 1, name, n) == 0) {
            std::string rest = p + 1 + n;
            rest.erase(0, rest.find_first_not_of(' '));
            rest.erase(rest.find_last_not_of(' ') + 1);
            return rest;
        }
    }
    return std::string();
}

} // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int)
{
    const char* cmdLine = lpCmdLine ? lpCmdLine : "";
    if (HasSwitch(cmdLine, "RegServer")) {
        const std::string version = SwitchArgument(cmdLine, "RegServer");
        return Register(version.empty() ? "FrontPage.Explorer.2.0" : version);
    }
    if (HasSwitch(cmdLine, "UnregServer"))
        return Unregister();

    StandInProcess& process = Process();
    process.statePath = FromEnvironmentOrRegistry("NETBELL_FP_STATE", "State");
    process.logPath = FromEnvironmentOrRegistry("NETBELL_FP_LOG", "Log");
    process.bStayRunning = !HasSwitch(cmdLine, "Embedding");

    if (FAILED(CoInitialize(nullptr)))
        return 2;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ExplorerWindowProc;
    wc.hInstance = hInstance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    wc.lpszClassName = kWindowClass;
    RegisterClassA(&wc);
    process.hwndExplorer = CreateWindowExA(0, kWindowClass, "FrontPage Explorer (stand-in)", WS_OVERLAPPEDWINDOW,
                                           40, 40, 480, 320, nullptr, nullptr, hInstance, nullptr);
    Log(std::string("server started") + (process.bStayRunning ? " by hand" : " by COM"));
    if (process.bStayRunning)
        ShowWindow(process.hwndExplorer, SW_SHOWNORMAL);
    if (!RegisterFactories()) {
        Log("server could not register its class objects");
        DestroyWindow(process.hwndExplorer);
        CoUninitialize();
        return 1;
    }
    if (!process.bStayRunning)
        SetTimer(process.hwndExplorer, kStartTimer, kStartTimeoutMs, nullptr);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    RevokeFactories();
    DestroyWindow(process.hwndExplorer);
    Log("server ended");
    CoUninitialize();
    return 0;
}
