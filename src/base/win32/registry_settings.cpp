#include "base/win32/registry_settings.h"

#include <vector>

#include "base/win32/scoped_win.h"
#include "base/win32/text_win32.h"

namespace {

// The key is adopted only on success: what a failed call leaves in its
// out-parameter is not ours to close.
CScopedKey OpenKey(HKEY root, const std::string& path, REGSAM access)
{
    HKEY hKey = nullptr;
    if (RegOpenKeyEx(root, ToSys(path).c_str(), 0, access, &hKey) != ERROR_SUCCESS)
        return CScopedKey();
    return CScopedKey(hKey);
}

CScopedKey CreateKey(HKEY root, const std::string& path, REGSAM access)
{
    HKEY hKey = nullptr;
    TCHAR szClass[] = TEXT("");
    if (RegCreateKeyEx(root, ToSys(path).c_str(), 0, szClass, REG_OPTION_NON_VOLATILE, access, nullptr, &hKey,
                       nullptr) != ERROR_SUCCESS)
        return CScopedKey();
    return CScopedKey(hKey);
}

// A key with everything below it. RegDeleteKey on NT refuses a key that
// still has subkeys, SHDeleteKey needs SHLWAPI.DLL, which Windows 95 and
// NT 4 lack without a later Internet Explorer, and RegDeleteTree came with
// Vista.
bool DeleteKeyTree(HKEY hParent, const std::string& name)
{
    {
        CScopedKey key = OpenKey(hParent, name, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE);
        if (!key)
            return false;
        // Each pass takes the first subkey left; one that will not go is
        // passed over, so the loop ends.
        DWORD dwIndex = 0;
        TCHAR sub[256]; // a key's name has at most 255 characters
        DWORD cch = 256;
        while (RegEnumKeyEx(key.Get(), dwIndex, sub, &cch, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
            if (!DeleteKeyTree(key.Get(), FromSys(sub, cch)))
                ++dwIndex;
            cch = 256;
        }
    }
    return RegDeleteKey(hParent, ToSys(name).c_str()) == ERROR_SUCCESS;
}

bool SetStringValue(HKEY hKey, const std::string& name, const std::string& text)
{
    const tstring value = ToSys(text);
    return RegSetValueEx(hKey, ToSys(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                         static_cast<DWORD>((value.size() + 1) * sizeof(TCHAR))) == ERROR_SUCCESS;
}

} // namespace

CRegistrySettingsStore::CRegistrySettingsStore(const std::string& company, const std::string& app)
    : m_strKeyPath("Software\\" + company + "\\" + app)
{
}

CRegistrySettingsStore::CRegistrySettingsStore(const std::string& keyPath) : m_strKeyPath(keyPath) {}

std::string CRegistrySettingsStore::SectionPath(const std::string& section) const
{
    return section.empty() ? m_strKeyPath : m_strKeyPath + "\\" + section;
}

int CRegistrySettingsStore::GetProfileInt(const std::string& section, const std::string& entry, int nDefault)
{
    CScopedKey key = OpenKey(HKEY_CURRENT_USER, SectionPath(section), KEY_QUERY_VALUE);
    if (!key)
        return nDefault;
    DWORD dwType = 0;
    DWORD dwValue = 0;
    DWORD cb = sizeof dwValue;
    if (RegQueryValueEx(key.Get(), ToSys(entry).c_str(), nullptr, &dwType, reinterpret_cast<BYTE*>(&dwValue), &cb) !=
            ERROR_SUCCESS ||
        dwType != REG_DWORD || cb != sizeof dwValue)
        return nDefault;
    return static_cast<int>(dwValue);
}

std::string CRegistrySettingsStore::GetProfileString(const std::string& section, const std::string& entry,
                                                     const std::string& strDefault)
{
    return ReadString(section, entry).value_or(strDefault);
}

std::optional<std::string> CRegistrySettingsStore::ReadString(const std::string& section, const std::string& entry)
{
    CScopedKey key = OpenKey(HKEY_CURRENT_USER, SectionPath(section), KEY_QUERY_VALUE);
    if (!key)
        return std::nullopt;
    const tstring name = ToSys(entry);
    // The value may grow between asking its size and reading it; ask again.
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD dwType = 0;
        DWORD cb = 0;
        if (RegQueryValueEx(key.Get(), name.c_str(), nullptr, &dwType, nullptr, &cb) != ERROR_SUCCESS ||
            dwType != REG_SZ)
            return std::nullopt;
        // One spare character so a value stored without its terminator still ends.
        std::vector<TCHAR> buf(cb / sizeof(TCHAR) + 2, TEXT('\0'));
        const LONG rc =
            RegQueryValueEx(key.Get(), name.c_str(), nullptr, &dwType, reinterpret_cast<BYTE*>(buf.data()), &cb);
        if (rc == ERROR_MORE_DATA)
            continue;
        if (rc != ERROR_SUCCESS || dwType != REG_SZ)
            return std::nullopt;
        return FromSys(buf.data());
    }
    return std::nullopt;
}

bool CRegistrySettingsStore::WriteProfileInt(const std::string& section, const std::string& entry, int nValue)
{
    CScopedKey key = CreateKey(HKEY_CURRENT_USER, SectionPath(section), KEY_SET_VALUE);
    if (!key)
        return false;
    const DWORD dwValue = static_cast<DWORD>(nValue);
    return RegSetValueEx(key.Get(), ToSys(entry).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue),
                          sizeof dwValue) == ERROR_SUCCESS;
}

bool CRegistrySettingsStore::WriteProfileString(const std::string& section, const std::string& entry,
                                                const std::string& strValue)
{
    // The single-byte program reads a value that the Unicode one stored as
    // the code page allows; writing that back would narrow it for good, so a
    // value that already reads as what is written is left alone.
    if (ReadString(section, entry) == strValue)
        return true;
    CScopedKey key = CreateKey(HKEY_CURRENT_USER, SectionPath(section), KEY_SET_VALUE);
    if (!key)
        return false;
    return SetStringValue(key.Get(), entry, strValue);
}

bool CRegistrySettingsStore::DeleteSection(const std::string& section)
{
    // An empty name would take the whole application key with it.
    if (section.empty())
        return false;
    return DeleteKeyTree(HKEY_CURRENT_USER, SectionPath(section));
}

BOOL RegReadString(HKEY root, const std::string& subkey, const std::string& value, std::string& text)
{
    // Read access only: full access to HKEY_CLASSES_ROOT is the
    // administrators' on NT, and a read needs no more.
    CScopedKey key = OpenKey(root, subkey, KEY_QUERY_VALUE);
    if (!key)
        return FALSE;
    TCHAR buf[260 + 1] = {}; // the spare character ends a value stored without its terminator
    DWORD cb = 260 * sizeof(TCHAR);
    if (RegQueryValueEx(key.Get(), ToSys(value).c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buf), &cb) !=
        ERROR_SUCCESS) {
        text.clear();
        return FALSE;
    }
    text = FromSys(buf);
    return TRUE;
}

BOOL RegWriteString(HKEY root, const std::string& subkey, const std::string& value, const std::string& text)
{
    CScopedKey key = CreateKey(root, subkey, KEY_ALL_ACCESS);
    if (!key)
        return FALSE;
    return SetStringValue(key.Get(), value, text) ? TRUE : FALSE;
}
