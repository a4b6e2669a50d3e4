// The best results of all players by category, at most a fixed number per category, kept in
// "high_scores.hsf" in the user data folder and written in full after every change.
#pragma once

#include "engine/core/Types.h"

#include <memory>
#include <string>
#include <vector>

namespace VelkorEngine
{
class Engine;
class MessageManager;
}

namespace GameTools
{
class BinaryDataFile;
}

namespace GameFramework
{
using VelkorEngine::u32;

struct HighScoreEntry
{
    std::wstring name;
    u32 category = 0;
    u32 score = 0;
    // Unique within the table; an older result has a smaller number.
    u32 sequence = 0;
};

class HighScoresTable
{
public:
    static constexpr const char* FileName = "high_scores.hsf";
    static constexpr const char* Magic = "GFHSF";
    static constexpr u32 Version = 101;

    // Loads the file; a missing or bad one is replaced by an empty table and an empty file.
    HighScoresTable(VelkorEngine::Engine* engine, u32 limit, const std::string& userDataFolder);
    virtual ~HighScoresTable();

    HighScoresTable(const HighScoresTable&) = delete;
    HighScoresTable& operator=(const HighScoresTable&) = delete;

    // The new entry, or null when it did not make the category's limit. Saves.
    HighScoreEntry* Add(const std::wstring& name, u32 category, u32 score);
    HighScoreEntry* GetEntry(u32 category, u32 index) const;
    u32 GetCount(u32 category) const;
    void Clear();
    // A write error is logged: the table stays in memory and the previous file on disk.
    void Save();

    u32 GetNextSequence() const { return m_nextSequence; }

private:
    void Load();
    void ReadBody();
    void Sort();
    // The entries numbered 0, 1, ... in the order of their numbers, and the next number after them.
    void Renumber();
    // Drops the entries of the category past the limit; false when the given entry was among them.
    bool Trim(u32 category, const HighScoreEntry* added);
    std::string FilePath() const;

    VelkorEngine::MessageManager* m_log = nullptr;
    std::unique_ptr<GameTools::BinaryDataFile> m_file;
    u32 m_limit = 0;
    std::vector<std::unique_ptr<HighScoreEntry>> m_entries;
    std::string m_userDataFolder;
    u32 m_nextSequence = 0;
};
}
