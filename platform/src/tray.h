// The notification-area icon records behind Shell_NotifyIconA. Private to platform/src.
#pragma once

#include "platform/win32.h"

#include <vector>

namespace OvPlatform
{

std::vector<NOTIFYICONDATAA>& TrayIcons();

} // namespace OvPlatform
