// Little-endian decoding and the short-read errors of the binary reader.
#include "engine/files/BinaryReader.h"

#include "engine/core/Error.h"
#include "engine/files/FileBinary.h"

#include <gtest/gtest.h>

namespace VelkorEngine
{
namespace
{
TEST(BinaryReader, FieldsAreLittleEndianInFileOrder)
{
    FileBinary file(nullptr, "fields", std::vector<u8>{0x7F, 0x34, 0x12, 0x78, 0x56, 0x34, 0x12, 0x00, 0x00,
                                                       0xC0, 0x3F, 3, 'a', 'b', 0, 'z'});
    BinaryReader in(file);
    EXPECT_EQ(in.U8(), 0x7Fu);
    EXPECT_EQ(in.U16(), 0x1234u);
    EXPECT_EQ(in.U32(), 0x12345678u);
    EXPECT_EQ(in.F32(), 1.5f);
    // The text stops at the zero byte, but the whole stored length is consumed.
    EXPECT_EQ(in.String(), "ab");
    EXPECT_EQ(in.U8(), 'z');
}

TEST(BinaryReader, ShortReadsAndLyingBlockSizesThrowTheFileError)
{
    FileBinary file(nullptr, "short", std::vector<u8>{1, 2, 3});
    BinaryReader in(file);
    EXPECT_THROW(in.Block(0xFFFFFFFFFFull), FileError);
    EXPECT_EQ(file.GetPosition(), 0u);
    EXPECT_EQ(in.Block(2), (std::vector<u8>{1, 2}));
    EXPECT_THROW(in.U32(), FileError);
}
}
}
