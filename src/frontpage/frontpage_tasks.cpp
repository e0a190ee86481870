#include "frontpage/frontpage_tasks.h"

#include <memory>

#include "base/dialog_guard.h"
#include "base/settings.h"
#include "dialogs/task_dialog_logic.h"
#include "frontpage/frontpage_detect.h"
#include "model/netbell_doc.h"

namespace {

constexpr const char* kMsgNotLinked = "This Task is not linked to an editable page";
constexpr const char* kMsgNotCompleted =
    "Sorry, Could not mark the task as complete in FrontPage, It may have already been completed";

bool HasNoWeb(const CRemindTask& task)
{
    return task.m_strWebName.empty() && task.m_strWebUrl.empty();
}

} // namespace

std::string FrontPageTaskUrlText(const FrontPageTaskData& data)
{
    std::string web = data.m_strWebTitle;
    if (web.empty())
        web = data.m_bNotConnected ? kNoWebSelected : kRootWeb;
    return web + " (" + data.m_strLinkedTo + ")";
}

CFrontPageTasks::CFrontPageTasks(const FrontPageTaskPorts& ports)
    : m(ports), m_nFrontPageLoading(ReadLoadingPolicy(ports.settings))
{
}

bool CFrontPageTasks::Detect()
{
    m_bFrontPagePresent = DetectFrontPage(m.registry);
    return m_bFrontPagePresent;
}

void CFrontPageTasks::UpdateMenuLinks()
{
    if (m_bFrontPagePresent)
        ::UpdateMenuLinks(m.settings, m.registry, m.appTitle);
}

void CFrontPageTasks::RefreshLoadingPolicy()
{
    m_nFrontPageLoading = ReadLoadingPolicy(m.settings);
}

void CFrontPageTasks::OnToggleFrontPageLoading()
{
    m_nFrontPageLoading = ToggleFrontPageLoading(m.settings);
}

CRemindTask& CFrontPageTasks::TaskOfRow(int nRow)
{
    return *m.doc.m_arrTasks.at(m.list.GetRowTask(nRow));
}

CRemindTask* CFrontPageTasks::FirstSelectedTask()
{
    const std::vector<int> rows = m.list.GetSelectedRows();
    return rows.empty() ? nullptr : &TaskOfRow(rows[0]);
}

bool CFrontPageTasks::SaveData()
{
    return m.doc.OnSaveDocument(m.doc.GetPathName());
}

void CFrontPageTasks::ShowWarning(unsigned nStringId)
{
    if (m.showWarning)
        m.showWarning(nStringId);
}

bool CFrontPageTasks::IsCommandEnabled(unsigned nId)
{
    if (!fpcmd::IsFrontPageCommand(nId))
        return false;
    int nSelected = 0;
    bool bFirstIsFrontPage = false;
    // Only the task commands look at the selection.
    if (nId == fpcmd::kShowToDoList || nId == fpcmd::kLaunchEditor) {
        const std::vector<int> rows = m.list.GetSelectedRows();
        nSelected = static_cast<int>(rows.size());
        bFirstIsFrontPage = !rows.empty() && TaskOfRow(rows[0]).m_nKind == kindFrontPage;
    }
    return IsFrontPageCommandEnabled(nId, m_bFrontPagePresent, m_nFrontPageLoading, nSelected, bFirstIsFrontPage);
}

bool CFrontPageTasks::OnCommand(unsigned nId)
{
    if (!fpcmd::IsFrontPageCommand(nId))
        return false;
    // A grey command does nothing, even when it arrives some other way.
    if (!IsCommandEnabled(nId))
        return true;
    switch (nId) {
    case fpcmd::kNewTask: AddFrontPageTask(); break;
    case fpcmd::kShowToDoList: ShowFrontPageToDoList(); break;
    case fpcmd::kLaunchEditor: LaunchFrontPageEditor(); break;
    case fpcmd::kLaunchExplorer: LaunchFrontPageExplorer(); break;
    case fpcmd::kToggleLoading: OnToggleFrontPageLoading(); break;
    default: break;
    }
    return true;
}

