#include "game/option_text.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <limits>

namespace velmora {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

} // namespace

std::optional<double> readNumber(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);

    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    bool digits = false;
    bool point = false;
    for (const char c : text) {
        if (c == '.' && !point)
            point = true;
        else if (std::isdigit(static_cast<unsigned char>(c)))
            digits = true;
        else
            return std::nullopt;
    }
    if (!digits)
        return std::nullopt;

    // The conversion itself never depends on the desktop's locale.
    double value = 0.0;
#if defined(__EMSCRIPTEN__)
    // The browser's C++ library has no from_chars for double; its C library
    // always reads numbers in the "C" locale.
    const std::string digitsOnly(text);
    char* end = nullptr;
    value = std::strtod(digitsOnly.c_str(), &end);
    if (end != digitsOnly.c_str() + digitsOnly.size() || !std::isfinite(value))
        return std::nullopt;
#else
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
#endif
    return negative ? -value : value;
}

std::string writeNumber(double value)
{
    // Fifteen significant digits, then written out without an exponent, which
    // readNumber would refuse: 1.00000000000001e+15 is "1000000000000010".
    if (!std::isfinite(value))
        return "0";
    char scientific[32];
    std::snprintf(scientific, sizeof scientific, "%.14e", value);
    const std::string_view text(scientific);
    const bool negative = text.front() == '-';
    std::string digits(text.substr(negative ? 1 : 0, 1));
    digits += text.substr(negative ? 3 : 2, 14);
    const int exponent = std::atoi(scientific + text.find('e') + 1);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string written;
    if (exponent < 0) {
        written = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else {
        const auto whole = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= whole)
            written = digits + std::string(whole - digits.size(), '0');
        else
            written = digits.substr(0, whole) + "." + digits.substr(whole);
    }
    if (negative && written != "0")
        written.insert(0, 1, '-');
    return written;
}

std::optional<std::int16_t> toInteger16(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value);  // halves to even
    if (rounded < std::numeric_limits<std::int16_t>::min() || rounded > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

} // namespace velmora
