// Effects: decoding, the voice pool, plays.
#include "audiere/src/sound_effect.h"

#include <vector>

namespace audiere
{

namespace
{

// Every frame of the source from its start, or nothing when it holds none or too many.
std::vector<short> DecodeWhole(Decoder& source)
{
    constexpr int kChunk = 4096;
    std::vector<short> samples;
    const size_t channels = size_t(source.Channels());
    source.Seek(0);
    for (;;)
    {
        size_t had = samples.size();
        samples.resize(had + kChunk * channels);
        int got = source.Read(samples.data() + had, kChunk);
        samples.resize(had + size_t(got) * channels);
        if (got == 0)
            return samples;
        if (samples.size() > size_t(Effect::kMaxEffectFrames) * channels)
            return {};
    }
}

ALenum FormatOf(int channels)
{
    return channels == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16;
}

} // namespace

Effect* Effect::Open(Device& device, Decoder& source, SoundEffectType type)
{
    std::vector<short> samples = DecodeWhole(source);
    if (samples.empty())
        return nullptr;
    ContextScope scope(device);
    alGetError();
    ALuint buffer = 0;
    alGenBuffers(1, &buffer);
    if (alGetError() != AL_NO_ERROR)
        return nullptr;
    alBufferData(buffer, FormatOf(source.Channels()), samples.data(),
                 ALsizei(samples.size() * sizeof(short)), source.Rate());
    if (alGetError() != AL_NO_ERROR)
    {
        alDeleteBuffers(1, &buffer);
        return nullptr;
    }
    return new Effect(device, buffer, source.Channels(), type == SINGLE ? 1 : kMaxVoices);
}

Effect::Effect(Device& owner, ALuint alBuffer, int channelCount, size_t limit)
    : device(&owner), buffer(alBuffer), channels(channelCount), voiceLimit(limit)
{
}

Effect::~Effect()
{
    ContextScope scope(*device);
    if (!voices.empty())
    {
        alSourceStopv(ALsizei(voices.size()), voices.data());
        alDeleteSources(ALsizei(voices.size()), voices.data());
    }
    alDeleteBuffers(1, &buffer);
}

ALuint Effect::FreeVoice()
{
    ALuint longest = 0;
    ALint longestOffset = -1;
    for (ALuint voice : voices)
    {
        ALint state = AL_STOPPED, offset = 0;
        alGetSourcei(voice, AL_SOURCE_STATE, &state);
        if (state != AL_PLAYING)
            return voice;
        alGetSourcei(voice, AL_SAMPLE_OFFSET, &offset);
        if (offset > longestOffset)
        {
            longest = voice;
            longestOffset = offset;
        }
    }
    if (voices.size() < voiceLimit)
    {
        alGetError();
        ALuint voice = 0;
        alGenSources(1, &voice);
        if (alGetError() == AL_NO_ERROR)
        {
            PrepareSource(voice);
            alSourcei(voice, AL_BUFFER, ALint(buffer));
            voices.push_back(voice);
            return voice;
        }
    }
    return longest;
}

void Effect::play()
{
    ContextScope scope(*device);
    ALuint voice = FreeVoice();
    if (voice == 0)
        return;
    ApplySettings(voice, settings, channels);
    alSourcePlay(voice);
}

void Effect::stop()
{
    ContextScope scope(*device);
    if (!voices.empty())
        alSourceStopv(ALsizei(voices.size()), voices.data());
}

void Effect::ApplyToVoices()
{
    ContextScope scope(*device);
    for (ALuint voice : voices)
        ApplySettings(voice, settings, channels);
}

void Effect::setVolume(float volume)
{
    settings.SetVolume(volume);
    ApplyToVoices();
}

void Effect::setPan(float pan)
{
    settings.SetPan(pan);
    ApplyToVoices();
}

void Effect::setPitchShift(float shift)
{
    settings.SetPitch(shift);
    ApplyToVoices();
}

extern "C" ADR_API SoundEffect* AdrOpenSoundEffect(AudioDevice* device, SampleSource* source,
                                                   SoundEffectType type)
{
    if (!device || !source)
        return nullptr;
    // Every device and source the library hands out is one of its own.
    return Effect::Open(static_cast<Device&>(*device), static_cast<Decoder&>(*source), type);
}

} // namespace audiere
