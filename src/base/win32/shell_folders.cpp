#include "base/win32/shell_folders.h"

#include <objbase.h>
#include <shlobj.h>

#include "base/prompts.h"
#include "base/win32/com_ptr.h"

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
    char buf[MAX_PATH];
    const bool bOk = SHGetPathFromIDListA(pidl, buf) != FALSE;
    FreeShellMemory(pidl);
    if (bOk)
        path = buf;
    return bOk;
}

HRESULT CreateShortcut(IPrompts& prompts, const std::string& target, const std::string& link,
                       const std::string& description)
{
    CComPtr<IShellLinkA> psl;
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  psl.ReceiveVoid());
    if (FAILED(hr))
        return hr;
    psl->SetPath(target.c_str());
    psl->SetDescription(description.c_str());
    {
        CComPtr<IPersistFile> ppf;
        hr = psl->QueryInterface(IID_IPersistFile, ppf.ReceiveVoid());
        if (SUCCEEDED(hr)) {
            WCHAR wsz[MAX_PATH] = {};
            MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wsz, MAX_PATH);
            wsz[MAX_PATH - 1] = 0;
            hr = ppf->Save(wsz, TRUE);
            if (FAILED(hr))
                prompts.ShowMessage("Error creating shortcut to the file.", "", MsgButtons::ok, MsgIcon::none);
        }
    }
    SHChangeNotify(SHCNE_CREATE, SHCNF_PATHA, link.c_str(), nullptr);
    return hr;
}
