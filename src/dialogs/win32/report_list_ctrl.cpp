#include "dialogs/win32/report_list_ctrl.h"

#include <commctrl.h>

#include "base/win32/text_win32.h"
#include "dialogs/list_editors.h"

namespace {

// A string of the program's module of any length; empty when missing.
bool LoadProgramString(UINT nId, std::string& text)
{
    const HINSTANCE hInstance = GetModuleHandle(nullptr);
    for (int size = 256; size <= 65536; size *= 2) {
        tstring buf(static_cast<size_t>(size), TEXT('\0'));
        const int n = LoadString(hInstance, nId, &buf[0], size);
        if (n <= 0)
            return false;
        if (n < size - 1) {
            text = FromSys(buf.data(), static_cast<size_t>(n));
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
    while (SendMessage(m_hWnd, LVM_DELETECOLUMN, 0, 0))
        ;
    InvalidateRect(m_hWnd, nullptr, TRUE);

    int nColumn = 0;
    for (const std::string& piece : SplitColumnHeadings(headings)) {
        tstring text = ToSys(piece);
        LVCOLUMN col = {};
        col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        col.fmt = LVCFMT_LEFT;
        col.cx = static_cast<int>(SendMessage(m_hWnd, LVM_GETSTRINGWIDTH, 0, reinterpret_cast<LPARAM>(text.c_str()))) +
                 15;
        col.pszText = &text[0];
        col.iSubItem = nColumn;
        SendMessage(m_hWnd, LVM_INSERTCOLUMN, nColumn, reinterpret_cast<LPARAM>(&col));
        ++nColumn;
    }
}

int CReportListCtrl::GetColumnCount() const
{
    const HWND hHeader = reinterpret_cast<HWND>(SendMessage(m_hWnd, LVM_GETHEADER, 0, 0));
    return hHeader ? static_cast<int>(SendMessage(hHeader, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

std::string CReportListCtrl::GetColumnText(int nColumn) const
{
    TCHAR buf[1024] = {};
    LVCOLUMN col = {};
    col.mask = LVCF_TEXT;
    col.pszText = buf;
    col.cchTextMax = sizeof buf / sizeof buf[0];
    if (!SendMessage(m_hWnd, LVM_GETCOLUMN, nColumn, reinterpret_cast<LPARAM>(&col)))
        return std::string();
    return col.pszText ? FromSys(col.pszText) : std::string();
}

int CReportListCtrl::GetColumnWidth(int nColumn) const
{
    return static_cast<int>(SendMessage(m_hWnd, LVM_GETCOLUMNWIDTH, nColumn, 0));
}

int CReportListCtrl::InsertItem(int nRow, const std::string& text, int nImage)
{
    tstring copy = ToSys(text);
    LVITEM item = {};
    item.mask = LVIF_TEXT | (nImage >= 0 ? LVIF_IMAGE : 0);
    item.iItem = nRow;
    item.pszText = &copy[0];
    item.iImage = nImage;
    return static_cast<int>(SendMessage(m_hWnd, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item)));
}

bool CReportListCtrl::SetItemText(int nRow, int nSubItem, const std::string& text)
{
    tstring copy = ToSys(text);
    LVITEM item = {};
    item.iSubItem = nSubItem;
    item.pszText = &copy[0];
    return SendMessage(m_hWnd, LVM_SETITEMTEXT, nRow, reinterpret_cast<LPARAM>(&item)) != 0;
}

std::string CReportListCtrl::GetItemText(int nRow, int nSubItem) const
{
    // The control copies at most the buffer's size; grow until it fits.
    for (int size = 256; size <= 65536; size *= 2) {
        tstring buf(static_cast<size_t>(size), TEXT('\0'));
        LVITEM item = {};
        item.iSubItem = nSubItem;
        item.pszText = &buf[0];
        item.cchTextMax = size;
        const int n = static_cast<int>(SendMessage(m_hWnd, LVM_GETITEMTEXT, nRow, reinterpret_cast<LPARAM>(&item)));
        if (n < size - 1)
            return FromSys(buf.data(), static_cast<size_t>(n > 0 ? n : 0));
    }
    return std::string();
}

bool CReportListCtrl::SetItemData(int nRow, LPARAM data)
{
    LVITEM item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nRow;
    item.lParam = data;
    return SendMessage(m_hWnd, LVM_SETITEM, 0, reinterpret_cast<LPARAM>(&item)) != 0;
}

LPARAM CReportListCtrl::GetItemData(int nRow) const
{
    LVITEM item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nRow;
    if (!SendMessage(m_hWnd, LVM_GETITEM, 0, reinterpret_cast<LPARAM>(&item)))
        return 0;
    return item.lParam;
}

int CReportListCtrl::GetItemCount() const
{
    return static_cast<int>(SendMessage(m_hWnd, LVM_GETITEMCOUNT, 0, 0));
}

bool CReportListCtrl::DeleteAllItems()
{
    return SendMessage(m_hWnd, LVM_DELETEALLITEMS, 0, 0) != 0;
}

std::vector<int> CReportListCtrl::GetSelectedRows() const
{
    std::vector<int> rows;
    int nRow = -1;
    while ((nRow = static_cast<int>(SendMessage(m_hWnd, LVM_GETNEXTITEM, nRow, LVNI_SELECTED))) != -1)
        rows.push_back(nRow);
    return rows;
}
