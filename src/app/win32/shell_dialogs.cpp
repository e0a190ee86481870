#include "app/win32/shell_dialogs.h"

#include <shellapi.h>

#include <string>

#include "base/dialog_guard.h"
#include "base/prompts.h"
#include "base/settings.h"
#include "app/win32/app.h"
#include "base/win32/window.h"
#include "res/resource.h"

namespace {

std::string LoadText(UINT nId)
{
    TCHAR buf[512];
    const int n = LoadString(GetModuleHandle(nullptr), nId, buf, 512);
    return FromSys(buf, n > 0 ? static_cast<size_t>(n) : 0);
}

bool OpenInShell(HWND hwndOwner, const std::string& target)
{
    return reinterpret_cast<INT_PTR>(
               ShellExecute(hwndOwner, TEXT("open"), ToSys(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL)) > 32;
}

class CAboutDlg : public CModalDialog {
public:
    explicit CAboutDlg(HINSTANCE hInstance) : CModalDialog(hInstance, IDD_ABOUTBOX) {}
    ~CAboutDlg() override
    {
        if (m_hFont)
            DeleteObject(m_hFont);
    }

protected:
    BOOL OnInitDialog() override
    {
        HDC hdc = GetDC(m_hWnd);
        const int height = -MulDiv(24, GetDeviceCaps(hdc, LOGPIXELSY), 72);
        ReleaseDC(m_hWnd, hdc);
        m_hFont = CreateFont(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, TEXT("Impact"));
        if (m_hFont)
            SendDlgItemMessage(m_hWnd, IDC_PRODUCT_NAME, WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont), TRUE);
        return TRUE;
    }

private:
    HFONT m_hFont = nullptr;
};

class CSponsorsDlg : public CModalDialog {
public:
    CSponsorsDlg(HINSTANCE hInstance, int nSponsor, IPrompts& prompts)
        : CModalDialog(hInstance, IDD_SPONSORS), m_nSponsor(nSponsor), m_prompts(prompts)
    {
    }
    ~CSponsorsDlg() override
    {
        if (m_hBitmap)
            DeleteObject(m_hBitmap);
    }

protected:
    BOOL OnInitDialog() override
    {
        m_hBitmap = static_cast<HBITMAP>(LoadImage(m_hInstance, MAKEINTRESOURCE(IDB_SPONSOR_FIRST + m_nSponsor),
                                                   IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
        SendDlgItemMessage(m_hWnd, IDC_SPONSOR_PICTURE, STM_SETIMAGE, IMAGE_BITMAP,
                           reinterpret_cast<LPARAM>(m_hBitmap));
        return TRUE;
    }
    BOOL OnCommand(WORD id, WORD code, HWND hwndCtl) override
    {
        if (id == IDC_SPONSOR_VISIT) {
            const std::string url = LoadText(IDS_SPONSOR_URL_FIRST + m_nSponsor);
            if (!OpenInShell(m_hWnd, url))
                m_prompts.ShowMessage("Could not open " + url, "Shell Error", MsgButtons::ok, MsgIcon::exclamation);
            return TRUE;
        }
        return CModalDialog::OnCommand(id, code, hwndCtl);
    }

private:
    int m_nSponsor;
    IPrompts& m_prompts;
    HBITMAP m_hBitmap = nullptr;
};

} // namespace

void RunAboutBox(HINSTANCE hInstance, HWND hwndOwner)
{
    CAboutDlg dlg(hInstance);
    dlg.DoModal(hwndOwner);
}

void RunSponsorsDialog(HINSTANCE hInstance, HWND hwndOwner, ISettingsStore& settings, IPrompts& prompts)
{
    CDialogGuardScope guard(DialogGuard());
    if (guard.Busy())
        return;
    // Each opening shows the next picture in turn.
    int nLast = ReadSetting(settings, setting::ImpressionsLast);
    if (nLast < 0 || nLast >= SPONSOR_COUNT)
        nLast = SPONSOR_COUNT - 1;
    const int nSponsor = (nLast + 1) % SPONSOR_COUNT;
    WriteSetting(settings, setting::ImpressionsLast, nSponsor);
    CSponsorsDlg dlg(hInstance, nSponsor, prompts);
    dlg.DoModal(hwndOwner);
}

std::string WebLinkAddress(UINT nId)
{
    if (nId < ID_WEB_FIRST || nId > ID_WEB_LAST)
        return std::string();
    return LoadText(nId + WEB_URL_OFFSET);
}
