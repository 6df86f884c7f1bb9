// The engine's soft-body simulation without a window: a hanging jelly settles and never
// explodes, frame rates do not change where it ends, degenerate springs and masses give no
// NaN, OvDnaDie and OvDnaDestroy own what is linked, and drawing advances by real time.
#include "orvane_core.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

namespace
{

constexpr double STEP = 1.0 / OV_DNA_STEPS_PER_SECOND;

OvHandle Substance(double x, double y, double mass, int32_t solid)
{
    OvHandle h{1, nullptr};
    EXPECT_TRUE(OvSubstanceCreate(&h));
    const double p[4] = {x, y, 0, 1};
    OvSubstanceSetPosition(h, p, 0);
    OvSubstanceSetMass(h, mass);
    OvSubstanceSetSolid(h, solid);
    return h;
}

const double* Position(OvHandle substance)
{
    return static_cast<const double*>(OvSubstanceGet(substance, OV_SUBSTANCE_POSITION));
}

OvHandle Spring(OvHandle a, OvHandle b, double resilience)
{
    OvHandle h{1, nullptr};
    EXPECT_TRUE(OvCovalenceForceCreate(&h));
    OvCovalenceForceSetSubstance(h, OV_FORCE_FIRST, a);
    OvCovalenceForceSetSubstance(h, OV_FORCE_SECOND, b);
    OvCovalenceForceSetResilience(h, resilience);
    const double *p = Position(a), *q = Position(b);
    OvCovalenceForceSetForce(h, std::hypot(q[0] - p[0], q[1] - p[1]));
    return h;
}

// A 4 x 4 jelly of 20-unit cells hanging from its solid top row, springs along the sides and
// both diagonals, its bottom row pushed sideways so that it swings.
struct Jelly
{
    OvHandle dna{1, nullptr};
    std::vector<OvHandle> substances;

    Jelly()
    {
        EXPECT_TRUE(OvDnaCreate(&dna));
        for (int row = 0; row < 4; ++row)
            for (int column = 0; column < 4; ++column)
                substances.push_back(Substance(100 + 20 * column, 100 + 20 * row, 1, row == 0));
        std::vector<OvHandle> springs;
        auto at = [&](int row, int column) { return substances[size_t(row * 4 + column)]; };
        for (int row = 0; row < 4; ++row)
            for (int column = 0; column < 4; ++column)
            {
                if (column < 3)
                    springs.push_back(Spring(at(row, column), at(row, column + 1), 0.5));
                if (row < 3)
                    springs.push_back(Spring(at(row, column), at(row + 1, column), 0.5));
                if (row < 3 && column < 3)
                {
                    springs.push_back(Spring(at(row, column), at(row + 1, column + 1), 0.5));
                    springs.push_back(Spring(at(row, column + 1), at(row + 1, column), 0.5));
                }
            }
        EXPECT_TRUE(OvDnaBirth(dna, int32_t(substances.size()), int32_t(springs.size()), 0));
        for (size_t i = 0; i < substances.size(); ++i)
            EXPECT_TRUE(OvDnaLink(dna, OV_DNA_SUBSTANCES, int32_t(i), substances[i]));
        for (size_t i = 0; i < springs.size(); ++i)
            EXPECT_TRUE(OvDnaLink(dna, OV_DNA_FORCES, int32_t(i), springs[i]));
        for (int column = 0; column < 4; ++column)
        {
            const double* p = Position(at(3, column));
            const double pushed[4] = {p[0] + 15, p[1], 0, 1};
            OvSubstanceSetPosition(at(3, column), pushed, 1); // the push becomes velocity
        }
    }
    ~Jelly() { OvDnaDestroy(dna); }

