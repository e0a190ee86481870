#pragma once
// What the application shell decides at start-up, at Exit and at Backup,
// apart from the windows that carry it out.

#include <functional>
#include <string>

#include "base/prompts.h"
#include "base/settings.h"

class CNetbellDoc;
class IFileSystem;

// ---- Start-up ----

struct OsVersion {
    bool bKnown = false;
    bool bWin9x = false; // the Windows 95 family; otherwise NT
    unsigned nMajor = 0;
    // The 64-bit program runs only on 64-bit Windows, which is neither.
    bool b64BitProgram = false;
};

// Windows 95 and NT 4 pass; an unknown version is not checked, nor is the
// 64-bit program's.
bool IsTestedSystem(const OsVersion& v);
// The question for any other system: true to go on.
bool ConfirmUntestedSystem(IPrompts& prompts);

// The shell services the first-run offer and the user details need.
class IStartupShell {
public:
    virtual ~IStartupShell() = default;
    virtual bool GetStartupFolder(std::string& folder) = 0;
    // Returns true when the link was written.
    virtual bool CreateShortcut(const std::string& target, const std::string& link,
                                const std::string& description) = 0;
    // A string of the system's setup record (user name, company).
    virtual bool ReadSetupRecord(const std::string& value, std::string& text) = 0;
};

void OfferStartupShortcut(ISettingsStore& settings, IPrompts& prompts, IStartupShell& shell,
                          const std::string& programPath);

// The settings part of start-up: the first-run offer, the home directory and
// data file name written at every start, the user details when missing.
void PrepareSettings(ISettingsStore& settings, IPrompts& prompts, IStartupShell& shell,
                     const std::string& programPath);

// The program's folder: its path cut at the last backslash.
std::string HomeDirectoryOf(const std::string& programPath);
// "Home Directory" and "Default Data" joined with a backslash.
std::string DataFilePath(ISettingsStore& settings);

enum class DataFileState {
    loaded,     // opened, or there is none yet: the document has its path
    busy,       // held open or locked by another program: try again
    keptAside,  // malformed, moved aside: the document starts empty
    unreadable, // left where it is: nothing is ever saved over it
};

// Opens the data file into the document when it exists; with no file the
// document takes the path at once, so every save writes it. A file another
// program holds open or locked is busy, not unreadable: the document waits
// for it without a path (so nothing is saved over it) and the caller tries
// again later with the same call. A file that was read and found malformed
// is moved aside under a name of its own, so no later save overwrites it,
// and the user is told where it went. Any other file that cannot be read,
// or cannot be moved, stays where it is, the document keeps no path, and
// the user is told so once.
DataFileState OpenDataFile(CNetbellDoc& doc, IFileSystem& fs, IPrompts& prompts, const std::string& path,
                           const std::string& timeStamp);
// The one word that the data file is busy, said when it first is.
void TellDataFileBusy(IPrompts& prompts, const std::string& path);

// ---- Exit and shutdown ----

// Exit's save. True when the program may end: the save went through (or
// there is no data file to save to), or, after the save's own message, the
// user chose to exit anyway and lose the changes since the last save.
bool SaveForExit(CNetbellDoc& doc, IPrompts& prompts);

// Windows is shutting down and nobody can be asked: the save is tried once
// more; should it fail, the document goes to an emergency copy beside the
// data file, or in the temporary folder when even that fails, and the copy's
// name is kept for the next start. The copy's name, empty when none was
// needed or none could be written.
std::string KeepUnsavedCopy(CNetbellDoc& doc, ISettingsStore& settings, const std::string& tempFolder,
                            const std::string& timeStamp);

// At start, once the data file is open: the tasks of an emergency copy come
// back into the document and are saved; the user is told where they came
// from. True when there was a copy to take back.
bool RestoreUnsavedCopy(CNetbellDoc& doc, ISettingsStore& settings, IPrompts& prompts);

// ---- Help ----

// The parts of the frame that context help tells about, apart from commands.
enum class HelpArea { taskList, toolBar, statusBar, other };
// The help page's section (its anchor) for a command, or for a part of the
// frame.
std::string HelpSectionOfCommand(unsigned nId);
std::string HelpSectionOfArea(HelpArea area);

// ---- Main frame ----

// The frame asks for a name and an e-mail address until both are given.
bool NeedsUserDetails(ISettingsStore& settings);
void ShowUserDetailsRequired(IPrompts& prompts);
