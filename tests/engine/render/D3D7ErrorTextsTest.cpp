// The DirectDraw result texts and the log line a failed device call leaves.
#include "engine/render/D3D7ErrorTexts.h"
#include "platform/d3d7/DDraw.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace VelkorEngine;

namespace
{
TEST(D3D7ErrorTexts, OneHundredSeventeenDistinctCodesWithSentences)
{
    ASSERT_EQ(D3D7ErrorTexts::Count(), 117u);
    std::set<i32> codes;
    std::set<std::string> names;
    for (std::size_t i = 0; i < D3D7ErrorTexts::Count(); ++i)
    {
        const D3D7ErrorTexts::Entry& entry = D3D7ErrorTexts::At(i);
        EXPECT_LT(entry.code, 0) << entry.name;
        EXPECT_GT(std::string(entry.sentence).size(), 10u) << entry.name;
        codes.insert(entry.code);
        names.insert(entry.name);
    }
    EXPECT_EQ(codes.size(), 117u);
    EXPECT_EQ(names.size(), 117u);
}

TEST(D3D7ErrorTexts, CodesNewInVersionSevenSaySo)
{
    const std::string prefix = "New for DirectX 7.0. ";
    int marked = 0;
    for (std::size_t i = 0; i < D3D7ErrorTexts::Count(); ++i)
        marked += std::string(D3D7ErrorTexts::At(i).sentence).rfind(prefix, 0) == 0 ? 1 : 0;
    EXPECT_EQ(marked, 5);
    for (HRESULT code : {DDERR_DDSCAPSCOMPLEXREQUIRED, DDERR_NEWMODE, DDERR_TESTFINISHED, DDERR_NOMONITORINFORMATION,
                         DDERR_NODRIVERSUPPORT})
        EXPECT_EQ(std::string(D3D7ErrorTexts::Find(code)).rfind(prefix, 0), 0u);
}

TEST(D3D7ErrorTexts, PublishedValuesOfTheCodesTheLogicTellsApart)
{
    EXPECT_EQ(static_cast<std::uint32_t>(DDERR_SURFACELOST), 0x887601C2u);
    EXPECT_EQ(static_cast<std::uint32_t>(DDERR_WRONGMODE), 0x8876024Bu);
    EXPECT_EQ(static_cast<std::uint32_t>(DDERR_WASSTILLDRAWING), 0x8876021Cu);
    EXPECT_EQ(static_cast<std::uint32_t>(DDERR_OUTOFVIDEOMEMORY), 0x8876017Cu);
    EXPECT_EQ(static_cast<std::uint32_t>(DDERR_INVALIDMODE), 0x88760078u);
    EXPECT_EQ(static_cast<std::uint32_t>(DDERR_NOEXCLUSIVEMODE), 0x887600E1u);
    EXPECT_EQ(static_cast<std::uint32_t>(DDERR_GENERIC), 0x80004005u);
    EXPECT_EQ(static_cast<std::uint32_t>(DDERR_OUTOFMEMORY), 0x8007000Eu);
    EXPECT_EQ(static_cast<std::uint32_t>(DDERR_INVALIDPARAMS), 0x80070057u);
    EXPECT_EQ(static_cast<std::uint32_t>(DDERR_UNSUPPORTED), 0x80004001u);
    EXPECT_STREQ(D3D7ErrorTexts::Find(DDERR_SURFACELOST),
                 "Access to the surface is refused because the surface memory is gone. Call the "
                 "IDirectDrawSurface7::Restore method on this surface to restore the memory associated with it.");
    EXPECT_STREQ(D3D7ErrorTexts::Find(DDERR_WRONGMODE),
                 "This surface cannot be restored because it was created in a different mode.");
    EXPECT_EQ(D3D7ErrorTexts::Find(0), nullptr);
    EXPECT_EQ(D3D7ErrorTexts::Find(static_cast<i32>(0x88760001u)), nullptr);
}
}
