#pragma once
// The data file's archive stream: little-endian integers, counted strings,
// collection counts and object tags numbered in one sequence from 1.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "base/text.h"

// Any malformed input: the whole read is abandoned.
class CArchiveFormatError : public std::runtime_error {
public:
    explicit CArchiveFormatError(const char* what) : std::runtime_error(what) {}
};

class CArchiveWriter {
public:
    // Texts are written in the code page's single-byte form where they have
    // one, else in the 16-bit form.
    explicit CArchiveWriter(const ICodePage& codePage = ProcessCodePage()) : m_codePage(codePage) {}
    // Writes over the bytes of a buffer from before: a writer that is given
    // back the bytes of its last run takes no new memory for the next, and
    // does not clear them first (only what is written is ever handed out).
    explicit CArchiveWriter(std::vector<uint8_t>&& buffer, const ICodePage& codePage = ProcessCodePage());

    void WriteByte(uint8_t b) { *Room(1) = b; }
    void WriteWord(uint16_t w) { PutWord(Room(2), w); }
    void WriteDWord(uint32_t dw) { PutDWord(Room(4), dw); }
    void WriteDouble(double d) { PutDouble(Room(8), d); }
    void WriteString(std::string_view s) { PutString(Room(StringBytes(s, m_codePage)), s, m_codePage); }
    void WriteCount(size_t n);
    // Writes the tag that introduces a new object of the class: the class
    // record the first time, a reference to it afterwards.
    void WriteObjectTag(const char* className, uint16_t schema);

    // Room for a record of n bytes, which the caller fills with the Put
    // functions below: one check for all its fields.
    uint8_t* Claim(size_t n) { return Room(n); }
    // Gives back the last claim, of n bytes, unused.
    void Unclaim(size_t n) { m_nUsed -= n; }

    // Each places a value in the file's form at p and returns the byte
    // after it.
    static uint8_t* PutWord(uint8_t* p, uint16_t w)
    {
        p[0] = static_cast<uint8_t>(w);
        p[1] = static_cast<uint8_t>(w >> 8);
        return p + 2;
    }
    static uint8_t* PutDWord(uint8_t* p, uint32_t dw)
    {
        for (int i = 0; i < 4; ++i)
            p[i] = static_cast<uint8_t>(dw >> (8 * i));
        return p + 4;
    }
    static uint8_t* PutDouble(uint8_t* p, double d)
    {
        uint64_t bits;
        std::memcpy(&bits, &d, sizeof bits);
        for (int i = 0; i < 8; ++i)
            p[i] = static_cast<uint8_t>(bits >> (8 * i));
        return p + 8;
    }
    // A string takes its length in one byte below 255, else 0xFF and a word
    // below 0xFFFE, else 0xFF, 0xFFFF and a double word; then its bytes.
    // Text without a single-byte form takes 0xFF, 0xFFFE, its length in
    // UTF-16 units the same way, and the units.
    static size_t StringBytes(std::string_view s, const ICodePage& codePage)
    {
        if (IsAscii(s))
            return LengthBytes(s.size()) + s.size();
        return WideStringBytes(s, codePage);
    }
    static uint8_t* PutString(uint8_t* p, std::string_view s, const ICodePage& codePage)
    {
        return IsAscii(s) ? PutAsciiString(p, s) : PutWideString(p, s, codePage);
    }
    // The same for text known to be ASCII.
    static uint8_t* PutAsciiString(uint8_t* p, std::string_view s)
    {
        p = PutLength(p, s.size());
        if (!s.empty()) // most of a task's texts are empty
            std::memcpy(p, s.data(), s.size());
        return p + s.size();
    }
    // The same for text taken to be ASCII, which it checks as it copies:
    // *pbNotAscii is set when it was not, and the bytes placed are then not
    // the text's form.
    static uint8_t* PutAsciiString(uint8_t* p, std::string_view s, bool* pbNotAscii)
    {
        p = PutLength(p, s.size());
        const size_t n = s.size();
        const char* src = s.data();
        uint64_t bits = 0;
        if (n >= 8) {
            // Whole words, the last one overlapping the one before.
            uint64_t word;
            for (size_t i = 0; i + 8 < n; i += 8) {
                std::memcpy(&word, src + i, 8);
                std::memcpy(p + i, &word, 8);
                bits |= word;
            }
            std::memcpy(&word, src + n - 8, 8);
            std::memcpy(p + n - 8, &word, 8);
            bits |= word;
        } else {
            for (size_t i = 0; i < n; ++i) {
                p[i] = static_cast<uint8_t>(src[i]);
                bits |= static_cast<unsigned char>(src[i]);
            }
        }
        if (bits & 0x8080808080808080ull)
            *pbNotAscii = true;
        return p + n;
    }
    static size_t LengthBytes(size_t n) { return n < 0xFF ? 1 : n < 0xFFFE ? 3 : 7; }
    static uint8_t* PutLength(uint8_t* p, size_t n)
    {
        if (n < 0xFF) {
            *p++ = static_cast<uint8_t>(n);
        } else {
            *p++ = 0xFF;
            if (n < 0xFFFE) {
                p = PutWord(p, static_cast<uint16_t>(n));
            } else {
                p = PutWord(p, 0xFFFF);
                p = PutDWord(p, static_cast<uint32_t>(n));
            }
        }
        return p;
    }

