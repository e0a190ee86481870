#include "frontpage/win32/frontpage_task_dialog.h"

#include "base/win32/prompts_win32.h"
#include "dialogs/task_dialog_logic.h"
#include "dialogs/win32/choice_combo.h"
#include "frontpage/win32/document_list_dialog.h"
#include "res/frontpage_ids.h"

namespace {

constexpr int kPriorityButtons[] = {IDC_FPT_HIGH, IDC_FPT_MEDIUM, IDC_FPT_LOW};

} // namespace

CFrontPageTaskDialog::CFrontPageTaskDialog(HINSTANCE hInstance, FrontPageTaskData& data,
                                           const FrontPageDialogPorts& ports,
                                           const std::vector<std::string>& projects, CWin32Prompts* pOwnedPrompts)
    : CModalDialog(hInstance, IDD_FRONTPAGE_TASK), m_data(data), m_ports(ports), m_projects(projects),
      m_pOwnedPrompts(pOwnedPrompts), m_logic(data, ports)
{
}

std::string CFrontPageTaskDialog::Text(int nId) const
{
    const auto it = m_given.find(nId);
    return GetDlgItemString(m_hWnd, nId, it == m_given.end() ? std::string() : it->second);
}

void CFrontPageTaskDialog::SetText(int nId, const std::string& text)
{
    m_given[nId] = text;
    SetDlgItemString(m_hWnd, nId, text);
}

BOOL CFrontPageTaskDialog::OnInitDialog()
{
    m_given.clear();
    if (m_pOwnedPrompts)
        m_pOwnedPrompts->SetOwner(m_hWnd);
    // The members into the controls; the statics lose their template text.
    SetText(IDC_FPT_NAME, m_data.m_strName);
    SetText(IDC_FPT_ASSIGN_TO, m_data.m_strAssignTo);
    SetText(IDC_FPT_BILLING, m_data.m_strBillingInfo);
    SetText(IDC_FPT_DESCRIPTION, m_data.m_strDescription);
    SetText(IDC_FPT_WEB_TITLE, m_data.m_strWebTitle);
    SetText(IDC_FPT_WEB_URL, m_data.m_strWebUrl);
    SetText(IDC_FPT_LINKED_TO, m_data.m_strLinkedTo);
    for (int i = 0; i < 3; ++i)
        CheckDlgButton(m_hWnd, kPriorityButtons[i], m_data.m_nPriority == i ? BST_CHECKED : BST_UNCHECKED);
    m_logic.OnInitDialog(*this);
    return TRUE;
}

void CFrontPageTaskDialog::DisableWebControls()
{
    for (int nId : {IDC_FPT_CHANGE_WEB, IDC_FPT_LINKED_TO, IDC_FPT_BROWSE})
        EnableWindow(GetDlgItem(m_hWnd, nId), FALSE);
}

void CFrontPageTaskDialog::ShowWeb(const std::string& title, const std::string& url)
{
    SetText(IDC_FPT_WEB_TITLE, title);
    SetText(IDC_FPT_WEB_URL, url);
}

void CFrontPageTaskDialog::SetLinkedTo(const std::string& text)
{
    SetText(IDC_FPT_LINKED_TO, text);
}

void CFrontPageTaskDialog::FillProjects()
{
    const ProjectChoices choices = BuildProjectChoices(m_projects, m_data.m_strProject);
    m_projectChoices = choices.items;
    FillChoiceCombo(GetDlgItem(m_hWnd, IDC_FPT_PROJECT), choices.items, choices.nSelect);
}

void CFrontPageTaskDialog::BringToForeground()
{
    SetForegroundWindow(m_hWnd);
}

bool CFrontPageTaskDialog::RunDocumentList(IFrontPageExplorer& explorer, std::string& title, std::string& url)
{
    CDocumentListDialog list(m_hInstance, &explorer, m_ports.system, m_ports.prompts, m_pOwnedPrompts);
    if (!list.Run(m_hWnd))
        return false;
    title = list.m_strSelTitle;
    url = list.m_strSelUrl;
    return true;
}

void CFrontPageTaskDialog::ReadControls()
{
    m_data.m_strName = Text(IDC_FPT_NAME);
    m_data.m_strAssignTo = Text(IDC_FPT_ASSIGN_TO);
    m_data.m_strProject = ChosenChoiceText(GetDlgItem(m_hWnd, IDC_FPT_PROJECT), m_projectChoices);
    m_data.m_strBillingInfo = Text(IDC_FPT_BILLING);
    m_data.m_strDescription = Text(IDC_FPT_DESCRIPTION);
    m_data.m_strWebTitle = Text(IDC_FPT_WEB_TITLE);
    m_data.m_strWebUrl = Text(IDC_FPT_WEB_URL);
    m_data.m_strLinkedTo = Text(IDC_FPT_LINKED_TO);
    m_data.m_nPriority = -1;
    for (int i = 0; i < 3; ++i) {
        if (IsDlgButtonChecked(m_hWnd, kPriorityButtons[i]) == BST_CHECKED)
            m_data.m_nPriority = i;
    }
}

void CFrontPageTaskDialog::OnOK()
{
    ReadControls();
    if (m_logic.OnOK())
        EndDialog(m_hWnd, IDOK);
}

BOOL CFrontPageTaskDialog::OnCommand(WORD id, WORD code, HWND hwndCtl)
{
    switch (id) {
    case IDC_FPT_CHANGE_WEB:
        if (code == BN_CLICKED)
            m_logic.OnChangeWeb(*this);
        return TRUE;
    case IDC_FPT_BROWSE:
        if (code == BN_CLICKED)
            m_logic.OnBrowse(*this);
        return TRUE;
    default: return CModalDialog::OnCommand(id, code, hwndCtl);
    }
}
