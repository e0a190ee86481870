#include "app/win32/dock_bar.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

constexpr const TCHAR* kHostClass = TEXT("NetbellBarHost");
constexpr int kGripper = 9; // the gripper's strip before the buttons
constexpr int kPad = 2;     // around the buttons
constexpr int kBorder = 2;  // the etched line on the side of the list
constexpr DWORD kFloatStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kFloatExStyle = WS_EX_TOOLWINDOW;
// A floating bar shows a moment after the frame, once the frame is
// forward: shown at once, some systems leave it behind the frame.
constexpr UINT_PTR kShowFloatTimer = 1;
constexpr UINT kShowFloatDelayMs = 100;

BarRect ToBarRect(const RECT& rc)
{
    return {rc.left, rc.top, rc.right, rc.bottom};
}

RECT ToRect(const BarRect& rc)
{
    return {rc.left, rc.top, rc.right, rc.bottom};
}

// The dragged outline, two pixels thick; drawn twice it is gone again.
void DrawDragRect(HDC hdc, const BarRect& rc)
{
    RECT outer = ToRect(rc);
    DrawFocusRect(hdc, &outer);
    InflateRect(&outer, -1, -1);
    DrawFocusRect(hdc, &outer);
}

} // namespace

// ---- CBarHost ----

bool CBarHost::Create(HINSTANCE hInstance, HWND hwndFrame)
{
    if (!RegisterWindowClass(hInstance, kHostClass, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)))
        return false;
    if (m_bFloating)
        return CreateEx(kFloatExStyle, kHostClass, TEXT("Toolbar"), kFloatStyle, 0, 0, 0, 0, hwndFrame, nullptr,
                        hInstance) != nullptr;
    return CreateEx(0, kHostClass, nullptr, WS_CHILD | WS_CLIPCHILDREN, 0, 0, 0, 0, hwndFrame, nullptr,
                    hInstance) != nullptr;
}

void CBarHost::Destroy()
{
    if (m_hWnd)
        DestroyWindow(m_hWnd);
}

LRESULT CBarHost::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT: OnPaint(); return 0;
    case WM_LBUTTONDOWN:
    case WM_NCLBUTTONDOWN: {
        // Docked: a press on the gripper or beside the buttons; floating: on
        // the caption. Either drags the bar.
        if (msg == WM_NCLBUTTONDOWN && (!m_bFloating || wParam != HTCAPTION))
            break;
        const DWORD dwPos = GetMessagePos();
        const POINT pt = {static_cast<short>(LOWORD(dwPos)), static_cast<short>(HIWORD(dwPos))};
        // The drag takes the mouse between the two clicks of a double
        // click, so some systems report the second as a plain press.
        const DWORD dwTime = static_cast<DWORD>(GetMessageTime());
        if (m_bClicked && dwTime - m_dwClickTime <= GetDoubleClickTime() &&
            std::abs(pt.x - m_ptClick.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
            std::abs(pt.y - m_ptClick.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2) {
            m_bClicked = false;
            m_owner.OnHostDoubleClick(m_bFloating);
            return 0;
        }
        m_bClicked = !m_owner.Track(m_hWnd, pt);
        m_dwClickTime = dwTime;
        m_ptClick = pt;
        return 0;
    }
    case WM_LBUTTONDBLCLK:
    case WM_NCLBUTTONDBLCLK:
        if (msg == WM_NCLBUTTONDBLCLK && (!m_bFloating || wParam != HTCAPTION))
            break;
        m_bClicked = false;
        m_owner.OnHostDoubleClick(m_bFloating);
        return 0;
    case WM_MOUSEACTIVATE:
        // The floating bar never takes the activation from the frame, so the
        // frame's keys and accelerators keep working while it is used.
        if (m_bFloating)
            return MA_NOACTIVATE;
        break;
    case WM_CLOSE: m_owner.OnFloatClosed(); return 0;
    case WM_WINDOWPOSCHANGED:
        // Shown: its caption as active as the frame's from the start.
        if (m_bFloating && (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW))
            PostMessage(m_hWnd, WM_NCACTIVATE, GetActiveWindow() == GetWindow(m_hWnd, GW_OWNER), 0);
        break;
    case WM_TIMER:
        // Shown once the frame is, and after it, so that the bar is over it;
        // a tick that finds the frame not shown yet waits for the next.
        if (!m_owner.IsShown() || m_owner.Side() != DockSide::floating || !m_owner.IsFrameShown()) {
            KillTimer(m_hWnd, wParam);
        } else if (IsWindowVisible(GetWindow(m_hWnd, GW_OWNER))) {
            KillTimer(m_hWnd, wParam);
            SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        }
        return 0;
    case WM_COMMAND:
    case WM_NOTIFY:
        // The tool bar tells the frame itself; anything else that reaches
        // the host goes the same way.
        return SendMessage(GetWindow(m_hWnd, GW_OWNER) ? GetWindow(m_hWnd, GW_OWNER) : GetParent(m_hWnd), msg,
                           wParam, lParam);
    default: break;
    }
    return Default(msg, wParam, lParam);
}

