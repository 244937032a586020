#include "shell/textures.h"

#include "core/log.h"
#include "platform/paths.h"
#include "shell/links.h"
#include "world/country.h"
#include "world/world.h"

std::array<cTextureHolder, kSharedTextureCount> g_Textures;

tResult cTextureHolder::Load(const wchar_t* path, int kind, int mipLevels)
{
    Release();
    m_Kind = int8_t(kind);
    m_MipLevels = int8_t(mipLevels);
    if (path)
        m_Path = path; // copied as it is, whatever characters it holds
    if (kind == kNothing)
        return S_OK;
    // Only pictures come from a file: a blank texture is CreateEmpty's, which is given its
    // size; here there is none to give it.
    if (kind != kFile) {
        Release();
        return E_INVALIDARG;
    }
    m_Texture = cTexture::LoadFromFile(HostPath(m_Path));
    LogLine(m_Texture ? L"Loading file \"%s\" (%i) [OK]" : L"Loading file \"%s\" (%i) [FAILED]", m_Path, mipLevels);
    return m_Texture ? S_OK : E_FAIL;
}

tResult cTextureHolder::CreateEmpty(int width, int height)
{
    std::unique_ptr<cTexture> texture = cTexture::CreateBlank(width, height);
    if (!texture)
        return E_FAIL;
    m_Texture = std::move(texture);
    m_Kind = kEmpty;
    m_MipLevels = 1;
    return S_OK;
}

void cTextureHolder::Release()
{
    m_Texture.reset();
    m_Path.clear();
    m_MipLevels = 0;
    m_Kind = kNothing;
}

void cTextureHolder::OnDeviceCreated()
{
    // A texture made in memory starts over blank at the standard size.
    if (m_Kind == kEmpty) {
        if (auto texture = cTexture::CreateBlank(256, 256))
            m_Texture = std::move(texture);
    }
}

// Textures keep their pixels in memory and are uploaded again when needed, so a reset
// and a lost device leave them as they are.
void cTextureHolder::OnDeviceReset() {}
void cTextureHolder::OnDeviceLost() {}

void cTextureHolder::OnDeviceDestroyed() { Release(); }

namespace {

template <typename Fn>
void ForEveryHolder(Fn fn)
{
    for (auto& holder : g_Textures)
        fn(holder);
    if (GameExists() && g_GameLink.forEachCountryTexture)
        g_GameLink.forEachCountryTexture([&](cTextureHolder& holder) { fn(holder); });
}

} // namespace

void TexturesOnDeviceCreated()
{
    ForEveryHolder([](cTextureHolder& h) { h.OnDeviceCreated(); });
}

void TexturesOnDeviceReset()
{
    ForEveryHolder([](cTextureHolder& h) { h.OnDeviceReset(); });
}

void TexturesOnDeviceLost()
{
    ForEveryHolder([](cTextureHolder& h) { h.OnDeviceLost(); });
}

void TexturesOnDeviceDestroyed()
{
    ForEveryHolder([](cTextureHolder& h) { h.OnDeviceDestroyed(); });
}

void ReleaseGameTextures()
{
    for (int i = TEX_PREVIEW_MINIMAP; i < kSharedTextureCount; ++i)
        g_Textures[i].Release();
}

cTexture* CountryFlagTexture(const cPanstwo* country)
{
    return country && country->FlagPicture ? country->FlagPicture.get() : g_Textures[TEX_UNKNOWN_FLAG].Get();
}

std::shared_ptr<cTexture> LoadPictureFile(const std::wstring& gamePath)
{
    return std::shared_ptr<cTexture>(cTexture::LoadFromFile(HostPath(gamePath)));
}
