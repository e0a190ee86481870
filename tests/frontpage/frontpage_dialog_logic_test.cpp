#include "frontpage/frontpage_dialog_logic.h"

#include <gtest/gtest.h>

#include "base/settings.h"
#include "frontpage/frontpage_fakes.h"

using namespace fptest;

namespace {

// The dialog's window as the logic sees it; what it is told goes into the
// world's calls.
class CFakeDialogView : public IFrontPageTaskDialogView {
public:
    explicit CFakeDialogView(FakeFrontPageWorld& world) : w(world) {}
    bool bWebDisabled = false;
    std::string title = "(template)";
    std::string url = "(template)";
    std::string linkedTo = "typed";
    // The Document List's answer.
    bool bListOk = true;
    std::string listTitle = "Home Page";
    std::string listUrl = "index.htm";
    IFrontPageExplorer* pListExplorer = nullptr;

    void DisableWebControls() override
    {
        bWebDisabled = true;
        w.calls.push_back("view disable");
    }
    void ShowWeb(const std::string& t, const std::string& u) override
    {
        title = t;
        url = u;
        w.calls.push_back("view web|" + t + "|" + u);
    }
    void SetLinkedTo(const std::string& text) override { linkedTo = text; }
    void FillProjects() override { w.calls.push_back("view projects"); }
    void BringToForeground() override { w.calls.push_back("view foreground"); }
    bool RunDocumentList(IFrontPageExplorer& explorer, std::string& t, std::string& u) override
    {
        pListExplorer = &explorer;
        t = listTitle;
        u = listUrl;
        return bListOk;
    }

private:
    FakeFrontPageWorld& w;
};

class DialogLogicTest : public ::testing::Test {
protected:
    FakeFrontPageWorld world;
    CFakeDrivers factory{world};
    CFakeSystem system{world};
    CRecordingPrompts prompts{world};
    CMemorySettingsStore settings;
    CFakeDialogView view{world};
    FrontPageTaskData data;

    FrontPageDialogPorts Ports(bool bPresent = true) { return {settings, prompts, factory, system, bPresent}; }
    void SetPolicy(int n) { settings.WriteProfileInt("Settings\\FrontPage", "Loading", n); }
};

} // namespace

TEST_F(DialogLogicTest, EditingAndDontLoadNeverReachFrontPage)
{
    data.m_bEditing = true;
    {
        CFrontPageTaskDialogLogic logic(data, Ports());
        logic.OnInitDialog(view);
    }
    EXPECT_EQ(world.calls, (std::vector<std::string>{"view disable", "view projects", "view foreground"}));
    EXPECT_TRUE(data.m_bNotConnected);

    world.calls.clear();
    FrontPageTaskData fresh;
    SetPolicy(fpDontLoad);
    CFrontPageTaskDialogLogic logic(fresh, Ports());
    logic.OnInitDialog(view);
    EXPECT_EQ(world.calls, (std::vector<std::string>{"view disable", "view projects", "view foreground"}));
    EXPECT_TRUE(fresh.m_bNotConnected);
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(DialogLogicTest, AlwaysAskAsksWithItsOwnQuestionWhenTheExplorerIsNotRunning)
{
    // The setting is absent: Always Ask.
    prompts.answers = {MsgResult::no};
    {
        CFrontPageTaskDialogLogic logic(data, Ports());
        logic.OnInitDialog(view);
    }
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "Do you want Netbell to load FrontPage Explorer ?");
    EXPECT_TRUE(data.m_bNotConnected);
    EXPECT_EQ(world.Count("create ToDoList"), 0);

    // The Explorer runs: no question, and the dialog works with FrontPage.
    system.bExplorerWindow = true;
    world.webTitle = "docs";
    world.webUrl = "http://srv/docs";
    FrontPageTaskData fresh;
    CFakeDialogView second(world);
    CFrontPageTaskDialogLogic logic(fresh, Ports());
    logic.OnInitDialog(second);
    EXPECT_EQ(prompts.shown.size(), 1u);
    EXPECT_FALSE(fresh.m_bNotConnected);
    EXPECT_FALSE(second.bWebDisabled);
    EXPECT_EQ(second.title, "docs");
    EXPECT_EQ(second.url, "http://srv/docs");
    EXPECT_EQ(world.nLiveDrivers, 2);
}

