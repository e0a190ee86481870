// The task list on a real list-view control, holding no items (owner data)
// and holding an empty item per row, as the first common controls do: what
// each row shows, and where selection, focus, anchor and scroll place go
// when a row comes in at the top, when the rows are sorted, and when the
// user types.
#include "view/win32/netbell_view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/dialog_guard.h"
#include "base/settings.h"
#include "base/win32/text_win32.h"
#include "dialogs/win32/report_list_ctrl.h"
#include "model/netbell_doc.h"
#include "support/fakes.h"

namespace {

class CNoFrontPage : public IFrontPageTasks {
public:
    bool IsPresent() override { return false; }
    bool CompleteInFrontPage(CRemindTask&) override { return false; }
    void EditFrontPageItem(int) override {}
    void EditFrontPageSelection() override {}
    void ShowWarning(unsigned) override {}
};

CNetbellView* g_pView = nullptr;

const char kScripts[] = u8" Задачи 東京 😀";

// The frame's part: the list's notifications go to the view.
LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (msg == WM_NOTIFY && g_pView && g_pView->OnNotify(reinterpret_cast<NMHDR*>(lParam), result))
        return result;
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

class TaskListControl : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        m_bOle = SUCCEEDED(OleInitialize(nullptr));
        // A window of the build's characters, as the frame is: the list
        // tells it in the same.
        WNDCLASS wc = {};
        wc.lpfnWndProc = ParentProc;
        wc.hInstance = GetModuleHandle(nullptr);
        wc.lpszClassName = TEXT("TaskListControlParent");
        RegisterClass(&wc);
        m_hParent = CreateWindow(wc.lpszClassName, TEXT(""), WS_OVERLAPPEDWINDOW, 0, 0, 600, 300, nullptr, nullptr,
                                 wc.hInstance, nullptr);
        ASSERT_TRUE(m_hParent);
        prompts.SetOwner(m_hParent);
        // Kinds in turn, so that typing has somewhere to go; every third done;
        // one name in three scripts.
        static const uint32_t kKinds[] = {kindNote, kindBrowse, kindSearch, kindEMail, kindNewsgroup};
        for (int i = 0; i < 40; ++i)
            AddTask(kKinds[i % 5], "Task " + std::to_string(100 + (i * 37) % 40) + (i == 11 ? kScripts : ""),
                    i % 3 == 0);
        g_pView = &view;
        ASSERT_TRUE(view.Create(m_hParent, 1, frontPage, GetParam()));
        m_hList = view.GetSafeHwnd();
        MoveWindow(m_hList, 0, 0, 580, 200, FALSE);
        ShowWindow(m_hParent, SW_SHOWNA);
        CReportListCtrl(m_hList).SetColumnHeadings("Type,Priority,Name,Description,Url,Project,Assign To,"
                                                   "Billing Info,Date Added");
        view.Commands().FillList();
    }

    void TearDown() override
    {
        view.RevokeDropTarget();
        if (m_hParent)
            DestroyWindow(m_hParent);
        g_pView = nullptr;
        if (m_bOle)
            OleUninitialize();
    }

    CRemindTask& AddTask(uint32_t nKind, const std::string& name, bool bDone)
    {
        doc.m_arrTasks.push_back(std::make_unique<CRemindTask>());
        CRemindTask& t = *doc.m_arrTasks.back();
        t.m_nKind = nKind;
        t.m_strName = name;
        t.m_nStatus = bDone ? statusDone : statusOpen;
        t.m_dtAdded.m_dt = 40000;
        return t;
    }

    int Count() { return ListView_GetItemCount(m_hList); }
    std::string Text(int nRow, int nColumn)
    {
        TCHAR buf[256] = {};
        ListView_GetItemText(m_hList, nRow, nColumn, buf, 256);
        return FromSys(buf);
    }
    int Image(int nRow)
    {
        LVITEM item = {};
        item.mask = LVIF_IMAGE;
        item.iItem = nRow;
        return ListView_GetItem(m_hList, &item) ? item.iImage : -1;
    }
    int CheckState(int nRow) { return static_cast<int>(ListView_GetItemState(m_hList, nRow, LVIS_STATEIMAGEMASK) >> 12); }
    int Focus() { return ListView_GetNextItem(m_hList, -1, LVNI_FOCUSED); }
    std::vector<size_t> SelectedTasks()
    {
        std::vector<size_t> tasks;
        for (int nRow : view.GetSelectedRows())
            tasks.push_back(view.GetRowTask(nRow));
        return tasks;
    }
    // What the control shows of each row, checked against the rows a fill
    // makes of the same tasks.
    void ExpectRowsOf(const std::vector<size_t>& tasks)
    {
        ASSERT_EQ(static_cast<int>(tasks.size()), Count());
        for (int nRow = 0; nRow < Count(); ++nRow) {
            const CRemindTask& t = *doc.m_arrTasks[tasks[static_cast<size_t>(nRow)]];
            const TaskRow expected = MakeTaskRow(t, tasks[static_cast<size_t>(nRow)]);
            EXPECT_EQ(tasks[static_cast<size_t>(nRow)], view.GetRowTask(nRow)) << nRow;
            // Exact where the system's characters hold the text.
            for (int c = 0; c < kTaskColumnCount; ++c)
                EXPECT_EQ(FromSys(ToSys(expected.cells[static_cast<size_t>(c)])), Text(nRow, c)) << nRow << ", " << c;
            EXPECT_EQ(expected.nImage, Image(nRow)) << nRow;
            EXPECT_EQ(expected.nState, CheckState(nRow)) << nRow;
        }
    }

    CFakeFileSystem fs;
    CFakePrompts docPrompts;
    CNetbellDoc doc{fs, docPrompts};
    CMemorySettingsStore settings;
    CWin32Prompts prompts;
    CFakeGuardEvent guardEvent;
    CDialogGuard guard{guardEvent, prompts, [] {}};
    CNoFrontPage frontPage;
    CNetbellView view{ViewPorts{GetModuleHandle(nullptr), doc, settings, prompts, guard}};
    HWND m_hParent = nullptr;
    HWND m_hList = nullptr;
    bool m_bOle = false;
};

