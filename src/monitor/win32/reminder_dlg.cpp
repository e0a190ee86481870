#include "monitor/win32/reminder_dlg.h"

#include <commctrl.h>

#include <string>

#include "base/win32/prompts_win32.h"

namespace {

constexpr int kTemplateId = 135;
constexpr int kIdMinutes = 1000;
constexpr int kIdSpin = 1001;
constexpr int kIdNow = 1007;
constexpr int kIdSnooze = 1002;
constexpr int kIdQuiet = 1003;
constexpr int kIdCount = 1061;
constexpr int kChoiceButtons[] = {kIdNow, kIdSnooze, kIdQuiet};

} // namespace

CReminderDlg::CReminderDlg(HINSTANCE hInstance, ReminderDlgData& data)
    : CModalDialog(hInstance, kTemplateId), m_data(data)
{
}

BOOL CReminderDlg::OnInitDialog()
{
    for (int i = 0; i < 3; ++i)
        CheckDlgButton(m_hWnd, kChoiceButtons[i], m_data.nChoice == i ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemInt(m_hWnd, kIdMinutes, static_cast<UINT>(m_data.nMinutes), TRUE);
    SetDlgItemString(m_hWnd, kIdCount, m_data.strCount);
    // The range is set after the minutes, so a stored value outside it shows
    // as it is and is refused on OK.
    // The 16-bit range message: UDM_SETRANGE32 came with common controls 4.71.
    SendDlgItemMessage(m_hWnd, kIdSpin, UDM_SETRANGE, 0, MAKELPARAM(kMaxMinutes, kMinMinutes));
    EnableMinutes(m_data.nChoice == choiceSnooze);
    SetForegroundWindow(m_hWnd);
    return TRUE;
}

void CReminderDlg::EnableMinutes(bool bEnable)
{
    EnableWindow(GetDlgItem(m_hWnd, kIdMinutes), bEnable);
    EnableWindow(GetDlgItem(m_hWnd, kIdSpin), bEnable);
}

BOOL CReminderDlg::OnCommand(WORD id, WORD code, HWND hwndCtl)
{
    if ((id == kIdNow || id == kIdSnooze || id == kIdQuiet) && code == BN_CLICKED) {
        EnableMinutes(id == kIdSnooze);
        return TRUE;
    }
    return CModalDialog::OnCommand(id, code, hwndCtl);
}

void CReminderDlg::OnOK()
{
    int nChoice = -1;
    for (int i = 0; i < 3; ++i) {
        if (IsDlgButtonChecked(m_hWnd, kChoiceButtons[i]) == BST_CHECKED)
            nChoice = i;
    }
    HWND hEdit = GetDlgItem(m_hWnd, kIdMinutes);
    const std::string text = GetWindowString(hEdit);
    // Checked whatever the choice, even while the box is disabled.
    int nMinutes = 0;
    if (const auto message = ValidateMinutes(text, nMinutes)) {
        // Owned by the prompt, so the prompt waits for it.
        CWin32Prompts(m_hWnd).ShowMessage(*message, "", MsgButtons::ok, MsgIcon::exclamation);
        SetFocus(hEdit);
        SendMessage(hEdit, EM_SETSEL, 0, -1);
        return;
    }
    m_data.nChoice = nChoice;
    m_data.nMinutes = nMinutes;
    EndDialog(m_hWnd, IDOK);
}
