// The commands that reach FrontPage: the To-Do List, the Explorer, the
// Editor, and completing a ticked task.
#include "frontpage/frontpage_tasks.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "frontpage/frontpage_tasks_fixture.h"
#include "view/task_commands.h"

using namespace fptest;

TEST_F(FrontPageTasksTest, ToDoListOfAnOpenWebShowsAtOnce)
{
    SetPolicy(fpLoadOnDemand);
    AddStored("t");
    world.webTitle = "docs";
    world.webUrl = "http://srv/docs";
    fp->OnCommand(32786);
    EXPECT_EQ(world.calls, (std::vector<std::string>{"wait on", "create ToDoList", "create Explorer", "GetWebTitle",
                                                     "GetWebUrl", "wait off", "ShowList"}));
    EXPECT_EQ(world.nLiveDrivers, 0);
}

TEST_F(FrontPageTasksTest, ToDoListOfAnotherWebWaitsForItToOpen)
{
    SetPolicy(fpLoadOnDemand);
    AddStored("t", "docs", "http://srv/docs");
    world.webTitle = "shop";
    world.webUrl = "http://srv/shop";
    world.openTitle = "docs";
    world.openUrl = "http://srv/docs";
    world.nOpenAfterReads = 2;
    fp->ShowFrontPageToDoList();
    EXPECT_EQ(world.Count("OpenWeb|http://srv|docs|"), 1);
    // The first read was the check; then three polls, two pauses between.
    EXPECT_EQ(world.Count("GetWebTitle"), 4);
    EXPECT_EQ(system.sleeps, (std::vector<unsigned>{500, 500, 1000}));
    EXPECT_EQ(world.Count("ShowExplorer"), 0);
    EXPECT_EQ(world.calls.back(), "ShowList");
    EXPECT_EQ(world.nLiveDrivers, 0);
}

TEST_F(FrontPageTasksTest, ToDoListGivesUpAfter51PollsAndShowsTheExplorer)
{
    SetPolicy(fpLoadOnDemand);
    AddStored("t");
    world.nOpenAfterReads = -1;
    fp->ShowFrontPageToDoList();
    EXPECT_EQ(world.Count("GetWebTitle"), 1 + 51);
    EXPECT_EQ(world.Count("GetWebUrl"), 51);
    ASSERT_EQ(system.sleeps.size(), 51u);
    EXPECT_EQ(std::count(system.sleeps.begin(), system.sleeps.end(), 500u), 50);
    EXPECT_EQ(system.sleeps.back(), 1000u);
    const std::vector<std::string> tail(world.calls.end() - 5, world.calls.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"GetWebUrl", "ShowExplorer", "Sleep|1000", "wait off", "ShowList"}));
}

TEST_F(FrontPageTasksTest, ToDoListStopsSilentlyWhenRefusedOrNotWanted)
{
    AddStored("t");
    world.bOpenWebAnswer = false;
    SetPolicy(fpLoadOnDemand);
    fp->ShowFrontPageToDoList();
    EXPECT_EQ(world.Count("ShowList"), 0);
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(world.nLiveDrivers, 0);
    EXPECT_EQ(system.nWaitDepth, 0);

    // Always Ask and No.
    world.calls.clear();
    SetPolicy(fpAlwaysAsk);
    prompts.answers = {MsgResult::no};
    fp->ShowFrontPageToDoList();
    EXPECT_EQ(world.calls, (std::vector<std::string>{"message|Question"}));
    EXPECT_EQ(prompts.shown[0].text, "Do you want Netbell to load FrontPage Explorer");

    // No web: the warning, and FrontPage is not asked.
    world.calls.clear();
    doc.m_arrTasks[0]->m_strWebName.clear();
    doc.m_arrTasks[0]->m_strWebUrl.clear();
    fp->ShowFrontPageToDoList();
    fp->LaunchFrontPageEditor();
    EXPECT_EQ(warnings, (std::vector<unsigned>{61208, 61208}));
    EXPECT_TRUE(world.calls.empty());
}

TEST_F(FrontPageTasksTest, ExplorerIsLaunchedWithItsDriverOnly)
{
    SetPolicy(fpLoadOnDemand);
    fp->OnCommand(32789);
    EXPECT_EQ(world.calls, (std::vector<std::string>{"wait on", "create Explorer", "ShowExplorer", "wait off"}));
    EXPECT_EQ(world.nLiveDrivers, 0);

    factory.nExplorerStatus = 3;
    factory.texts[3] = "The system cannot find the path specified.";
    fp->LaunchFrontPageExplorer();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].caption, "FrontPage Explorer Error");
    EXPECT_EQ(prompts.shown[0].text, "The system cannot find the path specified.");
}

TEST_F(FrontPageTasksTest, EditorOpensTheLinkedPageOfTheTasksWeb)
{
    AddStored("t");
    world.nOpenAfterReads = -1;
    prompts.answers = {MsgResult::yes};
    fp->LaunchFrontPageEditor();
    EXPECT_EQ(prompts.shown.at(0).text, "Do you want Netbell to load FrontPage Editor");
    EXPECT_EQ(world.calls, (std::vector<std::string>{"message|Question", "wait on", "create Explorer", "GetWebTitle",
                                                     "OpenWeb|http://srv|docs|", "wait off", "EditPage|index.htm"}));
    EXPECT_TRUE(system.sleeps.empty());

    world.calls.clear();
    world.bOpenWebAnswer = false;
    system.bExplorerWindow = true;
    fp->LaunchFrontPageEditor();
    EXPECT_EQ(world.Count("EditPage"), 0);
    EXPECT_EQ(world.nLiveDrivers, 0);
    EXPECT_EQ(system.nWaitDepth, 0);

    // Not linked: said so, without FrontPage.
    world.calls.clear();
    doc.m_arrTasks[0]->m_strPageUrl = "Is not linked";
    fp->LaunchFrontPageEditor();
    EXPECT_EQ(world.calls, (std::vector<std::string>{"message|FrontPage Link Error"}));
    EXPECT_EQ(prompts.shown.back().text, "This Task is not linked to an editable page");
    EXPECT_EQ(prompts.shown.back().icon, MsgIcon::information);
}

