// ByteBuffer, the framework's one container for raw bytes: whole files are read into it before
// parsing (models, skins, layouts, technique scripts), textures are locked into it and network
// data arrives in it. A fixed block with a read/write cursor and a separate count of used
// bytes. The engine library fills buffers by writing these fields itself, so their order is
// shared with it and the block is always allocated with malloc.
#pragma once

#include <cstdint>

#include "core/ov_string.h"

namespace OvCore
{

// A block of bytes with a cursor and a count of bytes in use, laid out as the engine reads it.
struct ByteBuffer
{
    uint32_t capacity = 0;     // bytes in the block
    uint8_t* start = nullptr;  // the block (owned unless borrowed)
    uint8_t* cursor = nullptr; // within start .. start + capacity
    uint8_t scratch = 0;       // what out-of-range indexing yields (ByteAt)
    uint8_t borrowed = 0;      // set: the block belongs to someone else and is never freed
    uint32_t count = 0;        // bytes in use (the end of the data)
    uint32_t growStep = 0;     // 0: grow to the exact size needed

    ByteBuffer() = default;
    ByteBuffer(const ByteBuffer&) = delete; // one owner per block
    ByteBuffer& operator=(const ByteBuffer&) = delete;
    ByteBuffer(ByteBuffer&& other) noexcept;            // takes the block; `other` is left empty
    ByteBuffer& operator=(ByteBuffer&& other) noexcept; // frees its own block, takes other's
    ~ByteBuffer() { Destroy(); }

    // Everything 0 or null; a block the buffer owned is freed first.
    void Init();
    // A block of n bytes, cursor at start, count 0, not borrowed. False when it cannot be
    // allocated (the buffer is then left as Init leaves it).
    bool InitWithCapacity(uint32_t n);
    // Unless borrowed, frees the block. Either way the buffer is left empty: capacity, start,
    // cursor and count 0.
    void Destroy();

    // Frees any block and allocates a fresh, uninitialised one of n bytes: cursor at start,
    // count 0. n = 0 leaves the buffer empty. False (buffer unchanged) when n bytes cannot be
    // allocated.
    bool Reset(uint32_t n);
    // A block of n bytes holding the old bytes from offset `from` on (as many as both blocks
    // hold); cursor at start; count shrinks with the move and to n. n = 0 frees. False (buffer
    // unchanged) when n bytes cannot be allocated.
    bool Resize(uint32_t n, uint32_t from = 0);

    // Writes n bytes at the cursor, growing the block (exactly, or by whole growSteps) to
    // position + n; count becomes position + n, so writing in the middle cuts the data there.
    // Returns the bytes written: 0 for null data, or when the block cannot grow.
    uint32_t Write(const void* data, uint32_t n);
    // The characters, plus the terminating zero when asked; null text writes nothing.
    uint32_t WriteString(const char* text, bool withTerminator);

    // Copies up to n bytes from the cursor into dst (room for n bytes); stops at count.
    // Returns the bytes read; 0 at the end or for a null dst.
    uint32_t Read(void* dst, uint32_t n);
    // Terminated: `out` becomes the text from the cursor to the first zero byte or to count;
    // the cursor skips it and its terminator; returns length + 1. Not terminated: the text is
    // everything up to count; returns its length. 0 (out empty) when nothing is left to read.
    uint32_t ReadString(OV_STRING& out, bool terminated);

    // Not relative: position n, or count - n when backward. Relative: position + n, or
    // position - n when backward. Clamped to the block, then to count; returns the position.
    uint32_t Seek(uint32_t n, bool relative, bool backward);
    // The cursor's offset from the start of the block.
    uint32_t Position() const { return static_cast<uint32_t>(cursor - start); }
    // True when the cursor is at or past the end of the data (count).
    bool AtEnd() const { return Position() >= count; }

    // Byte i of the block, or `scratch` when i is out of range (writes there change no data).
    uint8_t* ByteAt(uint32_t i);
    // The cursor when asked, else start.
    uint8_t* Data(bool atCursor) const { return atCursor ? cursor : start; }

    // Reads `length` bytes (0: the file's size) from `offset` into a fresh block; count is the
    // number actually read. False when the file does not open, is larger than 4 GiB, or the
    // block cannot be allocated. An empty file gives an empty buffer and true.
    bool LoadFile(const char* path, uint32_t offset = 0, uint32_t length = 0);
    // Replaces the file with one holding min(count, length) bytes (all of count when length
    // is 0) at `offset` (zeros before). True when the write completed; on failure the previous
    // file is left as it was (formats/file_replace.h).
    bool SaveFile(const char* path, uint32_t offset = 0, uint32_t length = 0) const;
    // Appends count bytes to the file. True when the write completed; on failure (a full
    // disk) the file is cut back to its previous length, or removed if the append made it.
    bool AppendFile(const char* path) const;
    // The file's size (0 when it does not open); with a null path, count.
    uint64_t FileSize(const char* path) const;

  private:
    uint32_t DataEnd() const;               // count, bounded by the block
    void Adopt(uint8_t* block, uint32_t n); // frees the old block unless borrowed
    bool Reallocate(uint32_t n);            // keeps the bytes that fit; the cursor is the caller's
    void Detach();                          // forgets the block without freeing it
};

} // namespace OvCore
