#include "nbltool/json_codec.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "model/netbell_doc.h"
#include "support/fakes.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

uint64_t Bits(double d)
{
    uint64_t b;
    std::memcpy(&b, &d, sizeof b);
    return b;
}

double FromBits(uint64_t b)
{
    double d;
    std::memcpy(&d, &b, sizeof d);
    return d;
}

// Windows-1252 text as the program holds it.
std::string Cp(const std::string& bytes)
{
    std::string s;
    Windows1252().ToUtf8(bytes.data(), bytes.size(), s);
    return s;
}

// Every character of the single-byte form.
std::string AllBytes()
{
    std::string s;
    for (int b = 0; b < 256; ++b)
        s += static_cast<char>(b);
    return Cp(s);
}

CRemindTask& AddTask(CNetbellDoc& doc, uint32_t kind, const std::string& name)
{
    auto t = std::make_unique<CRemindTask>();
    t->m_nKind = kind;
    t->m_strName = name;
    doc.m_arrTasks.push_back(std::move(t));
    return *doc.m_arrTasks.back();
}

void AddEngine(CNetbellDoc& doc, const std::string& name, const std::string& url)
{
    auto e = std::make_unique<CWebSearchItem>();
    e->m_strName = name;
    e->m_strUrl = url;
    doc.m_arrSearchItems.push_back(std::move(e));
}

// A document that uses every field with a distinct value, every byte value,
// text outside the single-byte form, both long string prefixes and codes
// outside the program's own ranges.
void FillVariedDocument(CNetbellDoc& doc)
{
    CRemindTask& note = AddTask(doc, kindNote, "Call");
    note.m_nPriority = priorityMedium;
    note.m_dtAdded.m_dt = 35771.5;

    CRemindTask& bytes = AddTask(doc, kindBrowse, AllBytes());
    bytes.m_strDescription = Cp("undefined: \x81\x8D\x8F\x90\x9D; euro \x80; y-umlaut \xFF");
    bytes.m_strUrl = Cp("http://www.example.com/caf\xE9");
    bytes.m_strProject = u8"Задачи — 東京 ✓ 😀";
    bytes.m_nStatus = statusDone;
    bytes.m_dtAdded.m_dt = 35771.50001157407; // an odd fraction: a second past noon

    CRemindTask& fp = AddTask(doc, kindFrontPage, "Update the page");
    fp.m_strDescription = std::string(300, 'd');         // one-byte prefix no longer fits
    fp.m_strUrl = std::string(70000, 'u');                // nor does the word form
    fp.m_nPriority = priorityLow;
    fp.m_strBillingInfo = "Acme";
    fp.m_strProject = "Site";
    fp.m_strAssignTo = "Jo";
    fp.m_dtAdded = {COleDateTime::null, -0.0};
    fp.m_strWebName = "web";
    fp.m_strWebUrl = "http://server/web";
    fp.m_strLinkedTo = "Home";
    fp.m_strPageUrl = "http://server/web/index.htm";
    fp.m_strCookie = "NetbellCookie17";

    CRemindTask& odd = AddTask(doc, 4000000000u, "odd codes");
    odd.m_nStatus = 0xFFFFFFFFu;
    odd.m_nPriority = std::numeric_limits<int32_t>::min();
    odd.m_dtAdded = {COleDateTime::invalid, std::numeric_limits<double>::denorm_min()};

    doc.m_arrProjects = {"Site", "", Cp("Caf\xE9 \x80"), AllBytes()};
    AddEngine(doc, "AltaVista", "http://www.altavista.digital.com/cgi-bin/query?q=");
    AddEngine(doc, "", "");
    AddEngine(doc, Cp("Yahoo\x9D"), "http://search.yahoo.com/bin/search?p=");
}

// Every error message names the field it is about, before a colon.
::testing::AssertionResult RefusedNaming(const Json& j, const std::string& field)
{
    CFakeFileSystem files;
    CFakePrompts prompts;
    CNetbellDoc doc(files, prompts);
    AddTask(doc, kindNote, "kept");
    const Bytes before = doc.SaveToBytes();
    try {
        JsonToDoc(j, doc);
    } catch (const CJsonDocError& e) {
        const std::string what = e.what();
        if (what.compare(0, field.size() + 1, field + ":") != 0)
            return ::testing::AssertionFailure() << "message \"" << what << "\" does not begin with " << field;
        if (doc.SaveToBytes() != before)
            return ::testing::AssertionFailure() << "the document changed on a refusal";
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "accepted";
}

Json ValidJson()
{
    CFakeFileSystem files;
    CFakePrompts prompts;
    CNetbellDoc doc(files, prompts);
    FillVariedDocument(doc);
    return DocToJson(doc);
}

} // namespace

