#pragma once
// The settings store on the registry of the current user, and two helpers
// for string values outside the application key.

#include <windows.h>

#include <optional>
#include <string>

#include "base/settings.h"

// Sections are subkeys of the application key and may name nested keys
// ("Settings\\FrontPage"). Integers are REG_DWORD, strings REG_SZ; a value
// that is missing or of another type reads as the caller's default. Reads
// never create keys; a section comes into being with its first write.
class CRegistrySettingsStore : public ISettingsStore {
public:
    // HKEY_CURRENT_USER\Software\<company>\<app>.
    CRegistrySettingsStore(const std::string& company, const std::string& app);
    // Any key path under HKEY_CURRENT_USER, e.g. a scratch key for tests.
    explicit CRegistrySettingsStore(const std::string& keyPath);

    int GetProfileInt(const std::string& section, const std::string& entry, int nDefault) override;
    std::string GetProfileString(const std::string& section, const std::string& entry,
                                 const std::string& strDefault) override;
    bool WriteProfileInt(const std::string& section, const std::string& entry, int nValue) override;
    bool WriteProfileString(const std::string& section, const std::string& entry,
                            const std::string& strValue) override;
    bool DeleteSection(const std::string& section) override;

    const std::string& KeyPath() const { return m_strKeyPath; }

private:
    std::string SectionPath(const std::string& section) const;
    // A REG_SZ value, or nothing when it is missing or of another type.
    std::optional<std::string> ReadString(const std::string& section, const std::string& entry);
    std::string m_strKeyPath;
};

// Reads a string value of root\subkey. When the key cannot be opened the
// text is left alone; when the value cannot be read into 260 characters (its
// terminator included) the text is emptied. Either way FALSE comes back.
BOOL RegReadString(HKEY root, const std::string& subkey, const std::string& value, std::string& text);
// Writes text as a REG_SZ value of root\subkey, creating the key as needed.
BOOL RegWriteString(HKEY root, const std::string& subkey, const std::string& value, const std::string& text);
