#include "app/win32/app.h"

#include <commctrl.h>
#include <ole2.h>

#include <cstdio>

#include "app/command_line.h"
#include "app/win32/main_frame.h"
#include "base/win32/system_proc.h"
#include "base/win32/text_win32.h"
#include "base/win32/thread_messages.h"
#include "monitor/win32/connection_monitor.h"

namespace {

CNetbellApp* g_pApp = nullptr;

// Worker threads that do not end in this time are left to the end of the
// process rather than hanging Exit.
constexpr DWORD kJoinTimeout = 15000;

// The application key under HKEY_CURRENT_USER.
constexpr const char* kAppKey = "Software\\Corvane\\Netbell";

class CEventGuard : public IGuardEvent {
public:
    bool IsSignalled() override { return WaitForSingleObject(g_hDialogFreeEvent, 0) == WAIT_OBJECT_0; }
    void Set() override { SetEvent(g_hDialogFreeEvent); }
    void Reset() override { ResetEvent(g_hDialogFreeEvent); }
};

OsVersion ReadOsVersion()
{
    OsVersion v;
    OSVERSIONINFO info = {};
    info.dwOSVersionInfoSize = sizeof info;
    if (GetVersionEx(&info)) {
        v.bKnown = true;
        v.bWin9x = info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
        v.nMajor = info.dwMajorVersion;
    }
    v.b64BitProgram = sizeof(void*) == 8;
    return v;
}

// Common controls 4.00 (Windows 95, NT 4) register every class at once and
// have no InitCommonControlsEx.
void InitCommonControlsOnAnyVersion()
{
    using InitExFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    const auto pfnInitEx = FindSystemProc<InitExFn>("comctl32.dll", "InitCommonControlsEx");
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS};
    if (!pfnInitEx || !pfnInitEx(&icc))
        InitCommonControls();
}

// The top-level window a message is for: a walk up the parents, as
// GetAncestor(GA_ROOT) does where it exists (Windows 98 and 2000 on).
HWND RootWindowOf(HWND hwnd)
{
    while (hwnd && (GetWindowLong(hwnd, GWL_STYLE) & WS_CHILD) != 0) {
        HWND hwndParent = GetParent(hwnd);
        if (!hwndParent)
            break;
        hwnd = hwndParent;
    }
    return hwnd;
}

BOOL CALLBACK DismissWindow(HWND hwnd, LPARAM)
{
    PostMessage(hwnd, WM_COMMAND, IDOK, 0);
    return TRUE;
}

std::string TimeStamp()
{
    SYSTEMTIME st;
    GetLocalTime(&st);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04u%02u%02u-%02u%02u%02u", st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute,
                  st.wSecond);
    return buf;
}

} // namespace

CNetbellApp& GetApp()
{
    return *g_pApp;
}

CDialogGuard& DialogGuard()
{
    return GetApp().Guard();
}

CNetbellApp::CNetbellApp()
    : m_doc(m_fileSystem, m_prompts),
      m_guardEvent(std::make_unique<CEventGuard>())
{
    g_pApp = this;
    m_guard = std::make_unique<CDialogGuard>(*m_guardEvent, m_prompts, [this] {
        if (m_pMainFrame && m_pMainFrame->GetSafeHwnd())
            SetForegroundWindow(m_pMainFrame->GetSafeHwnd());
    });
    InstallSystemTextPorts();
}

CNetbellApp::~CNetbellApp()
{
    ExitInstance();
    g_pApp = nullptr;
}

