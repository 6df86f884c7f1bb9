// The registry on its store: values across processes, Win32's codes and size rules, a store
// that survives kills, a corrupt file and a full disk.
#include "platform/win32.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace
{

struct TypedValue
{
    const char* name;
    DWORD type;
    std::vector<BYTE> bytes;
};

std::vector<BYTE> Bytes(const std::string& text, bool withZero = true)
{
    std::vector<BYTE> out(text.begin(), text.end());
    if (withZero)
        out.push_back(0);
    return out;
}

const std::vector<TypedValue>& EveryType()
{
    static const std::vector<TypedValue> values = {
        {"", REG_SZ, Bytes("default text")},
        {"Expand", REG_EXPAND_SZ, Bytes("%HOME%\\x")},
        {"Binary", REG_BINARY, {0, 1, 2, 0, 255, 254}},
        {"Dword", REG_DWORD, {0x78, 0x56, 0x34, 0x12}},
        {"BigEndian", REG_DWORD_BIG_ENDIAN, {0x12, 0x34, 0x56, 0x78}},
        {"Link", REG_LINK, Bytes("target", false)},
        {"Multi", REG_MULTI_SZ, {'a', 0, 'b', 'c', 0, 0}},
        {"Qword", REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 8}},
        {"None", REG_NONE, {}},
        {"Unknown type", 0x1234, {9}},
    };
    return values;
}

class Registry : public ::testing::Test
{
  protected:
    OvTest::TempHome home;

    std::string StoreFolder() const { return home.ConfigHome() + "/orvane-core/registry"; }

    std::vector<std::string> StoreFolderEntries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(StoreFolder()))
            names.push_back(entry.path().filename().string());
        return names;
    }

    static HKEY Create(const char* path, DWORD* disposition = nullptr)
    {
        HKEY key = nullptr;
        EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0,
                                                 KEY_ALL_ACCESS, nullptr, &key, disposition));
        return key;
    }

    static LONG SetDword(HKEY key, const char* name, DWORD value)
    {
        return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                              sizeof value);
    }

    static bool HasDword(HKEY key, const char* name, DWORD expected)
    {
        DWORD value = 0, type = 0, size = sizeof value;
        return RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value),
                                &size) == ERROR_SUCCESS &&
               type == REG_DWORD && size == 4 && value == expected;
    }
};

TEST_F(Registry, ValuesOfEveryTypeRoundTripAcrossProcesses)
{
    int written = OvTest::RunInChild(
        []
        {
            HKEY key = Create("Software\\Orvane\\Test");
            for (const TypedValue& value : EveryType())
                if (RegSetValueExA(key, value.name, 0, value.type, value.bytes.data(),
                                   DWORD(value.bytes.size())) != ERROR_SUCCESS)
                    return 1;
            return 0;
        });
    ASSERT_EQ(0, written);

    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              RegOpenKeyExA(HKEY_CURRENT_USER, "software\\ORVANE\\test", 0, KEY_READ, &key));
    for (const TypedValue& value : EveryType())
    {
        SCOPED_TRACE(value.name);
        DWORD type = 0, size = 0;
        ASSERT_EQ(ERROR_SUCCESS, RegQueryValueExA(key, value.name, nullptr, &type, nullptr, &size));
        EXPECT_EQ(value.type, type);
        ASSERT_EQ(value.bytes.size(), size);
        std::vector<BYTE> read(size + 1, 0xEE);
        DWORD room = DWORD(read.size());
        ASSERT_EQ(ERROR_SUCCESS,
                  RegQueryValueExA(key, value.name, nullptr, nullptr, read.data(), &room));
        EXPECT_EQ(size, room);
        read.resize(size);
        EXPECT_EQ(value.bytes, read);
    }
    EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(key));
}

TEST_F(Registry, SizeRulesAndReturnCodes)
{
    HKEY key = Create("A");
    ASSERT_EQ(ERROR_SUCCESS,
              RegSetValueExA(key, "Text", 0, REG_SZ, reinterpret_cast<const BYTE*>("hello"), 6));
    char small[3] = {'x', 'x', 'x'};
    DWORD size = sizeof small, type = 0;
    EXPECT_EQ(ERROR_MORE_DATA,
              RegQueryValueExA(key, "text", nullptr, &type, reinterpret_cast<BYTE*>(small), &size));
    EXPECT_EQ(6u, size);
    EXPECT_EQ(DWORD(REG_SZ), type);
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(key, "Text", nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(ERROR_INVALID_PARAMETER, RegQueryValueExA(key, "Text", nullptr, nullptr,
                                                        reinterpret_cast<BYTE*>(small), nullptr));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND,
              RegQueryValueExA(key, "Missing", nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteValueA(key, "TEXT"));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegDeleteValueA(key, "Text"));
    EXPECT_EQ(ERROR_INVALID_PARAMETER, RegSetValueExA(key, "Null", 0, REG_BINARY, nullptr, 4));
}

