#pragma once
// The drivers of FrontPage's two automation servers, late bound by dispatch
// id, and the Win32 side of the other FrontPage ports: creating the drivers,
// the Explorer's window, pauses, the wait cursor and the registry.

#include <windows.h>

#include <string>

#include "frontpage/frontpage_ports.h"
#include "frontpage/win32/dispatch_driver.h"

inline constexpr const char* kToDoListProgId = "FrontPage.ToDoList.2.0";
inline constexpr const char* kExplorerProgId = "FrontPage.Explorer.2.0";
inline constexpr const TCHAR* kExplorerWindowClass = TEXT("FrontPageExplorerWindow");

class CFrontPageToDoList : public CDispatchDriver, public IFrontPageToDoList {
public:
    HRESULT Create() { return CreateDispatch(kToDoListProgId); }

    void ShowList() override;
    bool AddToDoTask(const std::string& name, int16_t nPriority, const std::string& creator,
                     const std::string& pageUrl, const std::string& cookie, const std::string& comment) override;
    bool MarkToDoComplete(const std::string& pageUrl, const std::string& cookie) override;
};

class CFrontPageExplorer : public CDispatchDriver, public IFrontPageExplorer {
public:
    HRESULT Create() { return CreateDispatch(kExplorerProgId); }

    void ShowExplorer() override;
    std::string GetWebTitle() override;
    std::string GetWebUrl() override;
    void PromptForWeb() override;
    std::string GetPageList(int32_t nFlags) override;
    bool OpenWeb(const std::string& server, const std::string& webName, const std::string& user) override;
    int32_t EditPage(const std::string& pageUrl) override;
};

// Creates the drivers from the ProgIDs; the thread has COM initialised.
class CWin32FrontPageDrivers : public IFrontPageDrivers {
public:
    int32_t CreateToDoList(std::unique_ptr<IFrontPageToDoList>& driver) override;
    int32_t CreateExplorer(std::unique_ptr<IFrontPageExplorer>& driver) override;
    // FormatMessage's text for the status without its closing line break;
    // "Error 0x...." when the system has none.
    std::string StatusText(int32_t nStatus) override;
};

class CWin32FrontPageSystem : public IFrontPageSystem {
public:
    bool ExplorerWindowExists() override;
    void Sleep(unsigned nMilliseconds) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    // While a command waits: the frame keeps the wait cursor up when the
    // mouse moves, as a command runs without answering the user.
    bool IsWaiting() const { return m_nWaitDepth > 0; }

private:
    int m_nWaitDepth = 0;
    HCURSOR m_hOldCursor = nullptr; // shared: owned by the system
};

class CWin32FrontPageRegistry : public IFrontPageRegistry {
public:
    bool ReadClassesRootDefault(const std::string& subkey, std::string& text) override;
    bool WriteUserString(const std::string& subkey, const std::string& value, const std::string& text) override;
    bool DeleteUserValue(const std::string& subkey, const std::string& value) override;
};
