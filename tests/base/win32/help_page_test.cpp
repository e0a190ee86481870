#include "base/win32/help_page.h"

#include <gtest/gtest.h>

namespace {

// The browser gets an address, so the program's folder is written as one:
// forward slashes, and the characters an address gives meaning escaped, or
// a folder named "C#" or "100%" would open another page.
TEST(HelpPage, TheAddressEscapesTheFolderAndKeepsTheSection)
{
    EXPECT_EQ(HelpPageAddress("C:\\Netbell\\netbell.exe", "options"), "file:///C:/Netbell/Netbell.htm#options");
    EXPECT_EQ(HelpPageAddress("D:\\My Tools\\C# 100%\\netbell.exe", ""),
              "file:///D:/My%20Tools/C%23%20100%25/Netbell.htm");
}

} // namespace
