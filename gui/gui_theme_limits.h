// The limits a theme file is held to: what a hand-written theme never comes near, and what
// keeps a hostile one from hanging the loader or making it allocate without bound.
#pragma once

namespace OvCore
{
namespace OV_GUI
{

constexpr long THEME_FILE_LIMIT = 4L << 20;     // bytes of one theme file
constexpr unsigned THEME_INCLUDE_DEPTH = 16;    // themes open at once (includes in includes)
constexpr unsigned THEME_FILE_COUNT = 64;       // files read by one LoadTheme, includes too
constexpr unsigned THEME_ELEMENT_COUNT = 65536; // theme elements handled by one LoadTheme
constexpr unsigned THEME_TABLE_LIMIT = 4096;    // entries a theme may add to one table
constexpr float THEME_NUMBER_LIMIT = 1e6f;      // the largest coordinate, size or colour
constexpr int THEME_BORDER_QUALITY_LIMIT = 16;  // caption outlines are drawn 4 x this often
constexpr float THEME_BORDER_SIZE_LIMIT = 256;  // pixels of caption outline

} // namespace OV_GUI
} // namespace OvCore
