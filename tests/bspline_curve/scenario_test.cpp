// bspline_curve run headless on short scripts; the assertions read its trace.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "clamped_bspline.hpp"
#include "run_headless.hpp"

namespace {

using demo_test::run_headless;

using demo_test::Op;
using demo_test::ops;

// What one frame drew: the point circles (radius 2) with their labels, the polygon and the
// curve samples (radius 3).
struct Frame {
    std::vector<gfx::Point> points;
    std::vector<Op> labels;
    std::vector<gfx::Point> polygon;  // the move, then every line_to
    std::vector<gfx::Point> samples;
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
        if (op.name == "circle" && op.args.at(2) == 3)
            f.samples.push_back({op.args[0], op.args[1]});
        if (op.name == "text") f.labels.push_back(op);
        if (op.name == "moveto" || op.name == "lineto")
            f.polygon.push_back({op.args[0], op.args[1]});
    }
    return f;
}

demo_test::HeadlessRun run(const std::string& script) {
    demo_test::HeadlessOptions options;
    options.script = script;
    demo_test::HeadlessRun r = run_headless("bspline_curve", options);
    EXPECT_EQ(r.exit_code, 0) << r.stderr_text;
    return r;
}

bspline_curve::ControlPoints as_points(const std::vector<gfx::Point>& v) {
    bspline_curve::ControlPoints p{};
    EXPECT_EQ(v.size(), p.size());
    for (std::size_t i = 0; i < p.size() && i < v.size(); ++i) p[i] = v[i];
    return p;
}

void expect_at(const gfx::Point& p, double x, double y, double tolerance, const std::string& what) {
    EXPECT_NEAR(p.x, x, tolerance) << what;
    EXPECT_NEAR(p.y, y, tolerance) << what;
}

TEST(BsplineCurve, StartsWithEightPointsOnACircleTheirPolygonAndTheCurve) {
    const auto r = run("700 300 0\n: 'q'\n");
    const std::vector<Op> start = ops(r.frames.at(0));
    ASSERT_FALSE(start.empty());
    EXPECT_EQ(start[0].name, "window");
    EXPECT_EQ(start[0].args, (std::vector<double>{3, 6}));
    EXPECT_EQ(start[0].text, "CURBA B-SPLINE");
    for (const Op& op : start) {
        EXPECT_NE(op.name, "style") << "labels use the default text settings";
        EXPECT_NE(op.name, "justify");
    }

    const Frame f = frame_of(r, 1);
    ASSERT_EQ(f.points.size(), 8u);
    expect_at(f.points[0], 629.5, 299.5, 1e-9, "point 0, right of the centre");
    expect_at(f.points[2], 399.5, 529.5, 1e-9, "point 2, below the centre");
    expect_at(f.points[6], 399.5, 69.5, 1e-9, "point 6, above the centre");
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_NEAR(std::hypot(f.points[i].x - 399.5, f.points[i].y - 299.5), 230.0, 1e-9) << i;
        ASSERT_LT(i, f.labels.size());
        EXPECT_EQ(f.labels[i].text, std::to_string(i));
        EXPECT_EQ(f.labels[i].args, (std::vector<double>{f.points[i].x, f.points[i].y}));
    }

    // The open polygon: a move to point 0 and lines to points 0 ... 7.
    ASSERT_EQ(f.polygon.size(), 9u);
    expect_at(f.polygon[0], f.points[0].x, f.points[0].y, 0, "move to point 0");
    for (std::size_t i = 0; i < 8; ++i) {
        expect_at(f.polygon[i + 1], f.points[i].x, f.points[i].y, 0, "line to a point");
    }

    ASSERT_EQ(f.samples.size(), 100u);
    expect_at(f.samples[0], 546.1, 468.6, 0.05, "first sample, t = 0.05");
}

TEST(BsplineCurve, SamplesAreTheCurveAtFiveTimesTheAccumulatedStepInLightGreen) {
    const auto r = run("700 300 0\n: 'q'\n");
    const Frame f = frame_of(r, 1);
    const bspline_curve::ControlPoints p = as_points(f.points);
    ASSERT_EQ(f.samples.size(), 100u);
    double s = 0.0;
    for (std::size_t n = 0; n < 100; ++n) {
        s += 0.01;
        const gfx::Point c = bspline_curve::curve_point(p, bspline_curve::make_knots(), 3, 5 * s);
        expect_at(f.samples[n], c.x, c.y, 1e-9, "sample " + std::to_string(n));
    }
    std::size_t green = 0;
    for (std::size_t i = 0; i + 1 < f.all.size(); ++i) {
        if (f.all[i + 1].name == "circle" && f.all[i + 1].args.at(2) == 3) {
            EXPECT_EQ(f.all[i].name, "colour");
            EXPECT_EQ(f.all[i].args, (std::vector<double>{144, 238, 144}));
            ++green;
        }
    }
    EXPECT_EQ(green, 100u);
}

