#pragma once
// Functions and libraries that Windows 95 and NT 4 as they shipped lack.
// The program imports none of them, so it loads there; each is looked up
// at run time, and its caller keeps a way of its own for where it is
// missing.

#include <windows.h>

// The function from a module, or null where the system has none such.
FARPROC FindSystemProc(HMODULE hModule, const char* name);

template <class Fn>
Fn FindSystemProc(HMODULE hModule, const char* name)
{
    // Through void*: the export comes back as a function of no arguments.
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(FindSystemProc(hModule, name)));
}

template <class Fn>
Fn FindSystemProc(const char* module, const char* name)
{
    return FindSystemProc<Fn>(GetModuleHandleA(module), name);
}

// A library that may be missing (LoadLibraryA's rules): null where it is.
HMODULE LoadSystemLibrary(const char* name);

// Windows 2000 or later (NT 5 on), read from the system at run time.
bool IsWindows2000OrLater();

// Tests take the older systems' paths on any system: while a hider is set,
// each function or library name it answers true for is missing.
using SystemNameHider = bool (*)(const char* name);
void SetSystemNameHider(SystemNameHider hider);
