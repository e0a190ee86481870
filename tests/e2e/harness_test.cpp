// The driver itself, against a small target program of known contents, so a
// fault in the driver is not mistaken for one in Netbell.
#include <gtest/gtest.h>

#include "driver.h"
#include "netbell_case.h"

namespace e2e {
namespace {

constexpr const char* kTargetClass = "E2eTargetFrame";

class HarnessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_watchdog = std::make_unique<CWatchdog>(60000, "HarnessTest");
        m_strTarget = JoinPath(ModuleFolder(), "netbell_e2e_target.exe");
        ASSERT_TRUE(FileExists(m_strTarget)) << m_strTarget;
        ASSERT_TRUE(SetUnmanagedWindows("netbell_e2e_target.exe", true));
    }
    void TearDown() override
    {
        m_target.Kill();
        m_watchdog.reset();
        SetUnmanagedWindows("netbell_e2e_target.exe", false);
    }

    HWND StartTarget(const std::string& args = "")
    {
        m_target = CProcess::Start(m_strTarget, args, ModuleFolder());
        if (!m_target)
            return nullptr;
        return WaitForVisibleWindow(m_target.Id(), kTargetClass);
    }

    std::string m_strTarget;
    CProcess m_target;
    std::unique_ptr<CWatchdog> m_watchdog;
};

TEST_F(HarnessTest, FindsOnlyTheTargetsWindowsByClassAndCaption)
{
    HWND frame = StartTarget();
    ASSERT_TRUE(frame);
    EXPECT_EQ("E2E Target", WindowText(frame));
    EXPECT_EQ(frame, FindTopWindow(m_target.Id(), kTargetClass, "E2E Target"));
    EXPECT_EQ(nullptr, FindTopWindow(m_target.Id(), kTargetClass, "Other"));
    EXPECT_EQ(nullptr, FindTopWindow(GetCurrentProcessId(), kTargetClass));
    EXPECT_TRUE(FindChild(frame, "SysListView32", 1));
    EXPECT_EQ(nullptr, FindChild(frame, "SysListView32", 2));
}

TEST_F(HarnessTest, ReadsAListViewOfAnotherProcess)
{
    HWND frame = StartTarget();
    ASSERT_TRUE(frame);
    HWND list = FindChild(frame, "SysListView32");
    ASSERT_TRUE(list);
    EXPECT_EQ(3, ListViewColumnCount(list));
    const auto cols = ReadListViewColumns(m_target.Handle(), list);
    ASSERT_TRUE(cols);
    EXPECT_EQ((std::vector<std::string>{"Name", "Kind", "Note"}), *cols);
    const auto rows = ReadListView(m_target.Handle(), list);
    ASSERT_TRUE(rows);
    const std::vector<std::vector<std::string>> expected = {{"Alpha", "Note", ""},
                                                            {"Beta", "Browse", "http://example.com/"}};
    EXPECT_EQ(expected, *rows);
    EXPECT_EQ(1, ListViewCheckState(list, 0));
    EXPECT_EQ(2, ListViewCheckState(list, 1));
}

TEST_F(HarnessTest, ReadsAndAnswersAMessageBox)
{
    HWND frame = StartTarget();
    ASSERT_TRUE(frame);
    for (int answer : {IDNO, IDYES}) {
        ASSERT_TRUE(PostCommand(frame, 110));
        const auto box = WaitForMessageBox(m_target.Id(), "Target Question");
        ASSERT_TRUE(box);
        EXPECT_EQ("First line\nSecond line", box->text);
        ASSERT_TRUE(PressButton(box->hwnd, answer));
        EXPECT_TRUE(WaitForClose(box->hwnd));
        EXPECT_TRUE(WaitUntil([&] { return WindowText(frame) == "answer " + std::to_string(answer); }))
            << WindowText(frame);
    }
}

TEST_F(HarnessTest, ReadsTheMenuBarOfAnotherProcess)
{
    HWND frame = StartTarget();
    ASSERT_TRUE(frame);
    // Twice: the second read finds the probe already loaded.
    for (int pass = 0; pass < 2; ++pass) {
        const auto bar = ReadMenuBar(m_target.Handle(), frame);
        ASSERT_TRUE(bar);
        ASSERT_EQ((std::vector<std::string>{"&File", "&View"}), Texts(*bar));
        const auto& file = (*bar)[0].sub;
        EXPECT_EQ((std::vector<std::string>{"&Open\tCtrl+O", "", "E&xit"}), Texts(file));
        ASSERT_EQ(3u, file.size());
        EXPECT_EQ(101u, file[0].id);
        EXPECT_TRUE(file[1].separator);
        EXPECT_EQ(102u, file[2].id);
        const auto& view = (*bar)[1].sub;
        ASSERT_EQ(2u, view.size());
        EXPECT_TRUE(view[0].checked);
        ASSERT_EQ(1u, view[1].sub.size());
        EXPECT_EQ("&Deeper", view[1].sub[0].text);
        EXPECT_TRUE(view[1].sub[0].grayed);
    }
}

