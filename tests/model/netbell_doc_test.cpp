#include "model/netbell_doc.h"

#include <gtest/gtest.h>

#include "base/settings.h"
#include "support/fakes.h"

namespace {

using Bytes = std::vector<uint8_t>;

class DocTest : public ::testing::Test {
protected:
    CFakeFileSystem fs;
    CFakePrompts prompts;
    CNetbellDoc doc{fs, prompts};

    CRemindTask& AddTask(const std::string& name, uint32_t kind = kindBrowse)
    {
        auto t = std::make_unique<CRemindTask>();
        t->m_strName = name;
        t->m_nKind = kind;
        doc.m_arrTasks.push_back(std::move(t));
        return *doc.m_arrTasks.back();
    }
    void AddEngine(const std::string& name, const std::string& url)
    {
        auto e = std::make_unique<CWebSearchItem>();
        e->m_strName = name;
        e->m_strUrl = url;
        doc.m_arrSearchItems.push_back(std::move(e));
    }
    bool Load(const Bytes& b) { return doc.LoadFromBytes(b.data(), b.size()); }
    static bool Check(const Bytes& b) { return CNetbellDoc::CheckBytes(b.data(), b.size()); }
};

const Bytes kTaskClass = {0xFF, 0xFF, 0x00, 0x01, 0x0B, 0x00, 'C', 'R', 'e', 'm', 'i', 'n', 'd', 'T', 'a', 's', 'k'};

Bytes EmptyTaskFields()
{
    CRemindTask t;
    CArchiveWriter w;
    t.Serialize(w);
    return w.Take();
}

Bytes Cat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

} // namespace

TEST_F(DocTest, EmptyDocumentIsSixZeroBytes)
{
    EXPECT_EQ(doc.SaveToBytes(), Bytes(6, 0));
    EXPECT_TRUE(Load(Bytes(6, 0)));
    EXPECT_EQ(doc.GetTaskCount(), 0u);
}

TEST_F(DocTest, OneTaskFileLayout)
{
    AddTask("");
    const Bytes expected = Cat({{0x01, 0x00}, kTaskClass, EmptyTaskFields(), {0, 0, 0, 0}});
    EXPECT_EQ(doc.SaveToBytes(), expected);
}

TEST_F(DocTest, SecondSearchEngineRefersToItsClassRecord)
{
    for (const char* n : {"a", "b", "c"})
        AddTask(n);
    doc.m_arrProjects = {"Home", "Work"};
    AddEngine("One", "http://one/");
    AddEngine("Two", "http://two/");
    const Bytes file = doc.SaveToBytes();

    // Tasks 2..4 follow class 1, so the engines' class record is number 5.
    const Bytes engines = {0x02, 0x00, 0xFF, 0xFF, 0x00, 0x01, 0x0E, 0x00, 'C', 'W', 'e', 'b', 'S', 'e', 'a', 'r',
                           'c', 'h', 'I', 't', 'e', 'm', 3, 'O', 'n', 'e', 11, 'h', 't', 't', 'p', ':', '/', '/',
                           'o', 'n', 'e', '/', 0x05, 0x80, 3, 'T', 'w', 'o', 11, 'h', 't', 't', 'p', ':', '/',
                           '/', 't', 'w', 'o', '/'};
    ASSERT_GT(file.size(), engines.size());
    EXPECT_EQ(Bytes(file.end() - engines.size(), file.end()), engines);
    const Bytes projects = {0x02, 0x00, 4, 'H', 'o', 'm', 'e', 4, 'W', 'o', 'r', 'k'};
    EXPECT_EQ(Bytes(file.end() - engines.size() - projects.size(), file.end() - engines.size()), projects);

    CNetbellDoc back(fs, prompts);
    ASSERT_TRUE(back.LoadFromBytes(file.data(), file.size()));
    ASSERT_EQ(back.m_arrTasks.size(), 3u);
    EXPECT_EQ(back.m_arrTasks[2]->m_strName, "c");
    EXPECT_EQ(back.m_arrProjects, doc.m_arrProjects);
    ASSERT_EQ(back.m_arrSearchItems.size(), 2u);
    EXPECT_EQ(*back.m_arrSearchItems[1], *doc.m_arrSearchItems[1]);
}

