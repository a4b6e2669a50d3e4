// Texture sharing by key, reference counting, the checkerboard for unreadable pictures, and the
// power-of-two sizing that every texture (and every rebuild of one) goes through.
#include "engine/render/TextureManager.h"

#include "engine/core/MessageManager.h"
#include "engine/core/StringHelpers.h"
#include "engine/files/Image.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/Texture2D.h"

namespace VelkorEngine
{
namespace
{
constexpr u32 LargestPowerOfTwo = 65536;

u32 TargetSize(u32 size, u32 deviceMaximum)
{
    const u32 nearest = TextureManager::NearestPowerOfTwo(size);
    // A device that has reported no limit yet does not shrink anything.
    return deviceMaximum > 0 && nearest > deviceMaximum ? deviceMaximum : nearest;
}
}

TextureManager::TextureManager(MessageManager* log, FileManager* fileManager, Config* config,
                               TimerManager* timerManager, RenderSystem* renderSystem)
    : m_log(log), m_fileManager(fileManager), m_config(config), m_timerManager(timerManager),
      m_renderSystem(renderSystem)
{
}

TextureManager::~TextureManager()
{
    // Textures go first: their surfaces and registrations belong to the render system.
    for (auto& [key, entry] : m_entries)
        entry.texture.reset();
    m_entries.clear();
}

bool TextureManager::IsPowerOfTwo(u32 value)
{
    return value <= LargestPowerOfTwo && (value & (value - 1)) == 0;
}

u32 TextureManager::NearestPowerOfTwo(u32 size)
{
    u64 power = 1;
    while (power < size)
        power <<= 1;
    const u64 half = power / 2;
    return static_cast<u32>(power - size <= size - half ? power : half);
}

std::string TextureManager::MakeTextureName(bool mipMapping, const std::string& diffuseName,
                                            const std::string& opacityName)
{
    std::string key = "diffuse_" + StringToLowerCopy(diffuseName);
    if (!opacityName.empty())
        key += "_plus_opacity_" + StringToLowerCopy(opacityName);
    if (mipMapping)
        key += "_with_mip_mapping";
    return key;
}

Texture2D* TextureManager::GetTexture(bool mipMapping, const std::string& diffuseName, const std::string& opacityName)
{
    if (Texture2D* shared = ShareTexture(MakeTextureName(mipMapping, diffuseName, opacityName)))
        return shared;
    // Read without any lock: files take long, and another thread asking for the same key meanwhile only
    // means that LoadTexture finds the texture made and shares it.
    std::unique_ptr<Image> diffuse;
    std::unique_ptr<Image> opacity;
    LoadImages(diffuseName, opacityName, diffuse, opacity);
    return LoadTexture(CallerKeepsImages, mipMapping, diffuseName, opacityName, diffuse.get(), opacity.get());
}

Texture2D* TextureManager::ShareTexture(const std::string& key)
{
    std::lock_guard lock(m_mutex);
    auto found = m_entries.find(key);
    if (found == m_entries.end())
        return nullptr;
    found->second.texture->AddReference();
    return found->second.texture.get();
}

void TextureManager::LoadImages(const std::string& diffuseName, const std::string& opacityName,
                                std::unique_ptr<Image>& diffuse, std::unique_ptr<Image>& opacity)
{
    diffuse = std::make_unique<Image>();
    if (!diffuse->Load(m_log, m_fileManager, diffuseName) || diffuse->IsEmpty())
        diffuse->CreateCheckerboard(m_log);
    opacity.reset();
    if (opacityName.empty())
        return;
    opacity = std::make_unique<Image>();
    if (opacityName == diffuseName)
        opacity->Copy(*diffuse);
    else
        opacity->Load(m_log, m_fileManager, opacityName);
    if (opacity->IsEmpty())
        opacity.reset();
}

void TextureManager::PrepareImages(const std::string& diffuseName, const std::string& opacityName, Image& diffuse,
                                   Image* opacity, bool warn) const
{
    if (warn && m_log && (!IsPowerOfTwo(diffuse.GetWidth()) || !IsPowerOfTwo(diffuse.GetHeight())))
        m_log->Warning("Texture Manager: \"" + diffuseName + "\" image size should be power of two");
    const u32 width = TargetSize(diffuse.GetWidth(), m_renderSystem->GetMaxTextureWidth());
    const u32 height = TargetSize(diffuse.GetHeight(), m_renderSystem->GetMaxTextureHeight());
    if (diffuse.GetWidth() != width || diffuse.GetHeight() != height)
        diffuse.ResizeInPlace(width, height, Image::FilterBilinear);
    if (!opacity || (opacity->GetWidth() == width && opacity->GetHeight() == height))
        return;
    if (warn && m_log)
        m_log->Warning("Texture Manager: \"" + opacityName + "\" image size should be the same as \"" + diffuseName +
                       "\"");
    opacity->ResizeInPlace(width, height, Image::FilterBilinear);
}

Texture2D* TextureManager::LoadTexture(bool keepImages, bool mipMapping, const std::string& diffuseName,
                                       const std::string& opacityName, Image* diffuse, Image* opacity)
{
    std::unique_ptr<Image> keptDiffuse(keepImages ? diffuse : nullptr);
    std::unique_ptr<Image> keptOpacity(keepImages ? opacity : nullptr);
    // The render system's lock comes first, here as in a device reset (which rebuilds textures through this
    // table): the sizes the images are fitted to and the device the texture is built on stay as they are.
    // Entries are added and removed only under it, so the key stays free while the texture is built and the
    // table's own lock is left to its readers meanwhile.
    const auto deviceLock = m_renderSystem->LockResources();
    const std::string key = MakeTextureName(mipMapping, diffuseName, opacityName);
    if (Texture2D* shared = ShareTexture(key))
        return shared;

    PrepareImages(diffuseName, opacityName, *diffuse, opacity, true);
    Entry entry;
    entry.texture = m_renderSystem->CreateTexture(this, key, diffuse, opacity, mipMapping);
    entry.record = std::make_unique<TextureRecord>(
        TextureRecord{key, diffuseName, opacityName, std::move(keptDiffuse), std::move(keptOpacity)});
    Texture2D* texture = entry.texture.get();
    std::lock_guard lock(m_mutex);
    m_entries.emplace(key, std::move(entry));
    return texture;
}

TextureManager::Entry* TextureManager::FindEntry(Texture2D* texture)
{
    if (!texture)
        return nullptr;
    auto found = m_entries.find(texture->GetKeyName());
    return found != m_entries.end() && found->second.texture.get() == texture ? &found->second : nullptr;
}

void TextureManager::ReleaseTexture(Texture2D* texture)
{
    // Deleting a texture unregisters it from the render system, whose lock comes first.
    const auto deviceLock = m_renderSystem->LockResources();
    std::lock_guard lock(m_mutex);
    Entry* entry = FindEntry(texture);
    if (!entry || texture->RemoveReference() > 0)
        return;
    m_entries.erase(texture->GetKeyName());
}

TextureImages TextureManager::GetTextureImages(Texture2D* texture)
{
    std::lock_guard lock(m_mutex);
    TextureImages images;
    Entry* entry = FindEntry(texture);
    if (!entry)
        return images;
    const TextureRecord& record = *entry->record;
    if (record.diffuse)
    {
        images.diffuse = record.diffuse.get();
        images.opacity = record.opacity.get();
        return images;
    }
    LoadImages(record.diffuseName, record.opacityName, images.readDiffuse, images.readOpacity);
    PrepareImages(record.diffuseName, record.opacityName, *images.readDiffuse, images.readOpacity.get(), false);
    images.diffuse = images.readDiffuse.get();
    images.opacity = images.readOpacity.get();
    return images;
}

u32 TextureManager::GetTextureCount() const
{
    std::lock_guard lock(m_mutex);
    return static_cast<u32>(m_entries.size());
}

u32 TextureManager::GetTextureMemory() const
{
    std::lock_guard lock(m_mutex);
    u32 total = 0;
    for (const auto& [key, entry] : m_entries)
        total += entry.texture->GetSize();
    return total;
}

void TextureManager::GetTextures(std::vector<Texture2D*>& textures) const
{
    std::lock_guard lock(m_mutex);
    textures.clear();
    textures.reserve(m_entries.size());
    for (const auto& [key, entry] : m_entries)
        textures.push_back(entry.texture.get());
}
}
