// Collects benchmark times and prints ratios in the one form the benchmark script reads.
#include "bench/support/RatioReporter.h"

#include <cstdio>
#include <unistd.h>

namespace BenchSupport
{
RatioReporter::RatioReporter() : ConsoleReporter(isatty(fileno(stdout)) ? OO_Defaults : OO_Tabular) {}

void RatioReporter::ReportRuns(const std::vector<Run>& runs)
{
    for (const Run& run : runs)
    {
        if (run.run_type == Run::RT_Iteration && !run.error_occurred && run.iterations > 0)
            m_times[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
    ConsoleReporter::ReportRuns(runs);
}

double RatioReporter::TimeOf(const std::string& name) const
{
    const auto found = m_times.find(name);
    return found == m_times.end() ? -1.0 : found->second;
}

void RatioReporter::PrintRatio(const std::string& label, const std::string& measured, const std::string& reference,
                               double target) const
{
    const double ours = TimeOf(measured);
    const double theirs = TimeOf(reference);
    PrintComputedRatio(label, ours < 0.0 || theirs <= 0.0 ? -1.0 : ours / theirs, target);
}

void RatioReporter::PrintComputedRatio(const std::string& label, double ratio, double target) const
{
    if (ratio < 0.0)
        std::printf("RATIO\t%s\tnot measured\t%.2f\n", label.c_str(), target);
    else
        std::printf("RATIO\t%s\t%.4g\t%.2f\n", label.c_str(), ratio, target);
}

void RunBenchmarks(int argc, char** argv, RatioReporter& reporter)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
}
}
