// Presence, the policy, the enabling rules, new tasks and editing.
#include "frontpage/frontpage_tasks.h"

#include <gtest/gtest.h>

#include "dialogs/task_dialog_logic.h"
#include "frontpage/frontpage_tasks_fixture.h"

using namespace fptest;

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
    EXPECT_EQ(fp->ToggleState(), ToggleCheck::indeterminate);
    EXPECT_TRUE(fp->OnCommand(32791));
    EXPECT_EQ(fp->LoadingPolicy(), fpDontLoad);
    EXPECT_EQ(fp->StatusPaneText(), "FP Don't Load");
    EXPECT_FALSE(fp->IsCommandEnabled(32789));
    fp->OnCommand(32791);
    EXPECT_EQ(settings.GetProfileInt("Settings\\FrontPage", "Loading", -1), 0);
    EXPECT_EQ(fp->ToggleState(), ToggleCheck::unchecked);

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
