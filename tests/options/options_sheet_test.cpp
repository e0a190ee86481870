// The Options command's logic: what it reads into the pages and in which
// order, what OK, Apply, Cancel and Reset leave in the settings, and what the
// pages' buttons say.
#include "options/options_sheet.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "base/settings.h"
#include "dialogs/shortcuts.h"
#include "support/fakes.h"

namespace {

// The memory store, with every read, write and removal logged in order.
class CLoggingSettings : public CMemorySettingsStore {
public:
    std::vector<std::string> reads;
    std::vector<std::string> writes;

    int GetProfileInt(const std::string& section, const std::string& entry, int nDefault) override
    {
        reads.push_back(section + "|" + entry);
        return CMemorySettingsStore::GetProfileInt(section, entry, nDefault);
    }
    std::string GetProfileString(const std::string& section, const std::string& entry,
                                 const std::string& strDefault) override
    {
        reads.push_back(section + "|" + entry);
        return CMemorySettingsStore::GetProfileString(section, entry, strDefault);
    }
    bool WriteProfileInt(const std::string& section, const std::string& entry, int nValue) override
    {
        writes.push_back(section + "|" + entry + "=" + std::to_string(nValue));
        return CMemorySettingsStore::WriteProfileInt(section, entry, nValue);
    }
    bool WriteProfileString(const std::string& section, const std::string& entry,
                            const std::string& strValue) override
    {
        writes.push_back(section + "|" + entry + "=\"" + strValue + "\"");
        return CMemorySettingsStore::WriteProfileString(section, entry, strValue);
    }
    bool DeleteSection(const std::string& section) override
    {
        writes.push_back("delete " + section);
        return CMemorySettingsStore::DeleteSection(section);
    }
};

// Plays the user: sees the pages as loaded, then does what the script says.
class CScriptedSheet : public IOptionsSheet {
public:
    std::vector<OptionsSheetData> opened;
    std::function<bool(OptionsSheetData&, IOptionsPageEvents&)> user = [](OptionsSheetData&,
                                                                          IOptionsPageEvents&) { return true; };
    bool Run(OptionsSheetData& data, IOptionsPageEvents& events) override
    {
        opened.push_back(data);
        return user(data, events);
    }
};

class CFakePicker : public IFolderPicker {
public:
    std::string answer;
    std::vector<std::pair<int, unsigned>> calls;
    std::string BrowseForFolder(int nRootFolder, unsigned nFlags) override
    {
        calls.emplace_back(nRootFolder, nFlags);
        return answer;
    }
};

class OptionsTest : public ::testing::Test {
protected:
    bool Run(bool bFrontPage) { return RunOptions(settings, sheet, bFrontPage, true, prompts); }

    // Some values already stored, none of them the defaults.
    void StoreNonDefaults()
    {
        settings.WriteProfileString("Settings", "Name", "Ada");
        settings.WriteProfileString("Settings", "Organisation", "");
        settings.WriteProfileString("Settings", "Email", "ada@example.com");
        settings.WriteProfileInt("Settings", "Default Priority", 2);
        settings.WriteProfileInt("Settings", "Use Mail Prefix", 0);
        settings.WriteProfileInt("Settings", "Use News Prefix", 0);
        settings.WriteProfileString("Settings", "Backup Path", "C:\\Backups");
        settings.WriteProfileInt("Settings", "Watch Network", 1);
        settings.WriteProfileInt("Settings\\FrontPage", "Loading", 2);
        settings.WriteProfileInt("Settings\\FrontPage", "Menu Links", 0);
        settings.writes.clear();
    }

    CLoggingSettings settings;
    CScriptedSheet sheet;
    CFakePrompts prompts;
};

} // namespace

TEST_F(OptionsTest, AFirstRunShowsTheDefaults)
{
    Run(true);
    ASSERT_EQ(sheet.opened.size(), 1u);
    const OptionsSheetData& d = sheet.opened[0];
    EXPECT_EQ(d.m_profile.m_strOrganisation, "(None)");
    EXPECT_EQ(d.m_profile.m_strName, "");
    EXPECT_EQ(d.m_profile.m_strEmail, "");
    EXPECT_EQ(d.m_system.m_nDefaultPriority, 1);
    EXPECT_TRUE(d.m_system.m_bUseMailPrefix);
    EXPECT_TRUE(d.m_system.m_bUseNewsPrefix);
    EXPECT_EQ(d.m_system.m_strBackupPath, "");
    EXPECT_FALSE(d.m_system.m_bWatchNetwork);
    EXPECT_TRUE(d.m_bFrontPagePage);
    EXPECT_EQ(d.m_frontPage.m_nLoading, 1);
    EXPECT_TRUE(d.m_frontPage.m_bMenuLinks);
}

