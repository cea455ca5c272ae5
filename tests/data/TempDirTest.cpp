#include "data/TempDir.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

TEST(TempDir, EndsWithSeparatorAndFailsOnOverlongFolder)
{
    const std::string dir = GetTempDir();
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.back(), '\\');

    char oldTmp[MAX_PATH * 2] = {}, oldTemp[MAX_PATH * 2] = {};
    const bool hadTmp = GetEnvironmentVariableA("TMP", oldTmp, sizeof oldTmp) > 0;
    const bool hadTemp = GetEnvironmentVariableA("TEMP", oldTemp, sizeof oldTemp) > 0;
    const std::string overlong = "C:\\" + std::string(400, 'd');
    SetEnvironmentVariableA("TMP", overlong.c_str());
    SetEnvironmentVariableA("TEMP", overlong.c_str());
    const std::string failed = GetTempDir();
    SetEnvironmentVariableA("TMP", hadTmp ? oldTmp : nullptr);
    SetEnvironmentVariableA("TEMP", hadTemp ? oldTemp : nullptr);
    EXPECT_EQ(failed, "");
    EXPECT_EQ(GetTempDir(), dir);
}
