// Values and expectations on the math value types shared by the engine and play tests.
#pragma once

#include "engine/core/Matrix4.h"
#include "engine/core/Vector3.h"

#include <numbers>

namespace TestSupport
{
constexpr float kPi = std::numbers::pi_v<float>;

// Each coordinate within the tolerance of the expected one.
void ExpectVector(const VelkorEngine::Vector3& actual, const VelkorEngine::Vector3& expected,
                  float tolerance = 1e-5f);
}