TEST_F(OptionsTest, StoredValuesAreShownAsTheyAre)
{
    StoreNonDefaults();
    Run(true);
    const OptionsSheetData& d = sheet.opened.at(0);
    // An organisation stored empty stays empty: "(None)" stands only for a missing one.
    EXPECT_EQ(d.m_profile.m_strOrganisation, "");
    EXPECT_EQ(d.m_profile.m_strName, "Ada");
    EXPECT_EQ(d.m_profile.m_strEmail, "ada@example.com");
    EXPECT_EQ(d.m_system.m_nDefaultPriority, 2);
    EXPECT_FALSE(d.m_system.m_bUseMailPrefix);
    EXPECT_FALSE(d.m_system.m_bUseNewsPrefix);
    EXPECT_EQ(d.m_system.m_strBackupPath, "C:\\Backups");
    EXPECT_TRUE(d.m_system.m_bWatchNetwork);
    EXPECT_EQ(d.m_frontPage.m_nLoading, 2);
    EXPECT_FALSE(d.m_frontPage.m_bMenuLinks);
}

TEST_F(OptionsTest, ReadsAndOkWritesFollowTheCommandsOrder)
{
    sheet.user = [](OptionsSheetData& d, IOptionsPageEvents&) {
        d.m_profile.m_strName = "N";
        d.m_profile.m_strOrganisation = "O";
        d.m_profile.m_strEmail = "E";
        d.m_system.m_nDefaultPriority = 0;
        d.m_system.m_bUseMailPrefix = false;
        d.m_system.m_strBackupPath = "P";
        d.m_system.m_bWatchNetwork = true;
        d.m_frontPage.m_nLoading = 2;
        d.m_frontPage.m_bMenuLinks = false;
        return true;
    };
    EXPECT_TRUE(Run(true));
    EXPECT_EQ(settings.reads,
              (std::vector<std::string>{"Settings|Organisation", "Settings|Email", "Settings|Name",
                                        "Settings|Default Priority", "Settings|Use Mail Prefix",
                                        "Settings|Use News Prefix", "Settings|Backup Path",
                                        "Settings|Watch Network", "Settings\\FrontPage|Loading", "Settings\\FrontPage|Menu Links"}));
    EXPECT_EQ(settings.writes,
              (std::vector<std::string>{"Settings\\FrontPage|Loading=2", "Settings\\FrontPage|Menu Links=0",
                                        "Settings|Default Priority=0", "Settings|Use Mail Prefix=0",
                                        "Settings|Use News Prefix=1", "Settings|Backup Path=\"P\"",
                                        "Settings|Watch Network=1", "Settings|Organisation=\"O\"", "Settings|Email=\"E\"",
                                        "Settings|Name=\"N\""}));
}

TEST_F(OptionsTest, WithoutFrontPageItsSettingsAreNeitherReadNorWritten)
{
    EXPECT_TRUE(Run(false));
    EXPECT_FALSE(sheet.opened.at(0).m_bFrontPagePage);
    for (const std::string& r : settings.reads)
        EXPECT_EQ(r.rfind("Settings|", 0), 0u) << r;
    EXPECT_EQ(settings.writes.size(), 8u);
    EXPECT_FALSE(settings.HasSection("Settings\\FrontPage"));
    // A first run's OK stores the defaults it showed.
    EXPECT_EQ(settings.GetProfileString("Settings", "Organisation", "?"), "(None)");
    EXPECT_EQ(settings.GetProfileInt("Settings", "Default Priority", -1), 1);
    EXPECT_EQ(settings.GetProfileInt("Settings", "Use News Prefix", -1), 1);
}

TEST_F(OptionsTest, CancelWritesNothingOfItsOwn)
{
    StoreNonDefaults();
    sheet.user = [](OptionsSheetData& d, IOptionsPageEvents&) {
        d.m_profile.m_strName = "Someone else";
        d.m_system.m_nDefaultPriority = 0;
        return false;
    };
    EXPECT_FALSE(Run(true));
    EXPECT_TRUE(settings.writes.empty());
    EXPECT_EQ(settings.GetProfileString("Settings", "Name", ""), "Ada");
}

