// The console: settings of its own, the slide, the log view, and the input line's keys.
#include "engine/core/Console.h"

#include "engine/core/Config.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringHelpers.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/input/Controls.h"

#include <algorithm>

namespace VelkorEngine
{
namespace
{
const Color kWhite(1.0f, 1.0f, 1.0f, 1.0f);
const Color kGrey(0.5f, 0.5f, 0.5f, 1.0f);
const Color kRed(1.0f, 0.0f, 0.0f, 1.0f);
const Color kGreen(0.0f, 1.0f, 0.0f, 1.0f);
const Color kBlue(0.0f, 0.0f, 1.0f, 1.0f);
constexpr wchar_t kLineFeed = L'\n';
constexpr wchar_t kBackslash = L'\\';
constexpr u32 kMostCharacters = 255;
constexpr u32 kPanelState = GUIWindow::StateColored | GUIWindow::StateLayerFront;
constexpr f32 kUnlimitedWidth = 1.0e9f;

const Color& ColorOfKind(u32 kind)
{
    switch (kind)
    {
    case MessageManager::KindMessage:
        return kWhite;
    case MessageManager::KindWarning:
        return kGrey;
    default:
        return kRed;
    }
}

std::wstring WithBackslash(const std::wstring& text)
{
    return !text.empty() && text[0] == kBackslash ? text : kBackslash + text;
}
}

Console::Console(MessageManager* log, TimerManager* timers, Config* config, Controls* controls, ShaderManager* shaders,
                 GUIManager* gui, const std::string& versionText, const ShaderDescriptor& background,
                 const Look& look, const Defaults& defaults)
    : m_log(log), m_timers(timers), m_config(config), m_controls(controls), m_shaders(shaders), m_gui(gui),
      m_fontIndex(look.fontIndex)
{
    RegisterSettings(defaults);
    if (look.fontIndex >= 0)
        m_font = m_gui->GetFontManager()->GetFont(static_cast<u32>(look.fontIndex));
    const f32 fontHeight = m_font != nullptr ? m_font->GetSize() : 0.0f;
    m_margin = 0.2f * fontHeight;
    m_lineHeight = 1.2f * fontHeight;
    m_prompt = std::wstring(1, static_cast<wchar_t>(look.prompt));

    const f32 width = m_gui->GetWidth();
    const f32 height = m_gui->GetHeight();
    m_top = height;
    m_panel = m_gui->CreateQuadWindow(kPanelState, Vector2(0.0f, -m_top), Vector2(width, height), &background, nullptr,
                                      Vector2(1.0f, 1.0f));
    const f32 promptWidth = Width(m_prompt);
    const GUIEditBox::TextLimits limits{kMostCharacters, kUnlimitedWidth, std::max(0.0f, width - promptWidth)};
    m_input = m_gui->CreateEditBox(GUIWindow::StateVisible, PanelPoint(promptWidth, m_margin + m_lineHeight),
                                   Vector2(width - promptWidth, fontHeight), static_cast<const Model*>(nullptr),
                                   look.fontIndex, kWhite, Vector2(0.0f, 0.0f), limits, look.caret, m_panel);
    if (m_input != nullptr)
        m_input->SetFocused(false);

    m_versionLine = Widened(StringToWString(versionText), L' ', kMostCharacters);
    m_scrollMarker = Widened(std::wstring(), static_cast<wchar_t>(look.scrollMark), kMostCharacters);
}

// The registry keeps the values as text for a later console instead of pointing at storage that goes here.
Console::~Console()
{
    for (const char* name : {"ui_console_alpha", "ui_console_size", "ui_console_speed", "ui_console_key", "say"})
        m_config->RemoveVariable(name);
    m_gui->DestroyEditBox(m_input);
    m_gui->DestroyWindow(m_panel);
}

void Console::RegisterSettings(const Defaults& defaults)
{
    m_config->AddVariable("ui_console_alpha", Config::KindFloat, 0, 1, &m_alpha, FloatToString(defaults.alpha, 4), 0);
    m_config->AddVariable("ui_console_size", Config::KindFloat, 0, 1, &m_size, FloatToString(defaults.size, 4), 0);
    m_config->AddVariable("ui_console_speed", Config::KindFloat, 0, 1, &m_speed, FloatToString(defaults.speed, 4), 0);
    m_config->AddVariable("ui_console_key", Config::KindString, 0, 1, &m_key, defaults.key, 0);
    m_config->AddVariable("say", Config::KindString, 0, 0, &m_say, "", 0);
}

// Values typed in or read from the settings file are held inside what the panel can show: an alpha in
// [0, 1], a height no taller than the screen, a speed that is not negative.
void Console::KeepValuesInRange()
{
    m_alpha = std::clamp(m_alpha, 0.0f, 1.0f);
    m_size = std::clamp(m_size, 0.0f, m_gui->GetHeight());
    m_speed = std::max(m_speed, 0.0f);
}

f32 Console::Width(const std::wstring& text) const
{
    return m_font != nullptr ? m_font->GetTextSize(text, 0.0f, -1.0f).x : 0.0f;
}

// Fillers are added until the text is wider than the screen and the one that made it wider is taken back;
// a text already wider than the screen is left whole.
std::wstring Console::Widened(std::wstring text, wchar_t filler, u32 most) const
{
    const f32 screen = m_gui->GetWidth();
    u32 added = 0;
    while (text.size() < most && Width(text) <= screen)
    {
        text.push_back(filler);
        ++added;
    }
    if (added > 0 && Width(text) > screen)
        text.pop_back();
    return text;
}

// A line holds at least one character, so a character wider than the screen cannot stall the split.
void Console::AddText(const Color& color, const std::wstring& text)
{
    std::wstring piece;
    const f32 screen = m_gui->GetWidth();
    auto finish = [&](bool endsLine) {
        m_lines.push_back(Line{color, piece, static_cast<u8>(endsLine ? 1 : 0), Width(piece)});
        piece.clear();
    };
    for (size_t i = 0; i < text.size(); ++i)
    {
        piece.push_back(text[i]);
        if (text[i] == kLineFeed)
        {
            finish(true);
            continue;
        }
        if (piece.size() > 1 && Width(piece) > screen)
        {
            piece.pop_back();
            finish(true);
            piece.push_back(text[i]);
        }
    }
    if (!piece.empty())
        finish(false);
    if (m_lines.size() > MaxLines)
        m_lines.erase(m_lines.begin(), m_lines.begin() + static_cast<std::ptrdiff_t>(m_lines.size() - MaxLines));
}

void Console::Update()
{
    KeepValuesInRange();
    TakeLogRecords();
    if (m_controls->IsPressed(m_key))
        Toggle();
    if (!Slide())
        return;
    Draw();
    u16 code = 0;
    bool isCharacter = false;
    if (m_controls->GetTypedKey(code, isCharacter) && !isCharacter)
        HandleKey(code);
}

void Console::TakeLogRecords()
{
    const u32 count = m_log->GetRecordCount();
    for (u32 i = 0; i < count; ++i)
    {
        const LogRecord record = m_log->GetRecord(i);
        AddText(ColorOfKind(record.kind), StringToWString(record.text));
    }
}

void Console::Toggle()
{
    if (m_state == StateClosed || m_state == StateClosing)
    {
        m_state = StateOpening;
        m_panel->SetState(GUIWindow::StateVisible);
        m_input->SetText(L"");
    }
    else
    {
        m_state = StateClosing;
        m_input->SetFocused(false);
    }
}

// The panel is laid out from its top edge downwards, as a console reads; the GUI's y runs upwards, so a
// point so far below the panel's top is its height minus that distance minus a line of text above the panel's
// bottom.
Vector2 Console::PanelPoint(f32 x, f32 below) const
{
    const f32 fontHeight = m_font != nullptr ? m_font->GetSize() : 0.0f;
    return Vector2(x, m_gui->GetHeight() - below - fontHeight);
}

// The top edge moves, measured down from the screen's top: the panel rises from below the screen's bottom
// until the console's size shows. False while the console is closed.
bool Console::Slide()
{
    const f32 height = m_gui->GetHeight();
    const f32 step = m_speed * m_timers->GetFrameTime();
    switch (m_state)
    {
    case StateOpening:
        m_top -= step;
        if (height - m_top > m_size)
        {
            m_state = StateOpen;
            m_top = height - m_size;
            m_input->SetFocused(true);
        }
        break;
    case StateClosing:
        m_top += step;
        if (m_top > height)
        {
            m_state = StateClosed;
            m_top = height;
            m_panel->ClearState(GUIWindow::StateVisible);
            m_scroll = 0;
        }
        break;
    case StateOpen:
        m_top = height - m_size;
        break;
    default:
        return false;
    }
    m_panel->SetRelativePosition(Vector2(0.0f, -m_top));
    return m_state != StateClosed;
}

void Console::Draw()
{
    m_panel->SetColor(Color(1.0f, 1.0f, 1.0f, m_alpha));
    f32 y = m_margin;
    m_panel->AddText(0, m_fontIndex, PanelPoint(0.0f, y), kWhite, m_versionLine, 0.0f, -1.0f);
    y += m_lineHeight;
    m_panel->AddText(0, m_fontIndex, PanelPoint(0.0f, y), kWhite, m_prompt, 0.0f, -1.0f);
    y += m_lineHeight;
    if (m_scroll > 0)
    {
        m_panel->AddText(0, m_fontIndex, PanelPoint(0.0f, y), kWhite, m_scrollMarker, 0.0f, -1.0f);
        y += m_lineHeight;
    }
    const size_t first = ChooseFirstLine(y);
    f32 x = 0.0f;
    for (size_t i = first; i < m_lines.size(); ++i)
    {
        const Line& line = m_lines[i];
        m_panel->AddText(0, m_fontIndex, PanelPoint(x, y), line.color, line.text, 0.0f, -1.0f);
        if (line.endsLine == 0)
        {
            x += line.width;
            continue;
        }
        x = 0.0f;
        y -= m_lineHeight;
        if (m_scroll > 0 && y - 0.5f * m_lineHeight < m_margin + 2.0f * m_lineHeight)
            break;
    }
}

// Walks back from the newest line past the scrolled-back ones until the panel is full; a scroll beyond the
// oldest line is taken back. The panel's own height is the limit, so any console size shows a full view.
size_t Console::ChooseFirstLine(f32& y)
{
    size_t first = 0;
    i32 skip = m_scroll;
    const f32 limit = m_size - m_lineHeight;
    for (size_t i = m_lines.size(); i-- > 0;)
    {
        if (m_lines[i].endsLine == 0)
            continue;
        if (skip > 0)
            --skip;
        else if (y > limit)
        {
            first = i;
            break;
        }
        else
            y += m_lineHeight;
    }
    m_scroll -= skip;
    return first;
}

void Console::HandleKey(u16 code)
{
    switch (code)
    {
    case KeyEnter:
        Run();
        break;
    case KeyEscape:
        m_input->SetText(L"");
        break;
    case KeyTab:
        Complete();
        break;
    case KeyUp:
        if (m_historyIndex > 0)
            m_input->SetText(m_history[static_cast<size_t>(--m_historyIndex)]);
        break;
    case KeyDown:
        if (m_historyIndex < static_cast<i32>(m_history.size()))
        {
            ++m_historyIndex;
            m_input->SetText(m_historyIndex == static_cast<i32>(m_history.size())
                                 ? std::wstring()
                                 : m_history[static_cast<size_t>(m_historyIndex)]);
        }
        break;
    case KeyPageUp:
        ++m_scroll;
        break;
    case KeyPageDown:
        if (m_scroll > 0)
            --m_scroll;
        break;
    default:
        break;
    }
}

void Console::Echo(const std::wstring& text) { AddText(kBlue, text + L"\n"); }

void Console::Run()
{
    const std::wstring text = m_input->GetText();
    if (text.empty() || text == L"\\")
        return;
    m_input->SetText(L"");
    std::string name;
    const u32 status = m_config->Execute(WStringToString(text), &name);
    if (status == Config::StatusEmptyLine)
        return;
    const std::wstring shown = WithBackslash(text);
    m_history.push_back(shown);
    m_historyIndex = static_cast<i32>(m_history.size());
    Echo(shown);
    ShowStatus(status, name);
}

void Console::ShowStatus(u32 status, const std::string& name)
{
    const bool isSay = name == "say";
    std::string value;
    std::string defaultValue;
    switch (status)
    {
    case Config::StatusExecuted:
        if (!isSay)
            return;
        m_config->GetValueAsString(value, name);
        AddText(kWhite, m_speaker + L": \"");
        AddText(kGreen, StringToWString(value));
        AddText(kWhite, L"\"\n");
        return;
    case Config::StatusNoValue:
        if (isSay)
            return;
        m_config->GetValueAsString(value, name);
        m_config->GetDefaultValue(defaultValue, name);
        AddText(kWhite,
                StringToWString("\"" + name + "\" is \"" + value + "\", default is \"" + defaultValue + "\"\n"));
        return;
    case Config::StatusReadOnly:
        AddText(kWhite, StringToWString("\"" + name + "\" is read only\n"));
        return;
    case Config::StatusUnknownName:
        AddText(kWhite, StringToWString("Unknown command \"" + name + "\"\n"));
        return;
    default:
        return;
    }
}

void Console::Complete()
{
    std::wstring text = m_input->GetText();
    if (text.empty())
        return;
    WStringToLower(text);
    text = WithBackslash(text);
    const std::string typed = WStringToString(text);
    std::vector<std::string> names;
    m_config->ListNames(names);
    std::vector<std::string> candidates;
    for (const std::string& name : names)
    {
        const std::string candidate = "\\" + name;
        if (candidate.compare(0, typed.size(), typed) == 0)
            candidates.push_back(candidate);
    }
    if (candidates.size() == 1)
    {
        m_input->SetText(StringToWString(candidates[0] + " "));
        return;
    }
    if (candidates.empty())
    {
        m_input->SetText(text);
        return;
    }
    Echo(text);
    std::string common = candidates[0];
    for (const std::string& candidate : candidates)
    {
        AddText(kWhite, StringToWString("    " + candidate + "\n"));
        size_t shared = 0;
        while (shared < common.size() && shared < candidate.size() && common[shared] == candidate[shared])
            ++shared;
        common.resize(shared);
    }
    m_input->SetText(StringToWString(common));
}
}
