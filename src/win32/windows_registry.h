#pragma once

#include "game/registry.h"
#include "game/sys_info.h"

#include <memory>

namespace velmora {

// advapi32's registry behind the game's registry interface, and the files
// and programs of Windows as System Info tests and starts the tool.
std::unique_ptr<Registry> makeWindowsRegistry();
std::unique_ptr<SysInfoPlatform> makeWindowsSystem();

} // namespace velmora
