#include "shell/skin_levels.h"

#include <algorithm>
#include <climits>

#include "core/settings.h"
#include "core/text.h"

std::array<std::array<sSkinLevel, kSkinLevels>, kUnitFamilies> g_UnitSkinLevels;
std::array<sSkinLevel, kSkinLevels> g_CityAppearanceLevels;
sTextStyle g_CityLabelStyle;
sRect g_CityLabelRect;
std::array<int, kUnitFamilies> g_SelectedUnitSkinLevel{};
int g_SelectedCityAppearanceLevel = 0;

namespace {

// Before the first view brings it within the wheel's reach the zoom is the settings' value as
// it stands, which may be any whole number of percent.
int ZoomPercent() { return int(std::clamp(g_MapZoom * 100.0f, -1e9f, 1e9f)); }

int Cell(const std::vector<std::wstring>& row, size_t i) { return AtoiLike(WideToUtf8(row[i])); }

tColor OpaqueColor(const std::vector<std::wstring>& row, size_t first)
{
    return MakeArgb(255, unsigned(Cell(row, first)) & 0xFF, unsigned(Cell(row, first + 1)) & 0xFF,
                    unsigned(Cell(row, first + 2)) & 0xFF);
}

template <typename Fn>
void ForEveryUsedStyle(Fn fn)
{
    for (auto& family : g_UnitSkinLevels)
        for (auto& level : family)
            if (level.IsUsed())
                for (auto& style : level.styles)
                    fn(style);
    for (auto& level : g_CityAppearanceLevels)
        if (level.IsUsed())
            for (auto& style : level.styles)
                fn(style);
}

// Every font the used levels and the city label hold.
template <typename Fn>
void ForEveryLiveFont(Fn fn)
{
    ForEveryUsedStyle([&](sTextStyle& s) {
        if (s.font)
            fn(*s.font);
    });
    if (g_CityLabelStyle.font)
        fn(*g_CityLabelStyle.font);
}

} // namespace

int HeldInInt(long long value) { return int(std::clamp<long long>(value, INT_MIN, INT_MAX)); }

const sSkinLevel& CurrentUnitSkinLevel(int family)
{
    const int f = std::clamp(family, 0, kUnitFamilies - 1);
    return g_UnitSkinLevels[size_t(f)][size_t(std::clamp(g_SelectedUnitSkinLevel[size_t(f)], 0, kSkinLevels - 1))];
}

const sSkinLevel& CurrentCityAppearance()
{
    return g_CityAppearanceLevels[size_t(std::clamp(g_SelectedCityAppearanceLevel, 0, kSkinLevels - 1))];
}

void SelectUnitSkinLevels()
{
    if (!g_UserSettings.dynamicAppearance)
        return;
    int zoom = ZoomPercent();
    for (int family = 0; family < kUnitFamilies; ++family)
        for (int level = 0; level < kSkinLevels; ++level)
            if (g_UnitSkinLevels[family][level].zoomThreshold > zoom)
                g_SelectedUnitSkinLevel[family] = level;
}

void SelectCityAppearanceLevel()
{
    int zoom = ZoomPercent();
    for (int level = 0; level < 5; ++level)
        if (g_CityAppearanceLevels[level].zoomThreshold > zoom)
            g_SelectedCityAppearanceLevel = level;
}

void CreateSkinFonts(cRenderer* device)
{
    ForEveryUsedStyle([&](sTextStyle& s) { s.font = cFont::Create(device, s.face, s.height, s.weight); });
    g_CityLabelStyle.font = cFont::Create(device, g_CityLabelStyle.face, g_CityLabelStyle.height, g_CityLabelStyle.weight);
}

void ResetSkinFonts()
{
    ForEveryLiveFont([](cFont& font) { font.OnResetDevice(); });
}

void LoseSkinFonts()
{
    ForEveryLiveFont([](cFont& font) { font.OnLostDevice(); });
}

void DestroySkinFonts()
{
    for (auto& family : g_UnitSkinLevels)
        for (auto& level : family)
            for (auto& style : level.styles)
                style.font.reset();
    for (auto& level : g_CityAppearanceLevels)
        for (auto& style : level.styles)
            style.font.reset();
    g_CityLabelStyle.font.reset();
}

void ResetSkinLevels()
{
    DestroySkinFonts();
    for (auto& family : g_UnitSkinLevels)
        for (auto& level : family)
            level = sSkinLevel{};
    for (auto& level : g_CityAppearanceLevels)
        level = sSkinLevel{};
    g_CityLabelStyle = sTextStyle{};
    g_CityLabelRect = sRect{};
    g_SelectedUnitSkinLevel = {};
    g_SelectedCityAppearanceLevel = 0;
}

sRect ParseRectCells(sRect& rect, const std::vector<std::wstring>& row, bool toCorners)
{
    if (row.size() < 4) {
        rect = sRect{};
        return rect;
    }
    int a = Cell(row, 0), b = Cell(row, 1), c = Cell(row, 2), d = Cell(row, 3);
    rect = toCorners ? sRect{a, b, HeldInInt(0LL + a + c), HeldInInt(0LL + b + d)} : sRect{a, b, c, d};
    return rect;
}

sTextStyle& ParseTextStyleCells(sTextStyle& style, const std::vector<std::wstring>& row)
{
    if (row.size() < 13)
        return style;
    style.face = row[4];
    style.height = Cell(row, 5);
    style.weight = HeldInInt(Cell(row, 6) * 8LL + 100);
    style.color1 = OpaqueColor(row, 7);
    style.color2 = OpaqueColor(row, 10);
    return style;
}