TEST_F(FrontPageTasksTest, CompletionRetriesTwentyOneTimesThenWarnsAndTicks)
{
    SetPolicy(fpLoadOnDemand);
    CRemindTask& t = AddStored("t");
    world.webTitle = "docs";
    world.webUrl = "http://srv/docs";
    world.markAnswers = std::deque<bool>(30, false);
    EXPECT_TRUE(fp->CompleteInFrontPage(t));
    EXPECT_EQ(world.Count("MarkToDoComplete|index.htm|NetbellCookie7"), 21);
    EXPECT_EQ(system.sleeps, std::vector<unsigned>(20, 500));
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text,
              "Sorry, Could not mark the task as complete in FrontPage, It may have already been completed");
    EXPECT_EQ(prompts.shown[0].caption, "FrontPage Connection Warning");
    EXPECT_EQ(prompts.shown[0].icon, MsgIcon::information);
    EXPECT_EQ(world.nLiveDrivers, 0);
    EXPECT_EQ(fs.nWrites, 1);

    // Success on the third call.
    world.calls.clear();
    system.sleeps.clear();
    world.markAnswers = {false, false, true};
    EXPECT_TRUE(fp->CompleteInFrontPage(t));
    EXPECT_EQ(world.Count("MarkToDoComplete"), 3);
    EXPECT_EQ(system.sleeps.size(), 2u);
    EXPECT_EQ(prompts.shown.size(), 1u);
}

TEST_F(FrontPageTasksTest, CompletionPolicyBranches)
{
    CRemindTask& t = AddStored("t");
    // Always Ask, no Explorer, No: ticked without FrontPage.
    prompts.answers = {MsgResult::no};
    EXPECT_TRUE(fp->CompleteInFrontPage(t));
    EXPECT_EQ(world.Count("create ToDoList"), 0);

    // Don't Load: the warning, no question.
    SetPolicy(fpDontLoad);
    EXPECT_TRUE(fp->CompleteInFrontPage(t));
    EXPECT_EQ(warnings, (std::vector<unsigned>{61210}));
    EXPECT_EQ(prompts.shown.size(), 1u);

    // No web: warning 61208 first.
    t.m_strWebName.clear();
    t.m_strWebUrl.clear();
    EXPECT_TRUE(fp->CompleteInFrontPage(t));
    EXPECT_EQ(warnings, (std::vector<unsigned>{61210, 61208}));
    EXPECT_EQ(world.Count("create ToDoList"), 0);
    EXPECT_EQ(fs.nWrites, 0);
}

TEST_F(FrontPageTasksTest, CompletionFailsWhenFrontPageCannotBeReached)
{
    SetPolicy(fpLoadOnDemand);
    CRemindTask& t = AddStored("t");
    factory.nToDoListStatus = 7;
    EXPECT_FALSE(fp->CompleteInFrontPage(t));
    EXPECT_EQ(prompts.shown.at(0).caption, "FrontPage ToDoList Error");

    factory.nToDoListStatus = 0;
    world.bOpenWebAnswer = false;
    EXPECT_FALSE(fp->CompleteInFrontPage(t));
    EXPECT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(world.Count("MarkToDoComplete"), 0);
    EXPECT_EQ(world.nLiveDrivers, 0);
    EXPECT_EQ(system.nWaitDepth, 0);
    EXPECT_EQ(fs.nWrites, 0);
}

TEST_F(FrontPageTasksTest, TickingInTheListGoesThroughFrontPage)
{
    class CNoDialog : public ITaskDialog {
        bool Run(TaskDialogData&) override { return false; }
    } taskDialog;
    class CNoShell : public IShellOpen {
        bool Open(const std::string&) override { return false; }
    } shell;
    CTaskCommands commands(
        TaskCommandPorts{doc, settings, prompts, guard, list, taskDialog, shell, clock, *fp});
    SetPolicy(fpLoadOnDemand);
    AddStored("t");
    factory.nToDoListStatus = 9;
    commands.OnCheckBoxClick(0);
    EXPECT_EQ(doc.m_arrTasks[0]->m_nStatus, statusOpen);
    EXPECT_EQ(list.rows[0].nState, kStateNotDone);

    factory.nToDoListStatus = 0;
    commands.OnCheckBoxClick(0);
    EXPECT_EQ(doc.m_arrTasks[0]->m_nStatus, statusDone);
    EXPECT_EQ(world.Count("MarkToDoComplete|index.htm|NetbellCookie7"), 1);

    // Unticking never reaches FrontPage.
    world.calls.clear();
    commands.OnCheckBoxClick(0);
    EXPECT_EQ(doc.m_arrTasks[0]->m_nStatus, statusOpen);
    EXPECT_TRUE(world.calls.empty());
    EXPECT_EQ(warnings, (std::vector<unsigned>{61209}));

    // A FrontPage task created without FrontPage has no web to complete.
    doc.m_arrTasks[0]->m_strWebName.clear();
    doc.m_arrTasks[0]->m_strWebUrl.clear();
    commands.OnCheckBoxClick(0);
    EXPECT_EQ(doc.m_arrTasks[0]->m_nStatus, statusDone);
    EXPECT_EQ(warnings.back(), 61208u);
}
