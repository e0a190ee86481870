#include "frontpage/frontpage_dialog_logic.h"

#include "base/settings.h"
#include "model/netbell_doc.h"

namespace {

constexpr const char* kMsgAddFailed =
    "Sorry, failed to add task to FrontPage. Check that FrontPage has not been closed prematurely";
constexpr const char* kMsgNotModified =
    "The Associated Task in FrontPage has NOT been modified.Unfortunately, FrontPage only gives the ability to add "
    "a task and not to modify the details from another application.";

} // namespace

std::string WebTitleOfTask(const std::string& webName, const std::string& webUrl)
{
    if (!webName.empty())
        return webName;
    return webUrl.empty() ? kNoWebSelected : kRootWeb;
}

bool AddToFrontPage(FrontPageTaskData& data, IFrontPageToDoList* pToDoList, ISettingsStore& settings,
                    IPrompts& prompts)
{
    const bool bConnected = !data.m_bNotConnected;
    if (bConnected)
        data.m_strCookie = NextCookieName(settings);
    if (data.m_strPageUrl.empty()) {
        data.m_strPageUrl = kNotLinked;
        data.m_strLinkedTo = kNotLinked;
    }
    if (!bConnected)
        return true;
    // FrontPage counts priorities from 1.
    const int16_t nPriority = static_cast<int16_t>(data.m_nPriority + 1);
    if (pToDoList && pToDoList->AddToDoTask(data.m_strName, nPriority, kCreatorName, data.m_strPageUrl,
                                            data.m_strCookie, data.m_strDescription))
        return true;
    prompts.ShowMessage(kMsgAddFailed, "Server Connection Error", MsgButtons::ok, MsgIcon::exclamation);
    return false;
}

void CFrontPageTaskDialogLogic::DisableWebControls(IFrontPageTaskDialogView& view)
{
    m_data.m_bNotConnected = true;
    view.DisableWebControls();
}

bool CFrontPageTaskDialogLogic::Connect(IFrontPageTaskDialogView& view)
{
    if (m_data.m_bEditing)
        return false;
    const int nPolicy = ReadLoadingPolicy(m.settings);
    if (nPolicy == fpDontLoad)
        return false;
    if (!ConfirmFrontPageLoad(nPolicy, kQuestionLoadExplorerDialog, m.system, m.prompts))
        return false;
    CWaitCursor wait(m.system);
    // A server that cannot be created leaves the dialog as if FrontPage were
    // not to be loaded, so that OK cannot reach for a missing server.
    if (!CreateFrontPageDrivers(m_drivers, true, true, m.factory, m.prompts, wait))
        return false;
    ShowOpenWeb(view, true);
    return true;
}

void CFrontPageTaskDialogLogic::OnInitDialog(IFrontPageTaskDialogView& view)
{
    if (!Connect(view))
        DisableWebControls(view);
    view.FillProjects();
    view.BringToForeground();
}

void CFrontPageTaskDialogLogic::ShowOpenWeb(IFrontPageTaskDialogView& view, bool bPromptWhenNone)
{
    IFrontPageExplorer& explorer = *m_drivers.explorer;
    std::string title = explorer.GetWebTitle();
    std::string url = explorer.GetWebUrl();
    if (bPromptWhenNone && title.empty() && url.empty()) {
        explorer.ShowExplorer();
        explorer.PromptForWeb();
        title = explorer.GetWebTitle();
        url = explorer.GetWebUrl();
    }
    if (title.empty() && url.empty())
        title = url = kNotAssigned;
    view.ShowWeb(title, url);
}

void CFrontPageTaskDialogLogic::OnChangeWeb(IFrontPageTaskDialogView& view)
{
    if (!m_drivers.explorer)
        return;
    view.SetLinkedTo(std::string());
    m_drivers.explorer->ShowExplorer();
    m_drivers.explorer->PromptForWeb();
    // The page chosen earlier stays the task's page until Browse is used
    // again.
    ShowOpenWeb(view, false);
    view.BringToForeground();
}

void CFrontPageTaskDialogLogic::OnBrowse(IFrontPageTaskDialogView& view)
{
    if (!m_drivers.explorer)
        return;
    std::string title;
    std::string url;
    if (!view.RunDocumentList(*m_drivers.explorer, title, url))
        return;
    view.SetLinkedTo(title);
    m_data.m_strPageUrl = url;
}

bool CFrontPageTaskDialogLogic::OnOK()
{
    if (!m_data.m_bEditing)
        return AddToFrontPage(m_data, m_drivers.toDoList.get(), m.settings, m.prompts);
    if (m.bFrontPagePresent)
        m.prompts.ShowMessage(kMsgNotModified, "Frontpage Limitation", MsgButtons::ok, MsgIcon::exclamation);
    return true;
}
