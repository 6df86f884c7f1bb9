// What OpenAL Soft really mixes, captured for the sound tests: before the process's first
// OpenAL call, the tests point OpenAL Soft (ALSOFT_CONF, for this process only) at its
// wave-file back end writing 44.1 kHz stereo into a folder of their own. Each device opened
// afterwards writes a fresh file, read back once the device has closed.
#pragma once

#include "sound/sound_system.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace SoundTest
{

constexpr int kMixRate = 44100;

struct Mix
{
    std::vector<float> left;
    std::vector<float> right;
    size_t Frames() const { return left.size(); }
};

// A run of frames louder than the threshold on either channel, [first, last].
struct Burst
{
    size_t first;
    size_t last;
    size_t Frames() const { return last - first + 1; }
};

// A sound system on a freshly captured device.
std::unique_ptr<OvCore::SOUND_SYSTEM> OpenCapturedSystem();
// Waits until the device has mixed `seconds` more audio (the file grew by that much).
void WaitMixed(double seconds);
// Waits (up to 10 s of mixing) until the stream is no longer playing.
void WaitStreamEnd(OvCore::SOUND_SYSTEM& system, OvCore::SOUND_STREAM_HANDLE stream);
// Destroys the system, which closes its device, and reads what it mixed.
Mix FinishCapture(std::unique_ptr<OvCore::SOUND_SYSTEM> system);
// While hidden, the back end's folder is missing, so no device opens.
void HideCaptureFolder(bool hidden);

// A file in this process's scratch folder, removed at exit.
std::string ScratchPath(const std::string& name);

std::vector<Burst> Bursts(const Mix& mix, float threshold = 0.01f, size_t quietFrames = 2205);
double Rms(const std::vector<float>& samples, size_t first, size_t last);
// The longest run of frames inside [first, last] quieter than `threshold` on both channels.
size_t LongestQuiet(const Mix& mix, size_t first, size_t last, float threshold = 0.01f);

} // namespace SoundTest
