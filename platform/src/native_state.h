// Switches of the native-window code that the test hooks turn. Private to platform/src.
#pragma once

namespace ovplatform {

bool& AlphaVisualsAvailable();

} // namespace ovplatform
