#include "base/settings.h"

#include <cctype>

int ReadSetting(ISettingsStore& store, const IntSetting& s)
{
    return store.GetProfileInt(s.section, s.entry, s.nDefault);
}

std::string ReadSetting(ISettingsStore& store, const StringSetting& s)
{
    return store.GetProfileString(s.section, s.entry, s.strDefault);
}

std::string ReadSetting(ISettingsStore& store, const StringSetting& s, const std::string& strDefault)
{
    return store.GetProfileString(s.section, s.entry, strDefault);
}

bool WriteSetting(ISettingsStore& store, const IntSetting& s, int nValue)
{
    return store.WriteProfileInt(s.section, s.entry, nValue);
}

bool WriteSetting(ISettingsStore& store, const StringSetting& s, const std::string& strValue)
{
    return store.WriteProfileString(s.section, s.entry, strValue);
}

std::string CMemorySettingsStore::Fold(const std::string& s)
{
    std::string folded(s);
    for (char& c : folded)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return folded;
}

int CMemorySettingsStore::GetProfileInt(const std::string& section, const std::string& entry, int nDefault)
{
    auto sec = m_sections.find(Fold(section));
    if (sec == m_sections.end())
        return nDefault;
    auto val = sec->second.find(Fold(entry));
    if (val == sec->second.end() || val->second.bIsString)
        return nDefault;
    return val->second.nValue;
}

std::string CMemorySettingsStore::GetProfileString(const std::string& section, const std::string& entry,
                                                   const std::string& strDefault)
{
    auto sec = m_sections.find(Fold(section));
    if (sec == m_sections.end())
        return strDefault;
    auto val = sec->second.find(Fold(entry));
    if (val == sec->second.end() || !val->second.bIsString)
        return strDefault;
    return val->second.strValue;
}

bool CMemorySettingsStore::WriteProfileInt(const std::string& section, const std::string& entry, int nValue)
{
    Value& v = m_sections[Fold(section)][Fold(entry)];
    v.bIsString = false;
    v.nValue = nValue;
    v.strValue.clear();
    return true;
}

bool CMemorySettingsStore::WriteProfileString(const std::string& section, const std::string& entry,
                                              const std::string& strValue)
{
    Value& v = m_sections[Fold(section)][Fold(entry)];
    v.bIsString = true;
    v.nValue = 0;
    v.strValue = strValue;
    return true;
}

bool CMemorySettingsStore::DeleteSection(const std::string& section)
{
    const std::string name = Fold(section);
    const std::string prefix = name + "\\";
    bool bFound = false;
    for (auto it = m_sections.begin(); it != m_sections.end();) {
        if (it->first == name || it->first.compare(0, prefix.size(), prefix) == 0) {
            it = m_sections.erase(it);
            bFound = true;
        } else {
            ++it;
        }
    }
    return bFound;
}

bool CMemorySettingsStore::HasSection(const std::string& section) const
{
    return m_sections.count(Fold(section)) != 0;
}

bool CMemorySettingsStore::HasValue(const std::string& section, const std::string& entry) const
{
    auto sec = m_sections.find(Fold(section));
    return sec != m_sections.end() && sec->second.count(Fold(entry)) != 0;
}
