#include "sound/wave_check.h"

#include <array>
#include <cstring>

namespace velmora {

namespace {

// Formats whose block size and byte rate follow from their channels, rate and
// sample width: integer PCM, floating point, and the extensible header that
// carries either.
constexpr std::uint16_t FormatPcm = 1;
constexpr std::uint16_t FormatFloat = 3;
constexpr std::uint16_t FormatExtensible = 0xFFFE;

// Rates no sound device plays are damage, not sound.
constexpr std::uint32_t LowestRate = 1000;
constexpr std::uint32_t HighestRate = 768000;

std::uint32_t little32(const unsigned char* bytes)
{
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

std::uint16_t little16(const unsigned char* bytes)
{
    return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}

bool formatAgrees(const std::array<unsigned char, 16>& format)
{
    const std::uint16_t tag = little16(&format[0]);
    const std::uint16_t channels = little16(&format[2]);
    const std::uint32_t rate = little32(&format[4]);
    const std::uint32_t byteRate = little32(&format[8]);
    const std::uint16_t blockAlign = little16(&format[12]);
    const std::uint16_t bits = little16(&format[14]);
    if (channels == 0 || rate < LowestRate || rate > HighestRate || blockAlign == 0 || byteRate == 0)
        return false;
    if (tag != FormatPcm && tag != FormatFloat && tag != FormatExtensible)
        return true;  // compressed: its rates are the codec's own
    const std::uint32_t sampleBytes = (bits + 7u) / 8u;
    return bits != 0 && blockAlign == channels * sampleBytes
        && static_cast<std::uint64_t>(byteRate) == static_cast<std::uint64_t>(rate) * blockAlign;
}

} // namespace

bool isSoundWave(const ReadAt& read, std::uint64_t fileSize)
{
    std::array<unsigned char, 12> riff{};
    if (!read(0, riff.data(), riff.size()) || std::memcmp(riff.data(), "RIFF", 4) != 0
        || std::memcmp(riff.data() + 8, "WAVE", 4) != 0)
        return false;
    bool formatSeen = false;
    // Chunks follow one another, each padded to an even length.
    for (std::uint64_t at = riff.size(); at + 8 <= fileSize;) {
        std::array<unsigned char, 8> chunk{};
        if (!read(at, chunk.data(), chunk.size()))
            return false;
        const std::uint32_t size = little32(&chunk[4]);
        if (std::memcmp(chunk.data(), "fmt ", 4) == 0) {
            std::array<unsigned char, 16> format{};
            if (size < format.size() || !read(at + 8, format.data(), format.size()) || !formatAgrees(format))
                return false;
            formatSeen = true;
        } else if (std::memcmp(chunk.data(), "data", 4) == 0) {
            return formatSeen;
        }
        at += 8 + static_cast<std::uint64_t>(size) + (size & 1u);
    }
    return false;
}

} // namespace velmora
