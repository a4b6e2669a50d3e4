// A drawable's own copy of a shader descriptor, with its own animation clock, sharing one Shader with
// every user of an equal descriptor.
#pragma once

#include "engine/core/Types.h"
#include "engine/render/ShaderDescriptor.h"

namespace VelkorEngine
{
class MessageManager;
class Shader;
class TimerManager;

class ShaderUser : public ShaderDescriptor
{
public:
    ShaderUser(MessageManager* log, TimerManager* timerManager, Shader* shader, const ShaderDescriptor& descriptor);
    // The last user of a shader deletes it.
    ~ShaderUser() override;

    ShaderUser(const ShaderUser&) = delete;
    ShaderUser& operator=(const ShaderUser&) = delete;

    // Advances the stage animations by the last frame's time.
    void Update();
    void Apply() const;
    // Shows one frame of the animated stages now; a still shader (speed 0) keeps it, as the GUI's widgets
    // need to show their state.
    void SetFrame(f32 frame);
    // The frame count of the first stage, 0 without stages.
    u32 GetFrameCount() const;

    Shader* GetShader() const { return m_shader; }
    // The animation time of a stage, in frames.
    f32 GetTime(u32 stage) const { return m_time[stage]; }

private:
    void UpdateStage(u32 index);
    void SelectFrame(u32 index);

    MessageManager* m_log;
    TimerManager* m_timerManager;
    Shader* m_shader;
    f32 m_time[kMaxStages] = {0.0f, 0.0f};
};
}
