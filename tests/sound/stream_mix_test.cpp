// Streams as the mixer plays them: every format decodes and plays whole, the end is not cut
// off, a repeating stream has no gap at its seam, a stalled main thread does not starve it,
// and length and position count frames. Measured on OpenAL Soft's real output.
#include "sound/mix_capture.h"
#include "sound/test_audio.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

using namespace SoundTest;
using OvCore::SOUND_STREAM_HANDLE;

namespace
{

constexpr int kRate = 44100;

std::string ToneFile(const std::string& name, int format, int channels, int rate, int frames)
{
    std::string path = ScratchPath(name);
    WriteAudio(path, format, channels, rate, frames, Sine(441, 0.3f, rate));
    return path;
}

// The one burst of a capture, and that it holds no gap of 2 ms or more.
Burst WholeBurst(const Mix& mix)
{
    std::vector<Burst> bursts = Bursts(mix);
    EXPECT_EQ(bursts.size(), 1u);
    if (bursts.empty())
        return {0, 0};
    EXPECT_LT(LongestQuiet(mix, bursts[0].first, bursts[0].last), 88u);
    return bursts[0];
}

} // namespace

TEST(StreamMix, EachFormatPlaysToItsLastFrame)
{
    struct Case
    {
        const char* name;
        int format;
        int channels;
        int rate;
    };
    // 0.7 s, not a whole number of the stream's 50 ms buffers at 22.05 kHz (0.7 s = 15435).
    for (Case file : {Case{"a.wav", WavFormat(), 1, kRate}, Case{"b.ogg", OggFormat(), 2, kRate},
                      Case{"c.flac", FlacFormat(), 1, 22050}, Case{"d.mp3", Mp3Format(), 2, kRate}})
    {
        SCOPED_TRACE(file.name);
        const int frames = file.rate * 7 / 10 + 17;
        auto system = OpenCapturedSystem();
        SOUND_STREAM_HANDLE stream = system->LoadStream(
            ToneFile(file.name, file.format, file.channels, file.rate, frames).c_str());
        ASSERT_TRUE(stream);
        EXPECT_EQ(system->StreamGetLength(stream), frames);
        EXPECT_TRUE(system->StreamPlay(stream));
        EXPECT_TRUE(system->StreamIsPlaying(stream));
        WaitStreamEnd(*system, stream);
        // A stream heard to its end is back at its start.
        EXPECT_EQ(system->StreamGetPosition(stream), 0);
        WaitMixed(0.1);
        Burst burst = WholeBurst(FinishCapture(std::move(system)));
        EXPECT_NEAR(double(burst.Frames()), double(frames) * kRate / file.rate, kRate * 0.003);
    }
}

TEST(StreamMix, RepeatLoopsWithoutAGapAtTheSeam)
{
    // 110 whole periods of 441 Hz: the loop's seam continues the wave.
    std::string file = ToneFile("loop.wav", WavFormat(), 1, kRate, kRate / 4);
    auto system = OpenCapturedSystem();
    SOUND_STREAM_HANDLE stream = system->LoadStream(file.c_str());
    ASSERT_TRUE(stream);
    EXPECT_TRUE(system->StreamSetRepeat(stream, true));
    EXPECT_TRUE(system->StreamPlay(stream));
    WaitMixed(1.2);
    EXPECT_TRUE(system->StreamIsPlaying(stream));
    EXPECT_TRUE(system->StreamStop(stream));
    EXPECT_FALSE(system->StreamIsPlaying(stream));
    WaitMixed(0.1);
    Burst burst = WholeBurst(FinishCapture(std::move(system)));
    // At least four seams heard.
    EXPECT_GT(burst.Frames(), size_t(kRate));
}

TEST(StreamMix, AStalledMainThreadDoesNotGapTheStream)
{
    std::string file = ToneFile("long.ogg", OggFormat(), 2, kRate, kRate);
    auto system = OpenCapturedSystem();
    SOUND_STREAM_HANDLE stream = system->LoadStream(file.c_str());
    ASSERT_TRUE(stream);
    EXPECT_TRUE(system->StreamPlay(stream));
    // The program's thread is busy for 200 ms, twice, touching no sound call.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_GT(system->StreamGetPosition(stream), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    WaitStreamEnd(*system, stream);
    WaitMixed(0.1);
    Burst burst = WholeBurst(FinishCapture(std::move(system)));
    EXPECT_NEAR(double(burst.Frames()), kRate, kRate * 0.003);
}

