// Bounded child processes: an address-space limit, an alarm, and the work's report sent back through a pipe.
#include "tests/support/BoundedRun.h"

#include <csignal>
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

BoundedOutcome OutcomeOf(int status, std::string text)
{
    BoundedOutcome outcome;
    outcome.text = std::move(text);
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
        // A sanitizer that ran out of address space ends the child with its own exit code.
        outcome.kind = BoundedOutcome::Crashed;
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
    return "crashed (signal or exit code " + std::to_string(code) + ")";
}

BoundedOutcome RunBounded(const std::function<std::string()>& work, unsigned seconds, std::size_t addressGrowth)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return {BoundedOutcome::Crashed, "no pipe", -1};
    const pid_t child = ::fork();
    if (child == 0)
    {
        ::close(fds[0]);
        RunChild(fds[1], work, seconds, addressGrowth);
    }
    ::close(fds[1]);
    if (child < 0)
    {
        ::close(fds[0]);
        return {BoundedOutcome::Crashed, "no fork", -1};
    }
    std::string text = ReadAll(fds[0]);
    ::close(fds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return OutcomeOf(status, std::move(text));
}
}
