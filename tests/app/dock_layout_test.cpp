#include "app/dock_layout.h"

#include <gtest/gtest.h>

#include "base/settings.h"

namespace {

const BarRect kClient{0, 0, 600, 400};

TEST(DockLayout, EachSideTakesItsStripAndTheListTheRest)
{
    const struct {
        DockSide side;
        BarRect bar;
        BarRect view;
    } cases[] = {
        // Status bar 20 high along the bottom under every bar; side bars
        // run from the top to the status bar.
        {DockSide::top, {0, 0, 600, 30}, {0, 30, 600, 380}},
        {DockSide::bottom, {0, 350, 600, 380}, {0, 0, 600, 350}},
        {DockSide::left, {0, 0, 30, 380}, {30, 0, 600, 380}},
        {DockSide::right, {570, 0, 600, 380}, {0, 0, 570, 380}},
        {DockSide::floating, {}, {0, 0, 600, 380}},
    };
    for (const auto& c : cases) {
        const FrameLayout layout = LayOutFrame(kClient, c.side, 30, 20);
        EXPECT_EQ(layout.bar, c.bar) << static_cast<int>(c.side);
        EXPECT_EQ(layout.view, c.view) << static_cast<int>(c.side);
        EXPECT_EQ(layout.status, (BarRect{0, 380, 600, 400})) << static_cast<int>(c.side);
    }
    // A hidden bar takes nothing, and a window smaller than its bars gives
    // the list an empty place, never a negative one.
    EXPECT_EQ(LayOutFrame(kClient, DockSide::left, 0, 0).view, kClient);
    const FrameLayout tiny = LayOutFrame({0, 0, 600, 40}, DockSide::bottom, 30, 20);
    EXPECT_EQ(tiny.view.Height(), 0);
    EXPECT_EQ(tiny.bar, (BarRect{0, 0, 600, 20}));
}

TEST(DockLayout, ADropDocksAtTheNearestEdgeWithinReachAndFloatsElsewhere)
{
    const BarRect area{100, 100, 700, 500};
    const struct {
        int x, y;
        DockSide side;
    } drops[] = {
        {400, 110, DockSide::top},    {400, 85, DockSide::top},      {400, 495, DockSide::bottom},
        {105, 300, DockSide::left},   {715, 300, DockSide::right},   {400, 300, DockSide::floating},
        {400, 60, DockSide::floating}, {750, 300, DockSide::floating}, {110, 104, DockSide::top},
        {104, 110, DockSide::left},
    };
    for (const auto& d : drops)
        EXPECT_EQ(DockSideForDrop(area, d.x, d.y, 24), d.side) << d.x << "," << d.y;
}

TEST(DockLayout, TheBarStateComesBackFromItsOwnSection)
{
    CMemorySettingsStore settings;
    BarState fresh = ReadBarState(settings);
    EXPECT_EQ(fresh.side, DockSide::top);
    EXPECT_TRUE(fresh.bVisible);
    EXPECT_FALSE(fresh.bFloatPlaced);

    BarState state;
    state.side = DockSide::floating;
    state.lastDocked = DockSide::right;
    state.bVisible = false;
    state.xFloat = -20;
    state.yFloat = 300;
    state.bFloatPlaced = true;
    WriteBarState(settings, state);
    EXPECT_FALSE(settings.HasSection(kSectionSettings));
    const BarState back = ReadBarState(settings);
    EXPECT_EQ(back.side, DockSide::floating);
    EXPECT_EQ(back.lastDocked, DockSide::right);
    EXPECT_FALSE(back.bVisible);
    EXPECT_EQ(back.xFloat, -20);
    EXPECT_EQ(back.yFloat, 300);

    // A value no program wrote docks at the top.
    settings.WriteProfileInt(kSectionBarState, "Side", 9);
    settings.WriteProfileInt(kSectionBarState, "Last Docked", 4);
    EXPECT_EQ(ReadBarState(settings).side, DockSide::top);
    EXPECT_EQ(ReadBarState(settings).lastDocked, DockSide::top);
}

} // namespace
