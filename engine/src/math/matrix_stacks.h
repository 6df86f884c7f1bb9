// The projection (264) and model-view (265) matrix stacks, kept on the CPU so that small
// draws are transformed here and batched. Each stack holds at most kMaxDepth matrices;
// pushing beyond that is refused and counted, and as many pops are refused with it, so the
// caller's pushes and pops stay paired; popping the last matrix is refused.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "math/mat4.h"

namespace ov
{

enum class MatrixMode
{
    Projection,
    ModelView
};

class MatrixStacks
{
  public:
    static constexpr size_t kMaxDepth = 256;

    MatrixStacks();
    void reset();

    MatrixMode mode() const { return mode_; }
    bool setModeCode(int32_t code); // 264 or 265; false for other codes
    Mat4& current() { return stack(mode_).back(); }
    const Mat4& projection() const { return projection_.back(); }
    const Mat4& modelView() const { return modelView_.back(); }
    Mat4& top(MatrixMode mode) { return stack(mode).back(); }

    bool push();
    bool pop();

  private:
    std::vector<Mat4>& stack(MatrixMode mode)
    {
        return mode == MatrixMode::Projection ? projection_ : modelView_;
    }

    MatrixMode mode_ = MatrixMode::ModelView;
    size_t& refused(MatrixMode mode)
    {
        return mode == MatrixMode::Projection ? refusedProjection_ : refusedModelView_;
    }

    std::vector<Mat4> projection_;
    std::vector<Mat4> modelView_;
    size_t refusedProjection_ = 0; // pushes refused at the limit, waiting for their pops
    size_t refusedModelView_ = 0;
};

std::optional<MatrixMode> matrixModeFromCode(int32_t code);

} // namespace ov
