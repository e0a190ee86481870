#pragma once
// The plain report list both list baselines fill, in the measuring program
// and in a program of its own: nine titled columns, rows appended with
// their texts set cell by cell.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

// The list, as a child filling most of the frame; null when it cannot be made.
inline HWND CreatePlainList(HWND frame, HINSTANCE hInstance)
{
    HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 760,
                                540, frame, nullptr, hInstance, nullptr);
    if (!list)
        return nullptr;
    static const char* const titles[] = {"Type", "Priority", "Name", "Description", "Url",
                                         "Project", "Assign To", "Billing Info", "Date Added"};
    for (int c = 0; c < 9; ++c) {
        LVCOLUMNA col = {};
        col.mask = LVCF_TEXT | LVCF_WIDTH;
        col.pszText = const_cast<char*>(titles[c]);
        col.cx = 80;
        SendMessageA(list, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&col));
    }
    return list;
}

inline void AppendPlainRow(HWND list, int row, const std::vector<std::string>& cells)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = row;
    item.pszText = const_cast<char*>(cells.empty() ? "" : cells[0].c_str());
    item.lParam = row;
    const int at = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    for (size_t c = 1; c < 9 && c < cells.size(); ++c) {
        LVITEMA sub = {};
        sub.iSubItem = static_cast<int>(c);
        sub.pszText = const_cast<char*>(cells[c].c_str());
        SendMessageA(list, LVM_SETITEMTEXTA, at, reinterpret_cast<LPARAM>(&sub));
    }
}
