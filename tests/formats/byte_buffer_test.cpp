#include "formats/byte_buffer.h"

#include <gtest/gtest.h>

#include "support/scratch_folder.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

using OvCore::ByteBuffer;
using OvCore::OV_STRING;

namespace
{

class ByteBufferFiles : public ::testing::Test
{
  protected:
    std::string PathOf(const char* name) const { return (folder_ / name).string(); }
    static std::string Contents(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static void Create(const std::string& path, const std::string& bytes)
    {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    OvTest::ScratchFolder scratch_{"ovbuf"};
    const std::filesystem::path folder_ = scratch_.Path();
};

std::string DataOf(const ByteBuffer& buffer)
{
    return std::string(reinterpret_cast<const char*>(buffer.start), buffer.count);
}

} // namespace

TEST(ByteBuffer, WriteSetsTheExactEnd)
{
    ByteBuffer buffer;
    ASSERT_TRUE(buffer.InitWithCapacity(100));
    EXPECT_EQ(buffer.Write("0123456789", 10), 10u);
    EXPECT_EQ(buffer.capacity, 10u);
    EXPECT_EQ(buffer.count, 10u);
    EXPECT_EQ(buffer.Position(), 10u);

    // Writing in the middle cuts the data at the written end.
    buffer.Seek(2, false, false);
    EXPECT_EQ(buffer.Write("ab", 2), 2u);
    EXPECT_EQ(DataOf(buffer), "01ab");
    EXPECT_EQ(buffer.capacity, 4u);

    EXPECT_EQ(buffer.WriteString("xy", true), 3u);
    EXPECT_EQ(buffer.count, 7u);
    EXPECT_EQ(std::memcmp(buffer.start, "01abxy", 7), 0);
    EXPECT_EQ(buffer.WriteString(nullptr, true), 0u);
    EXPECT_EQ(buffer.Write(nullptr, 5), 0u);
}

TEST(ByteBuffer, GrowsByWholeSteps)
{
    ByteBuffer buffer;
    buffer.growStep = 64;
    uint8_t block[64] = {};
    EXPECT_EQ(buffer.Write(block, 64), 64u);
    EXPECT_EQ(buffer.capacity, 64u);
    EXPECT_EQ(buffer.Write("z", 1), 1u);
    EXPECT_EQ(buffer.capacity, 128u);
    EXPECT_EQ(buffer.count, 65u);
    EXPECT_EQ(*buffer.ByteAt(64), 'z');

    uint8_t many[200] = {};
    EXPECT_EQ(buffer.Write(many, 200), 200u);
    EXPECT_EQ(buffer.capacity, 320u); // 128 + 3 steps reach 265

    buffer.Seek(0, false, false);
    EXPECT_EQ(buffer.Write("a", 1), 1u); // large enough: the block keeps its size
    EXPECT_EQ(buffer.capacity, 320u);
    EXPECT_EQ(buffer.count, 1u);
}

TEST(ByteBuffer, WriteFromItsOwnBlock)
{
    ByteBuffer buffer;
    buffer.Write("abcdef", 6);
    // The source lies in the block that this write reallocates.
    EXPECT_EQ(buffer.Write(buffer.start, 6), 6u);
    EXPECT_EQ(DataOf(buffer), "abcdefabcdef");
}

TEST(ByteBuffer, ReadsStopAtTheEnd)
{
    ByteBuffer buffer;
    buffer.Write("one\0two\0tail", 12);
    buffer.Seek(0, false, false);

    char bytes[8] = {};
    EXPECT_EQ(buffer.Read(bytes, 3), 3u);
    EXPECT_EQ(std::string(bytes, 3), "one");

    OV_STRING text;
    buffer.Seek(0, false, false);
    EXPECT_EQ(buffer.ReadString(text, true), 4u);
    EXPECT_EQ(text, "one");
    EXPECT_EQ(buffer.ReadString(text, true), 4u);
    EXPECT_EQ(text, "two");
    EXPECT_EQ(buffer.ReadString(text, true), 5u); // ends at count, no terminator
    EXPECT_EQ(text, "tail");
    EXPECT_EQ(buffer.Position(), 12u);
    EXPECT_TRUE(buffer.AtEnd());
    EXPECT_EQ(buffer.ReadString(text, true), 0u); // nothing left: no endless loop
    EXPECT_EQ(text, "");

    EXPECT_EQ(buffer.Read(bytes, 8), 0u);
    EXPECT_EQ(buffer.Position(), 12u);

    buffer.Seek(4, false, true);
    EXPECT_EQ(buffer.ReadString(text, false), 4u);
    EXPECT_EQ(text, "tail");
    buffer.Seek(6, false, true);
    EXPECT_EQ(buffer.Read(bytes, sizeof bytes), 6u); // bounded by count, not the request
}

TEST(ByteBuffer, SeekClamps)
{
    ByteBuffer buffer;
    buffer.Write("abc", 3);
    EXPECT_EQ(buffer.Seek(5, false, true), 0u); // count - min(5, 3)
    EXPECT_EQ(buffer.Seek(1, false, true), 2u);
    EXPECT_EQ(buffer.Seek(10, false, false), 3u);
    EXPECT_EQ(buffer.Seek(2, true, true), 1u);
    EXPECT_EQ(buffer.Seek(7, true, true), 0u);
    EXPECT_EQ(buffer.Seek(1, true, false), 1u);
    EXPECT_EQ(buffer.Seek(0xFFFFFFFF, true, false), 3u);

    buffer.Resize(16); // a larger block: seeking still stops at count
    EXPECT_EQ(buffer.Seek(10, false, false), 3u);

    ByteBuffer empty;
    EXPECT_EQ(empty.Seek(4, true, false), 0u);
    EXPECT_TRUE(empty.AtEnd());
}

TEST(ByteBuffer, ByteAtOutOfRangeIsScratch)
{
    ByteBuffer buffer;
    buffer.Write("abc", 3);
    *buffer.ByteAt(1) = 'B';
    EXPECT_EQ(DataOf(buffer), "aBc");

    uint8_t* outside = buffer.ByteAt(buffer.capacity);
    EXPECT_EQ(outside, &buffer.scratch);
    *outside = 'Z';
    EXPECT_EQ(DataOf(buffer), "aBc");
    EXPECT_EQ(buffer.ByteAt(0xFFFFFFFF), &buffer.scratch);

    ByteBuffer empty;
    EXPECT_EQ(empty.ByteAt(0), &empty.scratch);
    EXPECT_EQ(empty.Data(false), nullptr);
}

TEST(ByteBuffer, ResizeKeepsBytesFromAnOffset)
{
    ByteBuffer buffer;
    buffer.Write("0123456789", 10);
    ASSERT_TRUE(buffer.Resize(4, 3));
    EXPECT_EQ(buffer.capacity, 4u);
    EXPECT_EQ(buffer.Position(), 0u);
    EXPECT_EQ(DataOf(buffer), "3456");

    ASSERT_TRUE(buffer.Resize(8, 2)); // only two old bytes lie past the offset
    EXPECT_EQ(buffer.capacity, 8u);
    EXPECT_EQ(DataOf(buffer), "56");

    ASSERT_TRUE(buffer.Resize(3, 100)); // an offset past the block copies nothing
    EXPECT_EQ(buffer.count, 0u);

    ASSERT_TRUE(buffer.Resize(0));
    EXPECT_EQ(buffer.capacity, 0u);
    EXPECT_EQ(buffer.start, nullptr);
}

TEST(ByteBuffer, HugeRequestsSucceedOrFailCleanly)
{
    ByteBuffer buffer;
    buffer.Write("keep", 4);
    if (buffer.Resize(0xFFFFFFFF))
    {
        EXPECT_EQ(buffer.capacity, 0xFFFFFFFFu);
        EXPECT_EQ(std::memcmp(buffer.start, "keep", 4), 0);
        buffer.Resize(4);
    }
    else
    {
        EXPECT_EQ(DataOf(buffer), "keep"); // unchanged
    }

    // A write whose end would pass 4 GiB is refused outright.
    buffer.Seek(4, false, false);
    EXPECT_EQ(buffer.Write("x", 0xFFFFFFFF), 0u);
    EXPECT_EQ(buffer.count, 4u);
}

TEST(ByteBuffer, BorrowedBlocksAreNeverFreed)
{
    auto* foreign = static_cast<uint8_t*>(std::malloc(8));
    std::memcpy(foreign, "borrowed", 8);
    {
        ByteBuffer buffer;
        buffer.start = buffer.cursor = foreign;
        buffer.capacity = buffer.count = 8;
        buffer.borrowed = 1;
        buffer.Seek(0, false, true);
        EXPECT_EQ(buffer.Write("!", 1), 1u); // reallocation copies out of the foreign block
        EXPECT_NE(buffer.start, foreign);
        EXPECT_EQ(buffer.borrowed, 0);
        EXPECT_EQ(DataOf(buffer), "borrowed!");
    }
    EXPECT_EQ(std::memcmp(foreign, "borrowed", 8), 0); // still alive (ASan would object)

    ByteBuffer view;
    view.start = view.cursor = foreign;
    view.capacity = view.count = 8;
    view.borrowed = 1;
    view.Destroy();
    EXPECT_EQ(view.start, nullptr);
    EXPECT_EQ(view.count, 0u);
    std::free(foreign);
}

TEST(ByteBuffer, MoveTransfersTheBlock)
{
    ByteBuffer source;
    source.Write("abc", 3);
    ByteBuffer target(std::move(source));
    EXPECT_EQ(source.start, nullptr);
    EXPECT_EQ(DataOf(target), "abc");

    ByteBuffer other;
    other.Write("zz", 2);
    other = std::move(target);
    EXPECT_EQ(DataOf(other), "abc");
    EXPECT_EQ(target.capacity, 0u);
}

TEST_F(ByteBufferFiles, SaveLoadAppendAndSize)
{
    const std::string path = PathOf("data.bin");
    ByteBuffer buffer;
    buffer.Write("hello\0world", 11);
    ASSERT_TRUE(buffer.SaveFile(path.c_str()));
    EXPECT_EQ(Contents(path), std::string("hello\0world", 11));
    EXPECT_EQ(buffer.FileSize(path.c_str()), 11u);
    EXPECT_EQ(buffer.FileSize(nullptr), 11u);

    ASSERT_TRUE(buffer.AppendFile(path.c_str()));
    EXPECT_EQ(buffer.FileSize(path.c_str()), 22u);

    ByteBuffer loaded;
    ASSERT_TRUE(loaded.LoadFile(path.c_str(), 6, 5));
    EXPECT_EQ(DataOf(loaded), "world");
    ASSERT_TRUE(loaded.LoadFile(path.c_str(), 20, 0)); // length 0: the file's size, 2 left
    EXPECT_EQ(loaded.capacity, 22u);
    EXPECT_EQ(DataOf(loaded), "ld");

    ASSERT_TRUE(buffer.SaveFile(path.c_str(), 0, 5)); // length caps what is written
    EXPECT_EQ(Contents(path), "hello");
    ASSERT_TRUE(buffer.SaveFile(path.c_str(), 3, 0)); // offset: a hole of zeros first
    EXPECT_EQ(Contents(path), std::string("\0\0\0hello\0world", 14));
}

TEST_F(ByteBufferFiles, EmptyAndMissingFiles)
{
    const std::string empty = PathOf("empty.bin");
    Create(empty, "");
    ByteBuffer buffer;
    buffer.Write("old", 3);
    ASSERT_TRUE(buffer.LoadFile(empty.c_str()));
    EXPECT_EQ(buffer.count, 0u);
    EXPECT_EQ(buffer.capacity, 0u);
    EXPECT_TRUE(buffer.AtEnd());
    EXPECT_EQ(buffer.FileSize(empty.c_str()), 0u);

    // Saving an empty buffer makes an empty file.
    const std::string saved = PathOf("saved.bin");
    ASSERT_TRUE(buffer.SaveFile(saved.c_str()));
    EXPECT_TRUE(std::filesystem::exists(saved));
    EXPECT_EQ(Contents(saved), "");

    const std::string missing = PathOf("no/such/file");
    EXPECT_FALSE(buffer.LoadFile(missing.c_str()));
    EXPECT_FALSE(buffer.SaveFile(missing.c_str()));
    EXPECT_FALSE(buffer.AppendFile(missing.c_str()));
    EXPECT_EQ(buffer.FileSize(missing.c_str()), 0u);
    EXPECT_FALSE(buffer.LoadFile(nullptr));
    EXPECT_FALSE(buffer.LoadFile(folder_.c_str())); // a folder is not a file
}
