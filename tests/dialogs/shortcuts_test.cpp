// Shortcut names and titles, and the words each caller shows for each
// outcome of a resolution.
#include "dialogs/shortcuts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fakes.h"

namespace {

ShortcutResult Outcome(ShortcutOutcome outcome, const std::string& title = "My Site")
{
    ShortcutResult r;
    r.outcome = outcome;
    r.title = title;
    return r;
}

struct Expected {
    std::string text;
    std::string caption;
    MsgButtons buttons;
    MsgIcon icon;
};

void ExpectShown(const CFakePrompts& prompts, const std::vector<Expected>& expected)
{
    ASSERT_EQ(prompts.shown.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(prompts.shown[i].text, expected[i].text);
        EXPECT_EQ(prompts.shown[i].caption, expected[i].caption);
        EXPECT_EQ(prompts.shown[i].buttons, expected[i].buttons);
        EXPECT_EQ(prompts.shown[i].icon, expected[i].icon);
    }
}

} // namespace

TEST(ShortcutNames, OnlyAUrlEndingInAnyCaseIsAShortcut)
{
    EXPECT_TRUE(HasUrlExtension("C:\\Favorites\\My Site.url"));
    EXPECT_TRUE(HasUrlExtension("C:\\Favorites\\My Site.URL"));
    EXPECT_TRUE(HasUrlExtension("C:\\Favorites\\My Site.Url"));
    EXPECT_TRUE(HasUrlExtension(".url"));
    EXPECT_FALSE(HasUrlExtension("C:\\Favorites\\My Site.lnk"));
    EXPECT_FALSE(HasUrlExtension("C:\\Favorites\\page.htm"));
    EXPECT_FALSE(HasUrlExtension("C:\\Favorites\\url"));
    EXPECT_FALSE(HasUrlExtension("C:\\Favorites\\My Site.url "));
    EXPECT_FALSE(HasUrlExtension("C:\\Favorites\\My Site.urls"));
    EXPECT_FALSE(HasUrlExtension("url"));
    EXPECT_FALSE(HasUrlExtension(""));
}

TEST(ShortcutNames, TheTitleIsTheFileNameWithoutFolderOrExtension)
{
    EXPECT_EQ(ShortcutTitle("C:\\Favorites\\News\\My Site.url"), "My Site");
    EXPECT_EQ(ShortcutTitle("C:\\Favorites\\.url"), "");
    EXPECT_EQ(ShortcutTitle("My Site.URL"), "My Site");
    EXPECT_EQ(ShortcutTitle("C:\\a.b\\Two.Dots.url"), "Two.Dots");
    // Only backslashes separate folders.
    EXPECT_EQ(ShortcutTitle("C:/Favorites/My Site.url"), "C:/Favorites/My Site");
    EXPECT_EQ(ShortcutTitle(u8"C:\\Избранное\\東京 ✓ 😀.url"), u8"東京 ✓ 😀");
}

TEST(ShortcutMessages, AResolvedShortcutShowsNothingAndGoesOn)
{
    for (ShortcutCaller caller :
         {ShortcutCaller::Favorites, ShortcutCaller::TaskDialogDrop, ShortcutCaller::TaskListDrop}) {
        CFakePrompts prompts;
        ShortcutResult r = Outcome(ShortcutOutcome::Resolved);
        r.url = "http://example.com/";
        EXPECT_TRUE(ReportShortcutOutcome(caller, r, prompts));
        EXPECT_TRUE(prompts.shown.empty());
    }
}

TEST(ShortcutMessages, Favorites)
{
    {
        CFakePrompts prompts;
        EXPECT_FALSE(ReportShortcutOutcome(ShortcutCaller::Favorites, Outcome(ShortcutOutcome::NotShortcut), prompts));
        ExpectShown(prompts, {{"Sorry, that doesn't appear to be an Internet Shortcut", "Warning", MsgButtons::ok,
                               MsgIcon::exclamation}});
    }
    {
        CFakePrompts prompts;
        EXPECT_FALSE(ReportShortcutOutcome(ShortcutCaller::Favorites, Outcome(ShortcutOutcome::LoadFailed), prompts));
        ExpectShown(prompts,
                    {{"Error resolving internet shortcut.", "Shell Error", MsgButtons::ok, MsgIcon::exclamation},
                     {"There was an error resolving the link to:\nMy Site", "Shell Error", MsgButtons::ok,
                      MsgIcon::stop}});
    }
    {
        CFakePrompts prompts;
        EXPECT_FALSE(
            ReportShortcutOutcome(ShortcutCaller::Favorites, Outcome(ShortcutOutcome::CreateFailed), prompts));
        ExpectShown(prompts, {{"There was an error resolving the link to:\nMy Site", "Shell Error", MsgButtons::ok,
                               MsgIcon::stop}});
    }
}

