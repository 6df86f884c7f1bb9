// Reading Wavefront OBJ text and its MTL material libraries into meshes of triangles, with no
// drawing involved: MODEL3D::Load turns the result into textured vertex buffers, and the
// fuzz target drives it on arbitrary text. Files are hostile: bounded sizes and counts, indices
// checked, every other line ignored.
#pragma once

#include "graphics/ov_vertex.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace OvCore
{

// One material of a material library ("newmtl"): its name, texture and colour.
struct OBJ_MATERIAL
{
    std::string name;               // the "newmtl" name that "usemtl" lines refer to
    std::string texture;            // the last map_Kd's file name, relative to the folder
    OV_VECTOR_F colour{1, 1, 1, 1}; // Kd; white until set, alpha never set by the file
};

// The triangles of one "usemtl" name, in the order their faces came.
struct OBJ_MESH
{
    std::string material;            // the "usemtl" name, always one of the model's materials
    std::vector<OV_VERTEX> vertices; // three corners per triangle, polygons fanned
};

// What an OBJ file and its material libraries hold: the materials and the meshes.
struct OBJ_MODEL
{
    std::vector<OBJ_MATERIAL> materials; // one per "newmtl" name, in the order first named
    std::vector<OBJ_MESH> meshes;        // in the order their names first appeared
};

// Limits on what one model may make; a file past them is refused, not cut short.
constexpr size_t OBJ_MAX_FILE_BYTES = size_t(256) << 20;
constexpr size_t OBJ_MAX_LIBRARY_BYTES = size_t(16) << 20;
constexpr size_t OBJ_MAX_LIBRARIES = 64;
constexpr size_t OBJ_MAX_VERTICES = size_t(1) << 24; // triangle corners over all meshes

// Gives the text of the material library of that name; false when there is none.
using OBJ_LIBRARY_READER = std::function<bool(const std::string& name, std::string& text)>;

// Reads OBJ text into `model`: false (and `model` left empty) only when a limit is passed.
bool ReadObj(std::string_view text, const OBJ_LIBRARY_READER& readLibrary, OBJ_MODEL& model);

} // namespace OvCore
