#pragma once
// The settings store: four profile operations on the application key with a
// default at every read and no cache, plus the removal of a whole section.

#include <map>
#include <string>

class ISettingsStore {
public:
    virtual ~ISettingsStore() = default;
    virtual int GetProfileInt(const std::string& section, const std::string& entry, int nDefault) = 0;
    virtual std::string GetProfileString(const std::string& section, const std::string& entry,
                                         const std::string& strDefault) = 0;
    virtual bool WriteProfileInt(const std::string& section, const std::string& entry, int nValue) = 0;
    virtual bool WriteProfileString(const std::string& section, const std::string& entry,
                                    const std::string& strValue) = 0;
    // Removes the section with every value and subsection in it.
    virtual bool DeleteSection(const std::string& section) = 0;
};

// Sections of the application key.
inline constexpr const char* kSectionSettings = "Settings";
inline constexpr const char* kSectionFrontPage = "Settings\\FrontPage";
inline constexpr const char* kSectionMessages = "Settings\\Messages";
inline constexpr const char* kSectionImpressions = "Impressions";
// Where the tool bar was: the framework's bar state.
inline constexpr const char* kSectionBarState = "BarState";

struct IntSetting {
    const char* section;
    const char* entry;
    int nDefault;
};

struct StringSetting {
    const char* section;
    const char* entry;
    const char* strDefault;
};

// Every named setting of the program with the default its readers use.
// Where one reader uses another default (Options shows "(None)" for an empty
// organisation, Backup falls back to the Desktop) it passes its own.
namespace setting {
inline constexpr StringSetting Initialise{kSectionSettings, "Initialise", ""};
inline constexpr StringSetting HomeDirectory{kSectionSettings, "Home Directory", ""};
inline constexpr StringSetting DefaultData{kSectionSettings, "Default Data", "Default.nbl"};
inline constexpr StringSetting Name{kSectionSettings, "Name", ""};
inline constexpr StringSetting Organisation{kSectionSettings, "Organisation", ""};
inline constexpr StringSetting Email{kSectionSettings, "Email", ""};
inline constexpr IntSetting DefaultPriority{kSectionSettings, "Default Priority", 1};
inline constexpr IntSetting UseMailPrefix{kSectionSettings, "Use Mail Prefix", 1};
inline constexpr IntSetting UseNewsPrefix{kSectionSettings, "Use News Prefix", 1};
inline constexpr StringSetting BackupPath{kSectionSettings, "Backup Path", ""};
inline constexpr StringSetting BackupFilename{kSectionSettings, "Backup Filename", "NetbellData.bak"};
inline constexpr IntSetting RemindIn{kSectionSettings, "Remind In", 5};
// 1: a network connection coming up reminds too, not only a dial-up one.
inline constexpr IntSetting WatchNetwork{kSectionSettings, "Watch Network", 0};
// Where the tasks went when Windows shut down and the data file could not
// be written; the next start takes them back.
inline constexpr StringSetting UnsavedCopy{kSectionSettings, "Unsaved Copy", ""};
inline constexpr IntSetting LastCookieNumber{kSectionSettings, "Last FP Cookie Number", 0};
inline constexpr IntSetting FrontPageLoading{kSectionFrontPage, "Loading", 1};
inline constexpr IntSetting FrontPageMenuLinks{kSectionFrontPage, "Menu Links", 1};
inline constexpr IntSetting ImpressionsLast{kSectionImpressions, "Last", 0};
} // namespace setting

int ReadSetting(ISettingsStore& store, const IntSetting& s);
std::string ReadSetting(ISettingsStore& store, const StringSetting& s);
std::string ReadSetting(ISettingsStore& store, const StringSetting& s, const std::string& strDefault);
bool WriteSetting(ISettingsStore& store, const IntSetting& s, int nValue);
bool WriteSetting(ISettingsStore& store, const StringSetting& s, const std::string& strValue);

// In-memory store for tests and tools. Section and value names compare
// without regard to case, as registry names do.
class CMemorySettingsStore : public ISettingsStore {
public:
    int GetProfileInt(const std::string& section, const std::string& entry, int nDefault) override;
    std::string GetProfileString(const std::string& section, const std::string& entry,
                                 const std::string& strDefault) override;
    bool WriteProfileInt(const std::string& section, const std::string& entry, int nValue) override;
    bool WriteProfileString(const std::string& section, const std::string& entry,
                            const std::string& strValue) override;
    bool DeleteSection(const std::string& section) override;

    bool HasSection(const std::string& section) const;
    bool HasValue(const std::string& section, const std::string& entry) const;

private:
    struct Value {
        bool bIsString = false;
        int nValue = 0;
        std::string strValue;
    };
    static std::string Fold(const std::string& s);
    std::map<std::string, std::map<std::string, Value>> m_sections;
};
