#include "app/win32/main_frame.h"

#include <commctrl.h>
#include <shellapi.h>

#include "app/app_shell.h"
#include "app/win32/app.h"
#include "app/win32/shell_dialogs.h"
#include "base/win32/common_controls.h"
#include "base/win32/help_page.h"
#include "base/win32/thread_messages.h"
#include "monitor/win32/connection_monitor.h"
#include "monitor/win32/ras_connection.h"
#include "monitor/win32/reminder_dlg.h"
#include "options/win32/options_sheet_win32.h"
#include "model/netbell_doc.h"
#include "res/resource.h"

namespace {

constexpr const TCHAR* kFrameClass = TEXT("NetbellMainFrame");
constexpr UINT REMINDER_TIMER_ID = 1;
// Ends context help after a menu it opened has closed.
constexpr UINT kEndHelpMode = WM_APP + 20;
// A look at a data file that another program holds, once a second.
constexpr UINT DATAFILE_TIMER_ID = 2;
constexpr UINT kDataFileRetryMs = 1000;
constexpr UINT kToolBarId = 0xE800;
constexpr UINT kStatusBarId = 0xE801;
constexpr UINT kViewId = 0xE900;

struct ToolButton {
    int nImage; // -1 for a separator
    UINT nCommand;
};

constexpr ToolButton kToolButtons[] = {
    {0, ID_EDIT_TASK},        {1, ID_DELETE_TASK},  {2, ID_LAUNCH},       {-1, 0},
    {3, ID_TOGGLE_FPLOADING}, {4, ID_FP_EXPLORER},  {5, ID_FP_EDITOR},    {6, ID_FP_TODOLIST},
    {-1, 0},                  {7, ID_NEW_EMAIL},    {8, ID_NEW_NEWSGROUP}, {9, ID_NEW_BROWSE},
    {10, ID_NEW_NOTE},        {11, ID_NEW_SEARCH},  {12, ID_NEW_FRONTPAGE}, {-1, 0},
    {13, ID_HELP_INDEX},
};

// The command's prompt up to its tool tip.
std::string LoadPrompt(UINT nId, bool bToolTip)
{
    TCHAR buf[512];
    const int n = LoadString(GetModuleHandle(nullptr), nId, buf, 512);
    if (n <= 0)
        return std::string();
    const std::string text = FromSys(buf, static_cast<size_t>(n));
    const std::string::size_type nl = text.find('\n');
    if (bToolTip)
        return nl == std::string::npos ? std::string() : text.substr(nl + 1);
    return text.substr(0, nl);
}

// The command of the tool bar button under a point (screen), 0 for none or
// a separator. Walked button by button: the control's own hit test came
// with common controls 4.71.
UINT ToolBarCommandAt(HWND hwndBar, POINT pt)
{
    ScreenToClient(hwndBar, &pt);
    const int n = static_cast<int>(SendMessage(hwndBar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        RECT rc;
        TBBUTTON button = {};
        if (SendMessage(hwndBar, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&rc)) && PtInRect(&rc, pt) &&
            SendMessage(hwndBar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button)) &&
            !(button.fsStyle & BTNS_SEP))
            return static_cast<UINT>(button.idCommand);
    }
    return 0;
}

int TextWidth(HWND hwnd, const TCHAR* text)
{
    HDC hdc = GetDC(hwnd);
    if (!hdc)
        return 0;
    HGDIOBJ hOld = SelectObject(hdc, reinterpret_cast<HGDIOBJ>(SendMessage(hwnd, WM_GETFONT, 0, 0)));
    SIZE size = {};
    GetTextExtentPoint32(hdc, text, static_cast<int>(std::char_traits<TCHAR>::length(text)), &size);
    SelectObject(hdc, hOld);
    ReleaseDC(hwnd, hdc);
    return size.cx;
}

} // namespace