void CBarHost::OnPaint()
{
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(m_hWnd, &ps);
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    if (!m_bFloating) {
        // The gripper: two raised lines before the buttons, across the bar.
        const RECT place = m_owner.ToolBarPlace(m_hWnd);
        const bool bVertical = place.top > place.left;
        for (int i = 0; i < 2; ++i) {
            RECT line = bVertical ? RECT{rc.left + 2, 2 + 3 * i, rc.right - 2, 5 + 3 * i}
                                  : RECT{2 + 3 * i, rc.top + 2, 5 + 3 * i, rc.bottom - 2};
            DrawEdge(hdc, &line, BDR_RAISEDINNER, BF_RECT);
        }
        // The etched line that parts the bar from the list.
        UINT edge = BF_BOTTOM;
        if (bVertical)
            edge = place.left > kPad ? BF_LEFT : BF_RIGHT;
        else if (place.top > kPad)
            edge = BF_TOP;
        DrawEdge(hdc, &rc, EDGE_ETCHED, edge);
    }
    EndPaint(m_hWnd, &ps);
}

// ---- CDockBar ----

CDockBar::CDockBar(ISettingsStore& settings, std::function<void()> onLayout)
    : m_settings(settings), m_onLayout(std::move(onLayout)), m_dock(*this, false), m_float(*this, true)
{
}

CDockBar::~CDockBar() = default;

bool CDockBar::Create(HINSTANCE hInstance, HWND hwndFrame, HWND hwndToolBar, HWND hwndStatusBar)
{
    m_hInstance = hInstance;
    m_hwndFrame = hwndFrame;
    m_hwndToolBar = hwndToolBar;
    m_hwndStatusBar = hwndStatusBar;
    if (!m_dock.Create(hInstance, hwndFrame))
        return false;
    // The tool bar's commands and tips keep going to the frame.
    SendMessage(hwndToolBar, TB_SETPARENT, reinterpret_cast<WPARAM>(hwndFrame), 0);
    RECT rcButton = {};
    SendMessage(hwndToolBar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rcButton));
    m_sizeButton = {rcButton.right - rcButton.left, rcButton.bottom - rcButton.top};
    m_sizeHorz = ToolBarSize();
    m_state = ReadBarState(m_settings);
    if (m_state.bFloatPlaced) {
        KeepFloatOnScreen(m_state.xFloat, m_state.yFloat);
    } else {
        // A bar that never floated floats first over the frame's corner.
        RECT rcFrame;
        GetWindowRect(hwndFrame, &rcFrame);
        KeepFloatOnScreen(rcFrame.left + 40, rcFrame.top + 80);
    }
    m_bFrameShown = IsWindowVisible(hwndFrame) != FALSE;
    Apply();
    return true;
}

void CDockBar::Destroy()
{
    m_float.Destroy();
    m_dock.Destroy();
    m_hwndToolBar = nullptr;
}

SIZE CDockBar::ToolBarSize() const
{
    SIZE size = {0, 0};
    const int n = static_cast<int>(SendMessage(m_hwndToolBar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        RECT rc = {};
        if (SendMessage(m_hwndToolBar, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&rc))) {
            size.cx = std::max(size.cx, static_cast<LONG>(rc.right));
            size.cy = std::max(size.cy, static_cast<LONG>(rc.bottom));
        }
    }
    return size;
}

int CDockBar::ThicknessFor(bool bVertical) const
{
    return (bVertical ? m_sizeButton.cx : m_sizeButton.cy) + 2 * kPad + kBorder;
}

int CDockBar::Thickness() const
{
    if (!m_state.bVisible || m_state.side == DockSide::floating)
        return 0;
    return ThicknessFor(IsVertical(m_state.side));
}

RECT CDockBar::ToolBarPlace(HWND hwndHost) const
{
    if (hwndHost != m_dock.GetSafeHwnd())
        return {kPad, kPad, 0, 0};
    switch (m_state.side) {
    case DockSide::bottom: return {kGripper, kPad + kBorder, 0, 0};
    case DockSide::left: return {kPad, kGripper, 0, 0};
    case DockSide::right: return {kPad + kBorder, kGripper, 0, 0};
    default: return {kGripper, kPad, 0, 0};
    }
}

