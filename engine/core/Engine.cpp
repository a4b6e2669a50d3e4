// Construction order, the two frame steps and teardown of the engine's services.
#include "engine/core/Engine.h"

#include "engine/core/Random.h"
#include "engine/core/StringHelpers.h"
#include "platform/win32/Time.h"

namespace VelkorEngine
{
namespace
{
EngineParameters WithDefaults(const EngineParameters& given)
{
    EngineParameters parameters = given;
    if (parameters.applicationName.empty())
    {
        parameters.applicationName = "Velkor Engine";
        parameters.version = 67;
    }
    return parameters;
}
}

Engine::Engine(const EngineParameters& parameters)
    : m_parameters(std::make_unique<EngineParameters>(WithDefaults(parameters)))
{
    const EngineParameters& p = *m_parameters;
    m_messageManager = std::make_unique<MessageManager>(p.applicationName, p.writeLog, p.reopenLogPerEntry,
                                                        p.logDirectory, p.logName);
    m_timerManager = std::make_unique<TimerManager>();
    // Milliseconds since boot, so that two runs draw different sequences.
    SeedRandom(GetTickCount());
}

Engine::~Engine()
{
    m_timerManager.reset();
    m_messageManager.reset();
    m_parameters.reset();
}

void Engine::Render()
{
    m_timerManager->Update();
    m_messageManager->ClearRecords();
}

void Engine::Frame(u32 sleepMs)
{
    if (sleepMs != 0)
        Sleep(sleepMs);
    if (IsExitRequested())
        m_messageManager->Message("\nExiting...\n");
}

bool Engine::IsExitRequested() const { return m_exitRequested; }

void Engine::RequestExit() { m_exitRequested = true; }

std::string Engine::GetVersionString() const
{
    const u32 version = m_parameters->version;
    return m_parameters->applicationName + " " + UIntToString(version / 100, 0) + "." + UIntToString(version % 100, 2);
}
}
