#pragma once
// The About box, the Sponsors dialog and the web links.

#include <windows.h>

#include <string>

class ISettingsStore;
class IPrompts;

void RunAboutBox(HINSTANCE hInstance, HWND hwndOwner);
void RunSponsorsDialog(HINSTANCE hInstance, HWND hwndOwner, ISettingsStore& settings, IPrompts& prompts);
// The address behind a web-link command; empty for any other command.
std::string WebLinkAddress(UINT nId);
