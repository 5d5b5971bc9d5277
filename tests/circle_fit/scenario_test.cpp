// circle_fit run headless on short scripts.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "circle_fit_math.hpp"
#include "run_headless.hpp"

namespace {

using demo_test::HeadlessRun;
using demo_test::words;

HeadlessRun run(const std::string& script, const std::string& png_frames = "") {
    demo_test::HeadlessOptions options;
    options.script = script;
    options.seed = 5;
    options.png_frames = png_frames;
    return demo_test::run_headless("circle_fit", options);
}

std::vector<double> numbers(const std::string& line) {
    std::vector<double> out;
    const auto w = words(line);
    for (std::size_t i = 1; i < w.size(); ++i) out.push_back(std::stod(w[i]));
    return out;
}

// What the trace shows of the passes, frame by frame: "S" a new seed (a new pass), "F" the
// fitted circle, "E" the end.
std::vector<std::string> events(const HeadlessRun& r) {
    std::vector<std::string> out;
    for (std::size_t f = 1; f < r.frames.size(); ++f) {
        std::string e;
        for (const std::string& line : r.frames[f]) {
            if (line.rfind("seed ", 0) == 0) e += "S";
            if (line == "colour 255 128 128") e += "F";
            if (line == "close") e += "E";
        }
        out.push_back(e);
    }
    return out;
}

struct Pass {
    std::vector<gfx::Point> cloud;
    std::vector<std::vector<double>> fit;  // the two light red circles
};

// The passes as traced: each from its seed on, the cloud's rings and the fitted circles.
std::vector<Pass> passes(const HeadlessRun& r) {
    std::vector<Pass> out;
    bool red = false;
    for (const auto& frame : r.frames) {
        for (const std::string& line : frame) {
            if (line.rfind("seed ", 0) == 0) out.emplace_back();
            if (line.rfind("colour ", 0) == 0) red = line == "colour 255 128 128";
            if (line.rfind("circle ", 0) != 0 || out.empty()) continue;
            const std::vector<double> v = numbers(line);
            if (red) {
                out.back().fit.push_back(v);
            } else {
                EXPECT_EQ(v[2], 2) << line;
                out.back().cloud.push_back({v[0], v[1]});
            }
        }
    }
    return out;
}

std::uint32_t rgb_of(gfx::Colour c) {
    return demo_test::shown_rgb(c);
}

TEST(CircleFit, OnePass) {
    const HeadlessRun r = run("0 0 0 : ' '\n: 27\n");
    ASSERT_EQ(r.exit_code, 0) << r.stderr_text;
    ASSERT_EQ(r.frames.size(), 3u);
    // Before the first key: the window, a seed, a cleared page and the light blue cloud.
    const auto& start = r.frames[0];
    ASSERT_GE(start.size(), 3u);
    EXPECT_EQ(start[0], "window 3 6 \"APROXIMARE CERC PRIN N PUNCTE\"");
    EXPECT_EQ(start[1], "seed 5");
    EXPECT_EQ(start[2], "clear");
    const std::size_t n = (start.size() - 3) / 2;
    EXPECT_EQ(start.size(), 3 + 2 * n);
    EXPECT_GE(n, 4u);
    EXPECT_LE(n, 29u);
    for (std::size_t i = 0; i < n; ++i) {
        EXPECT_EQ(start[3 + 2 * i], "colour 173 216 230");
        const std::vector<double> v = numbers(start[4 + 2 * i]);
        EXPECT_EQ(v[0], std::floor(v[0]));
        EXPECT_EQ(v[1], std::floor(v[1]));
        EXPECT_TRUE(v[0] >= 0 && v[0] <= 798 && v[1] >= 0 && v[1] <= 598) << start[4 + 2 * i];
    }
    // After it: the circle fitted to that cloud and the ring at its centre, in light red.
    const std::vector<Pass> p = passes(r);
    ASSERT_EQ(p.size(), 1u);
    ASSERT_EQ(p[0].cloud.size(), n);
    const fit::Circle c = fit::fit_circle(p[0].cloud);
    ASSERT_EQ(r.frames[1].size(), 4u);
    EXPECT_EQ(r.frames[1][1], "colour 255 128 128");
    EXPECT_EQ(numbers(r.frames[1][2]), (std::vector<double>{c.centre.x, c.centre.y, c.radius}));
    EXPECT_EQ(numbers(r.frames[1][3]), (std::vector<double>{c.centre.x, c.centre.y, 2}));
    EXPECT_EQ(r.frames[2], (std::vector<std::string>{"frame 2", "close"}));
}

// Which key at which wait does what. Only Esc at the second wait ends; a special key gives
// both of its bytes to the waits in turn.
TEST(CircleFit, KeysAtTheTwoWaits) {
    struct Case {
        const char* what;
        const char* script;
        std::vector<std::string> events;
    };
    const std::vector<Case> cases = {
        {"Esc at the first wait only shows the circle", "0 0 0 : 27\n: 27\n", {"F", "E"}},
        {"other keys start a new pass", "0 0 0 : 'a'\n: 13\n: 8\n: 27\n", {"F", "S", "F", "E"}},
        {"a special key satisfies both waits", "0 0 0 : 0 72\n: 27\n: 27\n", {"FS", "F", "E"}},
        {"the close box too", "0 0 0 : 0 107\n: 27\n: 27\n", {"FS", "F", "E"}},
        {"a special key with code 27 ends after the circle", "0 0 0 : 0 27\n", {"FE"}},
        {"a special key at the second wait: the next cloud and its circle together",
         "0 0 0 : ' '\n: 0 80\n: 27\n",
         {"F", "SF", "E"}},
        {"two keys queued at once", "0 0 0 : ' ' 27\n", {"FE"}},
    };
    for (const Case& c : cases) {
        const HeadlessRun r = run(c.script);
        EXPECT_EQ(r.exit_code, 0) << c.what;
        EXPECT_EQ(events(r), c.events) << c.what;
    }
    // Without a key the program waits: the run ends when the script is used up.
    EXPECT_EQ(run("0 0 0 : ' '\n").exit_code, demo_test::kScriptExhausted);
}

// Every pass seeds anew and starts from a cleared page: the first cloud and its circle are
// gone when the second cloud is drawn.
TEST(CircleFit, EveryPassStartsAfresh) {
    const HeadlessRun r = run("seed 11\nseed 22\n0 0 0 : ' '\n: ' '\n: ' '\n: 27\n", "end");
    ASSERT_EQ(r.exit_code, 0) << r.stderr_text;
    const std::vector<Pass> p = passes(r);
    ASSERT_EQ(p.size(), 2u);
    EXPECT_EQ(r.frames[0][1], "seed 11");
    EXPECT_EQ(r.frames[2][1], "seed 22");
    EXPECT_EQ(r.frames[2][2], "clear");
    ASSERT_EQ(p[1].fit.size(), 2u);

    const demo_test::Picture pic = demo_test::read_png(r.dir + "/end.png");
    const std::uint32_t blue = rgb_of(gfx::kLightBlue), red = rgb_of(gfx::kLightRed);
    // The second cloud's rings and circle are there.
    for (const gfx::Point& q : p[1].cloud) {
        const std::uint32_t at = pic.at(int(q.x) + 2, int(q.y));
        EXPECT_TRUE(at == blue || at == red) << q.x << ", " << q.y;
    }
    const double cx = p[1].fit[0][0], cy = p[1].fit[0][1], radius = p[1].fit[0][2];
    if (cx >= 2 && cx <= 797 && cy >= 0 && cy <= 599) {
        EXPECT_EQ(pic.at(int(std::lround(cx)) + 2, int(std::lround(cy))), red);
    }
    // Where the first cloud had a ring, away from everything of the second pass, it is black.
    auto far_from_second = [&](gfx::Point q) {
        for (const gfx::Point& s : p[1].cloud) {
            if (std::hypot(q.x - s.x, q.y - s.y) < 6) return false;
        }
        const double d = std::hypot(q.x - cx, q.y - cy);
        return std::abs(d - radius) > 4 && d > 6;
    };
    int checked = 0;
    for (const gfx::Point& q : p[0].cloud) {
        if (!far_from_second(q)) continue;
        ++checked;
        EXPECT_EQ(pic.at(int(q.x) + 2, int(q.y)), 0u) << q.x << ", " << q.y;
    }
    EXPECT_GT(checked, 0);
}

}  // namespace
