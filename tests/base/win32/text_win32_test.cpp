#include "base/win32/text_win32.h"

#include <gtest/gtest.h>

namespace {

const char kMixed[] = u8"Задачи — 東京 ✓ 😀 café";

TEST(SystemText, TextComesBackFromTheSystemForm)
{
    EXPECT_EQ(FromSys(ToSys("")), "");
    EXPECT_EQ(FromSys(ToSys("Call Bob")), "Call Bob");
    EXPECT_EQ(ToWide(kMixed).size(), 21u); // the emoji takes two units
    EXPECT_EQ(FromWide(ToWide(kMixed).c_str()), kMixed);
#ifdef UNICODE
    EXPECT_EQ(FromSys(ToSys(kMixed)), kMixed);
#else
    // A field still showing what the code page made of the text keeps it
    // whole; one the user changed is read as shown.
    EXPECT_EQ(FromSysKeeping(ToSys(kMixed), kMixed), kMixed);
    EXPECT_EQ(FromSysKeeping(ToSys("edited"), kMixed), "edited");
#endif
}

TEST(SystemText, OnlyTextThatReadsBackHasTheSingleByteForm)
{
    const CAnsiCodePage cp;
    std::string bytes;
    EXPECT_TRUE(cp.FromUtf8("Call Bob", bytes));
    EXPECT_EQ(bytes, "Call Bob");
    bytes.clear();
    EXPECT_FALSE(cp.FromUtf8(u8"東京 😀", bytes));
    EXPECT_EQ(bytes, "");
    if (GetACP() == 1252) {
        EXPECT_TRUE(cp.FromUtf8(u8"café €", bytes));
        EXPECT_EQ(bytes, "caf\xE9 \x80");
        std::string back;
        cp.ToUtf8(bytes.data(), bytes.size(), back);
        EXPECT_EQ(back, u8"café €");
        // The code page would write a plain 'a' for a-macron.
        bytes.clear();
        EXPECT_FALSE(cp.FromUtf8(u8"\u0101", bytes));
    }
}

TEST(SystemText, TheCollationIgnoresCaseAndItsKeysAgree)
{
    const CSystemCollation collation;
    const char* const ordered[] = {"", "apple", "Banana", "banana split", u8"Čaj", "cherry", u8"東京"};
    for (size_t i = 0; i + 1 < std::size(ordered); ++i) {
        EXPECT_LT(collation.Compare(ordered[i], ordered[i + 1]), 0) << ordered[i];
        std::string a, b;
        collation.AppendSortKey(ordered[i], a);
        collation.AppendSortKey(ordered[i + 1], b);
        EXPECT_LT(a, b) << ordered[i];
    }
    EXPECT_EQ(collation.Compare("ABC", "abc"), 0);
    EXPECT_EQ(collation.Compare(u8"ДОМ", u8"дом"), 0);
}

} // namespace
