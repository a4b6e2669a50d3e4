// The engine's in-memory picture: 8-, 24- or 32-bit pixels (red first), rows without gaps, row 0 at the bottom.
#pragma once

#include "engine/core/Types.h"

#include <memory>
#include <string>

namespace VelkorEngine
{
class MessageManager;
class FileManager;
class FileBinary;
struct Color;

class Image
{
public:
    enum Filter : u32
    {
        FilterPoint = 0,
        FilterBilinear = 1,
        FilterBicubic = 2
    };

    Image();
    virtual ~Image();

    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;
    Image(Image&& other) noexcept;
    Image& operator=(Image&& other) noexcept;

    // Allocates an uninitialised block of width * height * bits / 8 bytes. When the block cannot be had
    // the image is left empty, so callers test IsEmpty rather than crash on a null block.
    void Create(MessageManager* log, u32 width, u32 height, i32 bitsPerPixel);
    void Copy(const Image& other);
    // Frees the pixels and leaves the image empty.
    void Release() noexcept;

    u8* GetData() { return m_data.get(); }
    const u8* GetData() const { return m_data.get(); }
    u8* GetPixels() { return m_data.get(); }
    const u8* GetPixels() const { return m_data.get(); }
    u32 GetWidth() const { return m_width; }
    u32 GetHeight() const { return m_height; }
    i32 GetBitsPerPixel() const { return m_bitsPerPixel; }
    u32 GetBytesPerPixel() const { return static_cast<u32>(m_bitsPerPixel) / 8; }
    u64 GetDataSize() const;
    bool IsEmpty() const { return m_empty != 0; }
    MessageManager* GetLog() const { return m_log; }

    void Fill(const Color& color, Image* target = nullptr);
    void CreateCheckerboard(MessageManager* log);
    void Resize(u32 newWidth, u32 newHeight, u32 filter, Image& target) const;
    void ResizeInPlace(u32 newWidth, u32 newHeight, u32 filter);
    void ConvertBitsPerPixel(i32 newBits, Image* target = nullptr);
    void Paste(u32 x, u32 y, const Image& source, Image* target = nullptr);
    void FlipVertical(Image* target = nullptr);
    void SwapRedBlue(Image* target = nullptr);

    bool Load(MessageManager* log, FileManager* fileManager, const std::string& fileName);
    bool LoadTGA(MessageManager* log, FileManager* fileManager, const std::string& fileName);
    bool LoadBMP(MessageManager* log, FileManager* fileManager, const std::string& fileName);
    bool LoadJPEG(MessageManager* log, FileManager* fileManager, const std::string& fileName);

private:
    // Lets an operation write its result into the target, or into a temporary that then replaces this image.
    template <typename Operation> void IntoTargetOrSelf(Image* target, Operation operation);
    // Moves another image's pixels and values into this one, leaving the other empty.
    void TakeOver(Image& other) noexcept;

    void ResizePoint(Image& target) const;
    void ResizeBilinear(Image& target) const;
    void ResizeBicubic(Image& target) const;

    using Decoder = void (Image::*)(MessageManager*, FileBinary&, const std::string&);
    // Opens the file and runs the decoder; a FileError is logged and leaves the image empty.
    bool LoadWith(MessageManager* log, FileManager* fileManager, const std::string& fileName, u8 preload,
                  Decoder decoder);
    void DecodeTGA(MessageManager* log, FileBinary& file, const std::string& fileName);
    void DecodeBMP(MessageManager* log, FileBinary& file, const std::string& fileName);
    void DecodeJPEG(MessageManager* log, FileBinary& file, const std::string& fileName);

    u8 m_empty = 1;
    MessageManager* m_log = nullptr;
    u32 m_width = 0;
    u32 m_height = 0;
    i32 m_bitsPerPixel = 0;
    std::unique_ptr<u8[]> m_data;
};
}
