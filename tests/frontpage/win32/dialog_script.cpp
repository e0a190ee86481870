#include "frontpage/win32/dialog_script.h"

#include <commctrl.h>

#include "base/win32/window.h"

namespace {

constexpr UINT kTickMs = 50;
constexpr int kMaxWaitingTicks = 400; // 20 seconds

struct Search {
    const std::string* caption;
    HWND hwnd;
};

BOOL CALLBACK FindCaption(HWND hwnd, LPARAM lParam)
{
    Search& s = *reinterpret_cast<Search*>(lParam);
    // A dialog under another modal one is disabled: it is not its turn.
    if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd) && *s.caption == GetWindowString(hwnd)) {
        s.hwnd = hwnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CancelDialog(HWND hwnd, LPARAM)
{
    TCHAR cls[16] = {};
    GetClassName(hwnd, cls, sizeof cls / sizeof cls[0]);
    if (IsWindowVisible(hwnd) && tstring(cls) == TEXT("#32770"))
        PostMessage(hwnd, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

} // namespace

CDialogScript* CDialogScript::s_pActive = nullptr;

CDialogScript::CDialogScript()
{
    s_pActive = this;
    m_nTimer = SetTimer(nullptr, 0, kTickMs, OnTimer);
}

CDialogScript::~CDialogScript()
{
    KillTimer(nullptr, m_nTimer);
    s_pActive = nullptr;
}

void CDialogScript::Then(const std::string& caption, Action action)
{
    m_steps.push_back(Step{caption, std::move(action)});
}

void CALLBACK CDialogScript::OnTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (s_pActive)
        s_pActive->Tick();
}

void CDialogScript::Tick()
{
    if (Finished() || !m_strTimedOut.empty())
        return;
    Search search{&m_steps[m_nNext].caption, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), FindCaption, reinterpret_cast<LPARAM>(&search));
    if (!search.hwnd) {
        if (++m_nWaitingTicks > kMaxWaitingTicks) {
            m_strTimedOut = m_steps[m_nNext].caption;
            EnumThreadWindows(GetCurrentThreadId(), CancelDialog, 0);
        }
        return;
    }
    m_nWaitingTicks = 0;
    // The step is taken before it acts: an action may start a nested loop
    // in which this timer ticks again.
    Action action = m_steps[m_nNext++].action;
    action(search.hwnd);
}

void CDialogScript::Click(HWND hDlg, int nId)
{
    PostMessage(hDlg, WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(hDlg, nId)));
}

std::string CDialogScript::Text(HWND hDlg, int nId)
{
    return GetDlgItemString(hDlg, nId);
}

bool CDialogScript::IsEnabled(HWND hDlg, int nId)
{
    return IsWindowEnabled(GetDlgItem(hDlg, nId)) != FALSE;
}

void CDialogScript::SetText(HWND hDlg, int nId, const std::string& text)
{
    SetDlgItemString(hDlg, nId, text);
}

void CDialogScript::CheckRadio(HWND hDlg, int nId)
{
    SendDlgItemMessage(hDlg, nId, BM_CLICK, 0, 0);
}

int CDialogScript::RowCount(HWND hList)
{
    return static_cast<int>(SendMessage(hList, LVM_GETITEMCOUNT, 0, 0));
}

std::string CDialogScript::RowText(HWND hList, int nRow, int nColumn)
{
    TCHAR text[512] = {};
    LVITEM item = {};
    item.iSubItem = nColumn;
    item.pszText = text;
    item.cchTextMax = sizeof text / sizeof text[0];
    SendMessage(hList, LVM_GETITEMTEXT, nRow, reinterpret_cast<LPARAM>(&item));
    return FromSys(text);
}

void CDialogScript::SelectRow(HWND hList, int nRow)
{
    LVITEM item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessage(hList, LVM_SETITEMSTATE, nRow, reinterpret_cast<LPARAM>(&item));
}
