// Drawing the map: every visible hex as a stack of layers in the frame's depth-sorted sprite
// batch, in the four map modes, with its city, sea node and unit.
#include <array>
#include <bit>
#include <cmath>
#include <functional>

#include "core/format.h"
#include "core/settings.h"
#include "platform/clock.h"
#include "platform/renderer.h"
#include "platform/sprite.h"
#include "platform/texture.h"
#include "shell/dxut.h"
#include "shell/frame_callbacks.h"
#include "shell/map_picture.h"
#include "shell/skin_atlas.h"
#include "shell/skin_drawing.h"
#include "shell/skin_levels.h"
#include "shell/textures.h"
#include "units/naval_unit.h"
#include "world/city.h"
#include "world/country.h"
#include "world/map.h"
#include "world/sea_graph.h"
#include "world/world.h"

using namespace skin_atlas;

namespace {

cTexture* Terrain() { return g_Textures[TEX_TERRAIN].Get(); }
cTexture* Others() { return g_Textures[TEX_OTHERS].Get(); }

bool Hidden(const sHexDecoration& d, int layer) { return d.layer == MapLayerId(layer); }

std::array<bool, kMapLayerCount> g_Still{};
float g_StillBehind = 0.0f; // still things lie behind this depth

bool Wanted(int layer)
{
    if (g_MapLayerPass == kEveryLayer)
        return true;
    return (g_MapLayerPass == kStillLayers) == g_Still[size_t(layer)];
}

bool WantedAtDepth(float depth)
{
    if (g_MapLayerPass == kEveryLayer)
        return true;
    return (g_MapLayerPass == kStillLayers) == (depth > g_StillBehind);
}

// A cell of the map skin drawn with its origin at the hex's position.
void DrawCell(cTexture* texture, const tAtlasRect& cell, float x, float y, float depth, tColor color = 0xFFFFFFFF)
{
    DrawSkinPiece(texture, cell, x, y, float(cell.Width()), float(cell.Height()), depth, color);
}

// A state past mud has no row of its own: it would cut into the cells of the next terrain.
int WeatherRow(const sHex& hex) { return int(std::min<uint32_t>(hex.weather, 2u)); }

void DrawTerrainLayer(const sHex& hex, float x, float y, const sHexDecoration& d)
{
    // A code past the eight the skin draws takes the last, not a cell outside the picture.
    int code = std::clamp(int(hex.terrain), 0, kTerrainCount - 1);
    if (!Wanted(kLayerTerrainFirst + code))
        return;
    if (Hidden(d, kLayerTerrainFirst + code)) {
        // A decoration over woods, rough land, hills or mountains stands on open land.
        if (code != 2 && code != 3 && code != 5 && code != 6)
            return;
        code = 1;
    }
    float depth = MapLayerDepth(kLayerTerrainFirst + code);
    if (code == 0 || code == 1 || code == 4 || code == 7)
        depth -= float(WeatherRow(hex)) / 100.0f;
    DrawCell(Terrain(), TerrainCell(code, hex.variant, hex.IsSea() ? 0 : WeatherRow(hex)), x, y, depth);
}

void DrawRivers(const sHex& hex, float x, float y, const sHexDecoration& d)
{
    if (hex.riverMask == 0 || Hidden(d, kLayerRivers) || !Wanted(kLayerRivers))
        return;
    float depth = MapLayerDepth(kLayerRivers);
    if (!(hex.riverMask & 64)) {
        // Sides 1 to 3; the other three are drawn by the neighbours that share them.
        for (int side = 1; side <= 3; ++side)
            if (hex.riverMask & (1u << side))
                DrawCell(Others(), RiverCell(side, hex.variant), x, y, depth);
        return;
    }
    depth -= 0.0001f;
    for (int side = 0; side < 6; ++side)
        if (hex.riverMask & (1u << side))
            DrawCell(Others(), RiverMouthCell(side, hex.variant), x, y, depth);
}

void DrawDecoration(const sHex& hex, float x, float y, const sHexDecoration& d)
{
    cTexture* eyecandies = g_Textures[TEX_EYECANDIES].Get();
    if (!eyecandies || d.gate <= 0.5f || !WantedAtDepth(d.gate))
        return;
    const int w = WeatherRow(hex);
    const int left = d.cell[2 * w], top = d.cell[2 * w + 1];
    DrawSkinPiece(eyecandies, gui_atlas::Cell(left, top, kCellSize, kCellSize), x, y, float(kCellSize),
                  float(kCellSize), d.gate);
}

const cMapa* MapOf(const sHex& hex) { return hex.map; }

} // namespace

