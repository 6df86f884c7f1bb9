// The sample source: a libsndfile decoder of one file, reading 16-bit frames, with the
// position it has reached. Its own lock makes each read or seek whole, so a source handed to
// two streams by mistake cannot be torn between the threads.
#pragma once

#include "audiere/src/ref_implementation.h"

#include <sndfile.h>

#include <mutex>

namespace audiere
{

class Decoder final : public RefImplementation<SampleSource>
{
  public:
    // Null when the file is refused (see AdrOpenSampleSource).
    static Decoder* Open(const char* path, FileFormat format);
    ~Decoder() override;
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;

    int Channels() const { return channels; }
    int Rate() const { return rate; }
    bool Seekable() const { return seekable; }
    // In frames as the file's header tells it (0 when it cannot seek, at most INT_MAX).
    int Length() const { return length; }

    // Up to `frames` frames into `out` (Channels() samples each); 0 at the end or on an error.
    int Read(short* out, int frames);
    // False, keeping the position, when the file cannot go there.
    bool Seek(int frame);
    int Position();

  private:
    Decoder(SNDFILE* file, const SF_INFO& info);

    std::mutex mutex;
    SNDFILE* file;
    int channels;
    int rate;
    bool seekable;
    int length;
    int position = 0;
};

} // namespace audiere
