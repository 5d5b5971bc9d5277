// Each program's frame (or pass), run headless from a script in its typical state and in its
// heaviest one. A case is the script that brings the program into the state, then the frames
// measured, then the key that ends it. The time of one frame is the difference of two runs,
// one with N more measured frames than the other, divided by N, so start-up (fonts, the
// setup frames) drops out. Times are the process's CPU time (user + system): the machine is
// shared, and a headless frame never waits.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "bench_report.hpp"
#include "program_run.hpp"

namespace {

// Every frame of a demo should fit well inside one 60 Hz refresh.
constexpr double kFrameTarget = 4e-3;
// A measured run long enough that the differences of two runs stand well above their noise.
constexpr double kMeasuredRun = 0.5;

using Trace = std::vector<std::vector<std::string>>;

struct FrameCase {
    std::string name;  // benchmark name: "program/state"
    std::string program;
    std::string state;                       // for the table
    std::string setup;                       // script lines before the measured frames
    std::function<std::string(int)> frames;  // script lines of n measured frames
    std::string end;                         // the line that ends the program
    std::string stdin_text;
    std::optional<std::uint32_t> seed;
    // Tells from the trace of a short run that the program really is in the state.
    std::function<bool(const Trace&)> shows_state;
    // Filled on first use.
    int count = 0;
    double baseline = 0;
};

std::string line(int x, int y, int mask, int repeat = 1) {
    std::string s = std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(mask);
    if (repeat > 1) s += " x" + std::to_string(repeat);
    return s + "\n";
}

// The pointer going round a circle, one line a frame: a drag in progress.
std::function<std::string(int)> circling(int cx, int cy, int radius, int mask) {
    return [=](int n) {
        std::string s;
        for (int i = 0; i < n; ++i) {
            const double a = 0.05 * i;
            s += line(cx + static_cast<int>(std::lround(radius * std::cos(a))),
                      cy + static_cast<int>(std::lround(radius * std::sin(a))), mask);
        }
        return s;
    };
}

std::function<std::string(int)> holding(int x, int y, int mask) {
    return [=](int n) { return line(x, y, mask, n); };
}

// One key per line: one pass of a program that waits in a blocking key read.
std::function<std::string(int)> passes(const std::string& keys) {
    return [=](int n) {
        std::string s;
        for (int i = 0; i < n; ++i) s += "0 0 0 : " + keys + "\n";
        return s;
    };
}

// --- reading the trace -------------------------------------------------------------------

bool starts(const std::string& s, const std::string& prefix) {
    return s.rfind(prefix, 0) == 0;
}

// Lines of a frame that start with `prefix` and end with `suffix` (e.g. a radius).
int count(const std::vector<std::string>& frame, const std::string& prefix,
          const std::string& suffix = "") {
    return static_cast<int>(std::count_if(frame.begin(), frame.end(), [&](const std::string& l) {
        return starts(l, prefix) && l.size() >= suffix.size() &&
               l.compare(l.size() - suffix.size(), suffix.size(), suffix) == 0;
    }));
}

// Some frame of the trace has exactly `n` such lines.
std::function<bool(const Trace&)> some_frame_has(int n, std::string prefix,
                                                 std::string suffix = "") {
    return [=](const Trace& t) {
        return std::any_of(t.begin(), t.end(),
                           [&](const auto& f) { return count(f, prefix, suffix) == n; });
    };
}
std::function<bool(const Trace&)> some_frame_has_at_least(int n, std::string prefix) {
    return [=](const Trace& t) {
        return std::any_of(t.begin(), t.end(),
                           [&](const auto& f) { return count(f, prefix) >= n; });
    };
}

// --- the states --------------------------------------------------------------------------

// `n` presses on empty space, each at least 20 pixels from every other: a jittered grid of
// 40-pixel cells taken in random order, so each new point joins the nearest edge somewhere
// along the path.
std::string path_points(int n) {
    std::vector<std::pair<int, int>> cells;
    for (int row = 0; row < 15; ++row) {
        for (int col = 0; col < 20; ++col) cells.emplace_back(col, row);
    }
    std::mt19937 g(2024);
    std::shuffle(cells.begin(), cells.end(), g);
    std::uniform_int_distribution<int> jitter(-10, 10);
    std::string s;
    for (int i = 0; i < n; ++i) {
        const int x = 20 + 40 * cells[static_cast<std::size_t>(i)].first + jitter(g);
        const int y = 20 + 40 * cells[static_cast<std::size_t>(i)].second + jitter(g);
        s += line(x, y, 1) + line(x, y, 0);
    }
    return s;
}

// The first point of path_points(n), where a press grabs a point.
std::pair<int, int> first_path_point() {
    const std::string s = path_points(1);
    int x = 0, y = 0;
    std::sscanf(s.c_str(), "%d %d", &x, &y);
    return {x, y};
}

// `n` chain points placed with the space bar over the window.
std::string chain_points(int n) {
    std::string s;
    for (int i = 0; i < n; ++i) {
        const int x = 60 + (i % 8) * 95 + (i / 8) * 20;
        const int y = 80 + (i / 8) * 140 + (i % 2) * 40;
        s += std::to_string(x) + " " + std::to_string(y) + " 0 : ' '\n";
    }
    return s;
}

// The third point dragged down across the line of the other two, in steps it can follow:
// the turning sense is reversed and nearly every grid point is outside the small circle.
std::string reversed_triangle() {
    std::string s;
    for (int y = 200; y <= 400; y += 10) s += line(450, y, 1);
    return s;
}

std::vector<FrameCase>& cases() {
    static std::vector<FrameCase> c = [] {
        std::vector<FrameCase> v;
        const auto [px, py] = first_path_point();
        // bezier_curve: n = 4 + random_int(11); seeds 1 and 4 give n = 8 and n = 14 (checked).
        v.push_back({"bezier_curve/8_points_drag", "bezier_curve", "8 points, dragging", "",
                     circling(400, 300, 150, 1), ": 'q'\n", "", 1,
                     some_frame_has(8, "circle", " 10")});
        v.push_back({"bezier_curve/14_points_drag", "bezier_curve", "14 points, dragging", "",
                     circling(400, 300, 150, 1), ": 'q'\n", "", 4,
                     some_frame_has(14, "circle", " 10")});
        v.push_back({"cubic_bezier/6_points",
                     "cubic_bezier",
                     "6 points, pointer moving",
                     chain_points(6),
                     circling(400, 300, 250, 0),
                     ": 27\n",
                     "",
                     {},
                     some_frame_has(6, "circle", " 4")});
        v.push_back({"cubic_bezier/32_points_drag",
                     "cubic_bezier",
                     "32 points, dragging",
                     chain_points(32),
                     circling(400, 300, 250, 1),
                     ": 27\n",
                     "",
                     {},
                     some_frame_has(32, "circle", " 4")});
        v.push_back({"bezier_path/12_points_drag",
                     "bezier_path",
                     "12 points, construction, dragging",
                     path_points(12) + line(px, py, 1),
                     circling(px, py, 30, 1),
                     ": 27\n",
                     "",
                     {},
                     some_frame_has(12, "circle", " 3")});
        v.push_back({"bezier_path/258_construction_drag",
                     "bezier_path",
                     "258 points, construction, dragging",
                     path_points(258) + line(px, py, 1),
                     circling(px, py, 30, 1),
                     ": 27\n",
                     "",
                     {},
                     some_frame_has(258, "circle", " 3")});
        v.push_back({"bezier_path/258_road",
                     "bezier_path",
                     "258 points, road view, button held",
                     path_points(258),
                     holding(400, 300, 2),
                     ": 27\n",
                     "",
                     {},
                     some_frame_has(258 * 512, "circle", " 28")});
        v.push_back({"bezier_eight/drag",
                     "bezier_eight",
                     "8 points, dragging",
                     "",
                     circling(400, 300, 150, 1),
                     ": 'q'\n",
                     "",
                     {},
                     some_frame_has(8, "circle", " 2")});
        v.push_back({"bspline_curve/drag",
                     "bspline_curve",
                     "8 points, dragging",
                     "",
                     circling(400, 300, 150, 1),
                     ": 'q'\n",
                     "",
                     {},
                     some_frame_has(100, "circle", " 3")});
        v.push_back({"bspline/drag",
                     "bspline",
                     "10 points, dragging, marker running",
                     "",
                     circling(400, 300, 150, 1),
                     ": 'q'\n",
                     "",
                     {},
                     some_frame_has(1, "circle", " 40")});
        v.push_back({"circle_three_points/start",
                     "circle_three_points",
                     "start, pointer moving (766 grid points lit)",
                     "",
                     circling(400, 300, 150, 0),
                     ": 'q'\n",
                     "",
                     {},
                     some_frame_has(766, "pixel")});
        v.push_back({"circle_three_points/reversed",
                     "circle_three_points",
                     "reversed turning sense (~29 000 grid points lit)",
                     reversed_triangle(),
                     holding(450, 400, 0),
                     ": 'q'\n",
                     "",
                     {},
                     some_frame_has_at_least(28000, "pixel")});
        v.push_back({"circle_fit/29_points", "circle_fit", "29 points, one pass (two keys)", "",
                     passes("'a' 'a'"), "0 0 0 : 'a' 27\n", "", 4,
                     some_frame_has(29, "circle", " 2")});
        v.push_back({"lagrange_interpolation/pass", "lagrange_interpolation", "10 points, one pass",
                     "", passes("'a'"), "0 0 0 : 27\n", "", 1, some_frame_has(10, "circle", " 2")});
        v.push_back({"regression/linear_100", "regression", "linear, 100 pairs, one pass", "",
                     passes("'a'"), "0 0 0 : 27\n", "1\n100\n", 1,
                     some_frame_has(100, "circle", " 2")});
        const char* models[] = {"linear", "hyperbolic", "power", "exponential", "parabolic"};
        for (int m = 1; m <= 5; ++m) {
            const std::string model = models[m - 1];
            v.push_back({"regression/" + model + "_100000", "regression",
                         model + ", 100 000 pairs, one pass", "", passes("'a'"), "0 0 0 : 27\n",
                         std::to_string(m) + "\n100000\n", 1,
                         some_frame_has(100000, "circle", " 2")});
        }
        return v;
    }();
    return c;
}

std::string script(const FrameCase& c, int measured) {
    return c.setup + c.frames(measured) + c.end;
}

bench::RunResult run(const FrameCase& c, int measured, bool trace = false) {
    return bench::run_program(c.program, {script(c, measured), c.stdin_text, c.seed, trace});
}

double median_cpu(const FrameCase& c, int measured, int runs) {
    std::vector<double> t;
    for (int i = 0; i < runs; ++i) t.push_back(run(c, measured).cpu_seconds);
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

// Checks the state, measures the run without the extra frames and picks how many to add.
std::string prepare(FrameCase& c) {
    const bench::RunResult check = run(c, 2, true);
    if (check.exit_code != 0)
        return "the script ended with exit code " + std::to_string(check.exit_code);
    if (!c.shows_state(check.frames)) return "the trace does not show the state " + c.state;
    c.baseline = median_cpu(c, 1, 3);
    constexpr int kProbe = 10;
    const double probe = std::max(run(c, 1 + kProbe).cpu_seconds - c.baseline, 1e-6) / kProbe;
    c.count = std::clamp(static_cast<int>(kMeasuredRun / probe), 10, 5000);
    return "";
}

void frame_bench(benchmark::State& st, FrameCase* c) {
    if (c->count == 0) {
        const std::string problem = prepare(*c);
        if (!problem.empty()) {
            st.SkipWithError(problem.c_str());
            for (auto _ : st) {
            }
            return;
        }
    }
    for (auto _ : st) {
        const bench::RunResult r = run(*c, 1 + c->count);
        if (r.exit_code != 0) {
            st.SkipWithError(("exit code " + std::to_string(r.exit_code)).c_str());
            break;
        }
        st.SetIterationTime(std::max(r.cpu_seconds - c->baseline, 0.0) / c->count);
    }
    st.counters["frames"] = c->count;
}

std::string table(const std::vector<bench::Result>& res) {
    std::string out = "| program | state | ms per frame | target 4 ms |\n|---|---|--:|---|\n";
    for (const FrameCase& c : cases()) {
        const double t = bench::seconds_of(res, c.name);
        char ms[32] = "";
        if (t >= 0) std::snprintf(ms, sizeof ms, "%.3f", t * 1e3);
        out += "| `" + c.program + "` | " + c.state + " | " + ms + " | " +
               (t < 0               ? "not run"
                : t <= kFrameTarget ? "met"
                                    : "**not met**") +
               " |\n";
    }
    return out;
}

int export_cases(const std::string& dir) {
    for (const FrameCase& c : cases()) {
        std::string leaf = c.name;
        std::replace(leaf.begin(), leaf.end(), '/', '_');
        const std::filesystem::path d = std::filesystem::path(dir) / leaf;
        std::filesystem::create_directories(d);
        auto put = [&](const char* name, const std::string& text) {
            std::ofstream(d / name) << text;
        };
        put("program", c.program + "\n");
        put("script", script(c, 100));
        put("stdin", c.stdin_text);
        put("seed", c.seed ? std::to_string(*c.seed) + "\n" : "");
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // --export=DIR writes each case with 100 measured frames as DIR/<program>_<state>/ with
    // the files program, script, stdin and seed (empty when none): to profile a case or to
    // compare the pictures of two builds (bench/same_pixels.sh).
    constexpr std::string_view kExportFlag = "--export=";
    if (argc == 2 && std::string_view(argv[1]).substr(0, kExportFlag.size()) == kExportFlag) {
        return export_cases(std::string(argv[1] + kExportFlag.size()));
    }
    for (FrameCase& c : cases()) {
        benchmark::RegisterBenchmark(c.name.c_str(), frame_bench, &c)
            ->Iterations(1)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    }
    std::string table_file;
    const auto results = bench::run_benchmarks(argc, argv, table_file);
    bench::emit_table(table(results), table_file);
    return 0;
}
