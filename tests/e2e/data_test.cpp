// What reaches the disk: the data file written at Exit, the task list read
// from it, and the backup copy.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <iterator>
#include <memory>

#include "driver.h"
#include "nbl_bytes.h"
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

    // A new Note named name, as the user adds one; the message its save
    // brings, if any, answered with OK.
    std::optional<std::string> AddNote(const CProcess& p, HWND frame, const std::string& name)
    {
        if (!PostCommand(frame, netbell::cmd::kNewNote)) {
            ADD_FAILURE() << "no command";
            return std::nullopt;
        }
        HWND dlg = WaitForVisibleWindow(p, "#32770", "Note Task");
        if (!dlg || !SetControlText(GetDlgItem(dlg, kTaskName), name) || !PressButton(dlg, IDOK) ||
            !WaitForClose(dlg)) {
            ADD_FAILURE() << "no Note added; " << Describe(p);
            return std::nullopt;
        }
        return AnswerIfAsked(p, IDOK, 1500);
    }

    // The text of a message box that shows up within ms, answered.
    std::optional<std::string> AnswerIfAsked(const CProcess& p, int button, DWORD ms = kWaitMs)
    {
        auto box = WaitForMessageBox(p, nullptr, ms);
        if (!box)
            return std::nullopt;
        EXPECT_TRUE(PressButton(box->hwnd, button));
        EXPECT_TRUE(WaitForClose(box->hwnd));
        return box->text;
    }

    // A fresh start shows every task named, in any order, and Exit writes
    // them all.
    void ExpectEveryTaskAfterRestart(const std::vector<std::string>& names)
    {
        CProcess& p = Start();
        HWND frame = WaitForFrame(p);
        ASSERT_TRUE(frame) << Describe(p);
        ASSERT_TRUE(NoDialogFor(p, 500)) << Describe(p);
        HWND list = FindChild(frame, kListClass);
        ASSERT_TRUE(list);
        std::vector<std::string> shown;
        EXPECT_TRUE(WaitUntil([&] {
            shown.clear();
            for (const auto& row : ReadListView(p.Handle(), list).value_or(Rows{}))
                shown.push_back(row.at(2));
            std::sort(shown.begin(), shown.end());
            return shown == names;
        }, 5000)) << ::testing::PrintToString(shown);
        ASSERT_TRUE(PostCommand(frame, kCmdExit));
        ASSERT_TRUE(p.WaitForExit(kWaitMs)) << Describe(p);
    }

    // Fills the disk under folder with one file; false when it would not
    // fill.
    bool FillDisk(const std::string& folder)
    {
        const std::string filler = JoinPath(folder, "filler");
        HANDLE h = CreateFileA(filler.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                               nullptr);
        if (h == INVALID_HANDLE_VALUE)
            return false;
        const std::vector<char> block(4096, 'f');
        DWORD written = 0;
        for (DWORD size : {4096u, 1u}) {
            while (WriteFile(h, block.data(), size, &written, nullptr) && written == size) {
            }
        }
        const DWORD dwError = GetLastError();
        CloseHandle(h);
        return dwError == ERROR_DISK_FULL || dwError == ERROR_HANDLE_DISK_FULL;
    }
    bool FreeDisk(const std::string& folder) { return DeleteFileA(JoinPath(folder, "filler").c_str()) != FALSE; }

    using Rows = std::vector<std::vector<std::string>>;
    static constexpr int kTaskName = 1016;
};

