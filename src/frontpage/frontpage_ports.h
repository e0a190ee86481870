#pragma once
// The ports through which the FrontPage logic reaches FrontPage and the
// system: the two automation servers, their creation, the Explorer's window,
// pauses and the wait cursor.

#include <cstdint>
#include <memory>
#include <string>

class CRemindTask;

// FrontPage's To-Do List server. Each method is one dispatch id, called as a
// method; a call the server does not answer gives false.
class IFrontPageToDoList {
public:
    virtual ~IFrontPageToDoList() = default;
    virtual void ShowList() = 0; // 1
    // nPriority: 1 High, 2 Medium, 3 Low.
    virtual bool AddToDoTask(const std::string& name, int16_t nPriority, const std::string& creator,
                             const std::string& pageUrl, const std::string& cookie, const std::string& comment) = 0; // 3
    virtual bool MarkToDoComplete(const std::string& pageUrl, const std::string& cookie) = 0; // 6
};

// FrontPage's Explorer server, which also opens pages in the Editor. A call
// the server does not answer gives false, an empty text or 0.
class IFrontPageExplorer {
public:
    virtual ~IFrontPageExplorer() = default;
    virtual void ShowExplorer() = 0;          // 9
    virtual std::string GetWebTitle() = 0;    // 11
    virtual std::string GetWebUrl() = 0;      // 12
    virtual void PromptForWeb() = 0;          // 13
    // Title, line feed, URL, line feed, for every page of the open web.
    virtual std::string GetPageList(int32_t nFlags) = 0; // 18
    virtual bool OpenWeb(const std::string& server, const std::string& webName, const std::string& user) = 0; // 21
    virtual int32_t EditPage(const std::string& pageUrl) = 0; // 22
};

// Creates the drivers from the servers' ProgIDs. A creation starts the
// Explorer when it is not running.
class IFrontPageDrivers {
public:
    virtual ~IFrontPageDrivers() = default;
    // 0 on success; otherwise the failure status and no driver.
    virtual int32_t CreateToDoList(std::unique_ptr<IFrontPageToDoList>& driver) = 0;
    virtual int32_t CreateExplorer(std::unique_ptr<IFrontPageExplorer>& driver) = 0;
    // The system's message text for a failure status.
    virtual std::string StatusText(int32_t nStatus) = 0;
};

// What the FrontPage commands need of the system around them.
class IFrontPageSystem {
public:
    virtual ~IFrontPageSystem() = default;
    // Whether a window of class "FrontPageExplorerWindow" exists.
    virtual bool ExplorerWindowExists() = 0;
    virtual void Sleep(unsigned nMilliseconds) = 0;
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;
};

// The wait cursor for one stretch of a command: shown when made, ended at
// End() or on the way out, whichever comes first.
class CWaitCursor {
public:
    explicit CWaitCursor(IFrontPageSystem& system) : m_system(system) { m_system.BeginWaitCursor(); }
    ~CWaitCursor() { End(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

    void End()
    {
        if (m_bShown) {
            m_bShown = false;
            m_system.EndWaitCursor();
        }
    }

private:
    IFrontPageSystem& m_system;
    bool m_bShown = true;
};

// The registry as FrontPage detection and the menu links use it.
class IFrontPageRegistry {
public:
    virtual ~IFrontPageRegistry() = default;
    // The default value of a key under HKEY_CLASSES_ROOT; false when it
    // cannot be read.
    virtual bool ReadClassesRootDefault(const std::string& subkey, std::string& text) = 0;
    // A string value under HKEY_CURRENT_USER, the key created as needed.
    virtual bool WriteUserString(const std::string& subkey, const std::string& value, const std::string& text) = 0;
    // Deletes a value of a key under HKEY_CURRENT_USER; a key that does not
    // open is left alone. False when nothing was deleted.
    virtual bool DeleteUserValue(const std::string& subkey, const std::string& value) = 0;
};

// What the task list needs of FrontPage.
class IFrontPageTasks {
public:
    virtual ~IFrontPageTasks() = default;
    virtual bool IsPresent() = 0;
    // Marks an open task complete in FrontPage; false leaves the task open.
    virtual bool CompleteInFrontPage(CRemindTask& task) = 0;
    virtual void EditFrontPageItem(int nRow) = 0;
    virtual void EditFrontPageSelection() = 0;
    virtual void ShowWarning(unsigned nStringId) = 0;
};
