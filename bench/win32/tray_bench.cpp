// Time from process start to the notification-area icon, for netbell.exe and
// for a program that only adds an icon, run alternately in one session; the
// medians and their ratio are printed.
//
// The icon is seen from outside through Wine: with no tray on the X display
// (a bare Xvfb) Wine's explorer shows its own tray window, and every icon is
// one child window of it, created while the program's Shell_NotifyIcon call
// is being answered. Polling the number of those children every millisecond
// gives the moment the icon is added.
//
// The bench keeps an icon of its own in the tray for the whole run, as a
// desktop always has some: Wine hides its tray window when the last icon
// goes, and on a display without a window manager every hide stalls for two
// seconds.
//
// Usage: tray_bench <netbell.exe> <tray_minimal.exe> [runs]
#include <windows.h>
#include <mmsystem.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr DWORD kIconLimitMs = 20000;

struct Program {
    const char* label;
    std::string exe;
    std::string dir;
    bool bNetbell;
};

struct Sample {
    double windowMs = -1;  // first top-level window of the process
    double iconMs = -1;    // icon added
    std::string problem;
};

BOOL CALLBACK CountIcons(HWND hwnd, LPARAM lParam)
{
    char cls[64] = "";
    GetClassNameA(hwnd, cls, sizeof(cls));
    if (lstrcmpA(cls, "__winex11_tray_icon") == 0)
        ++*reinterpret_cast<int*>(lParam);
    return TRUE;
}

int TrayIconCount()
{
    int count = 0;
    for (HWND tray = FindWindowExA(nullptr, nullptr, "__winex11_standalone_tray", nullptr); tray;
         tray = FindWindowExA(nullptr, tray, "__winex11_standalone_tray", nullptr))
        EnumChildWindows(tray, CountIcons, reinterpret_cast<LPARAM>(&count));
    return count;
}

struct WindowQuery {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindows(HWND hwnd, LPARAM lParam)
{
    auto* q = reinterpret_cast<WindowQuery*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    // Wine gives every GUI thread an "IME" window; it says nothing.
    char cls[64] = "";
    GetClassNameA(hwnd, cls, sizeof(cls));
    if (pid == q->pid && lstrcmpA(cls, "IME") != 0)
        q->found.push_back(hwnd);
    return TRUE;
}

std::vector<HWND> WindowsOf(DWORD pid)
{
    WindowQuery q{pid, {}};
    EnumWindows(CollectWindows, reinterpret_cast<LPARAM>(&q));
    return q.found;
}

std::string ClassOf(HWND hwnd)
{
    char cls[256] = "";
    GetClassNameA(hwnd, cls, sizeof(cls));
    return cls;
}

double Elapsed(const LARGE_INTEGER& from, const LARGE_INTEGER& freq)
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart - from.QuadPart) / static_cast<double>(freq.QuadPart);
}

// Ends the program the way a user would, so its icon leaves the tray: Exit
// for Netbell, WM_CLOSE for anything else; terminated if that fails.
void EndProgram(const Program& prog, HANDLE hProcess, DWORD pid)
{
    for (HWND hwnd : WindowsOf(pid)) {
        if (prog.bNetbell && ClassOf(hwnd) == "NetbellMainFrame")
            PostMessageA(hwnd, WM_COMMAND, 32771, 0);
        else if (!prog.bNetbell || ClassOf(hwnd) != "#32770")
            PostMessageA(hwnd, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(hProcess, 1);
        WaitForSingleObject(hProcess, 10000);
    }
}

Sample RunOnce(const Program& prog, DWORD iconLimitMs)
{
    Sample s;
    const int base = TrayIconCount();
    LARGE_INTEGER freq, t0;
    QueryPerformanceFrequency(&freq);
    std::string cmd = "\"" + prog.exe + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    QueryPerformanceCounter(&t0);
    if (!CreateProcessA(prog.exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, prog.dir.c_str(), &si,
                        &pi)) {
        s.problem = "CreateProcess failed";
        return s;
    }
    CloseHandle(pi.hThread);
    for (;;) {
        const double t = Elapsed(t0, freq);
        if (s.windowMs < 0 && !WindowsOf(pi.dwProcessId).empty())
            s.windowMs = t;
        if (TrayIconCount() > base) {
            s.iconMs = t;
            break;
        }
        if (WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) {
            s.problem = "ended before adding an icon";
            break;
        }
        if (t > iconLimitMs) {
            s.problem = "no icon within " + std::to_string(iconLimitMs / 1000) + " s";
            break;
        }
        for (HWND hwnd : WindowsOf(pi.dwProcessId)) {
            if (ClassOf(hwnd) == "#32770" && IsWindowVisible(hwnd)) {
                char caption[256] = "";
                GetWindowTextA(hwnd, caption, sizeof(caption));
                s.problem = std::string("stopped at the dialog \"") + caption + "\"";
            }
        }
        if (!s.problem.empty())
            break;
        Sleep(1);
    }
    EndProgram(prog, pi.hProcess, pi.dwProcessId);
    CloseHandle(pi.hProcess);
    // The next run counts from an empty tray again.
    for (int i = 0; i < 500 && TrayIconCount() > base; ++i)
        Sleep(10);
    return s;
}

double Median(std::vector<double> v)
{
    if (v.empty())
        return -1;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

bool SetString(const std::string& path, const char* name, const char* value)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const bool ok = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                                   static_cast<DWORD>(lstrlenA(value) + 1)) == ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
}

