#include "frontpage/win32/frontpage_drivers.h"

#include <memory>

#include "base/win32/registry_settings.h"
#include "base/win32/scoped_win.h"
#include "base/win32/text_win32.h"

namespace {

// Dispatch ids of the To-Do List server.
constexpr DISPID kShowList = 1;
constexpr DISPID kAddToDoTask = 3;
constexpr DISPID kMarkToDoComplete = 6;
// Dispatch ids of the Explorer server.
constexpr DISPID kShowExplorer = 9;
constexpr DISPID kGetWebTitle = 11;
constexpr DISPID kGetWebUrl = 12;
constexpr DISPID kPromptForWeb = 13;
constexpr DISPID kGetPageList = 18;
constexpr DISPID kOpenWeb = 21;
constexpr DISPID kEditPage = 22;

template <class Driver, class Port>
int32_t CreateDriver(std::unique_ptr<Port>& driver)
{
    auto created = std::make_unique<Driver>();
    const HRESULT hr = created->Create();
    if (FAILED(hr))
        return static_cast<int32_t>(hr);
    driver = std::move(created);
    return 0;
}

} // namespace

void CFrontPageToDoList::ShowList()
{
    CallVoid(kShowList);
}

bool CFrontPageToDoList::AddToDoTask(const std::string& name, int16_t nPriority, const std::string& creator,
                                     const std::string& pageUrl, const std::string& cookie,
                                     const std::string& comment)
{
    return CallBool(kAddToDoTask,
                    MakeArgs(CVariant::FromString(name), CVariant::FromShort(nPriority), CVariant::FromString(creator),
                             CVariant::FromString(pageUrl), CVariant::FromString(cookie),
                             CVariant::FromString(comment)));
}

bool CFrontPageToDoList::MarkToDoComplete(const std::string& pageUrl, const std::string& cookie)
{
    return CallBool(kMarkToDoComplete, MakeArgs(CVariant::FromString(pageUrl), CVariant::FromString(cookie)));
}

void CFrontPageExplorer::ShowExplorer()
{
    CallVoid(kShowExplorer);
}

std::string CFrontPageExplorer::GetWebTitle()
{
    return CallString(kGetWebTitle);
}

std::string CFrontPageExplorer::GetWebUrl()
{
    return CallString(kGetWebUrl);
}

void CFrontPageExplorer::PromptForWeb()
{
    CallVoid(kPromptForWeb);
}

std::string CFrontPageExplorer::GetPageList(int32_t nFlags)
{
    return CallString(kGetPageList, MakeArgs(CVariant::FromLong(nFlags)));
}

bool CFrontPageExplorer::OpenWeb(const std::string& server, const std::string& webName, const std::string& user)
{
    return CallBool(kOpenWeb,
                    MakeArgs(CVariant::FromString(server), CVariant::FromString(webName), CVariant::FromString(user)));
}

int32_t CFrontPageExplorer::EditPage(const std::string& pageUrl)
{
    return CallLong(kEditPage, MakeArgs(CVariant::FromString(pageUrl)));
}

int32_t CWin32FrontPageDrivers::CreateToDoList(std::unique_ptr<IFrontPageToDoList>& driver)
{
    return CreateDriver<CFrontPageToDoList>(driver);
}

int32_t CWin32FrontPageDrivers::CreateExplorer(std::unique_ptr<IFrontPageExplorer>& driver)
{
    return CreateDriver<CFrontPageExplorer>(driver);
}

std::string CWin32FrontPageDrivers::StatusText(int32_t nStatus)
{
    // The whole text, however long: the caller cuts it to what it shows.
    LPTSTR buf = nullptr;
    const DWORD n = FormatMessage(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, static_cast<DWORD>(nStatus), 0, reinterpret_cast<LPTSTR>(&buf), 0, nullptr);
    std::string text = buf ? FromSys(buf, n) : std::string();
    LocalFree(buf);
    // The line break that ends the system's texts would only add an empty
    // line to the box.
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    if (text.empty()) {
        // Some systems have no text for some COM statuses; the number at
        // least tells support what happened.
        TCHAR number[40];
        wsprintf(number, TEXT("Error 0x%08lX"), static_cast<unsigned long>(nStatus));
        text = FromSys(number);
    }
    return text;
}

bool CWin32FrontPageSystem::ExplorerWindowExists()
{
    return FindWindow(kExplorerWindowClass, nullptr) != nullptr;
}

void CWin32FrontPageSystem::Sleep(unsigned nMilliseconds)
{
    ::Sleep(nMilliseconds);
}

void CWin32FrontPageSystem::BeginWaitCursor()
{
    HCURSOR hOld = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    if (m_nWaitDepth++ == 0)
        m_hOldCursor = hOld;
}

void CWin32FrontPageSystem::EndWaitCursor()
{
    if (m_nWaitDepth > 0 && --m_nWaitDepth == 0)
        SetCursor(m_hOldCursor ? m_hOldCursor : LoadCursor(nullptr, IDC_ARROW));
}

bool CWin32FrontPageRegistry::ReadClassesRootDefault(const std::string& subkey, std::string& text)
{
    return RegReadString(HKEY_CLASSES_ROOT, subkey, "", text) != FALSE;
}

bool CWin32FrontPageRegistry::WriteUserString(const std::string& subkey, const std::string& value,
                                              const std::string& text)
{
    return RegWriteString(HKEY_CURRENT_USER, subkey, value, text) != FALSE;
}

bool CWin32FrontPageRegistry::DeleteUserValue(const std::string& subkey, const std::string& value)
{
    HKEY hKey = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, ToSys(subkey).c_str(), 0, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS)
        return false;
    CScopedKey key(hKey);
    return RegDeleteValue(key.Get(), ToSys(value).c_str()) == ERROR_SUCCESS;
}
