#include "platform/font.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>

#include "core/text.h"
#include "platform/sprite.h"
#include "platform/texture.h"

namespace {

std::mutex g_FontconfigMutex;
constexpr size_t kMaxCachedLines = 512;

bool InitTtf()
{
    static bool ok = [] { return TTF_WasInit() > 0 || TTF_Init() == 0; }();
    return ok;
}

} // namespace

std::filesystem::path FindFontFile(std::wstring_view face, int weight, bool* syntheticBold)
{
    std::lock_guard<std::mutex> guard(g_FontconfigMutex);
    if (syntheticBold)
        *syntheticBold = false;
    if (!FcInit())
        return {};
    FcPattern* pattern = FcPatternCreate();
    if (!pattern)
        return {};
    std::string family = WideToUtf8(face);
    if (!family.empty())
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    int fcWeight = FcWeightFromOpenType(std::clamp(weight, 1, 1000));
    FcPatternAddInteger(pattern, FC_WEIGHT, fcWeight);
    FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    std::filesystem::path file;
    if (match) {
        FcChar8* path = nullptr;
        if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path)
            file = reinterpret_cast<const char*>(path);
        int matchedWeight = 0;
        if (syntheticBold && FcPatternGetInteger(match, FC_WEIGHT, 0, &matchedWeight) == FcResultMatch)
            *syntheticBold = weight >= 600 && matchedWeight < FC_WEIGHT_DEMIBOLD;
        FcPatternDestroy(match);
    }
    return file;
}

std::unique_ptr<cFont> cFont::Create(cRenderer* device, std::wstring_view face, int height, int weight)
{
    if (height < 1 || !InitTtf())
        return nullptr;
    bool bold = false;
    std::filesystem::path file = FindFontFile(face, weight, &bold);
    if (file.empty())
        return nullptr;
    TTF_Font* font = TTF_OpenFont(file.string().c_str(), height);
    if (!font)
        return nullptr;
    if (bold)
        TTF_SetFontStyle(font, TTF_STYLE_BOLD);
    // Size the face so that its line (ascent plus descent) fills the cell height.
    int lineHeight = std::max(1, TTF_FontHeight(font));
    int size = std::max(1, int(std::lround(double(height) * height / lineHeight)));
    TTF_SetFontSize(font, size);
    while (size > 1 && TTF_FontHeight(font) > height)
        TTF_SetFontSize(font, --size);
    std::unique_ptr<cFont> result(new cFont());
    result->m_Device = device;
    result->m_Font = font;
    result->m_Height = height;
    return result;
}

cFont::~cFont()
{
    m_Lines.clear();
    m_OlderLines.clear();
    m_BackedLines.clear();
    m_OlderBackedLines.clear();
    if (m_Font)
        TTF_CloseFont(m_Font);
}

int cFont::TextWidth(std::wstring_view text) const
{
    if (text.empty())
        return 0;
    std::lock_guard<std::recursive_mutex> guard(m_Mutex);
    int w = 0, h = 0;
    if (TTF_SizeUTF8(m_Font, WideToUtf8(text).c_str(), &w, &h) != 0)
        return 0;
    return w;
}

cTexture* cFont::LinePicture(const std::wstring& line)
{
    auto it = m_Lines.find(line);
    if (it != m_Lines.end())
        return it->second.get();
    auto older = m_OlderLines.find(line);
    if (older != m_OlderLines.end()) {
        cTexture* raw = older->second.get();
        m_Lines.emplace(line, std::move(older->second));
        m_OlderLines.erase(older);
        return raw;
    }
    if (m_Lines.size() >= kMaxCachedLines) {
        m_OlderLines = std::move(m_Lines);
        m_Lines.clear();
    }
    SDL_Surface* surface = TTF_RenderUTF8_Blended(m_Font, WideToUtf8(line).c_str(), SDL_Color{255, 255, 255, 255});
    std::unique_ptr<cTexture> picture = cTexture::AdoptSurface(surface);
    cTexture* raw = picture.get();
    if (picture)
        m_Lines.emplace(line, std::move(picture));
    return raw;
}

