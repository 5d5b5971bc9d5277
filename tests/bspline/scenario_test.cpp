// bspline run headless on short scripts; the assertions read its trace.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "run_headless.hpp"
#include "uniform_bspline.hpp"

namespace {

using demo_test::run_headless;

using demo_test::Op;
using demo_test::ops;

// What one frame drew: the point circles (radius 2) and labels, the segments (each a move and
// its lines) and the marker (radius 40).
struct Frame {
    std::vector<gfx::Point> points;
    std::vector<Op> labels;
    std::vector<std::vector<gfx::Point>> segments;  // [0] is segment 1
    std::vector<gfx::Point> markers;
    std::vector<Op> all;
};

Frame frame_of(const demo_test::HeadlessRun& run, std::size_t n) {
    Frame f;
    if (n >= run.frames.size()) {
        ADD_FAILURE() << "no frame " << n;
        return f;
    }
    f.all = ops(run.frames[n]);
    for (const Op& op : f.all) {
        if (op.name == "circle" && op.args.at(2) == 2) f.points.push_back({op.args[0], op.args[1]});
        if (op.name == "circle" && op.args.at(2) == 40)
            f.markers.push_back({op.args[0], op.args[1]});
        if (op.name == "text") f.labels.push_back(op);
        if (op.name == "moveto") f.segments.emplace_back();
        if ((op.name == "moveto" || op.name == "lineto") && !f.segments.empty()) {
            f.segments.back().push_back({op.args[0], op.args[1]});
        }
    }
    return f;
}

demo_test::HeadlessRun run(const std::string& script) {
    demo_test::HeadlessOptions options;
    options.script = script;
    demo_test::HeadlessRun r = run_headless("bspline", options);
    EXPECT_EQ(r.exit_code, 0) << r.stderr_text;
    return r;
}

void expect_at(const gfx::Point& p, double x, double y, double tolerance, const std::string& what) {
    EXPECT_NEAR(p.x, x, tolerance) << what;
    EXPECT_NEAR(p.y, y, tolerance) << what;
}

bool same(const gfx::Point& a, const gfx::Point& b) {
    return a.x == b.x && a.y == b.y;
}

gfx::Point midpoint(const gfx::Point& a, const gfx::Point& b) {
    return {(a.x + b.x) / 2, (a.y + b.y) / 2};
}

const char* const kStill = "700 300 0\n";  // far from the curve's start, no button

TEST(Bspline, StartsWithTenPointsAtTheirFractionsEightSegmentsAndTheMarker) {
    const auto r = run(std::string(kStill) + ": 'q'\n");
    const std::vector<Op> start = ops(r.frames.at(0));
    ASSERT_EQ(start.size(), 3u);
    EXPECT_EQ(start[0].name, "window");
    EXPECT_EQ(start[0].args, (std::vector<double>{3, 6}));
    EXPECT_EQ(start[0].text, "BSPLINE");
    EXPECT_EQ(start[1].name, "style");
    EXPECT_EQ(start[1].args, (std::vector<double>{3, 0, 2}));
    EXPECT_EQ(start[2].name, "justify");
    EXPECT_EQ(start[2].args, (std::vector<double>{2, 1}));

    // The mouse is read first, then the pages flip.
    const auto& first = r.frames.at(1);
    ASSERT_GE(first.size(), 4u);
    EXPECT_EQ(first[1], "active 0");
    EXPECT_EQ(first[2], "visual 1");
    EXPECT_EQ(first[3], "clear");
    const auto& second = r.frames.at(2);
    ASSERT_GE(second.size(), 4u);
    EXPECT_EQ(second[1], "active 1");
    EXPECT_EQ(second[2], "visual 0");

    const Frame f = frame_of(r, 1);
    const double want[10][2] = {{79.9, 59.9},   {239.7, 59.9},  {79.9, 179.7},  {319.6, 179.7},
                                {479.4, 119.8}, {559.3, 119.8}, {559.3, 419.3}, {239.7, 179.7},
                                {159.8, 539.1}, {719.1, 539.1}};
    ASSERT_EQ(f.points.size(), 10u);
    ASSERT_EQ(f.labels.size(), 10u);
    for (std::size_t i = 0; i < 10; ++i) {
        expect_at(f.points[i], want[i][0], want[i][1], 1e-9, "point " + std::to_string(i));
        EXPECT_EQ(f.labels[i].text, std::to_string(i));
        EXPECT_EQ(f.labels[i].args, (std::vector<double>{f.points[i].x, f.points[i].y}));
    }
    ASSERT_EQ(f.segments.size(), 8u);
    for (const auto& s : f.segments) EXPECT_EQ(s.size(), 100u);
    ASSERT_EQ(f.markers.size(), 1u);

    // Colours: white before each point, pink before each curve sample, light green before the
    // marker.
    for (std::size_t i = 1; i < f.all.size(); ++i) {
        const Op& op = f.all[i];
        std::vector<double> colour;
        if (op.name == "circle" && op.args.at(2) == 2) colour = {255, 255, 255};
        if (op.name == "moveto" || op.name == "lineto") colour = {255, 128, 255};
        if (op.name == "circle" && op.args.at(2) == 40) colour = {144, 238, 144};
        if (colour.empty()) continue;
        EXPECT_EQ(f.all[i - 1].name, "colour") << i;
        EXPECT_EQ(f.all[i - 1].args, colour) << i;
    }
}

// Each segment is sampled at t = j / 98 for j = 0 ... 99, so its last sample lies a little past
// the joint where the next segment begins; the curve starts at the midpoint of points 0 and 1.
TEST(Bspline, SegmentsAreSampledPastTheirEndAndMeetAtTheMidpoints) {
    const Frame f = frame_of(run(std::string(kStill) + ": 'q'\n"), 1);
    ASSERT_EQ(f.points.size(), 10u);
    ASSERT_EQ(f.segments.size(), 8u);
    for (std::size_t m = 1; m <= 8; ++m) {
        const auto& seg = f.segments[m - 1];
        ASSERT_EQ(seg.size(), 100u);
        for (std::size_t j = 0; j < 100; ++j) {
            const gfx::Point s = bspline::segment_point(
                f.points[m - 1], f.points[m], f.points[m + 1], static_cast<double>(j) / 98.0);
            expect_at(seg[j], s.x, s.y, 1e-9,
                      "segment " + std::to_string(m) + ", j " + std::to_string(j));
        }
        const gfx::Point begin = midpoint(f.points[m - 1], f.points[m]);
        const gfx::Point end = midpoint(f.points[m], f.points[m + 1]);
        expect_at(seg[0], begin.x, begin.y, 1e-9, "start of segment " + std::to_string(m));
        expect_at(seg[98], end.x, end.y, 1e-9, "end of segment " + std::to_string(m));
        EXPECT_GT(std::hypot(seg[99].x - end.x, seg[99].y - end.y), 0.1) << "past the end";
        if (m < 8) {
            expect_at(f.segments[m][0], seg[98].x, seg[98].y, 1e-9,
                      "joint of segments " + std::to_string(m) + " and " + std::to_string(m + 1));
        }
    }
}

// A point takes part in the segments around it only. In the frame of the move its circle is
// still at the old place, the curve already uses the new one.
TEST(Bspline, MovingAPointChangesOnlyItsSegments) {
    struct Case {
        std::size_t point;
        const char* pointer;
        std::set<std::size_t> changed;  // segment numbers
    };
    const Case cases[] = {
        {0, "40 30", {1}},
        {5, "600 200", {4, 5, 6}},
        {9, "760 580", {8}},
    };
    for (const Case& c : cases) {
        const std::string p = c.pointer;
        const auto r = run(p + " 0\n" + p + " 1\n" + p + " 0 : 'q'\n");
        const Frame before = frame_of(r, 1);
        const Frame moved = frame_of(r, 2);
        const Frame after = frame_of(r, 3);
        ASSERT_EQ(before.segments.size(), 8u);
        ASSERT_EQ(moved.segments.size(), 8u);
        for (std::size_t m = 1; m <= 8; ++m) {
            bool differs = false;
            for (std::size_t j = 0; j < 100; ++j) {
                differs = differs || !same(before.segments[m - 1][j], moved.segments[m - 1][j]);
            }
            EXPECT_EQ(differs, c.changed.count(m) == 1) << "point " << c.point << ", segment " << m;
        }
        for (std::size_t i = 0; i < 10; ++i) {
            EXPECT_TRUE(same(moved.points[i], before.points[i])) << "frame of the move, " << i;
            EXPECT_EQ(same(after.points[i], before.points[i]), i != c.point)
                << "a frame later, " << i;
        }
    }
}

// Where the marker must be: its parameter after `frames` steps from 1.0 upwards.
bspline::Marker marker_after(int frames) {
    bspline::Marker m;
    for (int i = 0; i < frames; ++i) m = bspline::step_marker(m, 1.0, 9.0, 0.01);
    return m;
}

TEST(Bspline, MarkerStartsAtTheBeginningOfSegmentOne) {
    const Frame f = frame_of(run(std::string(kStill) + ": 'q'\n"), 1);
    EXPECT_NEAR(marker_after(1).parameter, 1.01, 1e-12);
    ASSERT_EQ(f.markers.size(), 1u);
    ASSERT_EQ(f.segments.size(), 8u);
    // 1.01 lies within 0.01 of the sample at 1 + 1/98 only.
    expect_at(f.markers[0], f.segments[0][1].x, f.segments[0][1].y, 0, "marker");
    const gfx::Point start = f.segments[0][0];
    EXPECT_LT(std::hypot(f.markers[0].x - start.x, f.markers[0].y - start.y), 2.0);
}

// A long run: in every frame the marker sits on the last sample drawn within 0.01 of its
// parameter (segment m, step j has parameter m + j / 98), or stays where it was. It turns at
// the far end of the curve after about 800 frames, and where two segments meet the later
// segment's sample wins.
TEST(Bspline, MarkerRunsAlongTheCurveAndTurnsAtItsEnd) {
    constexpr int kFrames = 820;
    std::string script = std::string("700 300 0 x") + std::to_string(kFrames - 1) + "\n: 'q'\n";
    const auto r = run(script);
    ASSERT_EQ(r.frames.size(), static_cast<std::size_t>(kFrames) + 1);
    const Frame first = frame_of(r, 1);
    ASSERT_EQ(first.segments.size(), 8u);

    bspline::Marker m;
    gfx::Point expected{0, 0};
    bool turned = false;
    for (int n = 1; n <= kFrames; ++n) {
        const bspline::Marker next = bspline::step_marker(m, 1.0, 9.0, 0.01);
        turned = turned || next.direction < 0;
        m = next;
        for (std::size_t seg = 1; seg <= 8; ++seg) {
            for (std::size_t j = 0; j < 100; ++j) {
                if (std::fabs(static_cast<double>(seg) + static_cast<double>(j) / 98.0 -
                              m.parameter) <= 0.01) {
                    expected = first.segments[seg - 1][j];
                }
            }
        }
        std::vector<gfx::Point> markers;
        for (const std::string& line : r.frames[static_cast<std::size_t>(n)]) {
            if (line.rfind("circle ", 0) == 0 && line.compare(line.size() - 3, 3, " 40") == 0) {
                const Op op = ops({line}).at(0);
                markers.push_back({op.args.at(0), op.args.at(1)});
            }
        }
        ASSERT_EQ(markers.size(), 1u) << "frame " << n;
        ASSERT_TRUE(same(markers[0], expected))
            << "frame " << n << ", marker parameter " << m.parameter << ": at (" << markers[0].x
            << ", " << markers[0].y << "), expected (" << expected.x << ", " << expected.y << ")";
    }
    EXPECT_TRUE(turned);
    EXPECT_LT(m.parameter, 9.0);

    // At 2.01 the last sample of segment 1 (at 1 + 99/98) and the second sample of segment 2
    // (at 2 + 1/98) both match; the marker is on segment 2's.
    const double p101 = marker_after(101).parameter;
    ASSERT_LE(std::fabs(1 + 99 / 98.0 - p101), 0.01);
    ASSERT_LE(std::fabs(2 + 1 / 98.0 - p101), 0.01);
    const Frame joint = frame_of(r, 101);
    ASSERT_EQ(joint.markers.size(), 1u);
    expect_at(joint.markers[0], first.segments[1][1].x, first.segments[1][1].y, 0, "frame 101");
    EXPECT_FALSE(same(joint.markers[0], first.segments[0][99]));

    // The far end: the marker reaches the end of segment 8 and comes back.
    const gfx::Point end = first.segments[7][98];
    double closest = 1e9;
    for (int n = 790; n <= 810; ++n) {
        const Frame f = frame_of(r, static_cast<std::size_t>(n));
        closest =
            std::min(closest, std::hypot(f.markers.at(0).x - end.x, f.markers.at(0).y - end.y));
    }
    EXPECT_LT(closest, 2.0);
}

// The drag rules: the point nearest to the pointer jumps to it, however far; on equal distances
// the lower index moves; only a mask of exactly 1 (the left button alone) moves anything.
TEST(Bspline, DragRules) {
    struct Case {
        const char* what;
        std::string script;                       // the frames before the last one
        std::map<std::size_t, gfx::Point> moved;  // where the moved points end up
    };
    const Case cases[] = {
        {"far from every point", "790 10 1\n", {{5, {790, 10}}}},
        {"the corner of the window", "0 0 1\n", {{0, {0, 0}}}},
        // Past the left or top edge the low 16 bits, read unsigned: -3 is 65533, far right.
        {"past the left edge", "-3 250 1\n", {{9, {65533, 250}}}},
        {"past the top edge", "300 -7 1\n", {{8, {300, 65529}}}},
        {"equal distances: the lower index",
         "80 60 1\n80 180 1\n80 120 1\n",  // points 0 and 2 to integers, then their midpoint
         {{0, {80, 120}}, {2, {80, 180}}}},
        {"no button", "790 10 0\n", {}},
        {"right button", "790 10 2\n", {}},
        {"middle button", "790 10 4\n", {}},
        {"left and right", "790 10 3\n", {}},
        {"left with Shift", "790 10 9\n", {}},
        {"left with Ctrl", "790 10 17\n", {}},
        {"every bit", "790 10 65535\n", {}},
    };
    const Frame start = frame_of(run(std::string(kStill) + ": 'q'\n"), 1);
    ASSERT_EQ(start.points.size(), 10u);
    for (const Case& c : cases) {
        const auto r = run(c.script + "790 10 0 : 'q'\n");
        const Frame last = frame_of(r, r.frames.size() - 1);
        ASSERT_EQ(last.points.size(), 10u) << c.what;
        for (std::size_t i = 0; i < 10; ++i) {
            const auto m = c.moved.find(i);
            const gfx::Point want = m != c.moved.end() ? m->second : start.points[i];
            expect_at(last.points[i], want.x, want.y, 0,
                      std::string(c.what) + ", point " + std::to_string(i));
        }
    }
}

TEST(Bspline, AnyKeyEndsTheProgramAfterItsFrame) {
    const char* keys[] = {"'a'", "' '", "13", "27", "0 72", "0 107", "0 59"};
    for (const char* key : keys) {
        const auto r = run(std::string(kStill) + ": " + key + "\n: 'z'\n");
        EXPECT_EQ(r.frames.size(), 3u) << key << ": the frame before and the frame of the key";
        ASSERT_FALSE(r.frames.back().empty());
        EXPECT_EQ(r.frames.back().back(), "close") << key;
        EXPECT_EQ(frame_of(r, 2).markers.size(), 1u) << key << ": the last frame is whole";
    }
}

}  // namespace
