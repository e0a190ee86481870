#pragma once
// The FrontPage stand-in for the Win32 tests: registered in the test Wine
// prefix for the run of a suite and removed after it, with a fresh state
// file and call log for every test.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

class FrontPageStandInTest : public ::testing::Test {
public:
    // Runs the stand-in with a switch ("/RegServer", "/UnregServer ...");
    // its exit code, or -1 when it could not run.
    static int RunStandIn(const std::string& arguments);
    static std::string StandInPath();
    // netbell.exe beside this program, as a module of resources only: the
    // dialog templates and strings. Null when it is missing.
    static HMODULE LoadProgramResources();

protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    // The state the stand-in answers from, as the file's lines.
    void WriteState(const std::string& text);
    std::string ReadState() const;
    // The calls the stand-in logged, without its start and end lines.
    std::vector<std::string> Calls() const;
    std::vector<std::string> LogLines() const;
    // Waits until no stand-in runs any more; false after the time-out.
    static bool WaitForStandInToEnd(DWORD dwTimeoutMs = 10000);

    static bool s_bRegistered;
    std::string m_strFolder;
    std::string m_strState;
    std::string m_strLog;
};
