// The shader test bed: services, files in the data folder and the log's entries.
#include "tests/support/ShaderTestBed.h"

#include "tests/support/ImageTestFiles.h"

using namespace VelkorEngine;

namespace TestSupport
{
namespace
{
std::string WithSlashes(std::string name)
{
    for (char& c : name)
        if (c == '\\')
            c = '/';
    return name;
}
}

ShaderTestBed::ShaderTestBed(u32 stageCount)
    : m_log("test", 0, 0, "", ""), m_files(&m_log, m_folder.Path(), "data"),
      m_config(&m_log, &m_files, m_folder.Path(), "settings", 0, "640x480x32", 0, 0),
      m_render(&m_log, &m_config, stageCount),
      m_shaders(std::make_unique<ShaderManager>(&m_log, &m_files, m_clock.Timers(), &m_config, &m_render))
{
    m_log.ClearRecords();
}

void ShaderTestBed::WriteShaderFile(const std::string& name, const KorvaneTools::ShaderFile& file)
{
    WriteBytes(name, BuildShaderFile(file));
}

void ShaderTestBed::WriteBytes(const std::string& name, const std::string& bytes)
{
    m_folder.WriteFile("data/" + WithSlashes(name), bytes);
}

void ShaderTestBed::WritePicture(const std::string& name)
{
    const std::vector<u8> tga = ImageTest::MakeTga(ImageTest::MakePattern(4, 4, 3));
    WriteBytes(name, std::string(tga.begin(), tga.end()));
}

std::vector<std::string> ShaderTestBed::Entries(u32 kind) const
{
    std::vector<std::string> entries;
    for (u32 i = 0; i < m_log.GetRecordCount(); ++i)
        if (m_log.GetRecord(i).kind == kind)
            entries.push_back(m_log.GetRecord(i).text);
    return entries;
}
}
