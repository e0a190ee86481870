#include "monitor/reminder.h"

#include <gtest/gtest.h>

#include "base/dialog_guard.h"
#include "base/settings.h"
#include "model/netbell_doc.h"
#include "support/fakes.h"

namespace {

struct Flags {
    volatile long window = 0, snoozing = 0, dontNotify = 0, notified = 0;
    ReminderFlags refs{window, snoozing, dontNotify, notified};
};

class CFakeMonitor : public IMonitorPorts {
public:
    ConnectionLook connection = 0; // nothing: the dial-up service failed
    NetworkLook network = false;   // nothing: the system could not say
    bool bGuardTaken = false;
    int nPosts = 0, nBeeps = 0, nQueries = 0, nNetworkQueries = 0;
    ConnectionLook GetActiveConnection() override
    {
        ++nQueries;
        return connection;
    }
    NetworkLook IsNetworkAlive() override
    {
        ++nNetworkQueries;
        return network;
    }
    bool IsDialogGuardTaken() override { return bGuardTaken; }
    void PostConnectionUp() override { ++nPosts; }
    void BeepExclamation() override { ++nBeeps; }
};

} // namespace

TEST(MonitorPoll, PostsOnceForAConnectionWhenNobodyIsLooking)
{
    // Every combination of the four flags, the guard, what the dial-up look
    // finds (bits >> 5 % 3): no connection, one, or a dial-up error, the
    // "Watch Network" setting (bits / 96 % 2), and what the network look
    // finds (bits / 192): none, one, or a system that could not say.
    for (int bits = 0; bits < 576; ++bits) {
        Flags f;
        f.window = bits & 1;
        f.snoozing = (bits >> 1) & 1;
        f.dontNotify = (bits >> 2) & 1;
        f.notified = (bits >> 3) & 1;
        CFakeMonitor m;
        m.bGuardTaken = (bits >> 4) & 1;
        const int nLook = (bits >> 5) % 3;
        m.connection = nLook == 2 ? ConnectionLook() : ConnectionLook(nLook ? 0x1234 : 0);
        CMemorySettingsStore settings;
        const bool bWatch = (bits / 96) % 2;
        if (bWatch)
            WriteSetting(settings, setting::WatchNetwork, 1);
        const int nNet = bits / 192;
        m.network = nNet == 2 ? NetworkLook() : NetworkLook(nNet == 1);
        const bool bQuietBefore = f.window || f.snoozing || f.dontNotify || f.notified;
        MonitorPoll(f.refs, m, settings);
        // Connected: either kind (the network only while watched); unknown
        // when neither was found and a look that counted failed.
        const bool bNetUp = bWatch && nNet == 1;
        const bool bUp = nLook == 1 || bNetUp;
        const bool bDown = !bUp && nLook == 0 && !(bWatch && nNet == 2);
        const bool bDue = !bQuietBefore && bUp;
        // One prompt when both kinds are up together.
        EXPECT_EQ(m.nPosts, bDue && !m.bGuardTaken ? 1 : 0) << bits;
        EXPECT_EQ(m.nBeeps, bDue && m.bGuardTaken ? 1 : 0) << bits;
        if (!bWatch) {
            EXPECT_EQ(m.nNetworkQueries, 0) << bits;
        }
        if (bDown) {
            // A hang-up forgets the last connection entirely.
            EXPECT_EQ(f.notified, 0) << bits;
            EXPECT_EQ(f.dontNotify, 0) << bits;
        } else {
            EXPECT_EQ(f.notified, (bits >> 3) & 1 || (bDue && !m.bGuardTaken) ? 1 : 0) << bits;
            EXPECT_EQ(f.dontNotify, (bits >> 2) & 1) << bits;
        }
        EXPECT_EQ(f.window, bits & 1);
        EXPECT_EQ(f.snoozing, (bits >> 1) & 1);
    }
}

TEST(MonitorPoll, QuietUntilHangUpThenRemindsTheNextConnection)
{
    Flags f;
    CFakeMonitor m;
    CMemorySettingsStore settings;
    m.connection = 7;
    MonitorPoll(f.refs, m, settings);
    EXPECT_EQ(m.nPosts, 1);
    f.dontNotify = 1; // the user chose quiet
    MonitorPoll(f.refs, m, settings);
    EXPECT_EQ(m.nPosts, 1);
    m.connection = std::nullopt; // a dial-up error is no hang-up
    MonitorPoll(f.refs, m, settings);
    EXPECT_EQ(f.dontNotify, 1);
    m.connection = 7;
    MonitorPoll(f.refs, m, settings);
    EXPECT_EQ(m.nPosts, 1);
    m.connection = 0;
    MonitorPoll(f.refs, m, settings);
    m.connection = 8;
    MonitorPoll(f.refs, m, settings);
    EXPECT_EQ(m.nPosts, 2);

    // With "Watch Network" on, a network connection that outlasts the
    // dial-up one is the same connection; once both are gone, the next is new.
    WriteSetting(settings, setting::WatchNetwork, 1);
    m.network = true;
    m.connection = 0;
    MonitorPoll(f.refs, m, settings);
    EXPECT_EQ(f.notified, 1);
    m.network = false;
    MonitorPoll(f.refs, m, settings);
    EXPECT_EQ(f.notified, 0);
    m.network = true;
    MonitorPoll(f.refs, m, settings);
    EXPECT_EQ(m.nPosts, 3);
}

