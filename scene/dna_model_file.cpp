#include "scene/dna_model_file.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace OvCore
{

namespace
{

// The non-empty lines of a text, one at a time.
class Lines
{
  public:
    Lines(const char* text, size_t length) : rest_(text, length) {}

    bool Next(std::string_view& line)
    {
        while (!rest_.empty() && IsBreak(rest_.front()))
            rest_.remove_prefix(1);
        if (rest_.empty())
            return false;
        size_t end = 0;
        while (end < rest_.size() && !IsBreak(rest_[end]))
            ++end;
        line = rest_.substr(0, end);
        rest_.remove_prefix(end);
        return true;
    }

    // An upper bound of the lines left: every line takes at least two bytes but the last.
    size_t MostLinesLeft() const { return rest_.size() / 2 + 1; }

  private:
    static bool IsBreak(char c) { return c == '\r' || c == '\n'; }
    std::string_view rest_;
};

std::string_view Trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

bool ParseReal(std::string_view line, double& value)
{
    std::string_view s = Trimmed(line);
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    if (s.empty())
        return false;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    return error == std::errc() && end == s.data() + s.size() && std::isfinite(value);
}

class Reader
{
  public:
    Reader(const char* text, size_t length) : lines_(text, length) {}

    bool Text(std::string& value)
    {
        std::string_view line;
        if (!lines_.Next(line))
            return false;
        value.assign(line);
        return true;
    }

    bool Real(double& value)
    {
        std::string_view line;
        return lines_.Next(line) && ParseReal(line, value);
    }

    // A value truncated to an integer in [0, limit).
    bool Index(int32_t& value, size_t limit)
    {
        double real = 0;
        if (!Real(real) || !(real > -1.0) || !(std::trunc(real) < double(limit)))
            return false;
        value = int32_t(std::trunc(real));
        return true;
    }

    // A whole number of groups of `linesEach` lines that the rest of the text can hold.
    bool Count(int32_t& value, size_t linesEach)
    {
        std::string_view line;
        if (!lines_.Next(line))
            return false;
        const std::string_view s = Trimmed(line);
        const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
        return error == std::errc() && end == s.data() + s.size() && !s.empty() && value >= 0 &&
               value <= DNA_MODEL_FILE::MAX_COUNT &&
               size_t(value) * linesEach <= lines_.MostLinesLeft();
    }

    bool Flag(bool& value)
    {
        double real = 0;
        if (!Real(real))
            return false;
        value = real != 0;
        return true;
    }

    Lines& lines() { return lines_; }

  private:
    Lines lines_;
};

bool ReadSubstances(Reader& in, DNA_MODEL_FILE& model)
{
    int32_t count = 0;
    if (!in.Count(count, 5))
        return false;
    model.substances.resize(size_t(count));
    for (auto& s : model.substances)
    {
        double solid = 0;
        if (!in.Real(s.x) || !in.Real(s.y) || !in.Real(s.mass) || !in.Real(s.range) ||
            !in.Real(solid) || !(std::fabs(solid) < 2147483648.0))
            return false;
        s.solid = int32_t(std::trunc(solid));
    }
    return true;
}

bool ReadSurfaces(Reader& in, DNA_MODEL_FILE& model)
{
    int32_t count = 0;
    if (!in.Count(count, 10))
        return false;
    model.surfaces.resize(size_t(count));
    for (auto& f : model.surfaces)
    {
        for (int32_t& corner : f.corners)
            if (!in.Index(corner, model.substances.size()))
                return false;
        for (double& uv : f.uv)
            if (!in.Real(uv))
                return false;
        if (!in.Text(f.texture))
            return false;
    }
    return true;
}

bool ReadForces(Reader& in, DNA_MODEL_FILE& model)
{
    int32_t count = 0;
    if (!in.Count(count, 3))
        return false;
    model.forces.resize(size_t(count));
    for (auto& k : model.forces)
        if (!in.Index(k.ends[0], model.substances.size()) ||
            !in.Index(k.ends[1], model.substances.size()) || !in.Real(k.resilience))
            return false;
    return true;
}

bool ReadAttachments(Reader& in, DNA_MODEL_FILE& model)
{
    int32_t count = 0;
    if (!in.Count(count, 8))
        return false;
    model.attachments.resize(size_t(count));
    for (auto& b : model.attachments)
        if (!in.Text(b.texture) || !in.Real(b.left) || !in.Real(b.top) || !in.Real(b.right) ||
            !in.Real(b.bottom) || !in.Index(b.force, model.forces.size()) || !in.Flag(b.reverse) ||
            !in.Flag(b.stretch))
            return false;
    return true;
}

bool ReadHeader(Lines& lines)
{
    std::string_view magic, version;
    return lines.Next(magic) && magic == "envboxmodel2d" && lines.Next(version) && version == "2";
}

} // namespace

bool IsDnaModelHeader(const char* text, size_t length)
{
    if (!text || length == 0 || length > DNA_MODEL_FILE::MAX_BYTES)
        return false;
    Lines lines(text, length);
    return ReadHeader(lines);
}

bool ReadDnaModel(const char* text, size_t length, DNA_MODEL_FILE& model)
{
    model = DNA_MODEL_FILE();
    if (!IsDnaModelHeader(text, length))
        return false;
    Reader in(text, length);
    const bool read = ReadHeader(in.lines()) && ReadSubstances(in, model) &&
                      ReadSurfaces(in, model) && ReadForces(in, model) &&
                      ReadAttachments(in, model);
    if (!read)
        model = DNA_MODEL_FILE();
    return read;
}

} // namespace OvCore
