// The committed pictures under data/gfx/: every rectangle the toolkit and the dialogs cut from
// GUI.png holds art, the icon states can be told apart, and the generator still draws the same
// pictures.
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "gui/gui_atlas.h"
#include "platform/paths.h"
#include "tests/test_support.h"

// The atlas's names, kept to this file: the toolkit has an sRect of its own.
namespace artgen_tests {
using namespace gui_atlas;
using gui_atlas::sRect;
namespace fs = std::filesystem;

namespace {

struct sSurfaceDeleter {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using tSurface = std::unique_ptr<SDL_Surface, sSurfaceDeleter>;

// Loads a PNG as 32-bit ARGB, or null.
tSurface LoadArgb(const fs::path& path)
{
    tSurface loaded(IMG_Load(path.string().c_str()));
    if (!loaded)
        return nullptr;
    return tSurface(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_ARGB8888, 0));
}

uint32_t Pixel(const SDL_Surface* s, int x, int y)
{
    return static_cast<const uint32_t*>(s->pixels)[y * (s->pitch / 4) + x];
}

struct sCellStats {
    double drawnFraction = 0; // pixels with alpha of at least 32
    double meanR = 0, meanG = 0, meanB = 0, meanA = 0;
};

sCellStats Stats(const SDL_Surface* s, const sRect& r)
{
    sCellStats st;
    double n = double(r.Width()) * r.Height(), drawn = 0;
    for (int y = r.top; y < r.bottom; y++)
        for (int x = r.left; x < r.right; x++) {
            uint32_t p = Pixel(s, x, y);
            double a = p >> 24;
            if (a >= 32)
                drawn++;
            st.meanA += a;
            st.meanR += (p >> 16) & 0xFF;
            st.meanG += (p >> 8) & 0xFF;
            st.meanB += p & 0xFF;
        }
    st.drawnFraction = drawn / n;
    st.meanR /= n;
    st.meanG /= n;
    st.meanB /= n;
    st.meanA /= n;
    return st;
}

fs::path GfxDir() { return testing_support::SourceDir() / "data" / "gfx"; }

// The pages of the GUI atlas, each 2048 x 2048; a rectangle is read on the page it lies on.
struct sAtlas {
    std::vector<tSurface> pages;
    bool Loaded() const
    {
        for (const tSurface& page : pages)
            if (!page || page->w != kAtlasSize || page->h != kAtlasSize)
                return false;
        return pages.size() == size_t(kAtlasPageCount);
    }
    // The page of a rectangle, and the rectangle on it; null when it is on none or crosses two.
    const SDL_Surface* Page(const sRect& r, sRect& on) const
    {
        const int page = PageOf(r.top);
        if (r.left < 0 || r.top < 0 || r.right > kAtlasSize || page >= kAtlasPageCount ||
            PageOf(r.bottom - 1) != page || r.Width() <= 0 || r.Height() <= 0)
            return nullptr;
        on = Cell(r.left, r.top - page * kAtlasSize, r.Width(), r.Height());
        return pages[size_t(page)].get();
    }
};

sAtlas LoadAtlas()
{
    sAtlas atlas;
    for (int page = 0; page < kAtlasPageCount; page++) {
        std::string file = fs::path(kAtlasPageFiles[page]).string();
        file = file.substr(file.find_last_of('\\') + 1);
        atlas.pages.push_back(LoadArgb(GfxDir() / file));
    }
    return atlas;
}

sCellStats Stats(const sAtlas& atlas, const sRect& r)
{
    sRect on{};
    const SDL_Surface* page = atlas.Page(r, on);
    return page ? Stats(page, on) : sCellStats{};
}

} // namespace

TEST(GuiAtlas, EveryRectangleLiesInsideTheAtlasAndHoldsArt)
{
    const sAtlas atlas = LoadAtlas();
    ASSERT_TRUE(atlas.Loaded()) << IMG_GetError();
    auto rects = AllAtlasRects();
    EXPECT_GT(rects.size(), 150u);
    for (const sNamedRect& r : rects) {
        sRect on{};
        ASSERT_TRUE(atlas.Page(r.rect, on)) << r.name << " lies on no page or on two";
        EXPECT_GE(Stats(atlas, r.rect).drawnFraction, 0.10) << r.name << " is (nearly) empty";
    }
}

TEST(GuiAtlas, AreasOfDifferentPiecesDoNotOverlap)
{
    // Grid cells and strips may touch but no two named areas may share a pixel, or one piece
    // of art would be drawn over another.
    auto rects = AllAtlasRects();
    for (size_t i = 0; i < rects.size(); i++)
        for (size_t j = i + 1; j < rects.size(); j++) {
            const sRect& a = rects[i].rect;
            const sRect& b = rects[j].rect;
            bool overlap = a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
            EXPECT_FALSE(overlap) << rects[i].name << " overlaps " << rects[j].name;
        }
}

TEST(GuiAtlas, IconStatesDifferAtAGlance)
{
    const sAtlas atlas = LoadAtlas();
    ASSERT_TRUE(atlas.Loaded());
    for (const sIconStates& icon : AllIconStates()) {
        sCellStats disabled = Stats(atlas, icon.cells[0]);
        sCellStats normal = Stats(atlas, icon.cells[1]);
        sCellStats hover = Stats(atlas, icon.cells[2]);
        auto brightness = [](const sCellStats& s) { return (s.meanR + s.meanG + s.meanB) / 3; };
        auto saturation = [](const sCellStats& s) {
            return std::max({s.meanR, s.meanG, s.meanB}) - std::min({s.meanR, s.meanG, s.meanB});
        };
        // Mouse-over is clearly lighter than normal; disabled has lost its colour.
        EXPECT_GT(brightness(hover), brightness(normal) + 15) << icon.name;
        EXPECT_LT(saturation(disabled), saturation(normal) * 0.5) << icon.name;
    }
}

// The purchase preview of units is a plate for the chosen unit's own picture: it shades from
// top to bottom and shows nothing else.
TEST(GuiAtlas, ThePlateUnderAUnitOnSaleIsBare)
{
    const sAtlas atlas = LoadAtlas();
    ASSERT_TRUE(atlas.Loaded());
    std::vector<sRect> plates = {kPurchasePreviewCell};
    for (const sDrawnPicture& picture : kDrawnPictures)
        if (picture.row == 57)
            plates.push_back(picture.First());
    for (const sRect& plate : plates) {
        sRect cell{};
        const SDL_Surface* page = atlas.Page(plate, cell);
        ASSERT_TRUE(page);
        const int inset = cell.Width() / 5;
        int differing = 0;
        for (int y = cell.top + inset; y < cell.bottom - inset; ++y)
            for (int x = cell.left + inset; x < cell.right - inset; ++x)
                differing += Pixel(page, x, y) != Pixel(page, cell.left + inset, y);
        EXPECT_EQ(differing, 0) << "the plate at " << plate.Width() << " pixels";
    }
}

TEST(GuiAtlas, ButtonAndCheckBoxStatesAreDistinct)
{
    tSurface atlas = LoadArgb(GfxDir() / "GUI.png");
    ASSERT_TRUE(atlas);
    auto brightness = [&](const sRect& r) {
        sCellStats s = Stats(atlas.get(), r);
        return (s.meanR + s.meanG + s.meanB) / 3;
    };
    // A pressed button is darker than a raised one; a checked box differs from an empty one.
    EXPECT_LT(brightness(kButton[4]), brightness(kButton[1]) - 10);
    EXPECT_GT(std::fabs(brightness(kCheckBox[1]) - brightness(kCheckBox[0])), 5);
    EXPECT_GT(std::fabs(brightness(kRadioButton[1]) - brightness(kRadioButton[0])), 5);
    EXPECT_GT(std::fabs(brightness(kProgressFilled[1]) - brightness(kProgressEmpty[1])), 20);
    EXPECT_GT(std::fabs(brightness(kSliderThumbPressed) - brightness(kSliderThumb)), 5);
}

TEST(ArtGenerator, RedrawsTheCommittedPicturesExactly)
{
    fs::path out = testing_support::MakeScratchDir("gfx");
    std::string command = (testing_support::BinDir() / "velmorant-artgen").string() + " '" + out.string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);