    // Kinetic plus gravitational energy (gravity 490 downwards, y down), per unit mass.
    double Energy() const
    {
        double energy = 0;
        for (const OvHandle& s : substances)
        {
            const double* p = Position(s);
            const auto* q = static_cast<const double*>(OvSubstanceGet(s, OV_SUBSTANCE_PREVIOUS));
            const double vx = (p[0] - q[0]) / STEP, vy = (p[1] - q[1]) / STEP;
            energy += 0.5 * (vx * vx + vy * vy) - 490 * p[1];
        }
        return energy;
    }
};

TEST(SoftBodyTest, AHangingJellySettlesAndNeverExplodesOverTenThousandSteps)
{
    Jelly jelly;
    double windowPeak = -INFINITY, lastPeak = INFINITY;
    for (int step = 1; step <= 10000; ++step)
    {
        OvDnaAdvance(jelly.dna, STEP);
        windowPeak = std::max(windowPeak, jelly.Energy());
        for (const OvHandle& s : jelly.substances)
        {
            const double* p = Position(s);
            ASSERT_TRUE(std::isfinite(p[0]) && std::isfinite(p[1])) << "step " << step;
            ASSERT_LT(std::hypot(p[0] - 130, p[1] - 130), 150) << "step " << step;
        }
        if (step % 240 == 0) // every two seconds the peak energy is no higher than before
        {
            EXPECT_LE(windowPeak, lastPeak + 1e-6 * std::fabs(lastPeak)) << "step " << step;
            lastPeak = windowPeak;
            windowPeak = -INFINITY;
        }
    }
    // At rest: no substance moves by more than a thousandth of a unit a step.
    for (const OvHandle& s : jelly.substances)
    {
        const double* p = Position(s);
        const auto* q = static_cast<const double*>(OvSubstanceGet(s, OV_SUBSTANCE_PREVIOUS));
        EXPECT_LT(std::hypot(p[0] - q[0], p[1] - q[1]), 1e-3);
    }
}

TEST(SoftBodyTest, ThirtySixtyAndAHundredFortyFourFramesASecondEndInTheSamePlace)
{
    std::vector<std::vector<double>> ends;
    for (const int fps : {30, 60, 144})
    {
        Jelly jelly;
        for (int frame = 0; frame < 3 * fps; ++frame)
            OvDnaAdvance(jelly.dna, 1.0 / fps);
        std::vector<double> end;
        for (const OvHandle& s : jelly.substances)
        {
            end.push_back(Position(s)[0]);
            end.push_back(Position(s)[1]);
        }
        ends.push_back(end);
    }
    for (size_t run = 1; run < ends.size(); ++run)
        for (size_t i = 0; i < ends[0].size(); ++i)
            EXPECT_NEAR(ends[run][i], ends[0][i], 1e-6) << "run " << run << " value " << i;
}

TEST(SoftBodyTest, DegenerateSpringsAndMassesNeverGiveNaN)
{
    OvHandle dna{1, nullptr};
    ASSERT_TRUE(OvDnaCreate(&dna));
    // Coincident ends with rest length 0; a rest length between coincident ends; masses of
    // 0 and below (immovable); a spring between two immovable substances.
    const OvHandle a = Substance(10, 10, 1, 0), b = Substance(10, 10, 1, 0);
    const OvHandle zero = Substance(50, 10, 0, 0), negative = Substance(60, 10, -3, 0);
    const OvHandle c = Substance(50, 30, 1, 0);
    const OvHandle items[] = {a, b, zero, negative, c};
    const OvHandle springs[] = {Spring(a, b, 1), Spring(zero, negative, 1), Spring(zero, c, 1),
                                Spring(negative, c, 1)};
    OvCovalenceForceSetForce(springs[0], 0);
    const OvHandle stretched = Spring(a, b, 1);
    OvCovalenceForceSetForce(stretched, 5);
    ASSERT_TRUE(OvDnaBirth(dna, 5, 5, 0));
    for (int i = 0; i < 5; ++i)
        OvDnaLink(dna, OV_DNA_SUBSTANCES, i, items[i]);
    for (int i = 0; i < 4; ++i)
        OvDnaLink(dna, OV_DNA_FORCES, i, springs[i]);
    OvDnaLink(dna, OV_DNA_FORCES, 4, stretched);
    const double nan[4] = {NAN, 0, 0, 1};
    OvSubstanceSetPosition(c, nan, 0); // refused
    OvSubstanceSetMass(c, NAN);        // refused
    OvDnaAdvance(dna, 2.0);
    for (const OvHandle& s : items)
        for (int i = 0; i < 4; ++i)
            EXPECT_TRUE(std::isfinite(Position(s)[i]));
    EXPECT_DOUBLE_EQ(Position(zero)[1], 10); // immovable
    EXPECT_DOUBLE_EQ(Position(negative)[0], 60);
    OvDnaDestroy(dna);
}

TEST(SoftBodyTest, DieUnlinksOrDestroysAndDestroyTakesWhatIsLinked)
{
    OvHandle dna{1, nullptr};
    ASSERT_TRUE(OvDnaCreate(&dna));
    const OvHandle kept = Substance(0, 0, 1, 0);
    ASSERT_TRUE(OvDnaBirth(dna, 1, 0, 0));
    ASSERT_TRUE(OvDnaLink(dna, OV_DNA_SUBSTANCES, 0, kept));
    EXPECT_FALSE(OvDnaLink(dna, OV_DNA_SUBSTANCES, 1, kept)); // beyond the slots
    EXPECT_FALSE(OvDnaBirth(dna, -1, 0, 0));
    EXPECT_FALSE(OvDnaBirth(dna, OV_DNA_MAX_ITEMS + 1, 0, 0));
    EXPECT_EQ(OvDnaCount(dna, OV_DNA_PAIR), 2);
    EXPECT_EQ(OvDnaGet(dna, OV_DNA_SUBSTANCES, 0)[0].object, kept.object);

    OvDnaDie(dna, 0);
    EXPECT_EQ(OvDnaCount(dna, OV_DNA_SUBSTANCES), 0);
    EXPECT_NE(Position(kept), nullptr); // unlinked, still alive

    ASSERT_TRUE(OvDnaBirth(dna, 1, 0, 0));
    OvDnaLink(dna, OV_DNA_SUBSTANCES, 0, kept);
    OvDnaDie(dna, 1);
    EXPECT_EQ(Position(kept), nullptr); // destroyed with the slots

    const OvHandle owned = Substance(0, 0, 1, 0);
    OvDnaBirth(dna, 1, 0, 0);
    OvDnaLink(dna, OV_DNA_SUBSTANCES, 0, owned);
    OvDnaDestroy(dna);
    EXPECT_EQ(Position(owned), nullptr);
    EXPECT_EQ(OvDnaCount(dna, OV_DNA_SUBSTANCES), 0);
}

TEST(SoftBodyTest, DrawingAdvancesByTheTimeSinceTheLastAdvance)
{
    OvHandle dna{1, nullptr};
    ASSERT_TRUE(OvDnaCreate(&dna));
    const OvHandle falling = Substance(0, 0, 1, 0);
    OvDnaBirth(dna, 1, 0, 0);
    OvDnaLink(dna, OV_DNA_SUBSTANCES, 0, falling);
    OvDnaDraw(dna); // the first draw starts the clock
    EXPECT_DOUBLE_EQ(Position(falling)[1], 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    OvDnaDraw(dna);
    EXPECT_GT(Position(falling)[1], 0.5); // fallen under gravity
    OvDnaDestroy(dna);
}

} // namespace
