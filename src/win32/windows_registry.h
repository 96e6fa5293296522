#pragma once

#include "game/registry.h"

#include <memory>

namespace velmora {

// The Windows registry behind the game's registry interface.
std::unique_ptr<Registry> makeWindowsRegistry();

} // namespace velmora
