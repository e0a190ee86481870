#include "app/dock_layout.h"

#include <algorithm>
#include <cstdlib>

#include "base/settings.h"

namespace {

constexpr IntSetting kBarSide{kSectionBarState, "Side", 0};
constexpr IntSetting kBarLastDocked{kSectionBarState, "Last Docked", 0};
constexpr IntSetting kBarVisible{kSectionBarState, "Visible", 1};
constexpr IntSetting kBarFloatX{kSectionBarState, "Float X", 0};
constexpr IntSetting kBarFloatY{kSectionBarState, "Float Y", 0};
constexpr IntSetting kBarFloatPlaced{kSectionBarState, "Float Placed", 0};

DockSide SideOf(int n, DockSide fallback)
{
    return n >= 0 && n <= static_cast<int>(DockSide::floating) ? static_cast<DockSide>(n) : fallback;
}

} // namespace

BarState ReadBarState(ISettingsStore& settings)
{
    BarState state;
    state.side = SideOf(ReadSetting(settings, kBarSide), DockSide::top);
    state.lastDocked = SideOf(ReadSetting(settings, kBarLastDocked), DockSide::top);
    if (state.lastDocked == DockSide::floating)
        state.lastDocked = DockSide::top;
    state.bVisible = ReadSetting(settings, kBarVisible) != 0;
    state.xFloat = ReadSetting(settings, kBarFloatX);
    state.yFloat = ReadSetting(settings, kBarFloatY);
    state.bFloatPlaced = ReadSetting(settings, kBarFloatPlaced) != 0;
    return state;
}

void WriteBarState(ISettingsStore& settings, const BarState& state)
{
    WriteSetting(settings, kBarSide, static_cast<int>(state.side));
    WriteSetting(settings, kBarLastDocked, static_cast<int>(state.lastDocked));
    WriteSetting(settings, kBarVisible, state.bVisible ? 1 : 0);
    WriteSetting(settings, kBarFloatX, state.xFloat);
    WriteSetting(settings, kBarFloatY, state.yFloat);
    WriteSetting(settings, kBarFloatPlaced, state.bFloatPlaced ? 1 : 0);
}

FrameLayout LayOutFrame(const BarRect& client, DockSide side, int barThickness, int statusHeight)
{
    FrameLayout layout;
    BarRect rest = client;
    const int status = std::min(std::max(statusHeight, 0), rest.Height());
    layout.status = {rest.left, rest.bottom - status, rest.right, rest.bottom};
    rest.bottom -= status;
    const int thickness = side == DockSide::floating ? 0 : std::max(barThickness, 0);
    const int across = std::min(thickness, IsVertical(side) ? rest.Width() : rest.Height());
    switch (side) {
    case DockSide::top:
        layout.bar = {rest.left, rest.top, rest.right, rest.top + across};
        rest.top += across;
        break;
    case DockSide::bottom:
        layout.bar = {rest.left, rest.bottom - across, rest.right, rest.bottom};
        rest.bottom -= across;
        break;
    case DockSide::left:
        layout.bar = {rest.left, rest.top, rest.left + across, rest.bottom};
        rest.left += across;
        break;
    case DockSide::right:
        layout.bar = {rest.right - across, rest.top, rest.right, rest.bottom};
        rest.right -= across;
        break;
    case DockSide::floating: break;
    }
    layout.view = rest;
    return layout;
}

DockSide DockSideForDrop(const BarRect& dockArea, int x, int y, int reach)
{
    // Outside the area grown by the reach, nothing is near enough.
    if (x < dockArea.left - reach || x >= dockArea.right + reach || y < dockArea.top - reach ||
        y >= dockArea.bottom + reach)
        return DockSide::floating;
    const struct {
        DockSide side;
        int distance;
    } edges[] = {
        {DockSide::top, std::abs(y - dockArea.top)},
        {DockSide::bottom, std::abs(y - dockArea.bottom)},
        {DockSide::left, std::abs(x - dockArea.left)},
        {DockSide::right, std::abs(x - dockArea.right)},
    };
    DockSide best = DockSide::floating;
    int nearest = reach;
    for (const auto& edge : edges) {
        if (edge.distance < nearest) {
            nearest = edge.distance;
            best = edge.side;
        }
    }
    return best;
}
