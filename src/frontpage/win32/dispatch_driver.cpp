#include "frontpage/win32/dispatch_driver.h"

#include <ole2.h>

#include <utility>

#include "base/win32/text_win32.h"

CBstr::CBstr(const std::string& text)
{
    const std::wstring wide = ToWide(text);
    m_bstr = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

CBstr::CBstr(CBstr&& other) noexcept : m_bstr(std::exchange(other.m_bstr, nullptr)) {}

CBstr& CBstr::operator=(CBstr&& other) noexcept
{
    if (this != &other) {
        Reset();
        m_bstr = std::exchange(other.m_bstr, nullptr);
    }
    return *this;
}

BSTR CBstr::Detach()
{
    return std::exchange(m_bstr, nullptr);
}

void CBstr::Reset()
{
    if (m_bstr)
        SysFreeString(std::exchange(m_bstr, nullptr));
}

std::string CBstr::ToText() const
{
    return m_bstr ? FromWide(m_bstr, SysStringLen(m_bstr)) : std::string();
}

CVariant::CVariant(CVariant&& other) noexcept : m_v(other.m_v)
{
    VariantInit(&other.m_v);
}

CVariant& CVariant::operator=(CVariant&& other) noexcept
{
    if (this != &other) {
        VariantClear(&m_v);
        m_v = other.m_v;
        VariantInit(&other.m_v);
    }
    return *this;
}

CVariant CVariant::FromString(const std::string& text)
{
    CVariant v;
    CBstr bstr(text);
    V_VT(&v.m_v) = VT_BSTR;
    V_BSTR(&v.m_v) = bstr.Detach();
    return v;
}

CVariant CVariant::FromShort(int16_t n)
{
    CVariant v;
    V_VT(&v.m_v) = VT_I2;
    V_I2(&v.m_v) = n;
    return v;
}

CVariant CVariant::FromLong(int32_t n)
{
    CVariant v;
    V_VT(&v.m_v) = VT_I4;
    V_I4(&v.m_v) = n;
    return v;
}

VARIANT* CVariant::Receive()
{
    VariantClear(&m_v);
    return &m_v;
}

HRESULT CDispatchDriver::CreateDispatch(const char* progId)
{
    m_pDispatch.Reset();
    CLSID clsid;
    HRESULT hr = CLSIDFromProgID(ToWide(progId).c_str(), &clsid);
    if (FAILED(hr))
        return hr;
    CComPtr<IUnknown> pUnknown;
    hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IUnknown,
                          pUnknown.ReceiveVoid());
    if (FAILED(hr))
        return hr;
    // A server started for this object may wait to be told to run.
    hr = OleRun(pUnknown.Get());
    if (FAILED(hr))
        return hr;
    return pUnknown->QueryInterface(IID_IDispatch, m_pDispatch.ReceiveVoid());
}

HRESULT CDispatchDriver::InvokeMethod(DISPID dispId, std::vector<CVariant>& args, VARTYPE vtResult,
                                      CVariant* pResult)
{
    if (!m_pDispatch)
        return E_POINTER;
    // Invoke takes the arguments last to first. The copies are shallow: the
    // callee does not free its inputs, and args still owns them.
    std::vector<VARIANT> reversed;
    reversed.reserve(args.size());
    for (auto it = args.rbegin(); it != args.rend(); ++it)
        reversed.push_back(it->Ref());
    DISPPARAMS params = {};
    params.rgvarg = reversed.empty() ? nullptr : reversed.data();
    params.cArgs = static_cast<UINT>(reversed.size());
    CVariant result;
    EXCEPINFO excep = {};
    UINT nArgErr = 0;
    HRESULT hr = m_pDispatch->Invoke(dispId, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                                     vtResult == VT_EMPTY ? nullptr : result.Get(), &excep, &nArgErr);
    // An exception's texts are the caller's to free.
    SysFreeString(excep.bstrSource);
    SysFreeString(excep.bstrDescription);
    SysFreeString(excep.bstrHelpFile);
    if (FAILED(hr) || vtResult == VT_EMPTY || !pResult)
        return hr;
    if (V_VT(result.Get()) != vtResult) {
        hr = VariantChangeType(result.Get(), result.Get(), 0, vtResult);
        if (FAILED(hr))
            return hr;
    }
    *pResult = std::move(result);
    return S_OK;
}

void CDispatchDriver::CallVoid(DISPID dispId, std::vector<CVariant> args)
{
    InvokeMethod(dispId, args, VT_EMPTY, nullptr);
}

bool CDispatchDriver::CallBool(DISPID dispId, std::vector<CVariant> args)
{
    CVariant result;
    if (FAILED(InvokeMethod(dispId, args, VT_BOOL, &result)))
        return false;
    return V_BOOL(result.Get()) != VARIANT_FALSE;
}

std::string CDispatchDriver::CallString(DISPID dispId, std::vector<CVariant> args)
{
    CVariant result;
    if (FAILED(InvokeMethod(dispId, args, VT_BSTR, &result)))
        return std::string();
    BSTR bstr = V_BSTR(result.Get());
    return bstr ? FromWide(bstr, SysStringLen(bstr)) : std::string();
}

int32_t CDispatchDriver::CallLong(DISPID dispId, std::vector<CVariant> args)
{
    CVariant result;
    if (FAILED(InvokeMethod(dispId, args, VT_I4, &result)))
        return 0;
    return V_I4(result.Get());
}
