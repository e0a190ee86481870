// Files dropped on another program's window through OLE drag and drop, as
// the shell drops them: a data object offering CF_HDROP, carried into the
// target by the system's marshalling.
#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include "driver.h"

namespace e2e {

namespace {

class CFileDrop : public IDataObject, public IDropSource {
public:
    CFileDrop(const std::vector<std::string>& paths, HWND target) : m_target(target)
    {
        // DROPFILES, then each path in UTF-16 with its terminator, then one more.
        std::wstring names;
        for (const std::string& path : paths) {
            names += Wide(path);
            names += L'\0';
        }
        names += L'\0';
        m_bytes.resize(sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
        DROPFILES header = {};
        header.pFiles = sizeof(DROPFILES);
        header.fWide = TRUE;
        memcpy(m_bytes.data(), &header, sizeof header);
        memcpy(m_bytes.data() + sizeof header, names.data(), names.size() * sizeof(wchar_t));
    }
    virtual ~CFileDrop() = default;

    bool Dropped() const { return m_bDropped; }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_IDataObject)
            *ppv = static_cast<IDataObject*>(this);
        else if (riid == IID_IDropSource)
            *ppv = static_cast<IDropSource*>(this);
        else {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_nRefs)); }
    STDMETHODIMP_(ULONG) Release() override
    {
        const LONG n = InterlockedDecrement(&m_nRefs);
        if (n == 0)
            delete this;
        return static_cast<ULONG>(n);
    }

    // IDataObject
    STDMETHODIMP GetData(FORMATETC* pFormat, STGMEDIUM* pMedium) override
    {
        const HRESULT hr = QueryGetData(pFormat);
        if (hr != S_OK)
            return hr;
        HGLOBAL hGlobal = GlobalAlloc(GMEM_MOVEABLE, m_bytes.size());
        if (!hGlobal)
            return E_OUTOFMEMORY;
        memcpy(GlobalLock(hGlobal), m_bytes.data(), m_bytes.size());
        GlobalUnlock(hGlobal);
        pMedium->tymed = TYMED_HGLOBAL;
        pMedium->hGlobal = hGlobal;
        pMedium->pUnkForRelease = nullptr;
        return S_OK;
    }
    STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryGetData(FORMATETC* pFormat) override
    {
        if (pFormat->cfFormat != CF_HDROP)
            return DV_E_FORMATETC;
        return (pFormat->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_TYMED;
    }
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC* pOut) override
    {
        pOut->ptd = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppEnum) override
    {
        if (dwDirection != DATADIR_GET)
            return E_NOTIMPL;
        FORMATETC format = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        return SHCreateStdEnumFmtEtc(1, &format, ppEnum);
    }
    STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

    // IDropSource: the drop is let go once the pointer has been over the
    // target for a few rounds, so the target has had its DragEnter and
    // DragOver first, as with a hand on the mouse.
    STDMETHODIMP QueryContinueDrag(BOOL fEscape, DWORD) override
    {
        if (fEscape || ++m_nRounds > 400)
            return DRAGDROP_S_CANCEL;
        POINT pt;
        GetCursorPos(&pt);
        RECT rc;
        GetWindowRect(m_target, &rc);
        if (!PtInRect(&rc, pt)) {
            SetCursorPos((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
            m_nOver = 0;
            return S_OK;
        }
        if (++m_nOver < 4)
            return S_OK;
        m_bDropped = true;
        return DRAGDROP_S_DROP;
    }
    STDMETHODIMP GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

private:
    LONG m_nRefs = 1;
    HWND m_target;
    std::vector<uint8_t> m_bytes;
    int m_nRounds = 0;
    int m_nOver = 0;
    bool m_bDropped = false;
};

}  // namespace

std::optional<DWORD> DropFiles(HWND target, const std::vector<std::string>& paths)
{
    if (FAILED(OleInitialize(nullptr)))
        return std::nullopt;
    RECT rc;
    GetWindowRect(target, &rc);
    SetCursorPos((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    auto* drop = new CFileDrop(paths, target);
    DWORD dwEffect = DROPEFFECT_NONE;
    const HRESULT hr = DoDragDrop(drop, drop, DROPEFFECT_COPY | DROPEFFECT_LINK, &dwEffect);
    const bool bDropped = drop->Dropped();
    drop->Release();
    OleUninitialize();
    if (hr != DRAGDROP_S_DROP || !bDropped)
        return std::nullopt;
    return dwEffect;
}

}  // namespace e2e
