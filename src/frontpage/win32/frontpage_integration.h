#pragma once
// FrontPage in the program: the one object the main frame holds for it.
//
// What the frame does with it:
//   - construct it beside the view (it needs the view as the list and the
//     clock), then, in the frame's constructor:
//         if (m_frontPage.Detect()) m_frontPage.UpdateMenuLinks();
//     and pass it to CNetbellView::Create as the view's IFrontPageTasks;
//   - IsFrontPageCommand(id) for 32776, 32786, 32787, 32789, 32791:
//     IsCommandEnabled(id) for menus, toolbar and accelerators, OnCommand(id)
//     to run one (the view's own 32776 handler may call it too);
//   - the toolbar button 32791: ToggleButtonState() gives its TBSTATE bits;
//   - status-bar pane 61207: StatusPaneText(), disabled unless IsPresent();
//   - after the Options sheet closes (OK or Cancel) when IsPresent():
//         m_frontPage.RefreshLoadingPolicy(); m_frontPage.UpdateMenuLinks();
//   - the Options sheet's FrontPage page shows only when IsPresent();
//   - WM_SETCURSOR: while IsWaitCursorShown(), set IDC_WAIT and return TRUE.
// Everything runs on the main thread, which has COM initialised.

#include <windows.h>

#include <functional>
#include <string>

#include "base/win32/prompts_win32.h"
#include "frontpage/frontpage_tasks.h"
#include "frontpage/win32/frontpage_drivers.h"

class CDialogGuard;
class CNetbellDoc;
class ISettingsStore;

struct FrontPageIntegrationPorts {
    ISettingsStore& settings;
    IPrompts& prompts;
    CNetbellDoc& doc;
    CDialogGuard& guard;
    // The module with the dialog templates and strings.
    HINSTANCE hInstance;
    // The window that owns the dialogs and warnings: the main frame.
    std::function<HWND()> owner;
    ITaskListControl& list;
    IClock& clock;
};

class CFrontPageIntegration : public IFrontPageTasks {
public:
    // Reads the load policy; FrontPage counts as absent until Detect().
    explicit CFrontPageIntegration(const FrontPageIntegrationPorts& ports);

    // Detects FrontPage 2.0 or later; the answer holds for the run.
    bool Detect();
    // Places or removes the program's menu in FrontPage ("Menu Links");
    // nothing while FrontPage is absent.
    void UpdateMenuLinks();

    // The view's cached load policy, and its refresh from the settings.
    int LoadingPolicy() const;
    void RefreshLoadingPolicy();

    static bool IsFrontPageCommand(UINT nId);
    // Enabled state of 32776, 32786, 32787, 32789 and 32791 (false for any
    // other id), from presence, the cached policy and the list's selection.
    bool IsCommandEnabled(UINT nId);
    // Runs one of those commands; false when the id is not one of them. A
    // disabled command does nothing.
    bool OnCommand(UINT nId);

    // Pane 61207's text: blank while FrontPage is absent.
    std::string StatusPaneText() const;
    // TBSTATE bits of button 32791: enabled when present; checked for
    // "Don't Load" (and unknown values), indeterminate for "Always Ask".
    BYTE ToggleButtonState() const;
    // True while a FrontPage command runs under the wait cursor: the frame's
    // WM_SETCURSOR then sets IDC_WAIT and returns TRUE.
    bool IsWaitCursorShown() const { return m_system.IsWaiting(); }

    // IFrontPageTasks: the list's check box, double click and Edit.
    bool IsPresent() override;
    bool CompleteInFrontPage(CRemindTask& task) override;
    void EditFrontPageItem(int nRow) override;
    void EditFrontPageSelection() override;
    void ShowWarning(unsigned nStringId) override;

private:
    // Runs the FrontPage Task dialog for the task operations.
    class CDialogRunner : public IFrontPageTaskDialog {
    public:
        explicit CDialogRunner(CFrontPageIntegration& owner) : m_owner(owner) {}
        bool Run(FrontPageTaskData& data) override;

    private:
        CFrontPageIntegration& m_owner;
    };

    FrontPageTaskPorts TaskPorts();

    FrontPageIntegrationPorts m;
    CWin32FrontPageDrivers m_drivers;
    CWin32FrontPageSystem m_system;
    CWin32FrontPageRegistry m_registry;
    CDialogRunner m_dialog{*this};
    CFrontPageTasks m_tasks;
};
