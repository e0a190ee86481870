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
};

// Windows 95 and NT 4 pass; an unknown version is not checked.
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

// Opens the data file into the document when it exists; with no file the
// document takes the path at once, so every save writes it. A file that
// exists but cannot be read is moved aside under a name of its own, so no
// later save overwrites it, and the user is told where it went.
void OpenDataFile(CNetbellDoc& doc, IFileSystem& fs, IPrompts& prompts, const std::string& path,
                  const std::string& timeStamp);

// ---- Main frame ----

// The frame asks for a name and an e-mail address until both are given.
bool NeedsUserDetails(ISettingsStore& settings);
void ShowUserDetailsRequired(IPrompts& prompts);

// Copies the data to the backup file and says how it went. desktopFolder
// finds the Desktop; it returns false when the shell cannot.
void BackupData(CNetbellDoc& doc, ISettingsStore& settings, IPrompts& prompts,
                const std::function<bool(std::string&)>& desktopFolder);

// ---- The desktop dialog guard ----

// The event that is signalled while no dialog of the program is open.
class IGuardEvent {
public:
    virtual ~IGuardEvent() = default;
    virtual bool IsSignalled() = 0; // a wait with no time-out
    virtual void Set() = 0;
    virtual void Reset() = 0;
};

class CDialogGuard {
public:
    CDialogGuard(IGuardEvent& event, IPrompts& prompts, std::function<void()> bringMainWindowForward);

    // True when another dialog is open: the user has been told, and the
    // caller does nothing further. False: the caller holds the guard.
    bool TakeDialogGuard();
    void ReleaseDialogGuard();
    bool IsTaken() { return !m_event.IsSignalled(); }

    // Exit's check: true (after the beep and the "Cannot Exit" message) when
    // a dialog is open.
    bool RefuseExit();

private:
    IGuardEvent& m_event;
    IPrompts& m_prompts;
    std::function<void()> m_bringForward;
};

// Holds the guard for one dialog, released on every path out.
class CDialogGuardScope {
public:
    explicit CDialogGuardScope(CDialogGuard& guard) : m_guard(guard), m_bBusy(guard.TakeDialogGuard()) {}
    ~CDialogGuardScope()
    {
        if (!m_bBusy)
            m_guard.ReleaseDialogGuard();
    }
    CDialogGuardScope(const CDialogGuardScope&) = delete;
    CDialogGuardScope& operator=(const CDialogGuardScope&) = delete;

    bool Busy() const { return m_bBusy; }

private:
    CDialogGuard& m_guard;
    bool m_bBusy;
};

inline constexpr const char* kMsgDialogActive = "There is already an Netbell Dialog active on your Desktop";
inline constexpr const char* kMsgCannotExit =
    "There is an Netbell Dialog active on your Desktop, please close it down before exiting the application";
