#pragma once
// Internet shortcut (.url) files: what a resolution found, the file's title,
// and the words each caller shows for an outcome.

#include <functional>
#include <string>

class IPrompts;

enum class ShortcutOutcome {
    Resolved,     // url and title are set
    NotShortcut,  // the name does not end in ".url"
    CreateFailed, // the shell's shortcut object or its file interface is missing
    LoadFailed    // the file did not load or gave no URL
};

struct ShortcutResult {
    ShortcutOutcome outcome = ShortcutOutcome::NotShortcut;
    std::string url;   // only when Resolved
    std::string title; // for every outcome but NotShortcut
};

// The last four characters are ".url" in any case.
bool HasUrlExtension(const std::string& path);

// The path without its last four characters, then without its folder (no
// byte of a UTF-8 character beyond ASCII is a backslash).
std::string ShortcutTitle(const std::string& path);

// Where a shortcut came from decides the words shown when it fails.
enum class ShortcutCaller { Favorites, TaskDialogDrop, TaskListDrop };

// Shows the caller's messages for the outcome. True when the caller may go
// on: the shortcut resolved, or (a drop on the task list) the user pressed OK
// on the question about an object that is not a shortcut.
bool ReportShortcutOutcome(ShortcutCaller caller, const ShortcutResult& result, IPrompts& prompts);

// What the folder picker returns instead of a path; callers compare exactly.
inline constexpr const char* kShellCancelled = "SHELLCANCELLED";
inline constexpr const char* kShellError = "SHELLERROR";
