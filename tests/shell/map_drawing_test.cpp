// What the map drawing asks the renderer for, read from the recording renderer: the layers of
// a hex in the map modes, the counters' own-unit markers, icons, marks, cities and the
// minimap's fit and overlay.
#include <gtest/gtest.h>

#include <climits>

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "core/settings.h"
#include "gui/layout.h"
#include "platform/recording_renderer.h"
#include "platform/texture.h"
#include "shell/draw_helpers.h"
#include "shell/frame_callbacks.h"
#include "shell/map_skin.h"
#include "shell/skin_atlas.h"
#include "shell/skin_levels.h"
#include "shell/textures.h"
#include "shell/units_skin.h"
#include "tests/test_support.h"
#include "tests/units/unit_test_game.h"
#include "world/city.h"
#include "world/world.h"

using namespace skin_atlas;
using unit_tests::cTestGame;

namespace {

class MapDrawing : public ::testing::Test
{
protected:
    MapDrawing()
    {
        ResetSettingsToDefaults();
        g_Sprite = std::make_unique<cSprite>(&recorder);
        for (eSharedTexture holder : {TEX_TERRAIN, TEX_OTHERS, TEX_UNITS})
            g_Textures[holder].CreateEmpty(16, 16);
        for (int i = 0; i < kSpriteDepthEntries; ++i)
            g_SpriteDepths[size_t(i)] = sSpriteDepth{2 * i, 1.0f - 0.02f * float(i)};
        const std::filesystem::path skin = testing_support::SourceDir() / "data" / "gfx" / "[UnitsSkin]Counters";
        LoadUnitSkinTable(kFamilyLand, skin / "land_units.csv", L"land_units.csv");
        g_MapZoom = 1.0f;
        SelectUnitSkinLevels();
    }
    ~MapDrawing() override
    {
        g_Sprite.reset();
        ReleaseGameTextures();
    }

    // The pieces drawn for the map at full size.
    std::vector<sQuad> DrawMap()
    {
        recorder.ClearCalls();
        game.map->FrameMove(1.0f);
        g_Sprite->Begin(SPRITE_ALPHABLEND | SPRITE_SORT_DEPTH_BACKTOFRONT);
        game.map->Render();
        g_Sprite->End();
        return recorder.Quads();
    }

    // A piece of the picture drawn, from the picture or one of its smaller levels (there
    // widened to whole texels).
    static bool Uses(const std::vector<sQuad>& quads, cTexture* texture, const tAtlasRect& source)
    {
        for (const sQuad& q : quads)
            for (int level = 0; level <= kSmoothLevels; ++level) {
                const float k = float(1 << level);
                if (q.texture == texture->Reduced(level) && q.src.left == std::floor(float(source.left) / k) &&
                    q.src.top == std::floor(float(source.top) / k) && q.src.right == std::ceil(float(source.right) / k) &&
                    q.src.bottom == std::ceil(float(source.bottom) / k))
                    return true;
            }
        return false;
    }
    static bool UsesTexture(const std::vector<sQuad>& quads, cTexture* texture)
    {
        for (const sQuad& q : quads)
            for (int level = 0; level <= kSmoothLevels; ++level)
                if (q.texture == texture->Reduced(level))
                    return true;
        return false;
    }

