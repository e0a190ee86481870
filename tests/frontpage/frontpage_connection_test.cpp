#include "frontpage/frontpage_connection.h"

#include <gtest/gtest.h>

#include "base/settings.h"
#include "frontpage/frontpage_fakes.h"

using namespace fptest;

namespace {

class ConnectionTest : public ::testing::Test {
protected:
    FakeFrontPageWorld world;
    CFakeDrivers factory{world};
    CFakeSystem system{world};
    CRecordingPrompts prompts{world};
    CMemorySettingsStore settings;
};

} // namespace

TEST_F(ConnectionTest, OnlyAlwaysAskWithoutAnExplorerWindowAsks)
{
    prompts.answers = {MsgResult::yes, MsgResult::no};
    EXPECT_TRUE(ConfirmFrontPageLoad(fpAlwaysAsk, kQuestionLoadEditor, system, prompts));
    EXPECT_FALSE(ConfirmFrontPageLoad(fpAlwaysAsk, kQuestionLoadExplorer, system, prompts));
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(prompts.shown[0].text, "Do you want Netbell to load FrontPage Editor");
    EXPECT_EQ(prompts.shown[1].text, "Do you want Netbell to load FrontPage Explorer");
    EXPECT_EQ(prompts.shown[0].caption, "Question");
    EXPECT_EQ(prompts.shown[0].buttons, MsgButtons::yesNo);
    EXPECT_EQ(prompts.shown[0].icon, MsgIcon::question);

    // The Explorer runs already, or the policy does not ask: no question.
    system.bExplorerWindow = true;
    EXPECT_TRUE(ConfirmFrontPageLoad(fpAlwaysAsk, kQuestionLoadExplorer, system, prompts));
    system.bExplorerWindow = false;
    for (int nPolicy : {0, 2, 7, -1})
        EXPECT_TRUE(ConfirmFrontPageLoad(nPolicy, kQuestionLoadExplorer, system, prompts)) << nPolicy;
    EXPECT_EQ(prompts.shown.size(), 2u);
}

TEST_F(ConnectionTest, DriversAreCreatedToDoListFirst)
{
    FrontPageDrivers drivers;
    {
        CWaitCursor wait(system);
        ASSERT_TRUE(CreateFrontPageDrivers(drivers, true, true, factory, prompts, wait));
    }
    EXPECT_EQ(world.calls, (std::vector<std::string>{"wait on", "create ToDoList", "create Explorer", "wait off"}));
    EXPECT_TRUE(drivers.toDoList && drivers.explorer);
    drivers.Release();
    EXPECT_EQ(world.nLiveDrivers, 0);

    world.calls.clear();
    CWaitCursor wait(system);
    ASSERT_TRUE(CreateFrontPageDrivers(drivers, false, true, factory, prompts, wait));
    EXPECT_EQ(world.calls, (std::vector<std::string>{"wait on", "create Explorer"}));
    EXPECT_FALSE(drivers.toDoList);
}

TEST_F(ConnectionTest, FailedCreationShowsTheSystemTextUnderTheFailingServersCaption)
{
    factory.nToDoListStatus = static_cast<int32_t>(0x800401F3);
    factory.texts[factory.nToDoListStatus] = "Invalid class string";
    FrontPageDrivers drivers;
    {
        CWaitCursor wait(system);
        EXPECT_FALSE(CreateFrontPageDrivers(drivers, true, true, factory, prompts, wait));
    }
    // The Explorer is not tried; the cursor ends before the message.
    EXPECT_EQ(world.calls,
              (std::vector<std::string>{"wait on", "create ToDoList", "wait off", "message|FrontPage ToDoList Error"}));
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "Invalid class string");
    EXPECT_EQ(prompts.shown[0].icon, MsgIcon::stop);
    EXPECT_EQ(prompts.shown[0].buttons, MsgButtons::ok);

    // The Explorer fails after the To-Do List was made: that one goes too.
    factory.nToDoListStatus = 0;
    factory.nExplorerStatus = 5;
    factory.texts[5] = std::string(300, 'x');
    world.calls.clear();
    CWaitCursor wait(system);
    EXPECT_FALSE(CreateFrontPageDrivers(drivers, true, true, factory, prompts, wait));
    EXPECT_EQ(world.nLiveDrivers, 0);
    EXPECT_FALSE(drivers.toDoList);
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(prompts.shown[1].caption, "FrontPage Explorer Error");
    EXPECT_EQ(prompts.shown[1].text, std::string(255, 'x'));
    EXPECT_EQ(system.nWaitDepth, 0);
}

TEST_F(ConnectionTest, TaskWebIsOpenedUnlessTitleAndThenUrlMatch)
{
    CFakeExplorer explorer(world);
    world.nOpenAfterReads = -1; // the open web stays
    world.webTitle = "docs";
    world.webUrl = "http://srv/docs";
    EXPECT_EQ(RequestTaskWeb(explorer, "docs", "http://srv/docs"), TaskWebState::shown);
    EXPECT_EQ(world.calls, (std::vector<std::string>{"GetWebTitle", "GetWebUrl"}));

    // The title differs by case only: the URL is not asked.
    world.calls.clear();
    EXPECT_EQ(RequestTaskWeb(explorer, "Docs", "http://srv/Docs"), TaskWebState::opening);
    EXPECT_EQ(world.calls, (std::vector<std::string>{"GetWebTitle", "OpenWeb|http://srv|Docs|"}));

    world.calls.clear();
    world.bOpenWebAnswer = false;
    EXPECT_EQ(RequestTaskWeb(explorer, "docs", "http://other/docs"), TaskWebState::refused);
    EXPECT_EQ(world.calls, (std::vector<std::string>{"GetWebTitle", "GetWebUrl", "OpenWeb|http://other|docs|"}));
    EXPECT_FALSE(BringUpTaskWeb(explorer, "docs", "http://other/docs"));
    world.bOpenWebAnswer = true;
    EXPECT_TRUE(BringUpTaskWeb(explorer, "docs", "http://other/docs"));
    EXPECT_TRUE(BringUpTaskWeb(explorer, "docs", "http://srv/docs"));
}

