#include "output/OrderedChunks.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace orvik {
namespace {

std::string Made(std::size_t count, int workers) {
    std::string out;
    MakeChunksInOrder(
        count, workers, [](std::size_t k, std::string& text) { text = std::to_string(k) + ","; },
        [&out](std::size_t, const std::string& text) { out += text; });
    return out;
}

TEST(OrderedChunks, TakesEveryChunkInOrderWithAnyNumberOfWorkers) {
    std::string expected;
    for (int k = 0; k < 500; ++k) expected += std::to_string(k) + ",";
    for (const int workers : {0, 1, 2, 7}) {
        EXPECT_EQ(Made(500, workers), expected) << workers;
        EXPECT_EQ(Made(0, workers), "") << workers;
    }
}

TEST(OrderedChunks, StopsAtTheFirstFailureAndRethrowsIt) {
    for (const bool inMake : {true, false}) {
        std::size_t takenUpTo = 0;
        auto make = [inMake](std::size_t k, std::string& text) {
            if (inMake && k == 40) throw std::runtime_error("make 40");
            text.assign(1, 'x');
        };
        auto take = [&](std::size_t k, const std::string&) {
            if (!inMake && k == 40) throw std::runtime_error("take 40");
            takenUpTo = k + 1;
        };
        EXPECT_THROW(MakeChunksInOrder(1000, 2, make, take), std::runtime_error) << inMake;
        // Chunks made before a failed one may go untaken; none after it is taken.
        if (inMake)
            EXPECT_LE(takenUpTo, 40u);
        else
            EXPECT_EQ(takenUpTo, 40u);
    }
}

}  // namespace
}  // namespace orvik