CMainFrame::CMainFrame(CNetbellApp& app)
    : m_app(app), m_trayIcon(IDI_TRAY), m_dockBar(app.Settings(), [this] { OnSize(); }),
      m_view(ViewPorts{app.Instance(), app.Doc(), app.Settings(), app.Prompts(), app.Guard()}),
      m_frontPage(FrontPageIntegrationPorts{app.Settings(), app.Prompts(), app.Doc(), app.Guard(), app.Instance(),
                                            [this] { return m_hWnd; }, m_view, m_view}),
      m_reminder(app.Doc(), app.Settings(), app.Prompts(), app.Guard(), TheReminderFlags(), *this)
{
    g_bWindowShown = 0;
    g_bSnoozing = 0;
    g_bDontNotify = 0;
    g_bNotified = 0;
    m_bFrontPagePresent = m_frontPage.Detect();
    if (m_bFrontPagePresent)
        m_frontPage.UpdateMenuLinks();
}

CMainFrame::~CMainFrame() = default;

bool CMainFrame::Create()
{
    HINSTANCE hInst = m_app.Instance();
    HICON hIcon = LoadIcon(hInst, MAKEINTRESOURCE(IDR_MAINFRAME));
    if (!RegisterWindowClass(hInst, kFrameClass, hIcon, nullptr))
        return false;
    m_hMenu = LoadMenu(hInst, MAKEINTRESOURCE(IDR_MAINFRAME));
    m_hAccel = LoadAccelerators(hInst, MAKEINTRESOURCE(IDR_MAINFRAME));
    // Three quarters of the work area, centred: room for the nine columns.
    RECT work = {0, 0, 800, 600};
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    const int cx = (work.right - work.left) * 3 / 4;
    const int cy = (work.bottom - work.top) * 3 / 4;
    if (!CreateEx(0, kFrameClass, TEXT(" - Netbell"), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                  work.left + (work.right - work.left - cx) / 2, work.top + (work.bottom - work.top - cy) / 2, cx, cy,
                  nullptr, m_hMenu, hInst)) {
        if (m_hMenu && !IsMenu(m_hMenu))
            m_hMenu = nullptr;
        return false;
    }
    return true;
}

