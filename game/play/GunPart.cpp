// The gun on the bat and the way its clips follow one another.
#include "game/play/GunPart.h"

#include "engine/scene/AnimationControl.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelFlags.h"
#include "engine/scene/ModelManager.h"
#include "game/play/Effects.h"
#include "game/play/ModelPlacement.h"
#include "game/play/Shadow.h"

using namespace VelkorEngine;

namespace Korvane
{
namespace
{
void ShowModel(Model& model, bool shown)
{
    if (shown)
        model.SetFlags(ModelFlags::Visible);
    else
        model.ClearFlags(ModelFlags::Visible);
}
}

GunPart::GunPart(ModelManager* models, Effects* effects, const Model& gunModel, const Model& boltModel,
                 const GunClipTable& clips)
    : m_models(models), m_effects(effects), m_clips(clips)
{
    m_gun = models->CreateModelCopy(gunModel, nullptr, 0);
    m_bolt = models->CreateModelCopy(boltModel, nullptr, 0);
    for (i32 clip = 0; clip < static_cast<i32>(GunClip::Count); ++clip)
        m_gun->animation->AddAnimation(clip, m_clips[2 * clip], m_clips[2 * clip + 1]);
    m_gun->animation->loop = 0;
    m_bolt->animation->loop = 0;
    m_shadow = effects->GetShadow(effects->AddShadow(nullptr, m_gun, true));
    Hide();
}

GunPart::~GunPart()
{
    if (m_shadow != nullptr)
        m_effects->RemoveShadow(m_shadow);
    m_models->DeleteModel(m_bolt);
    m_models->DeleteModel(m_gun);
}

void GunPart::Raise()
{
    ShowModel(*m_gun, true);
    if (m_shadow != nullptr)
        m_shadow->Show(true);
    m_lastShot = false;
    PlayClip(GunClip::Raise);
}

void GunPart::Fire(bool lastShot)
{
    m_lastShot = lastShot;
    ShowBolt(false);
    PlayClip(GunClip::Fire);
}

void GunPart::Hide()
{
    ShowModel(*m_gun, false);
    ShowBolt(false);
    if (m_shadow != nullptr)
        m_shadow->Show(false);
}

void GunPart::Update(const Matrix4& batMatrix)
{
    if (!IsShown())
        return;
    m_gun->worldMatrix = batMatrix;
    m_bolt->worldMatrix = batMatrix;
    PlaceBounds(*m_gun);
    PlaceBounds(*m_bolt);
    if (m_gun->animation->IsPlaying() == 0)
        FollowClipEnd();
}

bool GunPart::IsShown() const
{
    return (m_gun->flags & ModelFlags::Visible) != 0;
}

bool GunPart::IsBoltShown() const
{
    return (m_bolt->flags & ModelFlags::Visible) != 0;
}

i32 GunPart::GetClip() const
{
    return m_gun->animation->GetAnimation();
}

void GunPart::PlayClip(i32 clip)
{
    m_gun->animation->SetAnimation(clip);
    m_gun->animation->Start();
}

void GunPart::ShowBolt(bool shown)
{
    ShowModel(*m_bolt, shown);
    if (!shown)
        return;
    m_bolt->animation->SetAnimation(AnimationControl::WholeRange);
    m_bolt->animation->Start();
}

// Raised or fired with shots left: ready with a bolt loaded; the last shot fired: down into the bat; down: gone.
void GunPart::FollowClipEnd()
{
    switch (GetClip())
    {
    case GunClip::Raise:
        PlayClip(GunClip::Ready);
        ShowBolt(true);
        break;
    case GunClip::Fire:
        if (m_lastShot)
            PlayClip(GunClip::Lower);
        else
        {
            PlayClip(GunClip::Ready);
            ShowBolt(true);
        }
        break;
    case GunClip::Lower:
        Hide();
        break;
    default:
        break;
    }
}
}
