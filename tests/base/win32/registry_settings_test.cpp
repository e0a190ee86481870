// The registry store and the string helpers against the real registry, each
// test under its own scratch key of the current user.
#include "base/win32/registry_settings.h"

#include <shlwapi.h>

#include <gtest/gtest.h>

#include <string>

namespace {

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        static int s_nCount = 0;
        m_strKey = "Software\\NetbellTest\\" + std::to_string(GetCurrentProcessId()) + "-" +
                   std::to_string(GetTickCount()) + "-" + std::to_string(++s_nCount);
    }
    void TearDown() override
    {
        SHDeleteKeyA(HKEY_CURRENT_USER, m_strKey.c_str());
        // Leave no empty parent behind either; this fails while another run
        // still has keys there, which is what we want.
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\NetbellTest");
    }

    bool KeyExists(const std::string& sub) const
    {
        HKEY hKey = nullptr;
        const std::string path = sub.empty() ? m_strKey : m_strKey + "\\" + sub;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            return false;
        RegCloseKey(hKey);
        return true;
    }

    // Stores a raw value, bypassing the store, to plant odd types.
    void SetRaw(const std::string& sub, const std::string& name, DWORD type, const void* data, DWORD cb)
    {
        HKEY hKey = nullptr;
        const std::string path = m_strKey + "\\" + sub;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                                 nullptr, &hKey, nullptr));
        EXPECT_EQ(ERROR_SUCCESS,
                  RegSetValueExA(hKey, name.c_str(), 0, type, static_cast<const BYTE*>(data), cb));
        RegCloseKey(hKey);
    }

    std::string m_strKey;
};

using RegistrySettingsTest = RegistryTest;
using RegStringTest = RegistryTest;

TEST_F(RegistrySettingsTest, FreshKeyGivesEveryDefaultAndCreatesNothing)
{
    CRegistrySettingsStore store(m_strKey);
    EXPECT_EQ(5, ReadSetting(store, setting::RemindIn));
    EXPECT_EQ(1, ReadSetting(store, setting::FrontPageLoading));
    EXPECT_EQ("Default.nbl", ReadSetting(store, setting::DefaultData));
    EXPECT_EQ("(None)", ReadSetting(store, setting::Organisation, "(None)"));
    EXPECT_EQ(-7, store.GetProfileInt("Settings\\Messages", "61442", -7));
    EXPECT_FALSE(KeyExists(""));
}

TEST_F(RegistrySettingsTest, ApplicationKeyIsUnderCompanyAndApp)
{
    EXPECT_EQ("Software\\Corvane\\Netbell", CRegistrySettingsStore("Corvane", "Netbell").KeyPath());
}

TEST_F(RegistrySettingsTest, ValuesRoundTripAndOverwrite)
{
    CRegistrySettingsStore store(m_strKey);
    EXPECT_TRUE(store.WriteProfileInt("Settings", "Remind In", 500));
    EXPECT_TRUE(store.WriteProfileInt("Settings", "Remind In", -3));
    EXPECT_TRUE(store.WriteProfileString("Settings", "Name", "Ada Lovelace"));
    EXPECT_TRUE(store.WriteProfileString("Settings", "Email", ""));
    const std::string longText(1000, 'x'); // far past the helpers' 260 bytes
    EXPECT_TRUE(store.WriteProfileString("Settings", "Home Directory", longText));

    EXPECT_EQ(-3, store.GetProfileInt("Settings", "Remind In", 5));
    EXPECT_EQ("Ada Lovelace", store.GetProfileString("Settings", "Name", "none"));
    EXPECT_EQ("", store.GetProfileString("Settings", "Email", "none")); // stored empty is not missing
    EXPECT_EQ(longText, store.GetProfileString("Settings", "Home Directory", ""));
    // Registry names ignore case.
    EXPECT_EQ("Ada Lovelace", store.GetProfileString("SETTINGS", "name", "none"));
}

TEST_F(RegistrySettingsTest, ValueOfAnotherTypeReadsAsDefault)
{
    CRegistrySettingsStore store(m_strKey);
    const DWORD dw = 42;
    SetRaw("Settings", "Dword", REG_DWORD, &dw, sizeof dw);
    SetRaw("Settings", "Text", REG_SZ, "17", 3);
    SetRaw("Settings", "Binary", REG_BINARY, &dw, sizeof dw);
    SetRaw("Settings", "Expand", REG_EXPAND_SZ, "%TEMP%", 7);

    EXPECT_EQ(42, store.GetProfileInt("Settings", "Dword", 1));
    EXPECT_EQ("def", store.GetProfileString("Settings", "Dword", "def"));
    EXPECT_EQ(1, store.GetProfileInt("Settings", "Text", 1));
    EXPECT_EQ(1, store.GetProfileInt("Settings", "Binary", 1));
    EXPECT_EQ("def", store.GetProfileString("Settings", "Binary", "def"));
    EXPECT_EQ("def", store.GetProfileString("Settings", "Expand", "def"));
}

TEST_F(RegistrySettingsTest, StringStoredWithoutTerminatorReadsWhole)
{
    SetRaw("Settings", "Bare", REG_SZ, "abcd", 4);
    CRegistrySettingsStore store(m_strKey);
    EXPECT_EQ("abcd", store.GetProfileString("Settings", "Bare", ""));
}

