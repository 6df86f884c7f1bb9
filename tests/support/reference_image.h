// Pictures as PNG files and their comparison with committed reference images, within the
// tolerance rasterisers need.
#pragma once

#include "support/image.h"

#include <string>

#include <gtest/gtest.h>

namespace OvTest
{

bool SavePng(const Image& image, const std::string& path);
// Empty when the file cannot be read.
Image LoadPng(const std::string& path);

// Matches when the mean channel difference is at most 1.5 and at most 0.5% of the pixels
// are off by more than 24 in a channel.
::testing::AssertionResult MatchesReference(const Image& actual, const Image& reference);

} // namespace OvTest
