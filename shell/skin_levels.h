#pragma once
// The zoom levels of the units skin and of the map skin's city appearance, with their
// text styles, and the choice of the levels that fit the current zoom.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "platform/font.h"
#include "platform/geometry.h"

struct sTextStyle
{
    std::wstring face;
    int height = 0;
    int weight = 0;
    int reserved = 0;
    tColor color1 = 0;
    tColor color2 = 0;
    std::unique_ptr<cFont> font; // made by the device callbacks
};

constexpr int kSkinLevelRects = 23;
constexpr int kSkinLevelFlags = 14;

// One zoom level of a skin. A units skin level keeps its pictures' rectangles by the
// family's layout (shell/skin_atlas.h); a city appearance level keeps marker k's
// destination in rects[k], its source in rects[6 + k] and label j in rects[12 + j], with
// present[k] and present[6 + j] telling which are drawn.
struct sSkinLevel
{
    std::wstring name;     // units skin only
    int zoomThreshold = 0; // percent; 0 or less: the level is not used
    std::array<sRect, kSkinLevelRects> rects{};
    std::array<bool, kSkinLevelFlags> present{};
    std::array<sTextStyle, 3> styles;

    bool IsUsed() const { return zoomThreshold > 0; }
};
constexpr int kCityMarkers = 6;
constexpr int kCityLabels = 3;
constexpr int CityMarkerDest(int k) { return k; }
constexpr int CityMarkerSource(int k) { return kCityMarkers + k; }
constexpr int CityLabel(int j) { return 2 * kCityMarkers + j; }
constexpr int CityLabelFlag(int j) { return kCityMarkers + j; }

constexpr int kUnitFamilies = 3; // land, air, naval
constexpr int kSkinLevels = 10;

extern std::array<std::array<sSkinLevel, kSkinLevels>, kUnitFamilies> g_UnitSkinLevels;
extern std::array<sSkinLevel, kSkinLevels> g_CityAppearanceLevels;
extern sTextStyle g_CityLabelStyle; // the shared label style (the action points of marked hexes)
extern sRect g_CityLabelRect;       // its rectangle in the hex's cell
// The selected level of each unit family and of the city appearance (indices into the tables).
extern std::array<int, kUnitFamilies> g_SelectedUnitSkinLevel;
extern int g_SelectedCityAppearanceLevel;
enum eUnitFamily { kFamilyLand = 0, kFamilyAir = 1, kFamilyNaval = 2 };
const sSkinLevel& CurrentUnitSkinLevel(int family);
const sSkinLevel& CurrentCityAppearance();

// With dynamic appearance on, each unit family takes the last of its levels whose threshold
// exceeds the zoom in percent; without such a level its choice stays.
void SelectUnitSkinLevels();
// The same rule over the first five city-appearance levels, always.
void SelectCityAppearanceLevel();

// The fonts of the used levels, the shared label font, following the device.
void CreateSkinFonts(cRenderer* device);
void ResetSkinFonts();
void LoseSkinFonts();
void DestroySkinFonts();
// Empty tables and the first levels chosen, as before any skin is read.
void ResetSkinLevels();

// Skin files are anyone's to edit: a sum or product of their numbers is taken wide and
// held within an int rather than overflowed.
int HeldInInt(long long value);

// Skin table rows. A rectangle from cells 0 to 3 (all zero with fewer than four cells),
// optionally turned from x, y, width, height into corners.
sRect ParseRectCells(sRect& rect, const std::vector<std::wstring>& row, bool toCorners);
// A text style from cells 4 to 12 (unchanged with fewer than 13 cells).
sTextStyle& ParseTextStyleCells(sTextStyle& style, const std::vector<std::wstring>& row);
