// Settings onto OpenAL sources.
#include "audiere/src/voice_settings.h"

#include <AL/alext.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace audiere
{

namespace
{

void SetClamped(float& setting, float value, float low, float high)
{
    if (!std::isnan(value))
        setting = std::clamp(value, low, high);
}

// OpenAL's default angles for the two channels of a stereo source, 30 degrees either side.
// On OpenAL Soft's stereo output a stereo source's channel at that angle or beyond sounds
// from one speaker only, so the channel that crosses over stops there.
constexpr float kSpeakerAngle = std::numbers::pi_v<float> / 6;

// The angle (counter-clockwise, so positive is left) of a stereo channel that sits at
// `centre` when the pan is 0: the channel on the side the pan names stays, the other moves
// across, and at -1 or 1 both sound from that side.
float ChannelAngle(float centre, float pan)
{
    float side = pan < 0 ? kSpeakerAngle : -kSpeakerAngle;
    return centre + (side - centre) * std::fabs(pan);
}

} // namespace

void VoiceSettings::SetVolume(float value)
{
    SetClamped(volume, value, 0.0f, 1.0f);
}

void VoiceSettings::SetPan(float value)
{
    SetClamped(pan, value, -1.0f, 1.0f);
}

void VoiceSettings::SetPitch(float value)
{
    SetClamped(pitch, value, 0.5f, 2.0f);
}

void PrepareSource(ALuint source)
{
    alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
    alSourcef(source, AL_ROLLOFF_FACTOR, 0.0f);
}

void ApplySettings(ALuint source, const VoiceSettings& settings, int channels)
{
    alSourcef(source, AL_GAIN, settings.volume);
    alSourcef(source, AL_PITCH, settings.pitch);
    if (channels == 1)
    {
        // On the unit circle in front of the listener: pan -1 is straight left, -0.5 is 30
        // degrees to the left, between the speakers.
        float pan = settings.pan;
        alSource3f(source, AL_POSITION, pan, 0.0f, -std::sqrt(1.0f - pan * pan));
        return;
    }
    ALfloat angles[2] = {ChannelAngle(kSpeakerAngle, settings.pan),
                         ChannelAngle(-kSpeakerAngle, settings.pan)};
    alSourcefv(source, AL_STEREO_ANGLES, angles);
}

} // namespace audiere
