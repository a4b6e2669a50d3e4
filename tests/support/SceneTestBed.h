// A render test bed on the scripted Direct3D 7 driver, for the scene services that sit on the render system
// (cameras, lights, shaders): the render system is started, the calls of its start are forgotten, and the
// device calls that follow are read back by name.
#pragma once

#include "tests/support/D3D7FakeDriver.h"
#include "tests/support/FakeWindowBackend.h"
#include "tests/support/RenderTestBed.h"

#include <memory>
#include <string>
#include <vector>

namespace KorvaneTest
{
class SceneTestBed
{
public:
    SceneTestBed();

    VelkorEngine::RenderSystem_D3D7& Render() { return m_bed->Render(); }
    VelkorEngine::MessageManager& Log() { return m_bed->Log(); }
    VelkorEngine::Window& GetWindow() { return m_bed->GetWindow(); }
    D3D7FakeDriver& Driver() { return m_driver; }
    const D3D7FakeDriver& Driver() const { return m_driver; }

    // The matrix of the last SetTransform of that kind; the number of such calls.
    D3DMATRIX LastTransform(DWORD state) const;
    int TransformCount(DWORD state) const;
    std::vector<std::string> Errors() const { return m_bed->Entries(VelkorEngine::MessageManager::KindError); }
    std::vector<std::string> Warnings() const { return m_bed->Entries(VelkorEngine::MessageManager::KindWarning); }

private:
    TestSupport::FakeWindowBackend m_backend;
    D3D7FakeDriver m_driver;
    std::unique_ptr<RenderTestBed> m_bed;
};
}
