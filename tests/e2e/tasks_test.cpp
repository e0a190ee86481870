// The task list at work: tasks of every plain kind made through the real
// task dialog, edited several at a time, ticked done, deleted, launched; the
// project and search-engine lists kept through their dialogs; a warning the
// user silenced staying silent. Each case checks the rows the user sees and
// the data file the program writes.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>

#include "driver.h"
#include "nbl_bytes.h"
#include "netbell_case.h"

namespace e2e {
namespace {

using namespace netbell;
using Rows = std::vector<std::vector<std::string>>;

// Controls of the task dialog.
namespace td {
constexpr int kName = 1016;
constexpr int kAssignTo = 1018;
constexpr int kProject = 1017;
constexpr int kBilling = 1019;
constexpr int kHigh = 1015;
constexpr int kMedium = 1003;
constexpr int kLow = 1008;
constexpr int kUrl = 1021;
constexpr int kFavorites = 1033;
constexpr int kEngines = 1025;
constexpr int kAllSites = 1036;
constexpr int kDescription = 1020;
}  // namespace td

constexpr const char* kMixed = "----------";
enum Column { colType, colPriority, colName, colDescription, colUrl, colProject, colAssignTo, colBilling, colDate };

class TaskList : public NetbellCase {
protected:
    // A returning user's program over doc (no data file when empty), with
    // its task list shown.
    bool Launch(const std::optional<NblDocument>& doc)
    {
        if (doc && !WriteFileBytes(DataPath(), WriteNbl(*doc))) {
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
        EXPECT_TRUE(m_list);
        // The frame may show before the data file's rows are in.
        if (m_list && doc)
            RowsWhen(doc->tasks.size());
        return m_list != nullptr;
    }

    HWND WaitForDialog(const char* caption)
    {
        HWND dlg = WaitForVisibleWindow(*m_p, "#32770", caption);
        if (!dlg)
            ADD_FAILURE() << "no dialog \"" << caption << "\"; open windows:\n" << Describe(*m_p);
        return dlg;
    }

    // OK (or another button) pressed, and the dialog gone.
    bool Close(HWND dlg, int button = IDOK)
    {
        const bool closed = PressButton(dlg, button) && WaitForClose(dlg);
        EXPECT_TRUE(closed) << "the dialog stayed open; " << Describe(*m_p);
        return closed;
    }

    // A message box answered, its text and caption kept for the checks, and
    // its icon when asked for.
    std::optional<CMessageBox> Answer(const char* caption, int button, std::string* icon = nullptr)
    {
        auto box = ExpectMessageBox(*m_p, caption);
        if (box) {
            if (icon)
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

    Rows ReadRows() { return ReadListView(m_p->Handle(), m_list).value_or(Rows{}); }
    // Waits for the list to hold n rows and returns them.
    Rows RowsWhen(size_t n)
    {
        Rows rows;
        EXPECT_TRUE(WaitUntil([&] { return (rows = ReadRows()).size() == n; }, 5000)) << rows.size() << " rows";
        return rows;
    }
    int RowNamed(const std::string& name)
    {
        const Rows rows = ReadRows();
        for (size_t i = 0; i < rows.size(); ++i)
            if (rows[i].size() > colName && rows[i][colName] == name)
                return static_cast<int>(i);
        ADD_FAILURE() << "no row named \"" << name << "\"";
        return -1;
    }
    int StateOf(const std::string& name) { return ListViewCheckState(m_list, RowNamed(name)); }
    int ImageOf(const std::string& name) { return ListViewImage(m_p->Handle(), m_list, RowNamed(name)).value_or(-1); }

    // The data file as a document, waited for until it satisfies pred: the
    // program saves right after the command's dialog has closed.
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
        EXPECT_TRUE(ok) << "the data file is not as expected: " << why << ", " << doc.tasks.size() << " tasks, "
                        << doc.projects.size() << " projects, " << doc.engines.size() << " engines";
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

    CProcess* m_p = nullptr;
    HWND m_frame = nullptr;
    HWND m_list = nullptr;
};

NblTask Task(uint32_t kind, const std::string& name, const std::string& url, int32_t priority,
             const std::string& project, const std::string& billing, const std::string& description)
{
    NblTask t = MakeTask(kind, name, url);
    t.priority = priority;
    t.project = project;
    t.billing = billing;
    t.description = description;
    t.assignTo = "Ada";
    return t;
}

NblTask DoneFrontPageTask(const std::string& name)
{
    NblTask t = MakeTask(nbl::frontPage, name, "Intranet (Home Page)");
    t.status = nbl::done;
    t.webName = "Intranet";
    t.webUrl = "http://intranet.example/";
    t.linkedTo = "Home Page";
    t.pageUrl = "http://intranet.example/index.htm";
    t.cookie = "NetbellCookie1";
    return t;
}

// What one new task is given in the dialog.
struct NewTask {
    int command;
    const char* caption;
    uint32_t kind;
    const char* presetUrl;  // what the URL box holds when it opens
    int priorityButton;     // 0: leave the preset Medium
    const char* url;        // typed over the preset; null: left alone
    const char* project;
    NblTask expected;       // date aside
    int image;              // small image of the open task
};

TEST_F(TaskList, CreatesATaskOfEachPlainKindThroughTheDialog)
{
    NblDocument doc;
    doc.tasks = {DoneFrontPageTask("Review the intranet")};
    doc.projects = {"Work", "Home"};
    doc.engines = {{"Zeta Search", "http://zeta.example/?q="}, {"Alpha Find", "http://alpha.example/find"}};
    ASSERT_TRUE(Launch(doc));

    const NewTask tasks[] = {
        {cmd::kNewEMail, "E-Mail Task", nbl::email, "mailto:", td::kHigh, "mailto:bob@example.com", "Work",
         Task(nbl::email, "Write to Bob", "mailto:bob@example.com", nbl::high, "Work", "B-1", "About the party"), 10},
        {cmd::kNewBrowse, "Browse Task", nbl::browse, "", td::kLow, "http://example.com/page", "Home",
         Task(nbl::browse, "Read the page", "http://example.com/page", nbl::low, "Home", "B-2", "Line one\r\nLine two"),
         2},
        // A URL left as the bare prefix is stored as no URL.
        {cmd::kNewNewsgroup, "Newsgroup Task", nbl::newsgroup, "news:", 0, nullptr, "Work",
         Task(nbl::newsgroup, "Catch up, \"quoted\", with commas", "", nbl::medium, "Work", "B-3", "Skim"), 12},
        {cmd::kNewNote, "Note Task", nbl::note, "", td::kHigh, nullptr, "",
         Task(nbl::note, "Call the bank", "", nbl::high, "", "B-4", ""), 3},
        {cmd::kNewSearch, "Search Task", nbl::search, nullptr, td::kLow, nullptr, "Home",
         Task(nbl::search, "Cheap flights", "http://zeta.example/?q=", nbl::low, "Home", "B-5", "LHR to JFK"), 7},
    };
    const double before = OleDateNow();
    for (const NewTask& t : tasks) {
        SCOPED_TRACE(t.caption);
        ASSERT_TRUE(PostCommand(m_frame, t.command));
        HWND dlg = WaitForDialog(t.caption);
        ASSERT_TRUE(dlg);
        EXPECT_EQ("", Text(dlg, td::kName));
        EXPECT_TRUE(IsChecked(GetDlgItem(dlg, td::kMedium))) << "the default priority is Medium";
        EXPECT_FALSE(IsChecked(GetDlgItem(dlg, td::kHigh)));
        EXPECT_EQ((std::vector<std::string>{"Home", "Work"}), ComboItems(GetDlgItem(dlg, td::kProject)));
        const bool engineMode = t.kind == nbl::search;
        EXPECT_EQ(!engineMode, IsVisible(GetDlgItem(dlg, td::kUrl)));
        EXPECT_EQ(!engineMode, IsVisible(GetDlgItem(dlg, td::kFavorites)));
        EXPECT_EQ(engineMode, IsVisible(GetDlgItem(dlg, td::kEngines)));
        EXPECT_EQ(engineMode, IsVisible(GetDlgItem(dlg, td::kAllSites)));
        if (t.presetUrl) {
            EXPECT_EQ(t.presetUrl, Text(dlg, td::kUrl));
        }

        Type(dlg, td::kName, t.expected.name);
        Type(dlg, td::kAssignTo, t.expected.assignTo);
        Type(dlg, td::kBilling, t.expected.billing);
        Type(dlg, td::kDescription, t.expected.description);
        if (t.url)
            Type(dlg, td::kUrl, t.url);
        if (*t.project) {
            EXPECT_TRUE(SelectComboItem(GetDlgItem(dlg, td::kProject), t.project));
        }
        if (t.priorityButton) {
            ASSERT_TRUE(ClickButton(GetDlgItem(dlg, t.priorityButton)));
            EXPECT_TRUE(WaitUntil([&] { return IsChecked(GetDlgItem(dlg, t.priorityButton)); }, 3000));
        }
        if (engineMode) {
            HWND engines = GetDlgItem(dlg, td::kEngines);
            EXPECT_TRUE(IsWindowEnabled(engines));
            EXPECT_EQ((std::vector<std::string>{"Alpha Find", "Zeta Search"}), ComboItems(engines))
                << "the engine list is sorted by name";
            EXPECT_TRUE(SelectComboItem(engines, "Zeta Search"));
            Sleep(200);  // let it paint
            Screenshot("search_task_dialog");
        } else if (t.kind == nbl::browse) {
            Sleep(200);
            Screenshot("task_dialog");
        }
        ASSERT_TRUE(Close(dlg));
    }
    const double after = OleDateNow();

    // New rows go in at the top, newest first, without a sort.
    const Rows rows = RowsWhen(6);
    ASSERT_EQ(6u, rows.size());
    const char* const priorities[] = {"High", "Medium", "Low"};
    for (size_t i = 0; i < 5; ++i) {
        const NewTask& t = tasks[4 - i];
        SCOPED_TRACE(t.caption);
        const std::vector<std::string> expected = {
            rows[i][colType], priorities[t.expected.priority], t.expected.name, t.expected.description,
            t.expected.url, t.expected.project, "Ada", t.expected.billing, ListDate(before)};
        EXPECT_EQ(expected, rows[i]);
        EXPECT_EQ(1, ListViewCheckState(m_list, static_cast<int>(i)));
        EXPECT_EQ(t.image, ListViewImage(m_p->Handle(), m_list, static_cast<int>(i)).value_or(-1));
    }
    EXPECT_EQ((std::vector<std::string>{"Search", "Note", "Newsgroup", "Browse", "E-Mail", "FrontPage"}),
              (std::vector<std::string>{rows[0][0], rows[1][0], rows[2][0], rows[3][0], rows[4][0], rows[5][0]}));
    Sleep(200);
    Screenshot("task_list");

    // Each task reached the file when its dialog closed, not only at Exit.
    FileWhen([](const NblDocument& d) { return d.tasks.size() == 6; });
    const NblDocument file = ExitAndRead();
    ASSERT_EQ(6u, file.tasks.size());
    EXPECT_EQ(doc.tasks[0], file.tasks[0]) << "the stored task is written back as it was";
    for (size_t i = 0; i < 5; ++i) {
        NblTask expected = tasks[i].expected;
        const NblTask& got = file.tasks[i + 1];
        // Stamped with the local clock, to the second, when OK was pressed.
        EXPECT_GE(got.date, before - 1.0 / 86400) << tasks[i].caption;
        EXPECT_LE(got.date, after + 1.0 / 86400) << tasks[i].caption;
        expected.date = got.date;
        EXPECT_EQ(expected, got);
    }
    EXPECT_EQ(doc.projects, file.projects);
    EXPECT_EQ(doc.engines, file.engines);
}

TEST_F(TaskList, EditingTwoTasksChangesOnlyWhatTheUserChanged)
{
    NblDocument doc;
    doc.projects = {"Work"};
    doc.tasks = {Task(nbl::browse, "Alpha", "http://a.example/", nbl::high, "Work", "B1", "first"),
                 Task(nbl::browse, "Beta", "http://b.example/", nbl::low, "Work", "B2", "second"),
                 Task(nbl::browse, "Gamma", "http://c.example/", nbl::low, "Home", "B3", "third")};
    ASSERT_TRUE(Launch(doc));
    ASSERT_TRUE(SelectListViewRows(m_p->Handle(), m_list, {RowNamed("Beta"), RowNamed("Alpha")}));
    ASSERT_TRUE(PostCommand(m_frame, cmd::kEdit));
    HWND dlg = WaitForDialog("Browse Task");
    ASSERT_TRUE(dlg);

    // What differs shows the marker and no priority; what is shared shows.
    EXPECT_EQ(kMixed, Text(dlg, td::kName));
    EXPECT_EQ(kMixed, Text(dlg, td::kDescription));
    EXPECT_EQ(kMixed, Text(dlg, td::kUrl));
    EXPECT_EQ(kMixed, Text(dlg, td::kBilling));
    EXPECT_EQ("Ada", Text(dlg, td::kAssignTo));
    EXPECT_EQ("Work", Text(dlg, td::kProject));
    for (int id : {td::kHigh, td::kMedium, td::kLow})
        EXPECT_FALSE(IsChecked(GetDlgItem(dlg, id))) << id;

    Type(dlg, td::kBilling, "B9");
    ASSERT_TRUE(ClickButton(GetDlgItem(dlg, td::kMedium)));
    ASSERT_TRUE(WaitUntil([&] { return IsChecked(GetDlgItem(dlg, td::kMedium)); }, 3000));
    ASSERT_TRUE(Close(dlg));

    NblDocument expected = doc;
    for (size_t i : {0u, 1u}) {
        expected.tasks[i].billing = "B9";
        expected.tasks[i].priority = nbl::medium;
    }
    // Saved at once, once, with only the two changes.
    EXPECT_EQ(expected, FileWhen([&](const NblDocument& d) { return d == expected; }));
    const Rows rows = ReadRows();
    ASSERT_EQ(3u, rows.size());
    EXPECT_EQ((std::vector<std::string>{"Browse", "Medium", "Alpha", "first", "http://a.example/", "Work", "Ada",
                                        "B9", "07 Dec 1997"}),
              rows[static_cast<size_t>(RowNamed("Alpha"))]);
    EXPECT_EQ((std::vector<std::string>{"Browse", "Medium", "Beta", "second", "http://b.example/", "Work", "Ada",
                                        "B9", "07 Dec 1997"}),
              rows[static_cast<size_t>(RowNamed("Beta"))]);
    EXPECT_EQ((std::vector<std::string>{"Browse", "Low", "Gamma", "third", "http://c.example/", "Home", "Ada", "B3",
                                        "07 Dec 1997"}),
              rows[static_cast<size_t>(RowNamed("Gamma"))]);
}

TEST_F(TaskList, TickingATaskDoneChangesItsIconAndReachesTheFileAtExit)
{
    NblDocument doc;
    doc.tasks = {MakeTask(nbl::browse, "Read news", "http://news.example/"),
                 MakeTask(nbl::search, "Find flights", "http://zeta.example/?q="), MakeTask(nbl::note, "Call")};
    ASSERT_TRUE(Launch(doc));
    const auto original = ReadFileBytes(DataPath());
    EXPECT_EQ(1, StateOf("Read news"));
    EXPECT_EQ(2, ImageOf("Read news"));

    // Clicks in the Name, Description and Url cells of three rows tick
    // nothing; they are handled before the click on the box that follows.
    RECT client;
    ASSERT_TRUE(GetClientRect(m_list, &client));
    for (const auto& [name, column] : {std::pair<const char*, int>{"Find flights", colName},
                                       {"Call", colDescription}, {"Read news", colUrl}}) {
        const auto bounds = ListViewItemRect(m_p->Handle(), m_list, RowNamed(name), LVIR_BOUNDS);
        ASSERT_TRUE(bounds);
        int x = bounds->left;
        for (int c = 0; c < column; ++c)
            x += static_cast<int>(SendMessageA(m_list, LVM_GETCOLUMNWIDTH, c, 0));
        x += 8;
        ASSERT_LT(x, client.right) << "the cell of column " << column << " is in view";
        const LPARAM at = MAKELPARAM(x, (bounds->top + bounds->bottom) / 2);
        ASSERT_TRUE(Post(m_list, WM_LBUTTONDOWN, MK_LBUTTON, at) && Post(m_list, WM_LBUTTONUP, 0, at));
    }
    // A double click on the box ticks it as one click does, and opens no
    // editor; Space ticks the focused row.
    ASSERT_TRUE(ClickListViewStateIcon(m_p->Handle(), m_list, RowNamed("Read news"), true));
    EXPECT_TRUE(WaitUntil([&] { return StateOf("Read news") == 2; }, 3000));
    EXPECT_TRUE(NoDialogFor(*m_p, 500)) << Describe(*m_p);
    EXPECT_EQ(2, StateOf("Read news")) << "the second click of the double click is nothing";
    EXPECT_EQ(5, ImageOf("Read news")) << "the done Browse icon";
    ASSERT_TRUE(SelectListViewRows(m_p->Handle(), m_list, {RowNamed("Find flights")}));
    ASSERT_TRUE(PressListViewKey(m_list, VK_SPACE));
    EXPECT_TRUE(WaitUntil([&] { return StateOf("Find flights") == 2; }, 3000));
    EXPECT_EQ(8, ImageOf("Find flights")) << "the done Search icon";
    // A second click takes the tick away again.
    ASSERT_TRUE(ClickListViewStateIcon(m_p->Handle(), m_list, RowNamed("Find flights")));
    EXPECT_TRUE(WaitUntil([&] { return StateOf("Find flights") == 1; }, 3000));
    EXPECT_EQ(7, ImageOf("Find flights"));
    EXPECT_EQ(1, StateOf("Call"));
    EXPECT_EQ("Browse", ReadRows()[static_cast<size_t>(RowNamed("Read news"))][colType]);

    Sleep(300);
    EXPECT_EQ(original, ReadFileBytes(DataPath())) << "a tick alone does not save";
    NblDocument expected = doc;
    expected.tasks[0].status = nbl::done;
    EXPECT_EQ(expected, ExitAndRead());
}

TEST_F(TaskList, DeletingKeepsTheOthersInTheirOrderAndActsOnTheChosenTasks)
{
    NblDocument doc;
    for (const char* name : {"One", "Two", "Three", "Four", "Five"})
        doc.tasks.push_back(MakeTask(nbl::note, name));
    ASSERT_TRUE(Launch(doc));
    const auto original = ReadFileBytes(DataPath());

    ASSERT_TRUE(SelectListViewRows(m_p->Handle(), m_list, {RowNamed("Three")}));
    ASSERT_TRUE(PostCommand(m_frame, cmd::kDelete));
    std::string icon;
    auto one = Answer("Confirm Task Deletion", IDNO, &icon);
    ASSERT_TRUE(one);
    EXPECT_EQ("Are you sure you want to delete this Task ?", one->text);
    EXPECT_EQ("question", icon);

    ASSERT_TRUE(SelectListViewRows(m_p->Handle(), m_list, {RowNamed("Two"), RowNamed("Four")}));
    ASSERT_TRUE(PostCommand(m_frame, cmd::kDelete));
    auto two = Answer("Confirm Multiple Task Deletion", IDNO);
    ASSERT_TRUE(two);
    EXPECT_EQ("Are you sure you want to delete these 2 Tasks ?", two->text);
    Sleep(300);
    EXPECT_EQ(5u, ReadRows().size()) << "No keeps every task";
    EXPECT_EQ(original, ReadFileBytes(DataPath()));

    ASSERT_TRUE(PostCommand(m_frame, cmd::kDelete));
    ASSERT_TRUE(Answer("Confirm Multiple Task Deletion", IDYES));
    NblDocument expected;
    expected.tasks = {doc.tasks[0], doc.tasks[2], doc.tasks[4]};
    EXPECT_EQ(expected, FileWhen([&](const NblDocument& d) { return d.tasks.size() == 3; }))
        << "saved at once, the rest in their order";
    const Rows rows = RowsWhen(3);
    std::vector<std::string> names;
    for (const auto& row : rows)
        names.push_back(row[colName]);
    std::sort(names.begin(), names.end());
    EXPECT_EQ((std::vector<std::string>{"Five", "One", "Three"}), names);

    // A task added from the tray menu while the question is open moves the
    // rows down; Yes still deletes the chosen task, and the new one stays.
    ASSERT_TRUE(SelectListViewRows(m_p->Handle(), m_list, {RowNamed("Three")}));
    ASSERT_TRUE(PostCommand(m_frame, cmd::kDelete));
    const auto question = ExpectMessageBox(*m_p, "Confirm Task Deletion");
    ASSERT_TRUE(question);
    ASSERT_TRUE(PostCommand(m_frame, cmd::kNewBrowse));
    HWND added = WaitForDialog("Browse Task");
    ASSERT_TRUE(added);
    Type(added, td::kName, "Added");
    ASSERT_TRUE(Close(added));
    ASSERT_TRUE(PressButton(question->hwnd, IDYES));
    ASSERT_TRUE(WaitForClose(question->hwnd));
    names.clear();
    for (const auto& task : ExitAndRead().tasks)
        names.push_back(task.name);
    EXPECT_EQ((std::vector<std::string>{"One", "Five", "Added"}), names);
}

TEST_F(TaskList, AColumnClickSortsTheRowsWithTheirCellsAndTheSelection)
{
    // The rows keep their texts with the program, which the control asks
    // for as it shows them: a sort must move each row's cells with it.
    NblDocument doc;
    doc.tasks = {Task(nbl::note, "bravo", "", 1, "", "", "second"), Task(nbl::note, "Alpha", "", 2, "", "", "first"),
                 Task(nbl::note, "charlie", "", 0, "", "", "third")};
    ASSERT_TRUE(Launch(doc));
    ASSERT_TRUE(SelectListViewRows(m_p->Handle(), m_list, {RowNamed("charlie")}));
    HWND header = FindChild(m_list, "SysHeader32");
    ASSERT_TRUE(header);
    RECT rc = {};
    ASSERT_TRUE(GetClientRect(header, &rc));
    int x = 0;
    for (int c = 0; c < colName; ++c)
        x += static_cast<int>(Send(m_list, LVM_GETCOLUMNWIDTH, c, 0).value_or(0));
    x += static_cast<int>(Send(m_list, LVM_GETCOLUMNWIDTH, colName, 0).value_or(0)) / 2;
    const LPARAM at = MAKELPARAM(x, (rc.top + rc.bottom) / 2);
    const auto clickName = [&] {
        return Post(header, WM_LBUTTONDOWN, MK_LBUTTON, at) && Post(header, WM_LBUTTONUP, 0, at);
    };
    const auto column = [](const Rows& rows, int c) {
        std::vector<std::string> texts;
        for (const auto& row : rows)
            texts.push_back(row.at(c));
        return texts;
    };
    const std::vector<std::string> down = {"charlie", "bravo", "Alpha"};
    const std::vector<std::string> up = {"Alpha", "bravo", "charlie"};

    // The first click sorts down, case aside; the next one up.
    ASSERT_TRUE(clickName());
    Rows rows;
    EXPECT_TRUE(WaitUntil([&] { return column(rows = ReadRows(), colName) == down; }, 5000));
    EXPECT_EQ((std::vector<std::string>{"third", "second", "first"}), column(rows, colDescription));
    EXPECT_EQ((std::vector<std::string>{"High", "Medium", "Low"}), column(rows, colPriority));
    EXPECT_EQ((std::vector<int>{0}), ListViewSelectedRows(m_list)) << "the selection goes with its row";
    ASSERT_TRUE(clickName());
    EXPECT_TRUE(WaitUntil([&] { return column(rows = ReadRows(), colName) == up; }, 5000));
    EXPECT_EQ((std::vector<std::string>{"first", "second", "third"}), column(rows, colDescription));
    EXPECT_EQ((std::vector<int>{2}), ListViewSelectedRows(m_list));
    // A typed letter goes on to the next row whose first cell it begins,
    // from the one with the focus, round to the top.
    ASSERT_TRUE(Post(m_list, WM_CHAR, 'n', 1));
    EXPECT_TRUE(WaitUntil([&] { return ListViewSelectedRows(m_list) == std::vector<int>{0}; }, 5000));
    EXPECT_EQ(doc, ExitAndRead()) << "a sort changes nothing in the file";
}

TEST_F(TaskList, ProjectsAndSearchEnginesAreAddedAndDeletedThroughTheirDialogs)
{
    ASSERT_TRUE(Launch(std::nullopt));

    // Add Project refuses an empty name and keeps the dialog open.
    ASSERT_TRUE(PostCommand(m_frame, cmd::kInsertProject));
    HWND add = WaitForDialog("Add Project");
    ASSERT_TRUE(add);
    ASSERT_TRUE(PressButton(add, IDOK));
    std::string icon;
    const auto empty = Answer("Project name needed", IDOK, &icon);
    ASSERT_TRUE(empty);
    EXPECT_EQ("Please enter a Project Name", empty->text);
    EXPECT_EQ("exclamation", icon);
    ASSERT_TRUE(IsWindow(add));
    Type(add, 1029, "Work");
    Sleep(200);
    Screenshot("add_project");
    ASSERT_TRUE(Close(add));
    FileWhen([](const NblDocument& d) { return d.projects == std::vector<std::string>{"Work"}; });
    for (const char* name : {"Home", "Alpha", "Dropped"}) {
        ASSERT_TRUE(PostCommand(m_frame, cmd::kInsertProject));
        add = WaitForDialog("Add Project");
        ASSERT_TRUE(add);
        Type(add, 1029, name);
        ASSERT_TRUE(Close(add, std::string(name) == "Dropped" ? IDCANCEL : IDOK));
    }
    FileWhen([](const NblDocument& d) { return d.projects == std::vector<std::string>{"Work", "Home", "Alpha"}; });

    // The delete list is sorted; what goes is what was selected.
    ASSERT_TRUE(PostCommand(m_frame, cmd::kEditProjects));
    HWND del = WaitForDialog("Delete Projects");
    ASSERT_TRUE(del);
    HWND box = GetDlgItem(del, 1017);
    EXPECT_EQ((std::vector<std::string>{"Alpha", "Home", "Work"}), ListBoxItems(box));
    EXPECT_TRUE(SelectListBoxItem(box, 0));
    EXPECT_TRUE(SelectListBoxItem(box, 2));
    Sleep(200);
    Screenshot("delete_projects");
    ASSERT_TRUE(Close(del));
    FileWhen([](const NblDocument& d) { return d.projects == std::vector<std::string>{"Home"}; });

    // Add Search Engine Url wants a name, then a URL.
    ASSERT_TRUE(PostCommand(m_frame, cmd::kInsertEngine));
    add = WaitForDialog("Add Search Engine Url");
    ASSERT_TRUE(add);
    ASSERT_TRUE(PressButton(add, IDOK));
    const auto noName = Answer("Data Entry Error", IDOK);
    ASSERT_TRUE(noName);
    EXPECT_EQ("Please fill in a Name for this WebSite", noName->text);
    Type(add, 1032, "Zeta");
    ASSERT_TRUE(PressButton(add, IDOK));
    const auto noUrl = Answer("Data Entry Error", IDOK);
    ASSERT_TRUE(noUrl);
    EXPECT_EQ("Please fill in a URL for this WebSite", noUrl->text);
    Type(add, 1031, "http://zeta.example/?q=");
    Sleep(200);
    Screenshot("add_search_engine");
    ASSERT_TRUE(Close(add));
    const std::vector<NblEngine> engines = {
        {"Zeta", "http://zeta.example/?q="}, {"Alpha", "http://alpha.example/?q="}, {"Mid", "http://mid.example/?q="}};
    for (size_t i = 1; i < engines.size(); ++i) {
        ASSERT_TRUE(PostCommand(m_frame, cmd::kInsertEngine));
        add = WaitForDialog("Add Search Engine Url");
        ASSERT_TRUE(add);
        Type(add, 1032, engines[i].name);
        Type(add, 1031, engines[i].url);
        ASSERT_TRUE(Close(add));
    }
    FileWhen([&](const NblDocument& d) { return d.engines == engines; });

    // The newest engine is listed first; deleting the top row removes it.
    ASSERT_TRUE(PostCommand(m_frame, cmd::kEditEngines));
    del = WaitForDialog("Delete Search Engine Url");
    ASSERT_TRUE(del);
    HWND list = GetDlgItem(del, 1035);
    const auto titles = ReadListViewColumns(m_p->Handle(), list);
    ASSERT_TRUE(titles);
    ASSERT_EQ(2u, titles->size());
    EXPECT_EQ(std::string("Site Name") + std::string(24, ' '), (*titles)[0]);
    EXPECT_EQ(std::string("Site Url") + std::string(43, ' '), (*titles)[1]);
    EXPECT_EQ((Rows{{"Mid", "http://mid.example/?q="},
                    {"Alpha", "http://alpha.example/?q="},
                    {"Zeta", "http://zeta.example/?q="}}),
              ReadListView(m_p->Handle(), list).value_or(Rows{}));
    ASSERT_TRUE(SelectListViewRows(m_p->Handle(), list, {0}));
    Sleep(200);
    Screenshot("delete_search_engines");
    ASSERT_TRUE(Close(del));
    FileWhen([&](const NblDocument& d) {
        return d.engines == std::vector<NblEngine>{engines[0], engines[1]} && d.projects.size() == 1;
    });
    EXPECT_TRUE(ReadRows().empty()) << "the task list is untouched";
}

TEST_F(TaskList, AllSitesMakesOneSearchTaskPerEngineInEngineOrder)
{
    NblDocument doc;
    doc.tasks = {MakeTask(nbl::note, "Call")};
    doc.engines = {
        {"Zeta", "http://zeta.example/?q="}, {"Alpha", "http://alpha.example/?q="}, {"Mid", "http://mid.example/?q="}};
    ASSERT_TRUE(Launch(doc));
    ASSERT_TRUE(PostCommand(m_frame, cmd::kNewSearch));
    HWND dlg = WaitForDialog("Search Task");
    ASSERT_TRUE(dlg);
    Type(dlg, td::kName, "Cheap flights");
    Type(dlg, td::kDescription, "LHR to JFK");

    // No engine and no "All Sites": the program asks, and No keeps the dialog.
    // The question is the dialog's own, so the dialog takes no input under it.
    ASSERT_TRUE(PressButton(dlg, IDOK));
    const auto question = ExpectMessageBox(*m_p, "Warning");
    ASSERT_TRUE(question);
    EXPECT_EQ("You have not selected a Search Site, Is that OK ?", question->text);
    EXPECT_EQ(dlg, GetWindow(question->hwnd, GW_OWNER));
    EXPECT_FALSE(IsWindowEnabled(dlg));
    ASSERT_TRUE(PressButton(question->hwnd, IDNO));
    ASSERT_TRUE(WaitForClose(question->hwnd));
    ASSERT_TRUE(IsWindow(dlg));

    ASSERT_TRUE(ClickButton(GetDlgItem(dlg, td::kAllSites)));
    ASSERT_TRUE(WaitUntil([&] { return IsChecked(GetDlgItem(dlg, td::kAllSites)); }, 3000));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(GetDlgItem(dlg, td::kEngines)); }, 3000))
        << "All Sites disables the engine list";
    const double before = OleDateNow();
    ASSERT_TRUE(Close(dlg)) << "All Sites asks nothing";

