#pragma once
// Message boxes through MessageBox.

#include <windows.h>

#include "base/prompts.h"

class CWin32Prompts : public IPrompts {
public:
    explicit CWin32Prompts(HWND hwndOwner = nullptr) : m_hwndOwner(hwndOwner) {}

    // The window the boxes are modal to; null for none.
    void SetOwner(HWND hwndOwner) { m_hwndOwner = hwndOwner; }
    HWND Owner() const { return m_hwndOwner; }

    MsgResult ShowMessage(const std::string& text, const std::string& caption, MsgButtons buttons,
                         MsgIcon icon) override;
    void Beep(MsgIcon icon) override;

private:
    HWND m_hwndOwner;
};
