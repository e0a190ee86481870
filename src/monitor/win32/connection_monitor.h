#pragma once
// The connection monitor thread and the reminder flags it shares with the
// main thread (plain integers: each is written by one side at a time).

#include <windows.h>

#include <string>

extern volatile LONG g_bWindowShown;
extern volatile LONG g_bSnoozing;
extern volatile LONG g_bDontNotify;
extern volatile LONG g_bNotified;

struct ReminderFlags;
// The four flags above, as the reminder logic takes them.
ReminderFlags& TheReminderFlags();

// What the monitor thread is started with. It takes copies at once and
// reads the settings through a store of its own.
struct ConnectionMonitorStart {
    DWORD dwMainThreadId;
    std::string strSettingsKey; // the application key under HKEY_CURRENT_USER
};

// Runs until g_hQuitEvent is signalled; lpParam points to a
// ConnectionMonitorStart.
DWORD WINAPI ConnectionMonitorProc(LPVOID lpParam);