    struct sExpected {
        std::string path;
        int width, height;
    };
    std::vector<sExpected> expected = {
        {"GUI.png", kAtlasSize, kAtlasSize},
        {"GUI_page2.png", kAtlasSize, kAtlasSize},
        {"GUI_page3.png", kAtlasSize, kAtlasSize},
        {"GUI_page4.png", kAtlasSize, kAtlasSize},
        {"wallpaper_main.png", kWallpaperWidth, kWallpaperHeight},
        {"wallpaper_preferences.png", kWallpaperWidth, kWallpaperHeight},
        {"wallpaper_scenario.png", kWallpaperWidth, kWallpaperHeight},
        {"wallpaper_scenariosettings.png", kWallpaperWidth, kWallpaperHeight},
        {"wallpaper_loading.png", kWallpaperWidth, kWallpaperHeight},
        {"wallpaper_pause.png", kWallpaperWidth, kWallpaperHeight},
        {"logof.png", kLogoWidth, kLogoHeight},
        {"logog.png", kLogoWidth, kLogoHeight},
        {"cur.png", kCursorSize, kCursorSize},
        {"console.png", kConsoleWidth, kConsoleHeight},
        {"Flags/unknown.png", kFlagWidth, kFlagHeight},
        {"Units images/default.png", kUnitPictureWidth, kUnitPictureHeight},
    };
    // A picture for every unit type code, which the unit panel and the fleets dialog look for.
    for (int code : {0, 1, 2, 3, 4, 5, 6, 20, 21, 22, 40, 41, 42, 43, 44, 45, 60})
        expected.push_back({"Units images/" + std::to_string(code) + ".png", kUnitPictureWidth, kUnitPictureHeight});
    // The flag of every country of the bundled scenario, under its name.
    for (const char* name : {"Germany", "United Kingdom", "France", "Poland", "Soviet Union", "Italy", "Slovakia",
                             "Hungary", "Romania", "Bulgaria", "Yugoslavia", "Greece", "Turkey", "Finland", "Estonia",
                             "Latvia", "Lithuania", "Sweden", "Norway", "Denmark", "Netherlands", "Belgium",
                             "Luxembourg", "Ireland", "Spain", "Portugal", "Switzerland", "Iraq", "Iran",
                             "Saudi Arabia"})
        expected.push_back({std::string("Flags/") + name + ".png", kFlagWidth, kFlagHeight});
    // The two skins: their pictures, and a units picture for every country of 1939.
    for (const char* picture : {"terrain.png", "others.png"})
        expected.push_back({std::string("[MapSkin]Normal/") + picture, 2048, 2048});
    expected.push_back({"[MapSkin]Normal/eyecandies.png", 2048, 335});
    expected.push_back({"[UnitsSkin]Counters/units.png", 1024, 1024});
    expected.push_back({"[UnitsSkin]Counters/info.png", 300, 132});
    for (const char* name : {"Germany", "Poland", "Saudi Arabia"})
        expected.push_back({std::string("[UnitsSkin]Counters/units_") + name + ".png", 768, 400});
    const std::vector<std::string> tables = {"[MapSkin]Normal/sprites_depth.csv", "[MapSkin]Normal/appearance.csv",
                                             "[UnitsSkin]Counters/land_units.csv", "[UnitsSkin]Counters/air_units.csv",
                                             "[UnitsSkin]Counters/naval_units.csv", "[UnitsSkin]Counters/countries.csv"};
    for (const sExpected& e : expected)
        EXPECT_TRUE(fs::exists(out / e.path)) << e.path << " was not generated";

