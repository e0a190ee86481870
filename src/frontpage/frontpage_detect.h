#pragma once
// Whether FrontPage 2.0 or later is installed, and the program's menu in
// FrontPage's Explorer and Editor, placed or taken out through the registry
// keys from which FrontPage builds its menus when it starts.

#include <string>

#include "frontpage/frontpage_ports.h"

class ISettingsStore;

inline constexpr const char* kVersionKey = "FrontPage.Explorer\\CURVER";
inline constexpr const char* kVersionPrefix = "FrontPage.Explorer.";

inline constexpr const char* kExplorerMenusKey = "Software\\Microsoft\\FrontPage\\Explorer\\Init Menus";
inline constexpr const char* kExplorerCommandsKey = "Software\\Microsoft\\FrontPage\\Explorer\\Init Commands";
inline constexpr const char* kEditorMenusKey = "Software\\Microsoft\\FrontPage\\Editor\\Init Menus";
inline constexpr const char* kEditorCommandsKey = "Software\\Microsoft\\FrontPage\\Editor\\Init Commands";
inline constexpr const char* kMenuValue = "Netbell Menu1";
inline constexpr const char* kCommandValue = "Netbell Command1";
inline constexpr const char* kMenuText = "2,,1,&Reminders,Tools";

// The leading decimal number of a text as a floating-point value: leading
// white space skipped, stopping at the first character that cannot continue
// it; no number gives 0.
double LeadingNumber(const std::string& text);

// True when the registered current version of the Explorer is 2.0 or later.
bool DetectFrontPage(IFrontPageRegistry& registry);

// "Home Directory", a backslash and the application's title: the program
// file without its extension.
std::string MenuProgramPath(ISettingsStore& settings, const std::string& appTitle);
// The command FrontPage runs from the program's menu.
std::string MenuCommandText(const std::string& programPath);

// Writes the four values when "Menu Links" is on (absent counts as on),
// removes them when it is 0. Failures are ignored.
void UpdateMenuLinks(ISettingsStore& settings, IFrontPageRegistry& registry, const std::string& appTitle);
