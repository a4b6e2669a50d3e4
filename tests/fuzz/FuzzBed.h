// What the fuzz targets of the game's binary readers share: one engine on the platform twins for the whole
// run, with a temporary folder as its base, and the input written there as the file a reader opens.
#pragma once

#include "engine/core/Engine.h"
#include "tests/support/EngineTestBed.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace FuzzBed
{
inline TestSupport::EngineTestBed& Bed()
{
    static TestSupport::EngineTestBed* bed = [] {
        auto* made = new TestSupport::EngineTestBed();
        made->parameters.writeLog = 0;
        made->Start();
        return made;
    }();
    return *bed;
}

inline VelkorEngine::Engine& Engine() { return Bed().GetEngine(); }
inline std::string Folder() { return Bed().folder.Path(); }

// Writes the input as a file below the bed's folder, making its folders.
inline void WriteInput(const std::string& name, const std::uint8_t* data, std::size_t size)
{
    const std::string path = Bed().folder / name;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    Bed().folder.WriteFile(name, std::string(reinterpret_cast<const char*>(data), size));
}

inline std::string ReadBack(const std::string& name) { return Bed().folder.ReadFile(name); }
}
