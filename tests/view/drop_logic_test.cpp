// Drops onto the task list: the cursor's answer while dragging, shortcut
// files becoming Browse tasks, text opening a Note, the messages and the one
// save at the end of every drop.
#include "view/drop_logic.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "model/netbell_doc.h"
#include "support/fakes.h"
#include "view/task_commands.h"

namespace {

class CFakeDropData : public IDropData {
public:
    bool bHasFiles = false;
    bool bFilesFail = false;
    std::vector<std::string> files;
    bool bHasText = false;
    bool bTextFails = false;
    std::string text;
    int nTextReads = 0;

    bool HasFileList() override { return bHasFiles; }
    bool GetFileList(std::vector<std::string>& paths) override
    {
        if (bFilesFail)
            return false;
        paths = files;
        return true;
    }
    bool HasText() override { return bHasText; }
    bool GetText(std::string& out) override
    {
        ++nTextReads;
        if (bTextFails)
            return false;
        out = text;
        return true;
    }
};

// Resolves every .url file but the ones marked damaged or unavailable.
class CFakeResolver : public IShortcutResolver {
public:
    std::map<std::string, ShortcutOutcome> failures;
    std::vector<std::string> resolved;

    ShortcutResult ResolveInternetShortcut(const std::string& path) override
    {
        resolved.push_back(path);
        ShortcutResult r;
        r.title = ShortcutTitle(path);
        auto f = failures.find(path);
        r.outcome = f == failures.end() ? ShortcutOutcome::Resolved : f->second;
        if (r.outcome == ShortcutOutcome::Resolved)
            r.url = "http://example.com/" + r.title;
        return r;
    }
};

// One log of everything the drop asked for, in order.
class CFakeSink : public IDropTaskSink {
public:
    std::vector<std::string> log;
    void AddBrowseTask(const std::string& name, const std::string& url) override
    {
        log.push_back("browse " + name + " " + url);
    }
    void AddNote(const std::string& text) override { log.push_back("note " + text); }
    void Save() override { log.push_back("save"); }
};

class DropTest : public ::testing::Test {
protected:
    DropEffect Over() { return TaskListDragOver(data, prompts); }
    bool Drop() { return TaskListDrop(data, resolver, prompts, sink); }
    void Files(std::vector<std::string> paths)
    {
        data.bHasFiles = true;
        data.files = std::move(paths);
    }

    CFakeDropData data;
    CFakeResolver resolver;
    CFakePrompts prompts;
    CFakeSink sink;
};

const char kNotSupported[] = "One or more of the objects you dropped is not supported for drag and drop operations";

} // namespace

TEST_F(DropTest, DraggingAnswersCopyOnlyForAShortcutOrText)
{
    Files({"C:\\Desk\\notes.txt"});
    EXPECT_EQ(Over(), DropEffect::none);
    Files({"C:\\Desk\\App.lnk", "C:\\Fav\\Site.url"});
    EXPECT_EQ(Over(), DropEffect::copy);
    Files({"C:\\Fav\\LOUD.URL"});
    EXPECT_EQ(Over(), DropEffect::copy);
    Files({});
    EXPECT_EQ(Over(), DropEffect::none);

    // A file list wins over text offered beside it.
    Files({"C:\\Desk\\notes.txt"});
    data.bHasText = true;
    EXPECT_EQ(Over(), DropEffect::none);
    data.bHasFiles = false;
    EXPECT_EQ(Over(), DropEffect::copy);
    data.bHasText = false;
    EXPECT_EQ(Over(), DropEffect::none);
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(data.nTextReads, 0); // the answer never needs the text itself
}

TEST_F(DropTest, AFileListThatCannotBeHadIsReportedWhileDragging)
{
    Files({"C:\\Fav\\Site.url"});
    data.bFilesFail = true;
    EXPECT_EQ(Over(), DropEffect::none);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "Drag Operation Failure in GetData");
    EXPECT_EQ(prompts.shown[0].caption, "");
}

TEST_F(DropTest, AShortcutBesideALinkBecomesATaskWhenTheUserGoesOn)
{
    Files({"C:\\Desk\\Editor.lnk", "C:\\Fav\\News Site.url"});
    prompts.answers = {MsgResult::ok};
    EXPECT_TRUE(Drop());
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, kNotSupported);
    EXPECT_EQ(prompts.shown[0].caption, "Warning");
    EXPECT_EQ(prompts.shown[0].buttons, MsgButtons::okCancel);
    EXPECT_EQ(prompts.shown[0].icon, MsgIcon::exclamation);
    EXPECT_EQ(resolver.resolved, std::vector<std::string>{"C:\\Fav\\News Site.url"});
    EXPECT_EQ(sink.log, (std::vector<std::string>{"browse News Site http://example.com/News Site", "save"}));
}

TEST_F(DropTest, CancelOnTheQuestionEndsTheDropButStillSaves)
{
    Files({"C:\\Fav\\First.url", "C:\\Desk\\Editor.lnk", "C:\\Fav\\Third.url"});
    prompts.answers = {MsgResult::cancel};
    EXPECT_TRUE(Drop());
    EXPECT_EQ(sink.log, (std::vector<std::string>{"browse First http://example.com/First", "save"}));
    EXPECT_EQ(resolver.resolved, std::vector<std::string>{"C:\\Fav\\First.url"});
}

