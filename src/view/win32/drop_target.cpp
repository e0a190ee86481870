#include "view/win32/drop_target.h"

#include <shellapi.h>

#include "base/prompts.h"
#include "base/win32/text_win32.h"
#include "dialogs/win32/shortcuts_win32.h"

namespace {

FORMATETC GlobalFormat(CLIPFORMAT cf)
{
    FORMATETC fmt = {};
    fmt.cfFormat = cf;
    fmt.ptd = nullptr;
    fmt.dwAspect = DVASPECT_CONTENT;
    fmt.lindex = -1;
    fmt.tymed = TYMED_HGLOBAL;
    return fmt;
}

bool Offers(IDataObject* pDataObject, CLIPFORMAT cf)
{
    FORMATETC fmt = GlobalFormat(cf);
    return pDataObject && pDataObject->QueryGetData(&fmt) == S_OK;
}

// One medium in global memory, released on every path.
class CGlobalMedium {
public:
    CGlobalMedium() = default;
    ~CGlobalMedium()
    {
        if (m_bHeld)
            ReleaseStgMedium(&m_medium);
    }
    CGlobalMedium(const CGlobalMedium&) = delete;
    CGlobalMedium& operator=(const CGlobalMedium&) = delete;

    bool Get(IDataObject* pDataObject, CLIPFORMAT cf)
    {
        FORMATETC fmt = GlobalFormat(cf);
        if (!pDataObject || FAILED(pDataObject->GetData(&fmt, &m_medium)))
            return false;
        m_bHeld = true;
        return m_medium.tymed == TYMED_HGLOBAL && m_medium.hGlobal != nullptr;
    }
    HGLOBAL Global() const { return m_medium.hGlobal; }

    // The characters up to the first zero, or to the block's end: a source
    // that forgets the zero must not lead the read astray.
    template <class Char>
    bool ReadText(std::basic_string<Char>& text) const
    {
        const auto* p = static_cast<const Char*>(GlobalLock(m_medium.hGlobal));
        if (!p)
            return false;
        const SIZE_T nMax = GlobalSize(m_medium.hGlobal) / sizeof(Char);
        SIZE_T n = 0;
        while (n < nMax && p[n])
            ++n;
        text.assign(p, n);
        GlobalUnlock(m_medium.hGlobal);
        return true;
    }

private:
    STGMEDIUM m_medium = {};
    bool m_bHeld = false;
};

} // namespace

ShortcutResult CShellShortcutResolver::ResolveInternetShortcut(const std::string& path)
{
    return ::ResolveInternetShortcut(path);
}

bool CDropDataReader::HasFileList()
{
    return Offers(m_pDataObject, CF_HDROP);
}

bool CDropDataReader::GetFileList(std::vector<std::string>& paths)
{
    CGlobalMedium medium;
    if (!medium.Get(m_pDataObject, CF_HDROP))
        return false;
    const HDROP hDrop = static_cast<HDROP>(medium.Global());
    const UINT nFiles = DragQueryFile(hDrop, 0xFFFFFFFF, nullptr, 0);
    paths.clear();
    for (UINT i = 0; i < nFiles; ++i) {
        // Each path as long as it is, in whichever form the source wrote it.
        const UINT nLength = DragQueryFile(hDrop, i, nullptr, 0);
        tstring path(nLength + 1, TEXT('\0'));
        const UINT nGot = DragQueryFile(hDrop, i, &path[0], nLength + 1);
        path.resize(nGot < nLength ? nGot : nLength);
        paths.push_back(FromSys(path));
    }
    return true;
}

bool CDropDataReader::HasText()
{
    return Offers(m_pDataObject, CF_UNICODETEXT) || Offers(m_pDataObject, CF_TEXT);
}

bool CDropDataReader::GetText(std::string& text)
{
    // The 16-bit text holds every character, so it comes first; the
    // single-byte text only what the code page has. Windows NT makes the
    // one from the other, Windows 95 mostly offers the single-byte one.
    if (Offers(m_pDataObject, CF_UNICODETEXT)) {
        CGlobalMedium medium;
        std::wstring wide;
        if (medium.Get(m_pDataObject, CF_UNICODETEXT) && medium.ReadText(wide)) {
            text = FromWide(wide.data(), wide.size());
            return true;
        }
    }
    CGlobalMedium medium;
    std::string bytes;
    if (!medium.Get(m_pDataObject, CF_TEXT) || !medium.ReadText(bytes))
        return false;
    text.clear();
    ProcessCodePage().ToUtf8(bytes.data(), bytes.size(), text);
    return true;
}

