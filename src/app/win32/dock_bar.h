#pragma once
// The tool bar's dock: a strip along one edge of the frame with a gripper,
// or a small tool window of its own when the user drops the bar elsewhere.
// The tool bar keeps the frame as the window it tells of its commands and
// tips wherever it sits.

#include <windows.h>

#include <functional>

#include "app/dock_layout.h"
#include "base/win32/window.h"

class ISettingsStore;
class CDockBar;

// The window that holds the tool bar: the docked strip or the floating one.
class CBarHost : public CWindow {
public:
    CBarHost(CDockBar& owner, bool bFloating) : m_owner(owner), m_bFloating(bFloating) {}
    bool Create(HINSTANCE hInstance, HWND hwndFrame);
    void Destroy();

private:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnPaint();

    CDockBar& m_owner;
    const bool m_bFloating;
    bool m_bClicked = false; // the last press was a click, not a drag
    DWORD m_dwClickTime = 0;
    POINT m_ptClick = {0, 0};
};

class CDockBar {
public:
    // `onLayout` lays the frame out again after the bar moved.
    CDockBar(ISettingsStore& settings, std::function<void()> onLayout);
    ~CDockBar();
    CDockBar(const CDockBar&) = delete;
    CDockBar& operator=(const CDockBar&) = delete;

    // Takes the frame's tool bar into the dock it had at the last start. The
    // status bar's top is the bottom edge a bar docks at.
    bool Create(HINSTANCE hInstance, HWND hwndFrame, HWND hwndToolBar, HWND hwndStatusBar);
    void Destroy();

    DockSide Side() const { return m_state.side; }
    bool IsShown() const { return m_state.bVisible; }
    bool IsFrameShown() const { return m_bFrameShown; }
    // View > Toolbar: shows or hides the bar wherever it is.
    void Show(bool bShow);
    // The docked strip's height, or its width at a side; 0 when the bar is
    // hidden or floats.
    int Thickness() const;
    // Puts the docked strip where the frame's layout says.
    void Place(const BarRect& rc);
    // A floating bar goes and comes with the frame, and its caption is as
    // active as the frame's: it never takes the activation itself.
    void OnFrameShown(bool bShown);
    void OnFrameActivated(bool bActive);

    void DockAt(DockSide side);
    void FloatAt(int x, int y);

    // From the hosts: a press on the gripper or an empty part, on the
    // floating window's caption, dragged until the button goes up; false
    // for a click that never moved. Then a double click there.
    bool Track(HWND hwndFrom, POINT ptScreen);
    void OnHostDoubleClick(bool bFloating);
    void OnFloatClosed();
    // Where the gripper and the border leave room for the tool bar.
    RECT ToolBarPlace(HWND hwndHost) const;

private:
    SIZE ToolBarSize() const;
    int ThicknessFor(bool bVertical) const;
    void SetVertical(bool bVertical);
    SIZE FloatWindowSize() const;
    void KeepFloatOnScreen(int x, int y);
    BarRect DockArea() const;
    BarRect DockedRectOnScreen(DockSide side, const BarRect& area) const;
    void Apply();
    void Save();

    ISettingsStore& m_settings;
    std::function<void()> m_onLayout;
    HINSTANCE m_hInstance = nullptr;
    HWND m_hwndFrame = nullptr;
    HWND m_hwndToolBar = nullptr; // the frame's: destroyed with its host
    HWND m_hwndStatusBar = nullptr;
    SIZE m_sizeButton = {0, 0};
    SIZE m_sizeHorz = {0, 0}; // the bar in one row
    CBarHost m_dock;
    CBarHost m_float;
    BarState m_state;
    bool m_bVertical = false;
    bool m_bFrameShown = false;
};
