#pragma once
// What the driver and the probe DLL it loads into the program under test
// agree on. The request lives in the target's memory; the probe's thread
// fills text and returns the number of items read, or kProbeFailed.

#include <cstdint>

constexpr const char* kProbeDllName = "netbell_e2e_probe.dll";
constexpr const char* kProbeReadMenuExport = "NetbellProbeReadMenu";
constexpr uint32_t kProbeFailed = 0xFFFFFFFFu;

// One line per item, submenus after their item one level deeper:
// "<depth> <id> <flags>\t<text>\n", flags from S (separator), P (submenu),
// G (grayed), C (checked), D (default), or "-" for none.
struct ProbeMenuRequest {
    uint32_t hMenu;
    uint32_t cbText;
    char text[1];
};
