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

// Names a loaded sound effect (its plays may overlap).
typedef SOUND_LIST<audiere::SoundEffect>::HANDLE SOUND_EFFECT_HANDLE;
// Names a loaded stream (one play at a time, decoded as it plays).
typedef SOUND_LIST<audiere::OutputStream>::HANDLE SOUND_STREAM_HANDLE;

// The audio device and the loaded effects and streams, with operations on their handles.
class SOUND_SYSTEM
{
  public:
    SOUND_SYSTEM();
    // Clears the effects, then the streams, then releases the device.
    ~SOUND_SYSTEM();
    SOUND_SYSTEM(const SOUND_SYSTEM&) = delete;
    SOUND_SYSTEM& operator=(const SOUND_SYSTEM&) = delete;

    audiere::AudioDevicePtr device;            // the output device; null when none opened
    SOUND_LIST<audiere::SoundEffect> effects;  // the loaded effects
    SOUND_LIST<audiere::OutputStream> streams; // the loaded streams

    // Loads the audio file whole as an effect (LoadEffect) or opens it as a stream decoded
    // while it plays (LoadStream), appended to its list. An empty handle, the lists
    // unchanged, when the file cannot be opened or decoded.
    SOUND_EFFECT_HANDLE LoadEffect(const char* file);
    SOUND_STREAM_HANDLE LoadStream(const char* file);

    // Empty a list, or drop one entry, releasing the audio; false when the list was already
    // empty / the handle names nothing.
    bool ClearEffects();
    bool ClearStreams();
    bool RemoveEffect(SOUND_EFFECT_HANDLE handle);
    bool RemoveStream(SOUND_STREAM_HANDLE handle);

    // Starts one more play of the effect from its start, over those still sounding (up to 16).
    bool EffectPlay(SOUND_EFFECT_HANDLE handle);
    // Stops every play of the effect.
    bool EffectStop(SOUND_EFFECT_HANDLE handle);
    // The volume of the effect's plays, 0 to 1 (clamped), and its reading (0 for a handle
    // naming nothing).
    bool EffectSetVolume(SOUND_EFFECT_HANDLE handle, float volume);
    float EffectGetVolume(SOUND_EFFECT_HANDLE handle);
    // The pan of the effect's plays, -1 (left) to 1 (right), and its reading.
    bool EffectSetPan(SOUND_EFFECT_HANDLE handle, float pan);
    float EffectGetPan(SOUND_EFFECT_HANDLE handle);
    // The pitch factor of the effect's plays, 0.5 to 2 (1 as recorded), and its reading.
    bool EffectSetPitch(SOUND_EFFECT_HANDLE handle, float shift);
    float EffectGetPitch(SOUND_EFFECT_HANDLE handle);

    // Plays the stream from its position; played to its end it stops back at the start.
    bool StreamPlay(SOUND_STREAM_HANDLE handle);
    // Stops the stream where it is; the next play goes on from there.
    bool StreamStop(SOUND_STREAM_HANDLE handle);
    // True while the stream plays; false for a handle naming nothing.
    bool StreamIsPlaying(SOUND_STREAM_HANDLE handle);
    // Back to the start; a playing stream plays on from there.
    bool StreamReset(SOUND_STREAM_HANDLE handle);
    // With `repeat` the stream starts over at its end instead of stopping.
    bool StreamSetRepeat(SOUND_STREAM_HANDLE handle, bool repeat);
    // The stream's volume, 0 to 1 (clamped), and its reading (0 for a handle naming nothing).
    bool StreamSetVolume(SOUND_STREAM_HANDLE handle, float volume);
    float StreamGetVolume(SOUND_STREAM_HANDLE handle);
    // The stream's pan, -1 (left) to 1 (right), and its reading.
    bool StreamSetPan(SOUND_STREAM_HANDLE handle, float pan);
    float StreamGetPan(SOUND_STREAM_HANDLE handle);
    // The stream's pitch factor, 0.5 to 2 (1 as recorded), and its reading.
    bool StreamSetPitch(SOUND_STREAM_HANDLE handle, float shift);
    float StreamGetPitch(SOUND_STREAM_HANDLE handle);
    // The stream's length in frames; 0 when the file cannot seek or the handle names nothing.
    int StreamGetLength(SOUND_STREAM_HANDLE handle);
    // Moves the stream to `frame` (a seekable file only), and reads the frame being heard.
    bool StreamSetPosition(SOUND_STREAM_HANDLE handle, int frame);
    int StreamGetPosition(SOUND_STREAM_HANDLE handle);

    // The ID3v1 tag: true, filling `out`, when the 3 bytes 128 before the end of the file are
    // "TAG"; false (out untouched) otherwise, for a file shorter than 128 bytes, or one that
    // is not a regular file or does not open.
    static bool ReadMp3Tag(const char* path, MP3_TAG& out);
};

} // namespace OvCore
