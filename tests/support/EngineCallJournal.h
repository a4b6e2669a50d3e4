// One ordered list of the calls that reach the recording twins of the platform layers (window backend,
// Direct3D 7 driver, DirectInput, sound device, clock), so a test can see in which order the engine's steps
// reached different layers. The twins note their calls here only while a journal lives.
#pragma once

#include <mutex>
#include <string>
#include <vector>

namespace TestSupport
{
class EngineCallJournal
{
public:
    EngineCallJournal();
    ~EngineCallJournal();

    EngineCallJournal(const EngineCallJournal&) = delete;
    EngineCallJournal& operator=(const EngineCallJournal&) = delete;

    // Called by the twins; does nothing while no journal lives.
    static void Note(const std::string& call);

    std::vector<std::string> Calls() const;
    void Clear();
    // Position of the first call at or after `from` that begins with the text; -1 when there is none.
    int Find(const std::string& prefix, int from = 0) const;
    int Count(const std::string& prefix) const;

private:
    void Add(const std::string& call);

    mutable std::mutex m_mutex;
    std::vector<std::string> m_calls;
};
}
