#pragma once
// Message boxes through MessageBoxA.

#include "app/prompts.h"

// Declared as <windows.h> does, so this header stays free of its macros
// (MessageBox among them).
struct HWND__;
typedef HWND__* HWND;

class CWin32Prompts : public IPrompts {
public:
    explicit CWin32Prompts(HWND hwndOwner = nullptr) : m_hwndOwner(hwndOwner) {}

    // The window the boxes are modal to; null for none.
    void SetOwner(HWND hwndOwner) { m_hwndOwner = hwndOwner; }
    HWND Owner() const { return m_hwndOwner; }

    MsgResult MessageBox(const std::string& text, const std::string& caption, MsgButtons buttons,
                         MsgIcon icon) override;

private:
    HWND m_hwndOwner;
};
