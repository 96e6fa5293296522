#pragma once

#include <string>

namespace velmora {

// What the About dialog shows, built once.
struct AboutTexts {
    std::string caption;  // "About " and the application's title
    std::string title;    // the application's title alone
    std::string version;  // "Version 1.0.0"
};

AboutTexts aboutTexts();

// The rules, one paragraph, and the closing line.
extern const char* const AboutRules;
extern const char* const AboutDisclaimer;
// What "System Info..." says when the tool cannot be found or started.
extern const char* const SysInfoUnavailable;

} // namespace velmora