void CDockBar::SetVertical(bool bVertical)
{
    if (bVertical == m_bVertical)
        return;
    m_bVertical = bVertical;
    // A vertical bar is a bar of one button a row: each button, separators
    // too, ends its row. The buttons are put back with their states.
    const int n = static_cast<int>(SendMessage(m_hwndToolBar, TB_BUTTONCOUNT, 0, 0));
    std::vector<TBBUTTON> buttons(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        SendMessage(m_hwndToolBar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&buttons[i]));
        if (bVertical)
            buttons[i].fsState |= TBSTATE_WRAP;
        else
            buttons[i].fsState &= ~TBSTATE_WRAP;
    }
    SendMessage(m_hwndToolBar, WM_SETREDRAW, FALSE, 0);
    for (int i = n - 1; i >= 0; --i)
        SendMessage(m_hwndToolBar, TB_DELETEBUTTON, i, 0);
    SendMessage(m_hwndToolBar, TB_ADDBUTTONS, n, reinterpret_cast<LPARAM>(buttons.data()));
    SendMessage(m_hwndToolBar, WM_SETREDRAW, TRUE, 0);
}

SIZE CDockBar::FloatWindowSize() const
{
    RECT rc = {0, 0, m_sizeHorz.cx + 2 * kPad, m_sizeHorz.cy + 2 * kPad};
    AdjustWindowRectEx(&rc, kFloatStyle, FALSE, kFloatExStyle);
    return {rc.right - rc.left, rc.bottom - rc.top};
}

