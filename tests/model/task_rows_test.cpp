#include "model/task_rows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "model/netbell_doc.h"
#include "support/fakes.h"

TEST(DateAdded, FormatsDayMonthYearFromOleDays)
{
    COleDateTime dt;
    dt.m_dt = 35771.5; // 7 December 1997, noon
    EXPECT_EQ(FormatDateAdded(dt), "07 Dec 1997");
    dt.m_dt = 0.0;
    EXPECT_EQ(FormatDateAdded(dt), "30 Dec 1899");
    dt.m_dt = -1.25; // a day earlier, 06:00
    EXPECT_EQ(FormatDateAdded(dt), "29 Dec 1899");
    dt.m_dt = 59.0; // the 1900 leap day that never was is not counted
    EXPECT_EQ(FormatDateAdded(dt), "27 Feb 1900");
    dt.m_dt = 36585.99;
    EXPECT_EQ(FormatDateAdded(dt), "29 Feb 2000");
    dt.m_status = COleDateTime::null;
    EXPECT_EQ(FormatDateAdded(dt), "");
    dt = COleDateTime{COleDateTime::valid, 1e300};
    EXPECT_EQ(FormatDateAdded(dt), "");

    EXPECT_EQ(MakeOleDate(1997, 12, 7, 12, 0, 0).m_dt, 35771.5);
    EXPECT_EQ(FormatDateAdded(MakeOleDate(2026, 12, 8, 23, 59, 59)), "08 Dec 2026");
    EXPECT_NEAR(MakeOleDate(1899, 12, 29, 6, 0, 0).m_dt, -1.25, 1e-9);
    EXPECT_EQ(FormatDateAdded(MakeOleDate(100, 1, 1, 0, 0, 0)), "01 Jan 100");
    EXPECT_EQ(FormatDateAdded(MakeOleDate(9999, 12, 31, 0, 0, 0)), "31 Dec 9999");
    EXPECT_EQ(FormatDateAdded(MakeOleDate(99, 12, 31, 0, 0, 0)), "");
}

TEST(TaskRows, CellsCutNameAndDescriptionToForty)
{
    CRemindTask t;
    t.m_nKind = kindEMail;
    t.m_nStatus = statusDone;
    t.m_nPriority = priorityLow;
    t.m_strName = std::string(50, 'n');
    t.m_strDescription = std::string(39, 'd');
    t.m_strUrl = std::string(60, 'u');
    t.m_strProject = "p";
    t.m_strAssignTo = "a";
    t.m_strBillingInfo = "b";
    t.m_dtAdded.m_dt = 35771.5;
    const TaskRow row = MakeTaskRow(t, 7);
    EXPECT_EQ(row.nTaskIndex, 7u);
    EXPECT_EQ(row.nImage, 11);
    EXPECT_EQ(row.nState, kStateDone);
    EXPECT_EQ(row.cells[colType], "E-Mail");
    EXPECT_EQ(row.cells[colPriority], "Low");
    EXPECT_EQ(row.cells[colName], std::string(40, 'n'));
    EXPECT_EQ(row.cells[colDescription], std::string(39, 'd'));
    EXPECT_EQ(row.cells[colUrl], std::string(60, 'u'));
    EXPECT_EQ(row.cells[colProject], "p");
    EXPECT_EQ(row.cells[colAssignTo], "a");
    EXPECT_EQ(row.cells[colBillingInfo], "b");
    EXPECT_EQ(row.cells[colDateAdded], "07 Dec 1997");
    EXPECT_EQ(TaskCellText(t, colName), std::string(50, 'n'));

    // The cut counts characters, whatever their size.
    std::string name;
    for (int i = 0; i < 21; ++i)
        name += u8"東😀";
    t.m_strName = name;
    EXPECT_EQ(MakeTaskRow(t, 0).cells[colName], name.substr(0, 20 * 7));

    t.m_nStatus = statusDeleted;
    EXPECT_EQ(MakeTaskRow(t, 0).nState, kStateNotDone);
}

TEST(TaskRows, ComparisonPerColumnAndDirection)
{
    CRemindTask a, b;
    a.m_nKind = kindBrowse;
    b.m_nKind = kindNewsgroup;
    EXPECT_LT(CompareTasks(a, b, colType, false), 0);
    EXPECT_GT(CompareTasks(a, b, colType, true), 0);

    a.m_nPriority = priorityHigh;
    b.m_nPriority = priorityLow;
    EXPECT_LT(CompareTasks(a, b, colPriority, false), 0);

    a.m_strProject = "alpha";
    b.m_strProject = "ALPHA";
    EXPECT_EQ(CompareTasks(a, b, colProject, false), 0);
    b.m_strProject = "Beta";
    EXPECT_LT(CompareTasks(a, b, colProject, false), 0);
    b.m_strProject = "alpha2";
    EXPECT_LT(CompareTasks(a, b, colProject, false), 0);
    // Accented letters and other scripts fold too; the multiplication and
    // division signs are not letters.
    a.m_strProject = u8"Été ŠŒŽŸ Дом Ωμέγα";
    b.m_strProject = u8"éTÉ šœžÿ дОМ ωΜέΓΑ";
    EXPECT_EQ(CompareTasks(a, b, colProject, false), 0);
    a.m_strProject = u8"×";
    b.m_strProject = u8"÷";
    EXPECT_NE(CompareTasks(a, b, colProject, false), 0);

    // Less than a day apart counts as equal; a day or more does not.
    a.m_dtAdded.m_dt = 1000.9;
    b.m_dtAdded.m_dt = 1000.1;
    EXPECT_EQ(CompareTasks(a, b, colDateAdded, false), 0);
    b.m_dtAdded.m_dt = 999.8;
    EXPECT_GT(CompareTasks(a, b, colDateAdded, false), 0);
    EXPECT_LT(CompareTasks(a, b, colDateAdded, true), 0);
}

