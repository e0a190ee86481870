#include "dialogs/win32/list_editor_dialogs.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "base/win32/prompts_win32.h"
#include "dialogs/win32/report_list_ctrl.h"
#include "dialogs/win32/shortcuts_win32.h"
#include "model/netbell_doc.h"
#include "res/resource.h"

namespace {

// Shows a refusal owned by the dialog; true when there was one.
bool Refuse(HWND hDlg, const std::optional<EntryMessage>& message)
{
    if (!message)
        return false;
    CWin32Prompts(hDlg).ShowMessage(message->text, message->caption, MsgButtons::ok, message->icon);
    return true;
}

} // namespace

// ---- Add Project ----

CAddProjectDialog::CAddProjectDialog(HINSTANCE hInstance, AddProjectData& data)
    : CModalDialog(hInstance, IDD_ADD_PROJECT), m_data(data)
{
}

BOOL CAddProjectDialog::OnInitDialog()
{
    SetDlgItemString(m_hWnd, IDC_ADD_PROJECT_NAME, m_data.strName);
    return TRUE;
}

void CAddProjectDialog::OnOK()
{
    AddProjectData entered{GetDlgItemString(m_hWnd, IDC_ADD_PROJECT_NAME, m_data.strName)};
    if (Refuse(m_hWnd, ValidateAddProject(entered))) {
        SetFocus(GetDlgItem(m_hWnd, IDC_ADD_PROJECT_NAME));
        return;
    }
    m_data = entered;
    EndDialog(m_hWnd, IDOK);
}

// ---- Add Search Engine Url ----

CAddSearchEngineDialog::CAddSearchEngineDialog(HINSTANCE hInstance, AddSearchEngineData& data)
    : CModalDialog(hInstance, IDD_ADD_SEARCH_ENGINE), m_data(data)
{
}

BOOL CAddSearchEngineDialog::OnInitDialog()
{
    SetDlgItemString(m_hWnd, IDC_ADD_ENGINE_NAME, m_data.strName);
    SetDlgItemString(m_hWnd, IDC_ADD_ENGINE_URL, m_data.strUrl);
    return TRUE;
}

void CAddSearchEngineDialog::OnOK()
{
    AddSearchEngineData entered{GetDlgItemString(m_hWnd, IDC_ADD_ENGINE_NAME, m_data.strName),
                                GetDlgItemString(m_hWnd, IDC_ADD_ENGINE_URL, m_data.strUrl)};
    if (Refuse(m_hWnd, ValidateAddSearchEngine(entered))) {
        SetFocus(GetDlgItem(m_hWnd, entered.strName.empty() ? IDC_ADD_ENGINE_NAME : IDC_ADD_ENGINE_URL));
        return;
    }
    m_data = entered;
    EndDialog(m_hWnd, IDOK);
}

BOOL CAddSearchEngineDialog::OnCommand(WORD id, WORD code, HWND hwndCtl)
{
    if (id == IDC_BROWSE_FAVORITES && code == BN_CLICKED) {
        OnBrowseFavorites();
        return TRUE;
    }
    return CModalDialog::OnCommand(id, code, hwndCtl);
}

void CAddSearchEngineDialog::OnBrowseFavorites()
{
    CWin32Prompts prompts(m_hWnd);
    ShortcutResult result;
    if (!PickFavoritesShortcut(m_hWnd, prompts, result) || result.outcome != ShortcutOutcome::Resolved)
        return;
    // Unlike the task dialog, a picked shortcut replaces a typed name too.
    SetDlgItemString(m_hWnd, IDC_ADD_ENGINE_NAME, result.title);
    SetDlgItemString(m_hWnd, IDC_ADD_ENGINE_URL, result.url);
}

// ---- Delete Projects ----

CDeleteProjectsDialog::CDeleteProjectsDialog(HINSTANCE hInstance, CNetbellDoc& doc)
    : CModalDialog(hInstance, IDD_DELETE_PROJECTS), m_doc(doc)
{
}

