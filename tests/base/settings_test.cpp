#include "base/settings.h"

#include <gtest/gtest.h>

TEST(MemorySettingsStore, ReadsGiveTheCallersDefaultUntilWritten)
{
    CMemorySettingsStore store;
    EXPECT_EQ(store.GetProfileInt("Settings", "Remind In", 5), 5);
    EXPECT_EQ(store.GetProfileString("Settings", "Name", "x"), "x");
    EXPECT_FALSE(store.HasSection("Settings"));

    store.WriteProfileInt("Settings", "Remind In", 1000);
    store.WriteProfileString("Settings", "Name", "Ann");
    EXPECT_EQ(store.GetProfileInt("Settings", "Remind In", 5), 1000);
    EXPECT_EQ(store.GetProfileString("Settings", "Name", "x"), "Ann");
    // Registry names ignore case.
    EXPECT_EQ(store.GetProfileString("SETTINGS", "name", "x"), "Ann");
}

TEST(MemorySettingsStore, AValueOfTheOtherTypeReadsAsTheDefault)
{
    CMemorySettingsStore store;
    store.WriteProfileString("Settings", "Default Priority", "2");
    store.WriteProfileInt("Settings", "Name", 7);
    EXPECT_EQ(store.GetProfileInt("Settings", "Default Priority", 1), 1);
    EXPECT_EQ(store.GetProfileString("Settings", "Name", ""), "");
    store.WriteProfileInt("Settings", "Default Priority", 2);
    EXPECT_EQ(store.GetProfileInt("Settings", "Default Priority", 1), 2);
}

TEST(MemorySettingsStore, DeleteSectionTakesItsSubsectionsButNotItsNeighbours)
{
    CMemorySettingsStore store;
    store.WriteProfileInt("Settings\\Messages", "61300", 1);
    store.WriteProfileInt("Settings\\Messages\\Deeper", "x", 1);
    store.WriteProfileInt("Settings", "Remind In", 9);
    store.WriteProfileInt("Settings\\MessagesOld", "61300", 1);

    EXPECT_TRUE(store.DeleteSection("settings\\messages"));
    EXPECT_FALSE(store.HasSection("Settings\\Messages"));
    EXPECT_FALSE(store.HasSection("Settings\\Messages\\Deeper"));
    EXPECT_EQ(store.GetProfileInt("Settings\\Messages", "61300", 0), 0);
    EXPECT_EQ(store.GetProfileInt("Settings", "Remind In", 5), 9);
    EXPECT_EQ(store.GetProfileInt("Settings\\MessagesOld", "61300", 0), 1);
    EXPECT_FALSE(store.DeleteSection("Settings\\Messages"));
}

TEST(SettingsTable, DefaultsAreTheDocumentedOnes)
{
    CMemorySettingsStore store;
    EXPECT_EQ(ReadSetting(store, setting::DefaultData), "Default.nbl");
    EXPECT_EQ(ReadSetting(store, setting::BackupFilename), "NetbellData.bak");
    EXPECT_EQ(ReadSetting(store, setting::DefaultPriority), 1);
    EXPECT_EQ(ReadSetting(store, setting::UseMailPrefix), 1);
    EXPECT_EQ(ReadSetting(store, setting::UseNewsPrefix), 1);
    EXPECT_EQ(ReadSetting(store, setting::RemindIn), 5);
    EXPECT_EQ(ReadSetting(store, setting::LastCookieNumber), 0);
    EXPECT_EQ(ReadSetting(store, setting::FrontPageLoading), 1);
    EXPECT_EQ(ReadSetting(store, setting::FrontPageMenuLinks), 1);
    EXPECT_EQ(ReadSetting(store, setting::ImpressionsLast), 0);
    EXPECT_EQ(ReadSetting(store, setting::Initialise), "");
    EXPECT_EQ(ReadSetting(store, setting::Organisation, "(None)"), "(None)");

    WriteSetting(store, setting::FrontPageLoading, 2);
    EXPECT_TRUE(store.HasValue("Settings\\FrontPage", "Loading"));
    EXPECT_EQ(ReadSetting(store, setting::FrontPageLoading), 2);
}
