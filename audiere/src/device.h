// The output device: one OpenAL Soft device with one context. Every OpenAL call of the
// library runs inside a ContextScope, which makes the device's context current on the calling
// thread only, so the streaming thread and the program's thread never disturb each other.
#pragma once

#include "audiere/src/ref_implementation.h"

#include <AL/alc.h>

namespace audiere
{

class Device final : public RefImplementation<AudioDevice>
{
  public:
    Device(ALCdevice* device, ALCcontext* context);
    ~Device() override;
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    ALCcontext* Context() const { return context; }

  private:
    ALCdevice* device;
    ALCcontext* context;
};

class ContextScope
{
  public:
    explicit ContextScope(const Device& device);
    ~ContextScope();
    ContextScope(const ContextScope&) = delete;
    ContextScope& operator=(const ContextScope&) = delete;

  private:
    ALCcontext* previous;
};

} // namespace audiere