TEST_F(DocTest, ClassNumbersFrom0x7FFFUseTheLongEscape)
{
    // 32765 tasks take numbers 2..32766, so the engines' class record is 0x7FFF.
    for (int i = 0; i < 0x7FFD; ++i)
        AddTask("");
    AddEngine("One", "u");
    AddEngine("Two", "v");
    const Bytes file = doc.SaveToBytes();
    const Bytes tail = {0xFF, 0x7F, 0xFF, 0x7F, 0x00, 0x80, 3, 'T', 'w', 'o', 1, 'v'};
    EXPECT_EQ(Bytes(file.end() - tail.size(), file.end()), tail);

    CNetbellDoc back(fs, prompts);
    ASSERT_TRUE(back.LoadFromBytes(file.data(), file.size()));
    EXPECT_EQ(back.m_arrTasks.size(), 0x7FFDu);
    ASSERT_EQ(back.m_arrSearchItems.size(), 2u);
    EXPECT_EQ(back.m_arrSearchItems[1]->m_strName, "Two");
    EXPECT_EQ(back.SaveToBytes(), file);
}

TEST_F(DocTest, ReadingWithoutTasksNumbersTheEngineClassOne)
{
    AddEngine("One", "u");
    AddEngine("Two", "v");
    const Bytes file = doc.SaveToBytes();
    const Bytes tail = {0x01, 0x80, 3, 'T', 'w', 'o', 1, 'v'};
    EXPECT_EQ(Bytes(file.end() - tail.size(), file.end()), tail);
}

TEST_F(DocTest, MalformedFilesLeaveTheDocumentEmpty)
{
    AddTask("keep");
    AddEngine("e", "u");
    const Bytes good = doc.SaveToBytes();

    std::vector<Bytes> bad;
    bad.push_back(Cat({good, {0x00}})); // trailing byte
    Bytes unknownClass = good;
    unknownClass[6] = 'X';
    bad.push_back(unknownClass);
    Bytes schema = good;
    schema[4] = 0xFF; // task class record with schema 0x00FF
    bad.push_back(schema);
    bad.push_back(Cat({{0x01, 0x00, 0x05, 0x80}, EmptyTaskFields(), {0, 0, 0, 0}})); // class never introduced
    bad.push_back({0x01, 0x00, 0x01, 0x00, 0, 0, 0, 0});                            // object never read
    // An engine in the task collection.
    CNetbellDoc engineOnly(fs, prompts);
    engineOnly.m_arrSearchItems.push_back(std::make_unique<CWebSearchItem>());
    Bytes swapped = engineOnly.SaveToBytes();
    swapped.erase(swapped.begin(), swapped.begin() + 4);
    swapped.insert(swapped.end(), {0, 0, 0, 0});
    bad.push_back(swapped);
    // Every proper prefix of a good file ends early.
    for (size_t n = 0; n < good.size(); ++n)
        bad.emplace_back(good.begin(), good.begin() + n);

    for (const Bytes& b : bad) {
        // Checking reads the same bytes without keeping them, and refuses
        // them all the same, every truncation among them.
        EXPECT_FALSE(Check(b)) << b.size();
        doc.m_arrProjects = {"stale"};
        EXPECT_FALSE(Load(b));
        EXPECT_TRUE(doc.m_arrTasks.empty() && doc.m_arrProjects.empty() && doc.m_arrSearchItems.empty());
    }
    EXPECT_TRUE(Check(good));
    EXPECT_TRUE(Load(good));
    EXPECT_EQ(doc.m_arrTasks.at(0)->m_strName, "keep");
}

TEST_F(DocTest, EngineRecordsOfAnySchemaAreRead)
{
    AddEngine("e", "u");
    Bytes file = doc.SaveToBytes();
    file[8] = 0x01; // schema word 0x0101
    ASSERT_TRUE(Load(file));
    EXPECT_EQ(doc.m_arrSearchItems.at(0)->m_strUrl, "u");
}

