#pragma once
// The reminder: the monitor's decision at each poll, and the main thread's
// cycle of prompt, snooze and quiet.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "base/prompts.h"

class CDialogGuard;
class CNetbellDoc;
class ISettingsStore;

// The four flags shared by the main thread and the monitor thread: plain
// integers, each a single aligned load or store.
struct ReminderFlags {
    volatile long& bWindowShown;
    volatile long& bSnoozing;
    volatile long& bDontNotify;
    volatile long& bNotified;
};

// The handle of the connected connection, 0 when none is up, or nothing
// when the dial-up service could not be asked: a failed look says nothing
// about the connection, so it never counts as a hang-up.
using ConnectionLook = std::optional<uintptr_t>;

// Whether a network connection (LAN or WAN) is up, or nothing when the
// system was asked and could not say.
using NetworkLook = std::optional<bool>;

// The two kinds of connection the reminder hears of.
class IConnectionPorts {
public:
    virtual ~IConnectionPorts() = default;
    virtual ConnectionLook GetActiveConnection() = 0;
    // Asked only while "Watch Network" is on. A system that cannot tell
    // answers false, so the dial-up connection alone decides there.
    virtual NetworkLook IsNetworkAlive() = 0;
};

// Connected, for the reminder: a dial-up connection or, while "Watch Network"
// is on, a network connection. Nothing when no source found one and one of
// them could not be asked: that says nothing about a hang-up.
std::optional<bool> IsConnected(IConnectionPorts& ports, ISettingsStore& settings);

// What one poll of the monitor needs from outside.
class IMonitorPorts : public IConnectionPorts {
public:
    virtual bool IsDialogGuardTaken() = 0;
    virtual void PostConnectionUp() = 0;
    virtual void BeepExclamation() = 0;
};

// One poll, after the ten-second wait. A hang-up clears both the quiet flag
// and the notified flag, so every new connection is reminded about; a look
// that failed leaves the flags as they were. A dial-up and a network
// connection up at once are one connection: one reminder, cleared when both
// have gone.
void MonitorPoll(ReminderFlags& flags, IMonitorPorts& ports, ISettingsStore& settings);

// The prompt's members.
struct ReminderDlgData {
    int nChoice = -1; // 0 do them now, 1 notify again in, 2 quiet
    int nMinutes = 0;
    std::string strCount;
};

enum ReminderChoice { choiceNow = 0, choiceSnooze = 1, choiceQuiet = 2 };
inline constexpr int kMinMinutes = 1;
inline constexpr int kMaxMinutes = 500;

// The prompt's check of the minutes on OK: the message to show, or nothing
// when the text is a whole number from 1 to 500.
std::optional<std::string> ValidateMinutes(const std::string& text, int& nMinutes);

// What the cycle needs of the frame.
class IReminderPorts : public IConnectionPorts {
public:
    // Runs the prompt modally; Escape leaves the choice as it was preset.
    virtual void RunPrompt(ReminderDlgData& data) = 0;
    virtual void BringPromptForward() = 0;
    virtual bool SetReminderTimer(unsigned nMilliseconds) = 0;
    virtual void KillReminderTimer() = 0;
    virtual void ShowTaskList() = 0;
};

class CReminderCycle {
public:
    CReminderCycle(CNetbellDoc& doc, ISettingsStore& settings, IPrompts& prompts, CDialogGuard& guard,
                   ReminderFlags& flags, IReminderPorts& ports);

    // A new connection, and the tray's Reminder command.
    void OnConnectionUp();
    void OnReminder() { OnConnectionUp(); }
    void OnTimer();
    // After the task list was hidden.
    void AskRemindDuringConnection();
    // Callers hold the dialog guard. False when no prompt came up: the list
    // was empty.
    bool ShowReminderPrompt();

    bool IsPromptOpen() const { return m_bPromptOpen; }

private:
    CNetbellDoc& m_doc;
    ISettingsStore& m_settings;
    IPrompts& m_prompts;
    CDialogGuard& m_guard;
    ReminderFlags& m_flags;
    IReminderPorts& m_ports;
    bool m_bPromptOpen = false;
};

inline constexpr unsigned kGuardRetryMilliseconds = 5000;
