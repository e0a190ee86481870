#include "frontpage/win32/frontpage_integration.h"

#include <commctrl.h>

#include "frontpage/win32/document_list_dialog.h"
#include "frontpage/win32/frontpage_task_dialog.h"
#include "model/netbell_doc.h"
#include "options/warnings.h"
#include "options/win32/warning_dialog.h"

namespace {

constexpr UINT kAppTitleId = 0xE000;

std::string AppTitle(HINSTANCE hInstance)
{
    const std::string title = LoadModuleString(hInstance, kAppTitleId);
    return title.empty() ? "Netbell" : title;
}

} // namespace

CFrontPageIntegration::CFrontPageIntegration(const FrontPageIntegrationPorts& ports) : m(ports), m_tasks(TaskPorts())
{
}

FrontPageTaskPorts CFrontPageIntegration::TaskPorts()
{
    return FrontPageTaskPorts{m.doc,
                              m.settings,
                              m.prompts,
                              m.guard,
                              m.list,
                              m.clock,
                              m_dialog,
                              m_drivers,
                              m_system,
                              m_registry,
                              [this](unsigned nId) { ShowWarning(nId); },
                              AppTitle(m.hInstance)};
}

bool CFrontPageIntegration::Detect()
{
    return m_tasks.Detect();
}

void CFrontPageIntegration::UpdateMenuLinks()
{
    m_tasks.UpdateMenuLinks();
}

int CFrontPageIntegration::LoadingPolicy() const
{
    return m_tasks.LoadingPolicy();
}

void CFrontPageIntegration::RefreshLoadingPolicy()
{
    m_tasks.RefreshLoadingPolicy();
}

bool CFrontPageIntegration::IsFrontPageCommand(UINT nId)
{
    return fpcmd::IsFrontPageCommand(nId);
}

bool CFrontPageIntegration::IsCommandEnabled(UINT nId)
{
    return m_tasks.IsCommandEnabled(nId);
}

bool CFrontPageIntegration::OnCommand(UINT nId)
{
    return m_tasks.OnCommand(nId);
}

std::string CFrontPageIntegration::StatusPaneText() const
{
    return m_tasks.StatusPaneText();
}

BYTE CFrontPageIntegration::ToggleButtonState() const
{
    if (!m_tasks.Present())
        return 0;
    switch (m_tasks.ToggleState()) {
    case ToggleCheck::unchecked: return TBSTATE_ENABLED;
    case ToggleCheck::indeterminate: return TBSTATE_ENABLED | TBSTATE_INDETERMINATE;
    case ToggleCheck::checked: return TBSTATE_ENABLED | TBSTATE_CHECKED;
    }
    return TBSTATE_ENABLED;
}

bool CFrontPageIntegration::IsPresent()
{
    return m_tasks.IsPresent();
}

bool CFrontPageIntegration::CompleteInFrontPage(CRemindTask& task)
{
    return m_tasks.CompleteInFrontPage(task);
}

void CFrontPageIntegration::EditFrontPageItem(int nRow)
{
    m_tasks.EditFrontPageItem(nRow);
}

void CFrontPageIntegration::EditFrontPageSelection()
{
    m_tasks.EditFrontPageSelection();
}

void CFrontPageIntegration::ShowWarning(unsigned nStringId)
{
    CWin32WarningDialog dialog(m.hInstance, m.owner ? m.owner() : nullptr);
    const HINSTANCE hInstance = m.hInstance;
    ::ShowWarning(nStringId, m.settings, dialog, [hInstance](unsigned nId) { return LoadModuleString(hInstance, nId); });
}

bool CFrontPageIntegration::CDialogRunner::Run(FrontPageTaskData& data)
{
    CFrontPageIntegration& o = m_owner;
    // Messages shown while the dialog is open belong to the dialog.
    CWin32Prompts dialogPrompts;
    const FrontPageDialogPorts ports{o.m.settings, dialogPrompts, o.m_drivers, o.m_system, o.m_tasks.IsPresent()};
    CFrontPageTaskDialog dialog(o.m.hInstance, data, ports, o.m.doc.m_arrProjects, &dialogPrompts);
    return dialog.Run(o.m.owner ? o.m.owner() : nullptr);
}
