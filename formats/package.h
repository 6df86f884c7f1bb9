// Packages: archives of named files kept by the engine library (ZIP archives). A PackageInfo
// lists one package and reads its entries into ByteBuffers; PackageSave writes a new one.
#pragma once

#include <cstdint>

#include "core/ov_string.h"
#include "formats/byte_buffer.h"
#include "orvane_core.h"

namespace OvCore
{

// One file to put in a package: its entry name and the buffer whose `count` bytes it holds.
struct PackageFile
{
    const char* name = nullptr;         // the entry name inside the package
    const ByteBuffer* buffer = nullptr; // the bytes (its first `count`); stays the caller's
};

// One open package: its name and entry table, and the reading of its entries.
struct PackageInfo
{
    OV_STRING name;                      // the open package's file name, empty when none
    OvVirtualFileInfo descriptor{0, {}}; // the engine's entry table

    PackageInfo() = default;
    PackageInfo(const PackageInfo&) = delete; // the table has one owner
    PackageInfo& operator=(const PackageInfo&) = delete;
    ~PackageInfo() { PackageClose(); }

    // Reads the package's entry table (closing any package open before); false when the
    // file is missing, damaged or past the engine's bounds (OvVirtualFileLastError says which).
    bool PackageOpen(const char* packageName);
    // Frees the entry table; the name becomes empty.
    void PackageClose();

    // The number of entries; 0 when no package is open.
    uint32_t PackageEntryCount() const { return descriptor.count; }
    // Out-of-range indices give a null name and size 0.
    const char* PackageEntryName(uint32_t i) const;
    uint32_t PackageEntrySize(uint32_t i) const;
    // The first entry named exactly `entryName`.
    bool PackageFind(const char* entryName, uint32_t& index) const;
    // Entry i into the buffer (count = its size); false for a null buffer, no open package,
    // an index out of range, or bytes that fail the engine's checks.
    bool PackageLoad(ByteBuffer* buffer, uint32_t i) const;

    // Writes n files as a new package; true when the whole package was written.
    static bool PackageSave(const char* packageName, const PackageFile* files, uint32_t n);
};

} // namespace OvCore
