// The real Options sheet, driven from inside its own modal loop: the page
// templates come from netbell.exe beside this program, the settings from a
// scratch registry key.
#include "options/win32/options_sheet_win32.h"

#include <commctrl.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "base/win32/registry_settings.h"
#include "base/win32/window.h"
#include "res/options_ids.h"
#include "support/fakes.h"

namespace {

constexpr int kApplyButton = 0x3021; // the property sheet's own id for Apply

// Finds the open sheet of this thread and hands it to the script once; if
// the script leaves the sheet open, the next tick cancels it so no test can
// hang.
class CSheetDriver {
public:
    static void Drive(std::function<void(HWND)> script)
    {
        s_script = std::move(script);
        s_bRan = false;
        s_nTimer = SetTimer(nullptr, 0, 50, OnTimer);
    }
    static void Stop()
    {
        KillTimer(nullptr, s_nTimer);
        s_script = nullptr;
    }

private:
    static BOOL CALLBACK FindSheet(HWND hwnd, LPARAM lParam)
    {
        if (IsWindowVisible(hwnd) && GetWindowString(hwnd) == "Options") {
            *reinterpret_cast<HWND*>(lParam) = hwnd;
            return FALSE;
        }
        return TRUE;
    }
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
    {
        HWND hSheet = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), FindSheet, reinterpret_cast<LPARAM>(&hSheet));
        if (!hSheet)
            return;
        if (s_bRan) {
            PostMessage(hSheet, WM_COMMAND, IDCANCEL, 0);
            return;
        }
        s_bRan = true;
        s_script(hSheet);
    }

    static std::function<void(HWND)> s_script;
    static bool s_bRan;
    static UINT_PTR s_nTimer;
};

std::function<void(HWND)> CSheetDriver::s_script;
bool CSheetDriver::s_bRan = false;
UINT_PTR CSheetDriver::s_nTimer = 0;

HWND Page(HWND hSheet, int nIndex)
{
    PropSheet_SetCurSel(hSheet, nullptr, nIndex);
    return PropSheet_GetCurrentPageHwnd(hSheet);
}

void Click(HWND hDlg, int nId)
{
    SendMessage(GetDlgItem(hDlg, nId), BM_CLICK, 0, 0);
}

bool Checked(HWND hDlg, int nId)
{
    return IsDlgButtonChecked(hDlg, nId) == BST_CHECKED;
}

std::string Text(HWND hDlg, int nId)
{
    return GetDlgItemString(hDlg, nId);
}

bool ApplyEnabled(HWND hSheet)
{
    return IsWindowEnabled(GetDlgItem(hSheet, kApplyButton)) != FALSE;
}

int TabCount(HWND hSheet)
{
    return TabCtrl_GetItemCount(PropSheet_GetTabControl(hSheet));
}

// The controls of Windows 95 and NT 4 may leave unset the flag that marks
// the apply of OK, which then looks like that of Apply.
WNDPROC g_pfnPageProc = nullptr;

LRESULT CALLBACK OldControlsPageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == PSN_APPLY)
        reinterpret_cast<PSHNOTIFY*>(lParam)->lParam = 0;
    return CallWindowProc(g_pfnPageProc, hwnd, msg, wParam, lParam);
}

void AsUnderOldControls(HWND hPage)
{
    g_pfnPageProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtr(hPage, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OldControlsPageProc)));
}

#ifdef UNICODE
// The Unicode program takes any text, whatever the code page.
const std::string kOrganisation = "\xCE\x9B\xCE\xAD\xCF\x83\xCF\x87\xCE\xB7 \xE6\x95\xB0\xE5\xAD\xA6 \xF0\x9D\x94\xB8";
#else
const std::string kOrganisation = "(None)";
#endif

