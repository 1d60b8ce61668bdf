#pragma once
// Extended-precision arithmetic for the vessel formulas.
//
// The formulas are evaluated in the 80-bit extended type (64-bit significand) and
// every value the formulas name as stored is rounded to single precision. Two slips
// are easy to make with plain C++ types and would change results in the last bit:
//   * an expression of float and double operands is evaluated in double;
//   * 0.05L or 1.0L/3 are not the constants the formulas hold (those are the double
//     values 0.05 and 0.3333333333333333, widened).
// Ext and Single make both slips compile errors: an Ext is built only from a float,
// a double or an int (never from a long double literal), Single values turn into
// Ext when they meet an operator, and there is no implicit way from a raw float or
// double into the arithmetic.
//
// Arithmetic faults. Three conditions are faults: an invalid operation (0/0,
// inf - inf, 0 * inf, sqrt of a negative), a division of a non-zero number by zero,
// and an overflow (a value too large for the precision it is held or stored in).
// Underflow and inexact results are not. A fault sets a sticky per-thread flag that
// FaultScope reads; once set it stays set, so an infinity or NaN that a later
// operation absorbs (x / inf == 0) is still a fault. Additions, subtractions and
// multiplications cannot turn a non-finite operand back into a finite result, so it
// is enough to look at divisions, at every rounding to single, and at the arguments
// of sqrt and atan.
#include <cmath>
#include <limits>
#include <type_traits>

namespace calc {

namespace detail {
inline thread_local bool faultRaised = false;
}  // namespace detail

// Clears the fault flag when made; Faulted() tells whether any fault happened since.
class FaultScope {
  public:
    FaultScope() { detail::faultRaised = false; }
    FaultScope(const FaultScope&) = delete;
    FaultScope& operator=(const FaultScope&) = delete;
    bool Faulted() const { return detail::faultRaised; }
    static void Raise() { detail::faultRaised = true; }
};

class Ext {
  public:
    constexpr explicit Ext(double d) : v_(d) {}
    constexpr explicit Ext(float f) : v_(f) {}
    constexpr explicit Ext(int i) : v_(i) {}
    template <class T>
    requires std::is_arithmetic_v<T> Ext(T)
    = delete;  // long double literals and other types: not a constant of the formulas

    static constexpr Ext Raw(long double v) { return Ext(Tag{}, v); }
    constexpr long double raw() const { return v_; }

  private:
    struct Tag {};
    constexpr Ext(Tag, long double v) : v_(v) {}
    long double v_;
};

// A value stored in single precision. It joins the arithmetic as an exact Ext.
class Single {
  public:
    constexpr Single() : v_(0.0f) {}
    constexpr explicit Single(float f) : v_(f) {}
    constexpr float value() const { return v_; }
    constexpr operator Ext() const { return Ext(v_); }

  private:
    float v_;
};

inline Ext operator+(Ext a, Ext b) { return Ext::Raw(a.raw() + b.raw()); }
inline Ext operator-(Ext a, Ext b) { return Ext::Raw(a.raw() - b.raw()); }
inline Ext operator*(Ext a, Ext b) { return Ext::Raw(a.raw() * b.raw()); }
// A zero divisor is a fault (0/0 invalid, x/0 division by zero); so is an infinite
// divisor, which would absorb an earlier overflow, and a non-finite quotient.
inline Ext operator/(Ext a, Ext b) {
    const long double r = a.raw() / b.raw();
    const long double divisor = std::fabs(b.raw());
    if (!(divisor > 0.0L && divisor <= std::numeric_limits<long double>::max() &&
          std::fabs(r) <= std::numeric_limits<long double>::max())) [[unlikely]] {
        FaultScope::Raise();
    }
    return Ext::Raw(r);
}
inline Ext operator+(Single a, Single b) { return Ext(a.value()) + Ext(b.value()); }
inline Ext operator-(Single a, Single b) { return Ext(a.value()) - Ext(b.value()); }
inline Ext operator*(Single a, Single b) { return Ext(a.value()) * Ext(b.value()); }
inline Ext operator/(Single a, Single b) { return Ext(a.value()) / Ext(b.value()); }

inline bool operator>(Ext a, Ext b) { return a.raw() > b.raw(); }
inline bool operator>=(Ext a, Ext b) { return a.raw() >= b.raw(); }
inline bool operator==(Ext a, Ext b) { return a.raw() == b.raw(); }
inline bool operator>(Single a, Single b) { return a.value() > b.value(); }
inline bool operator>=(Single a, Single b) { return a.value() >= b.value(); }
inline bool operator==(Single a, Single b) { return a.value() == b.value(); }

// Rounds to single (or double) precision, to nearest, ties to even. A value that
// rounds beyond the type's range becomes infinite, as IEEE arithmetic has it; the
// check comes first because C++ leaves such a conversion undefined.
inline constexpr long double kSingleOverflow = 0x1.ffffffp127L;  // FLT_MAX + half a unit
inline constexpr long double kDoubleOverflow = 0x1.fffffffffffff8p1023L;

template <class T>
T RoundBeyondRange(long double v) {
    if (std::isnan(v)) return std::numeric_limits<T>::quiet_NaN();
    return std::signbit(v) ? -std::numeric_limits<T>::infinity()
                           : std::numeric_limits<T>::infinity();
}

inline float RoundToSingle(long double v) {
    if (std::fabs(v) < kSingleOverflow) [[likely]]
        return static_cast<float>(v);
    return RoundBeyondRange<float>(v);
}
inline double RoundToDouble(long double v) {
    if (std::fabs(v) < kDoubleOverflow) [[likely]]
        return static_cast<double>(v);
    return RoundBeyondRange<double>(v);
}

// Rounds to single precision, to nearest, ties to even: the one place where a
// formula's value becomes a stored value. A value beyond the single range (or an
// infinity or NaN from an earlier fault) is an overflow fault.
inline Single Store(Ext e) {
    const long double v = e.raw();
    if (std::fabs(v) < kSingleOverflow) [[likely]]
        return Single(static_cast<float>(v));
    FaultScope::Raise();
    return Single(RoundBeyondRange<float>(v));
}

// Square root and arctangent take their argument rounded to double precision and
// give their result at extended precision (atan in radians).
inline Ext Sqrt(Ext x) {
    const double d = RoundToDouble(x.raw());
    if (!(d >= 0.0 && d <= std::numeric_limits<double>::max())) [[unlikely]]
        FaultScope::Raise();
    return Ext::Raw(std::sqrt(static_cast<long double>(d)));
}
inline Ext ArcTan(Ext x) {
    const double d = RoundToDouble(x.raw());
    if (!std::isfinite(d)) [[unlikely]]
        FaultScope::Raise();
#if defined(__x86_64__) || defined(__i386__)
    // The x87 partial arctangent of d / 1, the instruction the C library's atanl runs,
    // issued here directly: it sits in every step of the lying cylinders.
    long double r;
    __asm__("fpatan" : "=t"(r) : "0"(1.0L), "u"(static_cast<long double>(d)) : "st(1)");
    return Ext::Raw(r);
#else
    return Ext::Raw(std::atan(static_cast<long double>(d)));
#endif
}

}  // namespace calc
