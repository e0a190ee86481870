// The reminder on a simulated dial-up connection: the dial-up stand-in
// reports connections from a state file that a case rewrites while the
// program runs, and the program's own monitor polls it every ten seconds.
// The period is real, so each case waits for polls; actions are placed in
// the middle between two polls, counted from the moment the main frame (and
// with it the monitor) appeared.
#include <gtest/gtest.h>

#include "driver.h"

#include <commctrl.h>

#include "nbl_bytes.h"
#include "netbell_case.h"

namespace e2e {
namespace {

using namespace netbell;

constexpr const char* kConnected = "connection 17 0x2000 MyISP\n";
// The monitor looks every ten seconds, the first time ten seconds after it starts.
constexpr DWORD kMonitorPeriodMs = 10000;

// Controls of the prompt.
constexpr int kIdCount = 1061;
constexpr int kIdNow = 1007;
constexpr int kIdSnooze = 1002;
constexpr int kIdQuiet = 1003;
constexpr int kIdMinutes = 1000;
constexpr int kIdSpin = 1001;

NblDocument ThreeTasks()
{
    NblDocument doc;
    NblTask done = MakeTask(nbl::note, "Call");
    done.status = nbl::done;
    // Notes and done tasks count too.
    doc.tasks = {MakeTask(nbl::browse, "Read news", "http://news.example/"), done,
                 MakeTask(nbl::search, "Find flights", "http://zeta.example/?q=")};
    return doc;
}

class Reminder : public NetbellCase {
protected:
    // A returning user's program over doc, with the dial-up stand-in in the
    // given state; the clock of the case starts when its frame appears.
    bool StartWith(const NblDocument& doc, const std::string& dialUp)
    {
        if (!WriteFileBytes(DataPath(), WriteNbl(doc)) || !UseDialUpStandIn() || !SetDialUp(dialUp))
            return false;
        PresetReturningUser();
        m_p = &Start();
        m_frame = WaitForFrame(*m_p);
        m_start = GetTickCount();
        if (!m_frame)
            ADD_FAILURE() << "no main frame; " << Describe(*m_p);
        return m_frame != nullptr;
    }

    DWORD Elapsed() const { return GetTickCount() - m_start; }
    // Sleeps until ms after the frame appeared.
    void SleepUntil(DWORD ms) const
    {
        const DWORD now = Elapsed();
        if (now < ms)
            Sleep(ms - now);
    }

    static bool IsPrompt(HWND h) { return GetDlgItem(h, kIdCount) != nullptr; }
    HWND FindPrompt() const
    {
        for (HWND h : FindTopWindows(m_p->Id(), "#32770", "Netbell"))
            if (IsVisible(h) && IsPrompt(h))
                return h;
        return nullptr;
    }
    HWND WaitForPrompt(DWORD ms)
    {
        HWND prompt = nullptr;
        WaitUntil([&] { return (prompt = FindPrompt()) != nullptr || !m_p->IsRunning(); }, ms);
        return prompt;
    }
    // Any dialog of the program other than the prompt: a message box.
    std::optional<CMessageBox> WaitForBox(DWORD ms)
    {
        HWND box = nullptr;
        WaitUntil(
            [&] {
                for (HWND h : FindTopWindows(m_p->Id(), "#32770"))
                    if (IsVisible(h) && !IsPrompt(h) && GetDlgItem(h, 0xFFFF))
                        return (box = h) != nullptr;
                return false;
            },
            ms);
        if (!box)
            return std::nullopt;
        return ReadMessageBox(box);
    }

    // Chooses a radio button of the prompt and presses OK; the prompt stays
    // open when the minutes are refused.
    void Choose(HWND prompt, int button)
    {
        ASSERT_TRUE(ClickButton(GetDlgItem(prompt, button)));
        ASSERT_TRUE(WaitUntil([&] { return IsChecked(GetDlgItem(prompt, button)); }, 3000));
        ASSERT_TRUE(PressButton(prompt, IDOK));
    }

