#pragma once
// Where every piece of art lies in data/gfx/GUI.png (2048 x 2048). The art generator draws
// exactly these rectangles and the toolkit and dialogs cut their pictures from them, so the
// two can never drift apart. Rectangles are (left, top, right, bottom), right and bottom
// exclusive, in texture pixels.
#include <cstddef>
#include <string>
#include <vector>

namespace gui_atlas {

constexpr int kAtlasSize = 2048;

struct sRect {
    int left, top, right, bottom;
    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
};

constexpr sRect Cell(int x, int y, int w, int h) { return {x, y, x + w, y + h}; }
// A clickable icon is three cells stacked downward: disabled, normal, mouse-over.
constexpr sRect IconStrip(const sRect& first) { return {first.left, first.top, first.right, first.top + 3 * first.Height()}; }

// ---- Default elements of the toolkit ----
constexpr sRect kCaption = {17, 269, 241, 287};

constexpr sRect kButton[6] = {
    {135, 1926, 140, 1956}, {140, 1926, 145, 1956}, {145, 1926, 150, 1956}, // left cap, middle, right cap
    {151, 1926, 156, 1956}, {156, 1926, 161, 1956}, {161, 1926, 166, 1956}, // the same, pressed
};
constexpr sRect kCheckBox[2] = {{290, 1921, 315, 1946}, {316, 1921, 341, 1946}};    // empty, checked
constexpr sRect kRadioButton[2] = {{290, 1947, 315, 1972}, {316, 1947, 341, 1972}}; // empty, checked

constexpr sRect kComboMain = {199, 1926, 229, 1956};
constexpr sRect kComboDropDown = {229, 1926, 259, 1956};
constexpr sRect kComboButton = {259, 1926, 289, 1956};
constexpr sRect kComboSelection = {212, 2033, 287, 2045};
constexpr int kComboFrameX = 212, kComboFrameY = 1957, kComboFrameCell = 25; // 3 x 3 nine-slice

constexpr sRect kSliderTrack[3] = {{136, 1900, 146, 1925}, {146, 1900, 156, 1925}, {156, 1900, 166, 1925}};
constexpr sRect kSliderThumb = {167, 1900, 177, 1925};
constexpr sRect kSliderThumbPressed = {178, 1900, 188, 1925};

constexpr sRect kProgressEmpty[3] = {{350, 1885, 355, 1910}, {355, 1885, 360, 1910}, {360, 1885, 365, 1910}};
constexpr sRect kProgressFilled[3] = {{350, 1910, 355, 1935}, {355, 1910, 360, 1935}, {360, 1910, 365, 1935}};

constexpr sRect kScrollUp = {290, 1973, 315, 1998};
constexpr sRect kScrollTrack = {290, 1998, 315, 2023};
constexpr sRect kScrollDown = {290, 2023, 315, 2048};
constexpr sRect kScrollThumb = {316, 1973, 341, 2048};

constexpr int kEditBoxX = 168, kEditBoxY = 1926, kEditBoxCell = 10; // 3 x 3 nine-slice

// The IME edit box is registered by the toolkit but never shown.
constexpr int kImeBoxLeft = 8, kImeBoxTop = 82, kImeBoxRight = 246, kImeBoxBottom = 121;
constexpr int kImeBoxInnerLeft = 14, kImeBoxInnerTop = 90, kImeBoxInnerRight = 241, kImeBoxInnerBottom = 113;
constexpr sRect kImeIndicator = {0, 0, 136, 54};

constexpr int kListBodyX = 350, kListBodyY = 1936, kListCell = 25; // 3 x 3 nine-slice
// Header strips: three columns (plain, sorted ascending, sorted descending) of three cells
// (the boundary piece, the middle, the end).
constexpr int kListHeaderX = 425, kListHeaderY = 1936;
constexpr sRect kListSelection = {350, 2011, 375, 2036};
constexpr sRect kListHover = {375, 2011, 400, 2036};

struct sFrameStyle {
    int x, y, cell;
};
constexpr sFrameStyle kFrameStyles[3] = {{0, 1913, 45}, {1130, 370, 30}, {221, 1895, 10}};
// The tab frame's area and the hint box share one 3 x 3 block of 10-pixel cells.
constexpr int kTabAreaX = 190, kTabAreaY = 1895, kTabAreaCell = 10;
// Tab pieces: left, middle, right of an unselected tab, then of the selected tab.
constexpr int kTabPieceX = 65, kTabPieceY = 1885, kTabPieceWidth = 10, kTabPieceHeight = 20;

// ---- Panels and dialogs ----
// Fold buttons of the info panel (first cell of each three-cell strip).
constexpr sRect kFoldAttack = {950, 100, 1040, 190};
constexpr sRect kFoldUnit = {1040, 100, 1130, 190};
constexpr sRect kFoldHex = {1130, 100, 1220, 190};
constexpr sRect kFoldDiplomacy = {950, 460, 1040, 550};
// The blinking wait image: two frames side by side.
constexpr sRect kWaitFrames[2] = {{0, 1390, 200, 1590}, {200, 1390, 400, 1590}};

// Minimap buttons (first cells).
constexpr sRect kMinimapZoomIn = {560, 375, 585, 400};
constexpr sRect kMinimapZoomOut = {590, 375, 615, 400};
constexpr sRect kMinimapOwnership = {620, 375, 645, 400};
constexpr sRect kMinimapBorders = {650, 375, 675, 400};
constexpr sRect kMinimapMapMode = {680, 375, 705, 400};

// Order icons of the unit panel and the hex panel (first cells, 40 x 40).
constexpr sRect kIconRename = {1240, 105, 1280, 145};
constexpr sRect kIconCommanders = {1280, 105, 1320, 145};
constexpr sRect kIconReplacements = {1320, 105, 1360, 145};
constexpr sRect kIconSupplySource = {1360, 105, 1400, 145};
constexpr sRect kIconUpgradeCorps = {1400, 105, 1440, 145};
constexpr sRect kIconLevelUp = {1440, 105, 1480, 145};
constexpr sRect kIconDisband = {1480, 105, 1520, 145};
constexpr sRect kIconUndoMove = {1520, 105, 1560, 145};
constexpr sRect kIconAmphibious = {1240, 225, 1280, 265};
constexpr sRect kIconSeaTransport = {1320, 225, 1360, 265};
constexpr sRect kIconAirborne = {1400, 225, 1440, 265};
constexpr sRect kIconStrategicMove = {1440, 225, 1480, 265};
constexpr sRect kIconBombardment = {1480, 225, 1520, 265};
constexpr sRect kIconAirFight = {1520, 225, 1560, 265};
constexpr sRect kIconRecon = {1240, 345, 1280, 385};
constexpr sRect kIconMulberry = {1280, 345, 1320, 385};
constexpr sRect kIconNuclear = {1360, 345, 1400, 385};

// Combat-result pictures, 60 x 60 (not clickable: one cell each).
constexpr sRect kResultDestroyed = {380, 150, 440, 210};
constexpr sRect kResultSurrenders = {380, 210, 440, 270};
constexpr sRect kResultRetreats = {380, 270, 440, 330};
constexpr sRect kResultCity = {380, 330, 440, 390};
constexpr sRect kResultPort = {380, 390, 440, 450};
constexpr sRect kResultNaval = {380, 450, 440, 510};

// The convoys dialog's picture.
constexpr sRect kConvoyPicture = {1898, 1898, 2048, 2048};

// ---- Areas that the layout file names by row (x, y, width, height in the file) ----
// Row 3: background of the info panel.
constexpr sRect kInfoPanelBackground = Cell(0, 740, 1024, 120);
// Row 4: background of the minimap panel.
constexpr sRect kMinimapBackground = Cell(0, 1020, 300, 300);
// Row 5: background of the window buttons.
constexpr sRect kWindowButtonsBackground = Cell(210, 870, 440, 64);
// Row 6: background of the country box (flag and name).
constexpr sRect kCountryBoxBackground = Cell(0, 870, 200, 140);
// Row 11: weather pictures, one cell per weather (good, snow, mud) downward.
constexpr sRect kWeatherCell = Cell(1060, 870, 48, 48);
constexpr int kWeatherCount = 3;
// Row 13: research investment pictures, one cell per investment count 0 to 3 downward.
constexpr sRect kInvestmentCell = Cell(1120, 870, 64, 64);
constexpr int kInvestmentCount = 4;
// Row 14: the window buttons' grid: first cell and cell size; column k holds one button's
// three states downward.
constexpr sRect kWindowButtonCell = Cell(660, 870, 48, 48);
constexpr int kWindowButtonCount = 8;
enum eWindowButtonColumn {
    kColumnPurchase = 0,  // 336
    kColumnUnits = 1,     // 337
    kColumnResearch = 2,  // 339
    kColumnReports = 3,   // 340
    kColumnConvoys = 4,   // 341
    kColumnPauseMenu = 5, // 342
    kColumnEndTurn = 6,   // 343
    kColumnHotkeys = 7,   // 344
};
// Row 57: the purchase preview cells: units, then right strategic movement, right and down
// sea transport, down amphibious invasion.
constexpr sRect kPurchasePreviewCell = Cell(310, 1020, 128, 128);
// Row 58: pictures of the framed box, index i at (x0 + 120 (i / 10), y0 + 120 (i % 10)).
constexpr sRect kBoxPictureCell = Cell(1200, 740, 110, 110);
constexpr int kBoxPictureCount = 10;
constexpr int kBoxPictureSpacing = 120;

constexpr sRect BoxPicture(int index)
{
    return Cell(kBoxPictureCell.left + kBoxPictureSpacing * (index / 10),
                kBoxPictureCell.top + kBoxPictureSpacing * (index % 10), kBoxPictureCell.Width(),
                kBoxPictureCell.Height());
}
constexpr sRect WindowButton(int column, int state)
{
    return Cell(kWindowButtonCell.left + column * kWindowButtonCell.Width(),
                kWindowButtonCell.top + state * kWindowButtonCell.Height(), kWindowButtonCell.Width(),
                kWindowButtonCell.Height());
}
// The window buttons' grid drawn again at the cell sizes of the other layouts, so that no
// screen size shows them scaled: one grid under the other, right of the framed box pictures.
constexpr int kScaledWindowButtonSizes[] = {45, 50, 56, 67, 75, 90};
constexpr int kScaledWindowButtonsLeft = 1320, kScaledWindowButtonsTop = 480, kScaledWindowButtonsGap = 4;
// The first cell of the grid whose cell size is nearest to the size a layout needs.
constexpr sRect WindowButtonGrid(int cellSize)
{
    const auto distance = [cellSize](int size) { return size > cellSize ? size - cellSize : cellSize - size; };
    sRect best = kWindowButtonCell;
    int top = kScaledWindowButtonsTop;
    for (int size : kScaledWindowButtonSizes) {
        if (distance(size) < distance(best.Width()))
            best = Cell(kScaledWindowButtonsLeft, top, size, size);
        top += 3 * size + kScaledWindowButtonsGap;
    }
    return best;
}
constexpr sRect WindowButtonIn(const sRect& grid, int column, int state)
{
    return Cell(grid.left + column * grid.Width(), grid.top + state * grid.Height(), grid.Width(), grid.Height());
}
// The fold buttons drawn again at the window buttons' other cell sizes (they share a size on
// every screen): per size, four strips side by side in the order of kFoldButtonOrder.
constexpr int kFoldButtonCount = 4;
constexpr sRect kFoldButtonOrder[kFoldButtonCount] = {kFoldUnit, kFoldHex, kFoldAttack, kFoldDiplomacy};
struct sFoldButtonBlock {
    int size, left, top;
};
constexpr sFoldButtonBlock kScaledFoldButtons[] = {{45, 0, 512},   {50, 184, 512},   {56, 388, 512},
                                                   {67, 616, 512}, {90, 1320, 1653}, {75, 1684, 1653}};
// The first cell of fold button `column` (an index into kFoldButtonOrder) for a button of
// `cellSize` pixels: the pictures of the window buttons' grid for that size.
constexpr sRect FoldButton(int column, int cellSize)
{
    const int size = WindowButtonGrid(cellSize).Width();
    for (const sFoldButtonBlock& block : kScaledFoldButtons)
        if (block.size == size)
            return Cell(block.left + column * size, block.top, size, size);
    return kFoldButtonOrder[column];
}
// The unit panel's order icons, in the order of their blocks below.
constexpr sRect kOrderIcons[] = {kIconRename,        kIconUpgradeCorps,  kIconLevelUp,    kIconSupplySource,
                                 kIconCommanders,    kIconReplacements,  kIconDisband,    kIconUndoMove,
                                 kIconStrategicMove, kIconAirborne,      kIconAmphibious, kIconSeaTransport,
                                 kIconAirFight,      kIconBombardment,   kIconRecon,      kIconNuclear};
constexpr int kOrderIconCount = int(sizeof(kOrderIcons) / sizeof(kOrderIcons[0]));
// The order icons drawn again at the larger sizes of the big screens: per size, two rows of
// eight strips.
struct sOrderIconBlock {
    int size, left, top;
};
constexpr sOrderIconBlock kScaledOrderIcons[] = {{53, 400, 1360}, {44, 828, 1360}};
// The first cell of order icon `index` (into kOrderIcons) for an icon of `cellSize` pixels:
// the drawn size nearest to it, the original when that is as near.
constexpr sRect OrderIcon(int index, int cellSize)
{
    const auto distance = [cellSize](int size) { return size > cellSize ? size - cellSize : cellSize - size; };
    sRect best = kOrderIcons[index];
    for (const sOrderIconBlock& block : kScaledOrderIcons)
        if (distance(block.size) < distance(best.Width()))
            best = Cell(block.left + (index % 8) * block.size, block.top + (index / 8) * 3 * block.size, block.size,
                        block.size);
    return best;
}
constexpr sRect GridCell(int x, int y, int cell, int column, int row)
{
    return Cell(x + column * cell, y + row * cell, cell, cell);
}

// ---- Other pictures under data/gfx/ ----
// Wallpapers are authored at the size of layout row 1; the logos are drawn unscaled at
// layout row 0's position, so at 1024 x 768 row 0 is (256, 192).
constexpr int kWallpaperWidth = 1024, kWallpaperHeight = 768;
constexpr int kLogoWidth = 512, kLogoHeight = 384;
constexpr int kCursorSize = 32;
constexpr int kConsoleWidth = 512, kConsoleHeight = 256;
constexpr int kFlagWidth = 128, kFlagHeight = 85;
// Unit pictures are cut as (0, 0)-(256, 128).
constexpr int kUnitPictureWidth = 256, kUnitPictureHeight = 128;

// Every rectangle above, cells of grids and strips one by one, with a name for messages.
// A clickable icon's entry covers its whole three-cell strip.
struct sNamedRect {
    std::string name;
    sRect rect;
};
std::vector<sNamedRect> AllAtlasRects();
// The cells of the clickable icons: for each, its three state cells (disabled, normal, mouse-over).
struct sIconStates {
    std::string name;
    sRect cells[3];
};
std::vector<sIconStates> AllIconStates();

} // namespace gui_atlas
