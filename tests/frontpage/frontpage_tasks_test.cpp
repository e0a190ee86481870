#include "frontpage/frontpage_tasks.h"

#include <gtest/gtest.h>

#include <functional>

#include "app/settings.h"
#include "dialogs/task_dialog_logic.h"
#include "model/netbell_doc.h"
#include "frontpage/frontpage_fakes.h"

using namespace fptest;

namespace {

class CFakeTaskDialog : public IFrontPageTaskDialog {
public:
    std::vector<FrontPageTaskData> seen;
    std::function<bool(FrontPageTaskData&)> user = [](FrontPageTaskData&) { return true; };
    bool Run(FrontPageTaskData& data) override
    {
        seen.push_back(data);
        return user(data);
    }
};

class FrontPageTasksTest : public ::testing::Test {
protected:
    FakeFrontPageWorld world;
    CFakeDrivers factory{world};
    CFakeSystem system{world};
    CFakeRegistry registry;
    CRecordingPrompts prompts{world};
    CFakeFileSystem fs;
    CNetbellDoc doc{fs, prompts};
    CMemorySettingsStore settings;
    CFakeGuardEvent event;
    CDialogGuard guard{event, prompts, nullptr};
    CFakeTaskList list;
    CFixedClock clock;
    CFakeTaskDialog dialog;
    std::vector<unsigned> warnings;
    std::unique_ptr<CFrontPageTasks> fp;

    void SetUp() override
    {
        doc.SetPathName("D.nbl");
        registry.classesRoot["FrontPage.Explorer\\CURVER"] = "FrontPage.Explorer.2.0";
        Make();
    }
    void Make()
    {
        fp = std::make_unique<CFrontPageTasks>(FrontPageTaskPorts{
            doc, settings, prompts, guard, list, clock, dialog, factory, system, registry,
            [this](unsigned n) { warnings.push_back(n); }, "Netbell"});
        fp->Detect();
    }
    void SetPolicy(int n)
    {
        settings.WriteProfileInt("Settings\\FrontPage", "Loading", n);
        fp->RefreshLoadingPolicy();
    }
    // A stored FrontPage task of the web docs, selected alone.
    CRemindTask& AddStored(const std::string& name, const std::string& web = "docs",
                           const std::string& webUrl = "http://srv/docs")
    {
        auto t = std::make_unique<CRemindTask>();
        t->m_nKind = kindFrontPage;
        t->m_strName = name;
        t->m_strWebName = web;
        t->m_strWebUrl = webUrl;
        t->m_strLinkedTo = "Home Page";
        t->m_strPageUrl = "index.htm";
        t->m_strCookie = "NetbellCookie7";
        t->m_strUrl = web + " (Home Page)";
        doc.m_arrTasks.push_back(std::move(t));
        list.InsertRowAtTop(MakeTaskRow(*doc.m_arrTasks.back(), doc.m_arrTasks.size() - 1));
        list.selected = {0};
        return *doc.m_arrTasks.back();
    }
    CNetbellDoc SavedFile()
    {
        CNetbellDoc saved(fs, prompts);
        EXPECT_TRUE(saved.OnOpenDocument("D.nbl"));
        return saved;
    }
};

} // namespace

TEST_F(FrontPageTasksTest, AbsentFrontPageSwitchesEverythingOff)
{
    registry.classesRoot.clear();
    Make();
    EXPECT_FALSE(fp->IsPresent());
    AddStored("t");
    for (unsigned id : {32776u, 32786u, 32787u, 32789u, 32791u}) {
        EXPECT_FALSE(fp->IsCommandEnabled(id)) << id;
        EXPECT_TRUE(fp->OnCommand(id)) << id;
    }
    EXPECT_EQ(fp->StatusPaneText(), "");
    EXPECT_TRUE(dialog.seen.empty());
    EXPECT_TRUE(world.calls.empty());
    EXPECT_EQ(fp->LoadingPolicy(), fpAlwaysAsk);
    fp->UpdateMenuLinks();
    EXPECT_TRUE(registry.writes.empty());
    // Ticking needs nothing of FrontPage.
    EXPECT_TRUE(fp->CompleteInFrontPage(*doc.m_arrTasks[0]));
    EXPECT_FALSE(fp->OnCommand(32804));
}

