#pragma once

#include "framework/Exceptions.h"
#include "framework/Export.h"

#include <cstdint>
#include <limits>
#include <type_traits>

// Integer arithmetic that raises instead of wrapping, and the three conversions from floating point
// the code relies on.
namespace framework {

namespace detail {

// One of the compiler's overflow-reporting operations, raising where the result would wrap.
template <typename T, typename Operation> T RaisingOnOverflow(T a, T b, Operation operation)
{
    static_assert(std::is_integral_v<T>);
    T result;
    if (operation(a, b, &result))
        throw EIntOverflow();
    return result;
}

}  // namespace detail

template <typename T> T CheckedAdd(T a, T b)
{
    return detail::RaisingOnOverflow(
        a, b, [](T x, T y, T* sum) { return __builtin_add_overflow(x, y, sum); });
}

template <typename T> T CheckedSub(T a, T b)
{
    return detail::RaisingOnOverflow(
        a, b, [](T x, T y, T* difference) { return __builtin_sub_overflow(x, y, difference); });
}

template <typename T> T CheckedMul(T a, T b)
{
    return detail::RaisingOnOverflow(
        a, b, [](T x, T y, T* product) { return __builtin_mul_overflow(x, y, product); });
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
        throw ERangeError(QStringLiteral("%1 to %2")
                              .arg(std::numeric_limits<To>::min())
                              .arg(std::numeric_limits<To>::max()));
    return result;
}

// A value that must lie in [low, high], like an integer subrange type.
template <typename T> T RangeChecked(T value, T low, T high)
{
    if (value < low || value > high)
        throw ERangeError(QStringLiteral("%1 to %2").arg(low).arg(high));
    return value;
}

// To the nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
STUDIOCLOCK_FRAMEWORK_EXPORT std::int64_t Round(long double value);

// To the nearest integer, halves away from zero (2.5 -> 3, -2.5 -> -3): font sizes and anchoring,
// rounded as Qt rounds them.
STUDIOCLOCK_FRAMEWORK_EXPORT std::int64_t RoundHalfAway(long double value);

// Toward zero (2.7 -> 2, -2.7 -> -2).
STUDIOCLOCK_FRAMEWORK_EXPORT std::int64_t Trunc(long double value);

// Makes Round's ties-to-even hold for every later rounding of this thread.
STUDIOCLOCK_FRAMEWORK_EXPORT void SetRoundToNearest();

// Integer types every value of which is also an int.
template <typename T>
constexpr bool kAlwaysFitsInt = !std::is_same_v<T, bool> && std::numeric_limits<T>::is_integer
    && std::numeric_limits<T>::digits <= std::numeric_limits<int>::digits;

// A 32-bit integer whose arithmetic raises like the Checked operations above, so that drawing and
// scaling code can write its formulas as formulas. Values come in implicitly only from integer types
// that always fit; wider and floating-point ones through Round, RoundHalfAway, Trunc or RangeChecked, which
// raise where the value does not fit. The way back to int is value().
class STUDIOCLOCK_FRAMEWORK_EXPORT CheckedInt {
public:
    template <typename T, std::enable_if_t<kAlwaysFitsInt<T>, int> = 0>
    constexpr CheckedInt(T value) noexcept
        : value_(value)
    {
    }

    static CheckedInt Round(long double value) { return RangeChecked<int>(framework::Round(value)); }
    static CheckedInt RoundHalfAway(long double value)
    {
        return RangeChecked<int>(framework::RoundHalfAway(value));
    }
    static CheckedInt Trunc(long double value) { return RangeChecked<int>(framework::Trunc(value)); }

    constexpr int value() const noexcept { return value_; }

    CheckedInt& operator+=(CheckedInt other) { return *this = CheckedAdd(value_, other.value_); }
    CheckedInt& operator-=(CheckedInt other) { return *this = CheckedSub(value_, other.value_); }
    CheckedInt& operator*=(CheckedInt other) { return *this = CheckedMul(value_, other.value_); }
    CheckedInt& operator/=(CheckedInt other) { return *this = CheckedDiv(value_, other.value_); }
    CheckedInt operator-() const { return CheckedSub(0, value_); }

    friend CheckedInt operator+(CheckedInt a, CheckedInt b) { return a += b; }
    friend CheckedInt operator-(CheckedInt a, CheckedInt b) { return a -= b; }
    friend CheckedInt operator*(CheckedInt a, CheckedInt b) { return a *= b; }
    friend CheckedInt operator/(CheckedInt a, CheckedInt b) { return a /= b; }

    friend constexpr bool operator==(CheckedInt a, CheckedInt b) { return a.value_ == b.value_; }
    friend constexpr bool operator!=(CheckedInt a, CheckedInt b) { return a.value_ != b.value_; }
    friend constexpr bool operator<(CheckedInt a, CheckedInt b) { return a.value_ < b.value_; }
    friend constexpr bool operator<=(CheckedInt a, CheckedInt b) { return a.value_ <= b.value_; }
    friend constexpr bool operator>(CheckedInt a, CheckedInt b) { return a.value_ > b.value_; }
    friend constexpr bool operator>=(CheckedInt a, CheckedInt b) { return a.value_ >= b.value_; }

private:
    int value_;
};

}  // namespace framework
