#include "options/win32/options_sheet_win32.h"

#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/prompts.h"
#include "base/win32/help_page.h"
#include "base/win32/prompts_win32.h"
#include "base/win32/window.h"
#include "dialogs/win32/shortcuts_win32.h"
#include "res/options_ids.h"
#include "res/resource.h"

namespace {

constexpr int kPriorityRadios[] = {IDC_PRIORITY_HIGH, IDC_PRIORITY_MEDIUM, IDC_PRIORITY_LOW};
constexpr int kLoadingRadios[] = {IDC_LOADING_ON_DEMAND, IDC_LOADING_ALWAYS_ASK, IDC_LOADING_DONT_LOAD};

void CheckRadioIndex(HWND hDlg, const int (&ids)[3], int nIndex)
{
    for (int i = 0; i < 3; ++i)
        CheckDlgButton(hDlg, ids[i], i == nIndex ? BST_CHECKED : BST_UNCHECKED);
}

// A value out of range ticks no button; reading such a group back keeps the
// stored value rather than inventing one.
int RadioIndex(HWND hDlg, const int (&ids)[3], int nUnticked)
{
    for (int i = 0; i < 3; ++i) {
        if (IsDlgButtonChecked(hDlg, ids[i]) == BST_CHECKED)
            return i;
    }
    return nUnticked;
}

void SetCheck(HWND hDlg, int nId, bool bChecked)
{
    CheckDlgButton(hDlg, nId, bChecked ? BST_CHECKED : BST_UNCHECKED);
}

bool GetCheck(HWND hDlg, int nId)
{
    return IsDlgButtonChecked(hDlg, nId) == BST_CHECKED;
}

std::string LoadText(HINSTANCE hInstance, UINT nId, const char* fallback)
{
    TCHAR buf[256] = {};
    return LoadString(hInstance, nId, buf, sizeof buf / sizeof buf[0]) > 0 ? FromSys(buf) : std::string(fallback);
}

// One page of the sheet: fills its controls from the data when it opens and
// reads them back when it is left, on Apply and on OK.
class CPropertyPage {
public:
    CPropertyPage(COptionsSheet& sheet, IOptionsPageEvents& events, int nTemplateId)
        : m_sheet(sheet), m_events(events), m_nTemplateId(nTemplateId)
    {
    }
    virtual ~CPropertyPage() = default;
    CPropertyPage(const CPropertyPage&) = delete;
    CPropertyPage& operator=(const CPropertyPage&) = delete;

    PROPSHEETPAGE Describe(HINSTANCE hResources)
    {
        PROPSHEETPAGE psp = {};
        psp.dwSize = PROPSHEETPAGE_V1_SIZE; // what the first common controls take
        psp.dwFlags = PSP_DEFAULT; // the template's caption is the tab
        psp.hInstance = hResources;
        psp.pszTemplate = MAKEINTRESOURCE(m_nTemplateId);
        psp.pfnDlgProc = PageProc;
        psp.lParam = reinterpret_cast<LPARAM>(this);
        return psp;
    }

protected:
    virtual void FillControls() = 0;
    virtual void ReadControls() = 0;
    // Only the System and FrontPage pages store anything on Apply.
    virtual void OnApply() {}
    virtual void OnCommand(WORD, WORD) {}

    // Enables the sheet's Apply button. Filling the controls is no change.
    void SetModified()
    {
        if (!m_bFilling)
            PropSheet_Changed(GetParent(m_hWnd), m_hWnd);
    }

    COptionsSheet& m_sheet;
    IOptionsPageEvents& m_events;
    HWND m_hWnd = nullptr;

private:
    INT_PTR OnNotify(const NMHDR* pnmh)
    {
        switch (pnmh->code) {
        case PSN_KILLACTIVE:
            ReadControls();
            SetWindowLongPtr(m_hWnd, DWLP_MSGRESULT, FALSE);
            return TRUE;
        case PSN_APPLY:
            ReadControls();
            OnApply();
            SetWindowLongPtr(m_hWnd, DWLP_MSGRESULT, PSNRET_NOERROR);
            return TRUE;
        case PSN_RESET:
            // Cancel, Escape and the close box, under every version of the
            // controls; OK is the sheet ending without it.
            m_sheet.OnReset();
            return TRUE;
        default: return FALSE;
        }
    }

    static INT_PTR CALLBACK PageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        CPropertyPage* self;
        if (msg == WM_INITDIALOG) {
            self = reinterpret_cast<CPropertyPage*>(reinterpret_cast<PROPSHEETPAGE*>(lParam)->lParam);
            self->m_hWnd = hwnd;
            SetWindowLongPtr(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
            self->m_sheet.OnPageCreated(hwnd);
            self->m_bFilling = true;
            self->FillControls();
            self->m_bFilling = false;
            return TRUE;
        }
        self = reinterpret_cast<CPropertyPage*>(GetWindowLongPtr(hwnd, DWLP_USER));
        if (!self)
            return FALSE;
        switch (msg) {
        case WM_COMMAND: self->OnCommand(LOWORD(wParam), HIWORD(wParam)); return TRUE;
        case WM_NOTIFY: return self->OnNotify(reinterpret_cast<NMHDR*>(lParam));
        case WM_HELP: {
            // F1 anywhere in the sheet: the help page at its section.
            HWND hSheet = GetParent(hwnd);
            CWin32Prompts prompts(hSheet);
            OpenHelpPage(hSheet, prompts, "options");
            return TRUE;
        }
        case WM_NCDESTROY: self->m_hWnd = nullptr; return FALSE;
        default: return FALSE;
        }
    }

