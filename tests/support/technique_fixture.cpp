#include "support/technique_fixture.h"

#include "graphics/ov_shapes.h"

#include <vector>

namespace OvTest
{

RectArrays::RectArrays(double x, double y, double width, double height)
    : corners{{x, y}, {x + width, y}, {x + width, y + height}, {x, y + height}}, coords{{0, 0},
                                                                                        {1, 0},
                                                                                        {1, 1},
                                                                                        {0, 1}}
{
}

void FillRect(double x0, double y0, double x1, double y1, double r, double g, double b)
{
    OvCore::OV_RECTANGLE rectangle;
    rectangle.filled = 1;
    rectangle.corner1 = OvCore::OV_VECTOR(x0, y0);
    rectangle.corner2 = OvCore::OV_VECTOR(x1, y1);
    for (OvCore::OV_VECTOR& colour : rectangle.colors)
        colour = OvCore::OV_VECTOR(r, g, b, 1);
    rectangle.Draw(OvCore::OV_VECTOR(0, 0), true);
}

void TechniqueTest::SetUpTestSuite()
{
    DrawingTest::SetUpTestSuite();
    registered = OvCore::RegisterDefinitions();
}

void TechniqueTest::SetUp()
{
    DrawingTest::SetUp();
    ASSERT_TRUE(registered) << OvMentaroLastError();
}

void TechniqueTest::TearDown()
{
    technique.Free();
    scene = nullptr;
    DrawingTest::TearDown();
}

void TechniqueTest::RunScene()
{
    if (scene)
        scene();
}

int32_t TechniqueTest::Run(const std::string& source, std::initializer_list<void*> slots)
{
    EXPECT_TRUE(technique.Compile(source.data(), uint32_t(source.size())))
        << OvMentaroLastError() << "\n"
        << source;
    const std::vector<void*> array(slots);
    return technique.Execute(array.data(), uint32_t(array.size()));
}

} // namespace OvTest
