#include "view/task_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "base/dialog_guard.h"
#include "base/settings.h"
#include "dialogs/task_dialog_logic.h"
#include "model/netbell_doc.h"
#include "support/fakes.h"

namespace {

class CFakeDialog : public ITaskDialog {
public:
    std::vector<TaskDialogData> seen;
    std::function<bool(TaskDialogData&)> user = [](TaskDialogData&) { return true; };
    bool Run(TaskDialogData& data) override
    {
        seen.push_back(data);
        return user(data);
    }
};

class CFakeShell : public IShellOpen {
public:
    std::vector<std::string> opened;
    bool bSucceeds = true;
    bool Open(const std::string& target) override
    {
        opened.push_back(target);
        return bSucceeds;
    }
};

class CFakeFrontPage : public IFrontPageTasks {
public:
    bool bPresent = false;
    bool bCompletes = true;
    std::vector<unsigned> warnings;
    int nCompletions = 0;
    int nSelectionEdits = 0;
    bool IsPresent() override { return bPresent; }
    bool CompleteInFrontPage(CRemindTask&) override
    {
        ++nCompletions;
        return bCompletes;
    }
    void EditFrontPageItem(int) override {}
    void EditFrontPageSelection() override { ++nSelectionEdits; }
    void ShowWarning(unsigned nStringId) override { warnings.push_back(nStringId); }
};

class TaskCommandsTest : public ::testing::Test {
protected:
    CFakeFileSystem fs;
    CFakePrompts prompts;
    CNetbellDoc doc{fs, prompts};
    CMemorySettingsStore settings;
    CFakeGuardEvent event;
    CDialogGuard guard{event, prompts, nullptr};
    CFakeTaskList list;
    CFakeDialog dialog;
    CFakeShell shell;
    CFixedClock clock;
    CFakeFrontPage frontPage;
    CTaskCommands commands{TaskCommandPorts{doc, settings, prompts, guard, list, dialog, shell, clock, frontPage}};

    void SetUp() override { doc.SetPathName("D.nbl"); }

    CRemindTask& Add(uint32_t kind, const std::string& name)
    {
        dialog.user = [&](TaskDialogData& d) {
            d.m_strName = name;
            return true;
        };
        commands.AddTask(kind);
        return *doc.m_arrTasks.back();
    }
    // Rows from the top, selected by the names of their tasks.
    void Select(std::initializer_list<const char*> names)
    {
        list.selected.clear();
        for (size_t r = 0; r < list.rows.size(); ++r) {
            for (const char* n : names) {
                if (doc.m_arrTasks[list.rows[r].nTaskIndex]->m_strName == n)
                    list.selected.push_back(static_cast<int>(r));
            }
        }
    }
    CNetbellDoc SavedFile()
    {
        CNetbellDoc saved(fs, prompts);
        EXPECT_TRUE(saved.OnOpenDocument("D.nbl"));
        return saved;
    }
};

} // namespace

TEST_F(TaskCommandsTest, NewTaskDialogIsPresetFromTheSettings)
{
    dialog.user = [](TaskDialogData&) { return false; };
    commands.AddTask(kindEMail);
    WriteSetting(settings, setting::UseMailPrefix, 0);
    WriteSetting(settings, setting::DefaultPriority, 2);
    commands.AddTask(kindEMail);
    commands.AddTask(kindNewsgroup, "dropped text");
    ASSERT_EQ(dialog.seen.size(), 3u);
    EXPECT_EQ(dialog.seen[0].m_strUrl, "mailto:");
    EXPECT_EQ(dialog.seen[0].m_nPriority, 1);
    EXPECT_EQ(dialog.seen[0].m_nIconId, 179);
    EXPECT_EQ(dialog.seen[1].m_strUrl, "");
    EXPECT_EQ(dialog.seen[1].m_nPriority, 2);
    EXPECT_EQ(dialog.seen[2].m_strUrl, "news:");
    EXPECT_EQ(dialog.seen[2].m_strDescription, "dropped text");
    // Cancel still saves, once per command.
    EXPECT_EQ(fs.nWrites, 3);
    EXPECT_TRUE(doc.m_arrTasks.empty());
    EXPECT_TRUE(event.IsSignalled());
}

