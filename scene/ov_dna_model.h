// OV_DNA_MODEL, a soft body built in the engine's simulation (a DNA of substances, covalence
// forces and surfaces) from an "envboxmodel2d" model file, with attachments: sprites drawn
// along a spring and turned with it, so limbs and decorations follow the body. Drawing
// advances the simulation (docs/particles.md). The scene keeps models by name in
// Application().softBodies and draws them after the actors.
#pragma once

#include "core/ov_registry.h"
#include "core/ov_vector.h"
#include "graphics/ov_sprite.h"
#include "orvane_core.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace OvCore
{

// A sprite frame drawn along one spring of the body, turned with it.
struct OV_DNA_ATTACHMENT
{
    OvHandle texture{1, nullptr}; // the frame drawn; empty: the attachment is not drawn
    OvHandle* force = nullptr;    // a slot of the DNA's force array
    // The quad about the anchor in pixels: x from -left to right - left along the spring (to
    // its length with `stretch`), y from -top to bottom - top across it.
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    uint8_t reverse = 0; // anchored at the spring's second substance
    uint8_t stretch = 0; // the quad reaches exactly to the spring's other end
    OV_VECTOR angle;     // the direction found by the last Draw
};

// Maps a position read from a model file to where the substance is placed.
using OV_DNA_PLACEMENT = std::function<OV_VECTOR(const OV_VECTOR&)>;

// A soft body: the engine DNA built from a model file, and the sprites attached to it.
class OV_DNA_MODEL
{
  public:
    OvHandle dna{1, nullptr};                   // the engine's body; empty until Reset
    std::vector<OV_DNA_ATTACHMENT> attachments; // drawn after the surfaces, in order

    OV_DNA_MODEL() = default;
    OV_DNA_MODEL(const OV_DNA_MODEL&) = delete;
    OV_DNA_MODEL& operator=(const OV_DNA_MODEL&) = delete;
    ~OV_DNA_MODEL() { Destroy(); }

    // A new empty DNA (the old one and its items destroyed).
    bool Reset();
    // Slots for a body built by code; attachments resized and cleared when attachmentCount
    // is not 0.
    bool Birth(int32_t substances, int32_t surfaces, int32_t forces, int32_t attachmentCount);
    // Overwrites attachment `index` with the values given; false for an index out of range.
    bool SetAttachment(int32_t index, OvHandle texture, OvHandle* force, int32_t left, int32_t top,
                       int32_t right, int32_t bottom, uint8_t reverse, uint8_t stretch);

    // Loads every texture the model names that `sprites` lacks, from "folder/name.ovt".
    // False for an empty text or one that fails the header test.
    bool Preload(const char* text, size_t length, const char* folder,
                 OV_REGISTRY<OV_SPRITE>& sprites);
    bool PreloadFile(const char* path, const char* folder, OV_REGISTRY<OV_SPRITE>& sprites);
    // Builds the body (replacing what the DNA held). `sprites` and `placement` may be null;
    // x and y of `scale` scale the attachments' offsets. False, creating nothing, for an
    // empty DNA handle (Reset makes one) or a text the reader refuses.
    bool Load(const char* text, size_t length, OV_REGISTRY<OV_SPRITE>* sprites,
              const OV_DNA_PLACEMENT* placement, const OV_VECTOR& scale, double massScale,
              double rangeScale, double resilienceScale);
    bool LoadFile(const char* path, OV_REGISTRY<OV_SPRITE>* sprites,
                  const OV_DNA_PLACEMENT* placement, const OV_VECTOR& scale, double massScale,
                  double rangeScale, double resilienceScale);
    // Preload, then Load only when it succeeded; for text in memory and for a file.
    bool PreloadAndLoad(const char* text, size_t length, const char* folder,
                        OV_REGISTRY<OV_SPRITE>& sprites, const OV_DNA_PLACEMENT* placement,
                        const OV_VECTOR& scale, double massScale, double rangeScale,
                        double resilienceScale);
    bool PreloadAndLoadFile(const char* path, const char* folder, OV_REGISTRY<OV_SPRITE>& sprites,
                            const OV_DNA_PLACEMENT* placement, const OV_VECTOR& scale,
                            double massScale, double rangeScale, double resilienceScale);

    // Advances and draws the body's surfaces (OvDnaDraw), then every attachment.
    void Draw();

    // The DNA's handles of one kind: 34 substances, 35 forces, 36 surfaces (37 a pair).
    OvHandle* Get(int32_t kind) const { return OvDnaGet(dna, kind, 0); }
    // The number of the DNA's items of that kind.
    int32_t Count(int32_t kind) const { return OvDnaCount(dna, kind); }
    // Puts `handle` into the DNA's slot `index` of that kind; false when the engine refuses.
    bool Link(int32_t kind, int32_t index, OvHandle handle)
    {
        return OvDnaLink(dna, kind, index, handle) != 0;
    }

    // The DNA and its items destroyed, the handle empty, no attachments.
    void Destroy();

  private:
    void DrawAttachment(OV_DNA_ATTACHMENT& attachment) const;
};

} // namespace OvCore
