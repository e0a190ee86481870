#pragma once
// The private messages and the process-wide events shared by the main
// thread and the worker threads.

#include <windows.h>

inline constexpr UINT WM_TRAYICON_NOTIFY = WM_APP + 1;
inline constexpr UINT WM_CONNECTION_UP = WM_APP + 2;
inline constexpr UINT WM_SHOW_TASKLIST = WM_APP + 3;

extern HANDLE g_hInstanceEvent;   // "CvnNetbell101": a second start signals it
extern HANDLE g_hQuitEvent;       // signalled once, at Exit
extern HANDLE g_hDialogFreeEvent; // signalled while no dialog of the program is open
