// The shell's drawing helpers: the GUI box, the depth table, the skin levels and fits.
#include <gtest/gtest.h>

#include <climits>

#include "core/settings.h"
#include "platform/paths.h"
#include "platform/recording_renderer.h"
#include "shell/draw_helpers.h"
#include "shell/frame_callbacks.h"
#include "shell/skin_levels.h"
#include "shell/textures.h"
#include "tests/test_support.h"

namespace {

TEST(GuiBox, DrawsNinePiecesAndThePictureFromTheGrid)
{
    cRecordingRenderer device;
    g_Sprite = std::make_unique<cSprite>(&device);
    g_Textures[TEX_GUI].CreateEmpty(512, 2048);
    g_GuiLayout[58] = sLayoutRect{600, 10, 100, 110};

    DrawGuiBox(10, 20, 200, 100, 13, sLayoutRect{30, 40, 50, 55});
    auto quads = device.Quads();
    ASSERT_EQ(quads.size(), 10u);
    auto at = [&](int i) { return std::make_pair(quads[i].corners[0].x, quads[i].corners[0].y); };
    auto size = [&](int i) {
        return std::make_pair(quads[i].corners[2].x - quads[i].corners[0].x, quads[i].corners[2].y - quads[i].corners[0].y);
    };
    // Top edge, stretched between the corners.
    EXPECT_EQ(at(0), std::make_pair(55.0f, 20.0f));
    EXPECT_EQ(size(0), std::make_pair(110.0f, 45.0f));
    EXPECT_FLOAT_EQ(quads[0].src.left, 45);
    EXPECT_FLOAT_EQ(quads[0].src.top, 1913);
    // Centre.
    EXPECT_EQ(at(4), std::make_pair(55.0f, 65.0f));
    EXPECT_EQ(size(4), std::make_pair(110.0f, 10.0f));
    // Bottom-right corner, unstretched.
    EXPECT_EQ(at(8), std::make_pair(165.0f, 75.0f));
    EXPECT_EQ(size(8), std::make_pair(45.0f, 45.0f));
    EXPECT_FLOAT_EQ(quads[8].src.left, 90);
    EXPECT_FLOAT_EQ(quads[8].src.top, 2003);
    // Picture 13: column 1, row 3 of the grid.
    EXPECT_EQ(at(9), std::make_pair(30.0f, 40.0f));
    EXPECT_EQ(size(9), std::make_pair(50.0f, 55.0f));
    EXPECT_FLOAT_EQ(quads[9].src.left, 720);
    EXPECT_FLOAT_EQ(quads[9].src.top, 370);
    EXPECT_FLOAT_EQ(quads[9].src.right, 820);

    // A box no larger than its corners has no edges and no centre.
    device.ClearCalls();
    DrawGuiBox(0, 0, 90, 90, -1, sLayoutRect{});
    EXPECT_EQ(device.Quads().size(), 4u);
    g_Sprite.reset();
    g_Textures[TEX_GUI].Release();
}

TEST(SpriteDepthTable, ReadsTheFirstEighteenDataLinesHeldBetween0And39)
{
    std::filesystem::create_directories("skin");
    WriteWholeFile("skin/sprites_depth.csv", "# depth;comment\r\n10;terrain\r\n20\r\n45;too deep\r\n\r\n"
                                             "#skipped\r\nx\r\n-7\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12\n13\n14");
    g_SpriteDepths = {};
    LoadSpriteDepthTable(L"skin\\sprites_depth.csv");
    EXPECT_EQ(g_SpriteDepths[0].depth, 10);
    EXPECT_FLOAT_EQ(g_SpriteDepths[0].scale, 0.89f);
    EXPECT_EQ(g_SpriteDepths[2].depth, 39);
    EXPECT_FLOAT_EQ(g_SpriteDepths[2].scale, 0.6f);
    EXPECT_EQ(g_SpriteDepths[3].depth, 0); // an empty line is a data line
    EXPECT_FLOAT_EQ(g_SpriteDepths[3].scale, 0.99f);
    EXPECT_EQ(g_SpriteDepths[4].depth, 0); // not a number
    EXPECT_EQ(g_SpriteDepths[5].depth, 0); // below the back
    EXPECT_FLOAT_EQ(g_SpriteDepths[5].scale, 0.99f);
    EXPECT_EQ(g_SpriteDepths[17].depth, 13);

    LoadSpriteDepthTable(L"skin\\missing.csv");
    EXPECT_EQ(g_SpriteDepths[0].depth, 10);
}

TEST(SkinLevels, TheLastLevelAboveTheZoomIsChosen)
{
    ResetSettingsToDefaults();
    g_MapZoom = 0.5f;
    const int thresholds[] = {200, 80, 60, 40, 0, 0, 0, 0, 0, 0};
    for (int family = 0; family < kUnitFamilies; ++family)
        for (int level = 0; level < kSkinLevels; ++level)
            g_UnitSkinLevels[family][level].zoomThreshold = thresholds[level];
    g_SelectedUnitSkinLevel = {7, 7, 7};
    SelectUnitSkinLevels();
    EXPECT_EQ(g_SelectedUnitSkinLevel, (std::array<int, 3>{2, 2, 2}));

    // Zoomed in beyond every threshold: the choice stays.
    g_MapZoom = 3.0f;
    SelectUnitSkinLevels();
    EXPECT_EQ(g_SelectedUnitSkinLevel[0], 2);
    // Without dynamic appearance nothing changes.
    g_MapZoom = 0.1f;
    g_UserSettings.dynamicAppearance = false;
    SelectUnitSkinLevels();
    EXPECT_EQ(g_SelectedUnitSkinLevel[0], 2);

    // Cities look at their first five levels only, whatever the setting.
    for (int level = 0; level < kSkinLevels; ++level)
        g_CityAppearanceLevels[level].zoomThreshold = 100 - level * 5;
    SelectCityAppearanceLevel();
    EXPECT_EQ(g_SelectedCityAppearanceLevel, 4);
    // A threshold equal to the zoom does not serve it.
    g_UserSettings.dynamicAppearance = true;
    g_MapZoom = 0.8f;
    SelectUnitSkinLevels();
    SelectCityAppearanceLevel();
    EXPECT_EQ(g_SelectedUnitSkinLevel[0], 0);
    EXPECT_EQ(g_SelectedCityAppearanceLevel, 3);
}

TEST(SkinRows, RectanglesTextStylesAndSquareFits)
{
    sRect r{9, 9, 9, 9};
    EXPECT_EQ(ParseRectCells(r, {L"10", L"20", L"30", L"40"}, true), (sRect{10, 20, 40, 60}));
    EXPECT_EQ(ParseRectCells(r, {L"10", L"20", L"30", L"40"}, false), (sRect{10, 20, 30, 40}));
    EXPECT_EQ(ParseRectCells(r, {L"10", L"20", L"30"}, false), (sRect{}));

    sTextStyle style;
    ParseTextStyleCells(style, {L"a", L"b", L"c", L"d", L"Arial", L"14", L"75", L"255", L"128", L"0", L"256", L"1", L"2"});
    EXPECT_EQ(style.face, L"Arial");
    EXPECT_EQ(style.height, 14);
    EXPECT_EQ(style.weight, 700);
    EXPECT_EQ(style.color1, 0xFFFF8000u);
    EXPECT_EQ(style.color2, 0xFF000102u);
    ParseTextStyleCells(style, {L"short"});
    EXPECT_EQ(style.face, L"Arial");
    // An edited skin's numbers beyond an int stop at its ends.
    EXPECT_EQ(ParseRectCells(r, {L"2000000000", L"-2000000000", L"2000000000", L"-2000000000"}, true),
              (sRect{2000000000, -2000000000, INT_MAX, INT_MIN}));
    ParseTextStyleCells(style, {L"", L"", L"", L"", L"Arial", L"14", L"999999999", L"0", L"0", L"0", L"0", L"0", L"0"});
    EXPECT_EQ(style.weight, INT_MAX);

    sLayoutRect box{10, 20, 100, 40};
    EXPECT_FLOAT_EQ(FitSquareInRect(box, 1, 0), 0.4f);
    EXPECT_EQ(box, (sLayoutRect{40, 20, 40, 40}));
    sLayoutRect tall{0, 0, 30, 90};
    FitSquareInRect(tall, 2, 2);
    EXPECT_EQ(tall, (sLayoutRect{0, 60, 30, 30}));
    // Each mode on the longer side: 0 keeps the start, 2 goes to the end, others centre.
    const struct
    {
        int horizontal, vertical;
        sLayoutRect wide, high;
    } modes[] = {{0, 0, {10, 20, 40, 40}, {10, 20, 40, 40}},
                 {2, 2, {70, 20, 40, 40}, {10, 80, 40, 40}},
                 {5, 7, {40, 20, 40, 40}, {10, 50, 40, 40}}};
    for (const auto& m : modes) {
        sLayoutRect wide{10, 20, 100, 40}, high{10, 20, 40, 100};
        FitSquareInRect(wide, m.horizontal, m.vertical);
        EXPECT_FLOAT_EQ(FitSquareInRect(high, m.horizontal, m.vertical), 1.0f);
        EXPECT_EQ(wide, m.wide) << m.horizontal;
        EXPECT_EQ(high, m.high) << m.vertical;
    }
    sLayoutRect empty{0, 0, 0, 10};
    EXPECT_FLOAT_EQ(FitSquareInRect(empty, 1, 1), 0.0f);
}

} // namespace
