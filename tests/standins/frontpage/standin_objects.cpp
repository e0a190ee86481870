#include "standin_objects.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "standin_state.h"

const CLSID CLSID_StandInExplorer = {0x16086445, 0xac2f, 0x445d, {0xbe, 0xe5, 0xe7, 0x25, 0xef, 0x7b, 0xbb, 0xe1}};
const CLSID CLSID_StandInToDoList = {0x7d447a78, 0x05e4, 0x4d3a, {0x9f, 0xa2, 0x1b, 0x5d, 0xde, 0xd0, 0x0b, 0x4c}};

namespace {

constexpr UINT_PTR kQuitTimer = 1;

struct Member {
    StandInServer server;
    DISPID id;
    const char* name;
    std::vector<VARTYPE> args;
    VARTYPE result; // VT_EMPTY: none
};

const std::vector<Member>& Members()
{
    static const std::vector<Member> members = {
        {StandInServer::toDoList, 1, "ShowList", {}, VT_EMPTY},
        {StandInServer::toDoList, 3, "AddToDoTask", {VT_BSTR, VT_I2, VT_BSTR, VT_BSTR, VT_BSTR, VT_BSTR}, VT_BOOL},
        {StandInServer::toDoList, 6, "MarkToDoComplete", {VT_BSTR, VT_BSTR}, VT_BOOL},
        {StandInServer::explorer, 9, "ShowExplorer", {}, VT_EMPTY},
        {StandInServer::explorer, 11, "GetWebTitle", {}, VT_BSTR},
        {StandInServer::explorer, 12, "GetWebUrl", {}, VT_BSTR},
        {StandInServer::explorer, 13, "PromptForWeb", {}, VT_EMPTY},
        {StandInServer::explorer, 18, "GetPageList", {VT_I4}, VT_BSTR},
        {StandInServer::explorer, 21, "OpenWeb", {VT_BSTR, VT_BSTR, VT_BSTR}, VT_BOOL},
        {StandInServer::explorer, 22, "EditPage", {VT_BSTR}, VT_I4},
    };
    return members;
}

const Member* FindMember(StandInServer server, DISPID id)
{
    for (const Member& m : Members()) {
        if (m.server == server && m.id == id)
            return &m;
    }
    return nullptr;
}

std::string Ansi(BSTR bstr)
{
    if (!bstr)
        return std::string();
    const int nWide = static_cast<int>(SysStringLen(bstr));
    const int n = WideCharToMultiByte(CP_ACP, 0, bstr, nWide, nullptr, 0, nullptr, nullptr);
    std::string text(n > 0 ? static_cast<size_t>(n) : 0, '\0');
    if (n > 0)
        WideCharToMultiByte(CP_ACP, 0, bstr, nWide, &text[0], n, nullptr, nullptr);
    return text;
}

BSTR NewBstr(const std::string& text)
{
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(n > 0 ? static_cast<size_t>(n) : 0, L'\0');
    if (n > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
    return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

std::string Quoted(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default: out += c; break;
        }
    }
    return out + "\"";
}

std::string Describe(const VARIANT& v)
{
    switch (V_VT(&v)) {
    case VT_BSTR: return "BSTR " + Quoted(Ansi(V_BSTR(&v)));
    case VT_I2: return "I2 " + std::to_string(V_I2(&v));
    case VT_I4: return "I4 " + std::to_string(V_I4(&v));
    case VT_BOOL: return std::string("BOOL ") + (V_BOOL(&v) ? "true" : "false");
    default: return "VT" + std::to_string(V_VT(&v));
    }
}

// One object's reply to one call.
class CCall {
public:
    CCall(const Member& member, DISPPARAMS* p) : m(member), m_p(p) {}

    // The argument at its written position.
    const VARIANT& Arg(size_t i) const { return m_p->rgvarg[m_p->cArgs - 1 - i]; }
    std::string Text(size_t i) const { return Ansi(V_BSTR(&Arg(i))); }

