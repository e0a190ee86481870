#include "model/archive.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint16_t wNullTag = 0;
constexpr uint16_t wNewClassTag = 0xFFFF;
constexpr uint16_t wClassTag = 0x8000;
constexpr uint32_t dwBigClassTag = 0x80000000u;
constexpr uint16_t wBigObjectTag = 0x7FFF;
// The longest class name a class record may carry, terminator excluded.
constexpr size_t kMaxClassNameLength = 63;

} // namespace

CArchiveWriter::CArchiveWriter(std::vector<uint8_t>&& buffer, const ICodePage& codePage)
    : m_codePage(codePage), m_buf(std::move(buffer))
{
}

size_t CArchiveWriter::WideStringBytes(std::string_view s, const ICodePage& codePage)
{
    std::string bytes;
    if (codePage.FromUtf8(s, bytes))
        return LengthBytes(bytes.size()) + bytes.size();
    const size_t nUnits = Utf8ToUtf16(s).size();
    return 3 + LengthBytes(nUnits) + 2 * nUnits;
}

uint8_t* CArchiveWriter::PutWideString(uint8_t* p, std::string_view s, const ICodePage& codePage)
{
    std::string bytes;
    if (codePage.FromUtf8(s, bytes)) {
        p = PutLength(p, bytes.size());
        std::memcpy(p, bytes.data(), bytes.size());
        return p + bytes.size();
    }
    const std::u16string units = Utf8ToUtf16(s);
    *p++ = 0xFF;
    p = PutWord(p, 0xFFFE);
    p = PutLength(p, units.size());
    for (char16_t c : units)
        p = PutWord(p, c);
    return p;
}

void CArchiveWriter::Grow(size_t n)
{
    // Zeroed a step at a time, at most 64 KB, just before the writes go over
    // it while it is still in the cache.
    const size_t step = std::min<size_t>(std::max<size_t>(m_buf.size(), 256), 65536);
    m_buf.resize(std::max(m_nUsed + n, m_buf.size() + step));
}

const std::vector<uint8_t>& CArchiveWriter::Bytes()
{
    m_buf.resize(m_nUsed);
    return m_buf;
}

std::vector<uint8_t> CArchiveWriter::Take()
{
    m_buf.resize(m_nUsed);
    m_nUsed = 0;
    std::vector<uint8_t> out;
    out.swap(m_buf);
    return out;
}

void CArchiveWriter::WriteCount(size_t n)
{
    if (n < 0xFFFF) {
        WriteWord(static_cast<uint16_t>(n));
    } else {
        WriteWord(0xFFFF);
        WriteDWord(static_cast<uint32_t>(n));
    }
}

void CArchiveWriter::WriteObjectTag(const char* className, uint16_t schema)
{
    // A document writes two classes, so a look along them is the quickest.
    const ClassEntry* found = nullptr;
    for (const ClassEntry& c : m_classes) {
        if (c.literal == className || c.name == className) {
            found = &c;
            break;
        }
    }
    if (!found) {
        const size_t len = std::strlen(className);
        WriteWord(wNewClassTag);
        WriteWord(schema);
        WriteWord(static_cast<uint16_t>(len));
        std::memcpy(Room(len), className, len);
        m_classes.push_back(ClassEntry{className, className, m_nMapCount++});
    } else if (found->nIndex < wBigObjectTag) {
        WriteWord(static_cast<uint16_t>(wClassTag | found->nIndex));
    } else {
        WriteWord(wBigObjectTag);
        WriteDWord(dwBigClassTag | found->nIndex);
    }
    ++m_nMapCount; // the object itself
}

CArchiveReader::CArchiveReader(const uint8_t* data, size_t size, const ICodePage& codePage)
    : m_data(data), m_size(size), m_codePage(codePage)
{
    // The null tag's entry names no class: a tag that refers to it is an
    // object of no known class.
    m_map.push_back(MapEntry{0, 0, false});
    m_classNames.emplace_back();
}

void CArchiveReader::ThrowEndsEarly()
{
    throw CArchiveFormatError("the file ends early");
}

uint8_t CArchiveReader::ReadByte()
{
    Need(1);
    return m_data[m_pos++];
}

