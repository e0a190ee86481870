#include "monitor/win32/ras_connection.h"

#include <cstdlib>
#include <cstring>

#include "base/win32/system_proc.h"
#include "base/win32/text_win32.h"

namespace {

constexpr DWORD ERROR_BUFFER_TOO_SMALL_RAS = 603;
// The service's functions for the build's characters.
#ifdef UNICODE
constexpr const char* kEnumConnections = "RasEnumConnectionsW";
constexpr const char* kGetConnectStatus = "RasGetConnectStatusW";
constexpr const char* kGetErrorString = "RasGetErrorStringW";
#else
constexpr const char* kEnumConnections = "RasEnumConnectionsA";
constexpr const char* kGetConnectStatus = "RasGetConnectStatusA";
constexpr const char* kGetErrorString = "RasGetErrorStringA";
#endif
// How soon an open box notices the quit event.
constexpr UINT kQuitCheckMilliseconds = 200;

// The quit event the open box of this thread watches.
thread_local HANDLE t_hQuitEvent = nullptr;

BOOL CALLBACK CloseBox(HWND hwnd, LPARAM)
{
    TCHAR szClass[16] = {};
    GetClassName(hwnd, szClass, 16);
    if (tstring(szClass) == TEXT("#32770"))
        PostMessage(hwnd, WM_COMMAND, IDOK, 0);
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

void ShowDialUpError(LPCTSTR text, HANDLE hQuitEvent)
{
    if (hQuitEvent && WaitForSingleObject(hQuitEvent, 0) == WAIT_OBJECT_0)
        return;
    // Exit may set the event and close this thread's boxes just before this
    // one opens: the box watches for itself.
    t_hQuitEvent = hQuitEvent;
    const UINT_PTR nTimer = hQuitEvent ? SetTimer(nullptr, 0, kQuitCheckMilliseconds, CloseBoxOnQuit) : 0;
    MessageBox(nullptr, text, TEXT("Netbell"), MB_OK | MB_ICONSTOP);
    if (nTimer)
        KillTimer(nullptr, nTimer);
    t_hQuitEvent = nullptr;
}

bool CDialUp::IsAvailable()
{
    if (!m_bLoaded) {
        m_bLoaded = true;
        m_hRasapi.Reset(LoadSystemLibrary("rasapi32.dll"));
        // The service's functions, declared on the old records.
        m_pfnEnumConnections = FindSystemProc<EnumConnectionsFn>(m_hRasapi.Get(), kEnumConnections);
        m_pfnGetConnectStatus = FindSystemProc<GetConnectStatusFn>(m_hRasapi.Get(), kGetConnectStatus);
        m_pfnGetErrorString = FindSystemProc<GetErrorStringFn>(m_hRasapi.Get(), kGetErrorString);
        if (!m_pfnEnumConnections || !m_pfnGetConnectStatus || !m_pfnGetErrorString) {
            m_pfnEnumConnections = nullptr;
            m_hRasapi.Reset();
        }
    }
    return m_pfnEnumConnections != nullptr;
}

std::optional<uintptr_t> CDialUp::GetActiveConnection(HANDLE hQuitEvent)
{
    if (!IsAvailable())
        return 0;
    DWORD cb = sizeof(RASCONN95);
    auto* pConn = static_cast<RASCONN95*>(std::malloc(cb));
    if (!pConn)
        return std::nullopt;
    pConn->dwSize = sizeof(RASCONN95);
    DWORD cConnections = 0;
    DWORD dwResult = m_pfnEnumConnections(pConn, &cb, &cConnections);
    if (dwResult == ERROR_BUFFER_TOO_SMALL_RAS) {
        auto* pGrown = static_cast<RASCONN95*>(std::realloc(pConn, cb));
        if (!pGrown) {
            dwResult = ERROR_NOT_ENOUGH_MEMORY;
        } else {
            pConn = pGrown;
            dwResult = m_pfnEnumConnections(pConn, &cb, &cConnections);
        }
        if (dwResult != 0) {
            std::free(pConn);
            return std::nullopt;
        }
    } else if (dwResult != 0) {
        std::free(pConn);
        TCHAR text[256] = {};
        const bool bText = m_pfnGetErrorString(dwResult, text, 255) == 0;
        ShowDialUpError(bText ? text : TEXT("Undefined RasEnumConnections Error."), hQuitEvent);
        return std::nullopt;
    }
    // The last entry alone decides.
    uintptr_t hResult = 0;
    const DWORD nEntries = cConnections <= cb / sizeof(RASCONN95) ? cConnections : cb / sizeof(RASCONN95);
    for (DWORD i = 0; i < nEntries; ++i) {
        RASCONNSTATUS95 status;
        std::memset(&status, 0, sizeof status);
        status.dwSize = sizeof status;
        m_pfnGetConnectStatus(pConn[i].hrasconn, &status);
        hResult = status.rasconnstate == kRasConnected ? reinterpret_cast<uintptr_t>(pConn[i].hrasconn) : 0;
    }
    std::free(pConn);
    return hResult;
}
