// The project and search-engine list editors: the four commands with
// scripted dialogs, the checks on OK, the delete algorithms and the column
// headings.
#include "dialogs/list_editors.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/dialog_guard.h"
#include "model/netbell_doc.h"
#include "support/fakes.h"

namespace {

// Answers each dialog from a script and notes what it saw. The delete
// dialogs apply their selection the way the real ones do on Delete.
class CScriptedDialogs : public IListEditorDialogs {
public:
    explicit CScriptedDialogs(CFakeGuardEvent& event) : m_event(event) {}

    bool bOk = true;
    AddProjectData project;
    AddSearchEngineData engine;
    std::vector<size_t> selection;
    std::vector<std::string> runs;
    bool bGuardHeldWhileOpen = true;

    bool RunAddProject(AddProjectData& data) override
    {
        Opened("AddProject");
        if (bOk)
            data = project;
        return bOk;
    }
    bool RunAddSearchEngine(AddSearchEngineData& data) override
    {
        Opened("AddSearchEngine");
        if (bOk)
            data = engine;
        return bOk;
    }
    bool RunDeleteProjects(CNetbellDoc& doc) override
    {
        Opened("DeleteProjects");
        if (bOk)
            DeleteProjects(doc, selection);
        return bOk;
    }
    bool RunDeleteSearchEngines(CNetbellDoc& doc) override
    {
        Opened("DeleteSearchEngines");
        if (bOk)
            DeleteSearchEngines(doc, selection);
        return bOk;
    }

private:
    void Opened(const std::string& name)
    {
        runs.push_back(name);
        bGuardHeldWhileOpen = bGuardHeldWhileOpen && !m_event.bSignalled;
    }
    CFakeGuardEvent& m_event;
};

void AddEngine(CNetbellDoc& doc, const std::string& name, const std::string& url)
{
    auto item = std::make_unique<CWebSearchItem>();
    item->m_strName = name;
    item->m_strUrl = url;
    doc.m_arrSearchItems.push_back(std::move(item));
}

std::vector<std::string> EngineNames(const CNetbellDoc& doc)
{
    std::vector<std::string> names;
    for (const auto& item : doc.m_arrSearchItems)
        names.push_back(item->m_strName);
    return names;
}

class ListEditorCommandTest : public ::testing::Test {
protected:
    ListEditorCommandTest() : doc(fs, prompts), guard(event, prompts, nullptr), dialogs(event) {}

    // The save notes whether the guard was still held when it ran.
    std::function<void()> Save()
    {
        return [this] {
            ++nSaves;
            bGuardHeldAtSave = bGuardHeldAtSave && !event.bSignalled;
        };
    }

    CFakeFileSystem fs;
    CFakePrompts prompts;
    CNetbellDoc doc;
    CFakeGuardEvent event;
    CDialogGuard guard;
    CScriptedDialogs dialogs;
    int nSaves = 0;
    bool bGuardHeldAtSave = true;
};

} // namespace

TEST_F(ListEditorCommandTest, InsertProjectAppendsAndSavesOnlyOnOk)
{
    doc.m_arrProjects = {"Home", "Work"};
    dialogs.project.strName = "Home";
    InsertProject(guard, dialogs, doc, Save());
    EXPECT_EQ(doc.m_arrProjects, (std::vector<std::string>{"Home", "Work", "Home"})); // no duplicate check
    EXPECT_EQ(nSaves, 1);
    EXPECT_TRUE(bGuardHeldAtSave);
    EXPECT_TRUE(dialogs.bGuardHeldWhileOpen);
    EXPECT_TRUE(event.bSignalled);

    dialogs.bOk = false;
    InsertProject(guard, dialogs, doc, Save());
    EXPECT_EQ(doc.m_arrProjects.size(), 3u);
    EXPECT_EQ(nSaves, 1);
    EXPECT_TRUE(event.bSignalled);
}

