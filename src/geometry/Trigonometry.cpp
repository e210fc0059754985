#include "geometry/Trigonometry.h"
#include "numeric/Extended.h"
#include "numeric/Unsigned128.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace orvik {
namespace {

// Fixed point of the series: 124 fractional bits, so that sums stay below 2^127.
constexpr int kQ = 124;
constexpr U128 kOne = U128{1} << kQ;

constexpr U128 Make(std::uint64_t hi, std::uint64_t lo) { return U128::Of(hi, lo); }

// pi/2, pi/4 and atan(k/16), k = 0..16, with 126 fractional bits, rounded.
constexpr U128 kHalfPi = Make(0x6487ED5110B4611AULL, 0x62633145C06E0E69ULL);
constexpr U128 kAtanSixteenths[17] = {
    Make(0x0000000000000000ULL, 0x0000000000000000ULL), Make(0x03FEAB76E59FBD38ULL, 0xDB2C9E4B7038B835ULL),
    Make(0x07F56EA6AB0BDB71ULL, 0x9644BCC4F9F44478ULL), Make(0x0BDCBDA5E72D8113ULL, 0x47B0B4F881C9C748ULL),
    Make(0x0FADBAFC96406EB1ULL, 0x56DC79EF5F7A217EULL), Make(0x1362773707EBCBCDULL, 0x38B576931A4F5E65ULL),
    Make(0x16F61941E4DEF08EULL, 0x715464245B9FC890ULL), Make(0x1A64EEC3CC23FCB6ULL, 0xC84F92BD2003CE27ULL),
    Make(0x1DAC670561BB4F68ULL, 0xADFC88BD978751A0ULL), Make(0x20CAFD29B6619F8AULL, 0x92DA8272D8694570ULL),
    Make(0x23C01757BDFD67E6ULL, 0xD720D78599710DD2ULL), Make(0x268BE0399C6F7688ULL, 0x1089BE388813FCEFULL),
    Make(0x292F1F464D3DC249ULL, 0x066A1FCA915F6B28ULL), Make(0x2BAB130E2D363020ULL, 0x051C978BCF9481C3ULL),
    Make(0x2E014F8AF08C679CULL, 0xF2CB69548429110FULL), Make(0x3033A16E2B149990ULL, 0x227758B11BA4BE89ULL),
    Make(0x3243F6A8885A308DULL, 0x313198A2E0370734ULL),
};

// The first 448 bits of 2/pi after the binary point, most significant first.
constexpr std::uint64_t kTwoOverPi[7] = {
    0xA2F9836E4E441529ULL, 0xFC2757D1F534DDC0ULL, 0xDB6295993C439041ULL, 0xFE5163ABDEBBC561ULL,
    0xB7246E3A424DD2E0ULL, 0x06492EEA09D1921CULL, 0xFE1DEB1CB129A73EULL,
};

// (a * b) >> 128, and (a * b) >> kQ where that fits.
struct Product256 {
    U128 hi, lo;
};
Product256 Multiply(U128 a, U128 b) {
    const std::uint64_t a0 = a.Low(), a1 = a.High(), b0 = b.Low(), b1 = b.High();
    const U128 p00 = ProductOf(a0, b0), p01 = ProductOf(a0, b1), p10 = ProductOf(a1, b0), p11 = ProductOf(a1, b1);
    const U128 middle = (p00 >> 64) + p01.Low() + p10.Low();
    return {p11 + (p01 >> 64) + (p10 >> 64) + (middle >> 64), (middle << 64) | p00.Low()};
}
U128 MultiplyHigh(U128 a, U128 b) { return Multiply(a, b).hi; }
U128 MultiplyFixed(U128 a, U128 b) {
    const Product256 p = Multiply(a, b);
    return (p.hi << (128 - kQ)) | (p.lo >> kQ);
}

U128 ShiftRight(U128 v, int n) { return n >= 128 ? 0 : v >> n; }

int TopBit(U128 v) {
    const auto hi = static_cast<std::uint64_t>(v >> 64);
    return hi ? 127 - __builtin_clzll(hi) : 63 - __builtin_clzll(static_cast<std::uint64_t>(v));
}

// A value m * 2^exponent with its sign, as the nearest Extended (ties to even).
Extended Rounded(U128 m, int exponent, bool negative) {
    if (m == 0) return negative ? -Extended(0) : Extended(0);
    int shift = TopBit(m) - 63;
    std::uint64_t mantissa = 0;
    if (shift <= 0) {
        mantissa = static_cast<std::uint64_t>(m << -shift);
    } else {
        const U128 rest = m & ((U128{1} << shift) - 1), half = U128{1} << (shift - 1);
        mantissa = static_cast<std::uint64_t>(m >> shift);
        if ((rest > half || (rest == half && (mantissa & 1))) && ++mantissa == 0) {
            mantissa = std::uint64_t{1} << 63;
            ++shift;
        }
    }
    const Extended value = Scale(static_cast<Extended>(mantissa), exponent + shift);
    return negative ? -value : value;
}

// A finite x != 0 as m * 2^exponent with m's top bit at 63.
struct Split {
    std::uint64_t m;
    int exponent;
};
Split SplitOf(Extended x) {
    int e = 0;
    const Extended fraction = Fraction(Abs(x), e);  // in [1/2, 1)
    return {static_cast<std::uint64_t>(Scale(fraction, 64)), e - 64};
}

// Bits [from, from + n) of a little-endian number of `count` 64-bit limbs, n <= 128.
U128 BitsOf(const std::uint64_t* limbs, int count, int from, int n) {
    U128 v = 0;
    for (int i = n - 1; i >= 0; --i) {
        const int bit = from + i;
        v = (v << 1) | ((bit / 64 < count) ? (limbs[bit / 64] >> (bit % 64)) & 1 : 0);
    }
    return v;
}

// 64 bits of 2/pi starting at bit `first` after the binary point (bit 1 is 1/2).
std::uint64_t TwoOverPiBits(int first) {
    const int at = first - 1, limb = at / 64, offset = at % 64;
    const std::uint64_t high = kTwoOverPi[limb] << offset;
    return offset == 0 || limb + 1 >= 7 ? high : high | (kTwoOverPi[limb + 1] >> (64 - offset));
}

// An angle y = Y * 2^exponent, |y| <= pi/4, with the quarter turns q taken
// off: the angle was q * pi/2 + y (y negative when `negative`).
struct Reduced {
    int quarter = 0;
    bool negative = false;
    U128 y = 0;
    int exponent = 0;
};

// |x| = m * 2^e reduced by quarter turns: x * 2/pi = 4j + q + f, |f| <= 1/2,
// from the bits of 2/pi that reach below the units (Payne and Hanek).
Reduced Reduce(Split x) {
    Reduced r;
    if (x.exponent < -64 || (x.exponent == -64 && x.m < (std::uint64_t{3} << 62))) {  // |x| < 0.75
        r.y = U128{x.m} << 60;
        r.exponent = x.exponent - 60;
        return r;
    }
    // The window of 256 bits of 2/pi whose product with m has the units at
    // bit s: earlier bits give multiples of 4, later ones less than 2^-190.
    const int first = x.exponent >= 2 ? x.exponent - 1 : 1;
    const int s = first + 255 - x.exponent;
    std::uint64_t window[4];
    for (int i = 0; i < 4; ++i) window[3 - i] = TwoOverPiBits(first + 64 * i);
    std::uint64_t p[6] = {};
    U128 carry = 0;
    for (int i = 0; i < 4; ++i) {
        const U128 t = ProductOf(x.m, window[i]) + carry;
        p[i] = static_cast<std::uint64_t>(t);
        carry = t >> 64;
    }
    p[4] = static_cast<std::uint64_t>(carry);
    const int units = static_cast<int>(BitsOf(p, 6, s, 2).Low());
    const bool roundUp = BitsOf(p, 6, s - 1, 1) != 0;
    r.quarter = (units + roundUp) & 3;
    r.negative = roundUp;
    // |f| * 2^s: the fraction, or 2^s less the fraction when rounded up.
    std::uint64_t f[6] = {};
    for (int i = 0; i < 6; ++i) f[i] = p[i];
    for (int bit = s; bit < 384; ++bit) f[bit / 64] &= ~(std::uint64_t{1} << (bit % 64));
    if (roundUp) {
        U128 borrow = 1;  // two's complement within s bits
        for (int i = 0; i < 6; ++i) {
            const U128 t = U128{static_cast<std::uint64_t>(~f[i])} + borrow;
            f[i] = static_cast<std::uint64_t>(t);
            borrow = t >> 64;
        }
        for (int bit = s; bit < 384; ++bit) f[bit / 64] &= ~(std::uint64_t{1} << (bit % 64));
    }
    int top = -1;
    for (int i = 5; i >= 0 && top < 0; --i)
        if (f[i]) top = 64 * i + 63 - __builtin_clzll(f[i]);
    if (top < 0) return r;  // an exact multiple of pi/2: only 0 is
    // 126 bits from the top, times pi/2: y = Y * 2^(top - s - 123).
    const U128 fm = top >= 125 ? BitsOf(f, 6, top - 125, 126) : BitsOf(f, 6, 0, top + 1) << (125 - top);
    r.y = MultiplyHigh(fm, kHalfPi);
    r.exponent = top - s - 123;
    return r;
}

// sin y as m * 2^exponent and cos y in fixed point, for y = Y * 2^e, |y| <= pi/4.
struct SinCos {
    U128 sin;
    int sinExponent;
    U128 cos;
};
SinCos Kernel(U128 y, int e) {
    const int shift = 2 * e + 252;  // y^2 in fixed point: (y * y >> 128) * 2^(2e + 252)
    const U128 square = MultiplyHigh(y, y);
    const U128 z = shift >= 0 ? square << shift : ShiftRight(square, -shift);
    // sin y = y (1 - z/3! + z^2/5! ...), cos y = 1 - z/2! + z^2/4! ...
    // The sums stay positive: modulo 2^128 their terms are added and taken away exactly.
    U128 s = kOne, c = kOne;
    U128 ts = kOne, tc = kOne;
    for (unsigned n = 1; ts != 0 || tc != 0; ++n) {
        ts = MultiplyFixed(ts, z) / ((2 * n) * (2 * n + 1));
        tc = MultiplyFixed(tc, z) / ((2 * n - 1) * (2 * n));
        if (n & 1) {
            s -= ts;
            c -= tc;
        } else {
            s += ts;
            c += tc;
        }
    }
    return {MultiplyHigh(y, s), e + 128 - kQ, c};
}

// sin x and cos x of a finite, nonzero x: the quarter turns taken off and
// the series of what remains, once for both.
struct Turned {
    Reduced r;
    SinCos k;
    bool negativeArgument;
};
Turned Turn(Extended x) {
    if (Abs(x) >= 0x1p125) x = Fmod(x, 2 * kPi);  // exact; beyond the table of 2/pi
    const Reduced r = Reduce(SplitOf(x));
    return {r, Kernel(r.y, r.exponent), x < 0};
}

// sin x (wantSin) or cos x from the turned angle: sin(q pi/2 + y) and
// cos(q pi/2 + y) by the quarter turns.
Extended SinOrCos(const Turned& t, bool wantSin) {
    const int quarter = (t.r.quarter + (wantSin ? 0 : 1)) & 3;  // cos x = sin(x + pi/2)
    const bool useCos = quarter & 1;
    bool negative = quarter >= 2;
    if (!useCos) negative ^= t.r.negative;
    if (wantSin && t.negativeArgument) negative = !negative;
    return useCos ? Rounded(t.k.cos, -kQ, negative) : Rounded(t.k.sin, t.k.sinExponent, negative);
}

Extended SinOrCos(Extended x, bool wantSin) {
    if (!IsFinite(x)) return NotANumber();
    if (x == 0) return wantSin ? x : Extended(1);
    return SinOrCos(Turn(x), wantSin);
}

// a / b with 126 fractional bits, for a < 2 b and b < 2^127.
U128 Divide126(U128 a, U128 b) {
    U128 q = a >= b ? 1 : 0, rest = a >= b ? a - b : a;
    for (int i = 0; i < 126; ++i) {
        rest <<= 1;
        q <<= 1;
        if (rest >= b) {
            rest -= b;
            q |= 1;
        }
    }
    return q;
}

// atan t = t (1 - z/3 + z^2/5 ...) for z = t^2 in fixed point: the factor.
U128 AtanFactor(U128 z) {
    U128 sum = kOne;  // positive: its terms added and taken away modulo 2^128
    U128 power = kOne;
    for (unsigned n = 1; power != 0; ++n) {
        power = MultiplyFixed(power, z);
        const U128 term = power / (2 * n + 1);
        if (n & 1)
            sum -= term;
        else
            sum += term;
    }
    return sum;
}

}  // namespace

