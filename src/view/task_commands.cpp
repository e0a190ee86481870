#include "view/task_commands.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "base/dialog_guard.h"
#include "base/settings.h"
#include "dialogs/task_dialog_logic.h"
#include "model/netbell_doc.h"

namespace {

constexpr unsigned kWarnNotAffected = 61209;
constexpr unsigned kWarnNoFrontPage = 61225;

// A URL left as a bare prefix means no address at all.
std::string WithoutBarePrefix(const std::string& url)
{
    return url == "mailto:" || url == "news:" ? std::string() : url;
}

// Copies the dialog's fields, its URL among them, into the task.
void CopyDialogFields(const TaskDialogData& data, CRemindTask& task, bool bKeepMixed)
{
    ApplyEditFields(data, task, bKeepMixed);
    if (!bKeepMixed || data.m_strUrl != kMixedValue)
        task.m_strUrl = data.m_strUrl;
}

} // namespace

CRemindTask& CTaskCommands::TaskOfRow(int nRow)
{
    return *m.doc.m_arrTasks.at(m.list.GetRowTask(nRow));
}

bool CTaskCommands::SaveData()
{
    return m.doc.OnSaveDocument(m.doc.GetPathName());
}

void CTaskCommands::AddTask(uint32_t nKind, const std::string& text)
{
    if (RefusedUntilFileLoaded(m.doc, m.prompts))
        return;
    CDialogGuardScope guard(m.guard);
    if (guard.Busy())
        return;
    TaskDialogData data;
    data.m_nKind = static_cast<int>(nKind);
    data.m_nIconId = GetKindIconId(nKind);
    data.m_nPriority = ReadSetting(m.settings, setting::DefaultPriority);
    data.m_strDescription = text;
    if (nKind == kindEMail && ReadSetting(m.settings, setting::UseMailPrefix) != 0)
        data.m_strUrl = "mailto:";
    else if (nKind == kindNewsgroup && ReadSetting(m.settings, setting::UseNewsPrefix) != 0)
        data.m_strUrl = "news:";

    if (m.dialog.Run(data)) {
        const bool bAllSites = nKind == kindSearch && data.m_bAllSites;
        const size_t nCount = bAllSites ? m.doc.m_arrSearchItems.size() : 1;
        const COleDateTime now = m.clock.Now();
        for (size_t i = 0; i < nCount; ++i) {
            auto task = std::make_unique<CRemindTask>();
            task->m_nStatus = statusOpen;
            task->m_nKind = nKind;
            CopyDialogFields(data, *task, false);
            task->m_dtAdded = now;
            task->m_strUrl = bAllSites ? m.doc.m_arrSearchItems[i]->m_strUrl : WithoutBarePrefix(data.m_strUrl);
            m.doc.m_arrTasks.push_back(std::move(task));
            const size_t nIndex = m.doc.m_arrTasks.size() - 1;
            m.list.InsertRowAtTop(MakeTaskRow(*m.doc.m_arrTasks[nIndex], nIndex));
        }
    }
    SaveData();
}

void CTaskCommands::FillDialogFromTask(TaskDialogData& data, const CRemindTask& task)
{
    data.m_nKind = static_cast<int>(task.m_nKind);
    data.m_nPriority = task.m_nPriority;
    data.m_strName = task.m_strName;
    data.m_strAssignTo = task.m_strAssignTo;
    data.m_strProject = task.m_strProject;
    data.m_strBillingInfo = task.m_strBillingInfo;
    data.m_strUrl = task.m_strUrl;
    data.m_strDescription = task.m_strDescription;
}

void CTaskCommands::RewriteCells(int nRow, const CRemindTask& task)
{
    for (int c = colPriority; c <= colBillingInfo; ++c)
        m.list.SetCellText(nRow, c, TaskCellText(task, c));
}

void CTaskCommands::EditItem(int nRow)
{
    CDialogGuardScope guard(m.guard);
    if (guard.Busy())
        return;
    CRemindTask& task = TaskOfRow(nRow);
    TaskDialogData data;
    FillDialogFromTask(data, task);
    data.m_nIconId = task.GetIconId();
    if (!m.dialog.Run(data))
        return;
    CopyDialogFields(data, task, false);
    RewriteCells(nRow, task);
    SaveData();
}

void CTaskCommands::EditSelection()
{
    // Every menu that reaches here keeps to the one-kind rule.
    if (!CanEdit())
        return;
    const std::vector<int> rows = m.list.GetSelectedRows();
    const CRemindTask& first = TaskOfRow(rows[0]);
    if (first.m_nKind == kindFrontPage) {
        m.frontPage.EditFrontPageSelection();
        return;
    }
    CDialogGuardScope guard(m.guard);
    if (guard.Busy())
        return;

    std::vector<const CRemindTask*> tasks;
    for (int nRow : rows)
        tasks.push_back(&TaskOfRow(nRow));
    TaskDialogData data;
    FillDialogFromTask(data, first);
    static_cast<TaskEditFields&>(data) = MergeEditFields(tasks);
    data.m_nIconId = rows.size() == 1 ? first.GetIconId() : GetKindIconId(first.m_nKind);
    for (const CRemindTask* t : tasks) {
        if (t->m_strUrl != first.m_strUrl)
            data.m_strUrl = kMixedValue;
    }
    if (!m.dialog.Run(data))
        return;
    for (int nRow : rows) {
        CRemindTask& t = TaskOfRow(nRow);
        CopyDialogFields(data, t, true);
        RewriteCells(nRow, t);
    }
    SaveData();
}

