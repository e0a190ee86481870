// FrontPage in the real program. With the test automation server registered
// as FrontPage: a new task linked to a page through the Document List lands
// in the web's To-Do List and the data file, ticking it completes that item,
// Show To-Do List and Launch Editor open the task's web first, and the load
// policy decides whether FrontPage is reached at all. The server's call log
// proves each call. Without it: every FrontPage feature is switched off.
#include <gtest/gtest.h>

#include "driver.h"

#include <commctrl.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <functional>

#include "nbl_bytes.h"
#include "netbell_case.h"

namespace e2e {
namespace {

using namespace netbell;
using Rows = std::vector<std::vector<std::string>>;

// Controls of the FrontPage Task dialog.
namespace fpt {
constexpr int kName = 1016;
constexpr int kProject = 1017;
constexpr int kAssignTo = 1018;
constexpr int kBilling = 1019;
constexpr int kDescription = 1020;
constexpr int kHigh = 1015;
constexpr int kMedium = 1003;
constexpr int kLinkedTo = 1037;
constexpr int kBrowse = 1038;
constexpr int kChangeWeb = 1045;
constexpr int kWebTitle = 1046;
constexpr int kWebUrl = 1047;
constexpr int kWebControls[] = {kChangeWeb, kLinkedTo, kBrowse};
}  // namespace fpt

constexpr int kDocumentList = 1050;
constexpr int kLoadingPane = 1;  // the status bar's second part
constexpr const char* kExplorerWindowClass = "FrontPageExplorerWindow";
constexpr const char* kStandInExe = "frontpage_standin.exe";
constexpr const char* kStandInProgIds[] = {"FrontPage.Explorer.2.0", "FrontPage.ToDoList.2.0"};
constexpr const char* kStandInKeys[] = {"FrontPage.Explorer.2.0", "FrontPage.ToDoList.2.0", "FrontPage.Explorer",
                                        "FrontPage.ToDoList"};
// Where the program puts its menu into FrontPage's.
constexpr const char* kMenuLinksRoot = "Software\\Microsoft\\FrontPage";
constexpr const char* kLoadingQuestion = "Do you want Netbell to load FrontPage Explorer ?";

enum Column { colType, colPriority, colName, colDescription, colUrl, colProject, colAssignTo, colBilling };

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(tolower(c)); });
    return s;
}

// Removes the stand-in's registration, and only the stand-in's: keys that
// lead to another server are left alone. True when none of it is left.
bool UnregisterStandIn()
{
    bool bStandIn = false;
    for (const char* progId : kStandInProgIds) {
        const auto clsid = RegReadString(HKEY_CLASSES_ROOT, std::string(progId) + "\\CLSID", "");
        if (!clsid)
            continue;
        const std::string key = "CLSID\\" + *clsid;
        const auto server = RegReadString(HKEY_CLASSES_ROOT, key + "\\LocalServer32", "");
        const std::string exe = Lower(server.value_or(""));
        if (exe.size() < strlen(kStandInExe) || exe.compare(exe.size() - strlen(kStandInExe), std::string::npos,
                                                            kStandInExe) != 0)
            return false;
        bStandIn = true;
        RegDeleteTreeOf(HKEY_CLASSES_ROOT, key);
    }
    if (!bStandIn)
        return !RegKeyExists(HKEY_CLASSES_ROOT, "FrontPage.Explorer\\CURVER");
    bool bGone = true;
    for (const char* key : kStandInKeys)
        bGone = RegDeleteTreeOf(HKEY_CLASSES_ROOT, key) && bGone;
    return bGone;
}

// A run that ended inside a stand-in case left the stand-in registered;
// every other case expects a machine without FrontPage.
class StaleStandInCleanup : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (!UnregisterStandIn())
            fprintf(stderr, "frontpage: a FrontPage registration that is not the stand-in's is in this prefix\n");
    }
};
[[maybe_unused]] ::testing::Environment* const g_staleStandInCleanup =
    ::testing::AddGlobalTestEnvironment(new StaleStandInCleanup);

bool StandInRunning()
{
    return FindWindowA(kExplorerWindowClass, nullptr) != nullptr;
}

// A FrontPage task of the web "docs", linked to its home page.
NblTask DocsTask(const std::string& name, const std::string& cookie)
{
    NblTask t = MakeTask(nbl::frontPage, name, "docs (Home Page)");
    t.webName = "docs";
    t.webUrl = "http://srv/docs";
    t.linkedTo = "Home Page";
    t.pageUrl = "index.htm";
    t.cookie = cookie;
    return t;
}

