// Runs the registered benchmarks and hands back the median time of each, for the tables.
#pragma once

#include <string>
#include <vector>

namespace bench {

struct Result {
    std::string name;    // as registered: "row/column"
    double seconds = 0;  // median per iteration: CPU time, or the manual time where one is set
};

// Runs Google Benchmark with its usual console output and flags. `--table=FILE` (taken out
// before Google Benchmark sees the arguments) names where main writes its table.
std::vector<Result> run_benchmarks(int argc, char** argv, std::string& table_file);

// The median of `name`, or a negative value when it did not run (filtered out).
double seconds_of(const std::vector<Result>& results, const std::string& name);

// Prints the table to standard output and, when `file` is not empty, writes it there too.
void emit_table(const std::string& table, const std::string& file);

}  // namespace bench