    const ICodePage& CodePage() const { return m_codePage; }

    // The bytes written so far.
    const std::vector<uint8_t>& Bytes();
    std::vector<uint8_t> Take();
    void Reserve(size_t n) { m_buf.reserve(n); }

private:
    // Room for n more bytes after those written.
    uint8_t* Room(size_t n)
    {
        if (m_buf.size() - m_nUsed < n)
            Grow(n);
        uint8_t* p = m_buf.data() + m_nUsed;
        m_nUsed += n;
        return p;
    }
    void Grow(size_t n);
    // The forms of text that is not all ASCII.
    static size_t WideStringBytes(std::string_view s, const ICodePage& codePage);
    static uint8_t* PutWideString(uint8_t* p, std::string_view s, const ICodePage& codePage);

    const ICodePage& m_codePage;
    struct ClassEntry {
        const char* literal; // as the caller passed it: the same name comes back at the same address
        std::string name;
        uint32_t nIndex;
    };
    // Bytes [0, m_nUsed) are written; the vector runs a little way past
    // them, so that a write only moves a pointer.
    std::vector<uint8_t> m_buf;
    size_t m_nUsed = 0;
    uint32_t m_nMapCount = 1; // 0 is the null tag
    std::vector<ClassEntry> m_classes; // the few classes written so far
};

class CArchiveReader {
public:
    // Reads the bytes in place: they must outlive the reader and every class
    // name it hands out.
    // Single-byte texts are read through the code page.
    CArchiveReader(const uint8_t* data, size_t size, const ICodePage& codePage = ProcessCodePage());

    uint8_t ReadByte();
    uint16_t ReadWord();
    uint32_t ReadDWord();
    double ReadDouble();
    std::string ReadString();
    // The same into a string the caller keeps, whose memory is reused.
    void ReadString(std::string& s);
    // Passes over a string; returns the length that ReadString gives it.
    size_t SkipString();
    // An element count, checked against the bytes left: every element takes
    // at least bytesPerElement bytes, so nothing larger is ever reserved.
    uint32_t ReadCount(size_t bytesPerElement = 1);

    // What an object tag introduced.
    struct ObjectTag {
        enum Kind { Null, NewObject, Reference } kind = Null;
        std::string_view className; // for NewObject and Reference: within the bytes read
        uint16_t schema = 0;        // for NewObject: the schema of its class record
        uint32_t nObjectIndex = 0;  // the new object's number, or the one referred to
    };
    // Reads a tag; a new object is entered into the numbering at once.
    ObjectTag ReadObjectTag();

