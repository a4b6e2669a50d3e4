// Bounded child processes: an address-space limit, an alarm, and the work's report sent back through a pipe.
#include "tests/support/BoundedRun.h"

#include <csignal>
#include <cstdio>
#include <exception>
#include <fstream>
#include <new>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace TestSupport
{
namespace
{
// Exit codes of the child besides 0 for a finished work.
constexpr int kOutOfMemory = 97;
constexpr int kThrew = 98;

std::size_t CurrentAddressSpace()
{
    std::ifstream statm("/proc/self/statm");
    std::size_t pages = 0;
    statm >> pages;
    return pages * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
}

void WriteAll(int fd, const std::string& text)
{
    size_t sent = 0;
    while (sent < text.size())
    {
        const ssize_t wrote = ::write(fd, text.data() + sent, text.size() - sent);
        if (wrote <= 0)
            return;
        sent += static_cast<size_t>(wrote);
    }
}

[[noreturn]] void RunChild(int fd, const std::function<std::string()>& work, unsigned seconds, std::size_t growth)
{
    const rlim_t bound = CurrentAddressSpace() + growth;
    const rlimit limit{bound, bound};
    ::setrlimit(RLIMIT_AS, &limit);
    ::alarm(seconds);
    int code = 0;
    try
    {
        WriteAll(fd, work());
    }
    catch (const std::bad_alloc&)
    {
        code = kOutOfMemory;
    }
    catch (const std::exception& error)
    {
        WriteAll(fd, error.what());
        code = kThrew;
    }
    catch (...)
    {
        code = kThrew;
    }
    ::close(fd);
    ::_exit(code);
}

std::string ReadAll(int fd)
{
    std::string text;
    char buffer[4096];
    for (;;)
    {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got <= 0)
            return text;
        text.append(buffer, static_cast<size_t>(got));
    }
}

std::string ReadBack(std::FILE* file)
{
    std::string text;
    std::rewind(file);
    char buffer[4096];
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        text.append(buffer, got);
    return text;
}

// A sanitizer refuses an allocation beyond the address-space limit with a report of its own instead of
// std::bad_alloc; its words tell that case from the sanitizer's other findings.
bool SanitizerRanOutOfMemory(const std::string& errors)
{
    for (const char* words : {"out of memory", "allocation-size-too-big", "exceeds maximum supported size"})
        if (errors.find(words) != std::string::npos)
            return true;
    return false;
}

BoundedOutcome OutcomeOf(int status, std::string text, const std::string& errors)
{
    BoundedOutcome outcome;
    outcome.text = std::move(text);
    outcome.errors = errors;
    if (WIFSIGNALED(status))
    {
        outcome.code = WTERMSIG(status);
        outcome.kind = outcome.code == SIGALRM ? BoundedOutcome::Hung : BoundedOutcome::Crashed;
        return outcome;
    }
    outcome.code = WEXITSTATUS(status);
    switch (outcome.code)
    {
    case 0:
        outcome.kind = BoundedOutcome::Finished;
        break;
    case kOutOfMemory:
        outcome.kind = BoundedOutcome::HugeAllocation;
        break;
    case kThrew:
        outcome.kind = BoundedOutcome::Threw;
        break;
    default:
        outcome.kind = SanitizerRanOutOfMemory(errors) ? BoundedOutcome::HugeAllocation : BoundedOutcome::Crashed;
        break;
    }
    return outcome;
}
}

std::string BoundedOutcome::Describe() const
{
    switch (kind)
    {
    case Finished:
        return "finished: " + text;
    case HugeAllocation:
        return "asked for more memory than its bound";
    case Threw:
        return "threw: " + text;
    case Hung:
        return "did not finish in time";
    case Crashed:
        break;
    }
    // The end of the errors holds the sanitizer's report and the name of the case that was running.
    constexpr size_t kShownErrors = 4000;
    const size_t shownFrom = errors.size() > kShownErrors ? errors.size() - kShownErrors : 0;
    return "crashed (signal or exit code " + std::to_string(code) + ")\n" + errors.substr(shownFrom);
}

BoundedOutcome RunBounded(const std::function<std::string()>& work, unsigned seconds, std::size_t addressGrowth)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return {BoundedOutcome::Crashed, "no pipe", -1, ""};
    std::FILE* errors = std::tmpfile();
    const pid_t child = ::fork();
    if (child == 0)
    {
        if (errors)
            ::dup2(::fileno(errors), STDERR_FILENO);
        ::close(fds[0]);
        RunChild(fds[1], work, seconds, addressGrowth);
    }
    ::close(fds[1]);
    if (child < 0)
    {
        ::close(fds[0]);
        if (errors)
            std::fclose(errors);
        return {BoundedOutcome::Crashed, "no fork", -1, ""};
    }
    std::string text = ReadAll(fds[0]);
    ::close(fds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    const std::string written = errors ? ReadBack(errors) : std::string();
    if (errors)
        std::fclose(errors);
    return OutcomeOf(status, std::move(text), written);
}
}
