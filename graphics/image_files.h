// Ordinary image files (PNG, BMP, JPEG, TGA, GIF: whatever the platform's GDI+ decoders read)
// into engine textures, and textures back out to a file in a format chosen by name. Used by
// OV_SPRITE::LoadFromImageFiles, OV_FONT::LoadImage and programs that save screenshots.
// GDI+ is started and shut down around every single image.
#pragma once

#include "orvane_core.h"
#include "platform/gdiplus.h"

#include <cstdint>

namespace OvCore
{

// Decodes the file at `path` into `texture` (already made with OvTextureCreate), which is
// left active; the engine's byte result: 0 for a missing, undecodable or oversized file.
uint8_t LoadImageTexture(OvHandle texture, const char* path);

// Writes `texture` to `path` with the encoder for the MIME type "image/<format>" ("png",
// "bmp", "jpeg", "tga"). False when the texture cannot be locked or is empty, the format has
// no encoder, or the file cannot be written.
bool SaveTextureImage(OvHandle texture, const char* path, const char* format);

// The bottom-left width x height pixels of the active render target, saved upright as an
// image file (as SaveTextureImage): how a program takes a screenshot of its window.
bool SaveRenderImage(int32_t width, int32_t height, const char* path, const char* format);

// The index of the first encoder whose MIME type is exactly `mimeType`, with its class id
// copied into `classId`; -1 when there is none. Needs GDI+ started.
int32_t FindEncoder(const WCHAR* mimeType, CLSID* classId);

} // namespace OvCore
