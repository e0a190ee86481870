#include "model/remind_task.h"

#include <gtest/gtest.h>

#include "model/archive.h"

TEST(RemindTask, NamesOfKindsAndPriorities)
{
    const char* names[] = {"Browse", "Note", "FrontPage", "Search", "E-Mail", "Newsgroup"};
    for (uint32_t k = 0; k < 6; ++k)
        EXPECT_EQ(GetKindName(k), names[k]);
    EXPECT_EQ(GetKindName(6), "Switch Error");
    EXPECT_EQ(GetKindName(0xFFFFFFFFu), "Switch Error");

    CRemindTask t;
    const char* priorities[] = {"High", "Medium", "Low"};
    for (int p = 0; p < 3; ++p) {
        t.m_nPriority = p;
        EXPECT_EQ(t.GetPriorityName(), priorities[p]);
    }
    t.m_nPriority = -1;
    EXPECT_EQ(t.GetPriorityName(), "Error");
    t.m_nPriority = 3;
    EXPECT_EQ(t.GetPriorityName(), "Error");
}

TEST(RemindTask, IconsFollowKindAndOnlyTheDoneStatus)
{
    struct Row {
        uint32_t kind;
        int openIcon, doneIcon, openImage, doneImage;
    } rows[] = {
        {kindBrowse, 144, 149, 2, 5},   {kindNote, 148, 150, 3, 6},       {kindFrontPage, 169, 159, 4, 9},
        {kindSearch, 157, 158, 7, 8},   {kindEMail, 179, 186, 10, 11},    {kindNewsgroup, 178, 183, 12, 13},
    };
    for (const Row& r : rows) {
        CRemindTask t;
        t.m_nKind = r.kind;
        for (uint32_t status : {0u, 2u}) {
            t.m_nStatus = status;
            EXPECT_EQ(t.GetIconId(), r.openIcon);
            EXPECT_EQ(t.GetImageIndex(), r.openImage);
        }
        t.m_nStatus = statusDone;
        EXPECT_EQ(t.GetIconId(), r.doneIcon);
        EXPECT_EQ(t.GetImageIndex(), r.doneImage);
        EXPECT_EQ(GetKindIconId(r.kind), r.openIcon);
    }
    CRemindTask odd;
    odd.m_nKind = 6;
    odd.m_nStatus = statusDone;
    EXPECT_EQ(odd.GetIconId(), 0);
    EXPECT_EQ(odd.GetImageIndex(), 0);
    EXPECT_EQ(GetKindIconId(6), 0);
}

TEST(RemindTask, NewRecordIsOpenEmptyAndDatedZero)
{
    CRemindTask t;
    EXPECT_EQ(t.m_nStatus, statusOpen);
    EXPECT_TRUE(t.m_strName.empty() && t.m_strUrl.empty() && t.m_strCookie.empty());
    EXPECT_EQ(t.m_dtAdded.m_status, COleDateTime::valid);
    EXPECT_EQ(t.m_dtAdded.m_dt, 0.0);
}

TEST(RemindTask, NoteFieldsAreTheDocumented39Bytes)
{
    CRemindTask t;
    t.m_nKind = kindNote;
    t.m_strName = "Call";
    t.m_nPriority = priorityMedium;
    t.m_dtAdded.m_dt = 35771.5; // 7 December 1997, 12:00
    CArchiveWriter ar;
    t.Serialize(ar);
    const std::vector<uint8_t> expected = {
        0, 0, 0, 0, 1, 0, 0, 0, 4, 'C', 'a', 'l', 'l', 0, 0, 1, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0, 0x70, 0x77, 0xE1, 0x40, 0, 0, 0, 0, 0,
    };
    EXPECT_EQ(ar.Bytes(), expected);

    // Between two such records, one whose name is shorter in the code page
    // than in UTF-8 and whose description has no single-byte form: each text
    // takes its own form, and the record after it is placed where it ends.
    CRemindTask other = t;
    other.m_strName = u8"Café";
    other.m_strDescription = u8"Ж";
    CArchiveWriter three;
    t.Serialize(three);
    other.Serialize(three);
    t.Serialize(three);
    std::vector<uint8_t> middle = {0, 0, 0, 0, 1, 0, 0, 0, 4, 'C', 'a', 'f', 0xE9, 0xFF, 0xFE, 0xFF, 1, 0x16, 0x04};
    middle.insert(middle.end(), expected.begin() + 14, expected.end());
    std::vector<uint8_t> all = expected;
    all.insert(all.end(), middle.begin(), middle.end());
    all.insert(all.end(), expected.begin(), expected.end());
    EXPECT_EQ(three.Bytes(), all);
}

TEST(RemindTask, EveryFieldReadsBackAsWritten)
{
    CRemindTask t;
    t.m_nStatus = statusDone;
    t.m_nKind = kindFrontPage;
    t.m_strName = "n";
    t.m_strDescription = "line one\r\nline two";
    t.m_strUrl = "Web (Page)";
    t.m_nPriority = -7;
    t.m_strBillingInfo = "b";
    t.m_strProject = "p";
    t.m_strAssignTo = "a";
    t.m_dtAdded = COleDateTime{COleDateTime::null, -1.25};
    t.m_strWebName = "w";
    t.m_strWebUrl = "http://host/w";
    t.m_strLinkedTo = "Is not linked";
    t.m_strPageUrl = std::string(300, 'u');
    t.m_strCookie = "NetbellCookie7";
    CArchiveWriter w;
    t.Serialize(w);
    CArchiveReader r(w.Bytes().data(), w.Bytes().size());
    CRemindTask back;
    back.Serialize(r);
    EXPECT_TRUE(r.AtEnd());
    EXPECT_EQ(back, t);
}
