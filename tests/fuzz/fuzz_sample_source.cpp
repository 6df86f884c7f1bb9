// Fuzzes the audio layer's opening path: the input is an audio file (a memory file opened by
// its /proc path) handed to AdrOpenSampleSource; a source that opens is decoded whole into a
// sound effect and, as a stream, filled, moved to its middle and stopped, on OpenAL Soft's
// null back end (no sound card needed, nothing heard).
#include "audiere/audiere.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace
{

audiere::AudioDevice* Device()
{
    static audiere::AudioDevicePtr device = []
    {
        setenv("ALSOFT_DRIVERS", "null", 1);
        return audiere::AudioDevicePtr(audiere::AdrOpenDevice(nullptr, nullptr));
    }();
    return device.get();
}

void Exercise(audiere::SampleSource* opened)
{
    audiere::SampleSourcePtr source(opened);
    audiere::SoundEffectPtr effect(
        audiere::AdrOpenSoundEffect(Device(), source.get(), audiere::MULTIPLE));
    if (effect)
        effect->play();
    audiere::OutputStreamPtr stream(audiere::AdrOpenSound(Device(), source.get(), true));
    if (!stream)
        return;
    stream->setRepeat(true);
    stream->play();
    stream->setPosition(stream->getLength() / 2);
    stream->getPosition();
    stream->stop();
}

} // namespace

// libsndfile 1.2.0 leaves the Vorbis decoder's state of some broken Ogg files allocated
// (vorbis_info_init, never cleared on its error path): a leak in the system library, not
// here, so the leak check looks past the two libraries.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libvorbis.so\nleak:libsndfile.so\n";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (!Device())
        std::abort();
    int fd = memfd_create("fuzz-audio", MFD_CLOEXEC);
    if (fd < 0)
        std::abort();
    if (size > 0 && write(fd, data, size) != ssize_t(size))
        std::abort();
    std::string path = "/proc/self/fd/" + std::to_string(fd);
    Exercise(audiere::AdrOpenSampleSource(path.c_str(), audiere::FF_AUTODETECT));
    close(fd);
    return 0;
}