// The last sample lands a hair past the last knot; it is drawn at the curve's end, point 7,
// wherever point 7 is, and never at the window's corner.
TEST(BsplineCurve, LastSampleIsControlPointSeven) {
    // Frame 1 at the start; frame 2 drags point 7 (nearest to the pointer) to (600, 80).
    const auto r = run("700 300 0\n600 80 1\n600 80 0 : 'q'\n");
    for (std::size_t n : {1u, 2u, 3u}) {
        const Frame f = frame_of(r, n);
        ASSERT_EQ(f.samples.size(), 100u);
        ASSERT_EQ(f.polygon.size(), 9u);
        const gfx::Point seven = f.polygon.back();  // the polygon already has this frame's drag
        expect_at(f.samples.back(), seven.x, seven.y, 0, "frame " + std::to_string(n));
        for (const gfx::Point& s : f.samples) {
            EXPECT_FALSE(s.x == 0 && s.y == 0) << "a sample at the corner in frame " << n;
        }
    }
    expect_at(frame_of(r, 3).samples.back(), 600, 80, 0, "after the drag");
}

TEST(BsplineCurve, DraggingPointZeroLeavesTheCurveUnchanged) {
    const auto r = run("700 300 0\n700 300 1\n700 300 0 : 'q'\n");
    const Frame before = frame_of(r, 1);
    const Frame moved = frame_of(r, 2);
    const Frame after = frame_of(r, 3);
    expect_at(after.points[0], 700, 300, 0, "point 0 moved");
    expect_at(after.polygon[0], 700, 300, 0, "first edge of the polygon moved");
    ASSERT_EQ(before.samples.size(), 100u);
    for (const Frame* f : {&moved, &after}) {
        ASSERT_EQ(f->samples.size(), 100u);
        for (std::size_t n = 0; n < 100; ++n) {
            EXPECT_EQ(f->samples[n].x, before.samples[n].x) << n;
            EXPECT_EQ(f->samples[n].y, before.samples[n].y) << n;
        }
    }
}

// In the frame of a move, the point and its label are drawn where they were; the polygon and
// the curve already use the new position.
TEST(BsplineCurve, AMovedPointIsDrawnAtItsOldPlaceInTheFrameOfTheMove) {
    const auto r = run("700 300 0\n600 500 1\n600 500 0 : 'q'\n");  // point 1 moves
    const Frame before = frame_of(r, 1);
    const Frame moved = frame_of(r, 2);
    expect_at(moved.points[1], before.points[1].x, before.points[1].y, 0, "circle of point 1");
    EXPECT_EQ(moved.labels[1].args, before.labels[1].args);
    expect_at(moved.polygon[2], 600, 500, 0, "polygon corner of point 1");
    expect_at(moved.samples[0], 0.9025 * 600 + 0.09625 * 399.5 + 0.00125 * before.points[3].x,
              0.9025 * 500 + 0.09625 * 529.5 + 0.00125 * before.points[3].y, 1e-9, "first sample");
    expect_at(frame_of(r, 3).points[1], 600, 500, 0, "circle of point 1, a frame later");
}

// The drag rules: the point nearest to the pointer jumps to it, however far; on equal distances
// the lower index moves; only a mask of exactly 1 (the left button alone) moves anything.
TEST(BsplineCurve, DragRules) {
    struct Case {
        const char* what;
        std::string script;                       // the frames before the last one
        std::map<std::size_t, gfx::Point> moved;  // where the moved points end up
    };
    const Case cases[] = {
        {"far from every point", "790 590 1\n", {{1, {790, 590}}}},
        {"the corner of the window", "0 0 1\n", {{5, {0, 0}}}},
        // Past the left or top edge the low 16 bits, read unsigned: -3 is 65533, far right.
        {"past the left edge", "-3 250 1\n", {{0, {65533, 250}}}},
        {"past the top edge", "300 -7 1\n", {{2, {300, 65529}}}},
        {"equal distances: the lower index",
         "630 300 1\n562 462 1\n596 381 1\n",  // points 0 and 1 to integers, then their midpoint
         {{0, {596, 381}}, {1, {562, 462}}}},
        {"no button", "790 590 0\n", {}},
        {"right button", "790 590 2\n", {}},
        {"middle button", "790 590 4\n", {}},
        {"left and right", "790 590 3\n", {}},
        {"left with Shift", "790 590 9\n", {}},
        {"left with Ctrl", "790 590 17\n", {}},
        {"every bit", "790 590 65535\n", {}},
    };
    const Frame start = frame_of(run("700 300 0\n: 'q'\n"), 1);
    for (const Case& c : cases) {
        const auto r = run(c.script + "790 590 0 : 'q'\n");
        const Frame last = frame_of(r, r.frames.size() - 1);
        ASSERT_EQ(last.points.size(), 8u) << c.what;
        for (std::size_t i = 0; i < 8; ++i) {
            const auto m = c.moved.find(i);
            const gfx::Point want = m != c.moved.end() ? m->second : start.points[i];
            expect_at(last.points[i], want.x, want.y, 0,
                      std::string(c.what) + ", point " + std::to_string(i));
        }
    }
}

TEST(BsplineCurve, AnyKeyEndsTheProgramAfterItsFrame) {
    const char* keys[] = {"'a'", "' '", "13", "27", "0 72", "0 107", "0 59"};
    for (const char* key : keys) {
        const auto r = run(std::string("700 300 0\n: ") + key + "\n: 'z'\n");
        EXPECT_EQ(r.frames.size(), 3u) << key << ": the frame before and the frame of the key";
        ASSERT_FALSE(r.frames.back().empty());
        EXPECT_EQ(r.frames.back().back(), "close") << key;
        EXPECT_EQ(frame_of(r, 2).samples.size(), 100u) << key << ": the last frame is whole";
    }
}

}  // namespace
