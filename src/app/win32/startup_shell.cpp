#include "app/win32/startup_shell.h"

#include <shlobj.h>

#include "base/win32/registry_settings.h"
#include "base/win32/shell_folders.h"

bool CWin32StartupShell::GetStartupFolder(std::string& folder)
{
    return GetSpecialFolder(nullptr, CSIDL_STARTUP, folder);
}

bool CWin32StartupShell::CreateShortcut(const std::string& target, const std::string& link,
                                        const std::string& description)
{
    return SUCCEEDED(::CreateShortcut(m_prompts, target, link, description));
}

bool CWin32StartupShell::ReadSetupRecord(const std::string& value, std::string& text)
{
    return RegReadString(HKEY_CURRENT_USER, "Software\\Microsoft\\MS Setup (ACME)\\User Info", value, text) !=
           FALSE;
}
