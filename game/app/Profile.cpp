#include "game/app/Profile.h"

#include "framework/BinaryFields.h"

namespace Korvane
{
Profile::Profile(VelkorEngine::Engine* engine, const std::string& userDataFolder)
    : ProfileBase(engine, userDataFolder, Magic, Version)
{
}

void Profile::Create(const std::wstring& name)
{
    m_flags[0] = m_flags[1] = 1;
    ProfileBase::Create(name);
}

void Profile::Write(VelkorEngine::FileBinary& file)
{
    ProfileBase::Write(file);
    GameTools::WriteU8(file, m_flags[0]);
    GameTools::WriteU8(file, m_flags[1]);
}

void Profile::Read(VelkorEngine::FileBinary& file)
{
    ProfileBase::Read(file);
    m_flags[0] = GameTools::ReadU8(file);
    m_flags[1] = GameTools::ReadU8(file);
}
}
