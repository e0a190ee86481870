// The program's dial-up records against the system's own header: the first
// version of each record is the prefix of today's, packed the same way, in
// either build.
#include <windows.h>
#include <ras.h>

#include <cstddef>

#include "monitor/win32/ras_connection.h"

namespace {

constexpr size_t RoundUp4(size_t n)
{
    return (n + 3) & ~size_t(3);
}

static_assert(offsetof(RASCONN95, hrasconn) == offsetof(RASCONNA, hrasconn));
static_assert(offsetof(RASCONN95, szDeviceName) == offsetof(RASCONNA, szDeviceName));
static_assert(sizeof(RASCONN95) == RoundUp4(offsetof(RASCONNA, szDeviceName) + RAS_MaxDeviceName + 1));
static_assert(offsetof(RASCONNSTATUS95, szDeviceName) == offsetof(RASCONNSTATUSA, szDeviceName));
static_assert(sizeof(RASCONNSTATUS95) ==
              RoundUp4(offsetof(RASCONNSTATUSA, szDeviceName) + RAS_MaxDeviceName + 1));

} // namespace