// A Unix command run beside Wine, as another program of the machine acts on
// the disk; true once it has started. (Wine does not hand back its exit
// code: look at what it did.)
bool StartUnix(const std::string& commandLine)
{
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

// The Unix path Wine keeps an existing file or folder under.
std::string UnixPath(const std::string& path)
{
    using UnixNameFn = char*(CDECL*)(const WCHAR*);
    const auto unixName = reinterpret_cast<UnixNameFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    std::wstring wide(path.begin(), path.end());
    char* name = unixName ? unixName(wide.c_str()) : nullptr;
    if (!name)
        return std::string();
    std::string unix(name);
    HeapFree(GetProcessHeap(), 0, name);
    return unix;
}

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


// The disk and the file system fail under the running program; each change
// meanwhile is refused with the cause and kept in memory, the data file stays
// as it was, no temporary file is left, and once the fault is mended the next
// change writes every task. A fresh start then shows them all.
TEST_F(DataFile, FaultsOfTheFileSystemWhileRunningLoseNoTask)
{
    const std::string folder = m_strFolder;
    const std::string unixFolder = "\"" + UnixPath(folder) + "\"";
    const std::string unixMoved = "\"" + UnixPath(folder) + "-moved\"";
    const auto gone = [&] { return !FolderExists(folder); };
    const auto back = [&] { return FileExists(DataPath()); };
    const struct Fault {
        const char* name;
        std::function<bool()> apply, mend;
        std::string message; // the refusal, empty when the change goes through
        bool bFileGone = false;
    } faults[] = {
        {"the data file made read-only",
         [&] { return SetFileAttributesA(DataPath().c_str(), FILE_ATTRIBUTE_READONLY) != FALSE; },
         [&] { return SetFileAttributesA(DataPath().c_str(), FILE_ATTRIBUTE_NORMAL) != FALSE; },
         "Access to " + DataPath() + " was denied."},
        // Windows keeps the folder of a running program in place, but a
        // network share or a removable disk goes away all the same: the
        // folder goes behind Wine's back.
        {"the program folder renamed",
         [&] { return StartUnix("/bin/mv " + unixFolder + " " + unixMoved) && WaitUntil(gone); },
         [&] { return StartUnix("/bin/mv " + unixMoved + " " + unixFolder) && WaitUntil(back); },
         DataPath() + " contains an invalid path."},
        {"the program folder removed", [&] { return StartUnix("/bin/rm -r " + unixFolder) && WaitUntil(gone); },
         [&] {
             return CreateDirectoryA(folder.c_str(), nullptr) &&
                    CopyFileA(EnvVar("NETBELL_EXE").c_str(), m_strExe.c_str(), FALSE);
         },
         DataPath() + " contains an invalid path.", true},
        {"the data file deleted by another program", [&] { return DeleteFileA(DataPath().c_str()) != FALSE; },
         [] { return true; }, ""},
    };
    for (const Fault& fault : faults) {
        SCOPED_TRACE(fault.name);
        ASSERT_TRUE(WriteFileBytes(DataPath(), OneNoteDataFile()));
        CProcess* p = nullptr;
        HWND frame = StartReturningUser(p);
        ASSERT_TRUE(frame);
        ASSERT_EQ(std::nullopt, AddNote(*p, frame, "Before"));
        const auto before = ReadFileBytes(DataPath());

        ASSERT_TRUE(fault.apply()) << GetLastError();
        const auto refused = AddNote(*p, frame, "During");
        EXPECT_EQ(fault.message, refused.value_or(""));
        ASSERT_TRUE(fault.mend()) << GetLastError();
        // What the refused change found stays as it was.
        if (!fault.message.empty()) {
            EXPECT_EQ(fault.bFileGone ? std::nullopt : before, ReadFileBytes(DataPath()));
        }
        EXPECT_EQ(std::nullopt, AddNote(*p, frame, "After"));
        EXPECT_TRUE(p->IsRunning());
        for (const auto& name : ListFolder(m_strFolder))
            EXPECT_TRUE(name == "Default.nbl" || name == "netbell.exe") << name;
        ASSERT_TRUE(PostCommand(frame, kCmdExit));
        ASSERT_TRUE(p->WaitForExit(kWaitMs)) << Describe(*p);
        ExpectEveryTaskAfterRestart({"After", "Before", "Call", "During"});
    }
    std::printf("file system faults: %zu, each ending with every task shown\n", std::size(faults));
}

// The program folder on a small disk that fills for real: a change is
// refused, Exit asks before it throws anything away and No keeps the
// program; with room again Exit writes it all. Windows shutting down with
// the disk full keeps a copy, which the next start takes back.
TEST_F(DataFile, AFullDiskLosesNoTaskAtAChangeAtExitOrAtShutdown)
{
    const std::string disk = EnvVar("NETBELL_E2E_SMALL_DISK");
    if (disk.empty())
        GTEST_SKIP() << "no small disk: " << EnvVar("NETBELL_E2E_SMALL_DISK_WHY");
    ASSERT_TRUE(MoveCaseTo(disk));
    ASSERT_TRUE(WriteFileBytes(DataPath(), OneNoteDataFile()));
    CProcess* p = nullptr;
    HWND frame = StartReturningUser(p);
    ASSERT_TRUE(frame);
    const std::string full = "Disk full while accessing " + DataPath() + ".";

    // A change on a full disk: refused, the file as it was, no temporary.
    ASSERT_TRUE(FillDisk(m_strFolder));
    EXPECT_EQ(full, AddNote(*p, frame, "Second").value_or(""));
    EXPECT_EQ(OneNoteDataFile(), ReadFileBytes(DataPath()).value_or(Bytes{}));
    EXPECT_EQ((std::vector<std::string>{"Default.nbl", "filler", "netbell.exe"}), ListFolder(m_strFolder));
    ASSERT_TRUE(FreeDisk(m_strFolder));
    EXPECT_EQ(std::nullopt, AddNote(*p, frame, "Third"));

    // Exit on a full disk: the cause, then the question; No keeps it all.
    ASSERT_TRUE(FillDisk(m_strFolder));
    const auto written = ReadFileBytes(DataPath());
    ASSERT_TRUE(PostCommand(frame, kCmdExit));
    EXPECT_EQ(full, AnswerIfAsked(*p, IDOK).value_or(""));
    auto box = ExpectMessageBox(*p, "Netbell");
    ASSERT_TRUE(box);
    EXPECT_EQ("Your tasks could not be saved, so the changes made since they were last saved would be lost.\n\n"
              "Exit anyway and lose those changes?",
              box->text);
    EXPECT_EQ("exclamation", MessageBoxIcon(box->hwnd));
    ASSERT_TRUE(PressButton(box->hwnd, IDNO));
    ASSERT_TRUE(WaitForClose(box->hwnd));
    EXPECT_FALSE(p->WaitForExit(1000)) << "No ended the program";
    EXPECT_EQ(written, ReadFileBytes(DataPath()));

    // With room again, Exit writes everything.
    ASSERT_TRUE(FreeDisk(m_strFolder));
    ASSERT_TRUE(PostCommand(frame, kCmdExit));
    ASSERT_TRUE(p->WaitForExit(kWaitMs)) << Describe(*p);
    auto doc = ReadNblFile(DataPath());
    ASSERT_TRUE(doc);
    ASSERT_EQ(3u, doc->tasks.size());

    // Windows shuts down with the disk full and a task just ticked done,
    // which only Exit would write: a copy is kept where there is room.
    p = &Start();
    frame = WaitForFrame(*p);
    ASSERT_TRUE(frame);
    ASSERT_TRUE(ShowByTray(frame));
    HWND list = FindChild(frame, kListClass);
    ASSERT_TRUE(WaitUntil([&] { return ListView_GetItemCount(list) == 3; }));
    ASSERT_TRUE(FillDisk(m_strFolder));
    ASSERT_TRUE(ClickListViewStateIcon(p->Handle(), list, 0));
    ASSERT_TRUE(WaitUntil([&] { return ListViewCheckState(list, 0) == 2; }, 5000));
    ASSERT_TRUE(Send(frame, WM_QUERYENDSESSION, 0, 0));
    ASSERT_TRUE(Send(frame, WM_ENDSESSION, TRUE, 0));
    EXPECT_TRUE(NoDialogFor(*p, 500)) << "a shutdown cannot wait for an answer";
    p->Kill();
    const auto copy = ReadSetting("Unsaved Copy");
    ASSERT_TRUE(copy && !copy->empty());
    EXPECT_EQ(TempFolder(), FolderOf(*copy)) << "the disk beside the data file is full";

    // The next start, with room again, takes the copy back and saves it.
    ASSERT_TRUE(FreeDisk(m_strFolder));
    p = &Start();
    box = ExpectMessageBox(*p, "Netbell");
    ASSERT_TRUE(box);
    EXPECT_EQ("Windows shut down before Netbell could save your tasks, so they were kept in:\n" + *copy +
                  "\nThey are back in your task list and saved.",
              box->text);
    ASSERT_TRUE(PressButton(box->hwnd, IDOK));
    ASSERT_TRUE(WaitForClose(box->hwnd));
    EXPECT_FALSE(FileExists(*copy));
    doc = ReadNblFile(DataPath());
    ASSERT_TRUE(doc);
    ASSERT_EQ(3u, doc->tasks.size());
    EXPECT_EQ(1, std::count_if(doc->tasks.begin(), doc->tasks.end(),
                               [](const NblTask& t) { return t.status == nbl::done; }));
    frame = WaitForFrame(*p);
    ASSERT_TRUE(frame);
    ASSERT_TRUE(PostCommand(frame, kCmdExit));
    ASSERT_TRUE(p->WaitForExit(kWaitMs)) << Describe(*p);
    ExpectEveryTaskAfterRestart({"Call", "Second", "Third"});
}

// Started from a folder named outside the code page, the 64-bit program
// reads the data file beside it, and writes it there.
TEST_F(DataFile, AProgramInAFolderNamedOutsideTheCodePageKeepsItsDataFile)
{
    if (sizeof(void*) != 8)
        GTEST_SKIP() << "the 32-bit program is a single-byte program";
    const std::string parent = JoinPath(CaseRoot(), u8"Задачи-東京");
    CreateDirectoryW(Wide(parent).c_str(), nullptr);  // an earlier case may have made it
    ASSERT_TRUE(FolderExists(parent));
    ASSERT_TRUE(MoveCaseTo(parent));

    CProcess* p = nullptr;
    HWND frame = StartReturningUser(p);
    ASSERT_TRUE(frame);
    ASSERT_TRUE(PostCommand(frame, kCmdExit));
    ASSERT_TRUE(p->WaitForExit(kWaitMs)) << Describe(*p);
    EXPECT_EQ(EmptyDataFile(), ReadFileBytes(DataPath()).value_or(Bytes{1, 2, 3})) << "nothing written";

    ASSERT_TRUE(WriteFileBytes(DataPath(), OneNoteDataFile()));
    frame = StartReturningUser(p);
    ASSERT_TRUE(frame);
    ASSERT_TRUE(ShowByTray(frame));
    HWND list = FindChild(frame, kListClass);
    ASSERT_TRUE(list);
    std::vector<std::vector<std::string>> rows;
    EXPECT_TRUE(WaitUntil([&] { return (rows = ReadListView(p->Handle(), list).value_or(rows)).size() == 1; }, 5000))
        << Describe(*p);
    EXPECT_TRUE(NoDialogFor(*p, 500)) << Describe(*p);
    ASSERT_TRUE(PostCommand(frame, kCmdExit));
    ASSERT_TRUE(p->WaitForExit(kWaitMs)) << Describe(*p);
    EXPECT_EQ(OneNoteDataFile(), ReadFileBytes(DataPath()).value_or(Bytes{}));
}

}  // namespace
}  // namespace e2e
