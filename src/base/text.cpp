#include "base/text.h"

#include <algorithm>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Windows-1252 0x80..0x9F; the five bytes it leaves undefined stand for
// themselves as C1 controls.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

class CWindows1252 : public ICodePage {
public:
    void ToUtf8(const char* bytes, size_t n, std::string& out) const override
    {
        for (size_t i = 0; i < n; ++i)
            AppendUtf8(out, Cp1252ToUnicode(static_cast<uint8_t>(bytes[i])));
    }
    bool FromUtf8(std::string_view text, std::string& out) const override
    {
        const size_t nOld = out.size();
        for (size_t i = 0; i < text.size();) {
            uint8_t b;
            if (!UnicodeToCp1252(NextChar(text, i), &b)) {
                out.resize(nOld);
                return false;
            }
            out.push_back(static_cast<char>(b));
        }
        return true;
    }
};

char32_t FoldCase(char32_t c)
{
    if (c < 0x80)
        return c >= 'A' && c <= 'Z' ? c + 0x20 : c;
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) ||
        (c >= 0x410 && c <= 0x42F))
        return c + 0x20;
    if (c >= 0x400 && c <= 0x40F)
        return c + 0x50;
    if (c == 0x178)
        return 0xFF;
    if ((c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149) ||
        (c >= 0x460 && c <= 0x4FF && c != 0x482 && !(c >= 0x483 && c <= 0x489) && c != 0x4C0)) {
        // Pairs of capital and small letter; Latin Extended-A shifts its
        // pairing at 0x139 and 0x179.
        const bool bOddCapitals = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E) || (c >= 0x4C1 && c <= 0x4CE);
        if ((c % 2 == 1) == bOddCapitals)
            return c + 1;
        return c;
    }
    return c;
}

class CSimpleCollation : public ICollation {
public:
    void AppendSortKey(std::string_view text, std::string& key) const override
    {
        if (IsAscii(text)) {
            const size_t nOld = key.size();
            key.resize(nOld + text.size());
            char* out = &key[nOld];
            for (size_t i = 0; i < text.size(); ++i)
                out[i] = text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] + 0x20) : text[i];
            return;
        }
        // UTF-8 orders as its characters do.
        for (size_t i = 0; i < text.size();)
            AppendUtf8(key, FoldCase(NextChar(text, i)));
    }
};

const CWindows1252 g_windows1252;
const CSimpleCollation g_simpleCollation;
const ICodePage* g_pCodePage = &g_windows1252;
const ICollation* g_pCollation = &g_simpleCollation;

} // namespace

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

void AppendUtf8(std::string& out, const char16_t* text, size_t n)
{
    out.reserve(out.size() + Utf8Length(text, n));
    for (size_t i = 0; i < n; ++i) {
        char32_t c = text[i];
        if (IsHighSurrogate(c) && i + 1 < n && IsLowSurrogate(text[i + 1]))
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        AppendUtf8(out, c);
    }
}

size_t Utf8Length(const char16_t* text, size_t n)
{
    size_t nBytes = 0;
    for (size_t i = 0; i < n; ++i) {
        const char16_t c = text[i];
        if (c < 0x80) {
            nBytes += 1;
        } else if (c < 0x800) {
            nBytes += 2;
        } else if (IsHighSurrogate(c) && i + 1 < n && IsLowSurrogate(text[i + 1])) {
            nBytes += 4;
            ++i;
        } else {
            nBytes += 3;
        }
    }
    return nBytes;
}

char32_t NextChar(std::string_view text, size_t& i)
{
    const auto b0 = static_cast<unsigned char>(text[i++]);
    if (b0 < 0x80)
        return b0;
    size_t nMore;
    char32_t c;
    char32_t cMin;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        nMore = 1;
        c = b0 & 0x1F;
        cMin = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        nMore = 2;
        c = b0 & 0x0F;
        cMin = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        nMore = 3;
        c = b0 & 0x07;
        cMin = 0x10000;
    } else {
        return kReplacement;
    }
    if (text.size() - i < nMore)
        return kReplacement;
    for (size_t k = 0; k < nMore; ++k) {
        const auto b = static_cast<unsigned char>(text[i + k]);
        if ((b & 0xC0) != 0x80)
            return kReplacement;
        c = (c << 6) | (b & 0x3F);
    }
    if (c < cMin || c > 0x10FFFF)
        return kReplacement;
    i += nMore;
    return c;
}

std::u16string Utf8ToUtf16(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const char32_t c = NextChar(text, i);
        if (c >= 0x10000) {
            out.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
    }
    return out;
}

size_t CharCount(std::string_view text)
{
    size_t n = 0;
    for (size_t i = 0; i < text.size(); ++n)
        NextChar(text, i);
    return n;
}

std::string_view CutChars(std::string_view text, size_t nMax)
{
    if (text.size() <= nMax || IsAscii(text.data(), nMax))
        return text.substr(0, nMax);
    size_t i = 0;
    for (size_t n = 0; n < nMax && i < text.size(); ++n)
        NextChar(text, i);
    return text.substr(0, i);
}

char32_t Cp1252ToUnicode(uint8_t b)
{
    if (b >= 0x80 && b <= 0x9F)
        return kCp1252High[b - 0x80];
    return b;
}

bool UnicodeToCp1252(char32_t c, uint8_t* pb)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        *pb = static_cast<uint8_t>(c);
        return true;
    }
    const auto* it = std::find(std::begin(kCp1252High), std::end(kCp1252High), c);
    if (it == std::end(kCp1252High))
        return false;
    *pb = static_cast<uint8_t>(0x80 + (it - std::begin(kCp1252High)));
    return true;
}

const ICodePage& Windows1252() { return g_windows1252; }
const ICollation& SimpleCollation() { return g_simpleCollation; }
const ICodePage& ProcessCodePage() { return *g_pCodePage; }
const ICollation& ProcessCollation() { return *g_pCollation; }

void SetProcessTextPorts(const ICodePage* codePage, const ICollation* collation)
{
    g_pCodePage = codePage ? codePage : &g_windows1252;
    g_pCollation = collation ? collation : &g_simpleCollation;
}

int ICollation::Compare(std::string_view a, std::string_view b) const
{
    std::string keyA, keyB;
    AppendSortKey(a, keyA);
    AppendSortKey(b, keyB);
    const int n = keyA.compare(keyB);
    return n < 0 ? -1 : (n > 0 ? 1 : 0);
}

int CompareNoCase(std::string_view a, std::string_view b) { return ProcessCollation().Compare(a, b); }
