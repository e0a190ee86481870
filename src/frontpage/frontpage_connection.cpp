#include "frontpage/frontpage_connection.h"

#include "base/settings.h"
#include "base/text.h"

int ReadLoadingPolicy(ISettingsStore& settings)
{
    return ReadSetting(settings, setting::FrontPageLoading);
}

bool ConfirmFrontPageLoad(int nPolicy, const std::string& question, IFrontPageSystem& system, IPrompts& prompts)
{
    if (nPolicy != fpAlwaysAsk || system.ExplorerWindowExists())
        return true;
    return prompts.ShowMessage(question, "Question", MsgButtons::yesNo, MsgIcon::question) == MsgResult::yes;
}

std::string CreationFailureText(IFrontPageDrivers& factory, int32_t nStatus)
{
    return std::string(CutChars(factory.StatusText(nStatus), 255));
}

bool CreateFrontPageDrivers(FrontPageDrivers& drivers, bool bToDoList, bool bExplorer, IFrontPageDrivers& factory,
                            IPrompts& prompts, CWaitCursor& wait)
{
    int32_t nStatus = 0;
    const char* caption = nullptr;
    if (bToDoList) {
        nStatus = factory.CreateToDoList(drivers.toDoList);
        caption = kCaptionToDoListError;
    }
    if (nStatus == 0 && bExplorer) {
        nStatus = factory.CreateExplorer(drivers.explorer);
        caption = kCaptionExplorerError;
    }
    if (nStatus == 0)
        return true;
    const std::string text = CreationFailureText(factory, nStatus);
    wait.End();
    prompts.ShowMessage(text, caption, MsgButtons::ok, MsgIcon::stop);
    drivers.Release();
    return false;
}

TaskWebState RequestTaskWeb(IFrontPageExplorer& explorer, const std::string& webName, const std::string& webUrl)
{
    // The URL is asked only when the title already matches.
    if (explorer.GetWebTitle() == webName && explorer.GetWebUrl() == webUrl)
        return TaskWebState::shown;
    return explorer.OpenWeb(ServerFromWebUrl(webUrl, webName), webName, "") ? TaskWebState::opening
                                                                              : TaskWebState::refused;
}

bool BringUpTaskWeb(IFrontPageExplorer& explorer, const std::string& webName, const std::string& webUrl)
{
    return RequestTaskWeb(explorer, webName, webUrl) != TaskWebState::refused;
}

std::string ServerFromWebUrl(const std::string& webUrl, const std::string& webName)
{
    if (webName.empty())
        return webUrl;
    const std::string::size_type pos = webUrl.find("/" + webName);
    return pos == std::string::npos ? std::string() : webUrl.substr(0, pos);
}

int NextLoadingPolicy(int nPolicy)
{
    switch (nPolicy) {
    case fpLoadOnDemand: return fpAlwaysAsk;
    case fpAlwaysAsk: return fpDontLoad;
    default: return fpLoadOnDemand;
    }
}

int ToggleFrontPageLoading(ISettingsStore& settings)
{
    const int nNext = NextLoadingPolicy(ReadLoadingPolicy(settings));
    WriteSetting(settings, setting::FrontPageLoading, nNext);
    return nNext;
}

ToggleCheck LoadingButtonState(int nPolicy)
{
    switch (nPolicy) {
    case fpLoadOnDemand: return ToggleCheck::unchecked;
    case fpAlwaysAsk: return ToggleCheck::indeterminate;
    default: return ToggleCheck::checked;
    }
}

std::string LoadingPaneText(bool bPresent, int nPolicy)
{
    if (!bPresent)
        return std::string();
    switch (nPolicy) {
    case fpLoadOnDemand: return "FP Load On Demand";
    case fpAlwaysAsk: return "FP Always Ask";
    default: return "FP Don't Load";
    }
}

bool fpcmd::IsFrontPageCommand(unsigned nId)
{
    switch (nId) {
    case fpcmd::kNewTask:
    case fpcmd::kShowToDoList:
    case fpcmd::kLaunchEditor:
    case fpcmd::kLaunchExplorer:
    case fpcmd::kToggleLoading: return true;
    default: return false;
    }
}

bool IsFrontPageCommandEnabled(unsigned nId, bool bPresent, int nPolicy, int nSelected, bool bFirstIsFrontPage)
{
    if (!bPresent)
        return false;
    switch (nId) {
    case fpcmd::kNewTask:
    case fpcmd::kToggleLoading: return true;
    case fpcmd::kLaunchExplorer: return nPolicy != fpDontLoad;
    case fpcmd::kShowToDoList:
    case fpcmd::kLaunchEditor: return nPolicy != fpDontLoad && nSelected == 1 && bFirstIsFrontPage;
    default: return false;
    }
}
