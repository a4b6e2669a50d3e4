#include "tests/support/ScreenPictures.h"

#include "engine/core/Engine.h"
#include "engine/render/RenderSystem.h"
#include "tests/support/ImageTestFiles.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <vector>

namespace TestSupport
{
VelkorEngine::Image TakePicture(VelkorEngine::Engine& engine)
{
    VelkorEngine::Image shot;
    engine.GetRenderSystem()->TakeScreenshot(shot);
    return shot;
}

void KeepPicture(const VelkorEngine::Image& shot, const std::string& path)
{
    ImageTest::Picture picture;
    picture.width = shot.GetWidth();
    picture.height = shot.GetHeight();
    picture.channels = shot.GetBytesPerPixel();
    picture.pixels.assign(shot.GetData(), shot.GetData() + shot.GetDataSize());
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    ImageTest::WriteBytes(path, ImageTest::MakeTga(picture, {false, true, 0}));
}

double Brightness(const VelkorEngine::Image& shot)
{
    double sum = 0.0;
    for (VelkorEngine::u64 i = 0; i < shot.GetDataSize(); ++i)
        sum += shot.GetData()[i];
    return shot.GetDataSize() ? sum / static_cast<double>(shot.GetDataSize()) / 255.0 : 0.0;
}

std::size_t DistinctColours(const VelkorEngine::Image& shot)
{
    const std::size_t channels = shot.GetBytesPerPixel();
    if (channels == 0)
        return 0;
    std::vector<VelkorEngine::u32> colours(shot.GetDataSize() / channels);
    for (std::size_t i = 0; i < colours.size(); ++i)
        std::memcpy(&colours[i], shot.GetData() + i * channels, std::min<std::size_t>(channels, 4));
    std::sort(colours.begin(), colours.end());
    return static_cast<std::size_t>(std::unique(colours.begin(), colours.end()) - colours.begin());
}

double Spread(const VelkorEngine::Image& shot)
{
    const VelkorEngine::u8* data = shot.GetData();
    const std::size_t channels = shot.GetBytesPerPixel();
    double sum = 0.0;
    double squares = 0.0;
    std::size_t used = 0;
    for (std::size_t i = 0; i < shot.GetDataSize(); ++i)
    {
        if (channels == 4 && i % 4 == 3)
            continue;
        sum += data[i];
        squares += static_cast<double>(data[i]) * data[i];
        ++used;
    }
    if (used == 0)
        return 0.0;
    const double mean = sum / static_cast<double>(used);
    return std::sqrt(squares / static_cast<double>(used) - mean * mean);
}
}
