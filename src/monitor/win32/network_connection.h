#pragma once
// Whether a network connection is up, through IsNetworkAlive of the System
// Event Notification Service. Its library is loaded at run time: Windows 95,
// and NT 4 without a later Internet Explorer, have none.

#include <windows.h>

#include "base/win32/scoped_win.h"
#include "monitor/reminder.h"

// Flags of IsNetworkAlive that stand for a connection.
inline constexpr DWORD kNetworkAliveLan = 0x1;
inline constexpr DWORD kNetworkAliveWan = 0x2;

// Loads sensapi.dll at the first question and keeps it until the object
// goes. Each thread that asks keeps its own.
class CNetworkAlive {
public:
    CNetworkAlive() = default;
    CNetworkAlive(const CNetworkAlive&) = delete;
    CNetworkAlive& operator=(const CNetworkAlive&) = delete;

    // True when the system can tell: the library and its function are there.
    bool IsAvailable();
    // A LAN or WAN connection up; false where the system cannot tell,
    // nothing when it was asked and failed.
    NetworkLook Look();

private:
    using IsNetworkAliveProc = BOOL(WINAPI*)(LPDWORD lpdwFlags);

    CScopedModule m_hSensapi;
    IsNetworkAliveProc m_pfnIsNetworkAlive = nullptr;
    bool m_bLoaded = false;
};
