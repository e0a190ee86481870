#include "app/app_shell.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "model/netbell_doc.h"
#include "res/resource.h"
#include "support/fakes.h"

namespace {

class CFakeStartupShell : public IStartupShell {
public:
    bool bHasStartupFolder = true;
    bool bLinkSaves = true;
    std::map<std::string, std::string> setupRecord;
    std::vector<std::string> links;

    bool GetStartupFolder(std::string& folder) override
    {
        folder = "C:\\Start Menu\\Programs\\Startup";
        return bHasStartupFolder;
    }
    bool CreateShortcut(const std::string& target, const std::string& link, const std::string& description) override
    {
        links.push_back(target + "|" + link + "|" + description);
        return bLinkSaves;
    }
    bool ReadSetupRecord(const std::string& value, std::string& text) override
    {
        auto it = setupRecord.find(value);
        if (it == setupRecord.end())
            return false;
        text = it->second;
        return true;
    }
};

const std::string kProgram = "C:\\Program Files\\Netbell\\netbell.exe";

class StartupTest : public ::testing::Test {
protected:
    CMemorySettingsStore settings;
    CFakePrompts prompts;
    CFakeStartupShell shell;
};

} // namespace

TEST(OsCheck, OnlyWindows95FamilyAndNt4PassUnchecked)
{
    EXPECT_TRUE(IsTestedSystem({true, true, 4}));
    EXPECT_TRUE(IsTestedSystem({true, true, 5})); // Windows 98 and Me are of the 95 family
    EXPECT_TRUE(IsTestedSystem({true, false, 4}));
    EXPECT_FALSE(IsTestedSystem({true, false, 5}));
    EXPECT_FALSE(IsTestedSystem({true, false, 3}));
    EXPECT_FALSE(IsTestedSystem({true, false, 10}));
    EXPECT_TRUE(IsTestedSystem({false, false, 0}));
    EXPECT_TRUE(IsTestedSystem({true, false, 10, true})); // the 64-bit program asks on no system

    CFakePrompts prompts;
    prompts.answers = {MsgResult::no, MsgResult::yes};
    EXPECT_FALSE(ConfirmUntestedSystem(prompts));
    EXPECT_TRUE(ConfirmUntestedSystem(prompts));
    EXPECT_EQ(prompts.shown[0].caption, "Windows 95 or NT 4 NOT Detected");
    EXPECT_EQ(prompts.shown[0].buttons, MsgButtons::yesNo);
    EXPECT_EQ(prompts.shown[0].icon, MsgIcon::stop);
}

TEST_F(StartupTest, FirstRunDeclinedIsRememberedAsManual)
{
    prompts.answers = {MsgResult::no};
    PrepareSettings(settings, prompts, shell, kProgram);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].caption, "Question");
    EXPECT_EQ(prompts.shown[0].text, "Netbell is most efficient if it can be initialised at STARTUP.\nIs it ok to "
                                     "place a shortcut in your Start Menu\\Startup folder ?");
    EXPECT_EQ(ReadSetting(settings, setting::Initialise), "Manual");
    EXPECT_TRUE(shell.links.empty());

    // Asked once only.
    PrepareSettings(settings, prompts, shell, kProgram);
    EXPECT_EQ(prompts.shown.size(), 1u);
}

TEST_F(StartupTest, FirstRunAcceptedWritesTheStartupLink)
{
    prompts.answers = {MsgResult::yes};
    PrepareSettings(settings, prompts, shell, kProgram);
    ASSERT_EQ(shell.links.size(), 1u);
    EXPECT_EQ(shell.links[0], kProgram + "|C:\\Start Menu\\Programs\\Startup\\Shortcut to Netbell.lnk|Shortcut to Netbell");
    EXPECT_EQ(ReadSetting(settings, setting::Initialise), "On Startup");
}

TEST_F(StartupTest, AFailedLinkAsksAgainNextTime)
{
    shell.bLinkSaves = false;
    prompts.answers = {MsgResult::yes, MsgResult::yes};
    PrepareSettings(settings, prompts, shell, kProgram);
    EXPECT_EQ(ReadSetting(settings, setting::Initialise), "");
    shell.bLinkSaves = true;
    shell.bHasStartupFolder = false;
    PrepareSettings(settings, prompts, shell, kProgram);
    EXPECT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(shell.links.size(), 1u);
    EXPECT_EQ(ReadSetting(settings, setting::Initialise), "");
}

