#include "dialogs/win32/shortcuts_win32.h"

#include <commdlg.h>
#include <objbase.h>
#include <shlobj.h>
// After the COM headers it builds on.
#include <intshcut.h>

#include "base/prompts.h"
#include "base/win32/com_ptr.h"
#include "base/win32/shell_folders.h"
#include "base/win32/system_proc.h"
#include "base/win32/text_win32.h"

namespace {

// The Internet shortcut class and its interface in the program's form, as the
// shell documents them; spelt out here so no import library has to carry
// them. The Unicode program asks for the wide interface, so that a URL the
// code page cannot hold comes whole; the single-byte one keeps the ANSI one.
const GUID kClsidInternetShortcut = {
    0xFBF23B40, 0xE3F0, 0x101B, {0x84, 0x88, 0x00, 0xAA, 0x00, 0x3E, 0x56, 0xF8}};
#ifdef UNICODE
const GUID kIidUniformResourceLocator = {
    0xCABB0DA0, 0xDA57, 0x11CF, {0x99, 0x74, 0x00, 0x20, 0xAF, 0xD7, 0x97, 0x62}};
#else
const GUID kIidUniformResourceLocator = {
    0xFBF23B80, 0xE3F0, 0x101B, {0x84, 0x88, 0x00, 0xAA, 0x00, 0x3E, 0x56, 0xF8}};
#endif
const GUID kIidPersistFile = {0x0000010B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// An item list from the shell, freed with the task allocator.
class CItemList {
public:
    CItemList() = default;
    ~CItemList() { Attach(nullptr); }
    CItemList(const CItemList&) = delete;
    CItemList& operator=(const CItemList&) = delete;

    LPITEMIDLIST* Receive()
    {
        Attach(nullptr);
        return &m_pidl;
    }
    void Attach(LPITEMIDLIST pidl)
    {
        if (m_pidl)
            FreeShellMemory(m_pidl);
        m_pidl = pidl;
    }
    LPITEMIDLIST Get() const { return m_pidl; }

    bool GetPath(std::string& path) const
    {
        TCHAR buf[MAX_PATH] = {};
        if (!m_pidl || !SHGetPathFromIDList(m_pidl, buf) || !buf[0])
            return false;
        path = FromSys(buf);
        return true;
    }

private:
    LPITEMIDLIST m_pidl = nullptr;
};

// Puts the process's current directory back when it goes out of scope.
class CCurrentDirectoryKeeper {
public:
    CCurrentDirectoryKeeper()
    {
        const DWORD n = GetCurrentDirectory(MAX_PATH, m_szSaved);
        m_bSaved = n > 0 && n < MAX_PATH;
    }
    ~CCurrentDirectoryKeeper()
    {
        if (m_bSaved)
            SetCurrentDirectory(m_szSaved);
    }
    CCurrentDirectoryKeeper(const CCurrentDirectoryKeeper&) = delete;
    CCurrentDirectoryKeeper& operator=(const CCurrentDirectoryKeeper&) = delete;

private:
    TCHAR m_szSaved[MAX_PATH] = {};
    bool m_bSaved = false;
};

} // namespace

ShortcutResult ResolveInternetShortcut(const std::string& path)
{
    ShortcutResult result;
    if (!HasUrlExtension(path)) {
        result.outcome = ShortcutOutcome::NotShortcut;
        return result;
    }
    result.title = ShortcutTitle(path);

    // A fresh object for every file: one that failed to load may still
    // answer with the URL of the file it loaded before.
    CComPtr<IUniformResourceLocator> pUrl;
    if (FAILED(CoCreateInstance(kClsidInternetShortcut, nullptr, CLSCTX_INPROC_SERVER, kIidUniformResourceLocator,
                                pUrl.ReceiveVoid())) ||
        !pUrl) {
        result.outcome = ShortcutOutcome::CreateFailed;
        return result;
    }
    CComPtr<IPersistFile> pFile;
    if (FAILED(pUrl->QueryInterface(kIidPersistFile, pFile.ReceiveVoid())) || !pFile) {
        result.outcome = ShortcutOutcome::CreateFailed;
        return result;
    }

    result.outcome = ShortcutOutcome::LoadFailed;
    if (FAILED(pFile->Load(ToWide(path).c_str(), 0)))
        return result;
    LPTSTR pszUrl = nullptr;
    // S_FALSE with no text means the file holds no URL.
    const HRESULT hr = pUrl->GetURL(&pszUrl);
    if (SUCCEEDED(hr) && pszUrl) {
        result.url = FromSys(pszUrl);
        result.outcome = ShortcutOutcome::Resolved;
    }
    if (pszUrl)
        FreeShellMemory(pszUrl);
    return result;
}

bool PickFavoritesShortcut(HWND owner, IPrompts& prompts, ShortcutResult& result)
{
    std::string favorites;
    {
        CItemList pidl;
        if (FAILED(SHGetSpecialFolderLocation(owner, CSIDL_FAVORITES, pidl.Receive())) ||
            !pidl.GetPath(favorites)) {
            prompts.ShowMessage("Sorry, there was an error locating your Favorites Folder.", "Shell Error",
                                MsgButtons::ok, MsgIcon::exclamation);
            return false;
        }
    }

    CCurrentDirectoryKeeper keepDirectory;
    const tstring folder = ToSys(favorites);
    SetCurrentDirectory(folder.c_str());

    TCHAR szFile[MAX_PATH] = TEXT("*.url");
    OPENFILENAME ofn = {};
    // Windows 95 and NT 4 refuse the record at today's size; later systems
    // show their places bar only for it.
    ofn.lStructSize = IsWindows2000OrLater() ? sizeof ofn : OPENFILENAME_SIZE_VERSION_400;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = TEXT("Internet Shortcut\0*.url\0");
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = szFile;
    ofn.nMaxFile = MAX_PATH;
    // Later systems open where the user last was rather than in the current
    // directory, so name the folder as well.
    ofn.lpstrInitialDir = folder.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_NONETWORKBUTTON;
    if (!GetOpenFileName(&ofn))
        return false;

    result = ResolveInternetShortcut(FromSys(szFile));
    ReportShortcutOutcome(ShortcutCaller::Favorites, result, prompts);
    return true;
}

std::string BrowseForFolder(HWND owner, int nRootFolder, UINT ulFlags)
{
    // Without the root's item list the picker starts at the desktop.
    CItemList root;
    SHGetSpecialFolderLocation(owner, nRootFolder, root.Receive());

    TCHAR szDisplayName[MAX_PATH] = {};
    BROWSEINFO bi = {};
    bi.hwndOwner = owner;
    bi.pidlRoot = root.Get();
    bi.pszDisplayName = szDisplayName;
    bi.lpszTitle = TEXT("Browse for Path");
    bi.ulFlags = ulFlags;

    CItemList chosen;
    chosen.Attach(SHBrowseForFolder(&bi));
    if (!chosen.Get())
        return kShellCancelled;
    std::string path;
    if (!chosen.GetPath(path))
        return kShellError;
    return path;
}