// What the cases with and without FrontPage share: a returning user's
// program with its task list shown, and ways to read the window.
class FrontPageCase : public NetbellCase {
protected:
    void SetUp() override
    {
        NetbellCase::SetUp();
        if (HasFatalFailure())
            return;
        RegDeleteTreeOf(HKEY_CURRENT_USER, kMenuLinksRoot);
        // Most cases want no question before FrontPage is reached.
        SetLoadingPolicy(0);
    }
    void TearDown() override
    {
        NetbellCase::TearDown();
        RegDeleteTreeOf(HKEY_CURRENT_USER, kMenuLinksRoot);
    }

    static void SetLoadingPolicy(DWORD policy)
    {
        ASSERT_TRUE(RegWriteDword(HKEY_CURRENT_USER, std::string(kAppKey) + "\\Settings\\FrontPage", "Loading", policy));
    }
    static std::optional<DWORD> LoadingPolicy()
    {
        return RegReadDword(HKEY_CURRENT_USER, std::string(kAppKey) + "\\Settings\\FrontPage", "Loading");
    }
    static std::optional<DWORD> LastCookieNumber()
    {
        return RegReadDword(HKEY_CURRENT_USER, std::string(kAppKey) + "\\Settings", "Last FP Cookie Number");
    }

    bool Launch(const NblDocument& doc)
    {
        if (!WriteFileBytes(DataPath(), WriteNbl(doc))) {
            ADD_FAILURE() << "cannot write " << DataPath();
            return false;
        }
        PresetReturningUser();
        m_p = &Start();
        m_frame = WaitForFrame(*m_p);
        if (!m_frame || !ShowByTray(m_frame)) {
            ADD_FAILURE() << "no task list; " << Describe(*m_p);
            return false;
        }
        m_list = FindChild(m_frame, kListClass);
        m_toolBar = FindChild(m_frame, "ToolbarWindow32");
        m_statusBar = FindChild(m_frame, "msctls_statusbar32");
        EXPECT_TRUE(m_list && m_toolBar && m_statusBar);
        return m_list && m_toolBar && m_statusBar;
    }

    HWND WaitForDialog(const char* caption)
    {
        HWND dlg = WaitForVisibleWindow(*m_p, "#32770", caption);
        if (!dlg)
            ADD_FAILURE() << "no dialog \"" << caption << "\"; open windows:\n" << Describe(*m_p);
        return dlg;
    }
    bool Close(HWND dlg, int button = IDOK)
    {
        const bool closed = PressButton(dlg, button) && WaitForClose(dlg);
        EXPECT_TRUE(closed) << "the dialog stayed open; " << Describe(*m_p);
        return closed;
    }
    // A message box answered, with the icon it showed.
    std::optional<CMessageBox> Answer(const char* caption, int button, std::string* icon)
    {
        auto box = ExpectMessageBox(*m_p, caption);
        if (box) {
            *icon = MessageBoxIcon(box->hwnd);
            EXPECT_TRUE(PressButton(box->hwnd, button));
            EXPECT_TRUE(WaitForClose(box->hwnd));
        }
        return box;
    }

    static void Type(HWND dlg, int id, const std::string& text)
    {
        EXPECT_TRUE(SetControlText(GetDlgItem(dlg, id), text)) << "control " << id;
    }
    static std::string Text(HWND dlg, int id) { return ControlText(GetDlgItem(dlg, id)).value_or("<unreadable>"); }
    static std::vector<int> EnabledWebControls(HWND dlg)
    {
        std::vector<int> ids;
        for (int id : fpt::kWebControls)
            if (IsWindowEnabled(GetDlgItem(dlg, id)))
                ids.push_back(id);
        return ids;
    }

    Rows ReadRows() { return ReadListView(m_p->Handle(), m_list).value_or(Rows{}); }
    Rows RowsWhen(size_t n)
    {
        Rows rows;
        EXPECT_TRUE(WaitUntil([&] { return (rows = ReadRows()).size() == n; }, 5000)) << rows.size() << " rows";
        return rows;
    }

    NblDocument FileWhen(const std::function<bool(const NblDocument&)>& pred)
    {
        NblDocument doc;
        std::string why;
        const bool ok = WaitUntil(
            [&] {
                auto read = ReadNblFile(DataPath(), &why);
                return read && pred(doc = *read);
            },
            5000);
        EXPECT_TRUE(ok) << "the data file is not as expected: " << why << ", " << doc.tasks.size() << " tasks";
        return doc;
    }
    NblDocument ExitAndRead()
    {
        EXPECT_TRUE(PostCommand(m_frame, kCmdExit));
        EXPECT_TRUE(m_p->WaitForExit(kWaitMs)) << Describe(*m_p);
        std::string why;
        const auto doc = ReadNblFile(DataPath(), &why);
        EXPECT_TRUE(doc) << why;
        return doc.value_or(NblDocument{});
    }

