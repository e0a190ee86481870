#pragma once
// The FrontPage side of the task list: detection and menu links, the load
// policy with its toggle, pane and enabling rules, and the FrontPage task
// operations (new task, editing, To-Do List, Explorer, Editor, completion).
// Every outside service is a port, so all of it runs in tests without
// FrontPage or a window.

#include <functional>
#include <string>
#include <vector>

#include "base/prompts.h"
#include "frontpage/frontpage_connection.h"
#include "frontpage/frontpage_dialog_logic.h"
#include "frontpage/frontpage_ports.h"
#include "model/task_rows.h"

class CDialogGuard;
class CNetbellDoc;
class ISettingsStore;

struct FrontPageTaskPorts {
    CNetbellDoc& doc;
    ISettingsStore& settings;
    IPrompts& prompts;
    CDialogGuard& guard;
    ITaskListControl& list;
    IClock& clock;
    IFrontPageTaskDialog& dialog;
    IFrontPageDrivers& drivers;
    IFrontPageSystem& system;
    IFrontPageRegistry& registry;
    // The suppressible warning of a string id.
    std::function<void(unsigned)> showWarning;
    // The application's title, which names the program file in FrontPage's
    // menu.
    std::string appTitle;
};

class CFrontPageTasks : public IFrontPageTasks {
public:
    // Reads the load policy into the cached copy.
    explicit CFrontPageTasks(const FrontPageTaskPorts& ports);

    // Detects FrontPage 2.0 or later and keeps the answer for the run.
    bool Detect();
    bool Present() const { return m_bFrontPagePresent; }
    // Writes or removes the menu links; nothing while FrontPage is absent.
    void UpdateMenuLinks();

    // The cached policy, and its refresh from the settings.
    int LoadingPolicy() const { return m_nFrontPageLoading; }
    void RefreshLoadingPolicy();
    void OnToggleFrontPageLoading();
    ToggleCheck ToggleState() const { return LoadingButtonState(m_nFrontPageLoading); }
    std::string StatusPaneText() const { return LoadingPaneText(m_bFrontPagePresent, m_nFrontPageLoading); }

    // For the commands 32776, 32786, 32787, 32789 and 32791; false for any
    // other id.
    bool IsCommandEnabled(unsigned nId);
    // Runs one of those commands; false when the id is not one of them.
    bool OnCommand(unsigned nId);

    void AddFrontPageTask();
    void ShowFrontPageToDoList();
    void LaunchFrontPageExplorer();
    void LaunchFrontPageEditor();

    // IFrontPageTasks
    bool IsPresent() override { return m_bFrontPagePresent; }
    bool CompleteInFrontPage(CRemindTask& task) override;
    void EditFrontPageItem(int nRow) override;
    void EditFrontPageSelection() override;
    void ShowWarning(unsigned nStringId) override;

private:
    CRemindTask& TaskOfRow(int nRow);
    CRemindTask* FirstSelectedTask();
    void EditRows(const std::vector<int>& rows, bool bKeepMixed);
    bool SaveData();

    FrontPageTaskPorts m;
    bool m_bFrontPagePresent = false;
    int m_nFrontPageLoading = fpAlwaysAsk;
};

// The Url column text of a new FrontPage task.
std::string FrontPageTaskUrlText(const FrontPageTaskData& data);

inline constexpr int kToDoListPolls = 51;
inline constexpr unsigned kPollPause = 500;
inline constexpr unsigned kAfterOpenPause = 1000;
inline constexpr int kCompleteCalls = 21;