    CProcess* m_p = nullptr;
    HWND m_frame = nullptr;
    DWORD m_start = 0;
};

TEST_F(Reminder, AConnectionRaisesThePromptWithTheCountAndDoThemNowShowsTheList)
{
    const NblDocument doc = ThreeTasks();
    // Only the last entry decides: a first one still dialling does not hide
    // the connected one after it.
    ASSERT_TRUE(StartWith(doc, std::string("connection 16 2 Office\n") + kConnected));
    // The frame can be found while it is still making its children.
    HWND list = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (list = FindChild(m_frame, kListClass)) != nullptr; }, 5000));
    // Once the rows are in, the file has been read; it must come back from
    // the save that precedes the prompt.
    ASSERT_TRUE(WaitUntil([&] { return Send(list, LVM_GETITEMCOUNT, 0, 0).value_or(0) == 3; }, 5000));
    ASSERT_TRUE(DeleteFileA(DataPath().c_str()));

    HWND prompt = WaitForPrompt(kMonitorPeriodMs + 5000);
    ASSERT_TRUE(prompt) << Describe(*m_p);
    const DWORD shownAt = Elapsed();
    EXPECT_GE(shownAt, kMonitorPeriodMs - 1000) << "the first poll is ten seconds after the start";
    EXPECT_EQ(WriteNbl(doc), ReadFileBytes(DataPath()).value_or(std::vector<uint8_t>{}))
        << "the data file is written before the prompt opens";
    EXPECT_EQ("3", DialogItemText(prompt, kIdCount));
    EXPECT_TRUE(IsChecked(GetDlgItem(prompt, kIdNow)));
    EXPECT_FALSE(IsChecked(GetDlgItem(prompt, kIdSnooze)));
    EXPECT_EQ("5", ControlText(GetDlgItem(prompt, kIdMinutes)).value_or("")) << "\"Remind In\" defaults to 5";
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(prompt, kIdMinutes)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(prompt, kIdSpin)));
    EXPECT_FALSE(IsVisible(m_frame));
    Sleep(200);
    Screenshot("reminder_prompt");

    ASSERT_TRUE(PressButton(prompt, IDOK));
    ASSERT_TRUE(WaitForClose(prompt));
    EXPECT_TRUE(WaitUntil([&] { return IsVisible(m_frame); }, 3000)) << "\"Lets Do them Now !!\" shows the list";
    EXPECT_TRUE(m_p->IsRunning());
}

TEST_F(Reminder, NotifyMeAgainInOneMinuteRemindsAgainAfterAMinute)
{
    ASSERT_TRUE(StartWith(ThreeTasks(), kConnected));
    HWND prompt = WaitForPrompt(kMonitorPeriodMs + 5000);
    ASSERT_TRUE(prompt) << Describe(*m_p);
    ASSERT_TRUE(ClickButton(GetDlgItem(prompt, kIdSnooze)));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(GetDlgItem(prompt, kIdMinutes)); }, 3000))
        << "choosing \"Notify me again in\" enables the minutes";
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(prompt, kIdSpin)));

    // Out of range or no number at all: refused, and the prompt stays.
    const std::pair<const char*, const char*> refusals[] = {
        {"0", "Please enter an integer between 1 and 500."},
        {"501", "Please enter an integer between 1 and 500."},
        {"", "Please enter an integer."}};
    for (const auto& r : refusals) {
        SCOPED_TRACE(r.first);
        ASSERT_TRUE(SetControlText(GetDlgItem(prompt, kIdMinutes), r.first));
        ASSERT_TRUE(PressButton(prompt, IDOK));
        const auto box = WaitForBox(5000);
        ASSERT_TRUE(box) << Describe(*m_p);
        EXPECT_EQ(r.second, box->text);
        EXPECT_FALSE(IsWindowEnabled(prompt)) << "the message belongs to the prompt";
        ASSERT_TRUE(PressButton(box->hwnd, IDOK));
        ASSERT_TRUE(WaitForClose(box->hwnd));
        EXPECT_TRUE(IsVisible(prompt));
    }
    ASSERT_TRUE(SetControlText(GetDlgItem(prompt, kIdMinutes), "1"));
    ASSERT_TRUE(PressButton(prompt, IDOK));
    ASSERT_TRUE(WaitForClose(prompt));
    const DWORD snoozedAt = GetTickCount();
    EXPECT_EQ(1u, RegReadDword(HKEY_CURRENT_USER, std::string(kAppKey) + "\\Settings", "Remind In").value_or(0));
    EXPECT_FALSE(IsVisible(m_frame));

    // The connection stays up: the next prompt is the timer's, a minute on.
    prompt = WaitForPrompt(70000);
    ASSERT_TRUE(prompt) << Describe(*m_p);
    const DWORD after = GetTickCount() - snoozedAt;
    EXPECT_GE(after, 59000u) << "reminded again too early";
    EXPECT_LE(after, 63000u);
    EXPECT_EQ("3", DialogItemText(prompt, kIdCount));
    EXPECT_EQ("1", ControlText(GetDlgItem(prompt, kIdMinutes)).value_or("")) << "the chosen minutes come back";
    EXPECT_TRUE(IsChecked(GetDlgItem(prompt, kIdNow)));
    ASSERT_TRUE(PressButton(prompt, IDOK));
    EXPECT_TRUE(WaitUntil([&] { return IsVisible(m_frame); }, 3000));
}