TEST_F(Registry, KeysCreateOpenDeleteAndHandles)
{
    DWORD disposition = 0;
    HKEY child = Create("Parent\\Child", &disposition);
    EXPECT_EQ(DWORD(REG_CREATED_NEW_KEY), disposition);
    RegCloseKey(Create("Parent\\Child", &disposition));
    EXPECT_EQ(DWORD(REG_OPENED_EXISTING_KEY), disposition);

    HKEY missing = HKEY(1);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND,
              RegOpenKeyExA(HKEY_CURRENT_USER, "Parent\\Nobody", 0, KEY_READ, &missing));
    EXPECT_EQ(nullptr, missing);
    EXPECT_EQ(ERROR_BAD_PATHNAME, RegCreateKeyExA(HKEY_CURRENT_USER, "\\Lead", 0, nullptr, 0,
                                                  KEY_ALL_ACCESS, nullptr, &missing, nullptr));
    EXPECT_EQ(ERROR_ACCESS_DENIED, RegDeleteKeyA(HKEY_CURRENT_USER, "Parent"));

    HKEY readOnly = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              RegOpenKeyExA(HKEY_CURRENT_USER, "Parent\\Child", 0, KEY_READ, &readOnly));
    EXPECT_EQ(ERROR_ACCESS_DENIED, SetDword(readOnly, "x", 1));

    EXPECT_EQ(ERROR_SUCCESS, RegDeleteKeyA(HKEY_CURRENT_USER, "Parent\\Child"));
    EXPECT_EQ(ERROR_KEY_DELETED, SetDword(child, "x", 1));
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteKeyA(HKEY_CURRENT_USER, "Parent"));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegDeleteKeyA(HKEY_CURRENT_USER, "Parent"));

    EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(child));
    EXPECT_EQ(ERROR_INVALID_HANDLE, RegCloseKey(child));
    EXPECT_EQ(ERROR_INVALID_HANDLE, SetDword(child, "x", 1));
    EXPECT_EQ(ERROR_INVALID_HANDLE, SetDword(HKEY(0x1234), "x", 1));
}

TEST_F(Registry, CorruptStoreIsMovedAsideAndTheNextWriteSucceeds)
{
    HKEY key = Create("Kept");
    ASSERT_EQ(ERROR_SUCCESS, SetDword(key, "v", 7));
    std::string store = StoreFolder() + "/HKEY_CURRENT_USER.store";
    ASSERT_EQ(0, truncate(store.c_str(), 20));

    EXPECT_EQ(ERROR_KEY_DELETED, SetDword(key, "v", 8)); // the store starts empty
    RegCloseKey(key);
    key = Create("Kept");
    EXPECT_EQ(ERROR_SUCCESS, SetDword(key, "v", 9));
    EXPECT_TRUE(HasDword(key, "v", 9));

    int asideCount = 0;
    for (const std::string& name : StoreFolderEntries())
        asideCount += name.rfind("HKEY_CURRENT_USER.store.corrupt-", 0) == 0;
    EXPECT_EQ(1, asideCount);
}

// Kills a writing child at random points; every write it acknowledged (after its call
// returned success) must be readable afterwards, and the store must never be left corrupt.
TEST_F(Registry, KilledWriterNeverLosesAcknowledgedWrites)
{
    const int rounds = 10, writesPerRound = 100;
    std::mt19937 random(20261209);
    std::vector<std::string> acknowledged;
    for (int round = 0; round < rounds; ++round)
    {
        int pipeEnds[2];
        ASSERT_EQ(0, pipe(pipeEnds));
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
        {
            close(pipeEnds[0]);
            HKEY key = Create("Kills");
            for (int i = 0; i < writesPerRound; ++i)
            {
                std::string name = "r" + std::to_string(round) + "v" + std::to_string(i);
                if (SetDword(key, name.c_str(), DWORD(i)) != ERROR_SUCCESS)
                    _exit(1);
                if (write(pipeEnds[1], &i, sizeof i) != sizeof i)
                    _exit(2);
            }
            _exit(0);
        }
        close(pipeEnds[1]);
        int killAfter = int(random() % writesPerRound);
        int index = 0, seen = 0;
        while (read(pipeEnds[0], &index, sizeof index) == sizeof index)
        {
            acknowledged.push_back("r" + std::to_string(round) + "v" + std::to_string(index));
            if (++seen == killAfter)
            {
                usleep(random() % 2000);
                kill(child, SIGKILL);
            }
        }
        close(pipeEnds[0]);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status) || WEXITSTATUS(status) == 0);
    }
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, "Kills", 0, KEY_READ, &key));
    for (const std::string& name : acknowledged)
        EXPECT_EQ(ERROR_SUCCESS,
                  RegQueryValueExA(key, name.c_str(), nullptr, nullptr, nullptr, nullptr))
            << name;
    for (const std::string& name : StoreFolderEntries())
        EXPECT_EQ(std::string::npos, name.find("corrupt")) << name;
    EXPECT_GT(acknowledged.size(), size_t(rounds));
}

TEST_F(Registry, FullDiskFailsTheWriteAndKeepsTheOldStore)
{
    HKEY key = Create("Disk");
    ASSERT_EQ(ERROR_SUCCESS, SetDword(key, "old", 42));
    int result = OvTest::RunInChild(
        [key]
        {
            signal(SIGXFSZ, SIG_IGN);
            rlimit limit{4096, 4096};
            setrlimit(RLIMIT_FSIZE, &limit);
            std::vector<BYTE> big(64 * 1024, 0x5A);
            LONG status = RegSetValueExA(key, "big", 0, REG_BINARY, big.data(), DWORD(big.size()));
            return status == ERROR_DISK_FULL ? 0 : status == ERROR_SUCCESS ? 1 : 2;
        });
    EXPECT_EQ(0, result);
    EXPECT_TRUE(HasDword(key, "old", 42));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND,
              RegQueryValueExA(key, "big", nullptr, nullptr, nullptr, nullptr));
    for (const std::string& name : StoreFolderEntries())
        EXPECT_EQ(std::string::npos, name.find(".tmp-")) << name;
}

} // namespace