TEST(JsonCodec, TextInAnyScriptPassesAndBrokenUtf8IsRefused)
{
    const struct {
        const char* utf8;
        const char* mentions;
    } cases[] = {
        {"\xC3", "UTF-8"},                   // cut off
        {"\xC0\x80", "UTF-8"},               // overlong NUL
        {"\xED\xA0\x80", "UTF-8"},           // a surrogate
        {"\xF4\x90\x80\x80", "UTF-8"},       // past U+10FFFF
        {"\x80", "UTF-8"},                   // a stray continuation byte
    };
    for (const char* text : {"a\xC4\x80z", "\xF0\x9F\x98\x80", "\xC2\x80", ""})
        EXPECT_EQ(TextFromJson(text, "x"), text);
    // A lone surrogate from a 16-bit string has no JSON form.
    EXPECT_EQ(TextToJson("a\xED\xA0\x80z"), "a\xEF\xBF\xBDz");
    for (const auto& c : cases) {
        try {
            TextFromJson(c.utf8, "tasks[3].name");
            ADD_FAILURE() << "accepted " << c.mentions;
        } catch (const CJsonDocError& e) {
            const std::string what = e.what();
            EXPECT_EQ(what.rfind("tasks[3].name: ", 0), 0u) << what;
            EXPECT_NE(what.find(c.mentions), std::string::npos) << what;
        }
    }
}

TEST(JsonCodec, DaysReadBackBitForBit)
{
    std::vector<double> values = {0.0,
                                  -0.0,
                                  35771.5,
                                  35771.50001157407,
                                  1.0 / 3.0,
                                  0.1,
                                  -693593.0,
                                  2958465.99999,
                                  std::numeric_limits<double>::denorm_min(),
                                  std::numeric_limits<double>::min(),
                                  std::numeric_limits<double>::max(),
                                  -std::numeric_limits<double>::max(),
                                  9007199254740993.0,
                                  1e300,
                                  FromBits(0x000FFFFFFFFFFFFFull)};
    std::mt19937_64 rng(1997);
    while (values.size() < 20000) {
        const double d = FromBits(rng());
        if (std::isfinite(d))
            values.push_back(d);
    }
    for (double d : values) {
        const Json j = DaysToJson(d);
        ASSERT_TRUE(j.is_number()) << "a finite day count stays a number: " << j.dump();
        const Json back = Json::parse(j.dump());
        EXPECT_EQ(Bits(DaysFromJson(back, "days")), Bits(d)) << j.dump();
    }
}

TEST(JsonCodec, NonFiniteDaysTravelAsTheirBits)
{
    const uint64_t patterns[] = {0x7FF8000000000000ull, 0xFFF8000000000000ull, 0x7FF0000000000001ull,
                                 0x7FFFFFFFFFFFFFFFull, 0x7FF0000000000000ull, 0xFFF0000000000000ull};
    for (uint64_t bits : patterns) {
        const Json j = DaysToJson(FromBits(bits));
        ASSERT_TRUE(j.is_string());
        const Json back = Json::parse(j.dump());
        EXPECT_EQ(Bits(DaysFromJson(back, "days")), bits) << j.dump();
    }
    EXPECT_EQ(DaysToJson(FromBits(0x7FF8000000000001ull)).get<std::string>(), "0x7FF8000000000001");
    // The bit form is accepted for finite values too, in either case.
    EXPECT_EQ(DaysFromJson(Json("0x40e1777000000000"), "days"), 35771.5);
}

