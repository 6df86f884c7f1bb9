// Writing the tests' audio.
#include "sound/test_audio.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace SoundTest
{

int WavFormat()
{
    return SF_FORMAT_WAV | SF_FORMAT_PCM_16;
}

int OggFormat()
{
    return SF_FORMAT_OGG | SF_FORMAT_VORBIS;
}

int FlacFormat()
{
    return SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
}

int Mp3Format()
{
    return SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III;
}

Signal Sine(double hertz, float amplitude, int rate)
{
    return [=](int frame, int)
    { return amplitude * float(std::sin(2 * std::numbers::pi * hertz * frame / rate)); };
}

Signal Noise(float amplitude)
{
    return [=](int frame, int)
    {
        uint32_t x = uint32_t(frame) * 2654435761u + 12345u;
        x ^= x >> 15;
        x *= 2246822519u;
        x ^= x >> 13;
        return amplitude * (float(x % 20001u) / 10000.0f - 1.0f);
    };
}

bool WriteAudio(const std::string& path, int format, int channels, int rate, int frames,
                const Signal& signal)
{
    SF_INFO info = {};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    EXPECT_NE(file, nullptr) << path << ": " << sf_strerror(nullptr);
    if (!file)
        return false;
    std::vector<float> samples(size_t(frames) * size_t(channels));
    for (int frame = 0; frame < frames; ++frame)
        for (int channel = 0; channel < channels; ++channel)
            samples[size_t(frame) * size_t(channels) + size_t(channel)] = signal(frame, channel);
    sf_count_t written = sf_writef_float(file, samples.data(), frames);
    sf_close(file);
    EXPECT_EQ(written, frames);
    return written == frames;
}

} // namespace SoundTest
