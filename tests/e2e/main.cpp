// The end-to-end test program: GoogleTest's runner, and the program it
// drives named by NETBELL_EXE.
#include <gtest/gtest.h>

#include <cstdio>

#include "driver.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    printf("netbell_e2e: program %s, screenshots %s\n", e2e::EnvVar("NETBELL_EXE").c_str(),
           e2e::EnvVar("NETBELL_SCREENSHOTS").empty() ? "off" : e2e::EnvVar("NETBELL_SCREENSHOTS").c_str());
    const e2e::CTrayAnchor anchor;
    return RUN_ALL_TESTS();
}
