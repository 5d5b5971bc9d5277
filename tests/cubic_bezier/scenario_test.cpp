// The real cubic_bezier run headless on short scripts; assertions on its trace and pictures.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "run_headless.hpp"

namespace {

using demo_test::HeadlessRun;
using demo_test::run_headless;
using demo_test::words;
using Frame = std::vector<std::string>;
using Op = std::vector<std::string>;

const std::string kMessage = "APASA TASTA SPATIU CA SA ADAUGI PUNCTE";

HeadlessRun run(const std::string& script, const std::string& png_frames = "") {
    demo_test::HeadlessOptions options;
    options.script = script;
    options.png_frames = png_frames;
    return run_headless("cubic_bezier", options);
}

// The operations of one name in a frame, split into words.
std::vector<Op> ops(const Frame& frame, const std::string& name) {
    std::vector<Op> out;
    for (const std::string& line : frame) {
        Op w = words(line);
        if (!w.empty() && w[0] == name) out.push_back(w);
    }
    return out;
}

std::vector<Op> all_ops(const Frame& frame) {
    std::vector<Op> out;
    for (const std::string& line : frame) out.push_back(words(line));
    return out;
}

double num(const Op& op, std::size_t i) {
    return std::stod(op.at(i));
}

bool has_line(const Frame& frame, const std::string& line) {
    for (const std::string& l : frame) {
        if (l == line) return true;
    }
    return false;
}

// A chain point as the frame drew it: its radius-4 circle and the handle line after it.
struct Drawn {
    double x, y, hx, hy;
};

std::vector<Drawn> drawn_points(const Frame& frame) {
    std::vector<Drawn> out;
    const std::vector<Op> all = all_ops(frame);
    for (std::size_t i = 0; i + 1 < all.size(); ++i) {
        if (all[i][0] == "circle" && all[i][3] == "4" && all[i + 1][0] == "line") {
            out.push_back(
                {num(all[i + 1], 1), num(all[i + 1], 2), num(all[i + 1], 3), num(all[i + 1], 4)});
        }
    }
    return out;
}

std::vector<std::string> texts(const Frame& frame) {
    std::vector<std::string> out;
    for (const Op& op : ops(frame, "text")) out.push_back(op.at(3));
    return out;
}

// "x y 0 : ' '": a frame at (x, y) with no button that presses the space bar.
std::string space_at(int x, int y) {
    return std::to_string(x) + " " + std::to_string(y) + " 0 : ' '\n";
}

TEST(CubicBezierScenario, StartsWithItsCaptionAndArialOnce) {
    const HeadlessRun r = run("400 300 0 x3\n400 300 0 : 27\n");
    ASSERT_EQ(r.exit_code, 0) << r.stderr_text;
    ASSERT_EQ(r.frames.size(), 5u);
    EXPECT_EQ(r.frames[0].at(0), "window 3 6 \"CURBELE BEZIER CUBICE\"");
    int styles = 0;
    for (const Frame& f : r.frames) styles += static_cast<int>(ops(f, "style").size());
    EXPECT_EQ(styles, 1);
    EXPECT_TRUE(has_line(r.frames[0], "style 3 0 2"));
    // Pages flip 0/1 each frame; the last frame ends the run by closing the window.
    EXPECT_EQ(ops(r.frames[0], "active").at(0)[1], "0");
    EXPECT_EQ(ops(r.frames[0], "visual").at(0)[1], "1");
    EXPECT_EQ(ops(r.frames[1], "active").at(0)[1], "1");
    EXPECT_EQ(ops(r.frames[1], "visual").at(0)[1], "0");
    EXPECT_EQ(r.frames[4].back(), "close");
}

TEST(CubicBezierScenario, EmptyChainShowsOnlyTheMessageWhateverTheButtons) {
    const HeadlessRun r = run("400 300 0\n10 10 1\n700 500 2\n300 200 3\n400 300 0 : 27\n");
    ASSERT_EQ(r.exit_code, 0) << r.stderr_text;
    for (std::size_t f = 1; f <= 5; ++f) {
        SCOPED_TRACE(f);
        const Frame& frame = r.frames[f];
        EXPECT_EQ(texts(frame), std::vector<std::string>{kMessage});
        EXPECT_TRUE(has_line(frame, "text 399 299 \"" + kMessage + "\""));
        EXPECT_TRUE(ops(frame, "circle").empty());
        EXPECT_TRUE(ops(frame, "line").empty());
        EXPECT_TRUE(ops(frame, "lineto").empty());
        // White, centred, bottom edge on y.
        EXPECT_EQ(ops(frame, "colour").back(), (Op{"colour", "255", "255", "255"}));
        EXPECT_EQ(ops(frame, "justify").at(0), (Op{"justify", "1", "1"}));
    }
}

TEST(CubicBezierScenario, MessageIsCentredOnXWithItsBottomOnY) {
    const HeadlessRun r = run("400 300 0\n400 300 0 : 27\n", "end");
    ASSERT_EQ(r.exit_code, 0) << r.stderr_text;
    const demo_test::Picture p = demo_test::read_png(r.dir + "/end.png");
    int left = p.width, right = -1, top = p.height, bottom = -1;
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            if (p.at(x, y) == 0) continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    ASSERT_GE(right, 0) << "nothing drawn";
    EXPECT_NEAR((left + right) / 2.0, 399, 4);
    EXPECT_LE(bottom, 299);
    EXPECT_GE(bottom, 290);
    EXPECT_GT(right - left, 200);  // the whole message, not a few glyphs
    EXPECT_GE(top, 280);
}

TEST(CubicBezierScenario, OnePointHasItsCircleHandleAndNumberOnly) {
    const HeadlessRun r = run(space_at(100, 200) + "100 200 0\n100 200 0 : 27\n");
    ASSERT_EQ(r.exit_code, 0) << r.stderr_text;
    for (std::size_t f = 1; f <= 3; ++f) {
        SCOPED_TRACE(f);
        const Frame& frame = r.frames[f];
        EXPECT_EQ(ops(frame, "circle"), (std::vector<Op>{{"circle", "100", "200", "4"}}));
        EXPECT_EQ(ops(frame, "line"), (std::vector<Op>{{"line", "100", "200", "90", "200"}}));
        EXPECT_EQ(texts(frame), std::vector<std::string>{"1"});
        EXPECT_TRUE(ops(frame, "moveto").empty());
        EXPECT_TRUE(ops(frame, "lineto").empty());
        EXPECT_FALSE(has_line(frame, "colour 255 0 0"));
        EXPECT_FALSE(has_line(frame, "colour 144 238 144"));
    }
}

TEST(CubicBezierScenario, NumbersCircleTheirPointsAsTheAngleGrows) {
    const HeadlessRun r = run(space_at(100, 200) + space_at(300, 400) + "0 0 0 x5\n0 0 0 : 27\n");
    ASSERT_EQ(r.exit_code, 0) << r.stderr_text;
    double angle = 0.0;
    for (std::size_t f = 1; f <= 8; ++f) {
        angle += 0.0005;
        if (f < 2) continue;
        SCOPED_TRACE(f);
        const std::vector<Op> labels = ops(r.frames[f], "text");
        ASSERT_GE(labels.size(), 2u);
        for (int i = 0; i < 2; ++i) {
            const double x = i == 0 ? 100 : 300, y = i == 0 ? 200 : 400;
            const double phi = 3.14 * i + 10 * angle;
            const Op& label = labels[static_cast<std::size_t>(i)];
            EXPECT_EQ(label[3], std::to_string(i + 1));
            EXPECT_NEAR(num(label, 1), x + 10 * std::cos(phi), 1e-9);
            EXPECT_NEAR(num(label, 2), y + 9 + 10 * std::sin(phi), 1e-9);
        }
    }
}

TEST(CubicBezierScenario, ChainIsOnePolylineWithACrossAtEverySample) {
    const HeadlessRun r =
        run(space_at(100, 300) + space_at(300, 200) + space_at(500, 300) + "0 0 0 : 27\n");
    ASSERT_EQ(r.exit_code, 0) << r.stderr_text;
    const Frame& frame = r.frames[4];
    EXPECT_EQ(ops(frame, "moveto"), (std::vector<Op>{{"moveto", "100", "300"}}));
    const std::vector<Op> steps = ops(frame, "lineto");
    ASSERT_EQ(steps.size(), 40u);
    EXPECT_EQ(steps[0], (Op{"lineto", "100", "300"}));
    EXPECT_EQ(steps[19], (Op{"lineto", "300", "200"}));
    EXPECT_EQ(steps[20], (Op{"lineto", "300", "200"}));
    EXPECT_EQ(steps[39], (Op{"lineto", "500", "300"}));
    // The polyline is light blue, the crosses red and drawn after all of it.
    const std::vector<Op> all = all_ops(frame);
    std::size_t last_lineto = 0, first_red = 0;
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i][0] == "lineto") {
            last_lineto = i;
            EXPECT_EQ(all[i - 1], (Op{"colour", "173", "216", "230"}));
        }
        if (first_red == 0 && all[i] == Op{"colour", "255", "0", "0"}) first_red = i;
    }
    EXPECT_GT(first_red, last_lineto);
    // Two red lines per sample; a sample at whole coordinates reaches 3 pixels before it and
    // 4 after it, along both axes.
    std::vector<Op> red;
    for (std::size_t i = first_red; i < all.size(); ++i) {
        if (all[i][0] == "line") red.push_back(all[i]);
    }
    ASSERT_EQ(red.size(), 80u);
    EXPECT_EQ(red[0], (Op{"line", "97", "300", "104", "300"}));
    EXPECT_EQ(red[1], (Op{"line", "100", "297", "100", "304"}));
    EXPECT_EQ(red[79], (Op{"line", "500", "297", "500", "304"}));
    // The point shared by two segments gets the same cross twice.
    EXPECT_EQ(red[38], red[40]);
    EXPECT_EQ(red[39], red[41]);
    // Around a sample with a fractional part the arms run from the floor to the ceiling.
    for (std::size_t s = 0; s < 40; ++s) {
        SCOPED_TRACE(s);
        const double x = num(steps[s], 1), y = num(steps[s], 2);
        const Op& h = red[2 * s];
        const Op& v = red[2 * s + 1];
        EXPECT_EQ(num(h, 2), y);
        EXPECT_EQ(num(h, 4), y);
        EXPECT_EQ(num(v, 1), x);
        EXPECT_EQ(num(v, 3), x);
        if (x != std::floor(x)) {
            EXPECT_EQ(num(h, 1), std::floor(x - 2.5));
            EXPECT_EQ(num(h, 3), std::ceil(x + 3.5));
        }
        if (y != std::floor(y)) {
            EXPECT_EQ(num(v, 2), std::floor(y - 2.5));
            EXPECT_EQ(num(v, 4), std::ceil(y + 3.5));
        }
    }
}

