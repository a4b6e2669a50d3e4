// Expectations on the math value types shared by the core tests.
#pragma once

#include "engine/core/Vector3.h"

namespace TestSupport
{
// Each coordinate within the tolerance of the expected one.
void ExpectVector(const VelkorEngine::Vector3& actual, const VelkorEngine::Vector3& expected,
                  float tolerance = 1e-5f);
}