TEST_F(DropTest, ADamagedShortcutInTheMiddleAbortsTheRest)
{
    Files({"C:\\Fav\\One.url", "C:\\Fav\\Two.url", "C:\\Fav\\Three.url"});
    resolver.failures["C:\\Fav\\Two.url"] = ShortcutOutcome::LoadFailed;
    EXPECT_TRUE(Drop());
    EXPECT_EQ(sink.log, (std::vector<std::string>{"browse One http://example.com/One", "save"}));
    EXPECT_EQ(resolver.resolved, (std::vector<std::string>{"C:\\Fav\\One.url", "C:\\Fav\\Two.url"}));
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(prompts.shown[0].text, "Error resolving internet shortcut.");
    EXPECT_EQ(prompts.shown[0].caption, "Shell Error");
    EXPECT_EQ(prompts.shown[0].icon, MsgIcon::exclamation);
    EXPECT_EQ(prompts.shown[1].text, "There was an error resolving the link to:\nTwo\nThis drop has been aborted");
    EXPECT_EQ(prompts.shown[1].caption, "Shell Error");
    EXPECT_EQ(prompts.shown[1].icon, MsgIcon::stop);
}

TEST_F(DropTest, AMissingShortcutObjectGivesOnlyTheAbortMessage)
{
    Files({"C:\\Fav\\Only.url", "C:\\Fav\\Never.url"});
    resolver.failures["C:\\Fav\\Only.url"] = ShortcutOutcome::CreateFailed;
    EXPECT_TRUE(Drop());
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "There was an error resolving the link to:\nOnly\nThis drop has been aborted");
    EXPECT_EQ(sink.log, std::vector<std::string>{"save"});
}

TEST_F(DropTest, ShortcutsInAnyCaseBecomeTasksInDropOrder)
{
    Files({"C:\\Fav\\Upper.URL", "C:\\Fav\\Mixed.Url", "C:\\Fav\\lower.url"});
    EXPECT_TRUE(Drop());
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(sink.log, (std::vector<std::string>{"browse Upper http://example.com/Upper",
                                                  "browse Mixed http://example.com/Mixed",
                                                  "browse lower http://example.com/lower", "save"}));
}

TEST_F(DropTest, TextOpensANoteAndTheDropSavesAfterIt)
{
    data.bHasText = true;
    data.text = "Look up the\r\nfree fonts";
    EXPECT_TRUE(Drop());
    EXPECT_EQ(sink.log, (std::vector<std::string>{"note Look up the\r\nfree fonts", "save"}));
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(DropTest, TextThatCannotBeHadSavesNothing)
{
    data.bHasText = true;
    data.bTextFails = true;
    EXPECT_FALSE(Drop());
    EXPECT_TRUE(sink.log.empty());
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "Failed to get data");
    EXPECT_EQ(prompts.shown[0].caption, "Drop Operation Failed");
    EXPECT_EQ(prompts.shown[0].icon, MsgIcon::stop);
}

TEST_F(DropTest, AFileListThatCannotBeHadStillSavesAndIgnoresText)
{
    Files({"C:\\Fav\\Site.url"});
    data.bFilesFail = true;
    data.bHasText = true;
    data.text = "unused";
    EXPECT_TRUE(Drop());
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "Drop Operation Failed");
    EXPECT_EQ(sink.log, std::vector<std::string>{"save"});
    EXPECT_EQ(data.nTextReads, 0);
}

namespace {

class CRowList : public ITaskListControl {
public:
    std::vector<TaskRow> rows;
    std::vector<int> GetSelectedRows() override { return {}; }
    size_t GetRowTask(int nRow) override { return rows.at(nRow).nTaskIndex; }
    void InsertRowAtTop(const TaskRow& row) override { rows.insert(rows.begin(), row); }
    void SetCellText(int, int, const std::string&) override {}
    void SetTypeCell(int, const std::string&, int) override {}
    int GetStateImage(int nRow) override { return rows.at(nRow).nState; }
    void SetStateImage(int, int) override {}
    void ReplaceAllRows(std::vector<TaskRow> r) override { rows = std::move(r); }
    void SortRows(int, bool) override {}
};

} // namespace

TEST(AppendBrowseTaskTest, ADroppedShortcutIsAMediumBrowseTaskWithItsRowOnTop)
{
    CFakeFileSystem fs;
    CFakePrompts prompts;
    CNetbellDoc doc(fs, prompts);
    CRowList list;
    CFixedClock clock;
    const std::string longName = "A shortcut whose file name runs well past forty characters";

    AppendBrowseTask(doc, list, clock, "First", "http://one.example/");
    AppendBrowseTask(doc, list, clock, longName, "http://two.example/");

    ASSERT_EQ(doc.m_arrTasks.size(), 2u);
    const CRemindTask& t = *doc.m_arrTasks[1];
    EXPECT_EQ(t.m_nKind, kindBrowse);
    EXPECT_EQ(t.m_nStatus, statusOpen);
    EXPECT_EQ(t.m_nPriority, priorityMedium);
    EXPECT_EQ(t.m_strName, longName);
    EXPECT_EQ(t.m_strUrl, "http://two.example/");
    EXPECT_EQ(t.m_strDescription, "");
    EXPECT_EQ(t.m_strProject, "");
    EXPECT_TRUE(t.m_dtAdded == clock.Now());

    ASSERT_EQ(list.rows.size(), 2u);
    EXPECT_EQ(list.rows[0].nTaskIndex, 1u);
    EXPECT_EQ(list.rows[1].nTaskIndex, 0u);
    EXPECT_EQ(list.rows[0].nState, kStateNotDone);
    EXPECT_EQ(list.rows[0].cells[colName], longName); // whole, not cut as a refill would
    EXPECT_EQ(list.rows[0].cells[colUrl], "http://two.example/");
    EXPECT_EQ(list.rows[0].cells[colPriority], t.GetPriorityName());
    EXPECT_EQ(list.rows[0].cells[colDateAdded], "09 Dec 2025");
    EXPECT_EQ(list.rows[0].cells[colDescription], "");
}
