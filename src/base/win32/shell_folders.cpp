#include "base/win32/shell_folders.h"

#include <objbase.h>
#include <shlobj.h>

#include "base/prompts.h"
#include "base/win32/com_ptr.h"
#include "base/win32/text_win32.h"

void FreeShellMemory(void* p)
{
    IMalloc* pMalloc = nullptr;
    if (p && SUCCEEDED(SHGetMalloc(&pMalloc)) && pMalloc) {
        pMalloc->Free(p);
        pMalloc->Release();
    }
}

bool GetSpecialFolder(HWND hwndOwner, int nFolder, std::string& path)
{
    LPITEMIDLIST pidl = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(hwndOwner, nFolder, &pidl)) || !pidl)
        return false;
    TCHAR buf[MAX_PATH];
    const bool bOk = SHGetPathFromIDList(pidl, buf) != FALSE;
    FreeShellMemory(pidl);
    if (bOk)
        path = FromSys(buf);
    return bOk;
}

HRESULT CreateShortcut(IPrompts& prompts, const std::string& target, const std::string& link,
                       const std::string& description)
{
    CComPtr<IShellLink> psl;
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLink,
                                  psl.ReceiveVoid());
    if (FAILED(hr))
        return hr;
    psl->SetPath(ToSys(target).c_str());
    psl->SetDescription(ToSys(description).c_str());
    {
        CComPtr<IPersistFile> ppf;
        hr = psl->QueryInterface(IID_IPersistFile, ppf.ReceiveVoid());
        if (SUCCEEDED(hr)) {
            std::wstring wide = ToWide(link);
            if (wide.size() >= MAX_PATH)
                wide.resize(MAX_PATH - 1);
            hr = ppf->Save(wide.c_str(), TRUE);
            if (FAILED(hr))
                prompts.ShowMessage("Error creating shortcut to the file.", "", MsgButtons::ok, MsgIcon::none);
        }
    }
    SHChangeNotify(SHCNE_CREATE, SHCNF_PATH, ToSys(link).c_str(), nullptr);
    return hr;
}
