#include "dialogs/task_dialog_logic.h"

#include <gtest/gtest.h>

#include "dialogs/shortcuts.h"
#include "model/netbell_doc.h"
#include "support/fakes.h"

TEST(TaskDialogLogic, CaptionAndModeFollowTheKind)
{
    EXPECT_EQ(TaskDialogCaption(kindSearch), "Search Task");
    EXPECT_EQ(TaskDialogCaption(kindEMail), "E-Mail Task");
    TaskDialogData d;
    d.m_nKind = kindSearch;
    EXPECT_TRUE(IsSearchEngineMode(d));
    d.m_strUrl = kMixedValue;
    EXPECT_FALSE(IsSearchEngineMode(d));
    d.m_nKind = kindBrowse;
    d.m_strUrl.clear();
    EXPECT_FALSE(IsSearchEngineMode(d));
    EXPECT_TRUE(AcceptsShortcuts(kindNote));
    EXPECT_FALSE(AcceptsShortcuts(kindSearch));
}

TEST(TaskDialogLogic, ProjectBoxFindsIgnoringCaseOrAddsForThisRun)
{
    const std::vector<std::string> projects = {"Home", "Work", "Work"};
    ProjectChoices c = BuildProjectChoices(projects, "");
    EXPECT_EQ(c.items.size(), 3u);
    EXPECT_EQ(c.nSelect, -1);

    c = BuildProjectChoices(projects, "WORK");
    EXPECT_EQ(c.items.size(), 3u);
    EXPECT_EQ(c.items[c.nSelect].nIndex, 1);

    c = BuildProjectChoices(projects, "Gone");
    ASSERT_EQ(c.items.size(), 4u);
    EXPECT_EQ(c.items[c.nSelect].text, "Gone");
    EXPECT_EQ(c.items[c.nSelect].nIndex, -1);

    c = BuildProjectChoices(projects, kMixedValue);
    EXPECT_EQ(c.items[c.nSelect].text, kMixedValue);
}

TEST(TaskDialogLogic, SearchSiteIsTakenFromTheChosenEngineOrConfirmed)
{
    CFakeFileSystem fs;
    CFakePrompts prompts;
    CNetbellDoc doc(fs, prompts);
    for (const char* name : {"Zeta", "Alpha"}) {
        doc.m_arrSearchItems.push_back(std::make_unique<CWebSearchItem>());
        doc.m_arrSearchItems.back()->m_strName = name;
        doc.m_arrSearchItems.back()->m_strUrl = std::string("http://") + name + "/";
    }
    const std::vector<ChoiceItem> engines = BuildEngineChoices(doc);
    ASSERT_EQ(engines.size(), 2u);
    EXPECT_EQ(engines[1].text, "Alpha");
    EXPECT_EQ(engines[1].nIndex, 1);

    TaskDialogData d;
    d.m_nKind = kindSearch;
    EXPECT_TRUE(ConfirmSearchSite(d, doc, 1, prompts));
    EXPECT_EQ(d.m_strUrl, "http://Alpha/");
    EXPECT_TRUE(prompts.shown.empty());

    d.m_strUrl.clear();
    prompts.answers = {MsgResult::no, MsgResult::yes};
    EXPECT_FALSE(ConfirmSearchSite(d, doc, -1, prompts));
    EXPECT_TRUE(ConfirmSearchSite(d, doc, -1, prompts));
    EXPECT_EQ(d.m_strUrl, "");
    EXPECT_EQ(prompts.shown[0].text, "You have not selected a Search Site, Is that OK ?");
    EXPECT_EQ(prompts.shown[0].caption, "Warning");
    EXPECT_EQ(prompts.shown[0].icon, MsgIcon::question);
}

TEST(TaskDialogLogic, AShortcutKeepsATypedName)
{
    ShortcutResult r;
    r.outcome = ShortcutOutcome::Resolved;
    r.url = "http://example.com/";
    r.title = "Example";
    TaskDialogData d;
    ApplyShortcut(d, r);
    EXPECT_EQ(d.m_strName, "Example");
    d.m_strName = "Mine";
    d.m_strUrl = "old";
    ApplyShortcut(d, r);
    EXPECT_EQ(d.m_strName, "Mine");
    EXPECT_EQ(d.m_strUrl, "http://example.com/");
}
