// The Options sheet in the real program: its two pages without FrontPage,
// Apply surviving Cancel, and Reset turning a silenced warning back on.
#include <gtest/gtest.h>

#include "driver.h"

#include <commctrl.h>

#include "netbell_case.h"

namespace e2e {
namespace {

using namespace netbell;

constexpr int kIdApply = 0x3021;
constexpr int kPriorityLow = 1008;
constexpr int kUseMailPrefix = 1071;
constexpr int kReset = 1057;
constexpr int kWatchNetwork = 1077;

class OptionsSheet : public NetbellCase {
protected:
    // Opens the sheet of a returning user's program.
    HWND OpenSheet(CProcess*& proc)
    {
        PresetReturningUser();
        proc = &Start();
        HWND frame = WaitForFrame(*proc);
        if (!frame || !PostCommand(frame, cmd::kOptions))
            return nullptr;
        return WaitForVisibleWindow(*proc, "#32770", "Options");
    }

    static HWND ShowPage(HWND sheet, int index)
    {
        Send(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
        return reinterpret_cast<HWND>(Send(sheet, PSM_GETCURRENTPAGEHWND, 0, 0).value_or(0));
    }

    static int TabCount(HWND sheet)
    {
        HWND tab = reinterpret_cast<HWND>(Send(sheet, PSM_GETTABCONTROL, 0, 0).value_or(0));
        return tab ? static_cast<int>(Send(tab, TCM_GETITEMCOUNT, 0, 0).value_or(-1)) : -1;
    }
};

TEST_F(OptionsSheet, ApplyOnTheSystemPageSurvivesCancel)
{
    CProcess* p = nullptr;
    HWND sheet = OpenSheet(p);
    ASSERT_TRUE(sheet) << Describe(*p);
    EXPECT_EQ(2, TabCount(sheet)) << "no FrontPage page without FrontPage";
    Sleep(200);
    Screenshot("options_user_profile");

    HWND page = ShowPage(sheet, 1);
    ASSERT_TRUE(page);
    Sleep(200);
    Screenshot("options_system");
    HWND watch = GetDlgItem(page, kWatchNetwork);
    EXPECT_EQ("Also remind me when a &network connection comes up", ControlText(watch).value_or(""));
    EXPECT_TRUE(IsWindowEnabled(watch)) << "Wine has IsNetworkAlive";
    EXPECT_FALSE(IsChecked(watch));
    ASSERT_TRUE(ClickButton(GetDlgItem(page, kPriorityLow)));
    ASSERT_TRUE(ClickButton(GetDlgItem(page, kUseMailPrefix)));
    ASSERT_TRUE(ClickButton(watch));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(GetDlgItem(sheet, kIdApply)) != FALSE; }, 3000))
        << "changes on the System page enable Apply";
    ASSERT_TRUE(PressButton(sheet, kIdApply));
    ASSERT_TRUE(WaitUntil([] { return RegReadDword(HKEY_CURRENT_USER, std::string(kAppKey) + "\\Settings",
                                                   "Default Priority") == 2u; }, 3000));
    ASSERT_TRUE(PressButton(sheet, IDCANCEL));
    ASSERT_TRUE(WaitForClose(sheet));
    EXPECT_EQ(2u, RegReadDword(HKEY_CURRENT_USER, std::string(kAppKey) + "\\Settings", "Default Priority"));
    EXPECT_EQ(0u, RegReadDword(HKEY_CURRENT_USER, std::string(kAppKey) + "\\Settings", "Use Mail Prefix"));
    EXPECT_EQ(1u, RegReadDword(HKEY_CURRENT_USER, std::string(kAppKey) + "\\Settings", "Watch Network"));
}

TEST_F(OptionsSheet, ResetTurnsSilencedWarningsBackOnEvenAfterCancel)
{
    const std::string messages = std::string(kAppKey) + "\\Settings\\Messages";
    ASSERT_TRUE(RegWriteDword(HKEY_CURRENT_USER, messages, "61208", 1));
    CProcess* p = nullptr;
    HWND sheet = OpenSheet(p);
    ASSERT_TRUE(sheet) << Describe(*p);
    HWND page = ShowPage(sheet, 1);
    ASSERT_TRUE(page);
    ASSERT_TRUE(ClickButton(GetDlgItem(page, kReset)));
    auto question = ExpectMessageBox(*p, "Question");
    ASSERT_TRUE(question);
    EXPECT_EQ("Are you sure you want to turn all warnings back on ?", question->text);
    ASSERT_TRUE(PressButton(question->hwnd, IDYES));
    ASSERT_TRUE(WaitForClose(question->hwnd));
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, messages)) << "Reset acts at once";
    ASSERT_TRUE(PressButton(sheet, IDCANCEL));
    ASSERT_TRUE(WaitForClose(sheet));
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, messages));
}

}  // namespace
}  // namespace e2e
