#include "options/win32/warning_dialog.h"

#include "res/resource.h"

CWarningDialog::CWarningDialog(HINSTANCE hInstance) : CModalDialog(hInstance, IDD_WARNING) {}

BOOL CWarningDialog::OnInitDialog()
{
    SetDlgItemString(m_hWnd, IDC_WARNING_TEXT, m_strMessage);
    CheckDlgButton(m_hWnd, IDC_WARNING_IGNORE, m_bIgnore ? BST_CHECKED : BST_UNCHECKED);
    // Start on OK, so a stray space bar does not tick the box.
    SetFocus(GetDlgItem(m_hWnd, IDOK));
    return FALSE;
}

void CWarningDialog::OnOK()
{
    m_bIgnore = IsDlgButtonChecked(m_hWnd, IDC_WARNING_IGNORE) == BST_CHECKED;
    EndDialog(m_hWnd, IDOK);
}

bool CWin32WarningDialog::Run(const std::string& text, bool& bIgnore)
{
    CWarningDialog dlg(m_hInstance);
    dlg.m_strMessage = text;
    dlg.m_bIgnore = bIgnore;
    if (dlg.DoModal(m_hwndOwner) != IDOK)
        return false;
    bIgnore = dlg.m_bIgnore;
    return true;
}

std::string LoadWarningText(HINSTANCE hInstance, UINT nStringId)
{
    for (int size = 256; size <= 65536; size *= 2) {
        tstring buf(static_cast<size_t>(size), TEXT('\0'));
        const int n = LoadString(hInstance, nStringId, &buf[0], size);
        if (n <= 0)
            return std::string();
        if (n < size - 1)
            return FromSys(buf.data(), static_cast<size_t>(n));
    }
    return std::string();
}