void CFrontPageTasks::AddFrontPageTask()
{
    CDialogGuardScope guard(m.guard);
    if (guard.Busy())
        return;
    FrontPageTaskData data;
    data.m_nPriority = ReadSetting(m.settings, setting::DefaultPriority);
    if (!m.dialog.Run(data))
        return;
    auto task = std::make_unique<CRemindTask>();
    task->m_nKind = kindFrontPage;
    task->m_nStatus = statusOpen;
    task->m_strName = data.m_strName;
    task->m_strDescription = data.m_strDescription;
    task->m_nPriority = data.m_nPriority;
    task->m_strBillingInfo = data.m_strBillingInfo;
    task->m_strProject = data.m_strProject;
    task->m_strAssignTo = data.m_strAssignTo;
    task->m_dtAdded = m.clock.Now();
    task->m_strWebName = data.m_strWebTitle;
    task->m_strWebUrl = data.m_strWebUrl;
    task->m_strLinkedTo = data.m_strLinkedTo;
    task->m_strPageUrl = data.m_strPageUrl;
    task->m_strCookie = data.m_strCookie;
    task->m_strUrl = FrontPageTaskUrlText(data);
    m.doc.m_arrTasks.push_back(std::move(task));
    const size_t nIndex = m.doc.m_arrTasks.size() - 1;
    m.list.InsertRowAtTop(MakeTaskRow(*m.doc.m_arrTasks[nIndex], nIndex));
    SaveData();
}

void CFrontPageTasks::EditFrontPageItem(int nRow)
{
    EditRows({nRow}, false);
}

void CFrontPageTasks::EditFrontPageSelection()
{
    const std::vector<int> rows = m.list.GetSelectedRows();
    if (!rows.empty())
        EditRows(rows, true);
}

void CFrontPageTasks::EditRows(const std::vector<int>& rows, bool bKeepMixed)
{
    CDialogGuardScope guard(m.guard);
    if (guard.Busy())
        return;
    std::vector<const CRemindTask*> tasks;
    for (int nRow : rows)
        tasks.push_back(&TaskOfRow(nRow));
    const CRemindTask& first = *tasks[0];
    FrontPageTaskData data;
    static_cast<TaskEditFields&>(data) = MergeEditFields(tasks);
    data.m_bEditing = true;
    data.m_strLinkedTo = first.m_strLinkedTo;
    data.m_strPageUrl = first.m_strPageUrl;
    data.m_strWebUrl = first.m_strWebUrl;
    data.m_strWebTitle = WebTitleOfTask(first.m_strWebName, first.m_strWebUrl);
    for (const CRemindTask* t : tasks) {
        if (t->m_strWebName != first.m_strWebName)
            data.m_strWebTitle = kMultipleSelection;
        if (t->m_strWebUrl != first.m_strWebUrl)
            data.m_strWebUrl = kMultipleSelection;
        if (t->m_strLinkedTo != first.m_strLinkedTo)
            data.m_strLinkedTo = kMultipleSelection;
    }
    if (!m.dialog.Run(data))
        return;
    // The web, the link, the cookie and the Url column never change.
    for (int nRow : rows) {
        CRemindTask& t = TaskOfRow(nRow);
        ApplyEditFields(data, t, bKeepMixed);
        for (int c : {colPriority, colName, colDescription, colProject, colAssignTo, colBillingInfo})
            m.list.SetCellText(nRow, c, TaskCellText(t, c));
    }
    SaveData();
}

