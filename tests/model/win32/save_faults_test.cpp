// A save of a real document on real files, with every raw file call of the
// replace failed in turn with the error that call really gives, and with the
// machine stopped after each call in turn; on the modern path and on Windows
// 95's, which has no MoveFileEx.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "model/netbell_doc.h"
#include "model/win32/file_system_win32.h"
#include "support/fakes.h"
#include "support/hidden_system_names.h"
#include "support/scratch_folder.h"

namespace {

using Bytes = std::vector<uint8_t>;

enum class Call { tempName, create, write, flush, close, attributes, fileTime, setTime, moveEx, move, remove };

const char* NameOf(Call c)
{
    static const char* const kNames[] = {"GetTempFileName", "CreateFile", "WriteFile",  "FlushFileBuffers",
                                         "CloseHandle",     "GetFileAttributes", "GetFileTime", "SetFileTime",
                                         "MoveFileEx",      "MoveFile",   "DeleteFile"};
    return kNames[static_cast<int>(c)];
}

// The errors each call gives when the disk or another program stands in
// its way.
std::vector<DWORD> RealErrorsOf(Call c)
{
    switch (c) {
    case Call::tempName: return {ERROR_DISK_FULL, ERROR_ACCESS_DENIED, ERROR_PATH_NOT_FOUND};
    case Call::create: return {ERROR_SHARING_VIOLATION, ERROR_ACCESS_DENIED, ERROR_PATH_NOT_FOUND};
    case Call::write: return {ERROR_DISK_FULL, ERROR_LOCK_VIOLATION};
    case Call::flush:
    case Call::close: return {ERROR_DISK_FULL};
    case Call::moveEx:
    case Call::move: return {ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION, ERROR_LOCK_VIOLATION};
    case Call::attributes:
    case Call::fileTime:
    case Call::setTime:
    case Call::remove: return {ERROR_ACCESS_DENIED};
    }
    return {};
}

// One save's calls as the fault plan sees them.
struct Step {
    Call call;
    bool bOnTemporary; // made on the new file, or a move: the save needs it
};

// The plan of one run, and what the calls did; the calls are plain functions,
// so this is shared.
struct Plan {
    int nFailAt = 0; // this call fails with dwError, 1-based; 0 for none
    DWORD dwError = 0;
    int nStopAfter = 0; // the machine stops after this call; 0 for never
    int nCalls = 0;
    bool bStopped = false;
    std::vector<Step> steps;
    std::map<HANDLE, std::string> open;       // handles the save holds
    std::set<std::string> unflushed;          // files with writes not yet on the disk
} g_plan;

bool IsTemporary(const std::string& path)
{
    return path.find(".tmp") != std::string::npos;
}

// Counts the call; false when it is the one to fail, or the machine has
// stopped: the call then does nothing.
bool Enter(Call call, bool bOnTemporary)
{
    if (g_plan.bStopped) {
        SetLastError(ERROR_NOT_READY);
        return false;
    }
    ++g_plan.nCalls;
    g_plan.steps.push_back({call, bOnTemporary});
    if (g_plan.nCalls == g_plan.nStopAfter)
        g_plan.bStopped = true; // after this call, which still runs
    if (g_plan.nCalls != g_plan.nFailAt)
        return true;
    SetLastError(g_plan.dwError);
    return false;
}

std::string PathOfHandle(HANDLE h)
{
    const auto it = g_plan.open.find(h);
    return it == g_plan.open.end() ? std::string() : it->second;
}

UINT WINAPI FaultyTempName(LPCTSTR folder, LPCTSTR prefix, UINT unique, LPTSTR out)
{
    return Enter(Call::tempName, true) ? GetTempFileName(folder, prefix, unique, out) : 0;
}

HANDLE WINAPI FaultyCreate(LPCTSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES sa, DWORD how, DWORD flags,
                           HANDLE tmpl)
{
    if (!Enter(Call::create, IsTemporary(FromSys(path))))
        return INVALID_HANDLE_VALUE;
    HANDLE h = CreateFile(path, access, share, sa, how, flags, tmpl);
    if (h != INVALID_HANDLE_VALUE)
        g_plan.open[h] = FromSys(path);
    return h;
}

BOOL WINAPI FaultyWrite(HANDLE h, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED ov)
{
    if (!Enter(Call::write, true)) {
        // A full disk takes what fits before it refuses.
        const DWORD dwError = GetLastError();
        if (!g_plan.bStopped) {
            WriteFile(h, data, size / 2, written, ov);
            g_plan.unflushed.insert(PathOfHandle(h));
        }
        *written = 0;
        SetLastError(dwError);
        return FALSE;
    }
    g_plan.unflushed.insert(PathOfHandle(h));
    return WriteFile(h, data, size, written, ov);
}

BOOL WINAPI FaultyFlush(HANDLE h)
{
    if (!Enter(Call::flush, true))
        return FALSE;
    g_plan.unflushed.erase(PathOfHandle(h));
    return FlushFileBuffers(h);
}

BOOL WINAPI FaultyClose(HANDLE h)
{
    const bool bGo = Enter(Call::close, IsTemporary(PathOfHandle(h)));
    if (!bGo && g_plan.bStopped)
        return FALSE; // the power is off: the handle dies with the machine
    // A close that reports a failed write behind closes all the same.
    g_plan.open.erase(h);
    const DWORD dwError = GetLastError();
    CloseHandle(h);
    SetLastError(dwError);
    return bGo;
}

DWORD WINAPI FaultyAttributes(LPCTSTR path)
{
    return Enter(Call::attributes, false) ? GetFileAttributes(path) : INVALID_FILE_ATTRIBUTES;
}

BOOL WINAPI FaultyFileTime(HANDLE h, LPFILETIME created, LPFILETIME accessed, LPFILETIME written)
{
    return Enter(Call::fileTime, false) && GetFileTime(h, created, accessed, written);
}

BOOL WINAPI FaultySetTime(HANDLE h, const FILETIME* created, const FILETIME* accessed, const FILETIME* written)
{
    return Enter(Call::setTime, false) && SetFileTime(h, created, accessed, written);
}

void Renamed(LPCTSTR from, LPCTSTR to)
{
    if (g_plan.unflushed.erase(FromSys(from)))
        g_plan.unflushed.insert(FromSys(to));
}

BOOL WINAPI FaultyMoveEx(LPCTSTR from, LPCTSTR to, DWORD flags)
{
    if (!Enter(Call::moveEx, true) || !MoveFileEx(from, to, flags))
        return FALSE;
    Renamed(from, to);
    return TRUE;
}

BOOL WINAPI FaultyMove(LPCTSTR from, LPCTSTR to)
{
    if (!Enter(Call::move, true) || !MoveFile(from, to))
        return FALSE;
    Renamed(from, to);
    return TRUE;
}

BOOL WINAPI FaultyDelete(LPCTSTR path)
{
    return Enter(Call::remove, false) && DeleteFile(path);
}

Win32FileCalls FaultyCalls(bool bWin95)
{
    return {FaultyTempName, FaultyCreate,   FaultyWrite,   FaultyFlush,
            FaultyClose,    FaultyAttributes, FaultyFileTime, FaultySetTime,
            bWin95 ? nullptr : FaultyMoveEx, FaultyMove, FaultyDelete};
}

// The power comes back: handles the stopped save held are gone, and what
// was written but never flushed did not reach the disk.
void PowerUp()
{
    for (const auto& [h, path] : g_plan.open)
        CloseHandle(h);
    for (const std::string& path : g_plan.unflushed) {
        HANDLE h = CreateFile(ToSys(path).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
        if (h == INVALID_HANDLE_VALUE)
            continue;
        SetFilePointer(h, 0, nullptr, FILE_BEGIN);
        SetEndOfFile(h);
        CloseHandle(h);
    }
    g_plan = Plan();
}

Bytes DocumentOf(std::initializer_list<const char*> names)
{
    CFakeFileSystem fs;
    CFakePrompts prompts;
    CNetbellDoc doc(fs, prompts);
    for (const char* name : names) {
        auto task = std::make_unique<CRemindTask>();
        task->m_nKind = kindNote;
        task->m_strName = name;
        task->m_strDescription = std::string(300, 'd');
        doc.m_arrTasks.push_back(std::move(task));
    }
    doc.m_arrProjects = {"Home", "Work"};
    return doc.SaveToBytes();
}

class SaveFaultsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(m_folder.Path().empty()); }
    void TearDown() override { g_plan = Plan(); }

