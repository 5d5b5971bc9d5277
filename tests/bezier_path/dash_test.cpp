// The dash counter of the road's centre line.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "path_views.hpp"

namespace {

// Wherever the counter starts, even at the top of its range, the pattern runs on as an exact
// count of the samples would have it: 4 drawn, 6 skipped.
TEST(DashCounter, ContinuesThePatternWithoutOverflow) {
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    for (const std::int32_t start : {0, 3, 9, kMax - 12, kMax - 1, kMax}) {
        std::int32_t count = start;
        for (std::int64_t exact = std::int64_t{start} + 1; exact <= std::int64_t{start} + 500;
             ++exact) {
            count = bezier_path::next_dash_count(count);
            ASSERT_GE(count, 0);
            ASSERT_EQ(bezier_path::dash_drawn(count), exact % 10 < 4)
                << "from " << start << " at " << exact;
        }
    }
}

TEST(DashCounter, DrawsFourOfEveryTen) {
    std::int32_t count = 0;
    int drawn = 0;
    for (int i = 0; i < 1000; ++i) {
        count = bezier_path::next_dash_count(count);
        drawn += bezier_path::dash_drawn(count) ? 1 : 0;
    }
    EXPECT_EQ(drawn, 400);
}

}  // namespace
