// A small window with known contents that the end-to-end driver's own cases
// drive: a menu bar, a list view, a message box, a popup menu and,
// with "/tray", a notification-area icon. Never shipped.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstring>
#include <string>

namespace {

constexpr UINT kTrayNotify = WM_APP + 1;
constexpr int kCmdAsk = 110;
constexpr COLORREF kBackground = RGB(255, 0, 255);

HWND g_hList = nullptr;
bool g_bTray = false;

HMENU BuildMenuBar()
{
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, 101, "&Open\tCtrl+O");
    AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(file, MF_STRING, 102, "E&xit");
    HMENU view = CreatePopupMenu();
    AppendMenuA(view, MF_STRING | MF_CHECKED, 103, "&Toolbar");
    HMENU more = CreatePopupMenu();
    AppendMenuA(more, MF_STRING | MF_GRAYED, 104, "&Deeper");
    AppendMenuA(view, MF_POPUP, reinterpret_cast<UINT_PTR>(more), "&More");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(view), "&View");
    return bar;
}

void FillList(HWND list)
{
    const char* titles[] = {"Name", "Kind", "Note"};
    for (int c = 0; c < 3; ++c) {
        LVCOLUMNA col = {};
        col.mask = LVCF_TEXT | LVCF_WIDTH;
        col.cx = 120;
        col.pszText = const_cast<char*>(titles[c]);
        SendMessageA(list, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&col));
    }
    const char* rows[2][3] = {{"Alpha", "Note", ""}, {"Beta", "Browse", "http://example.com/"}};
    for (int r = 0; r < 2; ++r) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = r;
        item.pszText = const_cast<char*>(rows[r][0]);
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        for (int c = 1; c < 3; ++c) {
            item.iSubItem = c;
            item.pszText = const_cast<char*>(rows[r][c]);
            SendMessageA(list, LVM_SETITEMTEXTA, r, reinterpret_cast<LPARAM>(&item));
        }
    }
    LVITEMA state = {};
    state.stateMask = LVIS_STATEIMAGEMASK;
    state.state = INDEXTOSTATEIMAGEMASK(2);
    SendMessageA(list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
}

NOTIFYICONDATAA TrayRecord(HWND hwnd)
{
    NOTIFYICONDATAA nid = {};
    nid.cbSize = sizeof(nid);
    nid.hWnd = hwnd;
    nid.uID = 1;
    nid.uFlags = NIF_ICON | NIF_TIP | NIF_MESSAGE;
    nid.uCallbackMessage = kTrayNotify;
    nid.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    lstrcpyA(nid.szTip, "E2E Target");
    return nid;
}

void ShowPopup(HWND hwnd)
{
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 120, "&Show");
    AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(popup, MF_STRING, 121, "&Quit");
    SetMenuDefaultItem(popup, 0, TRUE);
    SetForegroundWindow(hwnd);
    const int chosen = TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RETURNCMD, 200, 200, 0, hwnd, nullptr);
    DestroyMenu(popup);
    SetWindowTextA(hwnd, ("popup " + std::to_string(chosen)).c_str());
}

LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE: {
        g_hList = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT, 0, 150, 400,
                                  150, hwnd, reinterpret_cast<HMENU>(1), nullptr, nullptr);
        SendMessageA(g_hList, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
        FillList(g_hList);
        if (g_bTray) {
            NOTIFYICONDATAA nid = TrayRecord(hwnd);
            Shell_NotifyIconA(NIM_ADD, &nid);
        }
        return 0;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == kCmdAsk) {
            const int answer =
                MessageBoxA(hwnd, "First line\nSecond line", "Target Question", MB_YESNO | MB_ICONQUESTION);
            SetWindowTextA(hwnd, ("answer " + std::to_string(answer)).c_str());
        }
        return 0;
    case kTrayNotify:
        if (lParam == WM_RBUTTONUP)
            ShowPopup(hwnd);
        return 1;
    case WM_DESTROY:
        if (g_bTray) {
            NOTIFYICONDATAA nid = TrayRecord(hwnd);
            Shell_NotifyIconA(NIM_DELETE, &nid);
        }
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR cmdLine, int)
{
    g_bTray = strstr(cmdLine, "/tray") != nullptr;
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = hInstance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = CreateSolidBrush(kBackground);
    wc.lpszClassName = "E2eTargetFrame";
    if (!RegisterClassA(&wc))
        return 1;
    HWND hwnd = CreateWindowA("E2eTargetFrame", "E2E Target", WS_OVERLAPPEDWINDOW, 40, 40, 420, 340, nullptr,
                              BuildMenuBar(), hInstance, nullptr);
    if (!hwnd)
        return 1;
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    DeleteObject(wc.hbrBackground);
    return static_cast<int>(msg.wParam);
}
