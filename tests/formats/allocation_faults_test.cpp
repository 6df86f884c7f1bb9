// Loaders and savers of the formats layer when the next big allocation fails: each reports
// the failure by its value, nothing throws past it, and the caller's buffer and the file
// on disk keep what they held.
#include <filesystem>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "formats/byte_buffer.h"
#include "formats/markup.h"
#include "formats/package.h"
#include "support/failing_allocation.h"
#include "support/save_faults.h"

using OvCore::ByteBuffer;
using OvTest::FAILING_ALLOCATION;

namespace
{

constexpr size_t kBig = 1024 * 1024;         // what counts as a big allocation
constexpr uint32_t kLarge = 4 * 1024 * 1024; // a file well above it

std::string Text(const ByteBuffer& buffer)
{
    return std::string(reinterpret_cast<const char*>(buffer.start), buffer.count);
}

ByteBuffer Holding(const std::string& bytes)
{
    ByteBuffer buffer;
    buffer.Write(bytes.data(), uint32_t(bytes.size()));
    return buffer;
}

class AllocationFaults : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        folder_ = std::filesystem::temp_directory_path() /
                  ("ovalloc-" + std::to_string(getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder_);
        path_ = (folder_ / "file").string();
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::filesystem::path folder_;
    std::string path_;
};

TEST_F(AllocationFaults, ByteBuffersKeepTheirBytesWhenTheyCannotGrow)
{
    OvTest::WriteFileBytes(path_, std::string(kLarge, 'f'));
    ByteBuffer buffer = Holding("previous");
    {
        const FAILING_ALLOCATION trap(kBig);
        EXPECT_FALSE(buffer.LoadFile(path_.c_str()));
        EXPECT_TRUE(trap.Failed());
    }
    EXPECT_EQ("previous", Text(buffer));

    const std::string large(2 * kBig, 'l');
    {
        const FAILING_ALLOCATION trap(kBig);
        EXPECT_EQ(0u, buffer.Write(large.data(), uint32_t(large.size())));
        EXPECT_TRUE(trap.Failed());
    }
    EXPECT_EQ("previous", Text(buffer));

    // Bytes taken from the buffer itself are copied aside first: that copy may fail too.
    buffer = Holding(large);
    {
        const FAILING_ALLOCATION trap(kBig);
        EXPECT_EQ(0u, buffer.Write(buffer.start, buffer.count));
        EXPECT_TRUE(trap.Failed());
    }
    EXPECT_EQ(large, Text(buffer));
}

TEST_F(AllocationFaults, MarkupIsReadAndWrittenWholeOrNotAtAll)
{
    OvCore::MARKUP_NODE document;
    ASSERT_TRUE(document.Parse("<Old a=\"1\" />", 14));
    // Elements, then a text too large for memory: the elements read before it go again.
    const std::string text = "<A /><B><C /></B>" + std::string(kBig + kBig / 2, 't');
    for (unsigned pass : {0u, 1u})
    {
        const FAILING_ALLOCATION trap(kBig, pass);
        EXPECT_FALSE(document.Parse(text.data(), text.size())) << pass;
        EXPECT_TRUE(trap.Failed()) << pass;
    }
    ASSERT_EQ(1u, document.children.size());
    EXPECT_EQ(document.children.front().name, "Old");

    // A document whose text is too large for memory writes nothing.
    document.AppendChild().text = std::string(2 * kBig, 'w').c_str();
    ByteBuffer written = Holding("previous");
    OvCore::OV_STRING node("previous");
    {
        const FAILING_ALLOCATION trap(kBig);
        EXPECT_FALSE(document.Write(written));
        EXPECT_TRUE(trap.Failed());
    }
    {
        const FAILING_ALLOCATION trap(kBig, 1);
        EXPECT_FALSE(OvCore::MARKUP_NODE::WriteNode(node, document.children.back(), 0));
        EXPECT_TRUE(trap.Failed());
    }
    EXPECT_EQ("previous", Text(written));
    EXPECT_EQ(node, "previous");
}

TEST_F(AllocationFaults, PackagesFailToLoadOrSaveAndKeepWhatWasThere)
{
    const ByteBuffer entry = Holding(std::string(kLarge, 'e'));
    const OvCore::PackageFile file{"entry", &entry};
    ASSERT_TRUE(OvCore::PackageInfo::PackageSave(path_.c_str(), &file, 1));
    const std::string package = OvTest::FileBytes(path_);

    OvCore::PackageInfo info;
    ASSERT_TRUE(info.PackageOpen(path_.c_str()));
    ByteBuffer loaded = Holding("previous");
    EXPECT_GT(OvTest::FailEachBigAllocation(
                  kBig, [&] { return info.PackageLoad(&loaded, 0); },
                  [&] { EXPECT_EQ("previous", Text(loaded)); }),
              0);
    const ByteBuffer other = Holding(std::string(kLarge, 'o'));
    const OvCore::PackageFile replacement{"entry", &other};
    EXPECT_GT(OvTest::FailEachBigAllocation(
                  kBig,
                  [&] { return OvCore::PackageInfo::PackageSave(path_.c_str(), &replacement, 1); },
                  [&]
                  {
                      EXPECT_TRUE(package == OvTest::FileBytes(path_));
                      OvTest::ExpectFolderHoldsOnly(folder_.string(), path_);
                  }),
              0);
}

} // namespace
