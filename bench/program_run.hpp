// Runs a demo as its own process under the headless backend and measures it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace bench {

struct RunInput {
    std::string script;                 // the headless input script
    std::string stdin_text;             // the program's standard input
    std::optional<std::uint32_t> seed;  // GFX_SEED
    bool trace = false;                 // write the trace of drawing operations
};

struct RunResult {
    int exit_code = -1;      // 128 + signal when it was killed
    double cpu_seconds = 0;  // user + system time of the process
    double wall_seconds = 0;
    std::vector<std::vector<std::string>> frames;  // trace lines per frame ([0] before frame 1)
};

// `program` is found beside this executable.
RunResult run_program(const std::string& program, const RunInput& in);

}  // namespace bench
