#pragma once
// The dial-up connection that is up, through the Remote Access Service in
// the record layouts of Windows 95 and NT 4.

#include <windows.h>

#include "monitor/win32/fixed_layout.h"

#include <cstdint>

// The system packs these records to four bytes in both builds, so the
// 64-bit entry has its handle at offset 4 too.
#pragma pack(push, 4)

// Connection entry: size, handle, entry name (257), device type (17), device name (129).
struct RASCONN95 {
    DWORD dwSize;
    HANDLE hrasconn;
    CHAR szEntryName[257];
    CHAR szDeviceType[17];
    CHAR szDeviceName[129];
};
static_assert(!kFixedRecordLayout || sizeof(RASCONN95) == 412, "the connection entry keeps its 412-byte layout");

// Connection status: size, state, error, device type (17), device name (129).
struct RASCONNSTATUS95 {
    DWORD dwSize;
    DWORD rasconnstate;
    DWORD dwError;
    CHAR szDeviceType[17];
    CHAR szDeviceName[129];
};
static_assert(sizeof(RASCONNSTATUS95) == 160, "the status record keeps its 160-byte layout");

#pragma pack(pop)

inline constexpr DWORD kRasConnected = 0x2000;

// The handle of the last entry when it is connected, else 0. An enumeration
// error is shown in a stop-icon box from the calling thread.
uintptr_t GetActiveConnection();
