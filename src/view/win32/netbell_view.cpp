#include "view/win32/netbell_view.h"

#include <commctrl.h>
#include <windowsx.h>
#include <shellapi.h>
#include <shlobj.h>

#include <string_view>

#include "model/backup.h"
#include "base/win32/common_controls.h"
#include "base/win32/shell_folders.h"
#include "base/win32/text_win32.h"
#include "dialogs/list_editors.h"
#include "dialogs/win32/list_editor_dialogs.h"
#include "dialogs/win32/report_list_ctrl.h"
#include "dialogs/win32/task_dialog.h"
#include "model/netbell_doc.h"
#include "res/resource.h"

namespace {

// Image list order: the program and tray icons, then each kind's open and
// done icons as the task record numbers them.
constexpr int kSmallIcons[] = {128, 129, 144, 148, 169, 149, 150, 157, 158, 159, 179, 186, 178, 183};
constexpr UINT IDR_NEWTASK_POPUP = 149;
constexpr UINT IDR_TASK_POPUP = 150;
constexpr UINT kFindSubstring = 0x0004; // LVFI_SUBSTRING

uint32_t KindOfNewTaskCommand(UINT nId)
{
    switch (nId) {
    case ID_NEW_EMAIL: return kindEMail;
    case ID_NEW_BROWSE: return kindBrowse;
    case ID_NEW_NEWSGROUP: return kindNewsgroup;
    case ID_NEW_NOTE: return kindNote;
    case ID_NEW_SEARCH: return kindSearch;
    default: return 0xFFFFFFFFu;
    }
}

} // namespace

CNetbellView::CNetbellView(const ViewPorts& ports) : m_ports(ports)
{
    m_hSmallImages = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 9, 2);
    m_hStateImages = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 0);
}

void CNetbellView::LoadImages()
{
    // Loaded after the icon is in the notification area: drawing fourteen
    // icons is the slowest step of start-up, and no row needs them sooner.
    HINSTANCE hInst = m_ports.hInstance;
    for (int nIcon : kSmallIcons) {
        HICON hIcon = static_cast<HICON>(LoadImage(hInst, MAKEINTRESOURCE(nIcon), IMAGE_ICON, 16, 16, 0));
        ImageList_AddIcon(m_hSmallImages, hIcon);
        if (hIcon)
            DestroyIcon(hIcon);
    }
    HBITMAP hBitmap = static_cast<HBITMAP>(
        LoadImage(hInst, MAKEINTRESOURCE(IDB_STATEIMAGES), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (hBitmap) {
        ImageList_AddMasked(m_hStateImages, hBitmap, RGB(255, 0, 0));
        DeleteObject(hBitmap);
    }
}

CNetbellView::~CNetbellView()
{
    // The control shares the lists, so they are ours to free.
    if (m_hSmallImages)
        ImageList_Destroy(m_hSmallImages);
    if (m_hStateImages)
        ImageList_Destroy(m_hStateImages);
}

bool CNetbellView::OwnerDataSupported()
{
    return CommonControlsVersion() >= 471;
}

bool CNetbellView::Create(HWND hwndParent, UINT nId, IFrontPageTasks& frontPage, bool bOwnerData)
{
    m_bOwnerData = bOwnerData;
    m_hWnd = CreateWindowEx(WS_EX_CLIENTEDGE, WC_LISTVIEW, TEXT(""),
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHAREIMAGELISTS |
                                LVS_SHOWSELALWAYS | (m_bOwnerData ? LVS_OWNERDATA : 0),
                            0, 0, 0, 0, hwndParent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nId)),
                            m_ports.hInstance, nullptr);
    if (!m_hWnd)
        return false;
    ListView_SetCallbackMask(m_hWnd, LVIS_STATEIMAGEMASK);
    ListView_SetExtendedListViewStyle(m_hWnd, LVS_EX_FULLROWSELECT);
    ListView_SetImageList(m_hWnd, m_hSmallImages, LVSIL_SMALL);
    ListView_SetImageList(m_hWnd, m_hStateImages, LVSIL_STATE);
    m_pFrontPage = &frontPage;
    m_taskDialog = std::make_unique<CTaskDialog>(m_ports.hInstance, m_ports.doc, m_ports.prompts);
    m_commands = std::make_unique<CTaskCommands>(TaskCommandPorts{m_ports.doc, m_ports.settings, m_ports.prompts,
                                                                  m_ports.guard, *this, *m_taskDialog, *this, *this,
                                                                  frontPage});
    // Without a drop target the list still works; the user has been told.
    m_dropTarget.Register(m_hWnd, *this, m_ports.prompts);
    return true;
}

