// The bits of a model's flags word: how its file is laid out, how it animates and how it is drawn.
#pragma once

#include "engine/core/Types.h"

namespace VelkorEngine::ModelFlags
{
inline constexpr u32 Static = 0x1;
inline constexpr u32 Morph = 0x2;
inline constexpr u32 Skeletal = 0x4;
inline constexpr u32 TriangleList = 0x8;
inline constexpr u32 VertexColor = 0x20;
inline constexpr u32 Lit = 0x40;
inline constexpr u32 DepthTest = 0x80;
inline constexpr u32 FirstList = 0x200;
inline constexpr u32 SecondList = 0x400;
inline constexpr u32 KeepDepth = 0x800;
inline constexpr u32 ZBiasedCamera = 0x1000;
inline constexpr u32 CullClockwise = 0x2000;
inline constexpr u32 TwoPasses = 0x4000;
inline constexpr u32 BoundsFromVertices = 0x8000;
inline constexpr u32 Visible = 0x40000;
inline constexpr u32 NoDepthWrite = 0x80000;
inline constexpr u32 IndexBufferUsage = 0x100000;
inline constexpr u32 VertexBufferUsage = 0x200000;
inline constexpr u32 CullCounterClockwise = 0x400000;
inline constexpr u32 Stencil = 0x800000;

// What a model built from nothing but a box starts with: visible, culled clockwise, drawn in the first
// list with depth test and lighting, a static triangle list.
inline constexpr u32 BoxDefaults = Visible | CullClockwise | FirstList | DepthTest | Lit | TriangleList | Static;
static_assert(BoxDefaults == 0x422C9, "stored and compared as this word");
// A flags word that came out as 0 becomes this one, so every model has at least one bit set.
inline constexpr u32 WhenEmpty = VertexBufferUsage;
}
