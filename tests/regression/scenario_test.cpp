// The real program, run headless: its console dialogue on standard input and output, and
// what it draws for each sample.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "models.hpp"
#include "run_headless.hpp"

namespace {

using demo_test::words;

constexpr char kMenu[] =
    "TIPURI DE REGRESIE MATEMATICA:\n"
    "1 - REGRESIE LINIARA : y=b0+b1*x\n"
    "2 - REGRESIE HIPERBOLICA : y=b0+b1/x\n"
    "3 - REGRESIE CU FUNCTIE PUTERE : y=b0*x^b1\n"
    "4 - REGRESIE EXPONENTIALA : y=b0*b1^X\n"
    "5 - REGRESIE PARABOLICA : y=b0+b1*X+b2*X^2\n";
constexpr char kPrompt[] = "Cate perechi (experimentale) x,y ai:";

struct Line {
    double x1, y1, x2, y2;
    bool operator==(const Line&) const = default;
};

void PrintTo(const Line& l, std::ostream* os) {
    *os << "(" << l.x1 << ", " << l.y1 << ")-(" << l.x2 << ", " << l.y2 << ")";
}

struct Pair {
    double x, y;
};

// What one sample drew: from one clearing of the page to the next.
struct Sample {
    std::vector<std::string> ops;  // the operations, as their names
    std::vector<Pair> pairs;
    std::vector<Line> lines;
};

double number(const std::string& w) {
    return std::strtod(w.c_str(), nullptr);
}

std::vector<Sample> samples(const demo_test::HeadlessRun& run) {
    std::vector<Sample> out;
    for (const auto& frame : run.frames) {
        for (const std::string& line : frame) {
            const auto w = words(line);
            if (w.empty() || w[0] == "frame" || w[0] == "window" || w[0] == "close" ||
                w[0] == "seed") {
                continue;
            }
            if (w[0] == "clear") out.emplace_back();
            if (out.empty()) continue;
            Sample& s = out.back();
            if (w[0] == "colour") {
                s.ops.push_back(line);
            } else {
                s.ops.push_back(w[0]);
            }
            if (w[0] == "circle") {
                s.pairs.push_back({number(w[1]), number(w[2])});
                EXPECT_EQ(w[3], "2");
            } else if (w[0] == "line") {
                s.lines.push_back({number(w[1]), number(w[2]), number(w[3]), number(w[4])});
            }
        }
    }
    return out;
}

int count_of(const demo_test::HeadlessRun& run, const std::string& op) {
    int n = 0;
    for (const auto& frame : run.frames) {
        for (const std::string& line : frame) n += words(line).at(0) == op;
    }
    return n;
}

// The curve the fitted model gives over columns 1 to 799, without the segments that meet a
// column whose value cannot be drawn.
std::vector<Line> expected_curve(std::int32_t model, std::int32_t count,
                                 const std::vector<Pair>& pairs) {
    regression::Sums sums;
    for (const Pair& p : pairs) regression::add_pair(sums, model, p.x, p.y);
    const auto c = regression::fit(model, sums, count);
    std::vector<Line> out;
    if (!c) return out;
    std::optional<double> previous;
    for (std::int32_t j = 1; j <= 799; ++j) {
        const auto v = regression::curve_value(model, *c, j);
        if (previous && v) out.push_back({j - 1.0, *previous, static_cast<double>(j), *v});
        previous = v;
    }
    return out;
}

// The operations of one sample: n yellow circles, the switch to light red, then the lines.
std::vector<std::string> expected_ops(std::size_t pairs, std::size_t lines) {
    std::vector<std::string> ops = {"clear"};
    for (std::size_t i = 0; i < pairs; ++i) {
        ops.push_back("colour 255 255 0");
        ops.push_back("circle");
    }
    ops.push_back("colour 255 128 128");
    ops.insert(ops.end(), lines, "line");
    return ops;
}

demo_test::HeadlessRun run_program(const std::string& typed, const std::string& script,
                                   std::optional<std::uint32_t> seed = 1) {
    demo_test::HeadlessOptions o;
    o.script = script;
    o.seed = seed;
    o.stdin_text = typed;
    return demo_test::run_headless("regression", o);
}

TEST(RegressionScenario, EachModelDrawsItsPairsAndItsFittedCurve) {
    struct Case {
        std::int32_t model;
        std::int32_t count;
        std::uint32_t seed;
    };
    for (const Case c :
         {Case{1, 20, 9}, Case{2, 30, 9}, Case{3, 12, 4}, Case{4, 25, 4}, Case{5, 40, 2}}) {
        SCOPED_TRACE(c.model);
        const std::string typed = std::to_string(c.model) + "\n" + std::to_string(c.count) + "\n";
        const auto run = run_program(typed, "0 0 0 : 27\n", c.seed);
        ASSERT_EQ(run.exit_code, 0) << run.stderr_text;
        EXPECT_EQ(run.stdout_text, std::string(kMenu) + kPrompt);
        ASSERT_FALSE(run.frames[0].empty());
        EXPECT_EQ(run.frames[0][0], "window 3 6 \"REGRESII MATEMATICE\"");
        EXPECT_EQ(run.frames.back().back(), "close");

        const auto s = samples(run);
        ASSERT_EQ(s.size(), 1u);
        ASSERT_EQ(s[0].pairs.size(), static_cast<std::size_t>(c.count));
        for (const Pair& p : s[0].pairs) {
            EXPECT_TRUE(p.x >= 0 && p.x <= 798 && p.y >= 0 && p.y <= 598) << p.x << ", " << p.y;
        }
        const auto curve = expected_curve(c.model, c.count, s[0].pairs);
        EXPECT_EQ(curve.size(), 798u);  // these samples fit within 64 bits everywhere
        EXPECT_EQ(s[0].lines, curve);
        EXPECT_EQ(s[0].ops, expected_ops(s[0].pairs.size(), s[0].lines.size()));
        EXPECT_EQ(s[0].lines.front().x1, 1);
        EXPECT_EQ(s[0].lines.back().x2, 799);
    }
}

TEST(RegressionScenario, EveryKeyButEscDrawsAFreshSampleFromTheOneSeed) {
    // A letter, Up (0 and 72) and the close box (0 and 107): one, two and two more samples.
    const auto run = run_program("1\n10\n", "0 0 0 : 'a'\n: 0 72\n: 0 107\n: 27\n", std::nullopt);
    ASSERT_EQ(run.exit_code, 0) << run.stderr_text;
    EXPECT_EQ(count_of(run, "seed"), 1);
    const auto s = samples(run);
    ASSERT_EQ(s.size(), 6u);
    for (std::size_t i = 0; i < s.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(s[i].pairs.size(), 10u);
        EXPECT_EQ(s[i].lines, expected_curve(1, 10, s[i].pairs));
        if (i > 0) {
            EXPECT_NE(s[i].lines, s[i - 1].lines);
        }
    }
    EXPECT_EQ(run.frames.back().back(), "close");
}

TEST(RegressionScenario, AChoiceOutsideTheModelsDrawsThePairsAlone) {
    for (const char* typed : {"0\n15\n", "6\n15\n", "-3\n15\n", "2147483647\n15\n"}) {
        SCOPED_TRACE(typed);
        const auto run = run_program(typed, "0 0 0 : ' '\n: 27\n");
        ASSERT_EQ(run.exit_code, 0);
        const auto s = samples(run);
        ASSERT_EQ(s.size(), 2u);
        for (const Sample& one : s) EXPECT_EQ(one.ops, expected_ops(15, 0));
    }
}

TEST(RegressionScenario, NoPairsAskedForLeavesTheWindowEmpty) {
    for (const char* typed : {"7\n0\n", "0\n-5\n", "1\n0\n", "5\n-2\n", "3\n0\n"}) {
        SCOPED_TRACE(typed);
        const auto run = run_program(typed, "0 0 0 : 'x'\n: 27\n");
        ASSERT_EQ(run.exit_code, 0);
        const auto s = samples(run);
        ASSERT_EQ(s.size(), 2u);
        for (const Sample& one : s) EXPECT_EQ(one.ops, expected_ops(0, 0));
    }
}

TEST(RegressionScenario, TooFewPairsForAUniqueFitDrawThePairsWithoutACurve) {
    // One pair for the straight-line models, two for the parabola (which needs three distinct
    // abscissae): no unique solution, so each sample is its pairs alone, pass after pass.
    struct Case {
        const char* typed;
        std::size_t pairs;
    };
    for (const Case& c : {Case{"1\n1\n", 1}, Case{"2\n1\n", 1}, Case{"3\n1\n", 1},
                          Case{"5\n1\n", 1}, Case{"5\n2\n", 2}}) {
        SCOPED_TRACE(c.typed);
        const auto run = run_program(c.typed, "0 0 0 : ' '\n: 27\n");
        ASSERT_EQ(run.exit_code, 0);
        const auto s = samples(run);
        ASSERT_EQ(s.size(), 2u);
        for (const Sample& one : s) EXPECT_EQ(one.ops, expected_ops(c.pairs, 0));
    }
}

TEST(RegressionScenario, AReplyThatIsNoNumberSilencesTheConsoleAndEmptiesTheWindow) {
    const auto run = run_program("abc\n12\n", "0 0 0 : ' '\n: 27\n");
    ASSERT_EQ(run.exit_code, 0);
    EXPECT_EQ(run.stdout_text, kMenu);  // no prompt
    const auto s = samples(run);
    ASSERT_EQ(s.size(), 2u);
    for (const Sample& one : s) EXPECT_EQ(one.ops, expected_ops(0, 0));
}

TEST(RegressionScenario, TheConsoleRepliesAsTyped) {
    struct Case {
        const char* typed;
        std::size_t pairs;
        std::string written;
    };
    const std::string both = std::string(kMenu) + kPrompt;
    const Case cases[] = {
        {" 3\n 4\n", 4, both},
        {"+2 junk\n5 more\n", 5, both},
        {"", 0, both},                 // end of input: 0 and 0
        {"1\n4294967296\n", 0, both},  // beyond 32 bits: 0
        {"99999999999\n8\n", 0, std::string(kMenu)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const auto run = run_program(c.typed, "0 0 0 : 27\n");
        ASSERT_EQ(run.exit_code, 0);
        EXPECT_EQ(run.stdout_text, c.written);
        const auto s = samples(run);
        ASSERT_EQ(s.size(), 1u);
        EXPECT_EQ(s[0].pairs.size(), c.pairs);
    }
}

TEST(RegressionScenario, ExponentialWithOnePairIsAFlatLineThroughIt) {
    const auto run = run_program("4\n1\n", "0 0 0 : 27\n", 5);
    ASSERT_EQ(run.exit_code, 0);
    const auto s = samples(run);
    ASSERT_EQ(s.size(), 1u);
    ASSERT_EQ(s[0].pairs.size(), 1u);
    ASSERT_EQ(s[0].lines.size(), 798u);
    for (const Line& l : s[0].lines) EXPECT_NEAR(l.y2, s[0].pairs[0].y, 1e-3);
}

TEST(RegressionScenario, ExponentialWithANegativeCountIsTheLineYEqualsOne) {
    const auto run = run_program("4\n-3\n", "0 0 0 : 27\n");
    ASSERT_EQ(run.exit_code, 0);
    const auto s = samples(run);
    ASSERT_EQ(s.size(), 1u);
    EXPECT_TRUE(s[0].pairs.empty());
    ASSERT_EQ(s[0].lines.size(), 798u);
    for (std::size_t k = 0; k < s[0].lines.size(); ++k) {
        const double j = static_cast<double>(k) + 2;
        EXPECT_EQ(s[0].lines[k], (Line{j - 1, 1, j, 1}));
    }
}

TEST(RegressionScenario, ColumnsTooLargeToDrawLeaveOutTheirSegments) {
    // Two pairs four columns apart: the exponential climbs past 2^63 before the right edge.
    const auto run = run_program("4\n2\n", "0 0 0 : 27\n", 136);
    ASSERT_EQ(run.exit_code, 0);
    const auto s = samples(run);
    ASSERT_EQ(s.size(), 1u);
    const auto curve = expected_curve(4, 2, s[0].pairs);
    ASSERT_FALSE(curve.empty());
    ASSERT_LT(curve.size(), 798u) << "this seed no longer gives a steep sample";
    EXPECT_EQ(s[0].lines, curve);
    for (const Line& l : s[0].lines) {
        EXPECT_LT(std::fabs(l.y1), 0x1p63);
        EXPECT_LT(std::fabs(l.y2), 0x1p63);
    }
}

TEST(RegressionScenario, APairAtZeroIsDrawnButLeftOutOfThePowerFit) {
    // One of the two pairs lies at y = 0: the one left is too few for a curve.
    const auto run = run_program("3\n2\n", "0 0 0 : 27\n", 98);
    ASSERT_EQ(run.exit_code, 0);
    const auto s = samples(run);
    ASSERT_EQ(s.size(), 1u);
    ASSERT_EQ(s[0].pairs.size(), 2u);
    ASSERT_TRUE(s[0].pairs[0].y == 0 || s[0].pairs[1].y == 0) << "this seed no longer gives y = 0";
    EXPECT_EQ(s[0].ops, expected_ops(2, 0));
}

TEST(RegressionScenario, ThePictureShowsYellowPairsAndALightRedCurve) {
    demo_test::HeadlessOptions o;
    o.script = "0 0 0 : 27\n";
    o.seed = 9;
    o.stdin_text = "1\n20\n";
    o.png_frames = "end";
    const auto run = demo_test::run_headless("regression", o);
    ASSERT_EQ(run.exit_code, 0);
    const auto pic = demo_test::read_png(run.dir + "/end.png");
    ASSERT_EQ(pic.width, 800);
    ASSERT_EQ(pic.height, 600);
    const auto s = samples(run);
    ASSERT_EQ(s.size(), 1u);
    // Palette entries near the asked colours: yellow (255,255,0), light red (255,128,128).
    const auto yellowish = [](std::uint32_t c) {
        return (c >> 16) > 200 && ((c >> 8) & 0xFF) > 200 && (c & 0xFF) < 100;
    };
    const auto light_red = [](std::uint32_t c) {
        const std::uint32_t g = (c >> 8) & 0xFF, b = c & 0xFF;
        return (c >> 16) > 200 && g > 90 && g < 170 && b > 90 && b < 170;
    };
    // The top of each circle is yellow unless the line crosses it there.
    int yellow = 0;
    for (const Pair& p : s[0].pairs) {
        const int x = static_cast<int>(p.x), y = static_cast<int>(p.y) - 2;
        if (y >= 0) yellow += yellowish(pic.at(x, y));
    }
    EXPECT_GE(yellow, 15);
    // Every vertex of the line inside the window is light red, unless a circle lies on it.
    int red = 0, inside = 0;
    for (const Line& l : s[0].lines) {
        const int y = static_cast<int>(std::nearbyint(l.y2));
        if (y < 0 || y > 599) continue;
        ++inside;
        red += light_red(pic.at(static_cast<int>(l.x2), y));
    }
    EXPECT_GT(inside, 100);
    EXPECT_GE(red, inside - 20);
}

}  // namespace