TEST_F(StartupTest, HomeAndDataNameAreWrittenAtEveryStart)
{
    WriteSetting(settings, setting::Initialise, "Manual");
    WriteSetting(settings, setting::DefaultData, "Other.nbl");
    WriteSetting(settings, setting::HomeDirectory, "C:\\Old");
    PrepareSettings(settings, prompts, shell, kProgram);
    EXPECT_EQ(ReadSetting(settings, setting::HomeDirectory), "C:\\Program Files\\Netbell");
    EXPECT_EQ(ReadSetting(settings, setting::DefaultData), "Default.nbl");
    EXPECT_EQ(DataFilePath(settings), "C:\\Program Files\\Netbell\\Default.nbl");
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(StartupTest, UserDetailsComeFromTheSetupRecordOnlyWhenMissing)
{
    WriteSetting(settings, setting::Initialise, "Manual");
    shell.setupRecord = {{"DefName", "Ann Smith"}, {"DefCompany", "Smith & Co"}};
    WriteSetting(settings, setting::Organisation, "(None)");
    PrepareSettings(settings, prompts, shell, kProgram);
    EXPECT_EQ(ReadSetting(settings, setting::Name), "Ann Smith");
    EXPECT_EQ(ReadSetting(settings, setting::Organisation), "Smith & Co");

    shell.setupRecord = {{"DefName", "Someone Else"}, {"DefCompany", "Other"}};
    PrepareSettings(settings, prompts, shell, kProgram);
    EXPECT_EQ(ReadSetting(settings, setting::Name), "Ann Smith");
    EXPECT_EQ(ReadSetting(settings, setting::Organisation), "Smith & Co");

    CMemorySettingsStore fresh;
    WriteSetting(fresh, setting::Initialise, "Manual");
    shell.setupRecord.clear();
    PrepareSettings(fresh, prompts, shell, kProgram);
    EXPECT_FALSE(fresh.HasValue("Settings", "Name"));
    EXPECT_TRUE(NeedsUserDetails(fresh));
}

TEST(UserDetails, BothNameAndEmailAreNeeded)
{
    CMemorySettingsStore settings;
    EXPECT_TRUE(NeedsUserDetails(settings));
    WriteSetting(settings, setting::Email, "ann@example.com");
    EXPECT_TRUE(NeedsUserDetails(settings));
    WriteSetting(settings, setting::Name, "Ann");
    EXPECT_FALSE(NeedsUserDetails(settings));
    WriteSetting(settings, setting::Email, "");
    EXPECT_TRUE(NeedsUserDetails(settings));
}

namespace {

class DataFileTest : public ::testing::Test {
protected:
    DataFileState Open(const std::string& timeStamp = "x")
    {
        return OpenDataFile(doc, fs, prompts, path, timeStamp);
    }

    CFakeFileSystem fs;
    CFakePrompts prompts;
    CNetbellDoc doc{fs, prompts};
    const std::string path = "C:\\Netbell\\Default.nbl";
};

} // namespace

TEST_F(DataFileTest, WithNoFileTheDocumentTakesThePathAtOnce)
{
    Open("20261208-120000");
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(doc.GetPathName(), path);
    ASSERT_TRUE(doc.OnSaveDocument(doc.GetPathName()));
    EXPECT_EQ(fs.files[path], std::vector<uint8_t>(6, 0));
}

TEST_F(DataFileTest, AnUnreadableFileIsKeptAsideAndNeverOverwritten)
{
    fs.files[path] = {0x01, 0x00, 0x42};
    Open("20261208-120000");
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(prompts.shown[0].text, "Unexpected file format.");
    const std::string aside = path + ".unreadable-20261208-120000";
    EXPECT_NE(prompts.shown[1].text.find(aside), std::string::npos);
    EXPECT_EQ(fs.files[aside], (std::vector<uint8_t>{0x01, 0x00, 0x42}));
    EXPECT_TRUE(doc.OnSaveDocument(doc.GetPathName()));
    EXPECT_EQ(fs.files[aside], (std::vector<uint8_t>{0x01, 0x00, 0x42}));
}

TEST_F(DataFileTest, AFileThatCannotBeMovedIsNotSavedOver)
{
    fs.files[path] = {0x01};
    fs.bRenameFails = true;
    Open();
    EXPECT_EQ(prompts.shown.size(), 2u);
    EXPECT_FALSE(doc.OnSaveDocument(doc.GetPathName()));
    EXPECT_EQ(fs.files[path], std::vector<uint8_t>{0x01});
    EXPECT_EQ(fs.nWrites, 0) << "no save without a path reaches the file system";
    EXPECT_EQ(prompts.shown.size(), 2u) << "the user was told at start-up";
    // A change would be lost: it is refused, with the reason.
    EXPECT_TRUE(RefusedUntilFileLoaded(doc, prompts));
    ASSERT_EQ(prompts.shown.size(), 3u);
    EXPECT_NE(prompts.shown.back().text.find("could not be read:\n" + path), std::string::npos);
}

// Held open or locked by another program (a virus scanner, a sync tool):
// busy, not unreadable. Never moved aside, never saved over, no change
// taken; the next try after it is free loads it.
TEST_F(DataFileTest, AFileHeldByAnotherProgramIsWaitedForAndLoadedWhenFree)
{
    CNetbellDoc other(fs, prompts);
    other.m_arrProjects = {"Home"};
    ASSERT_TRUE(other.OnSaveDocument(path));
    const std::vector<uint8_t> bytes = fs.files[path];
    for (const FileError busy : {FileError::sharingViolation, FileError::lockViolation}) {
        fs.readErrors[path] = busy;
        EXPECT_EQ(DataFileState::busy, Open());
        EXPECT_EQ(DataFileState::busy, Open()) << "a second try while it is busy";
        EXPECT_TRUE(prompts.shown.empty()) << "the caller tells, once";
        EXPECT_EQ(fs.files[path], bytes);
        EXPECT_EQ(fs.files.size(), 1u) << "nothing kept aside";
        EXPECT_EQ(doc.WaitingForFile(), path);
        // Every save there is (a change, the reminder, Exit, logoff) goes
        // through the document's path, which it has none of.
        EXPECT_FALSE(doc.OnSaveDocument(doc.GetPathName()));
        EXPECT_EQ(fs.nWrites, 1);
        EXPECT_TRUE(RefusedUntilFileLoaded(doc, prompts));
        ASSERT_EQ(prompts.shown.size(), 1u);
        EXPECT_EQ(prompts.shown[0].text, "The data file is still in use by another program:\n" + path +
                                             "\nNetbell loads it as soon as it is free; until then no task can "
                                             "be changed.");
        prompts.shown.clear();
    }
    fs.readErrors.clear();
    EXPECT_EQ(DataFileState::loaded, Open());
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(doc.m_arrProjects, std::vector<std::string>{"Home"});
    EXPECT_EQ(doc.GetPathName(), path);
    EXPECT_FALSE(RefusedUntilFileLoaded(doc, prompts));

    TellDataFileBusy(prompts, path);
    EXPECT_EQ(prompts.shown.back().text, "The data file is in use by another program:\n" + path +
                                             "\nNetbell loads it as soon as it is free. Until then no task can "
                                             "be changed.");
}

TEST_F(DataFileTest, AFileThatCannotBeLookedAtIsNotTakenForNone)
{
    fs.unknown.insert(path);
    fs.readErrors[path] = FileError::accessDenied;
    EXPECT_EQ(DataFileState::unreadable, Open());
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(prompts.shown[0].text, "Access to " + path + " was denied.");
    EXPECT_FALSE(doc.OnSaveDocument(doc.GetPathName()));
    EXPECT_EQ(fs.nWrites, 0);
}

TEST_F(DataFileTest, AGoodFileIsOpened)
{
    CNetbellDoc other(fs, prompts);
    other.m_arrProjects = {"Home"};
    ASSERT_TRUE(other.OnSaveDocument(path));
    Open();
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(doc.m_arrProjects, std::vector<std::string>{"Home"});
    EXPECT_EQ(doc.GetPathName(), path);
}

// Exit ends the program only when the tasks are on disk or the user says so.
TEST_F(DataFileTest, ExitWithAFailedSaveAsksBeforeAnythingIsLost)
{
    const struct {
        bool bFull;
        std::vector<MsgResult> answers;
        bool bExits;
        size_t nShown; // the file error, then the question
    } cases[] = {
        {false, {}, true, 0},
        {true, {MsgResult::ok, MsgResult::no}, false, 2},
        {true, {MsgResult::ok, MsgResult::yes}, true, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nShown);
        fs.writeErrors.clear();
        if (c.bFull)
            fs.writeErrors[path] = FileError::diskFull;
        prompts.shown.clear();
        prompts.answers = c.answers;
        doc.SetPathName(path);
        EXPECT_EQ(c.bExits, SaveForExit(doc, prompts));
        ASSERT_EQ(c.nShown, prompts.shown.size());
        if (c.nShown) {
            EXPECT_EQ("Disk full while accessing " + path + ".", prompts.shown[0].text);
            EXPECT_EQ(MsgButtons::yesNo, prompts.shown[1].buttons);
            EXPECT_EQ(MsgIcon::exclamation, prompts.shown[1].icon);
        }
    }
}

// Windows shuts down with the disk full: the tasks go to a copy beside the
// data file, or in the temporary folder, and the next start takes them back.
TEST_F(DataFileTest, AShutdownThatCannotSaveKeepsACopyTheNextStartTakesBack)
{
    CMemorySettingsStore settings;
    const std::string beside = path + ".unsaved-20261208-120000";
    const std::string inTemp = "C:\\Temp\\Default.nbl.unsaved-20261208-120000";
    for (const bool bBesideFails : {false, true}) {
        SCOPED_TRACE(bBesideFails);
        fs.files.clear();
        fs.writeErrors.clear();
        fs.files[path] = std::vector<uint8_t>(6, 0);
        fs.writeErrors[path] = FileError::diskFull;
        if (bBesideFails)
            fs.writeErrors[beside] = FileError::diskFull;
        doc.SetPathName(path);
        doc.m_arrProjects = {"Home"};
        const std::string copy = bBesideFails ? inTemp : beside;
        EXPECT_EQ(copy, KeepUnsavedCopy(doc, settings, "C:\\Temp", "20261208-120000"));
        EXPECT_EQ(std::vector<uint8_t>(6, 0), fs.files[path]);

        // The next start, with room again.
        fs.writeErrors.clear();
        CNetbellDoc next(fs, prompts);
        next.SetPathName(path);
        prompts.shown.clear();
        EXPECT_TRUE(RestoreUnsavedCopy(next, settings, prompts));
        EXPECT_EQ(std::vector<std::string>{"Home"}, next.m_arrProjects);
        EXPECT_EQ(doc.SaveToBytes(), fs.files[path]);
        EXPECT_EQ(0u, fs.files.count(copy));
        ASSERT_EQ(1u, prompts.shown.size());
        EXPECT_NE(std::string::npos, prompts.shown[0].text.find(copy));
        // Once only.
        EXPECT_FALSE(RestoreUnsavedCopy(next, settings, prompts));
    }
}

// Context help lands on a section the help page has, whatever the user
// clicks: every command of the menus, the bars and the tray, and each area.
TEST(ContextHelp, EveryCommandAndAreaOpensASectionOfTheHelpPage)
{
    std::ifstream in(NETBELL_HELP_PAGE);
    ASSERT_TRUE(in) << NETBELL_HELP_PAGE;
    std::stringstream page;
    page << in.rdbuf();
    const auto has = [&](const std::string& section) {
        return page.str().find("id=\"" + section + "\"") != std::string::npos;
    };
    for (unsigned id = 32768; id < 32900; ++id)
        EXPECT_TRUE(has(HelpSectionOfCommand(id))) << id << " -> " << HelpSectionOfCommand(id);
    for (unsigned id = 57600; id < 61500; ++id)
        EXPECT_TRUE(has(HelpSectionOfCommand(id))) << id << " -> " << HelpSectionOfCommand(id);
    for (HelpArea area : {HelpArea::taskList, HelpArea::toolBar, HelpArea::statusBar, HelpArea::other})
        EXPECT_TRUE(has(HelpSectionOfArea(area)));
    // Commands of one kind tell about their own part.
    EXPECT_EQ(HelpSectionOfCommand(ID_OPTIONS), "options");
    EXPECT_EQ(HelpSectionOfCommand(ID_NEW_FRONTPAGE), "frontpage");
    EXPECT_EQ(HelpSectionOfCommand(ID_DELETE_TASK), "tasklist");
}
