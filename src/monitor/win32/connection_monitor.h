#pragma once
// The connection monitor thread and the reminder flags it shares with the
// main thread (plain integers: each is written by one side at a time).

#include <windows.h>

extern volatile LONG g_bWindowShown;
extern volatile LONG g_bSnoozing;
extern volatile LONG g_bDontNotify;
extern volatile LONG g_bNotified;

struct ReminderFlags;
// The four flags above, as the reminder logic takes them.
ReminderFlags& TheReminderFlags();

// Runs until g_hQuitEvent is signalled; lpParam is the main thread's id.
DWORD WINAPI ConnectionMonitorProc(LPVOID lpParam);
