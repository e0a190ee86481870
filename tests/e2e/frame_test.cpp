// The main window and the icon: showing and hiding, the tray menu, the menu
// bar, the About box and the refused Exit, the Sponsors dialog.
#include <gtest/gtest.h>

#include <algorithm>

#include "driver.h"
#include "netbell_case.h"

namespace e2e {
namespace {

using namespace netbell;

constexpr const char* kCannotExit =
    "There is an Netbell Dialog active on your Desktop, please close it down before exiting the application";

class MainWindow : public NetbellCase {
protected:
    // A returning user's program, running hidden with its icon.
    HWND StartHidden(CProcess*& proc)
    {
        PresetReturningUser();
        proc = &Start();
        HWND frame = WaitForFrame(*proc);
        if (!frame) {
            ADD_FAILURE() << "no main frame; " << Describe(*proc);
            return nullptr;
        }
        EXPECT_TRUE(WaitUntil([&] { return TrayIconCount() == m_nTrayBase + 1; })) << TrayIconCount();
        return frame;
    }

    // Sends a tray event and reports whether the window is visible after it.
    static bool VisibleAfter(HWND frame, WPARAM id, LPARAM mouse)
    {
        Send(frame, kTrayNotify, id, mouse);
        return IsVisible(frame);
    }
};

TEST_F(MainWindow, StartsHiddenWithItsCaptionListToolbarAndStatusBar)
{
    CProcess* p = nullptr;
    HWND frame = StartHidden(p);
    ASSERT_TRUE(frame);
    EXPECT_FALSE(IsVisible(frame));
    EXPECT_EQ(kCaption, WindowText(frame));
    EXPECT_TRUE(FindChild(frame, kListClass));
    EXPECT_TRUE(FindChild(frame, "ToolbarWindow32"));
    EXPECT_TRUE(FindChild(frame, "msctls_statusbar32"));
    EXPECT_TRUE(OpenDialogs(p->Id()).empty()) << Describe(*p);
}

TEST_F(MainWindow, OnlyADoubleClickOnItsOwnIconShowsTheWindow)
{
    CProcess* p = nullptr;
    HWND frame = StartHidden(p);
    ASSERT_TRUE(frame);
    EXPECT_FALSE(VisibleAfter(frame, kTrayIconId, WM_LBUTTONUP)) << "a single click does nothing";
    EXPECT_FALSE(VisibleAfter(frame, kTrayIconId, WM_RBUTTONDOWN)) << "only the release opens the menu";
    EXPECT_FALSE(FindTopWindow(p->Id(), "#32768"));
    EXPECT_FALSE(VisibleAfter(frame, kTrayIconId + 1, WM_LBUTTONDBLCLK)) << "another icon's event";
    EXPECT_TRUE(VisibleAfter(frame, kTrayIconId, WM_LBUTTONDBLCLK));
    EXPECT_TRUE(VisibleAfter(frame, kTrayIconId, WM_LBUTTONDBLCLK)) << "a second double click does not toggle";
}

TEST_F(MainWindow, ClosingTheWindowOnlyHidesIt)
{
    CProcess* p = nullptr;
    HWND frame = StartHidden(p);
    ASSERT_TRUE(frame);
    // The close box, Alt+F4 and the system menu all arrive as these two.
    const std::pair<UINT, WPARAM> closes[] = {{WM_CLOSE, 0}, {WM_SYSCOMMAND, SC_CLOSE}};
    for (const auto& close : closes) {
        SCOPED_TRACE(close.first);
        ASSERT_TRUE(ShowByTray(frame));
        ASSERT_TRUE(Post(frame, close.first, close.second, 0));
        EXPECT_TRUE(WaitUntil([&] { return !IsVisible(frame); }, 5000));
        EXPECT_TRUE(IsWindow(frame));
        EXPECT_TRUE(p->IsRunning());
        EXPECT_EQ(m_nTrayBase + 1, TrayIconCount());
        EXPECT_TRUE(NoDialogFor(*p, 500)) << Describe(*p);
    }
    // The Task List command shows it again, like the icon.
    ASSERT_TRUE(Send(frame, WM_COMMAND, kCmdTaskList, 0));
    EXPECT_TRUE(WaitUntil([&] { return IsVisible(frame); }, 5000));
}

// Real keys: Alt+F4 hides the task list, and still does after a look at
// the system menu, whose Close is the system's to enable.
TEST_F(MainWindow, AltF4HidesTheListAlsoAfterALookAtTheSystemMenu)
{
    CProcess* p = nullptr;
    HWND frame = StartHidden(p);
    ASSERT_TRUE(frame);
    ASSERT_TRUE(ShowByTray(frame));
    ASSERT_TRUE(TypeKeys("alt+F4")) << "xdotool types through the X server";
    EXPECT_TRUE(WaitUntil([&] { return !IsVisible(frame); }, 5000));

    ASSERT_TRUE(ShowByTray(frame));
    ASSERT_TRUE(TypeKeys("alt+space"));
    HWND popup = WaitForVisibleWindow(*p, "#32768");
    ASSERT_TRUE(popup) << Describe(*p);
    const auto items = ReadPopupMenu(p->Handle(), popup);
    ASSERT_TRUE(items);
    const auto close = std::find_if(items->begin(), items->end(), [](const CMenuItem& i) { return i.id == SC_CLOSE; });
    ASSERT_NE(close, items->end());
    EXPECT_FALSE(close->grayed);
    ASSERT_TRUE(TypeKeys("Escape"));
    EXPECT_TRUE(WaitUntil([&] { return !IsVisible(popup); }, 5000));
    ASSERT_TRUE(TypeKeys("alt+F4"));
    EXPECT_TRUE(WaitUntil([&] { return !IsVisible(frame); }, 5000));
    EXPECT_TRUE(p->IsRunning());
}

RECT ScreenRect(HWND hwnd)
{
    RECT rc = {};
    GetWindowRect(hwnd, &rc);
    return rc;
}

// The tool bar where the last start left it, at each edge and floating,
// then moved with the mouse through the X server as a person drags it.
TEST_F(MainWindow, TheToolBarDocksAtEachEdgeFloatsAndStaysWhereItWasLeft)
{
    const char* kBarState = "Software\\Corvane\\Netbell\\BarState";
    const char* kNames[] = {"top", "bottom", "left", "right", "floating"};
    HWND frame = nullptr;
    for (DWORD side = 0; side <= 4; ++side) {
        SCOPED_TRACE(kNames[side]);
        ASSERT_TRUE(RegWriteDword(HKEY_CURRENT_USER, kBarState, "Side", side));
        CProcess* p = nullptr;
        frame = StartHidden(p);
        ASSERT_TRUE(frame);
        ASSERT_TRUE(ShowByTray(frame));
        HWND host = side == 4 ? WaitForVisibleWindow(*p, "NetbellBarHost") : frame;
        HWND bar = host ? FindChild(host, "ToolbarWindow32") : nullptr;
        HWND list = FindChild(frame, kListClass);
        HWND status = FindChild(frame, "msctls_statusbar32");
        ASSERT_TRUE(bar && list && status) << Describe(*p);
        const RECT b = ScreenRect(bar), l = ScreenRect(list), st = ScreenRect(status);
        RECT client;
        GetClientRect(frame, &client);
        MapWindowPoints(frame, nullptr, reinterpret_cast<POINT*>(&client), 2);
        const bool bVertical = b.bottom - b.top > b.right - b.left;
        EXPECT_EQ(bVertical, side == 2 || side == 3);
        switch (side) {
        case 0: EXPECT_LE(b.bottom, l.top); break;
        case 1:
            EXPECT_GE(b.top, l.bottom);
            EXPECT_LE(b.bottom, st.top);
            break;
        case 2:
            EXPECT_LE(b.right, l.left);
            EXPECT_LT(b.bottom, st.top);
            break;
        case 3:
            EXPECT_GE(b.left, l.right);
            EXPECT_LT(b.bottom, st.top);
            break;
        default:
            // Its own window, and the list takes the whole client area
            // above the status bar.
            EXPECT_EQ(GetAncestor(bar, GA_ROOT), host);
            EXPECT_EQ(l.top, client.top);
            EXPECT_EQ(l.left, client.left);
            EXPECT_EQ(GetWindow(host, GW_OWNER), frame);
        }
        Screenshot("toolbar-" + std::string(kNames[side]));
        if (side == 4) {
            // The floating bar goes and comes with the frame.
            ASSERT_TRUE(Post(frame, WM_CLOSE, 0, 0));
            EXPECT_TRUE(WaitUntil([&] { return !IsVisible(host); }, 5000));
            ASSERT_TRUE(ShowByTray(frame));
            EXPECT_TRUE(WaitUntil([&] { return IsVisible(host); }, 5000));
            // A double click on its caption docks it where it last docked.
            const RECT h = ScreenRect(host);
            ASSERT_TRUE(ClickAt({(h.left + h.right) / 2, h.top + 3 + GetSystemMetrics(SM_CYSMCAPTION) / 2}, 2));
            EXPECT_TRUE(WaitUntil([&] { return !IsVisible(host); }, 5000));
            EXPECT_TRUE(WaitUntil([&] { return GetAncestor(bar, GA_ROOT) == frame; }, 5000));
            break;
        }
        ASSERT_TRUE(PostCommand(frame, kCmdExit));
        ASSERT_TRUE(p->WaitForExit(kWaitMs)) << Describe(*p);
    }
    // Docked at the top again: its gripper dragged to the frame's left edge
    // docks it there, and into the list floats it; the place is kept.
    const auto side = [&] { return RegReadDword(HKEY_CURRENT_USER, kBarState, "Side").value_or(99); };
    EXPECT_TRUE(WaitUntil([&] { return side() == 0; }, 5000)) << side();
    HWND bar = FindChild(frame, "ToolbarWindow32");
    ASSERT_TRUE(bar);
    RECT b = ScreenRect(bar), l = ScreenRect(FindChild(frame, kListClass));
    ASSERT_TRUE(DragMouse({b.left - 4, (b.top + b.bottom) / 2}, {l.left + 3, (l.top + l.bottom) / 2}));
    EXPECT_TRUE(WaitUntil([&] { return side() == 2; }, 8000)) << side();
    b = ScreenRect(bar);
    EXPECT_GT(b.bottom - b.top, b.right - b.left);
    ASSERT_TRUE(DragMouse({(b.left + b.right) / 2, b.top - 4}, {(l.left + l.right) / 2, (l.top + l.bottom) / 2}));
    EXPECT_TRUE(WaitUntil([&] { return side() == 4; }, 8000)) << side();
    EXPECT_NE(GetAncestor(bar, GA_ROOT), frame);
    Screenshot("toolbar-dragged-floating");
    // View > Toolbar hides and shows it where it is.
    ASSERT_TRUE(PostCommand(frame, 59392));
    EXPECT_TRUE(WaitUntil([&] { return !IsVisible(bar); }, 5000));
    EXPECT_TRUE(WaitUntil([&] { return RegReadDword(HKEY_CURRENT_USER, kBarState, "Visible") == 0U; }, 5000));
    ASSERT_TRUE(PostCommand(frame, 59392));
    EXPECT_TRUE(WaitUntil([&] { return IsVisible(bar) && GetAncestor(bar, GA_ROOT) != frame; }, 5000));
}

// F1 opens the help page; Shift+F1, typed: the next click, on the list or
// a menu command, tells about it instead of doing it. The case's folder holds no help page, so
// the telling is the shell's refusal to open it; Escape ends the mode.
TEST_F(MainWindow, ContextHelpTellsAboutWhatIsClickedInsteadOfDoingIt)
{
    CProcess* p = nullptr;
    HWND frame = StartHidden(p);
    ASSERT_TRUE(frame);
    ASSERT_TRUE(ShowByTray(frame));
    HWND list = FindChild(frame, kListClass);
    ASSERT_TRUE(list);
    const RECT l = ScreenRect(list);
    const POINT inList = {(l.left + l.right) / 2, (l.top + l.bottom) / 2};
    const auto helpAsked = [&] {
        const auto box = ExpectMessageBox(*p, "Shell Error");
        if (!box)
            return false;
        EXPECT_NE(box->text.find("Netbell.htm"), std::string::npos) << box->text;
        PressButton(box->hwnd, IDOK);
        const bool bClosed = WaitForClose(box->hwnd);
        EXPECT_TRUE(bClosed) << Describe(*p);
        return bClosed;
    };
    // F1 is Help Topics at once (after a click, which gives the list the
    // keys as a person's would).
    ASSERT_TRUE(ClickAt(inList));
    Sleep(500);
    ASSERT_TRUE(TypeKeys("F1"));
    EXPECT_TRUE(helpAsked());
    ASSERT_TRUE(TypeKeys("shift+F1"));
    Sleep(500);
    ASSERT_TRUE(ClickAt(inList));
    EXPECT_TRUE(helpAsked());
    // A menu command chosen with the keys asks too, and does not run.
    ASSERT_TRUE(TypeKeys("shift+F1 alt+t o"));
    EXPECT_TRUE(helpAsked());
    EXPECT_FALSE(FindTopWindow(p->Id(), "#32770", "Options")) << Describe(*p);
    // Escape leaves the mode: the same keys open Options.
    ASSERT_TRUE(TypeKeys("shift+F1 Escape alt+t o"));
    HWND sheet = WaitForVisibleWindow(*p, "#32770", "Options");
    EXPECT_TRUE(sheet) << Describe(*p);
    if (sheet)
        PressButton(sheet, IDCANCEL);
}

TEST_F(MainWindow, RightButtonReleaseOpensTheTrayMenu)
{
    CProcess* p = nullptr;
    HWND frame = StartHidden(p);
    ASSERT_TRUE(frame);
    ASSERT_TRUE(Post(frame, kTrayNotify, kTrayIconId, WM_RBUTTONUP));
    HWND popup = WaitForVisibleWindow(*p, "#32768");
    ASSERT_TRUE(popup) << Describe(*p);
    // Open "&New" by its access key: a submenu's items are brought up to
    // date only when it opens, as the user would see them.
    ASSERT_TRUE(Post(popup, WM_CHAR, 'n', 0));
    ASSERT_TRUE(WaitUntil([&] {
        int shown = 0;
        for (HWND h : FindTopWindows(p->Id(), "#32768"))
            shown += IsVisible(h) ? 1 : 0;
        return shown == 2;
    })) << Describe(*p);
    Sleep(200);
    Screenshot("tray_menu");
    const auto items = ReadPopupMenu(p->Handle(), popup);
    ASSERT_TRUE(items);
    EXPECT_EQ((std::vector<std::string>{"&Task List", "&New", "&Reminder", "", "&About", "", "E&xit"}), Texts(*items));
    ASSERT_EQ(7u, items->size());
    EXPECT_TRUE((*items)[0].isDefault);
    EXPECT_EQ(static_cast<UINT>(kCmdTaskList), (*items)[0].id);
    EXPECT_EQ(32792u, (*items)[2].id);
    EXPECT_EQ(static_cast<UINT>(kCmdAbout), (*items)[4].id);
    EXPECT_EQ(static_cast<UINT>(kCmdExit), (*items)[6].id);
    const auto& newItems = (*items)[1].sub;
    EXPECT_EQ((std::vector<std::string>{"&E-Mail Task", "&Browse Task", "&Newsgroup Task", "N&ote",
                                        "&Web Search Task", "&FrontPage97 Task"}),
              Texts(newItems));
    ASSERT_EQ(6u, newItems.size());
    // No FrontPage in the test prefix: its task kind is not offered.
    EXPECT_TRUE(newItems[5].grayed);
    EXPECT_FALSE(newItems[0].grayed);

    // Escape closes the submenu, then the menu.
    ASSERT_TRUE(Post(popup, WM_KEYDOWN, VK_ESCAPE, 0));
    ASSERT_TRUE(Post(popup, WM_KEYDOWN, VK_ESCAPE, 0));
    EXPECT_TRUE(WaitUntil([&] { return !IsVisible(popup); }, 5000));
    EXPECT_FALSE(IsVisible(frame)) << "dismissing the menu chose nothing";
    EXPECT_TRUE(p->IsRunning());
}

TEST_F(MainWindow, MenuBarOffersTheCommands)
{
    CProcess* p = nullptr;
    HWND frame = StartHidden(p);
    ASSERT_TRUE(frame);
    const auto bar = ReadMenuBar(p->Handle(), frame);
    ASSERT_TRUE(bar);
    ASSERT_EQ((std::vector<std::string>{"&File", "&Edit", "&View", "&Insert", "Ta&sks", "&Tools", "&Help"}),
              Texts(*bar));
    const auto& file = (*bar)[0].sub;
    ASSERT_EQ((std::vector<std::string>{"&Backup Data", "", "E&xit"}), Texts(file));
    EXPECT_EQ(static_cast<UINT>(kCmdBackup), file[0].id);
    EXPECT_EQ(static_cast<UINT>(kCmdExit), file[2].id);
    EXPECT_EQ((std::vector<std::string>{"&Toolbar", "&Status Bar"}), Texts((*bar)[2].sub));
    EXPECT_EQ((std::vector<std::string>{"&Project", "&Search Engine Url"}), Texts((*bar)[3].sub));
    EXPECT_EQ((std::vector<std::string>{"&New", "", "&Edit", "&Delete", "", "&Launch"}), Texts((*bar)[4].sub));
    const auto& tools = (*bar)[5].sub;
    ASSERT_EQ((std::vector<std::string>{"&Options", "", "&Sponsors"}), Texts(tools));
    EXPECT_EQ(32790u, tools[0].id);
    EXPECT_EQ(static_cast<UINT>(kCmdSponsors), tools[2].id);
    const auto& help = (*bar)[6].sub;
    ASSERT_GE(help.size(), 2u);
    EXPECT_EQ("&Help Topics", help.front().text);
    EXPECT_EQ("&About Netbell...", help.back().text);
    EXPECT_EQ(static_cast<UINT>(kCmdAbout), help.back().id);
}

TEST_F(MainWindow, ExitIsRefusedWhileTheAboutBoxIsOpen)
{
    CProcess* p = nullptr;
    HWND frame = StartHidden(p);
    ASSERT_TRUE(frame);
    ASSERT_TRUE(PostCommand(frame, kCmdAbout));
    HWND about = WaitForVisibleWindow(*p, "#32770", "About Netbell");
    ASSERT_TRUE(about) << Describe(*p);
    EXPECT_EQ("Netbell", DialogItemText(about, 1077));
    Sleep(200);
    Screenshot("about_box");

    ASSERT_TRUE(PostCommand(frame, kCmdExit));
    const auto refusal = ExpectMessageBox(*p, "Cannot Exit");
    ASSERT_TRUE(refusal);
    EXPECT_EQ(kCannotExit, refusal->text);
    ASSERT_TRUE(PressButton(refusal->hwnd, IDOK));
    EXPECT_TRUE(WaitForClose(refusal->hwnd));
    EXPECT_TRUE(p->IsRunning());
    EXPECT_TRUE(IsVisible(about)) << "the About box stays";
    EXPECT_FALSE(FileExists(DataPath())) << "a refused Exit saves nothing";

    // A second About while the first is open is refused by the guard.
    ASSERT_TRUE(PostCommand(frame, kCmdAbout));
    const auto busy = ExpectMessageBox(*p, "Netbell");
    ASSERT_TRUE(busy);
    EXPECT_EQ("There is already an Netbell Dialog active on your Desktop", busy->text);
    ASSERT_TRUE(PressButton(busy->hwnd, IDOK));
    EXPECT_TRUE(WaitForClose(busy->hwnd));
    EXPECT_EQ(1u, FindTopWindows(p->Id(), "#32770", "About Netbell").size());

    // Once the box is closed the guard is free and Exit goes through.
    ASSERT_TRUE(PressButton(about, IDOK));
    ASSERT_TRUE(WaitForClose(about));
    ASSERT_TRUE(PostCommand(frame, kCmdExit));
    EXPECT_TRUE(p->WaitForExit(kWaitMs)) << Describe(*p);
}

TEST_F(MainWindow, SponsorsDialogOpensAndCloses)
{
    CProcess* p = nullptr;
    HWND frame = StartHidden(p);
    ASSERT_TRUE(frame);
    ASSERT_TRUE(PostCommand(frame, kCmdSponsors));
    HWND dialog = WaitForVisibleWindow(*p, "#32770");
    ASSERT_TRUE(dialog) << Describe(*p);
    Sleep(300);
    Screenshot("sponsors");
    // The system menu's Close, which every dialog answers as Cancel.
    ASSERT_TRUE(Post(dialog, WM_SYSCOMMAND, SC_CLOSE, 0));
    EXPECT_TRUE(WaitForClose(dialog)) << Describe(*p);
    EXPECT_TRUE(p->IsRunning());
}

}  // namespace
}  // namespace e2e
