// Walks a resource list the way the game's data keeper does (groups joined by "/", loops with counters and
// %i2% widths, "resources" and empty names adding nothing) and lists what it would register.
#pragma once

#include <string>
#include <vector>

namespace DataTest
{
struct ListedResource
{
    std::string kind; // model, shader, particles
    std::string name; // "bat/fragments/head/03"
    std::vector<std::string> files; // below data/, with "/"; "32bit" opacities left out
};

// folder: the list's folder below data/ ("game_objects"), which its file names are relative to.
std::vector<ListedResource> WalkResourceList(const std::string& bytes, const std::string& folder,
                                             const std::string& origin);
}
