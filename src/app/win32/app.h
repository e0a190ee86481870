#pragma once
// The application object: start-up in its fixed order, the message loop and
// the end of the run.

#include <windows.h>

#include <memory>
#include <string>

#include "app/app_shell.h"
#include "base/dialog_guard.h"
#include "app/win32/automation.h"
#include "base/win32/prompts_win32.h"
#include "base/win32/registry_settings.h"
#include "base/win32/scoped_win.h"
#include "app/win32/startup_shell.h"
#include "model/netbell_doc.h"
#include "model/win32/file_system_win32.h"
#include "monitor/win32/connection_monitor.h"

class CMainFrame;

class CNetbellApp {
public:
    CNetbellApp();
    ~CNetbellApp();
    CNetbellApp(const CNetbellApp&) = delete;
    CNetbellApp& operator=(const CNetbellApp&) = delete;

    // FALSE ends the process at once.
    BOOL InitInstance(HINSTANCE hInstance, const char* lpCmdLine);
    int Run();

    HINSTANCE Instance() const { return m_hInstance; }
    DWORD MainThreadId() const { return m_dwMainThreadId; }
    ISettingsStore& Settings() { return *m_settings; }
    CWin32Prompts& Prompts() { return m_prompts; }
    CNetbellDoc& Doc() { return m_doc; }
    CDialogGuard& Guard() { return *m_guard; }
    CMainFrame* MainFrame() { return m_pMainFrame.get(); }

    // Opens the data file into the document; again and again while another
    // program holds it.
    DataFileState LoadDataFile();
    // Windows is shutting down: the last save, or else an emergency copy.
    void OnEndSession();

    // The connection monitor starts with the frame; both worker threads end
    // on the quit event and are joined before the events are closed.
    void StartMonitorThread();
    // Tells the worker threads to end, without waiting for them.
    void SignalQuit();
    // Signals, then waits for both threads.
    void StopWorkerThreads();

private:
    static LRESULT CALLBACK GetMessageHook(int nCode, WPARAM wParam, LPARAM lParam);
    static DWORD WINAPI InstanceWatchProc(LPVOID lpParam);
    void ExitInstance();

    HINSTANCE m_hInstance = nullptr;
    DWORD m_dwMainThreadId = 0;
    std::string m_strProgramPath;
    bool m_bOleInitialised = false;
    bool m_bAutomation = false;
    CWin32Prompts m_prompts;
    std::unique_ptr<ISettingsStore> m_settings;
    CWin32FileSystem m_fileSystem;
    CNetbellDoc m_doc;
    std::unique_ptr<IGuardEvent> m_guardEvent;
    std::unique_ptr<CDialogGuard> m_guard;
    CScopedHandle m_hWatcherThread;
    CScopedHandle m_hMonitorThread;
    DWORD m_dwMonitorThreadId = 0;
    ConnectionMonitorStart m_monitorStart{};
    bool m_bWorkersStopped = false;
    HHOOK m_hHook = nullptr;
    CAutomationServer m_automation;
    std::unique_ptr<CMainFrame> m_pMainFrame;
};

CNetbellApp& GetApp();
// The desktop dialog guard, for a CDialogGuardScope around a dialog.
CDialogGuard& DialogGuard();
