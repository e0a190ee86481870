// What reaches the disk: the data file written at Exit, the task list read
// from it, and the backup copy.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>

#include "driver.h"
#include "netbell_case.h"

namespace e2e {
namespace {

using namespace netbell;

using Bytes = std::vector<uint8_t>;

class DataFile : public NetbellCase {
protected:
    HWND StartReturningUser(CProcess*& proc)
    {
        PresetReturningUser();
        proc = &Start();
        HWND frame = WaitForFrame(*proc);
        if (!frame)
            ADD_FAILURE() << "no main frame; " << Describe(*proc);
        return frame;
    }

    // Backs up and answers the boxes on the way; the last box's text and
    // caption, so the caller can tell success from failure.
    std::optional<CMessageBox> RunBackup(const CProcess& p, HWND frame)
    {
        if (!PostCommand(frame, kCmdBackup))
            return std::nullopt;
        // A failed save reports its own file error first; the backup's
        // verdict comes last.
        for (int i = 0; i < 3; ++i) {
            auto box = WaitForMessageBox(p, nullptr);
            if (!box)
                break;
            // Whether an empty list may replace the backup: yes.
            if (box->caption == "Question")
                m_strAsked = box->text;
            PressButton(box->hwnd, box->caption == "Question" ? IDYES : IDOK);
            WaitForClose(box->hwnd);
            if (box->caption == "Success" || box->caption == "Sorry, Failed")
                return box;
        }
        ADD_FAILURE() << "no backup verdict; " << Describe(p);
        return std::nullopt;
    }
    std::string m_strAsked; // the question a backup asked, if any
};

TEST_F(DataFile, ExitWritesTheEmptyDocumentAndRemovesTheIcon)
{
    CProcess* p = nullptr;
    HWND frame = StartReturningUser(p);
    ASSERT_TRUE(frame);
    ASSERT_TRUE(WaitUntil([&] { return TrayIconCount() == m_nTrayBase + 1; })) << TrayIconCount();
    EXPECT_FALSE(FileExists(DataPath())) << "a first run writes the file at Exit, not before";

    ASSERT_TRUE(PostCommand(frame, kCmdExit));
    ASSERT_TRUE(p->WaitForExit(kWaitMs)) << Describe(*p);
    EXPECT_EQ(EmptyDataFile(), ReadFileBytes(DataPath()).value_or(Bytes{1, 2, 3}));
    EXPECT_TRUE(WaitUntil([&] { return TrayIconCount() == m_nTrayBase; }, 3000))
        << "the icon outlived the program: " << TrayIconCount();
    // The safe replace leaves no temporary file behind.
    EXPECT_EQ((std::vector<std::string>{"Default.nbl", "netbell.exe"}), ListFolder(m_strFolder));
}

TEST_F(DataFile, TasksReadAtStartAreListedAndWrittenBackAtExit)
{
    ASSERT_TRUE(WriteFileBytes(DataPath(), OneNoteDataFile()));
    CProcess* p = nullptr;
    HWND frame = StartReturningUser(p);
    ASSERT_TRUE(frame);
    ASSERT_TRUE(ShowByTray(frame));
    Sleep(300);  // let it paint
    Screenshot("main_window");
    HWND list = FindChild(frame, kListClass);
    ASSERT_TRUE(list);
    const auto columns = ReadListViewColumns(p->Handle(), list);
    ASSERT_TRUE(columns);
    ASSERT_EQ(9u, columns->size());
    EXPECT_EQ("Type                   ", (*columns)[0]);
    EXPECT_EQ("Date Added   ", (*columns)[8]);
    const auto rows = ReadListView(p->Handle(), list);
    ASSERT_TRUE(rows);
    const std::vector<std::vector<std::string>> expected = {
        {"Note", "Medium", "Call", "", "", "", "", "", "07 Dec 1997"}};
    EXPECT_EQ(expected, *rows);
    EXPECT_EQ(1, ListViewCheckState(list, 0)) << "an open task is not ticked";

    ASSERT_TRUE(PostCommand(frame, kCmdExit));
    ASSERT_TRUE(p->WaitForExit(kWaitMs)) << Describe(*p);
    EXPECT_EQ(OneNoteDataFile(), ReadFileBytes(DataPath()).value_or(Bytes{}));
}

// Another program holds the data file while Netbell starts and shares it
// with nobody: the file is busy, not unreadable. It is never moved aside or
// saved over, the user is told once, a change waits, and the tasks come in
// as soon as it is free. (A byte-range lock is the same to the program, but
// Wine's locks do not stop a read, so only the native tests show that one.)
TEST_F(DataFile, AFileHeldAtStartIsLoadedWhenFreeAndNeverMovedAside)
{
    ASSERT_TRUE(WriteFileBytes(DataPath(), OneNoteDataFile()));
    struct Closer {
        void operator()(HANDLE h) const { CloseHandle(h); }
    };
    std::unique_ptr<void, Closer> held(CreateFileA(DataPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_NE(INVALID_HANDLE_VALUE, held.get());
    CProcess* p = nullptr;
    HWND frame = StartReturningUser(p);
    ASSERT_TRUE(frame);
    auto box = ExpectMessageBox(*p, "Netbell");
    ASSERT_TRUE(box);
    EXPECT_EQ("The data file is in use by another program:\n" + DataPath() +
                  "\nNetbell loads it as soon as it is free. Until then no task can be changed.",
              box->text);
    ASSERT_TRUE(PressButton(box->hwnd, IDOK));
    ASSERT_TRUE(WaitForClose(box->hwnd));
    // A new task waits, and says why.
    ASSERT_TRUE(PostCommand(frame, netbell::cmd::kNewNote));
    box = ExpectMessageBox(*p, "Netbell");
    ASSERT_TRUE(box);
    EXPECT_EQ("The data file is still in use by another program:\n" + DataPath() +
                  "\nNetbell loads it as soon as it is free; until then no task can be changed.",
              box->text);
    ASSERT_TRUE(PressButton(box->hwnd, IDOK));
    ASSERT_TRUE(WaitForClose(box->hwnd));
    HWND list = FindChild(frame, kListClass);
    ASSERT_TRUE(list);
    EXPECT_EQ(0, ListView_GetItemCount(list));
    EXPECT_EQ((std::vector<std::string>{"Default.nbl", "netbell.exe"}), ListFolder(m_strFolder));

    // The other program lets go: the task shows without a word.
    held.reset();
    EXPECT_TRUE(WaitUntil([&] { return ListView_GetItemCount(list) == 1; })) << Describe(*p);
    EXPECT_TRUE(NoDialogFor(*p, 500)) << Describe(*p);
    ASSERT_TRUE(PostCommand(frame, kCmdExit));
    ASSERT_TRUE(p->WaitForExit(kWaitMs)) << Describe(*p);
    EXPECT_EQ(OneNoteDataFile(), ReadFileBytes(DataPath()).value_or(Bytes{}));
    EXPECT_EQ((std::vector<std::string>{"Default.nbl", "netbell.exe"}), ListFolder(m_strFolder));
}

TEST_F(DataFile, ExitSavesWithoutWaitingForAMonitorHeldInADialUpCall)
{
    ASSERT_TRUE(UseDialUpStandIn());
    ASSERT_TRUE(SetDialUp("hold\n"));
    CProcess* p = nullptr;
    HWND frame = StartReturningUser(p);
    ASSERT_TRUE(frame);
    // The monitor's first look comes ten seconds after start.
    ASSERT_TRUE(WaitForHeldDialUpCall(20000)) << Describe(*p);

    ASSERT_TRUE(PostCommand(frame, kCmdExit));
    EXPECT_TRUE(WaitUntil([&] { return FileExists(DataPath()); }, 5000)) << "Exit waited for the monitor to save";
    ASSERT_TRUE(SetDialUp(""));
    ASSERT_TRUE(p->WaitForExit(kWaitMs)) << Describe(*p);
    EXPECT_EQ(EmptyDataFile(), ReadFileBytes(DataPath()).value_or(Bytes{1, 2, 3}));
}

TEST_F(DataFile, BackupToTheChosenFolderCopiesTheDataFile)
{
    ASSERT_TRUE(WriteFileBytes(DataPath(), OneNoteDataFile()));
    const std::string backupDir = JoinPath(m_strFolder, "backups");
    ASSERT_TRUE(CreateDirectoryA(backupDir.c_str(), nullptr));
    WriteSetting("Backup Path", backupDir);
    CProcess* p = nullptr;
    HWND frame = StartReturningUser(p);
    ASSERT_TRUE(frame);

    const auto verdict = RunBackup(*p, frame);
    ASSERT_TRUE(verdict);
    const std::string backup = JoinPath(backupDir, "NetbellData.bak");
    EXPECT_EQ("Success", verdict->caption);
    EXPECT_EQ("Your Data was backed up to:\n" + backup, verdict->text);
    EXPECT_EQ(OneNoteDataFile(), ReadFileBytes(backup).value_or(Bytes{}));
    EXPECT_FALSE(IsVisible(frame)) << "Backup works with the window hidden and leaves it so";

    // Backup keeps the document's own path: Exit still writes the data file.
    ASSERT_TRUE(PostCommand(frame, kCmdExit));
    ASSERT_TRUE(p->WaitForExit(kWaitMs)) << Describe(*p);
    const auto data = ReadFileBytes(DataPath());
    ASSERT_TRUE(data);
    EXPECT_EQ(*data, ReadFileBytes(backup).value_or(Bytes{})) << "backup and data file differ";
}

TEST_F(DataFile, BackupUnderItsSettingNameReplacesTheEarlierCopy)
{
    const std::string backupDir = JoinPath(m_strFolder, "backups");
    ASSERT_TRUE(CreateDirectoryA(backupDir.c_str(), nullptr));
    const std::string backup = JoinPath(backupDir, "mine.bak");
    ASSERT_TRUE(WriteFileBytes(backup, Bytes(100, 0xAB)));
    WriteSetting("Backup Path", backupDir);
    WriteSetting("Backup Filename", "mine.bak");
    CProcess* p = nullptr;
    HWND frame = StartReturningUser(p);
    ASSERT_TRUE(frame);

    const auto verdict = RunBackup(*p, frame);
    ASSERT_TRUE(verdict);
    // The earlier copy is no task list this program can read, so it may be
    // someone's only copy: the empty list goes over it only after a yes.
    EXPECT_EQ("The task list is empty. Replace the backup at:\n" + backup + "\nwith an empty task list?", m_strAsked);
    EXPECT_EQ("Success", verdict->caption);
    EXPECT_EQ("Your Data was backed up to:\n" + backup, verdict->text);
    EXPECT_EQ(EmptyDataFile(), ReadFileBytes(backup).value_or(Bytes{}));
    EXPECT_EQ((std::vector<std::string>{"mine.bak"}), ListFolder(backupDir));
}

TEST_F(DataFile, BackupToAMissingFolderFailsAndChangesNothing)
{
    const std::string missing = JoinPath(m_strFolder, "missing");
    WriteSetting("Backup Path", missing);
    CProcess* p = nullptr;
    HWND frame = StartReturningUser(p);
    ASSERT_TRUE(frame);

    const auto verdict = RunBackup(*p, frame);
    ASSERT_TRUE(verdict);
    EXPECT_EQ("Sorry, Failed", verdict->caption);
    EXPECT_EQ("There has been an error backing up your data to:\n" + JoinPath(missing, "NetbellData.bak"),
              verdict->text);
    EXPECT_FALSE(FolderExists(missing));
    EXPECT_TRUE(p->IsRunning());
    EXPECT_FALSE(FileExists(DataPath())) << "a failed backup writes no data file either";
}

}  // namespace
}  // namespace e2e
