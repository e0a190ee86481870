#include "base/win32/prompts_win32.h"

#include "base/win32/text_win32.h"

namespace {

constexpr const char* kAppTitle = "Netbell";

UINT ButtonFlags(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::ok: return MB_OK;
    case MsgButtons::okCancel: return MB_OKCANCEL;
    case MsgButtons::yesNo: return MB_YESNO;
    case MsgButtons::yesNoCancel: return MB_YESNOCANCEL;
    }
    return MB_OK;
}

UINT IconFlags(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::none: return 0;
    case MsgIcon::exclamation: return MB_ICONEXCLAMATION;
    case MsgIcon::stop: return MB_ICONSTOP;
    case MsgIcon::question: return MB_ICONQUESTION;
    case MsgIcon::information: return MB_ICONINFORMATION;
    }
    return 0;
}

} // namespace

MsgResult CWin32Prompts::ShowMessage(const std::string& text, const std::string& caption, MsgButtons buttons,
                                    MsgIcon icon)
{
    switch (MessageBox(m_hwndOwner, ToSys(text).c_str(), ToSys(caption.empty() ? kAppTitle : caption).c_str(),
                       ButtonFlags(buttons) | IconFlags(icon))) {
    case IDOK: return MsgResult::ok;
    case IDYES: return MsgResult::yes;
    case IDNO: return MsgResult::no;
    // A box that could not be shown counts as cancelled, which no caller
    // takes as consent.
    default: return MsgResult::cancel;
    }
}

void CWin32Prompts::Beep(MsgIcon icon)
{
    // MsgIcon::none is the default sound (MB_OK).
    MessageBeep(IconFlags(icon));
}
