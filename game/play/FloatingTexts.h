// What the play logic needs of the short texts that float up over the playfield: the game's window layer
// draws them, so the play only asks for one at a point of the scene and moves them on once a frame.
#pragma once

#include "engine/core/Vector3.h"

#include <string>

namespace Korvane
{
class FloatingTexts
{
public:
    virtual ~FloatingTexts() = default;

    // A text centred on where the point of the 3D scene appears on the screen.
    virtual void CreateTextAt(const std::wstring& text, const VelkorEngine::Vector3& point) = 0;
    // Once a frame: the texts grow, rise, fade and go.
    virtual void Update() = 0;
    // Every text goes at once, however far it has run.
    virtual void Clear() = 0;
};
}