TEST_F(FrontPageTasksTest, ToggleCommandMovesTheCachedPolicyAndThePane)
{
    EXPECT_TRUE(fp->IsPresent());
    EXPECT_EQ(fp->StatusPaneText(), "FP Always Ask");
    EXPECT_EQ(fp->ToggleState(), ToggleButtonState::indeterminate);
    EXPECT_TRUE(fp->OnCommand(32791));
    EXPECT_EQ(fp->LoadingPolicy(), fpDontLoad);
    EXPECT_EQ(fp->StatusPaneText(), "FP Don't Load");
    EXPECT_FALSE(fp->IsCommandEnabled(32789));
    fp->OnCommand(32791);
    EXPECT_EQ(settings.GetProfileInt("Settings\\FrontPage", "Loading", -1), 0);
    EXPECT_EQ(fp->ToggleState(), ToggleButtonState::unchecked);

    // The Options sheet changed it behind the cache's back.
    settings.WriteProfileInt("Settings\\FrontPage", "Loading", 2);
    EXPECT_EQ(fp->LoadingPolicy(), fpLoadOnDemand);
    fp->RefreshLoadingPolicy();
    EXPECT_EQ(fp->LoadingPolicy(), fpDontLoad);
}

TEST_F(FrontPageTasksTest, TaskCommandsNeedOneSelectedFrontPageTask)
{
    SetPolicy(fpLoadOnDemand);
    EXPECT_FALSE(fp->IsCommandEnabled(32786));
    AddStored("a");
    EXPECT_TRUE(fp->IsCommandEnabled(32786));
    EXPECT_TRUE(fp->IsCommandEnabled(32787));
    AddStored("b");
    list.selected = {0, 1};
    EXPECT_FALSE(fp->IsCommandEnabled(32786));
    EXPECT_FALSE(fp->IsCommandEnabled(32787));
    doc.m_arrTasks[1]->m_nKind = kindNote;
    list.selected = {0};
    EXPECT_FALSE(fp->IsCommandEnabled(32787));
}

TEST_F(FrontPageTasksTest, NewTaskLandsInTheDocumentTheListAndTheFile)
{
    settings.WriteProfileInt("Settings", "Default Priority", 2);
    dialog.user = [](FrontPageTaskData& d) {
        d.m_strName = "Fix links";
        d.m_strDescription = "All of them";
        d.m_strProject = "Site";
        d.m_strAssignTo = "Kim";
        d.m_strBillingInfo = "B1";
        d.m_strWebTitle = "docs";
        d.m_strWebUrl = "http://srv/docs";
        d.m_strLinkedTo = "Home Page";
        d.m_strPageUrl = "index.htm";
        d.m_strCookie = "NetbellCookie3";
        return true;
    };
    fp->OnCommand(32776);
    ASSERT_EQ(dialog.seen.size(), 1u);
    EXPECT_EQ(dialog.seen[0].m_nPriority, 2);
    EXPECT_FALSE(dialog.seen[0].m_bEditing);
    EXPECT_FALSE(guard.IsTaken());

    ASSERT_EQ(doc.m_arrTasks.size(), 1u);
    const CRemindTask& t = *doc.m_arrTasks[0];
    EXPECT_EQ(t.m_nKind, kindFrontPage);
    EXPECT_EQ(t.m_nStatus, statusOpen);
    EXPECT_EQ(t.m_nPriority, 2);
    EXPECT_EQ(t.m_strWebName, "docs");
    EXPECT_EQ(t.m_strWebUrl, "http://srv/docs");
    EXPECT_EQ(t.m_strLinkedTo, "Home Page");
    EXPECT_EQ(t.m_strPageUrl, "index.htm");
    EXPECT_EQ(t.m_strCookie, "NetbellCookie3");
    EXPECT_EQ(t.m_strUrl, "docs (Home Page)");
    EXPECT_EQ(t.m_dtAdded.m_dt, 46000.5);
    ASSERT_EQ(list.rows.size(), 1u);
    EXPECT_EQ(list.rows[0].cells[colUrl], "docs (Home Page)");
    EXPECT_EQ(*SavedFile().m_arrTasks.at(0), t);
}

TEST_F(FrontPageTasksTest, UrlTextNamesTheWebOrItsPlaceholder)
{
    FrontPageTaskData d;
    d.m_strLinkedTo = "Is not linked";
    EXPECT_EQ(FrontPageTaskUrlText(d), "<Root Web> (Is not linked)");
    d.m_bNotConnected = true;
    EXPECT_EQ(FrontPageTaskUrlText(d), "No Web Selected (Is not linked)");
    d.m_strWebTitle = "(Not Assigned)";
    EXPECT_EQ(FrontPageTaskUrlText(d), "(Not Assigned) (Is not linked)");
}

