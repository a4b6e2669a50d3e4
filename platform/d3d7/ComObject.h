// The COM shape of every object of the drawing layer: no further interfaces to query, and a reference count
// that holders may raise.
#pragma once

#include "platform/core/RefCounted.h"
#include "platform/d3d7/DDraw.h"

namespace Platform
{
template <class Interface>
class ComObject : public RefCounted<Interface>
{
public:
    HRESULT QueryInterface(REFIID, void** object) override
    {
        if (object)
            *object = nullptr;
        return E_NOINTERFACE;
    }

    ULONG AddRef() override { return this->AddReference(); }

protected:
    ComObject() = default;
    ~ComObject() override = default;
};
}
