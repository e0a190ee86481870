#pragma once
// The shell's side of Internet shortcuts and folder picking. All run on the
// main thread, which has initialised COM.

#include <windows.h>

#include <string>

#include "dialogs/shortcuts.h"

class IPrompts;

// Reads the URL of one .url file through the shell's Internet shortcut
// object; shows nothing.
ShortcutResult ResolveInternetShortcut(const std::string& path);

// Lets the user choose a .url file in the Favorites folder and resolves it,
// with the Favorites messages shown through prompts (whose owner should be
// owner). False when there is no result: the file dialog was cancelled or
// the Favorites folder could not be found. The process's current directory
// is the same afterwards on every path.
bool PickFavoritesShortcut(HWND owner, IPrompts& prompts, ShortcutResult& result);

// The shell's folder picker under the special folder nRootFolder with the
// picker's option bits. Returns the chosen folder's path, kShellCancelled
// when the user cancels, or kShellError when the choice has no path.
std::string BrowseForFolder(HWND owner, int nRootFolder, UINT ulFlags);
