#include "model/backup.h"

#include "base/prompts.h"
#include "base/settings.h"
#include "model/netbell_doc.h"

void BackupData(CNetbellDoc& doc, ISettingsStore& settings, IPrompts& prompts,
                const std::function<bool(std::string&)>& desktopFolder)
{
    // With the data file unreadable the list is empty: a copy of it would
    // only replace the last good backup.
    if (doc.GetPathName().empty()) {
        prompts.ShowMessage("The data file could not be read, so there is nothing to back up.", "Sorry, Failed",
                           MsgButtons::ok, MsgIcon::stop);
        return;
    }
    std::string desktop;
    if (!desktopFolder(desktop)) {
        prompts.ShowMessage("Sorry, there was an error locating your Desktop Folder.", "Shell Error",
                           MsgButtons::ok, MsgIcon::exclamation);
        return;
    }
    std::string folder = ReadSetting(settings, setting::BackupPath, desktop);
    if (folder.empty())
        folder = desktop;
    const std::string path = folder + "\\" + ReadSetting(settings, setting::BackupFilename);
    if (doc.OnSaveDocument(path))
        prompts.ShowMessage("Your Data was backed up to:\n" + path, "Success", MsgButtons::ok, MsgIcon::exclamation);
    else
        prompts.ShowMessage("There has been an error backing up your data to:\n" + path, "Sorry, Failed",
                           MsgButtons::ok, MsgIcon::stop);
}
