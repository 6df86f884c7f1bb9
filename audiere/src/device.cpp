// Opening the output device.
#define AL_ALEXT_PROTOTYPES
#include "audiere/src/device.h"

#include <AL/alext.h>

#include <cstring>

namespace audiere
{

Device::Device(ALCdevice* alDevice, ALCcontext* alContext) : device(alDevice), context(alContext) {}

Device::~Device()
{
    alcDestroyContext(context);
    alcCloseDevice(device);
}

ContextScope::ContextScope(const Device& device) : previous(alcGetThreadContext())
{
    alcSetThreadContext(device.Context());
}

ContextScope::~ContextScope()
{
    alcSetThreadContext(previous);
}

namespace
{

bool NamesDefault(const char* name)
{
    return !name || !*name || std::strcmp(name, "autodetect") == 0;
}

} // namespace

extern "C" ADR_API AudioDevice* AdrOpenDevice(const char* name, const char*)
{
    ALCdevice* device = alcOpenDevice(NamesDefault(name) ? nullptr : name);
    if (!device)
        return nullptr;
    ALCcontext* context = nullptr;
    if (alcIsExtensionPresent(device, "ALC_EXT_thread_local_context"))
        context = alcCreateContext(device, nullptr);
    if (!context)
    {
        alcCloseDevice(device);
        return nullptr;
    }
    return new Device(device, context);
}

} // namespace audiere
