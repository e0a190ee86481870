#include "dialogs/win32/choice_combo.h"

#include "base/win32/window.h"

void FillChoiceCombo(HWND hCombo, const std::vector<ChoiceItem>& items, int nSelect)
{
    for (const ChoiceItem& item : items) {
        const tstring text = ToSys(item.text);
        const LRESULT pos = SendMessage(hCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        if (pos >= 0)
            SendMessage(hCombo, CB_SETITEMDATA, pos, static_cast<LPARAM>(item.nIndex));
    }
    if (nSelect < 0 || static_cast<size_t>(nSelect) >= items.size())
        return;
    const LPARAM wanted = items[static_cast<size_t>(nSelect)].nIndex;
    const int n = static_cast<int>(SendMessage(hCombo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        if (SendMessage(hCombo, CB_GETITEMDATA, i, 0) == wanted) {
            SendMessage(hCombo, CB_SETCURSEL, i, 0);
            break;
        }
    }
}

std::string ChosenChoiceText(HWND hCombo, const std::vector<ChoiceItem>& items)
{
    const LRESULT sel = SendMessage(hCombo, CB_GETCURSEL, 0, 0);
    if (sel == CB_ERR)
        return std::string();
    const LRESULT data = SendMessage(hCombo, CB_GETITEMDATA, sel, 0);
    for (const ChoiceItem& item : items) {
        if (item.nIndex == data)
            return item.text;
    }
    return GetWindowString(hCombo);
}
