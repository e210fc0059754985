#include "numeric/Unsigned128.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

namespace orvik {
namespace {

using Native = unsigned __int128;

Native NativeOf(U128 x) { return static_cast<Native>(x.High()) << 64 | x.Low(); }

// The portable product, quotient, shifts and carries against the compiler's
// own 128-bit integers, on the words where carries and corrections happen
// (all ones, one bit, the 32-bit halves' borders) and at random.
TEST(Unsigned128, AgreesWithTheCompilersOwn) {
    std::vector<std::uint64_t> words = {
        0,     1,         2,          0xFFFFFFFF,       0x100000000,        0x80000000,
        ~0ULL, ~0ULL - 1, 1ULL << 63, (1ULL << 63) + 1, 0xFFFFFFFF00000000, 0x00000001FFFFFFFF};
    std::mt19937_64 random(20261209);
    for (int i = 0; i < 20000; ++i) words.push_back(random() >> (random() % 64));
    int failures = 0;
    const auto expect = [&](bool same, std::uint64_t a, std::uint64_t b, const char* what) {
        if (!same && ++failures <= 5) ADD_FAILURE() << what << ' ' << a << ' ' << b;
    };
    for (std::size_t i = 0; i + 1 < words.size(); ++i) {
        const std::uint64_t a = words[i], b = words[i + 1], c = words[(i * 7) % words.size()];
        expect(NativeOf(ProductInHalves(a, b)) == static_cast<Native>(a) * b, a, b, "a * b");
        const U128 x = U128::Of(a, c);
        if (b != 0) {
            // A dividend whose quotient fits 64 bits: its high word below the divisor.
            const U128 n = U128::Of(a % b, c);
            const Quotient q = DivideInDigits(n, b);
            expect(q.quotient == static_cast<std::uint64_t>(NativeOf(n) / b) &&
                       q.remainder == static_cast<std::uint64_t>(NativeOf(n) % b),
                   a, b, "n / d");
            expect(NativeOf(x / b) == NativeOf(x) / b, a, b, "x / d");
        }
        const int shift = static_cast<int>(b % 130);
        expect(NativeOf(x << shift) == (shift >= 128 ? 0 : NativeOf(x) << shift), a, b, "<<");
        expect(NativeOf(x >> shift) == (shift >= 128 ? 0 : NativeOf(x) >> shift), a, b, ">>");
        const U128 y = U128::Of(b, a);
        expect(NativeOf(x + y) == NativeOf(x) + NativeOf(y), a, b, "+");
        expect(NativeOf(x - y) == NativeOf(x) - NativeOf(y), a, b, "-");
        expect((x < y) == (NativeOf(x) < NativeOf(y)), a, b, "<");
        expect(LeadingZeros(x) == (NativeOf(x) == 0 ? 128 : __builtin_clzll(a ? a : c) + (a ? 0 : 64)), a, c, "zeros");
    }
}

}  // namespace
}  // namespace orvik