eLayerPass g_MapLayerPass = kEveryLayer;

// A layer may go into the still pictures when everything that moves is drawn over it.
bool MarkStillLayers()
{
    const int moving[] = {kLayerMarks, kLayerCity, kLayerSeaNode, kLayerUnits};
    float front = 0.5f; // the landing mark
    for (int layer : moving)
        front = std::max(front, MapLayerDepth(layer));
    // Terrain is drawn up to two hundredths in front of its layer by the weather.
    g_StillBehind = front + 0.0201f;
    bool any = false;
    for (int layer = 0; layer < kMapLayerCount; ++layer) {
        const bool candidate = layer != kLayerMarks && layer != kLayerCity && layer != kLayerSeaNode && layer != kLayerUnits;
        g_Still[size_t(layer)] = candidate && MapLayerDepth(layer) > g_StillBehind;
        any = any || g_Still[size_t(layer)];
    }
    return any;
}

void sHex::Draw(float px, float py, const sHexDecoration& d, int frame) const
{
    const sUserSettings& s = g_UserSettings;
    DrawTerrainLayer(*this, px, py, d);
    DrawRivers(*this, px, py, d);
    if (s.showWeather && IsLand() && !Hidden(d, kLayerWeather) && Wanted(kLayerWeather))
        DrawCell(Others(), WeatherIconCell(variant, WeatherRow(*this)), px, py, MapLayerDepth(kLayerWeather));
    DrawDecoration(*this, px, py, d);
    if (s.ownershipMode != 0 && controller != 0 && owner != 0 && !Hidden(d, kLayerOwnership) &&
        Wanted(kLayerOwnership)) {
        const float depth = MapLayerDepth(kLayerOwnership);
        if (s.ownershipMode == 1 || s.ownershipMode == 3)
            DrawCell(Others(), kControllerOverlay, px, py, depth, CountryMapColor(controller));
        if (s.ownershipMode == 2 || s.ownershipMode == 3)
            DrawCell(Others(), kOwnerOverlay, px, py, depth, CountryMapColor(owner));
    }
    if (marks != 0 && !Hidden(d, kLayerMarks) && Wanted(kLayerMarks)) {
        const int bit = std::countr_zero(marks);
        const float depth = MapLayerDepth(kLayerMarks);
        DrawCell(Others(), MarkIconCell(bit), px, py, depth);
        if (s.showAPLeft && markValue >= 0) {
            const sRect& r = g_CityLabelRect;
            DrawSkinLabel(g_CityLabelStyle, FormatText(L"%i", markValue),
                          sRectF{px + float(r.left), py + float(r.top), px + float(r.right), py + float(r.bottom)}, depth);
        }
    }
    if (!Hidden(d, kLayerBorders) && Wanted(kLayerBorders)) {
        const float depth = MapLayerDepth(kLayerBorders);
        const int first = s.borderMode == 2 ? 0 : (s.borderMode == 1 ? 3 : -1);
        if (first >= 0)
            for (int side = 0; side < 3; ++side)
                if (borders & (1u << (first + side)))
                    DrawCell(Others(), BorderCell(side), px, py, depth, s.borderColor);
        if (s.showSeaZonesBorders)
            for (int side = 0; side < 3; ++side)
                if (borders & (1u << (6 + side)))
                    DrawCell(Others(), BorderCell(3 + side), px, py, depth);
    }
    if (s.showGrid && IsLand() && !Hidden(d, kLayerGrid) && Wanted(kLayerGrid))
        DrawCell(Others(), kGridCell, px, py, MapLayerDepth(kLayerGrid));
    if (city && Wanted(kLayerCity))
        city->Draw(px, py, MapLayerDepth(kLayerCity), !Hidden(d, kLayerCity), frame & 1, *this, variant);
    if (fortification != 0 && !city && !Hidden(d, kLayerFortification) && Wanted(kLayerFortification))
        DrawCell(Others(), FortificationCell(fortification), px, py, MapLayerDepth(kLayerFortification));
    if (seaNodeDisplay != 0 && !Hidden(d, kLayerSeaNode) && Wanted(kLayerSeaNode))
        DrawSeaNodeSymbol(px, py);
    if (unit && unit->m_Spotted && !Hidden(d, kLayerUnits) && Wanted(kLayerUnits)) {
        unit->DrawCounter(px, py, 1.0f, frame & 1);
        // The move record has no sides to show; the planned assault has: its attackers' sides.
        const cMapa* map = MapOf(*this);
        if (map && unit == map->playView.assaultDefender)
            for (int direction = 0; direction < 6; ++direction)
                if (map->playView.assaultDirections[direction])
                    DrawCell(Others(), MoveFlagCell(direction), px, py, MapLayerDepth(kLayerUnits));
    }
}

