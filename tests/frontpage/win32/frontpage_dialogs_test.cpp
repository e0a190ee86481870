// The FrontPage Task dialog and the Document List as windows, with their
// templates from netbell.exe beside this program and FrontPage played by the
// stand-in; a script acts as the user inside the dialogs' own loops.
#include "frontpage/win32/frontpage_task_dialog.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include "base/settings.h"
#include "frontpage/win32/dialog_script.h"
#include "frontpage/win32/document_list_dialog.h"
#include "frontpage/win32/frontpage_drivers.h"
#include "frontpage/win32/standin_fixture.h"
#include "res/frontpage_ids.h"
#include "support/fakes.h"

namespace {

constexpr const char* kWebState =
    "web.title=docs\n"
    "web.url=http://srv/docs\n"
    "pagelist=Home Page\\nindex.htm\\nAbout Us\\nabout.htm\\nNews\\nnews.htm\\n\n";

class FrontPageDialogTest : public FrontPageStandInTest {
protected:
    void SetUp() override
    {
        FrontPageStandInTest::SetUp();
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&icc);
        m_hResources = LoadProgramResources();
        ASSERT_NE(m_hResources, nullptr) << "the templates come from netbell.exe beside this program";
    }
    void TearDown() override
    {
        if (m_hResources)
            FreeLibrary(m_hResources);
        FrontPageStandInTest::TearDown();
    }
    FrontPageDialogPorts Ports() { return {settings, prompts, drivers, system, true}; }

    HMODULE m_hResources = nullptr;
    CMemorySettingsStore settings;
    CFakePrompts prompts;
    CWin32FrontPageDrivers drivers;
    CWin32FrontPageSystem system;
    std::vector<std::string> projects{"Site", "Intranet"};
};

} // namespace

TEST_F(FrontPageDialogTest, NewTaskTakesItsWebAndAPageAndLandsInTheToDoList)
{
    WriteState(kWebState);
    WriteSetting(settings, setting::FrontPageLoading, 0);
    FrontPageTaskData data;
    data.m_nPriority = 1;
    data.m_strProject = "Intranet";
    bool bOk = false;
    {
        CFrontPageTaskDialog dialog(m_hResources, data, Ports(), projects);
        CDialogScript script;
        script.Then("FrontPage Task", [](HWND h) {
            EXPECT_EQ(CDialogScript::Text(h, IDC_FPT_WEB_TITLE), "docs");
            EXPECT_EQ(CDialogScript::Text(h, IDC_FPT_WEB_URL), "http://srv/docs");
            EXPECT_EQ(CDialogScript::Text(h, IDC_FPT_PROJECT), "Intranet");
            EXPECT_TRUE(CDialogScript::IsEnabled(h, IDC_FPT_BROWSE));
            EXPECT_EQ(IsDlgButtonChecked(h, IDC_FPT_MEDIUM), BST_CHECKED);
            CDialogScript::SetText(h, IDC_FPT_NAME, "Fix links");
            CDialogScript::SetText(h, IDC_FPT_DESCRIPTION, "All of them");
            CDialogScript::CheckRadio(h, IDC_FPT_HIGH);
            CDialogScript::Click(h, IDC_FPT_BROWSE);
        });
        script.Then("Document List", [](HWND h) {
            HWND hList = GetDlgItem(h, IDC_DOCLIST_LIST);
            // FrontPage's order, reversed.
            ASSERT_EQ(CDialogScript::RowCount(hList), 3);
            EXPECT_EQ(CDialogScript::RowText(hList, 0, 0), "News");
            EXPECT_EQ(CDialogScript::RowText(hList, 0, 1), "news.htm");
            EXPECT_EQ(CDialogScript::RowText(hList, 2, 0), "Home Page");
            CDialogScript::SelectRow(hList, 2);
            CDialogScript::Click(h, IDOK);
        });
        script.Then("FrontPage Task", [](HWND h) {
            EXPECT_EQ(CDialogScript::Text(h, IDC_FPT_LINKED_TO), "Home Page");
            CDialogScript::Click(h, IDOK);
        });
        bOk = dialog.Run(nullptr);
        EXPECT_TRUE(script.Finished()) << "waited in vain for " << script.TimedOut();
    }
    ASSERT_TRUE(bOk);
    EXPECT_EQ(data.m_strName, "Fix links");
    EXPECT_EQ(data.m_nPriority, 0);
    EXPECT_EQ(data.m_strProject, "Intranet");
    EXPECT_EQ(data.m_strWebTitle, "docs");
    EXPECT_EQ(data.m_strWebUrl, "http://srv/docs");
    EXPECT_EQ(data.m_strLinkedTo, "Home Page");
    EXPECT_EQ(data.m_strPageUrl, "index.htm");
    EXPECT_EQ(data.m_strCookie, "NetbellCookie1");
    EXPECT_FALSE(data.m_bNotConnected);
    EXPECT_TRUE(prompts.shown.empty());
    ASSERT_TRUE(WaitForStandInToEnd());
    EXPECT_EQ(Calls(), (std::vector<std::string>{
                           "ToDoList created", "Explorer created", "Explorer.GetWebTitle#11() = BSTR \"docs\"",
                           "Explorer.GetWebUrl#12() = BSTR \"http://srv/docs\"",
                           "Explorer.GetPageList#18(I4 0) = BSTR "
                           "\"Home Page\\nindex.htm\\nAbout Us\\nabout.htm\\nNews\\nnews.htm\\n\"",
                           "ToDoList.AddToDoTask#3(BSTR \"Fix links\", I2 1, BSTR \"Netbell\", BSTR \"index.htm\", "
                           "BSTR \"NetbellCookie1\", BSTR \"All of them\") = BOOL true",
                           "Explorer released", "ToDoList released"}));
}