    int m_nTemplateId;
    bool m_bFilling = false;
};

class COptionsUserProfile : public CPropertyPage {
public:
    COptionsUserProfile(COptionsSheet& sheet, IOptionsPageEvents& events, OptionsUserProfileData& data)
        : CPropertyPage(sheet, events, IDD_OPTIONS_USERPROFILE), m_data(data)
    {
    }

protected:
    void FillControls() override
    {
        SetDlgItemString(m_hWnd, IDC_PROFILE_NAME, m_data.m_strName);
        SetDlgItemString(m_hWnd, IDC_PROFILE_ORGANISATION, m_data.m_strOrganisation);
        SetDlgItemString(m_hWnd, IDC_PROFILE_EMAIL, m_data.m_strEmail);
    }
    // A field left as the settings had it keeps their text whole.
    void ReadControls() override
    {
        m_data.m_strName = GetDlgItemString(m_hWnd, IDC_PROFILE_NAME, m_data.m_strName);
        m_data.m_strOrganisation = GetDlgItemString(m_hWnd, IDC_PROFILE_ORGANISATION, m_data.m_strOrganisation);
        m_data.m_strEmail = GetDlgItemString(m_hWnd, IDC_PROFILE_EMAIL, m_data.m_strEmail);
    }

private:
    OptionsUserProfileData& m_data;
};

class COptionsSystem : public CPropertyPage, private IFolderPicker {
public:
    COptionsSystem(COptionsSheet& sheet, IOptionsPageEvents& events, OptionsSystemData& data)
        : CPropertyPage(sheet, events, IDD_OPTIONS_SYSTEM), m_data(data)
    {
    }

protected:
    void FillControls() override
    {
        CheckRadioIndex(m_hWnd, kPriorityRadios, m_data.m_nDefaultPriority);
        SetCheck(m_hWnd, IDC_USE_MAIL_PREFIX, m_data.m_bUseMailPrefix);
        SetCheck(m_hWnd, IDC_USE_NEWS_PREFIX, m_data.m_bUseNewsPrefix);
        SetDlgItemString(m_hWnd, IDC_BACKUP_PATH, m_data.m_strBackupPath);
        SetCheck(m_hWnd, IDC_WATCH_NETWORK, m_data.m_bWatchNetwork);
        EnableWindow(GetDlgItem(m_hWnd, IDC_WATCH_NETWORK), m_data.m_bCanWatchNetwork);
    }
    void ReadControls() override
    {
        m_data.m_nDefaultPriority = RadioIndex(m_hWnd, kPriorityRadios, m_data.m_nDefaultPriority);
        m_data.m_bUseMailPrefix = GetCheck(m_hWnd, IDC_USE_MAIL_PREFIX);
        m_data.m_bUseNewsPrefix = GetCheck(m_hWnd, IDC_USE_NEWS_PREFIX);
        m_data.m_strBackupPath = GetDlgItemString(m_hWnd, IDC_BACKUP_PATH, m_data.m_strBackupPath);
        m_data.m_bWatchNetwork = GetCheck(m_hWnd, IDC_WATCH_NETWORK);
    }
    void OnApply() override { m_events.OnApplySystem(m_data); }

    void OnCommand(WORD id, WORD code) override
    {
        switch (id) {
        case IDC_PRIORITY_HIGH:
        case IDC_PRIORITY_MEDIUM:
        case IDC_PRIORITY_LOW:
        case IDC_USE_MAIL_PREFIX:
        case IDC_USE_NEWS_PREFIX:
        case IDC_WATCH_NETWORK:
            if (code == BN_CLICKED)
                SetModified();
            break;
        case IDC_BACKUP_PATH:
            if (code == EN_CHANGE)
                SetModified();
            break;
        case IDC_RESET_WARNINGS:
            if (code == BN_CLICKED)
                m_events.OnResetWarnings();
            break;
        case IDC_BACKUP_PATH_BUTTON:
            if (code == BN_CLICKED)
                OnBackupPathButton();
            break;
        default: break;
        }
    }

private:
    void OnBackupPathButton()
    {
        std::string path;
        if (!m_events.OnBackupPathButton(*this, path))
            return;
        SetDlgItemString(m_hWnd, IDC_BACKUP_PATH, path);
        SetModified();
    }

    // The picker is owned by this page.
    std::string BrowseForFolder(int nRootFolder, unsigned nFlags) override
    {
        return ::BrowseForFolder(m_hWnd, nRootFolder, nFlags);
    }