    void Run(CStandInState& s, VARIANT& result, bool& bChanged);

private:
    const Member& m;
    DISPPARAMS* m_p;
};

void SetBool(VARIANT& v, bool b)
{
    V_VT(&v) = VT_BOOL;
    V_BOOL(&v) = b ? VARIANT_TRUE : VARIANT_FALSE;
}

void SetString(VARIANT& v, const std::string& text)
{
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = NewBstr(text);
}

void CCall::Run(CStandInState& s, VARIANT& result, bool& bChanged)
{
    const std::string name = m.name;
    if (name == "ShowList") {
        // Nothing to show; the log is the proof.
    } else if (name == "AddToDoTask") {
        const bool bOk = !s.TakeFalse(name);
        if (bOk)
            s.todos.push_back(StandInToDo{false, Text(0), V_I2(&Arg(1)), Text(2), Text(3), Text(4), Text(5)});
        SetBool(result, bOk);
        bChanged = true;
    } else if (name == "MarkToDoComplete") {
        bool bOk = false;
        if (!s.TakeFalse(name)) {
            for (StandInToDo& t : s.todos) {
                if (!t.bDone && t.url == Text(0) && t.cookie == Text(1)) {
                    t.bDone = bOk = true;
                    break;
                }
            }
        }
        SetBool(result, bOk);
        bChanged = true;
    } else if (name == "ShowExplorer") {
        ShowWindow(Process().hwndExplorer, SW_SHOWNORMAL);
        SetForegroundWindow(Process().hwndExplorer);
    } else if (name == "GetWebTitle") {
        if (s.bPending) {
            if (s.pending.nReads-- <= 0) {
                s.webTitle = s.pending.title;
                s.webUrl = s.pending.url;
                s.bPending = false;
            }
            bChanged = true;
        }
        SetString(result, s.webTitle);
    } else if (name == "GetWebUrl") {
        SetString(result, s.webUrl);
    } else if (name == "PromptForWeb") {
        if (s.bPrompt) {
            s.webTitle = s.prompt.title;
            s.webUrl = s.prompt.url;
            s.bPending = false;
            bChanged = true;
        }
    } else if (name == "GetPageList") {
        SetString(result, s.pageList);
    } else if (name == "OpenWeb") {
        const std::string server = Text(0);
        const std::string web = Text(1);
        const std::string url = web.empty() ? server : server + "/" + web;
        bool bOk = false;
        if (!s.TakeFalse(name)) {
            for (const StandInWeb& w : s.webs) {
                if (w.title == web && w.url == url) {
                    s.pending = w;
                    s.bPending = bOk = true;
                    break;
                }
            }
        }
        SetBool(result, bOk);
        bChanged = true;
    } else if (name == "EditPage") {
        V_VT(&result) = VT_I4;
        V_I4(&result) = s.nEditPageResult;
    }
}

class CStandInObject final : public IDispatch {
public:
    explicit CStandInObject(StandInServer server) : m_server(server)
    {
        AddServerReference();
        Log(std::string(ServerName(server)) + " created");
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IDispatch) {
            *ppv = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_nRefs)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG n = InterlockedDecrement(&m_nRefs);
        if (n == 0) {
            Log(std::string(ServerName(m_server)) + " released");
            delete this;
            ReleaseServerReference();
        }
        return static_cast<ULONG>(n);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override
    {
        if (pctinfo)
            *pctinfo = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override
    {
        if (ppTInfo)
            *ppTInfo = nullptr;
        return DISP_E_BADINDEX;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT nNames, LCID, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID, WORD wFlags, DISPPARAMS* p, VARIANT* pResult,
                                     EXCEPINFO*, UINT* puArgErr) override;

private:
    ~CStandInObject() = default;
    StandInServer m_server;
    LONG m_nRefs = 1;
};

HRESULT CStandInObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT nNames, LCID, DISPID* ids)
{
    HRESULT hr = S_OK;
    for (UINT i = 0; i < nNames; ++i) {
        ids[i] = DISPID_UNKNOWN;
        for (const Member& m : Members()) {
            std::wstring wide(m.name, m.name + strlen(m.name));
            if (m.server == m_server && lstrcmpiW(wide.c_str(), names[i]) == 0)
                ids[i] = m.id;
        }
        if (ids[i] == DISPID_UNKNOWN)
            hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

HRESULT CStandInObject::Invoke(DISPID id, REFIID riid, LCID, WORD wFlags, DISPPARAMS* p, VARIANT* pResult, EXCEPINFO*,
                               UINT* puArgErr)
{
    const Member* m = FindMember(m_server, id);
    std::string line = std::string(ServerName(m_server)) + "." + (m ? m->name : "?") + "#" + std::to_string(id);
    if (wFlags != DISPATCH_METHOD)
        line += " flags=" + std::to_string(wFlags);
    line += "(";
    const UINT nArgs = p ? p->cArgs : 0;
    for (UINT i = 0; i < nArgs; ++i)
        line += (i ? ", " : "") + Describe(p->rgvarg[nArgs - 1 - i]);
    line += ")";
    if (riid != IID_NULL) {
        Log(line + " = bad riid");
        return DISP_E_UNKNOWNINTERFACE;
    }
    if (!m) {
        Log(line + " = unknown member");
        return DISP_E_MEMBERNOTFOUND;
    }
    if (nArgs != m->args.size() || (p && p->cNamedArgs != 0)) {
        Log(line + " = bad argument count");
        return DISP_E_BADPARAMCOUNT;
    }
    for (UINT i = 0; i < nArgs; ++i) {
        if (V_VT(&p->rgvarg[nArgs - 1 - i]) != m->args[i]) {
            if (puArgErr)
                *puArgErr = nArgs - 1 - i;
            Log(line + " = type mismatch at " + std::to_string(i));
            return DISP_E_TYPEMISMATCH;
        }
    }
    CStandInState state;
    state.Load(Process().statePath);
    VARIANT result;
    VariantInit(&result);
    bool bChanged = false;
    CCall(*m, p).Run(state, result, bChanged);
    if (bChanged && !Process().statePath.empty())
        state.Save(Process().statePath);
    Log(line + " = " + (m->result == VT_EMPTY ? std::string("none") : Describe(result)));
    if (pResult) {
        VariantClear(pResult);
        *pResult = result; // the caller owns it now
    } else {
        VariantClear(&result);
    }
    return S_OK;
}

LONG g_nServerRefs = 0;
DWORD g_dwRegisterExplorer = 0;
DWORD g_dwRegisterToDoList = 0;
CStandInFactory g_explorerFactory(StandInServer::explorer);
CStandInFactory g_toDoListFactory(StandInServer::toDoList);

} // namespace

StandInProcess& Process()
{
    static StandInProcess process;
    return process;
}

const char* ServerName(StandInServer server)
{
    return server == StandInServer::explorer ? "Explorer" : "ToDoList";
}

void Log(const std::string& line)
{
    AppendLog(Process().logPath, line);
}

void AddServerReference()
{
    if (InterlockedIncrement(&g_nServerRefs) == 1 && Process().hwndExplorer)
        KillTimer(Process().hwndExplorer, kQuitTimer);
}

void ReleaseServerReference()
{
    if (InterlockedDecrement(&g_nServerRefs) == 0)
        EndServerWhenIdle();
}

void EndServerWhenIdle(bool bLingered)
{
    if (g_nServerRefs != 0 || Process().bStayRunning)
        return;
    CStandInState state;
    state.Load(Process().statePath);
    if (!bLingered && state.nLingerMs > 0) {
        SetTimer(Process().hwndExplorer, kQuitTimer, static_cast<UINT>(state.nLingerMs), nullptr);
        return;
    }
    // Revoked at once, so that the next creation starts a new server rather
    // than reaching this one on its way out.
    RevokeFactories();
    PostQuitMessage(0);
}

HRESULT CStandInFactory::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IClassFactory) {
        *ppv = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

HRESULT CStandInFactory::CreateInstance(IUnknown* pOuter, REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (pOuter)
        return CLASS_E_NOAGGREGATION;
    CStandInState state;
    state.Load(Process().statePath);
    auto failure = state.createFailures.find(ServerName(m_server));
    if (failure != state.createFailures.end() && failure->second != 0) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "0x%08lX", static_cast<unsigned long>(failure->second));
        Log(std::string(ServerName(m_server)) + " creation failed " + hex);
        EndServerWhenIdle();
        return static_cast<HRESULT>(failure->second);
    }
    CStandInObject* pObject = new CStandInObject(m_server);
    const HRESULT hr = pObject->QueryInterface(riid, ppv);
    pObject->Release();
    return hr;
}

HRESULT CStandInFactory::LockServer(BOOL bLock)
{
    if (bLock)
        AddServerReference();
    else
        ReleaseServerReference();
    return S_OK;
}

bool RegisterFactories()
{
    return SUCCEEDED(CoRegisterClassObject(CLSID_StandInExplorer, &g_explorerFactory, CLSCTX_LOCAL_SERVER,
                                           REGCLS_MULTIPLEUSE, &g_dwRegisterExplorer)) &&
           SUCCEEDED(CoRegisterClassObject(CLSID_StandInToDoList, &g_toDoListFactory, CLSCTX_LOCAL_SERVER,
                                           REGCLS_MULTIPLEUSE, &g_dwRegisterToDoList));
}

void RevokeFactories()
{
    if (g_dwRegisterExplorer)
        CoRevokeClassObject(g_dwRegisterExplorer);
    if (g_dwRegisterToDoList)
        CoRevokeClassObject(g_dwRegisterToDoList);
    g_dwRegisterExplorer = g_dwRegisterToDoList = 0;
}
