#include "app/app_shell.h"

#include "model/file_system.h"
#include "res/resource.h"
#include "model/netbell_doc.h"

bool IsTestedSystem(const OsVersion& v)
{
    if (!v.bKnown || v.b64BitProgram)
        return true;
    return v.bWin9x || v.nMajor == 4;
}

bool ConfirmUntestedSystem(IPrompts& prompts)
{
    return prompts.ShowMessage("Sorry, but this version of Netbell has not been tested at this time under any "
                              "other operating system but Windows 95 and NT 4.\nThere may be unpredictable "
                              "behaviour if you continue. Would you like to continue anyway ?",
                              "Windows 95 or NT 4 NOT Detected", MsgButtons::yesNo,
                              MsgIcon::stop) == MsgResult::yes;
}

void OfferStartupShortcut(ISettingsStore& settings, IPrompts& prompts, IStartupShell& shell,
                          const std::string& programPath)
{
    const MsgResult answer =
        prompts.ShowMessage("Netbell is most efficient if it can be initialised at STARTUP.\nIs it ok to place a "
                           "shortcut in your Start Menu\\Startup folder ?",
                           "Question", MsgButtons::yesNo, MsgIcon::question);
    if (answer != MsgResult::yes) {
        WriteSetting(settings, setting::Initialise, "Manual");
        return;
    }
    // Without a Startup folder or a link, the question comes again next time.
    std::string folder;
    if (!shell.GetStartupFolder(folder))
        return;
    const std::string link = folder + "\\Shortcut to Netbell.lnk";
    if (shell.CreateShortcut(programPath, link, "Shortcut to Netbell"))
        WriteSetting(settings, setting::Initialise, "On Startup");
}

std::string HomeDirectoryOf(const std::string& programPath)
{
    const std::string::size_type slash = programPath.rfind('\\');
    return slash == std::string::npos ? programPath : programPath.substr(0, slash);
}

void PrepareSettings(ISettingsStore& settings, IPrompts& prompts, IStartupShell& shell,
                     const std::string& programPath)
{
    if (ReadSetting(settings, setting::Initialise).empty())
        OfferStartupShortcut(settings, prompts, shell, programPath);
    WriteSetting(settings, setting::HomeDirectory, HomeDirectoryOf(programPath));
    WriteSetting(settings, setting::DefaultData, "Default.nbl");

    std::string text;
    if (ReadSetting(settings, setting::Name).empty() && shell.ReadSetupRecord("DefName", text))
        WriteSetting(settings, setting::Name, text);
    const std::string organisation = ReadSetting(settings, setting::Organisation);
    if ((organisation.empty() || organisation == "(None)") && shell.ReadSetupRecord("DefCompany", text))
        WriteSetting(settings, setting::Organisation, text);
}

std::string DataFilePath(ISettingsStore& settings)
{
    return ReadSetting(settings, setting::HomeDirectory) + "\\" + ReadSetting(settings, setting::DefaultData);
}

DataFileState OpenDataFile(CNetbellDoc& doc, IFileSystem& fs, IPrompts& prompts, const std::string& path,
                           const std::string& timeStamp)
{
    FileError readError = FileError::none;
    doc.SetWaitingForFile(std::string());
    doc.SetUnreadableFile(std::string());
    if (fs.Presence(path) == FilePresence::absent || doc.OnOpenDocument(path, &readError)) {
        doc.SetPathName(path);
        return DataFileState::loaded;
    }
    doc.SetPathName(std::string());
    if (readError == FileError::sharingViolation || readError == FileError::lockViolation) {
        doc.SetWaitingForFile(path);
        return DataFileState::busy;
    }
    if (readError == FileError::none) {
        // Read, and found malformed (the document has said so).
        const std::string aside = path + ".unreadable-" + timeStamp;
        if (fs.RenameFile(path, aside)) {
            doc.SetPathName(path);
            prompts.Error("The data file could not be read and has been kept as:\n" + aside +
                          "\nNetbell starts with an empty task list.");
            return DataFileState::keptAside;
        }
    } else {
        prompts.Error(FileErrorMessage(readError, path));
    }
    // The file stays where it is, so nothing may be saved over it.
    doc.SetUnreadableFile(path);
    prompts.Error("The data file could not be read:\n" + path +
                  "\nNetbell will not save over it, so no changes are saved until it can be read: close any "
                  "program that uses it, check that its folder can be reached, and start Netbell again.");
    return DataFileState::unreadable;
}

void TellDataFileBusy(IPrompts& prompts, const std::string& path)
{
    prompts.Error("The data file is in use by another program:\n" + path +
                  "\nNetbell loads it as soon as it is free. Until then no task can be changed.");
}

