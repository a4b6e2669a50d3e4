// Building particle systems, and their per-frame cycle, emission and motion.
#include "engine/scene/ParticleSystem.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Random.h"
#include "engine/core/TimerManager.h"
#include "engine/files/FileBinary.h"
#include "engine/files/FileManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/scene/ParticleSystemFile.h"
#include "engine/scene/Sprite.h"
#include "engine/scene/SpriteGroup.h"
#include "engine/scene/SpriteGroupManager.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace VelkorEngine
{
namespace
{
// Speeds in the keys are hundredths of a world unit per second.
constexpr f32 kSpeedUnit = 100.0f;
// Keys whose centre and spread are both shorter than this repeat the key before them.
constexpr f32 kNoDirectionChange = 0.05f;
// A bounced particle is put just above the floor, so it is not taken for below it again at once.
constexpr f32 kAboveFloor = 0.001f;
constexpr f32 kPastLifetime = 0.0001f;
// The keys over the cycle bound five segments; the sixth key only closes the last.
constexpr i32 kSegmentsPerCycle = static_cast<i32>(ParticleKeyCount) - 1;

Vector3 RandomAroundEach(const Vector3& centre, const Vector3& spread)
{
    const f32 x = RandomAround(centre.x, spread.x);
    const f32 y = RandomAround(centre.y, spread.y);
    const f32 z = RandomAround(centre.z, spread.z);
    return Vector3(x, y, z);
}

Vector3 RandomInBox(const Vector3& minimum, const Vector3& maximum)
{
    const f32 x = RandomFloatRange(minimum.x, maximum.x);
    const f32 y = RandomFloatRange(minimum.y, maximum.y);
    const f32 z = RandomFloatRange(minimum.z, maximum.z);
    return Vector3(x, y, z);
}
}

ParticleSystem::ParticleSystem(MessageManager* log, FileManager* fileManager, TimerManager* timerManager,
                               ShaderManager*, SpriteGroupManager* spriteGroupManager, Camera* camera)
    : m_log(log), m_fileManager(fileManager), m_timerManager(timerManager), m_spriteGroupManager(spriteGroupManager),
      m_name("self_made"), m_capacity(SelfMadeCapacity)
{
    CreateSpriteGroup(ShaderDescriptor(0), camera);
    ResetParticles();
}

ParticleSystem::ParticleSystem(MessageManager* log, FileManager* fileManager, TimerManager* timerManager,
                               ShaderManager*, SpriteGroupManager* spriteGroupManager, const std::string& fileName,
                               Camera* camera)
    : m_log(log), m_fileManager(fileManager), m_timerManager(timerManager), m_spriteGroupManager(spriteGroupManager),
      m_name(fileName)
{
    ReadFile(fileName);
    std::string shaderName = fileName;
    ChangePathExtension(shaderName, "srf");
    std::unique_ptr<ShaderDescriptor> shader;
    try
    {
        shader = std::make_unique<ShaderDescriptor>(m_log, m_fileManager, shaderName);
    }
    catch (const Error&)
    {
        shader = std::make_unique<ShaderDescriptor>(0);
    }
    CreateSpriteGroup(*shader, camera);
    ResetParticles();
}

ParticleSystem::ParticleSystem(const ParticleSystem& source)
    : m_log(source.m_log), m_fileManager(source.m_fileManager), m_timerManager(source.m_timerManager),
      m_spriteGroupManager(source.m_spriteGroupManager),
      m_name(source.m_name), m_parameters(source.m_parameters), m_capacity(source.m_capacity),
      m_emitterBox(source.m_emitterBox)
{
    emitterShape = source.emitterShape;
    m_spriteGroup = m_spriteGroupManager->CreateSpriteGroupCopy(*source.m_spriteGroup, false);
    ResetParticles();
}

ParticleSystem::~ParticleSystem()
{
    m_spriteGroupManager->DeleteSpriteGroup(m_spriteGroup);
}

void ParticleSystem::ReadFile(const std::string& fileName)
{
    ParticleSystemFile contents;
    try
    {
        const std::unique_ptr<FileBinary> file = m_fileManager->OpenBinary(
            FileManager::GetDataPath(fileName), FileBinary::ForReading, FileBinary::ReadAsNeeded);
        contents.Read(*file, fileName);
    }
    catch (const FileError& error)
    {
        m_log->Error(error.GetMessage());
        throw Error(error.GetMessage());
    }
    m_capacity = contents.capacity;
    m_parameters = contents.parameters;
    emitterShape = contents.emitterShape;
    m_emitterBox.SetBox(contents.boxMinimum, contents.boxMaximum);
}

void ParticleSystem::CreateSpriteGroup(const ShaderDescriptor& shader, Camera* camera)
{
    m_spriteGroup = m_spriteGroupManager->CreateSpriteGroup(m_capacity, &shader, camera);
}

// Every particle free, the last record first in the queue; the cycle idle.
void ParticleSystem::ResetParticles()
{
    // Each particle needs a sprite of its own.
    m_capacity = std::min(m_capacity, m_spriteGroup->GetCapacity());
    m_particles.assign(m_capacity, Particle());
    m_freeParticles = FreeIndexQueue(m_capacity);
    m_freeParticles.FillDescending();
    time = 0.0f;
    m_accumulator = 0.0f;
    m_aliveCount = 0;
    m_peakAliveCount = 0;
    m_lastSegment = -1;
    m_cycleTimeSeen = 0.0f;
    emitterPosition = Vector3();
    paused = 0;
    loop = 0;
    active = 0;
}

void ParticleSystem::SetVisible(bool visible)
{
    m_spriteGroup->SetVisible(visible);
}

bool ParticleSystem::IsVisible() const
{
    return m_spriteGroup->IsVisible();
}

Model* ParticleSystem::GetModel() const
{
    return m_spriteGroup->GetModel();
}

ShaderUser* ParticleSystem::GetShader() const
{
    return m_spriteGroup->GetShader();
}

void ParticleSystem::SetShader(const ShaderDescriptor& descriptor)
{
    m_spriteGroup->SetShader(descriptor);
}

void ParticleSystem::SetColor(const Color& color)
{
    m_spriteGroup->groupColor = color;
}

void ParticleSystem::ReleaseAllParticles()
{
    for (u32 i = 0; i < m_capacity; ++i)
        if (!m_particles[i].free)
            FreeParticle(i);
    m_aliveCount = 0;
}

void ParticleSystem::ReleaseDeadParticles()
{
    for (u32 i = 0; i < m_capacity; ++i)
    {
        const Particle& particle = m_particles[i];
        if (particle.free || particle.age < particle.lifetime)
            continue;
        FreeParticle(i);
        if (m_aliveCount > 0)
            --m_aliveCount;
    }
}

void ParticleSystem::FreeParticle(u32 index)
{
    Particle& particle = m_particles[index];
    m_spriteGroup->ReleaseSprite(particle.sprite);
    particle.free = 1;
    m_freeParticles.PushBack(index);
}

void ParticleSystem::Update()
{
    if (paused || !m_spriteGroup->IsVisible())
        return;
    const f32 dt = m_timerManager->GetFrameTime();
    if (m_parameters.continuousEmission)
        RunContinuousCycle(dt);
    else
        RunBurstCycle(dt);
    MoveParticles(dt);
    m_peakAliveCount = std::max(m_peakAliveCount, m_aliveCount);
}

// Returns how many times the cycle reached its end, counted up to two: a looping cycle keeps the remainder,
// a single one ends and goes idle.
u32 ParticleSystem::AdvanceCycle(f32 dt)
{
    if (active)
        time += dt;
    if (time < m_parameters.period)
        return 0;
    if (loop)
    {
        const u32 ends = time >= 2.0f * m_parameters.period ? 2 : 1;
        // The remainder, as repeated subtraction would leave it, in one step whatever the period's size.
        time = std::fmod(time, m_parameters.period);
        return ends;
    }
    time = 0.0f;
    m_lastSegment = -1;
    active = 0;
    return 1;
}

void ParticleSystem::RunContinuousCycle(f32 dt)
{
    AdvanceCycle(dt);
    if (!active)
        return;
    const ParticleParameters& p = m_parameters;
    const ParticleKeySpot spot = FindParticleKeySpot(time / p.period);
    m_accumulator += InterpolateParticleKeys(p.emission, spot) * dt;
    EmitOwed(InterpolateParticleKeys(p.lifeCentre, spot), InterpolateParticleKeys(p.lifeSpread, spot));
}

void ParticleSystem::RunBurstCycle(f32 dt)
{
    // The owner starts a cycle again by setting its time back: it emits from its first segment again, even
    // when the last update left it in that segment, running or stopped.
    if (time < m_cycleTimeSeen)
        m_lastSegment = -1;
    RunBurstSegments(dt);
    m_cycleTimeSeen = time;
}

// A burst emits a segment's count once as the cycle enters the segment. A long frame can enter several
// segments, or carry the cycle past its end, without stopping in each: every segment entered still emits,
// in order, but a looping cycle no more than one cycle's worth, so that a long stall does not flood the
// screen.
void ParticleSystem::RunBurstSegments(f32 dt)
{
    if (!active)
    {
        AdvanceCycle(dt);
        return;
    }
    const i32 startSegment = CycleSegment(time);
    const i32 firstEntered = startSegment == m_lastSegment ? startSegment + 1 : startSegment;
    const i32 cycleEnds = static_cast<i32>(AdvanceCycle(dt));
    // Segments numbered on across the cycles the frame runs through: segment k of the next cycle is 5 + k.
    const i32 last = active ? cycleEnds * kSegmentsPerCycle + CycleSegment(time) : kSegmentsPerCycle - 1;
    for (i32 n = std::max(firstEntered, last - (kSegmentsPerCycle - 1)); n <= last; ++n)
        EmitBurst(static_cast<u32>(n % kSegmentsPerCycle));
    if (active)
        m_lastSegment = last % kSegmentsPerCycle;
}

// The key segment of a time within the cycle; the last key, reached only at the cycle's very end, counts as
// the last segment.
i32 ParticleSystem::CycleSegment(f32 cycleTime) const
{
    const u32 key = FindParticleKeySpot(cycleTime / m_parameters.period).key;
    return std::min(static_cast<i32>(key), kSegmentsPerCycle - 1);
}

void ParticleSystem::EmitBurst(u32 segment)
{
    const ParticleParameters& p = m_parameters;
    m_accumulator += p.emission[segment];
    EmitOwed(p.lifeCentre[segment], p.lifeSpread[segment]);
}

// The whole particles owed leave the accumulator even when fewer are free; the count is weighed in floating
// point so a huge debt never overflows an integer.
void ParticleSystem::EmitOwed(f32 lifeCentre, f32 lifeSpread)
{
    const f32 owed = std::trunc(m_accumulator);
    if (!(owed > 0.0f))
        return;
    m_accumulator -= owed;
    const f32 free = static_cast<f32>(m_freeParticles.GetCount());
    const u32 count = owed < free ? static_cast<u32>(owed) : m_freeParticles.GetCount();
    for (u32 i = 0; i < count; ++i)
        EmitParticle(lifeCentre, lifeSpread);
}

void ParticleSystem::EmitParticle(f32 lifeCentre, f32 lifeSpread)
{
    const ParticleParameters& p = m_parameters;
    Particle& particle = m_particles[m_freeParticles.PopFront()];
    particle.free = 0;
    particle.sprite = m_spriteGroup->AddSprite(StartPosition(), p.size[0], p.color[0]);
    particle.lifetime = RandomAround(lifeCentre, lifeSpread);
    particle.age = 0.0f;
    particle.direction = Vector3();
    DrawDirectionKeys(particle);
    for (u32 j = 0; j < ParticleKeyCount; ++j)
        particle.speedKeys[j] = RandomAround(p.speedCentre[j], p.speedSpread[j]);
    particle.fallSpeed = 0.0f;
    particle.speedScale = 1.0f;
}

Vector3 ParticleSystem::StartPosition() const
{
    switch (emitterShape)
    {
    case ShapeBox:
        return emitterPosition + RandomInBox(m_emitterBox.GetWorldMinimum(), m_emitterBox.GetWorldMaximum());
    case ShapePath:
        return PathPosition();
    default:
        return emitterPosition;
    }
}

Vector3 ParticleSystem::PathPosition() const
{
    const u32 count = static_cast<u32>(pathPoints.size());
    if (count == 0)
        return Vector3();
    if (!pathInterpolate)
        return pathPoints[RandomInt(0, count - 1)];
    if (count == 1)
        return pathPoints[0];
    const u32 segment = RandomInt(0, count - 2);
    const f32 t = RandomFloat();
    return pathPoints[segment] + (pathPoints[segment + 1] - pathPoints[segment]) * t;
}

void ParticleSystem::DrawDirectionKeys(Particle& particle) const
{
    const ParticleParameters& p = m_parameters;
    ParticleKeys<Vector3>& keys = particle.directionKeys;
    for (u32 j = 0; j < ParticleKeyCount; ++j)
    {
        const bool unchanged = j > 0 && p.directionCentre[j].Length() < kNoDirectionChange &&
                               p.directionSpread[j].Length() < kNoDirectionChange;
        keys[j] = unchanged ? keys[j - 1] : RandomAroundEach(p.directionCentre[j], p.directionSpread[j]);
    }
    for (Vector3& key : keys)
        key.SetLength(1.0f);
}

void ParticleSystem::MoveParticles(f32 dt)
{
    const ParticleParameters& p = m_parameters;
    m_aliveCount = 0;
    for (u32 i = 0; i < m_capacity; ++i)
    {
        Particle& particle = m_particles[i];
        if (particle.free)
            continue;
        particle.age += dt;
        if (particle.age >= particle.lifetime)
        {
            FreeParticle(i);
            continue;
        }
        const ParticleKeySpot spot = FindParticleKeySpot(particle.age / particle.lifetime);
        const f32 speed = InterpolateParticleKeys(particle.speedKeys, spot) * particle.speedScale;
        particle.direction = InterpolateParticleKeys(particle.directionKeys, spot);
        particle.direction.SetLength(1.0f);
        Vector3 displacement = particle.direction * (speed * kSpeedUnit * dt);
        if (p.gravityOn)
        {
            particle.fallSpeed += p.gravity * dt;
            displacement.z -= particle.fallSpeed * kSpeedUnit * dt;
        }
        Sprite& sprite = *m_spriteGroup->GetSprite(particle.sprite);
        sprite.position += displacement;
        if (p.floorOn && sprite.position.z < p.floorHeight)
            Bounce(particle, sprite.position, displacement);
        sprite.color = InterpolateParticleKeys(p.color, spot);
        sprite.size = InterpolateParticleKeys(p.size, spot);
        ++m_aliveCount;
    }
}

// The particle leaves the floor the way it came in, mirrored, and keeps that direction for the rest of its
// life; too slow a particle stops, and with die-when-stopped goes at the next update.
void ParticleSystem::Bounce(Particle& particle, Vector3& position, const Vector3& displacement) const
{
    const ParticleParameters& p = m_parameters;
    position.z = p.floorHeight + kAboveFloor;
    particle.fallSpeed = 0.0f;
    particle.speedScale *= p.bounceFactor;
    if (particle.speedScale < p.stopThreshold)
    {
        particle.speedScale = 0.0f;
        if (p.dieWhenStopped)
            particle.age = particle.lifetime + kPastLifetime;
    }
    Vector3 away = displacement;
    away.z = std::fabs(away.z);
    away.SetLength(1.0f);
    particle.direction = away;
    particle.directionKeys.fill(away);
}
}
