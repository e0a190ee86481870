#pragma once
// The program's text is UTF-8 throughout; these are the conversions at its
// edges and the rules that count characters rather than bytes.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

// True when every byte is below 0x80: such text is the same in UTF-8, in
// UTF-16 unit for unit, and in every code page the program meets.
inline bool IsAscii(const char* p, size_t n)
{
    // A word at a time, the last one overlapping the one before, and no loop
    // at all for short texts: every text of the data file passes here.
    uint64_t bits = 0;
    if (n >= 8) {
        uint64_t word;
        for (size_t i = 0; i + 8 < n; i += 8) {
            std::memcpy(&word, p + i, 8);
            bits |= word;
        }
        std::memcpy(&word, p + n - 8, 8);
        bits |= word;
    } else if (n >= 4) {
        uint32_t head, tail;
        std::memcpy(&head, p, 4);
        std::memcpy(&tail, p + n - 4, 4);
        bits = head | tail;
    } else if (n > 0) {
        bits = static_cast<unsigned char>(p[0]) | static_cast<unsigned char>(p[n / 2]) |
               static_cast<unsigned char>(p[n - 1]);
    }
    return (bits & 0x8080808080808080ull) == 0;
}
inline bool IsAscii(std::string_view s) { return IsAscii(s.data(), s.size()); }

// UTF-8 and UTF-16, both ways. A lone surrogate of UTF-16 is carried over in
// the three bytes UTF-8 would give it, and comes back as itself, so that no
// 16-bit text read from a file changes on its way through; a byte that
// starts no UTF-8 character becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);
void AppendUtf8(std::string& out, const char16_t* text, size_t n);
inline std::string Utf16ToUtf8(std::u16string_view text)
{
    std::string out;
    AppendUtf8(out, text.data(), text.size());
    return out;
}
void AppendUtf8(std::string& out, char32_t c);
// The bytes the UTF-16 text takes in UTF-8.
size_t Utf8Length(const char16_t* text, size_t n);

// Decodes the character at text[i] and moves i past it.
char32_t NextChar(std::string_view text, size_t& i);
// Characters, not bytes.
size_t CharCount(std::string_view text);
// The text's first nMax characters.
std::string_view CutChars(std::string_view text, size_t nMax);

// The single-byte form of text: the system's ANSI code page in the program.
class ICodePage {
public:
    virtual ~ICodePage() = default;
    // Single-byte text to UTF-8, appended to out.
    virtual void ToUtf8(const char* bytes, size_t n, std::string& out) const = 0;
    // UTF-8 to the code page, appended to out; false, with out as it was,
    // when a character has no form there that reads back as itself.
    virtual bool FromUtf8(std::string_view text, std::string& out) const = 0;
};

// Windows-1252 with its five undefined bytes as the C1 controls they stand
// for, so that every byte is one character and back.
const ICodePage& Windows1252();
char32_t Cp1252ToUnicode(uint8_t b);
bool UnicodeToCp1252(char32_t c, uint8_t* pb);

// Case-insensitive order of texts, as the system's collation gives it.
class ICollation {
public:
    virtual ~ICollation() = default;
    // Appends bytes that compare, as unsigned bytes, in the order of the
    // texts: two texts compare as their keys do.
    virtual void AppendSortKey(std::string_view text, std::string& key) const = 0;
    // Negative, zero or positive, as the keys would compare.
    virtual int Compare(std::string_view a, std::string_view b) const;
};

// Folds case by the letters of Latin, Greek and Cyrillic and orders by
// character: the stand-in for the system's collation where there is none.
const ICollation& SimpleCollation();

// The process's code page and collation; the stand-ins until the program sets
// its own at start.
const ICodePage& ProcessCodePage();
const ICollation& ProcessCollation();
void SetProcessTextPorts(const ICodePage* codePage, const ICollation* collation);

// Negative, zero or positive, as the process's collation orders the texts.
int CompareNoCase(std::string_view a, std::string_view b);
