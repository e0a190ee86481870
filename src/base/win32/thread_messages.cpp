#include "base/win32/thread_messages.h"

// Created and closed by the application object at start-up and Exit.
HANDLE g_hInstanceEvent = nullptr;
HANDLE g_hQuitEvent = nullptr;
HANDLE g_hDialogFreeEvent = nullptr;
