#include "math/matrix_stacks.h"

namespace ov
{

MatrixStacks::MatrixStacks()
{
    reset();
}

void MatrixStacks::reset()
{
    mode_ = MatrixMode::ModelView;
    projection_.assign(1, Mat4{});
    modelView_.assign(1, Mat4{});
    projection_.reserve(kMaxDepth);
    modelView_.reserve(kMaxDepth);
    refusedProjection_ = refusedModelView_ = 0;
}

std::optional<MatrixMode> matrixModeFromCode(int32_t code)
{
    if (code == 264)
        return MatrixMode::Projection;
    if (code == 265)
        return MatrixMode::ModelView;
    return std::nullopt;
}

bool MatrixStacks::setModeCode(int32_t code)
{
    const auto mode = matrixModeFromCode(code);
    if (mode)
        mode_ = *mode;
    return mode.has_value();
}

bool MatrixStacks::push()
{
    auto& s = stack(mode_);
    if (s.size() >= kMaxDepth)
    {
        ++refused(mode_);
        return false;
    }
    s.push_back(s.back());
    return true;
}

bool MatrixStacks::pop()
{
    auto& s = stack(mode_);
    if (size_t& pending = refused(mode_); pending > 0)
    {
        --pending; // the pop of a refused push
        return false;
    }
    if (s.size() <= 1)
        return false;
    s.pop_back();
    return true;
}

} // namespace ov
