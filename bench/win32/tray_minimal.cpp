// The baseline of the tray benchmark: the least a Win32 program does to
// put an icon in the notification area. A hidden window to own the icon,
// the icon, a message loop; WM_CLOSE removes the icon and ends it.
#include <windows.h>
#include <shellapi.h>

namespace {

NOTIFYICONDATAA g_nid = {};

LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_DESTROY) {
        Shell_NotifyIconA(NIM_DELETE, &g_nid);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = hInstance;
    wc.lpszClassName = "TrayMinimal";
    if (!RegisterClassA(&wc))
        return 1;
    HWND hwnd = CreateWindowA("TrayMinimal", "Tray Minimal", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 200,
                              100, nullptr, nullptr, hInstance, nullptr);
    if (!hwnd)
        return 1;
    g_nid.cbSize = sizeof(g_nid);
    g_nid.hWnd = hwnd;
    g_nid.uID = 1;
    g_nid.uFlags = NIF_ICON | NIF_TIP | NIF_MESSAGE;
    g_nid.uCallbackMessage = WM_APP + 1;
    g_nid.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    lstrcpyA(g_nid.szTip, "Tray Minimal");
    if (!Shell_NotifyIconA(NIM_ADD, &g_nid))
        return 2;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}