LRESULT CMainFrame::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE: return OnCreate();
    case WM_SIZE: OnSize(); return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE)
            EndHelpMode(); // another window's clicks are its own
        m_dockBar.OnFrameActivated(LOWORD(wParam) != WA_INACTIVE);
        return Default(msg, wParam, lParam);
    case WM_HELP:
        // F1 on the Options sheet's own tabs and buttons comes up to its
        // owner. In the frame itself F1 is the accelerator's, which has
        // opened the page already.
        if (m_bInOptions)
            OpenHelpPage(m_hWnd, m_app.Prompts(), "options");
        return TRUE;
    case WM_WINDOWPOSCHANGED: {
        // A floating bar comes and goes with the frame.
        const UINT flags = reinterpret_cast<const WINDOWPOS*>(lParam)->flags;
        if (flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW))
            m_dockBar.OnFrameShown((flags & SWP_SHOWWINDOW) != 0);
        return Default(msg, wParam, lParam);
    }
    case WM_SETFOCUS:
        if (m_view.GetSafeHwnd())
            SetFocus(m_view.GetSafeHwnd());
        return 0;
    case WM_CLOSE: OnClose(); return 0;
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_SETCURSOR:
        if (m_bHelpMode) {
            SetCursor(LoadCursor(nullptr, IDC_HELP));
            return TRUE;
        }
        // A FrontPage call in progress keeps the wait cursor over the window.
        if (m_frontPage.IsWaitCursorShown()) {
            SetCursor(LoadCursor(nullptr, IDC_WAIT));
            return TRUE;
        }
        return Default(msg, wParam, lParam);
    case WM_COMMAND: OnCommand(LOWORD(wParam)); return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_CAPTURECHANGED:
        if (!m_bHelpMode)
            return Default(msg, wParam, lParam);
        if (msg == WM_MOUSEMOVE)
            SetCursor(LoadCursor(nullptr, IDC_HELP));
        else if (msg == WM_LBUTTONDOWN)
            OnHelpModeClick();
        else if (msg == WM_RBUTTONDOWN || !m_bHelpMenu)
            EndHelpMode(); // a right click, or the mouse lost to another window
        return 0;
    case WM_INITMENUPOPUP:
        // The system menu is the system's: its Close must stay enabled.
        if (HIWORD(lParam))
            return Default(msg, wParam, lParam);
        OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
        return 0;
    case WM_MENUSELECT: OnMenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam)); return 0;
    case WM_ENTERMENULOOP:
        // A menu opened in context help, by the mouse or the keys, takes the
        // capture: the mode goes on into it.
        if (m_bHelpMode)
            m_bHelpMenu = true;
        return Default(msg, wParam, lParam);
    case WM_EXITMENULOOP:
        SetMessageText(AFX_IDS_IDLEMESSAGE);
        // The command chosen in the menu is queued already; the mode ends
        // after it, or now if none was chosen.
        if (m_bHelpMenu)
            PostMessage(m_hWnd, kEndHelpMode, 0, 0);
        return 0;
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (m_view.OnNotify(reinterpret_cast<NMHDR*>(lParam), result))
            return result;
        return OnNotify(reinterpret_cast<NMHDR*>(lParam));
    }
    case WM_TRAYICON_NOTIFY: return m_trayIcon.OnTrayNotification(wParam, lParam);
    case WM_SHOW_TASKLIST: ShowTaskList(); return 0;
    case WM_CONNECTION_UP: m_reminder.OnConnectionUp(); return 0;
    case WM_TIMER:
        if (wParam == DATAFILE_TIMER_ID) {
            OnDataFileTimer();
            return 0;
        }
        if (wParam == REMINDER_TIMER_ID) {
            m_reminder.OnTimer();
            return 0;
        }
        return Default(msg, wParam, lParam);
    case WM_DROPFILES:
        // Files dropped on the frame are not documents to open.
        DragFinish(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_ENDSESSION:
        // Windows is going down without Exit: keep what the user ticked,
        // in an emergency copy should the save fail (nobody can be asked).
        if (wParam)
            m_app.OnEndSession();
        return 0;
    case kEndHelpMode: EndHelpMode(); return 0;
    default:
        if (msg == m_uTaskbarCreated && msg != 0) {
            m_trayIcon.Restore();
            return 0;
        }
        return Default(msg, wParam, lParam);
    }
}

int CMainFrame::OnCreate()
{
    m_app.Prompts().SetOwner(m_hWnd);
    if (NeedsUserDetails(m_app.Settings())) {
        SetForegroundWindow(m_hWnd);
        ShowUserDetailsRequired(m_app.Prompts());
        OnOptions();
    }
    if (!CreateToolBar() || !CreateStatusBar() ||
        !m_dockBar.Create(m_app.Instance(), m_hWnd, m_wndToolBar, m_wndStatusBar))
        return -1;
    if (!m_view.Create(m_hWnd, kViewId, m_frontPage))
        return -1;
    m_uTaskbarCreated = RegisterWindowMessage(TEXT("TaskbarCreated"));
    m_trayIcon.SetNotificationWnd(m_hWnd, WM_TRAYICON_NOTIFY);
    m_trayIcon.SetIcon(IDI_TRAY);
    m_app.StartMonitorThread();
    return 0;
}

