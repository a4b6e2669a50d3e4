// The high-score table and its file.
#include "framework/HighScoresTable.h"

#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/files/FileBinary.h"
#include "framework/BinaryDataFile.h"
#include "framework/BinaryFields.h"

#include <algorithm>
#include <limits>

namespace GameFramework
{
using VelkorEngine::FileError;

namespace
{
constexpr u32 kLastSequence = std::numeric_limits<u32>::max();
}

HighScoresTable::HighScoresTable(VelkorEngine::Engine* engine, u32 limit, const std::string& userDataFolder)
    : m_log(engine->GetMessageManager()), m_file(std::make_unique<GameTools::BinaryDataFile>(engine, Magic, Version)),
      m_limit(limit),
      m_userDataFolder(userDataFolder)
{
    Load();
}

HighScoresTable::~HighScoresTable() = default;

std::string HighScoresTable::FilePath() const
{
    return m_userDataFolder + "\\" + FileName;
}

void HighScoresTable::Load()
{
    try
    {
        m_file->Open(FilePath(), 0);
        ReadBody();
        m_file->Close();
    }
    catch (const FileError&)
    {
        m_file->Close();
        Clear();
    }
}

void HighScoresTable::ReadBody()
{
    VelkorEngine::FileBinary& file = *m_file->GetFile();
    const u32 storedNext = GameTools::ReadU32(file);
    const u32 count = GameTools::ReadU32(file);
    u32 largestSequence = 0;
    for (u32 i = 0; i < count; ++i)
    {
        auto entry = std::make_unique<HighScoreEntry>();
        file.ReadWideString(entry->name);
        // A file may hold one unit more than a save can write back.
        entry->name = GameTools::CapStoredName(entry->name);
        entry->category = GameTools::ReadU32(file);
        entry->score = GameTools::ReadU32(file);
        entry->sequence = GameTools::ReadU32(file);
        largestSequence = std::max(largestSequence, entry->sequence);
        m_entries.push_back(std::move(entry));
    }
    // A stored counter at or below a stored sequence would hand out that number again and break the order; past
    // the largest number there is none left, and the next result renumbers the table first.
    if (largestSequence == kLastSequence)
        m_nextSequence = kLastSequence;
    else
        m_nextSequence = m_entries.empty() ? storedNext : std::max(storedNext, largestSequence + 1);
}

HighScoreEntry* HighScoresTable::Add(const std::wstring& name, u32 category, u32 score)
{
    auto owned = std::make_unique<HighScoreEntry>();
    HighScoreEntry* entry = owned.get();
    entry->name = GameTools::CapStoredName(name);
    entry->category = category;
    entry->score = score;
    if (m_nextSequence == kLastSequence)
        Renumber();
    entry->sequence = m_nextSequence++;
    m_entries.push_back(std::move(owned));
    Sort();
    const bool kept = Trim(category, entry);
    Save();
    return kept ? entry : nullptr;
}

// The numbers only order the results, so when they run out the stored ones start again from 0 in their order.
void HighScoresTable::Renumber()
{
    std::stable_sort(m_entries.begin(), m_entries.end(),
                     [](const auto& a, const auto& b) { return a->sequence < b->sequence; });
    m_nextSequence = 0;
    for (auto& entry : m_entries)
        entry->sequence = m_nextSequence++;
    Sort();
}

void HighScoresTable::Sort()
{
    std::sort(m_entries.begin(), m_entries.end(), [](const auto& a, const auto& b) {
        if (a->score != b->score)
            return a->score > b->score;
        return a->sequence < b->sequence;
    });
}

bool HighScoresTable::Trim(u32 category, const HighScoreEntry* added)
{
    bool kept = true;
    u32 seen = 0;
    for (auto& entry : m_entries)
    {
        if (entry->category != category)
            continue;
        if (seen++ < m_limit)
            continue;
        if (entry.get() == added)
            kept = false;
        entry.reset();
    }
    std::erase(m_entries, nullptr);
    return kept;
}

HighScoreEntry* HighScoresTable::GetEntry(u32 category, u32 index) const
{
    u32 seen = 0;
    for (const auto& entry : m_entries)
    {
        if (entry->category == category && seen++ == index)
            return entry.get();
    }
    return nullptr;
}

u32 HighScoresTable::GetCount(u32 category) const
{
    return static_cast<u32>(std::count_if(m_entries.begin(), m_entries.end(),
                                          [category](const auto& entry) { return entry->category == category; }));
}

void HighScoresTable::Clear()
{
    m_nextSequence = 0;
    m_entries.clear();
    Save();
}

void HighScoresTable::Save()
{
    try
    {
        m_file->Open(FilePath(), 1);
        VelkorEngine::FileBinary& file = *m_file->GetFile();
        GameTools::WriteU32(file, m_nextSequence);
        GameTools::WriteU32(file, static_cast<u32>(m_entries.size()));
        for (const auto& entry : m_entries)
        {
            file.WriteWideString(entry->name);
            GameTools::WriteU32(file, entry->category);
            GameTools::WriteU32(file, entry->score);
            GameTools::WriteU32(file, entry->sequence);
        }
        m_file->Close();
    }
    catch (const FileError& error)
    {
        m_file->Abandon();
        m_log->Error("(HighScoresTable::Save): " + error.GetMessage());
    }
}
}