int cFont::DrawText(cSprite* sprite, std::wstring_view text, int count, sRect* rect, uint32_t format, tColor color,
                    float depth)
{
    if (count >= 0 && size_t(count) < text.size())
        text = text.substr(0, size_t(count));
    sRect area = rect ? *rect : sRect{};
    std::lock_guard<std::recursive_mutex> guard(m_Mutex);
    if (format & DT_CALCRECT) {
        int height = CalcTextExtent(*this, text, area, format);
        if (rect)
            *rect = area;
        return height;
    }
    sTextLayout layout = LayoutText(*this, text, area, format);
    bool clip = !(format & DT_NOCLIP);
    for (const auto& line : layout.lines) {
        if (line.text.empty())
            continue;
        cTexture* picture = LinePicture(line.text);
        if (!picture)
            continue;
        sRectF src{0, 0, float(picture->Width()), float(picture->Height())};
        sRectF dst{float(line.x), float(line.y), float(line.x + picture->Width()), float(line.y + picture->Height())};
        if (clip) {
            // Cut the piece at the rectangle; what lies outside is not drawn at all.
            sRectF cut{std::max(dst.left, float(area.left)), std::max(dst.top, float(area.top)),
                       std::min(dst.right, float(area.right)), std::min(dst.bottom, float(area.bottom))};
            if (cut.right <= cut.left || cut.bottom <= cut.top)
                continue;
            src = sRectF{cut.left - dst.left, cut.top - dst.top, cut.right - dst.left, cut.bottom - dst.top};
            dst = cut;
        }
        if (sprite && sprite->IsBegun()) {
            sprite->DrawF(picture, src, sPointF{dst.left, dst.top}, depth, color);
        } else if (m_Device) {
            sQuad quad;
            quad.texture = picture;
            quad.src = src;
            quad.color = color;
            quad.corners[0] = {dst.left, dst.top};
            quad.corners[1] = {dst.right, dst.top};
            quad.corners[2] = {dst.right, dst.bottom};
            quad.corners[3] = {dst.left, dst.bottom};
            m_Device->DrawQuad(quad);
        }
    }
    return layout.height;
}

size_t cFont::sBackedHash::operator()(const sBackedKeyView& k) const
{
    size_t h = std::hash<std::wstring_view>()(k.text);
    auto mix = [&h](uint64_t v) { h ^= size_t(v) + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2); };
    mix(uint64_t(k.color) << 32 | k.backColor);
    for (const sTextOffset& o : k.offsets)
        mix(uint64_t(uint32_t(o.x)) << 32 | uint32_t(o.y));
    return h;
}

bool cFont::sBackedEqual::Same(const sBackedKeyView& a, const sBackedKeyView& b)
{
    return a.text == b.text && a.color == b.color && a.backColor == b.backColor &&
           std::equal(a.offsets.begin(), a.offsets.end(), b.offsets.begin(), b.offsets.end());
}

