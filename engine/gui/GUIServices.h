// The engine services the GUI's widgets, cursors and managers work with, handed out by the GUI manager;
// none is owned here.
#pragma once

namespace VelkorEngine
{
class Camera;
class CameraManager;
class Controls;
class FileManager;
class GUIFontManager;
class GUISoundManager;
class MessageManager;
class ModelManager;
class ShaderManager;
class SoundManager;
class TimerManager;
class Window;

struct GUIServices
{
    MessageManager* log = nullptr;
    FileManager* files = nullptr;
    Window* window = nullptr;
    TimerManager* timers = nullptr;
    CameraManager* cameras = nullptr;
    ShaderManager* shaders = nullptr;
    ModelManager* models = nullptr;
    Controls* controls = nullptr;
    // Null when the game runs without sound.
    SoundManager* sounds = nullptr;
    // The orthographic camera of the GUI's virtual screen; its view size is that screen's size.
    Camera* camera = nullptr;
    GUISoundManager* guiSounds = nullptr;
    GUIFontManager* fonts = nullptr;
};
}