TEST(JsonCodec, MalformedDaysAreRefused)
{
    const Json bad[] = {Json("0x7FF800000000000"), Json("0x7FF80000000000000"), Json("7FF8000000000000xx"),
                        Json("0x7FF800000000000G"), Json("NaN"), Json(true), Json(nullptr),
                        Json(std::numeric_limits<double>::quiet_NaN()), Json::array()};
    for (const Json& j : bad) {
        try {
            DaysFromJson(j, "tasks[0].added.days");
            ADD_FAILURE() << "accepted " << j.dump();
        } catch (const CJsonDocError& e) {
            EXPECT_EQ(std::string(e.what()).rfind("tasks[0].added.days: ", 0), 0u) << e.what();
        }
    }
}

TEST(JsonCodec, DocumentSurvivesJsonText)
{
    CFakeFileSystem files;
    CFakePrompts prompts;
    CNetbellDoc doc(files, prompts);
    FillVariedDocument(doc);

    CNetbellDoc back(files, prompts);
    JsonToDoc(Json::parse(DocToJson(doc).dump(2)), back);

    ASSERT_EQ(back.m_arrTasks.size(), doc.m_arrTasks.size());
    for (size_t i = 0; i < doc.m_arrTasks.size(); ++i)
        EXPECT_TRUE(*back.m_arrTasks[i] == *doc.m_arrTasks[i]) << "task " << i;
    EXPECT_EQ(back.m_arrProjects, doc.m_arrProjects);
    ASSERT_EQ(back.m_arrSearchItems.size(), doc.m_arrSearchItems.size());
    for (size_t i = 0; i < doc.m_arrSearchItems.size(); ++i)
        EXPECT_TRUE(*back.m_arrSearchItems[i] == *doc.m_arrSearchItems[i]) << "engine " << i;
    EXPECT_EQ(back.SaveToBytes(), doc.SaveToBytes());
}

