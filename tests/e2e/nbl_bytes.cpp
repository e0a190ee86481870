// The archive layout written and read independently of the program, so a
// case can tell what the program wrote from what it should have written.
#include "nbl_bytes.h"

#include <cstring>
#include <iomanip>

#include "driver.h"

namespace e2e {

namespace {

constexpr uint16_t kNewClassTag = 0xFFFF;
constexpr uint16_t kClassTagBit = 0x8000;
constexpr uint16_t kBigTag = 0x7FFF;
constexpr uint16_t kSchema = 0x0100;
constexpr const char* kTaskClass = "CRemindTask";
constexpr const char* kEngineClass = "CWebSearchItem";
// 1 January 1601, where FILETIME counts from, is this many days before the
// OLE dates' day 0, 30 December 1899.
constexpr double kFileTimeToOleDays = 109205.0;

// Text is UTF-8 here, as in the program; in the file it takes the system's
// code page where every character has a byte there, else 16-bit units.
std::string AnsiToUtf8(const std::string& bytes)
{
    const int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0)
        MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), n);
    return Utf8(wide);
}

bool Utf8ToAnsi(const std::string& text, std::string& bytes)
{
    const std::wstring wide = Wide(text);
    const int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                                      nullptr);
    bytes.assign(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), bytes.data(), n, nullptr,
                            nullptr);
    return AnsiToUtf8(bytes) == text;
}

class CWriter {
public:
    void U8(uint8_t v) { m_out.push_back(v); }
    void U16(uint16_t v)
    {
        U8(static_cast<uint8_t>(v));
        U8(static_cast<uint8_t>(v >> 8));
    }
    void U32(uint32_t v)
    {
        U16(static_cast<uint16_t>(v));
        U16(static_cast<uint16_t>(v >> 16));
    }
    void Double(double d)
    {
        uint64_t bits = 0;
        memcpy(&bits, &d, sizeof bits);
        U32(static_cast<uint32_t>(bits));
        U32(static_cast<uint32_t>(bits >> 32));
    }
    void String(const std::string& text)
    {
        std::string s;
        if (!Utf8ToAnsi(text, s)) {
            const std::wstring wide = Wide(text);
            U8(0xFF);
            U16(0xFFFE);
            Length(wide.size());
            for (wchar_t c : wide)
                U16(static_cast<uint16_t>(c));
            return;
        }
        Length(s.size());
        m_out.insert(m_out.end(), s.begin(), s.end());
    }
    void Length(size_t n)
    {
        if (n < 0xFF) {
            U8(static_cast<uint8_t>(n));
        } else if (n < 0xFFFE) {
            U8(0xFF);
            U16(static_cast<uint16_t>(n));
        } else {
            U8(0xFF);
            U16(0xFFFF);
            U32(static_cast<uint32_t>(n));
        }
    }
    void Count(size_t n)
    {
        if (n < 0xFFFF) {
            U16(static_cast<uint16_t>(n));
        } else {
            U16(0xFFFF);
            U32(static_cast<uint32_t>(n));
        }
    }
    // The reference to the first object of a class introduces the class;
    // later ones name its record. Numbers count records and objects alike.
    void ObjectTag(const char* cls, uint32_t& classNumber, uint32_t& nextNumber)
    {
        if (classNumber == 0) {
            U16(kNewClassTag);
            U16(kSchema);
            U16(static_cast<uint16_t>(strlen(cls)));
            m_out.insert(m_out.end(), cls, cls + strlen(cls));
            classNumber = nextNumber++;
        } else if (classNumber < kBigTag) {
            U16(static_cast<uint16_t>(kClassTagBit | classNumber));
        } else {
            U16(kBigTag);
            U32(0x80000000u | classNumber);
        }
        ++nextNumber;
    }
    std::vector<uint8_t> Take() { return std::move(m_out); }

private:
    std::vector<uint8_t> m_out;
};

class CReader {
public:
    explicit CReader(const std::vector<uint8_t>& in) : m_in(in) {}
    bool Failed() const { return !m_error.empty(); }
    const std::string& Error() const { return m_error; }
    bool AtEnd() const { return m_pos == m_in.size(); }
    size_t Pos() const { return m_pos; }
    void Fail(const std::string& why)
    {
        if (m_error.empty())
            m_error = why + " at byte " + std::to_string(m_pos);
    }

