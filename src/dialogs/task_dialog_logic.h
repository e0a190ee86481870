#pragma once
// The task dialog's data and the decisions it makes, apart from its window.

#include <string>
#include <vector>

#include "base/prompts.h"

class CNetbellDoc;
class CRemindTask;
struct ShortcutResult;

// The mixed-value marker: a field that differs between the edited tasks.
inline constexpr const char* kMixedValue = "----------";

// The fields that the dialogs of every kind of task edit.
struct TaskEditFields {
    std::string m_strName;
    std::string m_strAssignTo;
    std::string m_strProject;
    std::string m_strBillingInfo;
    std::string m_strDescription;
    int m_nPriority = -1; // no radio button selected
};

// The first task's fields, with the marker (or priority -1) where any of the
// others differs; texts compare exactly.
TaskEditFields MergeEditFields(const std::vector<const CRemindTask*>& tasks);
// Writes the fields into a task; with bKeepMixed a field still holding the
// marker (or priority -1) leaves the task's own value.
void ApplyEditFields(const TaskEditFields& fields, CRemindTask& task, bool bKeepMixed);

struct TaskDialogData : TaskEditFields {
    int m_nKind = 0;
    int m_nIconId = 0;
    std::string m_strUrl;
    bool m_bAllSites = false;
};

// "%s Task" with the kind's name.
std::string TaskDialogCaption(int nKind);
// A Web Search task opened without a URL picks its engine from a list.
bool IsSearchEngineMode(const TaskDialogData& data);
// Only the kinds with a Favorites button take a shortcut dropped on the URL.
bool AcceptsShortcuts(int nKind);

struct ChoiceItem {
    std::string text;
    int nIndex; // in the document's list; -1 for an item added for this run
};

// The project box: every project with its index and, when the task's
// project is not among them (compared ignoring case, as the box's exact
// search does), that project too. nSelect is the item to select, or -1.
struct ProjectChoices {
    std::vector<ChoiceItem> items;
    int nSelect = -1;
};
ProjectChoices BuildProjectChoices(const std::vector<std::string>& projects, const std::string& current);

// The engine box: each engine's name with its index, in document order.
std::vector<ChoiceItem> BuildEngineChoices(const CNetbellDoc& doc);

// OK in search-engine mode without "All Sites": the chosen engine's URL, or
// the question when none is chosen. False keeps the dialog open.
bool ConfirmSearchSite(TaskDialogData& data, const CNetbellDoc& doc, int nEngineIndex, IPrompts& prompts);

// A resolved shortcut fills the URL, and the name only when it is empty.
void ApplyShortcut(TaskDialogData& data, const ShortcutResult& result);

inline constexpr const char* kMsgSingleUrlOnly = "I am terribly sorry, but you may only drop a single URL in here";

// The task dialog as the commands run it.
class ITaskDialog {
public:
    virtual ~ITaskDialog() = default;
    virtual bool Run(TaskDialogData& data) = 0; // true for OK
};
