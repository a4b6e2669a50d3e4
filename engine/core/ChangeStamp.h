// Stamps for data that others derive results from: each change takes a new stamp, never given out before, so a
// derived result remembers the stamp it was made from and is made again only when the stamp differs, even when
// the data it was made from has since been replaced by other data at the same address.
#pragma once

#include "engine/core/Types.h"

namespace VelkorEngine
{
// Safe from any thread.
u64 NextChangeStamp();
}
