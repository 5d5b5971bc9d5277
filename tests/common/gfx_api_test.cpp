// The program-facing operations, in process, over the headless backend.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>

#include "gfx.hpp"
#include "page_view.hpp"
#include "palette.hpp"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

class Gfx : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        setenv("GFX_BACKEND", "headless", 1);
        unsetenv("GFX_SCRIPT");
        unsetenv("GFX_TRACE");
        gfx::open_window(3, 6, "TEST");
    }
    void SetUp() override {
        for (int p = 3; p >= 0; --p) {
            gfx::set_active_page(p);
            gfx::clear_page();
        }
        gfx::set_visual_page(0);
        gfx::set_colour(gfx::kWhite);
    }
    static int at(int x, int y, int page = 0) {
        return gfx::page_view(
            page)[static_cast<std::size_t>(y) * gfx::kPageWidth + static_cast<std::size_t>(x)];
    }
    static int count(int page = 0) {
        int n = 0;
        for (auto v : gfx::page_view(page)) n += v != 0;
        return n;
    }
};

TEST_F(Gfx, ModeSixIsEightHundredBySixHundred) {
    EXPECT_EQ(gfx::max_x(), 799);
    EXPECT_EQ(gfx::max_y(), 599);
}

TEST_F(Gfx, DrawingGoesToTheActivePageOnly) {
    gfx::set_active_page(2);
    gfx::put_pixel(10, 10, gfx::kRed);
    EXPECT_EQ(at(10, 10, 2), gfx::nearest_entry(gfx::kRed));
    EXPECT_EQ(count(0), 0);
    EXPECT_EQ(gfx::active_page_number(), 2);
    gfx::set_active_page(7);  // no such page: nothing changes
    gfx::set_visual_page(-1);
    EXPECT_EQ(gfx::active_page_number(), 2);
    EXPECT_EQ(gfx::visual_page_number(), 0);
}

TEST_F(Gfx, LineToDrawsFromTheCurrentPositionAndMovesIt) {
    gfx::move_to(10, 10);
    gfx::line_to(20, 10);
    gfx::line_to(20, 20);
    EXPECT_EQ(at(10, 10), 15);
    EXPECT_EQ(at(20, 10), 15);
    EXPECT_EQ(at(20, 20), 15);
    EXPECT_EQ(count(), 21);
    // line() leaves the position at its second point; circle() does not move it.
    gfx::line(100, 100, 110, 100);
    gfx::circle(300, 300, 5);
    gfx::line_to(110, 105);
    EXPECT_EQ(at(110, 103), 15);
}

TEST_F(Gfx, ClearFillsWithBlackAndResetsThePosition) {
    gfx::line(5, 5, 50, 50);
    gfx::clear_page();
    EXPECT_EQ(count(), 0);
    gfx::line_to(0, 10);  // from (0, 0)
    EXPECT_EQ(at(0, 0), 15);
    EXPECT_EQ(at(0, 10), 15);
}

TEST_F(Gfx, NonFiniteCoordinatesDrawNothing) {
    for (double bad : {kNaN, kInf, -kInf}) {
        gfx::line(bad, 10, 100, 100);
        gfx::line(10, 10, 100, bad);
        gfx::circle(400, bad, 10);
        gfx::circle(400, 300, bad);
        gfx::put_pixel(bad, 3, gfx::kWhite);
        gfx::write_text(bad, 100, "abc");
    }
    EXPECT_EQ(count(), 0);
}

TEST_F(Gfx, LineToANonFinitePointBreaksThePolyline) {
    gfx::move_to(10, 10);
    gfx::line_to(kNaN, 50);  // draws nothing; the position is lost
    gfx::line_to(30, 10);    // only moves
    EXPECT_EQ(count(), 0);
    gfx::line_to(40, 10);
    EXPECT_EQ(count(), 11);
    gfx::move_to(kInf, 0);
    gfx::line_to(50, 50);
    EXPECT_EQ(count(), 11);
}

