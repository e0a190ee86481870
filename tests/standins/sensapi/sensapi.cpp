// A network stand-in for the end-to-end runs: IsNetworkAlive, answering from
// a state file named by NETBELL_SENS_STATE. Its first line is one of
//   alive <flags>   (TRUE with these flags: 1 LAN, 2 WAN, 4 AOL)
//   error <code>    (fails: FALSE with that last error)
// and anything else, or no file, is no connection (FALSE, last error 0).
// The file is read at every call, so a test changes the network state by
// rewriting it. Never shipped; loaded only through a DLL override.

#include <windows.h>

#include <cstdio>
#include <cstring>

extern "C" __declspec(dllexport) BOOL WINAPI IsNetworkAlive(LPDWORD lpdwFlags)
{
    char path[MAX_PATH];
    char line[64] = {};
    if (GetEnvironmentVariableA("NETBELL_SENS_STATE", path, sizeof path)) {
        if (FILE* f = std::fopen(path, "r")) {
            if (!std::fgets(line, sizeof line, f))
                line[0] = '\0';
            std::fclose(f);
        }
    }
    char word[16] = {};
    unsigned long value = 0;
    const bool bParsed = std::sscanf(line, "%15s %li", word, reinterpret_cast<long*>(&value)) == 2;
    if (bParsed && std::strcmp(word, "error") == 0) {
        SetLastError(value);
        return FALSE;
    }
    SetLastError(ERROR_SUCCESS);
    if (bParsed && std::strcmp(word, "alive") == 0) {
        if (lpdwFlags)
            *lpdwFlags = value;
        return TRUE;
    }
    return FALSE;
}
