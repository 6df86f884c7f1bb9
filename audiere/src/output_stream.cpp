// Streams: the buffer queue, its refills and the heard position.
#include "audiere/src/output_stream.h"

#include "audiere/src/streamer.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace audiere
{

Stream* Stream::Open(Device& device, Decoder& source)
{
    ContextScope scope(device);
    alGetError();
    ALuint alSource = 0;
    alGenSources(1, &alSource);
    if (alGetError() != AL_NO_ERROR)
        return nullptr;
    ALuint buffers[kBuffers] = {};
    alGenBuffers(kBuffers, buffers);
    if (alGetError() != AL_NO_ERROR)
    {
        alDeleteSources(1, &alSource);
        return nullptr;
    }
    Stream* stream = new Stream(device, source, alSource, buffers);
    Streamer::Instance().Add(stream);
    return stream;
}

Stream::Stream(Device& owner, Decoder& input, ALuint alSource, const ALuint* buffers)
    : device(&owner), decoder(&input), source(alSource), freeBuffers(buffers, buffers + kBuffers),
      bufferFrames(std::max(64, int(int64_t(input.Rate()) * kBufferMilliseconds / 1000)))
{
    samples.resize(size_t(bufferFrames) * size_t(input.Channels()));
    PrepareSource(alSource);
    ApplyToSource();
}

Stream::~Stream()
{
    Streamer::Instance().Remove(this);
    ContextScope scope(*device);
    Halt();
    alDeleteSources(1, &source);
    alDeleteBuffers(ALsizei(freeBuffers.size()), freeBuffers.data());
}

bool Stream::Fill(QueuedBuffer& queued)
{
    const int channels = decoder->Channels();
    queued.frames = 0;
    queued.pieces.clear();
    bool rewound = false;
    while (queued.frames < bufferFrames)
    {
        int start = decoder->Position();
        int got = decoder->Read(samples.data() + size_t(queued.frames) * size_t(channels),
                                bufferFrames - queued.frames);
        if (got > 0)
        {
            queued.pieces.push_back({start, got});
            queued.frames += got;
            rewound = false;
            continue;
        }
        // At the end: a repeating stream goes on from the start in the same buffer, unless
        // the start gives nothing either.
        if (!repeat || rewound || !decoder->Seek(0))
        {
            drained = true;
            break;
        }
        rewound = true;
    }
    if (queued.frames == 0)
        return false;
    alBufferData(queued.buffer, channels == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16,
                 samples.data(), ALsizei(size_t(queued.frames) * size_t(channels) * sizeof(short)),
                 decoder->Rate());
    return true;
}

void Stream::QueueFreeBuffers()
{
    while (!drained && !freeBuffers.empty())
    {
        QueuedBuffer queued{freeBuffers.back(), 0, {}};
        if (!Fill(queued))
            break;
        alSourceQueueBuffers(source, 1, &queued.buffer);
        freeBuffers.pop_back();
        queue.push_back(std::move(queued));
    }
}

bool Stream::Start()
{
    drained = false;
    QueueFreeBuffers();
    if (queue.empty())
    {
        decoder->Seek(0);
        return false;
    }
    alSourcePlay(source);
    return true;
}

void Stream::Halt()
{
    alSourceStop(source);
    alSourcei(source, AL_BUFFER, 0);
    for (const QueuedBuffer& queued : queue)
        freeBuffers.push_back(queued.buffer);
    queue.clear();
}

int Stream::HeardPosition()
{
    if (queue.empty())
        return decoder->Position();
    ALint state = AL_STOPPED, offset = 0;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    alGetSourcei(source, AL_SAMPLE_OFFSET, &offset);
    // A source that ran dry has played everything queued.
    if (state != AL_PLAYING)
        offset = INT_MAX;
    int end = 0;
    for (const QueuedBuffer& queued : queue)
        for (const Piece& piece : queued.pieces)
        {
            if (offset < piece.frames)
                return piece.start + offset;
            offset -= piece.frames;
            end = piece.start + piece.frames;
        }
    return end;
}

void Stream::ApplyToSource()
{
    ContextScope scope(*device);
    ApplySettings(source, settings, decoder->Channels());
}

void Stream::Service()
{
    std::lock_guard<std::mutex> lock(mutex);
    if (!playing)
        return;
    ContextScope scope(*device);
    ALint processed = 0;
    alGetSourcei(source, AL_BUFFERS_PROCESSED, &processed);
    for (; processed > 0 && !queue.empty(); --processed)
    {
        ALuint buffer = 0;
        alSourceUnqueueBuffers(source, 1, &buffer);
        freeBuffers.push_back(buffer);
        queue.pop_front();
    }
    QueueFreeBuffers();
    if (queue.empty())
    {
        // The end was heard: the stream stops and goes back to the start.
        playing = false;
        decoder->Seek(0);
        return;
    }
    ALint state = AL_STOPPED;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    if (state != AL_PLAYING)
        alSourcePlay(source);
}

void Stream::play()
{
    std::lock_guard<std::mutex> lock(mutex);
    if (playing)
        return;
    ContextScope scope(*device);
    playing = Start();
}

void Stream::stop()
{
    std::lock_guard<std::mutex> lock(mutex);
    if (!playing)
        return;
    ContextScope scope(*device);
    int heard = HeardPosition();
    Halt();
    decoder->Seek(heard);
    playing = false;
}

bool Stream::isPlaying()
{
    std::lock_guard<std::mutex> lock(mutex);
    return playing;
}

void Stream::reset()
{
    setPosition(0);
}

void Stream::setPosition(int position)
{
    std::lock_guard<std::mutex> lock(mutex);
    if (!decoder->Seekable())
        return;
    ContextScope scope(*device);
    if (playing)
        Halt();
    decoder->Seek(std::clamp(position, 0, decoder->Length()));
    if (playing)
        playing = Start();
}

int Stream::getPosition()
{
    std::lock_guard<std::mutex> lock(mutex);
    if (!playing)
        return decoder->Position();
    ContextScope scope(*device);
    return HeardPosition();
}

void Stream::setRepeat(bool flag)
{
    std::lock_guard<std::mutex> lock(mutex);
    repeat = flag;
    // A play whose file had run out goes on with the next loop.
    if (repeat && playing)
        drained = false;
}

bool Stream::getRepeat()
{
    std::lock_guard<std::mutex> lock(mutex);
    return repeat;
}

void Stream::setVolume(float volume)
{
    std::lock_guard<std::mutex> lock(mutex);
    settings.SetVolume(volume);
    ApplyToSource();
}

float Stream::getVolume()
{
    std::lock_guard<std::mutex> lock(mutex);
    return settings.volume;
}

void Stream::setPan(float pan)
{
    std::lock_guard<std::mutex> lock(mutex);
    settings.SetPan(pan);
    ApplyToSource();
}

float Stream::getPan()
{
    std::lock_guard<std::mutex> lock(mutex);
    return settings.pan;
}

void Stream::setPitchShift(float shift)
{
    std::lock_guard<std::mutex> lock(mutex);
    settings.SetPitch(shift);
    ApplyToSource();
}

float Stream::getPitchShift()
{
    std::lock_guard<std::mutex> lock(mutex);
    return settings.pitch;
}

extern "C" ADR_API OutputStream* AdrOpenSound(AudioDevice* device, SampleSource* source, bool)
{
    if (!device || !source)
        return nullptr;
    // Every device and source the library hands out is one of its own.
    return Stream::Open(static_cast<Device&>(*device), static_cast<Decoder&>(*source));
}

} // namespace audiere