    std::string DataPath() const { return m_folder.PathOf("Default.nbl"); }

    // Only the data file, with the old tasks.
    void Reset()
    {
        for (const std::string& name : FolderEntries(m_folder.Path()))
            DeleteFileA(m_folder.PathOf(name).c_str());
        HANDLE h = CreateFileA(DataPath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                               nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, h);
        DWORD written = 0;
        WriteFile(h, m_old.data(), static_cast<DWORD>(m_old.size()), &written, nullptr);
        CloseHandle(h);
        ASSERT_EQ(m_old.size(), written);
    }

    Bytes OnDisk()
    {
        CWin32FileSystem fs;
        Bytes data;
        fs.ReadFile(DataPath(), data);
        return data;
    }

    // The steps of a save that nothing disturbs.
    std::vector<Step> CleanSteps(bool bWin95)
    {
        Reset();
        g_plan = Plan();
        CWin32FileSystem fs(FaultyCalls(bWin95));
        EXPECT_EQ(FileError::none, fs.WriteReplacing(DataPath(), m_new));
        std::vector<Step> steps = g_plan.steps;
        g_plan = Plan();
        return steps;
    }

    CScratchFolder m_folder{"nbfault"};
    const Bytes m_old = DocumentOf({"Call Bob", "Pay rent"});
    const Bytes m_new = DocumentOf({"Call Bob", "Pay rent", "Buy milk"});
    const std::vector<std::string> m_onlyDataFile{"Default.nbl"};
};

