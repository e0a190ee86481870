// ShowWarning: shown until the user ticks the box and presses OK, then
// silent for good; one warning at a time.
#include "options/warnings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/settings.h"

namespace {

// Each run answers with the next scripted ending: OK or not, box ticked or not.
class CScriptedWarningDialog : public IWarningDialog {
public:
    struct Ending {
        bool bOk;
        bool bTicked;
    };
    std::vector<Ending> endings;
    std::vector<std::string> shown;
    bool bIgnoreStartedFalse = true;

    bool Run(const std::string& text, bool& bIgnore) override
    {
        shown.push_back(text);
        bIgnoreStartedFalse = bIgnoreStartedFalse && !bIgnore;
        Ending e = endings.empty() ? Ending{true, false} : endings.front();
        if (!endings.empty())
            endings.erase(endings.begin());
        bIgnore = e.bTicked; // the box may be ticked even when the dialog is cancelled
        return e.bOk;
    }
};

std::string LoadText(unsigned nId)
{
    switch (nId) {
    case 61208: return "There is no Web set for this task";
    case 61209: return "This action will NOT affect the associated task in the FrontPage ToDo List.";
    default: return std::string();
    }
}

class WarningTest : public ::testing::Test {
protected:
    void Show(unsigned nId) { ShowWarning(nId, store, dialog, LoadText); }
    CMemorySettingsStore store;
    CScriptedWarningDialog dialog;
};

} // namespace

TEST_F(WarningTest, OkWithTheBoxTickedSilencesTheWarningForGood)
{
    dialog.endings = {{true, true}};
    Show(61208);
    EXPECT_EQ(dialog.shown, std::vector<std::string>{"There is no Web set for this task"});
    EXPECT_EQ(store.GetProfileInt("Settings\\Messages", "61208", 0), 1);

    Show(61208);
    Show(61208);
    EXPECT_EQ(dialog.shown.size(), 1u);
    EXPECT_TRUE(dialog.bIgnoreStartedFalse);
}

TEST_F(WarningTest, OkUntickedAndATickedEscapeWriteNothing)
{
    dialog.endings = {{true, false}, {false, true}, {false, false}};
    Show(61208);
    Show(61208);
    Show(61208);
    EXPECT_EQ(dialog.shown.size(), 3u);
    EXPECT_FALSE(store.HasSection("Settings\\Messages"));
    Show(61208);
    EXPECT_EQ(dialog.shown.size(), 4u);
}

TEST_F(WarningTest, OnlyTheValueOneSilences)
{
    store.WriteProfileInt("Settings\\Messages", "61208", 2);
    Show(61208);
    store.WriteProfileInt("Settings\\Messages", "61208", 0);
    Show(61208);
    store.WriteProfileString("Settings\\Messages", "61208", "1"); // a string is not the number 1
    Show(61208);
    EXPECT_EQ(dialog.shown.size(), 3u);

    store.WriteProfileInt("Settings\\Messages", "61208", 1);
    Show(61208);
    EXPECT_EQ(dialog.shown.size(), 3u);
}

TEST_F(WarningTest, EachWarningIsRememberedOnItsOwn)
{
    dialog.endings = {{true, true}};
    Show(61209);
    EXPECT_EQ(store.GetProfileInt("Settings\\Messages", "61209", 0), 1);
    EXPECT_FALSE(store.HasValue("Settings\\Messages", "61208"));

    Show(61208);
    EXPECT_EQ(dialog.shown.back(), "There is no Web set for this task");
    EXPECT_EQ(dialog.shown.size(), 2u);
}

TEST_F(WarningTest, AMissingStringStillShowsTheDialogEmpty)
{
    dialog.endings = {{true, true}};
    Show(4242);
    EXPECT_EQ(dialog.shown, std::vector<std::string>{""});
    EXPECT_EQ(store.GetProfileInt("Settings\\Messages", "4242", 0), 1);
}

TEST_F(WarningTest, ResetTurnsEveryWarningBackOn)
{
    dialog.endings = {{true, true}, {true, true}};
    Show(61208);
    Show(61209);
    store.DeleteSection("Settings\\Messages");
    Show(61208);
    Show(61209);
    EXPECT_EQ(dialog.shown.size(), 4u);
}

TEST(WarningValueNames, AreTheIdInDecimal)
{
    EXPECT_EQ(WarningValueName(61208), "61208");
    EXPECT_EQ(WarningValueName(7), "7");
    EXPECT_EQ(WarningValueName(4294967295u), "4294967295");
}
