#include "frontpage/win32/document_list_dialog.h"

#include <commctrl.h>

#include "base/win32/common_controls.h"
#include "base/win32/prompts_win32.h"
#include "res/frontpage_ids.h"
#include "res/resource.h"

std::string LoadModuleString(HINSTANCE hInstance, UINT nId)
{
    for (int size = 256; size <= 65536; size *= 2) {
        tstring buf(static_cast<size_t>(size), TEXT('\0'));
        const int n = LoadString(hInstance, nId, &buf[0], size);
        if (n <= 0)
            return std::string();
        if (n < size - 1)
            return FromSys(buf.data(), static_cast<size_t>(n));
    }
    return std::string();
}

CDocumentListDialog::CDocumentListDialog(HINSTANCE hInstance, IFrontPageExplorer* pExplorer, IFrontPageSystem& system,
                                         IPrompts& prompts, CWin32Prompts* pOwnedPrompts)
    : CModalDialog(hInstance, IDD_DOCUMENT_LIST), m_logic(pExplorer), m_system(system), m_prompts(prompts),
      m_pOwnedPrompts(pOwnedPrompts)
{
}

bool CDocumentListDialog::Run(HWND hwndOwner)
{
    if (m_pOwnedPrompts)
        m_hwndPromptOwner = m_pOwnedPrompts->Owner();
    const bool bOk = DoModal(hwndOwner) == IDOK;
    if (m_pOwnedPrompts)
        m_pOwnedPrompts->SetOwner(m_hwndPromptOwner);
    if (bOk) {
        m_strSelTitle = m_logic.m_strSelTitle;
        m_strSelUrl = m_logic.m_strSelUrl;
    }
    return bOk;
}

BOOL CDocumentListDialog::OnInitDialog()
{
    if (m_pOwnedPrompts)
        m_pOwnedPrompts->SetOwner(m_hWnd);
    m_list.Attach(GetDlgItem(m_hWnd, IDC_DOCLIST_LIST));
    // The headings live with the templates, which tests load from the
    // program file rather than from themselves.
    if (!m_list.LoadColumnHeadings(IDS_DOCUMENT_COLUMNS))
        m_list.SetColumnHeadings(LoadModuleString(m_hInstance, IDS_DOCUMENT_COLUMNS));
    m_logic.Fill(*this);
    return TRUE;
}

void CDocumentListDialog::InsertRowAtTop(const std::string& title, const std::string& url, size_t nIndex)
{
    const int nRow = m_list.InsertItem(0, title);
    if (nRow < 0)
        return;
    m_list.SetItemText(nRow, 1, url);
    m_list.SetItemData(nRow, static_cast<LPARAM>(nIndex));
}

void CDocumentListDialog::DeleteAllRows()
{
    m_list.DeleteAllItems();
}

int CALLBACK CDocumentListDialog::ComparePages(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort)
{
    return CDocumentListLogic::ComparePages(static_cast<size_t>(lParam1), static_cast<size_t>(lParam2),
                                            static_cast<int>(lParamSort));
}

void CDocumentListDialog::SortRows(int nColumn)
{
    SendMessage(m_list.GetSafeHwnd(), LVM_SORTITEMS, static_cast<WPARAM>(nColumn),
                reinterpret_cast<LPARAM>(ComparePages));
}

void CDocumentListDialog::Close(size_t nIndex)
{
    m_logic.TakePage(nIndex);
    EndDialog(m_hWnd, IDOK);
}

void CDocumentListDialog::OnOK()
{
    const std::vector<int> rows = m_list.GetSelectedRows();
    const long nIndex = rows.empty() ? -1 : static_cast<long>(m_list.GetItemData(rows[0]));
    if (m_logic.OnOK(nIndex, m_prompts))
        EndDialog(m_hWnd, IDOK);
}

BOOL CDocumentListDialog::OnCommand(WORD id, WORD code, HWND hwndCtl)
{
    if (id == IDC_DOCLIST_REFRESH) {
        if (code == BN_CLICKED)
            m_logic.Refresh(*this);
        return TRUE;
    }
    return CModalDialog::OnCommand(id, code, hwndCtl);
}

BOOL CDocumentListDialog::OnNotify(NMHDR* pnmh)
{
    if (pnmh->idFrom != IDC_DOCLIST_LIST)
        return FALSE;
    if (pnmh->code == LVN_COLUMNCLICK) {
        m_logic.OnColumnClick(reinterpret_cast<NMLISTVIEW*>(pnmh)->iSubItem, *this, m_system);
        return TRUE;
    }
    if (pnmh->code == NM_DBLCLK) {
        // Only a click on a row's icon or label chooses it.
        LVHITTESTINFO hit = {};
        hit.pt = ListClickPoint(pnmh);
        const int nRow = static_cast<int>(SendMessage(pnmh->hwndFrom, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
        if (nRow >= 0 && (hit.flags & (LVHT_ONITEMICON | LVHT_ONITEMLABEL)))
            Close(static_cast<size_t>(m_list.GetItemData(nRow)));
        return TRUE;
    }
    return FALSE;
}

INT_PTR CDocumentListDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NOTIFY)
        return OnNotify(reinterpret_cast<NMHDR*>(lParam));
    return CModalDialog::HandleMessage(msg, wParam, lParam);
}
