#include "frontpage/win32/standin_fixture.h"

#include <objbase.h>
#include <shlwapi.h>

#include <fstream>
#include <sstream>

#include "base/win32/scoped_win.h"

bool FrontPageStandInTest::s_bRegistered = false;

std::string FrontPageStandInTest::StandInPath()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir = path;
    dir.erase(dir.find_last_of('\\') + 1);
    return dir + "frontpage_standin.exe";
}

HMODULE FrontPageStandInTest::LoadProgramResources()
{
    std::string path = StandInPath();
    path = path.substr(0, path.find_last_of('\\') + 1) + "netbell.exe";
    return LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
}

int FrontPageStandInTest::RunStandIn(const std::string& arguments)
{
    std::string cmd = "\"" + StandInPath() + "\" " + arguments;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return -1;
    CScopedHandle process(pi.hProcess);
    CScopedHandle thread(pi.hThread);
    if (WaitForSingleObject(process.Get(), 30000) != WAIT_OBJECT_0)
        return -1;
    DWORD dwCode = 0;
    GetExitCodeProcess(process.Get(), &dwCode);
    return static_cast<int>(dwCode);
}

void FrontPageStandInTest::SetUpTestSuite()
{
    s_bRegistered = RunStandIn("/RegServer") == 0;
}

void FrontPageStandInTest::TearDownTestSuite()
{
    WaitForStandInToEnd();
    RunStandIn("/UnregServer");
    s_bRegistered = false;
}

void FrontPageStandInTest::SetUp()
{
    ASSERT_TRUE(s_bRegistered) << "the FrontPage stand-in could not be registered: " << StandInPath();
    // A stand-in of an earlier test may still be on its way out.
    ASSERT_TRUE(WaitForStandInToEnd());
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    static int s_nCount = 0;
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    m_strFolder = std::string(temp) + "nbfp-" + std::to_string(GetCurrentProcessId()) + "-" +
                  std::to_string(++s_nCount);
    CreateDirectoryA(m_strFolder.c_str(), nullptr);
    m_strState = m_strFolder + "\\state.txt";
    m_strLog = m_strFolder + "\\calls.log";
    SetEnvironmentVariableA("NETBELL_FP_STATE", m_strState.c_str());
    SetEnvironmentVariableA("NETBELL_FP_LOG", m_strLog.c_str());
    // Wine reuses process ids, so a run cut short may have left this folder
    // with its log: the stand-in would add to it.
    DeleteFileA(m_strLog.c_str());
    WriteState("");
}

void FrontPageStandInTest::TearDown()
{
    CoUninitialize();
    WaitForStandInToEnd();
    SetEnvironmentVariableA("NETBELL_FP_STATE", nullptr);
    SetEnvironmentVariableA("NETBELL_FP_LOG", nullptr);
    DeleteFileA(m_strState.c_str());
    DeleteFileA((m_strState + ".new").c_str());
    DeleteFileA(m_strLog.c_str());
    RemoveDirectoryA(m_strFolder.c_str());
}

void FrontPageStandInTest::WriteState(const std::string& text)
{
    std::ofstream file(m_strState, std::ios::binary | std::ios::trunc);
    file << text;
}

std::string FrontPageStandInTest::ReadState() const
{
    std::ifstream file(m_strState, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<std::string> FrontPageStandInTest::LogLines() const
{
    std::vector<std::string> lines;
    std::ifstream file(m_strLog, std::ios::binary);
    std::string line;
    while (std::getline(file, line))
        lines.push_back(line);
    return lines;
}

std::vector<std::string> FrontPageStandInTest::Calls() const
{
    std::vector<std::string> calls;
    for (const std::string& line : LogLines()) {
        if (line.rfind("server ", 0) != 0)
            calls.push_back(line);
    }
    return calls;
}

bool FrontPageStandInTest::WaitForStandInToEnd(DWORD dwTimeoutMs)
{
    const DWORD dwStart = GetTickCount();
    while (FindWindowA("FrontPageExplorerWindow", nullptr)) {
        if (GetTickCount() - dwStart > dwTimeoutMs)
            return false;
        // Keep answering messages: COM may need this thread meanwhile.
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(20);
    }
    return true;
}
