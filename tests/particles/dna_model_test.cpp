// Soft-body model files: the header and version test, rest lengths from the file's
// positions, placement and scales, the refusals of hostile files (indices past their counts,
// absurd counts, non-numbers, NaN and infinities), reloads; attachments drawn on a real
// window, stretched and reversed.
#include "support/ovt_images.h"
#include "support/window_fixture.h"

#include "scene/dna_model_file.h"
#include "scene/ov_dna_model.h"

#include <string>

using namespace OvCore;
using namespace OvTest;

namespace
{

// "envboxmodel2d", "2", then the given lines.
std::string Model(const std::string& body)
{
    return "envboxmodel2d\n2\n" + body;
}

// Two solid substances at (x1, y1) and (x2, y2), no surface, one spring, and the given
// attachment section.
std::string TwoSubstances(double x1, double y1, double x2, double y2,
                          const std::string& attachments = "0\n")
{
    auto substance = [](double x, double y)
    { return std::to_string(x) + "\n" + std::to_string(y) + "\n1\n0\n1\n"; };
    return Model("2\n" + substance(x1, y1) + substance(x2, y2) + "0\n1\n0\n1\n1\n" + attachments);
}

bool Loads(OV_DNA_MODEL& model, const std::string& text)
{
    return model.Load(text.data(), text.size(), nullptr, nullptr, OV_VECTOR(1, 1), 1, 1, 1);
}

double RestLength(const OV_DNA_MODEL& model, int32_t force)
{
    return *static_cast<const double*>(
        OvCovalenceForceGet(model.Get(OV_DNA_FORCES)[force], OV_FORCE_LENGTH));
}

class DnaModelTest : public DrawingTest
{
  protected:
    void SetUp() override
    {
        DrawingTest::SetUp();
        model.Reset();
    }
    OV_DNA_MODEL model;
};

TEST_F(DnaModelTest, RestLengthsComeFromTheFilePositionsAfterPlacement)
{
    ASSERT_TRUE(Loads(model, TwoSubstances(0, 0, 3, 4)));
    EXPECT_EQ(model.Count(OV_DNA_SUBSTANCES), 2);
    EXPECT_EQ(model.Count(OV_DNA_FORCES), 1);
    EXPECT_DOUBLE_EQ(RestLength(model, 0), 5);

    const OV_DNA_PLACEMENT doubled = [](const OV_VECTOR& p)
    { return OV_VECTOR(p.x * 2 + 10, p.y * 2, p.z, p.w); };
    const std::string text = TwoSubstances(0, 0, 3, 4);
    ASSERT_TRUE(
        model.Load(text.data(), text.size(), nullptr, &doubled, OV_VECTOR(1, 1), 2, 1, 0.5));
    EXPECT_EQ(model.Count(OV_DNA_SUBSTANCES), 2); // replaced, not added to
    EXPECT_DOUBLE_EQ(RestLength(model, 0), 10);
    const OvHandle first = model.Get(OV_DNA_SUBSTANCES)[0];
    EXPECT_DOUBLE_EQ(static_cast<const double*>(OvSubstanceGet(first, OV_SUBSTANCE_POSITION))[0],
                     10);
    EXPECT_DOUBLE_EQ(*static_cast<const double*>(OvSubstanceGet(first, OV_SUBSTANCE_MASS)), 2);
}

TEST_F(DnaModelTest, HostileFilesAreRefusedAndCreateNothing)
{
    const std::string good = TwoSubstances(0, 0, 3, 4);
    const std::string refused[] = {
        "",
        "envboxmodel2d\n",
        "envboxmodel2d\n1\n0\n0\n0\n0\n",              // version 1
        "envboxmodel\n2\n0\n0\n0\n0\n",                // wrong type
        Model("2\n0\n0\n1\n0\n1\n3\n4\n1\n0\n1\n"),    // ends early
        Model("1\n0\n0\n1\n0\n1\n0\n1\n0\n1\n1\n0\n"), // force end 1 of 1 substance
        Model("1\n0\n0\n1\n0\n1\n1\n0\n0\n1\n0\n0\n0\n0\n0\n0\n0\ntex\n0\n0\n"), // corner 1
        TwoSubstances(0, 0, 3, 4, "1\ntex\n0\n0\n1\n1\n1\n0\n0\n"),              // force 1 of 1
        TwoSubstances(0, 0, 3, 4, "1\ntex\n0\n0\n1\n1\n-1\n0\n0\n"),             // force -1
        Model("2000000000\n"),                                                   // absurd count
        Model("40000\n0\n0\n1\n0\n1\n"), // more groups than lines
        Model("-1\n"),
        Model("1.5\n0\n0\n1\n0\n1\n0\n0\n0\n"), // a count must be whole
        Model("1\nabc\n0\n1\n0\n1\n0\n0\n0\n"), // not a number
        Model("1\nnan\n0\n1\n0\n1\n0\n0\n0\n"),
        Model("1\n0\ninf\n1\n0\n1\n0\n0\n0\n"),
        Model("1\n0\n1e999\n1\n0\n1\n0\n0\n0\n"),
        Model("1\n0\n0x10\n1\n0\n1\n0\n0\n0\n"),
    };
    for (const std::string& text : refused)
    {
        DNA_MODEL_FILE file;
        EXPECT_FALSE(ReadDnaModel(text.data(), text.size(), file)) << text;
        ASSERT_TRUE(Loads(model, good));
        EXPECT_FALSE(Loads(model, text)) << text;
        EXPECT_EQ(model.Count(OV_DNA_SUBSTANCES), 2) << "a refusal keeps the body: " << text;
    }
    OV_REGISTRY<OV_SPRITE> sprites;
    const std::string version1 = "envboxmodel2d\n1\n0\n0\n0\n0\n";
    EXPECT_FALSE(model.Preload(version1.data(), version1.size(), ".", sprites));
    EXPECT_TRUE(sprites.IsEmpty());

    OV_DNA_MODEL empty; // no DNA until Reset
    EXPECT_FALSE(Loads(empty, good));
    // CR, LF and CRLF line ends; spaces around numbers.
    const std::string crlf = "envboxmodel2d\r\n2\r\n1\r 5 \n6\n1\n0\n0\n0\n0\n0\n";
    EXPECT_TRUE(Loads(model, crlf));
}

TEST_F(DnaModelTest, AttachmentsStretchToTheSpringAndReverseFromItsSecondEnd)
{
    OV_REGISTRY<OV_SPRITE> sprites;
    ASSERT_TRUE(LoadImages(*sprites.Get("white"), {Image(4, 4, WHITE)}));
    // A spring from (20, 40) to (60, 40); the quad reaches 2 behind the anchor, 2 above and
    // 2 below the spring, and 8 along it unless stretched.
    auto draw = [&](const char* reverse, const char* stretch, double y)
    {
        const std::string attachment =
            std::string("1\nwhite\n2\n2\n10\n4\n0\n") + reverse + "\n" + stretch + "\n";
        const std::string text = TwoSubstances(20, y, 60, y, attachment);
        ASSERT_TRUE(
            model.Load(text.data(), text.size(), &sprites, nullptr, OV_VECTOR(1, 1), 1, 1, 1));
        model.Draw();
    };
    draw("0", "0", 10);
    EXPECT_EQ(PixelAt(18, 10), WHITE);
    EXPECT_EQ(PixelAt(27, 10), WHITE);
    EXPECT_EQ(PixelAt(29, 10), BLACK); // right - left = 8 along the spring
    draw("0", "1", 30);
    EXPECT_EQ(PixelAt(18, 30), WHITE);
    EXPECT_EQ(PixelAt(59, 30), WHITE); // to the full spring length, whatever right says
    EXPECT_EQ(PixelAt(61, 30), BLACK);
    draw("1", "1", 50);
    EXPECT_EQ(PixelAt(61, 50), WHITE); // anchored at the second end, 2 behind it
    EXPECT_EQ(PixelAt(21, 50), WHITE);
    EXPECT_EQ(PixelAt(17, 50), BLACK);
    EXPECT_NEAR(model.attachments[0].angle.x, 180, 1e-9);
}

} // namespace