TEST_F(Gfx, CoordinatesWrapInto16Bits) {
    gfx::put_pixel(65536 + 7, 65536 * 3 + 9, gfx::kWhite);
    EXPECT_EQ(at(7, 9), 15);
    gfx::put_pixel(2.5, 3.5, gfx::kWhite);  // (2, 4)
    EXPECT_EQ(at(2, 4), 15);
    // A circle of radius 65536 + 2 is one of radius 2.
    gfx::clear_page();
    gfx::circle(400, 300, 65538);
    EXPECT_EQ(at(402, 300), 15);
    EXPECT_EQ(count(), 12);
}

// A circle equal to the one just drawn is skipped; that must never lose a pixel.
TEST_F(Gfx, RepeatedCirclesStillDrawWhatTheyMust) {
    gfx::circle(100, 100, 10);
    gfx::set_colour(gfx::kRed);
    gfx::circle(100, 100, 10);  // same circle, other colour
    EXPECT_EQ(at(110, 100), gfx::nearest_entry(gfx::kRed));

    gfx::set_colour(gfx::kWhite);
    gfx::circle(200, 200, 10);
    gfx::set_colour(gfx::kRed);
    gfx::line(190, 200, 215, 200);  // covers a pixel of the circle
    gfx::set_colour(gfx::kWhite);
    gfx::circle(200, 200, 10);  // same circle again, after the line
    EXPECT_EQ(at(210, 200), 15);

    gfx::circle(300, 300, 10);
    gfx::set_active_page(1);
    gfx::circle(300, 300, 10);  // same circle, other page
    EXPECT_EQ(at(310, 300, 1), 15);

    gfx::set_active_page(0);
    gfx::circle(400, 300, 10);
    gfx::clear_page();
    gfx::circle(400, 300, 10);  // after a clear
    EXPECT_EQ(at(410, 300), 15);

    gfx::circle(500, 300, 10);
    gfx::put_pixel(510, 300, gfx::kRed);
    gfx::circle(500, 300, 10);  // after a pixel over it
    EXPECT_EQ(at(510, 300), 15);

    gfx::circle(600, 300, 10);
    gfx::set_text_style(3, 0, 2);
    gfx::set_text_justify(1, 1);
    gfx::set_colour(gfx::kRed);
    gfx::write_text(610, 308, "W");  // text over it
    gfx::set_colour(gfx::kWhite);
    gfx::circle(600, 300, 10);
    EXPECT_EQ(at(610, 300), 15);
}

TEST_F(Gfx, ColoursShowAsTheirNearestEntry) {
    gfx::set_colour(gfx::kLightGreen);
    gfx::line(0, 0, 5, 0);
    EXPECT_EQ(at(3, 0), gfx::nearest_entry(gfx::kLightGreen));
    gfx::put_pixel(9, 9, gfx::kYellow);
    EXPECT_EQ(at(9, 9), gfx::nearest_entry(gfx::kYellow));
    // put_pixel does not change the drawing colour
    gfx::line(0, 1, 5, 1);
    EXPECT_EQ(at(3, 1), gfx::nearest_entry(gfx::kLightGreen));
}

TEST_F(Gfx, TextIsDrawnInTheDrawingColour) {
    gfx::set_text_style(3, 0, 2);
    gfx::set_text_justify(0, 0);
    gfx::set_colour(gfx::kRed);
    gfx::write_text(100, 100, "W");
    EXPECT_GT(count(), 10);
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 800; ++x) {
            const int v = at(x, y);
            if (v == 0) continue;
            EXPECT_EQ(v, gfx::nearest_entry(gfx::kRed));
            EXPECT_GE(x, 100);
            EXPECT_GE(y, 100);
            EXPECT_LT(y, 116);
        }
    }
}

TEST_F(Gfx, RandomIntegersStayInRange) {
    gfx::seed_random();
    for (int k : {1, 2, 11, 799}) {
        for (int i = 0; i < 500; ++i) {
            const int v = gfx::random_int(k);
            EXPECT_GE(v, 0);
            EXPECT_LT(v, k);
        }
    }
    EXPECT_EQ(gfx::random_int(0), 0);
    EXPECT_EQ(gfx::random_int(-5), 0);
}

}  // namespace
