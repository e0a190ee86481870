#pragma once
// The task list's commands: what creating, editing, deleting, launching and
// ticking a task do to the document and to the rows, apart from the control.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/prompts.h"
#include "dialogs/task_dialog_logic.h"
#include "frontpage/frontpage_ports.h"
#include "model/task_rows.h"

class CDialogGuard;
class CNetbellDoc;
class ISettingsStore;

class IShellOpen {
public:
    virtual ~IShellOpen() = default;
    virtual bool Open(const std::string& target) = 0; // the verb "open"
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
