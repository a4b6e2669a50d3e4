// Loads textures and shares them by a key made of the image names and the mip option, with reference
// counts; keeps the names from which a texture is rebuilt after the device has lost it.
#pragma once

#include "engine/core/Types.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace VelkorEngine
{
class Config;
class FileManager;
class Image;
class MessageManager;
class RenderSystem;
class Texture2D;
class TimerManager;

// The images to rebuild a texture from: the manager's kept images, or images read afresh from the files,
// which this value owns and frees.
struct TextureImages
{
    Image* diffuse = nullptr;
    Image* opacity = nullptr;
    std::unique_ptr<Image> readDiffuse;
    std::unique_ptr<Image> readOpacity;
};

class TextureManager
{
public:
    TextureManager(MessageManager* log, FileManager* fileManager, Config* config, TimerManager* timerManager,
                   RenderSystem* renderSystem);
    virtual ~TextureManager();

    TextureManager(const TextureManager&) = delete;
    TextureManager& operator=(const TextureManager&) = delete;

    // Never null: a picture that cannot be read gives the checkerboard placeholder.
    Texture2D* GetTexture(bool mipMapping, const std::string& diffuseName, const std::string& opacityName);
    // The opacity image is null when no opacity name is given or its file cannot be read.
    void LoadImages(const std::string& diffuseName, const std::string& opacityName, std::unique_ptr<Image>& diffuse,
                    std::unique_ptr<Image>& opacity);
    // Names of the two flags of LoadTexture.
    static constexpr bool ManagerKeepsImages = true;
    static constexpr bool CallerKeepsImages = false;
    static constexpr bool WithMipMaps = true;
    static constexpr bool WithoutMipMaps = false;

    // With ManagerKeepsImages the manager takes ownership of both images; otherwise the caller keeps them.
    Texture2D* LoadTexture(bool keepImages, bool mipMapping, const std::string& diffuseName,
                           const std::string& opacityName, Image* diffuse, Image* opacity);
    void ReleaseTexture(Texture2D* texture);
    // The images the texture was built from, ready for its surface: the stored ones, or fresh ones read and
    // resized as at creation, which the returned value owns.
    TextureImages GetTextureImages(Texture2D* texture);

    u32 GetTextureCount() const;
    u32 GetTextureMemory() const;
    void GetTextures(std::vector<Texture2D*>& textures) const;

    static bool IsPowerOfTwo(u32 value);
    static std::string MakeTextureName(bool mipMapping, const std::string& diffuseName, const std::string& opacityName);
    // The power of two nearest to a size, ties rounding up.
    static u32 NearestPowerOfTwo(u32 size);

private:
    struct TextureRecord
    {
        std::string keyName;
        std::string diffuseName;
        std::string opacityName;
        std::unique_ptr<Image> diffuse;
        std::unique_ptr<Image> opacity;
    };

    struct Entry
    {
        std::unique_ptr<TextureRecord> record;
        std::unique_ptr<Texture2D> texture;
    };

    // Brings the diffuse image to the power-of-two size the device takes and the opacity image to the
    // diffuse image's size; the warnings are logged the first time only.
    void PrepareImages(const std::string& diffuseName, const std::string& opacityName, Image& diffuse,
                       Image* opacity, bool warn) const;
    Entry* FindEntry(Texture2D* texture);
    // The texture of the key with one reference more, or null when there is none.
    Texture2D* ShareTexture(const std::string& key);

    MessageManager* m_log = nullptr;
    FileManager* m_fileManager = nullptr;
    Config* m_config = nullptr;
    TimerManager* m_timerManager = nullptr;
    RenderSystem* m_renderSystem = nullptr;
    // The loading thread creates textures while the main thread may release or rebuild others. Taken after
    // the render system's resource lock where both are needed, never before it.
    mutable std::recursive_mutex m_mutex;
    std::map<std::string, Entry> m_entries;
};
}
