#include "game/about_texts.h"

#include "velmora/version.h"

namespace velmora {

const char* const AboutRules =
    "Trebuie mutate discurile de pe stiva din stanga pe cea din dreapta folosind tastele cursor: stanga "
    "dreapta, si tasta SPACE pentru a lua sau depune un disc. Nu se pot muta discuri mari peste discuri mici. "
    "Se poate folosi stiva din mijloc pentru rezolvarea jocului.";
const char* const AboutDisclaimer = "Succes!......";
const char* const SysInfoUnavailable = "System Information Is Unavailable At This Time";

AboutTexts aboutTexts()
{
    AboutTexts texts;
    texts.caption = std::string("About ") + ApplicationTitle;
    texts.version = "Version " + std::to_string(VersionMajor) + "." + std::to_string(VersionMinor) + "."
        + std::to_string(VersionRevision);
    texts.title = ApplicationTitle;
    return texts;
}

} // namespace velmora