TEST_F(ListEditorCommandTest, InsertSearchEngineAppendsOnOkAndSavesEitherWay)
{
    AddEngine(doc, "Old", "http://old/");
    dialogs.engine = {"Finder", "http://find.example/?q="};
    InsertSearchEngine(guard, dialogs, doc, Save());
    ASSERT_EQ(doc.m_arrSearchItems.size(), 2u);
    EXPECT_EQ(doc.m_arrSearchItems[1]->m_strName, "Finder");
    EXPECT_EQ(doc.m_arrSearchItems[1]->m_strUrl, "http://find.example/?q=");
    EXPECT_EQ(nSaves, 1);

    dialogs.bOk = false;
    InsertSearchEngine(guard, dialogs, doc, Save());
    EXPECT_EQ(doc.m_arrSearchItems.size(), 2u);
    EXPECT_EQ(nSaves, 2);
    EXPECT_TRUE(bGuardHeldAtSave);
    EXPECT_TRUE(dialogs.bGuardHeldWhileOpen);
    EXPECT_TRUE(event.bSignalled);
}

TEST_F(ListEditorCommandTest, TheEditCommandsSaveAfterDeleteAndAfterCancel)
{
    doc.m_arrProjects = {"A", "B"};
    AddEngine(doc, "X", "x");
    AddEngine(doc, "Y", "y");

    dialogs.selection = {0};
    EditProjectList(guard, dialogs, doc, Save());
    EditSearchEngineList(guard, dialogs, doc, Save());
    EXPECT_EQ(doc.m_arrProjects, std::vector<std::string>{"B"});
    EXPECT_EQ(EngineNames(doc), std::vector<std::string>{"Y"});
    EXPECT_EQ(nSaves, 2);

    dialogs.bOk = false;
    EditProjectList(guard, dialogs, doc, Save());
    EditSearchEngineList(guard, dialogs, doc, Save());
    EXPECT_EQ(doc.m_arrProjects, std::vector<std::string>{"B"});
    EXPECT_EQ(EngineNames(doc), std::vector<std::string>{"Y"});
    EXPECT_EQ(nSaves, 4);
    EXPECT_TRUE(bGuardHeldAtSave);
    EXPECT_TRUE(dialogs.bGuardHeldWhileOpen);
    EXPECT_TRUE(event.bSignalled);
    EXPECT_EQ(dialogs.runs,
              (std::vector<std::string>{"DeleteProjects", "DeleteSearchEngines", "DeleteProjects",
                                        "DeleteSearchEngines"}));
}

TEST_F(ListEditorCommandTest, WhileAnotherDialogIsOpenNothingHappens)
{
    event.bSignalled = false; // someone else holds the guard
    dialogs.project.strName = "P";
    dialogs.engine = {"N", "U"};
    InsertProject(guard, dialogs, doc, Save());
    InsertSearchEngine(guard, dialogs, doc, Save());
    EditProjectList(guard, dialogs, doc, Save());
    EditSearchEngineList(guard, dialogs, doc, Save());

    EXPECT_TRUE(dialogs.runs.empty());
    EXPECT_EQ(nSaves, 0);
    EXPECT_TRUE(doc.m_arrProjects.empty());
    EXPECT_TRUE(doc.m_arrSearchItems.empty());
    EXPECT_FALSE(event.bSignalled); // still the other dialog's
    ASSERT_EQ(prompts.shown.size(), 4u);
    EXPECT_EQ(prompts.shown[0].text, kMsgDialogActive);
}

TEST_F(ListEditorCommandTest, AFailingSaveStillReleasesTheGuard)
{
    dialogs.project.strName = "P";
    EXPECT_THROW(InsertProject(guard, dialogs, doc, [] { throw std::runtime_error("disk gone"); }),
                 std::runtime_error);
    EXPECT_TRUE(event.bSignalled);
}

TEST(ListEditorChecks, AddProjectNeedsAName)
{
    const auto message = ValidateAddProject(AddProjectData{""});
    ASSERT_TRUE(message);
    EXPECT_EQ(message->text, "Please enter a Project Name");
    EXPECT_EQ(message->caption, "Project name needed");
    EXPECT_EQ(message->icon, MsgIcon::exclamation);
    // Taken as typed: blanks are a name.
    EXPECT_FALSE(ValidateAddProject(AddProjectData{" "}));
    EXPECT_FALSE(ValidateAddProject(AddProjectData{"Work"}));
}

