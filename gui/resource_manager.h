#pragma once
// The one cache of fonts and textures that every dialog draws with. Equal fonts and equal
// files are loaded once; the objects follow the device (made at its creation, dropped at
// its destruction) while the cache entries stay, so dialogs keep their slots.
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/font.h"
#include "platform/messages.h"
#include "platform/sprite.h"
#include "platform/texture.h"

constexpr size_t kMaxResourceName = 259;

struct DXUTTextureNode
{
    std::wstring strFilename;
    int dwWidth = 0;
    int dwHeight = 0;
    std::unique_ptr<cTexture> pTexture; // null while there is no device or when loading failed
};

struct DXUTFontNode
{
    std::wstring strFace;
    int nHeight = 0;
    int nWeight = 0;
    std::unique_ptr<cFont> pFont; // null while there is no device or when the face failed
};

class CDXUTDialogResourceManager
{
public:
    CDXUTDialogResourceManager();
    ~CDXUTDialogResourceManager();

    tResult OnCreateDevice(cRenderer* device);
    tResult OnResetDevice();
    void OnLostDevice();
    void OnDestroyDevice();

    // The index of the cached font or texture, added (and made at once when a device
    // exists) when it is new; -1 when the entry cannot be added.
    int AddFont(const std::wstring& face, int height, int weight);
    int AddTexture(const std::wstring& file);
    // Whether the file is a picture, told by the cached texture that the dialogs then draw:
    // decoded now (device or none) when the cache holds none, so that a look-up that must
    // know it does not decode the file a second time.
    bool DecodeTexture(const std::wstring& file);

    DXUTFontNode* GetFontNode(int index);
    DXUTTextureNode* GetTextureNode(int index);
    int GetFontCount();
    int GetTextureCount();

    cRenderer* GetD3DDevice() const { return m_Device; }
    // The sprite shared by the dialogs; null without a device.
    cSprite* GetSprite() const { return m_Sprite.get(); }

private:
    void CreateFont(DXUTFontNode& node);
    void CreateTexture(DXUTTextureNode& node);

    // The conventions let code on the computer's thread build dialogs that show pictures:
    // the one cache is then shared by both threads.
    std::recursive_mutex m_Mutex;
    cRenderer* m_Device = nullptr;
    std::unique_ptr<cSprite> m_Sprite;
    std::vector<std::unique_ptr<DXUTFontNode>> m_Fonts;
    std::vector<std::unique_ptr<DXUTTextureNode>> m_Textures;
};

// The shared manager, made on first use.
CDXUTDialogResourceManager* DXUTGetGlobalDialogResourceManager();
