#include "monitor/win32/connection_monitor.h"

#include "base/win32/registry_settings.h"
#include "base/win32/thread_messages.h"
#include "monitor/reminder.h"
#include "monitor/win32/network_connection.h"
#include "monitor/win32/ras_connection.h"

volatile LONG g_bWindowShown = 0;
volatile LONG g_bSnoozing = 0;
volatile LONG g_bDontNotify = 0;
volatile LONG g_bNotified = 0;

namespace {

constexpr DWORD kPollInterval = 10000;

class CMonitorPorts : public IMonitorPorts {
public:
    explicit CMonitorPorts(DWORD dwMainThreadId) : m_dwMainThreadId(dwMainThreadId) {}
    ConnectionLook GetActiveConnection() override { return m_dialUp.GetActiveConnection(g_hQuitEvent); }
    NetworkLook IsNetworkAlive() override { return m_network.Look(); }
    // The monitor only looks at the guard; it never takes it.
    bool IsDialogGuardTaken() override { return WaitForSingleObject(g_hDialogFreeEvent, 0) != WAIT_OBJECT_0; }
    void PostConnectionUp() override { PostThreadMessage(m_dwMainThreadId, WM_CONNECTION_UP, 0, 0); }
    void BeepExclamation() override { MessageBeep(MB_ICONEXCLAMATION); }

private:
    DWORD m_dwMainThreadId;
    CDialUp m_dialUp;
    CNetworkAlive m_network;
};

} // namespace

ReminderFlags& TheReminderFlags()
{
    static ReminderFlags flags{g_bWindowShown, g_bSnoozing, g_bDontNotify, g_bNotified};
    return flags;
}

DWORD WINAPI ConnectionMonitorProc(LPVOID lpParam)
{
    const ConnectionMonitorStart& start = *static_cast<const ConnectionMonitorStart*>(lpParam);
    CMonitorPorts ports(start.dwMainThreadId);
    // A thread that Exit gave up waiting for may outlive the program's own
    // store: this one is the thread's.
    CRegistrySettingsStore settings(start.strSettingsKey);
    for (;;) {
        WaitForSingleObject(g_hQuitEvent, kPollInterval);
        if (WaitForSingleObject(g_hQuitEvent, 0) == WAIT_OBJECT_0)
            return 0;
        MonitorPoll(TheReminderFlags(), ports, settings);
    }
}