TEST(CubicBezierScenario, TheSpaceBarStopsAddingAtThirtyTwoPoints) {
    std::string script;
    for (int i = 0; i < 33; ++i) script += space_at(20 + 20 * i, 300 + (i % 2) * 50);
    script += "700 500 0 : 27\n";
    const HeadlessRun r = run(script);
    ASSERT_EQ(r.exit_code, 0) << r.stderr_text;
    ASSERT_EQ(r.frames.size(), 35u);
    for (std::size_t f : {32u, 33u, 34u}) {
        SCOPED_TRACE(f);
        const std::vector<Drawn> pts = drawn_points(r.frames[f]);
        ASSERT_EQ(pts.size(), 32u);
        EXPECT_EQ(pts.back().x, 20 + 20 * 31);
        const std::vector<std::string> labels = texts(r.frames[f]);
        ASSERT_EQ(labels.size(), 33u);  // 32 numbers and the marker label
        EXPECT_EQ(labels[31], "32");
        EXPECT_EQ(ops(r.frames[f], "lineto").size(), 31u * 20u);
    }
    EXPECT_FALSE(has_line(r.frames[33], "circle 660 300 4"));
}

// What the keys of one frame do; each case runs its script and counts the points per frame.
TEST(CubicBezierScenario, KeysOnePerFrameSpecialCodesReplaceTheirZero) {
    struct Case {
        const char* name;
        std::string script;
        int exit_code;
        std::vector<std::size_t> points_per_frame;  // frames 1, 2, ...
    };
    const Case cases[] = {
        {"two spaces in one frame are taken in two frames",
         "100 100 0 : ' ' ' '\n200 100 0\n300 100 0 : 27\n",
         0,
         {1, 2, 2}},
        {"other keys are read and discarded, one per frame",
         "100 100 0 : 'a' ' '\n200 100 0 : 13 8\n300 100 0\n400 100 0\n500 100 0 : 27\n",
         0,
         {0, 1, 1, 1, 1}},
        {"Alt+D (0, 32) appends like the space bar",
         "100 100 0 : 0 32\n200 100 0 : 0 27\n",
         0,
         {1, 1}},
        {"the close box (0, 107) does not end the program",
         "100 100 0 : 0 107\n200 100 0 : ' '\n300 100 0 : 27\n",
         0,
         {0, 1, 1}},
        {"a special key is taken whole: 0 72 then Esc",
         "100 100 0 : 0 72 27\n200 100 0\n",
         0,
         {0, 0}},
        {"without Esc the script runs out",
         "100 100 0 : ' '\n200 100 0\n",
         demo_test::kScriptExhausted,
         {1, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const HeadlessRun r = run(c.script);
        EXPECT_EQ(r.exit_code, c.exit_code) << r.stderr_text;
        ASSERT_GE(r.frames.size(), c.points_per_frame.size() + 1);
        for (std::size_t f = 0; f < c.points_per_frame.size(); ++f) {
            EXPECT_EQ(drawn_points(r.frames[f + 1]).size(), c.points_per_frame[f])
                << "frame " << f + 1;
        }
    }
    // Alt+D places its point at the pointer with the handle 10 pixels to the left.
    const HeadlessRun alt = run("123 45 0 : 0 32\n200 100 0 : 0 27\n");
    ASSERT_EQ(drawn_points(alt.frames[1]).size(), 1u);
    EXPECT_EQ(drawn_points(alt.frames[1])[0].hx, 113);
    EXPECT_EQ(drawn_points(alt.frames[1])[0].hy, 45);
}

// Two points: A at (200, 200) with its handle end at (190, 200), B at (400, 200) with (390,
// 200); or two points at the same spot. Then one frame with the given mouse state.
TEST(CubicBezierScenario, ButtonsDragTheNearestPointOrHandleEnd) {
    struct Case {
        const char* name;
        bool same_spot;
        int x, y, mask;
        std::vector<Drawn> after;
    };
    const std::vector<Drawn> apart = {{200, 200, 190, 200}, {400, 200, 390, 200}};
    const std::vector<Drawn> stacked = {{300, 300, 290, 300}, {300, 300, 290, 300}};
    const Case cases[] = {
        {"left moves the point with its handle",
         false,
         195,
         260,
         1,
         {{195, 260, 185, 260}, {400, 200, 390, 200}}},
        {"right moves the handle end alone",
         false,
         195,
         260,
         2,
         {{200, 200, 195, 260}, {400, 200, 390, 200}}},
        {"left takes the nearest point though a handle end is nearer",
         false,
         191,
         200,
         1,
         {{191, 200, 181, 200}, {400, 200, 390, 200}}},
        {"right takes the nearest handle end though a point is nearer",
         false,
         399,
         200,
         2,
         {{200, 200, 190, 200}, {400, 200, 399, 200}}},
        {"left tie goes to the lower index",
         true,
         350,
         320,
         1,
         {{350, 320, 340, 320}, {300, 300, 290, 300}}},
        {"right tie goes to the lower index",
         true,
         250,
         250,
         2,
         {{300, 300, 250, 250}, {300, 300, 290, 300}}},
        {"both buttons move nothing", false, 195, 260, 3, apart},
        {"middle button moves nothing", false, 195, 260, 4, apart},
        {"Shift+left moves nothing", false, 195, 260, 9, apart},
        {"Shift+right moves nothing", false, 195, 260, 10, apart},
        {"Ctrl+left moves nothing", false, 195, 260, 17, apart},
        {"Ctrl+right moves nothing", false, 195, 260, 18, apart},
        {"no button moves nothing", false, 195, 260, 0, apart},
        {"both buttons at the same spot move nothing", true, 250, 250, 3, stacked},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string setup = c.same_spot ? space_at(300, 300) + space_at(300, 300)
                                              : space_at(200, 200) + space_at(400, 200);
        const std::string drag =
            std::to_string(c.x) + " " + std::to_string(c.y) + " " + std::to_string(c.mask) + "\n";
        const HeadlessRun r = run(setup + drag + drag + "0 0 0 : 27\n");
        ASSERT_EQ(r.exit_code, 0) << r.stderr_text;
        // The frame of the drag already shows it, and the next one keeps it.
        for (std::size_t f : {3u, 4u}) {
            const std::vector<Drawn> pts = drawn_points(r.frames[f]);
            ASSERT_EQ(pts.size(), 2u) << "frame " << f;
            for (std::size_t i = 0; i < 2; ++i) {
                EXPECT_EQ(pts[i].x, c.after[i].x) << "frame " << f << " point " << i;
                EXPECT_EQ(pts[i].y, c.after[i].y) << "frame " << f << " point " << i;
                EXPECT_EQ(pts[i].hx, c.after[i].hx) << "frame " << f << " point " << i;
                EXPECT_EQ(pts[i].hy, c.after[i].hy) << "frame " << f << " point " << i;
            }
        }
    }
}

// The marker with the pointer at x, on a chain of points placed at the given spots.
TEST(CubicBezierScenario, MarkerNamesTheSegmentAndItsParameter) {
    struct Case {
        const char* name;
        std::vector<std::pair<int, int>> points;
        int x;
        std::string label;  // after the seven spaces
        double mx, my;      // where the marker circle is drawn
    };
    const Case cases[] = {
        {"left edge", {{200, 300}, {400, 200}}, 0, "1 - 2:  t=0.000", 200, 300},
        {"right edge, even count", {{200, 300}, {400, 200}}, 799, "1 - 2:  t=1.000", 400, 200},
        {"right edge, odd count: the last segment at t = 1",
         {{200, 300}, {400, 200}, {600, 350}},
         799,
         "2 - 3:  t=1.000",
         600,
         350},
        {"far right outside the window, odd count",
         {{200, 300}, {400, 200}, {600, 350}},
         65535,
         "2 - 3:  t=1.000",
         600,
         350},
        {"left edge, odd count",
         {{200, 300}, {400, 200}, {600, 350}},
         0,
         "1 - 2:  t=0.000",
         200,
         300},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string script;
        for (const auto& [px, py] : c.points) script += space_at(px, py);
        script += std::to_string(c.x) + " 500 0 : 27\n";
        const HeadlessRun r = run(script);
        ASSERT_EQ(r.exit_code, 0) << r.stderr_text;
        const Frame& frame = r.frames.at(c.points.size() + 1);
        const std::vector<Op> all = all_ops(frame);
        std::size_t at = 0;
        while (at < all.size() && all[at] != Op{"colour", "144", "238", "144"}) ++at;
        ASSERT_LT(at + 3, all.size()) << "no marker";
        EXPECT_EQ(all[at + 1], (Op{"justify", "0", "1"}));
        ASSERT_EQ(all[at + 2][0], "text");
        EXPECT_EQ(all[at + 2][3], "       " + c.label);
        EXPECT_DOUBLE_EQ(num(all[at + 2], 1), c.mx);
        EXPECT_DOUBLE_EQ(num(all[at + 2], 2), c.my + 10);
        ASSERT_EQ(all[at + 3][0], "circle");
        EXPECT_DOUBLE_EQ(num(all[at + 3], 1), c.mx);
        EXPECT_DOUBLE_EQ(num(all[at + 3], 2), c.my);
        EXPECT_EQ(all[at + 3][3], "2");
    }
}

TEST(CubicBezierScenario, MarkerLabelHasThreeDecimalsAndFollowsThePointer) {
    // Two points: the parameter is the pointer's x / 799.
    const HeadlessRun r =
        run(space_at(100, 300) + space_at(700, 300) + "380 500 0\n1 500 0\n798 500 0 : 27\n");
    ASSERT_EQ(r.exit_code, 0) << r.stderr_text;
    const std::vector<std::string> expected = {"1 - 2:  t=0.476", "1 - 2:  t=0.001",
                                               "1 - 2:  t=0.999"};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const std::vector<std::string> labels = texts(r.frames[3 + i]);
        ASSERT_EQ(labels.size(), 3u);
        EXPECT_EQ(labels[2], "       " + expected[i]);
    }
}

TEST(CubicBezierScenario, PointsFarOutsideTheWindowAreHarmless) {
    // Negative script values keep their low 16 bits, as a drag beyond the window does.
    const HeadlessRun r = run(space_at(100, 100) + space_at(200, 200) +
                              "-3 -3 1 x2\n"
                              "65535 65535 2 x2\n-30000 30000 1\n0 0 0 : ' '\n400 300 0 : 27\n");
    ASSERT_EQ(r.exit_code, 0) << r.stderr_text;
    const std::vector<Drawn> pts = drawn_points(r.frames[8]);
    ASSERT_EQ(pts.size(), 3u);
    EXPECT_EQ(pts[0].x, 35536);  // -30000 as an unsigned 16-bit value
    EXPECT_EQ(pts[0].y, 30000);
    EXPECT_EQ(ops(r.frames[8], "lineto").size(), 40u);
}

TEST(CubicBezierScenario, PictureShowsPointsChainCrossesAndMarker) {
    const std::string last = "0 450 0\n";
    const HeadlessRun r =
        run(space_at(200, 300) + space_at(400, 200) + space_at(600, 300) + last + "0 450 0 : 27\n",
            "end");
    ASSERT_EQ(r.exit_code, 0) << r.stderr_text;
    const demo_test::Picture p = demo_test::read_png(r.dir + "/end.png");
    ASSERT_EQ(p.width, 800);
    ASSERT_EQ(p.height, 600);
    const auto shown = demo_test::shown_rgb;
    const std::uint32_t white = shown(gfx::kWhite), red = shown(gfx::kRed),
                        blue = shown(gfx::kLightBlue), green = shown(gfx::kLightGreen);
    ASSERT_NE(blue, white);
    ASSERT_NE(green, white);
    // Point 1 at (200, 300): its white circle of radius 4, the red cross over it from 197 to
    // 204, and the marker's circle of radius 2 over both (the pointer is at the left edge).
    EXPECT_EQ(p.at(196, 300), white);
    EXPECT_EQ(p.at(197, 300), red);
    EXPECT_EQ(p.at(203, 300), red);
    EXPECT_EQ(p.at(200, 297), red);
    EXPECT_EQ(p.at(202, 300), green);
    EXPECT_EQ(p.at(200, 298), green);
    EXPECT_EQ(p.at(200, 300), red);  // the centre lies inside the marker circle
    // The chain between the crosses is light blue, and the marker label is green.
    int blue_pixels = 0, green_pixels = 0;
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            blue_pixels += p.at(x, y) == blue;
            green_pixels += p.at(x, y) == green && y > 300 && y <= 310;
        }
    }
    EXPECT_GT(blue_pixels, 300);
    EXPECT_GT(green_pixels, 30);
    // No message once there are points.
    for (int x = 300; x < 500; ++x) EXPECT_NE(p.at(x, 292), white) << x;
}

}  // namespace