void sHex::DrawTerrain(float px, float py, const sHexDecoration& d) const
{
    DrawTerrainLayer(*this, px, py, d);
    DrawRivers(*this, px, py, d);
    DrawDecoration(*this, px, py, d);
}

void sHex::DrawOwnership(float px, float py) const
{
    if (IsSea()) {
        if (Wanted(kLayerTerrainFirst))
            DrawCell(Terrain(), TerrainCell(kTerrainSea, variant, 0), px, py, MapLayerDepth(kLayerTerrainFirst));
        return;
    }
    if (Wanted(kLayerOwnership)) {
        const float depth = MapLayerDepth(kLayerOwnership);
        if (controller == 0)
            DrawCell(Terrain(), kOwnershipNone, px, py, depth);
        else
            DrawCell(Terrain(), kOwnershipCountry, px, py, depth, CountryMapColor(controller));
    }
    if (!city || !Wanted(kLayerCity))
        return;
    cTexture* flag = CountryFlagTexture(GetController());
    if (!flag)
        return;
    DrawSkinPiece(flag, gui_atlas::sRect{0, 0, gui_atlas::kFlagWidth, gui_atlas::kFlagHeight},
                  px + float(kOwnershipFlag.left), py + float(kOwnershipFlag.top), float(kOwnershipFlag.Width()),
                  float(kOwnershipFlag.Height()), MapLayerDepth(kLayerCity));
}

void sHex::DrawWithLandingMark(float px, float py, const sHexDecoration& d, int frame) const
{
    Draw(px, py, d, frame);
    if (IsLand() && coastal && WantedAtDepth(0.5f))
        DrawCell(Others(), kLandingMark, px, py, 0.5f);
}

void sHex::DrawSeaNodeSymbol(float px, float py) const
{
    const cGrafMorz* graph = g_World.seaGraph;
    const sWezelGrafuMorz* node = graph ? graph->GetNode(seaNodeDisplay) : nullptr;
    if (!node)
        return;
    if (node->ShownOwnShip && node->OwnShipsX == x && node->OwnShipsY == y)
        node->ShownOwnShip->DrawCounter(px, py, 1.0f, 0);
    if (node->ShownEnemyShip && node->EnemyShipsX == x && node->EnemyShipsY == y)
        node->ShownEnemyShip->DrawCounter(px, py, 1.0f, 0);
    // A port's name is its city's, which the city writes.
    if (node->MainX != x || node->MainY != y || city || !g_UserSettings.showSeaZoneName)
        return;
    const sSkinLevel& level = CurrentCityAppearance();
    if (!level.present[size_t(CityLabelFlag(2))])
        return;
    const sRect& r = level.rects[size_t(CityLabel(2))];
    DrawSkinLabelBelow(level.styles[2], node->Name,
                       sRectF{px + float(r.left), py + float(r.top), px + float(r.right), py + float(r.bottom)},
                       MapLayerDepth(kLayerSeaNode));
}

void sHex::DrawMarkIcon(float px, float py, uint32_t mask) const
{
    DrawCell(Terrain(), TerrainCell(kTerrainSea, variant, 0), px, py, MapLayerDepth(kLayerTerrainFirst));
    if (marks & mask)
        DrawCell(Others(), MarkIconCell(std::countr_zero(marks & mask)), px, py, MapLayerDepth(kLayerMarks));
    if (unit)
        unit->DrawCounter(px, py, 1.0f, 0);
}