    OptionsSystemData& m_data;
};

class COptionsFrontPage : public CPropertyPage {
public:
    COptionsFrontPage(COptionsSheet& sheet, IOptionsPageEvents& events, OptionsFrontPageData& data)
        : CPropertyPage(sheet, events, IDD_OPTIONS_FRONTPAGE), m_data(data)
    {
    }

protected:
    void FillControls() override
    {
        CheckRadioIndex(m_hWnd, kLoadingRadios, m_data.m_nLoading);
        SetCheck(m_hWnd, IDC_MENU_LINKS, m_data.m_bMenuLinks);
    }
    void ReadControls() override
    {
        m_data.m_nLoading = RadioIndex(m_hWnd, kLoadingRadios, m_data.m_nLoading);
        m_data.m_bMenuLinks = GetCheck(m_hWnd, IDC_MENU_LINKS);
    }
    void OnApply() override { m_events.OnApplyFrontPage(m_data); }

    void OnCommand(WORD id, WORD code) override
    {
        if (code != BN_CLICKED)
            return;
        switch (id) {
        case IDC_LOADING_ON_DEMAND:
        case IDC_LOADING_ALWAYS_ASK:
        case IDC_LOADING_DONT_LOAD: SetModified(); break;
        case IDC_MENU_LINKS:
            SetModified();
            m_events.OnMenuLinksClicked();
            break;
        default: break;
        }
    }

private:
    OptionsFrontPageData& m_data;
};

// Message boxes owned by the sheet while it is open, so they are modal to it
// and not only to the frame the sheet has already disabled.
class CSheetPrompts : public IPrompts {
public:
    explicit CSheetPrompts(const COptionsSheet& sheet) : m_sheet(sheet) {}
    MsgResult ShowMessage(const std::string& text, const std::string& caption, MsgButtons buttons,
                         MsgIcon icon) override
    {
        return Prompts().ShowMessage(text, caption, buttons, icon);
    }
    void Beep(MsgIcon icon) override { Prompts().Beep(icon); }

private:
    CWin32Prompts Prompts() const
    {
        return CWin32Prompts(m_sheet.GetSafeHwnd() ? m_sheet.GetSafeHwnd() : m_sheet.Owner());
    }
    const COptionsSheet& m_sheet;
};

} // namespace

void COptionsSheet::OnPageCreated(HWND hwndPage)
{
    if (!m_hWnd)
        m_hWnd = GetParent(hwndPage);
}

bool COptionsSheet::Run(OptionsSheetData& data, IOptionsPageEvents& events)
{
    COptionsUserProfile profile(*this, events, data.m_profile);
    COptionsSystem system(*this, events, data.m_system);
    COptionsFrontPage frontPage(*this, events, data.m_frontPage);
    std::vector<PROPSHEETPAGE> pages = {profile.Describe(m_hResources), system.Describe(m_hResources)};
    if (data.m_bFrontPagePage)
        pages.push_back(frontPage.Describe(m_hResources));

    const tstring caption = ToSys(LoadText(m_hResources, IDS_OPTIONS_CAPTION, "Options"));
    PROPSHEETHEADER psh = {};
    psh.dwSize = PROPSHEETHEADER_V1_SIZE;
    psh.dwFlags = PSH_PROPSHEETPAGE | PSH_NOCONTEXTHELP;
    psh.hwndParent = m_hwndOwner;
    psh.hInstance = m_hResources;
    psh.pszCaption = caption.c_str();
    psh.nPages = static_cast<UINT>(pages.size());
    psh.nStartPage = 0;
    // The sheet steps through the pages by each one's size, which is the
    // first version's, shorter than today's structure.
    std::vector<BYTE> pageRecords(pages.size() * PROPSHEETPAGE_V1_SIZE);
    for (size_t i = 0; i < pages.size(); ++i)
        memcpy(&pageRecords[i * PROPSHEETPAGE_V1_SIZE], &pages[i], PROPSHEETPAGE_V1_SIZE);
    psh.ppsp = reinterpret_cast<LPCPROPSHEETPAGE>(pageRecords.data());

    m_bCancelled = false;
    m_hWnd = nullptr;
    // The return value tells only whether anything was applied (Apply then
    // Cancel counts too), and the flag that marks OK's apply is left unset
    // by the controls of Windows 95 and NT 4: Cancel is what can be told.
    const INT_PTR nResult = PropertySheet(&psh);
    m_hWnd = nullptr;
    return nResult >= 0 && !m_bCancelled;
}

bool ShowOptionsSheet(HINSTANCE hResources, HWND hwndOwner, ISettingsStore& settings, bool bFrontPagePresent,
                      bool bCanWatchNetwork)
{
    COptionsSheet sheet(hResources, hwndOwner);
    CSheetPrompts prompts(sheet);
    return RunOptions(settings, sheet, bFrontPagePresent, bCanWatchNetwork, prompts);
}
