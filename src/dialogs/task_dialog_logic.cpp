#include "dialogs/task_dialog_logic.h"

#include <cctype>

#include "dialogs/shortcuts.h"
#include "model/netbell_doc.h"

namespace {

bool EqualNoCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

} // namespace

TaskEditFields MergeEditFields(const std::vector<const CRemindTask*>& tasks)
{
    TaskEditFields f;
    if (tasks.empty())
        return f;
    const CRemindTask& first = *tasks[0];
    f.m_nPriority = first.m_nPriority;
    f.m_strName = first.m_strName;
    f.m_strAssignTo = first.m_strAssignTo;
    f.m_strProject = first.m_strProject;
    f.m_strBillingInfo = first.m_strBillingInfo;
    f.m_strDescription = first.m_strDescription;
    const auto merge = [](std::string& field, const std::string& other) {
        if (field != other)
            field = kMixedValue;
    };
    for (size_t i = 1; i < tasks.size(); ++i) {
        const CRemindTask& t = *tasks[i];
        if (t.m_nPriority != first.m_nPriority)
            f.m_nPriority = -1;
        merge(f.m_strName, t.m_strName);
        merge(f.m_strAssignTo, t.m_strAssignTo);
        merge(f.m_strProject, t.m_strProject);
        merge(f.m_strBillingInfo, t.m_strBillingInfo);
        merge(f.m_strDescription, t.m_strDescription);
    }
    return f;
}

void ApplyEditFields(const TaskEditFields& f, CRemindTask& task, bool bKeepMixed)
{
    const auto copy = [&](const std::string& from, std::string& to) {
        if (!bKeepMixed || from != kMixedValue)
            to = from;
    };
    if (!bKeepMixed || f.m_nPriority != -1)
        task.m_nPriority = f.m_nPriority;
    copy(f.m_strName, task.m_strName);
    copy(f.m_strAssignTo, task.m_strAssignTo);
    copy(f.m_strProject, task.m_strProject);
    copy(f.m_strBillingInfo, task.m_strBillingInfo);
    copy(f.m_strDescription, task.m_strDescription);
}

std::string TaskDialogCaption(int nKind)
{
    return GetKindName(static_cast<uint32_t>(nKind)) + " Task";
}

bool IsSearchEngineMode(const TaskDialogData& data)
{
    return data.m_nKind == kindSearch && data.m_strUrl.empty();
}

bool AcceptsShortcuts(int nKind)
{
    return nKind != kindSearch;
}

ProjectChoices BuildProjectChoices(const std::vector<std::string>& projects, const std::string& current)
{
    ProjectChoices choices;
    for (size_t i = 0; i < projects.size(); ++i)
        choices.items.push_back(ChoiceItem{projects[i], static_cast<int>(i)});
    if (current.empty())
        return choices;
    for (size_t i = 0; i < choices.items.size(); ++i) {
        if (EqualNoCase(choices.items[i].text, current)) {
            choices.nSelect = static_cast<int>(i);
            return choices;
        }
    }
    choices.items.push_back(ChoiceItem{current, -1});
    choices.nSelect = static_cast<int>(choices.items.size() - 1);
    return choices;
}

std::vector<ChoiceItem> BuildEngineChoices(const CNetbellDoc& doc)
{
    std::vector<ChoiceItem> items;
    for (size_t i = 0; i < doc.m_arrSearchItems.size(); ++i)
        items.push_back(ChoiceItem{doc.m_arrSearchItems[i]->m_strName, static_cast<int>(i)});
    return items;
}

bool ConfirmSearchSite(TaskDialogData& data, const CNetbellDoc& doc, int nEngineIndex, IPrompts& prompts)
{
    if (nEngineIndex >= 0 && static_cast<size_t>(nEngineIndex) < doc.m_arrSearchItems.size()) {
        data.m_strUrl = doc.m_arrSearchItems[nEngineIndex]->m_strUrl;
        return true;
    }
    return prompts.ShowMessage("You have not selected a Search Site, Is that OK ?", "Warning", MsgButtons::yesNo,
                               MsgIcon::question) == MsgResult::yes;
}

void ApplyShortcut(TaskDialogData& data, const ShortcutResult& result)
{
    if (data.m_strName.empty())
        data.m_strName = result.title;
    data.m_strUrl = result.url;
}
