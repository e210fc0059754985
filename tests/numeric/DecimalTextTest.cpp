// The C library's way to the decimal texts (WebAssembly's) writes what
// std::to_chars writes, for doubles of every kind: random bit patterns,
// powers of two (whose shortest text may lie in the narrower half of their
// interval), integers, subnormals and the specials; also where the program
// runs in a locale whose decimal point is a comma.
#include "numeric/DecimalText.h"
#include "numeric/SoftExtended.h"

#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

namespace orvik {
namespace {

TEST(DecimalText, ThePrintfWayWritesWhatToCharsWrites) {
    std::vector<double> values = {0.0,
                                  -0.0,
                                  std::numeric_limits<double>::infinity(),
                                  -std::numeric_limits<double>::infinity(),
                                  std::numeric_limits<double>::quiet_NaN(),
                                  std::numeric_limits<double>::max(),
                                  std::numeric_limits<double>::denorm_min(),
                                  std::numeric_limits<double>::min(),
                                  0.1,
                                  100,
                                  1e20,
                                  1e21,
                                  1e-5,
                                  123456.789,
                                  5e-324};
    for (int e = -1074; e <= 1023; ++e) values.push_back(std::ldexp(1.0, e));
    std::mt19937_64 random(20261208);
    for (int i = 0; i < 100'000; ++i) {
        const std::uint64_t bits = random();
        double v;
        std::memcpy(&v, &bits, sizeof v);
        values.push_back(v);
        values.push_back(static_cast<double>(static_cast<std::int64_t>(random() % 2'000'001) - 1'000'000) /
                         static_cast<double>(1 + random() % 1000));
    }
    int failures = 0;
    const bool comma = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    for (const double v : values) {
        char buffer[400];
        const std::string shortest(buffer, std::to_chars(buffer, buffer + sizeof buffer, v).ptr);
        const std::string plain(buffer, std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed).ptr);
        const std::string fixed(buffer,
                                std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, 4).ptr);
        const bool same = printf_decimal::ShortestText(v) == shortest &&
                          printf_decimal::ShortestPlainText(v) == plain && printf_decimal::FixedText(v, 4) == fixed;
        if (!same && failures++ < 5) ADD_FAILURE() << shortest;
    }
    std::setlocale(LC_ALL, "C");
    EXPECT_TRUE(comma) << "the de_DE.UTF-8 locale is missing (scripts/install-deps.sh --tests makes it)";
}

// Reading takes the standard library's fast way where it has one; it must
// answer what the exact reader answers, on every system.
TEST(DecimalText, ReadingAgreesWithTheExactReader) {
    for (const char* text : {"0.5",
                             "-12.25",
                             ".5",
                             "5.",
                             "1e5",
                             "1E+5",
                             "2.5e-3",
                             "-0",
                             "4.9e-324",
                             "2.4e-324",
                             "1e400",
                             "1e-400",
                             "1.7976931348623157e308",
                             "inf",
                             "-inf",
                             "nan",
                             "infinity",
                             "0x1p3",
                             "",
                             "-",
                             "+1",
                             " 1",
                             "1 ",
                             "1e",
                             "1.2.3",
                             "12a"}) {
        double read = 0, exact = 0;
        const bool ok = ReadDouble(text, read);
        EXPECT_EQ(ok, DoubleFromDecimalText(text, exact) == DecimalParse::Ok) << text;
        if (ok) {
            EXPECT_EQ(std::memcmp(&read, &exact, sizeof read), 0) << text;
        }
    }
}

}  // namespace
}  // namespace orvik