bool CMainFrame::CreateToolBar()
{
    m_wndToolBar = CreateWindowEx(0, TOOLBARCLASSNAME, nullptr,
                                  WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS | TBSTYLE_FLAT | CCS_NORESIZE |
                                      CCS_NOPARENTALIGN | CCS_NODIVIDER,
                                  0, 0, 0, 0,
                                  m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kToolBarId)),
                                  m_app.Instance(), nullptr);
    if (!m_wndToolBar)
        return false;
    SendMessage(m_wndToolBar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessage(m_wndToolBar, TB_SETBITMAPSIZE, 0, MAKELPARAM(16, 15));
    // Loaded by the tool bar itself, which maps the grey background to the
    // button face colour.
    TBADDBITMAP tbab = {m_app.Instance(), IDR_MAINFRAME};
    if (SendMessage(m_wndToolBar, TB_ADDBITMAP, 14, reinterpret_cast<LPARAM>(&tbab)) < 0)
        return false;
    TBBUTTON buttons[sizeof kToolButtons / sizeof kToolButtons[0]] = {};
    int i = 0;
    for (const ToolButton& b : kToolButtons) {
        TBBUTTON& tb = buttons[i++];
        tb.iBitmap = b.nImage < 0 ? 8 : b.nImage;
        tb.idCommand = static_cast<int>(b.nCommand);
        tb.fsState = TBSTATE_ENABLED;
        tb.fsStyle = b.nImage < 0 ? BTNS_SEP : BTNS_BUTTON;
    }
    SendMessage(m_wndToolBar, TB_ADDBUTTONS, i, reinterpret_cast<LPARAM>(buttons));
    return true;
}

bool CMainFrame::CreateStatusBar()
{
    m_wndStatusBar = CreateWindowEx(0, STATUSCLASSNAME, nullptr, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0,
                                    0, m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kStatusBarId)),
                                    m_app.Instance(), nullptr);
    if (!m_wndStatusBar)
        return false;
    SetMessageText(AFX_IDS_IDLEMESSAGE);
    return true;
}

void CMainFrame::OnSize()
{
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    int nStatus = 0;
    if (m_wndStatusBar && IsWindowVisible(m_wndStatusBar)) {
        SendMessage(m_wndStatusBar, WM_SIZE, 0, 0);
        RECT rcBar;
        GetWindowRect(m_wndStatusBar, &rcBar);
        nStatus = rcBar.bottom - rcBar.top;
        // Message pane, FrontPage loading, caps lock, num lock: the last three
        // as wide as their longest texts.
        const int margin = 2 * GetSystemMetrics(SM_CXEDGE) + 8;
        const int grip = GetSystemMetrics(SM_CXVSCROLL);
        const int wNum = TextWidth(m_wndStatusBar, TEXT("NUM")) + margin;
        const int wCaps = TextWidth(m_wndStatusBar, TEXT("CAP")) + margin;
        const int wFpl = TextWidth(m_wndStatusBar, TEXT("FPL Always Ask      ")) + margin;
        int edges[4];
        edges[3] = -1;
        edges[2] = rc.right - grip - wNum;
        edges[1] = edges[2] - wCaps;
        edges[0] = edges[1] - wFpl;
        if (edges[0] < 0)
            edges[0] = 0;
        SendMessage(m_wndStatusBar, SB_SETPARTS, 4, reinterpret_cast<LPARAM>(edges));
    }
    const FrameLayout layout =
        LayOutFrame({rc.left, rc.top, rc.right, rc.bottom}, m_dockBar.Side(), m_dockBar.Thickness(), nStatus);
    if (m_dockBar.Thickness() > 0)
        m_dockBar.Place(layout.bar);
    if (m_view.GetSafeHwnd())
        MoveWindow(m_view.GetSafeHwnd(), layout.view.left, layout.view.top, layout.view.Width(),
                   layout.view.Height(), TRUE);
}