    cRecordingRenderer recorder;
    cTestGame game{6, 5, 3, 2};
};

TEST_F(MapDrawing, TheOwnershipMapDrawsNoUnitsMarksOrBorders)
{
    sHex& hex = game.Hex(2, 2);
    hex.controller = hex.owner = 1;
    hex.borders = 0x3F;
    hex.SetMark(MARK_SELECTED, -1);
    game.AddLand(1, UNIT_INFANTRY, 2, 2)->m_Spotted = true;
    g_UserSettings.borderMode = 1;
    game.map->CenterAtHex(2, 2);

    std::vector<sQuad> normal = DrawMap();
    EXPECT_TRUE(UsesTexture(normal, g_Textures[TEX_UNITS].Get()));
    EXPECT_TRUE(Uses(normal, g_Textures[TEX_OTHERS].Get(), MarkIconCell(0)));
    EXPECT_TRUE(Uses(normal, g_Textures[TEX_OTHERS].Get(), BorderCell(0)));

    g_UserSettings.mapMode = 2;
    std::vector<sQuad> ownership = DrawMap();
    EXPECT_FALSE(UsesTexture(ownership, g_Textures[TEX_UNITS].Get()));
    EXPECT_FALSE(Uses(ownership, g_Textures[TEX_OTHERS].Get(), MarkIconCell(0)));
    for (int column = 0; column < 6; ++column)
        EXPECT_FALSE(Uses(ownership, g_Textures[TEX_OTHERS].Get(), BorderCell(column)));
    // Land in its holder's colour.
    EXPECT_TRUE(Uses(ownership, g_Textures[TEX_TERRAIN].Get(), kOwnershipCountry));
}

// A map smaller than the screen: past its edges the ground of the nearest hex goes on to
// the screen's edges, the sea off a sea coast and the land off a land one, never black.
TEST_F(MapDrawing, PastTheMapsEdgesItsGroundGoesOnToTheScreensEdges)
{
    constexpr int kTerrainDesert = 7, kMapPicture = 100;
    for (int x = 0; x < 6; ++x)
        for (int y = 0; y < 5; ++y)
            game.Hex(x, y).terrain = x == 5 ? uint8_t(kTerrainDesert) : uint8_t(kTerrainSea);
    game.map->CenterAtHex(2, 2);
    DrawMap();
    // What reaches the screen, not the pictures of the still layers drawn on the way.
    std::vector<sQuad> quads;
    bool onScreen = true;
    for (const sRecordedCall& call : recorder.Calls()) {
        if (call.kind == sRecordedCall::kTarget)
            onScreen = call.target == nullptr;
        else if (call.kind == sRecordedCall::kQuad && onScreen)
            quads.push_back(call.quad);
    }
    const float W = float(g_UserSettings.resolutionX), H = float(g_UserSettings.resolutionY);
    // The terrain piece drawn at a screen point, by its terrain block; -1 where there is none.
    auto groundAt = [&](float x, float y) {
        int ground = -1;
        for (const sQuad& q : quads)
            if (q.texture && (q.texture == g_Textures[TEX_TERRAIN].Get() || q.texture->IsTarget()) &&
                q.corners[0].x <= x && x < q.corners[2].x && q.corners[0].y <= y && y < q.corners[2].y) {
                if (q.texture->IsTarget())
                    ground = kMapPicture;
                for (int terrain : {int(kTerrainSea), int(kTerrainDesert)})
                    for (int variant = 0; variant < kTerrainVariants; ++variant)
                        if (q.src.left == float(TerrainCell(terrain, variant, 0).left) &&
                            q.src.top == float(TerrainCell(terrain, variant, 0).top))
                            ground = terrain;
            }
        return ground;
    };
    int left = 0, right = 0, top = 0;
    for (float y = 0; y < H; y += 7) {
        left += groundAt(0, y) != int(kTerrainSea);
        right += groundAt(W - 1, y) != kTerrainDesert;
    }
    for (float x = 0; x < W; x += 7)
        top += groundAt(x, 0) == -1;
    EXPECT_EQ(left, 0) << "points of the left edge without the sea";
    EXPECT_EQ(right, 0) << "points of the right edge without the desert";
    EXPECT_EQ(top, 0) << "points of the top edge without ground";
}

TEST_F(MapDrawing, AMarkShowsTheIconOfItsLowestBitAndACityHidesTheFortification)
{
    sHex& marked = game.Hex(1, 1);
    marked.SetMark((1u << 9) | (1u << 15), -1);
    sHex& fort = game.Hex(3, 1);
    fort.fortification = 3;
    game.map->CenterAtHex(2, 2);
    std::vector<sQuad> quads = DrawMap();
    EXPECT_EQ(MarkIconCell(9).left, 1504);
    EXPECT_EQ(MarkIconCell(9).top, 167);
    EXPECT_TRUE(Uses(quads, g_Textures[TEX_OTHERS].Get(), MarkIconCell(9)));
    EXPECT_FALSE(Uses(quads, g_Textures[TEX_OTHERS].Get(), MarkIconCell(15)));
    EXPECT_TRUE(Uses(quads, g_Textures[TEX_OTHERS].Get(), FortificationCell(3)));

    cMiasto city;
    city.X = 3;
    city.Y = 1;
    city.Type = CITY_NORMAL;
    fort.city = &city;
    quads = DrawMap();
    fort.city = nullptr;
    EXPECT_FALSE(Uses(quads, g_Textures[TEX_OTHERS].Get(), FortificationCell(3)));
    EXPECT_TRUE(Uses(quads, g_Textures[TEX_OTHERS].Get(), CityCell(CITY_NORMAL, fort.variant)));
}

TEST_F(MapDrawing, ADecorationOverHillsStandsOnOpenLand)
{
    sHex& hex = game.Hex(2, 2);
    hex.terrain = 3;
    g_Textures[TEX_EYECANDIES].CreateEmpty(16, 16);
    sHexDecoration& d = game.map->Decorations()[size_t(2 * game.map->width + 2)];
    d.layer = g_SpriteDepths[3].depth;
    d.gate = 0.9f;
    game.map->CenterAtHex(2, 2);
    std::vector<sQuad> quads = DrawMap();
    EXPECT_FALSE(Uses(quads, g_Textures[TEX_TERRAIN].Get(), TerrainCell(3, hex.variant, 0)));
    EXPECT_TRUE(Uses(quads, g_Textures[TEX_TERRAIN].Get(), TerrainCell(1, hex.variant, 0)));
    EXPECT_TRUE(UsesTexture(quads, g_Textures[TEX_EYECANDIES].Get()));
    // Clear weather has its icon as well; a sea hex's decoration takes the cells of its weather too.
    EXPECT_TRUE(Uses(quads, g_Textures[TEX_OTHERS].Get(), WeatherIconCell(hex.variant, WEATHER_CLEAR)));
    sHex& sea = game.Hex(3, 2);
    sea.terrain = kTerrainSea;
    sea.weather = WEATHER_WINTER;
    sHexDecoration& ice = game.map->Decorations()[size_t(2 * game.map->width + 3)];
    ice.gate = 0.9f;
    ice.cell[2] = 3 * kCellPitch + 1;
    ice.cell[3] = 2 * kCellPitch + 1;
    quads = DrawMap();
    EXPECT_TRUE(Uses(quads, g_Textures[TEX_EYECANDIES].Get(), Cell(ice.cell[2], ice.cell[3], kCellSize, kCellSize)));
}

TEST_F(MapDrawing, AnEnemyCounterCarriesNoOwnUnitMarkers)
{
    cJednostkaLadowa* unit = game.AddLand(2, UNIT_INFANTRY, 2, 2);
    unit->m_ActionPoints = 0;
    unit->m_Supply = 3;
    cTexture* units = g_Textures[TEX_UNITS].Get();
    auto draw = [&](int activeCountry) {
        game.map->playView.activeCountry = activeCountry;
        recorder.ClearCalls();
        g_Sprite->Begin(SPRITE_ALPHABLEND);
        unit->DrawCounter(0, 0, 1.0f, 0);
        g_Sprite->End();
        return recorder.Quads();
    };
    std::vector<sQuad> own = draw(2);
    EXPECT_TRUE(Uses(own, units, kActionMarker));
    EXPECT_TRUE(Uses(own, units, kLowSupplyMarker));
    EXPECT_TRUE(Uses(own, units, kOwnUnitRim));
    std::vector<sQuad> enemy = draw(1);
    EXPECT_FALSE(Uses(enemy, units, kActionMarker));
    EXPECT_FALSE(Uses(enemy, units, kLowSupplyMarker));
    EXPECT_FALSE(Uses(enemy, units, kActionPointsMarker));
    EXPECT_FALSE(Uses(enemy, units, kOwnUnitRim));
    // The card is the owner's colour on both sides.
    EXPECT_TRUE(Uses(enemy, units, kCounterBase));
}

// A land counter draws every piece its state calls for: the type symbol on every unit, the
// Mulberry's too; both action sprites when both apply; the freeze marker at a place of its
// own, for both sides, wherever the card shows its markings.
TEST_F(MapDrawing, ALandCounterDrawsEveryPieceItsStateCallsFor)
{
    cTexture* units = g_Textures[TEX_UNITS].Get();
    auto draw = [&](const cJednostkaLadowa* unit, int activeCountry) {
        game.map->playView.activeCountry = activeCountry;
        recorder.ClearCalls();
        g_Sprite->Begin(SPRITE_ALPHABLEND);
        unit->DrawCounter(0, 0, 1.0f, 0);
        g_Sprite->End();
        return recorder.Quads();
    };
    auto placeOf = [&](const std::vector<sQuad>& quads, const tAtlasRect& source) {
        for (const sQuad& q : quads)
            for (int level = 0; level <= kSmoothLevels; ++level) {
                const float k = float(1 << level);
                if (q.texture == units->Reduced(level) && q.src.left * k == float(source.left) &&
                    q.src.top * k == float(source.top))
                    return q.corners[0];
            }
        return sPointF{-1, -1};
    };
    const cJednostkaLadowa* harbour = game.AddLand(1, UNIT_MULBERRY, 1, 1);
    std::vector<sQuad> quads = draw(harbour, 1);
    EXPECT_TRUE(Uses(quads, units, kMulberryPicture));
    EXPECT_TRUE(Uses(quads, units, kSizeMarker));

    cJednostkaLadowa* unit = game.AddLand(1, UNIT_INFANTRY, 2, 2);
    unit->m_ActionPoints = 0;
    unit->m_WasAttacked = true;
    unit->m_FreezeTime = 3;
    const tAtlasRect attacked = Cell(kActionMarker.right, kActionMarker.top, 32, 32);
    quads = draw(unit, 1);
    EXPECT_TRUE(Uses(quads, units, kActionMarker));
    EXPECT_TRUE(Uses(quads, units, attacked));
    ASSERT_TRUE(Uses(quads, units, kFreezeMarker));
    EXPECT_EQ(placeOf(quads, attacked).x, placeOf(quads, kActionMarker).x);
    EXPECT_NE(placeOf(quads, kFreezeMarker).x, placeOf(quads, kActionMarker).x) << "nothing covers the freeze";
    // Half size out, on the other side's screen: the freeze alone of the three.
    g_MapZoom = 0.44f;
    SelectUnitSkinLevels();
    quads = draw(unit, 2);
    EXPECT_TRUE(Uses(quads, units, kFreezeMarker));
    EXPECT_FALSE(Uses(quads, units, kActionMarker));
    EXPECT_FALSE(Uses(quads, units, attacked));
}

TEST_F(MapDrawing, AnIconEightyThreeWideIsTheCounterAtHalfSize)
{
    cJednostkaLadowa* unit = game.AddLand(1, UNIT_ARMOURED, -1, -1);
    auto widths = [&](bool icon) {
        recorder.ClearCalls();
        if (icon) {
            unit->DrawIcon(sRect{100, 50, 183, 133});
        } else {
            g_Sprite->Begin(SPRITE_ALPHABLEND);
            unit->DrawCounter(0, 0, 1.0f, 0);
            g_Sprite->End();
        }
        std::vector<float> out;
        for (const sQuad& q : recorder.Quads())
            out.push_back(q.corners[1].x - q.corners[0].x);
        return out;
    };
    std::vector<float> full = widths(false), half = widths(true);
    ASSERT_FALSE(full.empty());
    ASSERT_EQ(full.size(), half.size());
    for (size_t i = 0; i < full.size(); ++i)
        EXPECT_NEAR(half[i], full[i] * 0.5f, 0.01f);
}

// A city's name hangs under the counter on its hex, in front of other counters, whatever the
// zoom: its text keeps its size on the screen while the hexes shrink, and its outline is part
// of its one picture.
TEST_F(MapDrawing, ACityNameStaysClearOfTheCounterOnItsHexAtEveryZoom)
{
    const std::filesystem::path skin = testing_support::SourceDir() / "data" / "gfx" / "[MapSkin]Normal";
    ASSERT_TRUE(LoadCityAppearance((skin / "appearance.csv").wstring()));
    CreateSkinFonts(&recorder);
    cMiasto city;
    city.X = city.Y = 2;
    city.Type = CITY_NORMAL;
    city.SetName(L"Wolverhampton");
    game.Hex(2, 2).city = &city;
    game.AddLand(1, UNIT_INFANTRY, 2, 2)->m_Spotted = true;
    cTexture* units = g_Textures[TEX_UNITS].Get();
    for (float zoom : {1.0f, 0.6f, 0.4f, 0.25f, 0.15f}) {
        SCOPED_TRACE(zoom);
        g_MapZoom = zoom;
        game.map->FrameMove(1.0f);
        game.map->CenterAtHex(2, 2);
        SelectUnitSkinLevels();
        SelectCityAppearanceLevel();
        g_UserSettings.showCityName = false;
        const std::vector<sQuad> without = DrawMap();
        g_UserSettings.showCityName = true;
        const std::vector<sQuad> with = DrawMap();
        float cardBottom = -1;
        for (const sQuad& q : with)
            for (int level = 0; level <= kSmoothLevels; ++level)
                if (q.texture == units->Reduced(level) && q.src.top * float(1 << level) == kCounterBase.top)
                    cardBottom = std::max(cardBottom, q.corners[2].y);
        ASSERT_GT(cardBottom, 0.0f);
        int nameQuads = 0;
        for (const sQuad& q : with) {
            bool before = false;
            for (const sQuad& p : without)
                before = before || p.texture == q.texture;
            if (before)
                continue;
            ++nameQuads;
            EXPECT_GE(q.corners[0].y, cardBottom);
        }
        // Outlined, and still one piece for the renderer to blend.
        EXPECT_EQ(nameQuads, 1);
    }
    // The settings' zoom stands until the first view: the largest one there is is near in.
    g_MapZoom = 1.0f;
    SelectCityAppearanceLevel();
    const int nearIn = g_SelectedCityAppearanceLevel;
    g_MapZoom = float(INT_MAX) / 100.0f;
    SelectCityAppearanceLevel();
    EXPECT_EQ(g_SelectedCityAppearanceLevel, nearIn);
    game.Hex(2, 2).city = nullptr;
    DestroySkinFonts();
}

// Near in, a counter covers no neighbour's, and the names of units and cities are drawn over
// everything else, a city's name clear of the name over the counter of the hex below it.
TEST_F(MapDrawing, NearInCountersStandApartAndNamesComeLastClearOfEachOther)
{
    const std::filesystem::path skin = testing_support::SourceDir() / "data" / "gfx" / "[MapSkin]Normal";
    ASSERT_TRUE(LoadCityAppearance((skin / "appearance.csv").wstring()));
    // The skin's layers, where the marks of the hexes a unit can reach lie over the counters.
    LoadSpriteDepthTable((skin / "sprites_depth.csv").wstring());
    CreateSkinFonts(&recorder);
    cMiasto city;
    city.X = city.Y = 2;
    city.Type = CITY_NORMAL;
    city.SetName(L"London");
    for (auto [x, y] : {std::pair{2, 3}, std::pair{3, 3}, std::pair{2, 2}})
        game.Hex(x, y).SetMark(1u << 2, 1);
    game.Hex(2, 2).city = &city;
    for (auto [x, y] : {std::pair{2, 3}, std::pair{3, 3}})
        game.AddLand(1, UNIT_INFANTRY, x, y)->m_Spotted = true;
    game.map->FrameMove(1.0f);
    game.map->CenterAtHex(2, 2);
    SelectUnitSkinLevels();
    SelectCityAppearanceLevel();
    auto draw = [&](bool cityNames, bool unitNames) {
        g_UserSettings.showCityName = cityNames;
        g_UserSettings.showUnitName = unitNames;
        return DrawMap();
    };
    const std::vector<sQuad> none = draw(false, false), cities = draw(true, false), units = draw(false, true),
                             both = draw(true, true);
    // The pieces of the texts that only the names draw, and their rows on the screen.
    auto newIn = [&](const std::vector<sQuad>& quads, const sQuad& q) {
        for (const sQuad& p : none)
            if (p.texture == q.texture)
                return false;
        return std::any_of(quads.begin(), quads.end(), [&](const sQuad& r) { return r.texture == q.texture; });
    };
    auto meet = [](const sQuad& a, const sQuad& b) {
        return a.corners[0].x < b.corners[2].x && b.corners[0].x < a.corners[2].x && a.corners[0].y < b.corners[2].y &&
               b.corners[0].y < a.corners[2].y;
    };
    std::vector<sQuad> cityName, unitNames;
    size_t lastOther = 0, firstName = both.size();
    for (size_t i = 0; i < both.size(); ++i) {
        const sQuad& q = both[i];
        const bool city = newIn(cities, q), unit = newIn(units, q);
        if (city)
            cityName.push_back(q);
        else if (unit)
            unitNames.push_back(q);
        if (city || unit)
            firstName = std::min(firstName, i);
        else
            lastOther = i;
    }
    ASSERT_FALSE(cityName.empty());
    EXPECT_LT(lastOther, firstName) << "a name is drawn under something";
    for (const sQuad& c : cityName)
        for (const sQuad& u : unitNames)
            EXPECT_FALSE(meet(c, u)) << "the city's name runs into a unit's name";
    // The cards of the two neighbours do not meet.
    std::vector<sQuad> cards;
    cTexture* unitsPicture = g_Textures[TEX_UNITS].Get();
    for (const sQuad& q : none)
        if (q.texture == unitsPicture && q.src.top == float(kCounterBase.top) && q.src.left == float(kCounterBase.left))
            cards.push_back(q);
    ASSERT_EQ(cards.size(), 2u);
    EXPECT_FALSE(meet(cards[0], cards[1]));
    // A name as long as a rename lets it be stands no wider than its place on the counter.
    const sSkinLevel& level = CurrentUnitSkinLevel(kFamilyLand);
    const float scale = (cards[0].corners[2].x - cards[0].corners[0].x) / float(level.rects[kLandCard].Width());
    game.Hex(2, 3).unit->SetName(std::wstring(99, L'W'));
    const std::vector<sQuad> longName = draw(false, true);
    for (const sQuad& q : longName)
        EXPECT_TRUE(!newIn(longName, q) ||
                    q.corners[2].x - q.corners[0].x <= float(level.rects[kLandNameText].Width()) * scale + 2);
    game.Hex(2, 2).city = nullptr;
    DestroySkinFonts();
}

TEST_F(MapDrawing, FarOutTheStillLayersAreDrawnOnceIntoAPictureAndTheRestOverIt)
{
    cTestGame big(100, 80, 2, 1);
    big.AddLand(1, UNIT_INFANTRY, 50, 40)->m_Spotted = true;
    g_MapZoom = 0.15f;
    big.map->FrameMove(1.0f);
    big.map->CenterAtHex(50, 40);
    big.map->FrameMove(1.0f);
    auto frame = [&] {
        recorder.ClearCalls();
        g_Sprite->Begin(SPRITE_ALPHABLEND | SPRITE_SORT_DEPTH_BACKTOFRONT);
        big.map->Render();
        g_Sprite->End();
        return recorder.Calls();
    };
    auto targets = [](const std::vector<sRecordedCall>& calls) {
        int n = 0;
        for (const sRecordedCall& c : calls)
            n += c.kind == sRecordedCall::kTarget;
        return n;
    };
    std::vector<sRecordedCall> first = frame();
    // Into each tile of the view, and back.
    EXPECT_GT(targets(first), 0);
    EXPECT_EQ(targets(first) % 2, 0);
    // However far out, the grid and the weather icons are there when they are on.
    const sHex& land = big.Hex(50, 40);
    EXPECT_TRUE(Uses(recorder.Quads(), g_Textures[TEX_OTHERS].Get(), kGridCell));
    EXPECT_TRUE(Uses(recorder.Quads(), g_Textures[TEX_OTHERS].Get(), WeatherIconCell(land.variant, land.weather)));
    std::vector<sRecordedCall> second = frame();
    EXPECT_EQ(targets(second), 0);
    // The second frame: the tiles behind, then the counter; no terrain of its own.
    std::vector<sQuad> quads = recorder.Quads();
    ASSERT_FALSE(quads.empty());
    EXPECT_TRUE(quads[0].texture->IsTarget());
    EXPECT_FALSE(UsesTexture(quads, g_Textures[TEX_TERRAIN].Get()));
    EXPECT_TRUE(UsesTexture(quads, g_Textures[TEX_UNITS].Get()));
    g_World.map = game.map;
}

TEST(Minimap, A740By538PictureOfA185By134MapFitsA280By200Area)
{
    ResetGuiLayout();
    g_GuiLayout[315] = sLayoutRect{700, 400, 280, 200};
    const std::filesystem::path file = testing_support::MakeScratchDir("minimap") / "minimap.png";
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 740, 538, 32, SDL_PIXELFORMAT_ARGB8888);
    IMG_SavePNG(s, file.string().c_str());
    SDL_FreeSurface(s);
    cMapa map(185, 134);
    map.BuildMinimap(file.wstring());
    EXPECT_EQ(map.minimapOverlay[2], 740);
    EXPECT_EQ(map.minimapOverlay[3], 536);
    EXPECT_NEAR(map.minimapScale, 0.3731f, 1e-4f);
    EXPECT_EQ(map.minimapRect[2], 276);
    EXPECT_EQ(map.minimapRect[3], 200);
    EXPECT_EQ(map.minimapRect[0], 701);
    EXPECT_EQ(map.minimapRect[1], 400);
    ReleaseGameTextures();
}

