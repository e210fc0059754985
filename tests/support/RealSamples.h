// Real values that try a decimal formatter hardest, for checking the fast
// path of FormatRealTo against the exact one: in turn, random 64-bit
// mantissas across and beyond the fast path's range, halfway cases at the
// 15th digit and their neighbours, powers of ten and their neighbours, values
// just below a power of ten, 32-bit values, rounded coordinates, exact
// halfway cases at the 18th digit, and any finite value at all (subnormals,
// huge ones).
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>

namespace orvik::testing {

inline long double RealSample(std::mt19937_64& random, std::uint64_t i) {
    auto uniform = [&random](int low, int high) {  // [low, high]
        return low + static_cast<int>(random() % static_cast<std::uint64_t>(high - low + 1));
    };
    auto nudged = [&](long double v) {  // up to three steps either way
        for (int steps = uniform(-3, 3); steps != 0; steps += steps > 0 ? -1 : 1)
            v = std::nextafter(v, steps > 0 ? 1e4000L : -1e4000L);
        return v;
    };
    long double v = 0;
    switch (i % 8) {
        case 0:
            v = std::ldexp(static_cast<long double>(random() | (std::uint64_t{1} << 63)), uniform(-12, 56) - 64);
            break;
        case 1: {  // d.ddd...d5 x 10^k: halfway between two 15-digit neighbours
            const auto d = static_cast<long double>(100000000000000 + random() % 900000000000000);
            v = nudged((d * 10 + 5) * std::pow(10.0L, uniform(-19, 0)));
            break;
        }
        case 2: v = nudged(std::pow(10.0L, uniform(-6, 20))); break;
        case 3: v = nudged((1 - std::pow(10.0L, -uniform(12, 18))) * std::pow(10.0L, uniform(-3, 16))); break;
        case 4: {
            float f = 0;
            const auto bits = static_cast<std::uint32_t>(random());
            std::memcpy(&f, &bits, sizeof f);
            v = std::isfinite(f) ? f : 1.5f;
            break;
        }
        case 5: {  // a rounded delta plus a rounded offset, as the mapping makes them
            const long double step = std::pow(10.0L, uniform(0, 6));
            v = static_cast<long double>(static_cast<std::int64_t>(random() % 2000000000) - 1000000000) / step +
                static_cast<long double>(random() % 100000) / step;
            break;
        }
        case 6: {  // an odd multiple of 2^-(19 - e) in [10^(e-1), 10^e): 19 digits ending in 5
            const int e = uniform(-1, 15);
            const long double low = std::ldexp(std::pow(10.0L, e - 1), 19 - e);
            const auto m = static_cast<std::uint64_t>(low) + random() % static_cast<std::uint64_t>(9 * low);
            v = std::ldexp(static_cast<long double>(m | 1), e - 19);
            break;
        }
        default: {
            std::uint64_t mantissa = random() | (std::uint64_t{1} << 63);
            const int exponent = uniform(-16445, 16383);
            v = std::ldexp(static_cast<long double>(mantissa), exponent - 63);
            if (!std::isfinite(v)) v = 1e300L;
            break;
        }
    }
    return random() % 2 ? -v : v;
}

}  // namespace orvik::testing