TEST(ServerFromWebUrl, IsWhatPrecedesSlashAndName)
{
    EXPECT_EQ(ServerFromWebUrl("http://srv/docs", "docs"), "http://srv");
    EXPECT_EQ(ServerFromWebUrl("http://srv:8080/a/docs", "docs"), "http://srv:8080/a");
    // The root web: the whole URL, with an empty name.
    EXPECT_EQ(ServerFromWebUrl("http://srv", ""), "http://srv");
    // The first occurrence counts, also inside a longer word.
    EXPECT_EQ(ServerFromWebUrl("http://srv/docs/docs", "docs"), "http://srv");
    EXPECT_EQ(ServerFromWebUrl("http://srv/docsets", "docs"), "http://srv");
    // Without a slash and the name, case-sensitively: no server.
    EXPECT_EQ(ServerFromWebUrl("http://srv/Docs", "docs"), "");
    EXPECT_EQ(ServerFromWebUrl("docs", "docs"), "");
    EXPECT_EQ(ServerFromWebUrl("", "docs"), "");
}

TEST_F(ConnectionTest, ToggleCyclesFromAnAbsentValue)
{
    EXPECT_EQ(ReadLoadingPolicy(settings), fpAlwaysAsk);
    EXPECT_EQ(ToggleFrontPageLoading(settings), fpDontLoad);
    EXPECT_EQ(settings.GetProfileInt("Settings\\FrontPage", "Loading", -9), 2);
    EXPECT_EQ(ToggleFrontPageLoading(settings), fpLoadOnDemand);
    EXPECT_EQ(ToggleFrontPageLoading(settings), fpAlwaysAsk);
    EXPECT_EQ(settings.GetProfileInt("Settings\\FrontPage", "Loading", -9), 1);

    settings.WriteProfileInt("Settings\\FrontPage", "Loading", 7);
    EXPECT_EQ(ToggleFrontPageLoading(settings), fpLoadOnDemand);
    EXPECT_EQ(NextLoadingPolicy(-1), fpLoadOnDemand);
}

TEST(LoadingIndicators, ButtonAndPaneFollowThePolicy)
{
    EXPECT_EQ(LoadingButtonState(0), ToggleCheck::unchecked);
    EXPECT_EQ(LoadingButtonState(1), ToggleCheck::indeterminate);
    EXPECT_EQ(LoadingButtonState(2), ToggleCheck::checked);
    EXPECT_EQ(LoadingButtonState(7), ToggleCheck::checked);

    EXPECT_EQ(LoadingPaneText(true, 0), "FP Load On Demand");
    EXPECT_EQ(LoadingPaneText(true, 1), "FP Always Ask");
    EXPECT_EQ(LoadingPaneText(true, 2), "FP Don't Load");
    EXPECT_EQ(LoadingPaneText(true, 7), "FP Don't Load");
    EXPECT_EQ(LoadingPaneText(false, 0), "");
}

TEST(FrontPageEnabling, FollowsPresencePolicyAndSelection)
{
    using namespace fpcmd;
    for (unsigned id : {kNewTask, kShowToDoList, kLaunchEditor, kLaunchExplorer, kToggleLoading})
        EXPECT_FALSE(IsFrontPageCommandEnabled(id, false, 0, 1, true)) << id;

    EXPECT_TRUE(IsFrontPageCommandEnabled(kNewTask, true, fpDontLoad, 0, false));
    EXPECT_TRUE(IsFrontPageCommandEnabled(kToggleLoading, true, fpDontLoad, 0, false));
    EXPECT_TRUE(IsFrontPageCommandEnabled(kLaunchExplorer, true, fpAlwaysAsk, 0, false));
    EXPECT_FALSE(IsFrontPageCommandEnabled(kLaunchExplorer, true, fpDontLoad, 0, false));
    // Another value fails the test for 2.
    EXPECT_TRUE(IsFrontPageCommandEnabled(kLaunchExplorer, true, 7, 0, false));

    for (unsigned id : {kShowToDoList, kLaunchEditor}) {
        EXPECT_TRUE(IsFrontPageCommandEnabled(id, true, fpLoadOnDemand, 1, true)) << id;
        EXPECT_FALSE(IsFrontPageCommandEnabled(id, true, fpDontLoad, 1, true)) << id;
        EXPECT_FALSE(IsFrontPageCommandEnabled(id, true, fpLoadOnDemand, 2, true)) << id;
        EXPECT_FALSE(IsFrontPageCommandEnabled(id, true, fpLoadOnDemand, 0, false)) << id;
        EXPECT_FALSE(IsFrontPageCommandEnabled(id, true, fpLoadOnDemand, 1, false)) << id;
    }
    EXPECT_FALSE(IsFrontPageCommandEnabled(32804, true, 0, 1, true));
}
