#include "dialogs/shortcuts.h"

#include "base/prompts.h"

namespace {

struct CallerTexts {
    const char* notShortcut;
    const char* notShortcutCaption;
    MsgButtons notShortcutButtons;
    const char* loadFailed;
    const char* linkError; // %s stands for the title
    const char* linkErrorCaption;
};

const CallerTexts& TextsFor(ShortcutCaller caller)
{
    static const CallerTexts favorites{
        "Sorry, that doesn't appear to be an Internet Shortcut", "Warning", MsgButtons::ok,
        "Error resolving internet shortcut.", "There was an error resolving the link to:\n%s", "Shell Error"};
    static const CallerTexts taskDialogDrop{
        "Oh Dear, so sorry, but one or more of the objects you dropped is not supported for drag and drop "
        "operations on here",
        "Warning", MsgButtons::okCancel, "Sorry, there was an error resolving the internet shortcut.",
        "Pardon me, but there was an error resolving the link to:\n%s\nI am afraid this drop has to be aborted",
        "Warning"};
    static const CallerTexts taskListDrop{
        "One or more of the objects you dropped is not supported for drag and drop operations", "Warning",
        MsgButtons::okCancel, "Error resolving internet shortcut.",
        "There was an error resolving the link to:\n%s\nThis drop has been aborted", "Shell Error"};
    switch (caller) {
    case ShortcutCaller::TaskDialogDrop: return taskDialogDrop;
    case ShortcutCaller::TaskListDrop: return taskListDrop;
    case ShortcutCaller::Favorites: break;
    }
    return favorites;
}

// Replaces the one %s; the title itself may hold a '%' and is not a format.
std::string WithTitle(const std::string& text, const std::string& title)
{
    std::string out = text;
    const size_t at = out.find("%s");
    if (at != std::string::npos)
        out.replace(at, 2, title);
    return out;
}

char Lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

bool HasUrlExtension(const std::string& path)
{
    static const char kExt[] = ".url";
    if (path.size() < 4)
        return false;
    const size_t start = path.size() - 4;
    for (size_t i = 0; i < 4; ++i) {
        if (Lower(path[start + i]) != kExt[i])
            return false;
    }
    return true;
}

std::string ShortcutTitle(const std::string& path)
{
    const std::string stem = path.size() >= 4 ? path.substr(0, path.size() - 4) : std::string();
    const size_t slash = stem.rfind('\\');
    return slash == std::string::npos ? stem : stem.substr(slash + 1);
}

bool ReportShortcutOutcome(ShortcutCaller caller, const ShortcutResult& result, IPrompts& prompts)
{
    const CallerTexts& texts = TextsFor(caller);
    switch (result.outcome) {
    case ShortcutOutcome::Resolved: return true;
    case ShortcutOutcome::NotShortcut: {
        const MsgResult answer = prompts.ShowMessage(texts.notShortcut, texts.notShortcutCaption,
                                                     texts.notShortcutButtons, MsgIcon::exclamation);
        // Only the task list lets the user skip the object and go on.
        return caller == ShortcutCaller::TaskListDrop && answer == MsgResult::ok;
    }
    case ShortcutOutcome::LoadFailed:
        prompts.ShowMessage(texts.loadFailed, "Shell Error", MsgButtons::ok, MsgIcon::exclamation);
        [[fallthrough]];
    case ShortcutOutcome::CreateFailed:
        prompts.ShowMessage(WithTitle(texts.linkError, result.title), texts.linkErrorCaption, MsgButtons::ok,
                            MsgIcon::stop);
        return false;
    }
    return false;
}
