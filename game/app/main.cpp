// The process entry: the loader runs the whole game; the shell learns whether it ended normally.
#include "game/app/GameLoader.h"

#include <cstdio>
#include <exception>
#include <string>

namespace
{
// The show flag a program gets when it is started in the usual way.
constexpr VelkorEngine::i32 ShowNormal = 1;

std::string CommandLine(int argumentCount, char** arguments)
{
    std::string line;
    for (int i = 1; i < argumentCount; ++i)
        line += (i > 1 ? " " : "") + std::string(arguments[i]);
    return line;
}
}

int main(int argumentCount, char** arguments)
{
    try
    {
        const Korvane::GameLoader loader(nullptr, nullptr, CommandLine(argumentCount, arguments), ShowNormal);
        return loader.GetExitCode();
    }
    catch (const std::exception& error)
    {
        std::fprintf(stderr, "Fatal Error: %s\n", error.what());
    }
    catch (...)
    {
        std::fprintf(stderr, "Fatal Error: Unhandled exception!\n");
    }
    return GameFramework::GameLoaderBase::ExitFailed;
}
