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

namespace {

// The Internet shortcut class and its ANSI interface, as the shell documents
// them; spelt out here so no import library has to carry them.
const GUID kClsidInternetShortcut = {
    0xFBF23B40, 0xE3F0, 0x101B, {0x84, 0x88, 0x00, 0xAA, 0x00, 0x3E, 0x56, 0xF8}};
const GUID kIidUniformResourceLocatorA = {
    0xFBF23B80, 0xE3F0, 0x101B, {0x84, 0x88, 0x00, 0xAA, 0x00, 0x3E, 0x56, 0xF8}};
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
        char buf[MAX_PATH] = {};
        if (!m_pidl || !SHGetPathFromIDListA(m_pidl, buf) || !buf[0])
            return false;
        path = buf;
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
        const DWORD n = GetCurrentDirectoryA(MAX_PATH, m_szSaved);
        m_bSaved = n > 0 && n < MAX_PATH;
    }
    ~CCurrentDirectoryKeeper()
    {
        if (m_bSaved)
            SetCurrentDirectoryA(m_szSaved);
    }
    CCurrentDirectoryKeeper(const CCurrentDirectoryKeeper&) = delete;
    CCurrentDirectoryKeeper& operator=(const CCurrentDirectoryKeeper&) = delete;

private:
    char m_szSaved[MAX_PATH] = {};
    bool m_bSaved = false;
};

bool IsLeadByte(unsigned char c)
{
    return IsDBCSLeadByte(c) != FALSE;
}

} // namespace

ShortcutResult ResolveInternetShortcut(const std::string& path)
{
    ShortcutResult result;
    if (!HasUrlExtension(path)) {
        result.outcome = ShortcutOutcome::NotShortcut;
        return result;
    }
    result.title = ShortcutTitle(path, IsLeadByte);

    // A fresh object for every file: one that failed to load may still
    // answer with the URL of the file it loaded before.
    CComPtr<IUniformResourceLocatorA> pUrl;
    if (FAILED(CoCreateInstance(kClsidInternetShortcut, nullptr, CLSCTX_INPROC_SERVER,
                                kIidUniformResourceLocatorA, pUrl.ReceiveVoid())) ||
        !pUrl) {
        result.outcome = ShortcutOutcome::CreateFailed;
        return result;
    }
    CComPtr<IPersistFile> pFile;
    if (FAILED(pUrl->QueryInterface(kIidPersistFile, pFile.ReceiveVoid())) || !pFile) {
        result.outcome = ShortcutOutcome::CreateFailed;
        return result;
    }

    WCHAR wszPath[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wszPath, MAX_PATH);
    wszPath[MAX_PATH - 1] = 0;

    result.outcome = ShortcutOutcome::LoadFailed;
    if (FAILED(pFile->Load(wszPath, 0)))
        return result;
    LPSTR pszUrl = nullptr;
    // S_FALSE with no text means the file holds no URL.
    const HRESULT hr = pUrl->GetURL(&pszUrl);
    if (SUCCEEDED(hr) && pszUrl) {
        result.url = pszUrl;
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
    SetCurrentDirectoryA(favorites.c_str());

    char szFile[MAX_PATH] = "*.url";
    OPENFILENAMEA ofn = {};
    // Windows 95 and NT 4 refuse the record at today's size; later systems
    // show their places bar only for it.
    ofn.lStructSize = IsWindows2000OrLater() ? sizeof ofn : OPENFILENAME_SIZE_VERSION_400A;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = "Internet Shortcut\0*.url\0";
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = szFile;
    ofn.nMaxFile = MAX_PATH;
    // Later systems open where the user last was rather than in the current
    // directory, so name the folder as well.
    ofn.lpstrInitialDir = favorites.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_NONETWORKBUTTON;
    if (!GetOpenFileNameA(&ofn))
        return false;

    result = ResolveInternetShortcut(szFile);
    ReportShortcutOutcome(ShortcutCaller::Favorites, result, prompts);
    return true;
}

std::string BrowseForFolder(HWND owner, int nRootFolder, UINT ulFlags)
{
    // Without the root's item list the picker starts at the desktop.
    CItemList root;
    SHGetSpecialFolderLocation(owner, nRootFolder, root.Receive());

    char szDisplayName[MAX_PATH] = {};
    BROWSEINFOA bi = {};
    bi.hwndOwner = owner;
    bi.pidlRoot = root.Get();
    bi.pszDisplayName = szDisplayName;
    bi.lpszTitle = "Browse for Path";
    bi.ulFlags = ulFlags;

    CItemList chosen;
    chosen.Attach(SHBrowseForFolderA(&bi));
    if (!chosen.Get())
        return kShellCancelled;
    std::string path;
    if (!chosen.GetPath(path))
        return kShellError;
    return path;
}
