#include "numeric/SoftExtended.h"

#include "numeric/Unsigned128.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <string_view>
#include <utility>
#include <vector>

namespace orvik {
namespace {

// std::bit_cast, which not every standard library has (WebAssembly's).
template <class To, class From>
To BitCast(const From& from) {
    static_assert(sizeof(To) == sizeof(From));
    To to;
    std::memcpy(&to, &from, sizeof to);
    return to;
}

constexpr int kBias = 16383;
constexpr int kMaxField = 0x7FFF;
constexpr std::uint64_t kIntegerBit = std::uint64_t{1} << 63;
constexpr std::uint64_t kQuietBit = std::uint64_t{1} << 62;

bool SignOf(SoftExtended a) { return (a.signAndExponent >> 15) != 0; }
int FieldOf(SoftExtended a) { return a.signAndExponent & kMaxField; }
bool IsInfinity(SoftExtended a) { return FieldOf(a) == kMaxField && a.significand == kIntegerBit; }
bool IsZero(SoftExtended a) { return FieldOf(a) == 0 && a.significand == 0; }

SoftExtended Pack(bool sign, int field, std::uint64_t significand) {
    return SoftExtended{significand, static_cast<std::uint16_t>((sign ? 0x8000 : 0) | field)};
}

SoftExtended Infinity(bool sign) { return Pack(sign, kMaxField, kIntegerBit); }

// What the x87 unit gives for an invalid operation.
SoftExtended DefaultNaN() { return Pack(true, kMaxField, kIntegerBit | kQuietBit); }

// The NaN an operation on a NaN gives: the quieted NaN of the larger significand.
SoftExtended NaNOf(SoftExtended a, SoftExtended b) {
    SoftExtended n = !IsNaN(a) ? b : !IsNaN(b) ? a : a.significand >= b.significand ? a : b;
    n.significand |= kQuietBit;
    return n;
}

// A finite nonzero value: its significand with the top bit set, and the
// exponent of that bit; the value is significand * 2^(exponent - 63).
struct Unpacked {
    bool sign;
    int exponent;
    std::uint64_t significand;
};

Unpacked Unpack(SoftExtended a) {
    const int field = FieldOf(a);
    const int shift = std::countl_zero(a.significand);
    return {SignOf(a), (field == 0 ? 1 : field) - kBias - shift, a.significand << shift};
}

// The extended value nearest to (sig + f) * 2^exponent, ties to even, where
// f is 0 or, with `sticky`, some fraction strictly between 0 and 1.
SoftExtended Round(bool sign, int exponent, U128 sig, bool sticky) {
    if (sig == 0) return Pack(sign, 0, 0);
    const int zeros = LeadingZeros(sig);
    sig <<= zeros;
    exponent -= zeros;
    int field = exponent + 127 + kBias;  // of the top bit, now bit 127
    if (field <= 0) {
        // Below the normal range: the unit becomes the smallest subnormal's.
        const int shift = 1 - field;
        if (shift >= 128) {
            sticky = true;
            sig = 0;
        } else {
            sticky = sticky || (sig & ((U128{1} << shift) - 1)) != 0;
            sig >>= shift;
        }
        field = 0;
    }
    if (field >= kMaxField) return Infinity(sign);
    auto significand = static_cast<std::uint64_t>(sig >> 64);
    const auto rest = static_cast<std::uint64_t>(sig);
    if (rest > kIntegerBit || (rest == kIntegerBit && (sticky || (significand & 1)))) {
        if (++significand == 0) {
            significand = kIntegerBit;
            if (++field >= kMaxField) return Infinity(sign);
        } else if (field == 0 && (significand & kIntegerBit)) {
            field = 1;  // a subnormal rounded up to the smallest normal
        }
    }
    return Pack(sign, field, significand);
}

// The common case in 64-bit words: both operands normal numbers, and a
// result that stays one. Each helper answers false where the general path
// must decide (exponents past the normal range, subtractions that cancel).
bool IsNormal(SoftExtended a) {
    const int field = FieldOf(a);
    return field != 0 && field != kMaxField;
}

// A normal result: `significand` (top bit set), one unit more when `up`
// (a carry past the top bit moves it one place).
bool PackNormal(bool sign, int field, std::uint64_t significand, bool up, SoftExtended& result) {
    if (up && ++significand == 0) {
        significand = kIntegerBit;
        ++field;
    }
    if (field <= 0 || field >= kMaxField) return false;
    result = Pack(sign, field, significand);
    return true;
}

// The same with the `fraction` of a unit of its last place below it, exact
// but for `sticky`: rounded to nearest, ties to even.
bool RoundNormal(bool sign, int field, std::uint64_t significand, std::uint64_t fraction, bool sticky,
                 SoftExtended& result) {
    const bool up = fraction > kIntegerBit || (fraction == kIntegerBit && (sticky || (significand & 1)));
    return PackNormal(sign, field, significand, up, result);
}

// a + b for normal a and b with |a| >= |b|.
bool AddNormals(SoftExtended a, SoftExtended b, SoftExtended& result) {
    const bool sign = SignOf(a);
    const int field = FieldOf(a), apart = field - FieldOf(b);
    const std::uint64_t x = a.significand, y = b.significand;
    // y's part above x's last place, and the rest below it as a fraction of that place.
    const std::uint64_t kept = apart == 0 ? y : apart < 64 ? y >> apart : 0;
    const std::uint64_t cut = apart == 0 ? 0 : apart < 64 ? y << (64 - apart) : apart == 64 ? y : 0;
    const bool sticky = apart > 64;  // y is below half the place, and not zero
    if (SignOf(b) == sign) {
        const std::uint64_t sum = x + kept;
        if (sum >= x) return RoundNormal(sign, field, sum, cut, sticky, result);
        // A carry: one place more, the sum's last bit the fraction's top one.
        return RoundNormal(sign, field + 1, sum >> 1 | kIntegerBit, (sum & 1) << 63 | cut >> 1,
                           sticky || (cut & 1) != 0, result);
    }
    // x less a part of a place at most half (apart 2 and more): the
    // difference keeps its top bit, or needs one place more.
    if (apart < 2 || apart > 64) return false;
    std::uint64_t difference = x - kept - (cut != 0 ? 1 : 0), fraction = std::uint64_t{0} - cut;
    if (difference & kIntegerBit) return RoundNormal(sign, field, difference, fraction, false, result);
    difference = difference << 1 | fraction >> 63;
    return RoundNormal(sign, field - 1, difference, fraction << 1, false, result);
}

SoftExtended AddSigned(SoftExtended a, SoftExtended b) {
    if (IsNormal(a) && IsNormal(b)) {
        const bool bLarger = FieldOf(b) > FieldOf(a) || (FieldOf(b) == FieldOf(a) && b.significand > a.significand);
        SoftExtended sum;
        if (AddNormals(bLarger ? b : a, bLarger ? a : b, sum)) return sum;
    }
    if (IsInfinity(a)) return IsInfinity(b) && SignOf(a) != SignOf(b) ? DefaultNaN() : a;
    if (IsInfinity(b)) return b;
    if (IsZero(a) && IsZero(b)) return Pack(SignOf(a) && SignOf(b), 0, 0);
    if (IsZero(a)) return b;
    if (IsZero(b)) return a;
    Unpacked x = Unpack(a), y = Unpack(b);
    if (y.exponent > x.exponent || (y.exponent == x.exponent && y.significand > x.significand)) std::swap(x, y);
    // Both significands with 63 bits below them; the smaller one shifted into line.
    const U128 large = U128{x.significand} << 63;
    U128 small = U128{y.significand} << 63;
    const int apart = x.exponent - y.exponent;
    bool sticky = false;
    if (apart >= 128) {
        sticky = true;
        small = 0;
    } else if (apart > 0) {
        sticky = (small & ((U128{1} << apart) - 1)) != 0;
        small >>= apart;
    }
    U128 sum;
    if (x.sign == y.sign) {
        sum = large + small;
    } else {
        // The bits shifted out make the difference a fraction less: one unit
        // less, and a fraction more.
        sum = large - small - (sticky ? 1 : 0);
        if (sum == 0 && !sticky) return Pack(false, 0, 0);
    }
    return Round(x.sign, x.exponent - 126, sum, sticky);
}

// The bits of a binary format with `digits` significand bits (the integer
// bit hidden), exponents from `minExponent` to `maxExponent`: the value
// rounded to nearest, ties to even.
template <int digits, int minExponent, int maxExponent>
std::uint64_t RoundToBinary(SoftExtended value) {
    constexpr int kFieldShift = digits - 1;
    constexpr std::uint64_t kMaxBinaryField = 2 * maxExponent + 1;
    const std::uint64_t sign = static_cast<std::uint64_t>(SignOf(value))
                               << (kFieldShift + std::bit_width(kMaxBinaryField));
    if (IsNaN(value))
        return sign | kMaxBinaryField << kFieldShift | std::uint64_t{1} << (kFieldShift - 1) |
               (value.significand & ~(kIntegerBit | kQuietBit)) >> (64 - digits);
    if (IsInfinity(value)) return sign | kMaxBinaryField << kFieldShift;
    if (IsZero(value)) return sign;
    const Unpacked u = Unpack(value);
    if (u.exponent > maxExponent) return sign | kMaxBinaryField << kFieldShift;
    const int drop = 64 - digits + (u.exponent < minExponent ? minExponent - u.exponent : 0);
    if (drop >= 65) return sign;
    const std::uint64_t sig = u.significand;
    std::uint64_t kept = drop == 64 ? 0 : sig >> drop;
    const std::uint64_t rest = drop == 64 ? sig : sig & ((std::uint64_t{1} << drop) - 1);
    const std::uint64_t half = std::uint64_t{1} << (drop - 1);
    if (rest > half || (rest == half && (kept & 1))) ++kept;
    if (u.exponent < minExponent) return sign | kept;  // a carry makes the smallest normal
    // The carry of a rounded-up significand runs into the exponent field.
    const std::uint64_t bits = (static_cast<std::uint64_t>(u.exponent + maxExponent) << kFieldShift) +
                               (kept - (std::uint64_t{1} << kFieldShift));
    return (bits >> kFieldShift) >= kMaxBinaryField ? sign | kMaxBinaryField << kFieldShift : sign | bits;
}

// The integer square root of n and what remains, n - root^2.
U128 IntegerSquareRoot(U128 n, U128& remainder) {
    U128 root = 0, bit = U128{1} << 126;
    while (bit > n) bit >>= 2;
    while (bit != 0) {
        if (n >= root + bit) {
            n -= root + bit;
            root = (root >> 1) + bit;
        } else {
            root >>= 1;
        }
        bit >>= 2;
    }
    remainder = n;
    return root;
}

// A value truncated toward zero: its magnitude when below 2^64, and whether it is.
bool TruncatedMagnitude(SoftExtended value, std::uint64_t& magnitude) {
    magnitude = 0;
    if (IsNaN(value) || IsInfinity(value)) return false;
    if (IsZero(value)) return true;
    const Unpacked u = Unpack(value);
    if (u.exponent >= 64) return false;
    if (u.exponent >= 0) magnitude = u.significand >> (63 - u.exponent);
    return true;
}

// Unsigned integers of any size, little-endian in 32-bit words: the little
// exact decimal conversion needs (products with powers of two and ten, and
// quotients that fit 64 bits).
class BigInteger {
public:
    explicit BigInteger(std::uint64_t value)
        : words_{static_cast<std::uint32_t>(value), static_cast<std::uint32_t>(value >> 32)} {
        Trim();
    }

