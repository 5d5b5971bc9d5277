// Input storms: every program gets 20 000 frames of seeded random mouse positions (also far
// outside the window), button masks, key bytes and special keys, then its end key. It must
// end with exit code 0: no crash, no sanitizer report, no hang (the script would run out: 3).
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "run_headless.hpp"

namespace {

constexpr int kFrames = 20000;

enum class Ends {
    AnyKey,  // any key ends it: the storm carries no keys but the last one
    Esc,     // Esc (or a special key whose code is 27) ends it: the storm avoids 27
};

struct Storm {
    const char* program;
    Ends ends;
    double key_chance;  // per frame
    const char* stdin_text;
};

class Rng {
  public:
    explicit Rng(unsigned seed) : gen_(seed) {}
    int in(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(gen_); }
    bool chance(double p) { return std::bernoulli_distribution(p)(gen_); }

    int coordinate(int size) {
        const int pick = in(0, 19);
        if (pick == 0) return in(-32768, 65535);  // anywhere in 16 bits
        if (pick == 1) return in(-200, -1);       // just outside, dragged off the window
        if (pick == 2) return in(size, size + 200);
        return in(0, size - 1);
    }
    int mask() {
        static constexpr int kMasks[] = {0, 0, 0, 0, 1,  1,  1,  1,  2, 3,
                                         4, 5, 8, 9, 16, 17, 24, 25, 6, 7};
        if (chance(0.02)) return in(0, 65535);
        return kMasks[in(0, static_cast<int>(std::size(kMasks)) - 1)];
    }
    // A key that does not end an Esc program: a byte, or a special key with its code.
    std::string key() {
        std::ostringstream out;
        if (chance(0.25)) {
            int code = in(1, 255);
            if (code == 27) code = 72;
            out << "0 " << code;
        } else {
            int b = chance(0.3) ? 32 : in(1, 255);
            if (b == 27) b = 13;
            out << b;
        }
        return out.str();
    }

  private:
    std::mt19937 gen_;
};

std::string frame(int x, int y, int mask, const std::string& keys = "") {
    std::ostringstream out;
    out << x << ' ' << y << ' ' << mask;
    if (!keys.empty()) out << " : " << keys;
    out << '\n';
    return out.str();
}

std::string storm_script(const Storm& s, unsigned seed) {
    Rng rng(seed);
    std::string script;
    for (int i = 0; i < kFrames; ++i) {
        std::string keys;
        if (s.ends == Ends::Esc && rng.chance(s.key_chance)) keys = rng.key();
        script += frame(rng.coordinate(800), rng.coordinate(600), rng.mask(), keys);
    }
    if (s.ends == Ends::AnyKey) {
        script += frame(400, 300, 0, rng.chance(0.5) ? "0 59" : "'q'");
    } else {
        script += frame(400, 300, 0, "27 27");
    }
    return script;
}

class StormTest : public ::testing::TestWithParam<Storm> {};

TEST_P(StormTest, SurvivesRandomInputAndEndsOnItsKey) {
    const Storm& s = GetParam();
    const auto run = demo_test::run_headless(s.program, {.script = storm_script(s, 20261211u),
                                                         .seed = 99,
                                                         .stdin_text = s.stdin_text,
                                                         .trace = false});
    EXPECT_EQ(run.exit_code, 0) << run.stderr_text.substr(0, 4000);
    EXPECT_EQ(run.stderr_text.find("runtime error"), std::string::npos)
        << run.stderr_text.substr(0, 4000);
}

INSTANTIATE_TEST_SUITE_P(Programs, StormTest,
                         ::testing::Values(Storm{"bezier_curve", Ends::AnyKey, 0, ""},
                                           Storm{"cubic_bezier", Ends::Esc, 0.05, ""},
                                           Storm{"bezier_eight", Ends::AnyKey, 0, ""},
                                           Storm{"bspline_curve", Ends::AnyKey, 0, ""},
                                           Storm{"bspline", Ends::AnyKey, 0, ""},
                                           Storm{"circle_three_points", Ends::AnyKey, 0, ""},
                                           Storm{"circle_fit", Ends::Esc, 0.9, ""},
                                           Storm{"lagrange_interpolation", Ends::Esc, 0.9, ""},
                                           Storm{"regression", Ends::Esc, 0.9, "4\n700\n"}),
                         [](const ::testing::TestParamInfo<Storm>& p) {
                             return std::string(p.param.program);
                         });

// The path editor: filled to its 258 points, emptied again by dropping points onto their
// neighbours, then the random storm. The road view (every drawn frame 512 circles per
// segment) is toggled only a few times so the run stays short.
std::string path_storm_script(unsigned seed) {
    Rng rng(seed);
    std::string script;
    std::vector<std::pair<int, int>> spots;
    for (int y = 20; y < 600 && spots.size() < 260; y += 30) {
        for (int x = 20; x < 800 && spots.size() < 260; x += 30) spots.push_back({x, y});
    }
    // Fill: a press on empty space inserts a point; the two extra presses find the table full.
    for (const auto& [x, y] : spots) {
        script += frame(x, y, 1);
        script += frame(x, y, 0);
    }
    // Empty: grab each point and drop it on the next one, which removes it.
    for (std::size_t i = 0; i + 1 < 258; ++i) {
        script += frame(spots[i].first, spots[i].second, 1);
        script += frame(spots[i + 1].first, spots[i + 1].second, 1);
        script += frame(spots[i + 1].first, spots[i + 1].second, 0);
    }
    const int frames = kFrames - static_cast<int>(std::count(script.begin(), script.end(), '\n'));
    for (int i = 0; i < frames; ++i) {
        int mask = rng.mask();
        if (mask == 2) mask = 3;  // the view changes only in the episodes below
        if (i % 4000 == 2000) {
            // A short visit to the road view: the right button alone toggles it on, a few drawn
            // frames, then the right button alone again toggles it off.
            script += frame(rng.coordinate(800), rng.coordinate(600), 2);
            script += frame(rng.coordinate(800), rng.coordinate(600), 3);
            script += frame(rng.coordinate(800), rng.coordinate(600), 0);
            script += frame(rng.coordinate(800), rng.coordinate(600), 2);
        }
        const std::string keys = rng.chance(0.05) ? rng.key() : "";
        script += frame(rng.coordinate(800), rng.coordinate(600), mask, keys);
    }
    script += frame(400, 300, 0, "27");
    return script;
}

TEST(PathStorm, FillsEmptiesAndSurvivesRandomInput) {
    const auto run =
        demo_test::run_headless("bezier_path", {.script = path_storm_script(7), .trace = false});
    EXPECT_EQ(run.exit_code, 0) << run.stderr_text.substr(0, 4000);
}

}  // namespace
