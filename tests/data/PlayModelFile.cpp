// Model files read back for the data tests.
#include "tests/data/PlayModelFile.h"

#include <cmath>
#include <cstring>
#include <map>
#include <stdexcept>
#include <tuple>

namespace DataTest
{
namespace
{
using VelkorEngine::Vector3;

class Cursor
{
public:
    explicit Cursor(const std::string& bytes) : m_bytes(bytes) {}

    template <typename T>
    T Get()
    {
        if (m_at + sizeof(T) > m_bytes.size())
            throw std::runtime_error("model file ends early");
        T value;
        std::memcpy(&value, m_bytes.data() + m_at, sizeof(T));
        m_at += sizeof(T);
        return value;
    }
    Vector3 GetVector()
    {
        const float x = Get<float>(), y = Get<float>(), z = Get<float>();
        return {x, y, z};
    }
    std::string GetText(std::size_t n)
    {
        if (m_at + n > m_bytes.size())
            throw std::runtime_error("model file ends early");
        m_at += n;
        return m_bytes.substr(m_at - n, n);
    }
    bool AtEnd() const { return m_at == m_bytes.size(); }

private:
    const std::string& m_bytes;
    std::size_t m_at = 0;
};

using Key = std::tuple<long, long, long>;
Key KeyOf(const Vector3& p)
{
    return {std::lround(p.x * 1000), std::lround(p.y * 1000), std::lround(p.z * 1000)};
}
}

PlayModelFile ReadPlayModel(const std::string& bytes)
{
    Cursor in(bytes);
    if (in.Get<unsigned>() != bytes.size() || in.GetText(5) != "VEMLF" || in.Get<unsigned>() != 202)
        throw std::runtime_error("not a version 202 model file of the right length");
    PlayModelFile model;
    model.flags = in.Get<unsigned>();
    const bool morph = (model.flags & 0x2) != 0;
    if ((model.flags & 0x4) != 0 || (!morph && (model.flags & 0x1) == 0))
        throw std::runtime_error("neither static nor morph");
    if (morph)
    {
        model.frameCount = in.Get<unsigned>();
        model.speed = in.Get<float>();
    }
    const unsigned indexCount = in.Get<unsigned>();
    const unsigned vertexCount = in.Get<unsigned>();
    if (indexCount > bytes.size() || vertexCount > bytes.size() || model.frameCount == 0 ||
        model.frameCount > 1000)
        throw std::runtime_error("counts larger than the file");
    for (unsigned i = 0; i < indexCount; ++i)
        model.indices.push_back(indexCount >= 0x10000 ? in.Get<unsigned>() : in.Get<unsigned short>());
    model.positions.resize(model.frameCount);
    for (unsigned f = 0; f < model.frameCount; ++f)
        for (unsigned v = 0; v < vertexCount; ++v)
        {
            in.Get<float>(), in.Get<float>(); // texture coordinates
            in.GetVector();                   // normal
            model.positions[f].push_back(in.GetVector());
        }
    for (unsigned f = 0; f < model.frameCount; ++f)
    {
        const Vector3 minimum = in.GetVector();
        model.boxes.push_back({minimum, in.GetVector()});
    }
    if (!in.AtEnd())
        throw std::runtime_error("bytes after the boxes");
    for (unsigned index : model.indices)
        if (index >= vertexCount)
            throw std::runtime_error("index out of range");
    return model;
}

double SignedVolume(const PlayModelFile& model, unsigned frame)
{
    double volume = 0;
    const auto& p = model.positions[frame];
    for (std::size_t i = 0; i + 2 < model.indices.size(); i += 3)
        volume += p[model.indices[i]].Dot(p[model.indices[i + 1]].Cross(p[model.indices[i + 2]]));
    return volume;
}

bool IsClosed(const PlayModelFile& model, unsigned frame)
{
    std::map<std::pair<Key, Key>, int> edges;
    const auto& p = model.positions[frame];
    for (std::size_t i = 0; i + 2 < model.indices.size(); i += 3)
        for (std::size_t k = 0; k < 3; ++k)
        {
            const Key a = KeyOf(p[model.indices[i + k]]);
            const Key b = KeyOf(p[model.indices[i + (k + 1) % 3]]);
            ++edges[{a, b}];
        }
    for (const auto& [edge, count] : edges)
    {
        const auto back = edges.find({edge.second, edge.first});
        if (back == edges.end() || back->second != count)
            return false;
    }
    return true;
}
}