TEST(JsonCodec, JsonShowsFieldsInFileOrderWithTextAsUnicode)
{
    const Json j = ValidJson();
    std::vector<std::string> keys;
    for (const auto& item : j.at("tasks").at(2).items())
        keys.push_back(item.key());
    const std::vector<std::string> expected = {"status",   "kind",     "name",        "description", "url",
                                               "priority", "billingInfo", "project",   "assignTo",    "added",
                                               "webName",  "webUrl",   "linkedTo",    "pageUrl",     "cookie"};
    EXPECT_EQ(keys, expected);
    EXPECT_EQ(j.at("tasks").at(2).at("cookie"), "NetbellCookie17");
    EXPECT_EQ(j.at("tasks").at(3).at("kind"), 4000000000u);
    EXPECT_EQ(j.at("tasks").at(3).at("priority"), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(j.at("tasks").at(2).at("added").at("status"), 2);
    EXPECT_EQ(j.at("projects").at(2), "Caf\xC3\xA9 \xE2\x82\xAC");
    EXPECT_EQ(j.at("searchEngines").at(2).at("name"), "Yahoo\xC2\x9D");
    EXPECT_EQ(j.at("searchEngines").at(0).at("url"), "http://www.altavista.digital.com/cgi-bin/query?q=");
}

TEST(JsonCodec, RefusalsNameTheFieldAndLeaveTheDocumentAlone)
{
    Json j = ValidJson();
    EXPECT_TRUE(RefusedNaming(j.at("tasks"), "the document"));

    j = ValidJson();
    j.at("tasks").at(1).erase("cookie");
    EXPECT_TRUE(RefusedNaming(j, "tasks[1]"));

    j = ValidJson();
    j.at("tasks").at(0)["nmae"] = "typo";
    EXPECT_TRUE(RefusedNaming(j, "tasks[0]"));

    j = ValidJson();
    j.at("tasks").at(0).at("priority") = "High";
    EXPECT_TRUE(RefusedNaming(j, "tasks[0].priority"));

    j = ValidJson();
    j.at("tasks").at(0).at("priority") = 2147483648u;
    EXPECT_TRUE(RefusedNaming(j, "tasks[0].priority"));

    j = ValidJson();
    j.at("tasks").at(2).at("status") = -1;
    EXPECT_TRUE(RefusedNaming(j, "tasks[2].status"));

    j = ValidJson();
    j.at("tasks").at(2).at("kind") = 4294967296ull;
    EXPECT_TRUE(RefusedNaming(j, "tasks[2].kind"));

    j = ValidJson();
    j.at("tasks").at(1).at("kind") = 1.5;
    EXPECT_TRUE(RefusedNaming(j, "tasks[1].kind"));

    j = ValidJson();
    j.at("tasks").at(3).at("added").at("days") = "yesterday";
    EXPECT_TRUE(RefusedNaming(j, "tasks[3].added.days"));

    j = ValidJson();
    j.at("tasks").at(3).at("added").erase("status");
    EXPECT_TRUE(RefusedNaming(j, "tasks[3].added"));

    j = ValidJson();
    j.at("tasks").at(3).at("url") = nullptr;
    EXPECT_TRUE(RefusedNaming(j, "tasks[3].url"));

    j = ValidJson();
    j.at("tasks").at(3).at("description") = "Stra\xC3";
    EXPECT_TRUE(RefusedNaming(j, "tasks[3].description"));

    j = ValidJson();
    j.at("projects").at(1) = 5;
    EXPECT_TRUE(RefusedNaming(j, "projects[1]"));

    j = ValidJson();
    j.at("searchEngines").at(2).erase("url");
    EXPECT_TRUE(RefusedNaming(j, "searchEngines[2]"));

    j = ValidJson();
    j.at("searchEngines").at(0).at("name") = "\xED\xA0\x80";
    EXPECT_TRUE(RefusedNaming(j, "searchEngines[0].name"));

    j = ValidJson();
    j.erase("projects");
    EXPECT_TRUE(RefusedNaming(j, "the document"));

    j = ValidJson();
    j.at("searchEngines") = Json::object();
    EXPECT_TRUE(RefusedNaming(j, "searchEngines"));
}

// The command-line contract, through the built tool.
class NbltoolCli : public ::testing::Test {
protected:
    fs::path dir;
    CFakeFileSystem files;
    CFakePrompts prompts;

    struct Run {
        int exitCode;
        std::string out;
        std::string err;
    };

    void SetUp() override
    {
        std::random_device rd;
        dir = fs::temp_directory_path() /
              ("nbltool_test_" + std::to_string(rd()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }

    std::string PathOf(const std::string& name) const { return (dir / name).string(); }

    static std::string Quote(const std::string& s)
    {
        std::string q = "'";
        for (char c : s)
            q += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return q + "'";
    }

    static Bytes ReadAll(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    static void WriteAll(const std::string& path, const std::string& text)
    {
        std::ofstream out(path, std::ios::binary);
        out << text;
    }

    static void WriteAll(const std::string& path, const Bytes& bytes)
    {
        WriteAll(path, std::string(bytes.begin(), bytes.end()));
    }

    Run Tool(const std::vector<std::string>& args) const
    {
        std::string cmd = Quote(NBLTOOL_PATH);
        for (const std::string& a : args)
            cmd += " " + Quote(a);
        const std::string out = PathOf("stdout.txt");
        const std::string err = PathOf("stderr.txt");
        cmd += " >" + Quote(out) + " 2>" + Quote(err);
        const int status = std::system(cmd.c_str());
        Run r;
        r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        const Bytes o = ReadAll(out);
        const Bytes e = ReadAll(err);
        r.out.assign(o.begin(), o.end());
        r.err.assign(e.begin(), e.end());
        fs::remove(out);
        fs::remove(err);
        return r;
    }

    // Everything in the folder, so a stray temporary file shows up.
    std::set<std::string> Listing() const
    {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir))
            names.insert(entry.path().filename().string());
        return names;
    }

    // File -> dump -> write must give the very same bytes.
    void ExpectByteExactRoundTrip(const Bytes& original)
    {
        WriteAll(PathOf("in.nbl"), original);
        const Run dump = Tool({"dump", PathOf("in.nbl")});
        ASSERT_EQ(dump.exitCode, 0) << dump.err;
        EXPECT_EQ(dump.err, "");
        WriteAll(PathOf("in.json"), dump.out);
        const Run write = Tool({"write", PathOf("in.json"), PathOf("out.nbl")});
        ASSERT_EQ(write.exitCode, 0) << write.err;
        EXPECT_EQ(write.err, "");
        EXPECT_EQ(ReadAll(PathOf("out.nbl")), original);
        EXPECT_EQ(Listing(), (std::set<std::string>{"in.nbl", "in.json", "out.nbl"}));
    }
};

TEST_F(NbltoolCli, FileDumpWriteGivesIdenticalBytes)
{
    CNetbellDoc doc(files, prompts);
    ExpectByteExactRoundTrip(doc.SaveToBytes());

    FillVariedDocument(doc);
    ExpectByteExactRoundTrip(doc.SaveToBytes());
}

TEST_F(NbltoolCli, NanAndInfinityDatesRoundTrip)
{
    CNetbellDoc doc(files, prompts);
    AddTask(doc, kindNote, "nan").m_dtAdded.m_dt = FromBits(0xFFF8DEADBEEF0001ull);
    AddTask(doc, kindNote, "inf").m_dtAdded.m_dt = -std::numeric_limits<double>::infinity();
    ExpectByteExactRoundTrip(doc.SaveToBytes());
}

TEST_F(NbltoolCli, DumpPrintsTheDocument)
{
    CNetbellDoc doc(files, prompts);
    CRemindTask& t = AddTask(doc, kindSearch, Cp("Caf\xE9"));
    t.m_strDescription = Cp("\x81");
    t.m_strUrl = u8"http://東京.example/☎";
    t.m_dtAdded.m_dt = 35771.5;
    doc.m_arrProjects = {"p"};
    AddEngine(doc, "Lycos", "http://www.lycos.com/");
    WriteAll(PathOf("a.nbl"), doc.SaveToBytes());

    const Run r = Tool({"dump", PathOf("a.nbl")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const Json j = Json::parse(r.out);
    ASSERT_EQ(j.at("tasks").size(), 1u);
    EXPECT_EQ(j.at("tasks").at(0).at("name"), "Caf\xC3\xA9");
    EXPECT_EQ(j.at("tasks").at(0).at("description"), "\xC2\x81");
    EXPECT_EQ(j.at("tasks").at(0).at("url"), u8"http://東京.example/☎");
    EXPECT_EQ(j.at("tasks").at(0).at("kind"), 3);
    EXPECT_EQ(j.at("tasks").at(0).at("added").at("days"), 35771.5);
    EXPECT_EQ(j.at("projects"), Json::array({"p"}));
    EXPECT_EQ(j.at("searchEngines").at(0).at("name"), "Lycos");
    EXPECT_EQ(j.at("searchEngines").at(0).at("url"), "http://www.lycos.com/");
}

TEST_F(NbltoolCli, TextOfAnyScriptIsWrittenAndARefusalWritesNothing)
{
    CNetbellDoc doc(files, prompts);
    FillVariedDocument(doc);
    Json j = DocToJson(doc);
    j.at("tasks").at(1).at("description") = u8"☎ call"; // no byte in the single-byte form
    WriteAll(PathOf("good.json"), j.dump());
    Run r = Tool({"write", PathOf("good.json"), PathOf("good.nbl")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const Bytes written = ReadAll(PathOf("good.nbl"));
    const Bytes wide = {0xFF, 0xFE, 0xFF, 6, 0x0E, 0x26, ' ', 0, 'c', 0, 'a', 0, 'l', 0, 'l', 0};
    EXPECT_NE(std::search(written.begin(), written.end(), wide.begin(), wide.end()), written.end());
    r = Tool({"dump", PathOf("good.nbl")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Json::parse(r.out), j);

    j.at("tasks").at(1).at("description") = 7;
    WriteAll(PathOf("bad.json"), j.dump());
    // Over an old file: the old file stays as it was.
    const Bytes old = {0, 0, 0, 0, 0, 0};
    WriteAll(PathOf("old.nbl"), old);
    r = Tool({"write", PathOf("bad.json"), PathOf("old.nbl")});
    EXPECT_NE(r.exitCode, 0);
    EXPECT_NE(r.err.find("tasks[1].description"), std::string::npos) << r.err;
    EXPECT_EQ(ReadAll(PathOf("old.nbl")), old);

    // Without one: none appears.
    r = Tool({"write", PathOf("bad.json"), PathOf("new.nbl")});
    EXPECT_NE(r.exitCode, 0);
    EXPECT_EQ(Listing(), (std::set<std::string>{"good.json", "good.nbl", "bad.json", "old.nbl"}));
}

TEST_F(NbltoolCli, WriteRefusesIncompleteOrBrokenJson)
{
    Json j = ValidJson();
    j.at("tasks").at(2).at("added").erase("days");
    WriteAll(PathOf("missing.json"), j.dump());
    Run r = Tool({"write", PathOf("missing.json"), PathOf("out.nbl")});
    EXPECT_NE(r.exitCode, 0);
    EXPECT_NE(r.err.find("tasks[2].added: missing field \"days\""), std::string::npos) << r.err;

    WriteAll(PathOf("broken.json"), std::string("{\"tasks\": ["));
    r = Tool({"write", PathOf("broken.json"), PathOf("out.nbl")});
    EXPECT_NE(r.exitCode, 0);
    EXPECT_NE(r.err.find("not valid JSON"), std::string::npos) << r.err;
    // A number no double holds is the parser's to refuse, in its words.
    WriteAll(PathOf("huge.json"), std::string("{\"tasks\": 4e4000}"));
    r = Tool({"write", PathOf("huge.json"), PathOf("out.nbl")});
    EXPECT_NE(r.exitCode, 0);
    EXPECT_NE(r.err.find("not valid JSON: [json.exception.out_of_range.406] number overflow"), std::string::npos)
        << r.err;

    r = Tool({"write", PathOf("absent.json"), PathOf("out.nbl")});
    EXPECT_NE(r.exitCode, 0);
    EXPECT_NE(r.err.find("absent.json was not found."), std::string::npos) << r.err;

    EXPECT_FALSE(fs::exists(PathOf("out.nbl")));
}

TEST_F(NbltoolCli, WriteLeavesOutDeletedTasksAndSaysSo)
{
    CNetbellDoc doc(files, prompts);
    AddTask(doc, kindNote, "one");
    AddTask(doc, kindNote, "gone").m_nStatus = statusDeleted;
    AddTask(doc, kindNote, "three");
    WriteAll(PathOf("d.json"), DocToJson(doc).dump());

    const Run r = Tool({"write", PathOf("d.json"), PathOf("d.nbl")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.err.find("tasks[1]"), std::string::npos) << r.err;

    doc.m_arrTasks.erase(doc.m_arrTasks.begin() + 1);
    EXPECT_EQ(ReadAll(PathOf("d.nbl")), doc.SaveToBytes());
}

TEST_F(NbltoolCli, CheckGivesTheProgramsVerdict)
{
    CNetbellDoc doc(files, prompts);
    FillVariedDocument(doc);
    const Bytes good = doc.SaveToBytes();
    WriteAll(PathOf("good.nbl"), good);
    Run r = Tool({"check", PathOf("good.nbl")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out + r.err, "");

    const Bytes cases[] = {
        Bytes(good.begin(), good.end() - 1),           // ends early
        [&] { Bytes b = good; b.push_back(0); return b; }(), // a byte after the last collection
        Bytes{1, 0, 0xFF, 0xFF, 0, 1, 3, 0, 'C', 'F', 'o'},   // a class of another name
        Bytes{},                                        // nothing at all
    };
    for (const Bytes& bad : cases) {
        WriteAll(PathOf("bad.nbl"), bad);
        r = Tool({"check", PathOf("bad.nbl")});
        EXPECT_NE(r.exitCode, 0) << bad.size();
        EXPECT_NE(r.err.find("Unexpected file format."), std::string::npos) << r.err;
        r = Tool({"dump", PathOf("bad.nbl")});
        EXPECT_NE(r.exitCode, 0);
        EXPECT_EQ(r.out, "");
    }

    r = Tool({"check", PathOf("nowhere.nbl")});
    EXPECT_NE(r.exitCode, 0);
    EXPECT_NE(r.err.find(PathOf("nowhere.nbl") + " was not found."), std::string::npos) << r.err;
}

TEST_F(NbltoolCli, BadArgumentsGiveUsage)
{
    const std::vector<std::vector<std::string>> bad = {
        {}, {"dump"}, {"check", "a", "b"}, {"write", "a.json"}, {"convert", "a.nbl"}};
    for (const auto& args : bad) {
        const Run r = Tool(args);
        EXPECT_NE(r.exitCode, 0);
        EXPECT_NE(r.err.find("usage:"), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
    const Run help = Tool({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("usage:"), std::string::npos);
}