BarRect CDockBar::DockArea() const
{
    RECT rc;
    GetClientRect(m_hwndFrame, &rc);
    if (m_hwndStatusBar && IsWindowVisible(m_hwndStatusBar)) {
        RECT rcStatus;
        GetWindowRect(m_hwndStatusBar, &rcStatus);
        rc.bottom -= rcStatus.bottom - rcStatus.top;
    }
    MapWindowPoints(m_hwndFrame, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    return ToBarRect(rc);
}

BarRect CDockBar::DockedRectOnScreen(DockSide side, const BarRect& area) const
{
    return LayOutFrame(area, side, ThicknessFor(IsVertical(side)), 0).bar;
}

void CDockBar::Place(const BarRect& rc)
{
    HWND hwndDock = m_dock.GetSafeHwnd();
    if (!hwndDock || m_state.side == DockSide::floating)
        return;
    MoveWindow(hwndDock, rc.left, rc.top, rc.Width(), rc.Height(), TRUE);
    const RECT place = ToolBarPlace(hwndDock);
    const SIZE size = ToolBarSize();
    SetWindowPos(m_hwndToolBar, nullptr, place.left, place.top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(hwndDock, nullptr, TRUE);
}

void CDockBar::Apply()
{
    if (!m_hwndToolBar)
        return;
    const bool bFloating = m_state.side == DockSide::floating;
    if (bFloating && !m_float.GetSafeHwnd() && !m_float.Create(m_hInstance, m_hwndFrame)) {
        // No window to float in: the bar stays where it docked last.
        m_state.side = m_state.lastDocked;
        Apply();
        return;
    }
    SetVertical(IsVertical(m_state.side));
    HWND hwndHost = bFloating ? m_float.GetSafeHwnd() : m_dock.GetSafeHwnd();
    if (GetParent(m_hwndToolBar) != hwndHost)
        SetParent(m_hwndToolBar, hwndHost);
    ShowWindow(m_hwndToolBar, SW_SHOWNA);
    if (bFloating) {
        const SIZE size = FloatWindowSize();
        SetWindowPos(m_float.GetSafeHwnd(), nullptr, m_state.xFloat, m_state.yFloat, size.cx, size.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SetWindowPos(m_hwndToolBar, nullptr, kPad, kPad, m_sizeHorz.cx, m_sizeHorz.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(m_dock.GetSafeHwnd(), SW_HIDE);
    } else if (m_float.GetSafeHwnd()) {
        ShowWindow(m_float.GetSafeHwnd(), SW_HIDE);
    }
    OnFrameShown(m_bFrameShown);
    if (m_onLayout)
        m_onLayout();
}

void CDockBar::OnFrameShown(bool bShown)
{
    m_bFrameShown = bShown;
    const bool bFloating = m_state.side == DockSide::floating;
    if (!bFloating)
        ShowWindow(m_dock.GetSafeHwnd(), m_state.bVisible ? SW_SHOWNA : SW_HIDE);
    else if (m_float.GetSafeHwnd() && m_state.bVisible && bShown)
        SetTimer(m_float.GetSafeHwnd(), kShowFloatTimer, kShowFloatDelayMs, nullptr);
    else if (m_float.GetSafeHwnd())
        ShowWindow(m_float.GetSafeHwnd(), SW_HIDE);
}

void CDockBar::OnFrameActivated(bool bActive)
{
    if (m_float.GetSafeHwnd())
        SendMessage(m_float.GetSafeHwnd(), WM_NCACTIVATE, bActive, 0);
}

void CDockBar::Save()
{
    WriteBarState(m_settings, m_state);
}

void CDockBar::Show(bool bShow)
{
    m_state.bVisible = bShow;
    Apply();
    Save();
}

void CDockBar::DockAt(DockSide side)
{
    if (side == DockSide::floating)
        return;
    m_state.side = side;
    m_state.lastDocked = side;
    Apply();
    Save();
}

void CDockBar::KeepFloatOnScreen(int x, int y)
{
    // On the work area, so that a bar is never lost off the screen, not
    // even after the screen has shrunk since the last start.
    RECT work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    const SIZE size = FloatWindowSize();
    m_state.xFloat = static_cast<int>(std::max<LONG>(work.left, std::min<LONG>(x, work.right - size.cx)));
    m_state.yFloat = static_cast<int>(std::max<LONG>(work.top, std::min<LONG>(y, work.bottom - size.cy)));
}

void CDockBar::FloatAt(int x, int y)
{
    KeepFloatOnScreen(x, y);
    m_state.bFloatPlaced = true;
    m_state.side = DockSide::floating;
    Apply();
    Save();
}

void CDockBar::OnHostDoubleClick(bool bFloating)
{
    if (bFloating) {
        DockAt(m_state.lastDocked);
        return;
    }
    FloatAt(m_state.xFloat, m_state.yFloat);
}

void CDockBar::OnFloatClosed()
{
    Show(false);
}

bool CDockBar::Track(HWND hwndFrom, POINT ptStart)
{
    const int nDrag = std::max(GetSystemMetrics(SM_CXDRAG), 4);
    // Where in the floating window the pointer holds it.
    RECT rcFrom;
    GetWindowRect(hwndFrom, &rcFrom);
    const SIZE sizeFloat = FloatWindowSize();
    const POINT grab = {std::min<LONG>(ptStart.x - rcFrom.left, sizeFloat.cx - 1),
                        std::min<LONG>(ptStart.y - rcFrom.top, sizeFloat.cy - 1)};
    const int nReach = ThicknessFor(false);

    SetCapture(hwndFrom);
    HDC hdc = GetDC(nullptr);
    bool bMoved = false, bDrawn = false, bDrop = false;
    DockSide target = DockSide::floating;
    BarRect shown;
    while (GetCapture() == hwndFrom) {
        MSG msg;
        if (!GetMessage(&msg, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_LBUTTONUP) {
            bDrop = bMoved;
            break;
        }
        if (msg.message == WM_RBUTTONDOWN || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE))
            break;
        if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP || msg.message == WM_CHAR)
            continue; // no keys reach the windows while the bar is dragged
        if (msg.message != WM_MOUSEMOVE) {
            DispatchMessage(&msg);
            continue;
        }
        const POINT pt = msg.pt;
        if (!bMoved && std::abs(pt.x - ptStart.x) < nDrag && std::abs(pt.y - ptStart.y) < nDrag)
            continue;
        bMoved = true;
        const BarRect area = DockArea();
        target = DockSideForDrop(area, pt.x, pt.y, nReach);
        const BarRect next = target == DockSide::floating
                                 ? BarRect{pt.x - grab.x, pt.y - grab.y, pt.x - grab.x + sizeFloat.cx,
                                           pt.y - grab.y + sizeFloat.cy}
                                 : DockedRectOnScreen(target, area);
        if (bDrawn && next == shown)
            continue;
        if (bDrawn)
            DrawDragRect(hdc, shown);
        DrawDragRect(hdc, next);
        shown = next;
        bDrawn = true;
    }
    if (bDrawn)
        DrawDragRect(hdc, shown);
    ReleaseDC(nullptr, hdc);
    if (GetCapture() == hwndFrom)
        ReleaseCapture();
    if (!bDrop)
        return bMoved;
    if (target == DockSide::floating)
        FloatAt(shown.left, shown.top);
    else
        DockAt(target);
    return true;
}
