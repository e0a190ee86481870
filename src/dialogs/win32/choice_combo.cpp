#include "dialogs/win32/choice_combo.h"

void FillChoiceCombo(HWND hCombo, const std::vector<ChoiceItem>& items, int nSelect)
{
    for (const ChoiceItem& item : items) {
        const LRESULT pos = SendMessageA(hCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.text.c_str()));
        if (pos >= 0)
            SendMessageA(hCombo, CB_SETITEMDATA, pos, static_cast<LPARAM>(item.nIndex));
    }
    if (nSelect < 0 || static_cast<size_t>(nSelect) >= items.size())
        return;
    const LPARAM wanted = items[static_cast<size_t>(nSelect)].nIndex;
    const int n = static_cast<int>(SendMessageA(hCombo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        if (SendMessageA(hCombo, CB_GETITEMDATA, i, 0) == wanted) {
            SendMessageA(hCombo, CB_SETCURSEL, i, 0);
            break;
        }
    }
}