CComPtr<CTaskListDropTarget> CTaskListDropTarget::Create(IDropTaskSink& sink, IPrompts& prompts,
                                                         IShortcutResolver& resolver)
{
    CComPtr<CTaskListDropTarget> p;
    *p.Receive() = new CTaskListDropTarget(sink, prompts, resolver);
    return p;
}

CTaskListDropTarget::CTaskListDropTarget(IDropTaskSink& sink, IPrompts& prompts, IShortcutResolver& resolver)
    : m_pSink(&sink), m_pPrompts(&prompts), m_pResolver(&resolver)
{
}

void CTaskListDropTarget::Disconnect()
{
    m_pSink = nullptr;
    m_pPrompts = nullptr;
    m_pResolver = nullptr;
    m_pDragging.Reset();
}

STDMETHODIMP CTaskListDropTarget::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget)) {
        *ppv = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CTaskListDropTarget::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_nRefs));
}

STDMETHODIMP_(ULONG) CTaskListDropTarget::Release()
{
    const LONG n = InterlockedDecrement(&m_nRefs);
    if (n == 0)
        delete this;
    return static_cast<ULONG>(n);
}

STDMETHODIMP CTaskListDropTarget::DragEnter(IDataObject* pDataObj, DWORD, POINTL, DWORD* pdwEffect)
{
    if (!pdwEffect)
        return E_INVALIDARG;
    m_pDragging.Reset();
    if (pDataObj && m_pSink) {
        pDataObj->AddRef();
        *m_pDragging.Receive() = pDataObj;
    }
    // Entering is not a movement: the first answer comes with DragOver.
    *pdwEffect = DROPEFFECT_NONE;
    return S_OK;
}

STDMETHODIMP CTaskListDropTarget::DragOver(DWORD, POINTL, DWORD* pdwEffect)
{
    if (!pdwEffect)
        return E_INVALIDARG;
    const DWORD allowed = *pdwEffect;
    *pdwEffect = DROPEFFECT_NONE;
    if (!m_pDragging || !m_pPrompts)
        return S_OK;
    CDropDataReader reader(m_pDragging.Get());
    if (TaskListDragOver(reader, *m_pPrompts) == DropEffect::copy && (allowed & DROPEFFECT_COPY))
        *pdwEffect = DROPEFFECT_COPY;
    return S_OK;
}

STDMETHODIMP CTaskListDropTarget::DragLeave()
{
    m_pDragging.Reset();
    return S_OK;
}

STDMETHODIMP CTaskListDropTarget::Drop(IDataObject* pDataObj, DWORD, POINTL, DWORD* pdwEffect)
{
    if (!pdwEffect)
        return E_INVALIDARG;
    m_pDragging.Reset();
    *pdwEffect = DROPEFFECT_NONE;
    if (!pDataObj || !m_pSink)
        return S_OK;
    // The drop may open the Note dialog; keep this object alive through it.
    AddRef();
    CDropDataReader reader(pDataObj);
    if (TaskListDrop(reader, *m_pResolver, *m_pPrompts, *m_pSink))
        *pdwEffect = DROPEFFECT_COPY;
    Release();
    return S_OK;
}

bool CTaskListDropRegistration::Register(HWND hwndList, IDropTaskSink& sink, IPrompts& prompts)
{
    Revoke();
    CComPtr<CTaskListDropTarget> pTarget = CTaskListDropTarget::Create(sink, prompts, m_resolver);
    if (!hwndList || FAILED(RegisterDragDrop(hwndList, pTarget.Get()))) {
        pTarget->Disconnect();
        prompts.Error(kMsgDropRegisterFailed);
        return false;
    }
    m_hwnd = hwndList;
    m_pTarget = std::move(pTarget);
    return true;
}

void CTaskListDropRegistration::Revoke()
{
    if (!m_hwnd)
        return;
    RevokeDragDrop(m_hwnd);
    m_hwnd = nullptr;
    // OLE may still hold the object; it must not reach the view from now on.
    m_pTarget->Disconnect();
    m_pTarget.Reset();
}
