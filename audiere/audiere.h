// The audio library the sound system (sound/) plays through: an output device, sample sources
// decoded from files (WAV, OGG, FLAC, MP3, told apart by their data), sound effects whose
// plays may overlap, and streamed sounds, all reference counted. Built on OpenAL Soft and
// libsndfile; the library exports only the four Adr... functions (docs/sound.md).
#pragma once

#ifdef _WIN32
#define ADR_API __declspec(dllimport) // audiere.dll
#else
// Marks the library's exports: the four Adr... functions, nothing else.
#define ADR_API __attribute__((visibility("default")))
#endif

namespace audiere
{

// Every object of the library counts its references and deletes itself when the last one
// goes. A newly opened object has none: the first RefPtr that holds it takes one.
class RefCounted
{
  public:
    // Takes one more reference.
    virtual void ref() = 0;
    // Gives one back; the object deletes itself when none is left.
    virtual void unref() = 0;

  protected:
    virtual ~RefCounted() = default;
};

// A holder of one reference.
template <typename T> class RefPtr
{
  public:
    RefPtr() = default;
    // Holds `object` (null holds nothing), taking a reference.
    RefPtr(T* object) : pointer(object) { Take(); }
    // Holds what `other` holds, taking a reference of its own.
    RefPtr(const RefPtr& other) : pointer(other.pointer) { Take(); }
    // Takes over the reference of `other`, which is left holding nothing.
    RefPtr(RefPtr&& other) noexcept : pointer(other.pointer) { other.pointer = nullptr; }
    ~RefPtr() { Drop(); }

    // Holds `object` instead, giving back the reference held before.
    RefPtr& operator=(T* object)
    {
        RefPtr(object).Swap(*this);
        return *this;
    }
    // Holds what `other` holds, with a reference of its own, giving back the one held before.
    RefPtr& operator=(const RefPtr& other)
    {
        RefPtr(other).Swap(*this);
        return *this;
    }
    // Takes over the reference of `other` (left holding nothing), giving back its own.
    RefPtr& operator=(RefPtr&& other) noexcept
    {
        RefPtr(static_cast<RefPtr&&>(other)).Swap(*this);
        return *this;
    }

    // The object held, null when none; the holder keeps its reference.
    T* get() const { return pointer; }
    // The object held; never call through an empty holder.
    T* operator->() const { return pointer; }
    // The object held; never dereference an empty holder.
    T& operator*() const { return *pointer; }
    // True while an object is held.
    explicit operator bool() const { return pointer != nullptr; }

  private:
    void Take()
    {
        if (pointer)
            pointer->ref();
    }
    void Drop()
    {
        if (pointer)
            pointer->unref();
    }
    void Swap(RefPtr& other) noexcept
    {
        T* mine = pointer;
        pointer = other.pointer;
        other.pointer = mine;
    }

    T* pointer = nullptr;
};

// An open output device. Effects and streams keep their device open while they live.
class AudioDevice : public RefCounted
{
};

// Decoded audio read from a file; a stream consumes its source, an effect copies it whole.
class SampleSource : public RefCounted
{
};

// How AdrOpenSampleSource tells the file's format: from its data, or insisting on one.
enum FileFormat
{
    FF_AUTODETECT, // whichever of the formats below the data is
    FF_WAV,        // RIFF WAVE only
    FF_OGG,        // Ogg only
    FF_FLAC,       // FLAC only
    FF_MP3,        // MPEG audio layer III only
};

// Volume runs 0 to 1, pan -1 (left) to 1 (right), the pitch shift is a factor from 0.5 to 2
// (1 leaves the pitch); values outside are clamped, and NaN changes nothing.

// A sound streamed from its source by the library's thread. stop keeps the position; a stream
// that plays to its end stops and returns to the start. Length and position are in frames.
class OutputStream : public RefCounted
{
  public:
    // Plays from the current position; nothing when already playing.
    virtual void play() = 0;
    // Stops where it is heard; the next play goes on from there.
    virtual void stop() = 0;
    // True from play until stop or the end of a play without repeat.
    virtual bool isPlaying() = 0;
    // Back to the first frame (setPosition(0)), playing on if it was playing.
    virtual void reset() = 0;
    // True: at the end the stream goes on from the start without a gap.
    virtual void setRepeat(bool repeat) = 0;
    // Whether the stream repeats (false at first).
    virtual bool getRepeat() = 0;
    // Loudness, 0 (silent) to 1 (as decoded, the default); clamped, NaN ignored.
    virtual void setVolume(float volume) = 0;
    // The loudness set, 0 to 1.
    virtual float getVolume() = 0;
    // Balance, -1 (left) to 1 (right), 0 at first; clamped, NaN ignored.
    virtual void setPan(float pan) = 0;
    // The balance set, -1 to 1.
    virtual float getPan() = 0;
    // Speed and pitch factor, 0.5 to 2, 1 at first (as decoded); clamped, NaN ignored.
    virtual void setPitchShift(float shift) = 0;
    // The factor set, 0.5 to 2.
    virtual float getPitchShift() = 0;
    // True when the file can seek: only then do length and position mean anything.
    virtual bool isSeekable() = 0;
    // The length in frames from the file's header; 0 when it cannot seek.
    virtual int getLength() = 0;
    // Moves to frame `position` (clamped to 0 .. length); nothing when it cannot seek.
    virtual void setPosition(int position) = 0;
    // The frame being heard while playing, else the frame the next play starts from.
    virtual int getPosition() = 0;
};

// SINGLE: a play restarts the one voice. MULTIPLE: plays overlap (up to 16 at once; a play
// beyond that restarts the voice that has played longest).
enum SoundEffectType
{
    SINGLE,   // one voice: a play restarts it
    MULTIPLE, // up to 16 voices that overlap
};

// A short sound held decoded in memory. Volume, pan and pitch apply to every voice.
class SoundEffect : public RefCounted
{
  public:
    // Plays the sound from its start on a voice (SoundEffectType says which).
    virtual void play() = 0;
    // Silences every voice of the effect.
    virtual void stop() = 0;
    // Loudness of every voice, 0 (silent) to 1 (the default); clamped, NaN ignored.
    virtual void setVolume(float volume) = 0;
    // The loudness set, 0 to 1.
    virtual float getVolume() = 0;
    // Balance of every voice, -1 (left) to 1 (right), 0 at first; clamped, NaN ignored.
    virtual void setPan(float pan) = 0;
    // The balance set, -1 to 1.
    virtual float getPan() = 0;
    // Speed and pitch factor of every voice, 0.5 to 2, 1 at first; clamped, NaN ignored.
    virtual void setPitchShift(float shift) = 0;
    // The factor set, 0.5 to 2.
    virtual float getPitchShift() = 0;
};

typedef RefPtr<AudioDevice> AudioDevicePtr;   // holds an open device
typedef RefPtr<SampleSource> SampleSourcePtr; // holds a decoded file
typedef RefPtr<OutputStream> OutputStreamPtr; // holds a streamed sound
typedef RefPtr<SoundEffect> SoundEffectPtr;   // holds a sound effect

extern "C"
{
    // The default output device for a null, empty or "autodetect" name, otherwise the OpenAL
    // device of that name; the parameters are not used. Null when no device opens.
    ADR_API AudioDevice* AdrOpenDevice(const char* name, const char* parameters);
    // Null when the file does not open, is not a regular file, or is not mono or stereo audio
    // of a known format (the one asked for, unless FF_AUTODETECT) at 1000 to 384000 Hz.
    ADR_API SampleSource* AdrOpenSampleSource(const char* filename, FileFormat file_format);
    // A stream from the source; whatever `streaming` says, the sound is streamed. Null
    // without a device or source.
    ADR_API OutputStream* AdrOpenSound(AudioDevice* device, SampleSource* source, bool streaming);
    // The whole source decoded into memory (refused beyond 2^22 frames or with none). Null
    // without a device or source.
    ADR_API SoundEffect* AdrOpenSoundEffect(AudioDevice* device, SampleSource* source,
                                            SoundEffectType type);
}

} // namespace audiere
