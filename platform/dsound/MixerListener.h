// The 3D listener of the mix: position and orientation, applied at once or at the next commit.
#pragma once

#include "platform/core/RefCounted.h"
#include "platform/dsound/DirectSound.h"

#include <memory>

namespace Platform
{
class Mixer;

class MixerListener : public RefCounted<IDirectSound3DListener>
{
public:
    explicit MixerListener(std::shared_ptr<Mixer> mixer);

    HRESULT SetPosition(float x, float y, float z, DWORD apply) override;
    HRESULT SetOrientation(float frontX, float frontY, float frontZ, float topX, float topY, float topZ,
                           DWORD apply) override;
    // Applies every deferred listener and 3D-buffer setting together.
    HRESULT CommitDeferredSettings() override;

private:
    std::shared_ptr<Mixer> m_mixer;
};

bool IsValidApply(DWORD apply);
}
