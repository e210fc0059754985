// The conversion's trigonometry gives the same bits on every system: each
// result below is the correctly rounded value (checked to 120 digits), so
// the Windows build, which runs these under Wine, must compute them alike.
// Where glibc is at hand, it agrees with glibc's functions at the 15
// significant digits the DXF file holds.
#include "geometry/Trigonometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "dxf/NumberFormat.h"

namespace orvik {
namespace {

TEST(Trigonometry, CorrectlyRoundedOnEverySystem) {
    struct Case {
        long double degrees, cos, sin;
    };
    const Case cases[] = {
        {90, -0xe.ce675d1fc8f8cbbp-69L, 0x8p-3L},
        {30, 0xd.db3d742c265539dp-4L, 0x8.000000000000001p-4L},
        {45, 0xb.504f333f9de6484p-4L, 0xb.504f333f9de6485p-4L},
        {0.5L, 0xf.ffd812cce4e667ep-4L, 0x8.ef9be24aa610954p-10L},
        {359.5L, 0xf.ffd812cce4e667ep-4L, -0x8.ef9be24aa61083p-10L},
        {-720, 0x8p-3L, -0xe.ce675d1fc8f8cbbp-66L},
        {1e-30L, 0x8p-3L, 0xb.53ecf60e55a0eafp-109L},
        {3.0e38L, -0x9.0123b692f9ab2b9p-5L, 0xf.5a7efb30bb810d9p-4L},
        {89.99998474121094L, 0x8.efa3512306f55e1p-25L, 0xf.ffffffffff604afp-4L},
        {180, -0x8p-3L, -0xe.ce675d1fc8f8cbbp-68L},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CosDegrees(c.degrees), c.cos) << c.degrees;
        EXPECT_EQ(SinDegrees(c.degrees), c.sin) << c.degrees;
    }
    struct Direction {
        long double dx, dy, radians;
    };
    const Direction directions[] = {
        {1, 1, 0xc.90fdaa22168c235p-4L},         {-1, 0, 0xc.90fdaa22168c235p-2L},
        {0, 1, 0xc.90fdaa22168c235p-3L},         {3, 4, 0xe.d63382b0dda7b45p-4L},
        {-5, -1e-30L, -0xc.90fdaa22168c235p-2L}, {1e30L, 7, 0x8.dfa13f872525cabp-100L},
        {-0.0L, -2, -0xc.90fdaa22168c235p-3L},
    };
    for (const Direction& d : directions) EXPECT_EQ(Atan2(d.dy, d.dx), d.radians) << d.dx << ' ' << d.dy;
    EXPECT_TRUE(std::signbit(Atan2(-0.0L, 1)));
    EXPECT_TRUE(std::isnan(Cos(INFINITY)) && std::isnan(Sin(NAN)) && std::isnan(Atan2(NAN, 1)));
}

#ifdef __GLIBC__
// Every half degree and the angles beside it (a float apart, and 1/65536
// degree apart as JW_CAD stores them), and their sums with a quarter and
// half turn: the file's digits are glibc's. At random angles the two may
// differ in the last bit, never by more.
TEST(Trigonometry, AgreesWithGlibcAtTheFilesDigits) {
    std::vector<long double> degrees;
    for (int half = -1440; half <= 1440; ++half) {
        const float at = static_cast<float>(half) * 0.5f;
        for (const long double d :
             {static_cast<long double>(at), static_cast<long double>(std::nextafter(at, 1e9f)),
              static_cast<long double>(std::nextafter(at, -1e9f)), at + 1.0L / 65536, at - 1.0L / 65536})
            for (const long double sum : {0.0L, 90.0L, -90.0L, 180.0L}) degrees.push_back(d + sum);
    }
    for (const long double d : degrees) {
        const long double r = Radians(d);
        EXPECT_EQ(FormatReal(Cos(r)), FormatReal(cosl(r))) << d;
        EXPECT_EQ(FormatReal(Sin(r)), FormatReal(sinl(r))) << d;
    }
    std::uint32_t random = 1;
    for (int i = 0; i < 100000; ++i) {
        random = random * 1103515245u + 12345u;
        const long double r = Radians(static_cast<float>(random % 1440000) / 1000 - 720);
        EXPECT_LE(std::fabs(Cos(r) - cosl(r)), std::fabs(std::nextafter(cosl(r), 2.0L) - cosl(r))) << r;
        EXPECT_LE(std::fabs(Sin(r) - sinl(r)), std::fabs(std::nextafter(sinl(r), 2.0L) - sinl(r))) << r;
        const long double dx = static_cast<long double>(random % 2001) - 1000,
                          dy = static_cast<long double>(random >> 20) - 2048;
        if (dx == 0 && dy == 0) continue;
        const long double ref = atan2l(dy, dx);
        EXPECT_LE(std::fabs(Atan2(dy, dx) - ref), 2 * std::fabs(std::nextafter(ref, 4.0L) - ref)) << dx << ' ' << dy;
    }
}
#endif

}  // namespace
}  // namespace orvik
