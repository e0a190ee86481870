// The Win32 file system on real files in a scratch folder under %TEMP%.
#include "model/win32/file_system_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/win32/scoped_win.h"
#include "support/hidden_system_names.h"
#include "support/scratch_folder.h"

namespace {

std::vector<uint8_t> Bytes(const std::string& s)
{
    return std::vector<uint8_t>(s.begin(), s.end());
}

class Win32FileSystemTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(m_folder.Path().empty()); }

    std::string PathOf(const std::string& name) const { return m_folder.PathOf(name); }

    // Writes a file directly, so the code under test is not its own witness.
    void Plant(const std::string& name, const std::string& content)
    {
        CScopedHandle file(CreateFileA(PathOf(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file);
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr));
        ASSERT_EQ(content.size(), written);
    }

    std::vector<uint8_t> Contents(const std::string& name)
    {
        std::vector<uint8_t> data;
        EXPECT_EQ(FileError::none, m_fs.ReadFile(PathOf(name), data));
        return data;
    }

    CScratchFolder m_folder{"nbtest"};
    CWin32FileSystem m_fs;
};

TEST_F(Win32FileSystemTest, ReplaceCreatesNewFileAndLeavesNoTemporary)
{
    EXPECT_EQ(FilePresence::absent, m_fs.Presence(PathOf("Default.nbl")));
    EXPECT_EQ(FileError::none, m_fs.WriteReplacing(PathOf("Default.nbl"), Bytes("\0\0\0\0\0\0")));
    EXPECT_EQ(FilePresence::present, m_fs.Presence(PathOf("Default.nbl")));
    EXPECT_EQ(std::vector<std::string>{"Default.nbl"}, FolderEntries(m_folder.Path()));

    // The same in a folder named in Cyrillic and Japanese, where the system
    // can name it: the Unicode build always can.
    const std::string folder = PathOf(u8"Задачи-東京");
    if (FromSys(ToSys(folder)) != folder)
        return;
    ASSERT_TRUE(CreateDirectory(ToSys(folder).c_str(), nullptr));
    const std::string path = folder + "\\Default.nbl";
    EXPECT_EQ(FilePresence::absent, m_fs.Presence(path));
    EXPECT_EQ(FileError::none, m_fs.WriteReplacing(path, Bytes("old")));
    EXPECT_EQ(FileError::none, m_fs.WriteReplacing(path, Bytes("new")));
    EXPECT_EQ(FilePresence::present, m_fs.Presence(path));
    std::vector<uint8_t> data;
    EXPECT_EQ(FileError::none, m_fs.ReadFile(path, data));
    EXPECT_EQ(Bytes("new"), data);
    EXPECT_TRUE(m_fs.Leftovers(path).empty());
    EXPECT_TRUE(m_fs.RenameFile(path, path + ".bak"));
    EXPECT_EQ(FilePresence::absent, m_fs.Presence(path));
    // The scratch folder's clean-up goes by the code page: this one is ours.
    EXPECT_TRUE(m_fs.RemoveFile(path + ".bak"));
    EXPECT_TRUE(RemoveDirectory(ToSys(folder).c_str()));
}

TEST_F(Win32FileSystemTest, OnlyNotFoundMeansNoFile)
{
    EXPECT_EQ(FilePresence::absent, m_fs.Presence(PathOf("nowhere\\Default.nbl")));
    // A path the system refuses to look at may hide the user's file.
    EXPECT_EQ(FilePresence::unknown, m_fs.Presence(PathOf("Default?.nbl")));
}

TEST_F(Win32FileSystemTest, ReplaceOverwritesLongerFileExactly)
{
    Plant("Default.nbl", std::string(5000, 'o'));
    const std::vector<uint8_t> fresh = Bytes(std::string("\x01\x00\xFF\xFF", 4) + "CRemindTask");
    EXPECT_EQ(FileError::none, m_fs.WriteReplacing(PathOf("Default.nbl"), fresh));
    EXPECT_EQ(fresh, Contents("Default.nbl"));
    EXPECT_EQ(FileError::none, m_fs.WriteReplacing(PathOf("Default.nbl"), {}));
    EXPECT_TRUE(Contents("Default.nbl").empty());
    EXPECT_EQ(std::vector<std::string>{"Default.nbl"}, FolderEntries(m_folder.Path()));
}