void cMiasto::Draw(float px, float py, float depth, bool showPicture, int, const sHex& hex, int variant) const
{
    if (showPicture)
        DrawCell(Others(), CityCell(Type, variant), px, py, depth);
    const sSkinLevel& level = CurrentCityAppearance();
    auto marker = [&](int k, int step) {
        if (!level.present[size_t(k)])
            return;
        const sRect& dest = level.rects[size_t(CityMarkerDest(k))];
        // The fortification marker's cells stand one below the other, by level.
        sRect src = level.rects[size_t(CityMarkerSource(k))];
        const int h = src.Height();
        src.top += step * h;
        src.bottom += step * h;
        DrawSkinPiece(Others(), src, px + float(dest.left), py + float(dest.top), float(dest.Width()),
                      float(dest.Height()), depth);
    };
    auto label = [&](int j, const std::wstring& text) {
        if (!level.present[size_t(CityLabelFlag(j))])
            return;
        const sRect& r = level.rects[size_t(CityLabel(j))];
        const sRectF place{px + float(r.left), py + float(r.top), px + float(r.right), py + float(r.bottom)};
        // The name hangs under the place of a counter on the hex, and in front of the
        // counters, since far out it reaches under the hex below.
        if (j == 2)
            DrawSkinLabelBelow(level.styles[size_t(j)], text, place, kMapNameDepth);
        else
            DrawSkinLabel(level.styles[size_t(j)], text, place, depth);
    };
    marker(0, 0);
    marker(1, std::max(0, int(hex.fortification)));
    if (IsPort())
        marker(2, 0);
    if (Type == CITY_SUPPLY || Type == CITY_SUPPLY_PORT)
        marker(3, 0);
    if (Type == CITY_RESOURCES)
        marker(4, 0);
    if (VictoryPoints > 0) {
        marker(5, 0);
        label(0, FormatText(L"%i", VictoryPoints));
    }
    if (ProductionPoints > 0.0f)
        label(1, FormatText(L"%.0f", double(ProductionPoints)));
    if (g_UserSettings.showCityName)
        label(2, Name);
}

void cMapa::DrawHexes(int firstColumn, int endColumn, int firstRow, int endRow, float offsetX, float offsetY,
                      int frame) const
{
    const int mode = g_UserSettings.mapMode;
    const bool decorated = m_Decorations.size() == m_Hexes.size();
    const sHexDecoration none;
    for (int y = firstRow; y < endRow; ++y)
        for (int x = firstColumn; x < endColumn; ++x) {
            const size_t i = size_t(y) * size_t(width) + size_t(x);
            const sHex& hex = m_Hexes[i];
            const sHexDecoration& d = decorated ? m_Decorations[i] : none;
            const float px = float(x * kHexWidth) + offsetX;
            const float py = float(y * kHexHeight + (IsOddColumn(x) ? 0 : kHexHalfHeight)) + offsetY;
            switch (mode) {
            case 1: hex.DrawTerrain(px, py, d); break;
            case 2: hex.DrawOwnership(px, py); break;
            case 3: hex.DrawWithLandingMark(px, py, d, frame); break;
            default: hex.Draw(px, py, d, frame); break;
            }
        }
}

void cMapa::DrawBeyondEdges(int firstColumn, int endColumn, int firstRow, int endRow, float offsetX,
                            float offsetY) const
{
    // The variants of the hexes mirrored at the edge, so that the ground beyond is not a
    // stripe of one picture.
    auto mirrored = [](int v, int size) {
        return std::clamp(v < 0 ? -1 - v : v >= size ? 2 * size - 1 - v : v, 0, size - 1);
    };
    auto at = [this](int x, int y) -> const sHex& { return m_Hexes[size_t(y) * size_t(width) + size_t(x)]; };
    const int mode = g_UserSettings.mapMode;
    const float depth = MapLayerDepth(kLayerTerrainFirst);
    for (int y = firstRow; y < endRow; ++y)
        for (int x = firstColumn; x < endColumn; ++x) {
            if (IsInside(x, y))
                continue;
            const sHex& nearest = at(std::clamp(x, 0, width - 1), std::clamp(y, 0, height - 1));
            const sHex& pattern = at(mirrored(x, width), mirrored(y, height));
            const float px = float(x * kHexWidth) + offsetX;
            const float py = float(y * kHexHeight + (IsOddColumn(x) ? 0 : kHexHalfHeight)) + offsetY;
            const int code = std::clamp(int(nearest.terrain), 0, kTerrainCount - 1);
            if (mode == 2 && nearest.IsLand())
                DrawCell(Terrain(), kOwnershipNone, px, py, MapLayerDepth(kLayerOwnership));
            else
                DrawCell(Terrain(), TerrainCell(code, pattern.variant, nearest.IsSea() ? 0 : WeatherRow(nearest)),
                            px, py, depth);
        }
}