TEST_F(TaskCommandsTest, NewTaskGoesToTheTopAndToTheFile)
{
    Add(kindBrowse, "first");
    dialog.user = [](TaskDialogData& d) {
        d.m_strName = "second";
        d.m_strUrl = "news:"; // a bare prefix is no address, whatever the kind
        d.m_strProject = "Home";
        d.m_nPriority = 0;
        return true;
    };
    commands.AddTask(kindBrowse);
    ASSERT_EQ(list.rows.size(), 2u);
    EXPECT_EQ(list.rows[0].cells[colName], "second");
    EXPECT_EQ(list.rows[0].nTaskIndex, 1u);
    const CNetbellDoc saved = SavedFile();
    ASSERT_EQ(saved.m_arrTasks.size(), 2u);
    const CRemindTask& t = *saved.m_arrTasks[1];
    EXPECT_EQ(t.m_strUrl, "");
    EXPECT_EQ(t.m_strProject, "Home");
    EXPECT_EQ(t.m_nPriority, 0);
    EXPECT_EQ(t.m_nStatus, statusOpen);
    EXPECT_EQ(t.m_dtAdded.m_dt, 46000.5);
    EXPECT_TRUE(event.IsSignalled());
}

TEST_F(TaskCommandsTest, AllSitesMakesOneTaskPerEngineInEngineOrder)
{
    for (const char* url : {"http://a/", "http://b/", "mailto:"}) {
        doc.m_arrSearchItems.push_back(std::make_unique<CWebSearchItem>());
        doc.m_arrSearchItems.back()->m_strUrl = url;
    }
    dialog.user = [](TaskDialogData& d) {
        d.m_strName = "find";
        d.m_bAllSites = true;
        return true;
    };
    commands.AddTask(kindSearch);
    ASSERT_EQ(doc.m_arrTasks.size(), 3u);
    EXPECT_EQ(doc.m_arrTasks[0]->m_strUrl, "http://a/");
    EXPECT_EQ(doc.m_arrTasks[1]->m_strUrl, "http://b/");
    EXPECT_EQ(doc.m_arrTasks[2]->m_strUrl, "mailto:"); // an engine's address is taken as it is
    EXPECT_EQ(list.rows[0].nTaskIndex, 2u);
    EXPECT_EQ(list.rows[2].nTaskIndex, 0u);

    doc.m_arrSearchItems.clear();
    commands.AddTask(kindSearch);
    EXPECT_EQ(doc.m_arrTasks.size(), 3u);
    // "All Sites" means nothing for other kinds.
    commands.AddTask(kindBrowse);
    EXPECT_EQ(doc.m_arrTasks.size(), 4u);
}

TEST_F(TaskCommandsTest, MultiEditShowsMarkersAndWritesOnlyWhatChanged)
{
    for (const char* n : {"a", "b", "c"}) {
        CRemindTask& t = Add(kindNote, n);
        t.m_strProject = "Shared";
        t.m_strDescription = std::string("about ") + n;
    }
    doc.m_arrTasks[2]->m_nPriority = 0;
    Select({"a", "b", "c"});
    const int nWrites = fs.nWrites;
    dialog.user = [](TaskDialogData& d) {
        d.m_strProject = "Moved";
        return true;
    };
    commands.EditSelection();
    const TaskDialogData& shown = dialog.seen.back();
    EXPECT_EQ(shown.m_strName, kMixedValue);
    EXPECT_EQ(shown.m_strDescription, kMixedValue);
    EXPECT_EQ(shown.m_strProject, "Shared");
    EXPECT_EQ(shown.m_nPriority, -1);
    EXPECT_EQ(shown.m_nIconId, 148);
    EXPECT_EQ(fs.nWrites, nWrites + 1);
    std::string names;
    for (const auto& t : doc.m_arrTasks) {
        names += t->m_strName;
        EXPECT_EQ(t->m_strProject, "Moved");
        EXPECT_EQ(t->m_strDescription, "about " + t->m_strName);
    }
    EXPECT_EQ(names, "abc");
    EXPECT_EQ(doc.m_arrTasks[2]->m_nPriority, 0);
    EXPECT_EQ(doc.m_arrTasks[0]->m_nPriority, 1);
    for (const TaskRow& row : list.rows)
        EXPECT_EQ(row.cells[colProject], "Moved");
}

