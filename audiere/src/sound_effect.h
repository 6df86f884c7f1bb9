// A sound effect: the whole source decoded into one OpenAL buffer, played by a pool of
// sources (voices) so that plays overlap; a SINGLE effect has a pool of one.
#pragma once

#include "audiere/src/decoder.h"
#include "audiere/src/device.h"
#include "audiere/src/voice_settings.h"

#include <vector>

namespace audiere
{

class Effect final : public RefImplementation<SoundEffect>
{
  public:
    // Null when the source holds no frames or more than kMaxEffectFrames, or OpenAL refuses.
    static Effect* Open(Device& device, Decoder& source, SoundEffectType type);
    ~Effect() override;
    Effect(const Effect&) = delete;
    Effect& operator=(const Effect&) = delete;

    static constexpr int kMaxEffectFrames = 1 << 22;
    static constexpr size_t kMaxVoices = 16;

    void play() override;
    void stop() override;
    void setVolume(float volume) override;
    float getVolume() override { return settings.volume; }
    void setPan(float pan) override;
    float getPan() override { return settings.pan; }
    void setPitchShift(float shift) override;
    float getPitchShift() override { return settings.pitch; }

  private:
    Effect(Device& device, ALuint buffer, int channels, size_t voiceLimit);
    // A voice free to play: an idle one, a new one, or the one that has played longest.
    ALuint FreeVoice();
    void ApplyToVoices();

    RefPtr<Device> device;
    ALuint buffer;
    int channels;
    size_t voiceLimit;
    std::vector<ALuint> voices;
    VoiceSettings settings;
};

} // namespace audiere
