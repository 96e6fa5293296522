#pragma once

namespace velmora {

// The application's identity, as the About dialog shows it.
inline constexpr const char* ApplicationTitle = "Velmora";
inline constexpr int VersionMajor = 1;
inline constexpr int VersionMinor = 0;
inline constexpr int VersionRevision = 0;

} // namespace velmora
