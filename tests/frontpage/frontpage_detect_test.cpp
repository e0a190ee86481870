#include "frontpage/frontpage_detect.h"

#include <gtest/gtest.h>

#include "base/settings.h"
#include "frontpage/frontpage_fakes.h"

using namespace fptest;

namespace {

bool DetectWith(const char* version)
{
    CFakeRegistry registry;
    if (version)
        registry.classesRoot["FrontPage.Explorer\\CURVER"] = version;
    return DetectFrontPage(registry);
}

const std::string kCommand = "2,,1,Reminders, &Open,C:\\Tools\\Netbell,,0,Opens Netbell,1000";

} // namespace

TEST(DetectFrontPage, NeedsThePrefixAndVersionTwoOrLater)
{
    EXPECT_TRUE(DetectWith("FrontPage.Explorer.2.0"));
    EXPECT_TRUE(DetectWith("FrontPage.Explorer.3.0"));
    EXPECT_TRUE(DetectWith("FrontPage.Explorer.10"));
    EXPECT_TRUE(DetectWith("FrontPage.Explorer.2"));
    EXPECT_TRUE(DetectWith("FrontPage.Explorer.  2.5 beta"));
    EXPECT_FALSE(DetectWith("FrontPage.Explorer.1.1"));
    EXPECT_FALSE(DetectWith("FrontPage.Explorer.1.99"));
    EXPECT_FALSE(DetectWith("FrontPage.Explorer."));
    EXPECT_FALSE(DetectWith("FrontPage.Explorer.current"));
    EXPECT_FALSE(DetectWith("FrontPage.Editor.2.0"));
    EXPECT_FALSE(DetectWith("frontpage.explorer.2.0"));
    EXPECT_FALSE(DetectWith(""));
    EXPECT_FALSE(DetectWith(nullptr));
    // The number is read after the first 19 characters, wherever the prefix
    // stands: one character in front shifts it to ".2.0", which is 0.2.
    EXPECT_FALSE(DetectWith("xFrontPage.Explorer.2.0"));
    EXPECT_TRUE(DetectWith("Version of the Expl3 FrontPage.Explorer."));
}

TEST(DetectFrontPage, LeadingNumberStopsWhereANumberCannotGoOn)
{
    EXPECT_DOUBLE_EQ(LeadingNumber("2.0"), 2.0);
    EXPECT_DOUBLE_EQ(LeadingNumber(" \t2.5x"), 2.5);
    EXPECT_DOUBLE_EQ(LeadingNumber(".5"), 0.5);
    EXPECT_DOUBLE_EQ(LeadingNumber("-3.25"), -3.25);
    EXPECT_DOUBLE_EQ(LeadingNumber("+4"), 4.0);
    EXPECT_DOUBLE_EQ(LeadingNumber("1e1"), 10.0);
    EXPECT_DOUBLE_EQ(LeadingNumber("2e"), 2.0);
    EXPECT_DOUBLE_EQ(LeadingNumber("2.0.1"), 2.0);
    // No number at all, and none of the library's extras.
    EXPECT_DOUBLE_EQ(LeadingNumber(""), 0.0);
    EXPECT_DOUBLE_EQ(LeadingNumber("abc"), 0.0);
    EXPECT_DOUBLE_EQ(LeadingNumber("."), 0.0);
    EXPECT_DOUBLE_EQ(LeadingNumber("inf"), 0.0);
    EXPECT_DOUBLE_EQ(LeadingNumber("0x10"), 0.0);
}

TEST(MenuLinks, OnWritesTheFourValuesInOrder)
{
    CMemorySettingsStore settings;
    settings.WriteProfileString("Settings", "Home Directory", "C:\\Tools");
    CFakeRegistry registry;
    // Absent "Menu Links" counts as on.
    UpdateMenuLinks(settings, registry, "Netbell");
    EXPECT_EQ(registry.writes,
              (std::vector<std::string>{
                  "Software\\Microsoft\\FrontPage\\Explorer\\Init Menus|Netbell Menu1",
                  "Software\\Microsoft\\FrontPage\\Explorer\\Init Commands|Netbell Command1",
                  "Software\\Microsoft\\FrontPage\\Editor\\Init Menus|Netbell Menu1",
                  "Software\\Microsoft\\FrontPage\\Editor\\Init Commands|Netbell Command1",
              }));
    EXPECT_EQ(registry.user["Software\\Microsoft\\FrontPage\\Explorer\\Init Menus"]["Netbell Menu1"],
              "2,,1,&Reminders,Tools");
    EXPECT_EQ(registry.user["Software\\Microsoft\\FrontPage\\Editor\\Init Menus"]["Netbell Menu1"],
              "2,,1,&Reminders,Tools");
    EXPECT_EQ(registry.user["Software\\Microsoft\\FrontPage\\Explorer\\Init Commands"]["Netbell Command1"],
              kCommand);
    EXPECT_EQ(registry.user["Software\\Microsoft\\FrontPage\\Editor\\Init Commands"]["Netbell Command1"], kCommand);

    // Any value but 0 is on; an empty home leaves a bare backslash.
    settings.WriteProfileInt("Settings\\FrontPage", "Menu Links", 5);
    settings.WriteProfileString("Settings", "Home Directory", "");
    UpdateMenuLinks(settings, registry, "Netbell");
    EXPECT_EQ(registry.user["Software\\Microsoft\\FrontPage\\Editor\\Init Commands"]["Netbell Command1"],
              "2,,1,Reminders, &Open,\\Netbell,,0,Opens Netbell,1000");
}

TEST(MenuLinks, OffRemovesOnlyTheProgramsValues)
{
    CMemorySettingsStore settings;
    settings.WriteProfileInt("Settings\\FrontPage", "Menu Links", 0);
    CFakeRegistry registry;
    // None of the keys exist: nothing is created.
    UpdateMenuLinks(settings, registry, "Netbell");
    EXPECT_TRUE(registry.user.empty());
    EXPECT_TRUE(registry.writes.empty());

    settings.WriteProfileInt("Settings\\FrontPage", "Menu Links", 1);
    UpdateMenuLinks(settings, registry, "Netbell");
    registry.user["Software\\Microsoft\\FrontPage\\Explorer\\Init Menus"]["Other Menu1"] = "kept";
    settings.WriteProfileInt("Settings\\FrontPage", "Menu Links", 0);
    UpdateMenuLinks(settings, registry, "Netbell");
    for (const auto& key : registry.user) {
        EXPECT_EQ(key.second.count("Netbell Menu1"), 0u) << key.first;
        EXPECT_EQ(key.second.count("Netbell Command1"), 0u) << key.first;
    }
    EXPECT_EQ(registry.user["Software\\Microsoft\\FrontPage\\Explorer\\Init Menus"]["Other Menu1"], "kept");
}