BOOL CNetbellApp::InitInstance(HINSTANCE hInstance, const char* lpCmdLine)
{
    m_hInstance = hInstance;
    m_dwMainThreadId = GetCurrentThreadId();
    TCHAR path[MAX_PATH] = {};
    GetModuleFileName(nullptr, path, MAX_PATH);
    m_strProgramPath = FromSys(path);

    if (!IsTestedSystem(ReadOsVersion()) && !ConfirmUntestedSystem(m_prompts))
        return FALSE;

    g_hInstanceEvent = CreateEvent(nullptr, FALSE, FALSE, TEXT("CvnNetbell101"));
    if (g_hInstanceEvent && GetLastError() == ERROR_ALREADY_EXISTS) {
        SetEvent(g_hInstanceEvent);
        CloseHandle(g_hInstanceEvent);
        g_hInstanceEvent = nullptr;
        return FALSE;
    }
    g_hQuitEvent = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    // Thread messages are caught in every message loop of this thread, the
    // modal ones included, and handed to the frame as window messages.
    m_hHook = SetWindowsHookEx(WH_GETMESSAGE, GetMessageHook, nullptr, m_dwMainThreadId);
    // Windows 95 creates no thread without a place for its id.
    DWORD dwWatcherThreadId = 0;
    m_hWatcherThread.Reset(CreateThread(nullptr, 0, InstanceWatchProc,
                                        reinterpret_cast<LPVOID>(static_cast<UINT_PTR>(m_dwMainThreadId)), 0,
                                        &dwWatcherThreadId));
    g_hDialogFreeEvent = CreateEvent(nullptr, TRUE, TRUE, nullptr);
    if (!g_hQuitEvent || !g_hDialogFreeEvent)
        return FALSE;

    if (FAILED(OleInitialize(nullptr))) {
        TCHAR text[256] = TEXT("OLE initialization failed.");
        LoadString(hInstance, 100, text, 256);
        m_prompts.ShowMessage(FromSys(text), "", MsgButtons::ok, MsgIcon::exclamation);
        return FALSE;
    }
    m_bOleInitialised = true;
    InitCommonControlsOnAnyVersion();

    m_settings = std::make_unique<CRegistrySettingsStore>(kAppKey);
    CWin32StartupShell startupShell(m_prompts);
    PrepareSettings(*m_settings, m_prompts, startupShell, m_strProgramPath);

    if (IsAutomationStart(lpCmdLine)) {
        m_bAutomation = true;
        return m_automation.RegisterClassFactories(m_dwMainThreadId) ? TRUE : FALSE;
    }
    // Per-user classes came with Windows 2000.
    RegisterAutomationServer(m_strProgramPath, IsWindows2000OrLater());

    m_pMainFrame = std::make_unique<CMainFrame>(*this);
    if (!m_pMainFrame->Create())
        return FALSE;
    // A save the machine cut short is mended before the file is read.
    RecoverUnfinishedSave(m_fileSystem, m_prompts, DataFilePath(*m_settings));
    const DataFileState state = LoadDataFile();
    m_pMainFrame->GetView().OnInitialUpdate();
    // Hidden, unless the user has opened it from the icon already: the start
    // pumps messages while it reads the registry and registers with OLE.
    if (!g_bWindowShown)
        ShowWindow(m_pMainFrame->GetSafeHwnd(), SW_HIDE);
    UpdateWindow(m_pMainFrame->GetSafeHwnd());
    if (state == DataFileState::busy) {
        // The look goes on while the user reads this; the file may load
        // before the box is closed.
        m_pMainFrame->WaitForDataFile();
        TellDataFileBusy(m_prompts, m_doc.WaitingForFile());
    }
    return TRUE;
}

DataFileState CNetbellApp::LoadDataFile()
{
    const DataFileState state = OpenDataFile(m_doc, m_fileSystem, m_prompts, DataFilePath(*m_settings), TimeStamp());
    // A copy kept at the last shutdown is newer than what was read: taken
    // back as soon as there is a data file to save it to, at start or once
    // a busy file is free.
    if (state == DataFileState::loaded || state == DataFileState::keptAside)
        RestoreUnsavedCopy(m_doc, *m_settings, m_prompts);
    return state;
}

void CNetbellApp::OnEndSession()
{
    TCHAR temp[MAX_PATH] = {};
    const DWORD n = GetTempPath(MAX_PATH, temp);
    std::string tempFolder = FromSys(temp, n > 0 && n < MAX_PATH ? n : 0);
    while (!tempFolder.empty() && (tempFolder.back() == '\\' || tempFolder.back() == '/'))
        tempFolder.pop_back();
    KeepUnsavedCopy(m_doc, *m_settings, tempFolder, TimeStamp());
}

