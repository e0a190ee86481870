#pragma once
// The stand-in's two automation objects, one per FrontPage server, and
// their class factories. Every call is logged with its arguments in the
// order the caller wrote them, and answered from the state file.

#include <windows.h>
#include <oleauto.h>

#include <string>

enum class StandInServer { toDoList, explorer };

// {16086445-AC2F-445D-BEE5-E725EF7BBBE1}
extern const CLSID CLSID_StandInExplorer;
// {7D447A78-05E4-4D3A-9FA2-1B5DDED00B4C}
extern const CLSID CLSID_StandInToDoList;

// What the objects share with the rest of the process.
struct StandInProcess {
    std::string statePath;
    std::string logPath;
    HWND hwndExplorer = nullptr;
    bool bStayRunning = false; // started by hand: runs until its window closes
};
StandInProcess& Process();

const char* ServerName(StandInServer server);
void Log(const std::string& line);

// Counts the objects and locks that keep the server alive; at none left the
// server revokes its class objects and ends (after the state's linger).
void AddServerReference();
void ReleaseServerReference();
// Ends the server when nothing keeps it: at once, or after the state's
// linger unless bLingered says that is over.
void EndServerWhenIdle(bool bLingered = false);

class CStandInFactory : public IClassFactory {
public:
    explicit CStandInFactory(StandInServer server) : m_server(server) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; } // static lifetime
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* pOuter, REFIID riid, void** ppv) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL bLock) override;

private:
    StandInServer m_server;
};

// Registers both class factories for this process, or revokes them.
bool RegisterFactories();
void RevokeFactories();
