// The plain OpenGL loops of the benchmarks draw vertices and indices from their own memory. The drawing layer may
// leave buffer objects bound, which would turn those pointers into offsets within the buffers and draw something
// else or nothing: the loops unbind them first.
#pragma once

namespace BenchSupport
{
void UseClientArrays();
}
