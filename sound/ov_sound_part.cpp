// The sound's release.
#include "sound/ov_sound_part.h"

namespace OvCore
{

void OV_SOUND_PART::ReleaseSound()
{
    sound.ClearEffects();
    sound.ClearStreams();
}

} // namespace OvCore
