// Start-up as the user meets it: the first-run and system questions, the
// settings written at every start, the user-details request, one instance
// only, and the automation start that shows nothing.
#include <gtest/gtest.h>

#include "driver.h"
#include "netbell_case.h"

namespace e2e {
namespace {

using namespace netbell;

constexpr const char* kStartupQuestion =
    "Netbell is most efficient if it can be initialised at STARTUP.\n"
    "Is it ok to place a shortcut in your Start Menu\\Startup folder ?";
constexpr const char* kOsCaption = "Windows 95 or NT 4 NOT Detected";
constexpr const char* kOsQuestion =
    "Sorry, but this version of Netbell has not been tested at this time under any other operating system but "
    "Windows 95 and NT 4.\nThere may be unpredictable behaviour if you continue. Would you like to continue anyway ?";
constexpr const char* kUserDetailsCaption = "User Details Required";
constexpr const char* kUserDetails = "Please enter your Name and EMail address in the User Profile";

// The driver is built with the program, so its own width is the program's.
constexpr bool k64BitProgram = sizeof(void*) == 8;

bool SamePath(const std::string& a, const std::string& b)
{
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

using StartUp = NetbellCase;
using FirstRun = NetbellCase;
using SystemCheck = NetbellCase;
using SingleInstance = NetbellCase;
using AutomationStart = NetbellCase;

// Holds for the program in the tree today as well as the real one: a
// returning user on NT 4 gets the main window without a question.
TEST_F(StartUp, OpensItsMainWindowWithoutAQuestion)
{
    PresetReturningUser();
    CProcess& p = Start();
    HWND frame = WaitForTopWindow(p, nullptr, kCaption);
    ASSERT_TRUE(frame) << Describe(p);
    EXPECT_NE("#32770", ClassNameOf(frame));
    EXPECT_TRUE(NoDialogFor(p, 1000)) << Describe(p);
    EXPECT_TRUE(p.IsRunning());
    if (!IsVisible(frame))
        ShowByTray(frame);
    if (IsVisible(frame)) {
        Sleep(300);  // let it paint
        Screenshot("start_window");
    }
}

TEST_F(FirstRun, NoToTheStartupQuestionRecordsManual)
{
    CProcess& p = Start();
    const auto question = ExpectMessageBox(p, "Question");
    ASSERT_TRUE(question);
    EXPECT_EQ(kStartupQuestion, question->text);
    ASSERT_TRUE(PressButton(question->hwnd, IDNO));

    // Name and e-mail are empty on a first run: the request and the
    // Options sheet follow; cancelling it lets start-up go on.
    const auto details = ExpectMessageBox(p, kUserDetailsCaption);
    ASSERT_TRUE(details);
    EXPECT_EQ(kUserDetails, details->text);
    ASSERT_TRUE(PressButton(details->hwnd, IDOK));
    HWND sheet = WaitForVisibleWindow(p, "#32770", "Options");
    ASSERT_TRUE(sheet) << Describe(p);
    ASSERT_TRUE(PressButton(sheet, IDCANCEL));
    ASSERT_TRUE(WaitForFrame(p)) << Describe(p);

    EXPECT_EQ("Manual", ReadSetting("Initialise").value_or("<none>"));
    EXPECT_FALSE(FileExists(ShortcutPath())) << ShortcutPath();
    EXPECT_TRUE(SamePath(m_strFolder, ReadSetting("Home Directory").value_or("<none>")))
        << ReadSetting("Home Directory").value_or("<none>");
    EXPECT_EQ("Default.nbl", ReadSetting("Default Data").value_or("<none>"));
    EXPECT_EQ("", ReadSetting("Name").value_or(""));
    EXPECT_EQ("", ReadSetting("Email").value_or(""));
}

TEST_F(FirstRun, YesToTheStartupQuestionCreatesTheShortcutOnce)
{
    WriteSetting("Name", "Ada Tester");
    WriteSetting("Email", "ada@example.com");
    {
        CProcess& p = Start();
        const auto question = ExpectMessageBox(p, "Question");
        ASSERT_TRUE(question);
        EXPECT_EQ(kStartupQuestion, question->text);
        ASSERT_TRUE(PressButton(question->hwnd, IDYES));
        ASSERT_TRUE(WaitForFrame(p)) << Describe(p);
        EXPECT_EQ("On Startup", ReadSetting("Initialise").value_or("<none>"));
        const auto link = ReadShortcut(ShortcutPath());
        ASSERT_TRUE(link) << ShortcutPath();
        EXPECT_TRUE(SamePath(m_strExe, link->target)) << link->target;
        EXPECT_EQ("Shortcut to Netbell", link->description);
        p.Kill();
    }
    // Answered once, never asked again.
    CProcess& again = Start();
    ASSERT_TRUE(WaitForFrame(again)) << Describe(again);
    EXPECT_TRUE(NoDialogFor(again, 2000)) << Describe(again);
}

TEST_F(FirstRun, UserDetailsAreRequestedBeforeTheIconUntilGiven)
{
    WriteSetting("Initialise", "Manual");
    WriteSetting("Email", "ada@example.com");  // e-mail alone is not enough
    CProcess& p = Start();
    const auto details = ExpectMessageBox(p, kUserDetailsCaption);
    ASSERT_TRUE(details);
    EXPECT_EQ(kUserDetails, details->text);
    EXPECT_EQ(m_nTrayBase, TrayIconCount()) << "the icon came before the request";
    ASSERT_TRUE(PressButton(details->hwnd, IDOK));
    HWND sheet = WaitForVisibleWindow(p, "#32770", "Options");
    ASSERT_TRUE(sheet) << Describe(p);
    EXPECT_EQ(m_nTrayBase, TrayIconCount()) << "the icon came before the Options sheet closed";
    ASSERT_TRUE(PressButton(sheet, IDCANCEL));
    HWND frame = WaitForFrame(p);
    ASSERT_TRUE(frame);
    EXPECT_TRUE(WaitUntil([&] { return TrayIconCount() == m_nTrayBase + 1; })) << TrayIconCount();
    EXPECT_FALSE(IsVisible(frame));
    EXPECT_EQ("", ReadSetting("Name").value_or(""));
    p.Kill();

    CProcess& again = Start();
    EXPECT_TRUE(ExpectMessageBox(again, kUserDetailsCaption)) << "a cancelled request comes again";
}

TEST_F(FirstRun, SetupRecordFillsNameAndOrganisation)
{
    WriteSetting("Initialise", "Manual");
    WriteSetting("Email", "grace@example.com");
    WriteSetting("Organisation", "(None)");
    const std::string record = "Software\\Microsoft\\MS Setup (ACME)\\User Info";
    ASSERT_TRUE(RegWriteString(HKEY_CURRENT_USER, record, "DefName", "Grace Hopper"));
    ASSERT_TRUE(RegWriteString(HKEY_CURRENT_USER, record, "DefCompany", "Navy"));
    CProcess& p = Start();
    ASSERT_TRUE(WaitForFrame(p)) << Describe(p);
    EXPECT_TRUE(NoDialogFor(p, 2000)) << "the name came from the record; " << Describe(p);
    EXPECT_EQ("Grace Hopper", ReadSetting("Name").value_or("<none>"));
    EXPECT_EQ("Navy", ReadSetting("Organisation").value_or("<none>"));
}

TEST_F(StartUp, HomeDirectoryAndDefaultDataAreRewrittenAtEveryStart)
{
    PresetReturningUser();
    WriteSetting("Home Directory", "C:\\nowhere");
    WriteSetting("Default Data", "Other.nbl");
    CProcess& p = Start();
    ASSERT_TRUE(WaitForFrame(p)) << Describe(p);
    EXPECT_TRUE(SamePath(m_strFolder, ReadSetting("Home Directory").value_or("<none>")))
        << ReadSetting("Home Directory").value_or("<none>");
    EXPECT_EQ("Default.nbl", ReadSetting("Default Data").value_or("<none>"));
}

// Per-user classes came with Windows 2000; before it the document is
// registered among the machine's classes, which HKEY_CLASSES_ROOT shows.
TEST_F(StartUp, RegistersItsDocumentWhereTheSystemKeepsClasses)
{
    PresetReturningUser();
    // The same path under the user's key and the machine's.
    const std::string key = "Software\\Classes\\Netbell.Document";
    const struct {
        const char* version;
        bool bPerUser;
    } cases[] = {{"win95", false}, {"nt40", false}, {"win2k", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        RegDeleteTreeOf(HKEY_CURRENT_USER, key);
        RegDeleteTreeOf(HKEY_LOCAL_MACHINE, key);
        ASSERT_TRUE(SetWindowsVersion("netbell.exe", c.version));
        CProcess& p = Start();
        if (c.bPerUser && !k64BitProgram) {
            const auto box = ExpectMessageBox(p, kOsCaption);
            ASSERT_TRUE(box);
            ASSERT_TRUE(PressButton(box->hwnd, IDYES));
        }
        ASSERT_TRUE(WaitForFrame(p)) << Describe(p);
        EXPECT_EQ(c.bPerUser, RegKeyExists(HKEY_CURRENT_USER, key + "\\CLSID"));
        EXPECT_EQ(!c.bPerUser, RegKeyExists(HKEY_LOCAL_MACHINE, key + "\\CLSID"));
        p.Kill();
    }
}

TEST_F(SystemCheck, LaterWindowsIsQuestionedAndNoEndsTheProgram)
{
    if (k64BitProgram)
        GTEST_SKIP() << "the 64-bit program asks on no system";
    PresetReturningUser();
    ASSERT_TRUE(SetWindowsVersion("netbell.exe", "win7"));
    CProcess& p = Start();
    const auto box = ExpectMessageBox(p, kOsCaption);
    ASSERT_TRUE(box);
    EXPECT_EQ(kOsQuestion, box->text);
    EXPECT_FALSE(FindTopWindow(p.Id(), kFrameClass)) << "the question comes before any window";
    ASSERT_TRUE(PressButton(box->hwnd, IDNO));
    EXPECT_TRUE(p.WaitForExit(kWaitMs)) << Describe(p);
    // No ends start-up before the settings are touched.
    EXPECT_FALSE(ReadSetting("Home Directory"));
    EXPECT_EQ(m_nTrayBase, TrayIconCount());
}

TEST_F(SystemCheck, LaterWindowsYesGoesOn)
{
    PresetReturningUser();
    ASSERT_TRUE(SetWindowsVersion("netbell.exe", "win7"));
    CProcess& p = Start();
    if (k64BitProgram) {
        // 64-bit Windows is where the 64-bit program belongs: no question.
        ASSERT_TRUE(WaitForFrame(p)) << Describe(p);
        EXPECT_TRUE(NoDialogFor(p, 1500)) << Describe(p);
    } else {
        const auto box = ExpectMessageBox(p, kOsCaption);
        ASSERT_TRUE(box);
        ASSERT_TRUE(PressButton(box->hwnd, IDYES));
        ASSERT_TRUE(WaitForFrame(p)) << Describe(p);
    }
    EXPECT_TRUE(WaitUntil([&] { return TrayIconCount() == m_nTrayBase + 1; })) << TrayIconCount();
    EXPECT_TRUE(ReadSetting("Home Directory"));
}

TEST_F(SystemCheck, Windows95AndNt4AreNotQuestioned)
{
    PresetReturningUser();
    for (const char* version : {"win95", "nt40"}) {
        SCOPED_TRACE(version);
        ASSERT_TRUE(SetWindowsVersion("netbell.exe", version));
        CProcess& p = Start();
        EXPECT_TRUE(WaitForFrame(p)) << Describe(p);
        EXPECT_TRUE(NoDialogFor(p, 1500)) << Describe(p);
        p.Kill();
    }
}

TEST_F(SingleInstance, SecondStartEndsAtOnceAndTheFirstShowsItsWindow)
{
    PresetReturningUser();
    CProcess& first = Start();
    HWND frame = WaitForFrame(first);
    ASSERT_TRUE(frame) << Describe(first);
    ASSERT_TRUE(WaitUntil([&] { return TrayIconCount() == m_nTrayBase + 1; })) << TrayIconCount();
    EXPECT_FALSE(IsVisible(frame)) << "the main window starts hidden";

    CProcess& second = Start();
    EXPECT_TRUE(second.WaitForExit(kWaitMs)) << Describe(second);
    EXPECT_TRUE(WaitUntil([&] { return IsVisible(frame); }, 5000)) << Describe(first);
    EXPECT_TRUE(first.IsRunning());
    EXPECT_EQ(1u, FindTopWindows(first.Id(), kFrameClass).size());
    EXPECT_EQ(m_nTrayBase + 1, TrayIconCount()) << "one icon, the first instance's";

    // A third start after the window was hidden again shows it again.
    ASSERT_TRUE(Post(frame, WM_CLOSE, 0, 0));
    ASSERT_TRUE(WaitUntil([&] { return !IsVisible(frame); }, 5000));
    CProcess& third = Start();
    EXPECT_TRUE(third.WaitForExit(kWaitMs));
    EXPECT_TRUE(WaitUntil([&] { return IsVisible(frame); }, 5000));
}

// A data file the reader must reject: its class record names no known class.
std::vector<uint8_t> MalformedDataFile()
{
    std::vector<uint8_t> f = {0x01, 0x00, 0xFF, 0xFF, 0x00, 0x01, 0x05, 0x00};
    for (char c : std::string("Bogus"))
        f.push_back(static_cast<uint8_t>(c));
    return f;
}

TEST_F(AutomationStart, MalformedDataFileIsReportedOnANormalStart)
{
    // The companion of the case below: the same file, started normally,
    // is read and refused, so silence there means it was never read.
    PresetReturningUser();
    ASSERT_TRUE(WriteFileBytes(DataPath(), MalformedDataFile()));
    CProcess& p = Start();
    const auto box = WaitForMessageBox(p, nullptr);
    ASSERT_TRUE(box) << Describe(p);
    EXPECT_EQ("Unexpected file format.", box->text);
}

TEST_F(AutomationStart, ShowsNothingAndReadsNoDataFile)
{
    PresetReturningUser();
    ASSERT_TRUE(WriteFileBytes(DataPath(), MalformedDataFile()));
    const auto before = ListFolder(m_strFolder);
    CProcess& p = Start("/Automation");
    EXPECT_TRUE(NoDialogFor(p, 4000)) << Describe(p);
    EXPECT_FALSE(FindTopWindow(p.Id(), kFrameClass)) << Describe(p);
    for (HWND h : FindTopWindows(p.Id(), nullptr))
        EXPECT_FALSE(IsVisible(h)) << "[" << ClassNameOf(h) << "] \"" << WindowText(h) << "\"";
    EXPECT_EQ(m_nTrayBase, TrayIconCount()) << "no icon for an automation start";
    EXPECT_EQ(MalformedDataFile(), ReadFileBytes(DataPath()).value_or(std::vector<uint8_t>{}));
    EXPECT_EQ(before, ListFolder(m_strFolder)) << "nothing set aside or written";
}

}  // namespace
}  // namespace e2e
