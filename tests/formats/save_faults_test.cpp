// Saves that meet a full disk or a killed process: each reports the failure and leaves the
// previous file whole (disk full), or leaves either the previous or a complete new file
// (SIGKILL), never part of one.
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <string>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "formats/byte_buffer.h"
#include "formats/markup.h"
#include "formats/package.h"
#include "support/save_faults.h"
#include "support/scratch_folder.h"

using OvCore::ByteBuffer;

namespace
{

constexpr long kFileLimit = 4096;                  // what the full disk still takes
constexpr uint32_t kLargeBytes = 8u * 1024 * 1024; // a save that takes a while

std::string Incompressible(uint32_t n, unsigned seed)
{
    std::mt19937 random(seed);
    std::string bytes(n, '\0');
    for (char& byte : bytes)
        byte = char(random());
    return bytes;
}

bool SaveBytes(const std::string& path, const std::string& bytes)
{
    ByteBuffer buffer;
    return buffer.Write(bytes.data(), uint32_t(bytes.size())) == bytes.size() &&
           buffer.SaveFile(path.c_str());
}

bool SavePackage(const std::string& path, const std::string& contents)
{
    ByteBuffer buffer;
    buffer.Write(contents.data(), uint32_t(contents.size()));
    const OvCore::PackageFile file{"entry", &buffer};
    return OvCore::PackageInfo::PackageSave(path.c_str(), &file, 1);
}

// Reads the markup file, adds `elements` elements and writes the document back over it.
bool AddToMarkupFile(const std::string& path, int elements)
{
    ByteBuffer text;
    OvCore::MARKUP_NODE document;
    if (!text.LoadFile(path.c_str()) ||
        !document.Parse(reinterpret_cast<const char*>(text.start), text.count))
        return false;
    for (int i = 0; i < elements; ++i)
        document.AppendChild().name = "Added";
    ByteBuffer written;
    return document.Write(written) && written.SaveFile(path.c_str());
}

class SaveFaults : public ::testing::Test
{
  protected:
    void SetUp() override { path_ = (folder_ / "saved").string(); }

