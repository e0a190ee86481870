#include "base/win32/help_page.h"

#include <shellapi.h>

#include "base/prompts.h"

namespace {

std::string HelpFileOf(const std::string& programPath)
{
    return programPath.substr(0, programPath.rfind('\\') + 1) + "Netbell.htm";
}

bool Opened(HINSTANCE hResult)
{
    return reinterpret_cast<INT_PTR>(hResult) > 32;
}

} // namespace

std::string HelpPageAddress(const std::string& programPath, const std::string& section)
{
    std::string address = "file:///";
    for (const char ch : HelpFileOf(programPath)) {
        if (ch == '\\')
            address += '/';
        else if (ch == ' ')
            address += "%20";
        else if (ch == '#' || ch == '%')
            address += ch == '#' ? "%23" : "%25";
        else
            address += ch;
    }
    if (!section.empty())
        address += "#" + section;
    return address;
}

void OpenHelpPage(HWND hwndOwner, IPrompts& prompts, const std::string& section)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string help = HelpFileOf(path);
    // The shell drops a section from a file it opens, so the browser that
    // opens the page is given the address itself.
    char browser[MAX_PATH] = {};
    bool bOpened = false;
    if (!section.empty() && Opened(FindExecutableA(help.c_str(), nullptr, browser)))
        bOpened = Opened(ShellExecuteA(hwndOwner, "open", browser, HelpPageAddress(path, section).c_str(), nullptr,
                                       SW_SHOWNORMAL));
    if (!bOpened)
        bOpened = Opened(ShellExecuteA(hwndOwner, "open", help.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (!bOpened)
        prompts.ShowMessage("The help page could not be opened:\n" + help, "Shell Error", MsgButtons::ok,
                            MsgIcon::exclamation);
}
