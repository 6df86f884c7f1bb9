// The sound system: the output device, opened when the system is made, and the two lists of
// loaded audio (effects whose plays may overlap, and streams), with thin operations on their
// handles. Every operation on an empty or stale handle returns false or 0 and touches
// nothing. Without an audio device the system still works: its loads return empty handles.
// The application owns one (Application().sound, sound/ov_sound_part.h); docs/sound.md.
#pragma once

#include "audiere/audiere.h"
#include "sound/mp3_tag.h"
#include "sound/sound_list.h"

namespace OvCore
{

typedef SOUND_LIST<audiere::SoundEffect>::HANDLE SOUND_EFFECT_HANDLE;
typedef SOUND_LIST<audiere::OutputStream>::HANDLE SOUND_STREAM_HANDLE;

class SOUND_SYSTEM
{
  public:
    SOUND_SYSTEM();
    // Clears the effects, then the streams, then releases the device.
    ~SOUND_SYSTEM();
    SOUND_SYSTEM(const SOUND_SYSTEM&) = delete;
    SOUND_SYSTEM& operator=(const SOUND_SYSTEM&) = delete;

    audiere::AudioDevicePtr device;
    SOUND_LIST<audiere::SoundEffect> effects;
    SOUND_LIST<audiere::OutputStream> streams;

    // An empty handle, the lists unchanged, when the file cannot be opened or decoded.
    SOUND_EFFECT_HANDLE LoadEffect(const char* file);
    SOUND_STREAM_HANDLE LoadStream(const char* file);

    // False when the list was already empty / the handle names nothing.
    bool ClearEffects();
    bool ClearStreams();
    bool RemoveEffect(SOUND_EFFECT_HANDLE handle);
    bool RemoveStream(SOUND_STREAM_HANDLE handle);

    // Volume 0 to 1, pan -1 (left) to 1 (right), pitch a factor 0.5 to 2 (clamped).
    bool EffectPlay(SOUND_EFFECT_HANDLE handle);
    bool EffectStop(SOUND_EFFECT_HANDLE handle);
    bool EffectSetVolume(SOUND_EFFECT_HANDLE handle, float volume);
    float EffectGetVolume(SOUND_EFFECT_HANDLE handle);
    bool EffectSetPan(SOUND_EFFECT_HANDLE handle, float pan);
    float EffectGetPan(SOUND_EFFECT_HANDLE handle);
    bool EffectSetPitch(SOUND_EFFECT_HANDLE handle, float shift);
    float EffectGetPitch(SOUND_EFFECT_HANDLE handle);

    // Stop keeps the position; a stream played to its end stops back at the start. Length
    // and position are in frames.
    bool StreamPlay(SOUND_STREAM_HANDLE handle);
    bool StreamStop(SOUND_STREAM_HANDLE handle);
    bool StreamIsPlaying(SOUND_STREAM_HANDLE handle);
    bool StreamReset(SOUND_STREAM_HANDLE handle);
    bool StreamSetRepeat(SOUND_STREAM_HANDLE handle, bool repeat);
    bool StreamSetVolume(SOUND_STREAM_HANDLE handle, float volume);
    float StreamGetVolume(SOUND_STREAM_HANDLE handle);
    bool StreamSetPan(SOUND_STREAM_HANDLE handle, float pan);
    float StreamGetPan(SOUND_STREAM_HANDLE handle);
    bool StreamSetPitch(SOUND_STREAM_HANDLE handle, float shift);
    float StreamGetPitch(SOUND_STREAM_HANDLE handle);
    int StreamGetLength(SOUND_STREAM_HANDLE handle);
    bool StreamSetPosition(SOUND_STREAM_HANDLE handle, int frame);
    int StreamGetPosition(SOUND_STREAM_HANDLE handle);

    // The ID3v1 tag: true, filling `out`, when the 3 bytes 128 before the end of the file are
    // "TAG"; false (out untouched) otherwise, for a file shorter than 128 bytes, or one that
    // is not a regular file or does not open.
    static bool ReadMp3Tag(const char* path, MP3_TAG& out);
};

} // namespace OvCore
