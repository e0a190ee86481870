#pragma once
// What the task list does with an object dragged onto it: Internet shortcut
// files become Browse tasks at once, plain text opens a new Note.

#include <string>
#include <vector>

#include "dialogs/shortcuts.h"

class CNetbellDoc;
class IClock;
class IPrompts;
class ITaskListControl;

// The dragged object's data, in the two formats the list takes.
class IDropData {
public:
    virtual ~IDropData() = default;
    virtual bool HasFileList() = 0;
    // The dropped files' full paths in order; false when the data could not
    // be had.
    virtual bool GetFileList(std::vector<std::string>& paths) = 0;
    virtual bool HasText() = 0;
    // The text up to its zero byte; false when the data could not be had.
    virtual bool GetText(std::string& text) = 0;
};

class IShortcutResolver {
public:
    virtual ~IShortcutResolver() = default;
    virtual ShortcutResult ResolveInternetShortcut(const std::string& path) = 0;
};

// Where a drop puts its tasks.
class IDropTaskSink {
public:
    virtual ~IDropTaskSink() = default;
    // Appends a Browse task and its row at the top, with no dialog and no save.
    virtual void AddBrowseTask(const std::string& name, const std::string& url) = 0;
    // Opens the task dialog for a new Note with the text as its description.
    virtual void AddNote(const std::string& text) = 0;
    // Saves the document, once at the end of a drop.
    virtual void Save() = 0;
};

enum class DropEffect { none, copy };

// The answer to every movement of a drag across the list: copy when the file
// list holds a shortcut, or when there is text; otherwise none.
DropEffect TaskListDragOver(IDropData& data, IPrompts& prompts);

// One dropped file: true to go on with the next, false to end the drop.
bool AddShortcutFile(const std::string& path, IShortcutResolver& resolver, IPrompts& prompts,
                     IDropTaskSink& sink);

// The drop itself; true when it was taken. Every drop that is taken saves
// once, whatever became of its files.
bool TaskListDrop(IDropData& data, IShortcutResolver& resolver, IPrompts& prompts, IDropTaskSink& sink);

// A dropped shortcut's task: Browse, open, Medium whatever the default
// priority, added now; appended to the document with its row at the top.
void AppendBrowseTask(CNetbellDoc& doc, ITaskListControl& list, IClock& clock, const std::string& name,
                      const std::string& url);

inline constexpr const char* kMsgDropRegisterFailed = "Could not register as a drag and drop Target";
