#pragma once
// The shell services of start-up: the Startup folder and shortcut, and the
// system's setup record.

#include <windows.h>

#include "app/app_shell.h"

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