// Wine leaves windows to the window manager unless told not to; with none
// on the display, each hide would wait two seconds for it.
void SetUnmanaged(const char* exeName, bool unmanaged)
{
    const std::string path = std::string("Software\\Wine\\AppDefaults\\") + exeName + "\\X11 Driver";
    if (unmanaged)
        SetString(path, "Managed", "N");
    else
        RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
}

void RemoveFolder(const std::string& dir)
{
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA((dir + "\\" + fd.cFileName).c_str());
        } while (FindNextFileA(find, &fd));
        FindClose(find);
    }
    RemoveDirectoryA(dir.c_str());
}

void DeleteValue(const std::string& path, const char* name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(key, name);
    RegCloseKey(key);
}

// Netbell as a returning user runs it: no first-run question, user details
// present, a system it does not question, an (empty) data file.
void PrepareNetbell(const std::string& dir)
{
    const std::string settings = "Software\\Corvane\\Netbell\\Settings";
    SetString(settings, "Initialise", "Manual");
    SetString(settings, "Name", "Bench");
    SetString(settings, "Email", "bench@example.com");
    SetString("Software\\Wine\\AppDefaults\\netbell.exe", "Version", "nt40");
    HANDLE f = CreateFileA((dir + "\\Default.nbl").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f != INVALID_HANDLE_VALUE) {
        const char empty[6] = {};
        DWORD done = 0;
        WriteFile(f, empty, sizeof(empty), &done, nullptr);
        CloseHandle(f);
    }
}

void Report(const char* label, const std::vector<Sample>& samples, double* iconMedian, double* windowMedian)
{
    std::vector<double> icons, windows;
    std::string problem;
    for (const auto& s : samples) {
        if (s.iconMs >= 0)
            icons.push_back(s.iconMs);
        if (s.windowMs >= 0)
            windows.push_back(s.windowMs);
        if (!s.problem.empty())
            problem = s.problem;
    }
    *iconMedian = icons.size() == samples.size() ? Median(icons) : -1;
    *windowMedian = Median(windows);
    printf("%-16s runs %zu  first window median %8.1f ms  icon median ", label, samples.size(), *windowMedian);
    if (*iconMedian >= 0)
        printf("%8.1f ms  (", *iconMedian);
    else
        printf("     n/a    (%s; ", problem.c_str());
    for (size_t i = 0; i < samples.size(); ++i)
        printf("%s%.0f", i ? " " : "", samples[i].iconMs);
    printf(")\n");
}