    // Every generated file is committed with the same pixels (decoded, so that a different
    // compressor version does not matter).
    int compared = 0, tablesCompared = 0;
    for (const auto& entry : fs::recursive_directory_iterator(out)) {
        if (!entry.is_regular_file())
            continue;
        fs::path relative = fs::relative(entry.path(), out);
        if (relative.extension() == ".csv") {
            // Tables are compared byte for byte.
            EXPECT_EQ(ReadWholeFile(entry.path()), ReadWholeFile(GfxDir() / relative))
                << relative << ": run velmorant-artgen data/gfx and commit the result";
            tablesCompared++;
            continue;
        }
        tSurface fresh = LoadArgb(entry.path());
        tSurface committed = LoadArgb(GfxDir() / relative);
        ASSERT_TRUE(fresh) << relative;
        ASSERT_TRUE(committed) << relative << " is not committed";
        ASSERT_EQ(fresh->w, committed->w) << relative;
        ASSERT_EQ(fresh->h, committed->h) << relative;
        int differing = 0;
        for (int y = 0; y < fresh->h; y++)
            for (int x = 0; x < fresh->w; x++)
                differing += Pixel(fresh.get(), x, y) != Pixel(committed.get(), x, y);
        EXPECT_EQ(differing, 0) << relative << ": run velmorant-artgen data/gfx and commit the result";
        compared++;
    }
    // Every picture of the country list besides the three named above.
    EXPECT_EQ(compared, int(expected.size()) + 27);
    EXPECT_EQ(tablesCompared, int(tables.size()));
    for (const sExpected& e : expected) {
        tSurface picture = LoadArgb(GfxDir() / e.path);
        ASSERT_TRUE(picture) << e.path;
        EXPECT_EQ(picture->w, e.width) << e.path;
        EXPECT_EQ(picture->h, e.height) << e.path;
    }
}

