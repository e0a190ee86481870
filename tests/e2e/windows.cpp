// Finding another process's windows, talking to them, reading its dialogs.
#include "driver.h"

#include <shellapi.h>

namespace e2e {

std::string ClassNameOf(HWND hwnd)
{
    char buf[256] = "";
    GetClassNameA(hwnd, buf, sizeof(buf));
    return buf;
}

std::string WindowText(HWND hwnd)
{
    // GetWindowText of another process's window reads the stored caption
    // without sending it a message, so a hung target cannot block us.
    const int len = GetWindowTextLengthW(hwnd);
    std::wstring s(static_cast<size_t>(len) + 1, L'\0');
    const int got = GetWindowTextW(hwnd, s.data(), len + 1);
    s.resize(static_cast<size_t>(got > 0 ? got : 0));
    return Utf8(s);
}

bool IsVisible(HWND hwnd)
{
    return hwnd && IsWindow(hwnd) && IsWindowVisible(hwnd);
}

DWORD ProcessOf(HWND hwnd)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    return pid;
}

namespace {

struct TopQuery {
    DWORD pid;
    const char* cls;
    const char* title;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTop(HWND hwnd, LPARAM lParam)
{
    auto* q = reinterpret_cast<TopQuery*>(lParam);
    if (ProcessOf(hwnd) != q->pid)
        return TRUE;
    if (q->cls && ClassNameOf(hwnd) != q->cls)
        return TRUE;
    if (q->title && WindowText(hwnd) != q->title)
        return TRUE;
    q->found.push_back(hwnd);
    return TRUE;
}

struct ChildQuery {
    const char* cls;
    std::optional<int> id;
    HWND found;
};

BOOL CALLBACK FindChildProc(HWND hwnd, LPARAM lParam)
{
    auto* q = reinterpret_cast<ChildQuery*>(lParam);
    if (q->cls && ClassNameOf(hwnd) != q->cls)
        return TRUE;
    if (q->id && GetDlgCtrlID(hwnd) != *q->id)
        return TRUE;
    q->found = hwnd;
    return FALSE;
}

}  // namespace

std::vector<HWND> FindTopWindows(DWORD pid, const char* cls, const char* title)
{
    TopQuery q{pid, cls, title, {}};
    EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&q));
    return q.found;
}

HWND FindTopWindow(DWORD pid, const char* cls, const char* title)
{
    const auto all = FindTopWindows(pid, cls, title);
    return all.empty() ? nullptr : all.front();
}

HWND WaitForTopWindow(DWORD pid, const char* cls, const char* title, DWORD ms)
{
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTopWindow(pid, cls, title)) != nullptr; }, ms);
    return found;
}

HWND WaitForVisibleWindow(DWORD pid, const char* cls, const char* title, DWORD ms)
{
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND h : FindTopWindows(pid, cls, title))
                if (IsVisible(h))
                    return (found = h) != nullptr;
            return false;
        },
        ms);
    return found;
}

HWND WaitForTopWindow(const CProcess& p, const char* cls, const char* title, DWORD ms)
{
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTopWindow(p.Id(), cls, title)) != nullptr || !p.IsRunning(); }, ms);
    return found;
}

HWND WaitForVisibleWindow(const CProcess& p, const char* cls, const char* title, DWORD ms)
{
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND h : FindTopWindows(p.Id(), cls, title))
                if (IsVisible(h))
                    return (found = h) != nullptr;
            return !p.IsRunning();
        },
        ms);
    return found;
}

HWND FindChild(HWND parent, const char* cls, std::optional<int> id)
{
    ChildQuery q{cls, id, nullptr};
    EnumChildWindows(parent, FindChildProc, reinterpret_cast<LPARAM>(&q));
    return q.found;
}

std::optional<LRESULT> Send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, DWORD ms)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(hwnd, msg, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_BLOCK, ms, &result))
        return std::nullopt;
    return static_cast<LRESULT>(result);
}

