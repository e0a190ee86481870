#include "view/win32/netbell_view.h"

#include <commctrl.h>
#include <shlobj.h>

#include "app/app_shell.h"
#include "app/win32/shell_folders.h"
#include "model/netbell_doc.h"
#include "res/resource.h"

CNetbellView::CNetbellView(CNetbellDoc& doc, ISettingsStore& settings, IPrompts& prompts)
    : m_doc(doc), m_settings(settings), m_prompts(prompts)
{
}

bool CNetbellView::Create(HWND hwndParent, UINT nId)
{
    m_hWnd = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                             WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS, 0, 0, 0, 0,
                             hwndParent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nId)),
                             GetModuleHandleA(nullptr), nullptr);
    if (!m_hWnd)
        return false;
    ListView_SetExtendedListViewStyle(m_hWnd, LVS_EX_FULLROWSELECT);
    return true;
}

bool CNetbellView::OnCommand(UINT nId)
{
    switch (nId) {
    case ID_BACKUP_DATA: OnBackupData(); return true;
    default: return false;
    }
}

bool CNetbellView::QueryCommand(UINT nId, bool& bEnabled) const
{
    switch (nId) {
    case ID_BACKUP_DATA: bEnabled = true; return true;
    default: return false;
    }
}

void CNetbellView::OnBackupData()
{
    BackupData(m_doc, m_settings, m_prompts, [this](std::string& folder) {
        return GetSpecialFolder(m_hWnd, CSIDL_DESKTOPDIRECTORY, folder);
    });
}
