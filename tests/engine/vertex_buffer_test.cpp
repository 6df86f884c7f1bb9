// Vertex buffers on a real window: the same mesh drawn from engine buffers and from client
// memory gives the same pixels; creating twice, maps and out-of-range draws.
#include "gl_fixture.h"

#include <cstring>

using namespace enginetest;

namespace
{

// Two triangles forming a square with a colour per corner, at (2, 2) - (22, 22).
std::vector<Vertex> Mesh()
{
    const auto quad = Quad(2, 2, 20, 20, {1, 1, 1, 1});
    const float colours[4][4] = {{1, 0, 0, 1}, {0, 1, 0, 1}, {0, 0, 1, 1}, {1, 1, 0, 1}};
    std::vector<Vertex> mesh;
    for (int corner : {0, 1, 2, 0, 2, 3})
    {
        Vertex v = quad[corner];
        std::memcpy(&v.red, colours[corner], sizeof colours[corner]);
        mesh.push_back(v);
    }
    return mesh;
}

void DrawBuffered(int32_t mode, int32_t count, bool indexed)
{
    OvDrawData(mode, 0, count, nullptr, nullptr, nullptr, nullptr, nullptr,
               OV_DRAW_BUFFERED | (indexed ? OV_DRAW_INDEXED : 0), OV_VALUE_FLOAT, 60, 60, 60, 60,
               4, 4, 4, 15, 44, 16, 0, 32);
}

} // namespace

class VertexBufferTest : public GlTest
{
  protected:
    void ExpectSameHalves()
    {
        const auto left = ReadRegion(0, 0, 30, kHeight);
        const auto right = ReadRegion(30, 0, 30, kHeight);
        ASSERT_FALSE(left.empty());
        ASSERT_EQ(left.pixels.size(), right.pixels.size());
        int different = 0;
        for (size_t i = 0; i < left.pixels.size(); ++i)
            different += !NearColour(left.pixels[i], right.pixels[i]);
        EXPECT_EQ(different, 0);
        EXPECT_TRUE(NearColour(PixelAt(3, 3), {255, 0, 0, 255}, 40)); // drawn at all
    }
};

TEST_F(VertexBufferTest, BufferedAndClientDrawsGiveTheSamePixels)
{
    ASSERT_TRUE(OvVertexBufferInit());
    const auto mesh = Mesh();
    OvHandle buffer{1, nullptr};
    ASSERT_TRUE(OvVertexBufferCreate(&buffer, uint32_t(mesh.size() * 60), mesh.data(), 454, 0,
                                     nullptr, 454));
    EXPECT_EQ(OvVertexBufferSize(buffer, 452), mesh.size() * 60);
    EXPECT_FALSE(OvVertexBufferHasBuffer(buffer, 453));
    OvVertexBufferUnactivate(452);
    OvVertexBufferUnactivate(453);

    OvVertexBufferActivate(buffer, 452);
    DrawBuffered(8, 6, false);
    OvVertexBufferUnactivate(452);
    OvMatrixPush();
    OvMatrixTranslate(30, 0, 0);
    OvDrawDataStruct(8, 0, 6, mesh.data(), nullptr);
    OvMatrixPop();
    ExpectSameHalves();
    OvVertexBufferDestroy(buffer);
}

TEST_F(VertexBufferTest, IndexedBufferedAndClientDrawsGiveTheSamePixels)
{
    const auto quad = Quad(2, 2, 20, 20, {0, 0, 1, 1});
    const uint32_t indices[6] = {0, 1, 2, 0, 2, 3};
    OvHandle buffer{1, nullptr};
    ASSERT_TRUE(
        OvVertexBufferCreate(&buffer, 4 * 60, quad.data(), 454, sizeof indices, indices, 454));
    EXPECT_TRUE(OvVertexBufferHasBuffer(buffer, 453));
    OvMatrixPush();
    OvMatrixRotate(0, 0, 0, 1);
    DrawBuffered(8, 6, true);
    OvMatrixTranslate(30, 0, 0);
    OvDrawDataStruct(8, 0, 6, quad.data(), indices);
    OvMatrixPop();
    const auto left = ReadRegion(0, 0, 30, kHeight);
    const auto right = ReadRegion(30, 0, 30, kHeight);
    ASSERT_FALSE(left.empty());
    EXPECT_EQ(left.pixels, right.pixels);
    EXPECT_TRUE(NearColour(PixelAt(10, 10), {0, 0, 255, 255}));
    OvVertexBufferDestroy(buffer);
}

