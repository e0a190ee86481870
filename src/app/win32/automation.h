#pragma once
// The program's document as an automation server: registered under
// "Netbell.Document", with nothing to call.

#include <windows.h>

#include <string>

// {84CE6BE3-6C6D-11D0-89F4-444553540000}
extern const CLSID CLSID_NetbellDocument;

// Writes the server's registration: for the current user where the system
// has per-user classes, else into HKEY_CLASSES_ROOT. Failures are ignored:
// the program runs the same without it.
void RegisterAutomationServer(const std::string& programPath, bool bPerUserClasses);

// The class factory of an automation start. While it is registered, the
// process lives until the last object made through it is released.
class CAutomationServer {
public:
    CAutomationServer() = default;
    ~CAutomationServer();
    CAutomationServer(const CAutomationServer&) = delete;
    CAutomationServer& operator=(const CAutomationServer&) = delete;

    bool RegisterClassFactories(DWORD dwMainThreadId);
    void Revoke();

private:
    DWORD m_dwRegister = 0;
};