class OptionsSheetWin32Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitCommonControls();
        char exe[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, exe, MAX_PATH);
        std::string path(exe);
        path = path.substr(0, path.find_last_of('\\') + 1) + "netbell.exe";
        m_hResources = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(m_hResources, nullptr) << "the page templates come from " << path;
        static int s_nCount = 0;
        m_strKey = "Software\\NetbellTest\\options-" + std::to_string(GetCurrentProcessId()) + "-" +
                   std::to_string(++s_nCount);
        m_pSettings = std::make_unique<CRegistrySettingsStore>(m_strKey);
    }
    void TearDown() override
    {
        CSheetDriver::Stop();
        m_pSettings.reset();
        SHDeleteKeyA(HKEY_CURRENT_USER, m_strKey.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\NetbellTest");
        if (m_hResources)
            FreeLibrary(m_hResources);
    }

    bool Run(bool bFrontPage, std::function<void(HWND)> script, bool bCanWatchNetwork = true)
    {
        CSheetDriver::Drive(std::move(script));
        COptionsSheet sheet(m_hResources, nullptr);
        const bool bOk = RunOptions(*m_pSettings, sheet, bFrontPage, bCanWatchNetwork, m_prompts);
        CSheetDriver::Stop();
        EXPECT_EQ(sheet.GetSafeHwnd(), nullptr);
        return bOk;
    }

    ISettingsStore& Settings() { return *m_pSettings; }

    HMODULE m_hResources = nullptr;
    std::string m_strKey;
    std::unique_ptr<CRegistrySettingsStore> m_pSettings;
    CFakePrompts m_prompts;
};

} // namespace

TEST_F(OptionsSheetWin32Test, AFirstRunShowsTheDefaultsAndOkStoresTheProfileUnderOldControlsToo)
{
    const bool bOk = Run(false, [](HWND hSheet) {
        EXPECT_EQ(TabCount(hSheet), 2);
        HWND hProfile = PropSheet_GetCurrentPageHwnd(hSheet);
        EXPECT_EQ(Text(hProfile, IDC_PROFILE_NAME), "");
        EXPECT_EQ(Text(hProfile, IDC_PROFILE_ORGANISATION), "(None)");
        EXPECT_EQ(Text(hProfile, IDC_PROFILE_EMAIL), "");
        SetDlgItemString(hProfile, IDC_PROFILE_NAME, "Ada Lovelace");
        SetDlgItemString(hProfile, IDC_PROFILE_EMAIL, "ada@example.com");
        SetDlgItemString(hProfile, IDC_PROFILE_ORGANISATION, kOrganisation);
        EXPECT_FALSE(ApplyEnabled(hSheet)); // the profile never enables Apply

        HWND hSystem = Page(hSheet, 1);
        EXPECT_FALSE(Checked(hSystem, IDC_PRIORITY_HIGH));
        EXPECT_TRUE(Checked(hSystem, IDC_PRIORITY_MEDIUM));
        EXPECT_FALSE(Checked(hSystem, IDC_PRIORITY_LOW));
        EXPECT_TRUE(Checked(hSystem, IDC_USE_MAIL_PREFIX));
        EXPECT_TRUE(Checked(hSystem, IDC_USE_NEWS_PREFIX));
        EXPECT_EQ(Text(hSystem, IDC_BACKUP_PATH), "");
        EXPECT_FALSE(Checked(hSystem, IDC_WATCH_NETWORK));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(hSystem, IDC_WATCH_NETWORK)));
        EXPECT_TRUE(GetWindowLongA(GetDlgItem(hSystem, IDC_WATCH_NETWORK), GWL_STYLE) & WS_TABSTOP);
        EXPECT_FALSE(ApplyEnabled(hSheet)); // opening a page is no change
        AsUnderOldControls(hProfile);
        AsUnderOldControls(hSystem);
        Click(hSheet, IDOK);
    });
    EXPECT_TRUE(bOk);
    EXPECT_EQ(Settings().GetProfileString("Settings", "Name", "?"), "Ada Lovelace");
    EXPECT_EQ(Settings().GetProfileString("Settings", "Email", "?"), "ada@example.com");
    EXPECT_EQ(Settings().GetProfileString("Settings", "Organisation", "?"), kOrganisation);
    EXPECT_EQ(Settings().GetProfileInt("Settings", "Default Priority", -1), 1);
    EXPECT_EQ(Settings().GetProfileInt("Settings\\FrontPage", "Loading", -1), -1);
    EXPECT_TRUE(m_prompts.shown.empty());
}