    uint8_t U8()
    {
        if (m_pos >= m_in.size()) {
            Fail("early end");
            return 0;
        }
        return m_in[m_pos++];
    }
    uint16_t U16()
    {
        const uint16_t lo = U8();
        return static_cast<uint16_t>(lo | (U8() << 8));
    }
    uint32_t U32()
    {
        const uint32_t lo = U16();
        return lo | (static_cast<uint32_t>(U16()) << 16);
    }
    double Double()
    {
        const uint64_t lo = U32();
        const uint64_t bits = lo | (static_cast<uint64_t>(U32()) << 32);
        double d = 0;
        memcpy(&d, &bits, sizeof d);
        return d;
    }
    std::string Bytes(size_t n)
    {
        if (Failed() || n > m_in.size() - m_pos) {
            Fail("text runs past the end");
            return {};
        }
        std::string s(m_in.begin() + static_cast<long>(m_pos), m_in.begin() + static_cast<long>(m_pos + n));
        m_pos += n;
        return s;
    }
    // Single-byte text through the code page, 16-bit text whole.
    std::string String()
    {
        size_t n = U8();
        if (n == 0xFF) {
            n = U16();
            if (n == 0xFFFE) {
                std::wstring wide(Length(), L'\0');
                if (wide.size() > (m_in.size() - m_pos) / 2) {
                    Fail("text runs past the end");
                    return {};
                }
                for (wchar_t& c : wide)
                    c = static_cast<wchar_t>(U16());
                return Utf8(wide);
            }
            if (n == 0xFFFF)
                n = U32();
        }
        return AnsiToUtf8(Bytes(n));
    }
    size_t Length()
    {
        size_t n = U8();
        if (n == 0xFF) {
            n = U16();
            if (n == 0xFFFF)
                n = U32();
        }
        return n;
    }
    size_t Count()
    {
        const uint16_t n = U16();
        return n == 0xFFFF ? U32() : n;
    }
    // Accepts exactly what a writer of every object once produces.
    void ObjectTag(const char* cls, uint32_t& classNumber, uint32_t& nextNumber)
    {
        const uint16_t tag = U16();
        if (tag == kNewClassTag) {
            if (classNumber != 0)
                Fail(std::string("a second class record of ") + cls);
            if (U16() != kSchema)
                Fail("a schema other than 256");
            const uint16_t len = U16();
            if (Bytes(len) != cls)
                Fail(std::string("a class other than ") + cls);
            classNumber = nextNumber++;
        } else {
            const uint32_t named = tag == kBigTag ? (U32() & 0x7FFFFFFFu) : static_cast<uint32_t>(tag & 0x7FFFu);
            const bool classRef = tag == kBigTag || (tag & kClassTagBit) != 0;
            if (!classRef || classNumber == 0 || named != classNumber)
                Fail("an unexpected object tag " + std::to_string(tag));
        }
        ++nextNumber;
    }

private:
    const std::vector<uint8_t>& m_in;
    size_t m_pos = 0;
    std::string m_error;
};

void WriteTaskFields(CWriter& w, const NblTask& t)
{
    w.U32(t.status);
    w.U32(t.kind);
    w.String(t.name);
    w.String(t.description);
    w.String(t.url);
    w.U32(static_cast<uint32_t>(t.priority));
    w.String(t.billing);
    w.String(t.project);
    w.String(t.assignTo);
    w.U32(t.dateStatus);
    w.Double(t.date);
    for (const std::string* s : {&t.webName, &t.webUrl, &t.linkedTo, &t.pageUrl, &t.cookie})
        w.String(*s);
}

NblTask ReadTaskFields(CReader& r)
{
    NblTask t;
    t.status = r.U32();
    t.kind = r.U32();
    t.name = r.String();
    t.description = r.String();
    t.url = r.String();
    t.priority = static_cast<int32_t>(r.U32());
    t.billing = r.String();
    t.project = r.String();
    t.assignTo = r.String();
    t.dateStatus = r.U32();
    t.date = r.Double();
    for (std::string* s : {&t.webName, &t.webUrl, &t.linkedTo, &t.pageUrl, &t.cookie})
        *s = r.String();
    return t;
}

}  // namespace

