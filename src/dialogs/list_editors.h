#pragma once
// The editors of the project list and the search-engine list: the four
// commands that open them, what their dialogs check, and what "Delete" does
// to the document.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/prompts.h"

class CDialogGuard;
class CNetbellDoc;

struct AddProjectData {
    std::string strName;
};

struct AddSearchEngineData {
    std::string strName;
    std::string strUrl;
};

// The four dialogs, each run modally; true when it ended with OK (Delete).
// The delete dialogs change the document themselves when Delete is pressed.
class IListEditorDialogs {
public:
    virtual ~IListEditorDialogs() = default;
    virtual bool RunAddProject(AddProjectData& data) = 0;
    virtual bool RunAddSearchEngine(AddSearchEngineData& data) = 0;
    virtual bool RunDeleteProjects(CNetbellDoc& doc) = 0;
    virtual bool RunDeleteSearchEngines(CNetbellDoc& doc) = 0;
};

// ---- The commands ----
// Each takes the dialog guard first and does nothing when another dialog is
// open; the guard is released after the dialog and the save.

// Saves only when a name was added.
void InsertProject(CDialogGuard& guard, IListEditorDialogs& dialogs, CNetbellDoc& doc,
                   std::function<void()> saveData);
// These three save whether the dialog ended with OK or Cancel.
void InsertSearchEngine(CDialogGuard& guard, IListEditorDialogs& dialogs, CNetbellDoc& doc,
                        std::function<void()> saveData);
void EditProjectList(CDialogGuard& guard, IListEditorDialogs& dialogs, CNetbellDoc& doc,
                     std::function<void()> saveData);
void EditSearchEngineList(CDialogGuard& guard, IListEditorDialogs& dialogs, CNetbellDoc& doc,
                          std::function<void()> saveData);

// ---- The dialogs' checks on OK ----

// A refusal to close: shown to the user, and the dialog stays open.
struct EntryMessage {
    std::string text;
    std::string caption;
    MsgIcon icon = MsgIcon::exclamation;
};

std::optional<EntryMessage> ValidateAddProject(const AddProjectData& data);
std::optional<EntryMessage> ValidateAddSearchEngine(const AddSearchEngineData& data);

// ---- The delete dialogs ----

// One line of a list, carrying the index of its entry in the document.
struct ListEditorRow {
    std::string strName;
    std::string strUrl; // search engines only
    size_t nIndex = 0;
};

// Projects in document order; the list box sorts them itself.
std::vector<ListEditorRow> ProjectRows(const CNetbellDoc& doc);
// Search engines from the top row down: the newest first.
std::vector<ListEditorRow> SearchEngineRows(const CNetbellDoc& doc);

// Removes exactly the entries whose indexes are given, keeping the order of
// the rest; equal names elsewhere in the list stay.
void DeleteProjects(CNetbellDoc& doc, const std::vector<size_t>& selected);
void DeleteSearchEngines(CNetbellDoc& doc, const std::vector<size_t>& selected);

// ---- Report-list headings ----

// A heading string split at every comma; each piece is kept exactly, its
// trailing spaces (which set the column's width) included.
std::vector<std::string> SplitColumnHeadings(const std::string& headings);
