#include "frontpage/document_list_logic.h"

std::vector<std::string> CDocumentListLogic::s_arrPageTitles;
std::vector<std::string> CDocumentListLogic::s_arrPageUrls;
bool CDocumentListLogic::s_bPageSortDescending = false;

std::vector<PageEntry> ParsePageList(const std::string& list)
{
    std::vector<PageEntry> pages;
    std::string::size_type pos = 0;
    for (;;) {
        const std::string::size_type endTitle = list.find('\n', pos);
        if (endTitle == std::string::npos)
            break;
        PageEntry page;
        page.strTitle = list.substr(pos, endTitle - pos);
        pos = endTitle + 1;
        const std::string::size_type endUrl = list.find('\n', pos);
        if (endUrl != std::string::npos) {
            page.strUrl = list.substr(pos, endUrl - pos);
            pos = endUrl + 1;
        }
        pages.push_back(page);
    }
    return pages;
}

int ComparePageText(const std::string& a, const std::string& b)
{
    const int n = a.compare(b);
    return n < 0 ? -1 : (n > 0 ? 1 : 0);
}

CDocumentListLogic::CDocumentListLogic(IFrontPageExplorer* pExplorer) : m_pExplorer(pExplorer)
{
    s_bPageSortDescending = false;
}

CDocumentListLogic::~CDocumentListLogic()
{
    s_arrPageTitles.clear();
    s_arrPageUrls.clear();
}

void CDocumentListLogic::Fill(IDocumentListView& view)
{
    if (!m_pExplorer)
        return;
    for (const PageEntry& page : ParsePageList(m_pExplorer->GetPageList(0))) {
        s_arrPageTitles.push_back(page.strTitle);
        s_arrPageUrls.push_back(page.strUrl);
        // Each row goes on top, so the list shows FrontPage's order reversed.
        view.InsertRowAtTop(page.strTitle, page.strUrl, s_arrPageTitles.size() - 1);
    }
}

void CDocumentListLogic::Refresh(IDocumentListView& view)
{
    view.DeleteAllRows();
    s_arrPageTitles.clear();
    s_arrPageUrls.clear();
    Fill(view);
}

void CDocumentListLogic::OnColumnClick(int nColumn, IDocumentListView& view, IFrontPageSystem& system)
{
    s_bPageSortDescending = !s_bPageSortDescending;
    CWaitCursor wait(system);
    view.SortRows(nColumn);
}

int CDocumentListLogic::ComparePages(size_t a, size_t b, int nColumn)
{
    const std::vector<std::string>& texts = nColumn == 0 ? s_arrPageTitles : s_arrPageUrls;
    if (a >= texts.size() || b >= texts.size())
        return 0;
    const int n = ComparePageText(texts[a], texts[b]);
    return s_bPageSortDescending ? -n : n;
}

void CDocumentListLogic::TakePage(size_t nIndex)
{
    if (nIndex >= s_arrPageTitles.size())
        return;
    m_strSelTitle = s_arrPageTitles[nIndex];
    m_strSelUrl = s_arrPageUrls[nIndex];
}

bool CDocumentListLogic::OnOK(long nSelectedIndex, IPrompts& prompts)
{
    if (nSelectedIndex < 0) {
        prompts.ShowMessage("Please select a document in your FrontPage Web to link to", "Data Entry Error",
                            MsgButtons::ok, MsgIcon::exclamation);
        return false;
    }
    TakePage(static_cast<size_t>(nSelectedIndex));
    return true;
}
