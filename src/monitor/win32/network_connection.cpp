#include "monitor/win32/network_connection.h"

bool CNetworkAlive::IsAvailable()
{
    if (!m_bLoaded) {
        m_bLoaded = true;
        m_hSensapi.Reset(LoadLibraryA("sensapi.dll"));
        // Through void*: the export comes back as a function of no arguments.
        if (m_hSensapi)
            m_pfnIsNetworkAlive = reinterpret_cast<IsNetworkAliveProc>(
                reinterpret_cast<void*>(GetProcAddress(m_hSensapi.Get(), "IsNetworkAlive")));
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
