#pragma once
// The steps every FrontPage feature shares: the load policy and its toggle,
// the question before the Explorer is started, creating the drivers,
// bringing up a task's web, and what the frame shows for all of it.

#include <memory>
#include <string>

#include "base/prompts.h"
#include "frontpage/frontpage_ports.h"

class ISettingsStore;

// The load policy, "Loading" of "Settings\FrontPage".
enum FrontPageLoading { fpLoadOnDemand = 0, fpAlwaysAsk = 1, fpDontLoad = 2 };

// The commands of FrontPage.
namespace fpcmd {
inline constexpr unsigned kNewTask = 32776;
inline constexpr unsigned kShowToDoList = 32786;
inline constexpr unsigned kLaunchEditor = 32787;
inline constexpr unsigned kLaunchExplorer = 32789;
inline constexpr unsigned kToggleLoading = 32791;
} // namespace fpcmd

// The suppressible warnings of FrontPage tasks.
namespace fpwarn {
inline constexpr unsigned kNoWeb = 61208;
inline constexpr unsigned kNotAffected = 61209;
inline constexpr unsigned kNotLoaded = 61210;
inline constexpr unsigned kNoFrontPage = 61225;
} // namespace fpwarn

inline constexpr const char* kQuestionLoadExplorerDialog = "Do you want Netbell to load FrontPage Explorer ?";
inline constexpr const char* kQuestionLoadExplorer = "Do you want Netbell to load FrontPage Explorer";
inline constexpr const char* kQuestionLoadEditor = "Do you want Netbell to load FrontPage Editor";
inline constexpr const char* kCaptionToDoListError = "FrontPage ToDoList Error";
inline constexpr const char* kCaptionExplorerError = "FrontPage Explorer Error";

// The policy as stored; an absent value reads as Always Ask.
int ReadLoadingPolicy(ISettingsStore& settings);

// Policy 1 with no Explorer window: the question, true for Yes. Any other
// case goes on without asking.
bool ConfirmFrontPageLoad(int nPolicy, const std::string& question, IFrontPageSystem& system, IPrompts& prompts);

// The drivers of one command or one dialog.
struct FrontPageDrivers {
    std::unique_ptr<IFrontPageToDoList> toDoList;
    std::unique_ptr<IFrontPageExplorer> explorer;
    void Release()
    {
        toDoList.reset();
        explorer.reset();
    }
};

// Creates the drivers asked for, the To-Do List first, under the caller's
// wait cursor. On a failure the cursor ends, the system's text for the
// status is shown with the failing server's caption, every driver already
// made is released, and false comes back.
bool CreateFrontPageDrivers(FrontPageDrivers& drivers, bool bToDoList, bool bExplorer, IFrontPageDrivers& factory,
                            IPrompts& prompts, CWaitCursor& wait);

// The system's text cut to 255 characters.
std::string CreationFailureText(IFrontPageDrivers& factory, int32_t nStatus);

// Makes the Explorer show the task's web: nothing more when its title and
// then its URL already match, otherwise a request to open it.
enum class TaskWebState { shown, opening, refused };
TaskWebState RequestTaskWeb(IFrontPageExplorer& explorer, const std::string& webName, const std::string& webUrl);
// False when the Explorer refused to open the web.
bool BringUpTaskWeb(IFrontPageExplorer& explorer, const std::string& webName, const std::string& webUrl);

// The server part of a web URL: all of it for the root web, the part before
// "/" + the web's name otherwise, empty when that does not occur.
std::string ServerFromWebUrl(const std::string& webUrl, const std::string& webName);

// One step along 0 -> 1 -> 2 -> 0; any other value goes to 0.
int NextLoadingPolicy(int nPolicy);
// Reads the policy, moves it one step, writes it back; returns the new one.
int ToggleFrontPageLoading(ISettingsStore& settings);

enum class ToggleCheck { unchecked, indeterminate, checked };
ToggleCheck LoadingButtonState(int nPolicy);
// The text of the status-bar pane; blank while FrontPage is absent.
std::string LoadingPaneText(bool bPresent, int nPolicy);

// Whether a FrontPage command is enabled. nSelected is the number of
// selected rows and bFirstIsFrontPage tells the kind of the first of them.
bool IsFrontPageCommandEnabled(unsigned nId, bool bPresent, int nPolicy, int nSelected, bool bFirstIsFrontPage);
namespace fpcmd {
// One of the five ids above.
bool IsFrontPageCommand(unsigned nId);
} // namespace fpcmd
