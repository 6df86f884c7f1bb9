// Registry operations and file types of the framework, on the platform's store in a
// temporary home.
#include "desktop/desktop_support.h"
#include "desktop/ov_registry_access.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

using namespace OvCore;

namespace
{

std::string DefaultString(const std::string& path)
{
    HKEY key = RegistryKey(HKEY_CLASSES_ROOT, path.c_str(), REGISTRY_OPEN);
    char text[1024] = {};
    DWORD size = sizeof text, type = 0;
    if (!key || !RegistryRead(key, "", &type, text, &size) || type != REG_SZ ||
        size != std::strlen(text) + 1)
        return "<none>";
    return text;
}

std::string FileText(const std::string& path)
{
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(DesktopRegistry, ModesValuesAndSizes)
{
    OvTest::TempHome home;
    EXPECT_EQ(nullptr, RegistryKey(HKEY_CURRENT_USER, "Software\\Demo", REGISTRY_OPEN));
    EXPECT_EQ(nullptr, RegistryKey(HKEY_CURRENT_USER, "Software\\Demo", 3));
    HKEY key = RegistryKey(HKEY_CURRENT_USER, "Software\\Demo", REGISTRY_CREATE);
    ASSERT_NE(nullptr, key);
    ASSERT_NE(nullptr, RegistryKey(HKEY_CURRENT_USER, "Software\\Demo", REGISTRY_OPEN));

    DWORD count = 12345;
    EXPECT_FALSE(RegistryHasValue(key, "Count"));
    EXPECT_TRUE(RegistryWrite(key, "Count", REG_DWORD, &count, sizeof count));
    EXPECT_TRUE(RegistryHasValue(key, "Count"));
    uint16_t small = 0;
    DWORD size = sizeof small, type = 0;
    EXPECT_FALSE(RegistryRead(key, "Count", &type, &small, &size));
    EXPECT_EQ(4u, size);
    DWORD read = 0;
    EXPECT_TRUE(RegistryRead(key, "Count", &type, &read, &size));
    EXPECT_EQ(count, read);
    EXPECT_TRUE(RegistryDeleteValue(key, "Count"));
    EXPECT_FALSE(RegistryHasValue(key, "Count"));
    EXPECT_FALSE(RegistryDeleteKey(HKEY_CURRENT_USER, "Software"));
    EXPECT_TRUE(RegistryDeleteKey(HKEY_CURRENT_USER, "Software\\Demo"));
}

TEST(DesktopRegistry, RegisterFileTypeWritesKeysAndTheDesktopEntry)
{
    OvTest::StandInTools tools;
    tools.Add("update-mime-database", "", 0);
    tools.Add("update-desktop-database", "", 0);
    ASSERT_TRUE(
        RegisterFileType("Demo.Map", ".dmap", "\"/opt/demo/demo\" \"%1\" 100%", "demo-icon"));
    EXPECT_EQ("Demo.Map", DefaultString(".dmap"));
    EXPECT_EQ("demo-icon", DefaultString("Demo.Map\\DefaultIcon"));
    EXPECT_EQ("\"/opt/demo/demo\" \"%1\" 100%", DefaultString("Demo.Map\\shell\\open\\command"));

    std::string data = tools.Home().DataHome();
    std::string entry = FileText(data + "/applications/orvane-demo.map.desktop");
    EXPECT_NE(std::string::npos, entry.find("\nExec=\"/opt/demo/demo\" %f 100%%\n")) << entry;
    EXPECT_NE(std::string::npos, entry.find("\nMimeType=application/x-orvane-demo.map;\n"));
    EXPECT_NE(std::string::npos, entry.find("\nIcon=demo-icon\n"));
    std::string package = FileText(data + "/mime/packages/orvane-demo.map.xml");
    EXPECT_NE(std::string::npos, package.find("<glob pattern=\"*.dmap\"/>")) << package;

    using Runs = std::vector<std::vector<std::string>>;
    EXPECT_EQ((Runs{{data + "/mime"}}), tools.Runs("update-mime-database"));
    EXPECT_EQ((Runs{{data + "/applications"}}), tools.Runs("update-desktop-database"));
}

TEST(DesktopRegistry, RegisterFileTypeStopsAtTheFirstFailedStep)
{
    OvTest::TempHome home;
    // A key name component over 255 bytes: the extension's key takes the name as a value, but
    // "<name>\DefaultIcon" cannot be created.
    std::string longName(300, 'n');
    EXPECT_FALSE(RegisterFileType(longName.c_str(), ".long", "cmd %1", "icon"));
    EXPECT_EQ(longName, DefaultString(".long"));
    EXPECT_EQ(nullptr,
              RegistryKey(HKEY_CLASSES_ROOT, (longName + "\\shell").c_str(), REGISTRY_OPEN));
    EXPECT_FALSE(std::ifstream(home.DataHome() + "/mime/packages/orvane-" + longName + ".xml"));
}

} // namespace
