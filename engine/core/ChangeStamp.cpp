// One counter for the whole process.
#include "engine/core/ChangeStamp.h"

#include <atomic>

namespace VelkorEngine
{
u64 NextChangeStamp()
{
    static std::atomic<u64> last{0};
    return last.fetch_add(1, std::memory_order_relaxed) + 1;
}
}
