// Writes the sounds of examples/sound_demo: blip.wav, a short mono chirp that fades out (the
// effect), and music.ogg, four seconds of stereo arpeggio that loops without a click (every
// note is a whole number of periods and the last one fades into the first).
//
// Usage: sound_art <output folder>
#include <sndfile.h>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

namespace
{

constexpr int kRate = 44100;

bool Write(const std::string& path, int format, int channels, const std::vector<float>& samples)
{
    SF_INFO info = {};
    info.samplerate = kRate;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file)
    {
        std::fprintf(stderr, "sound_art: %s: %s\n", path.c_str(), sf_strerror(nullptr));
        return false;
    }
    sf_count_t frames = sf_count_t(samples.size()) / channels;
    bool whole = sf_writef_float(file, samples.data(), frames) == frames;
    sf_close(file);
    return whole;
}

// 120 ms rising from 600 to 1500 Hz, fading out.
std::vector<float> Blip()
{
    const int frames = kRate * 12 / 100;
    std::vector<float> samples(frames);
    double phase = 0;
    for (int frame = 0; frame < frames; ++frame)
    {
        double t = double(frame) / frames;
        phase += 2 * std::numbers::pi * (600 + 900 * t) / kRate;
        samples[frame] = float(0.5 * (1 - t) * std::sin(phase));
    }
    return samples;
}

// Sixteen notes of 250 ms over an A minor chord, left and right voices an octave apart.
std::vector<float> Music()
{
    const double notes[] = {220, 261.63, 329.63, 440, 329.63, 261.63, 220,    164.81,
                            220, 261.63, 329.63, 392, 329.63, 293.66, 246.94, 196};
    const int noteFrames = kRate / 4;
    std::vector<float> samples;
    for (double hertz : notes)
        for (int frame = 0; frame < noteFrames; ++frame)
        {
            double t = double(frame) / kRate;
            double envelope = std::sin(std::numbers::pi * frame / noteFrames);
            double low = std::sin(2 * std::numbers::pi * hertz * t);
            double high = std::sin(2 * std::numbers::pi * hertz * 2 * t);
            samples.push_back(float(0.3 * envelope * (0.8 * low + 0.2 * high)));
            samples.push_back(float(0.3 * envelope * (0.2 * low + 0.8 * high)));
        }
    return samples;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: sound_art <output folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    bool written = Write(folder + "/blip.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, Blip()) &&
                   Write(folder + "/music.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 2, Music());
    return written ? 0 : 1;
}