TEST_F(DialogLogicTest, NoOpenWebPromptsOnceThenShowsNotAssigned)
{
    SetPolicy(fpLoadOnDemand);
    {
        CFrontPageTaskDialogLogic logic(data, Ports());
        logic.OnInitDialog(view);
    }
    EXPECT_EQ(world.calls, (std::vector<std::string>{
                               "wait on", "create ToDoList", "create Explorer", "GetWebTitle", "GetWebUrl",
                               "ShowExplorer", "PromptForWeb", "GetWebTitle", "GetWebUrl",
                               "view web|(Not Assigned)|(Not Assigned)", "wait off", "view projects",
                               "view foreground"}));
    // The drivers go with the dialog.
    EXPECT_EQ(world.nLiveDrivers, 0);

    // The prompt opens a web.
    world.calls.clear();
    world.promptTitle = "docs";
    world.promptUrl = "http://srv/docs";
    CFrontPageTaskDialogLogic logic(data, Ports());
    logic.OnInitDialog(view);
    EXPECT_EQ(view.title, "docs");
    EXPECT_EQ(view.url, "http://srv/docs");
}

TEST_F(DialogLogicTest, AFailedCreationGoesOnAsNotConnected)
{
    SetPolicy(fpLoadOnDemand);
    factory.nExplorerStatus = 42;
    factory.texts[42] = "The server did not start.";
    CFrontPageTaskDialogLogic logic(data, Ports());
    logic.OnInitDialog(view);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].caption, "FrontPage Explorer Error");
    EXPECT_TRUE(data.m_bNotConnected);
    EXPECT_TRUE(view.bWebDisabled);
    EXPECT_EQ(world.nLiveDrivers, 0);
    EXPECT_EQ(system.nWaitDepth, 0);
    EXPECT_EQ(world.Count("view projects"), 1);

    // OK then makes a local task only.
    EXPECT_TRUE(logic.OnOK());
    EXPECT_EQ(world.Count("AddToDoTask"), 0);
    EXPECT_EQ(data.m_strCookie, "");
}

TEST_F(DialogLogicTest, ChangeWebEmptiesTheLinkButKeepsThePage)
{
    SetPolicy(fpLoadOnDemand);
    world.webTitle = "docs";
    world.webUrl = "http://srv/docs";
    CFrontPageTaskDialogLogic logic(data, Ports());
    logic.OnInitDialog(view);
    logic.OnBrowse(view);
    EXPECT_EQ(view.pListExplorer, logic.Drivers().explorer.get());
    EXPECT_EQ(view.linkedTo, "Home Page");
    EXPECT_EQ(data.m_strPageUrl, "index.htm");

    world.calls.clear();
    world.promptTitle = "shop";
    world.promptUrl = "http://srv/shop";
    logic.OnChangeWeb(view);
    EXPECT_EQ(world.calls, (std::vector<std::string>{"ShowExplorer", "PromptForWeb", "GetWebTitle", "GetWebUrl",
                                                     "view web|shop|http://srv/shop", "view foreground"}));
    EXPECT_EQ(view.linkedTo, "");
    EXPECT_EQ(data.m_strPageUrl, "index.htm");

    // A cancelled Document List changes nothing.
    view.bListOk = false;
    view.linkedTo = "mine";
    logic.OnBrowse(view);
    EXPECT_EQ(view.linkedTo, "mine");
    EXPECT_EQ(data.m_strPageUrl, "index.htm");
}

