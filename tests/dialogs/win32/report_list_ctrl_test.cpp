// CReportListCtrl on a real list-view control.
#include "dialogs/win32/report_list_ctrl.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "base/win32/text_win32.h"

namespace {

class ReportListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&icc);
        m_hWnd = CreateWindowEx(0, WC_LISTVIEW, TEXT(""), WS_POPUP | LVS_REPORT, 0, 0, 400, 200, nullptr, nullptr,
                                GetModuleHandle(nullptr), nullptr);
        ASSERT_NE(m_hWnd, nullptr);
        m_list.Attach(m_hWnd);
    }
    void TearDown() override
    {
        if (m_hWnd)
            DestroyWindow(m_hWnd);
    }

    int TextWidth(const std::string& text)
    {
        const tstring sys = ToSys(text);
        return static_cast<int>(SendMessage(m_hWnd, LVM_GETSTRINGWIDTH, 0, reinterpret_cast<LPARAM>(sys.c_str())));
    }

    HWND m_hWnd = nullptr;
    CReportListCtrl m_list;
};

const std::string kName = "Site Name" + std::string(24, ' ');
const std::string kUrl = "Site Url" + std::string(43, ' ');

} // namespace

TEST_F(ReportListTest, HeadingsReplaceEveryColumnAndItem)
{
    m_list.SetColumnHeadings("One,Two,Three");
    m_list.InsertItem(0, "row");
    ASSERT_EQ(m_list.GetColumnCount(), 3);
    ASSERT_EQ(m_list.GetItemCount(), 1);

    m_list.SetColumnHeadings(kName + "," + kUrl);
    EXPECT_EQ(m_list.GetItemCount(), 0);
    ASSERT_EQ(m_list.GetColumnCount(), 2);
    EXPECT_EQ(m_list.GetColumnText(0), kName);
    EXPECT_EQ(m_list.GetColumnText(1), kUrl);
    // The trailing spaces widen the column.
    EXPECT_EQ(m_list.GetColumnWidth(0), TextWidth(kName) + 15);
    EXPECT_EQ(m_list.GetColumnWidth(1), TextWidth(kUrl) + 15);
    EXPECT_GT(m_list.GetColumnWidth(0), TextWidth("Site Name") + 15);

    LVCOLUMN col = {};
    col.mask = LVCF_FMT;
    ASSERT_TRUE(SendMessage(m_hWnd, LVM_GETCOLUMN, 1, reinterpret_cast<LPARAM>(&col)));
    EXPECT_EQ(col.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);
}

TEST_F(ReportListTest, AHeadingWithoutACommaIsOneColumn)
{
    m_list.SetColumnHeadings("Title   ");
    ASSERT_EQ(m_list.GetColumnCount(), 1);
    EXPECT_EQ(m_list.GetColumnText(0), "Title   ");
}

TEST_F(ReportListTest, AMissingStringLeavesTheListAlone)
{
    m_list.SetColumnHeadings("A,B");
    m_list.InsertItem(0, "kept");
    // The test program carries no string table.
    EXPECT_FALSE(m_list.LoadColumnHeadings(61205));
    EXPECT_EQ(m_list.GetColumnCount(), 2);
    EXPECT_EQ(m_list.GetItemCount(), 1);
}

TEST_F(ReportListTest, ItemsCarryTextsAndNumbersAndReportTheirSelectionFromTheTop)
{
    m_list.SetColumnHeadings("Name,Url");
    for (int i = 0; i < 3; ++i) {
        const int nRow = m_list.InsertItem(0, "engine " + std::to_string(i));
        ASSERT_EQ(nRow, 0);
        EXPECT_TRUE(m_list.SetItemText(nRow, 1, "http://" + std::to_string(i) + "/"));
        EXPECT_TRUE(m_list.SetItemData(nRow, 100 + i));
    }
    EXPECT_EQ(m_list.GetItemText(0, 0), "engine 2");
    EXPECT_EQ(m_list.GetItemText(2, 1), "http://0/");
    EXPECT_EQ(m_list.GetItemData(0), 102);
    EXPECT_EQ(m_list.GetItemData(2), 100);
    EXPECT_EQ(m_list.GetItemText(0, 0 + 1), "http://2/");

    const std::string longText(700, 'x');
    m_list.SetItemText(1, 1, longText);
    EXPECT_EQ(m_list.GetItemText(1, 1), longText);

    EXPECT_TRUE(m_list.GetSelectedRows().empty());
    LVITEM state = {};
    state.stateMask = LVIS_SELECTED;
    state.state = LVIS_SELECTED;
    SendMessage(m_hWnd, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&state));
    SendMessage(m_hWnd, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
    EXPECT_EQ(m_list.GetSelectedRows(), (std::vector<int>{0, 2}));

#ifdef UNICODE
    // Any text in the Unicode program, a character beyond 16 bits too.
    const std::string wide = "\xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1 \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x94\x94";
    m_list.SetItemText(1, 1, wide);
    EXPECT_EQ(m_list.GetItemText(1, 1), wide);
    m_list.SetColumnHeadings(wide + ",Url");
    EXPECT_EQ(m_list.GetColumnText(0), wide);
    EXPECT_EQ(m_list.InsertItem(0, wide), 0);
    EXPECT_EQ(m_list.GetItemText(0, 0), wide);
#endif
}
