// Loading audio through the library and the operations on handles.
#include "sound/sound_system.h"

#include <utility>

namespace OvCore
{

using audiere::OutputStream;
using audiere::SoundEffect;

namespace
{

// The operation's result on the object the handle names, or its zero (false, 0) when the
// handle names nothing.
template <typename T, typename Operation>
auto On(const SOUND_LIST<T>& list, typename SOUND_LIST<T>::HANDLE handle, Operation operation)
{
    using Result = decltype(operation(std::declval<T&>()));
    T* item = list.Find(handle);
    return item ? operation(*item) : Result();
}

} // namespace

SOUND_SYSTEM::SOUND_SYSTEM() : device(audiere::AdrOpenDevice(nullptr, nullptr)) {}

SOUND_SYSTEM::~SOUND_SYSTEM()
{
    effects.Clear();
    streams.Clear();
    device = nullptr;
}

SOUND_EFFECT_HANDLE SOUND_SYSTEM::LoadEffect(const char* file)
{
    audiere::SampleSourcePtr source(audiere::AdrOpenSampleSource(file, audiere::FF_AUTODETECT));
    if (!source)
        return SOUND_EFFECT_HANDLE();
    return effects.Append(
        audiere::AdrOpenSoundEffect(device.get(), source.get(), audiere::MULTIPLE));
}

SOUND_STREAM_HANDLE SOUND_SYSTEM::LoadStream(const char* file)
{
    audiere::SampleSourcePtr source(audiere::AdrOpenSampleSource(file, audiere::FF_AUTODETECT));
    if (!source)
        return SOUND_STREAM_HANDLE();
    return streams.Append(audiere::AdrOpenSound(device.get(), source.get(), true));
}

bool SOUND_SYSTEM::ClearEffects()
{
    return effects.Clear();
}

bool SOUND_SYSTEM::ClearStreams()
{
    return streams.Clear();
}

bool SOUND_SYSTEM::RemoveEffect(SOUND_EFFECT_HANDLE handle)
{
    return effects.Remove(handle);
}

bool SOUND_SYSTEM::RemoveStream(SOUND_STREAM_HANDLE handle)
{
    return streams.Remove(handle);
}

bool SOUND_SYSTEM::EffectPlay(SOUND_EFFECT_HANDLE handle)
{
    return On(effects, handle, [](SoundEffect& effect) { return effect.play(), true; });
}

bool SOUND_SYSTEM::EffectStop(SOUND_EFFECT_HANDLE handle)
{
    return On(effects, handle, [](SoundEffect& effect) { return effect.stop(), true; });
}

bool SOUND_SYSTEM::EffectSetVolume(SOUND_EFFECT_HANDLE handle, float volume)
{
    return On(effects, handle,
              [volume](SoundEffect& effect) { return effect.setVolume(volume), true; });
}

float SOUND_SYSTEM::EffectGetVolume(SOUND_EFFECT_HANDLE handle)
{
    return On(effects, handle, [](SoundEffect& effect) { return effect.getVolume(); });
}

bool SOUND_SYSTEM::EffectSetPan(SOUND_EFFECT_HANDLE handle, float pan)
{
    return On(effects, handle, [pan](SoundEffect& effect) { return effect.setPan(pan), true; });
}

float SOUND_SYSTEM::EffectGetPan(SOUND_EFFECT_HANDLE handle)
{
    return On(effects, handle, [](SoundEffect& effect) { return effect.getPan(); });
}

bool SOUND_SYSTEM::EffectSetPitch(SOUND_EFFECT_HANDLE handle, float shift)
{
    return On(effects, handle,
              [shift](SoundEffect& effect) { return effect.setPitchShift(shift), true; });
}

float SOUND_SYSTEM::EffectGetPitch(SOUND_EFFECT_HANDLE handle)
{
    return On(effects, handle, [](SoundEffect& effect) { return effect.getPitchShift(); });
}

bool SOUND_SYSTEM::StreamPlay(SOUND_STREAM_HANDLE handle)
{
    return On(streams, handle, [](OutputStream& stream) { return stream.play(), true; });
}

bool SOUND_SYSTEM::StreamStop(SOUND_STREAM_HANDLE handle)
{
    return On(streams, handle, [](OutputStream& stream) { return stream.stop(), true; });
}

bool SOUND_SYSTEM::StreamIsPlaying(SOUND_STREAM_HANDLE handle)
{
    return On(streams, handle, [](OutputStream& stream) { return stream.isPlaying(); });
}

bool SOUND_SYSTEM::StreamReset(SOUND_STREAM_HANDLE handle)
{
    return On(streams, handle, [](OutputStream& stream) { return stream.reset(), true; });
}

bool SOUND_SYSTEM::StreamSetRepeat(SOUND_STREAM_HANDLE handle, bool repeat)
{
    return On(streams, handle,
              [repeat](OutputStream& stream) { return stream.setRepeat(repeat), true; });
}

bool SOUND_SYSTEM::StreamSetVolume(SOUND_STREAM_HANDLE handle, float volume)
{
    return On(streams, handle,
              [volume](OutputStream& stream) { return stream.setVolume(volume), true; });
}

float SOUND_SYSTEM::StreamGetVolume(SOUND_STREAM_HANDLE handle)
{
    return On(streams, handle, [](OutputStream& stream) { return stream.getVolume(); });
}

bool SOUND_SYSTEM::StreamSetPan(SOUND_STREAM_HANDLE handle, float pan)
{
    return On(streams, handle, [pan](OutputStream& stream) { return stream.setPan(pan), true; });
}

float SOUND_SYSTEM::StreamGetPan(SOUND_STREAM_HANDLE handle)
{
    return On(streams, handle, [](OutputStream& stream) { return stream.getPan(); });
}

bool SOUND_SYSTEM::StreamSetPitch(SOUND_STREAM_HANDLE handle, float shift)
{
    return On(streams, handle,
              [shift](OutputStream& stream) { return stream.setPitchShift(shift), true; });
}

float SOUND_SYSTEM::StreamGetPitch(SOUND_STREAM_HANDLE handle)
{
    return On(streams, handle, [](OutputStream& stream) { return stream.getPitchShift(); });
}

int SOUND_SYSTEM::StreamGetLength(SOUND_STREAM_HANDLE handle)
{
    return On(streams, handle, [](OutputStream& stream) { return stream.getLength(); });
}

bool SOUND_SYSTEM::StreamSetPosition(SOUND_STREAM_HANDLE handle, int frame)
{
    return On(streams, handle,
              [frame](OutputStream& stream) { return stream.setPosition(frame), true; });
}

int SOUND_SYSTEM::StreamGetPosition(SOUND_STREAM_HANDLE handle)
{
    return On(streams, handle, [](OutputStream& stream) { return stream.getPosition(); });
}

} // namespace OvCore
