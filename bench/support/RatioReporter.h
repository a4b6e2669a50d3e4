// A console reporter that keeps each benchmark's real time per iteration, so a program can print the ratio of
// its own code against the reference it measured in the same run. With --benchmark_repetitions a benchmark's
// time is the median of its repetitions (or the median the library reports when only aggregates are shown).
// Ratio lines have one fixed form that bench/run-all.sh gathers into one table:
// "RATIO<TAB>label<TAB>value<TAB>target". Measures (a rate, a time, a size) go into a second table beside their
// references: "MEASURE<TAB>label<TAB>value<TAB>unit<TAB>reference<TAB>reference value<TAB>lowest acceptable".
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace BenchSupport
{
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    // Colours only on a terminal: a file or pipe gets plain lines that bench/run-all.sh can read.
    RatioReporter();

    void ReportRuns(const std::vector<Run>& runs) override;

    // Real time per iteration of a finished benchmark, by its name; negative when it did not run.
    double TimeOf(const std::string& name) const;
    // The median of some values; negative for none.
    static double Median(std::vector<double> values);
    // Prints measured / reference; target is the largest acceptable ratio (0 for none).
    void PrintRatio(const std::string& label, const std::string& measured, const std::string& reference,
                    double target) const;
    // Prints a ratio the program worked out against a reference that is no benchmark of this run (the length
    // of the audio mixed, a frame's time budget); a negative ratio was not measured.
    void PrintComputedRatio(const std::string& label, double ratio, double target) const;
    // Prints a value in its unit beside the reference measured in the same run; lowest is the smallest
    // acceptable value (0 for none). A negative value or reference was not measured.
    void PrintMeasure(const std::string& label, double value, const std::string& unit, const std::string& reference,
                      double referenceValue, double lowest) const;

private:
    std::map<std::string, std::vector<double>> m_times;
    std::map<std::string, double> m_reportedMedians;
};

// Runs the registered benchmarks through the reporter; the caller prints its ratios afterwards.
void RunBenchmarks(int argc, char** argv, RatioReporter& reporter);
}
