// Module handles, registered resources, stock icons and cursors, and the command line.
#include "platform/entry/command_line.h"
#include "platform/native.h"
#include "platform/win32.h"

#include <gtest/gtest.h>

namespace
{
const unsigned char kSplash[] = {0x89, 'P', 'N', 'G', 1, 2, 3};
const unsigned char kOther[] = {7, 7};
} // namespace

TEST(Resources, RegisteredBlocksAreFoundThroughTheModule)
{
    ASSERT_TRUE(PlatformRegisterResource("Orvane Core.dll", 1, 1024, kSplash, sizeof kSplash));
    HMODULE module = GetModuleHandleA("orvane core.DLL");
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(GetModuleHandleA("Orvane Core"), module); // ".dll" is implied
    EXPECT_NE(module, GetModuleHandleA(nullptr));

    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(1024));
    ASSERT_NE(resource, nullptr);
    EXPECT_EQ(FindResourceA(module, "#1", "#1024"), resource);
    EXPECT_EQ(SizeofResource(module, resource), sizeof kSplash);
    HGLOBAL loaded = LoadResource(module, resource);
    EXPECT_EQ(LockResource(loaded), static_cast<const void*>(kSplash));
    EXPECT_FALSE(FreeResource(loaded));

    EXPECT_EQ(FindResourceA(module, MAKEINTRESOURCEA(2), MAKEINTRESOURCEA(1024)), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_EQ(FindResourceA(module, MAKEINTRESOURCEA(1), RT_RCDATA), nullptr);
    EXPECT_EQ(FindResourceA(module, "SPLASH", MAKEINTRESOURCEA(1024)), nullptr);
    // The program's own module does not hold the library's resources.
    EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(1024)), nullptr);
    EXPECT_EQ(SizeofResource(nullptr, resource), 0u);
}

TEST(Resources, ReRegisteringReplacesAndEmptyBlocksAreRefused)
{
    EXPECT_FALSE(PlatformRegisterResource("empty.dll", 1, 10, kOther, 0));
    EXPECT_FALSE(PlatformRegisterResource("empty.dll", 1, 10, nullptr, 4));
    EXPECT_EQ(GetModuleHandleA("empty.dll"), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_MOD_NOT_FOUND));

    ASSERT_TRUE(PlatformRegisterResource(nullptr, 5, 10, kSplash, sizeof kSplash));
    ASSERT_TRUE(PlatformRegisterResource(nullptr, 5, 10, kOther, sizeof kOther));
    HRSRC resource = FindResourceA(nullptr, MAKEINTRESOURCEA(5), RT_RCDATA);
    ASSERT_NE(resource, nullptr);
    EXPECT_EQ(SizeofResource(nullptr, resource), sizeof kOther);
    EXPECT_EQ(LockResource(LoadResource(nullptr, resource)), static_cast<const void*>(kOther));
}

TEST(Resources, StockCursorsAndIcons)
{
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    EXPECT_NE(arrow, nullptr);
    EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), arrow);
    EXPECT_NE(LoadCursorA(nullptr, IDC_IBEAM), arrow);
    EXPECT_NE(LoadIconA(nullptr, IDI_APPLICATION), nullptr);
    EXPECT_EQ(LoadCursorA(nullptr, MAKEINTRESOURCEA(5)), nullptr);
    // The program registers no icon resource, so its class icon is null, as on Windows.
    EXPECT_EQ(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1)), nullptr);
    ASSERT_TRUE(PlatformRegisterResource(nullptr, 1, 14, kOther, sizeof kOther));
    EXPECT_NE(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1)), nullptr);
}

TEST(CommandLine, ArgumentsAreJoinedAndQuotedByWindowsRules)
{
    const char* none[] = {"tarnvale"};
    EXPECT_EQ(PlatformJoinCommandLine(1, none), "");
    const char* plain[] = {"tarnvale", "-a", "b"};
    EXPECT_EQ(PlatformJoinCommandLine(3, plain), "-a b");
    const char* spaced[] = {"tarnvale", "two words", "", R"(say "hi")", R"(dir\)", R"(a\b)"};
    EXPECT_EQ(PlatformJoinCommandLine(6, spaced), R"("two words" "" "say \"hi\"" dir\ a\b)");
    const char* trailing[] = {"tarnvale", R"(C:\my dir\)"};
    EXPECT_EQ(PlatformJoinCommandLine(2, trailing), R"("C:\my dir\\")");
}
