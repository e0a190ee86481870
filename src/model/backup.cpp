#include "model/backup.h"

#include "base/prompts.h"
#include "base/settings.h"
#include "model/file_system.h"
#include "model/netbell_doc.h"

namespace {

// A look at a file that says nothing to the user.
class CSilentPrompts : public IPrompts {
public:
    MsgResult ShowMessage(const std::string&, const std::string&, MsgButtons, MsgIcon) override
    {
        return MsgResult::cancel;
    }
    void Beep(MsgIcon) override {}
};

// Whether the backup there could hold tasks: it exists and is not a file
// read and found to hold none.
bool MayHoldTasks(IFileSystem& fs, const std::string& path)
{
    if (fs.Presence(path) == FilePresence::absent)
        return false;
    CSilentPrompts silent;
    CNetbellDoc backup(fs, silent);
    return !backup.OnOpenDocument(path) || backup.GetTaskCount() != 0;
}

} // namespace

void BackupData(CNetbellDoc& doc, ISettingsStore& settings, IPrompts& prompts,
                const std::function<bool(std::string&)>& desktopFolder)
{
    if (RefusedUntilFileLoaded(doc, prompts))
        return;
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
    // The backup may be the only good copy left: an empty list goes over it
    // only when the user says so.
    if (doc.GetTaskCount() == 0 && MayHoldTasks(doc.FileSystem(), path) &&
        prompts.ShowMessage("The task list is empty. Replace the backup at:\n" + path +
                                "\nwith an empty task list?",
                            "Question", MsgButtons::yesNo, MsgIcon::exclamation) != MsgResult::yes)
        return;
    if (doc.OnSaveDocument(path))
        prompts.ShowMessage("Your Data was backed up to:\n" + path, "Success", MsgButtons::ok, MsgIcon::exclamation);
    else
        prompts.ShowMessage("There has been an error backing up your data to:\n" + path, "Sorry, Failed",
                           MsgButtons::ok, MsgIcon::stop);
}
