#pragma once
// A font found by face name through fontconfig ("Arial" resolves to a metric-compatible
// free face) and sized so that one line is as tall as the height asked for. It draws
// and measures text with the layout rules of text_layout.h.
#include <filesystem>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/renderer.h"
#include "platform/text_layout.h"

class cSprite;
class cTexture;
typedef struct _TTF_Font TTF_Font;

// Where a copy of a line lies from the line itself, in pixels.
struct sTextOffset
{
    int x = 0;
    int y = 0;
    bool operator==(const sTextOffset&) const = default;
};

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

    // One line over copies of it in a second colour at the offsets, in their order (a shadow,
    // an outline), placed in the rectangle as DrawText places a line with DT_NOCLIP (line
    // breaks are left out). The whole is one picture, made at its first use and kept: a label
    // drawn at every frame is neither laid out nor blended copy by copy again. Returns the
    // line's height, 0 for no text.
    int DrawBackedLine(cSprite* sprite, std::wstring_view text, const sRect& rect, uint32_t format, tColor color,
                       tColor backColor, std::span<const sTextOffset> offsets, float depth = 0.0f);

    // The pictures of drawn lines are kept for reuse; the device events drop them.
    void OnLostDevice();
    void OnResetDevice();
    int Height() const { return m_Height; }

private:
    // A backed line as it was asked for, and its picture.
    struct sBackedKey
    {
        std::wstring text;
        tColor color = 0, backColor = 0;
        std::vector<sTextOffset> offsets;
    };
    struct sBackedKeyView
    {
        std::wstring_view text;
        tColor color, backColor;
        std::span<const sTextOffset> offsets;
    };
    struct sBackedHash
    {
        using is_transparent = void;
        size_t operator()(const sBackedKeyView& k) const;
        size_t operator()(const sBackedKey& k) const { return (*this)(View(k)); }
    };
    struct sBackedEqual
    {
        using is_transparent = void;
        static bool Same(const sBackedKeyView& a, const sBackedKeyView& b);
        bool operator()(const sBackedKey& a, const sBackedKey& b) const { return Same(View(a), View(b)); }
        bool operator()(const sBackedKeyView& a, const sBackedKey& b) const { return Same(a, View(b)); }
        bool operator()(const sBackedKey& a, const sBackedKeyView& b) const { return Same(View(a), b); }
    };
    struct sBackedLine
    {
        std::unique_ptr<cTexture> picture; // null: nothing to draw
        int width = 0;                     // the line's advance, which places it
        sTextOffset origin;                // of the picture from the line's top-left corner
    };
    using tBackedLines = std::unordered_map<sBackedKey, sBackedLine, sBackedHash, sBackedEqual>;
    static sBackedKeyView View(const sBackedKey& k) { return {k.text, k.color, k.backColor, k.offsets}; }

    cFont() = default;
    cTexture* LinePicture(const std::wstring& line);
    const sBackedLine& BackedLine(const sBackedKeyView& key);

    cRenderer* m_Device = nullptr;
    TTF_Font* m_Font = nullptr;
    int m_Height = 0;
    mutable std::recursive_mutex m_Mutex; // the font engine is not safe across threads
    std::unordered_map<std::wstring, std::unique_ptr<cTexture>> m_Lines;
    // The lines of the previous full cache: a sprite batch may still draw them, so they live
    // until the cache fills once more.
    std::unordered_map<std::wstring, std::unique_ptr<cTexture>> m_OlderLines;
    // The same for backed lines.
    tBackedLines m_BackedLines;
    tBackedLines m_OlderBackedLines;
};