bool NblTask::operator==(const NblTask& o) const
{
    return status == o.status && kind == o.kind && name == o.name && description == o.description && url == o.url &&
           priority == o.priority && billing == o.billing && project == o.project && assignTo == o.assignTo &&
           dateStatus == o.dateStatus && date == o.date && webName == o.webName && webUrl == o.webUrl &&
           linkedTo == o.linkedTo && pageUrl == o.pageUrl && cookie == o.cookie;
}

void PrintTo(const NblTask& t, std::ostream* os)
{
    *os << "{status " << t.status << ", kind " << t.kind << ", name \"" << t.name << "\", description \""
        << t.description << "\", url \"" << t.url << "\", priority " << t.priority << ", billing \"" << t.billing
        << "\", project \"" << t.project << "\", assignTo \"" << t.assignTo << "\", date " << t.dateStatus << "/"
        << std::setprecision(12) << t.date;
    if (t.kind == nbl::frontPage)
        *os << ", web \"" << t.webName << "\" \"" << t.webUrl << "\", linked \"" << t.linkedTo << "\" \""
            << t.pageUrl << "\", cookie \"" << t.cookie << "\"";
    *os << "}";
}

void PrintTo(const NblEngine& e, std::ostream* os)
{
    *os << "{\"" << e.name << "\", \"" << e.url << "\"}";
}

std::vector<uint8_t> WriteNbl(const NblDocument& doc)
{
    CWriter w;
    uint32_t next = 1;
    uint32_t taskClass = 0;
    uint32_t engineClass = 0;
    w.Count(doc.tasks.size());
    for (const NblTask& t : doc.tasks) {
        w.ObjectTag(kTaskClass, taskClass, next);
        WriteTaskFields(w, t);
    }
    w.Count(doc.projects.size());
    for (const std::string& p : doc.projects)
        w.String(p);
    w.Count(doc.engines.size());
    for (const NblEngine& e : doc.engines) {
        w.ObjectTag(kEngineClass, engineClass, next);
        w.String(e.name);
        w.String(e.url);
    }
    return w.Take();
}

std::optional<NblDocument> ReadNbl(const std::vector<uint8_t>& bytes, std::string* error)
{
    CReader r(bytes);
    NblDocument doc;
    uint32_t next = 1;
    uint32_t taskClass = 0;
    uint32_t engineClass = 0;
    for (size_t n = r.Count(); n > 0 && !r.Failed(); --n) {
        r.ObjectTag(kTaskClass, taskClass, next);
        doc.tasks.push_back(ReadTaskFields(r));
    }
    for (size_t n = r.Count(); n > 0 && !r.Failed(); --n)
        doc.projects.push_back(r.String());
    for (size_t n = r.Count(); n > 0 && !r.Failed(); --n) {
        r.ObjectTag(kEngineClass, engineClass, next);
        NblEngine e;
        e.name = r.String();
        e.url = r.String();
        doc.engines.push_back(e);
    }
    if (!r.Failed() && !r.AtEnd())
        r.Fail("bytes after the last collection");
    if (r.Failed()) {
        if (error)
            *error = r.Error();
        return std::nullopt;
    }
    return doc;
}

std::optional<NblDocument> ReadNblFile(const std::string& path, std::string* error)
{
    const auto bytes = ReadFileBytes(path);
    if (!bytes) {
        if (error)
            *error = "cannot read " + path;
        return std::nullopt;
    }
    return ReadNbl(*bytes, error);
}

NblTask MakeTask(uint32_t kind, const std::string& name, const std::string& url)
{
    NblTask t;
    t.kind = kind;
    t.name = name;
    t.url = url;
    return t;
}

double OleDateNow()
{
    SYSTEMTIME st;
    GetLocalTime(&st);
    st.wMilliseconds = 0;  // the program keeps whole seconds
    FILETIME ft;
    SystemTimeToFileTime(&st, &ft);
    const uint64_t ticks = (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    return static_cast<double>(ticks) / 864000000000.0 - kFileTimeToOleDays;
}

std::string ListDate(double oleDate)
{
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const auto ticks = static_cast<uint64_t>((oleDate + kFileTimeToOleDays) * 864000000000.0 + 0.5);
    FILETIME ft = {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME st = {};
    if (!FileTimeToSystemTime(&ft, &st))
        return "?";
    char buf[32];
    wsprintfA(buf, "%02u %s %04u", st.wDay, kMonths[st.wMonth - 1], st.wYear);
    return buf;
}

}  // namespace e2e
