// The reader of an HTTP/1.1 response, fed the bytes as they arrive in blocks of any size:
// it finds the header however it is split, frames the body by Content-Length, by chunks
// (every size line, extensions and trailers) or by the peer's close, and appends only the
// body to the caller's buffer. Everything a peer sends is bounded and checked; a response
// that cannot be framed is refused (Failed), never guessed at.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "formats/byte_buffer.h"

namespace OvCore
{

class HttpResponseParser
{
  public:
    static constexpr size_t HeaderLimit = 64 * 1024; // status line, fields and trailers
    static constexpr size_t SizeLineLimit = 1024;    // one chunk-size line

    // Takes the next block; body bytes are appended to `body`. False once the response is
    // refused. Bytes after a complete response are ignored.
    bool Feed(const uint8_t* data, size_t n, ByteBuffer& body);
    // The peer closed: a body framed by the close is complete, and so is a chunked body
    // whose last chunk came without its closing line; anything else unfinished fails.
    void PeerClosed();

    bool HeaderDone() const { return stage_ > Stage::Header; }
    bool Done() const { return stage_ == Stage::Done; }
    bool Failed() const { return stage_ == Stage::Failed; }
    bool HasLength() const { return hasLength_; }
    uint32_t ContentLength() const { return contentLength_; }
    uint64_t BodyBytes() const { return bodyBytes_; }
    int Status() const { return status_; }

  private:
    enum class Stage
    {
        Header,
        Length,     // Content-Length bytes left
        UntilClose, // the body runs to the peer's close
        ChunkSize,
        ChunkData,
        ChunkEnd, // the CRLF after a chunk's data
        Trailer,
        Done,
        Failed,
    };

    size_t FeedHeader(const uint8_t* data, size_t n);
    size_t FeedBody(const uint8_t* data, size_t n, ByteBuffer& body);
    size_t FeedLine(const uint8_t* data, size_t n, size_t limit);
    bool ReadHeader(const std::string& header);
    bool ReadField(const std::string& name, const std::string& value);
    bool TakeSizeLine();
    bool TakeTrailerLine();
    bool Append(const uint8_t* data, size_t n, ByteBuffer& body);

    Stage stage_ = Stage::Header;
    std::string pending_; // header or line bytes not yet complete
    size_t trailerBytes_ = 0;
    bool hasLength_ = false;
    bool chunked_ = false;
    uint32_t contentLength_ = 0;
    uint64_t left_ = 0; // body or chunk bytes still to come
    uint64_t bodyBytes_ = 0;
    int status_ = 0;
};

// Content-Length as the framework reads it: decimal, "0x" hexadecimal or a leading "0"
// octal ("010" is 8), the whole value, no sign, no more than 32 bits. False otherwise.
bool ParseContentLength(const std::string& text, uint32_t& value);

} // namespace OvCore
