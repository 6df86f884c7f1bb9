// Vertex buffers on a real context: engine buffers and client memory draw the same pixels,
// indexed or not; creating twice is refused; mapping writes through; the vector helpers
// follow the engine's angle convention.
#include "support/ovt_images.h"
#include "support/window_fixture.h"

#include "app/ov_application.h"
#include "graphics/ov_vector_math.h"
#include "graphics/ov_vertex_buffer.h"

#include <cmath>

using namespace OvCore;
using namespace OvTest;

namespace
{

OV_VERTEX Vertex(float x, float y, float r, float g, float b)
{
    OV_VERTEX vertex;
    vertex.position = OV_VECTOR_F(x, y);
    vertex.colour = OV_VECTOR_F(r, g, b, 1);
    return vertex;
}

// A quad of four corner colours at (x, y), 24 pixels square, as four vertices.
std::vector<OV_VERTEX> Quad(float x, float y)
{
    return {Vertex(x, y, 1, 0, 0), Vertex(x + 24, y, 0, 1, 0), Vertex(x + 24, y + 24, 0, 0, 1),
            Vertex(x, y + 24, 1, 1, 1)};
}

// Engine buffers are drawn by OpenGL and client quads by the engine's batch: the same
// picture up to a unit of rounding in the interpolated colours.
bool SamePicture(const Image& a, const Image& b)
{
    if (a.pixels.size() != b.pixels.size() || a.empty())
        return false;
    for (size_t i = 0; i < a.pixels.size(); ++i)
        if (!Near(a.pixels[i], b.pixels[i], 1))
            return false;
    return true;
}

class VertexBufferTest : public DrawingTest
{
  protected:
    void SetUp() override
    {
        DrawingTest::SetUp();
        OvTextureUnactivate(OV_TEXTURE_2D);
    }
};

TEST_F(VertexBufferTest, BufferedAndClientMeshesDrawTheSamePixels)
{
    if (!OvVertexBufferInit())
        GTEST_SKIP() << "no buffer objects on this context";
    OvMatrixMode(OV_MATRIX_MODELVIEW);
    OvMatrixIdentity();

    // Non-indexed quads, then the same square as two indexed triangles.
    OV_VERTEX_BUFFER buffered;
    OV_VERTEX_BUFFER client;
    const std::vector<OV_VERTEX> quadAt0 = Quad(0, 0);
    const std::vector<OV_VERTEX> quadAt40 = Quad(40, 0);
    ASSERT_TRUE(buffered.Create(OV_PRIMITIVE_QUADS, quadAt0.data(), 4, nullptr, 0, OV_USAGE_DYNAMIC,
                                OV_USAGE_DYNAMIC, false));
    ASSERT_TRUE(client.Create(OV_PRIMITIVE_QUADS, quadAt40.data(), 4, nullptr, 0, OV_USAGE_DYNAMIC,
                              OV_USAGE_DYNAMIC, true));
    EXPECT_TRUE(buffered.IsBuffered());
    EXPECT_FALSE(client.IsBuffered());
    EXPECT_EQ(buffered.VertexCount(), 4u);
    EXPECT_EQ(buffered.IndexCount(), 0u);
    EXPECT_EQ(client.VertexCount(), 4u);
    buffered.Draw();
    client.Draw();
    EXPECT_TRUE(SamePicture(Region(0, 0, 24, 24), Region(40, 0, 24, 24)));
    // Colours interpolated from the corners: red at the top-left, blue at the bottom-right.
    EXPECT_TRUE(Near(PixelAt(0, 0), RED, 12)) << PixelAt(0, 0);
    EXPECT_TRUE(Near(PixelAt(23, 23), BLUE, 12)) << PixelAt(23, 23);
    EXPECT_EQ(PixelAt(24, 12), BLACK);

    const uint32_t indices[6] = {0, 1, 2, 0, 2, 3};
    const std::vector<OV_VERTEX> quadAt48 = Quad(0, 48);
    const std::vector<OV_VERTEX> quadAt88 = Quad(40, 48);
    OV_VERTEX_BUFFER indexed;
    OV_VERTEX_BUFFER indexedClient;
    ASSERT_TRUE(indexed.Create(OV_PRIMITIVE_TRIANGLES, quadAt48.data(), 4, indices, 6,
                               OV_USAGE_STATIC, OV_USAGE_STATIC, false));
    ASSERT_TRUE(indexedClient.Create(OV_PRIMITIVE_TRIANGLES, quadAt88.data(), 4, indices, 6,
                                     OV_USAGE_STATIC, OV_USAGE_STATIC, true));
    EXPECT_EQ(indexed.IndexCount(), 6u);
    EXPECT_EQ(indexedClient.IndexCount(), 6u);
    indexed.Draw();
    indexedClient.Draw();
    EXPECT_TRUE(SamePicture(Region(0, 48, 24, 24), Region(40, 48, 24, 24)));
    EXPECT_TRUE(Near(PixelAt(0, 48), RED, 12)) << PixelAt(0, 48);
    EXPECT_NE(PixelAt(12, 60), BLACK); // both triangles filled
}

TEST_F(VertexBufferTest, CreatingTwiceIsRefusedAndDestroyAllowsItAgain)
{
    if (!OvVertexBufferInit())
        GTEST_SKIP() << "no buffer objects on this context";
    const std::vector<OV_VERTEX> quad = Quad(0, 0);
    OV_VERTEX_BUFFER buffer;
    ASSERT_TRUE(buffer.Create(OV_PRIMITIVE_QUADS, quad.data(), 4, nullptr, 0, OV_USAGE_STATIC,
                              OV_USAGE_STATIC, false));
    const OvHandle first = buffer.handle;
    const std::vector<OV_VERTEX> more = Quad(0, 0);
    EXPECT_FALSE(buffer.Create(OV_PRIMITIVE_TRIANGLES, more.data(), 3, nullptr, 0, OV_USAGE_STATIC,
                               OV_USAGE_STATIC, false));
    EXPECT_EQ(buffer.handle.object, first.object);
    EXPECT_EQ(buffer.mode, 11);
    EXPECT_EQ(buffer.VertexCount(), 4u);

    buffer.Destroy();
    EXPECT_EQ(buffer.handle.object, nullptr);
    EXPECT_FALSE(buffer.IsBuffered());
    buffer.Draw(); // nothing to draw, nothing happens
    EXPECT_TRUE(buffer.Create(OV_PRIMITIVE_QUADS, quad.data(), 4, nullptr, 0, OV_USAGE_STATIC,
                              OV_USAGE_STATIC, false));

    OV_VERTEX_BUFFER moved = std::move(buffer);
    EXPECT_TRUE(moved.IsBuffered());
    EXPECT_EQ(buffer.handle.object, nullptr);
    EXPECT_FALSE(buffer.IsBuffered());
}

TEST_F(VertexBufferTest, MappingChoosesTheAccessCodeAndWritesThrough)
{
    EXPECT_EQ(OV_VERTEX_BUFFER::MapCode(12), OV_MAP_READ_WRITE);
    EXPECT_EQ(OV_VERTEX_BUFFER::MapCode(0), OV_MAP_READ_WRITE);
    EXPECT_EQ(OV_VERTEX_BUFFER::MapCode(4), OV_MAP_WRITE_ONLY);
    EXPECT_EQ(OV_VERTEX_BUFFER::MapCode(8), OV_MAP_READ_ONLY);
    EXPECT_EQ(OV_VERTEX_BUFFER::MapCode(4 | 1), OV_MAP_WRITE_ONLY);
    if (!OvVertexBufferInit())
        GTEST_SKIP() << "no buffer objects on this context";

    const std::vector<OV_VERTEX> quad = Quad(0, 0);
    OV_VERTEX_BUFFER buffer;
    ASSERT_TRUE(buffer.Create(OV_PRIMITIVE_QUADS, quad.data(), 4, nullptr, 0, OV_USAGE_STATIC,
                              OV_USAGE_STATIC, false));
    const auto* read = static_cast<const OV_VERTEX*>(buffer.MapVertices(8));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read[2].position, OV_VECTOR_F(24, 24));
    buffer.UnmapVertices();

