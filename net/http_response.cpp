// HTTP/1.1 response framing: header, Content-Length, chunks, or the peer's close.
#include "net/http_response.h"

#include <algorithm>
#include <cstring>

namespace OvCore
{

namespace
{

constexpr uint64_t kBodyLimit = UINT32_MAX; // a ByteBuffer holds at most this much

std::string Lower(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string Trim(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

int DigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 99;
}

// Digits of `base` from `text`, the whole of it; false when empty, foreign or above `limit`.
bool ParseDigits(const std::string& text, int base, uint64_t limit, uint64_t& value)
{
    if (text.empty())
        return false;
    value = 0;
    for (char c : text)
    {
        const int digit = DigitValue(c);
        if (digit >= base)
            return false;
        value = value * base + digit;
        if (value > limit)
            return false;
    }
    return true;
}

} // namespace

bool ParseContentLength(const std::string& text, uint32_t& value)
{
    uint64_t parsed = 0;
    bool ok = false;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        ok = ParseDigits(text.substr(2), 16, UINT32_MAX, parsed);
    else if (text.size() > 1 && text[0] == '0')
        ok = ParseDigits(text.substr(1), 8, UINT32_MAX, parsed);
    else
        ok = ParseDigits(text, 10, UINT32_MAX, parsed);
    if (ok)
        value = static_cast<uint32_t>(parsed);
    return ok;
}

bool HttpResponseParser::Feed(const uint8_t* data, size_t n, ByteBuffer& body)
{
    while (n > 0 && stage_ != Stage::Done && stage_ != Stage::Failed)
    {
        const size_t used = stage_ == Stage::Header ? FeedHeader(data, n) : FeedBody(data, n, body);
        data += used;
        n -= used;
    }
    return stage_ != Stage::Failed;
}

void HttpResponseParser::PeerClosed()
{
    if (stage_ == Stage::UntilClose || (stage_ == Stage::Trailer && pending_.empty()))
        stage_ = Stage::Done;
    else if (stage_ != Stage::Done)
        stage_ = Stage::Failed;
}

// Collects header bytes up to the blank line; only the new bytes are searched, so a header
// split anywhere, even one byte a block, is found once.
size_t HttpResponseParser::FeedHeader(const uint8_t* data, size_t n)
{
    const size_t searchFrom = pending_.size() < 3 ? 0 : pending_.size() - 3;
    const size_t room = HeaderLimit - pending_.size();
    const size_t taken = std::min(n, room);
    pending_.append(reinterpret_cast<const char*>(data), taken);
    const size_t end = pending_.find("\r\n\r\n", searchFrom);
    if (end == std::string::npos)
    {
        if (pending_.size() >= HeaderLimit)
            stage_ = Stage::Failed;
        return taken;
    }
    const size_t overshoot = pending_.size() - (end + 4); // body bytes of this block
    const std::string header = pending_.substr(0, end);
    pending_.clear();
    if (!ReadHeader(header))
        stage_ = Stage::Failed;
    return taken - overshoot;
}

bool HttpResponseParser::ReadHeader(const std::string& header)
{
    // Status line: "HTTP/1.x NNN reason".
    const size_t lineEnd = std::min(header.find("\r\n"), header.size());
    const std::string statusLine = header.substr(0, lineEnd);
    if (statusLine.compare(0, 5, "HTTP/") != 0)
        return false;
    const size_t space = statusLine.find(' ');
    uint64_t status = 0;
    if (space == std::string::npos ||
        !ParseDigits(statusLine.substr(space + 1, 3), 10, 999, status) || status < 100)
        return false;
    status_ = static_cast<int>(status);
    hasLength_ = false;
    chunked_ = false;
    for (size_t at = lineEnd; at < header.size();)
    {
        const size_t start = at + 2;
        const size_t next = std::min(header.find("\r\n", start), header.size());
        const std::string line = header.substr(start, next - start);
        at = next;
        if (line.empty())
            continue;
        const size_t colon = line.find(':');
        if (colon == std::string::npos || colon == 0)
            return false;
        if (!ReadField(Lower(line.substr(0, colon)), Trim(line.substr(colon + 1))))
            return false;
    }
    if (status_ < 200)
        stage_ = Stage::Header; // an interim response: the real one follows
    else if (status_ == 204 || status_ == 304)
    {
        hasLength_ = false; // such a length describes another response, not this one
        contentLength_ = 0;
        stage_ = Stage::Done;
    }
    else if (chunked_)
        stage_ = Stage::ChunkSize;
    else if (hasLength_)
    {
        left_ = contentLength_;
        stage_ = contentLength_ == 0 ? Stage::Done : Stage::Length;
    }
    else
        stage_ = Stage::UntilClose;
    if (chunked_)
        hasLength_ = false; // chunks frame the body; a length beside them is not used
    return true;
}

bool HttpResponseParser::ReadField(const std::string& name, const std::string& value)
{
    if (name == "content-length")
    {
        uint32_t length = 0;
        if (!ParseContentLength(value, length) || (hasLength_ && length != contentLength_))
            return false;
        hasLength_ = true;
        contentLength_ = length;
    }
    else if (name == "transfer-encoding")
    {
        const std::string coding = Lower(value);
        chunked_ = coding.size() >= 7 && coding.compare(coding.size() - 7, 7, "chunked") == 0;
    }
    return true;
}

// Collects one CRLF-ended line into pending_ (without the CRLF); returns the bytes used.
// The stage is told by pending_ ending in "\r\n".
size_t HttpResponseParser::FeedLine(const uint8_t* data, size_t n, size_t limit)
{
    size_t used = 0;
    while (used < n)
    {
        pending_.push_back(static_cast<char>(data[used++]));
        const size_t size = pending_.size();
        if (size >= 2 && pending_[size - 2] == '\r' && pending_[size - 1] == '\n')
            break;
        if (size > limit)
        {
            stage_ = Stage::Failed;
            break;
        }
    }
    return used;
}

bool HttpResponseParser::TakeSizeLine()
{
    std::string line = pending_.substr(0, pending_.size() - 2);
    pending_.clear();
    line = Trim(line.substr(0, line.find(';'))); // extensions follow a ';'
    uint64_t size = 0;
    if (!ParseDigits(line, 16, kBodyLimit, size) || bodyBytes_ + size > kBodyLimit)
        return false;
    left_ = size;
    stage_ = size == 0 ? Stage::Trailer : Stage::ChunkData;
    return true;
}

bool HttpResponseParser::TakeTrailerLine()
{
    const bool blank = pending_.size() == 2;
    trailerBytes_ += pending_.size();
    pending_.clear();
    if (blank)
        stage_ = Stage::Done;
    return trailerBytes_ <= HeaderLimit;
}

size_t HttpResponseParser::FeedBody(const uint8_t* data, size_t n, ByteBuffer& body)
{
    switch (stage_)
    {
    case Stage::Length:
    case Stage::ChunkData:
    {
        const size_t taken = static_cast<size_t>(std::min<uint64_t>(n, left_));
        if (!Append(data, taken, body))
            return taken;
        left_ -= taken;
        if (left_ == 0)
            stage_ = stage_ == Stage::Length ? Stage::Done : Stage::ChunkEnd;
        return taken;
    }
    case Stage::UntilClose:
        Append(data, n, body);
        return n;
    case Stage::ChunkSize:
    case Stage::ChunkEnd:
    case Stage::Trailer:
    {
        const Stage lineOf = stage_;
        const size_t limit = lineOf == Stage::ChunkSize  ? SizeLineLimit
                             : lineOf == Stage::ChunkEnd ? 2
                                                         : HeaderLimit;
        const size_t used = FeedLine(data, n, limit);
        const bool complete = pending_.size() >= 2 && pending_.back() == '\n' &&
                              pending_[pending_.size() - 2] == '\r';
        if (stage_ == Stage::Failed || !complete)
            return used;
        bool ok = true;
        if (lineOf == Stage::ChunkSize)
            ok = TakeSizeLine();
        else if (lineOf == Stage::ChunkEnd)
        {
            ok = pending_.size() == 2;
            pending_.clear();
            stage_ = Stage::ChunkSize;
        }
        else
            ok = TakeTrailerLine();
        if (!ok)
            stage_ = Stage::Failed;
        return used;
    }
    default:
        return n;
    }
}

bool HttpResponseParser::Append(const uint8_t* data, size_t n, ByteBuffer& body)
{
    if (n == 0)
        return true;
    if (bodyBytes_ + n > kBodyLimit)
    {
        stage_ = Stage::Failed;
        return false;
    }
    body.Seek(0, false, true);
    if (body.Write(data, static_cast<uint32_t>(n)) != n)
    {
        stage_ = Stage::Failed;
        return false;
    }
    bodyBytes_ += n;
    return true;
}

} // namespace OvCore
