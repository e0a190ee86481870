#pragma once
// The Options sheet as the core sees it: the pages' data, the load and store
// orders of the Options command, and what the pages' buttons and Apply do.

#include <string>

class IPrompts;
class ISettingsStore;

// User Profile page (template 175). Stored only when the sheet ends with OK.
struct OptionsUserProfileData {
    std::string m_strName;
    std::string m_strOrganisation;
    std::string m_strEmail;
};

// System page (template 107). Its Apply stores at once.
struct OptionsSystemData {
    int m_nDefaultPriority = 1; // radio index: 0 High, 1 Medium, 2 Low
    bool m_bUseMailPrefix = true;
    bool m_bUseNewsPrefix = true;
    std::string m_strBackupPath;
    bool m_bWatchNetwork = false;
    // The system can tell whether a network connection is up; without that
    // the setting would do nothing, and its box is disabled.
    bool m_bCanWatchNetwork = true;
};

// FrontPage page (template 109), present only where FrontPage was found.
struct OptionsFrontPageData {
    int m_nLoading = 1; // radio index: 0 On Demand, 1 Always Ask, 2 Don't Load
    bool m_bMenuLinks = true;
};

struct OptionsSheetData {
    bool m_bFrontPagePage = false; // the sheet has the FrontPage page
    OptionsUserProfileData m_profile;
    OptionsSystemData m_system;
    OptionsFrontPageData m_frontPage;
};

// The shell's folder picker: a path, or one of the markers kShellCancelled
// and kShellError (dialogs/shortcuts.h).
class IFolderPicker {
public:
    virtual ~IFolderPicker() = default;
    virtual std::string BrowseForFolder(int nRootFolder, unsigned nFlags) = 0;
};

// What the pages ask of the core while the sheet is open.
class IOptionsPageEvents {
public:
    virtual ~IOptionsPageEvents() = default;
    // Apply, or OK, on a page that has been shown.
    virtual void OnApplySystem(const OptionsSystemData& system) = 0;
    virtual void OnApplyFrontPage(const OptionsFrontPageData& frontPage) = 0;
    // The "Reset" button of the System page.
    virtual void OnResetWarnings() = 0;
    // The "Backup Path" button; true when path now holds a chosen folder.
    virtual bool OnBackupPathButton(IFolderPicker& picker, std::string& path) = 0;
    // A click on "Enable Menu Links", either way.
    virtual void OnMenuLinksClicked() = 0;
};

// Runs the sheet modally over the data; true when it ended with OK. The
// sheet opens on its first page and shows the FrontPage page only when
// data.m_bFrontPagePage is set.
class IOptionsSheet {
public:
    virtual ~IOptionsSheet() = default;
    virtual bool Run(OptionsSheetData& data, IOptionsPageEvents& events) = 0;
};

// Reads the settings into the pages, in the Options command's order.
OptionsSheetData LoadOptions(ISettingsStore& settings, bool bFrontPagePresent, bool bCanWatchNetwork);
// OK's writes, in the Options command's order.
void StoreOptions(ISettingsStore& settings, const OptionsSheetData& data);
void ApplySystemPage(ISettingsStore& settings, const OptionsSystemData& system);
void ApplyFrontPagePage(ISettingsStore& settings, const OptionsFrontPageData& frontPage);

// Asks first; Yes turns every silenced warning back on at once. True on Yes.
bool ResetWarnings(ISettingsStore& settings, IPrompts& prompts);
// Lets the user pick a folder under the desktop; true when one was chosen.
bool ChooseBackupPath(IFolderPicker& picker, IPrompts& prompts, std::string& path);
void NoticeMenuLinksChange(IPrompts& prompts);

// The page events of one run of the sheet.
class COptionsPageActions : public IOptionsPageEvents {
public:
    COptionsPageActions(ISettingsStore& settings, IPrompts& prompts) : m_settings(settings), m_prompts(prompts) {}
    void OnApplySystem(const OptionsSystemData& system) override;
    void OnApplyFrontPage(const OptionsFrontPageData& frontPage) override;
    void OnResetWarnings() override;
    bool OnBackupPathButton(IFolderPicker& picker, std::string& path) override;
    void OnMenuLinksClicked() override;

private:
    ISettingsStore& m_settings;
    IPrompts& m_prompts;
};

// The Options command between taking and releasing the dialog guard, apart
// from the refresh that follows: load, run, and store on OK. True for OK.
bool RunOptions(ISettingsStore& settings, IOptionsSheet& sheet, bool bFrontPagePresent, bool bCanWatchNetwork,
                IPrompts& prompts);

// What the folder picker is asked for: rooted at the desktop, file-system
// folders only.
inline constexpr int kBackupPathRoot = 0;
inline constexpr unsigned kBackupPathFlags = 1;
