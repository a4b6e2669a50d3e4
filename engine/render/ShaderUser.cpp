// Shader users: the per-drawable frame animation of grids and image sequences.
#include "engine/render/ShaderUser.h"

#include "engine/core/Random.h"
#include "engine/core/TimerManager.h"
#include "engine/render/Shader.h"

#include <cmath>

namespace VelkorEngine
{
namespace
{
// Each grid cell is used with a margin of half a percent of its size on every side.
constexpr f32 kCellMargin = 0.01f;
constexpr f32 kCellShare = 1.0f - kCellMargin;

// The time wrapped into [0, frames): a remainder rather than repeated subtraction, which would never end
// once the time is too large for subtracting the frame count to change it.
f32 WrapTime(f32 time, u32 frameCount)
{
    const f32 frames = static_cast<f32>(frameCount);
    if (!std::isfinite(time))
        return 0.0f;
    if (time > frames || time < 0.0f)
    {
        time = std::fmod(time, frames);
        if (time < 0.0f)
            time += frames;
    }
    return time;
}

void SelectGridCell(ShaderStage& stage, u32 n)
{
    const u32 column = n % stage.columns;
    const u32 row = stage.rows - 1 - (n / stage.columns) % stage.rows;
    stage.scaleU = kCellShare / static_cast<f32>(stage.columns);
    stage.scaleV = kCellShare / static_cast<f32>(stage.rows);
    stage.offsetU = stage.scaleU * (static_cast<f32>(column) + kCellMargin / 2.0f) / kCellShare;
    stage.offsetV = stage.scaleV * (static_cast<f32>(row) + kCellMargin / 2.0f) / kCellShare;
    stage.frameIndex = 0;
}
}

ShaderUser::ShaderUser(MessageManager* log, TimerManager* timerManager, Shader* shader,
                       const ShaderDescriptor& descriptor)
    : ShaderDescriptor(descriptor), m_log(log), m_timerManager(timerManager), m_shader(shader)
{
    for (u32 i = 0; i < GetStageCount(); ++i)
    {
        const ShaderStage& stage = GetStage(i);
        if ((stage.flags & ShaderStage::FlagRandomStart) != 0)
            m_time[i] = RandomFloatRange(0.0f, static_cast<f32>(stage.frameCount));
    }
    ++m_shader->referenceCount;
}

ShaderUser::~ShaderUser()
{
    --m_shader->referenceCount;
    if (m_shader->referenceCount == 0)
        delete m_shader;
}

void ShaderUser::Update()
{
    for (u32 i = 0; i < GetStageCount(); ++i)
        UpdateStage(i);
}

void ShaderUser::UpdateStage(u32 index)
{
    ShaderStage& stage = GetMutableStage(index);
    if (stage.mode == ShaderStage::ModeStatic)
    {
        stage.frameIndex = 0;
        return;
    }
    m_time[index] = WrapTime(m_time[index] + stage.speed * m_timerManager->GetFrameTime(), stage.frameCount);
    SelectFrame(index);
}

void ShaderUser::SelectFrame(u32 index)
{
    ShaderStage& stage = GetMutableStage(index);
    u32 n = static_cast<u32>(m_time[index]);
    if (n >= stage.frameCount)
        n %= stage.frameCount;

    if (stage.mode == ShaderStage::ModeGrid)
        SelectGridCell(stage, n);
    else if (stage.mode <= ShaderStage::ModeBothSequences)
        stage.frameIndex = n;
    else
        stage.frameIndex = 0;
}

void ShaderUser::SetFrame(f32 frame)
{
    for (u32 i = 0; i < GetStageCount(); ++i)
    {
        const ShaderStage& stage = GetStage(i);
        if (stage.mode == ShaderStage::ModeStatic || stage.frameCount == 0)
            continue;
        m_time[i] = WrapTime(frame, stage.frameCount);
        SelectFrame(i);
    }
}

u32 ShaderUser::GetFrameCount() const { return GetStageCount() > 0 ? GetStage(0).frameCount : 0; }

void ShaderUser::Apply() const
{
    m_shader->Apply(*this);
}
}
