#pragma once
// A list-view control in report view whose columns come from one
// comma-separated string resource. It wraps a control some window owns.

#include <windows.h>

#include <string>
#include <vector>

class CReportListCtrl {
public:
    CReportListCtrl() = default;
    explicit CReportListCtrl(HWND hWnd) : m_hWnd(hWnd) {}

    void Attach(HWND hWnd) { m_hWnd = hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }

    // Rebuilds every column from the program's string nStringId. False, with
    // the list untouched, when there is no such string.
    bool LoadColumnHeadings(UINT nStringId);
    // The same from the heading text itself: every item and column goes,
    // then one left-aligned column per comma-separated piece, as wide as
    // the piece's text (trailing spaces included) plus 15 pixels.
    void SetColumnHeadings(const std::string& headings);

    int GetColumnCount() const;
    std::string GetColumnText(int nColumn) const;
    int GetColumnWidth(int nColumn) const;

    // The row the item went to, or -1. nImage < 0 gives the item no image.
    int InsertItem(int nRow, const std::string& text, int nImage = -1);
    bool SetItemText(int nRow, int nSubItem, const std::string& text);
    std::string GetItemText(int nRow, int nSubItem) const;
    bool SetItemData(int nRow, LPARAM data);
    LPARAM GetItemData(int nRow) const;
    int GetItemCount() const;
    bool DeleteAllItems();

    // The selected rows from the top down.
    std::vector<int> GetSelectedRows() const;

private:
    HWND m_hWnd = nullptr; // not owned: destroyed with its parent
};
