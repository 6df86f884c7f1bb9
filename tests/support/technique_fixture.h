// Technique tests on the suite window: the command set registered once, scripts compiled and
// run with host slots, a scene routine for EXECUTE, quads for RECT and filled rectangles.
#pragma once

#include "support/window_fixture.h"

#include "core/ov_vector.h"
#include "graphics/ov_technique.h"

#include <functional>
#include <initializer_list>
#include <string>

namespace OvTest
{

// The corners of a rectangle clockwise from the top-left and the whole texture over it
// ((0, 0) at the top-left), as RECT reads them.
struct RectArrays
{
    OvCore::OV_VECTOR corners[4];
    OvCore::OV_VECTOR coords[4];
    RectArrays(double x, double y, double width, double height);
};

// A filled rectangle in the current projection's units.
void FillRect(double x0, double y0, double x1, double y1, double r, double g, double b);

class TechniqueTest : public DrawingTest
{
  protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Compiles `source` into `technique` (a failure fails the test) and runs it with the
    // host slots given; returns the number of commands run.
    int32_t Run(const std::string& source, std::initializer_list<void*> slots);

    // What EXECUTE $n calls when slot n holds SCENE: the test's `scene`.
    static inline std::function<void()> scene;
    static void RunScene();
    static inline void (*SCENE)() = RunScene;

    OvCore::OV_TECHNIQUE technique;
    static inline bool registered = false;
};

} // namespace OvTest
