// The shared call journal of the platform twins.
#include "tests/support/EngineCallJournal.h"

#include <atomic>

namespace TestSupport
{
namespace
{
std::atomic<EngineCallJournal*> g_journal{nullptr};

bool StartsWith(const std::string& text, const std::string& prefix) { return text.compare(0, prefix.size(), prefix) == 0; }
}

EngineCallJournal::EngineCallJournal() { g_journal.store(this); }

EngineCallJournal::~EngineCallJournal() { g_journal.store(nullptr); }

void EngineCallJournal::Note(const std::string& call)
{
    if (EngineCallJournal* journal = g_journal.load())
        journal->Add(call);
}

void EngineCallJournal::Add(const std::string& call)
{
    const std::lock_guard lock(m_mutex);
    m_calls.push_back(call);
}

std::vector<std::string> EngineCallJournal::Calls() const
{
    const std::lock_guard lock(m_mutex);
    return m_calls;
}

void EngineCallJournal::Clear()
{
    const std::lock_guard lock(m_mutex);
    m_calls.clear();
}

int EngineCallJournal::Find(const std::string& prefix, int from) const
{
    const std::lock_guard lock(m_mutex);
    for (int i = from < 0 ? 0 : from; i < static_cast<int>(m_calls.size()); ++i)
        if (StartsWith(m_calls[static_cast<size_t>(i)], prefix))
            return i;
    return -1;
}

int EngineCallJournal::Count(const std::string& prefix) const
{
    const std::lock_guard lock(m_mutex);
    int count = 0;
    for (const std::string& call : m_calls)
        count += StartsWith(call, prefix) ? 1 : 0;
    return count;
}
}
