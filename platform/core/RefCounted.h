// The reference count behind every object the platform layer hands out through an interface (drawing,
// sound and input alike): the last Release deletes it. The count is atomic because the loading thread
// creates and releases texture surfaces while the main thread draws.
#pragma once

#include <atomic>
#include <cstdint>

namespace Platform
{
template <class Interface>
class RefCounted : public Interface
{
public:
    std::uint32_t Release() override
    {
        const std::uint32_t remaining = --m_references;
        if (remaining == 0)
            delete this;
        return remaining;
    }

protected:
    RefCounted() = default;
    ~RefCounted() override = default;

    // For the interfaces that let a holder take a further reference.
    std::uint32_t AddReference() { return ++m_references; }

private:
    std::atomic<std::uint32_t> m_references{1};
};
}
