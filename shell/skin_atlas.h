#pragma once
// Where every piece of the two skins lies: the map skin's terrain.png, others.png and
// eyecandies.png, and the units skin's units.png, info.png and units_<name>.png. The art
// generator draws exactly these cells and the map and counter drawing cut them, so the two
// cannot drift apart. Rectangles are (left, top, right, bottom), right and bottom exclusive,
// in texture pixels.
#include <algorithm>

#include "gui/gui_atlas.h"

namespace skin_atlas {

using gui_atlas::Cell;
using tAtlasRect = gui_atlas::sRect;

// ---- The map skin: cells of 166 pixels on a grid of 167 ----
constexpr int kMapTextureSize = 2048;
constexpr int kCellPitch = 167;
constexpr int kCellSize = 166;

constexpr tAtlasRect MapCell(int column, int row) { return Cell(column * kCellPitch + 1, row * kCellPitch + 1, kCellSize, kCellSize); }

// Every cell is drawn with its origin at the hex's position (column x 83, row x 98, half a
// hex lower in even columns), so the hex lies in every cell at the same place: a flat-topped
// hex 107 wide and 98 high whose corners are these, counted from the cell's origin.
struct sPoint {
    int x, y;
};
constexpr sPoint kHexCorners[6] = {{30, 85}, {54, 36}, {113, 36}, {137, 85}, {113, 134}, {54, 134}};
constexpr double kHexCentreX = 83.5, kHexCentreY = 85.0;

// The drawing layers of the map; sprites_depth.csv gives each its depth level, one line a
// layer in this order. A hex decoration that names a layer's depth level hides that layer.
enum eMapLayer {
    kLayerTerrainFirst = 0, // terrain codes 0 to 7 each have their own layer
    kLayerRivers = 8,
    kLayerWeather = 9,
    kLayerOwnership = 10,
    kLayerMarks = 11,
    kLayerBorders = 12, // country and sea-zone borders
    kLayerGrid = 13,
    kLayerCity = 14,
    kLayerFortification = 15,
    kLayerSeaNode = 16,
    kLayerUnits = 17,
    kMapLayerCount = 18,
};
constexpr int kTerrainCount = 8;
constexpr int kTerrainVariants = 6;
constexpr int kWeatherStates = 3;

// terrain.png: each terrain code a block of 6 variants across and 3 weathers down; the
// blocks stand two across and four down. The sea has one weather.
constexpr tAtlasRect TerrainCell(int terrain, int variant, int weather)
{
    const int t = std::clamp(terrain, 0, kTerrainCount - 1);
    const int w = t == 0 ? 0 : std::clamp(weather, 0, kWeatherStates - 1);
    return MapCell((t / 4) * kTerrainVariants + ((variant % kTerrainVariants) + kTerrainVariants) % kTerrainVariants,
                   (t % 4) * kWeatherStates + w);
}

// The ownership map's land hexes tile like terrain, so they lie in terrain.png, in the sea
// block's weather rows that the sea does not use: the hex of no country, and the hex of a
// country (tinted with the country's first colour). The design puts them in others.png, a
// cell of row 1 for each map-colour index and the cell (0, 2) for no country; but rows 1 and
// 2 of others.png are the design's own river mouths, one for each side and variant, and one
// cell cannot show both. Nor does countries.csv hold a map-colour index to pick a cell by:
// the country's colour tints one cell instead.
constexpr tAtlasRect kOwnershipNone = MapCell(0, 1);
constexpr tAtlasRect kOwnershipCountry = MapCell(1, 1);

// others.png.
// Rivers along sides 1 to 3 of a hex, two variants each, in row 0.
constexpr tAtlasRect RiverCell(int side, int variant) { return MapCell((variant & 1) + 2 * (side - 1), 0); }
// A river mouth on a sea hex: one cell per side 0 to 5, in rows 1 and 2 by variant.
constexpr tAtlasRect RiverMouthCell(int side, int variant) { return MapCell(side, 1 + (variant & 1)); }
// Cities of types 0 to 3 (three variants) and resources cities (two variants), row 3.
constexpr tAtlasRect CityCell(int type, int variant)
{
    return type == 4 ? MapCell(3 + (variant & 1), 3) : MapCell(((variant % 3) + 3) % 3, 3);
}
// Borders along sides 1 to 3: columns 0 to 2 between countries, 3 to 5 between sea zones.
constexpr int kBorderRowY = 669;
constexpr tAtlasRect BorderCell(int column) { return MapCell(column, 4); }
// The arrows of the six attack directions of a planned assault, row 5.
constexpr int kMoveFlagRowY = 836;
constexpr tAtlasRect MoveFlagCell(int direction) { return MapCell(direction, 5); }
// Ownership and the grid (row 6): the controller's and the owner's overlays (tinted) and
// the grid. The design puts them at (1, 2), (2, 2) and (5, 2), which are its own river-mouth
// cells of the second variant (sides 1, 2 and 5): one cell cannot show both, so they stand
// in row 6, which holds nothing else.
constexpr tAtlasRect kControllerOverlay = MapCell(2, 6);
constexpr tAtlasRect kOwnerOverlay = MapCell(3, 6);
constexpr tAtlasRect kGridCell = MapCell(4, 6);
// Weather icons, row 7: two variants of clear, winter and mud.
constexpr int kWeatherRowY = 1170;
constexpr tAtlasRect WeatherIconCell(int variant, int weather) { return MapCell((variant & 1) + 2 * std::clamp(weather, 0, 2), 7); }
// Fortification levels 1 to 6 (higher levels show level 6), row 10.
constexpr int kFortificationRowY = 1671;
constexpr int kFortificationLevels = 6;
constexpr tAtlasRect FortificationCell(int level) { return MapCell(std::clamp(level, 1, kFortificationLevels) - 1, 10); }
// The landing mark of a coastal hex in the landing map mode.
constexpr tAtlasRect kLandingMark = Cell(1838, 1671, kCellSize, kCellSize);
// Mark icons: bit b of a hex's marks, six to a row in the right half.
constexpr int kMarkIconBits = 32;
constexpr tAtlasRect MarkIconCell(int bit) { return Cell(1003 + (bit % 6) * kCellPitch, (bit / 6) * kCellPitch, kCellSize, kCellSize); }
// The ownership map puts the controller's flag on a city hex, 128 x 85 scaled into this
// rectangle of the cell. The design takes the rectangle, and whether flags show at all, from
// the skin, but no table of a map skin holds either: the rectangle is fixed here and the
// flag always shown.
constexpr tAtlasRect kOwnershipFlag = {59, 62, 109, 95};

// The markers of the city appearance levels (appearance.csv takes its source rectangles
// from here): the city, its fortification (one cell per level 0 to 7 downward), port,
// supply, resources and victory points.
constexpr tAtlasRect kCityMarker = Cell(1, 1337, 72, 72);
constexpr tAtlasRect kCityFortificationMarker = Cell(80, 1337, 40, 40);
constexpr int kCityFortificationMarkers = 8;
constexpr tAtlasRect kPortMarker = Cell(130, 1337, 48, 48);
constexpr tAtlasRect kSupplyMarker = Cell(180, 1337, 48, 48);
constexpr tAtlasRect kResourcesMarker = Cell(230, 1337, 48, 48);
constexpr tAtlasRect kVictoryMarker = Cell(280, 1337, 48, 48);

// eyecandies.png: decorations on the same 167 grid, each in three cells across (clear,
// winter, mud). The scenario's eyecandies.csv places them.
constexpr int kEyecandyKinds = 6;
constexpr tAtlasRect EyecandyCell(int kind, int weather) { return MapCell(3 * (kind % 4) + weather, kind / 4); }

// ---- The units skin ----
constexpr int kUnitsTextureWidth = 1024, kUnitsTextureHeight = 1024;
// One unit picture: a cell of 128 x 100.
constexpr int kUnitCellWidth = 128, kUnitCellHeight = 100;
// A country's own picture (units_<name>.png): land divisions (types 0, 2, 4, 6) in row 0,
// corps (1, 3, 5) in row 1, aircraft (20 to 22) in row 2, ships (40 to 45) in row 3. The
// same set, undressed, stands at the top left of units.png for a country without one.
constexpr int kCountryPictureWidth = 6 * kUnitCellWidth, kCountryPictureHeight = 4 * kUnitCellHeight;
constexpr tAtlasRect UnitPictureCell(int type)
{
    if (type >= 0 && type <= 6)
        return Cell((type / 2) * kUnitCellWidth, (type & 1) * kUnitCellHeight, kUnitCellWidth, kUnitCellHeight);
    if (type >= 20 && type <= 22)
        return Cell((type - 20) * kUnitCellWidth, 2 * kUnitCellHeight, kUnitCellWidth, kUnitCellHeight);
    if (type >= 40 && type <= 45)
        return Cell((type - 40) * kUnitCellWidth, 3 * kUnitCellHeight, kUnitCellWidth, kUnitCellHeight);
    return {0, 0, 0, 0};
}
// units.png: the counter's card (tinted with the owner's colour) and the Mulberry harbour.
constexpr tAtlasRect kCounterBase = {640, 500, 768, 600};
constexpr tAtlasRect kMulberryPicture = {512, 600, 640, 700};
// The card's bevelled frame, the second colour's stripe and the own-unit rim, 128 x 100.
constexpr tAtlasRect kCounterFrame = Cell(0, 500, 128, 100);
constexpr tAtlasRect kCounterStripe = Cell(128, 500, 128, 100);
constexpr tAtlasRect kOwnUnitRim = Cell(256, 500, 128, 100);
// The size of a land unit: division, then corps to its right.
constexpr tAtlasRect kSizeMarker = Cell(384, 500, 48, 20);
// Markers of 32 pixels: attacked or spent, attacked by the enemy, frozen (left to right).
constexpr tAtlasRect kActionMarker = Cell(0, 720, 32, 32);
constexpr tAtlasRect kFreezeMarker = Cell(64, 720, 32, 32);
// Own commander, then a commander in reach.
constexpr tAtlasRect kCommanderMarker = Cell(128, 720, 32, 32);
constexpr tAtlasRect kActionPointsMarker = Cell(224, 720, 32, 32);
constexpr tAtlasRect kLowSupplyMarker = Cell(288, 720, 32, 32);
// An air unit's level, levels 0 to 5 downward.
constexpr tAtlasRect kLevelPips = Cell(352, 720, 48, 12);
constexpr int kLevelPipRows = 6;
// A ship's hit points: the empty bar, and the filled bar below it.
constexpr tAtlasRect kHitPointsBar = Cell(0, 800, 100, 10);
constexpr tAtlasRect kHitPointsFill = Cell(0, 812, 100, 10);
// Sea-battle marks: may act, and seen by the other side.
constexpr tAtlasRect kBattleActiveMark = Cell(128, 800, 32, 32);
constexpr tAtlasRect kBattleVisibleMark = Cell(160, 800, 32, 32);

// What the rectangles of a units skin level (land_units.csv, air_units.csv, naval_units.csv)
// hold. A pair k is a destination (in the 166-pixel counter cell) with its source in the
// units picture; the family's further rectangles follow the pairs.
enum eLandPiece {
    kLandCard = 0, kLandStripe, kLandFrame, kLandSize, kLandFlag, kLandAction, kLandCommander, kLandActionPoints,
    kLandLowSupply, kLandPairs,
    // The own-unit rim and the freeze marker have one rectangle each, their places; their
    // pictures are kOwnUnitRim and kFreezeMarker.
    kLandStrengthText = 18, kLandActionPointsText = 19, kLandNameText = 20, kLandOwnRimDest = 21, kLandFreezeDest = 22,
};
enum eAirPiece {
    kAirCard = 0, kAirFlag, kAirFrame, kAirLevel, kAirAction, kAirActionPoints, kAirLowSupply, kAirPairs,
    kAirStrengthText = 16, kAirActionPointsText = 17, kAirNameText = 18, kAirOwnRimDest = 19, kAirOwnRimSource = 20,
};
enum eNavalPiece {
    kNavalCard = 0, kNavalFlag, kNavalPicture, kNavalActiveMark, kNavalPairs,
    kNavalHitPoints = 13, kNavalShipNameText = 14, kNavalFleetNameText = 15, kNavalVisibleMarkDest = 16,
    kNavalVisibleMarkSource = 17,
};
// The source of pair k sits in rectangle 9 + k.
constexpr int kPairSourceOffset = 9;

// info.png: the hint of a sea node. A title bar, a bar of the six ship types, then one row
// per side shown; the picture is cut after the rows shown and its bottom edge (the frame's
// lower border and corners, under the third row) is put under them, so that a hint of one or
// two rows is framed all round too.
constexpr int kInfoWidth = 300, kInfoHeight = 132;
constexpr int kInfoTitleHeight = 28;
constexpr int kInfoIconsHeight = 30;
constexpr int kInfoRowHeight = 22;
constexpr int kInfoColumnsLeft = 84;   // the six type columns start here
constexpr int kInfoColumnWidth = 36;
constexpr int kInfoRowsTop = kInfoTitleHeight + kInfoIconsHeight;
constexpr tAtlasRect InfoBackground(int rows) { return {0, 0, kInfoWidth, kInfoRowsTop + rows * kInfoRowHeight}; }
constexpr tAtlasRect InfoBottomEdge() { return {0, kInfoRowsTop + 3 * kInfoRowHeight, kInfoWidth, kInfoHeight}; }
constexpr int InfoHintHeight(int rows) { return InfoBackground(rows).Height() + InfoBottomEdge().Height(); }

} // namespace skin_atlas
