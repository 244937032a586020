// The layout file: control rectangles, the corner rows and the GUI fonts.
#include <gtest/gtest.h>

#include "core/fatal.h"
#include "core/settings.h"
#include "gui/layout.h"
#include "platform/paths.h"
#include "tests/test_support.h"

namespace {

using testing_support::MakeScratchDir;

std::filesystem::path WriteLayout(const std::string& name, const std::string& text)
{
    std::filesystem::path file = MakeScratchDir("layout") / name;
    WriteWholeFile(file, text);
    return file;
}

const char* kSevenFonts = "1;Arial;18;88;255;255;255;255;214;120\n"
                          "2;Arial;16;50;1;2;3;4;5;6\n"
                          "3;Arial;14;50;0;0;0;0;0;0\n"
                          "4;Arial;16;88;0;0;0;0;0;0\n"
                          "5;Arial;26;88;0;0;0;0;0;0\n"
                          "6;Arial;12;50;0;0;0;0;0;0\n"
                          "7;Times New Roman;20;75;300;-1;7;9;8;7\n";

TEST(GuiLayout, RowsWithoutALineStayUnsetAndTheLaterOfTwoLinesWins)
{
    ResetGuiLayout();
    auto file = WriteLayout("a.csv", "# header\n#\n");
    ASSERT_TRUE(LoadGuiLayoutFile(file, L"data\\GUI_test.csv"));
    EXPECT_EQ(g_GuiLayout[200], (sLayoutRect{-1, -1, -1, -1}));
    EXPECT_EQ(g_GuiLayout[999], (sLayoutRect{-1, -1, -1, -1}));
    EXPECT_EQ(g_GuiLayout[1000], (sLayoutRect{0, 0, 0, 0}));
    EXPECT_TRUE(testing_support::LogContains(L"Loading GUI coordinates nad fonts from \"data\\GUI_test.csv\"... OK"));

    file = WriteLayout("b.csv", "header line\r\n# rows\r\n"
                                "300;10;20;30;40\r\n"
                                "300; 11;21;31;41;extra\r\n"
                                "301;5;junk\r\n"
                                "1499;1;2;3;4\r\n"
                                "1500;1;2;3;4\r\n"
                                "-3;1;2;3;4\r\n"
                                "302;99999999999;-99999999999;nan;40000\r\n"
                                "1;2147483647;2147483647;2147483647;2147483647\r\n"
                                "#\r\n"
                                "1;Arial;99999;99999999999;1;2;3;4;5;6\r\n");
    ASSERT_TRUE(LoadGuiLayoutFile(file, L"b"));
    EXPECT_EQ(g_GuiLayout[300], (sLayoutRect{11, 21, 31, 41}));
    // Numbers beyond a window position's 16 bits are held to them: a corner row's sums and a
    // font's weight cannot overflow.
    EXPECT_EQ(g_GuiLayout[302], (sLayoutRect{32767, -32768, 0, 32767}));
    EXPECT_EQ(g_GuiLayout[1], (sLayoutRect{32767, 32767, 65534, 65534}));
    EXPECT_EQ(g_GuiFonts[0].height, 32767);
    EXPECT_EQ(g_GuiFonts[0].weight, 32767 * 8 + 100);
    // Fields that are missing leave the old values; a field that is no number reads 0.
    EXPECT_EQ(g_GuiLayout[301], (sLayoutRect{5, 0, -1, -1}));
    EXPECT_EQ(g_GuiLayout[1499], (sLayoutRect{1, 2, 3, 4}));
}

TEST(GuiLayout, PanelRowsTurnIntoCornersAndTheMinimapGetsItsOutline)
{
    ResetGuiLayout();
    auto file = WriteLayout("c.csv", "#\n1;10;20;30;40\n2;10;20;30;40\n9;10;20;30;40\n12;10;20;30;40\n"
                                     "56;1;1;1;1\n57;1;1;1;1\n315;100;200;50;60\n#\n");
    ASSERT_TRUE(LoadGuiLayoutFile(file, L"c"));
    EXPECT_EQ(g_GuiLayout[1], (sLayoutRect{10, 20, 40, 60}));
    EXPECT_EQ(g_GuiLayout[9], (sLayoutRect{10, 20, 40, 60}));
    EXPECT_EQ(g_GuiLayout[2], (sLayoutRect{10, 20, 30, 40}));
    EXPECT_EQ(g_GuiLayout[12], (sLayoutRect{10, 20, 30, 40}));
    EXPECT_EQ(g_GuiLayout[56], (sLayoutRect{1, 1, 2, 2}));
    EXPECT_EQ(g_GuiLayout[57], (sLayoutRect{1, 1, 1, 1}));
    EXPECT_EQ(g_MinimapOutline, (sRect{98, 198, 154, 264}));
}

TEST(GuiLayout, FontRecordsTakeWeightAndColoursAndAMissingEighthComesFromTheSeventh)
{
    ResetGuiLayout();
    auto file = WriteLayout("d.csv", std::string("#\n#\n") + kSevenFonts);
    ASSERT_TRUE(LoadGuiLayoutFile(file, L"d"));
    EXPECT_EQ(g_GuiFonts[0].face, L"Arial");
    EXPECT_EQ(g_GuiFonts[0].weight, 88 * 8 + 100);
    EXPECT_EQ(g_GuiFonts[0].color2, 0xFFFFD678u);
    EXPECT_EQ(g_GuiFonts[1].color1, 0xFF010203u);
    EXPECT_EQ(g_GuiFonts[1].color2, 0xFF040506u);
    // Colour components wrap modulo 256.
    EXPECT_EQ(g_GuiFonts[6].color1, 0xFF2CFF07u);
    EXPECT_EQ(g_GuiFonts[6].weight, 700);
    EXPECT_EQ(g_GuiFonts[7].face, L"Times New Roman");
    EXPECT_EQ(g_GuiFonts[7].height, 15);
    EXPECT_EQ(g_GuiFonts[7].weight, 700);

    ResetGuiLayout();
    file = WriteLayout("e.csv", std::string("#\n#\n") + kSevenFonts + "8; Courier ;15;0;0;0;0;0;0;0\n9;X;1;1;1;1;1;1;1;1\n");
    ASSERT_TRUE(LoadGuiLayoutFile(file, L"e"));
    // Taken as written, without trimming; a ninth font is ignored (and the last line read
    // was above 7, so nothing is derived).
    EXPECT_EQ(g_GuiFonts[7].face, L" Courier ");
    EXPECT_EQ(g_GuiFonts[7].height, 15);
    EXPECT_EQ(g_GuiFonts[7].weight, 100);
}

TEST(GuiLayout, TheShippedFileLoadsAndAMissingFileEndsTheProgram)
{
    ResetGuiLayout();
    ASSERT_TRUE(LoadGuiLayoutFile(testing_support::SourceDir() / "data" / "GUI_1024x768.csv", L"shipped"));
    EXPECT_EQ(g_GuiLayout[58], (sLayoutRect{1200, 740, 110, 110}));
    EXPECT_EQ(g_GuiLayout[3], (sLayoutRect{0, 740, 1024, 860})); // a corner row
    for (const auto& font : g_GuiFonts) {
        EXPECT_FALSE(font.face.empty());
        EXPECT_GT(font.height, 0);
    }
    // Rows from 100 up place controls: they lie on the screen.
    for (int id = 100; id < kGuiLayoutRows; ++id) {
        const sLayoutRect& r = g_GuiLayout[id];
        if (r.x < 0 && r.width < 0)
            continue;
        EXPECT_GE(r.x, 0) << id;
        EXPECT_LE(r.x + r.width, 1024) << id;
        EXPECT_LE(r.y + r.height, 768) << id;
    }

    ResetSettingsToDefaults();
    g_UserSettings.resolutionX = 1234;
    g_UserSettings.resolutionY = 567;
    try {
        LoadGuiLayout();
        FAIL() << "a missing layout file must end the program";
    } catch (const sFatalExit& e) {
        EXPECT_EQ(e.code, 1);
    }
    EXPECT_TRUE(testing_support::LogContains(L"Loading GUI coordinates from \"data\\GUI_1234x567.csv\"... FAILED"));
}

// The shipped sizes as the program finds them, and the size a full screen takes on desktops
// with and without a layout of their own.
TEST(GuiLayout, FullScreenTakesTheDesktopsLayoutOrTheLargestThatFits)
{
    const auto shipped = LayoutFileSizes(testing_support::SourceDir() / "data");
    const std::vector<std::pair<int, int>> expected = {{1024, 768},  {1280, 720},  {1280, 800},  {1366, 768},
                                                       {1600, 900},  {1920, 1080}, {1920, 1200}, {2560, 1440}};
    EXPECT_EQ(shipped, expected);
    const std::pair<int, int> configured{1024, 768};
    EXPECT_EQ(FullScreenSize(1920, 1080, shipped, configured), std::make_pair(1920, 1080));
    // An ultra-wide desktop: the largest layout that fits, letterboxed.
    EXPECT_EQ(FullScreenSize(3440, 1440, shipped, configured), std::make_pair(2560, 1440));
    // Larger by area wins over a closer width: 1366 x 768 over 1280 x 800 on 1440 x 900.
    EXPECT_EQ(FullScreenSize(1440, 900, shipped, configured), std::make_pair(1366, 768));
    EXPECT_EQ(FullScreenSize(1920, 1200, shipped, configured), std::make_pair(1920, 1200));
    // A desktop smaller than every layout keeps the configured size, scaled down.
    EXPECT_EQ(FullScreenSize(800, 600, shipped, {1280, 720}), std::make_pair(1280, 720));
}

// A window keeps its size where it fits the desktop's usable part, else takes the largest that fits.
TEST(GuiLayout, AWindowTooLargeForTheDesktopTakesTheLargestLayoutThatFits)
{
    const auto shipped = LayoutFileSizes(testing_support::SourceDir() / "data");
    EXPECT_EQ(WindowedSize(1280, 720, shipped, {1024, 768}), std::make_pair(1280, 720));
    EXPECT_EQ(WindowedSize(1366, 740, shipped, {1024, 768}), std::make_pair(1280, 720));
    EXPECT_EQ(WindowedSize(1920, 1080, shipped, {1024, 768}), std::make_pair(1024, 768));
}

} // namespace