bool Post(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return PostMessageA(hwnd, msg, wParam, lParam) != FALSE;
}

bool PostCommand(HWND hwnd, int id)
{
    return Post(hwnd, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

CMessageBox ReadMessageBox(HWND hwnd)
{
    CMessageBox box;
    box.hwnd = hwnd;
    box.caption = WindowText(hwnd);
    box.text = DialogItemText(hwnd, 0xFFFF);
    return box;
}

std::optional<CMessageBox> WaitForMessageBox(DWORD pid, const char* caption, DWORD ms)
{
    HWND hwnd = WaitForVisibleWindow(pid, "#32770", caption, ms);
    if (!hwnd)
        return std::nullopt;
    return ReadMessageBox(hwnd);
}

std::optional<CMessageBox> WaitForMessageBox(const CProcess& p, const char* caption, DWORD ms)
{
    HWND hwnd = WaitForVisibleWindow(p, "#32770", caption, ms);
    if (!hwnd)
        return std::nullopt;
    return ReadMessageBox(hwnd);
}

std::vector<CMessageBox> OpenDialogs(DWORD pid)
{
    std::vector<CMessageBox> boxes;
    for (HWND h : FindTopWindows(pid, "#32770"))
        boxes.push_back(ReadMessageBox(h));
    return boxes;
}

std::string DialogItemText(HWND dlg, int id)
{
    HWND item = GetDlgItem(dlg, id);
    return item ? WindowText(item) : std::string();
}

bool PressButton(HWND dlg, int id)
{
    HWND button = GetDlgItem(dlg, id);
    return Post(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

bool ClickButton(HWND button)
{
    return Post(button, BM_CLICK, 0, 0);
}

bool WaitForClose(HWND hwnd, DWORD ms)
{
    return WaitUntil([&] { return !IsWindow(hwnd); }, ms);
}

namespace {

BOOL CALLBACK CountTrayIcons(HWND hwnd, LPARAM lParam)
{
    if (ClassNameOf(hwnd) == "__winex11_tray_icon")
        ++*reinterpret_cast<int*>(lParam);
    return TRUE;
}

bool RunningOnWine()
{
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

}  // namespace

int TrayIconCount()
{
    if (!RunningOnWine())
        return -1;
    // Each icon is a child window of Wine's stand-alone tray; the tray
    // itself appears with the first icon and stays, hidden, when empty.
    int count = 0;
    for (HWND tray = FindWindowExA(nullptr, nullptr, "__winex11_standalone_tray", nullptr); tray;
         tray = FindWindowExA(nullptr, tray, "__winex11_standalone_tray", nullptr))
        EnumChildWindows(tray, CountTrayIcons, reinterpret_cast<LPARAM>(&count));
    return count;
}

CTrayAnchor::CTrayAnchor()
{
    // A message-only window: no broadcast can reach it, so it needs no
    // message loop; the icon has no callback message for the same reason.
    m_hwnd = CreateWindowExA(0, "STATIC", "netbell-e2e anchor", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    if (!m_hwnd)
        return;
    NOTIFYICONDATAA nid = {};
    nid.cbSize = sizeof(nid);
    nid.hWnd = m_hwnd;
    nid.uID = 1;
    nid.uFlags = NIF_ICON | NIF_TIP;
    nid.hIcon = LoadIcon(nullptr, IDI_INFORMATION);
    lstrcpyA(nid.szTip, "netbell-e2e");
    m_bAdded = Shell_NotifyIconA(NIM_ADD, &nid) != FALSE;
}

CTrayAnchor::~CTrayAnchor()
{
    if (m_bAdded) {
        NOTIFYICONDATAA nid = {};
        nid.cbSize = sizeof(nid);
        nid.hWnd = m_hwnd;
        nid.uID = 1;
        Shell_NotifyIconA(NIM_DELETE, &nid);
    }
    if (m_hwnd)
        DestroyWindow(m_hwnd);
}

}  // namespace e2e
