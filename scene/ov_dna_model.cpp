#include "scene/ov_dna_model.h"

#include "core/ov_string.h"
#include "graphics/ov_vector_math.h"
#include "scene/dna_model_file.h"

#include <cmath>
#include <fstream>
#include <iterator>
#include <string>

namespace OvCore
{

namespace
{

bool IsEmpty(const OvHandle& handle)
{
    return (handle.flags & 0xFFu) != 0 || handle.object == nullptr;
}

// The whole file, or false when it cannot be read or is larger than a model may be.
bool ReadWholeFile(const char* path, std::string& text)
{
    if (!path)
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    text.clear();
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
    {
        text.append(buffer, size_t(in.gcount()));
        if (text.size() > DNA_MODEL_FILE::MAX_BYTES)
            return false;
    }
    return true;
}

OvHandle FrameOf(OV_REGISTRY<OV_SPRITE>* sprites, const std::string& name)
{
    if (!sprites)
        return OvHandle{1, nullptr};
    auto entry = sprites->Get(name.c_str());
    return entry ? entry->CurrentFrame() : OvHandle{1, nullptr};
}

OV_VECTOR PositionOf(OvHandle substance)
{
    const auto* p = static_cast<const double*>(OvSubstanceGet(substance, OV_SUBSTANCE_POSITION));
    return p ? OV_VECTOR(p[0], p[1], p[2], p[3]) : OV_VECTOR();
}

OvHandle Created(uint8_t (*create)(OvHandle*))
{
    OvHandle handle{1, nullptr};
    create(&handle);
    return handle;
}

void BuildSubstances(OvHandle dna, const DNA_MODEL_FILE& model, const OV_DNA_PLACEMENT* placement,
                     double massScale, double rangeScale)
{
    OvDnaBirth(dna, int32_t(model.substances.size()), 0, 0);
    for (size_t i = 0; i < model.substances.size(); ++i)
    {
        const DNA_MODEL_FILE::Substance& s = model.substances[i];
        const OvHandle h = Created(OvSubstanceCreate);
        OV_VECTOR position(s.x, s.y, 0, 1);
        if (placement && *placement)
            position = (*placement)(position);
        const double p[4] = {position.x, position.y, position.z, position.w};
        OvSubstanceSetPosition(h, p, 0);
        OvSubstanceSetMass(h, s.mass * massScale);
        OvSubstanceSetRange(h, s.range * rangeScale);
        OvSubstanceSetSolid(h, s.solid);
        OvDnaLink(dna, OV_DNA_SUBSTANCES, int32_t(i), h);
    }
}

void BuildSurfaces(OvHandle dna, const DNA_MODEL_FILE& model, OV_REGISTRY<OV_SPRITE>* sprites)
{
    OvDnaBirth(dna, 0, 0, int32_t(model.surfaces.size()));
    const OvHandle* substance = OvDnaGet(dna, OV_DNA_SUBSTANCES, 0);
    for (size_t j = 0; j < model.surfaces.size(); ++j)
    {
        const DNA_MODEL_FILE::Surface& f = model.surfaces[j];
        const OvHandle h = Created(OvSurfaceCreate);
        for (int c = 0; c < 3; ++c)
        {
            OvSurfaceSetSubstance(h, OV_SURFACE_CORNER + c, substance[f.corners[c]]);
            const double coord[4] = {f.uv[2 * c], f.uv[2 * c + 1], 0, 1};
            OvSurfaceSetCoord(h, OV_SURFACE_COORD + c, coord);
        }
        if (sprites)
            OvSurfaceSetTexture(h, FrameOf(sprites, f.texture), OV_TEXTURE_2D);
        OvDnaLink(dna, OV_DNA_SURFACES, int32_t(j), h);
    }
}

void BuildForces(OvHandle dna, const DNA_MODEL_FILE& model, double resilienceScale)
{
    OvDnaBirth(dna, 0, int32_t(model.forces.size()), 0);
    const OvHandle* substance = OvDnaGet(dna, OV_DNA_SUBSTANCES, 0);
    for (size_t k = 0; k < model.forces.size(); ++k)
    {
        const DNA_MODEL_FILE::Force& f = model.forces[k];
        const OvHandle h = Created(OvCovalenceForceCreate);
        const OvHandle a = substance[f.ends[0]], b = substance[f.ends[1]];
        OvCovalenceForceSetSubstance(h, OV_FORCE_FIRST, a);
        OvCovalenceForceSetSubstance(h, OV_FORCE_SECOND, b);
        OvCovalenceForceSetResilience(h, f.resilience * resilienceScale);
        const OV_VECTOR p = PositionOf(a), q = PositionOf(b);
        OvCovalenceForceSetForce(h, std::hypot(q.x - p.x, q.y - p.y, q.z - p.z));
        OvDnaLink(dna, OV_DNA_FORCES, int32_t(k), h);
    }
}

int32_t Scaled(double value, double factor)
{
    const double scaled = std::trunc(value * factor);
    return std::fabs(scaled) < 2147483647.0 ? int32_t(scaled) : 0;
}

} // namespace

bool OV_DNA_MODEL::Reset()
{
    Destroy();
    OvDnaCreate(&dna);
    return true;
}

bool OV_DNA_MODEL::Birth(int32_t substances, int32_t surfaces, int32_t forces,
                         int32_t attachmentCount)
{
    const bool born = OvDnaBirth(dna, substances, forces, surfaces) != 0;
    if (attachmentCount > 0 && attachmentCount <= DNA_MODEL_FILE::MAX_COUNT)
        attachments.assign(size_t(attachmentCount), OV_DNA_ATTACHMENT());
    return born;
}

bool OV_DNA_MODEL::SetAttachment(int32_t index, OvHandle texture, OvHandle* force, int32_t left,
                                 int32_t top, int32_t right, int32_t bottom, uint8_t reverse,
                                 uint8_t stretch)
{
    if (index < 0 || size_t(index) >= attachments.size())
        return false;
    OV_DNA_ATTACHMENT& a = attachments[size_t(index)];
    a = OV_DNA_ATTACHMENT();
    a.texture = texture;
    a.force = force;
    a.left = left;
    a.top = top;
    a.right = right;
    a.bottom = bottom;
    a.reverse = reverse;
    a.stretch = stretch;
    return true;
}

bool OV_DNA_MODEL::Preload(const char* text, size_t length, const char* folder,
                           OV_REGISTRY<OV_SPRITE>& sprites)
{
    DNA_MODEL_FILE model;
    if (!ReadDnaModel(text, length, model))
        return false;
    auto ensure = [&](const std::string& name)
    {
        if (sprites.Find(name.c_str()) || !OV_REGISTRY<OV_SPRITE>::NameFits(name.c_str()))
            return;
        const std::string path = std::string(folder ? folder : ".") + "/" + name + ".ovt";
        sprites.Get(name.c_str())
            ->LoadFromFiles(path.c_str(), 1, OV_FILTER_NEAREST, OV_FILTER_NEAREST, 0, 0, -1, -1, 0,
                            0);
    };
    for (const auto& surface : model.surfaces)
        ensure(surface.texture);
    for (const auto& attachment : model.attachments)
        ensure(attachment.texture);
    return true;
}

bool OV_DNA_MODEL::PreloadFile(const char* path, const char* folder,
                               OV_REGISTRY<OV_SPRITE>& sprites)
{
    std::string text;
    return ReadWholeFile(path, text) && Preload(text.data(), text.size(), folder, sprites);
}

bool OV_DNA_MODEL::Load(const char* text, size_t length, OV_REGISTRY<OV_SPRITE>* sprites,
                        const OV_DNA_PLACEMENT* placement, const OV_VECTOR& scale, double massScale,
                        double rangeScale, double resilienceScale)
{
    DNA_MODEL_FILE model;
    if (IsEmpty(dna) || !ReadDnaModel(text, length, model))
        return false;
    // A reload replaces the body: the old items would otherwise live on unlinked.
    OvDnaDie(dna, 1);
    attachments.clear();
    BuildSubstances(dna, model, placement, massScale, rangeScale);
    BuildSurfaces(dna, model, sprites);
    BuildForces(dna, model, resilienceScale);
    OvHandle* forces = OvDnaGet(dna, OV_DNA_FORCES, 0);
    attachments.resize(model.attachments.size());
    for (size_t i = 0; i < model.attachments.size(); ++i)
    {
        const DNA_MODEL_FILE::Attachment& b = model.attachments[i];
        OV_DNA_ATTACHMENT& a = attachments[i];
        if (sprites)
            a.texture = FrameOf(sprites, b.texture);
        a.left = Scaled(b.left, scale.x);
        a.top = Scaled(b.top, scale.y);
        a.right = Scaled(b.right, scale.x);
        a.bottom = Scaled(b.bottom, scale.y);
        a.force = forces + b.force;
        a.reverse = b.reverse;
        a.stretch = b.stretch;
    }
    return true;
}

bool OV_DNA_MODEL::LoadFile(const char* path, OV_REGISTRY<OV_SPRITE>* sprites,
                            const OV_DNA_PLACEMENT* placement, const OV_VECTOR& scale,
                            double massScale, double rangeScale, double resilienceScale)
{
    std::string text;
    return ReadWholeFile(path, text) && Load(text.data(), text.size(), sprites, placement, scale,
                                             massScale, rangeScale, resilienceScale);
}

bool OV_DNA_MODEL::PreloadAndLoad(const char* text, size_t length, const char* folder,
                                  OV_REGISTRY<OV_SPRITE>& sprites,
                                  const OV_DNA_PLACEMENT* placement, const OV_VECTOR& scale,
                                  double massScale, double rangeScale, double resilienceScale)
{
    return Preload(text, length, folder, sprites) &&
           Load(text, length, &sprites, placement, scale, massScale, rangeScale, resilienceScale);
}

bool OV_DNA_MODEL::PreloadAndLoadFile(const char* path, const char* folder,
                                      OV_REGISTRY<OV_SPRITE>& sprites,
                                      const OV_DNA_PLACEMENT* placement, const OV_VECTOR& scale,
                                      double massScale, double rangeScale, double resilienceScale)
{
    std::string text;
    return ReadWholeFile(path, text) &&
           PreloadAndLoad(text.data(), text.size(), folder, sprites, placement, scale, massScale,
                          rangeScale, resilienceScale);
}

void OV_DNA_MODEL::DrawAttachment(OV_DNA_ATTACHMENT& a) const
{
    if (IsEmpty(a.texture) || !a.force || IsEmpty(*a.force))
        return;
    const auto* first = static_cast<const OvHandle*>(OvCovalenceForceGet(*a.force, OV_FORCE_FIRST));
    const auto* second =
        static_cast<const OvHandle*>(OvCovalenceForceGet(*a.force, OV_FORCE_SECOND));
    if (!first || !second || IsEmpty(*first) || IsEmpty(*second))
        return;
    const OV_VECTOR p1 = PositionOf(a.reverse ? *second : *first);
    const OV_VECTOR p2 = PositionOf(a.reverse ? *first : *second);
    a.angle = Direction(p1, p2);
    const double length = std::hypot(p2.x - p1.x, p2.y - p1.y, p2.z - p1.z);
    const double w = a.stretch ? length : double(a.right - a.left);
    const double top = -a.top, bottom = a.bottom - a.top;
    const double corners[4][4] = {{-double(a.left), top, 0, 1},
                                  {w, top, 0, 1},
                                  {w, bottom, 0, 1},
                                  {-double(a.left), bottom, 0, 1}};
    static const double coords[4][4] = {{0, 0, 0, 1}, {1, 0, 0, 1}, {1, 1, 0, 1}, {0, 1, 0, 1}};
    OvMatrixPush();
    OvMatrixIdentity();
    OvMatrixTranslate(p1.x, p1.y, p1.z);
    OvMatrixRotate(a.angle.x, 0, 0, 1);
    OvTextureActivate(a.texture);
    OvDrawData(OV_PRIMITIVE_QUADS, 0, 4, corners, nullptr, coords, nullptr, nullptr, 0,
               OV_VALUE_DOUBLE, 0, 0, 0, 0, 4, 4, 4);
    OvMatrixPop();
}

void OV_DNA_MODEL::Draw()
{
    if (IsEmpty(dna))
        return;
    OvDnaDraw(dna);
    for (OV_DNA_ATTACHMENT& attachment : attachments)
        DrawAttachment(attachment);
    OvTextureUnactivate(OV_TEXTURE_2D);
}

void OV_DNA_MODEL::Destroy()
{
    if (!IsEmpty(dna))
    {
        OvDnaDie(dna, 1);
        OvDnaDestroy(dna);
    }
    dna = OvHandle{1, nullptr};
    attachments.clear();
}

} // namespace OvCore
