// The real bezier_path run headless on short scripts; assertions on its trace and pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "run_headless.hpp"

namespace {

using demo_test::HeadlessRun;
using Frame = std::vector<std::string>;

struct Op {
    std::string name;
    std::vector<double> args;
};

struct Pt {
    double x, y;
    friend bool operator==(const Pt&, const Pt&) = default;
};

std::ostream& operator<<(std::ostream& os, const Pt& p) {
    return os << "(" << p.x << ", " << p.y << ")";
}

const std::string kWhite = "colour 255 255 255";
const std::string kLightRed = "colour 255 128 128";
const std::string kLightCyan = "colour 224 255 255";
const std::string kGrey = "colour 168 168 168";

HeadlessRun run(const std::string& script, const std::string& png_frames = "", bool trace = true) {
    demo_test::HeadlessOptions options;
    options.script = script;
    options.png_frames = png_frames;
    options.trace = trace;
    return demo_test::run_headless("bezier_path", options);
}

// A left-button click on empty space or on a point: press, release.
std::string click(int x, int y) {
    return std::to_string(x) + " " + std::to_string(y) + " 1\n" + std::to_string(x) + " " +
           std::to_string(y) + " 0\n";
}

std::vector<Op> ops(const Frame& frame) {
    std::vector<Op> out;
    for (const std::string& line : frame) {
        const auto w = demo_test::words(line);
        Op op{w.at(0), {}};
        if (op.name != "window") {
            for (std::size_t i = 1; i < w.size(); ++i) op.args.push_back(std::stod(w[i]));
        }
        out.push_back(op);
    }
    return out;
}

bool has(const Frame& frame, const std::string& line) {
    return std::find(frame.begin(), frame.end(), line) != frame.end();
}

// The centres of the circles of one radius, in the order drawn.
std::vector<Pt> circles(const Frame& frame, double radius) {
    std::vector<Pt> out;
    for (const Op& op : ops(frame)) {
        if (op.name == "circle" && op.args.at(2) == radius) out.push_back({op.args[0], op.args[1]});
    }
    return out;
}

// The operations drawn after the last `colour` line equal to `colour` (one run of one colour).
std::vector<Op> after_colour(const Frame& frame, const std::string& colour) {
    std::vector<Op> out;
    bool in = false;
    for (const std::string& line : frame) {
        if (line.rfind("colour ", 0) == 0) {
            in = line == colour;
            if (in) out.clear();
            continue;
        }
        if (in) out.push_back(ops({line}).front());
    }
    return out;
}

// The light cyan curve of a construction frame: its vertices after the first move.
std::vector<Pt> curve(const Frame& frame) {
    std::vector<Pt> out;
    for (const Op& op : after_colour(frame, kLightCyan)) {
        if (op.name == "lineto") out.push_back({op.args[0], op.args[1]});
    }
    return out;
}

std::size_t count(const std::vector<Op>& list, const std::string& name) {
    return static_cast<std::size_t>(
        std::count_if(list.begin(), list.end(), [&](const Op& op) { return op.name == name; }));
}

TEST(BezierPath, OpensItsWindowAndDrawsNothingUntilAButtonIsDown) {
    const HeadlessRun r = run("100 100 0 x3\n400 300 0\n: 27\n");
    ASSERT_EQ(r.exit_code, 0) << r.stderr_text;
    EXPECT_EQ(r.frames[0], Frame{"window 3 6 \"DRUM BEZIER\""});
    ASSERT_EQ(r.frames.size(), 6u);
    for (std::size_t f = 1; f < r.frames.size() - 1; ++f) {
        EXPECT_EQ(r.frames[f].size(), 1u) << "frame " << f;  // only the "frame N" line
    }
    EXPECT_EQ(r.frames.back().back(), "close");
}

TEST(BezierPath, ThreePressesOnEmptySpaceGiveTheTableInReverse) {
    const HeadlessRun r = run(click(100, 100) + click(300, 120) + "200 400 1\n200 400 0 : 27\n");
    ASSERT_EQ(r.exit_code, 0) << r.stderr_text;
    EXPECT_EQ(circles(r.frames[1], 3), (std::vector<Pt>{{100, 100}}));
    EXPECT_EQ(circles(r.frames[3], 3), (std::vector<Pt>{{300, 120}, {100, 100}}));
    EXPECT_EQ(circles(r.frames[5], 3), (std::vector<Pt>{{200, 400}, {300, 120}, {100, 100}}));
    // The closed polygon, from the last point round to it again.
    std::vector<Pt> polygon;
    for (const Op& op : after_colour(r.frames[5], kWhite))
        polygon.push_back({op.args[0], op.args[1]});
    EXPECT_EQ(polygon, (std::vector<Pt>{{100, 100}, {200, 400}, {300, 120}, {100, 100}}));
}

TEST(BezierPath, APressGrabsOnlyCloserThanSixteenPixels) {
    struct Case {
        int x, y;
        bool grabs;
    };
    for (const Case c : {Case{115, 100, true}, Case{100, 84, false}, Case{116, 100, false},
                         Case{111, 111, true}, Case{112, 111, false}}) {
        // A press at the offset, then the button held while the mouse moves away.
        const HeadlessRun r = run(click(100, 100) + std::to_string(c.x) + " " +
                                  std::to_string(c.y) + " 1\n500 300 1\n500 300 0 : 27\n");
        ASSERT_EQ(r.exit_code, 0) << r.stderr_text;
        const std::vector<Pt> pressed = circles(r.frames[3], 3);
        const std::vector<Pt> held = circles(r.frames[4], 3);
        if (c.grabs) {
            // The grabbed point does not move in the press frame; then it follows the mouse.
            EXPECT_EQ(pressed, (std::vector<Pt>{{100, 100}})) << c.x << "," << c.y;
            EXPECT_EQ(held, (std::vector<Pt>{{500, 300}})) << c.x << "," << c.y;
        } else {
            // A new point, not selected: holding the button moves nothing.
            const double x = c.x, y = c.y;
            EXPECT_EQ(pressed, (std::vector<Pt>{{x, y}, {100, 100}})) << c.x << "," << c.y;
            EXPECT_EQ(held, pressed) << c.x << "," << c.y;
        }
    }
}

TEST(BezierPath, APressNearTwoPointsGrabsTheLowerIndex) {
    // The second click goes to index 0: the table is (120, 100), (100, 100).
    const HeadlessRun r =
        run(click(100, 100) + click(120, 100) + "110 100 1\n300 300 1\n300 300 0 : 27\n");
    ASSERT_EQ(r.exit_code, 0) << r.stderr_text;
    EXPECT_EQ(circles(r.frames[5], 3), (std::vector<Pt>{{120, 100}, {100, 100}}));
    EXPECT_EQ(circles(r.frames[6], 3), (std::vector<Pt>{{300, 300}, {100, 100}}));
}

// Four points, then point `grab` dragged and dropped at `drop`.
HeadlessRun drag_and_drop(Pt grab, Pt drop) {
    const auto xy = [](Pt p) {
        return std::to_string(static_cast<int>(p.x)) + " " + std::to_string(static_cast<int>(p.y));
    };
    return run(click(100, 100) + click(500, 100) + click(500, 400) + click(100, 400) + xy(grab) +
               " 1\n" + xy({(grab.x + drop.x) / 2, (grab.y + drop.y) / 2}) + " 1\n" + xy(drop) +
               " 1\n" + xy(drop) + " 0\n" + xy(drop) + " 0 : 27\n");
}

TEST(BezierPath, APointDroppedOnAnotherDisappearsAndTheRestKeepTheirOrder) {
    const HeadlessRun before = drag_and_drop({100, 100}, {300, 250});
    ASSERT_EQ(before.exit_code, 0) << before.stderr_text;
    const std::vector<Pt> table = circles(before.frames[7], 3);
    ASSERT_EQ(table.size(), 4u);
    // Dropped elsewhere, the point stays where it was dropped; nothing is drawn on release.
    const auto moved = std::find(table.begin(), table.end(), Pt{100, 100});
    ASSERT_NE(moved, table.end());
    std::vector<Pt> expected = table;
    expected[static_cast<std::size_t>(moved - table.begin())] = {300, 250};
    EXPECT_EQ(circles(before.frames[11], 3), expected);
    EXPECT_FALSE(has(before.frames[12], "clear"));

    // Dropped 15 pixels from (500, 400): removed, and the release frame shows the table
    // without it.
    const HeadlessRun r = drag_and_drop({100, 100}, {509, 388});
    ASSERT_EQ(r.exit_code, 0) << r.stderr_text;
    expected = table;
    expected.erase(expected.begin() + (moved - table.begin()));
    EXPECT_TRUE(has(r.frames[12], "clear"));
    EXPECT_EQ(circles(r.frames[12], 3), expected);
    EXPECT_FALSE(has(r.frames[13], "clear"));  // and nothing after it until the next button

    // Dropped exactly 16 pixels away: it stays.
    const HeadlessRun kept = drag_and_drop({100, 100}, {516, 400});
    ASSERT_EQ(kept.exit_code, 0) << kept.stderr_text;
    EXPECT_EQ(circles(kept.frames[11], 3).size(), 4u);
    EXPECT_FALSE(has(kept.frames[12], "clear"));
}

TEST(BezierPath, TheCurveHas64SamplesPerSegmentAndTheRoad512) {
    // Three points; the press on (100, 100) is the drawn construction frame, the right button
    // then gives the road view.
    const HeadlessRun r = run(click(100, 100) + click(500, 100) + click(300, 400) +
                              "100 100 1\n100 100 0\n100 100 2\n100 100 0 : 27\n");
    ASSERT_EQ(r.exit_code, 0) << r.stderr_text;
    const Frame& construction = r.frames[7];
    EXPECT_EQ(curve(construction).size(), 3u * 64);
    EXPECT_EQ(count(after_colour(construction, kLightCyan), "moveto"), 1u);
    const Frame& road = r.frames[9];
    EXPECT_FALSE(has(road, kLightRed));
    EXPECT_EQ(circles(road, 28).size(), 3u * 512);
    const std::vector<Op> centre = after_colour(road, kWhite);
    EXPECT_EQ(count(centre, "lineto") + count(centre, "moveto"), 3u * 64 + 1);
    // The road's samples lie on the curve: every eighth one is a vertex of the curve.
    const std::vector<Pt> band = circles(road, 28);
    const std::vector<Pt> line = curve(construction);
    for (std::size_t i = 0; i < line.size(); ++i) EXPECT_EQ(band[8 * i + 7], line[i]) << i;
}

TEST(BezierPath, TwoPointsGiveAStrokeBetweenTheQuarterPoints) {
    const HeadlessRun r = run(click(100, 200) + "500 600 1\n500 600 0 : 27\n");
    ASSERT_EQ(r.exit_code, 0) << r.stderr_text;
    const std::vector<Pt> line = curve(r.frames[3]);
    ASSERT_EQ(line.size(), 128u);
    double lowest = 1e9, highest = -1e9;
    for (const Pt& p : line) {
        EXPECT_DOUBLE_EQ(p.y - p.x, 100.0);
        lowest = std::min(lowest, p.x);
        highest = std::max(highest, p.x);
    }
    EXPECT_EQ(lowest, 200.0);
    EXPECT_EQ(highest, 400.0);
    EXPECT_EQ(line.back(), (Pt{300, 400}));  // back at the start, the midpoint
}

TEST(BezierPath, OnePointShowsItsCircleAndNoCurveAndNoRoad) {
    const HeadlessRun r = run("200 200 1\n200 200 0\n200 200 2\n200 200 0 : 27\n");
    ASSERT_EQ(r.exit_code, 0) << r.stderr_text;
    EXPECT_EQ(circles(r.frames[1], 3), (std::vector<Pt>{{200, 200}}));
    EXPECT_TRUE(curve(r.frames[1]).empty());
    const std::vector<Op> cyan = after_colour(r.frames[1], kLightCyan);
    ASSERT_EQ(cyan.size(), 2u);  // the page flip only
    EXPECT_EQ(cyan[0].name, "active");
    EXPECT_EQ(r.frames[3], (Frame{"frame 3", "clear", "active 1", "visual 0"}));
}

TEST(BezierPath, WithNoPointsAButtonDrawsAnEmptyPage) {
    // Shift alone in the construction view, then the right button: the road view.
    const HeadlessRun r = run("300 300 8\n300 300 2\n300 300 0 : 27\n");
    ASSERT_EQ(r.exit_code, 0) << r.stderr_text;
    EXPECT_EQ(r.frames[1],
              (Frame{"frame 1", "clear", kWhite, kLightRed, kLightCyan, "active 0", "visual 1"}));
    EXPECT_EQ(r.frames[2], (Frame{"frame 2", "clear", "active 1", "visual 0"}));
}

TEST(BezierPath, TheRightButtonAloneTogglesTheViewOnItsTransitions) {
    // Masks per frame after two points; 'r' marks a frame drawn in the road view, 'c' in the
    // construction view, '-' a frame with no button that draws nothing. The view changes
    // whenever the mask becomes 2 from anything else: after 0, after Shift (10) or Ctrl (18)
    // reported with the right button, after the left button joined it (3).
    const std::string masks[] = {"2", "2", "0", "2", "10", "2", "18", "2", "3", "2", "1", "0"};
    const std::string expected = "rr-ccrrccrr-";
    std::string script = click(100, 100) + click(400, 300);
    for (const std::string& m : masks) script += "250 500 " + m + "\n";
    script += ": 27\n";
    const HeadlessRun r = run(script);
    ASSERT_EQ(r.exit_code, 0) << r.stderr_text;
    std::string views;
    for (std::size_t i = 0; i < std::size(masks); ++i) {
        const Frame& f = r.frames[5 + i];
        views += !has(f, "clear") ? '-' : has(f, kGrey) ? 'r' : 'c';
    }
    EXPECT_EQ(views, expected);
}

// Each drawn frame of the road view: its centre line as 'l' (line piece) and 'm' (gap).
std::string centre_line(const Frame& frame) {
    std::string out;
    const std::vector<Op> centre = after_colour(frame, kWhite);
    for (std::size_t i = 1; i < centre.size(); ++i) {  // after the move to the start
        if (centre[i].name == "lineto") out += 'l';
        if (centre[i].name == "moveto") out += 'm';
    }
    return out;
}

TEST(BezierPath, TheDashesRunOnFromFrameToFrame) {
    // Two points: 128 samples a frame, so the dashes shift by 8 of their period of 10. A trip
    // to the construction view and back does not reset the count.
    const HeadlessRun r = run(click(100, 100) + click(400, 300) +
                              "250 500 2 x3\n250 500 0\n250 500 2\n250 500 0\n250 500 2\n"
                              "250 500 0 : 27\n");
    ASSERT_EQ(r.exit_code, 0) << r.stderr_text;
    std::string all;
    for (const std::size_t f : {5u, 6u, 7u, 11u}) {
        const std::string frame = centre_line(r.frames[f]);
        EXPECT_EQ(frame.size(), 128u) << f;
        all += frame;
    }
    ASSERT_TRUE(has(r.frames[9], kLightCyan));  // the construction view in between
    std::string expected;
    for (int count = 1; count <= 4 * 128; ++count) expected += count % 10 < 4 ? 'l' : 'm';
    EXPECT_EQ(all, expected);
}

TEST(BezierPath, SpecialKeysAndTheCloseBoxDoNotEndIt) {
    const HeadlessRun r =
        run("10 10 0 : 0 72\n10 10 0 : 0 107\n10 10 0 : 'q' 0 59\n10 10 0\n10 10 0 : 27\n");
    ASSERT_EQ(r.exit_code, 0) << r.stderr_text;
    ASSERT_EQ(r.frames.size(), 6u);  // frames 1 ... 5: the Esc is read in the fifth
    EXPECT_EQ(r.frames.back().back(), "close");
}

TEST(BezierPath, AFullTableTakesNoMorePoints) {
    // 258 clicks on a grid 20 pixels apart fill the table; one more click far below adds no
    // point there. The picture is of the last press frame.
    std::string script;
    for (int i = 0; i < 258; ++i) script += click(10 + i % 40 * 20, 10 + i / 40 * 20);
    script += "600 500 1\n600 500 0 : 27\n";
    const HeadlessRun r = run(script, "end", false);
    ASSERT_EQ(r.exit_code, 0) << r.stderr_text;
    const demo_test::Picture pic = demo_test::read_png(r.dir + "/end.png");
    const std::uint32_t ring = demo_test::shown_rgb(gfx::kLightRed);
    EXPECT_EQ(pic.at(10 + 17 * 20 + 3, 130), ring);  // the 258th point
    for (int y = 480; y <= 520; ++y) {
        for (int x = 580; x <= 620; ++x) ASSERT_EQ(pic.at(x, y), 0u) << x << "," << y;
    }
}

}  // namespace
