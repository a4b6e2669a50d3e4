// Fills an image from a TGA, BMP or JPEG file. Every size and offset is checked against the file before it
// is used; a file that cannot be decoded is logged once and leaves the image empty.
#include "engine/files/Image.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringHelpers.h"
#include "engine/files/BinaryReader.h"
#include "engine/files/FileBinary.h"
#include "engine/files/FileManager.h"
#include "engine/files/JpegFileSource.h"

#include <climits>
#include <cstring>
#include <vector>

namespace VelkorEngine
{
namespace
{
constexpr u32 TgaHeaderSize = 18;
constexpr u8 TgaRunLengthBit = 8;
constexpr u8 TgaTopDownBit = 32;
constexpr u32 BmpHeaderSize = 54;
constexpr u32 BmpFileHeaderSize = 14;
constexpr u32 BmpInfoHeaderSize = 40;
constexpr u16 BmpMagic = 0x4D42;
constexpr u32 BmpRgb = 0;
constexpr u32 BmpBitFields = 3;
// A JPEG cannot describe more than this many output bytes per byte of file (far above what the entropy
// coding reaches), so a corrupt header cannot make the reader allocate gigabytes.
constexpr u64 JpegMaxExpansion = 4096;
// The padding of a file counts in that check, so a short picture padded out could still claim gigabytes: no side
// may pass the largest texture a device takes, whatever the file's length.
constexpr u64 JpegMaxSide = 8192;
// What libjpeg may hold itself (a progressive picture keeps every coefficient until the end); above this it
// refuses the file instead of allocating.
constexpr long JpegLibraryMemory = 128L * 1024 * 1024;

u16 ReadU16(const u8* bytes) { return BinaryReader::DecodeU16(bytes); }

[[noreturn]] void ThrowIncorrect(const std::string& fileName)
{
    throw FileError("Incorrect \"" + fileName + "\" file format");
}

[[noreturn]] void ThrowUnsupported(const std::string& fileName)
{
    throw FileError("Unsupported \"" + fileName + "\" file format");
}

void CreateOrThrow(Image& image, MessageManager* log, u32 width, u32 height, i32 bits, const std::string& fileName)
{
    image.Create(log, width, height, bits);
    if (image.IsEmpty())
        throw FileError("Not enough memory for \"" + fileName + "\" image");
}

// Expands run-length packets into exactly `size` bytes. A packet running past the image is cut short;
// data ending before the image is full is a broken file.
std::vector<u8> DecodeTgaRunLength(const u8* in, u64 available, u64 size, u32 pixelSize, const std::string& fileName)
{
    std::vector<u8> out(size);
    u64 written = 0;
    u64 read = 0;
    while (written < size)
    {
        if (read >= available)
            ThrowIncorrect(fileName);
        const u8 packet = in[read++];
        const u64 count = (packet & 127u) + 1u;
        const u64 wanted = std::min<u64>(count * pixelSize, size - written);
        if (packet & 128u)
        {
            if (available - read < pixelSize)
                ThrowIncorrect(fileName);
            for (u64 i = 0; i < wanted; ++i)
                out[written + i] = in[read + i % pixelSize];
            read += pixelSize;
        }
        else
        {
            if (available - read < count * pixelSize)
                ThrowIncorrect(fileName);
            std::memcpy(out.data() + written, in + read, wanted);
            read += count * pixelSize;
        }
        written += wanted;
    }
    return out;
}

// Where a BMP file's pixels are and how they are laid out, checked against the file's size.
struct BmpLayout
{
    u32 width = 0;
    u32 rows = 0;
    bool topDown = false;
    u32 depth = 0;
    u32 paletteCount = 0;
    u64 headersEnd = 0;
    u64 pixelsStart = 0;
    u64 stride = 0;
};

BmpLayout ReadBmpLayout(FileBinary& file, const std::string& fileName)
{
    u8 header[BmpHeaderSize];
    file.Read(header, BmpHeaderSize);
    if (ReadU16(header) != BmpMagic)
        ThrowIncorrect(fileName);
    const u32 dataOffset = BinaryReader::DecodeU32(header + 10);
    const u32 infoSize = BinaryReader::DecodeU32(header + 14);
    const i32 width = static_cast<i32>(BinaryReader::DecodeU32(header + 18));
    const i32 height = static_cast<i32>(BinaryReader::DecodeU32(header + 22));
    const u32 depth = ReadU16(header + 28);
    const u32 compression = BinaryReader::DecodeU32(header + 30);
    const u32 coloursUsed = BinaryReader::DecodeU32(header + 46);

    const bool layoutKnown = depth == 32 ? (compression == BmpRgb || compression == BmpBitFields)
                                         : (depth == 8 || depth == 24) && compression == BmpRgb;
    if (infoSize < BmpInfoHeaderSize || !layoutKnown)
        ThrowUnsupported(fileName);
    if (width <= 0 || height == 0 || height == INT_MIN)
        ThrowIncorrect(fileName);

    BmpLayout layout;
    layout.width = static_cast<u32>(width);
    layout.depth = depth;
    // A negative height marks rows stored from the top of the picture down.
    layout.topDown = height < 0;
    layout.rows = static_cast<u32>(layout.topDown ? -height : height);
    layout.headersEnd = static_cast<u64>(BmpFileHeaderSize) + infoSize;
    layout.paletteCount = depth == 8 ? (coloursUsed == 0 ? 256 : coloursUsed) : 0;
    if (layout.paletteCount > 256)
        ThrowIncorrect(fileName);
    const u64 paletteEnd = layout.headersEnd + 4ull * layout.paletteCount;
    // Files that leave the offset unset have their pixels right behind the palette.
    layout.pixelsStart = dataOffset >= paletteEnd ? dataOffset : paletteEnd;
    layout.stride = (static_cast<u64>(width) * (depth / 8) + 3) & ~3ull;
    const u64 size = file.GetSize();
    if (layout.pixelsStart > size || layout.stride > (size - layout.pixelsStart) / layout.rows)
        ThrowIncorrect(fileName);
    return layout;
}

// Palette entries are stored blue, green, red, unused.
void ExpandPaletteRow(const u8* in, u8* out, u32 width, const u8* palette)
{
    for (u32 x = 0; x < width; ++x, out += 3)
    {
        const u8* entry = palette + 4 * in[x];
        out[0] = entry[2];
        out[1] = entry[1];
        out[2] = entry[0];
    }
}

void ConvertTgaRow(const u8* in, u8* out, u32 width, u32 depth)
{
    switch (depth)
    {
    case 8:
        std::memcpy(out, in, width);
        break;
    case 16:
        for (u32 x = 0; x < width; ++x, in += 2, out += 4)
        {
            const u32 p = ReadU16(in);
            out[0] = static_cast<u8>(((p >> 10) & 31) * 8);
            out[1] = static_cast<u8>(((p >> 5) & 31) * 8);
            out[2] = static_cast<u8>((p & 31) * 8);
            out[3] = (p & 0x8000) ? 255 : 0;
        }
        break;
    case 24:
        for (u32 x = 0; x < width; ++x, in += 3, out += 3)
        {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
        break;
    case 32:
        for (u32 x = 0; x < width; ++x, in += 4, out += 4)
        {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
            out[3] = in[3];
        }
        break;
    default:
        break;
    }
}

enum class JpegOutcome
{
    Decoded,
    LibraryError,
    BadSize,
    Unsupported,
    NoMemory
};

// No object with a destructor may live in this function: a library error comes back here through longjmp.
JpegOutcome DecodeJpegStream(Image& image, MessageManager* log, FileBinary& file, JpegErrorTrap& trap)
{
    jpeg_decompress_struct decompressor;
    decompressor.mem = nullptr;
    decompressor.err = trap.Install();
    if (setjmp(trap.jump))
    {
        jpeg_destroy_decompress(&decompressor);
        return JpegOutcome::LibraryError;
    }
    jpeg_create_decompress(&decompressor);
    decompressor.mem->max_memory_to_use = JpegLibraryMemory;
    JpegFileSource::Attach(&decompressor, &file);
    jpeg_read_header(&decompressor, TRUE);

    const u64 components = static_cast<u64>(decompressor.num_components);
    const u64 bytes = static_cast<u64>(decompressor.image_width) * decompressor.image_height * components;
    JpegOutcome refusal = JpegOutcome::Decoded;
    if (bytes == 0 || bytes > static_cast<u64>(file.GetSize()) * JpegMaxExpansion ||
        decompressor.image_width > JpegMaxSide || decompressor.image_height > JpegMaxSide)
        refusal = JpegOutcome::BadSize;
    else if (components == 3)
        decompressor.out_color_space = JCS_RGB;
    else if (components == 1)
        decompressor.out_color_space = JCS_GRAYSCALE;
    else
        refusal = JpegOutcome::Unsupported;
    if (refusal != JpegOutcome::Decoded)
    {
        jpeg_destroy_decompress(&decompressor);
        return refusal;
    }

    jpeg_start_decompress(&decompressor);
    image.Create(log, decompressor.output_width, decompressor.output_height, decompressor.output_components * 8);
    if (image.IsEmpty())
    {
        jpeg_destroy_decompress(&decompressor);
        return JpegOutcome::NoMemory;
    }
    // The first decoded line is the picture's top: it goes into the last row.
    const u64 rowSize = static_cast<u64>(image.GetWidth()) * image.GetBytesPerPixel();
    while (decompressor.output_scanline < decompressor.output_height)
    {
        JSAMPROW row = image.GetData() + (image.GetHeight() - 1 - decompressor.output_scanline) * rowSize;
        jpeg_read_scanlines(&decompressor, &row, 1);
    }
    jpeg_finish_decompress(&decompressor);
    jpeg_destroy_decompress(&decompressor);
    return JpegOutcome::Decoded;
}
}

bool Image::Load(MessageManager* log, FileManager* fileManager, const std::string& fileName)
{
    const std::string extension = StringToLowerCopy(GetPathExtension(fileName));
    if (extension == "bmp")
        return LoadBMP(log, fileManager, fileName);
    if (extension == "tga")
        return LoadTGA(log, fileManager, fileName);
    if (extension == "jpg" || extension == "jpeg")
        return LoadJPEG(log, fileManager, fileName);
    if (log)
        log->Error("Unknown \"" + fileName + "\" image file type");
    Release();
    return false;
}

bool Image::LoadTGA(MessageManager* log, FileManager* fileManager, const std::string& fileName)
{
    return LoadWith(log, fileManager, fileName, 0, &Image::DecodeTGA);
}

bool Image::LoadBMP(MessageManager* log, FileManager* fileManager, const std::string& fileName)
{
    return LoadWith(log, fileManager, fileName, 0, &Image::DecodeBMP);
}

bool Image::LoadJPEG(MessageManager* log, FileManager* fileManager, const std::string& fileName)
{
    return LoadWith(log, fileManager, fileName, 1, &Image::DecodeJPEG);
}

bool Image::LoadWith(MessageManager* log, FileManager* fileManager, const std::string& fileName, u8 preload,
                     Decoder decoder)
{
    try
    {
        std::unique_ptr<FileBinary> file(fileManager->OpenBinary(fileName, FileBinary::ForReading, preload));
        (this->*decoder)(log, *file, fileName);
        return true;
    }
    catch (const FileError& error)
    {
        if (log)
            log->Error(error.GetMessage());
        Release();
        return false;
    }
}

void Image::DecodeTGA(MessageManager* log, FileBinary& file, const std::string& fileName)
{
    u8 header[TgaHeaderSize];
    file.Read(header, TgaHeaderSize);
    const u32 width = ReadU16(header + 12);
    const u32 height = ReadU16(header + 14);
    const u32 depth = header[16];
    if (depth != 8 && depth != 16 && depth != 24 && depth != 32)
        ThrowUnsupported(fileName);
    if (width == 0 || height == 0)
        ThrowIncorrect(fileName);

    // The identification field and the colour map (never applied) lie between the header and the pixels.
    const u64 skipped = header[0] + static_cast<u64>(header[7]) * ReadU16(header + 5) / 8;
    const u64 rest = file.GetSize() - static_cast<u64>(file.GetPosition());
    if (skipped > rest)
        ThrowIncorrect(fileName);
    const u64 available = rest - skipped;
    const u32 pixelSize = depth / 8;
    const u64 pixelBytes = static_cast<u64>(width) * height * pixelSize;
    const bool runLength = (header[2] & TgaRunLengthBit) != 0;
    // Raw pixels must all be there; a run-length packet covers at most 128 pixels, so a short file cannot
    // claim a huge picture either.
    const u64 pixels = static_cast<u64>(width) * height;
    const u64 needed = runLength ? (pixels + 127) / 128 * (1 + pixelSize) : pixelBytes;
    if (available < needed)
        ThrowIncorrect(fileName);

    CreateOrThrow(*this, log, width, height, depth == 8 ? 8 : depth == 24 ? 24 : 32, fileName);
    const bool topDown = (header[17] & TgaTopDownBit) != 0;
    const u64 inRowSize = static_cast<u64>(width) * pixelSize;
    const u64 outRowSize = static_cast<u64>(width) * GetBytesPerPixel();
    auto outRow = [&](u32 row) { return m_data.get() + (topDown ? height - 1 - row : row) * outRowSize; };
    if (!runLength)
    {
        // Raw rows are converted as they are read, without a copy of the whole file.
        file.Seek(2, static_cast<i64>(skipped));
        std::vector<u8> line(inRowSize);
        for (u32 row = 0; row < height; ++row)
        {
            file.Read(line.data(), static_cast<u32>(inRowSize));
            ConvertTgaRow(line.data(), outRow(row), width, depth);
        }
        return;
    }
    std::vector<u8> data(rest);
    file.Read(data.data(), static_cast<u32>(rest));
    const std::vector<u8> expanded = DecodeTgaRunLength(data.data() + skipped, available, pixelBytes, pixelSize, fileName);
    for (u32 row = 0; row < height; ++row)
        ConvertTgaRow(expanded.data() + row * inRowSize, outRow(row), width, depth);
}

void Image::DecodeBMP(MessageManager* log, FileBinary& file, const std::string& fileName)
{
    const BmpLayout layout = ReadBmpLayout(file, fileName);
    u8 palette[256 * 4] = {};
    if (layout.paletteCount > 0)
    {
        file.Seek(0, static_cast<i64>(layout.headersEnd));
        file.Read(palette, 4 * layout.paletteCount);
    }
    file.Seek(0, static_cast<i64>(layout.pixelsStart));

    CreateOrThrow(*this, log, layout.width, layout.rows, layout.depth == 32 ? 32 : 24, fileName);
    std::vector<u8> line(layout.stride);
    const u64 outRowSize = static_cast<u64>(layout.width) * GetBytesPerPixel();
    for (u32 row = 0; row < layout.rows; ++row)
    {
        file.Read(line.data(), static_cast<u32>(layout.stride));
        u8* out = m_data.get() + (layout.topDown ? layout.rows - 1 - row : row) * outRowSize;
        if (layout.depth == 8)
            ExpandPaletteRow(line.data(), out, layout.width, palette);
        else
            std::memcpy(out, line.data(), outRowSize);
    }
    if (layout.depth != 8)
        SwapRedBlue();
}

void Image::DecodeJPEG(MessageManager* log, FileBinary& file, const std::string& fileName)
{
    JpegErrorTrap trap;
    const JpegOutcome outcome = DecodeJpegStream(*this, log, file, trap);
    if (outcome == JpegOutcome::Decoded)
    {
        // libjpeg recovers from corrupt data (stray bytes, a cut file) as its own tools do: the picture is
        // kept and the first warning is logged once.
        if (trap.warnings != 0 && log)
            log->Warning("\"" + fileName + "\" file: " + trap.message);
        return;
    }
    Release();
    switch (outcome)
    {
    case JpegOutcome::LibraryError:
        throw FileError("Failed to decode \"" + fileName + "\" file: " + trap.message);
    case JpegOutcome::Unsupported:
        ThrowUnsupported(fileName);
    case JpegOutcome::NoMemory:
        throw FileError("Not enough memory for \"" + fileName + "\" image");
    default:
        ThrowIncorrect(fileName);
    }
}
}