TEST_F(TaskCommandsTest, SingleEditWritesFullTextsAndCancelChangesNothing)
{
    CRemindTask& t = Add(kindBrowse, "short");
    t.m_nStatus = statusDone;
    Select({"short"});
    const int nWrites = fs.nWrites;
    dialog.user = [](TaskDialogData& d) {
        d.m_strName = "changed";
        return false;
    };
    commands.EditSelection();
    EXPECT_EQ(dialog.seen.back().m_nIconId, 149); // the done icon of one task
    EXPECT_EQ(t.m_strName, "short");
    EXPECT_EQ(fs.nWrites, nWrites);

    dialog.user = [](TaskDialogData& d) {
        d.m_strName = std::string(45, 'x');
        return true;
    };
    commands.EditItem(0);
    EXPECT_EQ(list.rows[0].cells[colName], std::string(45, 'x'));
    EXPECT_EQ(t.m_nStatus, statusDone);
    EXPECT_EQ(fs.nWrites, nWrites + 1);
    commands.FillList();
    EXPECT_EQ(list.rows[0].cells[colName], std::string(40, 'x'));
}

TEST_F(TaskCommandsTest, EnablingFollowsTheSelection)
{
    Add(kindBrowse, "b").m_strUrl = "http://x/";
    Add(kindNote, "n1");
    Add(kindNote, "n2");
    Add(kindFrontPage, "fp").m_strUrl = "Web (Page)";
    EXPECT_FALSE(commands.CanEdit());
    EXPECT_FALSE(commands.CanDelete());
    EXPECT_FALSE(commands.CanLaunch());
    Select({"b", "n1"});
    EXPECT_FALSE(commands.CanEdit());
    EXPECT_TRUE(commands.CanDelete());
    EXPECT_FALSE(commands.CanLaunch());
    // Edit from any menu keeps to the rule: kinds that differ open nothing.
    const size_t nDialogs = dialog.seen.size();
    Select({"b", "n1", "fp"});
    commands.EditSelection();
    Select({"fp", "n1"});
    commands.EditSelection();
    EXPECT_EQ(dialog.seen.size(), nDialogs);
    EXPECT_EQ(frontPage.nSelectionEdits, 0);
    Select({"n1", "n2"});
    EXPECT_TRUE(commands.CanEdit());
    Select({"n1"});
    EXPECT_FALSE(commands.CanLaunch());
    Select({"b"});
    EXPECT_TRUE(commands.CanLaunch());
    Select({"fp"});
    EXPECT_FALSE(commands.CanLaunch());
    EXPECT_TRUE(commands.CanEdit());
    commands.EditSelection();
    EXPECT_EQ(frontPage.nSelectionEdits, 1);
}

TEST_F(TaskCommandsTest, DeleteAsksThenPurgesAndRefills)
{
    for (const char* n : {"a", "b", "c", "d", "e"})
        Add(kindNote, n);
    Select({"b"});
    prompts.answers = {MsgResult::no};
    commands.DeleteSelected();
    EXPECT_EQ(prompts.shown.back().text, "Are you sure you want to delete this Task ?");
    EXPECT_EQ(prompts.shown.back().caption, "Confirm Task Deletion");
    EXPECT_EQ(doc.m_arrTasks.size(), 5u);

    Select({"b", "d"});
    prompts.answers = {MsgResult::yes};
    commands.DeleteSelected();
    EXPECT_EQ(prompts.shown.back().text, "Are you sure you want to delete these 2 Tasks ?");
    EXPECT_EQ(prompts.shown.back().caption, "Confirm Multiple Task Deletion");
    EXPECT_EQ(prompts.shown.back().icon, MsgIcon::question);
    EXPECT_EQ(prompts.beeps.size(), 2u);
    std::string names;
    for (const auto& t : SavedFile().m_arrTasks)
        names += t->m_strName;
    EXPECT_EQ(names, "ace");
    ASSERT_EQ(list.rows.size(), 3u);
    for (const TaskRow& row : list.rows)
        EXPECT_EQ(row.cells[colName], doc.m_arrTasks[row.nTaskIndex]->m_strName);

    // A task added from the tray menu while the question is open moves the
    // rows; the chosen task goes, the new one stays.
    Select({"c"});
    prompts.answers = {MsgResult::yes};
    prompts.whileOpen = [&] { Add(kindBrowse, "new"); };
    commands.DeleteSelected();
    names.clear();
    for (const auto& t : SavedFile().m_arrTasks)
        names += t->m_strName;
    EXPECT_EQ(names, "aenew");
}

