#pragma once
// Late binding: an automation object reached only through IDispatch::Invoke
// by dispatch id, with owners for the automation strings and variants that
// cross the call.

#include <windows.h>
#include <oleauto.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "base/win32/com_ptr.h"

// One BSTR, freed on every path. The program's text crosses as UTF-16 in
// both builds, so an automation string carries any character.
class CBstr {
public:
    CBstr() = default;
    explicit CBstr(const std::string& text);
    ~CBstr() { Reset(); }
    CBstr(CBstr&& other) noexcept;
    CBstr& operator=(CBstr&& other) noexcept;
    CBstr(const CBstr&) = delete;
    CBstr& operator=(const CBstr&) = delete;

    BSTR Get() const { return m_bstr; }
    // Hands the string to a new owner.
    BSTR Detach();
    void Reset();
    std::string ToText() const;

private:
    BSTR m_bstr = nullptr;
};

// One VARIANT, cleared on every path.
class CVariant {
public:
    CVariant() { VariantInit(&m_v); }
    ~CVariant() { VariantClear(&m_v); }
    CVariant(CVariant&& other) noexcept;
    CVariant& operator=(CVariant&& other) noexcept;
    CVariant(const CVariant&) = delete;
    CVariant& operator=(const CVariant&) = delete;

    static CVariant FromString(const std::string& text);
    static CVariant FromShort(int16_t n);
    static CVariant FromLong(int32_t n);

    VARIANT* Get() { return &m_v; }
    const VARIANT& Ref() const { return m_v; }
    // Empties the variant for a function that fills it.
    VARIANT* Receive();

private:
    VARIANT m_v;
};

// The arguments of one call, in their written order.
template <class... T>
std::vector<CVariant> MakeArgs(T&&... values)
{
    std::vector<CVariant> args;
    args.reserve(sizeof...(values));
    (args.push_back(std::move(values)), ...);
    return args;
}

// One automation object of an outside server.
class CDispatchDriver {
public:
    CDispatchDriver() = default;
    virtual ~CDispatchDriver() = default;
    CDispatchDriver(const CDispatchDriver&) = delete;
    CDispatchDriver& operator=(const CDispatchDriver&) = delete;

    // Creates the object of a ProgID, makes it running and keeps its
    // IDispatch. S_OK, or the failure and no object.
    HRESULT CreateDispatch(const char* progId);
    bool IsCreated() const { return static_cast<bool>(m_pDispatch); }
    void ReleaseDispatch() { m_pDispatch.Reset(); }

    // Calls a member as a method with the arguments in their written order.
    // The result, when one is asked for (vtResult not VT_EMPTY), is converted
    // to that type.
    HRESULT InvokeMethod(DISPID dispId, std::vector<CVariant>& args, VARTYPE vtResult, CVariant* pResult);

protected:
    // Helpers for the drivers' members: a failed call gives false, an
    // empty text or 0.
    void CallVoid(DISPID dispId, std::vector<CVariant> args = {});
    bool CallBool(DISPID dispId, std::vector<CVariant> args = {});
    std::string CallString(DISPID dispId, std::vector<CVariant> args = {});
    int32_t CallLong(DISPID dispId, std::vector<CVariant> args = {});

private:
    CComPtr<IDispatch> m_pDispatch;
};
