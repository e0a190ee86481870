// The notification-area icon against the shell's own tray.
#include "monitor/win32/tray_icon.h"

#include <shellapi.h>

#include <gtest/gtest.h>

namespace {

constexpr UINT kIconId = 129;

} // namespace

TEST(TrayIcon, AnIconTheShellRefusedComesWhenTheTaskBarIsCreated)
{
    // A message-only window: no broadcast reaches it, so it needs no loop.
    HWND hwnd = CreateWindowExA(0, "STATIC", "tray test", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_TRUE(hwnd);
    HICON hIcon = LoadIcon(nullptr, IDI_INFORMATION);
    // An icon of the same window and id is already there, so the shell
    // refuses the add, as a task bar that is not up yet does at logon.
    NOTIFYICONDATAA nid = {};
    nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
    nid.hWnd = hwnd;
    nid.uID = kIconId;
    nid.uFlags = NIF_ICON;
    nid.hIcon = hIcon;
    ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &nid));
    {
        CTrayIcon tray(kIconId);
        tray.SetNotificationWnd(hwnd, WM_APP);
        EXPECT_FALSE(tray.SetIcon(hIcon, "Netbell"));

        // The new task bar knows no icon.
        ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &nid));
        EXPECT_TRUE(tray.Restore());
        EXPECT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &nid)) << "the icon is not in the tray";
    }
    EXPECT_FALSE(Shell_NotifyIconA(NIM_MODIFY, &nid)) << "the icon outlived its owner";
    Shell_NotifyIconA(NIM_DELETE, &nid);
    DestroyWindow(hwnd);
}
