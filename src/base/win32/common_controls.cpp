#include "base/win32/common_controls.h"

#include <shlwapi.h>
#include <windowsx.h>

#include "base/win32/system_proc.h"

int CommonControlsVersion()
{
    static const int nVersion = [] {
        const auto pfnGetVersion = FindSystemProc<DLLGETVERSIONPROC>("comctl32.dll", "DllGetVersion");
        DLLVERSIONINFO info = {};
        info.cbSize = sizeof info;
        if (!pfnGetVersion || FAILED(pfnGetVersion(&info)))
            return 400;
        return static_cast<int>(info.dwMajorVersion * 100 + info.dwMinorVersion);
    }();
    return nVersion;
}

POINT ListClickPoint(const NMHDR* pnmh, bool bCarriesPosition)
{
    if (bCarriesPosition)
        return reinterpret_cast<const NMITEMACTIVATE*>(pnmh)->ptAction;
    const DWORD dwPos = GetMessagePos();
    POINT pt = {GET_X_LPARAM(dwPos), GET_Y_LPARAM(dwPos)};
    ScreenToClient(pnmh->hwndFrom, &pt);
    return pt;
}
