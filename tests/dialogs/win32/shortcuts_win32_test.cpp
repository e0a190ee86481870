// ResolveInternetShortcut against the shell's real Internet shortcut object,
// on .url files written to a scratch folder.
#include "dialogs/win32/shortcuts_win32.h"

#include <objbase.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "base/win32/scoped_win.h"
#include "base/win32/text_win32.h"
#include "support/scratch_folder.h"

namespace {

class ResolveShortcutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_bCom = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        ASSERT_FALSE(m_folder.Path().empty());
    }
    void TearDown() override
    {
        if (m_bCom)
            CoUninitialize();
    }

    std::string Write(const std::string& name, const std::string& bytes) { return m_folder.Write(name, bytes); }
#ifdef UNICODE
    // A file of any name, its text in UTF-16 as the profile functions read it.
    std::string WriteWide(const std::string& name, const std::string& text)
    {
        const std::string path = m_folder.PathOf(name);
        const std::u16string units = u"\xFEFF" + Utf8ToUtf16(text);
        CScopedHandle file(
            CreateFile(ToSys(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD dwWritten = 0;
        EXPECT_TRUE(WriteFile(file.Get(), units.data(), static_cast<DWORD>(units.size() * sizeof(char16_t)),
                              &dwWritten, nullptr));
        return path;
    }
#endif

    CScratchFolder m_folder{"nbshortcut"};
    bool m_bCom = false;
};

const char kGood[] = "[InternetShortcut]\r\nURL=http://www.example.com/netbell/\r\n";

} // namespace

TEST_F(ResolveShortcutTest, AGoodShortcutGivesItsUrlAndTitleInAnyCase)
{
    ShortcutResult r = ResolveInternetShortcut(Write("My Site.url", kGood));
    EXPECT_EQ(r.outcome, ShortcutOutcome::Resolved);
    EXPECT_EQ(r.url, "http://www.example.com/netbell/");
    EXPECT_EQ(r.title, "My Site");

    r = ResolveInternetShortcut(Write("Shouting.URL", "[InternetShortcut]\r\nURL=news:comp.misc\r\n"));
    EXPECT_EQ(r.outcome, ShortcutOutcome::Resolved);
    EXPECT_EQ(r.url, "news:comp.misc");
    EXPECT_EQ(r.title, "Shouting");

    r = ResolveInternetShortcut(Write(".url", kGood));
    EXPECT_EQ(r.outcome, ShortcutOutcome::Resolved);
    EXPECT_EQ(r.title, "");

#ifdef UNICODE
    // Name and URL outside any code page come whole in the Unicode program.
    const std::string title = "\xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1 \xE6\x97\xA5\xE6\x9C\xAC";
    const std::string url = "http://www.example.com/\xE6\x97\xA5\xE6\x9C\xAC/\xCE\xA9";
    r = ResolveInternetShortcut(WriteWide(title + ".url", "[InternetShortcut]\r\nURL=" + url + "\r\n"));
    EXPECT_EQ(r.outcome, ShortcutOutcome::Resolved);
    EXPECT_EQ(r.url, url);
    EXPECT_EQ(r.title, title);
#endif
}

TEST_F(ResolveShortcutTest, FilesWithoutAUrlFailToLoadButKeepTheirTitle)
{
    const std::vector<std::pair<std::string, std::string>> bad = {
        {"Empty.url", ""},
        {"No Line.url", "[InternetShortcut]\r\nIconIndex=0\r\n"},
        {"Other Section.url", "[Somewhere]\r\nURL=http://elsewhere.example/\r\n"},
        {"Binary.url", std::string("\x00\xff\xfe\x01\x02[\x80\x81", 9) + std::string(300, '\x7f')},
    };
    // A good file first: an object that failed to load could still answer
    // with the URL it read before, which must not leak into the bad ones.
    ASSERT_EQ(ResolveInternetShortcut(Write("Good.url", kGood)).outcome, ShortcutOutcome::Resolved);
    for (const auto& file : bad) {
        SCOPED_TRACE(file.first);
        const ShortcutResult r = ResolveInternetShortcut(Write(file.first, file.second));
        EXPECT_EQ(r.outcome, ShortcutOutcome::LoadFailed);
        EXPECT_EQ(r.url, "");
        EXPECT_EQ(r.title, file.first.substr(0, file.first.size() - 4));
    }

    const ShortcutResult missing = ResolveInternetShortcut(m_folder.Path() + "\\Nowhere.url");
    EXPECT_EQ(missing.outcome, ShortcutOutcome::LoadFailed);
    EXPECT_EQ(missing.title, "Nowhere");
}

TEST_F(ResolveShortcutTest, OtherFilesAreNotShortcutsEvenWithShortcutContents)
{
    for (const char* name : {"Site.lnk", "page.htm", "noextension", "Site.url.txt", "url"}) {
        SCOPED_TRACE(name);
        const ShortcutResult r = ResolveInternetShortcut(Write(name, kGood));
        EXPECT_EQ(r.outcome, ShortcutOutcome::NotShortcut);
        EXPECT_EQ(r.url, "");
        EXPECT_EQ(r.title, "");
    }
}