    // The frame brings its tool bar and status bar up to date when its
    // queue runs empty; the messages the cases send pass by the queue, so
    // a posted one that does nothing stands in for the user's next move.
    void LetIdle() { Post(m_frame, WM_NULL, 0, 0); }

    BYTE ButtonState(int id)
    {
        return static_cast<BYTE>(Send(m_toolBar, TB_GETSTATE, static_cast<WPARAM>(id), 0).value_or(0xFF));
    }
    bool ButtonStateBecomes(int id, BYTE state)
    {
        const bool ok = WaitUntil(
            [&] {
                LetIdle();
                return ButtonState(id) == state;
            },
            3000);
        EXPECT_TRUE(ok) << "button " << id << " state 0x" << std::hex << int(ButtonState(id)) << ", not 0x"
                        << int(state);
        return ok;
    }
    std::string PaneText() { return StatusBarText(m_p->Handle(), m_statusBar, kLoadingPane).value_or("<unreadable>"); }
    bool PaneTextBecomes(const std::string& text)
    {
        const bool ok = WaitUntil(
            [&] {
                LetIdle();
                return PaneText() == text;
            },
            3000);
        EXPECT_TRUE(ok) << "the load pane shows \"" << PaneText() << "\", not \"" << text << "\"";
        return ok;
    }

    // Pages of the Options sheet; the sheet is closed again.
    int OptionsPageCount()
    {
        if (!PostCommand(m_frame, cmd::kOptions))
            return -1;
        HWND sheet = WaitForDialog("Options");
        if (!sheet)
            return -1;
        HWND tab = reinterpret_cast<HWND>(Send(sheet, PSM_GETTABCONTROL, 0, 0).value_or(0));
        const int pages = tab ? static_cast<int>(Send(tab, TCM_GETITEMCOUNT, 0, 0).value_or(-1)) : -1;
        Close(sheet, IDCANCEL);
        return pages;
    }

    CProcess* m_p = nullptr;
    HWND m_frame = nullptr;
    HWND m_list = nullptr;
    HWND m_toolBar = nullptr;
    HWND m_statusBar = nullptr;
};

// The stand-in registered for the case from a copy in the case's folder, so
// the fixture ends it with the program; state and log in that folder too,
// named in the environment the program and then the server inherit.
class FrontPageStandIn : public FrontPageCase {
protected:
    void SetUp() override
    {
        FrontPageCase::SetUp();
        if (HasFatalFailure())
            return;
        // The fixture has just ended the programs of earlier cases.
        ASSERT_TRUE(WaitUntil([] { return !StandInRunning(); }, 5000)) << "a FrontPage stand-in is still up";
        const std::string source = JoinPath(ModuleFolder(), kStandInExe);
        ASSERT_TRUE(FileExists(source)) << source << " is missing; run make win32";
        const std::string exe = JoinPath(m_strFolder, kStandInExe);
        ASSERT_TRUE(CopyFileA(source.c_str(), exe.c_str(), FALSE)) << GetLastError();
        m_bRegistered = true;
        CProcess reg = CProcess::Start(exe, "/RegServer", m_strFolder);
        ASSERT_TRUE(reg && reg.WaitForExit(kWaitMs));
        ASSERT_EQ(0u, reg.ExitCode().value_or(1)) << "the stand-in did not register";
        ASSERT_EQ("FrontPage.Explorer.2.0", RegReadString(HKEY_CLASSES_ROOT, "FrontPage.Explorer\\CURVER", ""));

        m_strState = JoinPath(m_strFolder, "fp-state.txt");
        m_strLog = JoinPath(m_strFolder, "fp-calls.log");
        SetVariable("NETBELL_FP_STATE", m_strState);
        SetVariable("NETBELL_FP_LOG", m_strLog);
    }
    void TearDown() override
    {
        if (m_bRegistered) {
            EXPECT_TRUE(UnregisterStandIn());
        }
        m_bRegistered = false;
        for (auto it = m_savedVariables.rbegin(); it != m_savedVariables.rend(); ++it)
            SetEnvironmentVariableA(it->first.c_str(), it->second ? it->second->c_str() : nullptr);
        m_savedVariables.clear();
        FrontPageCase::TearDown();
    }

