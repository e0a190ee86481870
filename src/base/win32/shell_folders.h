#pragma once
// The shell services of start-up and backup: special folders, the Startup
// shortcut and the system's setup record.

#include <windows.h>

#include <string>

#include "app/app_shell.h"

class IPrompts;

// A special folder (CSIDL_STARTUP, CSIDL_DESKTOPDIRECTORY, ...) as a path.
bool GetSpecialFolder(HWND hwndOwner, int nFolder, std::string& path);

// Writes a shell link to target at link. A link that cannot be saved is
// reported to the user; the result is that of the last step taken.
HRESULT CreateShortcut(IPrompts& prompts, const std::string& target, const std::string& link,
                       const std::string& description);

class CWin32StartupShell : public IStartupShell {
public:
    explicit CWin32StartupShell(IPrompts& prompts) : m_prompts(prompts) {}
    bool GetStartupFolder(std::string& folder) override;
    bool CreateShortcut(const std::string& target, const std::string& link,
                        const std::string& description) override;
    bool ReadSetupRecord(const std::string& value, std::string& text) override;

private:
    IPrompts& m_prompts;
};
