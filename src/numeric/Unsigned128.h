// An unsigned 128-bit integer as two 64-bit words, with the operations the
// extended-precision arithmetic needs written out in 64-bit ones. A
// compiler's own 128-bit type is a library call per multiply, divide and
// shift on WebAssembly (the page's processor) and on 32-bit processors;
// these are a few instructions there. Where the processor multiplies 64 by
// 64 bits into 128 (x86-64, ARM64) or divides 128 by 64 bits (x86-64) in one
// instruction, the product and the quotient use it.
#pragma once

#include <bit>
#include <cstdint>
#include <initializer_list>

namespace orvik {

class U128 {
public:
    constexpr U128(std::uint64_t low = 0) : high_(0), low_(low) {}
    static constexpr U128 Of(std::uint64_t high, std::uint64_t low) {
        U128 x(low);
        x.high_ = high;
        return x;
    }
    constexpr std::uint64_t High() const { return high_; }
    constexpr std::uint64_t Low() const { return low_; }
    constexpr explicit operator std::uint64_t() const { return low_; }

    friend constexpr bool operator==(U128 a, U128 b) { return a.high_ == b.high_ && a.low_ == b.low_; }
    friend constexpr bool operator<(U128 a, U128 b) { return a.high_ != b.high_ ? a.high_ < b.high_ : a.low_ < b.low_; }
    friend constexpr bool operator>(U128 a, U128 b) { return b < a; }
    friend constexpr bool operator<=(U128 a, U128 b) { return !(b < a); }
    friend constexpr bool operator>=(U128 a, U128 b) { return !(a < b); }

    friend constexpr U128 operator+(U128 a, U128 b) {
        const std::uint64_t low = a.low_ + b.low_;
        return Of(a.high_ + b.high_ + (low < a.low_ ? 1 : 0), low);
    }
    friend constexpr U128 operator-(U128 a, U128 b) {
        return Of(a.high_ - b.high_ - (a.low_ < b.low_ ? 1 : 0), a.low_ - b.low_);
    }
    friend constexpr U128 operator&(U128 a, U128 b) { return Of(a.high_ & b.high_, a.low_ & b.low_); }
    friend constexpr U128 operator|(U128 a, U128 b) { return Of(a.high_ | b.high_, a.low_ | b.low_); }
    // Shifts by 0 to 127 places (128 and more give 0).
    friend constexpr U128 operator<<(U128 a, int n) {
        if (n == 0) return a;
        if (n >= 128) return 0;
        if (n >= 64) return Of(a.low_ << (n - 64), 0);
        return Of(a.high_ << n | a.low_ >> (64 - n), a.low_ << n);
    }
    friend constexpr U128 operator>>(U128 a, int n) {
        if (n == 0) return a;
        if (n >= 128) return 0;
        if (n >= 64) return a.high_ >> (n - 64);
        return Of(a.high_ >> n, a.low_ >> n | a.high_ << (64 - n));
    }
    constexpr U128& operator<<=(int n) { return *this = *this << n; }
    constexpr U128& operator>>=(int n) { return *this = *this >> n; }
    constexpr U128& operator+=(U128 b) { return *this = *this + b; }
    constexpr U128& operator-=(U128 b) { return *this = *this - b; }
    constexpr U128& operator|=(U128 b) { return *this = *this | b; }

private:
    std::uint64_t high_, low_;
};

constexpr int LeadingZeros(U128 x) { return x.High() ? std::countl_zero(x.High()) : 64 + std::countl_zero(x.Low()); }

// a * b, exactly: four products of 32-bit halves.
constexpr U128 ProductInHalves(std::uint64_t a, std::uint64_t b) {
    const std::uint64_t aLow = a & 0xFFFFFFFF, aHigh = a >> 32, bLow = b & 0xFFFFFFFF, bHigh = b >> 32;
    const std::uint64_t low = aLow * bLow, middle1 = aHigh * bLow, middle2 = aLow * bHigh, high = aHigh * bHigh;
    // The middle column with the carries of the low one (at most 3 * (2^32 - 1), no overflow).
    const std::uint64_t middle = (low >> 32) + (middle1 & 0xFFFFFFFF) + (middle2 & 0xFFFFFFFF);
    return U128::Of(high + (middle1 >> 32) + (middle2 >> 32) + (middle >> 32), middle << 32 | (low & 0xFFFFFFFF));
}

inline U128 ProductOf(std::uint64_t a, std::uint64_t b) {
#if defined(__SIZEOF_INT128__) && (defined(__x86_64__) || defined(__aarch64__))
    const unsigned __int128 p = static_cast<unsigned __int128>(a) * b;
    return U128::Of(static_cast<std::uint64_t>(p >> 64), static_cast<std::uint64_t>(p));
#else
    return ProductInHalves(a, b);
#endif
}

// n / d and n % d where the quotient fits 64 bits (n's high word below d):
// long division in 32-bit digits, each digit estimated from the divisor's
// top digit and corrected at most twice.
struct Quotient {
    std::uint64_t quotient;
    std::uint64_t remainder;
};
constexpr Quotient DivideInDigits(U128 n, std::uint64_t d) {
    constexpr std::uint64_t kBase = std::uint64_t{1} << 32;
    const int shift = std::countl_zero(d);
    d <<= shift;
    n <<= shift;
    const std::uint64_t dHigh = d >> 32, dLow = d & 0xFFFFFFFF;
    std::uint64_t top = n.High(), quotient = 0;
    // Two steps, one 32-bit digit of the quotient each: the next digit of n
    // brought down beside the remainder so far.
    for (const std::uint64_t next : {n.Low() >> 32, n.Low() & 0xFFFFFFFF}) {
        std::uint64_t digit = top / dHigh, rest = top - digit * dHigh;
        while (digit >= kBase || digit * dLow > (rest << 32 | next)) {
            --digit;
            rest += dHigh;
            if (rest >= kBase) break;
        }
        top = (top << 32 | next) - digit * d;
        quotient = quotient << 32 | digit;
    }
    return {quotient, top >> shift};
}

inline Quotient DivideNarrow(U128 n, std::uint64_t d) {
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
    Quotient q;
    __asm__("divq %[d]" : "=a"(q.quotient), "=d"(q.remainder) : "a"(n.Low()), "d"(n.High()), [d] "rm"(d));
    return q;
#else
    return DivideInDigits(n, d);
#endif
}

// n / d for any n: the high word's quotient, then the rest's.
inline U128 operator/(U128 n, std::uint64_t d) {
    const Quotient low = DivideNarrow(U128::Of(n.High() % d, n.Low()), d);
    return U128::Of(n.High() / d, low.quotient);
}

}  // namespace orvik
