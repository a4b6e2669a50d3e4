// The engine on the platform twins.
#include "tests/support/EngineTestBed.h"

#include <regex>

namespace TestSupport
{
EngineTestBed::EngineTestBed()
{
    display.adapters = {KorvaneTest::D3D7FakeDriver::StandardAdapter()};
    windows.desktop = RECT{0, 0, 1280, 1024};
    parameters.applicationName = "Engine Test";
    parameters.version = 100;
    parameters.basePath = folder.Path();
    parameters.dataFolder = "Data";
    parameters.settingsName = "engine";
    parameters.settingsDirectory = folder.Path();
    parameters.writeLog = 1;
    parameters.logDirectory = folder.Path();
    parameters.logName = "engine";
    parameters.defaultVideoMode = "800x600x32";
    parameters.defaultFullScreen = 0;
    parameters.centreWindow = 1;
}

EngineTestBed::~EngineTestBed() { m_engine.reset(); }

VelkorEngine::Engine& EngineTestBed::Start()
{
    m_engine = std::make_unique<VelkorEngine::Engine>(parameters);
    return *m_engine;
}

std::string EngineTestBed::LogText() const
{
    const std::string html = folder.ReadFile("engine.html");
    return std::regex_replace(std::regex_replace(html, std::regex("<BR>"), "\n"), std::regex("<[^>]*>"), "");
}

std::vector<std::string> EngineTestBed::Records(VelkorEngine::u32 kind) const
{
    std::vector<std::string> texts;
    VelkorEngine::MessageManager& log = *m_engine->GetMessageManager();
    for (VelkorEngine::u32 i = 0; i < log.GetRecordCount(); ++i)
        if (log.GetRecord(i).kind == kind)
            texts.push_back(log.GetRecord(i).text);
    return texts;
}

void EngineTestBed::RunFrame(VelkorEngine::u32 sleepMs)
{
    m_engine->Render();
    m_engine->Frame(sleepMs);
}
}