Extended Cos(Extended radians) { return SinOrCos(radians, false); }
Extended Sin(Extended radians) { return SinOrCos(radians, true); }

CosSin CosAndSin(Extended radians) {
    if (!IsFinite(radians) || radians == 0) return {Cos(radians), Sin(radians)};
    const Turned t = Turn(radians);
    return {SinOrCos(t, false), SinOrCos(t, true)};
}

Extended Atan2(Extended y, Extended x) {
    if (IsNan(x) || IsNan(y)) return NotANumber();
    const bool negative = SignBit(y), left = SignBit(x);
    Extended a = Abs(y), b = Abs(x);
    if (IsInf(a) || IsInf(b)) {  // the direction of the infinite part
        a = IsInf(a) ? 1 : 0;
        b = IsInf(b) ? 1 : 0;
    }
    const bool steep = a > b;  // atan(a/b) = pi/2 - atan(b/a)
    const Extended small = steep ? b : a, large = steep ? a : b;
    // t = small / large = q * 2^(-126 - d), q in [2^125, 2^127).
    U128 q = 0;
    int d = 0;
    if (small != 0) {
        const Split n = SplitOf(small), m = SplitOf(large);
        q = Divide126(n.m, m.m);
        d = m.exponent - n.exponent;
    }
    const U128 t = ShiftRight(q, d);  // t with 126 fractional bits
    U128 angle = 0;  // 126 fractional bits
    if (t < (U128{1} << 122)) {  // t < 1/16: t times the series, kept to full relative precision
        const U128 factor = AtanFactor(d >= 64 ? 0 : MultiplyHigh(q, q) >> (2 * d));
        const U128 m = MultiplyHigh(q, factor);  // atan t = m * 2^(-122 - d)
        if (!steep && !left) return Rounded(m, -122 - d, negative);
        angle = d >= 4 ? ShiftRight(m, d - 4) : m << (4 - d);  // d < 4 only for t = 0
    } else {
        // atan t = atan c + atan u, c = k/16 nearest t, u = (t - c) / (1 + t c).
        const unsigned k = static_cast<unsigned>(((t + (U128{1} << 121)) >> 122).Low());
        const U128 c = U128{k} << 122;
        const bool below = t < c;
        const U128 num = below ? c - t : t - c;
        const U128 den = (U128{1} << 126) + (MultiplyHigh(t, c) << 2);
        const U128 u = Divide126(num, den);
        const U128 atanU = MultiplyHigh(u, AtanFactor(MultiplyHigh(u, u))) << 4;
        angle = below ? kAtanSixteenths[k] - atanU : kAtanSixteenths[k] + atanU;
    }
    if (steep) angle = kHalfPi - angle;
    if (left) angle = (kHalfPi << 1) - angle;
    return Rounded(angle, -126, negative);
}

}  // namespace orvik
