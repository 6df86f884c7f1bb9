// The sound's part of OV_APPLICATION: the one sound system, whose device opens when the
// application is made. ReleaseAll empties its lists first of all (ReleaseSound); the device
// stays open until the application goes. Programs reach it as Application().sound; lower
// code as SoundPart().
#pragma once

#include "sound/sound_system.h"

namespace OvCore
{

// The sound's share of OV_APPLICATION: the sound system.
class OV_SOUND_PART
{
  public:
    OV_SOUND_PART() = default;
    OV_SOUND_PART(const OV_SOUND_PART&) = delete;
    OV_SOUND_PART& operator=(const OV_SOUND_PART&) = delete;

    SOUND_SYSTEM sound; // the device and the loaded effects and streams

    // Empties the effects, then the streams.
    void ReleaseSound();
};

// The process's sound part: the one inside Application(), bound by the composition root.
OV_SOUND_PART& SoundPart();

} // namespace OvCore
