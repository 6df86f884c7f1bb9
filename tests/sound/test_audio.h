// Audio files the sound tests write for themselves with libsndfile: tones and noise in any
// of the four formats, mono or stereo, at a given rate and length.
#pragma once

#include <functional>
#include <string>

namespace SoundTest
{

// SF_FORMAT_... major and subtype, e.g. SF_FORMAT_WAV | SF_FORMAT_PCM_16.
int WavFormat();
int OggFormat();
int FlacFormat();
int Mp3Format();

// One sample per channel and frame; `channel` 0 is left.
using Signal = std::function<float(int frame, int channel)>;

Signal Sine(double hertz, float amplitude, int rate);
// Deterministic white noise, the same on both channels.
Signal Noise(float amplitude);

// Writes `frames` frames; false (with a gtest failure) when libsndfile refuses.
bool WriteAudio(const std::string& path, int format, int channels, int rate, int frames,
                const Signal& signal);

} // namespace SoundTest