TEST_F(HarnessTest, ReadsAnOpenPopupMenuAndDismissesIt)
{
    HWND frame = StartTarget();
    ASSERT_TRUE(frame);
    ASSERT_TRUE(Post(frame, WM_APP + 1, 1, WM_RBUTTONUP));
    HWND popup = WaitForVisibleWindow(m_target.Id(), "#32768");
    ASSERT_TRUE(popup);
    const auto items = ReadPopupMenu(m_target.Handle(), popup);
    ASSERT_TRUE(items);
    EXPECT_EQ((std::vector<std::string>{"&Show", "", "&Quit"}), Texts(*items));
    ASSERT_EQ(3u, items->size());
    EXPECT_TRUE((*items)[0].isDefault);
    EXPECT_FALSE((*items)[2].isDefault);
    ASSERT_TRUE(Post(popup, WM_KEYDOWN, VK_ESCAPE, 0));
    EXPECT_TRUE(WaitUntil([&] { return WindowText(frame) == "popup 0"; })) << WindowText(frame);
}

TEST_F(HarnessTest, CountsNotificationAreaIcons)
{
    const int base = TrayIconCount();
    ASSERT_GE(base, 0) << "not running under Wine";
    HWND frame = StartTarget("/tray");
    ASSERT_TRUE(frame);
    EXPECT_TRUE(WaitUntil([&] { return TrayIconCount() == base + 1; })) << TrayIconCount();
    ASSERT_TRUE(Post(frame, WM_CLOSE, 0, 0));
    EXPECT_TRUE(m_target.WaitForExit(kWaitMs));
    EXPECT_TRUE(WaitUntil([&] { return TrayIconCount() == base; })) << TrayIconCount();
}

TEST_F(HarnessTest, ProcessEndsWithItsOwnerAndReportsItsExitCode)
{
    DWORD pid = 0;
    {
        CProcess p = CProcess::Start(m_strTarget, "", ModuleFolder());
        ASSERT_TRUE(p);
        pid = p.Id();
        ASSERT_TRUE(WaitForTopWindow(pid, kTargetClass));
        EXPECT_TRUE(p.IsRunning());
        EXPECT_FALSE(p.WaitForExit(100));
        EXPECT_FALSE(p.ExitCode());
    }
    HANDLE h = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (h) {
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(h, 0)) << "the process outlived its owner";
        CloseHandle(h);
    }

    HWND frame = StartTarget();
    ASSERT_TRUE(frame);
    ASSERT_TRUE(Post(frame, WM_CLOSE, 0, 0));
    ASSERT_TRUE(m_target.WaitForExit(kWaitMs));
    EXPECT_EQ(0u, m_target.ExitCode().value_or(12345));
}

TEST_F(HarnessTest, KillsStraysByTheirFolder)
{
    const std::string folder = MakeUniqueFolder(CaseRoot(), "stray-");
    ASSERT_FALSE(folder.empty());
    const std::string exe = JoinPath(folder, "stray.exe");
    ASSERT_TRUE(CopyFileA(m_strTarget.c_str(), exe.c_str(), FALSE));
    CProcess p = CProcess::Start(exe, "", folder);
    ASSERT_TRUE(p);
    ASSERT_TRUE(WaitForTopWindow(p.Id(), kTargetClass));
    EXPECT_EQ(0, KillProcessesUnder(JoinPath(CaseRoot(), "elsewhere")));
    EXPECT_TRUE(p.IsRunning());
    EXPECT_EQ(1, KillProcessesUnder(folder));
    EXPECT_TRUE(p.WaitForExit(5000));
    EXPECT_TRUE(RemoveTree(folder));
}