    OvTest::ScratchFolder scratch_{"ovsave"};
    const std::filesystem::path folder_ = scratch_.Path();
    std::string path_;
};

TEST_F(SaveFaults, FullDiskFailsEachSaveAndKeepsThePreviousFile)
{
    const std::string old = "the previous file\n";
    const std::string large = Incompressible(64 * 1024, 1);
    struct Case
    {
        const char* name;
        std::string before; // the file before the save
        std::function<bool()> save;
    };
    std::string package;
    {
        ASSERT_TRUE(SavePackage(path_, old));
        package = OvTest::FileBytes(path_);
    }
    const Case cases[] = {
        {"SaveFile", old, [&] { return SaveBytes(path_, large); }},
        {"SaveFile at an offset", old,
         [&]
         {
             ByteBuffer buffer;
             buffer.Write("x", 1);
             return buffer.SaveFile(path_.c_str(), uint32_t(kFileLimit));
         }},
        {"PackageSave", package, [&] { return SavePackage(path_, large); }},
        {"markup written back", "<Theme>\n\t<Old />\n</Theme>\n",
         [&] { return AddToMarkupFile(path_, 1000); }},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        OvTest::WriteFileBytes(path_, c.before);
        EXPECT_EQ(std::optional<bool>(false), OvTest::SaveWithFileLimit(kFileLimit, c.save));
        const std::string after = OvTest::FileBytes(path_);
        EXPECT_TRUE(c.before == after) << "the file changed; it holds " << after.size() << " bytes";
        OvTest::ExpectFolderHoldsOnly(folder_.string(), path_);
    }
}

TEST_F(SaveFaults, FullDiskFailsAnAppendAndCutsTheFileBack)
{
    const std::string old(1000, 'o');
    const std::string large = Incompressible(64 * 1024, 6);
    const auto append = [&]
    {
        ByteBuffer buffer;
        buffer.Write(large.data(), uint32_t(large.size()));
        return buffer.AppendFile(path_.c_str());
    };
    OvTest::WriteFileBytes(path_, old);
    EXPECT_EQ(std::optional<bool>(false), OvTest::SaveWithFileLimit(kFileLimit, append));
    EXPECT_EQ(old, OvTest::FileBytes(path_));
    // A file the failed append created is gone again.
    std::filesystem::remove(path_);
    EXPECT_EQ(std::optional<bool>(false), OvTest::SaveWithFileLimit(kFileLimit, append));
    EXPECT_FALSE(std::filesystem::exists(path_));
}

TEST_F(SaveFaults, KilledSaveFileLeavesTheOldOrAWholeNewFile)
{
    const std::vector<std::string> versions = {"old", Incompressible(kLargeBytes, 2),
                                               Incompressible(kLargeBytes, 3)};
    OvTest::WriteFileBytes(path_, versions[0]);
    const int rounds = 20;
    OvTest::ExpectWholeVersions(
        OvTest::BytesAfterKilledSaves(
            path_, [&](int v) { return SaveBytes(path_, versions[1 + v]); }, rounds, 400),
        versions, rounds);
    // The killed savers' temporaries go with the next save of the file.
    ASSERT_TRUE(SaveBytes(path_, "after"));
    OvTest::ExpectFolderHoldsOnly(folder_.string(), path_);
}

// Only temporaries of this very file whose process has ended are leftovers.
TEST_F(SaveFaults, TheNextSaveRemovesOnlyLeftoversOfEndedProcesses)
{
    const pid_t ended = fork();
    if (ended == 0)
        _exit(0);
    ASSERT_GT(ended, 0);
    waitpid(ended, nullptr, 0);
    const std::string gone = std::to_string(ended), alive = std::to_string(getppid());
    const std::string kept[] = {path_ + ".tmp-" + alive + "-0",
                                path_ + ".tmp-" + std::to_string(getpid()) + "-9",
                                (folder_ / "other.tmp-").string() + gone + "-0",
                                path_ + ".tmp-" + gone + "-",
                                path_ + ".tmp-" + gone + "-1.bak",
                                path_ + ".tmp-99999999999-0"};
    for (const std::string& name : kept)
        OvTest::WriteFileBytes(name, "someone's");
    const std::string leftover = path_ + ".tmp-" + gone + "-3";
    OvTest::WriteFileBytes(leftover, "half a save");
    ASSERT_TRUE(SaveBytes(path_, "new"));
    EXPECT_FALSE(std::filesystem::exists(leftover));
    for (const std::string& name : kept)
        EXPECT_EQ("someone's", OvTest::FileBytes(name)) << name;
}

TEST_F(SaveFaults, KilledPackageSaveLeavesTheOldOrAWholeNewPackage)
{
    // Packages carry times, so each file found is compared by the entry it holds.
    const std::vector<std::string> versions = {"old", Incompressible(kLargeBytes / 2, 4),
                                               Incompressible(kLargeBytes / 2, 5)};
    ASSERT_TRUE(SavePackage(path_, versions[0]));
    const int rounds = 20;
    const std::vector<std::string> seen = OvTest::BytesAfterKilledSaves(
        path_, [&](int v) { return SavePackage(path_, versions[1 + v]); }, rounds, 600);
    std::vector<std::string> entries;
    const std::string copy = path_ + ".seen";
    for (const std::string& bytes : seen)
    {
        OvTest::WriteFileBytes(copy, bytes);
        OvCore::PackageInfo package;
        ByteBuffer entry;
        const bool read = package.PackageOpen(copy.c_str()) && package.PackageLoad(&entry, 0);
        entries.push_back(read
                              ? std::string(reinterpret_cast<const char*>(entry.start), entry.count)
                              : "not a package");
    }
    OvTest::ExpectWholeVersions(entries, versions, rounds);
}

// Replacing the file must not change what callers saw of it before.
TEST_F(SaveFaults, SaveFileKeepsPermissionsLinksAndDevices)
{
    namespace fs = std::filesystem;
    OvTest::WriteFileBytes(path_, "old");
    fs::permissions(path_, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const std::string link = (folder_ / "link").string();
    fs::create_symlink(path_, link);
    ASSERT_TRUE(SaveBytes(link, "new"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ("new", OvTest::FileBytes(path_));
    EXPECT_EQ(fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read,
              fs::status(path_).permissions());
    const std::string pipe = (folder_ / "pipe").string();
    ASSERT_EQ(0, mkfifo(pipe.c_str(), 0600));
    const int reader = open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_TRUE(SaveBytes(pipe, "through"));
    char got[16] = {};
    EXPECT_EQ(7, read(reader, got, sizeof got));
    EXPECT_STREQ("through", got);
    close(reader);
    EXPECT_TRUE(fs::is_fifo(pipe)); // written through, not replaced by a plain file
}

} // namespace
