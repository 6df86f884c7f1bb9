// Effects as the mixer plays them: overlapping plays, volume, pan (mono and stereo files)
// and pitch, measured on OpenAL Soft's real output.
#include "sound/mix_capture.h"
#include "sound/test_audio.h"

#include <gtest/gtest.h>

using namespace SoundTest;
using OvCore::SOUND_EFFECT_HANDLE;

namespace
{

constexpr int kRate = 44100;

std::string NoiseFile(int channels, int frames)
{
    std::string path = ScratchPath("noise" + std::to_string(channels) + ".wav");
    WriteAudio(path, WavFormat(), channels, kRate, frames, Noise(0.2f));
    return path;
}

// The loudness of the one burst a capture holds.
double BurstRms(const Mix& mix)
{
    std::vector<Burst> bursts = Bursts(mix);
    EXPECT_EQ(bursts.size(), 1u);
    return bursts.empty() ? 0 : Rms(mix.left, bursts[0].first, bursts[0].last);
}

Mix PlayEffect(const std::string& file, int plays, float volume)
{
    auto system = OpenCapturedSystem();
    SOUND_EFFECT_HANDLE effect = system->LoadEffect(file.c_str());
    EXPECT_TRUE(effect);
    EXPECT_TRUE(system->EffectSetVolume(effect, volume));
    for (int play = 0; play < plays; ++play)
        EXPECT_TRUE(system->EffectPlay(effect));
    WaitMixed(0.5);
    return FinishCapture(std::move(system));
}

} // namespace

TEST(EffectMix, OverlappingPlaysSumAndVolumeScales)
{
    std::string file = NoiseFile(1, kRate / 5);
    double once = BurstRms(PlayEffect(file, 1, 1.0f));
    double thrice = BurstRms(PlayEffect(file, 3, 1.0f));
    double quiet = BurstRms(PlayEffect(file, 1, 0.5f));
    ASSERT_GT(once, 0.02);
    // Three plays of one buffer overlap: sqrt(3) louder even if they start apart.
    EXPECT_GT(thrice, 1.5 * once);
    EXPECT_NEAR(quiet / once, 0.5, 0.05);
}

TEST(EffectMix, PanLeftLeavesTheRightSilentForMonoAndStereo)
{
    for (int channels : {1, 2})
    {
        SCOPED_TRACE(channels);
        auto system = OpenCapturedSystem();
        SOUND_EFFECT_HANDLE effect = system->LoadEffect(NoiseFile(channels, kRate / 5).c_str());
        ASSERT_TRUE(effect);
        for (float pan : {-1.0f, -0.5f})
        {
            EXPECT_TRUE(system->EffectSetPan(effect, pan));
            EXPECT_FLOAT_EQ(system->EffectGetPan(effect), pan);
            EXPECT_TRUE(system->EffectPlay(effect));
            WaitMixed(0.5);
        }
        Mix mix = FinishCapture(std::move(system));
        std::vector<Burst> bursts = Bursts(mix);
        ASSERT_EQ(bursts.size(), 2u);
        double ratio[2];
        for (size_t play = 0; play < 2; ++play)
        {
            double left = Rms(mix.left, bursts[play].first, bursts[play].last);
            EXPECT_GT(left, 0.05);
            ratio[play] = Rms(mix.right, bursts[play].first, bursts[play].last) / left;
        }
        EXPECT_LT(ratio[0], 0.01);
        // Half way to the left is between the speakers, not already at the left one.
        EXPECT_GT(ratio[1], 0.1);
        EXPECT_LT(ratio[1], 0.9);
    }
}

TEST(EffectMix, PitchTwoHalvesTheDuration)
{
    std::string file = ScratchPath("tone.wav");
    ASSERT_TRUE(WriteAudio(file, WavFormat(), 1, kRate, kRate * 2 / 5, Sine(441, 0.3f, kRate)));
    auto system = OpenCapturedSystem();
    SOUND_EFFECT_HANDLE effect = system->LoadEffect(file.c_str());
    ASSERT_TRUE(effect);
    EXPECT_TRUE(system->EffectPlay(effect));
    WaitMixed(0.6);
    EXPECT_TRUE(system->EffectSetPitch(effect, 2.0f));
    EXPECT_FLOAT_EQ(system->EffectGetPitch(effect), 2.0f);
    EXPECT_TRUE(system->EffectPlay(effect));
    WaitMixed(0.5);
    Mix mix = FinishCapture(std::move(system));
    std::vector<Burst> bursts = Bursts(mix);
    ASSERT_EQ(bursts.size(), 2u);
    EXPECT_NEAR(double(bursts[0].Frames()), kRate * 0.4, kRate * 0.005);
    EXPECT_NEAR(double(bursts[1].Frames()), kRate * 0.2, kRate * 0.005);
}