void cMapa::Render()
{
    cSprite* sprite = g_Sprite.get();
    if (!sprite || m_Hexes.empty())
        return;
    if (m_MinimapOverlayDirty)
        UpdateMinimapOverlay();
    const sMatrix2D saved = sprite->GetTransform();
    sprite->SetTransform(sMatrix2D::Scaling(currentScale, currentScale));
    const float W = float(g_UserSettings.resolutionX), H = float(g_UserSettings.resolutionY);
    const float offsetX = float(int(W / (2.0f * currentScale) - camera.currentX));
    const float offsetY = float(int(H / (2.0f * currentScale) - camera.currentY));
    // Only the hexes whose cells reach into the screen (a cell is 166 pixels from its origin,
    // an even column half a hex lower), and a column more each side for the names: more would
    // be sprites nobody sees, fewer would leave gaps at the edges.
    const float mapLeft = -offsetX - float(kHexWidth), mapRight = W / currentScale - offsetX + float(kHexWidth);
    const float mapTop = -offsetY, mapBottom = H / currentScale - offsetY;
    const int viewFirstColumn = int(std::floor((mapLeft - float(kCellSize)) / float(kHexWidth))) + 1;
    const int viewEndColumn = int(std::floor(mapRight / float(kHexWidth))) + 1;
    const int viewFirstRow = int(std::floor((mapTop - float(kCellSize + kHexHalfHeight)) / float(kHexHeight))) + 1;
    const int viewEndRow = int(std::floor(mapBottom / float(kHexHeight))) + 1;
    const int firstColumn = std::max(0, viewFirstColumn), endColumn = std::min(width, viewEndColumn);
    const int firstRow = std::max(0, viewFirstRow), endRow = std::min(height, viewEndRow);
    const int frame = int((GetTickMs() / 100) % 6);
    const int mode = g_UserSettings.mapMode;
    // The still layers come from pictures, and the hexes draw the rest over them.
    if (PrepareStillPicture(offsetX, offsetY))
        g_MapLayerPass = kMovingLayers;
    auto position = [&](int x, int y) {
        return sPointF{float(x * kHexWidth) + offsetX, float(y * kHexHeight + (IsOddColumn(x) ? 0 : kHexHalfHeight)) + offsetY};
    };
    DrawHexes(firstColumn, endColumn, firstRow, endRow, offsetX, offsetY, frame);
    g_MapLayerPass = kEveryLayer;
    // The project's choice: the view may run five hexes past each edge, and with the places
    // there skipped a player sees a jagged black band beyond the last hexes, which players
    // took for a fault of the drawing.
    DrawBeyondEdges(viewFirstColumn, viewEndColumn, viewFirstRow, viewEndRow, offsetX, offsetY);
    const cUnit* moving = playView.unitInMotion;
    // A unit that already stands on its hex was drawn with it: a second counter would add nothing.
    if (mode == 0 && moving && moving->m_Spotted && IsInside(moving->m_X, moving->m_Y) &&
        GetHex(moving->m_X, moving->m_Y)->unit != moving) {
        const sPointF p = position(moving->m_X, moving->m_Y);
        moving->DrawCounter(p.x, p.y, 1.0f, frame & 1);
    }
    const sHex* highlighted = playView.highlightedHex;
    if ((mode == 0 || mode == 1) && highlighted && highlighted->seaNodeDisplay != 0) {
        // Its ships and name over everything else. There is no depth buffer to clear: a new batch
        // sorted back to front draws the nearest last, as a depth test would show it; and only a
        // hex with a sea node has a symbol to draw, at its place in the view like every hex.
        sprite->End();
        sprite->Begin(SPRITE_ALPHABLEND | SPRITE_SORT_DEPTH_BACKTOFRONT);
        const sPointF p = position(highlighted->x, highlighted->y);
        highlighted->DrawSeaNodeSymbol(p.x + 2.0f, p.y);
    }
    sprite->SetTransform(saved);
}
