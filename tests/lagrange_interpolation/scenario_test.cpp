// The real program, run headless on short scripts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "lagrange.hpp"
#include "run_headless.hpp"

namespace {

using demo_test::words;

struct Line {
    double x1, y1, x2, y2;
};

// What one pass drew: from its seeding to the next.
struct Pass {
    std::vector<std::string> ops;  // every operation, in order, as its name
    lagrange::Nodes nodes;
    int circles = 0;
    std::vector<Line> lines;
};

demo_test::HeadlessRun run_program(const std::string& script, std::optional<std::uint32_t> seed,
                                   const std::string& png_frames = "") {
    demo_test::HeadlessOptions o;
    o.script = script;
    o.seed = seed;
    o.png_frames = png_frames;
    return demo_test::run_headless("lagrange_interpolation", o);
}

double number(const std::string& w) {
    return std::strtod(w.c_str(), nullptr);
}

std::vector<Pass> passes(const demo_test::HeadlessRun& run) {
    std::vector<Pass> out;
    for (const auto& frame : run.frames) {
        for (const std::string& line : frame) {
            const auto w = words(line);
            if (w.empty() || w[0] == "frame" || w[0] == "window" || w[0] == "close") continue;
            if (w[0] == "seed") out.emplace_back();
            if (out.empty()) continue;
            Pass& p = out.back();
            p.ops.push_back(w[0]);
            if (w[0] == "circle" && p.circles < lagrange::kNodeCount) {
                p.nodes.x[p.circles] = static_cast<std::int32_t>(number(w[1]));
                p.nodes.y[p.circles] = static_cast<std::int32_t>(number(w[2]));
                EXPECT_EQ(w[3], "2");
                ++p.circles;
            } else if (w[0] == "line") {
                p.lines.push_back({number(w[1]), number(w[2]), number(w[3]), number(w[4])});
            }
        }
    }
    return out;
}

std::vector<std::string> expected_ops(std::size_t lines) {
    std::vector<std::string> ops = {"seed", "clear", "colour"};
    ops.insert(ops.end(), lagrange::kNodeCount, "circle");
    ops.push_back("colour");
    ops.insert(ops.end(), lines, "line");
    return ops;
}

TEST(LagrangeScenario, APassDrawsTenNodesAndThePolynomialThroughThem) {
    const auto run = run_program("0 0 0 : 27\n", 7);
    ASSERT_EQ(run.exit_code, 0) << run.stderr_text;
    EXPECT_EQ(run.stdout_text, "");
    ASSERT_FALSE(run.frames[0].empty());
    EXPECT_EQ(run.frames[0][0], "window 3 6 \"INTERPOLARE POLINOMIALA LAGRANGE\"");
    EXPECT_EQ(run.frames.back().back(), "close");

    const auto p = passes(run);
    ASSERT_EQ(p.size(), 1u);
    const Pass& pass = p[0];
    ASSERT_EQ(pass.ops, expected_ops(pass.lines.size()));
    // White nodes, a light red curve.
    EXPECT_NE(std::find(run.frames[0].begin(), run.frames[0].end(), "colour 255 255 255"),
              run.frames[0].end());
    EXPECT_NE(std::find(run.frames[0].begin(), run.frames[0].end(), "colour 255 128 128"),
              run.frames[0].end());

    std::int32_t xmin = 798, xmax = 0;
    for (int i = 0; i < lagrange::kNodeCount; ++i) {
        EXPECT_GE(pass.nodes.x[i], 0);
        EXPECT_LE(pass.nodes.x[i], 798);
        EXPECT_GE(pass.nodes.y[i], 0);
        EXPECT_LE(pass.nodes.y[i], 598);
        xmin = std::min(xmin, pass.nodes.x[i]);
        xmax = std::max(xmax, pass.nodes.x[i]);
    }
    ASSERT_TRUE(pass.lines.size() == 99 || pass.lines.size() == 100) << pass.lines.size();

    // The polyline runs from xmin, one sample to the next, each at its unrounded abscissa and
    // the polynomial's value at the rounded one.
    const lagrange::Samples s = lagrange::sample_curve(pass.nodes, xmin, xmax);
    ASSERT_EQ(static_cast<std::size_t>(s.count), pass.lines.size() + 1);
    for (std::size_t k = 0; k < pass.lines.size(); ++k) {
        SCOPED_TRACE(k);
        const Line& l = pass.lines[k];
        EXPECT_EQ(l.x1, s.at[k].x);
        EXPECT_EQ(l.y1, s.at[k].y.value());
        EXPECT_EQ(l.x2, s.at[k + 1].x);
        EXPECT_EQ(l.y2, s.at[k + 1].y.value());
    }
    EXPECT_EQ(pass.lines.front().x1, xmin);
}

TEST(LagrangeScenario, EveryKeyButEscDrawsANewSetFromANewSeed) {
    // A letter, Up (0 and 72) and the close box (0 and 107): one, two and two new passes.
    const char* script =
        "seed 11\nseed 12\nseed 13\nseed 14\nseed 15\nseed 16\n"
        "0 0 0 : 'a'\n"
        ": 0 72\n"
        ": 0 107\n"
        ": 27\n";
    const auto run = run_program(script, std::nullopt);
    ASSERT_EQ(run.exit_code, 0) << run.stderr_text;
    const auto p = passes(run);
    ASSERT_EQ(p.size(), 6u);
    for (std::size_t i = 0; i < p.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(p[i].ops, expected_ops(p[i].lines.size()));
        if (i > 0) {
            EXPECT_NE(p[i].nodes.x, p[i - 1].nodes.x);
        }
    }
    // Each pass waits for its key: frames 1 to 4 begin at the four blocking reads with an
    // empty queue (the second byte of a special key is already waiting).
    EXPECT_EQ(run.frames.size(), 5u);
    EXPECT_EQ(run.frames.back().back(), "close");
}

TEST(LagrangeScenario, TheSameClockReadingDrawsTheSameSetAgain) {
    const auto run = run_program("0 0 0 : ' ' 27\n", 3);
    ASSERT_EQ(run.exit_code, 0);
    const auto p = passes(run);
    ASSERT_EQ(p.size(), 2u);
    EXPECT_EQ(p[0].nodes.x, p[1].nodes.x);
    EXPECT_EQ(p[0].nodes.y, p[1].nodes.y);
}

TEST(LagrangeScenario, ThePictureShowsNodesAndCurve) {
    const auto run = run_program("0 0 0 : 27\n", 7, "end");
    ASSERT_EQ(run.exit_code, 0);
    const auto pic = demo_test::read_png(run.dir + "/end.png");
    ASSERT_EQ(pic.width, 800);
    ASSERT_EQ(pic.height, 600);
    const auto p = passes(run);
    ASSERT_EQ(p.size(), 1u);
    // The topmost pixel of each node's circle, where the curve does not pass, is white
    // (palette 15); the first segment's start is light red.
    int white = 0;
    for (int i = 0; i < lagrange::kNodeCount; ++i) {
        white += pic.at(p[0].nodes.x[i], p[0].nodes.y[i] - 2) == 0xFCFCFC;
    }
    EXPECT_GE(white, 5);
    const Line& first = p[0].lines.front();
    const std::uint32_t start = pic.at(static_cast<int>(first.x1), static_cast<int>(first.y1));
    EXPECT_TRUE(start != 0 && start != 0xFCFCFC) << std::hex << start;
}

}  // namespace
