// The text of an XML element or attribute, kept as narrow and/or wide text and converted on demand,
// with typed readers for numbers, flags and short number lists.
#pragma once

#include "engine/core/Types.h"
#include "engine/core/Vector2.h"
#include "engine/core/Vector4.h"

#include <memory>
#include <string>
#include <utility>

namespace GameTools
{
using VelkorEngine::f32;
using VelkorEngine::i32;
using VelkorEngine::u32;

class XMLValue
{
public:
    // Which of the two texts holds the value; the other is converted from it when first asked for.
    enum State : u32
    {
        NarrowValid = 0,
        WideValid = 1,
        BothValid = 2
    };

    XMLValue() = default;
    XMLValue(const XMLValue& other);
    XMLValue& operator=(const XMLValue& other);
    XMLValue(XMLValue&&) noexcept = default;
    XMLValue& operator=(XMLValue&&) noexcept = default;
    virtual ~XMLValue() = default;

    const std::string& GetString();
    const std::wstring& GetWideString();
    void SetString(const std::string& text);
    void SetString(std::string&& text);
    void SetWideString(const std::wstring& text);
    void SetWideString(std::wstring&& text);

    i32 GetInt() const;
    f32 GetFloat() const;
    bool GetBool() const;
    VelkorEngine::Vector4 GetVector4() const;
    VelkorEngine::Vector2 GetVector2() const;
    std::pair<i32, i32> GetIntPair() const;

    State GetState() const { return m_state; }

private:
    // Reads up to count numbers from the valid text into out; values not present stay 0.
    template <typename Number>
    void ReadNumberList(Number* out, u32 count) const;
    void SetWide(std::wstring&& text);

    State m_state = BothValid;
    std::string m_narrow;
    // Most values are plain ASCII and never asked for as wide text, so the wide text is made only when needed;
    // null stands for empty.
    std::unique_ptr<std::wstring> m_wide;
};
}
