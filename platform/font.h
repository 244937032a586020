#pragma once
// A font found by face name through fontconfig ("Arial" resolves to a metric-compatible
// free face) and sized so that one line is as tall as the height asked for. It draws
// and measures text with the layout rules of text_layout.h.
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/renderer.h"
#include "platform/text_layout.h"

class cSprite;
class cTexture;
typedef struct _TTF_Font TTF_Font;

// The font file that fontconfig picks for a face and weight (100 thin .. 900 black);
// empty when there is none. syntheticBold tells that the file is lighter than asked.
std::filesystem::path FindFontFile(std::wstring_view face, int weight, bool* syntheticBold = nullptr);

class cFont : public iTextMeasure
{
public:
    // Null when the height is below 1 or no face can be opened. The device may be null
    // for a font that only measures or draws through sprites.
    static std::unique_ptr<cFont> Create(cRenderer* device, std::wstring_view face, int height, int weight);
    ~cFont() override;
    cFont(const cFont&) = delete;
    cFont& operator=(const cFont&) = delete;

    int LineHeight() const override { return m_Height; }
    int TextWidth(std::wstring_view text) const override;

    // Draws the first count characters of the text (count -1: all of it) in the rectangle.
    // With a sprite the text joins its batch (and its transform) at the depth, else it is
    // drawn on the device at once. Unless DT_NOCLIP the text is cut at the rectangle. With
    // DT_CALCRECT nothing is drawn and the rectangle receives the text's extent. Returns the
    // text's height.
    int DrawText(cSprite* sprite, std::wstring_view text, int count, sRect* rect, uint32_t format, tColor color,
                 float depth = 0.0f);

    // The pictures of drawn lines are kept for reuse; the device events drop them.
    void OnLostDevice();
    void OnResetDevice();
    int Height() const { return m_Height; }

private:
    cFont() = default;
    cTexture* LinePicture(const std::wstring& line);

    cRenderer* m_Device = nullptr;
    TTF_Font* m_Font = nullptr;
    int m_Height = 0;
    mutable std::recursive_mutex m_Mutex; // the font engine is not safe across threads
    std::unordered_map<std::wstring, std::unique_ptr<cTexture>> m_Lines;
    // The lines of the previous full cache: a sprite batch may still draw them, so they live
    // until the cache fills once more.
    std::unordered_map<std::wstring, std::unique_ptr<cTexture>> m_OlderLines;
};
