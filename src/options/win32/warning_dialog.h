#pragma once
// The warning dialog ("WARNING !!").

#include <windows.h>

#include <string>

#include "base/win32/window.h"
#include "options/warnings.h"

class CWarningDialog : public CModalDialog {
public:
    explicit CWarningDialog(HINSTANCE hInstance);

    std::string m_strMessage;
    bool m_bIgnore = false;

protected:
    BOOL OnInitDialog() override;
    // Only OK reads the check box; Escape and the close box leave it unread.
    void OnOK() override;
};

// Runs CWarningDialog modally, owned by the given window.
class CWin32WarningDialog : public IWarningDialog {
public:
    CWin32WarningDialog(HINSTANCE hInstance, HWND hwndOwner) : m_hInstance(hInstance), m_hwndOwner(hwndOwner) {}
    bool Run(const std::string& text, bool& bIgnore) override;

private:
    HINSTANCE m_hInstance;
    HWND m_hwndOwner;
};

// A string of the module's string table; empty when it has none.
std::string LoadWarningText(HINSTANCE hInstance, UINT nStringId);
