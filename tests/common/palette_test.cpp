#include "palette.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

using gfx::Colour;

TEST(Palette, FirstSixteenEntriesAreTheClassicColours) {
    const gfx::Palette& p = gfx::default_palette();
    EXPECT_EQ(p[0], (Colour{0, 0, 0}));
    EXPECT_EQ(p[1], (Colour{0, 0, 168}));
    EXPECT_EQ(p[6], (Colour{168, 84, 0}));
    EXPECT_EQ(p[9], (Colour{132, 132, 252}));
    EXPECT_EQ(p[15], (Colour{252, 252, 252}));
}

TEST(Palette, EntriesSixteenToThirtyOneAreAGreyRamp) {
    const gfx::Palette& p = gfx::default_palette();
    for (int i = 16; i < 32; ++i) {
        const Colour c = p[static_cast<std::size_t>(i)];
        EXPECT_TRUE(c.r == c.g && c.g == c.b) << i;
        if (i > 16) {
            EXPECT_GT(c.r, p[static_cast<std::size_t>(i - 1)].r) << i;
        }
    }
    EXPECT_EQ(p[16].r, 0);
    EXPECT_EQ(p[31].r, 252);
}

// The hue of a colour in degrees, its lightness and saturation in 0..1.
struct Hsl {
    double hue, light, sat;
};
Hsl hsl(Colour c) {
    const double r = c.r / 255.0, g = c.g / 255.0, b = c.b / 255.0;
    const double mx = std::max({r, g, b}), mn = std::min({r, g, b});
    const double l = (mx + mn) / 2, d = mx - mn;
    double h = 0;
    if (d > 0) {
        if (mx == r)
            h = 60 * std::fmod((g - b) / d + 6, 6.0);
        else if (mx == g)
            h = 60 * ((b - r) / d + 2);
        else
            h = 60 * ((r - g) / d + 4);
    }
    const double s = d == 0 ? 0 : d / (1 - std::fabs(2 * l - 1));
    return {h, l, s};
}

TEST(Palette, NamedColoursMapToSensibleEntries) {
    const gfx::Palette& p = gfx::default_palette();
    EXPECT_EQ(gfx::nearest_entry(gfx::kWhite), 15);
    EXPECT_EQ(gfx::nearest_entry(gfx::kBlack), 0);
    EXPECT_EQ(gfx::nearest_entry(gfx::kGrey), 7);
    struct Named {
        Colour c;
        double hue;        // expected hue, degrees
        double min_light;  // light colours must stay light
    };
    const Named named[] = {
        {gfx::kRed, 0, 0.45},         {gfx::kYellow, 60, 0.45},    {gfx::kLightRed, 0, 0.6},
        {gfx::kLightGreen, 120, 0.6}, {gfx::kLightBlue, 205, 0.7}, {gfx::kPink, 300, 0.65},
    };
    for (const Named& n : named) {
        const Colour e = p[gfx::nearest_entry(n.c)];
        const Hsl h = hsl(e);
        double dh = std::fabs(h.hue - n.hue);
        dh = std::min(dh, 360 - dh);
        EXPECT_LT(dh, 20) << int{n.c.r} << "," << int{n.c.g} << "," << int{n.c.b};
        EXPECT_GE(h.light, n.min_light) << int{n.c.r} << "," << int{n.c.g} << "," << int{n.c.b};
        // Each channel within a small distance of the asked colour.
        EXPECT_LE(
            std::abs(int{e.r} - n.c.r) + std::abs(int{e.g} - n.c.g) + std::abs(int{e.b} - n.c.b),
            80);
    }
    // Light cyan is all but white: it must at least come out light with no red cast.
    const Colour lc = p[gfx::nearest_entry(gfx::kLightCyan)];
    EXPECT_GE(hsl(lc).light, 0.7);
    EXPECT_LE(lc.r, lc.g);
}

TEST(Palette, ExactEntriesMapToThemselves) {
    const gfx::Palette& p = gfx::default_palette();
    for (int i = 0; i < 248; ++i) {
        const std::uint8_t got = gfx::nearest_entry(p[static_cast<std::size_t>(i)]);
        EXPECT_EQ(p[got], p[static_cast<std::size_t>(i)]) << i;
        EXPECT_LE(got, i);  // ties go to the lower index
    }
}

}  // namespace