TEST_F(OptionsTest, ApplyStoresAtOnceAndSurvivesCancel)
{
    StoreNonDefaults();
    sheet.user = [this](OptionsSheetData& d, IOptionsPageEvents& events) {
        d.m_profile.m_strName = "Not stored";
        d.m_system.m_nDefaultPriority = 0;
        d.m_system.m_bUseMailPrefix = true;
        d.m_system.m_strBackupPath = "D:\\Elsewhere";
        d.m_system.m_bWatchNetwork = false;
        events.OnApplySystem(d.m_system);
        EXPECT_EQ(settings.GetProfileInt("Settings", "Default Priority", -1), 0);
        d.m_frontPage.m_nLoading = 0;
        d.m_frontPage.m_bMenuLinks = true;
        events.OnApplyFrontPage(d.m_frontPage);
        d.m_system.m_nDefaultPriority = 1; // changed again, never applied
        return false;
    };
    EXPECT_FALSE(Run(true));
    EXPECT_EQ(settings.writes,
              (std::vector<std::string>{"Settings|Default Priority=0", "Settings|Use Mail Prefix=1",
                                        "Settings|Use News Prefix=0", "Settings|Backup Path=\"D:\\Elsewhere\"",
                                        "Settings|Watch Network=0", "Settings\\FrontPage|Loading=0", "Settings\\FrontPage|Menu Links=1"}));
    EXPECT_EQ(settings.GetProfileString("Settings", "Name", ""), "Ada");
    EXPECT_EQ(settings.GetProfileInt("Settings", "Default Priority", -1), 0);
}

TEST_F(OptionsTest, ResetAsksAndItsYesOutlivesCancel)
{
    settings.WriteProfileInt("Settings\\Messages", "61208", 1);
    settings.WriteProfileInt("Settings\\Messages", "61210", 1);
    prompts.answers = {MsgResult::no, MsgResult::yes};
    sheet.user = [this](OptionsSheetData&, IOptionsPageEvents& events) {
        events.OnResetWarnings();
        EXPECT_TRUE(settings.HasSection("Settings\\Messages")); // No keeps them
        events.OnResetWarnings();
        EXPECT_FALSE(settings.HasSection("Settings\\Messages")); // Yes at once
        return false;
    };
    Run(false);
    ASSERT_EQ(prompts.shown.size(), 2u);
    for (const CFakePrompts::Shown& s : prompts.shown) {
        EXPECT_EQ(s.text, "Are you sure you want to turn all warnings back on ?");
        EXPECT_EQ(s.caption, "Question");
        EXPECT_EQ(s.buttons, MsgButtons::yesNo);
        EXPECT_EQ(s.icon, MsgIcon::question);
    }
    EXPECT_FALSE(settings.HasSection("Settings\\Messages"));
    EXPECT_EQ(settings.GetProfileInt("Settings\\Messages", "61208", 0), 0);
}

TEST_F(OptionsTest, TheBackupPathButtonTakesOnlyARealPath)
{
    CFakePicker picker;
    COptionsPageActions actions(settings, prompts);
    std::string path = "C:\\Kept";

    picker.answer = kShellCancelled;
    EXPECT_FALSE(actions.OnBackupPathButton(picker, path));
    EXPECT_EQ(path, "C:\\Kept");
    EXPECT_TRUE(prompts.shown.empty());

    picker.answer = kShellError;
    EXPECT_FALSE(actions.OnBackupPathButton(picker, path));
    EXPECT_EQ(path, "C:\\Kept");
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "There was an error obtaining the path information");
    EXPECT_EQ(prompts.shown[0].caption, "Shell Error");
    EXPECT_EQ(prompts.shown[0].icon, MsgIcon::exclamation);

    // The markers compare exactly: a folder that only looks like one is a folder.
    picker.answer = "C:\\shellcancelled";
    EXPECT_TRUE(actions.OnBackupPathButton(picker, path));
    EXPECT_EQ(path, "C:\\shellcancelled");
    picker.answer = "D:\\Backups";
    EXPECT_TRUE(actions.OnBackupPathButton(picker, path));
    EXPECT_EQ(path, "D:\\Backups");
    EXPECT_EQ(prompts.shown.size(), 1u);

    // Rooted at the desktop, file-system folders only; nothing is stored.
    for (const auto& call : picker.calls)
        EXPECT_EQ(call, std::make_pair(0, 1u));
    EXPECT_TRUE(settings.writes.empty());
}

TEST_F(OptionsTest, EveryClickOnMenuLinksBringsTheRestartNotice)
{
    sheet.user = [](OptionsSheetData& d, IOptionsPageEvents& events) {
        d.m_frontPage.m_bMenuLinks = false;
        events.OnMenuLinksClicked();
        d.m_frontPage.m_bMenuLinks = true;
        events.OnMenuLinksClicked();
        return false;
    };
    Run(true);
    ASSERT_EQ(prompts.shown.size(), 2u);
    for (const CFakePrompts::Shown& s : prompts.shown) {
        EXPECT_EQ(s.text, "You will need to restart FrontPage for this change to come into effect");
        EXPECT_EQ(s.caption, "Initialisation Change");
        EXPECT_EQ(s.icon, MsgIcon::information);
        EXPECT_EQ(s.buttons, MsgButtons::ok);
    }
    // The click alone stores nothing.
    EXPECT_TRUE(settings.writes.empty());
}
