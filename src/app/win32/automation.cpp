#include "app/win32/automation.h"

#include <ole2.h>

#include <new>

#include "base/win32/scoped_win.h"
#include "base/win32/text_win32.h"

const CLSID CLSID_NetbellDocument = {0x84CE6BE3, 0x6C6D, 0x11D0, {0x89, 0xF4, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

namespace {

constexpr const char* kProgId = "Netbell.Document";
constexpr const char* kTypeName = "Netbell Document";
constexpr const char* kClsidText = "{84CE6BE3-6C6D-11D0-89F4-444553540000}";

DWORD g_dwServerThreadId = 0;
LONG g_nLiveObjects = 0;

void ObjectCreated()
{
    InterlockedIncrement(&g_nLiveObjects);
}

// The last object gone ends an automation start.
void ObjectReleased()
{
    if (InterlockedDecrement(&g_nLiveObjects) == 0 && g_dwServerThreadId)
        PostThreadMessage(g_dwServerThreadId, WM_QUIT, 0, 0);
}

// The document as clients see it: a dispatch interface with no members.
class CEmptyDispatch : public IDispatch {
public:
    CEmptyDispatch() { ObjectCreated(); }
    virtual ~CEmptyDispatch() { ObjectReleased(); }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
            *ppv = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&m_cRef); }
    STDMETHODIMP_(ULONG) Release() override
    {
        const LONG cRef = InterlockedDecrement(&m_cRef);
        if (cRef == 0)
            delete this;
        return cRef;
    }
    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override
    {
        if (!pctinfo)
            return E_POINTER;
        *pctinfo = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override
    {
        if (ppTInfo)
            *ppTInfo = nullptr;
        return DISP_E_BADINDEX;
    }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT cNames, LCID, DISPID* rgDispId) override
    {
        for (UINT i = 0; rgDispId && i < cNames; ++i)
            rgDispId[i] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return DISP_E_MEMBERNOTFOUND;
    }

private:
    LONG m_cRef = 1;
};

class CDocumentFactory : public IClassFactory {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
            *ppv = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    // The factory lives as long as the program; COM's references don't own it.
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown* pOuter, REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        if (pOuter)
            return CLASS_E_NOAGGREGATION;
        CEmptyDispatch* pObject = new (std::nothrow) CEmptyDispatch;
        if (!pObject)
            return E_OUTOFMEMORY;
        const HRESULT hr = pObject->QueryInterface(riid, ppv);
        pObject->Release();
        return hr;
    }
    STDMETHODIMP LockServer(BOOL fLock) override
    {
        if (fLock)
            ObjectCreated();
        else
            ObjectReleased();
        return S_OK;
    }
};

CDocumentFactory g_factory;

void SetKeyValue(bool bPerUser, const std::string& subkey, LPCTSTR name, const std::string& value)
{
    HKEY hKey = nullptr;
    const HKEY root = bPerUser ? HKEY_CURRENT_USER : HKEY_CLASSES_ROOT;
    const std::string path = bPerUser ? "Software\\Classes\\" + subkey : subkey;
    if (RegCreateKeyEx(root, ToSys(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &hKey,
                       nullptr) != ERROR_SUCCESS)
        return;
    CScopedKey key(hKey);
    const tstring text = ToSys(value);
    RegSetValueEx(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                  static_cast<DWORD>((text.size() + 1) * sizeof(TCHAR)));
}

} // namespace

void RegisterAutomationServer(const std::string& programPath, bool bPerUserClasses)
{
    const bool b = bPerUserClasses;
    const std::string clsidKey = std::string("CLSID\\") + kClsidText;
    SetKeyValue(b, kProgId, nullptr, kTypeName);
    SetKeyValue(b, std::string(kProgId) + "\\CLSID", nullptr, kClsidText);
    SetKeyValue(b, clsidKey, nullptr, kTypeName);
    SetKeyValue(b, clsidKey + "\\ProgID", nullptr, kProgId);
    SetKeyValue(b, clsidKey + "\\LocalServer32", nullptr, "\"" + programPath + "\" /Automation");
}

CAutomationServer::~CAutomationServer()
{
    Revoke();
}

bool CAutomationServer::RegisterClassFactories(DWORD dwMainThreadId)
{
    g_dwServerThreadId = dwMainThreadId;
    // One instance of the program per client, as for a program that keeps
    // a single document.
    return SUCCEEDED(CoRegisterClassObject(CLSID_NetbellDocument, &g_factory, CLSCTX_LOCAL_SERVER,
                                           REGCLS_SINGLEUSE, &m_dwRegister));
}

void CAutomationServer::Revoke()
{
    if (m_dwRegister) {
        CoRevokeClassObject(m_dwRegister);
        m_dwRegister = 0;
    }
}
