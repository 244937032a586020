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

void cFont::OnLostDevice()
{
    std::lock_guard<std::recursive_mutex> guard(m_Mutex);
    m_Lines.clear();
    m_OlderLines.clear();
}

void cFont::OnResetDevice()
{
    std::lock_guard<std::recursive_mutex> guard(m_Mutex);
    m_Lines.clear();
    m_OlderLines.clear();
}
