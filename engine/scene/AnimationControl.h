// Turns the frame time into an animation position: two neighbouring key frames and a blend between them,
// over named frame ranges, with looping, a repeat limit, random pauses between repeats and a random start.
#pragma once

#include "engine/core/Types.h"

#include <map>
#include <utility>

namespace VelkorEngine
{
class MessageManager;
class TimerManager;

class AnimationControl
{
public:
    // Id of the range that covers every frame; the constructor adds and selects it.
    static constexpr i32 WholeRange = -1;

    // A frame count of 0 is taken as 1, so every range has at least one frame.
    AnimationControl(MessageManager* log, TimerManager* timers, u32 frameCount);
    AnimationControl(const AnimationControl& source);
    virtual ~AnimationControl() = default;

    // Copies the state, not the ranges nor the frame count.
    AnimationControl& operator=(const AnimationControl& source);
    // Ranges and state, only between controls of the same frame count.
    void CopyState(const AnimationControl& source);

    // An id already present keeps its range. Frames past the last one are taken as the last one.
    void AddAnimation(i32 id, u32 first, u32 last);
    void SetAnimation(i32 id);
    // Keeps the time, so a stopped control resumes where it was.
    void Start();
    void Stop();
    void StartAtRandomFrame();
    void Update();

    u32 GetFrameCount() const { return m_frameCount; }
    i32 GetAnimation() const { return m_currentId; }
    u8 IsPlaying() const { return m_playing; }
    u32 GetRepeatCount() const { return m_repeatCount; }
    f32 GetDelay() const { return m_delay; }
    u32 GetFrame() const { return m_frame; }
    u32 GetNextFrame() const { return m_nextFrame; }
    f32 GetBlend() const { return m_blend; }

    // Written directly by the owner.
    f32 speed = 0.0f;     // frames per second
    f32 time = 0.0f;      // position in frames inside the current range
    u8 loop = 0;
    u32 repeatLimit = 0;  // 0: unlimited
    f32 delayMinimum = 0.0f;
    f32 delayMaximum = 0.0f;
    u8 interpolate = 1;

private:
    struct Span
    {
        u32 lo = 0;
        u32 count = 1;
        bool reversed = false;
    };

    Span CurrentSpan();
    void AdvanceTime();
    bool IsContinuous() const;
    void StopAtRangeEnd(const Span& span);
    void WrapTime(const Span& span);
    void PlaceInRange(const Span& span);
    void ClampPosition();

    MessageManager* m_log = nullptr;
    TimerManager* m_timers = nullptr;
    u32 m_frameCount = 1;
    u32 m_repeatCount = 0;
    f32 m_delay = 0.0f;
    u8 m_playing = 0;
    std::map<i32, std::pair<u32, u32>> m_animations;
    i32 m_currentId = WholeRange;
    u32 m_frame = 0;
    u32 m_nextFrame = 0;
    f32 m_blend = 0.0f;
};
}
