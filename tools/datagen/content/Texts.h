// The game's texts: the keys the code and the window descriptions look up, and the check of the hand-written
// text files against them.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace KorvaneTools
{
struct GeneratorContext;

struct TextKey
{
    const char* key;  // "common/exit"
    bool namedByCode; // else named by a window description
};

// key -> language -> text (UTF-8)
using TextTable = std::map<std::string, std::map<std::string, std::string>>;

const std::vector<TextKey>& GameTextKeys();
// The texts whose %PROFILE_NAME% the code fills in.
const std::vector<const char*>& ProfileNameKeys();

// Every text of a text file's <texts> section; throws DataError naming the origin when it does not parse.
TextTable ReadTextFile(const std::string& bytes, const std::string& origin);

void GenerateTexts(GeneratorContext& context);
}
