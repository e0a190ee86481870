#include "base/win32/help_page.h"

#include <shellapi.h>

#include "base/prompts.h"
#include "base/win32/text_win32.h"

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
    TCHAR path[MAX_PATH] = {};
    GetModuleFileName(nullptr, path, MAX_PATH);
    const std::string program = FromSys(path);
    const std::string help = HelpFileOf(program);
    // The shell drops a section from a file it opens, so the browser that
    // opens the page is given the address itself.
    TCHAR browser[MAX_PATH] = {};
    bool bOpened = false;
    if (!section.empty() && Opened(FindExecutable(ToSys(help).c_str(), nullptr, browser)))
        bOpened = Opened(ShellExecute(hwndOwner, TEXT("open"), browser, ToSys(HelpPageAddress(program, section)).c_str(),
                                      nullptr, SW_SHOWNORMAL));
    if (!bOpened)
        bOpened = Opened(ShellExecute(hwndOwner, TEXT("open"), ToSys(help).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (!bOpened)
        prompts.ShowMessage("The help page could not be opened:\n" + help, "Shell Error", MsgButtons::ok,
                            MsgIcon::exclamation);
}
