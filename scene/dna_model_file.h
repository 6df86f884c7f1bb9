// The soft-body model file "envboxmodel2d", read into plain records before anything is
// built, so that a refused file creates nothing. Text, one value per line; lines end at CR,
// LF or CRLF and empty lines are skipped. Every file is hostile: its size, its counts and
// every index are bounded, numbers must be finite decimals filling their line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace OvCore
{

struct DNA_MODEL_FILE
{
    static constexpr size_t MAX_BYTES = 16u << 20; // larger texts are refused
    static constexpr int32_t MAX_COUNT = 65536;    // of each of the four sections

    struct Substance
    {
        double x, y, mass, range;
        int32_t solid;
    };
    struct Surface
    {
        int32_t corners[3];
        double uv[6]; // u1, v1, u2, v2, u3, v3
        std::string texture;
    };
    struct Force
    {
        int32_t ends[2];
        double resilience;
    };
    struct Attachment
    {
        std::string texture;
        double left, top, right, bottom;
        int32_t force;
        bool reverse, stretch;
    };

    std::vector<Substance> substances;
    std::vector<Surface> surfaces;
    std::vector<Force> forces;
    std::vector<Attachment> attachments;
};

// True when the text's first two lines are "envboxmodel2d" and "2".
bool IsDnaModelHeader(const char* text, size_t length);
// Reads a whole model. False, with `model` emptied, for a missing or wrong header, a text over
// MAX_BYTES, a count that is not a whole number in 0..MAX_COUNT or exceeds the lines left, a
// value that is not a finite number, an index outside the count read before it (substances
// for surfaces and forces, forces for attachments), or a text that ends early.
bool ReadDnaModel(const char* text, size_t length, DNA_MODEL_FILE& model);

} // namespace OvCore
