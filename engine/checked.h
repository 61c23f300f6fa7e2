// SPDX-License-Identifier: GPL-3.0-or-later
// Checked numeric conversions and integer arithmetic.
//
// The original arithmetic stopped the program on an overflow, a failed
// conversion or a floating-point fault. Here each of those throws Fault; the
// handler that Qt called catches it and leaves the display as it was.
#pragma once

#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace veltrax {

// What went wrong, for the messages that tell the user.
enum class FaultKind {
    Arithmetic,     // an overflow, a value that is not a number, a bad argument
    OutOfRange,     // a moment outside the years a theory covers
    NoConvergence,  // a search that did not close on its root
};

// The one exception type for run-time errors of the arithmetic.
class Fault : public std::runtime_error {
public:
    explicit Fault(const std::string& what, FaultKind kind = FaultKind::Arithmetic)
        : std::runtime_error(what), kind_(kind)
    {
    }
    FaultKind kind() const { return kind_; }

private:
    FaultKind kind_;
};

// v itself, or Fault when v is infinite or not a number.
inline double Finite(double v, const char* what)
{
    if (!std::isfinite(v))
        throw Fault(std::string("floating-point fault in ") + what);
    return v;
}

// Nearest integer, halves to even (2.5 -> 2, 3.5 -> 4), as a 32-bit integer.
inline int32_t RoundToInt32(double v)
{
    if (!std::isfinite(v))
        throw Fault("conversion of a value that is not a number");
    const double r = std::nearbyint(v);  // default rounding mode: ties to even
    if (r < -2147483648.0 || r > 2147483647.0)
        throw Fault("overflow converting to a 32-bit integer");
    return static_cast<int32_t>(r);
}

// Nearest integer, halves to even, as a 16-bit integer (spin values).
inline int16_t RoundToInt16(double v)
{
    const int32_t r = RoundToInt32(v);
    if (r < -32768 || r > 32767)
        throw Fault("overflow converting to a 16-bit integer");
    return static_cast<int16_t>(r);
}

// Nearest integer, halves to even, in 64 bits (day numbers that may pass 2^31).
inline int64_t RoundToInt64(double v)
{
    if (!std::isfinite(v))
        throw Fault("conversion of a value that is not a number");
    const double r = std::nearbyint(v);
    if (r < -9223372036854775808.0 || r >= 9223372036854775808.0)
        throw Fault("overflow converting to a 64-bit integer");
    return static_cast<int64_t>(r);
}

// Largest integer not greater than v, as a 32-bit integer.
inline int32_t FloorToInt32(double v)
{
    if (!std::isfinite(v))
        throw Fault("conversion of a value that is not a number");
    const double f = std::floor(v);
    if (f < -2147483648.0 || f > 2147483647.0)
        throw Fault("overflow converting to a 32-bit integer");
    return static_cast<int32_t>(f);
}

inline int32_t Add32(int32_t a, int32_t b)
{
    int32_t r;
    if (__builtin_add_overflow(a, b, &r))
        throw Fault("integer overflow");
    return r;
}

inline int32_t Sub32(int32_t a, int32_t b)
{
    int32_t r;
    if (__builtin_sub_overflow(a, b, &r))
        throw Fault("integer overflow");
    return r;
}

inline int32_t Mul32(int32_t a, int32_t b)
{
    int32_t r;
    if (__builtin_mul_overflow(a, b, &r))
        throw Fault("integer overflow");
    return r;
}

// a \ b: integer division truncating toward zero.
inline int32_t Div32(int32_t a, int32_t b)
{
    if (b == 0 || (a == INT32_MIN && b == -1))
        throw Fault("integer division fault");
    return a / b;
}

}  // namespace veltrax