    void SetVariable(const char* name, const std::string& value)
    {
        std::optional<std::string> old;
        if (const DWORD n = GetEnvironmentVariableA(name, nullptr, 0)) {
            std::string buf(n, '\0');
            buf.resize(GetEnvironmentVariableA(name, buf.data(), n));
            old = buf;
        }
        m_savedVariables.emplace_back(name, old);
        SetEnvironmentVariableA(name, value.c_str());
    }

    // The state the stand-in answers from; write it only while no stand-in
    // runs, as a running one writes its own back after each change.
    void WriteState(const std::string& text)
    {
        ASSERT_TRUE(WriteFileBytes(m_strState, std::vector<uint8_t>(text.begin(), text.end())));
    }
    std::string ReadState() const
    {
        const auto bytes = ReadFileBytes(m_strState).value_or(std::vector<uint8_t>{});
        return std::string(bytes.begin(), bytes.end());
    }
    // The calls logged from the from-th on, without the server's own lines.
    std::vector<std::string> Calls(size_t from = 0) const
    {
        std::vector<std::string> lines;
        const auto bytes = ReadFileBytes(m_strLog).value_or(std::vector<uint8_t>{});
        std::string line;
        for (char c : bytes) {
            if (c != '\n') {
                line += c;
                continue;
            }
            if (line.rfind("server ", 0) != 0)
                lines.push_back(line);
            line.clear();
        }
        lines.erase(lines.begin(), lines.begin() + static_cast<long>(std::min(from, lines.size())));
        return lines;
    }
    // Waits for a call to be logged and for the server to be gone again:
    // the command that made it has then ended.
    bool CommandEndsWith(const std::string& call, size_t from = 0)
    {
        const bool logged = WaitUntil(
            [&] {
                const auto calls = Calls(from);
                return std::find(calls.begin(), calls.end(), call) != calls.end();
            },
            kWaitMs);
        EXPECT_TRUE(logged) << "not logged: " << call << "\n" << Joined(Calls(from)) << Describe(*m_p);
        const bool ended = WaitUntil([] { return !StandInRunning(); }, kWaitMs);
        EXPECT_TRUE(ended) << "the stand-in is still running";
        return logged && ended;
    }

    static std::string Joined(const std::vector<std::string>& calls)
    {
        std::string all;
        for (const std::string& c : calls)
            all += "  " + c + "\n";
        return all;
    }
    // Whether calls holds these ones in this order, with others between.
    static ::testing::AssertionResult InOrder(const std::vector<std::string>& calls,
                                              const std::vector<std::string>& wanted)
    {
        auto it = calls.begin();
        for (const std::string& w : wanted) {
            it = std::find(it, calls.end(), w);
            if (it == calls.end())
                return ::testing::AssertionFailure() << "missing or out of order: " << w << "\nin:\n" << Joined(calls);
            ++it;
        }
        return ::testing::AssertionSuccess();
    }
    static size_t CountOf(const std::vector<std::string>& calls, const std::string& prefix)
    {
        return static_cast<size_t>(std::count_if(calls.begin(), calls.end(), [&](const std::string& c) {
            return c.compare(0, prefix.size(), prefix) == 0;
        }));
    }

    std::string m_strState;
    std::string m_strLog;

private:
    bool m_bRegistered = false;
    std::vector<std::pair<std::string, std::optional<std::string>>> m_savedVariables;
};

class FrontPageAbsent : public FrontPageCase {};

