#include "base/win32/system_proc.h"

#include <atomic>

namespace {

// Read on every thread that looks a function up; set by tests.
std::atomic<SystemNameHider> g_hider{nullptr};

bool IsHidden(const char* name)
{
    const SystemNameHider hider = g_hider.load();
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
    // A library that is there but lacks one of its own would have the system
    // put up a box of its own on Windows 95: missing is all the caller needs.
    const UINT uOldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE hModule = LoadLibraryA(name);
    SetErrorMode(uOldMode);
    return hModule;
}

bool IsWindows2000OrLater()
{
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    return GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT && info.dwMajorVersion >= 5;
}

void SetSystemNameHider(SystemNameHider hider)
{
    g_hider.store(hider);
}
