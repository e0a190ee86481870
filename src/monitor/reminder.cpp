#include "monitor/reminder.h"

#include <cctype>
#include <cstdio>

#include "base/dialog_guard.h"
#include "base/settings.h"
#include "model/netbell_doc.h"

std::optional<bool> IsConnected(IConnectionPorts& ports, ISettingsStore& settings)
{
    const ConnectionLook dialUp = ports.GetActiveConnection();
    if (dialUp.value_or(0) != 0)
        return true;
    // Read at every look, so the setting takes effect at the next poll.
    const NetworkLook network =
        ReadSetting(settings, setting::WatchNetwork) != 0 ? ports.IsNetworkAlive() : NetworkLook(false);
    if (network.value_or(false))
        return true;
    if (!dialUp || !network)
        return std::nullopt;
    return false;
}

void MonitorPoll(ReminderFlags& flags, IMonitorPorts& ports, ISettingsStore& settings)
{
    if (!flags.bWindowShown && !flags.bSnoozing && !flags.bDontNotify && !flags.bNotified &&
        IsConnected(ports, settings).value_or(false)) {
        if (ports.IsDialogGuardTaken()) {
            ports.BeepExclamation();
        } else {
            ports.PostConnectionUp();
            flags.bNotified = 1;
        }
    }
    if ((flags.bDontNotify || flags.bNotified) && IsConnected(ports, settings) == std::optional<bool>(false)) {
        flags.bDontNotify = 0;
        flags.bNotified = 0;
    }
}

std::optional<std::string> ValidateMinutes(const std::string& text, int& nMinutes)
{
    // Blanks around one optional sign and its digits, as a typed integer may have.
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool bNegative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        bNegative = text[i++] == '-';
    const size_t digits = i;
    long long value = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
        if (value < 1000000000LL)
            value = value * 10 + (text[i] - '0');
        ++i;
    }
    const bool bHadDigits = i > digits;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    if (!bHadDigits || i != text.size())
        return std::string("Please enter an integer.");
    if (bNegative)
        value = -value;
    if (value < kMinMinutes || value > kMaxMinutes) {
        char buf[80];
        std::snprintf(buf, sizeof buf, "Please enter an integer between %d and %d.", kMinMinutes, kMaxMinutes);
        return std::string(buf);
    }
    nMinutes = static_cast<int>(value);
    return std::nullopt;
}

CReminderCycle::CReminderCycle(CNetbellDoc& doc, ISettingsStore& settings, IPrompts& prompts, CDialogGuard& guard,
                               ReminderFlags& flags, IReminderPorts& ports)
    : m_doc(doc), m_settings(settings), m_prompts(prompts), m_guard(guard), m_flags(flags), m_ports(ports)
{
}

void CReminderCycle::OnConnectionUp()
{
    CDialogGuardScope guard(m_guard);
    if (!guard.Busy())
        ShowReminderPrompt();
}

void CReminderCycle::OnTimer()
{
    if (m_guard.IsTaken()) {
        m_ports.KillReminderTimer();
        m_ports.SetReminderTimer(kGuardRetryMilliseconds);
        return;
    }
    m_ports.KillReminderTimer();
    // The flag holds the monitor off while the prompt is under way. When no
    // prompt comes up (the list was emptied meanwhile) it goes back to what
    // it was, or no connection would ever be reminded about again.
    const long bWasShown = m_flags.bWindowShown;
    m_flags.bWindowShown = 1;
    m_flags.bSnoozing = 0;
    CDialogGuardScope guard(m_guard);
    if (guard.Busy() || !ShowReminderPrompt())
        m_flags.bWindowShown = bWasShown;
}

void CReminderCycle::AskRemindDuringConnection()
{
    // Only a connection seen up is asked about; a look that failed asks
    // nothing and leaves the flags as the monitor last set them.
    if (m_flags.bSnoozing || !m_flags.bNotified || !IsConnected(m_ports, m_settings).value_or(false) ||
        m_doc.GetTaskCount() == 0)
        return;
    if (m_prompts.ShowMessage("Would you like to be reminded about these tasks during this connection ?",
                              "Remind about Tasks ?", MsgButtons::yesNo, MsgIcon::question) == MsgResult::no)
        return;
    OnConnectionUp();
}

bool CReminderCycle::ShowReminderPrompt()
{
    if (m_bPromptOpen) {
        m_ports.BringPromptForward();
        return true;
    }
    const size_t nCount = m_doc.GetTaskCount();
    if (nCount == 0)
        return false;
    m_bPromptOpen = true;
    m_flags.bWindowShown = 1;
    m_doc.OnSaveDocument(m_doc.GetPathName());

    ReminderDlgData data;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%li", static_cast<long>(nCount));
    data.strCount = buf;
    data.nChoice = choiceNow;
    data.nMinutes = ReadSetting(m_settings, setting::RemindIn);
    for (MsgIcon sound : {MsgIcon::question, MsgIcon::question, MsgIcon::exclamation, MsgIcon::exclamation,
                          MsgIcon::stop, MsgIcon::exclamation})
        m_prompts.Beep(sound);
    m_ports.RunPrompt(data);

    switch (data.nChoice) {
    case choiceSnooze: {
        const unsigned nDelay = static_cast<unsigned>(data.nMinutes) * 60000u;
        bool bSet = m_ports.SetReminderTimer(nDelay);
        if (!bSet) {
            m_ports.KillReminderTimer();
            bSet = m_ports.SetReminderTimer(nDelay);
        }
        if (bSet)
            m_flags.bSnoozing = 1;
        else
            m_prompts.ShowMessage("Unable to set timer, You may be low on resources.", "Timer Error", MsgButtons::ok,
                                  MsgIcon::exclamation);
        m_flags.bWindowShown = 0;
        WriteSetting(m_settings, setting::RemindIn, data.nMinutes);
        break;
    }
    case choiceQuiet:
        m_flags.bDontNotify = 1;
        m_flags.bWindowShown = 0;
        break;
    default:
        m_ports.KillReminderTimer();
        m_ports.ShowTaskList();
        break;
    }
    m_bPromptOpen = false;
    return true;
}
