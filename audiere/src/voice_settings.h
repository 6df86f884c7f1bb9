// Volume, pan and pitch shift as a program sets them, and how they become an OpenAL source's
// gain, placement and pitch. OpenAL places only mono sources by position; a stereo source is
// panned by turning its two channels' angles (AL_EXT_STEREO_ANGLES) toward one side.
#pragma once

#include <AL/al.h>

namespace audiere
{

struct VoiceSettings
{
    float volume = 1.0f;
    float pan = 0.0f;
    float pitch = 1.0f;

    // Clamped to their ranges; NaN leaves the setting as it was.
    void SetVolume(float value);
    void SetPan(float value);
    void SetPitch(float value);
};

// Makes a new source play at the listener, without distance attenuation.
void PrepareSource(ALuint source);
// Applies every setting to a source playing audio of `channels` channels.
void ApplySettings(ALuint source, const VoiceSettings& settings, int channels);

} // namespace audiere
