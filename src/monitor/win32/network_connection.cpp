#include "monitor/win32/network_connection.h"

#include "base/win32/system_proc.h"

bool CNetworkAlive::IsAvailable()
{
    if (!m_bLoaded) {
        m_bLoaded = true;
        m_hSensapi.Reset(LoadSystemLibrary("sensapi.dll"));
        m_pfnIsNetworkAlive = FindSystemProc<IsNetworkAliveProc>(m_hSensapi.Get(), "IsNetworkAlive");
        if (!m_pfnIsNetworkAlive)
            m_hSensapi.Reset();
    }
    return m_pfnIsNetworkAlive != nullptr;
}

NetworkLook CNetworkAlive::Look()
{
    if (!IsAvailable())
        return false;
    DWORD dwFlags = 0;
    // The last error tells a failure, whatever the result; without one, the
    // result is the answer.
    SetLastError(ERROR_SUCCESS);
    const BOOL bAlive = m_pfnIsNetworkAlive(&dwFlags);
    if (GetLastError() != ERROR_SUCCESS)
        return std::nullopt;
    return bAlive && (dwFlags & (kNetworkAliveLan | kNetworkAliveWan)) != 0;
}