TEST(ShortcutMessages, DropOnTheTaskDialogEndsWhicheverButtonIsPressed)
{
    const std::string notSupported = "Oh Dear, so sorry, but one or more of the objects you dropped is not "
                                     "supported for drag and drop operations on here";
    for (MsgResult answer : {MsgResult::ok, MsgResult::cancel}) {
        CFakePrompts prompts;
        prompts.answers = {answer};
        EXPECT_FALSE(
            ReportShortcutOutcome(ShortcutCaller::TaskDialogDrop, Outcome(ShortcutOutcome::NotShortcut), prompts));
        ExpectShown(prompts, {{notSupported, "Warning", MsgButtons::okCancel, MsgIcon::exclamation}});
    }
    const Expected linkError{
        "Pardon me, but there was an error resolving the link to:\nMy Site\nI am afraid this drop has to be aborted",
        "Warning", MsgButtons::ok, MsgIcon::stop};
    {
        CFakePrompts prompts;
        EXPECT_FALSE(
            ReportShortcutOutcome(ShortcutCaller::TaskDialogDrop, Outcome(ShortcutOutcome::LoadFailed), prompts));
        ExpectShown(prompts, {{"Sorry, there was an error resolving the internet shortcut.", "Shell Error",
                               MsgButtons::ok, MsgIcon::exclamation},
                              linkError});
    }
    {
        CFakePrompts prompts;
        EXPECT_FALSE(
            ReportShortcutOutcome(ShortcutCaller::TaskDialogDrop, Outcome(ShortcutOutcome::CreateFailed), prompts));
        ExpectShown(prompts, {linkError});
    }
}

TEST(ShortcutMessages, DropOnTheTaskListGoesOnOnlyAfterOkToAnUnsupportedObject)
{
    const Expected notSupported{
        "One or more of the objects you dropped is not supported for drag and drop operations", "Warning",
        MsgButtons::okCancel, MsgIcon::exclamation};
    {
        CFakePrompts prompts;
        prompts.answers = {MsgResult::ok};
        EXPECT_TRUE(
            ReportShortcutOutcome(ShortcutCaller::TaskListDrop, Outcome(ShortcutOutcome::NotShortcut), prompts));
        ExpectShown(prompts, {notSupported});
    }
    {
        CFakePrompts prompts;
        prompts.answers = {MsgResult::cancel};
        EXPECT_FALSE(
            ReportShortcutOutcome(ShortcutCaller::TaskListDrop, Outcome(ShortcutOutcome::NotShortcut), prompts));
        ExpectShown(prompts, {notSupported});
    }
    const Expected linkError{"There was an error resolving the link to:\nMy Site\nThis drop has been aborted",
                             "Shell Error", MsgButtons::ok, MsgIcon::stop};
    {
        CFakePrompts prompts;
        EXPECT_FALSE(
            ReportShortcutOutcome(ShortcutCaller::TaskListDrop, Outcome(ShortcutOutcome::LoadFailed), prompts));
        ExpectShown(prompts,
                    {{"Error resolving internet shortcut.", "Shell Error", MsgButtons::ok, MsgIcon::exclamation},
                     linkError});
    }
    {
        CFakePrompts prompts;
        EXPECT_FALSE(
            ReportShortcutOutcome(ShortcutCaller::TaskListDrop, Outcome(ShortcutOutcome::CreateFailed), prompts));
        ExpectShown(prompts, {linkError});
    }
}

TEST(ShortcutMessages, TheTitleIsPlacedAsTextNotAsAFormat)
{
    CFakePrompts prompts;
    ReportShortcutOutcome(ShortcutCaller::Favorites, Outcome(ShortcutOutcome::CreateFailed, "100%s %d off"),
                          prompts);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "There was an error resolving the link to:\n100%s %d off");

    CFakePrompts empty;
    ReportShortcutOutcome(ShortcutCaller::TaskListDrop, Outcome(ShortcutOutcome::CreateFailed, ""), empty);
    ASSERT_EQ(empty.shown.size(), 1u);
    EXPECT_EQ(empty.shown[0].text, "There was an error resolving the link to:\n\nThis drop has been aborted");
}
