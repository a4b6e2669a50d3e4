// The animation clock: advancing the time, ending or repeating a range, and turning the time into a pair of
// key frames and a blend (mirrored for ranges that play backwards).
#include "engine/scene/AnimationControl.h"

#include "engine/core/MathTolerance.h"
#include "engine/core/Random.h"
#include "engine/core/TimerManager.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace VelkorEngine
{
namespace
{
// Truncates a time that is not negative to a frame number, saturating instead of overflowing.
u32 TruncateToFrame(f32 time)
{
    constexpr f32 kLargest = 4294967040.0f; // the largest f32 below 2^32
    if (time >= kLargest)
        return std::numeric_limits<u32>::max();
    return static_cast<u32>(time);
}
}

AnimationControl::AnimationControl(MessageManager* log, TimerManager* timers, u32 frameCount)
    : m_log(log), m_timers(timers), m_frameCount(std::max(frameCount, 1u))
{
    AddAnimation(WholeRange, 0, m_frameCount - 1);
    SetAnimation(WholeRange);
}

AnimationControl::AnimationControl(const AnimationControl& source)
    : m_log(source.m_log), m_timers(source.m_timers), m_frameCount(source.m_frameCount)
{
    CopyState(source);
}

AnimationControl& AnimationControl::operator=(const AnimationControl& source)
{
    speed = source.speed;
    time = source.time;
    loop = source.loop;
    repeatLimit = source.repeatLimit;
    m_repeatCount = source.m_repeatCount;
    delayMinimum = source.delayMinimum;
    delayMaximum = source.delayMaximum;
    m_delay = source.m_delay;
    interpolate = source.interpolate;
    m_playing = source.m_playing;
    m_frame = source.m_frame;
    m_nextFrame = source.m_nextFrame;
    m_blend = source.m_blend;
    m_currentId = source.m_currentId;
    ClampPosition();
    return *this;
}

void AnimationControl::CopyState(const AnimationControl& source)
{
    if (source.m_frameCount != m_frameCount)
        return;
    m_animations = source.m_animations;
    *this = source;
}

void AnimationControl::AddAnimation(i32 id, u32 first, u32 last)
{
    const u32 lastFrame = m_frameCount - 1;
    m_animations.emplace(id, std::make_pair(std::min(first, lastFrame), std::min(last, lastFrame)));
}

void AnimationControl::SetAnimation(i32 id)
{
    m_currentId = id;
    time = 0.0f;
}

void AnimationControl::Start()
{
    m_playing = 1;
    m_repeatCount = 0;
    m_delay = RandomFloatRange(delayMinimum, delayMaximum);
}

void AnimationControl::Stop()
{
    m_playing = 0;
    time = 0.0f;
}

// Either a pause before the first repeat or a random place inside the range, never both.
void AnimationControl::StartAtRandomFrame()
{
    const Span span = CurrentSpan();
    const f32 sign = RandomSignedFloat();
    const f32 length = RandomFloatRange(delayMinimum, delayMaximum);
    m_delay = sign * length < 0.0f ? 0.0f : sign * length;
    time = m_delay < MathTolerance ? RandomFloatRange(0.0f, static_cast<f32>(span.count - 1)) : 0.0f;
}

void AnimationControl::Update()
{
    const Span span = CurrentSpan();
    m_frame = 0;
    m_nextFrame = 0;
    m_blend = 0.0f;
    AdvanceTime();
    if (!IsContinuous() && time + 1.0f >= static_cast<f32>(span.count))
        StopAtRangeEnd(span);
    else
        PlaceInRange(span);

    if (span.reversed)
    {
        m_frame = span.count - m_frame - 1;
        m_nextFrame = span.count - m_nextFrame - 1;
        m_blend = 1.0f - m_blend;
        std::swap(m_frame, m_nextFrame);
    }
    m_frame += span.lo;
    m_nextFrame += span.lo;
    if (interpolate == 0)
        m_blend = 0.0f;
}

AnimationControl::Span AnimationControl::CurrentSpan()
{
    auto found = m_animations.find(m_currentId);
    if (found == m_animations.end())
        found = m_animations.emplace(m_currentId, std::make_pair(0u, 0u)).first;
    const auto [first, last] = found->second;
    Span span;
    span.reversed = last < first;
    span.lo = std::min(first, last);
    span.count = std::max(first, last) - span.lo + 1;
    return span;
}

// While a looping control waits out its pause, the time stands still.
void AnimationControl::AdvanceTime()
{
    const f32 dt = m_timers->GetFrameTime();
    m_delay -= dt;
    if (m_playing != 0 && (loop == 0 || m_delay < MathTolerance))
        time += speed * dt;
}

// Wrapping round without stopping: looping with repeats left and no pause between them.
bool AnimationControl::IsContinuous() const
{
    const bool repeatsLeft = repeatLimit == 0 || m_repeatCount + 1 < repeatLimit;
    return loop == 1 && repeatsLeft && delayMaximum < MathTolerance;
}

void AnimationControl::StopAtRangeEnd(const Span& span)
{
    if (loop == 1)
    {
        if (m_delay < MathTolerance)
            m_delay = RandomFloatRange(delayMinimum, delayMaximum);
        m_frame = 0;
        // A one-frame range has no second frame to blend towards.
        m_nextFrame = span.count > 1 ? 1 : 0;
        time = 0.0f;
        m_playing = delayMaximum > MathTolerance ? 1 : 0;
        return;
    }
    m_frame = span.count - 1;
    m_nextFrame = 0;
    time = static_cast<f32>(span.count - 1);
    m_playing = 0;
}

// A range of n frames repeats every n - 1 frames of time: its last pose and its first are the same. The
// remainder is taken in one exact step, so a huge time costs no more than a small one.
void AnimationControl::WrapTime(const Span& span)
{
    if (span.count <= 1)
        return;
    const f64 period = static_cast<f64>(span.count - 1);
    if (time < period)
        return;
    const f64 repeats = std::floor(static_cast<f64>(time) / period);
    time = static_cast<f32>(std::fmod(static_cast<f64>(time), period));
    const f64 room = static_cast<f64>(std::numeric_limits<u32>::max() - m_repeatCount);
    m_repeatCount += static_cast<u32>(std::min(repeats, room));
}

void AnimationControl::PlaceInRange(const Span& span)
{
    // Time runs forward only; a negative or undefined time is the start of the range.
    if (!(time >= 0.0f))
        time = 0.0f;
    WrapTime(span);
    if (!(time >= 0.0f))
        time = 0.0f;
    m_frame = TruncateToFrame(time);
    m_blend = std::clamp(time - static_cast<f32>(m_frame), 0.0f, 1.0f);
    if (m_frame >= span.count)
        m_frame %= span.count;
    m_nextFrame = m_frame + 1 >= span.count ? 0 : m_frame + 1;
}

void AnimationControl::ClampPosition()
{
    m_frame = std::min(m_frame, m_frameCount - 1);
    m_nextFrame = std::min(m_nextFrame, m_frameCount - 1);
}
}
