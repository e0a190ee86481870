#include "frontpage/document_list_logic.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "frontpage/frontpage_fakes.h"

using namespace fptest;

namespace {

struct Row {
    std::string title;
    std::string url;
    size_t nIndex;
};

// A list that sorts its rows as the control does, through the shared
// compare function.
class CFakeDocumentList : public IDocumentListView {
public:
    std::vector<Row> rows;
    int nSorts = 0;

    void InsertRowAtTop(const std::string& title, const std::string& url, size_t nIndex) override
    {
        rows.insert(rows.begin(), Row{title, url, nIndex});
    }
    void DeleteAllRows() override { rows.clear(); }
    void SortRows(int nColumn) override
    {
        ++nSorts;
        std::stable_sort(rows.begin(), rows.end(), [nColumn](const Row& a, const Row& b) {
            return CDocumentListLogic::ComparePages(a.nIndex, b.nIndex, nColumn) < 0;
        });
    }
    std::vector<std::string> Titles() const
    {
        std::vector<std::string> t;
        for (const Row& r : rows)
            t.push_back(r.title);
        return t;
    }
};

} // namespace

TEST(ParsePageList, CutsTitleAndUrlPairs)
{
    const std::vector<PageEntry> two = ParsePageList("a\nu1\nb\nu2\n");
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[0].strTitle, "a");
    EXPECT_EQ(two[0].strUrl, "u1");
    EXPECT_EQ(two[1].strTitle, "b");
    EXPECT_EQ(two[1].strUrl, "u2");

    // A last title followed by its line feed but no URL: the URL is empty.
    const std::vector<PageEntry> trailing = ParsePageList("a\nu1\nb\n");
    ASSERT_EQ(trailing.size(), 2u);
    EXPECT_EQ(trailing[1].strTitle, "b");
    EXPECT_EQ(trailing[1].strUrl, "");
    // A URL without its line feed is not taken; a title without one is no
    // page at all.
    ASSERT_EQ(ParsePageList("a\nu1").size(), 1u);
    EXPECT_EQ(ParsePageList("a\nu1")[0].strUrl, "");
    EXPECT_EQ(ParsePageList("a\nu1\nb").size(), 1u);

    EXPECT_TRUE(ParsePageList("").empty());
    EXPECT_TRUE(ParsePageList("no line feed").empty());
    // Empty titles and URLs are pages too.
    const std::vector<PageEntry> empties = ParsePageList("\n\n");
    ASSERT_EQ(empties.size(), 1u);
    EXPECT_EQ(empties[0].strTitle, "");
}

TEST(DocumentList, FillsInReverseWithEachRowsIndex)
{
    FakeFrontPageWorld world;
    world.pageList = "a\nu1\nb\nu2\n";
    CFakeExplorer explorer(world);
    CFakeDocumentList view;
    CDocumentListLogic logic(&explorer);
    logic.Fill(view);
    EXPECT_EQ(world.calls, (std::vector<std::string>{"GetPageList|0"}));
    ASSERT_EQ(view.rows.size(), 2u);
    EXPECT_EQ(view.rows[0].title, "b");
    EXPECT_EQ(view.rows[0].url, "u2");
    EXPECT_EQ(view.rows[0].nIndex, 1u);
    EXPECT_EQ(view.rows[1].title, "a");
    EXPECT_EQ(view.rows[1].nIndex, 0u);

    // Refresh starts over: no page twice.
    world.pageList = "c\nu3\n";
    logic.Refresh(view);
    ASSERT_EQ(view.rows.size(), 1u);
    EXPECT_EQ(CDocumentListLogic::s_arrPageTitles, (std::vector<std::string>{"c"}));
    EXPECT_EQ(view.rows[0].nIndex, 0u);
}

TEST(DocumentList, OneSortFlagForBothColumnsFirstClickDescending)
{
    FakeFrontPageWorld world;
    world.pageList = "beta\nz.htm\nAlpha\ny.htm\nalpha\nx.htm\n";
    CFakeExplorer explorer(world);
    CFakeSystem system(world);
    CFakeDocumentList view;
    CDocumentListLogic logic(&explorer);
    logic.Fill(view);

    world.calls.clear();
    logic.OnColumnClick(0, view, system);
    EXPECT_TRUE(CDocumentListLogic::s_bPageSortDescending);
    EXPECT_EQ(view.Titles(), (std::vector<std::string>{"beta", "alpha", "Alpha"}));
    EXPECT_EQ(world.calls, (std::vector<std::string>{"wait on", "wait off"}));
    // The next click, on the other column, sorts ascending.
    logic.OnColumnClick(1, view, system);
    EXPECT_EQ(view.Titles(), (std::vector<std::string>{"alpha", "Alpha", "beta"}));
    logic.OnColumnClick(0, view, system);
    EXPECT_EQ(view.Titles(), (std::vector<std::string>{"beta", "alpha", "Alpha"}));
    EXPECT_EQ(view.nSorts, 3);

    // A new dialog starts ascending again; the old one's pages are gone
    // with it.
    {
        CDocumentListLogic next(&explorer);
        EXPECT_FALSE(CDocumentListLogic::s_bPageSortDescending);
    }
    EXPECT_TRUE(CDocumentListLogic::s_arrPageTitles.empty());
    EXPECT_TRUE(CDocumentListLogic::s_arrPageUrls.empty());
}

TEST(DocumentList, OkNeedsASelectedRow)
{
    FakeFrontPageWorld world;
    world.pageList = "a\nu1\nb\nu2\n";
    CFakeExplorer explorer(world);
    CFakeDocumentList view;
    CFakePrompts prompts;
    CDocumentListLogic logic(&explorer);
    logic.Fill(view);

    EXPECT_FALSE(logic.OnOK(-1, prompts));
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "Please select a document in your FrontPage Web to link to");
    EXPECT_EQ(prompts.shown[0].caption, "Data Entry Error");
    EXPECT_EQ(prompts.shown[0].icon, MsgIcon::exclamation);

    EXPECT_TRUE(logic.OnOK(1, prompts));
    EXPECT_EQ(logic.m_strSelTitle, "b");
    EXPECT_EQ(logic.m_strSelUrl, "u2");
    logic.TakePage(0);
    EXPECT_EQ(logic.m_strSelTitle, "a");
    EXPECT_EQ(logic.m_strSelUrl, "u1");
}

TEST(DocumentList, EmptyListShowsNoRowsAndOkAsksForOne)
{
    FakeFrontPageWorld world;
    CFakeExplorer explorer(world);
    CFakeDocumentList view;
    CFakePrompts prompts;
    CDocumentListLogic logic(&explorer);
    logic.Fill(view);
    EXPECT_TRUE(view.rows.empty());
    EXPECT_FALSE(logic.OnOK(-1, prompts));
    EXPECT_EQ(prompts.shown.size(), 1u);
}

TEST(ComparePageText, CaseSensitiveByCharacter)
{
    EXPECT_LT(ComparePageText("B", "a"), 0);
    EXPECT_GT(ComparePageText("b", "a"), 0);
    EXPECT_LT(ComparePageText("a", "ab"), 0);
    EXPECT_EQ(ComparePageText("same", "same"), 0);
    // Characters beyond ASCII sort after it, and by their numbers.
    EXPECT_GT(ComparePageText(u8"\u00E9", "z"), 0);
    EXPECT_LT(ComparePageText(u8"\u00E9", u8"\u6771"), 0);
    EXPECT_GT(ComparePageText(u8"\U0001F600", u8"\uFFFD"), 0);
}
