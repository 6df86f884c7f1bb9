// The intro splash: an image drawn here at start-up, stored as an .ovt file and registered
// as resource 1 of type 1024 in the module "Orvane Core.dll", where the framework's intro
// finds it.
#pragma once

namespace ov {

void registerSplashResource();

} // namespace ov