TEST_P(TaskListControl, RowsKeepTheirTasksSelectionFocusAnchorAndPlaceThroughAnInsertAndASort)
{
    ExpectRowsOf(FillOrder(doc, colType, false));

    // Two rows picked, the later one last (focus and anchor), the list
    // scrolled on past them.
    ListView_SetItemState(m_hList, 5, LVIS_SELECTED, LVIS_SELECTED);
    ListView_SetItemState(m_hList, 7, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetSelectionMark(m_hList, 7);
    RECT rc = {};
    ASSERT_TRUE(ListView_GetItemRect(m_hList, 0, &rc, LVIR_BOUNDS));
    ListView_Scroll(m_hList, 0, 12 * (rc.bottom - rc.top));
    const int nTop = ListView_GetTopIndex(m_hList);
    ASSERT_GT(nTop, 7);
    const size_t nFocusTask = view.GetRowTask(7);
    const std::vector<size_t> selected = SelectedTasks();

    // A new task comes in at the top, as the commands add one.
    AddTask(kindNote, "Task 999", false);
    const size_t nNew = doc.m_arrTasks.size() - 1;
    view.InsertRowAtTop(MakeTaskRow(*doc.m_arrTasks[nNew], nNew));
    std::vector<size_t> order = FillOrder(doc, colType, false);
    order.erase(std::find(order.begin(), order.end(), nNew));
    order.insert(order.begin(), nNew);
    ExpectRowsOf(order);
    EXPECT_EQ(selected, SelectedTasks());
    EXPECT_EQ(8, Focus());
    EXPECT_EQ(8, ListView_GetSelectionMark(m_hList));
    EXPECT_EQ(nTop, ListView_GetTopIndex(m_hList)) << "the list stays where it was";

    // A column click: the rows in order of name, down; the marks go with
    // their tasks and the list does not move.
    view.SortRows(colName, true);
    order = FillOrder(doc, colName, true);
    ExpectRowsOf(order);
    std::vector<size_t> after = SelectedTasks();
    std::sort(after.begin(), after.end());
    std::vector<size_t> before = selected;
    std::sort(before.begin(), before.end());
    EXPECT_EQ(before, after);
    ASSERT_GE(Focus(), 0);
    EXPECT_EQ(nFocusTask, view.GetRowTask(Focus()));
    EXPECT_EQ(Focus(), ListView_GetSelectionMark(m_hList));
    EXPECT_EQ(nTop, ListView_GetTopIndex(m_hList));

    // Typing a letter goes on from the focused row to the next whose type
    // begins with it, round to the top.
    const int nFrom = Focus();
    int nExpected = -1;
    for (int i = 1; i <= Count() && nExpected < 0; ++i) {
        const int nRow = (nFrom + i) % Count();
        if (Text(nRow, colType)[0] == 'S')
            nExpected = nRow;
    }
    ASSERT_GE(nExpected, 0);
    SendMessage(m_hList, WM_CHAR, 's', 1);
    EXPECT_EQ(nExpected, Focus());
    EXPECT_EQ(std::vector<int>{nExpected}, view.GetSelectedRows());
}

// The control asks for a cell into a buffer of the size it chooses: the
// text is cut there on a whole character, and never written past it.
TEST_P(TaskListControl, ACellCutToTheBufferEndsOnAWholeCharacter)
{
    int nRow = 0;
    while (nRow < Count() && doc.m_arrTasks[view.GetRowTask(nRow)]->m_strName.find(kScripts) == std::string::npos)
        ++nRow;
    ASSERT_LT(nRow, Count());
    const std::string name = doc.m_arrTasks[view.GetRowTask(nRow)]->m_strName;
    const size_t nShown = ToSys(name).size();
    for (size_t nMax = 1; nMax <= nShown + 1; ++nMax) {
        SCOPED_TRACE(nMax);
        // The longest start of the name, in whole characters, that fits.
        size_t nChars = CharCount(name);
        while (ToSys(CutChars(name, nChars)).size() >= nMax)
            --nChars;
        TCHAR buf[64];
        std::fill(std::begin(buf), std::end(buf), TEXT('#'));
        NMLVDISPINFO info = {};
        info.hdr.hwndFrom = m_hList;
        info.hdr.code = LVN_GETDISPINFO;
        info.item.mask = LVIF_TEXT;
        info.item.iItem = nRow;
        info.item.iSubItem = colName;
        info.item.pszText = buf;
        info.item.cchTextMax = static_cast<int>(nMax);
        LRESULT result = 0;
        ASSERT_TRUE(view.OnNotify(&info.hdr, result));
        EXPECT_EQ(ToSys(CutChars(name, nChars)), tstring(buf));
        EXPECT_EQ(TEXT('#'), buf[nMax]);
    }
}

INSTANTIATE_TEST_SUITE_P(OwnerDataAndItems, TaskListControl, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "OwnerData" : "EmptyItems";
                         });

} // namespace
