#include "formats/package.h"
#include "formats/package_unpack.h"

#include <gtest/gtest.h>

#include "support/scratch_folder.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

using OvCore::ByteBuffer;
using OvCore::PackageFile;
using OvCore::PackageInfo;

namespace
{

std::string DataOf(const ByteBuffer& buffer)
{
    return std::string(reinterpret_cast<const char*>(buffer.start), buffer.count);
}

class Packages : public ::testing::Test
{
  protected:
    void SetUp() override { package_ = (folder_ / "test.zip").string(); }

    // Saves (name, contents) pairs as the package.
    bool Save(const std::vector<std::pair<std::string, std::string>>& files)
    {
        std::vector<ByteBuffer> buffers(files.size());
        std::vector<PackageFile> list;
        for (size_t i = 0; i < files.size(); ++i)
        {
            buffers[i].Write(files[i].second.data(), uint32_t(files[i].second.size()));
            list.push_back({files[i].first.c_str(), &buffers[i]});
        }
        return PackageInfo::PackageSave(package_.c_str(), list.data(), uint32_t(list.size()));
    }
    // The package written uncompressed by the engine, so tests can find and damage its bytes.
    std::string SaveStored(const char* name, const std::string& contents)
    {
        OvVirtualFile file{};
        EXPECT_TRUE(OvVirtualFileMakeFile(&file, name, contents.data(), uint32_t(contents.size())));
        EXPECT_TRUE(OvVirtualFileSave(package_.c_str(), &file, 1, OV_VIRTUAL_FILE_STORED));
        OvVirtualFileFree(&file);
        return Bytes();
    }
    std::string Bytes() const
    {
        ByteBuffer bytes;
        return bytes.LoadFile(package_.c_str()) ? DataOf(bytes) : std::string();
    }
    void Overwrite(const std::string& bytes) const
    {
        std::ofstream(package_, std::ios::binary | std::ios::trunc) << bytes;
    }
    // Sets the uncompressed size in the entry's local header and in the central directory.
    static void DeclareSize(std::string& bytes, uint32_t size)
    {
        const auto put = [&](size_t at) { std::memcpy(&bytes[at], &size, 4); };
        put(bytes.find("PK\x03\x04") + 22);
        put(bytes.find("PK\x01\x02") + 24);
    }

