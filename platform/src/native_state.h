// Switches of the native-window code that the test hooks turn. Private to platform/src.
#pragma once

namespace OvPlatform
{

bool& AlphaVisualsAvailable();

} // namespace OvPlatform
