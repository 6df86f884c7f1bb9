// Textures: loading (.ovt files, encoded images, raw pixels), copies from the render
// target, activation, parameters and pixel locks.
#include <fstream>
#include <iterator>

#include "api/guard.h"
#include "base/destroy.h"
#include "base/engine.h"
#include "gl/gl_texture.h"
#include "image/image_decode.h"
#include "orvane_core.h"

using namespace ov;

namespace
{

Texture* findTexture(const OvHandle& handle)
{
    return engine().textures.find(handle);
}

void activateTexture(Texture& texture)
{
    Engine& e = engine();
    e.activeTextures[e.activeUnit] = &texture;
    e.renderer.setTexture(e.activeUnit, texture.name);
}

bool ensureName(Texture& texture)
{
    Engine& e = engine();
    if (texture.name != 0)
        return true;
    texture.name = gl::createTexture(e.renderer);
    for (int unit = 0; unit < gl::kTextureUnits; ++unit)
        if (e.activeTextures[unit] == &texture) // activated before it had pixels
            e.renderer.setTexture(unit, texture.name);
    return texture.name != 0;
}

// Replaces the texture's pixels; a locked texture cannot be reloaded.
bool store(Texture& texture, int32_t width, int32_t height, const void* pixels)
{
    if (texture.locked || !ensureName(texture) ||
        !gl::uploadTexture(engine().renderer, texture.name, width, height, pixels))
        return false;
    texture.width = width;
    texture.height = height;
    return true;
}

bool storeImage(Texture& texture, const std::optional<ovt::Image>& image, uint8_t flags)
{
    if (!image ||
        !store(texture, int32_t(image->width), int32_t(image->height), image->pixels.data()))
        return false;
    if (flags & 1)
        activateTexture(texture);
    return true;
}

std::optional<std::vector<uint8_t>> readFile(const char* path)
{
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file)
        return std::nullopt;
    const std::streamoff length = file.tellg();
    if (length < 0 || uint64_t(length) > kMaxEncodedImage)
        return std::nullopt;
    std::vector<uint8_t> bytes(static_cast<size_t>(length));
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(bytes.data()), length))
        return std::nullopt;
    return bytes;
}

} // namespace

