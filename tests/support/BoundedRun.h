// Runs a piece of work in a child process that may take only a little more address space than it had at the
// fork and is stopped by an alarm after a time limit. A reader that asks for a huge allocation, loops without
// end or crashes on a bad file then shows as an outcome the test can assert on, instead of taking the test
// machine down or passing by luck because the machine happened to have the memory.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace TestSupport
{
struct BoundedOutcome
{
    enum Kind
    {
        Finished,
        HugeAllocation,
        Threw,
        Hung,
        Crashed
    };
    Kind kind = Crashed;
    // The work's own report when it finished; the exception's text when it threw.
    std::string text;
    // The signal or exit code that ended a child that did not finish.
    int code = 0;
    // What the child wrote to its standard error (a sanitizer's report, the log's echo).
    std::string errors;

    bool HasFinished() const { return kind == Finished; }
    std::string Describe() const;
};

// Address space the work may add to what the process has at the fork.
constexpr std::size_t BoundedAddressGrowth = std::size_t(256) << 20;
constexpr unsigned BoundedSeconds = 30;
// For a child that works through a whole table of cases.
constexpr unsigned BoundedBatchSeconds = 100;

BoundedOutcome RunBounded(const std::function<std::string()>& work, unsigned seconds = BoundedSeconds,
                          std::size_t addressGrowth = BoundedAddressGrowth);
}