void CNetbellView::AddBrowseTask(const std::string& name, const std::string& url)
{
    if (RefusedUntilFileLoaded(m_ports.doc, m_ports.prompts))
        return;
    AppendBrowseTask(m_ports.doc, *this, *this, name, url);
}

void CNetbellView::AddNote(const std::string& text)
{
    m_commands->AddTask(kindNote, text);
}

void CNetbellView::OnInitialUpdate()
{
    LoadImages();
    CReportListCtrl list(m_hWnd);
    list.LoadColumnHeadings(IDS_TASK_COLUMNS);
    m_commands->FillList();
}

// ---- The control ----

void CNetbellView::InsertRowAtTop(const TaskRow& row)
{
    m_rows.insert(m_rows.begin(), row);
    if (!m_bOwnerData) {
        InsertEmptyItem(0);
        return;
    }
    // The control keeps selection, focus and anchor by position: they move
    // down a row with the rows, as they would with items of its own.
    const RowMarks marks = ReadMarks();
    ListView_SetItemCountEx(m_hWnd, static_cast<int>(m_rows.size()), LVSICF_NOSCROLL);
    RestoreMarks(marks, [](int nRow) { return nRow + 1; });
}

void CNetbellView::InsertEmptyItem(int nPosition)
{
    // Everything it shows is asked for: texts, icon and, by the callback
    // mask, the check box.
    LVITEM item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = nPosition;
    item.pszText = LPSTR_TEXTCALLBACK;
    item.iImage = I_IMAGECALLBACK;
    SendMessage(m_hWnd, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
}

TaskRow* CNetbellView::Row(int nRow)
{
    return nRow >= 0 && static_cast<size_t>(nRow) < m_rows.size() ? &m_rows[static_cast<size_t>(nRow)] : nullptr;
}

void CNetbellView::ReplaceAllRows(std::vector<TaskRow> rows)
{
    SendMessage(m_hWnd, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(m_hWnd);
    m_rows = std::move(rows);
    if (m_bOwnerData) {
        ListView_SetItemCountEx(m_hWnd, static_cast<int>(m_rows.size()), 0);
    } else {
        // Appended in order with drawing off: no row is moved by the next.
        ListView_SetItemCount(m_hWnd, static_cast<int>(m_rows.size()));
        for (size_t i = 0; i < m_rows.size(); ++i)
            InsertEmptyItem(static_cast<int>(i));
    }
    SendMessage(m_hWnd, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CNetbellView::OnGetDispInfo(NMLVDISPINFO& info)
{
    LVITEM& item = info.item;
    const TaskRow* row = Row(item.iItem);
    if (!row)
        return;
    if (item.mask & LVIF_TEXT) {
        const std::string_view text = item.iSubItem >= 0 && item.iSubItem < kTaskColumnCount
                                          ? std::string_view(row->cells[static_cast<size_t>(item.iSubItem)])
                                          : std::string_view();
        const tstring sys = ToSys(text);
        CopySysText(sys.data(), sys.size(), item.pszText, item.cchTextMax > 0 ? item.cchTextMax : 0);
    }
    if ((item.mask & LVIF_IMAGE) && item.iSubItem == 0)
        item.iImage = row->nImage;
    if ((item.mask & LVIF_STATE) && item.iSubItem == 0) {
        item.state = (item.state & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(row->nState);
        item.stateMask |= LVIS_STATEIMAGEMASK;
    }
}

int CNetbellView::FindRow(UINT nFlags, const std::string& typed, int nStart) const
{
    // Typing in the list goes to the next row whose first cell begins with
    // what was typed, as it does in a list that holds its items.
    if (!(nFlags & (LVFI_STRING | LVFI_PARTIAL | kFindSubstring)) || typed.empty() || m_rows.empty())
        return -1;
    // Later controls say "substring" for the same beginning-of-text search.
    const bool bPartial = (nFlags & (LVFI_PARTIAL | kFindSubstring)) != 0;
    const size_t nCount = m_rows.size();
    const size_t nFrom = nStart >= 0 && static_cast<size_t>(nStart) < nCount ? static_cast<size_t>(nStart) : 0;
    const size_t nLook = (nFlags & LVFI_WRAP) ? nCount : nCount - nFrom;
    const size_t nTyped = CharCount(typed);
    for (size_t i = 0; i < nLook; ++i) {
        const size_t nRow = (nFrom + i) % nCount;
        const std::string& cell = m_rows[nRow].cells[colType];
        // Characters, not bytes: the start of the cell as long as what was typed.
        const std::string_view start = bPartial ? CutChars(cell, nTyped) : std::string_view(cell);
        if (CompareNoCase(start, typed) == 0)
            return static_cast<int>(nRow);
    }
    return -1;
}

CNetbellView::RowMarks CNetbellView::ReadMarks()
{
    RowMarks marks;
    marks.selected = GetSelectedRows();
    marks.nFocus = ListView_GetNextItem(m_hWnd, -1, LVNI_FOCUSED);
    marks.nAnchor = ListView_GetSelectionMark(m_hWnd);
    marks.nTop = ListView_GetTopIndex(m_hWnd);
    return marks;
}

void CNetbellView::RestoreMarks(const RowMarks& marks, const std::function<int(int)>& moved)
{
    const int nRows = static_cast<int>(m_rows.size());
    const auto valid = [nRows](int nRow) { return nRow >= 0 && nRow < nRows; };
    ListView_SetItemState(m_hWnd, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (!marks.selected.empty() && marks.selected.size() == m_rows.size()) {
        ListView_SetItemState(m_hWnd, -1, LVIS_SELECTED, LVIS_SELECTED);
    } else {
        for (int nRow : marks.selected)
            ListView_SetItemState(m_hWnd, moved(nRow), LVIS_SELECTED, LVIS_SELECTED);
    }
    if (valid(marks.nFocus))
        ListView_SetItemState(m_hWnd, moved(marks.nFocus), LVIS_FOCUSED, LVIS_FOCUSED);
    // Where a Shift-click or Shift-arrow extends the selection from.
    ListView_SetSelectionMark(m_hWnd, valid(marks.nAnchor) ? moved(marks.nAnchor) : -1);
    // Giving a row the focus may scroll it into view; the list stays where
    // the user had it.
    const int nTop = ListView_GetTopIndex(m_hWnd);
    RECT rc;
    if (nTop != marks.nTop && nRows > 0 && ListView_GetItemRect(m_hWnd, 0, &rc, LVIR_BOUNDS))
        ListView_Scroll(m_hWnd, 0, (marks.nTop - nTop) * (rc.bottom - rc.top));
}

void CNetbellView::RedrawRow(int nRow)
{
    ListView_RedrawItems(m_hWnd, nRow, nRow);
}

void CNetbellView::SortRows(int nColumn, bool bDescending)
{
    HCURSOR hOld = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    // The rows are put in order here, stably, with the selection, focus and
    // anchor going with their tasks; the control only draws them again.
    std::vector<size_t> order(m_rows.size());
    std::vector<size_t> rowOfTask;
    for (size_t i = 0; i < m_rows.size(); ++i) {
        order[i] = m_rows[i].nTaskIndex;
        if (order[i] >= rowOfTask.size())
            rowOfTask.resize(order[i] + 1);
        rowOfTask[order[i]] = i;
    }
    const RowMarks marks = ReadMarks();
    CTaskSortKeys(m_ports.doc, nColumn, bDescending).Sort(order);
    std::vector<TaskRow> sorted(m_rows.size());
    std::vector<int> newRowOf(m_rows.size());
    for (size_t i = 0; i < order.size(); ++i) {
        const size_t nOld = rowOfTask[order[i]];
        sorted[i] = std::move(m_rows[nOld]);
        newRowOf[nOld] = static_cast<int>(i);
    }
    m_rows = std::move(sorted);
    RestoreMarks(marks, [&newRowOf](int nRow) { return newRowOf[static_cast<size_t>(nRow)]; });
    InvalidateRect(m_hWnd, nullptr, FALSE);
    SetCursor(hOld);
}

std::vector<int> CNetbellView::GetSelectedRows()
{
    std::vector<int> rows;
    int nRow = -1;
    while ((nRow = ListView_GetNextItem(m_hWnd, nRow, LVNI_SELECTED)) != -1)
        rows.push_back(nRow);
    return rows;
}

size_t CNetbellView::GetRowTask(int nRow)
{
    const TaskRow* row = Row(nRow);
    return row ? row->nTaskIndex : 0;
}

void CNetbellView::SetCellText(int nRow, int nColumn, const std::string& text)
{
    TaskRow* row = Row(nRow);
    if (!row || nColumn < 0 || nColumn >= kTaskColumnCount)
        return;
    row->cells[static_cast<size_t>(nColumn)] = text;
    RedrawRow(nRow);
}

void CNetbellView::SetTypeCell(int nRow, const std::string& text, int nImage)
{
    TaskRow* row = Row(nRow);
    if (!row)
        return;
    row->cells[colType] = text;
    row->nImage = nImage;
    RedrawRow(nRow);
}

int CNetbellView::GetStateImage(int nRow)
{
    const TaskRow* row = Row(nRow);
    return row ? row->nState : 0;
}

void CNetbellView::SetStateImage(int nRow, int nState)
{
    TaskRow* row = Row(nRow);
    if (!row)
        return;
    row->nState = nState;
    RedrawRow(nRow);
}

void CNetbellView::SelectAll()
{
    ListView_SetItemState(m_hWnd, -1, LVIS_SELECTED, LVIS_SELECTED);
}

bool CNetbellView::Open(const std::string& target)
{
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecute(m_hWnd, TEXT("open"), ToSys(target).c_str(), TEXT(""), TEXT(""), SW_SHOWNORMAL));
    return result > 32;
}

COleDateTime CNetbellView::Now()
{
    SYSTEMTIME st;
    GetLocalTime(&st);
    return MakeOleDate(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
}

// ---- Commands ----

bool CNetbellView::OnCommand(UINT nId)
{
    const uint32_t nKind = KindOfNewTaskCommand(nId);
    if (nKind != 0xFFFFFFFFu) {
        m_commands->AddTask(nKind);
        return true;
    }
    switch (nId) {
    case ID_EDIT_TASK: m_commands->EditSelection(); return true;
    case ID_DELETE_TASK: m_commands->DeleteSelected(); return true;
    case ID_LAUNCH: {
        const std::vector<int> rows = GetSelectedRows();
        if (!rows.empty())
            m_commands->LaunchItem(rows[0]);
        return true;
    }
    case ID_BACKUP_DATA: OnBackupData(); return true;
    case ID_INSERT_PROJECT:
    case ID_INSERT_SEARCH:
    case ID_EDIT_PROJECTLIST:
    case ID_EDIT_SEARCHLIST: OnListCommand(nId); return true;
    default: return false;
    }
}

void CNetbellView::OnListCommand(UINT nId)
{
    CWin32ListEditorDialogs dialogs(m_ports.hInstance, GetParent(m_hWnd));
    const auto save = [this] { SaveData(); };
    CNetbellDoc& doc = m_ports.doc;
    switch (nId) {
    case ID_INSERT_PROJECT: InsertProject(m_ports.guard, dialogs, doc, save); break;
    case ID_INSERT_SEARCH: InsertSearchEngine(m_ports.guard, dialogs, doc, save); break;
    case ID_EDIT_PROJECTLIST: EditProjectList(m_ports.guard, dialogs, doc, save); break;
    default: EditSearchEngineList(m_ports.guard, dialogs, doc, save); break;
    }
}

bool CNetbellView::QueryCommand(UINT nId, bool& bEnabled)
{
    if (KindOfNewTaskCommand(nId) != 0xFFFFFFFFu) {
        bEnabled = true;
        return true;
    }
    switch (nId) {
    case ID_EDIT_TASK: bEnabled = m_commands->CanEdit(); return true;
    case ID_DELETE_TASK: bEnabled = m_commands->CanDelete(); return true;
    case ID_LAUNCH: bEnabled = m_commands->CanLaunch(); return true;
    case ID_BACKUP_DATA:
    case ID_INSERT_PROJECT:
    case ID_INSERT_SEARCH:
    case ID_EDIT_PROJECTLIST:
    case ID_EDIT_SEARCHLIST: bEnabled = true; return true;
    default: return false;
    }
}

void CNetbellView::OnBackupData()
{
    BackupData(m_ports.doc, m_ports.settings, m_ports.prompts, [this](std::string& folder) {
        return GetSpecialFolder(m_hWnd, CSIDL_DESKTOPDIRECTORY, folder);
    });
}

// ---- Notifications ----

bool CNetbellView::IsOnCheckBox(int nRow, POINT pt) const
{
    // With full-row select the control's hit test flags every part of a row
    // for a click on any cell, so the box is found by its place: the state
    // image just left of the row's icon.
    RECT rcIcon;
    RECT rcRow;
    if (!ListView_GetItemRect(m_hWnd, nRow, &rcIcon, LVIR_ICON) ||
        !ListView_GetItemRect(m_hWnd, nRow, &rcRow, LVIR_BOUNDS))
        return false;
    int cx = 16;
    int cy = 16;
    ImageList_GetIconSize(m_hStateImages, &cx, &cy);
    // A narrowed first column clips the box; the next cell is not part of it.
    const int nFirstColumnEnd = rcRow.left + ListView_GetColumnWidth(m_hWnd, 0);
    return pt.x >= rcIcon.left - cx && pt.x < rcIcon.left && pt.x < nFirstColumnEnd && pt.y >= rcIcon.top &&
           pt.y < rcIcon.bottom;
}

bool CNetbellView::OnNotify(NMHDR* pnmh, LRESULT& result)
{
    if (pnmh->hwndFrom != m_hWnd)
        return false;
    result = 0;
    switch (pnmh->code) {
    case LVN_GETDISPINFO:
        OnGetDispInfo(*reinterpret_cast<NMLVDISPINFO*>(pnmh));
        return true;
    case LVN_ODFINDITEM: {
        const auto* find = reinterpret_cast<NMLVFINDITEM*>(pnmh);
        result = FindRow(find->lvfi.flags, find->lvfi.psz ? FromSys(find->lvfi.psz) : std::string(), find->iStart);
        return true;
    }
#ifndef UNICODE
    case LVN_ODFINDITEMW: {
        // Some controls ask in Unicode whatever the window's own format.
        const auto* find = reinterpret_cast<NMLVFINDITEMW*>(pnmh);
        result = FindRow(find->lvfi.flags, find->lvfi.psz ? FromWide(find->lvfi.psz) : std::string(), find->iStart);
        return true;
    }
#endif
    case LVN_COLUMNCLICK:
        m_commands->OnColumnClick(reinterpret_cast<NMLISTVIEW*>(pnmh)->iSubItem);
        return true;
    case NM_CLICK:
    case NM_DBLCLK: {
        LVHITTESTINFO hit = {};
        hit.pt = ListClickPoint(pnmh);
        const int nRow = ListView_HitTest(m_hWnd, &hit);
        if (nRow < 0)
            return true;
        // The second click of a double click on the box is nothing: the
        // first has ticked it, and a FrontPage task must not be completed
        // and then unticked again.
        const bool bOnBox = (hit.flags & LVHT_ONITEMSTATEICON) && IsOnCheckBox(nRow, hit.pt);
        if (bOnBox) {
            if (pnmh->code == NM_CLICK)
                m_commands->OnCheckBoxClick(nRow);
        } else if (pnmh->code == NM_DBLCLK && (hit.flags & (LVHT_ONITEMICON | LVHT_ONITEMLABEL)))
            m_commands->OnDoubleClick(nRow);
        return true;
    }
    case NM_RETURN:
        if (m_commands->CanEdit())
            m_commands->EditSelection();
        return true;
    case LVN_KEYDOWN: {
        const auto* key = reinterpret_cast<NMLVKEYDOWN*>(pnmh);
        if (key->wVKey == 'A' && (GetKeyState(VK_CONTROL) & 0x8000)) {
            SelectAll();
        } else if (key->wVKey == VK_SPACE) {
            // The keyboard's way to tick the focused row.
            const int nRow = ListView_GetNextItem(m_hWnd, -1, LVNI_FOCUSED);
            if (nRow >= 0)
                m_commands->OnCheckBoxClick(nRow);
        }
        return true;
    }
    case NM_RCLICK: {
        POINT pt;
        GetCursorPos(&pt);
        OnContextMenu(pt);
        return true;
    }
    default: return false;
    }
}

void CNetbellView::OnContextMenu(POINT ptScreen)
{
    LVHITTESTINFO hit = {};
    hit.pt = ptScreen;
    ScreenToClient(m_hWnd, &hit.pt);
    ListView_HitTest(m_hWnd, &hit);
    UINT nMenu;
    if (hit.flags & LVHT_ONITEM)
        nMenu = IDR_TASK_POPUP;
    else if (hit.flags & LVHT_NOWHERE)
        nMenu = IDR_NEWTASK_POPUP;
    else
        return;
    HMENU hMenu = LoadMenu(m_ports.hInstance, MAKEINTRESOURCE(nMenu));
    if (!hMenu)
        return;
    HMENU hPopup = GetSubMenu(hMenu, 0);
    if (nMenu == IDR_TASK_POPUP) {
        EnableMenuItem(hPopup, ID_EDIT_TASK, MF_BYCOMMAND | (m_commands->CanEdit() ? MF_ENABLED : MF_GRAYED));
        EnableMenuItem(hPopup, ID_DELETE_TASK, MF_BYCOMMAND | (m_commands->CanDelete() ? MF_ENABLED : MF_GRAYED));
        EnableMenuItem(hPopup, ID_LAUNCH, MF_BYCOMMAND | (m_commands->CanLaunch() ? MF_ENABLED : MF_GRAYED));
    } else {
        EnableMenuItem(hPopup, ID_NEW_FRONTPAGE,
                       MF_BYCOMMAND | (m_pFrontPage->IsPresent() ? MF_ENABLED : MF_GRAYED));
    }
    // The command comes back here, not through the frame's enabling.
    const UINT nCmd = TrackPopupMenu(hPopup, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, ptScreen.x,
                                     ptScreen.y, 0, GetParent(m_hWnd), nullptr);
    DestroyMenu(hMenu);
    // A new FrontPage task is the frame's to route; the rest are the view's
    // own.
    if (nCmd == ID_NEW_FRONTPAGE)
        SendMessage(GetParent(m_hWnd), WM_COMMAND, nCmd, 0);
    else if (nCmd)
        OnCommand(nCmd);
}