extern "C"
{

    OV_API uint8_t OvTextureCreate(OvHandle* out)
    {
        return guard(uint8_t(0),
                     [&]() -> uint8_t
                     {
                         if (!out || findTexture(*out))
                             return 0;
                         auto texture = std::make_unique<Texture>();
                         Texture* raw = texture.get();
                         const OvHandle handle = engine().textures.add(texture);
                         if (handleIsEmpty(handle))
                             return 0;
                         raw->handle = handle.object;
                         *out = handle;
                         return 1;
                     });
    }

    OV_API void OvTextureDestroy(OvHandle handle)
    {
        guard(
            [&]
            {
                if (auto texture = engine().textures.remove(handle))
                    releaseTexture(*texture);
            });
    }

    OV_API uint8_t OvTextureLoad(OvHandle handle, const char* path, uint8_t flags)
    {
        return guard(uint8_t(0),
                     [&]() -> uint8_t
                     {
                         Texture* texture = findTexture(handle);
                         if (!texture || !path)
                             return 0;
                         const auto bytes = readFile(path);
                         return bytes &&
                                        storeImage(*texture,
                                                   decodeImage(bytes->data(), bytes->size()), flags)
                                    ? 1
                                    : 0;
                     });
    }

    OV_API uint8_t OvTextureLoadFromMemory(OvHandle handle, const void* data, uint8_t flags,
                                           size_t size)
    {
        return guard(uint8_t(0),
                     [&]() -> uint8_t
                     {
                         Texture* texture = findTexture(handle);
                         const auto* bytes = static_cast<const uint8_t*>(data);
                         if (!texture || !bytes)
                             return 0;
                         if (size == 0)
                         {
                             const auto length = encodedLength(bytes);
                             if (!length)
                                 return 0;
                             size = *length;
                         }
                         return storeImage(*texture, decodeImage(bytes, size), flags) ? 1 : 0;
                     });
    }

    OV_API uint8_t OvTextureLoadRGBAFromMemory(OvHandle handle, const void* pixels, int32_t width,
                                               int32_t height)
    {
        return guard(uint8_t(0),
                     [&]() -> uint8_t
                     {
                         Texture* texture = findTexture(handle);
                         if (!texture || !pixels || !store(*texture, width, height, pixels))
                             return 0;
                         activateTexture(*texture);
                         return 1;
                     });
    }

    OV_API uint8_t OvTextureLoadEmpty(OvHandle handle, int32_t width, int32_t height, uint8_t flags)
    {
        return guard(uint8_t(0),
                     [&]() -> uint8_t
                     {
                         Texture* texture = findTexture(handle);
                         if (!texture || !store(*texture, width, height, nullptr))
                             return 0;
                         if (flags & 1)
                             activateTexture(*texture);
                         return 1;
                     });
    }

    OV_API uint8_t OvTextureFromRender(OvHandle handle, int32_t x, int32_t y, int32_t width,
                                       int32_t height, uint8_t flags)
    {
        return guard(uint8_t(0),
                     [&]() -> uint8_t
                     {
                         Texture* texture = findTexture(handle);
                         const bool allocate = flags & 1;
                         if (!texture || texture->locked || !engine().activeTarget ||
                             !ensureName(*texture))
                             return 0;
                         if (!allocate && (width > texture->width || height > texture->height))
                             return 0;
                         if (!gl::copyFromRender(engine().renderer, texture->name, x, y, width,
                                                 height, allocate))
                             return 0;
                         if (allocate)
                         {
                             texture->width = width;
                             texture->height = height;
                         }
                         activateTexture(*texture);
                         return 1;
                     });
    }

    OV_API void OvTextureActivate(OvHandle handle)
    {
        guard(
            [&]
            {
                Engine& e = engine();
                // Drawing the same texture again is the common case: no lookup needed, since a
                // destroyed texture is never left in activeTextures (and its id never comes back).
                const Texture* active = e.activeTextures[e.activeUnit];
                if (active && active->handle == handle.object && !handleIsEmpty(handle))
                    return;
                if (Texture* texture = findTexture(handle))
                    activateTexture(*texture);
            });
    }

    OV_API void OvTextureUnactivate(int32_t target)
    {
        guard(
            [&]
            {
                Engine& e = engine();
                if (target != 58)
                    return;
                e.activeTextures[e.activeUnit] = nullptr;
                e.renderer.setTexture(e.activeUnit, 0);
            });
    }

    OV_API void OvTextureParameter(int32_t name, float value)
    {
        guard(
            [&]
            {
                Engine& e = engine();
                Texture* texture = e.activeTextures[e.activeUnit];
                if (texture && texture->name)
                    gl::setTextureParameter(e.renderer, texture->name, name, value);
            });
    }

    OV_API void* OvTextureGet(OvHandle handle, int32_t query)
    {
        return guard(static_cast<void*>(nullptr),
                     [&]() -> void*
                     {
                         Texture* texture = findTexture(handle);
                         if (!texture)
                             return nullptr;
                         switch (query)
                         {
                         case 258:
                             return &texture->width;
                         case 259:
                             return &texture->height;
                         case 261:
                             texture->lockedBytes = texture->width * texture->height * 4;
                             return &texture->lockedBytes;
                         default:
                             return nullptr;
                         }
                     });
    }

    OV_API void* OvTextureLock(OvHandle handle, int32_t mode)
    {
        return guard(
            static_cast<void*>(nullptr),
            [&]() -> void*
            {
                Texture* texture = findTexture(handle);
                if (!texture || texture->name == 0 || texture->width <= 0 || texture->height <= 0)
                    return nullptr;
                if (texture->locked)
                    return texture->lockPixels.data();
                texture->lockPixels.resize(size_t(texture->width) * size_t(texture->height) * 4);
                if (!gl::readTexture(engine().renderer, texture->name, texture->lockPixels.data()))
                {
                    texture->lockPixels = {};
                    return nullptr;
                }
                texture->locked = true;
                texture->lockReadOnly = mode == 1;
                texture->lockedBytes = int32_t(texture->lockPixels.size());
                return texture->lockPixels.data();
            });
    }

    OV_API void OvTextureUnlock(OvHandle handle, int32_t flags)
    {
        guard(
            [&]
            {
                Texture* texture = findTexture(handle);
                if (!texture || !texture->locked)
                    return;
                texture->locked = false;
                if ((flags & 1) && !texture->lockReadOnly)
                    gl::uploadTexture(engine().renderer, texture->name, texture->width,
                                      texture->height, texture->lockPixels.data());
                texture->lockPixels = {};
            });
    }

    OV_API void OvTextureUnit(int32_t unit)
    {
        guard(
            [&]
            {
                if (unit >= 0 && unit < gl::kTextureUnits)
                    engine().activeUnit = unit;
            });
    }

} // extern "C"
