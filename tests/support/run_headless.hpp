// Runs a demo under the headless backend with a script, and reads back what it drew.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "types.hpp"

namespace demo_test {

struct HeadlessOptions {
    std::string script;                 // the input script, one frame per line
    std::optional<std::uint32_t> seed;  // fixed seed for seed_random
    std::string png_frames;             // e.g. "1,5,end": pictures of the visual page
    std::string stdin_text;             // fed to the program's standard input
    bool trace = true;                  // write the trace of drawing operations
};

struct HeadlessRun {
    int exit_code = -1;                            // the program's exit code (or 128 + signal)
    std::vector<std::vector<std::string>> frames;  // trace lines per frame; [0] before frame 1
    std::string dir;  // where the PNGs are: dir/frame_00005.png, dir/end.png
    std::string stdout_text;
    std::string stderr_text;
};

// The exit code of a run whose script was used up while the program still wanted input.
constexpr int kScriptExhausted = 3;

// `program` is the demo's name; it is found in $DEMO_BIN_DIR.
HeadlessRun run_headless(const std::string& program, const HeadlessOptions& options);

// Splits a trace line into its words; a quoted text stays one word, without its quotes.
std::vector<std::string> words(const std::string& line);

// One drawing operation of a trace line: its name, its numbers, and the quoted text of
// "text" and "window".
struct Op {
    std::string name;
    std::vector<double> args;
    std::string text;
};
std::vector<Op> ops(const std::vector<std::string>& frame);

// A PNG written by the headless backend as palette indices mapped to RGB: width x height x 3.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
    std::uint32_t at(int x, int y) const;  // 0xRRGGBB
};
Picture read_png(const std::string& path);

// The 0xRRGGBB a colour is shown as in a picture: its nearest palette entry.
std::uint32_t shown_rgb(gfx::Colour c);

}  // namespace demo_test