TEST_F(Reminder, QuietLastsUntilHangUpAndTheNextConnectionIsReminded)
{
    ASSERT_TRUE(StartWith(ThreeTasks(), kConnected));
    HWND prompt = WaitForPrompt(kMonitorPeriodMs + 5000);
    ASSERT_TRUE(prompt) << Describe(*m_p);
    Choose(prompt, kIdQuiet);
    ASSERT_TRUE(WaitForClose(prompt));
    EXPECT_FALSE(IsVisible(m_frame));

    // Still connected at the next poll: quiet.
    SleepUntil(2 * kMonitorPeriodMs + 3000);
    EXPECT_FALSE(FindPrompt()) << Describe(*m_p);
    EXPECT_TRUE(OpenDialogs(m_p->Id()).empty()) << Describe(*m_p);

    // Hung up before the third poll, dialled again before the fourth.
    ASSERT_TRUE(SetDialUp(""));
    SleepUntil(3 * kMonitorPeriodMs + 5000);
    EXPECT_FALSE(FindPrompt());
    ASSERT_TRUE(SetDialUp("connection 21 0x2000 MyISP\n"));
    prompt = WaitForPrompt(kMonitorPeriodMs);
    ASSERT_TRUE(prompt) << "the new connection was not reminded about; " << Describe(*m_p);
    EXPECT_GE(Elapsed(), 4 * kMonitorPeriodMs - 1000) << "at the first poll after it came up";
    EXPECT_EQ("3", DialogItemText(prompt, kIdCount));
    ASSERT_TRUE(PressButton(prompt, IDOK));
    EXPECT_TRUE(WaitUntil([&] { return IsVisible(m_frame); }, 3000));
}

// A network connection, through the network stand-in, with no dial-up one.
TEST_F(Reminder, ANetworkConnectionRemindsOnlyWithWatchNetworkOnAndAgainAfterItCameBack)
{
    ASSERT_TRUE(UseNetworkStandIn());
    ASSERT_TRUE(StartWith(ThreeTasks(), ""));
    // "Watch Network" is off by default: a network coming up is no connection.
    SleepUntil(3000);
    ASSERT_TRUE(SetNetwork("alive 1\n"));
    SleepUntil(kMonitorPeriodMs + 3000);
    EXPECT_FALSE(FindPrompt());
    EXPECT_TRUE(OpenDialogs(m_p->Id()).empty()) << Describe(*m_p);

    // Turned on while the program runs: the next poll hears it.
    ASSERT_TRUE(RegWriteDword(HKEY_CURRENT_USER, std::string(kAppKey) + "\\Settings", "Watch Network", 1));
    HWND prompt = WaitForPrompt(kMonitorPeriodMs + 2000);
    ASSERT_TRUE(prompt) << Describe(*m_p);
    EXPECT_GE(Elapsed(), 2 * kMonitorPeriodMs - 1000);
    EXPECT_EQ("3", DialogItemText(prompt, kIdCount));
    Choose(prompt, kIdQuiet);
    ASSERT_TRUE(WaitForClose(prompt));

    // Offline before the third poll, online again (a WAN link) before the fourth.
    ASSERT_TRUE(SetNetwork(""));
    SleepUntil(3 * kMonitorPeriodMs + 5000);
    EXPECT_FALSE(FindPrompt());
    ASSERT_TRUE(SetNetwork("alive 2\n"));
    prompt = WaitForPrompt(kMonitorPeriodMs);
    ASSERT_TRUE(prompt) << "the network coming back was not reminded about; " << Describe(*m_p);
    EXPECT_GE(Elapsed(), 4 * kMonitorPeriodMs - 1000);
    EXPECT_EQ("3", DialogItemText(prompt, kIdCount));
    ASSERT_TRUE(PressButton(prompt, IDOK));
    EXPECT_TRUE(WaitUntil([&] { return IsVisible(m_frame); }, 3000));
}

