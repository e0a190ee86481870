// The compiler's runtime calls a few KERNEL32 functions that Windows 95
// lacks or has only as stubs that fail: CreateSemaphoreW (its locks),
// GetModuleHandleW and LoadLibraryW (its look-ups in MSVCRT.DLL) and
// IsDBCSLeadByteEx (its multibyte conversions). Each program links this
// file as an object: its import pointers stand in for the system's, so the
// runtime's calls land in the functions below, which answer through what
// every Windows has, and the programs do not import the originals.

#include <windows.h>

namespace {

// Module and object names of the runtime are short; a longer one fails, as
// does one the code page cannot hold, which would name something else.
bool ToAnsi(LPCWSTR text, char* buf, int cb)
{
    BOOL bDefaulted = FALSE;
    if (WideCharToMultiByte(CP_ACP, 0, text, -1, buf, cb, nullptr, &bDefaulted) != 0 && !bDefaulted)
        return true;
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
}

HMODULE WINAPI AnsiGetModuleHandle(LPCWSTR name)
{
    char buf[MAX_PATH];
    if (!name)
        return GetModuleHandleA(nullptr);
    return ToAnsi(name, buf, sizeof buf) ? GetModuleHandleA(buf) : nullptr;
}

HMODULE WINAPI AnsiLoadLibrary(LPCWSTR name)
{
    char buf[MAX_PATH];
    return ToAnsi(name, buf, sizeof buf) ? LoadLibraryA(buf) : nullptr;
}

HANDLE WINAPI AnsiCreateSemaphore(LPSECURITY_ATTRIBUTES sa, LONG lInitial, LONG lMaximum, LPCWSTR name)
{
    char buf[MAX_PATH];
    if (name && !ToAnsi(name, buf, sizeof buf))
        return nullptr;
    return CreateSemaphoreA(sa, lInitial, lMaximum, name ? buf : nullptr);
}

// What IsDBCSLeadByteEx answers, from the code page's lead-byte ranges.
BOOL WINAPI LeadByteOfCodePage(UINT codePage, BYTE ch)
{
    CPINFO info;
    if (!GetCPInfo(codePage, &info))
        return FALSE;
    for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i] != 0; i += 2) {
        if (ch >= info.LeadByte[i] && ch <= info.LeadByte[i + 1])
            return TRUE;
    }
    return FALSE;
}

} // namespace

// The import pointers' names: stdcall-decorated in the 32-bit build.
#ifdef _WIN64
#define NETBELL_IMPORT(name, args) __asm__("__imp_" #name)
#else
#define NETBELL_IMPORT(name, args) __asm__("__imp__" #name "@" #args)
#endif

extern "C" {
HMODULE(WINAPI* g_pfnGetModuleHandleW)(LPCWSTR) NETBELL_IMPORT(GetModuleHandleW, 4) = AnsiGetModuleHandle;
HMODULE(WINAPI* g_pfnLoadLibraryW)(LPCWSTR) NETBELL_IMPORT(LoadLibraryW, 4) = AnsiLoadLibrary;
HANDLE(WINAPI* g_pfnCreateSemaphoreW)(LPSECURITY_ATTRIBUTES, LONG, LONG, LPCWSTR)
    NETBELL_IMPORT(CreateSemaphoreW, 16) = AnsiCreateSemaphore;
BOOL(WINAPI* g_pfnIsDBCSLeadByteEx)(UINT, BYTE) NETBELL_IMPORT(IsDBCSLeadByteEx, 8) = LeadByteOfCodePage;
}
