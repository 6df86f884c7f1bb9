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

constexpr float kQuarterTurn = std::numbers::pi_v<float> / 2;
constexpr float kStereoSpread = std::numbers::pi_v<float> / 6; // OpenAL's default, +-30 deg

// The angle (counter-clockwise, so positive is left) of a channel that sits at `centre` when
// the pan is 0 and moves to the side the pan names: both channels end on that side.
float ChannelAngle(float centre, float pan)
{
    float target = pan < 0 ? kQuarterTurn : -kQuarterTurn;
    return centre + (target - centre) * std::fabs(pan);
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
        // On the unit circle in front of the listener: pan -1 is straight left.
        float pan = settings.pan;
        alSource3f(source, AL_POSITION, pan, 0.0f, -std::sqrt(1.0f - pan * pan));
        return;
    }
    ALfloat angles[2] = {ChannelAngle(kStereoSpread, settings.pan),
                         ChannelAngle(-kStereoSpread, settings.pan)};
    alSourcefv(source, AL_STEREO_ANGLES, angles);
}

} // namespace audiere
