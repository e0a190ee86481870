#pragma once
// The dial-up connection that is up, through the Remote Access Service in
// the record layouts of Windows 95 and NT 4.

#include <windows.h>

#include "base/win32/scoped_win.h"
#include "monitor/win32/fixed_layout.h"

#include <cstdint>
#include <optional>

// The system packs these records to four bytes in both builds, so the
// 64-bit entry has its handle at offset 4 too. Their texts are the build's
// characters, as the functions looked up for it take them.
#pragma pack(push, 4)

// Connection entry: size, handle, entry name (257), device type (17), device name (129).
struct RASCONN95 {
    DWORD dwSize;
    HANDLE hrasconn;
    TCHAR szEntryName[257];
    TCHAR szDeviceType[17];
    TCHAR szDeviceName[129];
};
static_assert(!kFixedRecordLayout || sizeof(RASCONN95) == 412, "the connection entry keeps its 412-byte layout");

// Connection status: size, state, error, device type (17), device name (129).
struct RASCONNSTATUS95 {
    DWORD dwSize;
    DWORD rasconnstate;
    DWORD dwError;
    TCHAR szDeviceType[17];
    TCHAR szDeviceName[129];
};
static_assert(sizeof(RASCONNSTATUS95) == (sizeof(TCHAR) == 1 ? 160 : 304),
              "the status record keeps its 160-byte layout, 304 with 16-bit texts");

#pragma pack(pop)

inline constexpr DWORD kRasConnected = 0x2000;

// The Remote Access Service. RASAPI32.DLL is there only where Dial-Up
// Networking is installed, so it is loaded at the first look and kept until
// the object goes; without it no dial-up connection is ever up. Each thread
// that looks keeps its own.
class CDialUp {
public:
    CDialUp() = default;
    CDialUp(const CDialUp&) = delete;
    CDialUp& operator=(const CDialUp&) = delete;

    // True when the service and its three functions are there.
    bool IsAvailable();
    // The handle of the last entry when it is connected, 0 when it is not
    // (or there is none, or no service), nothing when the service could not
    // be asked. An enumeration error is shown from the calling thread, by
    // ShowDialUpError.
    std::optional<uintptr_t> GetActiveConnection(HANDLE hQuitEvent = nullptr);

private:
    using EnumConnectionsFn = DWORD(WINAPI*)(RASCONN95*, LPDWORD, LPDWORD);
    using GetConnectStatusFn = DWORD(WINAPI*)(HANDLE, RASCONNSTATUS95*);
    using GetErrorStringFn = DWORD(WINAPI*)(UINT, LPTSTR, DWORD);

    CScopedModule m_hRasapi;
    EnumConnectionsFn m_pfnEnumConnections = nullptr;
    GetConnectStatusFn m_pfnGetConnectStatus = nullptr;
    GetErrorStringFn m_pfnGetErrorString = nullptr;
    bool m_bLoaded = false;
};

// The error in a stop-icon box. A thread that Exit waits for passes the quit
// event: then the box is not opened once it is set, and closes itself as
// soon as it is, so no box ever holds up Exit.
void ShowDialUpError(LPCTSTR text, HANDLE hQuitEvent);