// The bench's own icon, for as long as the object lives.
class CAnchorIcon {
public:
    CAnchorIcon()
    {
        // A message-only window: no broadcast reaches it, so it needs no
        // message loop, and the icon has no callback to send it.
        m_nid.cbSize = sizeof(m_nid);
        m_nid.hWnd = CreateWindowExA(0, "STATIC", "tray bench", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        m_nid.uID = 1;
        m_nid.uFlags = NIF_ICON | NIF_TIP;
        m_nid.hIcon = LoadIcon(nullptr, IDI_INFORMATION);
        lstrcpyA(m_nid.szTip, "tray bench");
        m_bAdded = m_nid.hWnd && Shell_NotifyIconA(NIM_ADD, &m_nid);
    }
    ~CAnchorIcon()
    {
        if (m_bAdded)
            Shell_NotifyIconA(NIM_DELETE, &m_nid);
        if (m_nid.hWnd)
            DestroyWindow(m_nid.hWnd);
    }
    CAnchorIcon(const CAnchorIcon&) = delete;
    CAnchorIcon& operator=(const CAnchorIcon&) = delete;

private:
    NOTIFYICONDATAA m_nid = {};
    bool m_bAdded = false;
};

// The bench's folder and settings, removed again on every path.
class CBenchSetup {
public:
    explicit CBenchSetup(std::string dir) : m_dir(std::move(dir))
    {
        CreateDirectoryA(m_dir.c_str(), nullptr);
        SetUnmanaged("netbell.exe", true);
        SetUnmanaged("tray_minimal.exe", true);
    }
    ~CBenchSetup()
    {
        RemoveFolder(m_dir);
        SetUnmanaged("netbell.exe", false);
        SetUnmanaged("tray_minimal.exe", false);
        const std::string app = "Software\\Corvane\\Netbell\\Settings";
        DeleteValue(app, "Initialise");
        DeleteValue(app, "Name");
        DeleteValue(app, "Email");
        DeleteValue("Software\\Wine\\AppDefaults\\netbell.exe", "Version");
    }
    CBenchSetup(const CBenchSetup&) = delete;
    CBenchSetup& operator=(const CBenchSetup&) = delete;

private:
    std::string m_dir;
};

int Bench(const char* netbellExe, const char* minimalExe, int runs)
{
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    const std::string dir = std::string(temp) + "netbell-tray-bench-" + std::to_string(GetCurrentProcessId());
    const CBenchSetup setup(dir);
    Program netbell{"netbell.exe", dir + "\\netbell.exe", dir, true};
    Program minimal{"tray_minimal.exe", dir + "\\tray_minimal.exe", dir, false};
    if (!CopyFileA(netbellExe, netbell.exe.c_str(), FALSE) || !CopyFileA(minimalExe, minimal.exe.c_str(), FALSE)) {
        fprintf(stderr, "tray_bench: cannot copy the programs into %s\n", dir.c_str());
        return 1;
    }
    PrepareNetbell(dir);
    const CAnchorIcon anchor;
    if (TrayIconCount() < 1) {
        fprintf(stderr, "tray_bench: no Wine tray window to watch (an X tray on this display?); nothing measured\n");
        return 1;
    }

    // A Netbell already running in this Wine session would make ours end
    // at once by the single-instance rule.
    if (HANDLE running = OpenEventA(SYNCHRONIZE, FALSE, "CvnNetbell101")) {
        CloseHandle(running);
        fprintf(stderr, "tray_bench: a Netbell is already running in this Wine session; nothing measured\n");
        return 1;
    }

    timeBeginPeriod(1);
    // One unmeasured run each: the first start of a program warms the file
    // cache and Wine's own start-up paths.
    RunOnce(minimal, kIconLimitMs);
    const Sample probe = RunOnce(netbell, kIconLimitMs / 2);
    const bool bNetbellIcon = probe.iconMs >= 0;
    if (!bNetbellIcon)
        printf("note: netbell.exe added no icon (%s); only its first window is timed\n", probe.problem.c_str());

    std::vector<Sample> a, b;
    for (int i = 0; i < runs; ++i) {
        a.push_back(RunOnce(minimal, kIconLimitMs));
        // Without an icon the first window is all there is to time; a short
        // limit keeps those runs brief.
        b.push_back(RunOnce(netbell, bNetbellIcon ? kIconLimitMs : 3000));
    }
    timeEndPeriod(1);

    double aIcon, aWindow, bIcon, bWindow;
    Report(minimal.label, a, &aIcon, &aWindow);
    Report(netbell.label, b, &bIcon, &bWindow);
    if (aIcon > 0 && bIcon > 0)
        printf("tray icon ratio (netbell / minimal): %.2f\n", bIcon / aIcon);
    else
        printf("tray icon ratio (netbell / minimal): n/a\n");
    if (aWindow > 0 && bWindow > 0)
        printf("first window ratio (netbell / minimal): %.2f\n", bWindow / aWindow);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: tray_bench <netbell.exe> <tray_minimal.exe> [runs]\n");
        return 2;
    }
    return Bench(argv[1], argv[2], argc > 3 ? std::max(1, atoi(argv[3])) : 15);
}
