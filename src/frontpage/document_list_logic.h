#pragma once
// The Document List: the pages of the web open in the Explorer, from which
// a FrontPage task's linked page is chosen. Its logic, apart from the window.

#include <cstddef>
#include <string>
#include <vector>

#include "base/prompts.h"
#include "frontpage/frontpage_ports.h"

struct PageEntry {
    std::string strTitle;
    std::string strUrl;
};

// Cuts FrontPage's page list at line feeds into title and URL pairs. A
// title needs a line feed after it; a URL without one is empty.
std::vector<PageEntry> ParsePageList(const std::string& list);

// Case-sensitive, character by character (UTF-8 orders so byte by byte).
int ComparePageText(const std::string& a, const std::string& b);

// What the logic asks of the dialog's list.
class IDocumentListView {
public:
    virtual ~IDocumentListView() = default;
    virtual void InsertRowAtTop(const std::string& title, const std::string& url, size_t nIndex) = 0;
    virtual void DeleteAllRows() = 0;
    // Has the control sort its rows with CDocumentListLogic::ComparePages.
    virtual void SortRows(int nColumn) = 0;
};

// One run of the dialog. The pages and the sort direction are shared with
// the list's compare function; there is one dialog at a time.
class CDocumentListLogic {
public:
    explicit CDocumentListLogic(IFrontPageExplorer* pExplorer);
    ~CDocumentListLogic();
    CDocumentListLogic(const CDocumentListLogic&) = delete;
    CDocumentListLogic& operator=(const CDocumentListLogic&) = delete;

    void Fill(IDocumentListView& view);
    void Refresh(IDocumentListView& view);
    void OnColumnClick(int nColumn, IDocumentListView& view, IFrontPageSystem& system);
    // A page chosen by double click or OK: nIndex is the row's item data.
    void TakePage(size_t nIndex);
    // OK with the selected row's item data, or none (-1): true closes.
    bool OnOK(long nSelectedIndex, IPrompts& prompts);

    // Rows by their item data under a column: 0 titles, 1 URLs.
    static int ComparePages(size_t a, size_t b, int nColumn);

    IFrontPageExplorer* m_pExplorer; // the caller's, not owned
    std::string m_strSelTitle;
    std::string m_strSelUrl;

    static std::vector<std::string> s_arrPageTitles;
    static std::vector<std::string> s_arrPageUrls;
    static bool s_bPageSortDescending;
};