TEST_F(HarnessTest, ScreenshotShowsTheTargetsWindow)
{
    HWND frame = StartTarget();
    ASSERT_TRUE(frame);
    const std::string folder = MakeUniqueFolder(CaseRoot(), "shot-");
    const std::string path = JoinPath(folder, "screen.bmp");
    // Give the window a moment to paint before the capture.
    Send(frame, WM_NULL, 0, 0);
    Sleep(300);
    ASSERT_TRUE(SaveScreenBmp(path));
    const auto bmp = ReadFileBytes(path);
    RemoveTree(folder);
    ASSERT_TRUE(bmp);
    const int cx = GetSystemMetrics(SM_CXSCREEN);
    const int cy = GetSystemMetrics(SM_CYSCREEN);
    const size_t stride = (static_cast<size_t>(cx) * 3 + 3) & ~size_t{3};
    ASSERT_EQ(54 + stride * static_cast<size_t>(cy), bmp->size());
    EXPECT_EQ('B', (*bmp)[0]);
    EXPECT_EQ('M', (*bmp)[1]);
    EXPECT_EQ(24, (*bmp)[28]);

    // A point of the client area above the list is painted magenta.
    POINT pt = {200, 60};
    ASSERT_TRUE(ClientToScreen(frame, &pt));
    const size_t at = 54 + stride * static_cast<size_t>(cy - 1 - pt.y) + static_cast<size_t>(pt.x) * 3;
    EXPECT_EQ(255, (*bmp)[at + 0]);  // blue
    EXPECT_EQ(0, (*bmp)[at + 1]);    // green
    EXPECT_EQ(255, (*bmp)[at + 2]);  // red
}

TEST(HarnessRegistry, WritesReadsAndDeletesATree)
{
    const std::string key = "Software\\NetbellE2eTest\\" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(RegWriteString(HKEY_CURRENT_USER, key + "\\A\\B", "Text", "value"));
    ASSERT_TRUE(RegWriteDword(HKEY_CURRENT_USER, key + "\\A", "Number", 42));
    EXPECT_EQ("value", RegReadString(HKEY_CURRENT_USER, key + "\\A\\B", "Text").value_or("?"));
    EXPECT_EQ(42u, RegReadDword(HKEY_CURRENT_USER, key + "\\A", "Number").value_or(0));
    EXPECT_FALSE(RegReadString(HKEY_CURRENT_USER, key + "\\A", "Number")) << "a DWORD is not a string";
    EXPECT_FALSE(RegReadString(HKEY_CURRENT_USER, key + "\\A", "Missing"));
    EXPECT_TRUE(RegDeleteValueOf(HKEY_CURRENT_USER, key + "\\A", "Number"));
    EXPECT_FALSE(RegReadDword(HKEY_CURRENT_USER, key + "\\A", "Number"));
    EXPECT_TRUE(RegDeleteTreeOf(HKEY_CURRENT_USER, key));
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, key));
    EXPECT_TRUE(RegDeleteTreeOf(HKEY_CURRENT_USER, key)) << "deleting what is gone succeeds";
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\NetbellE2eTest");
}

TEST(HarnessFiles, WritesReadsListsAndRemoves)
{
    const std::string folder = MakeUniqueFolder(CaseRoot(), "files-");
    ASSERT_FALSE(folder.empty());
    const std::vector<uint8_t> bytes = {0, 1, 2, 0xFF, 0};
    ASSERT_TRUE(WriteFileBytes(JoinPath(folder, "b.bin"), bytes));
    ASSERT_TRUE(WriteFileBytes(JoinPath(folder, "a.bin"), {}));
    ASSERT_TRUE(CreateDirectoryA(JoinPath(folder, "sub").c_str(), nullptr));
    ASSERT_TRUE(WriteFileBytes(JoinPath(folder, "sub\\c.bin"), bytes));
    EXPECT_EQ(bytes, ReadFileBytes(JoinPath(folder, "b.bin")).value_or(std::vector<uint8_t>{}));
    EXPECT_EQ(std::vector<uint8_t>{}, ReadFileBytes(JoinPath(folder, "a.bin")).value_or(bytes));
    EXPECT_FALSE(ReadFileBytes(JoinPath(folder, "none.bin")));
    EXPECT_EQ((std::vector<std::string>{"a.bin", "b.bin", "sub"}), ListFolder(folder));
    EXPECT_TRUE(FileExists(JoinPath(folder, "a.bin")));
    EXPECT_FALSE(FileExists(JoinPath(folder, "sub")));
    EXPECT_TRUE(FolderExists(JoinPath(folder, "sub")));
    EXPECT_EQ(folder, FolderOf(JoinPath(folder, "a.bin")));
    EXPECT_EQ("a.bin", FileNameOf(JoinPath(folder, "a.bin")));
    EXPECT_TRUE(RemoveTree(folder));
    EXPECT_FALSE(FolderExists(folder));
}

}  // namespace
}  // namespace e2e
