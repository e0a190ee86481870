#include "dialogs/win32/task_dialog.h"

#include <commctrl.h>
#include <shellapi.h>

#include "base/win32/prompts_win32.h"
#include "dialogs/win32/choice_combo.h"
#include "dialogs/win32/shortcuts_win32.h"
#include "model/netbell_doc.h"
#include "res/resource.h"

namespace {

constexpr int kTemplateId = 145;
constexpr int kIdName = 1016;
constexpr int kIdAssignTo = 1018;
constexpr int kIdProject = 1017;
constexpr int kIdBilling = 1019;
constexpr int kIdHigh = 1015;
constexpr int kIdMedium = 1003;
constexpr int kIdLow = 1008;
constexpr int kIdUrl = 1021;
constexpr int kIdFavorites = 1033;
constexpr int kIdEngines = 1025;
constexpr int kIdAllSites = 1036;
constexpr int kIdDescription = 1020;
constexpr int kIdIcon = 1022;
constexpr int kPriorityButtons[] = {kIdHigh, kIdMedium, kIdLow};
// The URL box finds its dialog through this window property.
constexpr const TCHAR* kDialogProp = TEXT("Netbell.TaskDialog");

void ShowControl(HWND hDlg, int nId, bool bShow)
{
    HWND hwnd = GetDlgItem(hDlg, nId);
    EnableWindow(hwnd, bShow);
    ShowWindow(hwnd, bShow ? SW_SHOW : SW_HIDE);
}

} // namespace

CTaskDialog::CTaskDialog(HINSTANCE hInstance, CNetbellDoc& doc, CWin32Prompts& prompts)
    : CModalDialog(hInstance, kTemplateId), m_doc(doc), m_prompts(prompts)
{
}

bool CTaskDialog::Run(TaskDialogData& data)
{
    m_pData = &data;
    HWND hwndOwner = m_prompts.Owner();
    const bool bOk = DoModal(hwndOwner) == IDOK;
    m_pData = nullptr;
    return bOk;
}

std::string CTaskDialog::Text(int nId) const
{
    const auto it = m_given.find(nId);
    return GetDlgItemString(m_hWnd, nId, it == m_given.end() ? std::string() : it->second);
}

void CTaskDialog::SetText(int nId, const std::string& text)
{
    m_given[nId] = text;
    SetDlgItemString(m_hWnd, nId, text);
}

BOOL CTaskDialog::OnInitDialog()
{
    TaskDialogData& d = *m_pData;
    m_given.clear();
    SetText(kIdName, d.m_strName);
    SetText(kIdAssignTo, d.m_strAssignTo);
    SetText(kIdBilling, d.m_strBillingInfo);
    SetText(kIdUrl, d.m_strUrl);
    SetText(kIdDescription, d.m_strDescription);
    for (int i = 0; i < 3; ++i)
        CheckDlgButton(m_hWnd, kPriorityButtons[i], d.m_nPriority == i ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(m_hWnd, kIdAllSites, d.m_bAllSites ? BST_CHECKED : BST_UNCHECKED);

    m_hIcon = static_cast<HICON>(LoadImage(m_hInstance, MAKEINTRESOURCE(d.m_nIconId), IMAGE_ICON, 32, 32, LR_SHARED));
    SendDlgItemMessage(m_hWnd, kIdIcon, STM_SETICON, reinterpret_cast<WPARAM>(m_hIcon), 0);

    // The URL box takes a shortcut file dropped on it; its drops come here.
    // Classic subclassing: SetWindowSubclass is common controls 6 only.
    HWND hUrl = GetDlgItem(m_hWnd, kIdUrl);
    SetProp(hUrl, kDialogProp, this);
    m_pfnUrlEditProc =
        reinterpret_cast<WNDPROC>(SetWindowLongPtr(hUrl, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&UrlEditProc)));
    DragAcceptFiles(hUrl, AcceptsShortcuts(d.m_nKind));
    m_bEngineMode = IsSearchEngineMode(d);
    if (d.m_nKind == kindSearch) {
        if (m_bEngineMode) {
            ShowControl(m_hWnd, kIdEngines, true);
            ShowControl(m_hWnd, kIdAllSites, true);
            ShowControl(m_hWnd, kIdUrl, false);
            FillEngines();
        }
        ShowControl(m_hWnd, kIdFavorites, false);
    }
    FillProjects();
    SetForegroundWindow(m_hWnd);
    SetWindowString(m_hWnd, TaskDialogCaption(d.m_nKind));
    return TRUE;
}

