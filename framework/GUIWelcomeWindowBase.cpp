// The welcome window's one piece of behaviour: making the first profile current.
#include "framework/GUIWelcomeWindowBase.h"

#include "engine/core/StringHelpers.h"
#include "framework/BinaryFields.h"
#include "framework/ProfileManagerBase.h"

namespace GameFramework
{
// Looked up as it will be stored, so a long name typed again finds its profile instead of making a twin.
void GUIWelcomeWindowBase::CreateProfile(const std::wstring& name)
{
    const std::wstring stored = GameTools::CapStoredName(VelkorEngine::WStringTrim(name));
    m_profileManager->SetCurrentProfile(m_profileManager->FindOrCreateProfile(stored), 1);
}
}
