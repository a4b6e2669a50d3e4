// Starts the engine, runs frames until "exit" is requested or the frame limit is reached, and leaves its log.
// Window messages are taken one at a time and a frame runs when none is waiting, as the game's loop does.
// Every frame clears and draws a triangle and a textured quad through the render system, then a lit, textured
// quad seen by the default camera; the engine's frame then draws an animated model over them and presents.
// The last frame's centre pixel, a pixel of each quad and one of the model are read back through a screenshot
// and logged.
#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/files/FileBinary.h"
#include "engine/files/Image.h"
#include "engine/input/KeyNames.h"
#include "engine/render/Camera.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/Light.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/Texture2D.h"
#include "engine/render/TextureManager.h"
#include "engine/render/VertexBuffer.h"
#include "engine/scene/ModelFlags.h"
#include "engine/scene/ModelManager.h"
#include "engine/sound/Sound.h"
#include "platform/win32/WindowApi.h"
#include "tests/support/ModelFileWriter.h"
#include "tests/support/ShaderFileWriter.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace
{
struct Options
{
    unsigned frames = 0; // 0: until exit is requested
    std::string logFolder = "Logs";
    // Logs the controls pressed and the window's mode request in each frame, for the input check.
    bool logInput = false;
    unsigned frameSleep = 0;
    // An effect played once and music played in a loop from the start, to hear (or record) the sound output.
    std::string sound;
    std::string music;
};

Options ParseOptions(int argc, char** argv)
{
    Options options;
    for (int i = 1; i + 1 < argc; i += 2)
    {
        if (std::strcmp(argv[i], "--frames") == 0)
            options.frames = static_cast<unsigned>(std::strtoul(argv[i + 1], nullptr, 10));
        else if (std::strcmp(argv[i], "--log-dir") == 0)
            options.logFolder = argv[i + 1];
        else if (std::strcmp(argv[i], "--log-input") == 0)
            options.logInput = std::strcmp(argv[i + 1], "0") != 0;
        else if (std::strcmp(argv[i], "--frame-sleep") == 0)
            options.frameSleep = static_cast<unsigned>(std::strtoul(argv[i + 1], nullptr, 10));
        else if (std::strcmp(argv[i], "--sound") == 0)
            options.sound = argv[i + 1];
        else if (std::strcmp(argv[i], "--music") == 0)
            options.music = argv[i + 1];
    }
    return options;
}

// Stands in for the game's handler of the mode request, which it acknowledges.
void LogInput(VelkorEngine::Engine& engine)
{
    VelkorEngine::MessageManager& log = *engine.GetMessageManager();
    for (const VelkorEngine::KeyName& key : VelkorEngine::kKeyNames)
        if (engine.GetControls()->IsPressed(key.name))
            log.Message(std::string("Pressed: ") + key.name);
    VelkorEngine::Config& config = *engine.GetConfig();
    if (!config.IsCommandIdle("v_window_change_mode"))
    {
        log.Message("Requested: v_window_change_mode");
        config.SetCommandIdle("v_window_change_mode", 1);
    }
}

// Queued as the game queues its sounds; the engine's next frame starts them. Silent without a sound device.
void StartSounds(VelkorEngine::Engine& engine, const Options& options)
{
    VelkorEngine::SoundManager* sounds = engine.GetSoundManager();
    if (!sounds)
        return;
    if (!options.sound.empty())
        sounds->Play(sounds->CreateSound(options.sound), 0);
    if (!options.music.empty())
    {
        VelkorEngine::Sound* music = sounds->CreateSound(options.music);
        music->SetLooping(1);
        sounds->Play(music, 0);
    }
}

// A quad near the top left corner with a 2 x 2 texture made in memory: green and blue along its bottom row,
// yellow and magenta along its top row, sampled without filtering.
class TexturedQuad
{
public:
    TexturedQuad(VelkorEngine::Engine& engine)
        : m_render(*engine.GetRenderSystem()),
          m_textures(engine.GetMessageManager(), engine.GetFileManager(), engine.GetConfig(), engine.GetTimerManager(),
                     engine.GetRenderSystem()),
          m_vertices(m_render.CreateVertexBuffer(0, 1, 4)), m_indices(m_render.CreateIndexBuffer(0, 6))
    {
        auto picture = std::make_unique<VelkorEngine::Image>();
        picture->Create(engine.GetMessageManager(), 2, 2, 24);
        const VelkorEngine::u8 texels[12] = {0, 255, 0, 0, 0, 255, 255, 255, 0, 255, 0, 255};
        std::memcpy(picture->GetData(), texels, sizeof(texels));
        m_texture = m_textures.LoadTexture(true, false, "smoke_quad", "", picture.release(), nullptr);
        // Corners with texture coordinates: v = 0 (the picture's bottom row) along the bottom edge.
        const float corners[4][5] = {{-0.9f, 0.5f, 0.5f, 0.0f, 0.0f}, {-0.9f, 0.9f, 0.5f, 0.0f, 1.0f},
                                     {-0.5f, 0.9f, 0.5f, 1.0f, 1.0f}, {-0.5f, 0.5f, 0.5f, 1.0f, 0.0f}};
        VelkorEngine::u8* vertex = m_vertices->LockRange(0, 4);
        for (const auto& corner : corners)
        {
            std::memcpy(vertex, corner, 3 * sizeof(float));
            std::memcpy(vertex + m_vertices->GetTextureOffset(), corner + 3, 2 * sizeof(float));
            vertex += m_vertices->GetStride();
        }
        m_vertices->Unlock();
        const VelkorEngine::u32 indices[6] = {0, 1, 2, 0, 2, 3};
        m_indices->SetIndices(0, 6, indices);
    }

    ~TexturedQuad() { m_textures.ReleaseTexture(m_texture); }

    void Draw()
    {
        m_render.SetTexture(0, m_texture);
        m_render.SetTextureFilter(0, VelkorEngine::RenderSystem::FilterPoint);
        m_render.DrawIndexedPrimitive(VelkorEngine::RenderSystem::TriangleList, m_indices.get(), m_vertices.get(), 2);
        m_render.SetTexture(0, nullptr);
    }

private:
    VelkorEngine::RenderSystem& m_render;
    VelkorEngine::TextureManager m_textures;
    VelkorEngine::Texture2D* m_texture = nullptr;
    std::unique_ptr<VelkorEngine::VertexBuffer> m_vertices;
    std::unique_ptr<VelkorEngine::IndexBuffer> m_indices;
};

// A quad to the right of the middle, seen by the engine's default camera: an orange texture made in memory,
// applied through a shader of the shader manager, and a directional light falling at 60 degrees, so the quad
// shows half the texture's colour. The texture is put in the texture manager under the name the shader asks
// for, so no file is read.
class LitQuad
{
public:
    explicit LitQuad(VelkorEngine::Engine& engine)
        : m_render(*engine.GetRenderSystem()), m_cameras(*engine.GetCameraManager()),
          m_lights(*engine.GetLightManager()), m_shaders(*engine.GetShaderManager()),
          m_vertices(m_render.CreateVertexBuffer(0, 0, 4)),
          m_indices(m_render.CreateIndexBuffer(0, 6))
    {
        auto picture = std::make_unique<VelkorEngine::Image>();
        picture->Create(engine.GetMessageManager(), 2, 2, 24);
        const VelkorEngine::u8 orange[3] = {255, 128, 0};
        for (VelkorEngine::u32 texel = 0; texel < 4; ++texel)
            std::memcpy(picture->GetData() + 3 * texel, orange, 3);
        VelkorEngine::TextureManager& textures = *m_shaders.GetTextureManager();
        m_texture = textures.LoadTexture(true, false, "data\\smoke\\orange.tga", "", picture.release(), nullptr);
        m_shader =
            m_shaders.AddShader(VelkorEngine::BuildSingleTextureShaderDescriptor("smoke\\orange.tga", "", false));

        m_light = m_lights.CreateLight();
        m_light->kind = VelkorEngine::Light::KindDirectional;
        m_light->direction = VelkorEngine::Vector3(0.0f, -0.8660254f, -0.5f);
        m_light->ambient = VelkorEngine::Color(0.0f, 0.0f, 0.0f, 1.0f);
        m_light->specular = VelkorEngine::Color(0.0f, 0.0f, 0.0f, 1.0f);

        // Position, normal and texture coordinates of each corner, facing the camera from 6 units ahead.
        const float corners[4][8] = {{2.0f, -0.6f, -6.0f, 0, 0, 1, 0, 0},
                                     {2.0f, 0.6f, -6.0f, 0, 0, 1, 0, 1},
                                     {3.2f, 0.6f, -6.0f, 0, 0, 1, 1, 1},
                                     {3.2f, -0.6f, -6.0f, 0, 0, 1, 1, 0}};
        VelkorEngine::u8* vertex = m_vertices->LockRange(0, 4);
        for (const auto& corner : corners)
        {
            std::memcpy(vertex, corner, sizeof(corner));
            vertex += m_vertices->GetStride();
        }
        m_vertices->Unlock();
        const VelkorEngine::u32 indices[6] = {0, 1, 2, 0, 2, 3};
        m_indices->SetIndices(0, 6, indices);
    }

    ~LitQuad()
    {
        m_lights.DeleteLight(m_light);
        m_shaders.RemoveShader(m_shader);
        m_shaders.GetTextureManager()->ReleaseTexture(m_texture);
    }

    void Draw()
    {
        m_cameras.SetCurrentCamera(m_cameras.GetDefaultCamera(), false);
        m_lights.EnableLighting(true);
        m_shader->Apply();
        m_render.DrawIndexedPrimitive(VelkorEngine::RenderSystem::TriangleList, m_indices.get(), m_vertices.get(), 2);
        m_lights.EnableLighting(false);
    }

private:
    VelkorEngine::RenderSystem& m_render;
    VelkorEngine::CameraManager& m_cameras;
    VelkorEngine::LightManager& m_lights;
    VelkorEngine::ShaderManager& m_shaders;
    VelkorEngine::Texture2D* m_texture = nullptr;
    VelkorEngine::ShaderUser* m_shader = nullptr;
    VelkorEngine::Light* m_light = nullptr;
    std::unique_ptr<VelkorEngine::VertexBuffer> m_vertices;
    std::unique_ptr<VelkorEngine::IndexBuffer> m_indices;
};

// A yellow square bound to one bone that swings it left and right, looping, below and left of the middle,
// seen by the default camera. Its model file (and an empty shader file beside it) is written into the log
// folder at start and loaded by the model manager, which draws and animates it every frame.
class AnimatedModel
{
public:
    AnimatedModel(VelkorEngine::Engine& engine, const std::string& folder) : m_models(*engine.GetModelManager())
    {
        // Absolute names, found where the log is: a relative name would be looked up in the data folder.
        std::string name;
        std::string shaderName;
        VelkorEngine::FileManager::MakeAbsolutePath(folder + "\\swinging_square.mlf", name);
        VelkorEngine::FileManager::MakeAbsolutePath(folder + "\\swinging_square.srf", shaderName);
        WriteFile(*engine.GetFileManager(), name, TestSupport::WriteModelFile(Description()));
        WriteFile(*engine.GetFileManager(), shaderName, TestSupport::BuildShaderFile(TestSupport::ShaderFile{}));
        m_model = m_models.CreateModelFromFile(name, nullptr,
                                               VelkorEngine::ModelFlags::Visible | VelkorEngine::ModelFlags::VertexColor);
        m_model->SetColor(VelkorEngine::Color(1.0f, 1.0f, 0.0f, 1.0f));
        VelkorEngine::MakeTranslationMatrix(m_model->worldMatrix, VelkorEngine::Vector3(-2.5f, -2.0f, -6.0f));
        m_model->animation->loop = 1;
        m_model->animation->Start();
    }

    ~AnimatedModel() { m_models.DeleteModel(m_model); }

private:
    static void WriteFile(VelkorEngine::FileManager& files, const std::string& name, const std::string& bytes)
    {
        std::unique_ptr<VelkorEngine::FileBinary> file = files.OpenBinary(name, 1, 0);
        file->Write(bytes.data(), static_cast<VelkorEngine::u32>(bytes.size()));
        file->Close();
    }

    // Three key frames at two frames a second: rest, 0.3 to the right, rest.
    static TestSupport::ModelFileDescription Description()
    {
        TestSupport::ModelFileDescription d;
        d.flags = VelkorEngine::ModelFlags::Skeletal | VelkorEngine::ModelFlags::TriangleList;
        d.frameCount = 3;
        d.speed = 2.0f;
        const VelkorEngine::Vector3 half(0.6f, 0.6f, 0.0f);
        d.bones = {{0, "swing", VelkorEngine::Vector3(0.0f), half * -1.0f, half, 0, 0}};
        for (float x : {0.0f, 0.3f, 0.0f})
            d.keyFrames.insert(d.keyFrames.end(), {x, 0, 0, 0, 0, 0, 1, 1, 1, 1});
        d.indices = {0, 1, 2, 0, 2, 3};
        const float corners[4][2] = {{-0.6f, -0.6f}, {0.6f, -0.6f}, {0.6f, 0.6f}, {-0.6f, 0.6f}};
        const VelkorEngine::Vector3 normal(0.0f, 0.0f, 1.0f);
        for (const auto& corner : corners)
            d.skinnedVertices.push_back(
                {0.0f, 0.0f, {{0, 1.0f, normal, VelkorEngine::Vector3(corner[0], corner[1], 0.0f)}}});
        d.boxes = {{half * -1.0f, half}};
        return d;
    }

    VelkorEngine::ModelManager& m_models;
    VelkorEngine::Model* m_model = nullptr;
};

// A red triangle over the middle of a dark blue frame and the textured quad, in screen space through an
// orthographic camera that maps -1 to 1 onto the frame; then the lit quad through the default camera.
class SmokeScene
{
public:
    SmokeScene(VelkorEngine::Engine& engine, const std::string& folder)
        : m_render(*engine.GetRenderSystem()), m_cameras(*engine.GetCameraManager()),
          m_screen(m_cameras.CreateCamera(VelkorEngine::Camera::KindOrthographic)),
          m_vertices(m_render.CreateVertexBuffer(0, 1, 3)), m_indices(m_render.CreateIndexBuffer(0, 3)), m_quad(engine),
          m_litQuad(engine), m_model(engine, folder)
    {
        m_screen->orthoWidth = 2.0f;
        m_screen->orthoHeight = 2.0f;
        m_screen->nearPlane = -1.0f;
        m_screen->farPlane = 1.0f;
        m_screen->position = VelkorEngine::Vector3(-1.0f, -1.0f, 0.0f);
        m_cameras.Update();
        const float corners[3][3] = {{-0.5f, -0.5f, 0.5f}, {0.0f, 0.5f, 0.5f}, {0.5f, -0.5f, 0.5f}};
        VelkorEngine::u8* vertex = m_vertices->LockRange(0, 3);
        for (const auto& corner : corners)
        {
            std::memcpy(vertex, corner, sizeof(corner));
            vertex += m_vertices->GetStride();
        }
        m_vertices->Unlock();
        m_vertices->SetColor(VelkorEngine::Color(1.0f, 0.0f, 0.0f, 1.0f));
        const VelkorEngine::u32 indices[3] = {0, 1, 2};
        m_indices->SetIndices(0, 3, indices);
    }

    ~SmokeScene() { m_cameras.DeleteCamera(m_screen); }

    void Draw()
    {
        VelkorEngine::Matrix4 identity;
        VelkorEngine::MakeIdentityMatrix(identity);
        m_cameras.SetCurrentCamera(m_screen, false);
        m_render.SetWorldMatrix(identity);
        m_render.SetClearColor(VelkorEngine::Color(0.0f, 0.0f, 0.25f, 1.0f));
        m_render.SetClearFlags(VelkorEngine::RenderSystem::ClearColor | VelkorEngine::RenderSystem::ClearDepth);
        m_render.BeginScene();
        m_render.DrawIndexedPrimitive(VelkorEngine::RenderSystem::TriangleList, m_indices.get(), m_vertices.get(), 1);
        m_quad.Draw();
        m_litQuad.Draw();
        m_render.EndScene();
        // The model manager's scene in the engine's frame draws over this one instead of clearing it.
        m_render.SetClearFlags(0);
    }

    // A pixel of the screenshot as "red green blue", x from the left and y from the top, in 1/800 and 1/600
    // of the frame so the answer does not depend on the window's size.
    std::string PixelAt(VelkorEngine::u32 x, VelkorEngine::u32 y)
    {
        VelkorEngine::Image image;
        m_render.TakeScreenshot(image);
        const VelkorEngine::u32 bytes = static_cast<VelkorEngine::u32>(image.GetBitsPerPixel()) / 8;
        if (image.IsEmpty() || bytes < 3)
            return "none";
        const VelkorEngine::u32 column = x * image.GetWidth() / 800;
        const VelkorEngine::u32 row = image.GetHeight() - 1 - y * image.GetHeight() / 600;
        const VelkorEngine::u8* pixel = image.GetData() + (static_cast<size_t>(row) * image.GetWidth() + column) * bytes;
        return std::to_string(pixel[0]) + " " + std::to_string(pixel[1]) + " " + std::to_string(pixel[2]);
    }

private:
    VelkorEngine::RenderSystem& m_render;
    VelkorEngine::CameraManager& m_cameras;
    VelkorEngine::Camera* m_screen;
    std::unique_ptr<VelkorEngine::VertexBuffer> m_vertices;
    std::unique_ptr<VelkorEngine::IndexBuffer> m_indices;
    TexturedQuad m_quad;
    LitQuad m_litQuad;
    AnimatedModel m_model;
};

bool DispatchOneMessage()
{
    MSG message;
    if (!PeekMessage(&message, nullptr, 0, 0, PM_REMOVE))
        return false;
    TranslateMessage(&message);
    DispatchMessage(&message);
    return true;
}
}