TEST_F(OptionsSheetWin32Test, ApplyOnTheSystemPageStoresAtOnceAndSurvivesCancel)
{
    Settings().WriteProfileString("Settings", "Name", "Before");
    const bool bOk = Run(false, [this](HWND hSheet) {
        HWND hSystem = Page(hSheet, 1);
        Click(hSystem, IDC_WATCH_NETWORK);
        EXPECT_TRUE(ApplyEnabled(hSheet));
        Click(hSystem, IDC_PRIORITY_LOW);
        Click(hSystem, IDC_USE_MAIL_PREFIX);
        SetDlgItemString(hSystem, IDC_BACKUP_PATH, "C:\\Backups");
        Click(hSheet, kApplyButton);
        EXPECT_EQ(Settings().GetProfileInt("Settings", "Default Priority", -1), 2);
        EXPECT_EQ(Settings().GetProfileInt("Settings", "Use Mail Prefix", -1), 0);
        EXPECT_EQ(Settings().GetProfileInt("Settings", "Use News Prefix", -1), 1);
        EXPECT_EQ(Settings().GetProfileString("Settings", "Backup Path", "?"), "C:\\Backups");
        EXPECT_EQ(Settings().GetProfileInt("Settings", "Watch Network", -1), 1);
        EXPECT_FALSE(ApplyEnabled(hSheet));

        // Typing a path alone is a change too.
        SetDlgItemString(hSystem, IDC_BACKUP_PATH, "C:\\Other");
        EXPECT_TRUE(ApplyEnabled(hSheet));

        HWND hProfile = Page(hSheet, 0);
        SetDlgItemString(hProfile, IDC_PROFILE_NAME, "Never stored");
        Click(hSheet, IDCANCEL);
    });
    EXPECT_FALSE(bOk);
    EXPECT_EQ(Settings().GetProfileInt("Settings", "Default Priority", -1), 2);
    EXPECT_EQ(Settings().GetProfileString("Settings", "Backup Path", "?"), "C:\\Backups");
    EXPECT_EQ(Settings().GetProfileString("Settings", "Name", "?"), "Before");
}

TEST_F(OptionsSheetWin32Test, ResetTurnsTheWarningsBackOnEvenWhenCancelled)
{
    Settings().WriteProfileInt("Settings\\Messages", "61208", 1);
    m_prompts.answers = {MsgResult::yes};
    Run(false, [this](HWND hSheet) {
        HWND hSystem = Page(hSheet, 1);
        Click(hSystem, IDC_RESET_WARNINGS);
        EXPECT_EQ(Settings().GetProfileInt("Settings\\Messages", "61208", 0), 0);
        EXPECT_FALSE(ApplyEnabled(hSheet));
        Click(hSheet, IDCANCEL);
    });
    ASSERT_EQ(m_prompts.shown.size(), 1u);
    EXPECT_EQ(m_prompts.shown[0].text, "Are you sure you want to turn all warnings back on ?");
    EXPECT_EQ(Settings().GetProfileInt("Settings\\Messages", "61208", 0), 0);
}

TEST_F(OptionsSheetWin32Test, TheFrontPagePageComesOnlyWithFrontPage)
{
    Settings().WriteProfileInt("Settings\\FrontPage", "Loading", 2);
    const bool bOk = Run(true, [this](HWND hSheet) {
        EXPECT_EQ(TabCount(hSheet), 3);
        HWND hFrontPage = Page(hSheet, 2);
        EXPECT_TRUE(Checked(hFrontPage, IDC_LOADING_DONT_LOAD));
        EXPECT_TRUE(Checked(hFrontPage, IDC_MENU_LINKS));
        Click(hFrontPage, IDC_MENU_LINKS);
        Click(hFrontPage, IDC_MENU_LINKS);
        EXPECT_EQ(m_prompts.shown.size(), 2u);
        EXPECT_TRUE(ApplyEnabled(hSheet));
        Click(hFrontPage, IDC_LOADING_ON_DEMAND);
        Click(hSheet, IDOK);
    });
    EXPECT_TRUE(bOk);
    EXPECT_EQ(Settings().GetProfileInt("Settings\\FrontPage", "Loading", -1), 0);
    EXPECT_EQ(Settings().GetProfileInt("Settings\\FrontPage", "Menu Links", -1), 1);
    for (const CFakePrompts::Shown& s : m_prompts.shown)
        EXPECT_EQ(s.caption, "Initialisation Change");
}

TEST_F(OptionsSheetWin32Test, TheNetworkBoxIsDisabledWhereTheSystemCannotTell)
{
    Settings().WriteProfileInt("Settings", "Watch Network", 1);
    const bool bOk = Run(
        false,
        [](HWND hSheet) {
            HWND hSystem = Page(hSheet, 1);
            EXPECT_TRUE(Checked(hSystem, IDC_WATCH_NETWORK));
            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(hSystem, IDC_WATCH_NETWORK)));
            Click(hSheet, IDOK);
        },
        false);
    EXPECT_TRUE(bOk);
    EXPECT_EQ(Settings().GetProfileInt("Settings", "Watch Network", -1), 1);
}
