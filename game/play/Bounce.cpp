// Bounce directions of the balls.
#include "game/play/Bounce.h"

#include "engine/core/MathTolerance.h"

#include <algorithm>
#include <cmath>

using VelkorEngine::MathTolerance;

namespace Korvane::Bounce
{
namespace
{
constexpr f32 kHalfPi = 1.57079632679f;
// The largest bat bounce, reached at the head's ends, as a share of a quarter turn each way.
constexpr f32 kBatSpread = 0.85f;
constexpr f32 kLeastTurn = kHalfPi / 30.0f;
constexpr f32 kMostTurn = kHalfPi / 10.0f;
constexpr f32 kMatch = 0.01f;
constexpr f32 kBodySteepest = -0.85f;
constexpr f32 kBodyPush = 0.45f;

f32 Dot(const Vector2& a, const Vector2& b)
{
    return a.x * b.x + a.y * b.y;
}

Vector2 Unit(Vector2 v)
{
    v.SetLength(1.0f);
    return v;
}

bool Matches(const Vector2& a, const Vector2& b)
{
    return std::fabs(a.x - b.x) <= kMatch && std::fabs(a.y - b.y) <= kMatch;
}

f32 Difference(const Vector2& a, const Vector2& b)
{
    return std::fabs(a.x - b.x) + std::fabs(a.y - b.y);
}
}

Vector2 Turn(const Vector2& direction, f32 angle)
{
    const f32 c = std::cos(angle);
    const f32 s = std::sin(angle);
    return Vector2(c * direction.x - s * direction.y, s * direction.x + c * direction.y);
}

Vector2 Reflect(const Vector2& direction, const Vector2& normal)
{
    if (normal.Length() < MathTolerance)
        return direction;
    const Vector2 n = Unit(normal);
    const f32 along = Dot(direction, n);
    if (std::fabs(along) < MathTolerance)
        return n;
    return Unit(Vector2(direction.x - 2.0f * along * n.x, direction.y - 2.0f * along * n.y));
}

Vector2 Reflect(const Vector2& direction, const VelkorEngine::Plane& plane)
{
    return Reflect(direction, Vector2(plane.GetA(), plane.GetB()));
}

Vector2 CorrectAngle(const Vector2& before, const Vector2& reflected)
{
    const Vector2 back(-before.x, -before.y);
    const f32 cosine = std::clamp(Dot(back, reflected), -1.0f + MathTolerance, 1.0f - MathTolerance);
    const f32 turn = std::acos(cosine);
    const f32 size = (kMostTurn - kLeastTurn) * (1.0f - std::fabs(turn - kHalfPi) / kHalfPi) + kLeastTurn;
    const f32 extra = turn <= kHalfPi ? size : -size;
    const Vector2 left = Turn(back, turn);
    const Vector2 right = Turn(back, -turn);
    f32 angle = turn + extra;
    if (!Matches(reflected, left) &&
        (Matches(reflected, right) || Difference(reflected, right) <= Difference(reflected, left)))
        angle = -turn - extra;
    return Unit(Turn(back, angle));
}

Vector2 OffBatHead(f32 pointX, f32 headCentreX, f32 headHalfWidth)
{
    if (headHalfWidth < MathTolerance)
        return Vector2(0.0f, 1.0f);
    const f32 angle = (pointX - headCentreX) / (2.0f * headHalfWidth) * (kHalfPi * kBatSpread);
    return Unit(Vector2(std::sin(angle), std::cos(angle)));
}

Vector2 OffBatBody(Vector2 direction, f32 ballX, f32 bodyCentreX)
{
    if (direction.y > 0.0f)
        direction.y = -direction.y;
    if (direction.y > kBodySteepest)
        direction.y -= kBodyPush;
    if ((ballX < bodyCentreX && direction.x > 0.0f) || (ballX > bodyCentreX && direction.x < 0.0f))
        direction.x = -direction.x;
    return Unit(direction);
}
}
