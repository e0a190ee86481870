#include "base/win32/window.h"

namespace {

tstring GetWindowSysText(HWND hwnd)
{
    const int n = GetWindowTextLength(hwnd);
    tstring text(static_cast<size_t>(n > 0 ? n : 0) + 1, TEXT('\0'));
    const int got = GetWindowText(hwnd, &text[0], static_cast<int>(text.size()));
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

} // namespace

std::string GetWindowString(HWND hwnd)
{
    return FromSys(GetWindowSysText(hwnd));
}

std::string GetDlgItemString(HWND hDlg, int nId)
{
    return GetWindowString(GetDlgItem(hDlg, nId));
}

std::string GetDlgItemString(HWND hDlg, int nId, const std::string& original)
{
    return FromSysKeeping(GetWindowSysText(GetDlgItem(hDlg, nId)), original);
}

BOOL SetWindowString(HWND hwnd, std::string_view text)
{
    return SetWindowText(hwnd, ToSys(text).c_str());
}

BOOL SetDlgItemString(HWND hDlg, int nId, std::string_view text)
{
    return SetDlgItemText(hDlg, nId, ToSys(text).c_str());
}

CWindow::~CWindow()
{
    if (m_hWnd) {
        SetWindowLongPtr(m_hWnd, GWLP_USERDATA, 0);
        DestroyWindow(m_hWnd);
    }
}

bool CWindow::RegisterWindowClass(HINSTANCE hInstance, LPCTSTR className, HICON hIcon, HBRUSH hbrBackground,
                                  UINT style)
{
    WNDCLASS wc = {};
    if (GetClassInfo(hInstance, className, &wc))
        return true;
    wc.style = style;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = hInstance;
    wc.hIcon = hIcon;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = hbrBackground;
    wc.lpszClassName = className;
    return RegisterClass(&wc) != 0;
}

HWND CWindow::CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR title, DWORD style, int x, int y, int cx,
                       int cy, HWND hwndParent, HMENU hMenu, HINSTANCE hInstance)
{
    return CreateWindowEx(exStyle, className, title, style, x, y, cx, cy, hwndParent, hMenu, hInstance, this);
}

LRESULT CWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return Default(msg, wParam, lParam);
}

LRESULT CALLBACK CWindow::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CWindow* self;
    if (msg == WM_NCCREATE) {
        self = static_cast<CWindow*>(reinterpret_cast<CREATESTRUCT*>(lParam)->lpCreateParams);
        self->m_hWnd = hwnd;
        SetWindowLongPtr(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<CWindow*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
    }
    if (!self)
        return DefWindowProc(hwnd, msg, wParam, lParam);
    const LRESULT result = self->HandleMessage(msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtr(hwnd, GWLP_USERDATA, 0);
        self->m_hWnd = nullptr;
        self->OnFinalDestroy();
    }
    return result;
}

INT_PTR CModalDialog::DoModal(HWND hwndOwner)
{
    return DialogBoxParam(m_hInstance, MAKEINTRESOURCE(m_nTemplateId), hwndOwner, DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

BOOL CModalDialog::OnCommand(WORD id, WORD, HWND)
{
    if (id == IDOK) {
        OnOK();
        return TRUE;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return TRUE;
    }
    return FALSE;
}

INT_PTR CModalDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG: return OnInitDialog();
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    default: return FALSE;
    }
}

INT_PTR CALLBACK CModalDialog::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CModalDialog* self;
    if (msg == WM_INITDIALOG) {
        self = reinterpret_cast<CModalDialog*>(lParam);
        self->m_hWnd = hwnd;
        SetWindowLongPtr(hwnd, DWLP_USER, lParam);
    } else {
        self = reinterpret_cast<CModalDialog*>(GetWindowLongPtr(hwnd, DWLP_USER));
    }
    if (!self)
        return FALSE;
    const INT_PTR result = self->HandleMessage(msg, wParam, lParam);
    if (msg == WM_NCDESTROY)
        self->m_hWnd = nullptr;
    return result;
}
