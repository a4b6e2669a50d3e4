// The last frames the two sides of a benchmark drew, read back and compared within a tolerance, so that a ratio
// never compares different work: a side that draws less, or draws something else, fails the benchmark.
#pragma once

#include "engine/files/Image.h"

#include <string>

namespace BenchSupport
{
class PictureComparison
{
public:
    // A pixel differs when one of its colour channels is further apart than channelTolerance; the pictures
    // agree while no more than differingShare of their pixels differ (the edges of shapes placed by another
    // order of the same arithmetic may fall on neighbouring pixels).
    PictureComparison(int channelTolerance, double differingShare);

    // Each side's latest frame; a later one replaces the one kept before.
    void KeepOurs(VelkorEngine::Image picture);
    void KeepReference(VelkorEngine::Image picture);
    bool HasBoth() const;

    // Empty when both frames are kept, of one size, something was drawn and they agree; otherwise what differs.
    std::string Disagreement() const;

private:
    int m_channelTolerance;
    double m_differingShare;
    VelkorEngine::Image m_ours;
    VelkorEngine::Image m_reference;
};
}
