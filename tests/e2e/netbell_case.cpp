// Fresh state before each case, nothing left behind after it.
#include "netbell_case.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace e2e {

namespace {

// A case rarely needs more than 30 s; past this something hangs.
// NETBELL_E2E_CASE_SECONDS changes it, for a slow machine.
DWORD CaseLimitMs()
{
    const int seconds = atoi(EnvVar("NETBELL_E2E_CASE_SECONDS").c_str());
    return seconds > 0 ? static_cast<DWORD>(seconds) * 1000 : 120000;
}
constexpr const char* kSetupRecordKey = "Software\\Microsoft\\MS Setup (ACME)";
constexpr const char* kDllOverrideKey = "Software\\Wine\\AppDefaults\\netbell.exe\\DllOverrides";
// The libraries the program may be given stand-ins for.
constexpr const char* kStandInDlls[] = {"rasapi32", "sensapi"};

bool InstanceEventExists()
{
    HANDLE h = OpenEventA(SYNCHRONIZE, FALSE, netbell::kInstanceEvent);
    if (!h)
        return false;
    CloseHandle(h);
    return true;
}

}  // namespace

CWatchdog::CWatchdog(DWORD ms, std::string name)
    : m_dwMs(ms), m_strName(std::move(name)), m_hDone(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      m_hThread(CreateThread(nullptr, 0, Watch, this, 0, nullptr))
{
}

DWORD WINAPI CWatchdog::Watch(void* param)
{
    const auto* self = static_cast<CWatchdog*>(param);
    if (WaitForSingleObject(self->m_hDone, self->m_dwMs) == WAIT_OBJECT_0)
        return 0;
    fprintf(stderr, "watchdog: %s ran past %lu s; ending its programs\n", self->m_strName.c_str(),
            static_cast<unsigned long>(self->m_dwMs / 1000));
    fflush(stderr);
    KillAllStarted();
    if (WaitForSingleObject(self->m_hDone, 30000) == WAIT_OBJECT_0)
        return 0;
    fprintf(stderr, "watchdog: %s is still stuck; ending the run\n", self->m_strName.c_str());
    fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
    return 0;
}

CWatchdog::~CWatchdog()
{
    SetEvent(m_hDone);
    if (m_hThread) {
        WaitForSingleObject(m_hThread, INFINITE);
        CloseHandle(m_hThread);
    }
    CloseHandle(m_hDone);
}

std::string CaseRoot()
{
    const std::string root = JoinPath(TempFolder(), "netbell-e2e");
    CreateDirectoryA(root.c_str(), nullptr);
    return root;
}

void NetbellCase::SetUp()
{
    const std::string source = EnvVar("NETBELL_EXE");
    ASSERT_FALSE(source.empty()) << "NETBELL_EXE must name the netbell.exe under test";
    ASSERT_TRUE(FileExists(source)) << source;

    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    m_watchdog = std::make_unique<CWatchdog>(CaseLimitMs(), std::string(info->test_suite_name()) + "." + info->name());

    // A program left over from an earlier case or run would answer for ours.
    KillProcessesUnder(CaseRoot());
    ASSERT_TRUE(WaitUntil([] { return !InstanceEventExists(); }, 5000))
        << "another Netbell is running in this Wine session";

    ASSERT_TRUE(DeleteAppKey());
    RegDeleteTreeOf(HKEY_CURRENT_USER, kSetupRecordKey);
    DeleteFileA(ShortcutPath().c_str());
    // Wine's own dial-up networking and network unless the case asks for
    // the stand-ins.
    for (const char* dll : kStandInDlls)
        RegDeleteValueOf(HKEY_CURRENT_USER, kDllOverrideKey, dll);
    ASSERT_TRUE(SetWindowsVersion("netbell.exe", "nt40"));
    ASSERT_TRUE(SetUnmanagedWindows("netbell.exe", true));

    m_strFolder = MakeUniqueFolder(CaseRoot(), "case-");
    ASSERT_FALSE(m_strFolder.empty());
    m_strExe = JoinPath(m_strFolder, "netbell.exe");
    ASSERT_TRUE(CopyFileW(Wide(source).c_str(), Wide(m_strExe).c_str(), FALSE)) << GetLastError();
    m_nTrayBase = TrayIconCount();
}

void NetbellCase::TearDown()
{
    if (HasFailure()) {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        Screenshot(std::string("failed-") + info->test_suite_name() + "-" + info->name());
    }
    m_procs.clear();  // ends whatever still runs
    KillProcessesUnder(CaseRoot());
    m_watchdog.reset();
    if (!m_strFolder.empty())
        RemoveTree(m_strFolder);
    for (const char* dll : kStandInDlls)
        RegDeleteValueOf(HKEY_CURRENT_USER, kDllOverrideKey, dll);
    m_strRasState.clear();
    m_strSensState.clear();
    for (auto it = m_savedEnv.rbegin(); it != m_savedEnv.rend(); ++it)
        SetEnvironmentVariableA(it->first.c_str(), it->second ? it->second->c_str() : nullptr);
    m_savedEnv.clear();
    DeleteFileA(ShortcutPath().c_str());
    RegDeleteTreeOf(HKEY_CURRENT_USER, kSetupRecordKey);
    SetWindowsVersion("netbell.exe", nullptr);
    SetUnmanagedWindows("netbell.exe", false);
    DeleteAppKey();
}

void NetbellCase::PresetReturningUser()
{
    WriteSetting("Initialise", "Manual");
    WriteSetting("Name", "Ada Tester");
    WriteSetting("Email", "ada@example.com");
}

CProcess& NetbellCase::Start(const std::string& args)
{
    m_procs.push_back(CProcess::Start(m_strExe, args, m_strFolder));
    EXPECT_TRUE(m_procs.back()) << "CreateProcess failed: " << GetLastError();
    return m_procs.back();
}

bool NetbellCase::MoveCaseTo(const std::string& parent)
{
    const std::string folder = MakeUniqueFolder(parent, "case-");
    const std::string exe = JoinPath(folder, "netbell.exe");
    if (folder.empty() || !CopyFileW(Wide(m_strExe).c_str(), Wide(exe).c_str(), FALSE))
        return false;
    RemoveTree(m_strFolder);
    m_strFolder = folder;
    m_strExe = exe;
    return true;
}

HWND NetbellCase::WaitForFrame(const CProcess& p, DWORD ms)
{
    return WaitForTopWindow(p, netbell::kFrameClass, nullptr, ms);
}

bool NetbellCase::ShowByTray(HWND frame)
{
    // Sent, not posted: showing runs no modal loop, and when the send
    // returns the window has been shown.
    return Send(frame, netbell::kTrayNotify, netbell::kTrayIconId, WM_LBUTTONDBLCLK).has_value() &&
           WaitUntil([&] { return IsVisible(frame); }, 5000);
}

void NetbellCase::SetCaseEnv(const char* name, const std::string& value)
{
    std::optional<std::string> old;
    if (const DWORD n = GetEnvironmentVariableA(name, nullptr, 0)) {
        std::string buf(n, '\0');
        buf.resize(GetEnvironmentVariableA(name, buf.data(), n));
        old = buf;
    }
    m_savedEnv.emplace_back(name, old);
    SetEnvironmentVariableA(name, value.c_str());
}

bool NetbellCase::UseStandIn(const char* dll, const char* envVar, std::string& statePath)
{
    const std::string name = std::string(dll) + ".dll";
    const std::string source = JoinPath(JoinPath(ModuleFolder(), "standins"), name);
    if (!CopyFileW(Wide(source).c_str(), Wide(JoinPath(m_strFolder, name)).c_str(), FALSE)) {
        ADD_FAILURE() << "cannot copy the stand-in " << source << ": " << GetLastError();
        return false;
    }
    statePath = JoinPath(m_strFolder, std::string(dll) + "-state.txt");
    if (!WriteState(statePath, ""))
        return false;
    // Wine takes WINEDLLOVERRIDES for a new program from our Unix
    // environment, not from the one we pass; its per-program setting in the
    // registry reaches it. Native only: a stand-in that fails to load stops
    // the program instead of leaving Wine's own in its place.
    if (!RegWriteString(HKEY_CURRENT_USER, kDllOverrideKey, dll, "native")) {
        ADD_FAILURE() << "cannot set the DLL override for " << dll;
        return false;
    }
    SetCaseEnv(envVar, statePath);
    return true;
}

bool NetbellCase::WriteState(const std::string& statePath, const std::string& state)
{
    if (statePath.empty()) {
        ADD_FAILURE() << "a stand-in's state set before the stand-in was chosen";
        return false;
    }
    // Written beside it and moved over it, so the stand-in never reads
    // half a state.
    const std::string next = statePath + ".next";
    const std::vector<uint8_t> bytes(state.begin(), state.end());
    if (!WriteFileBytes(next, bytes) || !MoveFileExA(next.c_str(), statePath.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        ADD_FAILURE() << "cannot write the stand-in state " << statePath << ": " << GetLastError();
        return false;
    }
    return true;
}

bool NetbellCase::UseDialUpStandIn()
{
    return UseStandIn("rasapi32", "NETBELL_RAS_STATE", m_strRasState);
}

bool NetbellCase::SetDialUp(const std::string& state)
{
    return WriteState(m_strRasState, state);
}

bool NetbellCase::UseNetworkStandIn()
{
    return UseStandIn("sensapi", "NETBELL_SENS_STATE", m_strSensState);
}

bool NetbellCase::SetNetwork(const std::string& state)
{
    return WriteState(m_strSensState, state);
}

bool NetbellCase::WaitForHeldDialUpCall(DWORD ms) const
{
    const std::string marker = m_strRasState + ".held";
    return !m_strRasState.empty() && WaitUntil([&] { return FileExists(marker); }, ms);
}

std::optional<CMessageBox> NetbellCase::ExpectMessageBox(const CProcess& p, const char* caption, DWORD ms)
{
    auto box = WaitForMessageBox(p, caption, ms);
    if (!box)
        ADD_FAILURE() << "no message box \"" << caption << "\"; open windows:\n" << Describe(p);
    return box;
}

std::string NetbellCase::Describe(const CProcess& p)
{
    std::ostringstream out;
    for (HWND h : FindTopWindows(p.Id(), nullptr)) {
        out << "  [" << ClassNameOf(h) << "] \"" << WindowText(h) << "\"" << (IsVisible(h) ? " visible" : "");
        if (ClassNameOf(h) == "#32770")
            out << " text \"" << DialogItemText(h, 0xFFFF) << "\"";
        out << "\n";
    }
    out << "  process " << (p.IsRunning() ? "running" : "ended");
    return out.str();
}

bool NetbellCase::NoDialogFor(const CProcess& p, DWORD ms)
{
    return !WaitUntil([&] { return !FindTopWindows(p.Id(), "#32770").empty(); }, ms);
}

std::vector<uint8_t> EmptyDataFile()
{
    return {0, 0, 0, 0, 0, 0};
}

std::vector<uint8_t> OneNoteDataFile()
{
    std::vector<uint8_t> f = {0x01, 0x00, 0xFF, 0xFF, 0x00, 0x01, 0x0B, 0x00};
    for (char c : std::string("CRemindTask"))
        f.push_back(static_cast<uint8_t>(c));
    const std::vector<uint8_t> task = {
        0x00, 0x00, 0x00, 0x00,                          // status open
        0x01, 0x00, 0x00, 0x00,                          // kind Note
        0x04, 'C',  'a',  'l',  'l',                     // name
        0x00,                                            // description
        0x00,                                            // URL
        0x01, 0x00, 0x00, 0x00,                          // priority Medium
        0x00, 0x00, 0x00,                                // billing, project, assign-to
        0x00, 0x00, 0x00, 0x00,                          // date valid
        0x00, 0x00, 0x00, 0x00, 0x70, 0x77, 0xE1, 0x40,  // 35771.5 days
        0x00, 0x00, 0x00, 0x00, 0x00,                    // the FrontPage strings
    };
    f.insert(f.end(), task.begin(), task.end());
    f.insert(f.end(), {0x00, 0x00, 0x00, 0x00});  // no projects, no engines
    return f;
}

}  // namespace e2e
