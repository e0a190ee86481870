#include "monitor/win32/tray_icon.h"

#include <shellapi.h>

#include <cstring>
#include <string>

#include "base/win32/text_win32.h"

static_assert(sizeof(NOTIFYICONDATA95) == NOTIFYICONDATA_V1_SIZE, "the record is the first shells' one");

CTrayIcon::CTrayIcon(UINT uID)
{
    std::memset(&m_nid, 0, sizeof m_nid);
    m_nid.cbSize = sizeof m_nid;
    m_nid.uID = uID;
    LoadTip(uID);
}

CTrayIcon::~CTrayIcon()
{
    SetIcon(0U);
}

void CTrayIcon::LoadTip(UINT uID)
{
    m_nid.szTip[0] = TEXT('\0');
    LoadString(GetModuleHandle(nullptr), uID, m_nid.szTip, 64);
}

void CTrayIcon::SetNotificationWnd(HWND hwnd, UINT uCallbackMessage)
{
    m_nid.hWnd = hwnd;
    m_nid.uCallbackMessage = uCallbackMessage;
}

BOOL CTrayIcon::SetIcon(UINT uID)
{
    if (uID == 0)
        return SetIcon(static_cast<HICON>(nullptr), nullptr);
    LoadTip(uID);
    // Shared icons are owned by the system; nothing to free.
    HICON hIcon = static_cast<HICON>(LoadImage(GetModuleHandle(nullptr), MAKEINTRESOURCE(uID), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                               LR_SHARED));
    return SetIcon(hIcon, nullptr);
}

BOOL CTrayIcon::SetIcon(HICON hIcon, LPCTSTR lpTip)
{
    m_hIcon = hIcon;
    DWORD dwMessage = NIM_DELETE;
    m_nid.uFlags = 0;
    if (hIcon) {
        dwMessage = m_nid.hIcon ? NIM_MODIFY : NIM_ADD;
        m_nid.hIcon = hIcon;
        m_nid.uFlags = NIF_ICON;
    } else if (!m_nid.hIcon) {
        return TRUE;
    }
    if (lpTip)
        CopySysText(lpTip, std::char_traits<TCHAR>::length(lpTip), m_nid.szTip, 64);
    if (m_nid.szTip[0])
        m_nid.uFlags |= NIF_TIP;
    if (m_nid.uCallbackMessage && m_nid.hWnd)
        m_nid.uFlags |= NIF_MESSAGE;
    const BOOL bResult = Shell_NotifyIcon(dwMessage, reinterpret_cast<PNOTIFYICONDATA>(&m_nid));
    if (dwMessage == NIM_DELETE || !bResult)
        m_nid.hIcon = nullptr;
    return bResult;
}

BOOL CTrayIcon::Restore()
{
    if (!m_hIcon)
        return FALSE;
    // The new task bar knows no icon: add it afresh.
    m_nid.hIcon = nullptr;
    return SetIcon(m_hIcon, nullptr);
}

LRESULT CTrayIcon::OnTrayNotification(WPARAM wParam, LPARAM lParam)
{
    if (wParam != m_nid.uID || (lParam != WM_RBUTTONUP && lParam != WM_LBUTTONDBLCLK))
        return 0;
    HMENU hMenu = LoadMenu(GetModuleHandle(nullptr), MAKEINTRESOURCE(m_nid.uID));
    if (!hMenu)
        return 0;
    HMENU hPopup = GetSubMenu(hMenu, 0);
    if (hPopup) {
        if (lParam == WM_RBUTTONUP) {
            SetMenuDefaultItem(hPopup, 0, TRUE);
            POINT pt;
            GetCursorPos(&pt);
            SetForegroundWindow(m_nid.hWnd);
            TrackPopupMenu(hPopup, TPM_LEFTALIGN | TPM_LEFTBUTTON, pt.x, pt.y, 0, m_nid.hWnd, nullptr);
            // Lets the menu close when the user clicks elsewhere.
            PostMessage(m_nid.hWnd, WM_NULL, 0, 0);
        } else {
            SendMessage(m_nid.hWnd, WM_COMMAND, GetMenuItemID(hPopup, 0), 0);
        }
    }
    DestroyMenu(hMenu);
    return hPopup ? 1 : 0;
}
