#pragma once
// The FrontPage Task dialog's data and the decisions it makes, apart from
// its window: how it opens by policy and mode, "Change Web", "Browse", and
// OK, which adds a new task to FrontPage's To-Do List before it closes.

#include <string>

#include "base/prompts.h"
#include "dialogs/task_dialog_logic.h"
#include "frontpage/frontpage_connection.h"
#include "frontpage/frontpage_ports.h"

class ISettingsStore;

inline constexpr const char* kNotAssigned = "(Not Assigned)";
inline constexpr const char* kNotLinked = "Is not linked";
inline constexpr const char* kMultipleSelection = "(Multiple Selection)";
inline constexpr const char* kRootWeb = "<Root Web>";
inline constexpr const char* kNoWebSelected = "No Web Selected";
inline constexpr const char* kCreatorName = "Netbell";

struct FrontPageTaskData : TaskEditFields {
    std::string m_strWebTitle;
    std::string m_strWebUrl;
    std::string m_strLinkedTo;
    std::string m_strPageUrl;
    std::string m_strCookie;
    bool m_bNotConnected = false;
    bool m_bEditing = false;
};

// The dialog, run modally on the data; true for OK.
class IFrontPageTaskDialog {
public:
    virtual ~IFrontPageTaskDialog() = default;
    virtual bool Run(FrontPageTaskData& data) = 0;
};

// What the logic asks of the dialog's window.
class IFrontPageTaskDialogView {
public:
    virtual ~IFrontPageTaskDialogView() = default;
    // "Change Web", "Linked To" and "Browse".
    virtual void DisableWebControls() = 0;
    // The statics after "Title:" and "URL:".
    virtual void ShowWeb(const std::string& title, const std::string& url) = 0;
    virtual void SetLinkedTo(const std::string& text) = 0;
    virtual void FillProjects() = 0;
    virtual void BringToForeground() = 0;
    // The Document List on the dialog's Explorer; true with a page on OK.
    virtual bool RunDocumentList(IFrontPageExplorer& explorer, std::string& title, std::string& url) = 0;
};

struct FrontPageDialogPorts {
    ISettingsStore& settings;
    IPrompts& prompts;
    IFrontPageDrivers& factory;
    IFrontPageSystem& system;
    bool bFrontPagePresent;
};

// The web title to show for a stored task: its web's name, or a placeholder
// for the root web or for no web at all.
std::string WebTitleOfTask(const std::string& webName, const std::string& webUrl);

// The OK step for a new task: a cookie when the dialog works with FrontPage,
// "Is not linked" for a task without a page, then the To-Do List item.
// False (after the message) keeps the dialog open.
bool AddToFrontPage(FrontPageTaskData& data, IFrontPageToDoList* pToDoList, ISettingsStore& settings,
                    IPrompts& prompts);

class CFrontPageTaskDialogLogic {
public:
    CFrontPageTaskDialogLogic(FrontPageTaskData& data, const FrontPageDialogPorts& ports)
        : m_data(data), m(ports)
    {
    }

    // Everything after the members went into the controls.
    void OnInitDialog(IFrontPageTaskDialogView& view);
    void OnChangeWeb(IFrontPageTaskDialogView& view);
    void OnBrowse(IFrontPageTaskDialogView& view);
    // With the controls read back into the data: true closes with OK.
    bool OnOK();

    // The dialog's drivers live as long as the logic does.
    FrontPageDrivers& Drivers() { return m_drivers; }

private:
    void DisableWebControls(IFrontPageTaskDialogView& view);
    // Reads the open web into the statics, "(Not Assigned)" for both when
    // the Explorer has none.
    void ShowOpenWeb(IFrontPageTaskDialogView& view, bool bPromptWhenNone);
    bool Connect(IFrontPageTaskDialogView& view);

    FrontPageTaskData& m_data;
    FrontPageDialogPorts m;
    FrontPageDrivers m_drivers;
};
