#include "gui/resource_manager.h"

#include "core/text.h"
#include "platform/paths.h"

namespace {

// Names compare without case over their first 259 characters.
bool SameName(const std::wstring& a, const std::wstring& b)
{
    return ToLowerAscii(std::wstring_view(a).substr(0, kMaxResourceName)) ==
           ToLowerAscii(std::wstring_view(b).substr(0, kMaxResourceName));
}

} // namespace

CDXUTDialogResourceManager::CDXUTDialogResourceManager() = default;
CDXUTDialogResourceManager::~CDXUTDialogResourceManager() = default;

CDXUTDialogResourceManager* DXUTGetGlobalDialogResourceManager()
{
    static CDXUTDialogResourceManager manager;
    return &manager;
}

void CDXUTDialogResourceManager::CreateFont(DXUTFontNode& node)
{
    node.pFont = cFont::Create(m_Device, node.strFace, node.nHeight, node.nWeight);
}

void CDXUTDialogResourceManager::CreateTexture(DXUTTextureNode& node)
{
    node.pTexture = cTexture::LoadFromFile(HostPath(node.strFilename));
    if (node.pTexture) {
        node.dwWidth = node.pTexture->Width();
        node.dwHeight = node.pTexture->Height();
    }
}

tResult CDXUTDialogResourceManager::OnCreateDevice(cRenderer* device)
{
    std::lock_guard<std::recursive_mutex> guard(m_Mutex);
    m_Device = device;
    for (auto& font : m_Fonts)
        CreateFont(*font);
    for (auto& texture : m_Textures)
        CreateTexture(*texture);
    m_Sprite = std::make_unique<cSprite>(device);
    return S_OK;
}

tResult CDXUTDialogResourceManager::OnResetDevice()
{
    std::lock_guard<std::recursive_mutex> guard(m_Mutex);
    for (auto& font : m_Fonts)
        if (font->pFont)
            font->pFont->OnResetDevice();
    if (!m_Sprite && m_Device)
        m_Sprite = std::make_unique<cSprite>(m_Device);
    return S_OK;
}

void CDXUTDialogResourceManager::OnLostDevice()
{
    std::lock_guard<std::recursive_mutex> guard(m_Mutex);
    for (auto& font : m_Fonts)
        if (font->pFont)
            font->pFont->OnLostDevice();
    if (m_Sprite && m_Sprite->IsBegun())
        m_Sprite->End();
}

void CDXUTDialogResourceManager::OnDestroyDevice()
{
    std::lock_guard<std::recursive_mutex> guard(m_Mutex);
    for (auto& font : m_Fonts)
        font->pFont.reset();
    for (auto& texture : m_Textures)
        texture->pTexture.reset();
    m_Sprite.reset();
    m_Device = nullptr;
}

int CDXUTDialogResourceManager::AddFont(const std::wstring& face, int height, int weight)
{
    std::lock_guard<std::recursive_mutex> guard(m_Mutex);
    for (size_t i = 0; i < m_Fonts.size(); ++i) {
        const auto& node = *m_Fonts[i];
        if (SameName(node.strFace, face) && node.nHeight == height && node.nWeight == weight)
            return int(i);
    }
    auto node = std::make_unique<DXUTFontNode>();
    node->strFace = face.substr(0, kMaxResourceName);
    node->nHeight = height;
    node->nWeight = weight;
    if (m_Device)
        CreateFont(*node);
    m_Fonts.push_back(std::move(node));
    return int(m_Fonts.size() - 1);
}

int CDXUTDialogResourceManager::AddTexture(const std::wstring& file)
{
    std::lock_guard<std::recursive_mutex> guard(m_Mutex);
    for (size_t i = 0; i < m_Textures.size(); ++i)
        if (SameName(m_Textures[i]->strFilename, file))
            return int(i);
    auto node = std::make_unique<DXUTTextureNode>();
    node->strFilename = file.substr(0, kMaxResourceName);
    if (m_Device)
        CreateTexture(*node);
    m_Textures.push_back(std::move(node));
    return int(m_Textures.size() - 1);
}

bool CDXUTDialogResourceManager::DecodeTexture(const std::wstring& file)
{
    std::lock_guard<std::recursive_mutex> guard(m_Mutex);
    DXUTTextureNode* node = nullptr;
    for (auto& cached : m_Textures)
        if (SameName(cached->strFilename, file))
            node = cached.get();
    // Most names looked for are of no file: they are kept out of the cache.
    if (!node && !FileExists(HostPath(file)))
        return false;
    if (!node) {
        m_Textures.push_back(std::make_unique<DXUTTextureNode>());
        node = m_Textures.back().get();
        node->strFilename = file.substr(0, kMaxResourceName);
    }
    // One that failed is tried again: the file may have come or been mended since.
    if (!node->pTexture)
        CreateTexture(*node);
    return node->pTexture != nullptr;
}

DXUTFontNode* CDXUTDialogResourceManager::GetFontNode(int index)
{
    std::lock_guard<std::recursive_mutex> guard(m_Mutex);
    if (index < 0 || size_t(index) >= m_Fonts.size())
        return nullptr;
    return m_Fonts[index].get();
}

DXUTTextureNode* CDXUTDialogResourceManager::GetTextureNode(int index)
{
    std::lock_guard<std::recursive_mutex> guard(m_Mutex);
    if (index < 0 || size_t(index) >= m_Textures.size())
        return nullptr;
    return m_Textures[index].get();
}

int CDXUTDialogResourceManager::GetFontCount()
{
    std::lock_guard<std::recursive_mutex> guard(m_Mutex);
    return int(m_Fonts.size());
}

int CDXUTDialogResourceManager::GetTextureCount()
{
    std::lock_guard<std::recursive_mutex> guard(m_Mutex);
    return int(m_Textures.size());
}