TEST_F(FrontPageStandIn, ANewTaskLinkedToAPageLandsInTheToDoListAndTheDataFile)
{
    // FrontPage refuses the first add, so OK is pressed twice.
    WriteState("web.title=docs\nweb.url=http://srv/docs\n"
               "pagelist=Home Page\\nindex.htm\\nNews\\nnews.htm\\n\nfalse.AddToDoTask=1\n");
    ASSERT_TRUE(RegWriteDword(HKEY_CURRENT_USER, std::string(kAppKey) + "\\Settings", "Last FP Cookie Number", 41));
    NblDocument doc;
    doc.projects = {"Web", "Home"};
    ASSERT_TRUE(Launch(doc));
    // The menu is placed in FrontPage's at start, pointing at this program.
    const auto home = ReadSetting("Home Directory");
    ASSERT_TRUE(home);
    const std::string command = "2,,1,Reminders, &Open," + *home + "\\Netbell,,0,Opens Netbell,1000";
    for (const char* part : {"Explorer", "Editor"}) {
        const std::string key = std::string(kMenuLinksRoot) + "\\" + part;
        EXPECT_EQ("2,,1,&Reminders,Tools", RegReadString(HKEY_CURRENT_USER, key + "\\Init Menus", "Netbell Menu1"));
        EXPECT_EQ(command, RegReadString(HKEY_CURRENT_USER, key + "\\Init Commands", "Netbell Command1"));
    }

    const double before = OleDateNow();
    ASSERT_TRUE(PostCommand(m_frame, cmd::kNewFrontPage));
    HWND dlg = WaitForDialog("FrontPage Task");
    ASSERT_TRUE(dlg);
    EXPECT_EQ("docs", Text(dlg, fpt::kWebTitle)) << "the web open in the Explorer";
    EXPECT_EQ("http://srv/docs", Text(dlg, fpt::kWebUrl));
    EXPECT_EQ((std::vector<int>{fpt::kChangeWeb, fpt::kLinkedTo, fpt::kBrowse}), EnabledWebControls(dlg));
    EXPECT_TRUE(IsChecked(GetDlgItem(dlg, fpt::kMedium))) << "the default priority";
    EXPECT_EQ((std::vector<std::string>{"Home", "Web"}), ComboItems(GetDlgItem(dlg, fpt::kProject)));
    Type(dlg, fpt::kName, "Fix the links");
    Type(dlg, fpt::kDescription, "Every page\r\nof the web");
    Type(dlg, fpt::kAssignTo, "Ada");
    Type(dlg, fpt::kBilling, "B-7");
    EXPECT_TRUE(SelectComboItem(GetDlgItem(dlg, fpt::kProject), "Web"));
    ASSERT_TRUE(ClickButton(GetDlgItem(dlg, fpt::kHigh)));
    EXPECT_TRUE(WaitUntil([&] { return IsChecked(GetDlgItem(dlg, fpt::kHigh)); }, 3000));

    // The web's pages, in the reverse of FrontPage's order.
    ASSERT_TRUE(PressButton(dlg, fpt::kBrowse));
    HWND pages = WaitForDialog("Document List");
    ASSERT_TRUE(pages);
    HWND pageList = GetDlgItem(pages, kDocumentList);
    // The headings carry the trailing spaces that make the columns wide.
    std::vector<std::string> headings = ReadListViewColumns(m_p->Handle(), pageList).value_or(Rows::value_type{});
    for (std::string& h : headings)
        h.erase(h.find_last_not_of(' ') + 1);
    EXPECT_EQ((std::vector<std::string>{"Title", "Page URL"}), headings);
    ASSERT_EQ((Rows{{"News", "news.htm"}, {"Home Page", "index.htm"}}), ReadListView(m_p->Handle(), pageList));
    ASSERT_TRUE(SelectListViewRows(m_p->Handle(), pageList, {1}));
    Sleep(200);
    Screenshot("document_list");
    ASSERT_TRUE(Close(pages));
    EXPECT_TRUE(WaitUntil([&] { return Text(dlg, fpt::kLinkedTo) == "Home Page"; }, 3000)) << Text(dlg, fpt::kLinkedTo);
    Sleep(200);
    Screenshot("frontpage_task_dialog");

    ASSERT_TRUE(PressButton(dlg, IDOK));
    std::string icon;
    const auto refused = Answer("Server Connection Error", IDOK, &icon);
    ASSERT_TRUE(refused);
    EXPECT_EQ("Sorry, failed to add task to FrontPage. Check that FrontPage has not been closed prematurely",
              refused->text);
    EXPECT_EQ("exclamation", icon);
    EXPECT_TRUE(IsVisible(dlg)) << "a failed add keeps the dialog open";
    ASSERT_TRUE(Close(dlg));
    const double after = OleDateNow();

    // A cookie is drawn for each OK; the item carries the second one.
    ASSERT_TRUE(CommandEndsWith("ToDoList released"));
    const std::string add = "ToDoList.AddToDoTask#3(BSTR \"Fix the links\", I2 1, BSTR \"Netbell\", "
                            "BSTR \"index.htm\", BSTR \"NetbellCookie";
    const std::string addEnd = "\", BSTR \"Every page\\r\\nof the web\")";
    EXPECT_TRUE(InOrder(Calls(), {"ToDoList created", "Explorer created", "Explorer.GetWebTitle#11() = BSTR \"docs\"",
                                  "Explorer.GetWebUrl#12() = BSTR \"http://srv/docs\"",
                                  "Explorer.GetPageList#18(I4 0) = BSTR \"Home Page\\nindex.htm\\nNews\\nnews.htm\\n\"",
                                  add + "42" + addEnd + " = BOOL false", add + "43" + addEnd + " = BOOL true"}));
    EXPECT_EQ(0u, CountOf(Calls(), "Explorer.PromptForWeb")) << "a web was open";
    EXPECT_NE(std::string::npos,
              ReadState().find("\ntodo=0|Fix the links|1|Netbell|index.htm|NetbellCookie43|Every page\\r\\nof the web\n"))
        << ReadState();
    EXPECT_EQ(43u, LastCookieNumber());

    const Rows rows = RowsWhen(1);
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ("FrontPage", rows[0][colType]);
    EXPECT_EQ("High", rows[0][colPriority]);
    EXPECT_EQ("Fix the links", rows[0][colName]);
    EXPECT_EQ("docs (Home Page)", rows[0][colUrl]);
    EXPECT_EQ("Web", rows[0][colProject]);

    NblTask expected = DocsTask("Fix the links", "NetbellCookie43");
    expected.description = "Every page\r\nof the web";
    expected.priority = nbl::high;
    expected.project = "Web";
    expected.assignTo = "Ada";
    expected.billing = "B-7";
    FileWhen([](const NblDocument& d) { return d.tasks.size() == 1; });
    const NblDocument file = ExitAndRead();
    ASSERT_EQ(1u, file.tasks.size());
    const NblTask& got = file.tasks[0];
    EXPECT_GE(got.date, before - 1.0 / 86400);
    EXPECT_LE(got.date, after + 1.0 / 86400);
    expected.date = got.date;
    EXPECT_EQ(expected, got);
}

