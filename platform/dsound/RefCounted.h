// The reference count behind every DirectSound-shaped object: the last Release deletes it.
#pragma once

#include "platform/dsound/DirectSound.h"

namespace Platform
{
template <class Interface>
class RefCounted : public Interface
{
public:
    DWORD Release() override
    {
        const DWORD remaining = --m_references;
        if (remaining == 0)
            delete this;
        return remaining;
    }

protected:
    ~RefCounted() override = default;

private:
    DWORD m_references = 1;
};
}