    const Rows rows = RowsWhen(4);
    ASSERT_EQ(4u, rows.size());
    EXPECT_EQ((std::vector<std::string>{"http://mid.example/?q=", "http://alpha.example/?q=",
                                        "http://zeta.example/?q=", ""}),
              (std::vector<std::string>{rows[0][colUrl], rows[1][colUrl], rows[2][colUrl], rows[3][colUrl]}))
        << "each new row went in at the top";
    const NblDocument file = FileWhen([](const NblDocument& d) { return d.tasks.size() == 4; });
    ASSERT_EQ(4u, file.tasks.size());
    EXPECT_EQ(doc.tasks[0], file.tasks[0]);
    for (size_t i = 0; i < 3; ++i) {
        NblTask expected = MakeTask(nbl::search, "Cheap flights", doc.engines[i].url);
        expected.description = "LHR to JFK";
        expected.date = file.tasks[1].date;
        EXPECT_EQ(expected, file.tasks[i + 1]) << "one per engine, in the engines' order";
    }
    EXPECT_NEAR(before, file.tasks[1].date, 2.0 / 86400);
    EXPECT_EQ(doc.engines, file.engines);
}

TEST_F(TaskList, LaunchingAUrlTheShellCannotOpenSaysSo)
{
    const std::string url = "zzq-nosuch:nowhere";
    NblDocument doc;
    doc.tasks = {MakeTask(nbl::browse, "Broken", url)};
    ASSERT_TRUE(Launch(doc));
    ASSERT_TRUE(SelectListViewRows(m_p->Handle(), m_list, {0}));
    ASSERT_TRUE(PostCommand(m_frame, cmd::kLaunch));
    const auto box = ExpectMessageBox(*m_p, "Shell Error");
    ASSERT_TRUE(box);
    EXPECT_EQ("Sorry, Unable to execute the Url:\n" + url + "\nfor the shell", box->text);
    EXPECT_EQ("exclamation", MessageBoxIcon(box->hwnd));
    ASSERT_TRUE(PressButton(box->hwnd, IDOK));
    ASSERT_TRUE(WaitForClose(box->hwnd));
    EXPECT_EQ(1, ListViewCheckState(m_list, 0)) << "launching leaves the task open";
    EXPECT_EQ(doc, ExitAndRead());
}

// Warnings are shown only around FrontPage tasks: taking the tick off a
// done one while FrontPage is not there.
TEST_F(TaskList, AWarningSilencedWithOkStaysSilentAfterARestart)
{
    constexpr const char* kText =
        "Sorry, Netbell Can no longer detect FrontPage 2.0 or greater on your system. If this is not the case, "
        "please contact Technical Support.";
    const std::string messages = std::string(kAppKey) + "\\Settings\\Messages";
    NblDocument doc;
    doc.tasks = {DoneFrontPageTask("Fix links"), DoneFrontPageTask("Update page")};
    ASSERT_TRUE(Launch(doc));
    EXPECT_EQ(9, ImageOf("Fix links")) << "the done FrontPage icon";

    // Ticking "Ignore" and leaving with Escape silences nothing.
    ASSERT_TRUE(ClickListViewStateIcon(m_p->Handle(), m_list, RowNamed("Fix links")));
    HWND warning = WaitForDialog("WARNING !!");
    ASSERT_TRUE(warning);
    EXPECT_EQ(kText, DialogItemText(warning, 1053));
    EXPECT_FALSE(IsChecked(GetDlgItem(warning, 1052)));
    Sleep(200);
    Screenshot("warning_dialog");
    ASSERT_TRUE(ClickButton(GetDlgItem(warning, 1052)));
    ASSERT_TRUE(WaitUntil([&] { return IsChecked(GetDlgItem(warning, 1052)); }, 3000));
    ASSERT_TRUE(Close(warning, IDCANCEL));
    EXPECT_TRUE(WaitUntil([&] { return StateOf("Fix links") == 1; }, 3000)) << "the warning only informs";
    EXPECT_EQ(4, ImageOf("Fix links"));
    EXPECT_FALSE(RegReadDword(HKEY_CURRENT_USER, messages, "61225"));

    // With OK it is remembered.
    ASSERT_TRUE(ClickListViewStateIcon(m_p->Handle(), m_list, RowNamed("Update page")));
    warning = WaitForDialog("WARNING !!");
    ASSERT_TRUE(warning);
    ASSERT_TRUE(ClickButton(GetDlgItem(warning, 1052)));
    ASSERT_TRUE(WaitUntil([&] { return IsChecked(GetDlgItem(warning, 1052)); }, 3000));
    ASSERT_TRUE(Close(warning));
    EXPECT_TRUE(WaitUntil([&] { return StateOf("Update page") == 1; }, 3000));
    EXPECT_EQ(1u, RegReadDword(HKEY_CURRENT_USER, messages, "61225").value_or(0));
    NblDocument unticked = doc;
    for (NblTask& t : unticked.tasks)
        t.status = nbl::open;
    EXPECT_EQ(unticked, ExitAndRead());

    // Next run: the same warning stays away.
    ASSERT_TRUE(Launch(doc));
    ASSERT_TRUE(ClickListViewStateIcon(m_p->Handle(), m_list, RowNamed("Fix links")));
    EXPECT_TRUE(WaitUntil([&] { return StateOf("Fix links") == 1; }, 3000));
    EXPECT_TRUE(NoDialogFor(*m_p, 1000)) << Describe(*m_p);
}

// The 64-bit program keeps text in any language: a name in several scripts
// shows exactly, takes the file's 16-bit form and comes back after a
// restart; a name the code page holds keeps the single-byte form; an
// Internet shortcut named and pointing outside the code page, dropped on the
// list, becomes a Browse task with both exact.
TEST_F(TaskList, TextInAnyScriptIsShownStoredAndReadBackExactly)
{
    if (sizeof(void*) != 8)
        GTEST_SKIP() << "the 32-bit program is a single-byte program";
    ASSERT_TRUE(Launch(std::nullopt));
    const std::string mixed = u8"Задачи — 東京 ✓ 😀 café";
    const std::string cafe = u8"Café crème";
    for (const std::string& name : {cafe, mixed}) {
        ASSERT_TRUE(PostCommand(m_frame, cmd::kNewNote));
        HWND dlg = WaitForDialog("Note Task");
        ASSERT_TRUE(dlg);
        Type(dlg, td::kName, name);
        EXPECT_EQ(name, Text(dlg, td::kName));
        ASSERT_TRUE(Close(dlg));
    }

    const std::string favorites = JoinPath(m_strFolder, u8"Избранное");
    ASSERT_TRUE(CreateDirectoryW(Wide(favorites).c_str(), nullptr));
    const std::string shortcut = JoinPath(favorites, u8"東京の天気 ☀.url");
    const std::string url = u8"http://example.com/погода/東京?q=😀";
    const std::string ini = "\xEF\xBB\xBF[InternetShortcut]\r\nURL=" + url + "\r\n";
    ASSERT_TRUE(WriteFileBytes(shortcut, std::vector<uint8_t>(ini.begin(), ini.end())));
    EXPECT_TRUE(DropFiles(m_list, {shortcut})) << Describe(*m_p);

    Rows rows = RowsWhen(3);
    ASSERT_EQ(3u, rows.size());
    EXPECT_EQ((std::vector<std::string>{"Browse", u8"東京の天気 ☀", url}),
              (std::vector<std::string>{rows[0][colType], rows[0][colName], rows[0][colUrl]}));
    EXPECT_EQ(mixed, rows[1][colName]);
    EXPECT_EQ(cafe, rows[2][colName]);
    Sleep(200);
    Screenshot("task_list_any_script");

    const NblDocument file = ExitAndRead();
    ASSERT_EQ(3u, file.tasks.size());
    EXPECT_EQ(cafe, file.tasks[0].name);
    EXPECT_EQ(mixed, file.tasks[1].name);
    EXPECT_EQ(u8"東京の天気 ☀", file.tasks[2].name);
    EXPECT_EQ(url, file.tasks[2].url);
    // The forms themselves: 16-bit units for the mixed name, one byte a
    // character for the name the code page holds.
    const std::vector<uint8_t> raw = ReadFileBytes(DataPath()).value_or(std::vector<uint8_t>{});
    const std::wstring wide = Wide(mixed);
    std::vector<uint8_t> wideForm = {0xFF, 0xFE, 0xFF, static_cast<uint8_t>(wide.size())};
    for (wchar_t c : wide) {
        wideForm.push_back(static_cast<uint8_t>(c));
        wideForm.push_back(static_cast<uint8_t>(c >> 8));
    }
    EXPECT_NE(std::search(raw.begin(), raw.end(), wideForm.begin(), wideForm.end()), raw.end());
    if (GetACP() == 1252) {
        const std::vector<uint8_t> single = {10, 'C', 'a', 'f', 0xE9, ' ', 'c', 'r', 0xE8, 'm', 'e'};
        EXPECT_NE(std::search(raw.begin(), raw.end(), single.begin(), single.end()), raw.end());
    }

    m_p = &Start();
    m_frame = WaitForFrame(*m_p);
    ASSERT_TRUE(m_frame && ShowByTray(m_frame)) << Describe(*m_p);
    m_list = FindChild(m_frame, kListClass);
    ASSERT_TRUE(m_list);
    EXPECT_EQ(rows, RowsWhen(3)) << "the same rows after a restart";
}

}  // namespace
}  // namespace e2e
