// The program's dial-up records against the system's own header: the first
// version of each record is the prefix of today's, packed the same way, in
// either build and with the build's characters.
#include <windows.h>
#include <ras.h>

#include <cstddef>

#include "monitor/win32/ras_connection.h"

namespace {

constexpr size_t RoundUp4(size_t n)
{
    return (n + 3) & ~size_t(3);
}

static_assert(offsetof(RASCONN95, hrasconn) == offsetof(RASCONN, hrasconn));
static_assert(offsetof(RASCONN95, szDeviceName) == offsetof(RASCONN, szDeviceName));
static_assert(sizeof(RASCONN95) ==
              RoundUp4(offsetof(RASCONN, szDeviceName) + (RAS_MaxDeviceName + 1) * sizeof(TCHAR)));
static_assert(offsetof(RASCONNSTATUS95, szDeviceName) == offsetof(RASCONNSTATUS, szDeviceName));
static_assert(sizeof(RASCONNSTATUS95) ==
              RoundUp4(offsetof(RASCONNSTATUS, szDeviceName) + (RAS_MaxDeviceName + 1) * sizeof(TCHAR)));

} // namespace