bool SaveForExit(CNetbellDoc& doc, IPrompts& prompts)
{
    // No path: the data file could not be read, and the user was told at
    // start that nothing is saved.
    if (doc.GetPathName().empty() || doc.OnSaveDocument(doc.GetPathName()))
        return true;
    return prompts.ShowMessage("Your tasks could not be saved, so the changes made since they were last saved "
                               "would be lost.\n\nExit anyway and lose those changes?",
                               "", MsgButtons::yesNo, MsgIcon::exclamation) == MsgResult::yes;
}

namespace {

std::string FileNameOf(const std::string& path)
{
    const std::string::size_type slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

std::string KeepUnsavedCopy(CNetbellDoc& doc, ISettingsStore& settings, const std::string& tempFolder,
                            const std::string& timeStamp)
{
    const std::string path = doc.GetPathName();
    if (path.empty() || doc.SaveQuietly(path) == FileError::none)
        return std::string();
    const std::string name = FileNameOf(path) + ".unsaved-" + timeStamp;
    for (const std::string& copy : {path + ".unsaved-" + timeStamp, tempFolder + "\\" + name}) {
        if (doc.SaveQuietly(copy) == FileError::none) {
            WriteSetting(settings, setting::UnsavedCopy, copy);
            return copy;
        }
    }
    return std::string();
}

bool RestoreUnsavedCopy(CNetbellDoc& doc, ISettingsStore& settings, IPrompts& prompts)
{
    const std::string copy = ReadSetting(settings, setting::UnsavedCopy);
    if (copy.empty())
        return false;
    // Taken back once: should the save below fail too, the tasks are in
    // memory and every later save tries again.
    WriteSetting(settings, setting::UnsavedCopy, "");
    IFileSystem& fs = doc.FileSystem();
    if (fs.Presence(copy) == FilePresence::absent)
        return false;
    const std::string told = "Windows shut down before Netbell could save your tasks, so they were kept in:\n" + copy;
    std::vector<uint8_t> bytes;
    if (fs.ReadFile(copy, bytes) != FileError::none ||
        !CNetbellDoc::CheckBytes(bytes.data(), bytes.size())) {
        prompts.Error(told + "\nThat copy could not be read; it stays where it is.");
        return true;
    }
    doc.LoadFromBytes(bytes.data(), bytes.size());
    if (doc.OnSaveDocument(doc.GetPathName())) {
        fs.RemoveFile(copy);
        prompts.Error(told + "\nThey are back in your task list and saved.");
    } else {
        prompts.Error(told + "\nThey are back in your task list, but could not be saved yet; that copy stays "
                             "where it is.");
    }
    return true;
}

std::string HelpSectionOfCommand(unsigned nId)
{
    switch (nId) {
    case ID_NEW_EMAIL:
    case ID_NEW_BROWSE:
    case ID_NEW_NEWSGROUP:
    case ID_NEW_NOTE:
    case ID_NEW_SEARCH:
    case ID_EDIT_TASK:
    case ID_DELETE_TASK:
    case ID_LAUNCH:
    case ID_SHOW_TASKLIST: return "tasklist";
    case ID_INSERT_PROJECT:
    case ID_INSERT_SEARCH:
    case ID_EDIT_PROJECTLIST:
    case ID_EDIT_SEARCHLIST: return "lists";
    case ID_NEW_FRONTPAGE:
    case ID_FP_TODOLIST:
    case ID_FP_EDITOR:
    case ID_FP_EXPLORER:
    case ID_TOGGLE_FPLOADING: return "frontpage";
    case ID_REMINDER: return "reminders";
    case ID_OPTIONS: return "options";
    case ID_BACKUP_DATA: return "data";
    case ID_APP_EXIT: return "where";
    default: return "window"; // the bars, help, the web pages, About
    }
}

std::string HelpSectionOfArea(HelpArea area)
{
    switch (area) {
    case HelpArea::taskList: return "tasklist";
    case HelpArea::toolBar:
    case HelpArea::statusBar:
    case HelpArea::other: return "window";
    }
    return "window";
}

bool NeedsUserDetails(ISettingsStore& settings)
{
    return ReadSetting(settings, setting::Email).empty() || ReadSetting(settings, setting::Name).empty();
}

void ShowUserDetailsRequired(IPrompts& prompts)
{
    prompts.ShowMessage("Please enter your Name and EMail address in the User Profile", "User Details Required",
                       MsgButtons::ok, MsgIcon::exclamation);
}