TEST(ArtGenerator, DrawsAContactSheet)
{
    fs::path out = testing_support::MakeScratchDir("sheet") / "sheet.png";
    std::string command = (testing_support::BinDir() / "velmorant-artgen").string() + " --contact-sheet '" + out.string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    tSurface sheet = LoadArgb(out);
    ASSERT_TRUE(sheet);
    EXPECT_GE(sheet->w, 1000);
    EXPECT_GE(sheet->h, 2000);
}

TEST(GuiAtlas, LayoutRowsThatNameAtlasAreasMatchTheAtlas)
{
    // Every layout file names some areas of GUI.png by row (x, y, width, height); they must be
    // the areas the generator draws, the window buttons' grid at a cell size it draws.
    int layouts = 0;
    for (const auto& entry : fs::directory_iterator(testing_support::SourceDir() / "data")) {
        int width = 0, height = 0;
        if (std::sscanf(entry.path().filename().string().c_str(), "GUI_%dx%d.csv", &width, &height) != 2)
            continue;
        SCOPED_TRACE(entry.path().filename().string());
        layouts++;
        auto text = ReadWholeFile(entry.path());
        ASSERT_TRUE(text);
        std::map<int, std::vector<int>> rows;
        std::istringstream in(*text);
        std::string line;
        int section = 0;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (!line.empty() && line[0] == '#') {
                section++;
                continue;
            }
            if (section != 1)
                continue;
            std::vector<int> fields;
            std::istringstream cells(line);
            std::string cell;
            while (std::getline(cells, cell, ';'))
                fields.push_back(std::atoi(cell.c_str()));
            if (fields.size() >= 5)
                rows[fields[0]] = {fields[1], fields[2], fields[3], fields[4]};
        }
        auto expectRow = [&](int id, const sRect& r) {
            ASSERT_TRUE(rows.count(id)) << "layout row " << id << " is missing";
            EXPECT_EQ(rows[id], (std::vector<int>{r.left, r.top, r.Width(), r.Height()})) << "layout row " << id;
        };
        expectRow(1, Cell(0, 0, width, height));
        expectRow(11, kWeatherCell);
        ASSERT_TRUE(rows.count(14));
        expectRow(14, WindowButtonGrid(rows[14][2]));
        // The pictures drawn at several sizes: the original at 1024 x 768, at the others one
        // of the sizes drawn.
        for (int row : {3, 4, 5, 6, 13, 57, 58}) {
            ASSERT_TRUE(rows.count(row));
            const std::vector<int>& r = rows[row];
            expectRow(row, width == 1024 ? OriginalPicture(row) : NearestDrawnPicture(row, r[2], r[3]));
        }
    }
    EXPECT_GE(layouts, 8);
}

TEST(Pictures, BackdropsAreOpaqueAndNotFlat)
{
    // The logos are drawn without alpha blending and the wallpapers fill the screen: no
    // transparent pixel may show through, and each picture must actually show something.
    for (const char* name : {"wallpaper_main.png", "wallpaper_preferences.png", "wallpaper_scenario.png",
                             "wallpaper_scenariosettings.png", "wallpaper_loading.png", "wallpaper_pause.png",
                             "logof.png", "logog.png", "Flags/unknown.png", "Units images/default.png",
                             "Units images/43.png"}) {
        SCOPED_TRACE(name);
        tSurface p = LoadArgb(GfxDir() / name);
        ASSERT_TRUE(p);
        int transparent = 0;
        double sum = 0, sumSquares = 0;
        for (int y = 0; y < p->h; y++)
            for (int x = 0; x < p->w; x++) {
                uint32_t c = Pixel(p.get(), x, y);
                transparent += (c >> 24) != 0xFF;
                double l = (((c >> 16) & 0xFF) + ((c >> 8) & 0xFF) + (c & 0xFF)) / 3.0;
                sum += l;
                sumSquares += l * l;
            }
        double n = double(p->w) * p->h, mean = sum / n;
        EXPECT_EQ(transparent, 0);
        EXPECT_GT(std::sqrt(sumSquares / n - mean * mean), 12.0) << "flat picture";
    }
}

TEST(Pictures, CursorPointsFromItsTopLeftCorner)
{
    tSurface cursor = LoadArgb(GfxDir() / "cur.png");
    ASSERT_TRUE(cursor);
    // The arrow's tip is at the hot spot (the top-left pixel); the far corners are clear.
    EXPECT_GE(Pixel(cursor.get(), 1, 2) >> 24, 200u);
    EXPECT_GE(Pixel(cursor.get(), 3, 8) >> 24, 200u);
    EXPECT_EQ(Pixel(cursor.get(), kCursorSize - 1, 0) >> 24, 0u);
    EXPECT_EQ(Pixel(cursor.get(), 0, kCursorSize - 1) >> 24, 0u);
}

} // namespace artgen_tests