void CMainFrame::OnIdle()
{
    // Only what changed is sent: an unchanged pane or button redrawn after
    // every paint would keep the idle loop busy and make the bars flicker.
    if (!m_hWnd)
        return;
    if (m_wndToolBar) {
        for (const ToolButton& b : kToolButtons) {
            if (b.nImage < 0)
                continue;
            const bool bEnabled = IsCommandEnabled(b.nCommand);
            if ((SendMessage(m_wndToolBar, TB_ISBUTTONENABLED, b.nCommand, 0) != 0) != bEnabled)
                SendMessage(m_wndToolBar, TB_ENABLEBUTTON, b.nCommand, MAKELPARAM(bEnabled, 0));
        }
        // The toggle shows the load policy as its pressed state.
        const LRESULT kShown = TBSTATE_ENABLED | TBSTATE_CHECKED | TBSTATE_INDETERMINATE;
        const LRESULT state = m_frontPage.ToggleButtonState();
        const LRESULT now = SendMessage(m_wndToolBar, TB_GETSTATE, ID_TOGGLE_FPLOADING, 0);
        if ((now & kShown) != state)
            SendMessage(m_wndToolBar, TB_SETSTATE, ID_TOGGLE_FPLOADING, MAKELPARAM((now & ~kShown) | state, 0));
    }
    if (m_wndStatusBar) {
        const std::string panes[] = {m_frontPage.StatusPaneText(), (GetKeyState(VK_CAPITAL) & 1) ? "CAP" : "",
                                     (GetKeyState(VK_NUMLOCK) & 1) ? "NUM" : ""};
        for (int i = 0; i < 3; ++i) {
            if (panes[i] != m_strPaneTexts[i]) {
                m_strPaneTexts[i] = panes[i];
                SendMessage(m_wndStatusBar, SB_SETTEXT, i + 1, reinterpret_cast<LPARAM>(ToSys(panes[i]).c_str()));
            }
        }
    }
}

void CMainFrame::SetMessageText(const std::string& text)
{
    if (m_wndStatusBar)
        SendMessage(m_wndStatusBar, SB_SETTEXT, 0, reinterpret_cast<LPARAM>(ToSys(text).c_str()));
}

void CMainFrame::SetMessageText(UINT nPromptId)
{
    SetMessageText(LoadPrompt(nPromptId, false));
}

void CMainFrame::ShowTaskList()
{
    g_bWindowShown = 1;
    ShowWindow(m_hWnd, IsIconic(m_hWnd) ? SW_RESTORE : SW_SHOWNORMAL);
    SetForegroundWindow(m_hWnd);
}

void CMainFrame::OnClose()
{
    if (m_bExiting) {
        Sleep(20);
        KillTimer(m_hWnd, REMINDER_TIMER_ID);
        DestroyWindow(m_hWnd);
        return;
    }
    EndHelpMode();
    ShowWindow(m_hWnd, SW_HIDE);
    g_bWindowShown = 0;
    AskRemindDuringConnection();
}

void CMainFrame::AskRemindDuringConnection()
{
    m_reminder.AskRemindDuringConnection();
}

void CMainFrame::RunPrompt(ReminderDlgData& data)
{
    CReminderDlg dlg(m_app.Instance(), data);
    m_pReminderDlg = &dlg;
    dlg.DoModal(m_hWnd);
    m_pReminderDlg = nullptr;
}

void CMainFrame::BringPromptForward()
{
    if (m_pReminderDlg && m_pReminderDlg->GetSafeHwnd())
        SetForegroundWindow(m_pReminderDlg->GetSafeHwnd());
}

bool CMainFrame::SetReminderTimer(unsigned nMilliseconds)
{
    return SetTimer(m_hWnd, REMINDER_TIMER_ID, nMilliseconds, nullptr) != 0;
}

void CMainFrame::KillReminderTimer()
{
    KillTimer(m_hWnd, REMINDER_TIMER_ID);
}

ConnectionLook CMainFrame::GetActiveConnection()
{
    return m_dialUp.GetActiveConnection();
}

NetworkLook CMainFrame::IsNetworkAlive()
{
    return m_network.Look();
}

void CMainFrame::OnDestroy()
{
    m_dockBar.Destroy();
    m_wndToolBar = nullptr;
    m_view.RevokeDropTarget();
    m_trayIcon.SetIcon(0U);
    m_app.Prompts().SetOwner(nullptr);
    PostQuitMessage(0);
}