int CNetbellApp::Run()
{
    MSG msg;
    for (;;) {
        if (!PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE) && m_pMainFrame)
            m_pMainFrame->OnIdle();
        const BOOL bRet = GetMessage(&msg, nullptr, 0, 0);
        if (bRet == 0 || bRet == -1)
            break;
        if (m_pMainFrame && m_pMainFrame->PreTranslateHelpMode(msg))
            continue;
        if (m_pMainFrame && m_pMainFrame->GetSafeHwnd()) {
            HWND hwndFrame = m_pMainFrame->GetSafeHwnd();
            if (msg.hwnd && RootWindowOf(msg.hwnd) == hwndFrame &&
                TranslateAccelerator(hwndFrame, m_pMainFrame->GetAccelerators(), &msg))
                continue;
        }
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    return static_cast<int>(msg.wParam);
}

LRESULT CALLBACK CNetbellApp::GetMessageHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HC_ACTION && wParam == PM_REMOVE && g_pApp) {
        MSG* pMsg = reinterpret_cast<MSG*>(lParam);
        if (!pMsg->hwnd && (pMsg->message == WM_CONNECTION_UP || pMsg->message == WM_SHOW_TASKLIST)) {
            CMainFrame* pFrame = g_pApp->MainFrame();
            if (pFrame && pFrame->GetSafeHwnd())
                PostMessage(pFrame->GetSafeHwnd(), pMsg->message, 0, 0);
            pMsg->message = WM_NULL;
        }
    }
    // Windows 95 walks the chain from the hook's own handle.
    return CallNextHookEx(g_pApp ? g_pApp->m_hHook : nullptr, nCode, wParam, lParam);
}

DWORD WINAPI CNetbellApp::InstanceWatchProc(LPVOID lpParam)
{
    const DWORD dwMainThreadId = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(lpParam));
    HANDLE handles[2] = {g_hQuitEvent, g_hInstanceEvent};
    while (WaitForMultipleObjects(2, handles, FALSE, INFINITE) == WAIT_OBJECT_0 + 1)
        PostThreadMessage(dwMainThreadId, WM_SHOW_TASKLIST, 0, 0);
    CloseHandle(g_hInstanceEvent);
    g_hInstanceEvent = nullptr;
    return 0;
}

void CNetbellApp::StartMonitorThread()
{
    m_monitorStart = {m_dwMainThreadId, kAppKey};
    m_hMonitorThread.Reset(CreateThread(nullptr, 0, ConnectionMonitorProc, &m_monitorStart, 0, &m_dwMonitorThreadId));
}

void CNetbellApp::SignalQuit()
{
    if (g_hQuitEvent)
        SetEvent(g_hQuitEvent);
    // A dial-up error box holds the monitor in its poll: close it, and the
    // thread sees the quit event as soon as the box returns.
    if (m_hMonitorThread) {
        EnumThreadWindows(m_dwMonitorThreadId, DismissWindow, 0);
    }
}

void CNetbellApp::StopWorkerThreads()
{
    if (m_bWorkersStopped)
        return;
    m_bWorkersStopped = true;
    SignalQuit();
    for (CScopedHandle* pThread : {&m_hWatcherThread, &m_hMonitorThread}) {
        if (*pThread && WaitForSingleObject(pThread->Get(), kJoinTimeout) == WAIT_OBJECT_0)
            pThread->Reset();
    }
}

void CNetbellApp::ExitInstance()
{
    StopWorkerThreads();
    m_pMainFrame.reset();
    m_automation.Revoke();
    if (m_hHook) {
        UnhookWindowsHookEx(m_hHook);
        m_hHook = nullptr;
    }
    // The events outlive every thread that waits on them.
    if (!m_hWatcherThread && !m_hMonitorThread) {
        if (g_hInstanceEvent)
            CloseHandle(std::exchange(g_hInstanceEvent, nullptr));
        if (g_hQuitEvent)
            CloseHandle(std::exchange(g_hQuitEvent, nullptr));
        if (g_hDialogFreeEvent)
            CloseHandle(std::exchange(g_hDialogFreeEvent, nullptr));
    }
    if (m_bOleInitialised) {
        OleUninitialize();
        m_bOleInitialised = false;
    }
}
