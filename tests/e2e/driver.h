#pragma once
// Drives another Win32 program from outside: starts and ends it, finds its
// windows, reads and answers its message boxes, reads its list views and
// menus across the process boundary, and prepares the registry and files it
// sees. Every wait polls with a time-out, so a hung program fails a case
// instead of hanging the run.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

// Default for waits on things the program does at once; Wine needs about two
// seconds to start a program in a warm prefix.
constexpr DWORD kWaitMs = 15000;
constexpr DWORD kPollMs = 50;

// ---- text -------------------------------------------------------------------

// The driver's text is UTF-8, as the program's is; the system sees UTF-16.
std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& wide);

// ---- processes -------------------------------------------------------------

// One started process; the object owns its handles and ends the process if
// it is still running when the object goes away.
class CProcess {
public:
    CProcess() = default;
    ~CProcess();
    CProcess(CProcess&& other) noexcept;
    CProcess& operator=(CProcess&& other) noexcept;
    CProcess(const CProcess&) = delete;
    CProcess& operator=(const CProcess&) = delete;

    // Starts exe with the command-line arguments args in folder dir. Empty
    // (and GetLastError set) when CreateProcess fails.
    static CProcess Start(const std::string& exe, const std::string& args, const std::string& dir);

    explicit operator bool() const { return m_hProcess != nullptr; }
    DWORD Id() const { return m_dwId; }
    HANDLE Handle() const { return m_hProcess; }
    bool IsRunning() const;
    // True when the process has ended within ms.
    bool WaitForExit(DWORD ms) const;
    std::optional<DWORD> ExitCode() const;
    // Terminates the process if it runs and waits for it to be gone.
    void Kill();

private:
    void Close();
    HANDLE m_hProcess = nullptr;
    DWORD m_dwId = 0;
};

// Terminates every process started by CProcess that is still running; the
// per-case watchdog calls it from its own thread.
void KillAllStarted();

// Terminates every process whose program file lies under folder (a stray of
// an earlier case or run). Returns how many were found.
int KillProcessesUnder(const std::string& folder);

// ---- waiting ---------------------------------------------------------------

// Polls pred every kPollMs until it holds or ms have passed; true if it held.
bool WaitUntil(const std::function<bool()>& pred, DWORD ms = kWaitMs);

// ---- windows ---------------------------------------------------------------

std::string ClassNameOf(HWND hwnd);
std::string WindowText(HWND hwnd);
bool IsVisible(HWND hwnd);
DWORD ProcessOf(HWND hwnd);

// Top-level windows of process pid whose class and caption equal cls and
// title; a null cls or title matches any. In Z order, topmost first.
std::vector<HWND> FindTopWindows(DWORD pid, const char* cls, const char* title = nullptr);
HWND FindTopWindow(DWORD pid, const char* cls, const char* title = nullptr);
HWND WaitForTopWindow(DWORD pid, const char* cls, const char* title = nullptr, DWORD ms = kWaitMs);
// Waits until one matching window is visible.
HWND WaitForVisibleWindow(DWORD pid, const char* cls, const char* title = nullptr, DWORD ms = kWaitMs);

// The same, giving up as soon as the process has ended.
HWND WaitForTopWindow(const CProcess& p, const char* cls, const char* title = nullptr, DWORD ms = kWaitMs);
HWND WaitForVisibleWindow(const CProcess& p, const char* cls, const char* title = nullptr, DWORD ms = kWaitMs);

// First descendant of parent with class cls (and control id, when given).
HWND FindChild(HWND parent, const char* cls, std::optional<int> id = std::nullopt);

