#include "tests/support/PictureEngine.h"

#include "engine/core/Color.h"
#include "engine/core/Engine.h"
#include "engine/core/Quaternion.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/RenderSystem.h"

namespace TestSupport
{
VelkorEngine::EngineParameters PictureEngineParameters(const std::string& applicationName,
                                                       const std::string& installation,
                                                       const std::string& videoMode)
{
    VelkorEngine::EngineParameters parameters;
    parameters.applicationName = applicationName;
    parameters.version = 100;
    parameters.basePath = installation;
    parameters.dataFolder = "data";
    parameters.writeLog = 0;
    parameters.defaultVideoMode = videoMode;
    parameters.defaultFullScreen = 0;
    parameters.centreWindow = 1;
    parameters.useStencilBuffer = 1;
    return parameters;
}

void SetUpGameCamera(VelkorEngine::Engine& engine, const VelkorEngine::Color& clearColor)
{
    using namespace VelkorEngine;
    Camera& camera = *engine.GetCameraManager()->GetDefaultCamera();
    camera.fieldOfView = 3.14159265f / 2.0f;
    camera.nearPlane = 70.0f;
    camera.farPlane = 650.0f;
    camera.orientation = Quaternion(0.4939f, 0.0f, 0.0f, 0.8695f);
    camera.position = Vector3(0.0f, -140.0f, 98.0f);
    RenderSystem& render = *engine.GetRenderSystem();
    render.SetClearColor(clearColor);
    render.SetClearFlags(RenderSystem::ClearColor | RenderSystem::ClearDepth);
}
}
