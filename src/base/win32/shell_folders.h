#pragma once
// Shell services: special folders and shortcuts.

#include <windows.h>

#include <string>

class IPrompts;

// A special folder (CSIDL_STARTUP, CSIDL_DESKTOPDIRECTORY, ...) as a path.
// Frees what the shell allocated (item lists, a shortcut's URL) with its own
// allocator, as Windows 95 and NT 4 ask: they need not share OLE's.
void FreeShellMemory(void* p);

bool GetSpecialFolder(HWND hwndOwner, int nFolder, std::string& path);

// Writes a shell link to target at link. A link that cannot be saved is
// reported to the user; the result is that of the last step taken.
HRESULT CreateShortcut(IPrompts& prompts, const std::string& target, const std::string& link,
                       const std::string& description);