const cFont::sBackedLine& cFont::BackedLine(const sBackedKeyView& key)
{
    if (auto it = m_BackedLines.find(key); it != m_BackedLines.end())
        return it->second;
    if (auto older = m_OlderBackedLines.find(key); older != m_OlderBackedLines.end()) {
        auto node = m_OlderBackedLines.extract(older);
        return m_BackedLines.insert(std::move(node)).position->second;
    }
    if (m_BackedLines.size() >= kMaxCachedLines) {
        m_OlderBackedLines = std::move(m_BackedLines);
        m_BackedLines.clear();
    }
    sBackedLine made;
    std::wstring line;
    for (wchar_t c : key.text)
        if (c != L'\n' && c != L'\r')
            line += c;
    std::unique_ptr<cTexture> glyphs = cTexture::AdoptSurface(
        line.empty() ? nullptr : TTF_RenderUTF8_Blended(m_Font, WideToUtf8(line).c_str(), SDL_Color{255, 255, 255, 255}));
    int glyphsPitch = 0;
    const uint32_t* in = glyphs ? glyphs->LockPixels(&glyphsPitch) : nullptr;
    if (in) {
        made.width = TextWidth(line);
        int left = 0, top = 0, right = 0, bottom = 0;
        for (const sTextOffset& o : key.offsets) {
            left = std::min(left, o.x);
            top = std::min(top, o.y);
            right = std::max(right, o.x);
            bottom = std::max(bottom, o.y);
        }
        made.origin = {left, top};
        const int gw = glyphs->Width(), gh = glyphs->Height(), w = gw + right - left, h = gh + bottom - top;
        made.picture = cTexture::CreateBlank(w, h);
        int pitch = 0;
        uint32_t* out = made.picture ? made.picture->LockPixels(&pitch) : nullptr;
        if (out) {
            // Each copy laid over the ones before as the renderer would blend them one by one,
            // premultiplied, so that the layers add up the same in one picture.
            struct sLayer
            {
                tColor color;
                sTextOffset at;
            };
            std::vector<sLayer> layers;
            for (const sTextOffset& o : key.offsets)
                layers.push_back({key.backColor, o});
            layers.push_back({key.color, {0, 0}});
            // The glyphs are white: their alpha is their coverage.
            auto coverage = [&](int x, int y) {
                if (x < 0 || y < 0 || x >= gw || y >= gh)
                    return 0.0f;
                return float(in[size_t(y) * size_t(glyphsPitch) + size_t(x)] >> 24) / 255.0f;
            };
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    float r = 0, g = 0, b = 0, a = 0;
                    for (const sLayer& l : layers) {
                        const float k = coverage(x + left - l.at.x, y + top - l.at.y) * float(ColorA(l.color)) / 255.0f;
                        r = float(ColorR(l.color)) * k + r * (1 - k);
                        g = float(ColorG(l.color)) * k + g * (1 - k);
                        b = float(ColorB(l.color)) * k + b * (1 - k);
                        a = k + a * (1 - k);
                    }
                    auto straight = [a](float v) { return unsigned(std::lround(std::clamp(v / a, 0.0f, 255.0f))); };
                    out[size_t(y) * size_t(pitch) + size_t(x)] =
                        a > 0 ? MakeArgb(unsigned(std::lround(a * 255.0f)), straight(r), straight(g), straight(b)) : 0;
                }
            made.picture->UnlockPixels();
        }
        glyphs->UnlockPixels();
    }
    sBackedKey stored{std::wstring(key.text), key.color, key.backColor,
                      std::vector<sTextOffset>(key.offsets.begin(), key.offsets.end())};
    return m_BackedLines.emplace(std::move(stored), std::move(made)).first->second;
}

int cFont::DrawBackedLine(cSprite* sprite, std::wstring_view text, const sRect& rect, uint32_t format, tColor color,
                          tColor backColor, std::span<const sTextOffset> offsets, float depth)
{
    if (text.empty())
        return 0;
    std::lock_guard<std::recursive_mutex> guard(m_Mutex);
    const sBackedLine& line = BackedLine(sBackedKeyView{text, color, backColor, offsets});
    if (line.picture) {
        const float x = float(AlignedLineX(rect, line.width, format) + line.origin.x);
        const float y = float(AlignedBlockY(rect, m_Height, format) + line.origin.y);
        const sRectF src{0, 0, float(line.picture->Width()), float(line.picture->Height())};
        if (sprite && sprite->IsBegun()) {
            sprite->DrawF(line.picture.get(), src, sPointF{x, y}, depth, 0xFFFFFFFF);
        } else if (m_Device) {
            sQuad quad;
            quad.texture = line.picture.get();
            quad.src = src;
            quad.corners[0] = {x, y};
            quad.corners[1] = {x + src.right, y};
            quad.corners[2] = {x + src.right, y + src.bottom};
            quad.corners[3] = {x, y + src.bottom};
            m_Device->DrawQuad(quad);
        }
    }
    return m_Height;
}

void cFont::OnLostDevice()
{
    std::lock_guard<std::recursive_mutex> guard(m_Mutex);
    m_Lines.clear();
    m_OlderLines.clear();
    m_BackedLines.clear();
    m_OlderBackedLines.clear();
}

void cFont::OnResetDevice()
{
    std::lock_guard<std::recursive_mutex> guard(m_Mutex);
    m_Lines.clear();
    m_OlderLines.clear();
    m_BackedLines.clear();
    m_OlderBackedLines.clear();
}