TEST(ReminderMinutes, IntegersFromOneToFiveHundred)
{
    int n = -1;
    EXPECT_FALSE(ValidateMinutes("1", n));
    EXPECT_EQ(n, 1);
    EXPECT_FALSE(ValidateMinutes(" 500 ", n));
    EXPECT_EQ(n, 500);
    for (const char* bad : {"", "abc", "5x", "1.5", "-"})
        EXPECT_EQ(ValidateMinutes(bad, n).value_or(""), "Please enter an integer.") << bad;
    for (const char* out : {"0", "501", "-3", "99999999999999"})
        EXPECT_EQ(ValidateMinutes(out, n).value_or(""), "Please enter an integer between 1 and 500.") << out;
    EXPECT_EQ(n, 500);
}

namespace {

class CFakeReminderPorts : public IReminderPorts {
public:
    std::function<void(ReminderDlgData&)> user = [](ReminderDlgData&) {};
    std::vector<ReminderDlgData> shown;
    std::vector<unsigned> timers;
    int nTimerFailures = 0;
    int nKills = 0, nShows = 0, nForward = 0;
    ConnectionLook connection = 1;
    NetworkLook network = false;

    void RunPrompt(ReminderDlgData& data) override
    {
        shown.push_back(data);
        user(data);
    }
    void BringPromptForward() override { ++nForward; }
    bool SetReminderTimer(unsigned ms) override
    {
        if (nTimerFailures > 0) {
            --nTimerFailures;
            return false;
        }
        timers.push_back(ms);
        return true;
    }
    void KillReminderTimer() override { ++nKills; }
    void ShowTaskList() override { ++nShows; }
    ConnectionLook GetActiveConnection() override { return connection; }
    NetworkLook IsNetworkAlive() override { return network; }
};

class ReminderTest : public ::testing::Test {
protected:
    CFakeFileSystem fs;
    CFakePrompts prompts;
    CNetbellDoc doc{fs, prompts};
    CMemorySettingsStore settings;
    CFakeGuardEvent event;
    CDialogGuard guard{event, prompts, nullptr};
    Flags f;
    CFakeReminderPorts ports;
    CReminderCycle cycle{doc, settings, prompts, guard, f.refs, ports};

    void SetUp() override { doc.SetPathName("D.nbl"); }
    void AddTasks(int n)
    {
        for (int i = 0; i < n; ++i)
            doc.m_arrTasks.push_back(std::make_unique<CRemindTask>());
    }
    void Choose(int nChoice, int nMinutes = 0)
    {
        ports.user = [=](ReminderDlgData& d) {
            d.nChoice = nChoice;
            if (nMinutes)
                d.nMinutes = nMinutes;
        };
    }
};

} // namespace

TEST_F(ReminderTest, PromptCountsEveryTaskSavesFirstAndPlaysSixSounds)
{
    AddTasks(3);
    doc.m_arrTasks[1]->m_nStatus = statusDone;
    doc.m_arrTasks[2]->m_nKind = kindNote;
    ports.user = [&](ReminderDlgData&) { EXPECT_EQ(fs.nWrites, 1); };
    cycle.OnConnectionUp();
    ASSERT_EQ(ports.shown.size(), 1u);
    EXPECT_EQ(ports.shown[0].strCount, "3");
    EXPECT_EQ(ports.shown[0].nChoice, 0);
    EXPECT_EQ(ports.shown[0].nMinutes, 5);
    EXPECT_EQ(prompts.beeps, (std::vector<MsgIcon>{MsgIcon::question, MsgIcon::question, MsgIcon::exclamation,
                                                   MsgIcon::exclamation, MsgIcon::stop, MsgIcon::exclamation}));
    // Escape leaves the preset choice: the task list opens.
    EXPECT_EQ(ports.nShows, 1);
    EXPECT_EQ(f.window, 1);
    EXPECT_FALSE(guard.IsTaken());
}

TEST_F(ReminderTest, AnEmptyListRaisesNothing)
{
    cycle.OnConnectionUp();
    EXPECT_TRUE(ports.shown.empty());
    EXPECT_TRUE(prompts.beeps.empty());
    EXPECT_EQ(fs.nWrites, 0);
    EXPECT_EQ(f.window, 0);

    // A snooze timer that finds the list emptied leaves the monitor free to
    // remind about the next connection, and a shown list stays shown.
    for (long bShown : {0, 1}) {
        f.window = bShown;
        f.snoozing = 1;
        cycle.OnTimer();
        EXPECT_TRUE(ports.shown.empty());
        EXPECT_EQ(f.snoozing, 0);
        EXPECT_EQ(f.window, bShown);
    }
}