int main(int argc, char** argv)
{
    const Options options = ParseOptions(argc, argv);
    VelkorEngine::EngineParameters parameters;
    parameters.applicationName = "Velkor Engine Smoke";
    parameters.version = 100;
    parameters.saveSettingsOnExit = 1;
    parameters.settingsName = "smoke";
    parameters.writeLog = 1;
    parameters.logDirectory = options.logFolder;
    parameters.logName = "smoke";
    parameters.settingsDirectory = options.logFolder;
    parameters.dataFolder = "Data";
    parameters.minimizeOnFocusLoss = 0;
    parameters.defaultVideoMode = "800x600x32";
    parameters.defaultFullScreen = 0;
    parameters.centreWindow = 1;
    try
    {
        VelkorEngine::Engine engine(parameters);
        StartSounds(engine, options);
        SmokeScene scene(engine, options.logFolder);
        if (options.logInput)
            engine.GetMessageManager()->Message("Frames running");
        for (unsigned frame = 0; !engine.IsExitRequested();)
        {
            if (DispatchOneMessage())
                continue;
            if (options.frames != 0 && frame >= options.frames)
                engine.RequestExit();
            engine.Render();
            if (options.logInput)
                LogInput(engine);
            scene.Draw();
            engine.Frame(options.frameSleep);
            // The frame just presented stays in the back buffer, where the screenshot reads it.
            if (engine.IsExitRequested())
            {
                engine.GetMessageManager()->Message("Centre pixel: " + scene.PixelAt(400, 300));
                engine.GetMessageManager()->Message("Textured quad pixel: " + scene.PixelAt(80, 120));
                engine.GetMessageManager()->Message("Lit quad pixel: " + scene.PixelAt(625, 300));
                engine.GetMessageManager()->Message("Model pixel: " + scene.PixelAt(184, 473));
            }
            ++frame;
        }
    }
    catch (const VelkorEngine::Error& error)
    {
        std::fprintf(stderr, "Fatal Error: %s\n", error.GetMessage().c_str());
        return 1;
    }
    return 0;
}
