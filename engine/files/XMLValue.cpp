// The text of an XML element or attribute, kept as narrow and/or wide text and converted on demand.
#include "engine/files/XMLValue.h"

#include "engine/core/StringHelpers.h"

namespace GameTools
{
namespace
{
// Characters that make up a number in a list; anything else separates two numbers.
template <typename Char>
bool IsNumberCharacter(Char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '+' || c == '-' ||
           c == '.';
}

void ParseNumber(const std::string& token, f32& out)
{
    out = VelkorEngine::StringToFloat(token);
}

void ParseNumber(const std::string& token, i32& out)
{
    out = VelkorEngine::StringToInt(token, 10);
}

template <typename Number, typename Text>
void ReadNumbers(const Text& text, Number* out, u32 count)
{
    u32 index = 0;
    std::string token;
    for (auto c : text)
    {
        if (IsNumberCharacter(c))
        {
            token.push_back(static_cast<char>(c));
            continue;
        }
        if (token.empty())
            continue;
        ParseNumber(token, out[index]);
        token.clear();
        if (++index == count)
            return;
    }
    if (!token.empty())
        ParseNumber(token, out[index]);
}
}

XMLValue::XMLValue(const XMLValue& other)
    : m_state(other.m_state), m_narrow(other.m_narrow),
      m_wide(other.m_wide ? std::make_unique<std::wstring>(*other.m_wide) : nullptr)
{
}

XMLValue& XMLValue::operator=(const XMLValue& other)
{
    if (this != &other)
        *this = XMLValue(other);
    return *this;
}

const std::string& XMLValue::GetString()
{
    if (m_state == WideValid)
    {
        m_narrow = VelkorEngine::WStringToString(*m_wide);
        m_state = BothValid;
    }
    return m_narrow;
}

const std::wstring& XMLValue::GetWideString()
{
    if (m_state == NarrowValid)
    {
        SetWide(VelkorEngine::StringToWString(m_narrow));
        m_state = BothValid;
    }
    static const std::wstring empty;
    return m_wide ? *m_wide : empty;
}

void XMLValue::SetString(const std::string& text)
{
    m_narrow = text;
    m_state = NarrowValid;
}

void XMLValue::SetString(std::string&& text)
{
    m_narrow = std::move(text);
    m_state = NarrowValid;
}

void XMLValue::SetWideString(const std::wstring& text)
{
    SetWide(std::wstring(text));
    m_state = WideValid;
}

void XMLValue::SetWideString(std::wstring&& text)
{
    SetWide(std::move(text));
    m_state = WideValid;
}

void XMLValue::SetWide(std::wstring&& text)
{
    if (m_wide)
        *m_wide = std::move(text);
    else
        m_wide = std::make_unique<std::wstring>(std::move(text));
}

i32 XMLValue::GetInt() const
{
    if (m_state == WideValid)
        return VelkorEngine::WStringToInt(*m_wide, 10);
    return VelkorEngine::StringToInt(m_narrow, 10);
}

f32 XMLValue::GetFloat() const
{
    if (m_state == WideValid)
        return VelkorEngine::WStringToFloat(*m_wide);
    return VelkorEngine::StringToFloat(m_narrow);
}

bool XMLValue::GetBool() const
{
    if (m_state == WideValid)
        return VelkorEngine::WStringToBool(*m_wide);
    return VelkorEngine::StringToBool(m_narrow);
}

template <typename Number>
void XMLValue::ReadNumberList(Number* out, u32 count) const
{
    for (u32 i = 0; i < count; ++i)
        out[i] = 0;
    if (m_state == WideValid)
        ReadNumbers(*m_wide, out, count);
    else
        ReadNumbers(m_narrow, out, count);
}

VelkorEngine::Vector4 XMLValue::GetVector4() const
{
    f32 numbers[4];
    ReadNumberList(numbers, 4);
    return VelkorEngine::Vector4(numbers[0], numbers[1], numbers[2], numbers[3]);
}

VelkorEngine::Vector2 XMLValue::GetVector2() const
{
    f32 numbers[2];
    ReadNumberList(numbers, 2);
    return VelkorEngine::Vector2(numbers[0], numbers[1]);
}

std::pair<i32, i32> XMLValue::GetIntPair() const
{
    i32 numbers[2];
    ReadNumberList(numbers, 2);
    return {numbers[0], numbers[1]};
}
}