TEST_F(FrontPageDialogTest, DontLoadRunsWithoutFrontPage)
{
    WriteState(kWebState);
    WriteSetting(settings, setting::FrontPageLoading, 2);
    FrontPageTaskData data;
    CFrontPageTaskDialog dialog(m_hResources, data, Ports(), projects);
    CDialogScript script;
    script.Then("FrontPage Task", [](HWND h) {
        EXPECT_EQ(CDialogScript::Text(h, IDC_FPT_WEB_TITLE), "");
        EXPECT_EQ(CDialogScript::Text(h, IDC_FPT_WEB_URL), "");
        for (int nId : {IDC_FPT_CHANGE_WEB, IDC_FPT_LINKED_TO, IDC_FPT_BROWSE})
            EXPECT_FALSE(CDialogScript::IsEnabled(h, nId)) << nId;
        EXPECT_EQ(IsDlgButtonChecked(h, IDC_FPT_HIGH) | IsDlgButtonChecked(h, IDC_FPT_MEDIUM) |
                      IsDlgButtonChecked(h, IDC_FPT_LOW),
                  BST_UNCHECKED);
        CDialogScript::Click(h, IDOK);
    });
    ASSERT_TRUE(dialog.Run(nullptr));
    EXPECT_TRUE(script.Finished()) << "waited in vain for " << script.TimedOut();
    EXPECT_TRUE(data.m_bNotConnected);
    EXPECT_EQ(data.m_strCookie, "");
    EXPECT_EQ(data.m_strPageUrl, "Is not linked");
    EXPECT_EQ(data.m_strLinkedTo, "Is not linked");
    EXPECT_EQ(data.m_nPriority, -1);
    EXPECT_TRUE(LogLines().empty());
}

TEST_F(FrontPageDialogTest, DocumentListSortsRefreshesAndTakesADoubleClickedRow)
{
    WriteState(kWebState);
    CFrontPageExplorer explorer;
    ASSERT_EQ(explorer.Create(), S_OK);
    CDocumentListDialog dialog(m_hResources, &explorer, system, prompts);
    CDialogScript script;
    script.Then("Document List", [this](HWND h) {
        HWND hList = GetDlgItem(h, IDC_DOCLIST_LIST);
        HWND hHeader = reinterpret_cast<HWND>(SendMessageA(hList, LVM_GETHEADER, 0, 0));
        EXPECT_EQ(SendMessageA(hHeader, HDM_GETITEMCOUNT, 0, 0), 2);
        EXPECT_EQ(CDialogScript::RowText(hList, 0, 0), "News");
        // OK without a row: the message, and the list stays.
        SendMessageA(h, WM_COMMAND, IDOK, 0);
        ASSERT_EQ(prompts.shown.size(), 1u);
        EXPECT_EQ(prompts.shown[0].caption, "Data Entry Error");
        // The first click on a title sorts descending, the next ascending.
        NMLISTVIEW click = {};
        click.hdr.hwndFrom = hList;
        click.hdr.idFrom = IDC_DOCLIST_LIST;
        click.hdr.code = LVN_COLUMNCLICK;
        click.iSubItem = 1;
        SendMessageA(h, WM_NOTIFY, IDC_DOCLIST_LIST, reinterpret_cast<LPARAM>(&click));
        EXPECT_EQ(CDialogScript::RowText(hList, 0, 1), "news.htm");
        EXPECT_EQ(CDialogScript::RowText(hList, 2, 1), "about.htm");
        click.iSubItem = 0;
        SendMessageA(h, WM_NOTIFY, IDC_DOCLIST_LIST, reinterpret_cast<LPARAM>(&click));
        EXPECT_EQ(CDialogScript::RowText(hList, 0, 0), "About Us");
        EXPECT_EQ(CDialogScript::RowText(hList, 2, 0), "News");
        // Refresh reads the pages again.
        WriteState("pagelist=Contact\\ncontact.htm\\n\n");
        SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDC_DOCLIST_REFRESH, BN_CLICKED), 0);
        ASSERT_EQ(CDialogScript::RowCount(hList), 1);
        // A double click on the row's label takes it at once.
        RECT rc = {};
        rc.left = LVIR_LABEL;
        SendMessageA(hList, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rc));
        NMITEMACTIVATE dbl = {};
        dbl.hdr.hwndFrom = hList;
        dbl.hdr.idFrom = IDC_DOCLIST_LIST;
        dbl.hdr.code = NM_DBLCLK;
        dbl.iItem = 0;
        dbl.ptAction.x = (rc.left + rc.right) / 2;
        dbl.ptAction.y = (rc.top + rc.bottom) / 2;
        SendMessageA(h, WM_NOTIFY, IDC_DOCLIST_LIST, reinterpret_cast<LPARAM>(&dbl));
    });
    ASSERT_TRUE(dialog.Run(nullptr));
    EXPECT_TRUE(script.Finished()) << "waited in vain for " << script.TimedOut();
    EXPECT_EQ(dialog.m_strSelTitle, "Contact");
    EXPECT_EQ(dialog.m_strSelUrl, "contact.htm");
}