TEST_F(DocTest, ReferencesToEarlierTasksBecomeCopiesAndNullsAreDropped)
{
    AddTask("first").m_strUrl = "http://x/";
    Bytes file = doc.SaveToBytes();
    // Two more elements: a reference to object 2 and a null.
    file[0] = 3;
    const size_t end = file.size() - 4;
    file.insert(file.begin() + end, {0x02, 0x00, 0x00, 0x00});
    EXPECT_TRUE(Check(file));
    ASSERT_TRUE(Load(file));
    ASSERT_EQ(doc.m_arrTasks.size(), 2u);
    EXPECT_EQ(*doc.m_arrTasks[1], *doc.m_arrTasks[0]);
    EXPECT_NE(doc.m_arrTasks[1].get(), doc.m_arrTasks[0].get());
}

TEST_F(DocTest, SavePurgesDeletedTasksKeepingOrderEvenWhenTheWriteFails)
{
    for (const char* n : {"a", "b", "c", "d", "e"})
        AddTask(n);
    doc.m_arrTasks[1]->m_nStatus = statusDeleted;
    doc.m_arrTasks[3]->m_nStatus = statusDeleted;
    doc.m_arrTasks[4]->m_nStatus = statusDone;
    fs.writeErrors["C:\\full\\Default.nbl"] = FileError::diskFull;

    EXPECT_FALSE(doc.OnSaveDocument("C:\\full\\Default.nbl"));
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "Disk full while accessing C:\\full\\Default.nbl.");
    EXPECT_EQ(prompts.shown[0].icon, MsgIcon::exclamation);
    ASSERT_EQ(doc.m_arrTasks.size(), 3u);

    ASSERT_TRUE(doc.OnSaveDocument("D.nbl"));
    CNetbellDoc back(fs, prompts);
    ASSERT_TRUE(back.OnOpenDocument("D.nbl"));
    std::string names;
    for (const auto& t : back.m_arrTasks)
        names += t->m_strName;
    EXPECT_EQ(names, "ace");
    EXPECT_EQ(back.m_arrTasks[2]->m_nStatus, statusDone);
    EXPECT_EQ(back.GetPathName(), "D.nbl");

    // A replace that could put neither file back names both.
    fs.writeErrors["C:\\w95\\Default.nbl"] = FileError::accessDenied;
    fs.stranded = {"C:\\w95\\nbl1.tmp", "C:\\w95\\nbl1.tmp.old"};
    prompts.shown.clear();
    EXPECT_FALSE(doc.OnSaveDocument("C:\\w95\\Default.nbl"));
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text,
              "Access to C:\\w95\\Default.nbl was denied.\n\nNeither copy could be put back in place. Your tasks "
              "are kept in:\nC:\\w95\\nbl1.tmp (with the latest changes)\nC:\\w95\\nbl1.tmp.old (as they were "
              "before this save)\nRename the one you want to keep to C:\\w95\\Default.nbl.");
}

TEST_F(DocTest, SavingTwiceGivesIdenticalFiles)
{
    AddTask("x", kindSearch).m_dtAdded.m_dt = 40000.25;
    AddEngine("e", "u");
    doc.m_arrProjects = {"p"};
    ASSERT_TRUE(doc.OnSaveDocument("one"));
    ASSERT_TRUE(doc.OnSaveDocument("two"));
    EXPECT_EQ(fs.files["one"], fs.files["two"]);
    // Each save writes over the memory of the one before: a smaller
    // document leaves nothing of the larger one behind.
    doc.m_arrTasks.clear();
    ASSERT_TRUE(doc.OnSaveDocument("three"));
    EXPECT_EQ(fs.files["three"], doc.SaveToBytes());
    EXPECT_LT(fs.files["three"].size(), fs.files["one"].size());
}

