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
// How soon an open box notices the quit event.
constexpr UINT kQuitCheckMilliseconds = 200;

// The quit event the open box of this thread watches.
thread_local HANDLE t_hQuitEvent = nullptr;

BOOL CALLBACK CloseBox(HWND hwnd, LPARAM)
{
    char szClass[16] = {};
    GetClassNameA(hwnd, szClass, sizeof szClass);
    if (lstrcmpA(szClass, "#32770") == 0)
        PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
    return TRUE;
}

// Runs in the box's own message loop; the box is the only dialog of a
// thread that passes a quit event.
void CALLBACK CloseBoxOnQuit(HWND, UINT, UINT_PTR, DWORD)
{
    if (t_hQuitEvent && WaitForSingleObject(t_hQuitEvent, 0) == WAIT_OBJECT_0)
        EnumThreadWindows(GetCurrentThreadId(), CloseBox, 0);
}

} // namespace

void ShowDialUpError(const char* text, HANDLE hQuitEvent)
{
    if (hQuitEvent && WaitForSingleObject(hQuitEvent, 0) == WAIT_OBJECT_0)
        return;
    // Exit may set the event and close this thread's boxes just before this
    // one opens: the box watches for itself.
    t_hQuitEvent = hQuitEvent;
    const UINT_PTR nTimer = hQuitEvent ? SetTimer(nullptr, 0, kQuitCheckMilliseconds, CloseBoxOnQuit) : 0;
    MessageBoxA(nullptr, text, "Netbell", MB_OK | MB_ICONSTOP);
    if (nTimer)
        KillTimer(nullptr, nTimer);
    t_hQuitEvent = nullptr;
}

std::optional<uintptr_t> GetActiveConnection(HANDLE hQuitEvent)
{
    DWORD cb = sizeof(RASCONN95);
    auto* pConn = static_cast<RASCONN95*>(std::malloc(cb));
    if (!pConn)
        return std::nullopt;
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
            return std::nullopt;
        }
    } else if (dwResult != 0) {
        std::free(pConn);
        char text[256];
        if (RasGetErrorStringA(dwResult, text, sizeof text) != 0)
            lstrcpynA(text, "Undefined RasEnumConnections Error.", sizeof text);
        ShowDialUpError(text, hQuitEvent);
        return std::nullopt;
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
