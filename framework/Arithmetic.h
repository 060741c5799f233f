#pragma once

#include "framework/Exceptions.h"

#include <cstdint>
#include <limits>
#include <type_traits>

// Integer arithmetic that raises instead of wrapping, and the two conversions from floating point
// the display and resizer code rely on.
namespace framework {

template <typename T> T CheckedAdd(T a, T b)
{
    static_assert(std::is_integral_v<T>);
    T result;
    if (__builtin_add_overflow(a, b, &result))
        throw EIntOverflow();
    return result;
}

template <typename T> T CheckedSub(T a, T b)
{
    static_assert(std::is_integral_v<T>);
    T result;
    if (__builtin_sub_overflow(a, b, &result))
        throw EIntOverflow();
    return result;
}

template <typename T> T CheckedMul(T a, T b)
{
    static_assert(std::is_integral_v<T>);
    T result;
    if (__builtin_mul_overflow(a, b, &result))
        throw EIntOverflow();
    return result;
}

// Integer division truncating toward zero; the one overflowing case (MIN / -1) raises too.
template <typename T> T CheckedDiv(T a, T b)
{
    static_assert(std::is_integral_v<T>);
    if (b == 0)
        throw Exception(QStringLiteral("Division by zero"));
    if constexpr (std::is_signed_v<T>) {
        if (a == std::numeric_limits<T>::min() && b == T(-1))
            throw EIntOverflow();
    }
    return a / b;
}

// Stores an integer in a narrower or differently signed type, raising when it does not fit.
template <typename To, typename From> To RangeChecked(From value)
{
    static_assert(std::is_integral_v<To> && std::is_integral_v<From>);
    To result;
    if (__builtin_add_overflow(value, From(0), &result))
        throw ERangeError();
    return result;
}

// A value that must lie in [low, high], like an integer subrange type.
template <typename T> T RangeChecked(T value, T low, T high)
{
    if (value < low || value > high)
        throw ERangeError();
    return value;
}

// To the nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
std::int64_t Round(long double value);

// Toward zero (2.7 -> 2, -2.7 -> -2).
std::int64_t Trunc(long double value);

// Makes Round's ties-to-even hold for every later rounding of this thread.
void SetRoundToNearest();

}  // namespace framework
