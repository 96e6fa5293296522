#include "board/checked_math.h"

#include <cmath>
#include <limits>

namespace velmora {

namespace {

const char* describe(RuntimeError::Number number)
{
    switch (number) {
    case RuntimeError::InvalidProcedureCall:
        return "Invalid procedure call or argument";
    case RuntimeError::Overflow:
        return "Overflow";
    case RuntimeError::SubscriptOutOfRange:
        return "Subscript out of range";
    case RuntimeError::DivisionByZero:
        return "Division by zero";
    }
    return "Application-defined or object-defined error";
}

template <typename Narrow>
Narrow roundChecked(double value)
{
    if (!std::isfinite(value))
        throw RuntimeError(RuntimeError::Overflow);
    // nearbyint honours the current rounding mode, which the program never
    // changes from round-to-nearest-even.
    const double rounded = std::nearbyint(value);
    if (rounded < static_cast<double>(std::numeric_limits<Narrow>::min())
        || rounded > static_cast<double>(std::numeric_limits<Narrow>::max()))
        throw RuntimeError(RuntimeError::Overflow);
    return static_cast<Narrow>(rounded);
}

} // namespace

RuntimeError::RuntimeError(Number number)
    : std::runtime_error(describe(number))
    , number_(number)
{
}

double divide(double dividend, double divisor)
{
    if (divisor == 0.0)
        throw RuntimeError(RuntimeError::DivisionByZero);
    return dividend / divisor;
}

std::int32_t roundToInt32(double value)
{
    return roundChecked<std::int32_t>(value);
}

std::int16_t roundToInt16(double value)
{
    return roundChecked<std::int16_t>(value);
}

} // namespace velmora
