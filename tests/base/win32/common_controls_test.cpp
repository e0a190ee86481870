// Where a list's double click happened, on a real list view: the first
// common controls send a bare header, and the place then comes from the
// click message itself. Both ways must name the same row.
#include "base/win32/common_controls.h"

#include <gtest/gtest.h>

namespace {

struct Seen {
    bool bClick = false;
    POINT ptCarried = {};
    POINT ptFromMessage = {};
};
Seen g_seen;

LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const auto* pnmh = reinterpret_cast<const NMHDR*>(lParam);
    if (msg == WM_NOTIFY && pnmh->code == NM_DBLCLK) {
        g_seen.bClick = true;
        g_seen.ptCarried = ListClickPoint(pnmh, true);
        g_seen.ptFromMessage = ListClickPoint(pnmh, false);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

} // namespace

TEST(ListClickPoint, TheClickMessageNamesTheSameRowAsTheNotification)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ParentProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ListClickPointParent";
    RegisterClassA(&wc);
    HWND hParent = CreateWindowA(wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, 40, 40, 300, 200, nullptr, nullptr,
                                 wc.hInstance, nullptr);
    ASSERT_TRUE(hParent);
    HWND hList = CreateWindowA(WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 10, 10, 280, 180, hParent,
                               nullptr, wc.hInstance, nullptr);
    ASSERT_TRUE(hList);
    LVCOLUMNA col = {};
    col.mask = LVCF_WIDTH;
    col.cx = 200;
    ListView_InsertColumn(hList, 0, &col);
    char text[] = "row";
    for (int i = 0; i < 3; ++i) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = text;
        ListView_InsertItem(hList, &item);
    }
    RECT rc;
    ASSERT_TRUE(ListView_GetItemRect(hList, 2, &rc, LVIR_LABEL));
    POINT pt = {rc.left + 5, (rc.top + rc.bottom) / 2};
    POINT ptScreen = pt;
    ClientToScreen(hList, &ptScreen);
    // A posted message carries the cursor's place: put it where the click is.
    SetCursorPos(ptScreen.x, ptScreen.y);
    g_seen = Seen{};
    PostMessageA(hList, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    MSG msg;
    for (DWORD dwStart = GetTickCount(); !g_seen.bClick && GetTickCount() - dwStart < 3000;) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(10);
    }
    ASSERT_TRUE(g_seen.bClick);
    for (const POINT& seen : {g_seen.ptCarried, g_seen.ptFromMessage}) {
        LVHITTESTINFO hit = {};
        hit.pt = seen;
        EXPECT_EQ(2, ListView_HitTest(hList, &hit)) << seen.x << "," << seen.y;
    }
    DestroyWindow(hParent);
}
