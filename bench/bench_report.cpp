#include "bench_report.hpp"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string_view>

namespace bench {
namespace {

// The console output as usual, and the medians kept. Without repetitions a benchmark has no
// aggregate, so its single run stands for the median.
class MedianCollector final : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            const bool median = r.run_type == Run::RT_Aggregate && r.aggregate_name == "median";
            const bool single = r.run_type == Run::RT_Iteration && r.repetitions <= 1;
            if (!median && !single) continue;
            if (r.error_occurred || r.aggregate_unit != benchmark::StatisticUnit::kTime) continue;
            const double per_second = benchmark::GetTimeUnitMultiplier(r.time_unit);
            const double t = r.run_name.time_type == "manual_time" ? r.GetAdjustedRealTime()
                                                                   : r.GetAdjustedCPUTime();
            results.push_back({r.run_name.function_name, t / per_second});
        }
    }
    std::vector<Result> results;
};

}  // namespace

std::vector<Result> run_benchmarks(int argc, char** argv, std::string& table_file) {
    constexpr std::string_view kTableFlag = "--table=";
    // Medians of five runs unless the command line asks otherwise (later flags win).
    static std::string repetitions = "--benchmark_repetitions=5";
    static std::string aggregates = "--benchmark_report_aggregates_only=true";
    std::vector<char*> args{argv[0], repetitions.data(), aggregates.data()};
    for (int i = 1; i < argc; ++i) {
        const std::string_view a(argv[i]);
        if (a.substr(0, kTableFlag.size()) == kTableFlag) {
            table_file = std::string(a.substr(kTableFlag.size()));
        } else {
            args.push_back(argv[i]);
        }
    }
    int n = static_cast<int>(args.size());
    args.push_back(nullptr);
    benchmark::Initialize(&n, args.data());
    if (benchmark::ReportUnrecognizedArguments(n, args.data())) std::exit(2);
    MedianCollector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    benchmark::Shutdown();
    return collector.results;
}

double seconds_of(const std::vector<Result>& results, const std::string& name) {
    for (const Result& r : results) {
        if (r.name == name) return r.seconds;
    }
    return -1;
}

void emit_table(const std::string& table, const std::string& file) {
    std::fputs("\n", stdout);
    std::fputs(table.c_str(), stdout);
    if (file.empty()) return;
    std::ofstream out(file);
    out << table;
    if (!out) std::fprintf(stderr, "bench: cannot write %s\n", file.c_str());
}

}  // namespace bench