    void MultiplyBy(std::uint32_t factor) {
        std::uint64_t carry = 0;
        for (std::uint32_t& w : words_) {
            carry += std::uint64_t{w} * factor;
            w = static_cast<std::uint32_t>(carry);
            carry >>= 32;
        }
        if (carry) words_.push_back(static_cast<std::uint32_t>(carry));
    }
    void MultiplyByPowerOfTen(int n) {
        for (; n >= 9; n -= 9) MultiplyBy(1'000'000'000);
        for (; n > 0; --n) MultiplyBy(10);
    }
    void ShiftLeft(int bits) {
        if (IsZero()) return;
        words_.insert(words_.begin(), static_cast<std::size_t>(bits / 32), 0);
        if (const int rest = bits % 32) {
            std::uint32_t carry = 0;
            for (std::uint32_t& w : words_) {
                const std::uint32_t next = w >> (32 - rest);
                w = w << rest | carry;
                carry = next;
            }
            if (carry) words_.push_back(carry);
        }
    }
    bool IsZero() const { return words_.empty(); }
    int Compare(const BigInteger& other) const {
        if (words_.size() != other.words_.size()) return words_.size() < other.words_.size() ? -1 : 1;
        for (std::size_t i = words_.size(); i-- > 0;)
            if (words_[i] != other.words_[i]) return words_[i] < other.words_[i] ? -1 : 1;
        return 0;
    }
    void Subtract(const BigInteger& other) {  // other <= *this
        std::int64_t borrow = 0;
        for (std::size_t i = 0; i < words_.size(); ++i) {
            std::int64_t d =
                std::int64_t{words_[i]} - borrow - (i < other.words_.size() ? std::int64_t{other.words_[i]} : 0);
            borrow = d < 0;
            words_[i] = static_cast<std::uint32_t>(d + (borrow << 32));
        }
        Trim();
    }
    // *this / divisor when the quotient is below 2^bits (bits up to 128);
    // *this keeps the remainder.
    U128 DivideSmallQuotient(const BigInteger& divisor, int bits = 64) {
        U128 quotient = 0;
        BigInteger shifted = divisor;
        shifted.ShiftLeft(bits - 1);
        for (int bit = bits - 1; bit >= 0; --bit, shifted.Halve()) {
            if (Compare(shifted) >= 0) {
                Subtract(shifted);
                quotient |= U128{1} << bit;
            }
        }
        return quotient;
    }
    void Add(std::uint32_t addend) {
        std::uint64_t carry = addend;
        for (std::size_t i = 0; carry != 0; ++i) {
            if (i == words_.size()) words_.push_back(0);
            carry += words_[i];
            words_[i] = static_cast<std::uint32_t>(carry);
            carry >>= 32;
        }
    }
    int BitLength() const {
        return words_.empty() ? 0 : static_cast<int>(32 * words_.size()) - std::countl_zero(words_.back());
    }
    // The bits from `low` up, at most 128 of them, and whether any bit below `low` is set.
    U128 BitsFrom(int low, bool& lowerSet) const {
        lowerSet = false;
        for (int i = 0; i < low / 32 && i < static_cast<int>(words_.size()); ++i)
            lowerSet = lowerSet || words_[static_cast<std::size_t>(i)] != 0;
        if (low % 32 && low / 32 < static_cast<int>(words_.size()))
            lowerSet = lowerSet || (words_[static_cast<std::size_t>(low / 32)] & ((1u << (low % 32)) - 1)) != 0;
        U128 bits = 0;
        for (int i = 0; i < 128; ++i) {
            const int at = low + i;
            if (at / 32 < static_cast<int>(words_.size()) &&
                (words_[static_cast<std::size_t>(at / 32)] >> (at % 32) & 1))
                bits |= U128{1} << i;
        }
        return bits;
    }
    // Halves the number, dropping the bit shifted out.
    void Halve() {
        for (std::size_t i = 0; i < words_.size(); ++i)
            words_[i] = words_[i] >> 1 | (i + 1 < words_.size() ? words_[i + 1] << 31 : 0);
        Trim();
    }

private:
    void Trim() {
        while (!words_.empty() && words_.back() == 0) words_.pop_back();
    }
    std::vector<std::uint32_t> words_;
};

constexpr std::uint64_t PowerOfTen(int n) {
    std::uint64_t p = 1;
    for (int i = 0; i < n; ++i) p *= 10;
    return p;
}

}  // namespace

bool IsNaN(SoftExtended a) { return FieldOf(a) == kMaxField && a.significand != kIntegerBit; }

SoftExtended Add(SoftExtended a, SoftExtended b) {
    if (IsNaN(a) || IsNaN(b)) return NaNOf(a, b);
    return AddSigned(a, b);
}

SoftExtended Subtract(SoftExtended a, SoftExtended b) {
    if (IsNaN(a) || IsNaN(b)) return NaNOf(a, b);
    b.signAndExponent ^= 0x8000;
    return AddSigned(a, b);
}

SoftExtended Multiply(SoftExtended a, SoftExtended b) {
    const bool sign = SignOf(a) != SignOf(b);
    if (IsNormal(a) && IsNormal(b)) {
        // Two normal significands' product has its top bit at 127 or 126.
        const U128 p = ProductOf(a.significand, b.significand);
        const int field = FieldOf(a) + FieldOf(b) - kBias + 1;
        SoftExtended product;
        const bool whole = p.High() & kIntegerBit ? RoundNormal(sign, field, p.High(), p.Low(), false, product)
                                                  : RoundNormal(sign, field - 1, p.High() << 1 | p.Low() >> 63,
                                                                p.Low() << 1, false, product);
        if (whole) return product;
    }
    if (IsNaN(a) || IsNaN(b)) return NaNOf(a, b);
    if (IsInfinity(a) || IsInfinity(b)) return IsZero(a) || IsZero(b) ? DefaultNaN() : Infinity(sign);
    if (IsZero(a) || IsZero(b)) return Pack(sign, 0, 0);
    const Unpacked x = Unpack(a), y = Unpack(b);
    return Round(sign, x.exponent + y.exponent - 126, ProductOf(x.significand, y.significand), false);
}

SoftExtended Divide(SoftExtended a, SoftExtended b) {
    const bool sign = SignOf(a) != SignOf(b);
    if (IsNormal(a) && IsNormal(b)) {
        // The significands' quotient to 64 bits at once (the dividend moved up
        // 63 places, or 64 when it is the smaller), and the remainder against
        // the divisor's half says which way to round.
        const std::uint64_t x = a.significand, y = b.significand;
        const bool smaller = x < y;
        const Quotient q = DivideNarrow(smaller ? U128::Of(x, 0) : U128::Of(x >> 1, x << 63), y);
        const int field = FieldOf(a) - FieldOf(b) + kBias - (smaller ? 1 : 0);
        const std::uint64_t rest = y - q.remainder;
        const bool up = q.remainder > rest || (q.remainder == rest && (q.quotient & 1));
        SoftExtended quotient;
        if (PackNormal(sign, field, q.quotient, up, quotient)) return quotient;
    }
    if (IsNaN(a) || IsNaN(b)) return NaNOf(a, b);
    if (IsInfinity(a)) return IsInfinity(b) ? DefaultNaN() : Infinity(sign);
    if (IsInfinity(b)) return Pack(sign, 0, 0);
    if (IsZero(b)) return IsZero(a) ? DefaultNaN() : Infinity(sign);
    if (IsZero(a)) return Pack(sign, 0, 0);
    const Unpacked x = Unpack(a), y = Unpack(b);
    // 128 bits of the quotient of the two significands (less than 2), and
    // whether a remainder is left.
    const Quotient high = DivideNarrow(U128{x.significand} << 63, y.significand);
    const Quotient low = DivideNarrow(U128::Of(high.remainder, 0), y.significand);
    return Round(sign, x.exponent - y.exponent - 127, U128::Of(high.quotient, low.quotient), low.remainder != 0);
}

SoftExtended SquareRoot(SoftExtended a) {
    if (IsNaN(a)) return NaNOf(a, a);
    if (IsZero(a)) return a;
    if (SignOf(a)) return DefaultNaN();
    if (IsInfinity(a)) return a;
    const Unpacked u = Unpack(a);
    // The significand moved up 63 or 64 places, so that the exponent left is even.
    const int shift = ((u.exponent - 63 - 63) % 2 == 0) ? 63 : 64;
    U128 remainder;
    const U128 root = IntegerSquareRoot(U128{u.significand} << shift, remainder);  // 64 bits
    // No square root of an integer lies halfway: above root + 1/2 exactly when
    // what remains exceeds the root.
    const U128 quarters = root << 2 | (remainder > root ? 2 : 0);
    return Round(false, (u.exponent - 63 - shift) / 2 - 2, quarters, remainder != 0);
}

SoftExtended Fmod(SoftExtended a, SoftExtended b) {
    if (IsNaN(a) || IsNaN(b)) return NaNOf(a, b);
    if (IsInfinity(a) || IsZero(b)) return DefaultNaN();
    if (IsInfinity(b) || IsZero(a)) return a;
    const Unpacked x = Unpack(a), y = Unpack(b);
    if (x.exponent < y.exponent || (x.exponent == y.exponent && x.significand < y.significand)) return a;
    // x = mx 2^(ex-63), y = my 2^(ey-63): the remainder is (mx 2^(ex-ey) mod my) 2^(ey-63).
    std::uint64_t rest = x.significand % y.significand;
    for (int apart = x.exponent - y.exponent; apart > 0;) {
        const int step = apart < 63 ? apart : 63;
        rest = DivideNarrow(U128{rest} << step, y.significand).remainder;
        apart -= step;
    }
    return Round(x.sign, y.exponent - 63, rest, false);
}

SoftExtended RoundHalfAwayFromZero(SoftExtended a) {
    const int field = FieldOf(a);
    if (field == kMaxField || field >= kBias + 63) return a;
    // Below one half: zero, but for the largest value below it, which the
    // x87 build's x + 1/2 rounds up to 1 (the sum needs 65 bits).
    if (field == kBias - 2 && a.significand == ~std::uint64_t{0}) return Pack(SignOf(a), kBias, kIntegerBit);
    if (field < kBias - 1) return Pack(false, 0, 0);
    // a = significand * 2^(field - bias - 63): the bits below the units, the
    // top one of them the half.
    const int below = 63 - (field - kBias);  // 1 to 64
    const std::uint64_t whole = below == 64 ? 0 : a.significand >> below;
    const bool half = (a.significand >> (below - 1) & 1) != 0;
    return Round(SignOf(a), 0, U128{whole} + (half ? 1 : 0), false);
}

SoftExtended Fraction(SoftExtended a, int& exponent) {
    exponent = 0;
    if (IsNaN(a) || IsInfinity(a) || IsZero(a)) return a;
    const Unpacked u = Unpack(a);
    exponent = u.exponent + 1;
    return Pack(u.sign, kBias - 1, u.significand);
}

SoftExtended Scale(SoftExtended a, int n) {
    if (IsNaN(a) || IsInfinity(a) || IsZero(a)) return a;
    constexpr int kFarther = 2 * kMaxField;  // past every exponent: the result is 0 or infinity alike
    n = n < -kFarther ? -kFarther : n > kFarther ? kFarther : n;
    const Unpacked u = Unpack(a);
    return Round(u.sign, u.exponent - 63 + n, u.significand, false);
}

SoftExtended Negate(SoftExtended a) {
    a.signAndExponent ^= 0x8000;
    return a;
}

int Compare(SoftExtended a, SoftExtended b) {
    if (IsNaN(a) || IsNaN(b)) return 2;
    if (IsZero(a) && IsZero(b)) return 0;
    if (SignOf(a) != SignOf(b)) return SignOf(a) ? -1 : 1;
    // Canonical values order as their exponent fields, then their significands.
    const int field = FieldOf(a) - FieldOf(b);
    const int magnitude = field != 0                       ? (field < 0 ? -1 : 1)
                          : a.significand == b.significand ? 0
                          : a.significand < b.significand  ? -1
                                                           : 1;
    return SignOf(a) ? -magnitude : magnitude;
}

SoftExtended FromDouble(double value) {
    const auto bits = BitCast<std::uint64_t>(value);
    const bool sign = (bits >> 63) != 0;
    const int field = static_cast<int>(bits >> 52 & 0x7FF);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    if (field == 0x7FF) return fraction ? Pack(sign, kMaxField, kIntegerBit | fraction << 11) : Infinity(sign);
    if (field != 0) return Pack(sign, field - 1023 + kBias, kIntegerBit | fraction << 11);
    return Round(sign, -1074, fraction, false);  // zero, or a subnormal double
}

SoftExtended FromInt64(std::int64_t value) {
    const bool sign = value < 0;
    const std::uint64_t magnitude =
        sign ? std::uint64_t{0} - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    return Round(sign, 0, magnitude, false);
}

std::int64_t ToInt64(SoftExtended value) {
    std::uint64_t magnitude;
    if (!TruncatedMagnitude(value, magnitude) || magnitude > (SignOf(value) ? kIntegerBit : kIntegerBit - 1))
        return static_cast<std::int64_t>(kIntegerBit);  // out of range: the x87 unit's integer indefinite
    return SignOf(value) ? static_cast<std::int64_t>(std::uint64_t{0} - magnitude)
                         : static_cast<std::int64_t>(magnitude);
}

std::uint64_t ToUint64(SoftExtended value) {
    std::uint64_t magnitude;
    return TruncatedMagnitude(value, magnitude) && (!SignOf(value) || magnitude == 0) ? magnitude : 0;
}

DecimalDigits ToDecimal(SoftExtended value, int count) {
    const Unpacked u = Unpack(value);
    const int binary = u.exponent - 63;  // magnitude = significand x 2^binary
    // magnitude in [2^e, 2^(e+1)): about 10^(e log10 2); the checks below settle it.
    int exponent = static_cast<int>((static_cast<long long>(u.exponent) * 78913) >> 18) + 1;
    for (;;) {
        // digits = floor(magnitude x 10^(count - exponent)): numerator / denominator.
        const int scale = count - exponent;
        BigInteger numerator(u.significand), denominator(1);
        if (binary >= 0)
            numerator.ShiftLeft(binary);
        else
            denominator.ShiftLeft(-binary);
        if (scale >= 0)
            numerator.MultiplyByPowerOfTen(scale);
        else
            denominator.MultiplyByPowerOfTen(-scale);
        BigInteger twice = denominator;  // for the remainder's comparison with half
        std::uint64_t digits = 0;
        BigInteger limit = denominator;
        limit.MultiplyByPowerOfTen(count);
        if (numerator.Compare(limit) >= 0) {
            ++exponent;
            continue;
        }
        digits = static_cast<std::uint64_t>(numerator.DivideSmallQuotient(denominator));
        if (digits < PowerOfTen(count - 1)) {
            --exponent;
            continue;
        }
        numerator.ShiftLeft(1);  // twice the remainder against the denominator
        const int half = numerator.Compare(twice);
        if (half > 0 || (half == 0 && (digits & 1))) ++digits;
        if (digits == PowerOfTen(count)) {
            digits = PowerOfTen(count - 1);
            ++exponent;
        }
        return {digits, exponent};
    }
}

namespace {

// A decimal text's value as 126 to 128 leading bits `top` x 2^binary, and
// whether anything nonzero lies below them: exact enough to round to any
// binary format up to 126 bits.
struct ExactDecimal {
    bool negative = false;
    bool zero = false;
    int binary = 0;
    U128 top = 0;
    bool sticky = false;
};

DecimalParse ReadDecimal(std::string_view text, ExactDecimal& exact) {
    std::size_t at = 0;
    const bool negative = at < text.size() && text[at] == '-';
    if (negative) ++at;
    // The significant digits (at most kKeptDigits; a nonzero one past them
    // makes the value a fraction more) and the power of ten they stand at.
    constexpr int kKeptDigits = 800;
    BigInteger digits(0);
    int kept = 0, exponent = 0;
    bool anyDigit = false, pointSeen = false, dropped = false;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '.' && !pointSeen) {
            pointSeen = true;
            continue;
        }
        if (c < '0' || c > '9') break;
        anyDigit = true;
        if (kept == 0 && c == '0') {
            if (pointSeen) --exponent;
            continue;
        }
        if (kept < kKeptDigits) {
            digits.MultiplyBy(10);
            digits.Add(static_cast<std::uint32_t>(c - '0'));
            ++kept;
            if (pointSeen) --exponent;
        } else {
            dropped = dropped || c != '0';
            if (!pointSeen) ++exponent;
        }
    }
    if (!anyDigit) return DecimalParse::NotANumber;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        std::size_t e = at + 1;
        const bool minus = e < text.size() && text[e] == '-';
        if (e < text.size() && (text[e] == '-' || text[e] == '+')) ++e;
        if (e < text.size() && text[e] >= '0' && text[e] <= '9') {
            long long power = 0;
            for (; e < text.size() && text[e] >= '0' && text[e] <= '9'; ++e)
                power = power < 100'000 ? power * 10 + (text[e] - '0') : power;
            exponent += static_cast<int>(minus ? -power : power);
            at = e;
        }
    }
    if (at != text.size()) return DecimalParse::NotANumber;
    exact.negative = negative;
    exact.zero = digits.IsZero();
    if (exact.zero) return DecimalParse::Ok;
    // Past these the value is infinite or zero, whatever its digits.
    if (exponent + kept > 5000) return DecimalParse::OutOfRange;
    if (exponent + kept < -5000) return DecimalParse::OutOfRange;
    U128 top;
    int binary;
    bool sticky = dropped;
    if (exponent >= 0) {
        digits.MultiplyByPowerOfTen(exponent);
        binary = digits.BitLength() > 128 ? digits.BitLength() - 128 : 0;
        bool lower = false;
        top = digits.BitsFrom(binary, lower);
        sticky = sticky || lower;
    } else {
        // digits / 10^-exponent, scaled by 2^shift so that the quotient has 126 or 127 bits.
        BigInteger denominator(1);
        denominator.MultiplyByPowerOfTen(-exponent);
        const int shift = 126 - (digits.BitLength() - denominator.BitLength());
        if (shift > 0)
            digits.ShiftLeft(shift);
        else
            denominator.ShiftLeft(-shift);
        top = digits.DivideSmallQuotient(denominator, 128);
        sticky = sticky || !digits.IsZero();
        binary = -shift;
    }
    exact.binary = binary;
    exact.top = top;
    exact.sticky = sticky;
    return DecimalParse::Ok;
}

}  // namespace

