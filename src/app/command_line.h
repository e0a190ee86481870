#pragma once
// The command line the program is started with.

#include <string>

// True when the command line holds the switch of a start by COM,
// "/Embedding" or "/Automation" ('-' may stand for '/', any case), as a whole
// argument: arguments are split as the C run-time splits them, so a quoted
// path with "-Embedding" inside is no switch, nor is "/Automationx".
bool IsAutomationStart(const std::string& commandLine);
