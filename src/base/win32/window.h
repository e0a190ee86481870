#pragma once
// One window-procedure thunk and one dialog-procedure thunk: the object is
// stored with the window when it is created, and every message goes to its
// virtual handler.

#include <windows.h>

#include <string>

#include "base/win32/text_win32.h"

// A window's text, or a dialog control's, of any length.
std::string GetWindowString(HWND hwnd);
std::string GetDlgItemString(HWND hDlg, int nId);
// The same for a field that was given original: see FromSysKeeping.
std::string GetDlgItemString(HWND hDlg, int nId, const std::string& original);
// Sets a window's text from the program's.
BOOL SetWindowString(HWND hwnd, std::string_view text);
BOOL SetDlgItemString(HWND hDlg, int nId, std::string_view text);

class CWindow {
public:
    CWindow() = default;
    virtual ~CWindow();
    CWindow(const CWindow&) = delete;
    CWindow& operator=(const CWindow&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }

protected:
    static bool RegisterWindowClass(HINSTANCE hInstance, LPCTSTR className, HICON hIcon, HBRUSH hbrBackground,
                                    UINT style = CS_DBLCLKS);
    HWND CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR title, DWORD style, int x, int y, int cx,
                  int cy, HWND hwndParent, HMENU hMenu, HINSTANCE hInstance);
    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam) { return DefWindowProc(m_hWnd, msg, wParam, lParam); }
    // Called once the window is gone: the handle is already forgotten.
    virtual void OnFinalDestroy() {}

    HWND m_hWnd = nullptr;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
};

// A modal dialog from a template. Handlers return TRUE for a message they
// handled, as a dialog procedure does.
class CModalDialog {
public:
    CModalDialog(HINSTANCE hInstance, int nTemplateId) : m_hInstance(hInstance), m_nTemplateId(nTemplateId) {}
    virtual ~CModalDialog() = default;
    CModalDialog(const CModalDialog&) = delete;
    CModalDialog& operator=(const CModalDialog&) = delete;

    INT_PTR DoModal(HWND hwndOwner);
    HWND GetSafeHwnd() const { return m_hWnd; }

protected:
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(m_hWnd, IDOK); }
    virtual void OnCancel() { EndDialog(m_hWnd, IDCANCEL); }
    virtual BOOL OnCommand(WORD id, WORD code, HWND hwndCtl);
    virtual INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    HINSTANCE m_hInstance;
    int m_nTemplateId;
    HWND m_hWnd = nullptr;

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
};