TEST_F(FrontPageStandIn, TickingATaskCompletesItsOwnToDoItem)
{
    // Two items on one page, told apart by their cookies; FrontPage answers
    // false twice before it completes the item.
    WriteState("web.title=docs\nweb.url=http://srv/docs\nfalse.MarkToDoComplete=2\n"
               "todo=0|Other|2|Netbell|index.htm|NetbellCookie6|\n"
               "todo=0|Fix the links|2|Netbell|index.htm|NetbellCookie7|\n");
    NblDocument doc;
    doc.tasks = {DocsTask("Other", "NetbellCookie6"), DocsTask("Fix the links", "NetbellCookie7")};
    ASSERT_TRUE(Launch(doc));
    const Rows rows = RowsWhen(2);
    ASSERT_EQ(2u, rows.size());
    const int row = rows[0][colName] == "Fix the links" ? 0 : 1;
    ASSERT_EQ(1, ListViewCheckState(m_list, row));

    ASSERT_TRUE(ClickListViewStateIcon(m_p->Handle(), m_list, row));
    ASSERT_TRUE(CommandEndsWith("ToDoList released"));
    EXPECT_TRUE(WaitUntil([&] { return ListViewCheckState(m_list, row) == 2; }, 3000));
    EXPECT_EQ(1, ListViewCheckState(m_list, 1 - row));
    const std::vector<std::string> calls = Calls();
    const std::string mark = "ToDoList.MarkToDoComplete#6(BSTR \"index.htm\", BSTR \"NetbellCookie7\")";
    EXPECT_TRUE(InOrder(calls, {"ToDoList created", "Explorer created", mark + " = BOOL false", mark + " = BOOL false",
                                mark + " = BOOL true"}));
    EXPECT_EQ(3u, CountOf(calls, "ToDoList.MarkToDoComplete"));
    EXPECT_EQ(0u, CountOf(calls, "Explorer.OpenWeb")) << "the task's web was open";
    EXPECT_TRUE(NoDialogFor(*m_p, 300)) << Describe(*m_p);
    const std::string state = ReadState();
    EXPECT_NE(std::string::npos, state.find("\ntodo=0|Other|2|Netbell|index.htm|NetbellCookie6|\n")) << state;
    EXPECT_NE(std::string::npos, state.find("\ntodo=1|Fix the links|2|Netbell|index.htm|NetbellCookie7|\n")) << state;

    NblDocument expected = doc;
    expected.tasks[1].status = nbl::done;
    EXPECT_EQ(expected, ExitAndRead());
}