TEST_F(Win32FileSystemTest, LargeFileRoundTrips)
{
    std::vector<uint8_t> big(3 * 1024 * 1024 + 17);
    for (size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<uint8_t>(i * 7 + (i >> 11));
    ASSERT_EQ(FileError::none, m_fs.WriteReplacing(PathOf("big.nbl"), big));
    EXPECT_EQ(big, Contents("big.nbl"));
}

TEST_F(Win32FileSystemTest, PathWithoutFolderUsesCurrentFolder)
{
    char old[MAX_PATH];
    ASSERT_NE(0u, GetCurrentDirectoryA(MAX_PATH, old));
    ASSERT_TRUE(SetCurrentDirectoryA(m_folder.Path().c_str()));
    const FileError err = m_fs.WriteReplacing("plain.nbl", Bytes("abc"));
    SetCurrentDirectoryA(old);
    EXPECT_EQ(FileError::none, err);
    EXPECT_EQ(Bytes("abc"), Contents("plain.nbl"));
    EXPECT_EQ(std::vector<std::string>{"plain.nbl"}, FolderEntries(m_folder.Path()));
}

TEST_F(Win32FileSystemTest, ReplaceKeepsCreationTime)
{
    Plant("Default.nbl", "old");
    SYSTEMTIME st = {1997, 12, 0, 7, 12, 0, 0, 0};
    FILETIME planted;
    ASSERT_TRUE(SystemTimeToFileTime(&st, &planted));
    {
        CScopedHandle file(CreateFileA(PathOf("Default.nbl").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file);
        ASSERT_TRUE(SetFileTime(file.Get(), &planted, nullptr, nullptr));
    }
    WIN32_FILE_ATTRIBUTE_DATA info;
    ASSERT_TRUE(GetFileAttributesExA(PathOf("Default.nbl").c_str(), GetFileExInfoStandard, &info));
    // Wine on Linux accepts the call but has nowhere to keep the time.
    if (CompareFileTime(&info.ftCreationTime, &planted) != 0)
        GTEST_SKIP() << "this file system does not keep creation times";

    ASSERT_EQ(FileError::none, m_fs.WriteReplacing(PathOf("Default.nbl"), Bytes("new")));
    ASSERT_TRUE(GetFileAttributesExA(PathOf("Default.nbl").c_str(), GetFileExInfoStandard, &info));
    EXPECT_EQ(0, CompareFileTime(&planted, &info.ftCreationTime));
    EXPECT_EQ(Bytes("new"), Contents("Default.nbl"));
}

TEST_F(Win32FileSystemTest, DirectoryInTheWayFailsAndLeavesNothing)
{
    ASSERT_TRUE(CreateDirectoryA(PathOf("Default.nbl").c_str(), nullptr));
    EXPECT_EQ(FileError::accessDenied, m_fs.WriteReplacing(PathOf("Default.nbl"), Bytes("data")));
    EXPECT_EQ(std::vector<std::string>{"Default.nbl"}, FolderEntries(m_folder.Path()));
    EXPECT_TRUE(FolderEntries(PathOf("Default.nbl")).empty());
}

TEST_F(Win32FileSystemTest, MissingFolderIsBadPath)
{
    const std::string path = PathOf("nowhere\\Default.nbl");
    EXPECT_EQ(FileError::badPath, m_fs.WriteReplacing(path, Bytes("data")));
    EXPECT_EQ(PathOf("nowhere\\Default.nbl") + " contains an invalid path.",
              FileErrorMessage(FileError::badPath, path));
    EXPECT_TRUE(FolderEntries(m_folder.Path()).empty());

    std::vector<uint8_t> data;
    EXPECT_EQ(FileError::badPath, m_fs.ReadFile(path, data));
}

TEST_F(Win32FileSystemTest, LockedOldFileSurvivesFailedReplace)
{
    Plant("Default.nbl", "precious");
    {
        CScopedHandle lock(CreateFileA(PathOf("Default.nbl").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(lock);
        const FileError err = m_fs.WriteReplacing(PathOf("Default.nbl"), Bytes("new"));
        // Windows and Wine refuse the move; either word for it will do.
        EXPECT_TRUE(err == FileError::accessDenied || err == FileError::sharingViolation)
            << static_cast<int>(err);
    }
    EXPECT_EQ(Bytes("precious"), Contents("Default.nbl"));
    EXPECT_EQ(std::vector<std::string>{"Default.nbl"}, FolderEntries(m_folder.Path()));
}

namespace {

// Windows 95: a MoveFileEx that only says it cannot, or none at all, and
// MoveFile as the test allows it.
BOOL WINAPI NoMoveFileEx(LPCTSTR, LPCTSTR, DWORD)
{
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return FALSE;
}

// Bit n set: the n-th move fails.
unsigned g_nFailingMoves = 0;
BOOL WINAPI ChosenMoveFile(LPCTSTR from, LPCTSTR to)
{
    const bool bFail = g_nFailingMoves & 1;
    g_nFailingMoves >>= 1;
    if (!bFail)
        return MoveFile(from, to);
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

} // namespace

// The old file steps aside, the new one moves in, the old one is deleted.
// Where a move fails the user keeps a copy.
TEST_F(Win32FileSystemTest, Windows95ReplaceNeverLosesBothFiles)
{
    const struct {
        unsigned nFailingMoves;
        FileError result;
        const char* inPlace;
        std::vector<std::string> kept; // every file's data, sorted
    } cases[] = {
        {0, FileError::none, "new", {"new"}},
        {1, FileError::accessDenied, "precious", {"precious"}},
        // The new one cannot move in: the old one goes back.
        {2, FileError::accessDenied, "precious", {"precious"}},
        // Nor can the old one go back: both stay, under other names.
        {6, FileError::accessDenied, nullptr, {"new", "precious"}},
    };
    Win32FileCalls win95Calls;
    {
        CHiddenSystemNames hidden({"MoveFileExA", "MoveFileExW"});
        win95Calls = Win32FileCalls::System();
    }
    EXPECT_EQ(nullptr, win95Calls.moveFileEx);
    win95Calls.moveFile = ChosenMoveFile;
    for (const auto moveFileEx : {win95Calls.moveFileEx, &NoMoveFileEx}) {
        SCOPED_TRACE(moveFileEx ? "MoveFileEx says it cannot" : "no MoveFileEx");
        for (const auto& c : cases) {
            SCOPED_TRACE(c.nFailingMoves);
            Win32FileCalls calls = win95Calls;
            calls.moveFileEx = moveFileEx;
            CWin32FileSystem win95(calls);
            for (const std::string& name : FolderEntries(m_folder.Path()))
                DeleteFileA(PathOf(name).c_str());
            Plant("Default.nbl", "precious");
            g_nFailingMoves = c.nFailingMoves;
            EXPECT_EQ(c.result, win95.WriteReplacing(PathOf("Default.nbl"), Bytes("new")));
            std::vector<std::string> kept;
            for (const std::string& name : FolderEntries(m_folder.Path())) {
                const std::vector<uint8_t> data = Contents(name);
                kept.emplace_back(data.begin(), data.end());
            }
            std::sort(kept.begin(), kept.end());
            EXPECT_EQ(c.kept, kept);
            if (c.inPlace) {
                EXPECT_EQ(Bytes(c.inPlace), Contents("Default.nbl"));
                EXPECT_TRUE(win95.LastStranded().strNew.empty());
            } else {
                // The user is told where each copy is.
                const auto stranded = win95.LastStranded();
                std::vector<uint8_t> data;
                EXPECT_EQ(FileError::none, m_fs.ReadFile(stranded.strNew, data));
                EXPECT_EQ(Bytes("new"), data);
                EXPECT_EQ(FileError::none, m_fs.ReadFile(stranded.strOld, data));
                EXPECT_EQ(Bytes("precious"), data);
            }
        }
    }
}

TEST_F(Win32FileSystemTest, ReadErrorsNameTheirCause)
{
    std::vector<uint8_t> data = Bytes("untouched");
    const std::string missing = PathOf("Missing.nbl");
    EXPECT_EQ(FileError::fileNotFound, m_fs.ReadFile(missing, data));
    EXPECT_EQ(missing + " was not found.", FileErrorMessage(FileError::fileNotFound, missing));

    EXPECT_EQ(FileError::accessDenied, m_fs.ReadFile(m_folder.Path(), data));
    EXPECT_EQ("Access to " + m_folder.Path() + " was denied.", FileErrorMessage(FileError::accessDenied, m_folder.Path()));

    Plant("Locked.nbl", "x");
    CScopedHandle lock(CreateFileA(PathOf("Locked.nbl").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(lock);
    EXPECT_EQ(FileError::sharingViolation, m_fs.ReadFile(PathOf("Locked.nbl"), data));
}

TEST_F(Win32FileSystemTest, ReaderSharesWithOtherReaders)
{
    Plant("Default.nbl", "shared");
    CScopedHandle other(CreateFileA(PathOf("Default.nbl").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(other);
    EXPECT_EQ(Bytes("shared"), Contents("Default.nbl"));
}

TEST_F(Win32FileSystemTest, RenameMovesButNeverOverwrites)
{
    Plant("Default.nbl", "unreadable");
    Plant("Taken.nbl", "keep me");
    EXPECT_FALSE(m_fs.RenameFile(PathOf("Default.nbl"), PathOf("Taken.nbl")));
    EXPECT_EQ(Bytes("keep me"), Contents("Taken.nbl"));
    EXPECT_TRUE(m_fs.RenameFile(PathOf("Default.nbl"), PathOf("Default.nbl.unreadable")));
    EXPECT_EQ(Bytes("unreadable"), Contents("Default.nbl.unreadable"));
    EXPECT_FALSE(m_fs.RenameFile(PathOf("Default.nbl"), PathOf("Again.nbl")));
    EXPECT_EQ((std::vector<std::string>{"Default.nbl.unreadable", "Taken.nbl"}), FolderEntries(m_folder.Path()));
}

TEST(Win32FileErrorTest, CodesMapToCauses)
{
    EXPECT_EQ(FileError::badPath, FileErrorFromWin32(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(FileError::badPath, FileErrorFromWin32(ERROR_INVALID_NAME));
    EXPECT_EQ(FileError::tooManyOpenFiles, FileErrorFromWin32(ERROR_TOO_MANY_OPEN_FILES));
    EXPECT_EQ(FileError::accessDenied, FileErrorFromWin32(ERROR_WRITE_PROTECT));
    EXPECT_EQ(FileError::lockViolation, FileErrorFromWin32(ERROR_LOCK_VIOLATION));
    EXPECT_EQ(FileError::diskFull, FileErrorFromWin32(ERROR_HANDLE_DISK_FULL));
    EXPECT_EQ(FileError::diskFull, FileErrorFromWin32(ERROR_DISK_FULL));
    EXPECT_EQ(FileError::endOfFile, FileErrorFromWin32(ERROR_HANDLE_EOF));
    EXPECT_EQ(FileError::hardIO, FileErrorFromWin32(ERROR_CRC));
    EXPECT_EQ(FileError::generic, FileErrorFromWin32(ERROR_NOT_ENOUGH_MEMORY));
}

} // namespace
