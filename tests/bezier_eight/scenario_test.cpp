// The real bezier_eight run headless on short scripts; assertions on its trace.
#include <gtest/gtest.h>

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

#include "run_headless.hpp"

namespace {

using demo_test::HeadlessRun;
using Frame = std::vector<std::string>;

struct Pt {
    double x, y;
    friend bool operator==(const Pt&, const Pt&) = default;
};

std::ostream& operator<<(std::ostream& os, const Pt& p) {
    return os << "(" << p.x << ", " << p.y << ")";
}

// The control points as the program places them: percentages of the largest x and y.
std::vector<Pt> starting_points() {
    const double percent[8][2] = {{10, 10}, {30, 10}, {10, 30}, {40, 30},
                                  {60, 20}, {70, 20}, {70, 70}, {30, 30}};
    std::vector<Pt> out;
    for (const auto& p : percent) out.push_back({799 / 100.0 * p[0], 599 / 100.0 * p[1]});
    return out;
}

// What one frame draws: the point circles, the polygon and the curve, each as the vertices
// of its move and lines.
struct Drawing {
    std::vector<Pt> circles;
    std::vector<Pt> polygon;
    std::vector<Pt> curve;
    int white = 0;      // colour changes to white
    int light_red = 0;  // and to light red
};

Drawing drawing(const Frame& frame) {
    Drawing d;
    int moves = 0;
    for (const std::string& line : frame) {
        const auto w = demo_test::words(line);
        if (w[0] == "colour") {
            const std::string c = w[1] + " " + w[2] + " " + w[3];
            if (c == "255 255 255") ++d.white;
            if (c == "255 128 128") ++d.light_red;
            continue;
        }
        if (w[0] != "circle" && w[0] != "moveto" && w[0] != "lineto") continue;
        const Pt p{std::stod(w[1]), std::stod(w[2])};
        if (w[0] == "circle") {
            EXPECT_EQ(w[3], "2") << line;
            d.circles.push_back(p);
            continue;
        }
        if (w[0] == "moveto") ++moves;
        (moves == 1 ? d.polygon : d.curve).push_back(p);
    }
    return d;
}

HeadlessRun run(const std::string& script) {
    demo_test::HeadlessOptions options;
    options.script = script;
    return demo_test::run_headless("bezier_eight", options);
}

TEST(BezierEight, DrawsTheStartingPointsPolygonAndCurve) {
    const HeadlessRun r = run("400 300 0 : 'x'\n");
    ASSERT_EQ(r.exit_code, 0) << r.stderr_text;
    EXPECT_EQ(r.frames[0].front(), "window 3 6 \"CURBA BEZIER\"");
    const Drawing d = drawing(r.frames[1]);
    const std::vector<Pt> start = starting_points();
    EXPECT_EQ(d.circles, start);
    EXPECT_EQ(d.white, 8);
    // The open polygon from point 0, its first line of length zero.
    std::vector<Pt> polygon{start[0]};
    polygon.insert(polygon.end(), start.begin(), start.end());
    EXPECT_EQ(d.polygon, polygon);
    // The curve: 100 vertices, the first and last exactly the end control points.
    ASSERT_EQ(d.curve.size(), 100u);
    EXPECT_EQ(d.curve.front(), start[0]);
    EXPECT_EQ(d.curve.back(), start[7]);
    EXPECT_EQ(d.light_red, 98);
    EXPECT_NEAR(d.curve[1].x, 90.5, 0.05);
    EXPECT_NEAR(d.curve[1].y, 60.1, 0.05);
    EXPECT_NEAR(d.curve[33].x, 246.7, 0.05);
    EXPECT_NEAR(d.curve[33].y, 139.7, 0.05);
    EXPECT_EQ(r.frames.back().back(), "close");
}

TEST(BezierEight, OnlyTheLeftButtonAloneMovesTheNearestPoint) {
    // The pointer far from every point: point 6 (559.3, 419.3) is the nearest.
    struct Case {
        int mask;
        bool moves;
    };
    const std::vector<Pt> start = starting_points();
    for (const Case c : {Case{1, true}, Case{0, false}, Case{2, false}, Case{3, false},
                         Case{5, false}, Case{9, false}, Case{17, false}}) {
        const std::string m = std::to_string(c.mask);
        const HeadlessRun r = run("700 550 " + m + "\n700 550 " + m + " : 'x'\n");
        ASSERT_EQ(r.exit_code, 0) << r.stderr_text;
        const Pt p6 = c.moves ? Pt{700, 550} : start[6];
        const Drawing first = drawing(r.frames[1]);
        // In the frame of the move the circle is still at the old place; the polygon and the
        // curve use the new one.
        EXPECT_EQ(first.circles[6], start[6]) << c.mask;
        EXPECT_EQ(first.polygon[7], p6) << c.mask;
        EXPECT_EQ(drawing(r.frames[2]).circles[6], p6) << c.mask;
        for (std::size_t i = 0; i < 8; ++i) {
            if (i != 6) {
                EXPECT_EQ(first.polygon[i + 1], start[i]) << c.mask << " point " << i;
            }
        }
    }
}

TEST(BezierEight, DragPastTheLeftOrTopEdgeReadsTheLow16BitsUnsigned) {
    // -3 reads as 65533: far right of the window, so the point with the largest x (or y) is the
    // nearest and goes there; the polygon and the curve take it as it is stored.
    struct Case {
        Pt pointer, read;
        std::size_t moved;
    };
    const std::vector<Pt> start = starting_points();
    for (const Case& c : {Case{{-3, 100}, {65533, 100}, 5}, Case{{300, -7}, {300, 65529}, 6}}) {
        const std::string at = std::to_string(static_cast<int>(c.pointer.x)) + " " +
                               std::to_string(static_cast<int>(c.pointer.y));
        const HeadlessRun r = run(at + " 1\n" + at + " 0 : 'x'\n");
        ASSERT_EQ(r.exit_code, 0) << r.stderr_text;
        std::vector<Pt> expected = start;
        expected[c.moved] = c.read;
        const Drawing moved = drawing(r.frames[1]);
        ASSERT_EQ(moved.polygon.size(), 9u);
        EXPECT_EQ(std::vector<Pt>(moved.polygon.begin() + 1, moved.polygon.end()), expected);
        EXPECT_EQ(drawing(r.frames[2]).circles, expected);
        ASSERT_EQ(moved.curve.size(), 100u);
        EXPECT_EQ(moved.curve.front(), expected.front());
        EXPECT_EQ(moved.curve.back(), expected.back());
    }
}

TEST(BezierEight, TheCurveEndsMoveWithTheEndPoints) {
    const HeadlessRun r = run("50 40 1\n260 200 1\n260 200 0 : 'x'\n");
    ASSERT_EQ(r.exit_code, 0) << r.stderr_text;
    const Drawing first = drawing(r.frames[1]);
    EXPECT_EQ(first.curve.front(), (Pt{50, 40}));
    const Drawing second = drawing(r.frames[2]);
    EXPECT_EQ(second.curve.front(), (Pt{50, 40}));
    EXPECT_EQ(second.curve.back(), (Pt{260, 200}));
    EXPECT_EQ(drawing(r.frames[3]).circles[7], (Pt{260, 200}));
}

TEST(BezierEight, ThePointToMoveIsChosenAfreshEveryFrame) {
    // Point 0 to (80, 60); the pointer jumps onto point 1, which takes over and leaves point 0
    // behind; at (160, 60) both are 80 pixels away and the lower index moves.
    const HeadlessRun r = run("80 60 1\n240 60 1\n160 60 1\n160 60 0 : 'x'\n");
    ASSERT_EQ(r.exit_code, 0) << r.stderr_text;
    const std::vector<Pt> second = drawing(r.frames[2]).polygon;
    EXPECT_EQ(second[1], (Pt{80, 60}));
    EXPECT_EQ(second[2], (Pt{240, 60}));
    const std::vector<Pt> last = drawing(r.frames[4]).circles;
    EXPECT_EQ(last[0], (Pt{160, 60}));
    EXPECT_EQ(last[1], (Pt{240, 60}));
}

TEST(BezierEight, AnyKeyEndsItAfterTheFrameInWhichItIsSeen) {
    for (const std::string keys : {"'a'", "27", "' '", "13", "0 72", "0 107"}) {
        const HeadlessRun r = run("400 300 0 x2\n400 300 1 : " + keys + "\n500 300 1\n");
        ASSERT_EQ(r.exit_code, 0) << keys << r.stderr_text;
        ASSERT_EQ(r.frames.size(), 4u) << keys;                      // frames 1 ... 3
        EXPECT_EQ(drawing(r.frames[3]).curve.size(), 100u) << keys;  // drawn whole
        EXPECT_EQ(r.frames[3].back(), "close") << keys;
    }
}

}  // namespace
