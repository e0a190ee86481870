#include "base/win32/system_proc.h"

namespace {

SystemNameHider g_hider = nullptr;

bool IsHidden(const char* name)
{
    const SystemNameHider hider = g_hider;
    return hider && hider(name);
}

} // namespace

FARPROC FindSystemProc(HMODULE hModule, const char* name)
{
    if (!hModule || IsHidden(name))
        return nullptr;
    return GetProcAddress(hModule, name);
}

HMODULE LoadSystemLibrary(const char* name)
{
    if (IsHidden(name))
        return nullptr;
    return LoadLibraryA(name);
}

bool IsWindows2000OrLater()
{
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    return GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT && info.dwMajorVersion >= 5;
}

void SetSystemNameHider(SystemNameHider hider)
{
    g_hider = hider;
}
