#pragma once
// The fixture of every case that drives netbell.exe: a fresh program folder
// with its own copy of the program, a cleaned application key, no Startup
// shortcut, and no program left running afterwards.

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "driver.h"

namespace e2e {

// What the program under test is fixed to show and answer.
namespace netbell {
constexpr const char* kFrameClass = "NetbellMainFrame";
constexpr const char* kCaption = " - Netbell";
constexpr const char* kListClass = "SysListView32";
constexpr const char* kInstanceEvent = "CvnNetbell101";
constexpr const char* kDataFile = "Default.nbl";
constexpr const char* kShortcutName = "Shortcut to Netbell.lnk";
constexpr UINT kTrayNotify = WM_APP + 1;
constexpr WPARAM kTrayIconId = 129;
constexpr int kCmdExit = 32771;
constexpr int kCmdTaskList = 32772;
constexpr int kCmdBackup = 32803;
constexpr int kCmdAbout = 57664;
constexpr int kCmdSponsors = 32812;
// Command ids of the menus, the toolbar and the accelerators.
namespace cmd {
constexpr int kNewEMail = 32795;
constexpr int kNewBrowse = 32777;
constexpr int kNewNewsgroup = 32800;
constexpr int kNewNote = 32778;
constexpr int kNewSearch = 32781;
constexpr int kEdit = 32779;
constexpr int kDelete = 32805;
constexpr int kLaunch = 32804;
constexpr int kInsertProject = 32782;
constexpr int kInsertEngine = 32783;
constexpr int kEditProjects = 32785;
constexpr int kEditEngines = 32784;
constexpr int kNewFrontPage = 32776;
constexpr int kShowToDoList = 32786;
constexpr int kLaunchEditor = 32787;
constexpr int kLaunchExplorer = 32789;
constexpr int kOptions = 32790;
constexpr int kToggleLoading = 32791;
constexpr int kFrontPage[] = {kNewFrontPage, kShowToDoList, kLaunchEditor, kLaunchExplorer, kToggleLoading};
}  // namespace cmd
}  // namespace netbell

// Ends the programs of a case that runs past its time, and the whole run if
// even that does not free the case.
class CWatchdog {
public:
    CWatchdog(DWORD ms, std::string name);
    ~CWatchdog();
    CWatchdog(const CWatchdog&) = delete;
    CWatchdog& operator=(const CWatchdog&) = delete;

private:
    static DWORD WINAPI Watch(void* param);

    DWORD m_dwMs;
    std::string m_strName;
    HANDLE m_hDone;   // set when the case is over
    HANDLE m_hThread;
};

class NetbellCase : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Settings of someone who has used the program before, so start-up goes
    // straight to the tray: the Startup question answered, name and e-mail.
    void PresetReturningUser();
    // Starts this case's copy of the program; the case owns the process.
    CProcess& Start(const std::string& args = "");
    // The hidden main frame of a started program, or null after ms.
    HWND WaitForFrame(const CProcess& p, DWORD ms = kWaitMs);
    // Shows the main window the way a double click on the icon does.
    bool ShowByTray(HWND frame);
    // Waits for the message box, failing the case with what is open instead.
    std::optional<CMessageBox> ExpectMessageBox(const CProcess& p, const char* caption, DWORD ms = kWaitMs);
    // Dial-up networking for the programs this case starts: the stand-in
    // DLL beside the program, chosen over Wine's own by a per-program DLL
    // override, answering from a state file (named in the environment they
    // inherit) that starts with no connection. Call before Start.
    bool UseDialUpStandIn();
    // Replaces the stand-in's state at once: lines as its source describes,
    // for example "connection 17 0x2000 MyISP"; empty for no connection.
    bool SetDialUp(const std::string& state);
    // After SetDialUp("hold"): true once a dial-up call is held, within ms.
    bool WaitForHeldDialUpCall(DWORD ms) const;
    // The network, the same way: the sensapi.dll stand-in, starting with no
    // connection. Call before Start.
    bool UseNetworkStandIn();
    // Replaces its state at once: "alive 1" for a LAN connection, "alive 2"
    // for a WAN one; empty for none.
    bool SetNetwork(const std::string& state);
    // Every top-level window of the process, for failure messages.
    static std::string Describe(const CProcess& p);
    // True when no dialog of the process shows up within ms.
    static bool NoDialogFor(const CProcess& p, DWORD ms);

    // Moves this case's program folder, with its copy of the program, into
    // another parent folder (a small disk, say). Call before Start.
    bool MoveCaseTo(const std::string& parent);

    std::string DataPath() const { return JoinPath(m_strFolder, netbell::kDataFile); }
    std::string ShortcutPath() const { return JoinPath(StartupFolder(), netbell::kShortcutName); }

    std::string m_strFolder;  // the program's folder: its home directory
    std::string m_strExe;
    int m_nTrayBase = 0;  // icons in the notification area before the case

private:
    // An environment variable set for the case and put back afterwards.
    void SetCaseEnv(const char* name, const std::string& value);
    // Copies the stand-in dll ("rasapi32") beside the program, starts its
    // state file empty and names it in envVar.
    bool UseStandIn(const char* dll, const char* envVar, std::string& statePath);
    static bool WriteState(const std::string& statePath, const std::string& state);

    std::deque<CProcess> m_procs;
    std::string m_strRasState;
    std::string m_strSensState;
    std::vector<std::pair<std::string, std::optional<std::string>>> m_savedEnv;
    std::unique_ptr<CWatchdog> m_watchdog;
};

// The folder under the temporary folder that holds every case's folder.
std::string CaseRoot();

// The data file of an empty document: no tasks, no projects, no engines.
std::vector<uint8_t> EmptyDataFile();
// One open Note "Call", Medium, added 7 December 1997 12:00.
std::vector<uint8_t> OneNoteDataFile();

}  // namespace e2e