TEST_F(ReminderTest, SnoozeSetsTheTimerAndRemembersTheMinutes)
{
    AddTasks(1);
    WriteSetting(settings, setting::RemindIn, 1000);
    Choose(choiceSnooze, 500);
    cycle.OnReminder();
    EXPECT_EQ(ports.shown[0].nMinutes, 1000); // shown as stored; the prompt refuses it on OK
    EXPECT_EQ(ports.timers, std::vector<unsigned>{500u * 60000u});
    EXPECT_EQ(f.snoozing, 1);
    EXPECT_EQ(f.window, 0);
    EXPECT_EQ(ReadSetting(settings, setting::RemindIn), 500);

    // The timer fires: the prompt again.
    Choose(choiceNow);
    cycle.OnTimer();
    EXPECT_EQ(f.snoozing, 0);
    EXPECT_EQ(ports.shown.size(), 2u);
    EXPECT_EQ(ports.nShows, 1);
}

TEST_F(ReminderTest, ATimerThatFailsTwiceIsReported)
{
    AddTasks(1);
    ports.nTimerFailures = 2;
    Choose(choiceSnooze, 7);
    cycle.OnReminder();
    EXPECT_EQ(f.snoozing, 0);
    ASSERT_FALSE(prompts.shown.empty());
    EXPECT_EQ(prompts.shown.back().text, "Unable to set timer, You may be low on resources.");
    EXPECT_EQ(prompts.shown.back().caption, "Timer Error");
    EXPECT_EQ(ReadSetting(settings, setting::RemindIn), 7);

    ports.nTimerFailures = 1; // the second try succeeds
    cycle.OnReminder();
    EXPECT_EQ(f.snoozing, 1);
    EXPECT_EQ(prompts.shown.size(), 1u);
}

TEST_F(ReminderTest, QuietLeavesARunningTimerAlone)
{
    AddTasks(2);
    Choose(choiceQuiet);
    const int nKills = ports.nKills;
    cycle.OnReminder();
    EXPECT_EQ(f.dontNotify, 1);
    EXPECT_EQ(f.window, 0);
    EXPECT_EQ(ports.nKills, nKills);
}

TEST_F(ReminderTest, TheTimerWaitsWhileADialogIsOpen)
{
    AddTasks(1);
    f.snoozing = 1;
    event.bSignalled = false;
    cycle.OnTimer();
    EXPECT_EQ(ports.timers, std::vector<unsigned>{5000u});
    EXPECT_TRUE(ports.shown.empty());
    EXPECT_EQ(f.snoozing, 1);
    EXPECT_TRUE(prompts.shown.empty()); // no guard message for the timer

    cycle.OnConnectionUp(); // but a connection is told about the open dialog
    EXPECT_EQ(prompts.shown.back().text, "There is already an Netbell Dialog active on your Desktop");
}

TEST_F(ReminderTest, AskingAfterHidingNeedsANotifiedConnectionAndTasks)
{
    cycle.AskRemindDuringConnection();
    EXPECT_TRUE(prompts.shown.empty());
    f.notified = 1;
    cycle.AskRemindDuringConnection(); // no tasks
    EXPECT_TRUE(prompts.shown.empty());
    AddTasks(1);
    ports.connection = 0;
    ports.network = true; // not watched
    cycle.AskRemindDuringConnection();
    EXPECT_TRUE(prompts.shown.empty());
    ports.connection = 1;
    f.snoozing = 1;
    cycle.AskRemindDuringConnection();
    EXPECT_TRUE(prompts.shown.empty());
    f.snoozing = 0;

    // A dial-up error tells of no connection up: nothing is asked, and the
    // flags stay as they were.
    ports.connection = std::nullopt;
    cycle.AskRemindDuringConnection();
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(f.notified, 1);
    ports.connection = 1;
    prompts.answers = {MsgResult::no};
    cycle.AskRemindDuringConnection();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "Would you like to be reminded about these tasks during this connection ?");
    EXPECT_EQ(prompts.shown[0].caption, "Remind about Tasks ?");
    EXPECT_TRUE(ports.shown.empty());
    prompts.answers = {MsgResult::yes};
    cycle.AskRemindDuringConnection();
    EXPECT_EQ(ports.shown.size(), 1u);

    // While "Watch Network" is on, a network connection is a connection.
    WriteSetting(settings, setting::WatchNetwork, 1);
    ports.connection = 0;
    prompts.answers = {MsgResult::no};
    cycle.AskRemindDuringConnection();
    EXPECT_EQ(prompts.shown.size(), 3u);
}