TEST_F(DocTest, OpenFailuresNameTheirCauseAndLeaveTheDocumentEmpty)
{
    AddTask("stale");
    EXPECT_FALSE(doc.OnOpenDocument("C:\\Netbell\\Default.nbl"));
    EXPECT_TRUE(doc.m_arrTasks.empty());
    fs.readErrors["locked"] = FileError::sharingViolation;
    EXPECT_FALSE(doc.OnOpenDocument("locked"));
    fs.files["junk"] = {1, 2, 3};
    EXPECT_FALSE(doc.OnOpenDocument("junk"));
    ASSERT_EQ(prompts.shown.size(), 3u);
    EXPECT_EQ(prompts.shown[0].text, "C:\\Netbell\\Default.nbl was not found.");
    EXPECT_EQ(prompts.shown[1].text, "A sharing violation occurred while accessing locked.");
    EXPECT_EQ(prompts.shown[2].text, "Unexpected file format.");
    EXPECT_EQ(doc.GetPathName(), "");

    // A check says the same, and leaves the document as it is.
    AddTask("kept");
    fs.files["good"] = Bytes(6, 0);
    EXPECT_FALSE(doc.CheckFile("C:\\Netbell\\Default.nbl"));
    EXPECT_FALSE(doc.CheckFile("locked"));
    EXPECT_FALSE(doc.CheckFile("junk"));
    EXPECT_TRUE(doc.CheckFile("good"));
    ASSERT_EQ(prompts.shown.size(), 6u);
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(prompts.shown[3 + i].text, prompts.shown[i].text);
    EXPECT_EQ(doc.GetTaskCount(), 1u);
    EXPECT_EQ(doc.GetPathName(), "");
}

TEST_F(DocTest, TitleIsAlwaysEmpty)
{
    doc.SetTitle("Default.nbl");
    EXPECT_EQ(doc.GetTitle(), "");
}

TEST(FileErrorMessages, EachCauseHasItsText)
{
    EXPECT_EQ(FileErrorMessage(FileError::badPath, "p"), "p contains an invalid path.");
    EXPECT_EQ(FileErrorMessage(FileError::tooManyOpenFiles, "p"),
              "p could not be opened because there are too many open files.");
    EXPECT_EQ(FileErrorMessage(FileError::accessDenied, "p"), "Access to p was denied.");
    EXPECT_EQ(FileErrorMessage(FileError::lockViolation, "p"), "A locking violation occurred while accessing p.");
    EXPECT_EQ(FileErrorMessage(FileError::hardIO, "p"), "A hardware I/O error was reported while accessing p.");
    EXPECT_EQ(FileErrorMessage(FileError::endOfFile, "p"), "An attempt was made to access p past its end.");
    EXPECT_EQ(FileErrorMessage(FileError::generic, "p"), "An unknown error occurred while accessing p.");
    EXPECT_EQ(FileErrorMessage(FileError::none, "p"), "");
    // A path that itself holds "%1" is not expanded twice.
    EXPECT_EQ(FileErrorMessage(FileError::fileNotFound, "a%1b"), "a%1b was not found.");
}

TEST(CookieNames, CountUpToThirtyTwoThousandThenStartAgain)
{
    CMemorySettingsStore store;
    EXPECT_EQ(NextCookieName(store), "NetbellCookie1");
    EXPECT_EQ(NextCookieName(store), "NetbellCookie2");
    EXPECT_EQ(ReadSetting(store, setting::LastCookieNumber), 2);
    WriteSetting(store, setting::LastCookieNumber, 31999);
    EXPECT_EQ(NextCookieName(store), "NetbellCookie32000");
    EXPECT_EQ(NextCookieName(store), "NetbellCookie1");
    EXPECT_EQ(ReadSetting(store, setting::LastCookieNumber), 1);
}

TEST_F(DocTest, CopiesMadeByReferencesCannotOutgrowTheFile)
{
    AddTask(std::string(20000, 'x'));
    Bytes file = doc.SaveToBytes();
    const size_t end = file.size() - 4;
    // Thousands of two-byte references to the one large task.
    const uint16_t nRefs = 5000;
    Bytes refs;
    for (int i = 0; i < nRefs; ++i)
        refs.insert(refs.end(), {0x02, 0x00});
    file.insert(file.begin() + end, refs.begin(), refs.end());
    file[0] = static_cast<uint8_t>((nRefs + 1) & 0xFF);
    file[1] = static_cast<uint8_t>((nRefs + 1) >> 8);
    EXPECT_FALSE(Check(file));
    EXPECT_FALSE(Load(file));
    EXPECT_TRUE(doc.m_arrTasks.empty());
}
