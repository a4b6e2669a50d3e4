// The reference count behind every object of the drawing layer: the last Release deletes it. The count is
// atomic because the loading thread creates and releases texture surfaces while the main thread draws.
#pragma once

#include "platform/d3d7/DDraw.h"

#include <atomic>

namespace Platform
{
template <class Interface>
class ComObject : public Interface
{
public:
    HRESULT QueryInterface(REFIID, void** object) override
    {
        if (object)
            *object = nullptr;
        return E_NOINTERFACE;
    }

    ULONG AddRef() override { return ++m_references; }

    ULONG Release() override
    {
        const ULONG remaining = --m_references;
        if (remaining == 0)
            delete this;
        return remaining;
    }

protected:
    ComObject() = default;
    ~ComObject() override = default;

private:
    std::atomic<ULONG> m_references{1};
};
}
