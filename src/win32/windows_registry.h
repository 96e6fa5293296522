#pragma once

#include "game/registry.h"
#include "game/sys_info.h"

#include <memory>

namespace velmora {

// The Windows registry behind the game's registry interface.
std::unique_ptr<Registry> makeWindowsRegistry();

// Files and programs of Windows, as System Info tests and starts the tool.
class WindowsSystem : public SysInfoPlatform {
public:
    bool fileExists(const std::string& path) override;
    // Only a program counts as started: a folder or a document at the path
    // is refused here, where the shell would open a window for it and report
    // success.
    bool startProgram(const std::string& path) override;
};

} // namespace velmora
