// The FrontPage drivers against the stand-in, across the process boundary:
// every dispatch id with its arguments' types and order as the stand-in
// logged them, the answers as the drivers returned them.
#include "frontpage/win32/frontpage_drivers.h"

#include <gtest/gtest.h>

#include "frontpage/win32/standin_fixture.h"

namespace {

using FrontPageDriverTest = FrontPageStandInTest;

// The stand-in keeps its state and log in the code page (Windows-1252 in the
// test prefix); the drivers speak UTF-8 with the program and UTF-16 with it.
constexpr const char* kState =
    "web.title=docs\n"
    "web.url=http://srv/docs\n"
    "web=shop|http://srv/shop|1\n"
    "pagelist=Home Page\\nindex.htm\\nCaf\xE9\\nmenu.htm\\n\n"
    "editpage=7\n";

} // namespace

TEST_F(FrontPageDriverTest, EveryDispatchIdWithItsArgumentsInOrder)
{
    WriteState(kState);
    CWin32FrontPageDrivers factory;
    std::unique_ptr<IFrontPageToDoList> toDo;
    std::unique_ptr<IFrontPageExplorer> explorer;
    ASSERT_EQ(factory.CreateToDoList(toDo), 0);
    ASSERT_EQ(factory.CreateExplorer(explorer), 0);
    ASSERT_TRUE(toDo && explorer);

    toDo->ShowList();
    EXPECT_TRUE(
        toDo->AddToDoTask("Fix \"links\"", 3, "Netbell", "index.htm", "NetbellCookie1", "Line 1\nCaf\xC3\xA9 2"));
    EXPECT_TRUE(toDo->MarkToDoComplete("index.htm", "NetbellCookie1"));
    EXPECT_FALSE(toDo->MarkToDoComplete("index.htm", "NetbellCookie1"));
    explorer->ShowExplorer();
    EXPECT_EQ(explorer->GetWebTitle(), "docs");
    EXPECT_EQ(explorer->GetWebUrl(), "http://srv/docs");
    explorer->PromptForWeb();
    EXPECT_EQ(explorer->GetPageList(0), "Home Page\nindex.htm\nCaf\xC3\xA9\nmenu.htm\n");
    EXPECT_TRUE(explorer->OpenWeb("http://srv", "shop", ""));
    EXPECT_FALSE(explorer->OpenWeb("http://srv", "nowhere", ""));
    EXPECT_EQ(explorer->EditPage("menu.htm"), 7);
    toDo.reset();
    explorer.reset();
    ASSERT_TRUE(WaitForStandInToEnd());

    EXPECT_EQ(Calls(), (std::vector<std::string>{
                           "ToDoList created",
                           "Explorer created",
                           "ToDoList.ShowList#1() = none",
                           "ToDoList.AddToDoTask#3(BSTR \"Fix \\\"links\\\"\", I2 3, BSTR \"Netbell\", BSTR "
                           "\"index.htm\", BSTR \"NetbellCookie1\", BSTR \"Line 1\\nCaf\xE9 2\") = BOOL true",
                           "ToDoList.MarkToDoComplete#6(BSTR \"index.htm\", BSTR \"NetbellCookie1\") = BOOL true",
                           "ToDoList.MarkToDoComplete#6(BSTR \"index.htm\", BSTR \"NetbellCookie1\") = BOOL false",
                           "Explorer.ShowExplorer#9() = none",
                           "Explorer.GetWebTitle#11() = BSTR \"docs\"",
                           "Explorer.GetWebUrl#12() = BSTR \"http://srv/docs\"",
                           "Explorer.PromptForWeb#13() = none",
                           "Explorer.GetPageList#18(I4 0) = BSTR \"Home Page\\nindex.htm\\nCaf\xE9\\nmenu.htm\\n\"",
                           "Explorer.OpenWeb#21(BSTR \"http://srv\", BSTR \"shop\", BSTR \"\") = BOOL true",
                           "Explorer.OpenWeb#21(BSTR \"http://srv\", BSTR \"nowhere\", BSTR \"\") = BOOL false",
                           "Explorer.EditPage#22(BSTR \"menu.htm\") = I4 7",
                           "ToDoList released",
                           "Explorer released",
                       }));
    // The item landed in the To-Do List, and is complete.
    EXPECT_NE(ReadState().find("todo=1|Fix \"links\"|3|Netbell|index.htm|NetbellCookie1|Line 1\\nCaf\xE9 2\n"),
              std::string::npos)
        << ReadState();
}

