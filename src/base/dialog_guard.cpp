#include "base/dialog_guard.h"

CDialogGuard::CDialogGuard(IGuardEvent& event, IPrompts& prompts, std::function<void()> bringMainWindowForward)
    : m_event(event), m_prompts(prompts), m_bringForward(std::move(bringMainWindowForward))
{
}

bool CDialogGuard::TakeDialogGuard()
{
    if (m_event.IsSignalled()) {
        m_event.Reset();
        return false;
    }
    if (m_bringForward)
        m_bringForward();
    m_prompts.Beep(MsgIcon::exclamation);
    m_prompts.ShowMessage(kMsgDialogActive, "", MsgButtons::ok, MsgIcon::none);
    return true;
}

void CDialogGuard::ReleaseDialogGuard()
{
    m_event.Set();
}

bool CDialogGuard::RefuseExit()
{
    if (m_event.IsSignalled())
        return false;
    m_prompts.Beep(MsgIcon::exclamation);
    m_prompts.ShowMessage(kMsgCannotExit, "Cannot Exit", MsgButtons::ok, MsgIcon::exclamation);
    return true;
}
