#pragma once

#include <cstdint>
#include <stdexcept>

namespace velmora {

// A failed check of the game's arithmetic or indexing. Integers overflow at the
// width of the variable, indexes are checked against the declared bounds, and a
// real that cannot become an integer is refused. Nothing in play reaches these
// checks; when one fires, the window reports it and the program ends.
class RuntimeError : public std::runtime_error {
public:
    enum Number : int {
        InvalidProcedureCall = 5,
        Overflow = 6,
        SubscriptOutOfRange = 9,
        DivisionByZero = 11,
    };

    explicit RuntimeError(Number number);

    Number number() const { return number_; }

private:
    Number number_;
};

// 16-bit and 32-bit signed arithmetic, checked for overflow.
std::int16_t add16(std::int16_t a, std::int16_t b);
std::int16_t sub16(std::int16_t a, std::int16_t b);
std::int16_t mul16(std::int16_t a, std::int16_t b);
std::int32_t add32(std::int32_t a, std::int32_t b);
std::int32_t sub32(std::int32_t a, std::int32_t b);
std::int32_t mul32(std::int32_t a, std::int32_t b);

// Real division; a zero divisor is an error rather than an infinity.
double divide(double dividend, double divisor);

// Real to integer: the nearest integer, an exact half to the even neighbour
// (22.5 gives 22, 157.5 gives 158). Never truncation, never half-up.
std::int32_t roundToInt32(double value);
std::int16_t roundToInt16(double value);

} // namespace velmora
