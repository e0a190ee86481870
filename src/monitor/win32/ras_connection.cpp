#include "monitor/win32/ras_connection.h"

#include <cstdlib>
#include <cstring>

// The service's functions, linked at load time, declared on the old records.
extern "C" {
DWORD WINAPI RasEnumConnectionsA(RASCONN95* lprasconn, LPDWORD lpcb, LPDWORD lpcConnections);
DWORD WINAPI RasGetConnectStatusA(HANDLE hrasconn, RASCONNSTATUS95* lprasconnstatus);
DWORD WINAPI RasGetErrorStringA(UINT uErrorValue, LPSTR lpszErrorString, DWORD cBufSize);
}

namespace {

constexpr DWORD ERROR_BUFFER_TOO_SMALL_RAS = 603;

} // namespace

uintptr_t GetActiveConnection()
{
    DWORD cb = sizeof(RASCONN95);
    auto* pConn = static_cast<RASCONN95*>(std::malloc(cb));
    if (!pConn)
        return 0;
    pConn->dwSize = sizeof(RASCONN95);
    DWORD cConnections = 0;
    DWORD dwResult = RasEnumConnectionsA(pConn, &cb, &cConnections);
    if (dwResult == ERROR_BUFFER_TOO_SMALL_RAS) {
        auto* pGrown = static_cast<RASCONN95*>(std::realloc(pConn, cb));
        if (!pGrown) {
            dwResult = ERROR_NOT_ENOUGH_MEMORY;
        } else {
            pConn = pGrown;
            dwResult = RasEnumConnectionsA(pConn, &cb, &cConnections);
        }
        if (dwResult != 0) {
            std::free(pConn);
            return 0;
        }
    } else if (dwResult != 0) {
        char text[256];
        if (RasGetErrorStringA(dwResult, text, sizeof text) != 0)
            lstrcpynA(text, "Undefined RasEnumConnections Error.", sizeof text);
        MessageBoxA(nullptr, text, "Netbell", MB_OK | MB_ICONSTOP);
        std::free(pConn);
        return 0;
    }
    // The last entry alone decides.
    uintptr_t hResult = 0;
    const DWORD nEntries = cConnections <= cb / sizeof(RASCONN95) ? cConnections : cb / sizeof(RASCONN95);
    for (DWORD i = 0; i < nEntries; ++i) {
        RASCONNSTATUS95 status;
        std::memset(&status, 0, sizeof status);
        status.dwSize = sizeof status;
        RasGetConnectStatusA(pConn[i].hrasconn, &status);
        hResult = status.rasconnstate == kRasConnected ? reinterpret_cast<uintptr_t>(pConn[i].hrasconn) : 0;
    }
    std::free(pConn);
    return hResult;
}