std::string DeleteQuestion(size_t nSelected)
{
    if (nSelected == 1)
        return "Are you sure you want to delete this Task ?";
    char buf[80];
    std::snprintf(buf, sizeof buf, "Are you sure you want to delete these %li Tasks ?", static_cast<long>(nSelected));
    return buf;
}

void CTaskCommands::DeleteSelected()
{
    const std::vector<int> rows = m.list.GetSelectedRows();
    if (rows.empty())
        return;
    m.prompts.Beep(MsgIcon::none);
    const std::string caption = rows.size() == 1 ? "Confirm Task Deletion" : "Confirm Multiple Task Deletion";
    // The tasks, not their rows: while the question is open the tray menu
    // can add a task, which moves every row down one.
    std::vector<const CRemindTask*> chosen;
    chosen.reserve(rows.size());
    for (int nRow : rows)
        chosen.push_back(&TaskOfRow(nRow));
    std::sort(chosen.begin(), chosen.end());
    if (m.prompts.ShowMessage(DeleteQuestion(rows.size()), caption, MsgButtons::yesNo, MsgIcon::question) !=
        MsgResult::yes)
        return;
    for (const auto& pTask : m.doc.m_arrTasks) {
        if (std::binary_search(chosen.begin(), chosen.end(), pTask.get()))
            pTask->m_nStatus = statusDeleted;
    }
    SaveData();
    // The save purged the deleted tasks and renumbered the rest.
    FillList();
}

void CTaskCommands::LaunchItem(int nRow)
{
    const std::string url = TaskOfRow(nRow).m_strUrl;
    if (!m.shell.Open(url))
        m.prompts.ShowMessage("Sorry, Unable to execute the Url:\n" + url + "\nfor the shell", "Shell Error",
                              MsgButtons::ok, MsgIcon::exclamation);
}

void CTaskCommands::FillList()
{
    // The deleted tasks that a failed save could not purge stay hidden.
    m.list.ReplaceAllRows(FillRows(m.doc, m_nSortColumn, m_bSortDescending));
}

void CTaskCommands::SortList(int nColumn)
{
    m.list.SortRows(nColumn, m_bSortDescending);
    m_nSortColumn = nColumn;
}

void CTaskCommands::OnColumnClick(int nColumn)
{
    m_bSortDescending = !m_bSortDescending;
    SortList(nColumn);
}

void CTaskCommands::OnCheckBoxClick(int nRow)
{
    CRemindTask& task = TaskOfRow(nRow);
    const bool bTick = m.list.GetStateImage(nRow) == kStateNotDone;
    if (task.m_nKind == kindFrontPage) {
        if (bTick && !m.frontPage.CompleteInFrontPage(task))
            return;
        if (!bTick)
            m.frontPage.ShowWarning(m.frontPage.IsPresent() ? kWarnNotAffected : kWarnNoFrontPage);
    }
    m.list.SetStateImage(nRow, bTick ? kStateDone : kStateNotDone);
    task.m_nStatus = bTick ? statusDone : statusOpen;
    m.list.SetTypeCell(nRow, GetKindName(task.m_nKind), task.GetImageIndex());
    // FrontPage saved its completion before the task was marked done here;
    // the file must hold the done mark too, or it would disagree with FrontPage.
    if (bTick && task.m_nKind == kindFrontPage)
        SaveData();
}

void CTaskCommands::OnDoubleClick(int nRow)
{
    if (TaskOfRow(nRow).m_nKind == kindFrontPage)
        m.frontPage.EditFrontPageItem(nRow);
    else
        EditItem(nRow);
}

bool CTaskCommands::CanEdit()
{
    const std::vector<int> rows = m.list.GetSelectedRows();
    if (rows.empty())
        return false;
    const uint32_t nKind = TaskOfRow(rows[0]).m_nKind;
    for (int nRow : rows) {
        if (TaskOfRow(nRow).m_nKind != nKind)
            return false;
    }
    return true;
}

bool CTaskCommands::CanDelete()
{
    return !m.list.GetSelectedRows().empty();
}

bool CTaskCommands::CanLaunch()
{
    const std::vector<int> rows = m.list.GetSelectedRows();
    if (rows.size() != 1)
        return false;
    const CRemindTask& task = TaskOfRow(rows[0]);
    return task.m_nKind != kindFrontPage && !task.m_strUrl.empty();
}
