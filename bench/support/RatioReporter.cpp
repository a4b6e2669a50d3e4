// Collects benchmark times and prints ratios in the one form the benchmark script reads.
#include "bench/support/RatioReporter.h"

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace BenchSupport
{
RatioReporter::RatioReporter() : ConsoleReporter(isatty(fileno(stdout)) ? OO_Defaults : OO_Tabular) {}

namespace
{
// Repetitions asked for in the code add "/repeats:N" to the name; the ratios name benchmarks without it.
std::string WithoutRepeats(std::string name)
{
    const size_t repeats = name.find("/repeats:");
    if (repeats == std::string::npos)
        return name;
    const size_t end = name.find('/', repeats + 1);
    return name.erase(repeats, end == std::string::npos ? std::string::npos : end - repeats);
}
}

void RatioReporter::ReportRuns(const std::vector<Run>& runs)
{
    for (const Run& run : runs)
    {
        if (run.error_occurred || (run.run_type == Run::RT_Iteration && run.iterations <= 0))
            continue;
        const std::string name = WithoutRepeats(run.run_name.str());
        if (run.run_type == Run::RT_Iteration)
            m_times[name].push_back(run.GetAdjustedRealTime());
        else if (run.aggregate_name == "median")
            m_reportedMedians[name] = run.GetAdjustedRealTime();
    }
    ConsoleReporter::ReportRuns(runs);
}

double RatioReporter::Median(std::vector<double> values)
{
    if (values.empty())
        return -1.0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

double RatioReporter::TimeOf(const std::string& name) const
{
    const auto times = m_times.find(name);
    if (times != m_times.end())
        return Median(times->second);
    const auto reported = m_reportedMedians.find(name);
    return reported == m_reportedMedians.end() ? -1.0 : reported->second;
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

void RatioReporter::PrintMeasure(const std::string& label, double value, const std::string& unit,
                                 const std::string& reference, double referenceValue, double lowest) const
{
    const auto shown = [](double number) {
        return number < 0.0 ? std::string("not measured") : std::to_string(number);
    };
    std::printf("MEASURE\t%s\t%s\t%s\t%s\t%s\t%.2f\n", label.c_str(), shown(value).c_str(), unit.c_str(),
                reference.c_str(), shown(referenceValue).c_str(), lowest);
}

void RunBenchmarks(int argc, char** argv, RatioReporter& reporter)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
}
}
