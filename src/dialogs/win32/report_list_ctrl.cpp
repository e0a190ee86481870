#include "dialogs/win32/report_list_ctrl.h"

#include <commctrl.h>

#include "dialogs/list_editors.h"

namespace {

// A string of the program's module of any length; empty when missing.
bool LoadProgramString(UINT nId, std::string& text)
{
    const HINSTANCE hInstance = GetModuleHandleA(nullptr);
    for (int size = 256; size <= 65536; size *= 2) {
        std::string buf(size, '\0');
        const int n = LoadStringA(hInstance, nId, &buf[0], size);
        if (n <= 0)
            return false;
        if (n < size - 1) {
            text.assign(buf.data(), n);
            return true;
        }
    }
    return false;
}

} // namespace

bool CReportListCtrl::LoadColumnHeadings(UINT nStringId)
{
    std::string headings;
    if (!LoadProgramString(nStringId, headings))
        return false;
    SetColumnHeadings(headings);
    return true;
}

void CReportListCtrl::SetColumnHeadings(const std::string& headings)
{
    DeleteAllItems();
    while (SendMessageA(m_hWnd, LVM_DELETECOLUMN, 0, 0))
        ;
    InvalidateRect(m_hWnd, nullptr, TRUE);

    int nColumn = 0;
    for (const std::string& piece : SplitColumnHeadings(headings)) {
        std::string text = piece;
        LVCOLUMNA col = {};
        col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        col.fmt = LVCFMT_LEFT;
        col.cx = static_cast<int>(SendMessageA(m_hWnd, LVM_GETSTRINGWIDTHA, 0,
                                               reinterpret_cast<LPARAM>(text.c_str()))) +
                 15;
        col.pszText = &text[0];
        col.iSubItem = nColumn;
        SendMessageA(m_hWnd, LVM_INSERTCOLUMNA, nColumn, reinterpret_cast<LPARAM>(&col));
        ++nColumn;
    }
}

int CReportListCtrl::GetColumnCount() const
{
    const HWND hHeader = reinterpret_cast<HWND>(SendMessageA(m_hWnd, LVM_GETHEADER, 0, 0));
    return hHeader ? static_cast<int>(SendMessageA(hHeader, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

std::string CReportListCtrl::GetColumnText(int nColumn) const
{
    char buf[1024] = {};
    LVCOLUMNA col = {};
    col.mask = LVCF_TEXT;
    col.pszText = buf;
    col.cchTextMax = sizeof buf;
    if (!SendMessageA(m_hWnd, LVM_GETCOLUMNA, nColumn, reinterpret_cast<LPARAM>(&col)))
        return std::string();
    return col.pszText ? std::string(col.pszText) : std::string();
}

int CReportListCtrl::GetColumnWidth(int nColumn) const
{
    return static_cast<int>(SendMessageA(m_hWnd, LVM_GETCOLUMNWIDTH, nColumn, 0));
}

int CReportListCtrl::InsertItem(int nRow, const std::string& text, int nImage)
{
    std::string copy = text;
    LVITEMA item = {};
    item.mask = LVIF_TEXT | (nImage >= 0 ? LVIF_IMAGE : 0);
    item.iItem = nRow;
    item.pszText = &copy[0];
    item.iImage = nImage;
    return static_cast<int>(SendMessageA(m_hWnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

bool CReportListCtrl::SetItemText(int nRow, int nSubItem, const std::string& text)
{
    std::string copy = text;
    LVITEMA item = {};
    item.iSubItem = nSubItem;
    item.pszText = &copy[0];
    return SendMessageA(m_hWnd, LVM_SETITEMTEXTA, nRow, reinterpret_cast<LPARAM>(&item)) != 0;
}

std::string CReportListCtrl::GetItemText(int nRow, int nSubItem) const
{
    // The control copies at most the buffer's size; grow until it fits.
    for (int size = 256; size <= 65536; size *= 2) {
        std::string buf(size, '\0');
        LVITEMA item = {};
        item.iSubItem = nSubItem;
        item.pszText = &buf[0];
        item.cchTextMax = size;
        const int n = static_cast<int>(
            SendMessageA(m_hWnd, LVM_GETITEMTEXTA, nRow, reinterpret_cast<LPARAM>(&item)));
        if (n < size - 1)
            return std::string(buf.data(), n > 0 ? n : 0);
    }
    return std::string();
}

bool CReportListCtrl::SetItemData(int nRow, LPARAM data)
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nRow;
    item.lParam = data;
    return SendMessageA(m_hWnd, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)) != 0;
}

LPARAM CReportListCtrl::GetItemData(int nRow) const
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nRow;
    if (!SendMessageA(m_hWnd, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return 0;
    return item.lParam;
}

int CReportListCtrl::GetItemCount() const
{
    return static_cast<int>(SendMessageA(m_hWnd, LVM_GETITEMCOUNT, 0, 0));
}

bool CReportListCtrl::DeleteAllItems()
{
    return SendMessageA(m_hWnd, LVM_DELETEALLITEMS, 0, 0) != 0;
}

std::vector<int> CReportListCtrl::GetSelectedRows() const
{
    std::vector<int> rows;
    int nRow = -1;
    while ((nRow = static_cast<int>(SendMessageA(m_hWnd, LVM_GETNEXTITEM, nRow, LVNI_SELECTED))) != -1)
        rows.push_back(nRow);
    return rows;
}
