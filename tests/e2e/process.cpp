// Starting, waiting for and ending the programs under test.
#include "driver.h"

#include <psapi.h>

#include <algorithm>
#include <cctype>
#include <utility>

namespace e2e {

namespace {

// Every running CProcess, so the watchdog can end them from its thread.
class CStartedLock {
public:
    CStartedLock() { EnterCriticalSection(Section()); }
    ~CStartedLock() { LeaveCriticalSection(Section()); }
    CStartedLock(const CStartedLock&) = delete;
    CStartedLock& operator=(const CStartedLock&) = delete;

private:
    static CRITICAL_SECTION* Section()
    {
        static struct CSection {
            CSection() { InitializeCriticalSection(&cs); }
            CRITICAL_SECTION cs;
        } section;
        return &section.cs;
    }
};
std::vector<HANDLE> g_started;

void Register(HANDLE h)
{
    CStartedLock lock;
    g_started.push_back(h);
}

void Unregister(HANDLE h)
{
    CStartedLock lock;
    g_started.erase(std::remove(g_started.begin(), g_started.end(), h), g_started.end());
}

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

}  // namespace

CProcess::~CProcess()
{
    Kill();
    Close();
}

CProcess::CProcess(CProcess&& other) noexcept
    : m_hProcess(std::exchange(other.m_hProcess, nullptr)), m_dwId(std::exchange(other.m_dwId, 0))
{
}

CProcess& CProcess::operator=(CProcess&& other) noexcept
{
    if (this != &other) {
        Kill();
        Close();
        m_hProcess = std::exchange(other.m_hProcess, nullptr);
        m_dwId = std::exchange(other.m_dwId, 0);
    }
    return *this;
}

CProcess CProcess::Start(const std::string& exe, const std::string& args, const std::string& dir)
{
    std::string cmd = "\"" + exe + "\"";
    if (!args.empty())
        cmd += " " + args;
    std::wstring buf = Wide(cmd);
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    CProcess p;
    if (!CreateProcessW(Wide(exe).c_str(), buf.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        dir.empty() ? nullptr : Wide(dir).c_str(), &si, &pi))
        return p;
    CloseHandle(pi.hThread);
    p.m_hProcess = pi.hProcess;
    p.m_dwId = pi.dwProcessId;
    Register(p.m_hProcess);
    return p;
}

bool CProcess::IsRunning() const
{
    return m_hProcess && WaitForSingleObject(m_hProcess, 0) == WAIT_TIMEOUT;
}

bool CProcess::WaitForExit(DWORD ms) const
{
    return !m_hProcess || WaitForSingleObject(m_hProcess, ms) == WAIT_OBJECT_0;
}

std::optional<DWORD> CProcess::ExitCode() const
{
    DWORD code = 0;
    if (!m_hProcess || IsRunning() || !GetExitCodeProcess(m_hProcess, &code))
        return std::nullopt;
    return code;
}

void CProcess::Kill()
{
    if (!IsRunning())
        return;
    TerminateProcess(m_hProcess, 99);
    WaitForSingleObject(m_hProcess, 10000);
}

void CProcess::Close()
{
    if (!m_hProcess)
        return;
    Unregister(m_hProcess);
    CloseHandle(m_hProcess);
    m_hProcess = nullptr;
    m_dwId = 0;
}

void KillAllStarted()
{
    CStartedLock lock;
    for (HANDLE h : g_started)
        if (WaitForSingleObject(h, 0) == WAIT_TIMEOUT)
            TerminateProcess(h, 98);
}

int KillProcessesUnder(const std::string& folder)
{
    const std::string prefix = Lower(folder.back() == '\\' ? folder : folder + "\\");
    std::vector<DWORD> ids(4096);
    DWORD cb = 0;
    if (!EnumProcesses(ids.data(), static_cast<DWORD>(ids.size() * sizeof(DWORD)), &cb))
        return 0;
    ids.resize(cb / sizeof(DWORD));
    int found = 0;
    for (DWORD id : ids) {
        if (id == 0 || id == GetCurrentProcessId())
            continue;
        HANDLE h = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | PROCESS_TERMINATE | SYNCHRONIZE,
                               FALSE, id);
        if (!h)
            continue;
        char path[MAX_PATH] = "";
        if (GetModuleFileNameExA(h, nullptr, path, MAX_PATH) && Lower(path).rfind(prefix, 0) == 0) {
            ++found;
            TerminateProcess(h, 97);
            WaitForSingleObject(h, 10000);
        }
        CloseHandle(h);
    }
    return found;
}

bool WaitUntil(const std::function<bool()>& pred, DWORD ms)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (pred())
            return true;
        if (GetTickCount() - start >= ms)
            return false;
        Sleep(kPollMs);
    }
}

}  // namespace e2e
