// ShowWarning's memory in the real registry, under a scratch key.
#include "options/win32/warning_dialog.h"

#include <shlwapi.h>

#include <gtest/gtest.h>

#include <string>

#include "base/win32/registry_settings.h"

namespace {

class CScriptedDialog : public IWarningDialog {
public:
    bool bOk = true;
    bool bTick = true;
    int nRuns = 0;
    bool Run(const std::string&, bool& bIgnore) override
    {
        ++nRuns;
        bIgnore = bTick;
        return bOk;
    }
};

class WarningStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        static int s_nCount = 0;
        m_strKey = "Software\\NetbellTest\\warn-" + std::to_string(GetCurrentProcessId()) + "-" +
                   std::to_string(GetTickCount()) + "-" + std::to_string(++s_nCount);
    }
    void TearDown() override
    {
        SHDeleteKeyA(HKEY_CURRENT_USER, m_strKey.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\NetbellTest");
    }

    // Each call reads the registry afresh, as a new run of the program would.
    void Show(unsigned nId)
    {
        CRegistrySettingsStore store(m_strKey);
        ShowWarning(nId, store, m_dialog, [](unsigned) { return std::string("text"); });
    }

    bool ReadRaw(const std::string& name, DWORD& type, DWORD& value) const
    {
        HKEY hKey = nullptr;
        const std::string path = m_strKey + "\\Settings\\Messages";
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            return false;
        DWORD cb = sizeof value;
        const LONG rc = RegQueryValueExA(hKey, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &cb);
        RegCloseKey(hKey);
        return rc == ERROR_SUCCESS;
    }

    bool MessagesKeyExists() const
    {
        HKEY hKey = nullptr;
        const std::string path = m_strKey + "\\Settings\\Messages";
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            return false;
        RegCloseKey(hKey);
        return true;
    }

    std::string m_strKey;
    CScriptedDialog m_dialog;
};

} // namespace

TEST_F(WarningStoreTest, ASilencedWarningIsTheNumberOneUnderItsDecimalId)
{
    Show(61208);
    DWORD type = 0, value = 0;
    ASSERT_TRUE(ReadRaw("61208", type, value));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(value, 1u);
    EXPECT_FALSE(ReadRaw("61209", type, value));

    Show(61208);
    EXPECT_EQ(m_dialog.nRuns, 1);
    Show(61209);
    EXPECT_EQ(m_dialog.nRuns, 2);
}

TEST_F(WarningStoreTest, NothingIsWrittenUnlessOkWithTheBoxTicked)
{
    m_dialog.bTick = false;
    Show(61210);
    m_dialog.bTick = true;
    m_dialog.bOk = false;
    Show(61210);
    EXPECT_FALSE(MessagesKeyExists());
    Show(61210);
    EXPECT_EQ(m_dialog.nRuns, 3);
}

TEST_F(WarningStoreTest, OtherValuesAndResetShowTheWarningAgain)
{
    {
        CRegistrySettingsStore store(m_strKey);
        store.WriteProfileInt(kSectionMessages, "61225", 2);
    }
    Show(61225);
    EXPECT_EQ(m_dialog.nRuns, 1); // and now it is 1
    Show(61225);
    EXPECT_EQ(m_dialog.nRuns, 1);
    {
        CRegistrySettingsStore store(m_strKey);
        store.DeleteSection(kSectionMessages);
    }
    Show(61225);
    EXPECT_EQ(m_dialog.nRuns, 2);
}

TEST(WarningText, AMissingStringIsEmpty)
{
    // The test program carries no string table.
    EXPECT_EQ(LoadWarningText(GetModuleHandleA(nullptr), 61208), "");
}
