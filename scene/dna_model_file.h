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

// A soft-body model file as read: its four sections, values as the file gives them.
struct DNA_MODEL_FILE
{
    static constexpr size_t MAX_BYTES = 16u << 20; // larger texts are refused
    static constexpr int32_t MAX_COUNT = 65536;    // of each of the four sections

    // A point mass of the body.
    struct Substance
    {
        // The start position x and y (before the load's placement), then the mass and the
        // range, which the load multiplies by its mass and range scales.
        double x, y, mass, range;
        int32_t solid; // the engine's solid flag, truncated from the file's number
    };
    // A textured triangle over three substances.
    struct Surface
    {
        // The substance index of each corner, below the substance count.
        int32_t corners[3];
        double uv[6];        // u1, v1, u2, v2, u3, v3
        std::string texture; // the name of the sprite whose current frame covers the triangle
    };
    // A spring between two substances.
    struct Force
    {
        int32_t ends[2];   // the substance index of each end, below the substance count
        double resilience; // multiplied by the load's resilience scale
    };
    // A sprite drawn along a spring.
    struct Attachment
    {
        std::string texture; // the sprite's name
        // The quad about the anchor, in pixels before the load's scale: x from -left to
        // right - left along the spring, y from -top to bottom - top across it.
        double left, top, right, bottom;
        int32_t force; // the index of the spring, below the force count
        // Non-zero in the file: anchored at the spring's second end; and stretched to its length.
        bool reverse, stretch; // the quad reaches exactly to the other end of the spring
    };

    std::vector<Substance> substances;   // in file order; surfaces and forces index them
    std::vector<Surface> surfaces;       // in file order
    std::vector<Force> forces;           // in file order; attachments index them
    std::vector<Attachment> attachments; // in file order
};

// True when the text's first two lines are "envboxmodel2d" and "2".
bool IsDnaModelHeader(const char* text, size_t length);
// Reads a whole model. False, with `model` emptied, for a missing or wrong header, a text over
// MAX_BYTES, a count that is not a whole number in 0..MAX_COUNT or exceeds the lines left, a
// value that is not a finite number, an index outside the count read before it (substances
// for surfaces and forces, forces for attachments), or a text that ends early.
bool ReadDnaModel(const char* text, size_t length, DNA_MODEL_FILE& model);

} // namespace OvCore