TEST_F(RegistrySettingsTest, NestedSectionIsCreatedByFirstWriteOnly)
{
    CRegistrySettingsStore store(m_strKey);
    EXPECT_EQ(1, store.GetProfileInt("Settings\\FrontPage", "Menu Links", 1));
    EXPECT_FALSE(KeyExists("Settings"));

    EXPECT_TRUE(store.WriteProfileInt("Settings\\FrontPage", "Menu Links", 0));
    EXPECT_TRUE(KeyExists("Settings\\FrontPage"));
    EXPECT_EQ(0, store.GetProfileInt("Settings\\FrontPage", "Menu Links", 1));
    // The parent section exists but holds nothing of its own.
    EXPECT_EQ(9, store.GetProfileInt("Settings", "Menu Links", 9));
}

TEST_F(RegistrySettingsTest, DeleteSectionTakesSubsectionsAndValues)
{
    CRegistrySettingsStore store(m_strKey);
    store.WriteProfileInt("Settings", "Remind In", 9);
    store.WriteProfileInt("Settings\\Messages", "61442", 1);
    store.WriteProfileInt("Settings\\Messages\\Deeper", "x", 1);
    store.WriteProfileInt("Settings\\FrontPage", "Loading", 2);
    store.WriteProfileInt("Impressions", "Last", 3);

    EXPECT_TRUE(store.DeleteSection("Settings\\Messages"));
    EXPECT_FALSE(KeyExists("Settings\\Messages"));
    EXPECT_EQ(0, store.GetProfileInt("Settings\\Messages", "61442", 0));
    EXPECT_EQ(9, store.GetProfileInt("Settings", "Remind In", 5));
    EXPECT_EQ(2, store.GetProfileInt("Settings\\FrontPage", "Loading", 1));

    EXPECT_TRUE(store.DeleteSection("Settings"));
    EXPECT_FALSE(KeyExists("Settings"));
    EXPECT_EQ(5, store.GetProfileInt("Settings", "Remind In", 5));
    EXPECT_EQ(1, store.GetProfileInt("Settings\\FrontPage", "Loading", 1));
    EXPECT_EQ(3, store.GetProfileInt("Impressions", "Last", 0));
}

TEST_F(RegistrySettingsTest, DeletingMissingSectionFailsAndKeepsTheRest)
{
    CRegistrySettingsStore store(m_strKey);
    EXPECT_FALSE(store.DeleteSection("Settings\\Messages")); // nothing there at all yet
    store.WriteProfileInt("Settings", "Remind In", 9);
    EXPECT_FALSE(store.DeleteSection("Settings\\Messages"));
    EXPECT_FALSE(store.DeleteSection(""));
    EXPECT_EQ(9, store.GetProfileInt("Settings", "Remind In", 5));
}

TEST_F(RegStringTest, WriteCreatesKeyAndStoresTerminatedString)
{
    const std::string sub = m_strKey + "\\MS Setup (ACME)\\User Info";
    EXPECT_TRUE(RegWriteString(HKEY_CURRENT_USER, sub, "DefName", "Grace"));

    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, sub.c_str(), 0, KEY_READ, &hKey));
    char buf[16] = {};
    DWORD type = 0;
    DWORD cb = sizeof buf;
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(hKey, "DefName", nullptr, &type, reinterpret_cast<BYTE*>(buf), &cb));
    RegCloseKey(hKey);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ(6u, cb);
    EXPECT_STREQ("Grace", buf);

    std::string text = "old";
    EXPECT_TRUE(RegReadString(HKEY_CURRENT_USER, sub, "DefName", text));
    EXPECT_EQ("Grace", text);
}

TEST_F(RegStringTest, ReadFitsInto260BytesWithTerminator)
{
    const std::string fits(259, 'a');
    const std::string tooLong(260, 'b');
    ASSERT_TRUE(RegWriteString(HKEY_CURRENT_USER, m_strKey, "Fits", fits));
    ASSERT_TRUE(RegWriteString(HKEY_CURRENT_USER, m_strKey, "TooLong", tooLong));

    std::string text = "old";
    EXPECT_TRUE(RegReadString(HKEY_CURRENT_USER, m_strKey, "Fits", text));
    EXPECT_EQ(fits, text);
    text = "old";
    EXPECT_FALSE(RegReadString(HKEY_CURRENT_USER, m_strKey, "TooLong", text));
    EXPECT_EQ("", text);
}

TEST_F(RegStringTest, MissingKeyKeepsTextMissingValueEmptiesIt)
{
    std::string text = "keep";
    EXPECT_FALSE(RegReadString(HKEY_CURRENT_USER, m_strKey + "\\Nowhere", "Value", text));
    EXPECT_EQ("keep", text);
    EXPECT_FALSE(KeyExists("Nowhere"));

    ASSERT_TRUE(RegWriteString(HKEY_CURRENT_USER, m_strKey, "Other", "x"));
    EXPECT_FALSE(RegReadString(HKEY_CURRENT_USER, m_strKey, "Value", text));
    EXPECT_EQ("", text);
}

} // namespace