uint16_t CArchiveReader::ReadWord()
{
    Need(2);
    const uint8_t* p = m_data + m_pos;
    m_pos += 2;
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t CArchiveReader::ReadDWord()
{
    Need(4);
    const uint8_t* p = m_data + m_pos;
    m_pos += 4;
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

double CArchiveReader::ReadDouble()
{
    Need(8);
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = (bits << 8) | m_data[m_pos + i];
    m_pos += 8;
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

size_t CArchiveReader::ReadLength(bool* pbWide)
{
    *pbWide = false;
    uint8_t bLen = ReadByte();
    if (bLen < 0xFF)
        return bLen;
    uint16_t wLen = ReadWord();
    if (wLen == 0xFFFE) {
        // A string of 16-bit characters follows, with a second length prefix.
        *pbWide = true;
        bLen = ReadByte();
        if (bLen < 0xFF)
            return bLen;
        wLen = ReadWord();
    }
    if (wLen < 0xFFFF)
        return wLen;
    return ReadDWord();
}

std::u16string CArchiveReader::ReadUnits(size_t nChars)
{
    if (nChars > Remaining() / 2)
        throw CArchiveFormatError("a string runs past the end");
    std::u16string w(nChars, u'\0');
    for (size_t i = 0; i < nChars; ++i)
        w[i] = static_cast<char16_t>(m_data[m_pos + 2 * i] | (m_data[m_pos + 2 * i + 1] << 8));
    m_pos += 2 * nChars;
    return w;
}

std::string CArchiveReader::ReadString()
{
    std::string s;
    ReadString(s);
    return s;
}

void CArchiveReader::ReadString(std::string& s)
{
    bool bWide;
    const size_t nChars = ReadLength(&bWide);
    if (bWide) {
        const std::u16string w = ReadUnits(nChars);
        s.clear();
        AppendUtf8(s, w.data(), w.size());
        return;
    }
    Need(nChars);
    const char* bytes = reinterpret_cast<const char*>(m_data + m_pos);
    m_pos += nChars;
    if (IsAscii(bytes, nChars)) {
        s.assign(bytes, nChars);
    } else {
        s.clear();
        m_codePage.ToUtf8(bytes, nChars, s);
    }
}

size_t CArchiveReader::SkipString()
{
    bool bWide;
    const size_t nChars = ReadLength(&bWide);
    // The conversion decides how long a string comes out.
    if (bWide) {
        const std::u16string w = ReadUnits(nChars);
        return Utf8Length(w.data(), w.size());
    }
    Need(nChars);
    const char* bytes = reinterpret_cast<const char*>(m_data + m_pos);
    m_pos += nChars;
    if (IsAscii(bytes, nChars))
        return nChars;
    std::string s;
    m_codePage.ToUtf8(bytes, nChars, s);
    return s.size();
}

uint32_t CArchiveReader::ReadCount(size_t bytesPerElement)
{
    uint32_t n = ReadWord();
    if (n == 0xFFFF)
        n = ReadDWord();
    if (bytesPerElement != 0 && n > Remaining() / bytesPerElement)
        throw CArchiveFormatError("a count runs past the end");
    return n;
}

CArchiveReader::ObjectTag CArchiveReader::ReadObjectTag()
{
    ObjectTag tag;
    const uint16_t wTag = ReadWord();
    uint32_t obTag;
    if (wTag == wBigObjectTag)
        obTag = ReadDWord();
    else
        obTag = (static_cast<uint32_t>(wTag & wClassTag) << 16) | (wTag & ~wClassTag);

    if (wTag == wNullTag)
        return tag;

    uint32_t nClassIndex;
    if (wTag == wNewClassTag) {
        const uint16_t schema = ReadWord();
        const uint16_t nLen = ReadWord();
        if (nLen > kMaxClassNameLength)
            throw CArchiveFormatError("a class name is too long");
        Need(nLen);
        m_classNames.emplace_back(reinterpret_cast<const char*>(m_data + m_pos), nLen);
        m_pos += nLen;
        nClassIndex = static_cast<uint32_t>(m_map.size());
        m_map.push_back(MapEntry{static_cast<uint32_t>(m_classNames.size() - 1), schema, true});
    } else if (obTag & dwBigClassTag) {
        nClassIndex = obTag & ~dwBigClassTag;
        if (nClassIndex == 0 || nClassIndex >= m_map.size() || !m_map[nClassIndex].bIsClass)
            throw CArchiveFormatError("a tag names no known class");
    } else {
        if (obTag >= m_map.size() || m_map[obTag].bIsClass)
            throw CArchiveFormatError("a tag names no known object");
        tag.kind = ObjectTag::Reference;
        tag.className = m_classNames[m_map[obTag].nClass];
        tag.nObjectIndex = obTag;
        return tag;
    }

    const MapEntry cls = m_map[nClassIndex];
    tag.kind = ObjectTag::NewObject;
    tag.className = m_classNames[cls.nClass];
    tag.schema = cls.schema;
    tag.nObjectIndex = static_cast<uint32_t>(m_map.size());
    m_map.push_back(MapEntry{cls.nClass, cls.schema, false});
    return tag;
}