TEST_F(DialogLogicTest, OkAddsTheItemAndAFailureKeepsTheDialogWithANewCookieNextTime)
{
    SetPolicy(fpLoadOnDemand);
    world.webTitle = "docs";
    world.webUrl = "http://srv/docs";
    world.addAnswers = {false, true};
    CFrontPageTaskDialogLogic logic(data, Ports());
    logic.OnInitDialog(view);
    data.m_strName = "Fix links";
    data.m_nPriority = priorityLow;
    data.m_strDescription = "All of them";
    data.m_strAssignTo = "Kim";
    data.m_strLinkedTo = "";

    EXPECT_FALSE(logic.OnOK());
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text,
              "Sorry, failed to add task to FrontPage. Check that FrontPage has not been closed prematurely");
    EXPECT_EQ(prompts.shown[0].caption, "Server Connection Error");
    EXPECT_EQ(prompts.shown[0].icon, MsgIcon::exclamation);
    EXPECT_EQ(data.m_strLinkedTo, "Is not linked");

    EXPECT_TRUE(logic.OnOK());
    std::vector<std::string> adds;
    for (const std::string& c : world.calls) {
        if (c.rfind("AddToDoTask", 0) == 0)
            adds.push_back(c);
    }
    // Priority plus one, the creator, the page URL, the cookie, the
    // description; assign-to is not sent.
    EXPECT_EQ(adds, (std::vector<std::string>{
                        "AddToDoTask|Fix links|3|Netbell|Is not linked|NetbellCookie1|All of them",
                        "AddToDoTask|Fix links|3|Netbell|Is not linked|NetbellCookie2|All of them"}));
    EXPECT_EQ(data.m_strCookie, "NetbellCookie2");
}

TEST_F(DialogLogicTest, CookiesWrapAfter32000)
{
    settings.WriteProfileInt("Settings", "Last FP Cookie Number", 32000);
    data.m_strPageUrl = "a.htm";
    data.m_strLinkedTo = "A";
    CFakeToDoList toDo(world);
    EXPECT_TRUE(AddToFrontPage(data, &toDo, settings, prompts));
    EXPECT_EQ(data.m_strCookie, "NetbellCookie1");
    EXPECT_EQ(world.calls.back(), "AddToDoTask||0|Netbell|a.htm|NetbellCookie1|");
    EXPECT_EQ(data.m_strLinkedTo, "A");

    // Without FrontPage no number is drawn and nothing is sent.
    FrontPageTaskData local;
    local.m_bNotConnected = true;
    EXPECT_TRUE(AddToFrontPage(local, &toDo, settings, prompts));
    EXPECT_EQ(local.m_strCookie, "");
    EXPECT_EQ(local.m_strPageUrl, "Is not linked");
    EXPECT_EQ(local.m_strLinkedTo, "Is not linked");
    EXPECT_EQ(settings.GetProfileInt("Settings", "Last FP Cookie Number", 0), 1);
    EXPECT_EQ(world.Count("AddToDoTask"), 1);
}

TEST_F(DialogLogicTest, EditingOkTellsTheLimitationOnlyWhenFrontPageIsPresent)
{
    data.m_bEditing = true;
    CFrontPageTaskDialogLogic present(data, Ports(true));
    present.OnInitDialog(view);
    EXPECT_TRUE(present.OnOK());
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].caption, "Frontpage Limitation");
    EXPECT_EQ(prompts.shown[0].text,
              "The Associated Task in FrontPage has NOT been modified.Unfortunately, FrontPage only gives the "
              "ability to add a task and not to modify the details from another application.");
    EXPECT_EQ(prompts.shown[0].icon, MsgIcon::exclamation);

    CFrontPageTaskDialogLogic absent(data, Ports(false));
    EXPECT_TRUE(absent.OnOK());
    EXPECT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(world.Count("AddToDoTask"), 0);
    EXPECT_EQ(data.m_strCookie, "");
}

TEST(WebTitleOfTask, PlaceholdersForRootAndNoWeb)
{
    EXPECT_EQ(WebTitleOfTask("docs", "http://srv/docs"), "docs");
    EXPECT_EQ(WebTitleOfTask("", "http://srv"), "<Root Web>");
    EXPECT_EQ(WebTitleOfTask("", ""), "No Web Selected");
    EXPECT_EQ(WebTitleOfTask("docs", ""), "docs");
}
