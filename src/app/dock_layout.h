#pragma once
// Where the tool bar sits: docked at an edge of the frame or floating in a
// window of its own. The frame's layout and the drop of a dragged bar are
// plain arithmetic, kept here so that they can be checked without windows.

class ISettingsStore;

enum class DockSide { top = 0, bottom = 1, left = 2, right = 3, floating = 4 };

inline bool IsVertical(DockSide side)
{
    return side == DockSide::left || side == DockSide::right;
}

struct BarRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const BarRect& o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// The bar as the next start shows it: the framework's usual bar state, kept
// in a section of its own under the application key.
struct BarState {
    DockSide side = DockSide::top;
    DockSide lastDocked = DockSide::top; // where a floating bar docks back
    bool bVisible = true;
    int xFloat = 0, yFloat = 0; // the floating window's place on the screen
    bool bFloatPlaced = false;  // false until the bar has floated once
};

BarState ReadBarState(ISettingsStore& settings);
void WriteBarState(ISettingsStore& settings, const BarState& state);

// The frame's client area shared out: the status bar along the bottom, a
// docked bar along its edge (a side bar between the top of the client area
// and the status bar), the list in what is left. `barThickness` is the
// docked bar's height, or its width at a side; 0 when it is hidden or floats.
struct FrameLayout {
    BarRect bar;
    BarRect status;
    BarRect view;
};
FrameLayout LayOutFrame(const BarRect& client, DockSide side, int barThickness, int statusHeight);

// Where a bar dragged to `x`, `y` (screen) lands: the edge of the frame's
// docking area (screen) the point is nearest to, when it is within `reach`
// of it; anywhere else it floats.
DockSide DockSideForDrop(const BarRect& dockArea, int x, int y, int reach);
