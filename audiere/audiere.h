// The audio library the sound system (sound/) plays through: an output device, sample sources
// decoded from files (WAV, OGG, FLAC, MP3, told apart by their data), sound effects whose
// plays may overlap, and streamed sounds, all reference counted. Built on OpenAL Soft and
// libsndfile; the library exports only the four Adr... functions (docs/sound.md).
#pragma once

#ifdef _WIN32
#define ADR_API __declspec(dllimport) // audiere.dll
#else
#define ADR_API __attribute__((visibility("default")))
#endif

namespace audiere
{

// Every object of the library counts its references and deletes itself when the last one
// goes. A newly opened object has none: the first RefPtr that holds it takes one.
class RefCounted
{
  public:
    virtual void ref() = 0;
    virtual void unref() = 0;

  protected:
    virtual ~RefCounted() = default;
};

// A holder of one reference.
template <typename T> class RefPtr
{
  public:
    RefPtr() = default;
    RefPtr(T* object) : pointer(object) { Take(); }
    RefPtr(const RefPtr& other) : pointer(other.pointer) { Take(); }
    RefPtr(RefPtr&& other) noexcept : pointer(other.pointer) { other.pointer = nullptr; }
    ~RefPtr() { Drop(); }

    RefPtr& operator=(T* object)
    {
        RefPtr(object).Swap(*this);
        return *this;
    }
    RefPtr& operator=(const RefPtr& other)
    {
        RefPtr(other).Swap(*this);
        return *this;
    }
    RefPtr& operator=(RefPtr&& other) noexcept
    {
        RefPtr(static_cast<RefPtr&&>(other)).Swap(*this);
        return *this;
    }

    T* get() const { return pointer; }
    T* operator->() const { return pointer; }
    T& operator*() const { return *pointer; }
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
    FF_AUTODETECT,
    FF_WAV,
    FF_OGG,
    FF_FLAC,
    FF_MP3,
};

// Volume runs 0 to 1, pan -1 (left) to 1 (right), the pitch shift is a factor from 0.5 to 2
// (1 leaves the pitch); values outside are clamped, and NaN changes nothing.

// A sound streamed from its source by the library's thread. stop keeps the position; a stream
// that plays to its end stops and returns to the start. Length and position are in frames.
class OutputStream : public RefCounted
{
  public:
    virtual void play() = 0;
    virtual void stop() = 0;
    virtual bool isPlaying() = 0;
    virtual void reset() = 0;
    virtual void setRepeat(bool repeat) = 0;
    virtual bool getRepeat() = 0;
    virtual void setVolume(float volume) = 0;
    virtual float getVolume() = 0;
    virtual void setPan(float pan) = 0;
    virtual float getPan() = 0;
    virtual void setPitchShift(float shift) = 0;
    virtual float getPitchShift() = 0;
    virtual bool isSeekable() = 0;
    virtual int getLength() = 0;
    virtual void setPosition(int position) = 0;
    virtual int getPosition() = 0;
};

// SINGLE: a play restarts the one voice. MULTIPLE: plays overlap (up to 16 at once; a play
// beyond that restarts the voice that has played longest).
enum SoundEffectType
{
    SINGLE,
    MULTIPLE,
};

// A short sound held decoded in memory. Volume, pan and pitch apply to every voice.
class SoundEffect : public RefCounted
{
  public:
    virtual void play() = 0;
    virtual void stop() = 0;
    virtual void setVolume(float volume) = 0;
    virtual float getVolume() = 0;
    virtual void setPan(float pan) = 0;
    virtual float getPan() = 0;
    virtual void setPitchShift(float shift) = 0;
    virtual float getPitchShift() = 0;
};

typedef RefPtr<AudioDevice> AudioDevicePtr;
typedef RefPtr<SampleSource> SampleSourcePtr;
typedef RefPtr<OutputStream> OutputStreamPtr;
typedef RefPtr<SoundEffect> SoundEffectPtr;

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