TEST_F(FrontPageDriverTest, FailedCreationsGiveTheStatusAndItsSystemText)
{
    CWin32FrontPageDrivers factory;
    std::unique_ptr<IFrontPageExplorer> explorer;
    WriteState("fail.Explorer=0x80070005\n");
    EXPECT_EQ(factory.CreateExplorer(explorer), static_cast<int32_t>(E_ACCESSDENIED));
    EXPECT_FALSE(explorer);
    ASSERT_TRUE(WaitForStandInToEnd());
    EXPECT_EQ(Calls(), (std::vector<std::string>{"Explorer creation failed 0x80070005"}));

    // A ProgID nobody registered.
    CFrontPageExplorer unknown;
    EXPECT_EQ(unknown.CreateDispatch("FrontPage.Nothing.9"), CO_E_CLASSSTRING);
    EXPECT_FALSE(unknown.IsCreated());
    // A call on a driver without an object answers nothing.
    EXPECT_EQ(unknown.GetWebTitle(), "");
    EXPECT_FALSE(unknown.OpenWeb("a", "b", ""));

    // The system's text, without its line break; a number where the
    // system has no text (Wine has none for CO_E_CLASSSTRING).
    char system[256] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, E_ACCESSDENIED, 0, system,
                   sizeof system, nullptr);
    const std::string denied = factory.StatusText(static_cast<int32_t>(E_ACCESSDENIED));
    ASSERT_FALSE(denied.empty());
    EXPECT_EQ(std::string(system).find(denied), 0u);
    EXPECT_NE(denied.back(), '\n');
    const std::string classString = factory.StatusText(static_cast<int32_t>(CO_E_CLASSSTRING));
    EXPECT_TRUE(classString == "Invalid class string" || classString == "Error 0x800401F3") << classString;
}

TEST_F(FrontPageDriverTest, TheExplorerWindowExistsWhileTheServerRuns)
{
    CWin32FrontPageSystem system;
    EXPECT_FALSE(system.ExplorerWindowExists());
    {
        CFrontPageExplorer explorer;
        ASSERT_EQ(explorer.Create(), S_OK);
        EXPECT_TRUE(system.ExplorerWindowExists());
    }
    EXPECT_TRUE(WaitForStandInToEnd());
    EXPECT_FALSE(system.ExplorerWindowExists());
}

TEST_F(FrontPageDriverTest, AWebOpensAfterItsReadsAndInjectedFalseAnswersAreUsedUp)
{
    WriteState("web.title=docs\nweb.url=http://srv/docs\nweb=shop|http://srv/shop|2\nweb=|http://root|0\n"
               "false.OpenWeb=1\nfalse.AddToDoTask=1\n");
    CFrontPageExplorer explorer;
    CFrontPageToDoList toDo;
    ASSERT_EQ(explorer.Create(), S_OK);
    ASSERT_EQ(toDo.Create(), S_OK);
    EXPECT_FALSE(explorer.OpenWeb("http://srv", "shop", ""));
    EXPECT_TRUE(explorer.OpenWeb("http://srv", "shop", ""));
    EXPECT_EQ(explorer.GetWebTitle(), "docs");
    EXPECT_EQ(explorer.GetWebTitle(), "docs");
    EXPECT_EQ(explorer.GetWebTitle(), "shop");
    EXPECT_EQ(explorer.GetWebUrl(), "http://srv/shop");
    // The root web: the server is the whole URL, the name empty.
    EXPECT_TRUE(explorer.OpenWeb("http://root", "", ""));
    EXPECT_EQ(explorer.GetWebTitle(), "");
    EXPECT_EQ(explorer.GetWebUrl(), "http://root");

    EXPECT_FALSE(toDo.AddToDoTask("a", 1, "Netbell", "x.htm", "c1", ""));
    EXPECT_TRUE(toDo.AddToDoTask("a", 1, "Netbell", "x.htm", "c2", ""));
    EXPECT_NE(ReadState().find("todo=0|a|1|Netbell|x.htm|c2|\n"), std::string::npos) << ReadState();
    EXPECT_EQ(ReadState().find("|c1|"), std::string::npos);
}
