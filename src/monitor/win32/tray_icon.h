#pragma once
// One icon in the notification area, with its popup menu.

#include <windows.h>

#include "monitor/win32/fixed_layout.h"

// The notification record as the first shells knew it: 88 bytes in its
// single-byte form, which every later shell still accepts, as it does the
// same record with a 16-bit tip.
struct NOTIFYICONDATA95 {
    DWORD cbSize;
    HWND hWnd;
    UINT uID;
    UINT uFlags;
    UINT uCallbackMessage;
    HICON hIcon;
    TCHAR szTip[64];
};
static_assert(!kFixedRecordLayout || sizeof(NOTIFYICONDATA95) == 88, "the record must keep its 88-byte layout");

class CTrayIcon {
public:
    explicit CTrayIcon(UINT uID);
    virtual ~CTrayIcon();
    CTrayIcon(const CTrayIcon&) = delete;
    CTrayIcon& operator=(const CTrayIcon&) = delete;

    void SetNotificationWnd(HWND hwnd, UINT uCallbackMessage);
    // A resource id loads that icon and its tip; 0 removes the icon.
    BOOL SetIcon(UINT uID);
    BOOL SetIcon(HICON hIcon, LPCTSTR lpTip);
    // Adds the icon again after the task bar was created anew, also when
    // the first add failed (at logon, before the task bar was up).
    BOOL Restore();
    virtual LRESULT OnTrayNotification(WPARAM wParam, LPARAM lParam);

    const NOTIFYICONDATA95& Record() const { return m_nid; }

private:
    void LoadTip(UINT uID);

    NOTIFYICONDATA95 m_nid;
    // The icon to show: the record forgets its handle when the shell refuses
    // it, so that the next SetIcon adds rather than modifies.
    HICON m_hIcon = nullptr;
};
