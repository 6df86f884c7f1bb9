#include "graphics/ov_font.h"

#include "graphics/image_files.h"
#include "graphics/ov_vector_math.h"

#include <algorithm>
#include <new>
#include <string>
#include <utility>

namespace OvCore
{

namespace
{

constexpr uint8_t LOAD_FLAGS = 1; // leave the new texture active

constexpr OvHandle EMPTY_HANDLE{1, nullptr};

// OvGenerateFont reads the descriptor as it is.
static_assert(sizeof(FONT_DESCRIPTOR) == OV_FONT_DESCRIPTOR_BYTES);

bool IsEmpty(OvHandle handle)
{
    return (handle.flags & 0xFFu) != 0 || handle.object == nullptr;
}

double EngineDouble(int32_t state)
{
    const auto* value = static_cast<const double*>(OvGetState(state));
    return value ? *value : 0;
}

// The grid font's metrics, read once per measurement.
struct GridMetrics
{
    double advance = EngineDouble(OV_STATE_GLYPH_WIDTH) + EngineDouble(OV_STATE_LETTER_SPACING);
    double lineHeight = EngineDouble(OV_STATE_GLYPH_HEIGHT) + EngineDouble(OV_STATE_LINE_SPACING);
};

// The transform every drawing of text starts with; the caller's transform still applies.
void PushTransform(const OV_VECTOR& position, const OV_VECTOR& scale, const OV_VECTOR& rotation)
{
    PushPlacement(position, rotation, scale, false);
}

} // namespace

OV_FONT::OV_FONT(OV_FONT&& other) noexcept
{
    *this = std::move(other);
}

OV_FONT& OV_FONT::operator=(OV_FONT&& other) noexcept
{
    if (this == &other)
        return *this;
    Unload();
    loaded = std::exchange(other.loaded, 0);
    verticalAlign = other.verticalAlign;
    horizontalAlign = other.horizontalAlign;
    texture = std::exchange(other.texture, EMPTY_HANDLE);
    displayList = std::exchange(other.displayList, EMPTY_HANDLE);
    descriptor = std::move(other.descriptor);
    return *this;
}

OV_FONT::~OV_FONT()
{
    Unload();
}

// ---- Loading --------------------------------------------------------------------------------

template <class LoadTexture, class ReadDescriptor>
bool OV_FONT::LoadWith(char lineBreak, int32_t minFilter, int32_t magFilter,
                       LoadTexture&& loadTexture, bool withDescriptor,
                       ReadDescriptor&& readDescriptor)
{
    Unload();
    OvSetState(OV_STATE_LINE_BREAK, static_cast<unsigned char>(lineBreak));
    if (!OvTextureCreate(&texture))
    {
        texture = EMPTY_HANDLE;
        return false;
    }
    if (!loadTexture(texture))
    {
        ReleaseTexture();
        return false;
    }
    OvTextureParameter(OV_TEXTURE_MIN_FILTER, static_cast<float>(minFilter));
    OvTextureParameter(OV_TEXTURE_MAG_FILTER, static_cast<float>(magFilter));
    OvTextureUnactivate(OV_TEXTURE_2D);
    if (withDescriptor)
    {
        descriptor.reset(new (std::nothrow) FONT_DESCRIPTOR());
        // Measuring and splitting then break lines where the engine's list does.
        if (descriptor)
            descriptor->lineBreak = lineBreak;
        if (!descriptor || !readDescriptor(*descriptor))
        {
            descriptor.reset();
            ReleaseTexture();
            return false;
        }
    }
    if (!OvGenerateFont(&displayList, descriptor.get()))
        return false;
    loaded = 1;
    return true;
}

bool OV_FONT::Load(const char* texturePath, const char* descriptorPath, char lineBreak,
                   int32_t minFilter, int32_t magFilter)
{
    if (!texturePath)
        return false;
    return LoadWith(
        lineBreak, minFilter, magFilter,
        [&](OvHandle handle) { return OvTextureLoad(handle, texturePath, LOAD_FLAGS) != 0; },
        descriptorPath != nullptr,
        [&](FONT_DESCRIPTOR& read) { return ReadDescriptor(read, descriptorPath); });
}

bool OV_FONT::LoadFromMemory(const void* image, const char* descriptorText,
                             uint32_t descriptorLength, char lineBreak, int32_t minFilter,
                             int32_t magFilter, size_t imageSize)
{
    if (!image)
        return false;
    return LoadWith(
        lineBreak, minFilter, magFilter,
        [&](OvHandle handle)
        { return OvTextureLoadFromMemory(handle, image, LOAD_FLAGS, imageSize) != 0; },
        descriptorText != nullptr && descriptorLength != 0,
        [&](FONT_DESCRIPTOR& read)
        { return ParseDescriptor(read, descriptorText, descriptorLength); });
}

bool OV_FONT::LoadImage(const char* imagePath, const char* descriptorPath, char lineBreak,
                        int32_t minFilter, int32_t magFilter)
{
    if (!imagePath)
        return false;
    return LoadWith(
        lineBreak, minFilter, magFilter,
        [&](OvHandle handle) { return LoadImageTexture(handle, imagePath) != 0; },
        descriptorPath != nullptr,
        [&](FONT_DESCRIPTOR& read) { return ReadDescriptor(read, descriptorPath); });
}

void OV_FONT::ReleaseTexture()
{
    if (!IsEmpty(texture))
        OvTextureDestroy(texture);
    texture = EMPTY_HANDLE;
}

void OV_FONT::Unload()
{
    // Also after a load whose display list failed: the texture it kept is released too.
    loaded = 0;
    ReleaseTexture();
    if (!IsEmpty(displayList))
        OvDisplaylistDestroy(displayList);
    displayList = EMPTY_HANDLE;
    descriptor.reset();
}

// ---- Measuring ------------------------------------------------------------------------------

unsigned char OV_FONT::LineBreak() const
{
    if (descriptor)
        return static_cast<unsigned char>(descriptor->lineBreak);
    const auto* code = static_cast<const int32_t*>(OvGetState(OV_STATE_LINE_BREAK));
    return code ? static_cast<unsigned char>(*code) : '\n';
}

OV_VECTOR OV_FONT::Measure(const char* text) const
{
    return text ? MeasureText(text) : OV_VECTOR(0, 0, 0, 1);
}

OV_VECTOR OV_FONT::MeasureText(std::string_view text) const
{
    const unsigned char lineBreak = LineBreak();
    const GridMetrics grid = descriptor ? GridMetrics{0, 0} : GridMetrics{};
    OV_VECTOR result(0, 0, 0, 1);
    double lineWidth = 0, lineHeight = 0;
    const auto closeLine = [&]
    {
        result.x = std::max(result.x, lineWidth);
        result.y += lineHeight;
        lineWidth = lineHeight = 0;
    };
    for (const char character : text)
    {
        const auto code = static_cast<unsigned char>(character);
        if (code == lineBreak)
            closeLine();
        else if (descriptor)
        {
            lineWidth += double{descriptor->glyphs[code].xadvance} + descriptor->letterSpacing;
            lineHeight = double{descriptor->lineHeight} + descriptor->lineSpacing;
        }
        else
        {
            lineWidth += grid.advance;
            lineHeight = std::max(lineHeight, grid.lineHeight);
        }
    }
    closeLine();
    return result;
}

// ---- Drawing --------------------------------------------------------------------------------

void OV_FONT::DrawLine(std::string_view line, const OV_VECTOR& position, const OV_VECTOR& scale,
                       const OV_VECTOR& rotation, double x, double y) const
{
    const std::string text(line); // the engine reads up to a terminator
    PushTransform(position, scale, rotation);
    OvMatrixTranslate(x, y, 0);
    OvTextureActivate(texture);
    OvDrawFont(displayList, text.c_str());
    OvMatrixPop();
}

void OV_FONT::Draw(const char* text, const OV_VECTOR& position, const OV_VECTOR& scale,
                   const OV_VECTOR& rotation) const
{
    if (!text || IsEmpty(texture) || IsEmpty(displayList))
        return;
    if (verticalAlign == ALIGN_TOP && horizontalAlign == ALIGN_LEFT)
    {
        PushTransform(position, scale, rotation);
        OvTextureActivate(texture);
        OvDrawFont(displayList, text);
        OvMatrixPop();
        return;
    }
    const std::string_view whole(text);
    const char lineBreak = static_cast<char>(LineBreak());
    const auto lines = static_cast<double>(std::count(whole.begin(), whole.end(), lineBreak) + 1);
    size_t start = 0;
    for (double i = 0; start <= whole.size(); ++i)
    {
        const size_t end = std::min(whole.find(lineBreak, start), whole.size());
        const std::string_view line = whole.substr(start, end - start);
        const OV_VECTOR size = MeasureText(line);
        const double h = size.y;
        const double y = verticalAlign == ALIGN_TOP      ? i * h
                         : verticalAlign == ALIGN_MIDDLE ? i * h - h * lines / 2
                                                         : i * h - h * lines;
        const double x = horizontalAlign == ALIGN_LEFT     ? 0
                         : horizontalAlign == ALIGN_CENTRE ? -size.x / 2
                                                           : -size.x;
        DrawLine(line, position, scale, rotation, x, y);
        start = end + 1;
    }
}

} // namespace OvCore
