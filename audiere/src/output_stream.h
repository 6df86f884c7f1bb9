// A streamed sound: one OpenAL source fed from its decoder through a queue of kBuffers
// buffers of 50 ms each (400 ms ahead at pitch 1, 200 ms at the highest pitch), filled at
// play and refilled by the streaming thread as they are played. A buffer may cross the seam
// of a loop, so looping has no gap; each queued buffer remembers which frames of the file it
// holds, so the position is the frame being heard.
#pragma once

#include "audiere/src/decoder.h"
#include "audiere/src/device.h"
#include "audiere/src/voice_settings.h"

#include <deque>
#include <mutex>
#include <vector>

namespace audiere
{

class Stream final : public RefImplementation<OutputStream>
{
  public:
    // Null when OpenAL refuses a source or buffers.
    static Stream* Open(Device& device, Decoder& source);
    ~Stream() override;
    Stream(const Stream&) = delete;
    Stream& operator=(const Stream&) = delete;

    static constexpr int kBuffers = 8;
    static constexpr int kBufferMilliseconds = 50;

    void play() override;
    void stop() override;
    bool isPlaying() override;
    void reset() override;
    void setRepeat(bool repeat) override;
    bool getRepeat() override;
    void setVolume(float volume) override;
    float getVolume() override;
    void setPan(float pan) override;
    float getPan() override;
    void setPitchShift(float shift) override;
    float getPitchShift() override;
    bool isSeekable() override { return decoder->Seekable(); }
    int getLength() override { return decoder->Length(); }
    void setPosition(int position) override;
    int getPosition() override;

    // From the streaming thread: takes back played buffers, refills and queues them, restarts
    // the source after an underrun, and ends the play once the last queued frame is heard.
    void Service();

  private:
    // A run of consecutive frames of the file inside one buffer.
    struct Piece
    {
        int start;
        int frames;
    };
    struct QueuedBuffer
    {
        ALuint buffer;
        int frames;
        std::vector<Piece> pieces;
    };

    Stream(Device& owner, Decoder& input, ALuint alSource, const ALuint* buffers);
    // Decodes into `queued` (a full buffer unless the file ends without repeat); false when
    // nothing more comes.
    bool Fill(QueuedBuffer& queued);
    void QueueFreeBuffers();
    // Starts playing from the decoder's position; false, back at the start, when the file has
    // nothing left.
    bool Start();
    // Stops the source and takes back every buffer.
    void Halt();
    int HeardPosition();
    void ApplyToSource();

    std::mutex mutex;
    RefPtr<Device> device;
    RefPtr<Decoder> decoder;
    ALuint source;
    std::vector<ALuint> freeBuffers;
    std::deque<QueuedBuffer> queue;
    std::vector<short> samples;
    int bufferFrames;
    VoiceSettings settings;
    bool playing = false;
    bool repeat = false;
    // The decoder has given its last frame of this play.
    bool drained = false;
};

} // namespace audiere
