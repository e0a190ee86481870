#pragma once
// The one top-level window: tool bar, status bar and the task list, the
// tray icon, and the shell-level commands.

#include <windows.h>

#include <memory>
#include <string>

#include "app/win32/dock_bar.h"
#include "base/win32/window.h"
#include "frontpage/win32/frontpage_integration.h"
#include "monitor/reminder.h"
#include "monitor/win32/network_connection.h"
#include "monitor/win32/ras_connection.h"
#include "monitor/win32/tray_icon.h"
#include "view/win32/netbell_view.h"

class CNetbellApp;
class CReminderDlg;

class CMainFrame : public CWindow, private IReminderPorts {
public:
    explicit CMainFrame(CNetbellApp& app);
    ~CMainFrame() override;

    // Creates the window hidden; false ends the start.
    bool Create();

    void OnExit();
    void OnOptions();
    CNetbellView& GetView() { return m_view; }
    // Runs when the message queue is empty: bar states follow the commands.
    void OnIdle();
    HACCEL GetAccelerators() const { return m_hAccel; }
    // Looks at the data file once a second until it is free, then shows
    // its tasks.
    void WaitForDataFile();
    // Escape leaves context help wherever the focus is; true when taken.
    bool PreTranslateHelpMode(const MSG& msg);

private:

    // IReminderPorts
    void RunPrompt(ReminderDlgData& data) override;
    void BringPromptForward() override;
    bool SetReminderTimer(unsigned nMilliseconds) override;
    void KillReminderTimer() override;
    void ShowTaskList() override;
    ConnectionLook GetActiveConnection() override;
    NetworkLook IsNetworkAlive() override;

    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    int OnCreate();
    void OnClose();
    void OnDestroy();
    void OnSize();
    void OnCommand(UINT nId);
    static bool ChangesData(UINT nId);
    void OnDataFileTimer();
    bool IsCommandEnabled(UINT nId);
    void OnInitMenuPopup(HMENU hMenu);
    void OnMenuSelect(UINT nItem, UINT nFlags, HMENU hMenu);
    LRESULT OnNotify(NMHDR* pnmh);
    void RefreshFrontPageSettings();
    void OnAbout();
    void OnSponsors();
    void OnHelpTopics();
    void BeginHelpMode();
    void EndHelpMode();
    void OnHelpModeClick();
    void OpenWebPage(const std::string& url);
    void ToggleStatusBar();
    bool CreateToolBar();
    bool CreateStatusBar();
    void SetMessageText(const std::string& text);
    void SetMessageText(UINT nPromptId);
    void AskRemindDuringConnection();

    CNetbellApp& m_app;
    CTrayIcon m_trayIcon;
    BOOL m_bExiting = FALSE;
    bool m_bHelpMode = false; // Shift+F1: the next click asks for help
    bool m_bHelpMenu = false; // ... and it opened a menu
    bool m_bInOptions = false; // the Options sheet is open
    BOOL m_bFrontPagePresent = FALSE;
    HWND m_wndStatusBar = nullptr;
    HWND m_wndToolBar = nullptr; // held by m_dockBar's windows
    CDockBar m_dockBar;
    CReminderDlg* m_pReminderDlg = nullptr; // the prompt while it is open
    CNetbellView m_view;
    CFrontPageIntegration m_frontPage;
    CReminderCycle m_reminder;
    CDialUp m_dialUp;        // the main thread's own, for the question
    CNetworkAlive m_network; // the main thread's own, for the question and Options
    HACCEL m_hAccel = nullptr; // a resource: freed with the module
    HMENU m_hMenu = nullptr;   // destroyed with the window
    UINT m_uTaskbarCreated = 0;
    std::string m_strPaneTexts[3]; // the FrontPage, caps and num panes as last shown
    tstring m_strTip; // the tool tip last handed out
};
