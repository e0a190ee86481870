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
