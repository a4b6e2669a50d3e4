// Two frames compared pixel by pixel within a tolerance.
#include "bench/support/PictureComparison.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace BenchSupport
{
namespace
{
using VelkorEngine::Image;
using VelkorEngine::u32;
using VelkorEngine::u8;

bool SameShape(const Image& a, const Image& b)
{
    return a.GetWidth() == b.GetWidth() && a.GetHeight() == b.GetHeight() &&
           a.GetBytesPerPixel() == b.GetBytesPerPixel() && a.GetBytesPerPixel() >= 3;
}

int ChannelDistance(const u8* a, const u8* b)
{
    int largest = 0;
    for (int channel = 0; channel < 3; ++channel)
        largest = std::max(largest, std::abs(static_cast<int>(a[channel]) - static_cast<int>(b[channel])));
    return largest;
}

// A frame of one colour shows nothing drawn: both sides drawing nothing would agree without measuring anything.
bool ShowsSomething(const Image& picture)
{
    const u32 bytes = picture.GetBytesPerPixel();
    const size_t pixels = static_cast<size_t>(picture.GetWidth()) * picture.GetHeight();
    const u8* const data = picture.GetData();
    for (size_t pixel = 1; pixel < pixels; ++pixel)
    {
        if (ChannelDistance(data, data + pixel * bytes) != 0)
            return true;
    }
    return false;
}
}

PictureComparison::PictureComparison(int channelTolerance, double differingShare)
    : m_channelTolerance(channelTolerance), m_differingShare(differingShare)
{
}

void PictureComparison::KeepOurs(Image picture) { m_ours = std::move(picture); }

void PictureComparison::KeepReference(Image picture) { m_reference = std::move(picture); }

bool PictureComparison::HasBoth() const { return !m_ours.IsEmpty() && !m_reference.IsEmpty(); }

std::string PictureComparison::Disagreement() const
{
    if (!HasBoth())
        return "the frames of both sides were not read back";
    if (!SameShape(m_ours, m_reference))
        return "the frames of the two sides differ in size or format";
    if (!ShowsSomething(m_reference))
        return "the reference frame shows nothing drawn";
    const u32 bytes = m_ours.GetBytesPerPixel();
    const size_t pixels = static_cast<size_t>(m_ours.GetWidth()) * m_ours.GetHeight();
    size_t differing = 0;
    for (size_t pixel = 0; pixel < pixels; ++pixel)
    {
        if (ChannelDistance(m_ours.GetData() + pixel * bytes, m_reference.GetData() + pixel * bytes) > m_channelTolerance)
            ++differing;
    }
    if (static_cast<double>(differing) <= m_differingShare * static_cast<double>(pixels))
        return "";
    return "the frames of the two sides differ: " + std::to_string(differing) + " of " + std::to_string(pixels) +
           " pixels by more than " + std::to_string(m_channelTolerance) + " in a channel";
}
}
