// The soft-body model reader on arbitrary text, and the body it builds stepped for a moment:
// no crash, no read out of bounds, no NaN position.
#include "scene/dna_model_file.h"
#include "scene/ov_dna_model.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const char* text = reinterpret_cast<const char*>(data);
    OvCore::DNA_MODEL_FILE model;
    OvCore::ReadDnaModel(text, size, model);
    OvCore::OV_DNA_MODEL body;
    body.Reset();
    if (body.Load(text, size, nullptr, nullptr, OvCore::OV_VECTOR(1, 1), 1, 1, 1))
    {
        OvDnaAdvance(body.dna, 0.1);
        const OvHandle* substances = body.Get(OV_DNA_SUBSTANCES);
        for (int32_t i = 0; i < body.Count(OV_DNA_SUBSTANCES); ++i)
        {
            const auto* p =
                static_cast<const double*>(OvSubstanceGet(substances[i], OV_SUBSTANCE_POSITION));
            if (p && !(std::isfinite(p[0]) && std::isfinite(p[1])))
                std::abort();
        }
    }
    return 0;
}