DecimalParse FromDecimalText(std::string_view text, SoftExtended& value) {
    ExactDecimal exact;
    const DecimalParse parse = ReadDecimal(text, exact);
    if (parse != DecimalParse::Ok) return parse;
    const SoftExtended rounded = Round(exact.negative, exact.binary, exact.top, exact.sticky);
    // As the C library's conversion: a result that overflows, or that lost
    // its normal precision underflowing, is out of range.
    if (!exact.zero && (IsInfinity(rounded) || FieldOf(rounded) == 0)) return DecimalParse::OutOfRange;
    value = rounded;
    return DecimalParse::Ok;
}

DecimalParse DoubleFromDecimalText(std::string_view text, double& value) {
    ExactDecimal exact;
    const DecimalParse parse = ReadDecimal(text, exact);
    if (parse != DecimalParse::Ok) return parse;
    // Rounded to odd at 64 bits (the lowest bit set when anything was cut
    // off), then to the double's 53: the same as rounding once.
    const int zeros = exact.zero ? 0 : LeadingZeros(exact.top);
    const U128 top = exact.top << zeros;
    const bool cut = exact.sticky || static_cast<std::uint64_t>(top) != 0;
    const U128 odd = (top >> 64 | (cut ? 1 : 0)) << 64;
    const double rounded = ToDouble(Round(exact.negative, exact.binary - zeros, odd, false));
    if (!exact.zero && (std::isinf(rounded) || rounded == 0)) return DecimalParse::OutOfRange;
    value = rounded;
    return DecimalParse::Ok;
}

SoftExtended FromUint64(std::uint64_t value) { return Round(false, 0, value, false); }

double ToDouble(SoftExtended value) { return BitCast<double>(RoundToBinary<53, -1022, 1023>(value)); }

float ToFloat(SoftExtended value) {
    return BitCast<float>(static_cast<std::uint32_t>(RoundToBinary<24, -126, 127>(value)));
}

}  // namespace orvik
