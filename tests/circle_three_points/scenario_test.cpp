// circle_three_points run headless on short scripts.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "run_headless.hpp"

namespace {

using demo_test::HeadlessRun;
using demo_test::words;

HeadlessRun run(const std::string& script, const std::string& png_frames = "") {
    demo_test::HeadlessOptions options;
    options.script = script;
    options.png_frames = png_frames;
    return demo_test::run_headless("circle_three_points", options);
}

// A frame's trace with every run of pixel lines folded into "pixels N".
std::vector<std::string> summary(const std::vector<std::string>& frame) {
    std::vector<std::string> out;
    int pixels = 0;
    for (const std::string& line : frame) {
        if (line.rfind("pixel ", 0) == 0) {
            ++pixels;
            continue;
        }
        if (pixels > 0) out.push_back("pixels " + std::to_string(pixels));
        pixels = 0;
        out.push_back(line);
    }
    if (pixels > 0) out.push_back("pixels " + std::to_string(pixels));
    return out;
}

struct Pixel {
    int x, y;
};

// The yellow pixels of a frame (every pixel the program puts is yellow).
std::vector<Pixel> pixels(const std::vector<std::string>& frame) {
    std::vector<Pixel> out;
    for (const std::string& line : frame) {
        const auto w = words(line);
        if (w[0] != "pixel") continue;
        EXPECT_EQ(w.size(), 6u);
        EXPECT_EQ(w[3] + " " + w[4] + " " + w[5], "255 255 0") << line;
        out.push_back({std::stoi(w[1]), std::stoi(w[2])});
    }
    return out;
}

// The three point rings of a frame, as traced.
std::vector<std::string> rings(const std::vector<std::string>& frame) {
    std::vector<std::string> out;
    for (const std::string& line : frame) {
        if (line.rfind("circle ", 0) == 0 && line.size() > 2 && line.ends_with(" 3")) {
            out.push_back(line);
        }
    }
    return out;
}

const std::vector<std::string> kStartRings = {"circle 399.5 299.5 3", "circle 499.5 299.5 3",
                                              "circle 449.5 199.5 3"};

std::uint32_t rgb_of(gfx::Colour c) {
    return demo_test::shown_rgb(c);
}

TEST(CircleThreePoints, FirstFrame) {
    const HeadlessRun r = run("450 262 0 : 27\n");
    ASSERT_EQ(r.exit_code, 0) << r.stderr_text;
    ASSERT_EQ(r.frames.size(), 2u);
    EXPECT_EQ(r.frames[0], std::vector<std::string>{"window 3 6 \"CERC PRIN 3 PUNCTE\""});
    const std::vector<std::string> expected = {"frame 1",
                                               "active 0",
                                               "visual 1",
                                               "clear",
                                               "colour 255 255 255",
                                               "circle 399.5 299.5 3",
                                               "circle 499.5 299.5 3",
                                               "circle 449.5 199.5 3",
                                               "pixels 766",
                                               "colour 144 238 144",
                                               "circle 450 262 10",
                                               "colour 255 255 255",
                                               "circle 449.5 262 62.5",
                                               "close"};
    EXPECT_EQ(summary(r.frames[1]), expected);
    // Rows top to bottom, each left to right, all on the grid of every fourth pixel, inside.
    const std::vector<Pixel> px = pixels(r.frames[1]);
    for (std::size_t i = 0; i < px.size(); ++i) {
        EXPECT_EQ(px[i].x % 4, 0);
        EXPECT_EQ(px[i].y % 4, 0);
        EXPECT_LT(std::hypot(px[i].x - 449.5, px[i].y - 262), 62.5);
        if (i > 0) {
            EXPECT_TRUE(px[i - 1].y < px[i].y || (px[i - 1].y == px[i].y && px[i - 1].x < px[i].x));
        }
    }
}

TEST(CircleThreePoints, FramesFlipBetweenTwoPages) {
    const HeadlessRun r = run("0 0 0 x3\n: 27\n");
    ASSERT_EQ(r.exit_code, 0) << r.stderr_text;
    ASSERT_EQ(r.frames.size(), 5u);
    for (std::size_t f = 1; f <= 4; ++f) {
        const bool odd = f % 2 == 1;
        EXPECT_EQ(r.frames[f][1], odd ? "active 0" : "active 1");
        EXPECT_EQ(r.frames[f][2], odd ? "visual 1" : "visual 0");
        EXPECT_EQ(r.frames[f][3], "clear");
    }
}

TEST(CircleThreePoints, FirstFramePicture) {
    // The second frame shows the page the first one drew.
    const HeadlessRun r = run("450 262 0\n: 27\n", "end");
    ASSERT_EQ(r.exit_code, 0) << r.stderr_text;
    const demo_test::Picture pic = demo_test::read_png(r.dir + "/end.png");
    ASSERT_EQ(pic.width, 800);
    ASSERT_EQ(pic.height, 600);
    const std::uint32_t white = rgb_of(gfx::kWhite), yellow = rgb_of(gfx::kYellow);
    EXPECT_EQ(pic.at(403, 300), white);  // ring around P[0]
    EXPECT_EQ(pic.at(450, 197), white);  // ring around P[2]
    EXPECT_EQ(pic.at(512, 262), white);  // the circle, radius 62 around (450, 262)
    EXPECT_EQ(pic.at(388, 262), white);
    EXPECT_EQ(pic.at(460, 262), rgb_of(gfx::kLightGreen));  // pointer ring
    EXPECT_EQ(pic.at(420, 240), yellow);
    EXPECT_EQ(pic.at(421, 240), 0u);  // between grid points
    EXPECT_EQ(pic.at(420, 200), 0u);  // grid point outside the circle
}

// The pointer ring at start: light green inside the circle and on it, red outside.
TEST(CircleThreePoints, PointerRingShowsTheSignAtThePointer) {
    struct Case {
        const char* script;
        const char* ring;
        const char* colour;
    };
    const std::vector<Case> cases = {
        {"450 262 0 : 27", "circle 450 262 10", "colour 144 238 144"},
        {"512 262 0 : 27", "circle 512 262 10", "colour 144 238 144"},  // on the circle
        {"487 312 0 : 27", "circle 487 312 10", "colour 144 238 144"},  // on the circle
        {"0 0 0 : 27", "circle 0 0 10", "colour 255 0 0"},
        {"513 262 0 : 27", "circle 513 262 10", "colour 255 0 0"},
    };
    for (const Case& c : cases) {
        const HeadlessRun r = run(c.script);
        ASSERT_EQ(r.exit_code, 0) << c.script;
        const std::vector<std::string> s = summary(r.frames[1]);
        ASSERT_GE(s.size(), 12u) << c.script;
        EXPECT_EQ(s[s.size() - 5], c.colour) << c.script;
        EXPECT_EQ(s[s.size() - 4], c.ring) << c.script;
    }
}

TEST(CircleThreePoints, DragRules) {
    struct Case {
        const char* what;
        const char* script;
        std::vector<std::string> rings;
    };
    const std::vector<Case> cases = {
        {"a press far away pulls the nearest point",
         "10 300 1 : 27",
         {"circle 10 300 3", kStartRings[1], kStartRings[2]}},
        {"the same far up", "10 10 1 : 27", {kStartRings[0], kStartRings[1], "circle 10 10 3"}},
        {"equal distances: the lower index moves",
         "400 300 1\n500 300 1\n450 200 1\n450 400 1 : 27",
         {"circle 450 400 3", "circle 500 300 3", "circle 450 200 3"}},
        {"the choice is made afresh every frame",
         "400 300 1\n460 300 1 : 27",
         {"circle 400 300 3", "circle 460 300 3", kStartRings[2]}},
        {"coordinates are unsigned 16-bit values",
         "-1 -1 1 : 27",
         {kStartRings[0], "circle 65535 65535 3", kStartRings[2]}},
        {"no button", "10 10 0 : 27", kStartRings},
        {"left and right", "10 10 3 : 27", kStartRings},
        {"right alone", "10 10 2 : 27", kStartRings},
        {"left and middle", "10 10 5 : 27", kStartRings},
        {"left with Shift", "10 10 9 : 27", kStartRings},
        {"left with Ctrl", "10 10 17 : 27", kStartRings},
    };
    for (const Case& c : cases) {
        const HeadlessRun r = run(c.script);
        ASSERT_EQ(r.exit_code, 0) << c.what;
        EXPECT_EQ(rings(r.frames.back()), c.rings) << c.what;
    }
}

// P[2] dragged below the line through P[0] and P[1]: the turning sense changes, the shading
// covers the outside, and the pointer ring turns red inside.
TEST(CircleThreePoints, OppositeTurningSenseShadesTheOutside) {
    const HeadlessRun r =
        run("400 300 1\n500 300 1\n450 200 1\n440 240 1\n440 280 1\n440 320 1\n440 360 1\n"
            "440 400 1\n450 400 1\n450 337 0 : 27\n");
    ASSERT_EQ(r.exit_code, 0) << r.stderr_text;
    const auto& last = r.frames.back();
    EXPECT_EQ(rings(last), (std::vector<std::string>{"circle 400 300 3", "circle 500 300 3",
                                                     "circle 450 400 3"}));
    const std::vector<std::string> s = summary(last);
    EXPECT_EQ(s.end()[-5], "colour 255 0 0");
    EXPECT_EQ(s.end()[-2], "circle 450 337.5 62.5");
    // Grid points strictly outside the circle, all of them and nothing else.
    auto d2 = [](int x, int y) { return (x - 450.0) * (x - 450.0) + (y - 337.5) * (y - 337.5); };
    constexpr double r2 = 62.5 * 62.5;
    int outside = 0;
    for (int y = 0; y < 599; y += 4) {
        for (int x = 0; x <= 799; x += 4) outside += d2(x, y) > r2;
    }
    const std::vector<Pixel> px = pixels(last);
    for (const Pixel& p : px) EXPECT_GT(d2(p.x, p.y), r2) << p.x << ", " << p.y;
    EXPECT_EQ(px.size(), static_cast<std::size_t>(outside));
}

// P[2] dragged onto the line through P[0] and P[1]: the circle keeps the centre of the last
// frame with a circle, its radius follows P[0], and one side of the line is shaded.
TEST(CircleThreePoints, CollinearPointsKeepTheLastCentre) {
    const HeadlessRun r =
        run("400 300 1\n500 300 1\n450 200 1\n450 240 1\n450 280 1\n450 300 1\n380 300 1 : 27\n");
    ASSERT_EQ(r.exit_code, 0) << r.stderr_text;
    ASSERT_EQ(r.frames.size(), 8u);
    // Frame 5: (400, 300), (500, 300), (450, 280): centre (450, 352.5), radius 72.5.
    EXPECT_EQ(summary(r.frames[5]).end()[-1], "circle 450 352.5 72.5");
    EXPECT_EQ(summary(r.frames[6]).end()[-1], "circle 450 352.5 72.5");
    const auto& last = r.frames[7];
    EXPECT_EQ(rings(last), (std::vector<std::string>{"circle 380 300 3", "circle 500 300 3",
                                                     "circle 450 300 3"}));
    EXPECT_EQ(summary(last).end()[-2], "circle 450 352.5 87.5");
    const std::vector<Pixel> px = pixels(last);
    ASSERT_FALSE(px.empty());
    const bool above = px.front().y < 300;
    for (const Pixel& p : px) EXPECT_EQ(p.y < 300, above) << p.x << ", " << p.y;
    for (const Pixel& p : px) EXPECT_NE(p.y, 300);
    // One whole side: 75 rows above the line, 74 below it (the last row is 596).
    EXPECT_EQ(px.size(), above ? 75u * 200u : 74u * 200u);
}

// Nearly collinear points: the centre lies far away and the figures are passed on as they
// are; nothing of the circle lands in the window.
TEST(CircleThreePoints, NearlyCollinearPoints) {
    const HeadlessRun r = run("100 300 1\n700 300 1\n400 301 1\n400 301 0 : 27\n", "end");
    ASSERT_EQ(r.exit_code, 0) << r.stderr_text;
    EXPECT_EQ(summary(r.frames[3]).end()[-1], "circle 400 -44699.5 45000.5");
    const demo_test::Picture pic = demo_test::read_png(r.dir + "/end.png");
    const std::uint32_t white = rgb_of(gfx::kWhite);
    const std::vector<std::pair<int, int>> ring_centres = {{100, 300}, {700, 300}, {400, 301}};
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 800; ++x) {
            if (pic.at(x, y) != white) continue;
            bool near_ring = false;
            for (auto [cx, cy] : ring_centres) near_ring |= std::hypot(x - cx, y - cy) <= 4;
            EXPECT_TRUE(near_ring) << x << ", " << y;
        }
    }
}

