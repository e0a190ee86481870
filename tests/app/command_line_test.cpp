#include "app/command_line.h"

#include <gtest/gtest.h>

TEST(CommandLine, OnlyAWholeSwitchIsAStartByCom)
{
    const struct {
        const char* line;
        bool bAutomation;
    } cases[] = {
        {"", false},
        {"/Embedding", true},
        {"-embedding", true},
        {"/AUTOMATION", true},
        {"  -Automation\t", true},
        {"\"C:\\My Files\\x.nbl\" /Embedding", true},
        {"a\\\\ /Embedding", true},
        // A switch with more after it, or cut short, is none.
        {"/Automationx", false},
        {"/EmbeddingFoo /Auto", false},
        {"/Embed", false},
        {"/", false},
        // A path that holds the word is no switch.
        {"C:\\Files\\a-Embedding\\x.nbl", false},
        {"\"C:\\My -Embedding\\x.nbl\"", false},
        {"\"a\\\" /Embedding\"", false},
        {"x/Automation", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsAutomationStart(c.line), c.bAutomation) << c.line;
}