void CMainFrame::OnExit()
{
    if (DialogGuard().RefuseExit())
        return;
    {
        // The tasks in memory may be the only copy: a failed save ends the
        // program only on the user's word. No other dialog meanwhile.
        CDialogGuardScope guard(DialogGuard());
        if (guard.Busy() || !SaveForExit(m_app.Doc(), m_app.Prompts()))
            return;
    }
    m_bExiting = TRUE;
    // Nothing waits for a monitor stuck in a dial-up call: the threads are
    // joined once the window is gone, before the events close.
    m_app.SignalQuit();
    SendMessage(m_hWnd, WM_CLOSE, 0, 0);
}

void CMainFrame::OnOptions()
{
    CDialogGuardScope guard(DialogGuard());
    if (guard.Busy())
        return;
    m_bInOptions = true; // F1 anywhere in the sheet asks for its section
    ShowOptionsSheet(m_app.Instance(), m_hWnd, m_app.Settings(), m_bFrontPagePresent != FALSE,
                     m_network.IsAvailable());
    m_bInOptions = false;
    // OK or Cancel: Apply may have changed the FrontPage settings either way.
    if (m_bFrontPagePresent && m_view.GetSafeHwnd())
        RefreshFrontPageSettings();
}

void CMainFrame::RefreshFrontPageSettings()
{
    m_frontPage.RefreshLoadingPolicy();
    m_frontPage.UpdateMenuLinks();
}

void CMainFrame::OnAbout()
{
    CDialogGuardScope guard(DialogGuard());
    if (guard.Busy())
        return;
    RunAboutBox(m_app.Instance(), m_hWnd);
}

void CMainFrame::OnSponsors()
{
    RunSponsorsDialog(m_app.Instance(), m_hWnd, m_app.Settings(), m_app.Prompts());
}

// ---- Context help (Shift+F1) ----

void CMainFrame::BeginHelpMode()
{
    if (!IsWindowVisible(m_hWnd))
        return;
    m_bHelpMode = true;
    m_bHelpMenu = false;
    SetCapture(m_hWnd);
    SetCursor(LoadCursor(nullptr, IDC_HELP));
}

void CMainFrame::EndHelpMode()
{
    if (!m_bHelpMode)
        return;
    m_bHelpMode = false;
    m_bHelpMenu = false;
    if (GetCapture() == m_hWnd)
        ReleaseCapture();
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
}

bool CMainFrame::PreTranslateHelpMode(const MSG& msg)
{
    if (!m_bHelpMode || msg.message != WM_KEYDOWN || msg.wParam != VK_ESCAPE)
        return false;
    EndHelpMode();
    return true;
}

void CMainFrame::OnHelpModeClick()
{
    const DWORD dwPos = GetMessagePos();
    const POINT pt = {static_cast<short>(LOWORD(dwPos)), static_cast<short>(HIWORD(dwPos))};
    HWND hwndHit = WindowFromPoint(pt);
    const auto within = [hwndHit](HWND hwnd) { return hwnd && (hwndHit == hwnd || IsChild(hwnd, hwndHit)); };
    std::string section;
    // The bar's gripper and the room beside its buttons are the bar's too.
    if (within(m_wndToolBar) || (m_wndToolBar && hwndHit == GetParent(m_wndToolBar))) {
        const UINT nCommand = ToolBarCommandAt(m_wndToolBar, pt);
        section = nCommand ? HelpSectionOfCommand(nCommand) : HelpSectionOfArea(HelpArea::toolBar);
    } else if (within(m_view.GetSafeHwnd())) {
        section = HelpSectionOfArea(HelpArea::taskList);
    } else if (within(m_wndStatusBar)) {
        section = HelpSectionOfArea(HelpArea::statusBar);
    } else if (hwndHit == m_hWnd) {
        if (SendMessage(m_hWnd, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)) == HTMENU) {
            // The menu opens as it would; the command chosen in it tells
            // about itself.
            m_bHelpMenu = true;
            ReleaseCapture();
            PostMessage(m_hWnd, WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(pt.x, pt.y));
            return;
        }
        section = HelpSectionOfArea(HelpArea::other);
    }
    // A click outside the window only leaves the mode.
    EndHelpMode();
    if (!section.empty())
        OpenHelpPage(m_hWnd, m_app.Prompts(), section);
}

