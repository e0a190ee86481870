// The task dialog's URL box on the real dialog from netbell.exe's
// resources: it keeps its own window procedure for typing, and a shortcut
// dropped on it reaches the dialog.
#include "dialogs/win32/task_dialog.h"

#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/win32/prompts_win32.h"
#include "frontpage/win32/dialog_script.h"
#include "model/netbell_doc.h"
#include "model/remind_task.h"
#include "model/win32/file_system_win32.h"
#include "support/scratch_folder.h"

namespace {

constexpr int kIdUrl = 1021;
constexpr int kIdName = 1016;
constexpr int kIdAssignTo = 1018;

// Greek and Japanese: no single-byte code page has both.
const std::string kBeyond = "\xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1 \xE6\x97\xA5\xE6\x9C\xAC";

// A drop of one file, as the shell hands it over; the receiver frees it.
HDROP DropOf(const std::string& path)
{
    HGLOBAL hDrop = GlobalAlloc(GHND, sizeof(DROPFILES) + path.size() + 2);
    auto* pDrop = static_cast<DROPFILES*>(GlobalLock(hDrop));
    pDrop->pFiles = sizeof(DROPFILES);
    std::memcpy(reinterpret_cast<char*>(pDrop) + sizeof(DROPFILES), path.c_str(), path.size());
    GlobalUnlock(hDrop);
    return static_cast<HDROP>(hDrop);
}

HMODULE LoadProgramResources()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string exe = path;
    exe = exe.substr(0, exe.find_last_of('\\') + 1) + "netbell.exe";
    return LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
}

} // namespace

TEST(TaskDialogUrlBox, TypingStaysTheBoxsOwnAndADroppedShortcutFillsTheTask)
{
    const bool bCom = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    HMODULE hResources = LoadProgramResources();
    ASSERT_TRUE(hResources) << "the template comes from netbell.exe beside this program";
    CScratchFolder folder{"nbdrop"};
    const std::string shortcut =
        folder.Write("Dropped Site.url", "[InternetShortcut]\r\nURL=http://www.example.com/dropped/\r\n");

    CWin32FileSystem fs;
    CWin32Prompts prompts;
    CNetbellDoc doc(fs, prompts);
    CTaskDialog dialog(hResources, doc, prompts);
    TaskDialogData data;
    data.m_nKind = kindBrowse;
    std::string typed, dropped, name;
    CDialogScript script;
    script.Then("Browse Task", [&](HWND hDlg) {
        HWND hUrl = GetDlgItem(hDlg, kIdUrl);
        SendMessage(hUrl, WM_CHAR, 'w', 1);
        typed = CDialogScript::Text(hDlg, kIdUrl);
        SendMessage(hUrl, WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf(shortcut)), 0);
        dropped = CDialogScript::Text(hDlg, kIdUrl);
        name = CDialogScript::Text(hDlg, kIdName);
        CDialogScript::Click(hDlg, IDCANCEL);
    });
    EXPECT_FALSE(dialog.Run(data));
    EXPECT_TRUE(script.Finished()) << script.TimedOut();
    EXPECT_EQ("w", typed);
    EXPECT_EQ("http://www.example.com/dropped/", dropped);
    EXPECT_EQ("Dropped Site", name);
    FreeLibrary(hResources);
    if (bCom)
        CoUninitialize();
}

TEST(TaskDialogFields, TextBeyondTheCodePageComesBackWholeUnlessEdited)
{
    HMODULE hResources = LoadProgramResources();
    ASSERT_TRUE(hResources) << "the template comes from netbell.exe beside this program";
    CWin32FileSystem fs;
    CWin32Prompts prompts;
    CNetbellDoc doc(fs, prompts);
    doc.m_arrProjects = {"Site", kBeyond + " 1", kBeyond + " 2"};
    CTaskDialog dialog(hResources, doc, prompts);
    TaskDialogData data;
    data.m_nKind = kindBrowse;
    data.m_strName = kBeyond + " name";
    data.m_strAssignTo = kBeyond + " assigned";
    data.m_strBillingInfo = kBeyond + " billing";
    data.m_strUrl = "http://www.example.com/" + kBeyond;
    data.m_strDescription = kBeyond + " description";
    data.m_strProject = kBeyond + " 2";
    std::string shown;
    CDialogScript script;
    script.Then("Browse Task", [&](HWND hDlg) {
        shown = CDialogScript::Text(hDlg, kIdName);
        CDialogScript::SetText(hDlg, kIdAssignTo, "edited");
        CDialogScript::Click(hDlg, IDOK);
    });
    ASSERT_TRUE(dialog.Run(data));
    EXPECT_TRUE(script.Finished()) << script.TimedOut();
#ifdef UNICODE
    EXPECT_EQ(shown, kBeyond + " name");
#endif
    // The single-byte program shows what its code page can, and still keeps
    // what the user left alone.
    EXPECT_EQ(data.m_strName, kBeyond + " name");
    EXPECT_EQ(data.m_strAssignTo, "edited");
    EXPECT_EQ(data.m_strBillingInfo, kBeyond + " billing");
    EXPECT_EQ(data.m_strUrl, "http://www.example.com/" + kBeyond);
    EXPECT_EQ(data.m_strDescription, kBeyond + " description");
    EXPECT_EQ(data.m_strProject, kBeyond + " 2");
    FreeLibrary(hResources);
}
