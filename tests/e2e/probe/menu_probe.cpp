// Loaded into the program under test by the end-to-end driver: reads one of
// that program's menus from inside, because Wine does not let another
// process read a menu's items. Uses no C runtime, only user32.
#include <windows.h>

#include "probe_protocol.h"

namespace {

struct Writer {
    char* out;
    uint32_t left;
    bool overflow;

    void Put(const char* s)
    {
        for (; *s; ++s) {
            if (left <= 1) {
                overflow = true;
                return;
            }
            *out++ = *s;
            --left;
        }
        *out = '\0';
    }
};

uint32_t ReadLevel(HMENU hMenu, int depth, Writer& w)
{
    const int count = GetMenuItemCount(hMenu);
    if (count < 0)
        return kProbeFailed;
    uint32_t items = 0;
    for (int i = 0; i < count; ++i) {
        char text[512] = "";
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        mii.dwTypeData = text;
        mii.cch = sizeof(text);
        if (!GetMenuItemInfoA(hMenu, static_cast<UINT>(i), TRUE, &mii))
            return kProbeFailed;
        char flags[8];
        int n = 0;
        if (mii.fType & MFT_SEPARATOR)
            flags[n++] = 'S';
        if (mii.hSubMenu)
            flags[n++] = 'P';
        if (mii.fState & MFS_GRAYED)
            flags[n++] = 'G';
        if (mii.fState & MFS_CHECKED)
            flags[n++] = 'C';
        if (mii.fState & MFS_DEFAULT)
            flags[n++] = 'D';
        if (n == 0)
            flags[n++] = '-';
        flags[n] = '\0';
        char head[64];
        wsprintfA(head, "%d %u %s\t", depth, mii.hSubMenu ? 0u : mii.wID, flags);
        w.Put(head);
        w.Put(text);
        w.Put("\n");
        ++items;
        if (mii.hSubMenu && depth < 8) {
            const uint32_t sub = ReadLevel(mii.hSubMenu, depth + 1, w);
            if (sub == kProbeFailed)
                return kProbeFailed;
            items += sub;
        }
    }
    return items;
}

}  // namespace

extern "C" __declspec(dllexport) DWORD WINAPI NetbellProbeReadMenu(LPVOID param)
{
    auto* req = static_cast<ProbeMenuRequest*>(param);
    Writer w{req->text, req->cbText, false};
    if (w.left)
        *w.out = '\0';
    const uint32_t items = ReadLevel(reinterpret_cast<HMENU>(static_cast<UINT_PTR>(req->hMenu)), 0, w);
    return w.overflow ? kProbeFailed : items;
}

BOOL WINAPI DllMain(HINSTANCE hinst, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        DisableThreadLibraryCalls(hinst);
    return TRUE;
}