void CMainFrame::OnHelpTopics()
{
    OpenHelpPage(m_hWnd, m_app.Prompts());
}

void CMainFrame::ToggleStatusBar()
{
    if (!m_wndStatusBar)
        return;
    ShowWindow(m_wndStatusBar, IsWindowVisible(m_wndStatusBar) ? SW_HIDE : SW_SHOW);
    OnSize();
}

void CMainFrame::WaitForDataFile()
{
    SetTimer(m_hWnd, DATAFILE_TIMER_ID, kDataFileRetryMs, nullptr);
}

void CMainFrame::OnDataFileTimer()
{
    // Off while it looks: a malformed file brings messages, whose loops
    // would run this again.
    KillTimer(m_hWnd, DATAFILE_TIMER_ID);
    if (m_app.LoadDataFile() == DataFileState::busy)
        WaitForDataFile();
    else
        m_view.RefillList();
}

// The commands that change the stored data, which wait while another
// program holds the data file.
bool CMainFrame::ChangesData(UINT nId)
{
    switch (nId) {
    case ID_NEW_EMAIL:
    case ID_NEW_BROWSE:
    case ID_NEW_NEWSGROUP:
    case ID_NEW_NOTE:
    case ID_NEW_SEARCH:
    case ID_NEW_FRONTPAGE:
    case ID_EDIT_TASK:
    case ID_DELETE_TASK:
    case ID_INSERT_PROJECT:
    case ID_INSERT_SEARCH:
    case ID_EDIT_PROJECTLIST:
    case ID_EDIT_SEARCHLIST: return true;
    default: return false;
    }
}

void CMainFrame::OnCommand(UINT nId)
{
    // In context help a chosen command tells about itself instead.
    if (m_bHelpMode && nId != ID_CONTEXT_HELP) {
        EndHelpMode();
        OpenHelpPage(m_hWnd, m_app.Prompts(), HelpSectionOfCommand(nId));
        return;
    }
    // A grey command does nothing, even through its accelerator; an enabled
    // one goes to the view first, then to the frame.
    if (!IsCommandEnabled(nId) || (ChangesData(nId) && RefusedUntilFileLoaded(m_app.Doc(), m_app.Prompts())) ||
        m_frontPage.OnCommand(nId) || m_view.OnCommand(nId))
        return;
    switch (nId) {
    case ID_APP_EXIT: OnExit(); break;
    case ID_SHOW_TASKLIST: ShowTaskList(); break;
    case ID_OPTIONS: OnOptions(); break;
    case ID_APP_ABOUT: OnAbout(); break;
    case ID_SPONSORS: OnSponsors(); break;
    case ID_REMINDER: m_reminder.OnReminder(); break;
    case ID_HELP_INDEX:
    case ID_HELP: OnHelpTopics(); break;
    case ID_CONTEXT_HELP: BeginHelpMode(); break;
    case ID_VIEW_TOOLBAR: m_dockBar.Show(!m_dockBar.IsShown()); break;
    case ID_VIEW_STATUS_BAR: ToggleStatusBar(); break;
    case ID_NEXT_PANE:
    case ID_PREV_PANE:
        if (m_view.GetSafeHwnd())
            SetFocus(m_view.GetSafeHwnd());
        break;
    default: {
        const std::string url = WebLinkAddress(nId);
        if (!url.empty())
            OpenWebPage(url);
        break;
    }
    }
}

