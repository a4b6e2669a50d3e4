// What a window description says about a control's look: its full name, its model or textured rectangle,
// and the helper model whose animation moves it. Built by the window base for each control.
#pragma once

#include "engine/core/Types.h"
#include "engine/core/Vector2.h"

#include <string>

namespace GUITools
{
struct ControlModelDescription
{
    // A frame number that was not given.
    static constexpr VelkorEngine::u32 NoFrame = 0xFFFFFFFF;

    std::string name;
    std::string model;
    VelkorEngine::u32 modelStartFrame = NoFrame;
    VelkorEngine::u32 modelEndFrame = NoFrame;
    std::string shader;
    VelkorEngine::Vector2 uv{1.0f, 1.0f};
    std::string animatorModel;
    VelkorEngine::u32 animatorStartFrame = NoFrame;
    VelkorEngine::u32 animatorEndFrame = NoFrame;
};
}