BOOL CDeleteProjectsDialog::OnInitDialog()
{
    const HWND hList = GetDlgItem(m_hWnd, IDC_DELETE_PROJECT_LIST);
    for (const ListEditorRow& row : ProjectRows(m_doc)) {
        // The list sorts, so each item keeps its project's place itself.
        const tstring name = ToSys(row.strName);
        const LRESULT nItem = SendMessage(hList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        if (nItem >= 0)
            SendMessage(hList, LB_SETITEMDATA, nItem, static_cast<LPARAM>(row.nIndex));
    }
    return TRUE;
}

void CDeleteProjectsDialog::OnOK()
{
    const HWND hList = GetDlgItem(m_hWnd, IDC_DELETE_PROJECT_LIST);
    const LRESULT nCount = SendMessage(hList, LB_GETSELCOUNT, 0, 0);
    std::vector<size_t> selected;
    if (nCount > 0) {
        std::vector<int> items(nCount);
        const LRESULT nGot = SendMessage(hList, LB_GETSELITEMS, nCount, reinterpret_cast<LPARAM>(items.data()));
        for (LRESULT i = 0; i < nGot; ++i)
            selected.push_back(static_cast<size_t>(SendMessage(hList, LB_GETITEMDATA, items[i], 0)));
    }
    DeleteProjects(m_doc, selected);
    EndDialog(m_hWnd, IDOK);
}

// ---- Delete Search Engine Url ----

CDeleteSearchEnginesDialog::CDeleteSearchEnginesDialog(HINSTANCE hInstance, CNetbellDoc& doc)
    : CModalDialog(hInstance, IDD_DELETE_SEARCH_ENGINES), m_doc(doc)
{
}

BOOL CDeleteSearchEnginesDialog::OnInitDialog()
{
    CReportListCtrl list(GetDlgItem(m_hWnd, IDC_DELETE_ENGINE_LIST));
    list.LoadColumnHeadings(IDS_SEARCH_COLUMNS);
    int nRow = 0;
    for (const ListEditorRow& row : SearchEngineRows(m_doc)) {
        const int nItem = list.InsertItem(nRow++, row.strName);
        if (nItem < 0)
            continue;
        list.SetItemText(nItem, 1, row.strUrl);
        list.SetItemData(nItem, static_cast<LPARAM>(row.nIndex));
    }
    return TRUE;
}

void CDeleteSearchEnginesDialog::OnOK()
{
    CReportListCtrl list(GetDlgItem(m_hWnd, IDC_DELETE_ENGINE_LIST));
    std::vector<size_t> selected;
    for (int nRow : list.GetSelectedRows())
        selected.push_back(static_cast<size_t>(list.GetItemData(nRow)));
    DeleteSearchEngines(m_doc, selected);
    EndDialog(m_hWnd, IDOK);
}

// ---- The port ----

HINSTANCE CWin32ListEditorDialogs::Instance() const
{
    return m_hInstance ? m_hInstance : GetModuleHandle(nullptr);
}

HWND CWin32ListEditorDialogs::Owner() const
{
    return m_hwndOwner;
}

bool CWin32ListEditorDialogs::RunAddProject(AddProjectData& data)
{
    return CAddProjectDialog(Instance(), data).DoModal(Owner()) == IDOK;
}

bool CWin32ListEditorDialogs::RunAddSearchEngine(AddSearchEngineData& data)
{
    return CAddSearchEngineDialog(Instance(), data).DoModal(Owner()) == IDOK;
}

bool CWin32ListEditorDialogs::RunDeleteProjects(CNetbellDoc& doc)
{
    return CDeleteProjectsDialog(Instance(), doc).DoModal(Owner()) == IDOK;
}

bool CWin32ListEditorDialogs::RunDeleteSearchEngines(CNetbellDoc& doc)
{
    return CDeleteSearchEnginesDialog(Instance(), doc).DoModal(Owner()) == IDOK;
}