bool CMainFrame::IsCommandEnabled(UINT nId)
{
    bool bEnabled = false;
    if (m_view.QueryCommand(nId, bEnabled))
        return bEnabled;
    if (CFrontPageIntegration::IsFrontPageCommand(nId))
        return m_frontPage.IsCommandEnabled(nId);
    switch (nId) {
    case ID_APP_EXIT:
    case ID_SHOW_TASKLIST:
    case ID_OPTIONS:
    case ID_APP_ABOUT:
    case ID_SPONSORS:
    case ID_REMINDER:
    case ID_HELP_INDEX:
    case ID_HELP:
    case ID_CONTEXT_HELP:
    case ID_VIEW_TOOLBAR:
    case ID_VIEW_STATUS_BAR:
    case ID_NEXT_PANE:
    case ID_PREV_PANE: return true;
    default:
        // Commands nobody handles yet are shown grey.
        return !WebLinkAddress(nId).empty();
    }
}

void CMainFrame::OnInitMenuPopup(HMENU hMenu)
{
    const int n = GetMenuItemCount(hMenu);
    for (int i = 0; i < n; ++i) {
        const UINT nId = GetMenuItemID(hMenu, i);
        if (nId == 0 || nId == static_cast<UINT>(-1))
            continue; // separator or submenu
        EnableMenuItem(hMenu, i, MF_BYPOSITION | (IsCommandEnabled(nId) ? MF_ENABLED : MF_GRAYED));
        if (nId == ID_VIEW_TOOLBAR || nId == ID_VIEW_STATUS_BAR) {
            const bool bShown = nId == ID_VIEW_TOOLBAR ? m_dockBar.IsShown()
                                                       : m_wndStatusBar && IsWindowVisible(m_wndStatusBar);
            CheckMenuItem(hMenu, i, MF_BYPOSITION | (bShown ? MF_CHECKED : MF_UNCHECKED));
        }
    }
}

void CMainFrame::OnMenuSelect(UINT nItem, UINT nFlags, HMENU hMenu)
{
    if (nFlags == 0xFFFF && !hMenu) {
        SetMessageText(AFX_IDS_IDLEMESSAGE);
        return;
    }
    if (nFlags & (MF_POPUP | MF_SEPARATOR))
        SetMessageText(std::string());
    else
        SetMessageText(nItem);
}

LRESULT CMainFrame::OnNotify(NMHDR* pnmh)
{
    // Common controls before 4.71 tell of no hot button: there a button's
    // tip coming and going stands in for it.
    const bool bNoHotItems = CommonControlsVersion() < 471;
    if (pnmh->code == TTN_GETDISPINFO) {
        auto* pInfo = reinterpret_cast<NMTTDISPINFO*>(pnmh);
        // Kept here, where the tip reads it after this returns: no cut to
        // the record's own short buffer.
        m_strTip = ToSys(LoadPrompt(static_cast<UINT>(pnmh->idFrom), true));
        pInfo->lpszText = &m_strTip[0];
        if (bNoHotItems)
            SetMessageText(static_cast<UINT>(pnmh->idFrom));
        return 0;
    }
    if (pnmh->code == TTN_POP && bNoHotItems) {
        SetMessageText(AFX_IDS_IDLEMESSAGE);
        return 0;
    }
    if (pnmh->hwndFrom == m_wndToolBar && pnmh->code == TBN_HOTITEMCHANGE) {
        auto* pHot = reinterpret_cast<NMTBHOTITEM*>(pnmh);
        if (pHot->dwFlags & HICF_LEAVING)
            SetMessageText(AFX_IDS_IDLEMESSAGE);
        else
            SetMessageText(static_cast<UINT>(pHot->idNew));
        return 0;
    }
    return 0;
}

void CMainFrame::OpenWebPage(const std::string& url)
{
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecute(m_hWnd, TEXT("open"), ToSys(url).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result <= 32)
        m_app.Prompts().ShowMessage("Could not open " + url, "Shell Error", MsgButtons::ok,
                                   MsgIcon::exclamation);
}