TEST_F(FrontPageStandIn, ShowToDoListAndLaunchEditorOpenTheTasksWebFirst)
{
    NblDocument doc;
    doc.tasks = {DocsTask("Fix the links", "NetbellCookie7"), MakeTask(nbl::note, "Call")};
    ASSERT_TRUE(Launch(doc));
    // Only a single selected FrontPage task has a To-Do List and a page.
    ASSERT_TRUE(ButtonStateBecomes(cmd::kLaunchExplorer, TBSTATE_ENABLED));
    EXPECT_TRUE(ButtonStateBecomes(cmd::kShowToDoList, 0));
    EXPECT_TRUE(ButtonStateBecomes(cmd::kLaunchEditor, 0));
    ASSERT_EQ(2u, RowsWhen(2).size());
    ASSERT_TRUE(SelectListViewRows(m_p->Handle(), m_list, {0, 1}));
    LetIdle();
    Sleep(300);
    EXPECT_EQ(0, ButtonState(cmd::kShowToDoList)) << "two tasks selected";
    const int fpRow = ReadRows()[0][colName] == "Fix the links" ? 0 : 1;
    ASSERT_TRUE(SelectListViewRows(m_p->Handle(), m_list, {fpRow}));
    ASSERT_TRUE(ButtonStateBecomes(cmd::kShowToDoList, TBSTATE_ENABLED));
    EXPECT_TRUE(ButtonStateBecomes(cmd::kLaunchEditor, TBSTATE_ENABLED));

    // Another web is open; the task's appears after one more look.
    WriteState("web.title=shop\nweb.url=http://srv/shop\nweb=docs|http://srv/docs|1\n");
    ASSERT_TRUE(PostCommand(m_frame, cmd::kShowToDoList));
    ASSERT_TRUE(CommandEndsWith("ToDoList.ShowList#1() = none"));
    std::vector<std::string> calls = Calls();
    EXPECT_TRUE(InOrder(calls, {
                                   "ToDoList created",
                                   "Explorer created",
                                   "Explorer.GetWebTitle#11() = BSTR \"shop\"",
                                   "Explorer.OpenWeb#21(BSTR \"http://srv\", BSTR \"docs\", BSTR \"\") = BOOL true",
                                   "Explorer.GetWebTitle#11() = BSTR \"shop\"",
                                   "Explorer.GetWebUrl#12() = BSTR \"http://srv/shop\"",
                                   "Explorer.GetWebTitle#11() = BSTR \"docs\"",
                                   "Explorer.GetWebUrl#12() = BSTR \"http://srv/docs\"",
                                   "ToDoList.ShowList#1() = none",
                               }));
    EXPECT_EQ(3u, CountOf(calls, "Explorer.GetWebTitle")) << "the polls stop once the web is open";
    EXPECT_EQ(0u, CountOf(calls, "Explorer.ShowExplorer")) << "the web appeared in time";

    // Again another web: the Editor waits for nothing and needs no To-Do List.
    const size_t from = calls.size();
    WriteState("web.title=shop\nweb.url=http://srv/shop\nweb=docs|http://srv/docs|5\n");
    ASSERT_TRUE(PostCommand(m_frame, cmd::kLaunchEditor));
    ASSERT_TRUE(CommandEndsWith("Explorer released", from));
    calls = Calls(from);
    EXPECT_EQ((std::vector<std::string>{
                  "Explorer created",
                  "Explorer.GetWebTitle#11() = BSTR \"shop\"",
                  "Explorer.OpenWeb#21(BSTR \"http://srv\", BSTR \"docs\", BSTR \"\") = BOOL true",
                  "Explorer.EditPage#22(BSTR \"index.htm\") = I4 1",
                  "Explorer released",
              }),
              calls);
    EXPECT_TRUE(NoDialogFor(*m_p, 300)) << Describe(*m_p);
}

