// The program's FrontPage integration as the frame and the list use it,
// with the real dialogs and drivers and the stand-in as FrontPage: a task
// from creation to completion, and the commands on it.
#include "frontpage/win32/frontpage_integration.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "base/settings.h"
#include "frontpage/frontpage_fakes.h"
#include "frontpage/win32/dialog_script.h"
#include "frontpage/win32/standin_fixture.h"
#include "model/netbell_doc.h"
#include "res/frontpage_ids.h"

using namespace fptest;

namespace {

// Whether the calls hold these ones in this order, others between.
::testing::AssertionResult CallsInOrder(const std::vector<std::string>& calls, const std::vector<std::string>& wanted)
{
    auto it = calls.begin();
    for (const std::string& w : wanted) {
        it = std::find(it, calls.end(), w);
        if (it == calls.end()) {
            std::string all;
            for (const std::string& c : calls)
                all += "\n  " + c;
            return ::testing::AssertionFailure() << "missing or out of order: " << w << "\nin:" << all;
        }
        ++it;
    }
    return ::testing::AssertionSuccess();
}

class FrontPageIntegrationTest : public FrontPageStandInTest {
protected:
    void SetUp() override
    {
        FrontPageStandInTest::SetUp();
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&icc);
        m_hResources = LoadProgramResources();
        ASSERT_NE(m_hResources, nullptr);
        doc.SetPathName("C:\\data\\Default.nbl");
        fp = std::make_unique<CFrontPageIntegration>(FrontPageIntegrationPorts{
            settings, prompts, doc, guard, m_hResources, [] { return HWND(nullptr); }, list, clock});
    }
    void TearDown() override
    {
        fp.reset();
        if (m_hResources)
            FreeLibrary(m_hResources);
        FrontPageStandInTest::TearDown();
    }

    HMODULE m_hResources = nullptr;
    CMemorySettingsStore settings;
    CFakePrompts prompts;
    CFakeFileSystem fs;
    CNetbellDoc doc{fs, prompts};
    CFakeGuardEvent event;
    CDialogGuard guard{event, prompts, nullptr};
    CFakeTaskList list;
    CFixedClock clock;
    std::unique_ptr<CFrontPageIntegration> fp;
};

} // namespace

TEST_F(FrontPageIntegrationTest, ATaskFromCreationToCompletion)
{
    WriteState("web.title=docs\nweb.url=http://srv/docs\npagelist=Home Page\\nindex.htm\\nNews\\nnews.htm\\n\n");
    WriteSetting(settings, setting::FrontPageLoading, 0);
    fp->RefreshLoadingPolicy();
    ASSERT_TRUE(fp->Detect());
    EXPECT_TRUE(fp->IsCommandEnabled(32776));
    EXPECT_FALSE(fp->IsCommandEnabled(32786));
    {
        CDialogScript script;
        script.Then("FrontPage Task", [](HWND h) {
            CDialogScript::SetText(h, IDC_FPT_NAME, "Fix links");
            CDialogScript::SetText(h, IDC_FPT_DESCRIPTION, "All of them");
            CDialogScript::Click(h, IDC_FPT_BROWSE);
        });
        script.Then("Document List", [](HWND h) {
            HWND hList = GetDlgItem(h, IDC_DOCLIST_LIST);
            ASSERT_EQ(CDialogScript::RowText(hList, 1, 0), "Home Page");
            CDialogScript::SelectRow(hList, 1);
            CDialogScript::Click(h, IDOK);
        });
        script.Then("FrontPage Task", [](HWND h) { CDialogScript::Click(h, IDOK); });
        EXPECT_TRUE(fp->OnCommand(32776));
        EXPECT_TRUE(script.Finished()) << "waited in vain for " << script.TimedOut();
    }
    ASSERT_EQ(doc.m_arrTasks.size(), 1u);
    CRemindTask& task = *doc.m_arrTasks[0];
    EXPECT_EQ(task.m_nKind, kindFrontPage);
    EXPECT_EQ(task.m_strWebName, "docs");
    EXPECT_EQ(task.m_strWebUrl, "http://srv/docs");
    EXPECT_EQ(task.m_strLinkedTo, "Home Page");
    EXPECT_EQ(task.m_strPageUrl, "index.htm");
    EXPECT_EQ(task.m_strCookie, "NetbellCookie1");
    EXPECT_EQ(task.m_strUrl, "docs (Home Page)");
    EXPECT_EQ(fs.files.count("C:\\data\\Default.nbl"), 1u);
    ASSERT_EQ(list.rows.size(), 1u);
    EXPECT_NE(ReadState().find("todo=0|Fix links|2|Netbell|index.htm|NetbellCookie1|All of them\n"),
              std::string::npos)
        << ReadState();
    ASSERT_TRUE(WaitForStandInToEnd());

    // Ticked: the item is completed in the To-Do List.
    list.selected = {0};
    EXPECT_TRUE(fp->IsCommandEnabled(32786));
    EXPECT_TRUE(fp->CompleteInFrontPage(task));
    EXPECT_NE(ReadState().find("todo=1|Fix links|"), std::string::npos) << ReadState();
    ASSERT_TRUE(WaitForStandInToEnd());

    // Another web is open: the task's web is opened and waited for first.
    WriteState("web.title=shop\nweb.url=http://srv/shop\nweb=docs|http://srv/docs|1\n");
    EXPECT_TRUE(fp->OnCommand(32786));
    ASSERT_TRUE(WaitForStandInToEnd());
    EXPECT_TRUE(CallsInOrder(Calls(), {
                                          "Explorer.GetWebTitle#11() = BSTR \"shop\"",
                                          "Explorer.OpenWeb#21(BSTR \"http://srv\", BSTR \"docs\", BSTR \"\") = BOOL true",
                                          "Explorer.GetWebTitle#11() = BSTR \"shop\"",
                                          "Explorer.GetWebTitle#11() = BSTR \"docs\"",
                                          "Explorer.GetWebUrl#12() = BSTR \"http://srv/docs\"",
                                          "ToDoList.ShowList#1() = none",
                                      }));

    // The Editor opens the linked page of the web now open.
    EXPECT_TRUE(fp->OnCommand(32787));
    ASSERT_TRUE(WaitForStandInToEnd());
    EXPECT_TRUE(CallsInOrder(Calls(), {"Explorer.EditPage#22(BSTR \"index.htm\") = I4 1", "Explorer released"}));
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(FrontPageIntegrationTest, PolicyToggleButtonAndPane)
{
    ASSERT_TRUE(fp->Detect());
    EXPECT_EQ(fp->StatusPaneText(), "FP Always Ask");
    EXPECT_EQ(fp->ToggleButtonState(), TBSTATE_ENABLED | TBSTATE_INDETERMINATE);
    EXPECT_TRUE(fp->OnCommand(32791));
    EXPECT_EQ(fp->LoadingPolicy(), 2);
    EXPECT_EQ(fp->ToggleButtonState(), TBSTATE_ENABLED | TBSTATE_CHECKED);
    EXPECT_EQ(fp->StatusPaneText(), "FP Don't Load");
    EXPECT_FALSE(fp->IsCommandEnabled(32789));
    fp->OnCommand(32791);
    EXPECT_EQ(fp->ToggleButtonState(), TBSTATE_ENABLED);
    EXPECT_EQ(ReadSetting(settings, setting::FrontPageLoading), 0);
    // Launch Explorer: the stand-in's window comes up.
    EXPECT_TRUE(fp->OnCommand(32789));
    EXPECT_TRUE(CallsInOrder(Calls(), {"Explorer created", "Explorer.ShowExplorer#9() = none", "Explorer released"}));
}
