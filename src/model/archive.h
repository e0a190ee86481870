#pragma once
// The data file's archive stream: little-endian integers, counted strings,
// collection counts and object tags numbered in one sequence from 1.

#include <cstddef>
#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

// Any malformed input: the whole read is abandoned.
class CArchiveFormatError : public std::runtime_error {
public:
    explicit CArchiveFormatError(const char* what) : std::runtime_error(what) {}
};

class CArchiveWriter {
public:
    void WriteByte(uint8_t b) { m_buf.push_back(b); }
    void WriteWord(uint16_t w);
    void WriteDWord(uint32_t dw);
    void WriteDouble(double d);
    void WriteString(const std::string& s);
    void WriteCount(size_t n);
    // Writes the tag that introduces a new object of the class: the class
    // record the first time, a reference to it afterwards.
    void WriteObjectTag(const char* className, uint16_t schema);

    const std::vector<uint8_t>& Bytes() const { return m_buf; }
    std::vector<uint8_t> Take() { return std::move(m_buf); }
    void Reserve(size_t n) { m_buf.reserve(n); }

private:
    std::vector<uint8_t> m_buf;
    uint32_t m_nMapCount = 1; // 0 is the null tag
    std::map<std::string, uint32_t> m_classIndex;
};

// Converts a UTF-16 string read from the file into single-byte text.
using WideToAnsiFn = std::string (*)(const std::u16string&);

class CArchiveReader {
public:
    CArchiveReader(const uint8_t* data, size_t size, WideToAnsiFn wideToAnsi = nullptr);

    uint8_t ReadByte();
    uint16_t ReadWord();
    uint32_t ReadDWord();
    double ReadDouble();
    std::string ReadString();
    // An element count, checked against the bytes left: every element takes
    // at least bytesPerElement bytes, so nothing larger is ever reserved.
    uint32_t ReadCount(size_t bytesPerElement = 1);

    // What an object tag introduced.
    struct ObjectTag {
        enum Kind { Null, NewObject, Reference } kind = Null;
        std::string className;  // for NewObject and Reference
        uint16_t schema = 0;    // for NewObject: the schema of its class record
        uint32_t nObjectIndex = 0; // the new object's number, or the one referred to
    };
    // Reads a tag; a new object is entered into the numbering at once.
    ObjectTag ReadObjectTag();

    size_t Remaining() const { return m_size - m_pos; }
    bool AtEnd() const { return m_pos == m_size; }

private:
    void Need(size_t n) const;
    size_t ReadLength(bool* pbWide);

    struct MapEntry {
        bool bIsClass;
        std::string className;
        uint16_t schema;
    };
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
    WideToAnsiFn m_wideToAnsi;
    std::vector<MapEntry> m_map; // index 0 stands for the null tag
};

// Windows-1252 with the five undefined bytes passed through as C1 controls,
// so that every byte has exactly one character and back.
char32_t Cp1252ToUnicode(uint8_t b);
// Returns false when the character has no byte in that mapping.
bool UnicodeToCp1252(char32_t c, uint8_t* pb);
// The reader's default: each UTF-16 unit through the mapping above, '?' when
// there is none.
std::string WideToCp1252(const std::u16string& s);