TEST_F(FrontPageTasksTest, CancelOrABusyGuardCreatesNothing)
{
    dialog.user = [](FrontPageTaskData&) { return false; };
    fp->AddFrontPageTask();
    EXPECT_TRUE(doc.m_arrTasks.empty());
    EXPECT_EQ(fs.nWrites, 0);
    EXPECT_FALSE(guard.IsTaken());

    event.bSignalled = false; // another dialog is open
    fp->AddFrontPageTask();
    EXPECT_EQ(dialog.seen.size(), 1u);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, kMsgDialogActive);
}

TEST_F(FrontPageTasksTest, EditingChangesOnlyTheLocalFields)
{
    CRemindTask& t = AddStored("Old", "", "http://srv");
    dialog.user = [](FrontPageTaskData& d) {
        d.m_strName = "New";
        d.m_nPriority = priorityHigh;
        d.m_strWebTitle = "changed";
        d.m_strLinkedTo = "changed";
        return true;
    };
    fp->EditFrontPageItem(0);
    ASSERT_EQ(dialog.seen.size(), 1u);
    const FrontPageTaskData& shown = dialog.seen[0];
    EXPECT_TRUE(shown.m_bEditing);
    EXPECT_EQ(shown.m_strWebTitle, "<Root Web>");
    EXPECT_EQ(shown.m_strWebUrl, "http://srv");
    EXPECT_EQ(shown.m_strLinkedTo, "Home Page");
    EXPECT_EQ(shown.m_strPageUrl, "index.htm");
    EXPECT_EQ(t.m_strName, "New");
    EXPECT_EQ(t.m_nPriority, priorityHigh);
    EXPECT_EQ(t.m_strWebName, "");
    EXPECT_EQ(t.m_strLinkedTo, "Home Page");
    EXPECT_EQ(t.m_strCookie, "NetbellCookie7");
    EXPECT_EQ(t.m_strUrl, " (Home Page)");
    EXPECT_EQ(list.rows[0].cells[colName], "New");
    EXPECT_EQ(list.rows[0].cells[colPriority], t.GetPriorityName());
    EXPECT_EQ(SavedFile().m_arrTasks.at(0)->m_strName, "New");
    EXPECT_FALSE(guard.IsTaken());

    // Cancel: nothing changes, nothing is saved.
    const int nWrites = fs.nWrites;
    dialog.user = [](FrontPageTaskData& d) {
        d.m_strName = "Other";
        return false;
    };
    fp->EditFrontPageItem(0);
    EXPECT_EQ(t.m_strName, "New");
    EXPECT_EQ(fs.nWrites, nWrites);
    EXPECT_TRUE(world.calls.empty());
}

TEST_F(FrontPageTasksTest, SelectionEditShowsMixedValuesAndKeepsThem)
{
    CRemindTask& a = AddStored("A", "docs");
    CRemindTask& b = AddStored("B", "shop", "http://srv/shop");
    b.m_strLinkedTo = "Cart";
    b.m_nPriority = priorityLow;
    a.m_strProject = b.m_strProject = "Site";
    list.selected = {0, 1};
    dialog.user = [](FrontPageTaskData& d) {
        d.m_strProject = "Web";
        return true;
    };
    fp->EditFrontPageSelection();
    ASSERT_EQ(dialog.seen.size(), 1u);
    const FrontPageTaskData& shown = dialog.seen[0];
    // The first selected row is B, inserted last at the top.
    EXPECT_EQ(shown.m_strName, kMixedValue);
    EXPECT_EQ(shown.m_strProject, "Site");
    EXPECT_EQ(shown.m_nPriority, -1);
    EXPECT_EQ(shown.m_strWebTitle, "(Multiple Selection)");
    EXPECT_EQ(shown.m_strWebUrl, "(Multiple Selection)");
    EXPECT_EQ(shown.m_strLinkedTo, "(Multiple Selection)");
    EXPECT_TRUE(shown.m_bEditing);
    EXPECT_EQ(a.m_strName, "A");
    EXPECT_EQ(b.m_strName, "B");
    EXPECT_EQ(a.m_nPriority, priorityMedium);
    EXPECT_EQ(b.m_nPriority, priorityLow);
    EXPECT_EQ(a.m_strProject, "Web");
    EXPECT_EQ(b.m_strProject, "Web");
    EXPECT_EQ(list.rows[1].cells[colProject], "Web");
    EXPECT_EQ(fs.nWrites, 1);
}

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
