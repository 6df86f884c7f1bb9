// OV_CANVAS, an off-screen picture (an engine frame buffer) that is drawn into under a camera
// of its own and then used as a texture; held in the application's canvas registry
// (Application().canvases) and destroyed with it. Technique scripts switch canvases with
// their CANVAS command and draw them with RECT CANVAS.
#pragma once

#include "orvane_core.h"

#include <cstdint>

namespace OvCore
{

// An off-screen picture drawn under its own camera and then used as a texture.
class OV_CANVAS
{
  public:
    OvHandle handle{1, nullptr};     // the engine frame buffer; empty until Create
    double savedProjection[16] = {}; // the projection Activate found, put back by Deactivate

    OV_CANVAS() = default;
    OV_CANVAS(const OV_CANVAS&) = delete; // the canvas owns its frame buffer
    OV_CANVAS& operator=(const OV_CANVAS&) = delete;
    ~OV_CANVAS() { Destroy(); }

    // A frame buffer of that size with a texture of its own; `format` and `flag` go to the
    // engine as they are (format 0 or 1: RGBA8; flag bit 0: sampled pixel for pixel, nearest
    // instead of linear). False for sizes the device refuses, or when the canvas already holds
    // a frame buffer.
    bool Create(int32_t width, int32_t height, int32_t format, int32_t flag);
    // A frame buffer drawing into an existing texture, which stays the caller's.
    bool CreateFromTexture(OvHandle texture, int32_t flag);
    // Destroys the frame buffer and its own texture (a swapped-in one stays the caller's).
    void Destroy();

    // Draws go into the canvas under an orthographic camera over it: y down from the top-left
    // (0, 0, width, height), or with flipY y up (0, height, width, -height), which stores the
    // picture so that it draws back upright. The projection in use is saved first. False when
    // the engine refuses (no frame buffer, no active render target...).
    bool Activate(bool flipY);
    // Back to what was drawn into before, with mipmaps built when asked, and the projection
    // Activate saved. A canvas that was not activated leaves the projection as it is.
    void Deactivate(bool mipmap);
    // The canvas's picture becomes the current texture.
    void BindTexture() const;

    int32_t Width() const;      // 0 without a frame buffer
    int32_t Height() const;     // 0 without a frame buffer
    OvHandle TextureOf() const; // the texture drawn into; empty without a frame buffer
    // Draws into `texture` (one with pixels) from now on, at its size; it stays the caller's.
    // False while the canvas is active, or for a texture without pixels or locked.
    bool SwapTexture(OvHandle texture);
    // Whether the engine can draw into this canvas on the active render target now.
    bool UseFBO() const;

  private:
    bool projectionSaved_ = false;
};

} // namespace OvCore
