// Detection and the registry port on the real registry: the version key as
// the stand-in registers it, and values written and deleted under a scratch
// key of the current user.
#include "frontpage/frontpage_detect.h"

#include <shlwapi.h>

#include <gtest/gtest.h>

#include "frontpage/win32/frontpage_drivers.h"
#include "frontpage/win32/standin_fixture.h"

namespace {

using FrontPageDetectionTest = FrontPageStandInTest;

class FrontPageRegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        static int s_nCount = 0;
        m_strKey = "Software\\NetbellTest\\FrontPage-" + std::to_string(GetCurrentProcessId()) + "-" +
                   std::to_string(++s_nCount);
    }
    void TearDown() override
    {
        SHDeleteKeyA(HKEY_CURRENT_USER, m_strKey.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\NetbellTest");
    }
    bool Read(const std::string& sub, const std::string& value, std::string& text)
    {
        char buf[512] = {};
        DWORD cb = sizeof buf;
        DWORD dwType = 0;
        if (SHGetValueA(HKEY_CURRENT_USER, (m_strKey + "\\" + sub).c_str(), value.c_str(), &dwType, buf, &cb) !=
            ERROR_SUCCESS)
            return false;
        EXPECT_EQ(dwType, static_cast<DWORD>(REG_SZ));
        text = buf;
        return true;
    }
    bool KeyExists(const std::string& sub)
    {
        HKEY hKey = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, (m_strKey + "\\" + sub).c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            return false;
        RegCloseKey(hKey);
        return true;
    }

    std::string m_strKey;
    CWin32FrontPageRegistry registry;
};

} // namespace

TEST_F(FrontPageDetectionTest, TheRegisteredVersionDecides)
{
    CWin32FrontPageRegistry registry;
    std::string version;
    ASSERT_TRUE(registry.ReadClassesRootDefault("FrontPage.Explorer\\CURVER", version));
    EXPECT_EQ(version, "FrontPage.Explorer.2.0");
    EXPECT_TRUE(DetectFrontPage(registry));

    ASSERT_EQ(RunStandIn("/RegServer FrontPage.Explorer.1.1"), 0);
    EXPECT_FALSE(DetectFrontPage(registry));
    ASSERT_EQ(RunStandIn("/UnregServer"), 0);
    EXPECT_FALSE(registry.ReadClassesRootDefault("FrontPage.Explorer\\CURVER", version));
    EXPECT_FALSE(DetectFrontPage(registry));

    ASSERT_EQ(RunStandIn("/RegServer"), 0);
    EXPECT_TRUE(DetectFrontPage(registry));
}

TEST_F(FrontPageRegistryTest, WritesCreateKeysAndDeletesTakeOnlyTheirValue)
{
    const std::string menus = m_strKey + "\\Explorer\\Init Menus";
    EXPECT_TRUE(registry.WriteUserString(menus, "Netbell Menu1", "2,,1,&Reminders,Tools"));
    EXPECT_TRUE(registry.WriteUserString(menus, "Other Menu1", "kept"));
    std::string text;
    ASSERT_TRUE(Read("Explorer\\Init Menus", "Netbell Menu1", text));
    EXPECT_EQ(text, "2,,1,&Reminders,Tools");

    EXPECT_TRUE(registry.DeleteUserValue(menus, "Netbell Menu1"));
    EXPECT_FALSE(Read("Explorer\\Init Menus", "Netbell Menu1", text));
    EXPECT_TRUE(Read("Explorer\\Init Menus", "Other Menu1", text));
    EXPECT_FALSE(registry.DeleteUserValue(menus, "Netbell Menu1"));

    // A key that does not exist is not created by a deletion.
    EXPECT_FALSE(registry.DeleteUserValue(m_strKey + "\\Editor\\Init Menus", "Netbell Menu1"));
    EXPECT_FALSE(KeyExists("Editor\\Init Menus"));
    EXPECT_FALSE(KeyExists("Editor"));
}
