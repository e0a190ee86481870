#include "monitor/win32/connection_monitor.h"

#include "app/win32/thread_messages.h"

volatile LONG g_bWindowShown = 0;
volatile LONG g_bSnoozing = 0;
volatile LONG g_bDontNotify = 0;
volatile LONG g_bNotified = 0;

namespace {

constexpr DWORD kPollInterval = 10000;

} // namespace

DWORD WINAPI ConnectionMonitorProc(LPVOID)
{
    // Wakes every ten seconds until Exit; the dial-up poll joins this loop
    // with the reminder cycle.
    while (WaitForSingleObject(g_hQuitEvent, kPollInterval) == WAIT_TIMEOUT) {
    }
    return 0;
}