TEST_F(FrontPageStandIn, TheLoadPolicyDecidesWhetherFrontPageIsReached)
{
    WriteState("web.title=docs\nweb.url=http://srv/docs\n");
    SetLoadingPolicy(1);
    ASSERT_TRUE(Launch(NblDocument{}));
    EXPECT_TRUE(PaneTextBecomes("FP Always Ask"));
    EXPECT_TRUE(ButtonStateBecomes(cmd::kToggleLoading, TBSTATE_ENABLED | TBSTATE_INDETERMINATE));
    EXPECT_TRUE(ButtonStateBecomes(cmd::kNewFrontPage, TBSTATE_ENABLED));
    EXPECT_EQ(3, OptionsPageCount()) << "the FrontPage page is there";

    // Always Ask with no Explorer running: the question; No means the
    // dialog works without FrontPage.
    ASSERT_TRUE(PostCommand(m_frame, cmd::kNewFrontPage));
    std::string icon;
    const auto question = Answer("Question", IDNO, &icon);
    ASSERT_TRUE(question);
    EXPECT_EQ(kLoadingQuestion, question->text);
    EXPECT_EQ("question", icon);
    HWND dlg = WaitForDialog("FrontPage Task");
    ASSERT_TRUE(dlg);
    EXPECT_EQ(std::vector<int>{}, EnabledWebControls(dlg));
    EXPECT_EQ("", Text(dlg, fpt::kWebTitle));
    ASSERT_TRUE(Close(dlg, IDCANCEL));

    // The toggle moves Always Ask on to Don't Load: no question, no server.
    ASSERT_TRUE(PostCommand(m_frame, cmd::kToggleLoading));
    EXPECT_TRUE(PaneTextBecomes("FP Don't Load"));
    EXPECT_EQ(2u, LoadingPolicy());
    EXPECT_TRUE(ButtonStateBecomes(cmd::kToggleLoading, TBSTATE_ENABLED | TBSTATE_CHECKED));
    EXPECT_TRUE(ButtonStateBecomes(cmd::kLaunchExplorer, 0));
    ASSERT_TRUE(PostCommand(m_frame, cmd::kNewFrontPage));
    dlg = WaitForDialog("FrontPage Task");
    ASSERT_TRUE(dlg);
    EXPECT_EQ(std::vector<int>{}, EnabledWebControls(dlg));
    EXPECT_EQ("", Text(dlg, fpt::kWebTitle));
    EXPECT_EQ("", Text(dlg, fpt::kWebUrl));
    Type(dlg, fpt::kName, "Offline");
    ASSERT_TRUE(Close(dlg));
    const Rows rows = RowsWhen(1);
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ("No Web Selected (Is not linked)", rows[0][colUrl]);

    ASSERT_TRUE(PostCommand(m_frame, cmd::kToggleLoading));
    EXPECT_TRUE(PaneTextBecomes("FP Load On Demand"));
    EXPECT_EQ(0u, LoadingPolicy());
    EXPECT_TRUE(ButtonStateBecomes(cmd::kToggleLoading, TBSTATE_ENABLED));

    EXPECT_FALSE(FileExists(m_strLog)) << "FrontPage was reached:\n" << Joined(Calls());
    EXPECT_FALSE(LastCookieNumber()) << "no cookie without FrontPage";
    const NblDocument file = ExitAndRead();
    ASSERT_EQ(1u, file.tasks.size());
    NblTask expected = MakeTask(nbl::frontPage, "Offline", "No Web Selected (Is not linked)");
    expected.linkedTo = "Is not linked";
    expected.pageUrl = "Is not linked";
    expected.date = file.tasks[0].date;
    EXPECT_EQ(expected, file.tasks[0]);
}

TEST_F(FrontPageAbsent, EveryFrontPageFeatureIsSwitchedOff)
{
    NblDocument doc;
    doc.tasks = {DocsTask("Fix the links", "NetbellCookie7")};
    ASSERT_TRUE(Launch(doc));
    ASSERT_EQ(1u, RowsWhen(1).size());
    ASSERT_TRUE(SelectListViewRows(m_p->Handle(), m_list, {0}));
    // The buttons start enabled; the frame greys them once it is idle.
    EXPECT_TRUE(ButtonStateBecomes(cmd::kNewNote, TBSTATE_ENABLED));
    for (int id : cmd::kFrontPage)
        EXPECT_TRUE(ButtonStateBecomes(id, 0));
    EXPECT_EQ("", PaneText());

    // Grey commands do nothing, however they arrive.
    for (int id : cmd::kFrontPage)
        ASSERT_TRUE(PostCommand(m_frame, id));
    EXPECT_TRUE(NoDialogFor(*m_p, 1000)) << Describe(*m_p);
    EXPECT_EQ(0u, LoadingPolicy()) << "the toggle did not run";
    EXPECT_EQ(2, OptionsPageCount()) << "no FrontPage page";
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, kMenuLinksRoot)) << "no menu placed in FrontPage";

    // Ticking the task completes it here only, without a word.
    ASSERT_TRUE(ClickListViewStateIcon(m_p->Handle(), m_list, 0));
    EXPECT_TRUE(WaitUntil([&] { return ListViewCheckState(m_list, 0) == 2; }, 3000));
    EXPECT_TRUE(NoDialogFor(*m_p, 300)) << Describe(*m_p);
    NblDocument expected = doc;
    expected.tasks[0].status = nbl::done;
    EXPECT_EQ(expected, ExitAndRead());
}

}  // namespace
}  // namespace e2e