struct PathCase {
    const char* name;
    bool bWin95;
};
constexpr PathCase kPaths[] = {{"MoveFileEx", false}, {"Windows 95", true}};

// Fail call 1, then call 2, and so on to the last, with each real error.
TEST_F(SaveFaultsTest, EveryStepFailedInTurnLosesNothing)
{
    int nRuns = 0;
    for (const PathCase& path : kPaths) {
        const std::vector<Step> steps = CleanSteps(path.bWin95);
        ASSERT_FALSE(steps.empty());
        for (size_t k = 1; k <= steps.size(); ++k) {
            for (const DWORD dwError : RealErrorsOf(steps[k - 1].call)) {
                SCOPED_TRACE(std::string(path.name) + ": call " + std::to_string(k) + ", " +
                             NameOf(steps[k - 1].call) + ", error " + std::to_string(dwError));
                ++nRuns;
                Reset();
                CFakePrompts prompts;
                CWin32FileSystem fs(FaultyCalls(path.bWin95));
                CNetbellDoc doc(fs, prompts);
                ASSERT_TRUE(doc.LoadFromBytes(m_new.data(), m_new.size()));
                g_plan = Plan();
                g_plan.nFailAt = static_cast<int>(k);
                g_plan.dwError = dwError;
                const bool bSaved = doc.OnSaveDocument(DataPath());
                g_plan = Plan();

                // Old or new, whole; the document in memory whole.
                EXPECT_EQ(bSaved ? m_new : m_old, OnDisk());
                EXPECT_EQ(m_new, doc.SaveToBytes());
                const bool bNeeded = steps[k - 1].bOnTemporary;
                if (bNeeded) {
                    // The user is told the cause, and only that.
                    EXPECT_FALSE(bSaved);
                    ASSERT_EQ(1u, prompts.shown.size());
                    const FileError cause = FileErrorFromWin32(dwError);
                    EXPECT_NE(FileError::generic, cause);
                    EXPECT_EQ(FileErrorMessage(cause, DataPath()), prompts.shown[0].text);
                } else {
                    // A look that failed, or an old copy not deleted, costs
                    // nothing: the save stands.
                    EXPECT_TRUE(bSaved);
                    EXPECT_TRUE(prompts.shown.empty());
                }
                // No temporary file, but for an old copy not deleted; the
                // next save succeeds and takes that away too.
                if (steps[k - 1].call != Call::remove) {
                    EXPECT_EQ(m_onlyDataFile, FolderEntries(m_folder.Path()));
                }
                EXPECT_TRUE(doc.OnSaveDocument(DataPath()));
                EXPECT_EQ(m_new, OnDisk());
                EXPECT_EQ(m_onlyDataFile, FolderEntries(m_folder.Path()));
            }
        }
    }
    std::printf("save faults: %d steps failed in turn, every one with the data file whole\n", nRuns);
}

// After call k the machine stops: nothing after it runs, nothing is cleaned
// up, and writes not flushed are lost. The next start opens what is there.
TEST_F(SaveFaultsTest, AStopAfterEveryStepLeavesAWholeDataFile)
{
    int nStops = 0;
    for (const PathCase& path : kPaths) {
        const size_t nSteps = CleanSteps(path.bWin95).size();
        for (size_t k = 1; k <= nSteps; ++k) {
            SCOPED_TRACE(std::string(path.name) + ": stop after call " + std::to_string(k));
            ++nStops;
            Reset();
            {
                CFakePrompts prompts;
                CWin32FileSystem fs(FaultyCalls(path.bWin95));
                CNetbellDoc doc(fs, prompts);
                ASSERT_TRUE(doc.LoadFromBytes(m_new.data(), m_new.size()));
                g_plan = Plan();
                g_plan.nStopAfter = static_cast<int>(k);
                doc.OnSaveDocument(DataPath());
                PowerUp();
            }

            // A fresh start.
            CFakePrompts prompts;
            CWin32FileSystem fs;
            CNetbellDoc doc(fs, prompts);
            const bool bRestored = RecoverUnfinishedSave(fs, prompts, DataPath());
            ASSERT_TRUE(doc.OnOpenDocument(DataPath())) << (prompts.shown.empty() ? "" : prompts.shown[0].text);
            const Bytes opened = doc.SaveToBytes();
            EXPECT_TRUE(opened == m_old || opened == m_new);
            EXPECT_EQ(opened, OnDisk());
            // Whatever the stopped save left is gone, and a copy put in
            // place is reported.
            EXPECT_EQ(m_onlyDataFile, FolderEntries(m_folder.Path()));
            EXPECT_EQ(bRestored ? 1u : 0u, prompts.shown.size());
        }
    }
    std::printf("save stops: %d stop points, every one opening a whole data file\n", nStops);
}

} // namespace
