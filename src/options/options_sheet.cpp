#include "options/options_sheet.h"

#include "base/prompts.h"
#include "base/settings.h"
#include "dialogs/shortcuts.h"

namespace {

// An empty organisation shows as "(None)" in the sheet, unlike at start-up.
constexpr const char* kNoOrganisation = "(None)";

} // namespace

OptionsSheetData LoadOptions(ISettingsStore& settings, bool bFrontPagePresent, bool bCanWatchNetwork)
{
    OptionsSheetData data;
    data.m_bFrontPagePage = bFrontPagePresent;
    data.m_profile.m_strOrganisation = ReadSetting(settings, setting::Organisation, kNoOrganisation);
    data.m_profile.m_strEmail = ReadSetting(settings, setting::Email);
    data.m_profile.m_strName = ReadSetting(settings, setting::Name);
    data.m_system.m_nDefaultPriority = ReadSetting(settings, setting::DefaultPriority);
    data.m_system.m_bUseMailPrefix = ReadSetting(settings, setting::UseMailPrefix) != 0;
    data.m_system.m_bUseNewsPrefix = ReadSetting(settings, setting::UseNewsPrefix) != 0;
    data.m_system.m_strBackupPath = ReadSetting(settings, setting::BackupPath);
    data.m_system.m_bWatchNetwork = ReadSetting(settings, setting::WatchNetwork) != 0;
    data.m_system.m_bCanWatchNetwork = bCanWatchNetwork;
    if (bFrontPagePresent) {
        data.m_frontPage.m_nLoading = ReadSetting(settings, setting::FrontPageLoading);
        data.m_frontPage.m_bMenuLinks = ReadSetting(settings, setting::FrontPageMenuLinks) != 0;
    }
    return data;
}

void StoreOptions(ISettingsStore& settings, const OptionsSheetData& data)
{
    if (data.m_bFrontPagePage) {
        WriteSetting(settings, setting::FrontPageLoading, data.m_frontPage.m_nLoading);
        WriteSetting(settings, setting::FrontPageMenuLinks, data.m_frontPage.m_bMenuLinks ? 1 : 0);
    }
    const OptionsSystemData& sys = data.m_system;
    WriteSetting(settings, setting::DefaultPriority, sys.m_nDefaultPriority);
    WriteSetting(settings, setting::UseMailPrefix, sys.m_bUseMailPrefix ? 1 : 0);
    WriteSetting(settings, setting::UseNewsPrefix, sys.m_bUseNewsPrefix ? 1 : 0);
    WriteSetting(settings, setting::BackupPath, sys.m_strBackupPath);
    WriteSetting(settings, setting::WatchNetwork, sys.m_bWatchNetwork ? 1 : 0);
    WriteSetting(settings, setting::Organisation, data.m_profile.m_strOrganisation);
    WriteSetting(settings, setting::Email, data.m_profile.m_strEmail);
    WriteSetting(settings, setting::Name, data.m_profile.m_strName);
}

void ApplySystemPage(ISettingsStore& settings, const OptionsSystemData& system)
{
    WriteSetting(settings, setting::DefaultPriority, system.m_nDefaultPriority);
    WriteSetting(settings, setting::UseMailPrefix, system.m_bUseMailPrefix ? 1 : 0);
    WriteSetting(settings, setting::UseNewsPrefix, system.m_bUseNewsPrefix ? 1 : 0);
    WriteSetting(settings, setting::BackupPath, system.m_strBackupPath);
    WriteSetting(settings, setting::WatchNetwork, system.m_bWatchNetwork ? 1 : 0);
}

void ApplyFrontPagePage(ISettingsStore& settings, const OptionsFrontPageData& frontPage)
{
    WriteSetting(settings, setting::FrontPageLoading, frontPage.m_nLoading);
    WriteSetting(settings, setting::FrontPageMenuLinks, frontPage.m_bMenuLinks ? 1 : 0);
}

bool ResetWarnings(ISettingsStore& settings, IPrompts& prompts)
{
    if (prompts.ShowMessage("Are you sure you want to turn all warnings back on ?", "Question", MsgButtons::yesNo,
                            MsgIcon::question) != MsgResult::yes)
        return false;
    settings.DeleteSection(kSectionMessages);
    return true;
}

bool ChooseBackupPath(IFolderPicker& picker, IPrompts& prompts, std::string& path)
{
    const std::string chosen = picker.BrowseForFolder(kBackupPathRoot, kBackupPathFlags);
    if (chosen == kShellCancelled)
        return false;
    if (chosen == kShellError) {
        prompts.ShowMessage("There was an error obtaining the path information", "Shell Error", MsgButtons::ok,
                            MsgIcon::exclamation);
        return false;
    }
    path = chosen;
    return true;
}

void NoticeMenuLinksChange(IPrompts& prompts)
{
    prompts.ShowMessage("You will need to restart FrontPage for this change to come into effect",
                        "Initialisation Change", MsgButtons::ok, MsgIcon::information);
}

void COptionsPageActions::OnApplySystem(const OptionsSystemData& system)
{
    ApplySystemPage(m_settings, system);
}

void COptionsPageActions::OnApplyFrontPage(const OptionsFrontPageData& frontPage)
{
    ApplyFrontPagePage(m_settings, frontPage);
}

void COptionsPageActions::OnResetWarnings()
{
    ResetWarnings(m_settings, m_prompts);
}

bool COptionsPageActions::OnBackupPathButton(IFolderPicker& picker, std::string& path)
{
    return ChooseBackupPath(picker, m_prompts, path);
}

void COptionsPageActions::OnMenuLinksClicked()
{
    NoticeMenuLinksChange(m_prompts);
}

bool RunOptions(ISettingsStore& settings, IOptionsSheet& sheet, bool bFrontPagePresent, bool bCanWatchNetwork,
                IPrompts& prompts)
{
    OptionsSheetData data = LoadOptions(settings, bFrontPagePresent, bCanWatchNetwork);
    COptionsPageActions actions(settings, prompts);
    if (!sheet.Run(data, actions))
        return false;
    StoreOptions(settings, data);
    return true;
}