    auto* write = static_cast<OV_VERTEX*>(buffer.MapVertices(12));
    ASSERT_NE(write, nullptr);
    for (int i = 0; i < 4; ++i)
        write[i].colour = OV_VECTOR_F(0, 1, 0, 1);
    buffer.UnmapVertices();
    buffer.Draw();
    EXPECT_TRUE(Near(PixelAt(1, 1), GREEN)) << PixelAt(1, 1);
    EXPECT_TRUE(Near(PixelAt(22, 22), GREEN)) << PixelAt(22, 22);
    EXPECT_EQ(buffer.MapIndices(12), nullptr); // there is no index buffer
}

TEST_F(VertexBufferTest, ClientMeshesCopyOrZeroTheirData)
{
    OV_VERTEX_BUFFER mesh;
    EXPECT_FALSE(mesh.Create(OV_PRIMITIVE_TRIANGLES, nullptr, 0, nullptr, 0, OV_USAGE_STATIC,
                             OV_USAGE_STATIC, true));
    ASSERT_TRUE(mesh.Create(OV_PRIMITIVE_TRIANGLES, nullptr, 3, nullptr, 0, OV_USAGE_STATIC,
                            OV_USAGE_STATIC, true));
    EXPECT_EQ(mesh.VertexCount(), 3u);
    EXPECT_EQ(mesh.vertices[1].position, OV_VECTOR_F(0, 0, 0, 1)); // default vertices
    EXPECT_EQ(mesh.vertices[1].colour, OV_VECTOR_F(1, 1, 1, 1));

    // A client mesh may be created again: its arrays are replaced.
    const uint32_t indices[3] = {2, 1, 0};
    const std::vector<OV_VERTEX> quad = Quad(0, 0);
    ASSERT_TRUE(mesh.Create(OV_PRIMITIVE_QUADS, quad.data(), 4, indices, 3, OV_USAGE_STATIC,
                            OV_USAGE_STATIC, true));
    EXPECT_EQ(mesh.VertexCount(), 4u);
    EXPECT_EQ(mesh.IndexCount(), 3u);
    auto* vertices = static_cast<OV_VERTEX*>(mesh.MapVertices(4));
    EXPECT_EQ(vertices, mesh.vertices.data());
    EXPECT_EQ(mesh.MapIndices(8), mesh.indices.data());
    mesh.Destroy();
    EXPECT_EQ(mesh.VertexCount(), 0u);
    EXPECT_EQ(mesh.IndexCount(), 0u);
    mesh.Draw();
    EXPECT_EQ(PixelAt(1, 1), BLACK);
}