TEST(StreamMix, LengthAndPositionCountFrames)
{
    // One second of stereo at 22.05 kHz: 22050 frames (not samples, bytes or milliseconds).
    std::string file = ToneFile("frames.wav", WavFormat(), 2, 22050, 22050);
    auto system = OpenCapturedSystem();
    SOUND_STREAM_HANDLE stream = system->LoadStream(file.c_str());
    ASSERT_TRUE(stream);
    EXPECT_EQ(system->StreamGetLength(stream), 22050);
    EXPECT_TRUE(system->StreamSetPosition(stream, 16000));
    EXPECT_EQ(system->StreamGetPosition(stream), 16000);
    EXPECT_TRUE(system->StreamSetPosition(stream, 99999));
    EXPECT_EQ(system->StreamGetPosition(stream), 22050);
    EXPECT_TRUE(system->StreamReset(stream));
    EXPECT_EQ(system->StreamGetPosition(stream), 0);

    // From frame 11025 the second half plays: half a second of the mix.
    EXPECT_TRUE(system->StreamSetPosition(stream, 11025));
    EXPECT_TRUE(system->StreamPlay(stream));
    WaitMixed(0.2);
    int heard = system->StreamGetPosition(stream);
    EXPECT_GT(heard, 11025);
    EXPECT_LT(heard, 22050);
    // Stop keeps the position heard; playing again goes on from there.
    EXPECT_TRUE(system->StreamStop(stream));
    int stopped = system->StreamGetPosition(stream);
    EXPECT_GE(stopped, heard);
    EXPECT_LT(stopped - heard, 22050 / 10);
    EXPECT_TRUE(system->StreamPlay(stream));
    WaitStreamEnd(*system, stream);
    WaitMixed(0.1);
    Mix mix = FinishCapture(std::move(system));
    std::vector<Burst> bursts = Bursts(mix, 0.01f, 44100);
    ASSERT_EQ(bursts.size(), 1u);
    // The stop and the play again may leave one mixing period (about 23 ms) between them.
    EXPECT_NEAR(double(bursts[0].Frames()), kRate * 0.5, kRate * 0.04);
}

TEST(StreamMix, PanAndPitchApplyToStreams)
{
    std::string file = ToneFile("stereo.flac", FlacFormat(), 2, kRate, kRate / 2);
    auto system = OpenCapturedSystem();
    SOUND_STREAM_HANDLE stream = system->LoadStream(file.c_str());
    ASSERT_TRUE(stream);
    EXPECT_TRUE(system->StreamSetPan(stream, 1.0f));
    EXPECT_TRUE(system->StreamSetPitch(stream, 2.0f));
    EXPECT_TRUE(system->StreamSetVolume(stream, 0.5f));
    EXPECT_FLOAT_EQ(system->StreamGetPan(stream), 1.0f);
    EXPECT_FLOAT_EQ(system->StreamGetPitch(stream), 2.0f);
    EXPECT_FLOAT_EQ(system->StreamGetVolume(stream), 0.5f);
    EXPECT_TRUE(system->StreamPlay(stream));
    WaitStreamEnd(*system, stream);
    WaitMixed(0.1);
    Mix mix = FinishCapture(std::move(system));
    Burst burst = WholeBurst(mix);
    EXPECT_NEAR(double(burst.Frames()), kRate * 0.25, kRate * 0.005);
    EXPECT_LT(Rms(mix.left, burst.first, burst.last),
              0.01 * Rms(mix.right, burst.first, burst.last));
}

TEST(StreamMix, AStreamThatRanDryGoesOnWhereItStopped)
{
    // The whole process is stopped for 1.5 s, longer than the 400 ms queued: on waking, the
    // mixer catches up at once and plays the queue dry before the layer's thread can refill
    // it. The stream must restart and still play every frame.
    std::string file = ToneFile("underrun.wav", WavFormat(), 1, kRate, kRate * 2);
    auto system = OpenCapturedSystem();
    SOUND_STREAM_HANDLE stream = system->LoadStream(file.c_str());
    ASSERT_TRUE(stream);
    EXPECT_TRUE(system->StreamPlay(stream));
    WaitMixed(0.3);
    pid_t parent = getpid();
    pid_t helper = fork();
    ASSERT_GE(helper, 0);
    if (helper == 0)
    {
        kill(parent, SIGSTOP);
        usleep(1500 * 1000);
        kill(parent, SIGCONT);
        _exit(0);
    }
    int status = 0;
    waitpid(helper, &status, 0);
    WaitStreamEnd(*system, stream);
    WaitMixed(0.1);
    Mix mix = FinishCapture(std::move(system));
    size_t heard = 0;
    for (const Burst& burst : Bursts(mix, 0.01f, 88))
        heard += burst.Frames();
    EXPECT_NEAR(double(heard), kRate * 2, kRate * 0.01);
}
