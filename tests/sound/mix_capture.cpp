// The wave-file capture of the mix, and measurements on it.
#include "sound/mix_capture.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace SoundTest
{

namespace
{

namespace fs = std::filesystem;

struct CaptureFolder
{
    fs::path root;
    fs::path output() const { return root / "out"; }
    fs::path file() const { return output() / "mix.wav"; }
};

// The folder's name, in a buffer that outlives every destructor run at exit.
char rootName[] = "/tmp/ov-sound-test-XXXXXX";

// Made before main runs, so before anything in the process calls OpenAL; removed at exit,
// after the application (made later) has closed its device.
CaptureFolder MakeCaptureFolder()
{
    if (!mkdtemp(rootName))
    {
        std::perror("mkdtemp");
        std::abort();
    }
    CaptureFolder folder{rootName};
    fs::create_directories(folder.output());
    std::ofstream(folder.root / "alsoft.conf")
        << "[general]\ndrivers = wave\nchannels = stereo\nfrequency = " << kMixRate
        << "\nhrtf = false\n[wave]\nfile = " << folder.file().string() << "\n";
    setenv("ALSOFT_CONF", (folder.root / "alsoft.conf").c_str(), 1);
    setenv("ALSOFT_DRIVERS", "wave", 1);
    std::atexit(
        []
        {
            std::error_code ignored;
            fs::remove_all(rootName, ignored);
        });
    return folder;
}

const CaptureFolder& Folder()
{
    static const CaptureFolder folder = MakeCaptureFolder();
    return folder;
}

[[maybe_unused]] const bool kConfiguredBeforeMain = !Folder().root.empty();

off_t MixedBytes()
{
    struct stat status;
    return stat(Folder().file().c_str(), &status) == 0 ? status.st_size : 0;
}

} // namespace

std::unique_ptr<OvCore::SOUND_SYSTEM> OpenCapturedSystem()
{
    // A device still writing (the application's) keeps its file under the old name.
    std::error_code ignored;
    fs::rename(Folder().file(), Folder().output() / "previous.wav", ignored);
    return std::make_unique<OvCore::SOUND_SYSTEM>();
}

void WaitMixed(double seconds)
{
    const off_t target = MixedBytes() + off_t(seconds * kMixRate) * 2 * off_t(sizeof(float));
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (MixedBytes() < target && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_GE(MixedBytes(), target) << "the device stopped mixing";
}

void WaitStreamEnd(OvCore::SOUND_SYSTEM& system, OvCore::SOUND_STREAM_HANDLE stream)
{
    for (int step = 0; step < 200 && system.StreamIsPlaying(stream); ++step)
        WaitMixed(0.05);
    ASSERT_FALSE(system.StreamIsPlaying(stream)) << "the stream never ended";
}

Mix FinishCapture(std::unique_ptr<OvCore::SOUND_SYSTEM> system)
{
    system.reset();
    Mix mix;
    SF_INFO info = {};
    SNDFILE* file = sf_open(Folder().file().c_str(), SFM_READ, &info);
    EXPECT_NE(file, nullptr) << sf_strerror(nullptr);
    if (!file)
        return mix;
    EXPECT_EQ(info.channels, 2);
    EXPECT_EQ(info.samplerate, kMixRate);
    std::vector<float> frames(size_t(info.frames) * 2);
    sf_count_t got = sf_readf_float(file, frames.data(), info.frames);
    sf_close(file);
    for (sf_count_t frame = 0; frame < got; ++frame)
    {
        mix.left.push_back(frames[size_t(frame) * 2]);
        mix.right.push_back(frames[size_t(frame) * 2 + 1]);
    }
    return mix;
}

std::string ScratchPath(const std::string& name)
{
    fs::create_directories(Folder().root / "scratch");
    return (Folder().root / "scratch" / name).string();
}

void HideCaptureFolder(bool hidden)
{
    const fs::path hiding = Folder().root / "hidden";
    if (hidden)
        fs::rename(Folder().output(), hiding);
    else
        fs::rename(hiding, Folder().output());
}

std::vector<Burst> Bursts(const Mix& mix, float threshold, size_t quietFrames)
{
    std::vector<Burst> bursts;
    for (size_t frame = 0; frame < mix.Frames(); ++frame)
    {
        if (std::fabs(mix.left[frame]) <= threshold && std::fabs(mix.right[frame]) <= threshold)
            continue;
        if (!bursts.empty() && frame - bursts.back().last <= quietFrames)
            bursts.back().last = frame;
        else
            bursts.push_back({frame, frame});
    }
    return bursts;
}

double Rms(const std::vector<float>& samples, size_t first, size_t last)
{
    double sum = 0;
    for (size_t frame = first; frame <= last && frame < samples.size(); ++frame)
        sum += double(samples[frame]) * samples[frame];
    return std::sqrt(sum / double(last - first + 1));
}

size_t LongestQuiet(const Mix& mix, size_t first, size_t last, float threshold)
{
    size_t longest = 0, run = 0;
    for (size_t frame = first; frame <= last && frame < mix.Frames(); ++frame)
    {
        bool quiet =
            std::fabs(mix.left[frame]) < threshold && std::fabs(mix.right[frame]) < threshold;
        run = quiet ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

} // namespace SoundTest
