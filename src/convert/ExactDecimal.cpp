#include "convert/ExactDecimal.h"
#include "numeric/Extended.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace orvik {
namespace {

constexpr int kExactPowers = 28;  // 5^27 still fits the 64-bit mantissa; 5^28 does not

std::array<Extended, kExactPowers> MakePowers() {
    std::array<Extended, kExactPowers> powers{};
    powers[0] = 1;
    for (int i = 1; i < kExactPowers; ++i) powers[i] = powers[i - 1] * 10;
    return powers;
}
const auto kPowers = MakePowers();

// A natural number as 32-bit words, least significant first; just enough
// arithmetic to compare a binary fraction with a power of ten.
class Natural {
public:
    explicit Natural(std::uint64_t value)
        : words_{static_cast<std::uint32_t>(value), static_cast<std::uint32_t>(value >> 32)} {}

    void MultiplyBy(std::uint32_t factor) {
        std::uint64_t carry = 0;
        for (std::uint32_t& word : words_) {
            const std::uint64_t product = std::uint64_t{word} * factor + carry;
            word = static_cast<std::uint32_t>(product);
            carry = product >> 32;
        }
        if (carry != 0) words_.push_back(static_cast<std::uint32_t>(carry));
    }

    void MultiplyByPowerOfFive(int n) {
        constexpr std::uint32_t kFiveTo13 = 1220703125;  // the largest power of five below 2^32
        for (; n >= 13; n -= 13) MultiplyBy(kFiveTo13);
        std::uint32_t rest = 1;
        for (; n > 0; --n) rest *= 5;
        MultiplyBy(rest);
    }

    void ShiftLeft(int bits) {
        const int shift = bits % 32;
        if (shift != 0) {
            std::uint32_t carry = 0;
            for (std::uint32_t& word : words_) {
                const std::uint32_t next = word >> (32 - shift);
                word = (word << shift) | carry;
                carry = next;
            }
            if (carry != 0) words_.push_back(carry);
        }
        words_.insert(words_.begin(), static_cast<std::size_t>(bits / 32), 0);
    }

    friend int Compare(Natural a, Natural b) {
        a.Trim();
        b.Trim();
        if (a.words_.size() != b.words_.size()) return a.words_.size() < b.words_.size() ? -1 : 1;
        for (std::size_t i = a.words_.size(); i-- > 0;)
            if (a.words_[i] != b.words_[i]) return a.words_[i] < b.words_[i] ? -1 : 1;
        return 0;
    }

private:
    void Trim() {
        while (!words_.empty() && words_.back() == 0) words_.pop_back();
    }

    std::vector<std::uint32_t> words_;
};

// The sign of x - 10^k for a finite x > 0. With x = m * 2^e (m a 64-bit
// integer) and 10^k = 5^k * 2^k, both sides are brought to whole numbers.
int CompareWithPowerOfTen(Extended x, int k) {
    int binaryExponent = 0;
    const Extended fraction = Fraction(x, binaryExponent);  // [0.5, 1)
    const auto mantissa = static_cast<std::uint64_t>(Scale(fraction, 64));
    const int e = binaryExponent - 64;
    Natural left(mantissa), right(1);
    if (k < 0)
        left.MultiplyByPowerOfFive(-k);
    else
        right.MultiplyByPowerOfFive(k);
    if (e > k)
        left.ShiftLeft(e - k);
    else
        right.ShiftLeft(k - e);
    return Compare(left, right);
}

}  // namespace

Extended PowerOfTen(int n) {
    if (n < kExactPowers) return kPowers[static_cast<std::size_t>(n)];
    return kPowers[kExactPowers - 1] * PowerOfTen(n - (kExactPowers - 1));
}

int DecimalCeiling(Extended x) {
    int binaryExponent = 0;
    Fraction(x, binaryExponent);  // 2^(e-1) <= x < 2^e
    // floor(e * log10(2)) in integers: a starting point at most one or two off.
    int k = static_cast<int>((static_cast<long long>(binaryExponent) * 78913) >> 18);
    while (CompareWithPowerOfTen(x, k) > 0) ++k;
    while (CompareWithPowerOfTen(x, k - 1) <= 0) --k;
    return k;
}

}  // namespace orvik
