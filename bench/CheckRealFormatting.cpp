// The fast path of FormatRealTo against the exact decimal expansion on many
// hard values (tests/support/RealSamples.h: halfway cases, powers of ten and
// their neighbours, values just below a power of ten, 32-bit values, rounded
// coordinates, any finite value), on every core. Prints the count and exits
// 1 at the first value where the two differ.
//
// Usage: check_real_formatting [COUNT]   (default 30,000,000)
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <thread>
#include <vector>

#include "ToolArguments.h"
#include "dxf/NumberFormat.h"
#include "support/RealSamples.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args = orvik::ToolArguments(argc, argv, "check_real_formatting [VALUES]", 0, 1);
    const std::uint64_t count = args.empty() ? 30000000 : std::strtoull(args[0].c_str(), nullptr, 10);
    const unsigned workers = std::max(1u, std::thread::hardware_concurrency());
    std::atomic<bool> differ{false};
    std::vector<std::thread> threads;
    for (unsigned t = 0; t < workers; ++t) {
        threads.emplace_back([&, t] {
            std::mt19937_64 random(t + 1);
            char fast[orvik::kMaxRealLength], exact[orvik::kMaxRealLength];
            for (std::uint64_t i = t; i < count && !differ; i += workers) {
                const long double v = orvik::testing::RealSample(random, i);
                const std::size_t n = orvik::FormatRealTo(fast, v), m = orvik::FormatRealExactTo(exact, v);
                if (n != m || std::memcmp(fast, exact, n) != 0) {
                    std::printf("differ at %.21Lg: fast %.*s, exact %.*s\n", v, static_cast<int>(n), fast,
                                static_cast<int>(m), exact);
                    differ = true;
                }
            }
        });
    }
    for (std::thread& t : threads) t.join();
    if (differ) return 1;
    std::printf("%llu values: the fast path and the exact expansion agree\n", static_cast<unsigned long long>(count));
    return 0;
}
