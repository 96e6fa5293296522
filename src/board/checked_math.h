#pragma once

#include <cstdint>
#include <limits>
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

// Signed arithmetic at the width of Int, checked for overflow: worked out in
// 64 bits, then narrowed back.
template <typename Int>
Int narrowed(std::int64_t wide)
{
    if (wide < std::numeric_limits<Int>::min() || wide > std::numeric_limits<Int>::max())
        throw RuntimeError(RuntimeError::Overflow);
    return static_cast<Int>(wide);
}

template <typename Int>
Int checkedAdd(Int a, Int b) { return narrowed<Int>(std::int64_t{a} + b); }
template <typename Int>
Int checkedSub(Int a, Int b) { return narrowed<Int>(std::int64_t{a} - b); }
template <typename Int>
Int checkedMul(Int a, Int b) { return narrowed<Int>(std::int64_t{a} * b); }

// The game's two widths, named at each use.
inline constexpr auto add16 = checkedAdd<std::int16_t>;
inline constexpr auto sub16 = checkedSub<std::int16_t>;
inline constexpr auto mul16 = checkedMul<std::int16_t>;
inline constexpr auto add32 = checkedAdd<std::int32_t>;
inline constexpr auto sub32 = checkedSub<std::int32_t>;
inline constexpr auto mul32 = checkedMul<std::int32_t>;

// Real division; a zero divisor is an error rather than an infinity.
double divide(double dividend, double divisor);

// Real to integer: the nearest integer, an exact half to the even neighbour
// (22.5 gives 22, 157.5 gives 158). Never truncation, never half-up.
std::int32_t roundToInt32(double value);
std::int16_t roundToInt16(double value);

} // namespace velmora
