// The sound system's lists and handles: what a failed load leaves, what empty and stale
// handles answer, the releases, a machine without an audio device, and ReadMp3Tag.
#include "sound/mix_capture.h"
#include "sound/test_audio.h"

#include "app/ov_application.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>
#include <cstring>
#include <fstream>

using namespace SoundTest;
using OvCore::MP3_TAG;
using OvCore::SOUND_EFFECT_HANDLE;
using OvCore::SOUND_STREAM_HANDLE;
using OvCore::SOUND_SYSTEM;

namespace
{

std::string WriteBytes(const std::string& name, const std::string& bytes)
{
    std::string path = ScratchPath(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

std::string ShortTone(const std::string& name)
{
    std::string path = ScratchPath(name);
    WriteAudio(path, WavFormat(), 1, 44100, 4410, Sine(441, 0.3f, 44100));
    return path;
}

// Every operation on the handles answers false or 0.
void ExpectAllRefused(SOUND_SYSTEM& system, SOUND_EFFECT_HANDLE effect, SOUND_STREAM_HANDLE stream)
{
    EXPECT_FALSE(system.EffectPlay(effect));
    EXPECT_FALSE(system.EffectStop(effect));
    EXPECT_FALSE(system.EffectSetVolume(effect, 0.5f));
    EXPECT_EQ(system.EffectGetVolume(effect), 0.0f);
    EXPECT_FALSE(system.EffectSetPan(effect, 0.5f));
    EXPECT_EQ(system.EffectGetPan(effect), 0.0f);
    EXPECT_FALSE(system.EffectSetPitch(effect, 1.5f));
    EXPECT_EQ(system.EffectGetPitch(effect), 0.0f);
    EXPECT_FALSE(system.RemoveEffect(effect));
    EXPECT_FALSE(system.StreamPlay(stream));
    EXPECT_FALSE(system.StreamStop(stream));
    EXPECT_FALSE(system.StreamIsPlaying(stream));
    EXPECT_FALSE(system.StreamReset(stream));
    EXPECT_FALSE(system.StreamSetRepeat(stream, true));
    EXPECT_FALSE(system.StreamSetVolume(stream, 0.5f));
    EXPECT_EQ(system.StreamGetVolume(stream), 0.0f);
    EXPECT_FALSE(system.StreamSetPan(stream, 0.5f));
    EXPECT_EQ(system.StreamGetPan(stream), 0.0f);
    EXPECT_FALSE(system.StreamSetPitch(stream, 1.5f));
    EXPECT_EQ(system.StreamGetPitch(stream), 0.0f);
    EXPECT_EQ(system.StreamGetLength(stream), 0);
    EXPECT_FALSE(system.StreamSetPosition(stream, 10));
    EXPECT_EQ(system.StreamGetPosition(stream), 0);
    EXPECT_FALSE(system.RemoveStream(stream));
}

} // namespace

TEST(SoundSystem, MissingCorruptAndForeignFilesLoadNothing)
{
    auto system = OpenCapturedSystem();
    ASSERT_TRUE(system->device);
    SOUND_EFFECT_HANDLE kept = system->LoadEffect(ShortTone("kept.wav").c_str());
    ASSERT_TRUE(kept);
    std::string riff("RIFF\x24\x00\x00\x00WAVEfmt \x10\x00\x00\x00", 20);
    std::string au(".snd\0\0\0\x18\0\0\0\x10\0\0\0\x03\0\0\x1f\x40\0\0\0\x01", 24);
    std::string fifo = ScratchPath("fifo.wav");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string refused[] = {
        ScratchPath("missing.wav"), WriteBytes("empty.wav", ""), WriteBytes("truncated.wav", riff),
        WriteBytes("garbage.ogg", "OggS" + std::string(300, '\x5a')),
        WriteBytes("noise.mp3", std::string(5000, '\x13')),
        // A format libsndfile reads but the library does not take.
        WriteBytes("sun.au", au + std::string(64, '\0')), ScratchPath(""),
        fifo, // a FIFO would block whoever opens it
    };
    for (const std::string& file : refused)
    {
        SCOPED_TRACE(file);
        EXPECT_TRUE(system->LoadEffect(file.c_str()).IsEmpty());
        EXPECT_TRUE(system->LoadStream(file.c_str()).IsEmpty());
        EXPECT_EQ(system->effects.Count(), 1u);
        EXPECT_EQ(system->streams.Count(), 0u);
    }
    EXPECT_TRUE(system->LoadEffect(nullptr).IsEmpty());
    EXPECT_TRUE(system->EffectPlay(kept));
}

TEST(SoundSystem, EmptyAndStaleHandlesAnswerFalseOrZero)
{
    auto system = OpenCapturedSystem();
    ExpectAllRefused(*system, SOUND_EFFECT_HANDLE(), SOUND_STREAM_HANDLE());

    std::string tone = ShortTone("tone.wav");
    SOUND_EFFECT_HANDLE first = system->LoadEffect(tone.c_str());
    SOUND_EFFECT_HANDLE second = system->LoadEffect(tone.c_str());
    SOUND_STREAM_HANDLE stream = system->LoadStream(tone.c_str());
    ASSERT_TRUE(first && second && stream);
    EXPECT_EQ(system->StreamGetLength(stream), 4410);
    EXPECT_TRUE(system->RemoveEffect(first));
    EXPECT_TRUE(system->RemoveStream(stream));
    ExpectAllRefused(*system, first, stream);
    // The other entry is untouched; its handle still names it.
    EXPECT_EQ(system->effects.Count(), 1u);
    EXPECT_TRUE(system->EffectSetVolume(second, 0.25f));
    EXPECT_FLOAT_EQ(system->EffectGetVolume(second), 0.25f);

    EXPECT_TRUE(system->ClearEffects());
    EXPECT_FALSE(system->ClearEffects());
    EXPECT_FALSE(system->ClearStreams());
    ExpectAllRefused(*system, second, stream);
}

TEST(SoundSystem, SettingsAreClampedAndNanIsIgnored)
{
    auto system = OpenCapturedSystem();
    SOUND_EFFECT_HANDLE effect = system->LoadEffect(ShortTone("clamp.wav").c_str());
    ASSERT_TRUE(effect);
    system->EffectSetVolume(effect, 3.0f);
    system->EffectSetPan(effect, -7.0f);
    system->EffectSetPitch(effect, 9.0f);
    EXPECT_FLOAT_EQ(system->EffectGetVolume(effect), 1.0f);
    EXPECT_FLOAT_EQ(system->EffectGetPan(effect), -1.0f);
    EXPECT_FLOAT_EQ(system->EffectGetPitch(effect), 2.0f);
    system->EffectSetPitch(effect, 0.0f);
    EXPECT_FLOAT_EQ(system->EffectGetPitch(effect), 0.5f);
    system->EffectSetVolume(effect, std::nanf(""));
    EXPECT_FLOAT_EQ(system->EffectGetVolume(effect), 1.0f);
}

TEST(SoundSystem, WithoutADeviceLoadsGiveEmptyHandles)
{
    HideCaptureFolder(true);
    auto system = std::make_unique<SOUND_SYSTEM>();
    HideCaptureFolder(false);
    EXPECT_FALSE(system->device);
    std::string tone = ShortTone("nodevice.wav");
    EXPECT_TRUE(system->LoadEffect(tone.c_str()).IsEmpty());
    EXPECT_TRUE(system->LoadStream(tone.c_str()).IsEmpty());
    EXPECT_EQ(system->effects.Count(), 0u);
    EXPECT_EQ(system->streams.Count(), 0u);
    ExpectAllRefused(*system, SOUND_EFFECT_HANDLE(), SOUND_STREAM_HANDLE());
}

TEST(SoundSystem, ReleaseAllEmptiesTheApplicationsLists)
{
    OvCore::SOUND_SYSTEM& sound = OvCore::Application().sound;
    ASSERT_TRUE(sound.device);
    std::string tone = ShortTone("release.wav");
    ASSERT_TRUE(sound.LoadEffect(tone.c_str()));
    ASSERT_TRUE(sound.LoadStream(tone.c_str()));
    OvCore::Application().ReleaseAll();
    EXPECT_EQ(sound.effects.Count(), 0u);
    EXPECT_EQ(sound.streams.Count(), 0u);
    EXPECT_TRUE(sound.device);
}

TEST(SoundSystem, ReadMp3TagFindsTheTagOnlyWhereItBelongs)
{
    std::string fields(125, ' ');
    fields.replace(0, 5, "Title");
    fields.replace(30, 6, "Artist");
    fields.replace(90, 4, "1999");
    fields[124] = char(17);
    std::string audio(700, '\x11');
    MP3_TAG tag;
    std::memset(&tag, 0, sizeof tag);
    EXPECT_TRUE(
        SOUND_SYSTEM::ReadMp3Tag(WriteBytes("tagged.mp3", audio + "TAG" + fields).c_str(), tag));
    EXPECT_EQ(std::string(tag.title, 5), "Title");
    EXPECT_EQ(std::string(tag.artist, 6), "Artist");
    EXPECT_EQ(std::string(tag.year, 4), "1999");
    EXPECT_EQ(tag.genre, 17);
    // Exactly 128 bytes: the tag is the whole file.
    EXPECT_TRUE(SOUND_SYSTEM::ReadMp3Tag(WriteBytes("only.mp3", "TAG" + fields).c_str(), tag));

    MP3_TAG untouched;
    std::memset(&untouched, 0x7e, sizeof untouched);
    std::string fifo = ScratchPath("fifo.mp3");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string refused[] = {
        fifo,
        WriteBytes("untagged.mp3", audio + "TAX" + fields),
        // "TAG" in the wrong place, not 128 bytes before the end.
        WriteBytes("misplaced.mp3", audio + "TAG" + fields + "x"),
        // Shorter than 128 bytes, beginning with "TAG": nothing before the start is read.
        WriteBytes("short.mp3", "TAG" + fields.substr(0, 100)),
        WriteBytes("empty.mp3", ""),
        ScratchPath("missing.mp3"),
        ScratchPath(""),
    };
    for (const std::string& file : refused)
    {
        SCOPED_TRACE(file);
        MP3_TAG out = untouched;
        EXPECT_FALSE(SOUND_SYSTEM::ReadMp3Tag(file.c_str(), out));
        EXPECT_EQ(std::memcmp(&out, &untouched, sizeof out), 0);
    }
    EXPECT_FALSE(SOUND_SYSTEM::ReadMp3Tag(nullptr, tag));
}
