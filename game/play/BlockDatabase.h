// The kinds of block: one XML description per kind in "data\game_objects\blocks\", named after its file, and the
// search that gives a placed block its description (the first kind, in file-name order, whose name occurs in
// the block's name).
#pragma once

#include "engine/core/Types.h"

#include <memory>
#include <string>
#include <vector>

namespace VelkorEngine
{
class FileManager;
}

namespace GameTools
{
class XMLNode;
}

namespace Korvane
{
using VelkorEngine::f32;
using VelkorEngine::i32;
using VelkorEngine::u32;

class BlockDatabase
{
public:
    static constexpr const char* Folder = "data\\game_objects\\blocks";

    // Reads every description; a description that cannot be read, or whose file name leaves it no name, throws
    // FileError.
    explicit BlockDatabase(VelkorEngine::FileManager* files);
    virtual ~BlockDatabase();

    BlockDatabase(const BlockDatabase&) = delete;
    BlockDatabase& operator=(const BlockDatabase&) = delete;

    // objectName is lower-cased already. Throws FileError "Can't find block "<name>" in database".
    GameTools::XMLNode* Find(const std::string& objectName) const;

    u32 GetCount() const { return static_cast<u32>(m_descriptions.size()); }
    GameTools::XMLNode* Get(u32 index) const { return m_descriptions[index].get(); }

    // A description's name: its file's name lower-cased, without folder and extension.
    static std::string NameOf(const std::string& path);
    // Attributes of a description's root, with the value for one that is missing.
    static std::string GetText(const GameTools::XMLNode& description, const std::string& name, const std::string& missing);
    static i32 GetInt(const GameTools::XMLNode& description, const std::string& name, i32 missing);
    static bool GetBool(const GameTools::XMLNode& description, const std::string& name, bool missing);
    // The texture frames of the kind's shader and their rate: 1 and 0 unless its shader element says otherwise.
    static void GetShaderFrames(const GameTools::XMLNode& description, u32& frameCount, f32& speed);

private:
    std::vector<std::unique_ptr<GameTools::XMLNode>> m_descriptions;
};
}