TEST_F(Reminder, NoPromptWhileTheAboutBoxIsOpenThenOneAfterItCloses)
{
    ASSERT_TRUE(StartWith(ThreeTasks(), kConnected));
    ASSERT_TRUE(PostCommand(m_frame, kCmdAbout));
    HWND about = WaitForVisibleWindow(*m_p, "#32770", "About Netbell");
    ASSERT_TRUE(about) << Describe(*m_p);

    // The first poll finds the dialog open and leaves the connection for
    // later.
    SleepUntil(kMonitorPeriodMs + 4000);
    EXPECT_FALSE(FindPrompt()) << Describe(*m_p);
    EXPECT_EQ(1u, FindTopWindows(m_p->Id(), "#32770").size()) << Describe(*m_p);
    ASSERT_TRUE(PressButton(about, IDOK));
    ASSERT_TRUE(WaitForClose(about));

    HWND prompt = WaitForPrompt(kMonitorPeriodMs + 2000);
    ASSERT_TRUE(prompt) << Describe(*m_p);
    EXPECT_GE(Elapsed(), 2 * kMonitorPeriodMs - 1000);
    EXPECT_EQ("3", DialogItemText(prompt, kIdCount));
    ASSERT_TRUE(PressButton(prompt, IDOK));
    EXPECT_TRUE(WaitUntil([&] { return IsVisible(m_frame); }, 3000));
}

TEST_F(Reminder, ALastEntryStillDiallingIsNoConnectionAndEnumerationErrorsAreShown)
{
    ASSERT_TRUE(StartWith(ThreeTasks(), std::string(kConnected) + "connection 18 2 Office\n"));
    SleepUntil(kMonitorPeriodMs + 3000);
    EXPECT_TRUE(OpenDialogs(m_p->Id()).empty()) << Describe(*m_p);

    // The stand-in's own text for the error, with the stop icon.
    const char* const kText = "The port is already in use or is not configured for Remote Access dial out.";
    ASSERT_TRUE(SetDialUp(std::string("error 633 ") + kText + "\n"));
    auto box = WaitForBox(kMonitorPeriodMs + 2000);
    ASSERT_TRUE(box) << Describe(*m_p);
    EXPECT_EQ("Netbell", box->caption);
    EXPECT_EQ(kText, box->text);
    EXPECT_EQ("stop", MessageBoxIcon(box->hwnd));
    ASSERT_TRUE(PressButton(box->hwnd, IDOK));
    ASSERT_TRUE(WaitForClose(box->hwnd));

    // An error the service has no text for.
    ASSERT_TRUE(SetDialUp("error 600\n"));
    box = WaitForBox(kMonitorPeriodMs + 2000);
    ASSERT_TRUE(box) << Describe(*m_p);
    EXPECT_EQ("Netbell", box->caption);
    EXPECT_EQ("Undefined RasEnumConnections Error.", box->text);
    ASSERT_TRUE(PressButton(box->hwnd, IDOK));
    ASSERT_TRUE(WaitForClose(box->hwnd));
    ASSERT_TRUE(SetDialUp(""));
    EXPECT_FALSE(FindPrompt());
}

// Exit while the monitor's error box is open: the box goes with it, Exit
// does not wait out the blocked monitor thread, and the data is saved.
TEST_F(Reminder, ExitWhileTheMonitorShowsAnErrorEndsPromptly)
{
    ASSERT_TRUE(StartWith(ThreeTasks(), "error 633 Boom\n"));
    const auto box = WaitForBox(kMonitorPeriodMs + 5000);
    ASSERT_TRUE(box) << Describe(*m_p);
    ASSERT_TRUE(PostCommand(m_frame, kCmdExit));
    EXPECT_TRUE(m_p->WaitForExit(5000)) << "Exit waited for the monitor's message box; " << Describe(*m_p);
    EXPECT_EQ(WriteNbl(ThreeTasks()), ReadFileBytes(DataPath()).value_or(std::vector<uint8_t>{}));
}

TEST_F(Reminder, AnEmptyListRaisesNoPromptAndExitDuringAPollEndsCleanly)
{
    ASSERT_TRUE(StartWith(NblDocument{}, kConnected));
    SleepUntil(kMonitorPeriodMs + 3000);
    EXPECT_TRUE(OpenDialogs(m_p->Id()).empty()) << Describe(*m_p);

    // Exit right when the monitor polls again.
    SleepUntil(2 * kMonitorPeriodMs);
    ASSERT_TRUE(PostCommand(m_frame, kCmdExit));
    const DWORD exitAt = GetTickCount();
    ASSERT_TRUE(m_p->WaitForExit(5000)) << Describe(*m_p);
    EXPECT_LE(GetTickCount() - exitAt, 3000u);
    EXPECT_EQ(0u, m_p->ExitCode().value_or(1));
    EXPECT_EQ(EmptyDataFile(), ReadFileBytes(DataPath()).value_or(std::vector<uint8_t>{1}));
}

}  // namespace
}  // namespace e2e