void CTaskDialog::FillProjects()
{
    const ProjectChoices choices = BuildProjectChoices(m_doc.m_arrProjects, m_pData->m_strProject);
    m_projectChoices = choices.items;
    FillChoiceCombo(GetDlgItem(m_hWnd, kIdProject), choices.items, choices.nSelect);
}

void CTaskDialog::FillEngines()
{
    FillChoiceCombo(GetDlgItem(m_hWnd, kIdEngines), BuildEngineChoices(m_doc));
}

void CTaskDialog::ReadControls()
{
    TaskDialogData& d = *m_pData;
    d.m_strName = Text(kIdName);
    d.m_strAssignTo = Text(kIdAssignTo);
    d.m_strBillingInfo = Text(kIdBilling);
    d.m_strUrl = Text(kIdUrl);
    d.m_strDescription = Text(kIdDescription);
    d.m_strProject = ChosenChoiceText(GetDlgItem(m_hWnd, kIdProject), m_projectChoices);
    d.m_nPriority = -1;
    for (int i = 0; i < 3; ++i) {
        if (IsDlgButtonChecked(m_hWnd, kPriorityButtons[i]) == BST_CHECKED)
            d.m_nPriority = i;
    }
    d.m_bAllSites = IsDlgButtonChecked(m_hWnd, kIdAllSites) == BST_CHECKED;
}

void CTaskDialog::OnOK()
{
    ReadControls();
    if (m_bEngineMode && !m_pData->m_bAllSites) {
        HWND hCombo = GetDlgItem(m_hWnd, kIdEngines);
        const LRESULT sel = SendMessage(hCombo, CB_GETCURSEL, 0, 0);
        const int nEngine = sel == CB_ERR ? -1 : static_cast<int>(SendMessage(hCombo, CB_GETITEMDATA, sel, 0));
        CWin32Prompts prompts(m_hWnd);
        if (!ConfirmSearchSite(*m_pData, m_doc, nEngine, prompts))
            return;
        EnableWindow(GetDlgItem(m_hWnd, kIdUrl), TRUE);
        SetText(kIdUrl, m_pData->m_strUrl);
        ReadControls();
    }
    EndDialog(m_hWnd, IDOK);
}

BOOL CTaskDialog::OnCommand(WORD id, WORD code, HWND hwndCtl)
{
    switch (id) {
    case kIdAllSites:
        if (code == BN_CLICKED) {
            ReadControls();
            EnableWindow(GetDlgItem(m_hWnd, kIdEngines), !m_pData->m_bAllSites);
        }
        return TRUE;
    case kIdFavorites:
        if (code == BN_CLICKED)
            OnFavorites();
        return TRUE;
    default: return CModalDialog::OnCommand(id, code, hwndCtl);
    }
}

void CTaskDialog::OnFavorites()
{
    ShortcutResult result;
    CWin32Prompts prompts(m_hWnd);
    if (PickFavoritesShortcut(m_hWnd, prompts, result) && result.outcome == ShortcutOutcome::Resolved)
        FillFromShortcut(result);
}

void CTaskDialog::FillFromShortcut(const ShortcutResult& result)
{
    TaskDialogData fields;
    fields.m_strName = Text(kIdName);
    ApplyShortcut(fields, result);
    SetText(kIdName, fields.m_strName);
    SetText(kIdUrl, fields.m_strUrl);
}

void CTaskDialog::OnDropFiles(HDROP hDrop)
{
    // Its boxes are modal to the dialog, so it takes no input under them.
    CWin32Prompts prompts(m_hWnd);
    if (DragQueryFile(hDrop, 0xFFFFFFFF, nullptr, 0) > 1) {
        prompts.ShowMessage(kMsgSingleUrlOnly, "Warning", MsgButtons::ok, MsgIcon::exclamation);
    } else {
        TCHAR path[MAX_PATH] = {};
        DragQueryFile(hDrop, 0, path, MAX_PATH);
        const ShortcutResult result = ResolveInternetShortcut(FromSys(path));
        if (ReportShortcutOutcome(ShortcutCaller::TaskDialogDrop, result, prompts))
            FillFromShortcut(result);
    }
    DragFinish(hDrop);
}

LRESULT CALLBACK CTaskDialog::UrlEditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* pThis = static_cast<CTaskDialog*>(GetProp(hwnd, kDialogProp));
    const WNDPROC pfnOwn = pThis->m_pfnUrlEditProc;
    if (msg == WM_DROPFILES) {
        pThis->OnDropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pfnOwn));
        RemoveProp(hwnd, kDialogProp);
    }
    return CallWindowProc(pfnOwn, hwnd, msg, wParam, lParam);
}
