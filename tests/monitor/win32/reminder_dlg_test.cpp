// The reminder prompt's template as the program's resources lay it out,
// under the fonts of the system the test runs on.
#include "monitor/win32/reminder_dlg.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr int kTemplateId = 135;
constexpr int kIdMinutes = 1000;
constexpr int kIdSpin = 1001;
constexpr const char* kSentence = "online task(s) you have asked to be reminded about";

INT_PTR CALLBACK NoDialogProc(HWND, UINT msg, WPARAM, LPARAM)
{
    return msg == WM_INITDIALOG;
}

// The size text takes in a control's own font, at most nWidth wide.
RECT TextBox(HWND hwnd, const char* text, LONG nWidth)
{
    HDC hdc = GetDC(hwnd);
    HGDIOBJ hOld = SelectObject(hdc, reinterpret_cast<HGDIOBJ>(SendMessageA(hwnd, WM_GETFONT, 0, 0)));
    RECT rc = {0, 0, nWidth, 0};
    DrawTextA(hdc, text, -1, &rc, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(hdc, hOld);
    ReleaseDC(hwnd, hdc);
    return rc;
}

} // namespace

TEST(ReminderPrompt, TheWholeSentenceAndThreeDigitsShow)
{
    InitCommonControls();
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string path(exe);
    path = path.substr(0, path.find_last_of('\\') + 1) + "netbell.exe";
    HMODULE hResources = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(hResources, nullptr) << "the template comes from " << path;
    HWND hDlg = CreateDialogParamA(hResources, MAKEINTRESOURCEA(kTemplateId), nullptr, NoDialogProc, 0);
    ASSERT_TRUE(hDlg);

    HWND hSentence = FindWindowExA(hDlg, nullptr, "Static", kSentence);
    ASSERT_TRUE(hSentence);
    RECT rcSentence;
    GetClientRect(hSentence, &rcSentence);
    const RECT rcNeeded = TextBox(hSentence, kSentence, rcSentence.right);
    EXPECT_LE(rcNeeded.bottom, rcSentence.bottom) << "the sentence is cut";

    // The up-down sits over the right end of the box.
    HWND hEdit = GetDlgItem(hDlg, kIdMinutes);
    RECT rcText, rcSpin;
    SendMessageA(hEdit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&rcText));
    GetWindowRect(GetDlgItem(hDlg, kIdSpin), &rcSpin);
    MapWindowPoints(nullptr, hEdit, reinterpret_cast<POINT*>(&rcSpin), 2);
    const LONG nShown = (rcSpin.left < rcText.right ? rcSpin.left : rcText.right) - rcText.left;
    EXPECT_GE(nShown, TextBox(hEdit, "500", 1000).right) << "\"500\" does not fit the minutes box";

    DestroyWindow(hDlg);
    FreeLibrary(hResources);
}