// Sends with a time-out, so a hung target cannot hang the driver. Empty
// when the send failed or timed out.
std::optional<LRESULT> Send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, DWORD ms = 5000);
// Posts: for messages whose handler runs a modal loop (menus, dialogs).
bool Post(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// A menu or accelerator command, posted to the window.
bool PostCommand(HWND hwnd, int id);

// ---- dialogs and message boxes ---------------------------------------------

struct CMessageBox {
    HWND hwnd = nullptr;
    std::string caption;
    std::string text;  // the Static with id 65535
};

// A message box (#32770 dialog) of process pid with the given caption (null:
// any), waited for up to ms.
std::optional<CMessageBox> WaitForMessageBox(DWORD pid, const char* caption = nullptr, DWORD ms = kWaitMs);
std::optional<CMessageBox> WaitForMessageBox(const CProcess& p, const char* caption = nullptr, DWORD ms = kWaitMs);
CMessageBox ReadMessageBox(HWND hwnd);
// Every #32770 window of the process, as message boxes.
std::vector<CMessageBox> OpenDialogs(DWORD pid);
std::string DialogItemText(HWND dlg, int id);
// Presses a button of a dialog as a click on it would: WM_COMMAND with
// BN_CLICKED from the button, posted, so a modal result never blocks us.
bool PressButton(HWND dlg, int id);
// BM_CLICK on the button itself, posted.
bool ClickButton(HWND button);
// True when the window is gone within ms.
bool WaitForClose(HWND hwnd, DWORD ms = kWaitMs);
// Keys typed through the X server (xdotool's names, "alt+F4 Escape"), as a
// person types them: they go through the menus, accelerators and system
// menu that a posted message skips. They reach the window with the focus.
// Returns once they are on their way, not typed: wait for what they do.
bool TypeKeys(const std::string& keys);
// The pointer moved to `from` (screen), the left button pressed there,
// moved to `to` and let go; a click, or a double click, at a point.
bool DragMouse(POINT from, POINT to);
bool ClickAt(POINT pt, int nClicks = 1);

// Drops files on a window of another process through OLE drag and drop, as
// the shell would: the pointer goes to the window's middle and lets go
// there. The effect the target chose, or empty when nothing was dropped.
std::optional<DWORD> DropFiles(HWND target, const std::vector<std::string>& paths);

// ---- list views across processes -------------------------------------------

// Rows of a report-style list view of another process, every column's text.
// Empty when the control does not answer.
std::optional<std::vector<std::vector<std::string>>> ReadListView(HANDLE hProcess, HWND list);
std::optional<std::vector<std::string>> ReadListViewColumns(HANDLE hProcess, HWND list);
int ListViewColumnCount(HWND list);
// State image index of a row (1 unticked, 2 ticked, 0 none).
int ListViewCheckState(HWND list, int row);

// Selects exactly the given rows (none when empty); the first of them also
// gets the focus, as a click would give it.
bool SelectListViewRows(HANDLE hProcess, HWND list, const std::vector<int>& rows);
// Rows selected now, top first.
std::vector<int> ListViewSelectedRows(HWND list);
// Small-image index of a row.
std::optional<int> ListViewImage(HANDLE hProcess, HWND list, int row);
// Rectangle of a row's part (LVIR_BOUNDS, LVIR_ICON, ...), client coordinates.
std::optional<RECT> ListViewItemRect(HANDLE hProcess, HWND list, int row, int part);
// The control's own hit test at a client point: its flags, and the row.
std::optional<UINT> ListViewHitTest(HANDLE hProcess, HWND list, POINT pt, int* row);
// A left click on a row's check box (its state image), as the mouse makes
// it, or a double click; false when no point of the row tests as its state
// image.
bool ClickListViewStateIcon(HANDLE hProcess, HWND list, int row, bool bDouble = false);
// A key pressed and released on the list, sent so it is handled before
// this returns.
bool PressListViewKey(HWND list, UINT vk);

// ---- controls of another process ---------------------------------------------

// WM_SETTEXT and WM_GETTEXT, which Wine carries across processes; unlike
// WindowText they reach an edit control's contents.
bool SetControlText(HWND control, const std::string& text);
std::optional<std::string> ControlText(HWND control);
bool IsChecked(HWND button);
// Items of a combo box or list box, in the order the control shows them.
std::vector<std::string> ComboItems(HWND combo);
std::vector<std::string> ListBoxItems(HWND listBox);
// Selects the item with exactly this text; false when there is none.
bool SelectComboItem(HWND combo, const std::string& text);
// Adds one item to a multiple-selection list box's selection.
bool SelectListBoxItem(HWND listBox, int index);
// Text of one part of a status bar of another process.
std::optional<std::string> StatusBarText(HANDLE hProcess, HWND bar, int part);

// Which of the system's message-box icons a box shows, told by its pixels on
// the screen: "stop", "exclamation", "question", "information", "none", or
// "unknown" when the picture is none of them.
std::string MessageBoxIcon(HWND box);

// ---- menus across processes -------------------------------------------------

struct CMenuItem {
    UINT id = 0;  // 0 for separators and submenus
    std::string text;
    bool separator = false;
    bool grayed = false;
    bool checked = false;
    bool isDefault = false;
    std::vector<CMenuItem> sub;  // filled for a submenu
};

// Reads a menu that lives in another process. Wine keeps a menu's items in
// its owner process and refuses GetMenuString from any other, so this loads
// a small probe DLL into the target (once) and reads the menu there.
std::optional<std::vector<CMenuItem>> ReadRemoteMenu(HANDLE hProcess, HMENU hMenu);
// The menu bar of a window of that process.
std::optional<std::vector<CMenuItem>> ReadMenuBar(HANDLE hProcess, HWND hwnd);
// The items of an open popup menu window (#32768).
std::optional<std::vector<CMenuItem>> ReadPopupMenu(HANDLE hProcess, HWND popup);
// Item texts of one level, for compact comparisons ("" for a separator).
std::vector<std::string> Texts(const std::vector<CMenuItem>& items);

// ---- notification area (Wine) ----------------------------------------------

// Number of icons in Wine's own notification area window, which Wine's
// explorer shows when the X display offers no tray of its own (always so on
// a bare Xvfb). 0 before the first icon ever; -1 outside Wine.
int TrayIconCount();

// An icon of the test program's own in the notification area for as long as
// the object lives. Wine hides its tray window when the last icon goes, and
// without a window manager every hide costs two seconds; with this one
// always there, the tray stays up and the counts stay plain.
class CTrayAnchor {
public:
    CTrayAnchor();
    ~CTrayAnchor();
    CTrayAnchor(const CTrayAnchor&) = delete;
    CTrayAnchor& operator=(const CTrayAnchor&) = delete;
    explicit operator bool() const { return m_bAdded; }

private:
    HWND m_hwnd = nullptr;
    bool m_bAdded = false;
};

// ---- registry --------------------------------------------------------------

extern const char* const kAppKey;  // Software\Corvane\Netbell

bool RegDeleteTreeOf(HKEY root, const std::string& path);
bool RegWriteString(HKEY root, const std::string& path, const std::string& name, const std::string& value);
bool RegWriteDword(HKEY root, const std::string& path, const std::string& name, DWORD value);
std::optional<std::string> RegReadString(HKEY root, const std::string& path, const std::string& name);
std::optional<DWORD> RegReadDword(HKEY root, const std::string& path, const std::string& name);
bool RegKeyExists(HKEY root, const std::string& path);
bool RegDeleteValueOf(HKEY root, const std::string& path, const std::string& name);

// The program's settings under HKCU\Software\Corvane\Netbell\<section>.
bool DeleteAppKey();
bool WriteSetting(const std::string& name, const std::string& value, const std::string& section = "Settings");
std::optional<std::string> ReadSetting(const std::string& name, const std::string& section = "Settings");

// Windows version Wine reports to programs named exeName ("win95", "nt40",
// "win7"); nullptr removes the setting (Wine's default, Windows 7).
bool SetWindowsVersion(const std::string& exeName, const char* version);

// Whether Wine leaves the top-level windows of programs named exeName to
// the window manager. On a bare Xvfb there is none: managed windows then
// lose their frame and caption, and every hide waits two seconds for a
// manager's answer. Unmanaged, Wine draws and hides them itself.
bool SetUnmanagedWindows(const std::string& exeName, bool unmanaged);

// ---- files and folders -----------------------------------------------------

std::string JoinPath(const std::string& folder, const std::string& name);
std::string FolderOf(const std::string& path);
std::string FileNameOf(const std::string& path);
bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
std::optional<std::vector<uint8_t>> ReadFileBytes(const std::string& path);
bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);
// Names in a folder, without "." and "..", sorted.
std::vector<std::string> ListFolder(const std::string& folder);
bool RemoveTree(const std::string& folder);
// The system's temporary folder, without a trailing backslash.
std::string TempFolder();
// A new empty folder in parent whose name starts with prefix.
std::string MakeUniqueFolder(const std::string& parent, const std::string& prefix);
std::string EnvVar(const char* name);
// Folder of the running test program.
std::string ModuleFolder();

// ---- shell -------------------------------------------------------------------

std::string StartupFolder();
std::string DesktopFolder();

struct CShortcut {
    std::string target;
    std::string description;
};
// Target and description of a shell link (.lnk); empty when unreadable.
std::optional<CShortcut> ReadShortcut(const std::string& path);

// ---- screenshots -----------------------------------------------------------

// Captures the whole screen into a 24-bit BMP file.
bool SaveScreenBmp(const std::string& path);
// Into $NETBELL_SCREENSHOTS\<name>.bmp; false (and nothing written) when the
// variable is not set.
bool Screenshot(const std::string& name);

}  // namespace e2e
