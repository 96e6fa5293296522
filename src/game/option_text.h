#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// The options panel edits its two values as text. These read and write that
// text; they know nothing of the window.

// A plain decimal number: an optional sign, digits, an optional fraction after
// a point, blanks around it ignored ("60", " -5 ", "60.5", ".5", "7."). No
// exponent, no thousands separator, nothing else. Empty when the text is not
// such a number or too large to hold.
std::optional<double> readNumber(std::string_view text);

// The decimal text of a number: a whole number without fraction or point
// ("70", "-5"); otherwise up to 15 significant digits ("45.5"), never with an
// exponent, so that readNumber takes whatever this writes.
std::string writeNumber(double value);

// A number as a 16-bit signed integer: a fraction to the nearest integer, an
// exact half to the even neighbour (60.5 gives 60, 61.5 gives 62). Empty
// outside -32768..32767.
std::optional<std::int16_t> toInteger16(double value);

} // namespace velmora