    size_t Remaining() const { return m_size - m_pos; }
    bool AtEnd() const { return m_pos == m_size; }

private:
    void Need(size_t n) const
    {
        if (n > m_size - m_pos)
            ThrowEndsEarly();
    }
    [[noreturn]] static void ThrowEndsEarly();
    size_t ReadLength(bool* pbWide);
    // The UTF-16 units of a 16-bit string.
    std::u16string ReadUnits(size_t nChars);

    // One per class record and per object, numbered as the tags number them:
    // small, as a large file has one for each of its records.
    struct MapEntry {
        uint32_t nClass; // into m_classNames
        uint16_t schema;
        bool bIsClass;
    };
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
    const ICodePage& m_codePage;
    std::vector<MapEntry> m_map; // index 0 stands for the null tag
    std::vector<std::string_view> m_classNames; // 0: no name, for the null tag's entry
};

// Field visitors for a record that lists its fields once, in file order
// (its VisitFields): sizing and placing them for writing, reading them,
// passing over them, and counting the bytes of its texts. The integer fields are 32 bits on file.
// The bytes a record's fields take on file, and the same fields placed in
// them: a record is written with one claim on the writer. It is sized as if
// its texts were all ASCII, as nearly all are, and each text is looked at
// only as it is placed; a record with other text is sized and placed again
// with the forms its texts take.
struct CFieldBytes {
    const ICodePage* pCodePage; // null: every text taken for ASCII
    size_t n = 0;
    void operator()(uint32_t) { n += 4; }
    void operator()(int32_t) { n += 4; }
    void operator()(double) { n += 8; }
    void operator()(const std::string& s)
    {
        n += pCodePage ? CArchiveWriter::StringBytes(s, *pCodePage) : CArchiveWriter::LengthBytes(s.size()) + s.size();
    }
};

// Places the fields; bExact places every text in its form through the code
// page, otherwise texts are placed as ASCII until one turns out not to be.
template <bool bExact>
struct CFieldPlacer {
    const ICodePage& codePage;
    uint8_t* p;
    bool bStopped = false;
    void operator()(uint32_t n) { p = CArchiveWriter::PutDWord(p, n); }
    void operator()(int32_t n) { p = CArchiveWriter::PutDWord(p, static_cast<uint32_t>(n)); }
    void operator()(double d) { p = CArchiveWriter::PutDouble(p, d); }
    void operator()(const std::string& s)
    {
        if (bExact) {
            p = CArchiveWriter::PutString(p, s, codePage);
        } else if (!bStopped) {
            p = CArchiveWriter::PutAsciiString(p, s, &bStopped);
        }
    }
};

// Writes a record through its VisitFields.
template <class Record>
void WriteFields(CArchiveWriter& ar, const Record& r)
{
    CFieldBytes size{nullptr};
    Record::VisitFields(r, size);
    CFieldPlacer<false> place{ar.CodePage(), ar.Claim(size.n)};
    Record::VisitFields(r, place);
    if (!place.bStopped)
        return;
    ar.Unclaim(size.n);
    CFieldBytes exact{&ar.CodePage()};
    Record::VisitFields(r, exact);
    CFieldPlacer<true> again{ar.CodePage(), ar.Claim(exact.n)};
    Record::VisitFields(r, again);
}

struct CFieldReader {
    CArchiveReader& ar;
    void operator()(uint32_t& n) { n = ar.ReadDWord(); }
    void operator()(int32_t& n) { n = static_cast<int32_t>(ar.ReadDWord()); }
    void operator()(double& d) { d = ar.ReadDouble(); }
    void operator()(std::string& s) { ar.ReadString(s); }
};

// Keeps nothing but the length each text would have once read.
struct CFieldSkipper {
    CArchiveReader& ar;
    size_t nTextBytes = 0;
    void operator()(const uint32_t&) { ar.ReadDWord(); }
    void operator()(const int32_t&) { ar.ReadDWord(); }
    void operator()(const double&) { ar.ReadDouble(); }
    void operator()(const std::string&) { nTextBytes += ar.SkipString(); }
};

struct CTextBytes {
    size_t nTextBytes = 0;
    void operator()(const std::string& s) { nTextBytes += s.size(); }
    template <class Number>
    void operator()(const Number&) {}
};