    OvTest::ScratchFolder scratch_{"ovpkg"};
    const std::filesystem::path folder_ = scratch_.Path();
    std::string package_;
};

TEST_F(Packages, SavedFilesReadBackInOrderWithTheirNamesAndBytes)
{
    const std::string binary("\0\x01\xff\0zero", 8);
    const std::string large(300000, 'x');
    ASSERT_TRUE(Save({{"readme.txt", "hello package"},
                      {"sub/frame.bin", binary},
                      {"empty", ""},
                      {"..name.txt", large}}));

    PackageInfo package;
    ASSERT_TRUE(package.PackageOpen(package_.c_str()));
    EXPECT_EQ(package.name, package_.c_str());
    ASSERT_EQ(package.PackageEntryCount(), 4u);
    EXPECT_STREQ(package.PackageEntryName(1), "sub/frame.bin");
    EXPECT_EQ(package.PackageEntrySize(3), large.size());
    EXPECT_EQ(package.PackageEntryName(4), nullptr);
    EXPECT_EQ(package.PackageEntrySize(4), 0u);

    uint32_t index = 99;
    ASSERT_TRUE(package.PackageFind("..name.txt", index));
    EXPECT_EQ(index, 3u);
    EXPECT_FALSE(package.PackageFind("sub", index));
    const std::string expected[] = {"hello package", binary, "", large};
    for (uint32_t i = 0; i < 4; ++i)
    {
        ByteBuffer buffer;
        ASSERT_TRUE(package.PackageLoad(&buffer, i)) << i;
        EXPECT_EQ(DataOf(buffer), expected[i]) << i;
    }
    ByteBuffer buffer;
    EXPECT_FALSE(package.PackageLoad(&buffer, 4));
    EXPECT_FALSE(package.PackageLoad(nullptr, 0));
    package.PackageClose();
    EXPECT_EQ(package.PackageEntryCount(), 0u);
    EXPECT_FALSE(package.PackageLoad(&buffer, 0));
}

TEST_F(Packages, SaveRefusesNoFilesAndRepeatedNamesAndKeepsTheOldPackage)
{
    ASSERT_TRUE(Save({{"a", "first"}}));
    const std::string before = Bytes();
    EXPECT_FALSE(PackageInfo::PackageSave(package_.c_str(), nullptr, 1));
    EXPECT_FALSE(Save({}));
    EXPECT_FALSE(Save({{"a", "1"}, {"a", "2"}}));
    EXPECT_EQ(Bytes(), before);
    package_ = (folder_ / "no/such/folder.zip").string();
    EXPECT_FALSE(Save({{"a", "first"}})); // a write that fails is not reported as done
}

TEST_F(Packages, MissingGarbageAndTruncatedArchivesFailToOpenWithTheirReason)
{
    PackageInfo package;
    EXPECT_FALSE(package.PackageOpen(package_.c_str()));
    EXPECT_EQ(OvVirtualFileLastError(), OV_VIRTUAL_FILE_NOT_FOUND);

    Overwrite("this is not an archive at all, only some text");
    EXPECT_FALSE(package.PackageOpen(package_.c_str()));
    EXPECT_EQ(OvVirtualFileLastError(), OV_VIRTUAL_FILE_DAMAGED);

    ASSERT_TRUE(Save({{"one", std::string(5000, 'a')}, {"two", "bb"}}));
    const std::string whole = Bytes();
    for (size_t cut : {whole.size() - 1, whole.size() - 30, whole.size() / 2, size_t(10)})
    {
        Overwrite(whole.substr(0, cut));
        EXPECT_FALSE(package.PackageOpen(package_.c_str())) << cut;
        EXPECT_EQ(OvVirtualFileLastError(), OV_VIRTUAL_FILE_DAMAGED) << cut;
        EXPECT_EQ(package.PackageEntryCount(), 0u);
        EXPECT_EQ(package.name.Length(), 0u);
    }
}

TEST_F(Packages, EntryBytesThatFailTheirChecksAreRefused)
{
    std::string bytes = SaveStored("data.txt", "0123456789");
    PackageInfo package;
    ByteBuffer buffer;

    bytes[bytes.find("0123456789") + 4] = 'X'; // the CRC no longer matches
    Overwrite(bytes);
    ASSERT_TRUE(package.PackageOpen(package_.c_str()));
    EXPECT_FALSE(package.PackageLoad(&buffer, 0));
    EXPECT_EQ(OvVirtualFileLastError(), OV_VIRTUAL_FILE_DAMAGED);

    // A declared size far beyond the ten bytes really there is not believed.
    bytes = SaveStored("data.txt", "0123456789");
    DeclareSize(bytes, 200u << 20);
    Overwrite(bytes);
    ASSERT_TRUE(package.PackageOpen(package_.c_str()));
    EXPECT_FALSE(package.PackageLoad(&buffer, 0));
    EXPECT_EQ(OvVirtualFileLastError(), OV_VIRTUAL_FILE_DAMAGED);

    DeclareSize(bytes, OV_VIRTUAL_FILE_LARGEST + 1);
    Overwrite(bytes);
    EXPECT_FALSE(package.PackageOpen(package_.c_str()));
    EXPECT_NE(OvVirtualFileLastError(), OV_VIRTUAL_FILE_OK);
}

TEST_F(Packages, UnpackWritesOrdinaryNamesAndRefusesNamesThatLeaveTheFolder)
{
    const std::string outside = (folder_ / "outside.txt").string();
    ASSERT_TRUE(Save({{"..name.txt", "ordinary"},
                      {"sub/deep/ok.txt", "deep"},
                      {"../outside.txt", "escape"},
                      {"sub/../../outside.txt", "escape"},
                      {outside, "absolute"},
                      {"..\\outside.txt", "backslash"},
                      {"sub//twice.txt", "empty part"},
                      {"./dot.txt", "dot"}}));
    PackageInfo package;
    ASSERT_TRUE(package.PackageOpen(package_.c_str()));
    ASSERT_EQ(package.PackageEntryCount(), 8u); // names are stored and listed as given
    const std::filesystem::path target = folder_ / "out";

    std::vector<uint32_t> failed;
    EXPECT_EQ(OvCore::PackageUnpack(package, target.c_str(), failed), 2u);
    EXPECT_EQ(failed, (std::vector<uint32_t>{2, 3, 4, 5, 6, 7}));

    ByteBuffer written;
    ASSERT_TRUE(written.LoadFile((target / "..name.txt").c_str()));
    EXPECT_EQ(DataOf(written), "ordinary");
    ASSERT_TRUE(written.LoadFile((target / "sub/deep/ok.txt").c_str()));
    EXPECT_EQ(DataOf(written), "deep");
    EXPECT_FALSE(std::filesystem::exists(outside));
    size_t filesOutside = 0;
    for (const auto& item : std::filesystem::directory_iterator(folder_))
        filesOutside += item.path() != target;
    EXPECT_EQ(filesOutside, 1u); // only the package itself
}

} // namespace
