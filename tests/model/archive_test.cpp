#include "model/archive.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Written(const std::string& s)
{
    CArchiveWriter ar;
    ar.WriteString(s);
    return ar.Take();
}

std::string ReadBack(const Bytes& b)
{
    CArchiveReader ar(b.data(), b.size());
    std::string s = ar.ReadString();
    EXPECT_TRUE(ar.AtEnd());
    // Passing over the string goes as far and counts what reading gives.
    CArchiveReader skip(b.data(), b.size());
    EXPECT_EQ(skip.SkipString(), s.size());
    EXPECT_TRUE(skip.AtEnd());
    return s;
}

} // namespace

TEST(ArchiveStrings, PrefixFormsAtEachBoundary)
{
    struct Case {
        size_t length;
        Bytes prefix;
    } cases[] = {
        {0, {0x00}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {0xFFFD, {0xFF, 0xFD, 0xFF}},
        {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {0x10000, {0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}},
    };
    for (const Case& c : cases) {
        const std::string s(c.length, 'x');
        const Bytes b = Written(s);
        ASSERT_EQ(b.size(), c.prefix.size() + c.length) << c.length;
        EXPECT_EQ(Bytes(b.begin(), b.begin() + c.prefix.size()), c.prefix) << c.length;
        EXPECT_EQ(ReadBack(b), s) << c.length;
    }
}

TEST(ArchiveStrings, EachTextTakesTheSingleByteFormWhereItHasOneElseTheSixteenBitForm)
{
    const struct {
        const char* text;
        Bytes file;
    } cases[] = {
        {u8"café €", {6, 'c', 'a', 'f', 0xE9, ' ', 0x80}},
        // The five bytes the code page leaves undefined stand for themselves.
        {"\xC2\x81\xC2\x9D", {2, 0x81, 0x9D}},
        {u8"aЖ😀", {0xFF, 0xFE, 0xFF, 4, 'a', 0, 0x16, 0x04, 0x3D, 0xD8, 0x00, 0xDE}},
        // A lone surrogate is carried whole, as the file had it.
        {"\xED\xA0\x80", {0xFF, 0xFE, 0xFF, 1, 0x00, 0xD8}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Written(c.text), c.file) << c.text;
        EXPECT_EQ(ReadBack(c.file), c.text) << c.text;
    }
    // A 16-bit string of code-page text reads as that text, and the second
    // prefix may need its word.
    EXPECT_EQ(ReadBack({0xFF, 0xFE, 0xFF, 0x03, 'a', 0, 0xAC, 0x20, 'b', 0}), u8"a€b");
    Bytes longForm = {0xFF, 0xFE, 0xFF, 0xFF, 0x2C, 0x01};
    for (int i = 0; i < 300; ++i) {
        longForm.push_back(0x16);
        longForm.push_back(0x04);
    }
    std::string zhe;
    for (int i = 0; i < 300; ++i)
        zhe += u8"Ж";
    EXPECT_EQ(ReadBack(longForm), zhe);
    EXPECT_EQ(Written(zhe), longForm);

    // Every byte of the single-byte form comes back as itself.
    Bytes all = {0xFF, 0x00, 0x01};
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<uint8_t>(b));
    EXPECT_EQ(Written(ReadBack(all)), all);
}

TEST(ArchiveStrings, LengthsRunningPastTheEndAreRejected)
{
    const Bytes bad[] = {
        {0x05, 'a', 'b'},
        {0xFF, 0x00},
        {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F},
        {0xFF, 0xFE, 0xFF, 0x02, 'a', 0, 'b'},
        {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F},
    };
    for (const Bytes& b : bad) {
        CArchiveReader ar(b.data(), b.size());
        EXPECT_THROW(ar.ReadString(), CArchiveFormatError);
        CArchiveReader skip(b.data(), b.size());
        EXPECT_THROW(skip.SkipString(), CArchiveFormatError);
    }
}

TEST(ArchiveCounts, ShortAndLongFormsAndTheirLimit)
{
    CArchiveWriter w;
    w.WriteCount(0xFFFE);
    w.WriteCount(0xFFFF);
    EXPECT_EQ(w.Bytes(), (Bytes{0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}));

    Bytes b = w.Take();
    b.resize(b.size() + 0xFFFF, 0);
    CArchiveReader r(b.data(), b.size());
    EXPECT_EQ(r.ReadCount(0), 0xFFFEu);
    EXPECT_EQ(r.ReadCount(1), 0xFFFFu);

    // A count promising more elements than bytes remain is refused before
    // anything is reserved for it.
    const Bytes huge = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 1, 2, 3};
    CArchiveReader h(huge.data(), huge.size());
    EXPECT_THROW(h.ReadCount(2), CArchiveFormatError);
}

