// Fuzzes the HTTP response reader: the input after its first byte is fed in blocks whose
// sizes follow that byte (1 to 16 bytes, or all at once), then the peer closes. Whatever
// arrives, the reader must stay within its limits and count exactly the body it appended.
#include "formats/byte_buffer.h"
#include "net/http_response.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace OvCore;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const size_t step = data[0] % 17 == 0 ? size : data[0] % 17;
    HttpResponseParser parser;
    ByteBuffer body;
    for (size_t at = 1; at < size; at += step)
        if (!parser.Feed(data + at, size - at < step ? size - at : step, body))
            break;
    parser.PeerClosed();
    if (parser.BodyBytes() != body.count)
        std::abort();
    if (parser.Done() && parser.HasLength() && parser.BodyBytes() != parser.ContentLength())
        std::abort();
    return 0;
}
