// The notification-area icon against the shell's own tray.
#include "monitor/win32/tray_icon.h"

#include <shellapi.h>

#include <gtest/gtest.h>

#include "base/win32/text_win32.h"

namespace {

constexpr UINT kIconId = 129;

} // namespace

TEST(TrayIcon, AnIconTheShellRefusedComesWhenTheTaskBarIsCreated)
{
    // A message-only window: no broadcast reaches it, so it needs no loop.
    HWND hwnd = CreateWindowEx(0, TEXT("STATIC"), TEXT("tray test"), 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                               nullptr);
    ASSERT_TRUE(hwnd);
    HICON hIcon = LoadIcon(nullptr, IDI_INFORMATION);
    // An icon of the same window and id is already there, so the shell
    // refuses the add, as a task bar that is not up yet does at logon.
    NOTIFYICONDATA nid = {};
    nid.cbSize = NOTIFYICONDATA_V1_SIZE;
    nid.hWnd = hwnd;
    nid.uID = kIconId;
    nid.uFlags = NIF_ICON;
    nid.hIcon = hIcon;
    ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &nid));
    {
        CTrayIcon tray(kIconId);
        tray.SetNotificationWnd(hwnd, WM_APP);
        EXPECT_FALSE(tray.SetIcon(hIcon, TEXT("Netbell")));
        EXPECT_EQ(tstring(TEXT("Netbell")), tray.Record().szTip);
        // A tip longer than the record's 63 characters ends on a whole one.
        const tstring longTip = tstring(62, TEXT('a')) + ToSys(u8"😀");
        EXPECT_FALSE(tray.SetIcon(hIcon, longTip.c_str()));
        EXPECT_EQ(longTip.size() <= 63 ? longTip : tstring(62, TEXT('a')), tray.Record().szTip);

        // The new task bar knows no icon.
        ASSERT_TRUE(Shell_NotifyIcon(NIM_DELETE, &nid));
        EXPECT_TRUE(tray.Restore());
        EXPECT_TRUE(Shell_NotifyIcon(NIM_MODIFY, &nid)) << "the icon is not in the tray";
    }
    EXPECT_FALSE(Shell_NotifyIcon(NIM_MODIFY, &nid)) << "the icon outlived its owner";
    Shell_NotifyIcon(NIM_DELETE, &nid);
    DestroyWindow(hwnd);
}
