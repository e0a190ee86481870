#pragma once
// The task list's commands: what creating, editing, deleting, launching and
// ticking a task do to the document and to the rows, apart from the control.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/prompts.h"
#include "model/task_rows.h"

class CDialogGuard;
class CNetbellDoc;
class ISettingsStore;
struct TaskDialogData;

// The list control as the commands see it. Rows are numbered from the top.
class ITaskListControl {
public:
    virtual ~ITaskListControl() = default;
    virtual std::vector<int> GetSelectedRows() = 0; // top to bottom
    virtual size_t GetRowTask(int nRow) = 0;
    virtual void InsertRowAtTop(const TaskRow& row) = 0;
    virtual void SetCellText(int nRow, int nColumn, const std::string& text) = 0;
    virtual void SetTypeCell(int nRow, const std::string& text, int nImage) = 0;
    virtual int GetStateImage(int nRow) = 0;
    virtual void SetStateImage(int nRow, int nState) = 0;
    // Replaces every row with these, top to bottom.
    virtual void ReplaceAllRows(const std::vector<TaskRow>& rows) = 0;
    // Has the control sort its rows with CompareTasks.
    virtual void SortRows(int nColumn, bool bDescending) = 0;
};

class ITaskDialog {
public:
    virtual ~ITaskDialog() = default;
    virtual bool Run(TaskDialogData& data) = 0; // true for OK
};

class IShellOpen {
public:
    virtual ~IShellOpen() = default;
    virtual bool Open(const std::string& target) = 0; // the verb "open"
};

class IClock {
public:
    virtual ~IClock() = default;
    virtual COleDateTime Now() = 0; // local time, to the second
};

// What the task list needs of FrontPage.
class IFrontPageTasks {
public:
    virtual ~IFrontPageTasks() = default;
    virtual bool IsPresent() = 0;
    // Marks an open task complete in FrontPage; false leaves the task open.
    virtual bool CompleteInFrontPage(CRemindTask& task) = 0;
    virtual void EditFrontPageItem(int nRow) = 0;
    virtual void EditFrontPageSelection() = 0;
    virtual void ShowWarning(unsigned nStringId) = 0;
};

struct TaskCommandPorts {
    CNetbellDoc& doc;
    ISettingsStore& settings;
    IPrompts& prompts;
    CDialogGuard& guard;
    ITaskListControl& list;
    ITaskDialog& dialog;
    IShellOpen& shell;
    IClock& clock;
    IFrontPageTasks& frontPage;
};

class CTaskCommands {
public:
    explicit CTaskCommands(const TaskCommandPorts& ports) : m(ports) {}

    void AddTask(uint32_t nKind, const std::string& text = std::string());
    void EditItem(int nRow);
    void EditSelection();
    void DeleteSelected();
    void LaunchItem(int nRow);

    void FillList();
    void SortList(int nColumn);
    void OnColumnClick(int nColumn);
    void OnCheckBoxClick(int nRow);
    void OnDoubleClick(int nRow);
    bool SaveData();

    bool CanEdit();
    bool CanDelete();
    bool CanLaunch();

    int SortColumn() const { return m_nSortColumn; }
    bool SortDescending() const { return m_bSortDescending; }

private:
    void FillDialogFromTask(TaskDialogData& data, const CRemindTask& task);
    void RewriteCells(int nRow, const CRemindTask& task);
    CRemindTask& TaskOfRow(int nRow);

    TaskCommandPorts m;
    int m_nSortColumn = 0;
    bool m_bSortDescending = false;
};

std::string DeleteQuestion(size_t nSelected);