TEST_F(VertexBufferTest, ClientIndicesPastTheVerticesRefuseTheDraw)
{
    const std::vector<OV_VERTEX> quad = Quad(0, 0);
    const uint32_t indices[6] = {0, 1, 2, 0, 2, 3};
    OV_VERTEX_BUFFER mesh;
    ASSERT_TRUE(mesh.Create(OV_PRIMITIVE_TRIANGLES, quad.data(), 4, indices, 6, OV_USAGE_STATIC,
                            OV_USAGE_STATIC, true));
    static_cast<uint32_t*>(mesh.MapIndices(4))[5] = 4; // one past the last vertex
    mesh.Draw();
    EXPECT_EQ(PixelAt(12, 12), BLACK);
    mesh.indices[5] = 3;
    mesh.Draw();
    EXPECT_NE(PixelAt(12, 12), BLACK);
}

TEST(VectorMath, LengthdirAndDirectionFollowTheEnginesAngles)
{
    // 0 degrees along +X, 90 along +Y (down the screen).
    const OV_VECTOR east = Lengthdir(OV_VECTOR(0, 0, 0, 0), 10);
    EXPECT_NEAR(east.x, 10, 1e-9);
    EXPECT_NEAR(east.y, 0, 1e-9);
    EXPECT_DOUBLE_EQ(east.w, 1);
    const OV_VECTOR down = Lengthdir(OV_VECTOR(90, 0, 0, 0), 2);
    EXPECT_NEAR(down.x, 0, 1e-9);
    EXPECT_NEAR(down.y, 2, 1e-9);
    const OV_VECTOR up = Lengthdir(OV_VECTOR(0, 90, 0, 0), 3);
    EXPECT_NEAR(up.z, 3, 1e-9);

    const OV_VECTOR from(5, 5, 0, 1);
    for (double angle : {0.0, 45.0, 135.0, 270.0, 359.0})
    {
        const OV_VECTOR step = Lengthdir(OV_VECTOR(angle, 0, 0, 0), 7);
        const OV_VECTOR to(from.x + step.x, from.y + step.y, 0, 1);
        EXPECT_NEAR(Direction(from, to).x, angle, 1e-6) << angle;
        EXPECT_NEAR(Direction(from, to).y, 0, 1e-6) << angle;
    }
}

} // namespace