// A radius of about 65 536 keeps no bits in 16: the circle of radius 0 is the one pixel at its
// centre, which wraps as well (526.5 and 65 835.5 become 526 and 300). Nothing else of the
// circle appears, and no ring or grid point lies at that pixel.
TEST(CircleThreePoints, ARadiusThatWrapsToZeroIsOnePixelAtTheWrappedCentre) {
    const HeadlessRun r = run("143 301 1\n653 300 1\n400 300 1\n400 300 0 : 27\n", "end");
    ASSERT_EQ(r.exit_code, 0) << r.stderr_text;
    ASSERT_EQ(rings(r.frames[3]), (std::vector<std::string>{"circle 143 301 3", "circle 653 300 3",
                                                            "circle 400 300 3"}));
    const auto circle = words(summary(r.frames[3]).end()[-1]);
    ASSERT_EQ(circle.at(0), "circle");
    ASSERT_NEAR(std::stod(circle.at(3)), 65536, 0.5) << "these points no longer give that radius";
    EXPECT_EQ(std::stod(circle.at(1)), 526.5);
    EXPECT_EQ(std::stod(circle.at(2)), 65835.5);

    const demo_test::Picture pic = demo_test::read_png(r.dir + "/end.png");
    const std::uint32_t white = rgb_of(gfx::kWhite);
    EXPECT_EQ(pic.at(526, 300), white);
    const std::vector<std::pair<int, int>> ring_centres = {{143, 301}, {653, 300}, {400, 300}};
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 800; ++x) {
            if (pic.at(x, y) != white || (x == 526 && y == 300)) continue;
            bool near_ring = false;
            for (auto [cx, cy] : ring_centres) near_ring |= std::hypot(x - cx, y - cy) <= 4;
            EXPECT_TRUE(near_ring) << x << ", " << y;
        }
    }
}

// Any key ends the program once the frame in progress is drawn; the key is left unread.
TEST(CircleThreePoints, AnyKeyEndsAfterTheFrame) {
    for (const char* keys : {"27", "'a'", "' '", "13", "0 72", "0 107"}) {
        const HeadlessRun r = run(std::string("300 300 0 : ") + keys + "\n");
        EXPECT_EQ(r.exit_code, 0) << keys;
        ASSERT_EQ(r.frames.size(), 2u) << keys;
        const std::vector<std::string> s = summary(r.frames[1]);
        EXPECT_EQ(s.end()[-2], "circle 449.5 262 62.5") << keys;
        EXPECT_EQ(s.back(), "close") << keys;
    }
    // Without a key the program keeps drawing frames until the script runs out.
    EXPECT_EQ(run("300 300 0 x5\n").exit_code, demo_test::kScriptExhausted);
}

}  // namespace
