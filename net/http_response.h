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

// Reads one HTTP/1.1 response from the blocks it is fed and hands on its body.
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

    // True once the whole header was read; also once the response failed, however early.
    bool HeaderDone() const { return stage_ > Stage::Header; }
    // True once the body is complete.
    bool Done() const { return stage_ == Stage::Done; }
    // True once the response was refused; nothing more is read.
    bool Failed() const { return stage_ == Stage::Failed; }
    // True when the header gave a Content-Length.
    bool HasLength() const { return hasLength_; }
    // The Content-Length in bytes; 0 when there is none (or for a response without a body).
    uint32_t ContentLength() const { return contentLength_; }
    // Body bytes handed on so far (chunk framing not counted).
    uint64_t BodyBytes() const { return bodyBytes_; }
    // The status code of the last status line read (200, 404...); 0 before the first.
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