void CFrontPageTasks::ShowFrontPageToDoList()
{
    const CRemindTask* pTask = FirstSelectedTask();
    if (!pTask)
        return;
    const CRemindTask& task = *pTask;
    if (HasNoWeb(task)) {
        ShowWarning(fpwarn::kNoWeb);
        return;
    }
    if (!ConfirmFrontPageLoad(m_nFrontPageLoading, kQuestionLoadExplorer, m.system, m.prompts))
        return;
    CWaitCursor wait(m.system);
    FrontPageDrivers drivers;
    if (!CreateFrontPageDrivers(drivers, true, true, m.drivers, m.prompts, wait))
        return;
    IFrontPageExplorer& explorer = *drivers.explorer;
    const TaskWebState state = RequestTaskWeb(explorer, task.m_strWebName, task.m_strWebUrl);
    if (state == TaskWebState::refused)
        return;
    if (state == TaskWebState::opening) {
        // The Explorer opens a web in its own time: watch for it.
        bool bShown = false;
        for (int nPoll = 1; nPoll <= kToDoListPolls && !bShown; ++nPoll) {
            const std::string title = explorer.GetWebTitle();
            const std::string url = explorer.GetWebUrl();
            bShown = title == task.m_strWebName && url == task.m_strWebUrl;
            if (!bShown && nPoll < kToDoListPolls)
                m.system.Sleep(kPollPause);
        }
        if (!bShown)
            explorer.ShowExplorer();
        m.system.Sleep(kAfterOpenPause);
    }
    wait.End();
    drivers.toDoList->ShowList();
}

void CFrontPageTasks::LaunchFrontPageExplorer()
{
    if (!ConfirmFrontPageLoad(m_nFrontPageLoading, kQuestionLoadExplorer, m.system, m.prompts))
        return;
    CWaitCursor wait(m.system);
    FrontPageDrivers drivers;
    if (!CreateFrontPageDrivers(drivers, false, true, m.drivers, m.prompts, wait))
        return;
    drivers.explorer->ShowExplorer();
    drivers.Release();
}

void CFrontPageTasks::LaunchFrontPageEditor()
{
    const CRemindTask* pTask = FirstSelectedTask();
    if (!pTask)
        return;
    const CRemindTask& task = *pTask;
    if (HasNoWeb(task)) {
        ShowWarning(fpwarn::kNoWeb);
        return;
    }
    if (task.m_strPageUrl == kNotLinked) {
        m.prompts.ShowMessage(kMsgNotLinked, "FrontPage Link Error", MsgButtons::ok, MsgIcon::information);
        return;
    }
    if (!ConfirmFrontPageLoad(m_nFrontPageLoading, kQuestionLoadEditor, m.system, m.prompts))
        return;
    CWaitCursor wait(m.system);
    FrontPageDrivers drivers;
    if (!CreateFrontPageDrivers(drivers, false, true, m.drivers, m.prompts, wait))
        return;
    if (!BringUpTaskWeb(*drivers.explorer, task.m_strWebName, task.m_strWebUrl))
        return;
    wait.End();
    drivers.explorer->EditPage(task.m_strPageUrl);
}

bool CFrontPageTasks::CompleteInFrontPage(CRemindTask& task)
{
    if (!m_bFrontPagePresent)
        return true;
    if (HasNoWeb(task)) {
        ShowWarning(fpwarn::kNoWeb);
        return true;
    }
    if (!ConfirmFrontPageLoad(m_nFrontPageLoading, kQuestionLoadExplorer, m.system, m.prompts))
        return true;
    if (m_nFrontPageLoading == fpDontLoad) {
        ShowWarning(fpwarn::kNotLoaded);
        return true;
    }
    CWaitCursor wait(m.system);
    FrontPageDrivers drivers;
    if (!CreateFrontPageDrivers(drivers, true, true, m.drivers, m.prompts, wait))
        return false;
    if (!BringUpTaskWeb(*drivers.explorer, task.m_strWebName, task.m_strWebUrl))
        return false;
    bool bMarked = false;
    for (int nCall = 1; nCall <= kCompleteCalls && !bMarked; ++nCall) {
        bMarked = drivers.toDoList->MarkToDoComplete(task.m_strPageUrl, task.m_strCookie);
        if (!bMarked && nCall < kCompleteCalls)
            m.system.Sleep(kPollPause);
    }
    if (!bMarked) {
        wait.End();
        m.prompts.ShowMessage(kMsgNotCompleted, "FrontPage Connection Warning", MsgButtons::ok,
                              MsgIcon::information);
    }
    drivers.Release();
    wait.End();
    SaveData();
    return true;
}
