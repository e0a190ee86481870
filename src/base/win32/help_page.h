#pragma once
// The help page that ships beside the program, opened in the browser.

#include <windows.h>

#include <string>

class IPrompts;

// The address of the help page beside the program, at a section (its
// anchor) when one is given: "file:///C:/Netbell/Netbell.htm#options".
std::string HelpPageAddress(const std::string& programPath, const std::string& section);

// Opens the help page at a section, or at its top for none. The page goes
// to the program that opens .htm files, with the address as its argument,
// so the section survives; a failure is told in a message box.
void OpenHelpPage(HWND hwndOwner, IPrompts& prompts, const std::string& section = std::string());