TEST_F(MapDrawing, TheMinimapOverlayIsClearOverTheSeaAndOverLandOfNoCountry)
{
    ResetGuiLayout();
    g_GuiLayout[315] = sLayoutRect{0, 0, 60, 50};
    const std::filesystem::path file = testing_support::MakeScratchDir("minimap") / "minimap.png";
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 60, 50, 32, SDL_PIXELFORMAT_ARGB8888);
    IMG_SavePNG(s, file.string().c_str());
    SDL_FreeSurface(s);
    game.game->m_Countries[0]->Color1 = 0xFF102030;
    game.Hex(0, 0).terrain = kTerrainSea;
    game.Hex(1, 0).controller = 1;
    game.Hex(1, 0).owner = 2;
    game.map->BuildMinimap(file.wstring());
    cTexture* overlay = g_Textures[TEX_MINIMAP_OVERLAY].Get();
    ASSERT_NE(overlay, nullptr);
    // One texel in the middle of each of the three hexes of the first row.
    auto texel = [&](int column) { return overlay->PixelAt(column * 10 + 5, 5); };
    for (int mode : {1, 2, 3}) {
        g_UserSettings.minimapOwnershipMode = mode;
        game.map->UpdateMinimapOverlay();
        EXPECT_EQ(texel(0), 0u) << mode;
    }
    g_UserSettings.minimapOwnershipMode = 1;
    game.map->UpdateMinimapOverlay();
    EXPECT_EQ(texel(1), 0x80102030u);
    EXPECT_EQ(texel(2), 0u); // land that nobody holds
    g_UserSettings.minimapOwnershipMode = 3;
    game.map->UpdateMinimapOverlay();
    EXPECT_EQ(texel(2), 0x80000000u);
}

} // namespace
