#include "key_ring.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int> drain(gfx::KeyRing& ring) {
    std::vector<int> out;
    while (const auto k = ring.pop()) out.push_back(*k);
    return out;
}

TEST(KeyRing, HoldsThirtyOneBytesInOrder) {
    gfx::KeyRing ring;
    EXPECT_TRUE(ring.empty());
    for (int i = 1; i <= 31; ++i) ring.push(static_cast<gfx::Key>(i));
    EXPECT_EQ(ring.size(), 31);
    std::vector<int> want;
    for (int i = 1; i <= 31; ++i) want.push_back(i);
    EXPECT_EQ(drain(ring), want);
    EXPECT_TRUE(ring.empty());
}

TEST(KeyRing, ThirtySecondByteDropsTheOldestKey) {
    gfx::KeyRing ring;
    for (int i = 1; i <= 32; ++i) ring.push(static_cast<gfx::Key>(i));
    const std::vector<int> got = drain(ring);
    ASSERT_EQ(got.size(), 31u);
    EXPECT_EQ(got.front(), 2);
    EXPECT_EQ(got.back(), 32);
}

TEST(KeyRing, SpecialKeyIsDroppedWithItsPrefix) {
    gfx::KeyRing ring;
    ring.push_special(72);  // Up: 0, 72
    for (int i = 0; i < 29; ++i) ring.push('a');
    EXPECT_EQ(ring.size(), 31);
    ring.push('z');  // would fill the ring: the whole special key goes
    const std::vector<int> got = drain(ring);
    ASSERT_EQ(got.size(), 30u);
    EXPECT_EQ(got.front(), 'a');
    EXPECT_EQ(got.back(), 'z');
}

TEST(KeyRing, KeepsWorkingAcrossTheWrap) {
    gfx::KeyRing ring;
    std::vector<int> want;
    for (int round = 0; round < 5; ++round) {
        for (int i = 0; i < 20; ++i) ring.push(static_cast<gfx::Key>(round * 20 + i));
        for (int i = 0; i < 20; ++i) {
            const auto k = ring.pop();
            ASSERT_TRUE(k.has_value());
            EXPECT_EQ(*k, round * 20 + i);
        }
    }
    EXPECT_FALSE(ring.pop().has_value());
}

TEST(KeyRing, SpecialKeyEntersWholeWhenTheRingIsFull) {
    gfx::KeyRing ring;
    for (int i = 1; i <= 31; ++i) ring.push(static_cast<gfx::Key>(i));
    ring.push_special(59);  // F1: drops 1 and 2 to make room
    const std::vector<int> got = drain(ring);
    ASSERT_EQ(got.size(), 31u);
    EXPECT_EQ(got.front(), 3);
    EXPECT_EQ(got[got.size() - 2], 0);
    EXPECT_EQ(got.back(), 59);
}

}  // namespace