TEST(ListEditorChecks, AddSearchEngineNeedsANameFirstThenAUrl)
{
    auto message = ValidateAddSearchEngine(AddSearchEngineData{"", ""});
    ASSERT_TRUE(message);
    EXPECT_EQ(message->text, "Please fill in a Name for this WebSite");
    EXPECT_EQ(message->caption, "Data Entry Error");
    EXPECT_EQ(message->icon, MsgIcon::exclamation);

    message = ValidateAddSearchEngine(AddSearchEngineData{"", "http://x/"});
    ASSERT_TRUE(message);
    EXPECT_EQ(message->text, "Please fill in a Name for this WebSite");

    message = ValidateAddSearchEngine(AddSearchEngineData{"Finder", ""});
    ASSERT_TRUE(message);
    EXPECT_EQ(message->text, "Please fill in a URL for this WebSite");
    EXPECT_EQ(message->caption, "Data Entry Error");

    // The URL is not parsed.
    EXPECT_FALSE(ValidateAddSearchEngine(AddSearchEngineData{"Finder", "not a url"}));
}

class DeleteListTest : public ::testing::Test {
protected:
    DeleteListTest() : doc(fs, prompts) {}
    CFakeFileSystem fs;
    CFakePrompts prompts;
    CNetbellDoc doc;
};

TEST_F(DeleteListTest, ProjectsOpenInDocumentOrderWithTheirIndexes)
{
    doc.m_arrProjects = {"Zeta", "Alpha", "Zeta"};
    const auto rows = ProjectRows(doc);
    ASSERT_EQ(rows.size(), 3u);
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].strName, doc.m_arrProjects[i]);
        EXPECT_EQ(rows[i].nIndex, i);
    }
}

TEST_F(DeleteListTest, DeletingRemovesExactlyTheSelectedProjectsEvenAmongEqualNames)
{
    doc.m_arrProjects = {"Work", "Home", "Work", "Garden", "Work"};
    DeleteProjects(doc, {2, 3});
    EXPECT_EQ(doc.m_arrProjects, (std::vector<std::string>{"Work", "Home", "Work"}));

    DeleteProjects(doc, {});
    EXPECT_EQ(doc.m_arrProjects, (std::vector<std::string>{"Work", "Home", "Work"}));

    DeleteProjects(doc, {0, 1, 2});
    EXPECT_TRUE(doc.m_arrProjects.empty());
}

TEST_F(DeleteListTest, SearchEnginesOpenNewestFirst)
{
    AddEngine(doc, "First", "1");
    AddEngine(doc, "Second", "2");
    AddEngine(doc, "Third", "3");
    const auto rows = SearchEngineRows(doc);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].strName, "Third");
    EXPECT_EQ(rows[0].strUrl, "3");
    EXPECT_EQ(rows[0].nIndex, 2u);
    EXPECT_EQ(rows[2].strName, "First");
    EXPECT_EQ(rows[2].nIndex, 0u);
}

TEST_F(DeleteListTest, DeletingTheTopEngineRemovesTheLastEntry)
{
    AddEngine(doc, "First", "1");
    AddEngine(doc, "Second", "2");
    AddEngine(doc, "Third", "3");
    const CWebSearchItem* pFirst = doc.m_arrSearchItems[0].get();

    DeleteSearchEngines(doc, {SearchEngineRows(doc)[0].nIndex});
    EXPECT_EQ(EngineNames(doc), (std::vector<std::string>{"First", "Second"}));
    EXPECT_EQ(doc.m_arrSearchItems[0].get(), pFirst); // the rest are kept, not copied

    DeleteSearchEngines(doc, {});
    EXPECT_EQ(EngineNames(doc), (std::vector<std::string>{"First", "Second"}));

    AddEngine(doc, "Second", "again");
    DeleteSearchEngines(doc, {1});
    ASSERT_EQ(doc.m_arrSearchItems.size(), 2u);
    EXPECT_EQ(doc.m_arrSearchItems[1]->m_strUrl, "again");
}

TEST(ColumnHeadings, SplitAtEveryCommaKeepingTheSpaces)
{
    const std::string search = std::string("Site Name") + std::string(24, ' ') + "," + "Site Url" +
                               std::string(43, ' ');
    const auto columns = SplitColumnHeadings(search);
    ASSERT_EQ(columns.size(), 2u);
    EXPECT_EQ(columns[0].size(), 33u);
    EXPECT_EQ(columns[1].size(), 51u);
    EXPECT_EQ(columns[0].substr(0, 9), "Site Name");

    EXPECT_EQ(SplitColumnHeadings("Title   "), std::vector<std::string>{"Title   "});
    EXPECT_EQ(SplitColumnHeadings(" a ,, b"), (std::vector<std::string>{" a ", "", " b"}));
    EXPECT_EQ(SplitColumnHeadings("a,"), (std::vector<std::string>{"a", ""}));
}