TEST(TaskRows, FillOrderSkipsDeletedAndStartsFromTheNewest)
{
    CFakeFileSystem fs;
    CFakePrompts prompts;
    CNetbellDoc doc(fs, prompts);
    const uint32_t kinds[] = {kindNote, kindBrowse, kindNote, kindSearch, kindBrowse};
    for (uint32_t k : kinds) {
        doc.m_arrTasks.push_back(std::make_unique<CRemindTask>());
        doc.m_arrTasks.back()->m_nKind = k;
    }
    doc.m_arrTasks[2]->m_nStatus = statusDeleted;
    // Equal kinds keep the order of insertion at the top: the newest first.
    EXPECT_EQ(FillOrder(doc, colType, false), (std::vector<size_t>{4, 1, 0, 3}));
    EXPECT_EQ(FillOrder(doc, colType, true), (std::vector<size_t>{3, 0, 4, 1}));
    EXPECT_EQ(FillOrder(doc, colName, false), (std::vector<size_t>{4, 3, 1, 0}));
}

TEST(TaskRows, SortKeysOrderAsTheComparisonDoes)
{
    // Texts that share long beginnings, differ in case and in accented
    // letters, hold NULs or end where others go on; dates less than a day
    // apart (which do not order transitively) and dates that are not numbers.
    CFakeFileSystem fs;
    CFakePrompts prompts;
    CNetbellDoc doc(fs, prompts);
    const char kLetters[] = {'a', 'A', 'b', 'B', 'z', ' ', '\0', '\xC9', '\xE9', '\xD7', '\xF7', '\x8A', '\x9A', '\xFF'};
    uint32_t seed = 12345;
    const auto next = [&] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7FFF; };
    const auto text = [&] {
        static const char* const kBeginnings[] = {"", "Common b", "COMMON BEGINNING "};
        std::string s = kBeginnings[next() % 3];
        for (unsigned n = next() % 12; n > 0; --n)
            s += kLetters[next() % sizeof kLetters];
        return s;
    };
    for (int i = 0; i < 400; ++i) {
        auto t = std::make_unique<CRemindTask>();
        t->m_nKind = next() % 7;
        t->m_nPriority = static_cast<int32_t>(next() % 5) - 2;
        t->m_strName = text();
        t->m_strDescription = text();
        t->m_strUrl = text();
        t->m_strProject = text();
        t->m_strAssignTo = text();
        t->m_strBillingInfo = text();
        t->m_dtAdded.m_dt = next() % 50 == 0 ? std::nan("") : 35000 + (next() % 1000) / 100.0;
        doc.m_arrTasks.push_back(std::move(t));
    }
    doc.m_arrTasks[7]->m_dtAdded.m_dt = HUGE_VAL;
    // Priorities few and close together, kinds spread wide by one stray.
    doc.m_arrTasks[9]->m_nKind = 0xFFFFFFF0u;

    std::vector<size_t> start(doc.m_arrTasks.size());
    for (size_t i = 0; i < start.size(); ++i)
        start[i] = start.size() - 1 - i;
    for (int c = 0; c < kTaskColumnCount; ++c) {
        for (bool bDescending : {false, true}) {
            std::vector<size_t> expected = start;
            std::stable_sort(expected.begin(), expected.end(), [&](size_t x, size_t y) {
                return CompareTasks(*doc.m_arrTasks[x], *doc.m_arrTasks[y], c, bDescending) < 0;
            });
            std::vector<size_t> rows = start;
            SortRows(doc, rows, c, bDescending);
            EXPECT_EQ(rows, expected) << "column " << c << (bDescending ? " descending" : "");

            const CTaskSortKeys keys(doc, c, bDescending);
            for (size_t x = 0; x < 60; ++x) {
                for (size_t y = 0; y < 60; ++y) {
                    const int want = CompareTasks(*doc.m_arrTasks[x], *doc.m_arrTasks[y], c, bDescending);
                    const int got = keys.Compare(x, y);
                    ASSERT_EQ((want > 0) - (want < 0), (got > 0) - (got < 0)) << c << ": " << x << ", " << y;
                }
            }
        }
    }
}