TEST_F(VertexBufferTest, CreatingTwiceMapsAndOutOfRangeDraws)
{
    const auto mesh = Mesh();
    OvHandle buffer{1, nullptr};
    ASSERT_TRUE(OvVertexBufferCreate(&buffer, uint32_t(mesh.size() * 60), mesh.data(), 454, 0,
                                     nullptr, 454));
    const OvHandle first = buffer;
    EXPECT_FALSE(OvVertexBufferCreate(&buffer, 60, mesh.data(), 454, 0, nullptr, 454));
    EXPECT_EQ(buffer.object, first.object);
    OvHandle empty{1, nullptr};
    EXPECT_FALSE(OvVertexBufferCreate(&empty, 0, nullptr, 454, 0, nullptr, 454));

    // Drawing past the end of the buffer, or while it is mapped, draws nothing.
    OvVertexBufferActivate(buffer, 452);
    const uint64_t before = DrawCalls();
    DrawBuffered(8, 9, false);
    auto* mapped = static_cast<Vertex*>(OvVertexBufferMap(452, 464));
    ASSERT_NE(mapped, nullptr);
    EXPECT_EQ(OvVertexBufferMap(452, 464), nullptr); // already mapped
    DrawBuffered(8, 6, false);
    EXPECT_EQ(DrawCalls(), before);
    for (int i = 0; i < 6; ++i)
        mapped[i].x += 30;
    EXPECT_TRUE(OvVertexBufferUnmap(452));
    EXPECT_FALSE(OvVertexBufferUnmap(452));
    EXPECT_EQ(OvVertexBufferMap(452, 999), nullptr);
    DrawBuffered(8, 6, false);
    EXPECT_EQ(DrawCalls(), before + 1);
    EXPECT_TRUE(NearColour(PixelAt(33, 3), {255, 0, 0, 255}, 40));

    // An index beyond the vertices is refused, whether given at creation or written later.
    const uint32_t bad[3] = {0, 1, 7};
    OvHandle indexed{1, nullptr};
    ASSERT_TRUE(OvVertexBufferCreate(&indexed, 6 * 60, mesh.data(), 454, sizeof bad, bad, 454));
    DrawBuffered(8, 3, true);
    EXPECT_EQ(DrawCalls(), before + 1);
    auto* writable = static_cast<uint32_t*>(OvVertexBufferMap(453, 464));
    ASSERT_NE(writable, nullptr);
    writable[2] = 2;
    EXPECT_TRUE(OvVertexBufferUnmap(453));
    DrawBuffered(8, 3, true);
    EXPECT_EQ(DrawCalls(), before + 2);
    // Over client arrays, indices read past the end of the index buffer are refused too.
    OvVertexBufferUnactivate(452);
    const char* client = reinterpret_cast<const char*>(mesh.data());
    for (int32_t count : {4, 3})
        OvDrawData(8, 0, count, client + 44, client + 16, client, nullptr, nullptr, OV_DRAW_INDEXED,
                   OV_VALUE_FLOAT, 60, 60, 60);
    EXPECT_EQ(DrawCalls(), before + 3);
    OvVertexBufferDestroy(indexed);
    OvVertexBufferDestroy(buffer);
    DrawBuffered(8, 6, false); // nothing active any more
    EXPECT_EQ(DrawCalls(), before + 3);
}