TEST_F(TaskCommandsTest, LaunchHandsTheStoredUrlToTheShell)
{
    Add(kindEMail, "m").m_strUrl = "mailto:ann@example.com";
    commands.LaunchItem(0);
    EXPECT_EQ(shell.opened, std::vector<std::string>{"mailto:ann@example.com"});
    shell.bSucceeds = false;
    commands.LaunchItem(0);
    EXPECT_EQ(prompts.shown.back().text, "Sorry, Unable to execute the Url:\nmailto:ann@example.com\nfor the shell");
    EXPECT_EQ(prompts.shown.back().caption, "Shell Error");
    EXPECT_EQ(doc.m_arrTasks[0]->m_nStatus, statusOpen);
}

TEST_F(TaskCommandsTest, TickingChangesIconAndStatusWithoutASave)
{
    Add(kindBrowse, "b");
    const int nWrites = fs.nWrites;
    commands.OnCheckBoxClick(0);
    EXPECT_EQ(list.rows[0].nState, kStateDone);
    EXPECT_EQ(list.rows[0].nImage, 5);
    EXPECT_EQ(doc.m_arrTasks[0]->m_nStatus, statusDone);
    EXPECT_EQ(fs.nWrites, nWrites);
    commands.OnCheckBoxClick(0);
    EXPECT_EQ(list.rows[0].nState, kStateNotDone);
    EXPECT_EQ(list.rows[0].nImage, 2);
    EXPECT_EQ(doc.m_arrTasks[0]->m_nStatus, statusOpen);
}

TEST_F(TaskCommandsTest, FrontPageTicksAskFrontPageAndWarnOnUntick)
{
    Add(kindFrontPage, "fp");
    frontPage.bCompletes = false;
    commands.OnCheckBoxClick(0);
    EXPECT_EQ(list.rows[0].nState, kStateNotDone);
    EXPECT_EQ(doc.m_arrTasks[0]->m_nStatus, statusOpen);
    frontPage.bCompletes = true;
    const int nWrites = fs.nWrites;
    commands.OnCheckBoxClick(0);
    EXPECT_EQ(doc.m_arrTasks[0]->m_nStatus, statusDone);
    EXPECT_EQ(fs.nWrites, nWrites + 1);
    EXPECT_EQ(SavedFile().m_arrTasks[0]->m_nStatus, statusDone);
    EXPECT_EQ(frontPage.nCompletions, 2);
    commands.OnCheckBoxClick(0);
    frontPage.bPresent = true;
    commands.OnCheckBoxClick(0);
    commands.OnCheckBoxClick(0);
    EXPECT_EQ(frontPage.warnings, (std::vector<unsigned>{61225, 61209}));
    EXPECT_EQ(frontPage.nCompletions, 3);
}

TEST_F(TaskCommandsTest, OneDirectionFlagForAllColumns)
{
    EXPECT_FALSE(commands.SortDescending());
    commands.OnColumnClick(colPriority);
    EXPECT_TRUE(commands.SortDescending());
    commands.OnColumnClick(colName);
    EXPECT_FALSE(commands.SortDescending());
    EXPECT_EQ(commands.SortColumn(), colName);
}

TEST_F(TaskCommandsTest, ABusyGuardStopsEveryDialogCommand)
{
    Add(kindNote, "n");
    Select({"n"});
    event.bSignalled = false;
    const int nWrites = fs.nWrites;
    const size_t nDialogs = dialog.seen.size();
    commands.AddTask(kindNote);
    commands.EditSelection();
    commands.EditItem(0);
    EXPECT_EQ(dialog.seen.size(), nDialogs);
    EXPECT_EQ(fs.nWrites, nWrites);
    EXPECT_FALSE(event.bSignalled); // still held by the other dialog
}