TEST(ArchiveTags, NumberingIsSharedByClassesAndObjects)
{
    CArchiveWriter w;
    w.WriteObjectTag("CRemindTask", 256); // class 1, object 2
    w.WriteObjectTag("CRemindTask", 256); // object 3
    w.WriteObjectTag("CWebSearchItem", 256); // class 4, object 5
    w.WriteObjectTag("CWebSearchItem", 256); // object 6
    const Bytes expected = {0xFF, 0xFF, 0x00, 0x01, 0x0B, 0x00, 'C', 'R', 'e', 'm', 'i', 'n', 'd', 'T', 'a', 's',
                            'k', 0x01, 0x80, 0xFF, 0xFF, 0x00, 0x01, 0x0E, 0x00, 'C', 'W', 'e', 'b', 'S', 'e',
                            'a', 'r', 'c', 'h', 'I', 't', 'e', 'm', 0x04, 0x80};
    EXPECT_EQ(w.Bytes(), expected);

    Bytes b = w.Take();
    b.insert(b.end(), {0x02, 0x00, 0x06, 0x00, 0x00, 0x00});
    CArchiveReader r(b.data(), b.size());
    const uint32_t expectedIndex[] = {2, 3, 5, 6};
    for (uint32_t index : expectedIndex) {
        auto tag = r.ReadObjectTag();
        EXPECT_EQ(tag.kind, CArchiveReader::ObjectTag::NewObject);
        EXPECT_EQ(tag.schema, 256);
        EXPECT_EQ(tag.nObjectIndex, index);
    }
    auto ref = r.ReadObjectTag();
    EXPECT_EQ(ref.kind, CArchiveReader::ObjectTag::Reference);
    EXPECT_EQ(ref.className, "CRemindTask");
    EXPECT_EQ(ref.nObjectIndex, 2u);
    EXPECT_EQ(r.ReadObjectTag().className, "CWebSearchItem");
    EXPECT_EQ(r.ReadObjectTag().kind, CArchiveReader::ObjectTag::Null);
}

TEST(ArchiveTags, TagsNamingNothingKnownAreRejected)
{
    const Bytes newClass = {0xFF, 0xFF, 0x00, 0x01, 0x01, 0x00, 'C'}; // class 1, object 2
    auto afterNewClass = [&](Bytes tail) {
        Bytes b = newClass;
        b.insert(b.end(), tail.begin(), tail.end());
        CArchiveReader r(b.data(), b.size());
        r.ReadObjectTag();
        return r.ReadObjectTag();
    };
    EXPECT_NO_THROW(afterNewClass({0x01, 0x80}));
    EXPECT_THROW(afterNewClass({0x02, 0x80}), CArchiveFormatError); // object 2 used as a class
    EXPECT_THROW(afterNewClass({0x03, 0x80}), CArchiveFormatError); // no class 3
    EXPECT_THROW(afterNewClass({0x00, 0x80}), CArchiveFormatError); // class 0
    EXPECT_THROW(afterNewClass({0x01, 0x00}), CArchiveFormatError); // class 1 used as an object
    EXPECT_THROW(afterNewClass({0x03, 0x00}), CArchiveFormatError); // no object 3
    EXPECT_THROW(afterNewClass({0xFF, 0x7F, 0x05, 0x00, 0x00, 0x80}), CArchiveFormatError);

    // The long form can name entry 0, the null tag's: an object of no class,
    // which the document then refuses as one of another class.
    const Bytes toNull = {0xFF, 0x7F, 0x00, 0x00, 0x00, 0x00};
    CArchiveReader n(toNull.data(), toNull.size());
    const auto tag = n.ReadObjectTag();
    EXPECT_EQ(tag.kind, CArchiveReader::ObjectTag::Reference);
    EXPECT_EQ(tag.className, "");
    EXPECT_EQ(tag.nObjectIndex, 0u);

    Bytes longName = {0xFF, 0xFF, 0x00, 0x01, 0x40, 0x00};
    longName.resize(longName.size() + 64, 'C');
    CArchiveReader r(longName.data(), longName.size());
    EXPECT_THROW(r.ReadObjectTag(), CArchiveFormatError);
}

TEST(Cp1252, EveryByteMapsToOneCharacterAndBack)
{
    for (int b = 0; b < 256; ++b) {
        uint8_t back = 0;
        ASSERT_TRUE(UnicodeToCp1252(Cp1252ToUnicode(static_cast<uint8_t>(b)), &back)) << b;
        EXPECT_EQ(back, b);
    }
    EXPECT_EQ(Cp1252ToUnicode(0x80), U'\u20AC');
    EXPECT_EQ(Cp1252ToUnicode(0x8D), U'\u008D');
    uint8_t b;
    EXPECT_FALSE(UnicodeToCp1252(U'\u0080', &b)); // 0x80 is the euro sign
    EXPECT_FALSE(UnicodeToCp1252(U'\u0416', &b));
}
