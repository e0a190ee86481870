#include "dialogs/list_editors.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "base/dialog_guard.h"
#include "model/netbell_doc.h"

namespace {

bool Contains(const std::vector<size_t>& indexes, size_t n)
{
    return std::find(indexes.begin(), indexes.end(), n) != indexes.end();
}

} // namespace

void InsertProject(CDialogGuard& guard, IListEditorDialogs& dialogs, CNetbellDoc& doc,
                   std::function<void()> saveData)
{
    CDialogGuardScope scope(guard);
    if (scope.Busy())
        return;
    AddProjectData data;
    if (!dialogs.RunAddProject(data))
        return;
    doc.m_arrProjects.push_back(data.strName);
    saveData();
}

void InsertSearchEngine(CDialogGuard& guard, IListEditorDialogs& dialogs, CNetbellDoc& doc,
                        std::function<void()> saveData)
{
    CDialogGuardScope scope(guard);
    if (scope.Busy())
        return;
    AddSearchEngineData data;
    if (dialogs.RunAddSearchEngine(data)) {
        auto item = std::make_unique<CWebSearchItem>();
        item->m_strName = data.strName;
        item->m_strUrl = data.strUrl;
        doc.m_arrSearchItems.push_back(std::move(item));
    }
    saveData();
}

void EditProjectList(CDialogGuard& guard, IListEditorDialogs& dialogs, CNetbellDoc& doc,
                     std::function<void()> saveData)
{
    CDialogGuardScope scope(guard);
    if (scope.Busy())
        return;
    dialogs.RunDeleteProjects(doc);
    saveData();
}

void EditSearchEngineList(CDialogGuard& guard, IListEditorDialogs& dialogs, CNetbellDoc& doc,
                          std::function<void()> saveData)
{
    CDialogGuardScope scope(guard);
    if (scope.Busy())
        return;
    dialogs.RunDeleteSearchEngines(doc);
    saveData();
}

std::optional<EntryMessage> ValidateAddProject(const AddProjectData& data)
{
    if (data.strName.empty())
        return EntryMessage{"Please enter a Project Name", "Project name needed"};
    return std::nullopt;
}

std::optional<EntryMessage> ValidateAddSearchEngine(const AddSearchEngineData& data)
{
    if (data.strName.empty())
        return EntryMessage{"Please fill in a Name for this WebSite", "Data Entry Error"};
    if (data.strUrl.empty())
        return EntryMessage{"Please fill in a URL for this WebSite", "Data Entry Error"};
    return std::nullopt;
}

std::vector<ListEditorRow> ProjectRows(const CNetbellDoc& doc)
{
    std::vector<ListEditorRow> rows;
    for (size_t i = 0; i < doc.m_arrProjects.size(); ++i)
        rows.push_back(ListEditorRow{doc.m_arrProjects[i], std::string(), i});
    return rows;
}

std::vector<ListEditorRow> SearchEngineRows(const CNetbellDoc& doc)
{
    // Each entry goes in at the top row, so the last one added ends up first.
    std::vector<ListEditorRow> rows;
    for (size_t i = 0; i < doc.m_arrSearchItems.size(); ++i) {
        const CWebSearchItem& item = *doc.m_arrSearchItems[i];
        rows.insert(rows.begin(), ListEditorRow{item.m_strName, item.m_strUrl, i});
    }
    return rows;
}

void DeleteProjects(CNetbellDoc& doc, const std::vector<size_t>& selected)
{
    if (selected.empty())
        return;
    const std::vector<std::string> copy = std::move(doc.m_arrProjects);
    doc.m_arrProjects.clear();
    for (size_t i = 0; i < copy.size(); ++i) {
        if (!Contains(selected, i))
            doc.m_arrProjects.push_back(copy[i]);
    }
}

void DeleteSearchEngines(CNetbellDoc& doc, const std::vector<size_t>& selected)
{
    std::vector<std::unique_ptr<CWebSearchItem>> copy = std::move(doc.m_arrSearchItems);
    doc.m_arrSearchItems.clear();
    for (size_t i = 0; i < copy.size(); ++i) {
        if (!Contains(selected, i))
            doc.m_arrSearchItems.push_back(std::move(copy[i]));
    }
    // The collected entries are destroyed with the copy.
}

std::vector<std::string> SplitColumnHeadings(const std::string& headings)
{
    std::vector<std::string> columns;
    size_t start = 0;
    for (size_t comma = headings.find(','); comma != std::string::npos; comma = headings.find(',', start)) {
        columns.push_back(headings.substr(start, comma - start));
        start = comma + 1;
    }
    columns.push_back(headings.substr(start));
    return columns;
}
