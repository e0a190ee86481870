// A dial-up networking stand-in for the end-to-end runs: the three functions
// Netbell calls, in the Windows 95/NT 4 record layouts, with single-byte texts
// (the 32-bit program's) and 16-bit ones (the 64-bit program's), answering
// from a state file named by NETBELL_RAS_STATE. Each line of the file is one of
//   connection <handle> <state> <name>   (state 0x2000 is connected)
//   error <code> [<text>]                  (RasEnumConnections fails with code)
//   hold                                   (RasEnumConnections does not return
//                                           while the line stays; it creates
//                                           the state file's name + ".held")
// The file is read at every call, so a test changes the dial-up state by
// rewriting it. Never shipped; loaded only through WINEDLLOVERRIDES.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Packed to four bytes, as the system's own records are.
#pragma pack(push, 4)
template <class Char>
struct Entry {
    DWORD dwSize;
    HANDLE hrasconn;
    Char szEntryName[257];
    Char szDeviceType[17];
    Char szDeviceName[129];
};

template <class Char>
struct Status {
    DWORD dwSize;
    DWORD rasconnstate;
    DWORD dwError;
    Char szDeviceType[17];
    Char szDeviceName[129];
};
#pragma pack(pop)

// The state file's text is ASCII: each byte is one character of either kind.
template <class Char, size_t N>
void CopyText(Char (&to)[N], const std::string& from)
{
    size_t i = 0;
    for (; i + 1 < N && i < from.size(); ++i)
        to[i] = static_cast<Char>(static_cast<unsigned char>(from[i]));
    to[i] = 0;
}

template <class Char>
void CopyText(Char* to, DWORD nMax, const std::string& from)
{
    DWORD i = 0;
    for (; i + 1 < nMax && i < from.size(); ++i)
        to[i] = static_cast<Char>(static_cast<unsigned char>(from[i]));
    if (nMax > 0)
        to[i] = 0;
}

struct Connection {
    unsigned long handle;
    unsigned long state;
    std::string name;
};

struct State {
    std::vector<Connection> connections;
    DWORD dwError = 0;
    std::string errorText;
    bool bHold = false;
};

std::string StatePath()
{
    char path[MAX_PATH];
    if (!GetEnvironmentVariableA("NETBELL_RAS_STATE", path, sizeof path))
        return std::string();
    return path;
}

State ReadState()
{
    State state;
    const std::string path = StatePath();
    if (path.empty())
        return state;
    FILE* f = std::fopen(path.c_str(), "r");
    if (!f)
        return state;
    char line[512];
    while (std::fgets(line, sizeof line, f)) {
        line[std::strcspn(line, "\r\n")] = '\0';
        char word[32] = {};
        unsigned long a = 0, b = 0;
        int used = 0;
        if (std::sscanf(line, "%31s %li %li %n", word, reinterpret_cast<long*>(&a), reinterpret_cast<long*>(&b),
                        &used) >= 3 &&
            std::strcmp(word, "connection") == 0) {
            state.connections.push_back(Connection{a, b, line + used});
        } else if (std::sscanf(line, "%31s %li %n", word, reinterpret_cast<long*>(&a), &used) >= 2 &&
                   std::strcmp(word, "error") == 0) {
            state.dwError = a;
            state.errorText = line + used;
        } else if (std::strcmp(line, "hold") == 0) {
            state.bHold = true;
        }
    }
    std::fclose(f);
    return state;
}

template <class Char>
DWORD EnumConnections(Entry<Char>* lprasconn, LPDWORD lpcb, LPDWORD lpcConnections)
{
    State state = ReadState();
    if (state.bHold) {
        // A modem that does not answer: the caller waits until the test lets go.
        HANDLE marker = CreateFileA((StatePath() + ".held").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (marker != INVALID_HANDLE_VALUE)
            CloseHandle(marker);
        while ((state = ReadState()).bHold)
            Sleep(50);
    }
    if (state.dwError)
        return state.dwError;
    if (!lprasconn || !lpcb || !lpcConnections || lprasconn->dwSize != sizeof(Entry<Char>))
        return 632; // ERROR_INVALID_SIZE
    const DWORD needed = static_cast<DWORD>(state.connections.size() * sizeof(Entry<Char>));
    if (*lpcb < needed) {
        *lpcb = needed;
        *lpcConnections = static_cast<DWORD>(state.connections.size());
        return 603; // ERROR_BUFFER_TOO_SMALL
    }
    for (size_t i = 0; i < state.connections.size(); ++i) {
        Entry<Char>& e = lprasconn[i];
        std::memset(&e, 0, sizeof e);
        e.dwSize = sizeof e;
        e.hrasconn = reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(state.connections[i].handle));
        CopyText(e.szEntryName, state.connections[i].name);
        CopyText(e.szDeviceType, "modem");
        CopyText(e.szDeviceName, "Stand-in Modem");
    }
    *lpcb = needed;
    *lpcConnections = static_cast<DWORD>(state.connections.size());
    return 0;
}

template <class Char>
DWORD GetConnectStatus(HANDLE hrasconn, Status<Char>* lpStatus)
{
    if (!lpStatus || lpStatus->dwSize != sizeof(Status<Char>))
        return 632;
    for (const Connection& c : ReadState().connections) {
        if (reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(c.handle)) == hrasconn) {
            lpStatus->rasconnstate = c.state;
            lpStatus->dwError = 0;
            return 0;
        }
    }
    return 6; // ERROR_INVALID_HANDLE
}

template <class Char>
DWORD GetErrorString(UINT uErrorValue, Char* lpszErrorString, DWORD cBufSize)
{
    const State state = ReadState();
    if (state.errorText.empty() || state.dwError != uErrorValue || !lpszErrorString)
        return 87; // ERROR_INVALID_PARAMETER
    CopyText(lpszErrorString, cBufSize, state.errorText);
    return 0;
}

} // namespace

extern "C" {

__declspec(dllexport) DWORD WINAPI RasEnumConnectionsA(Entry<CHAR>* lprasconn, LPDWORD lpcb, LPDWORD lpcConnections)
{
    return EnumConnections(lprasconn, lpcb, lpcConnections);
}

__declspec(dllexport) DWORD WINAPI RasEnumConnectionsW(Entry<WCHAR>* lprasconn, LPDWORD lpcb, LPDWORD lpcConnections)
{
    return EnumConnections(lprasconn, lpcb, lpcConnections);
}

__declspec(dllexport) DWORD WINAPI RasGetConnectStatusA(HANDLE hrasconn, Status<CHAR>* lpStatus)
{
    return GetConnectStatus(hrasconn, lpStatus);
}

__declspec(dllexport) DWORD WINAPI RasGetConnectStatusW(HANDLE hrasconn, Status<WCHAR>* lpStatus)
{
    return GetConnectStatus(hrasconn, lpStatus);
}

__declspec(dllexport) DWORD WINAPI RasGetErrorStringA(UINT uErrorValue, LPSTR lpszErrorString, DWORD cBufSize)
{
    return GetErrorString(uErrorValue, lpszErrorString, cBufSize);
}

__declspec(dllexport) DWORD WINAPI RasGetErrorStringW(UINT uErrorValue, LPWSTR lpszErrorString, DWORD cBufSize)
{
    return GetErrorString(uErrorValue, lpszErrorString, cBufSize);
}

} // extern "C"
