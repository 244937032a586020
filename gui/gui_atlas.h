#pragma once
// Where every piece of art lies in data/gfx/GUI.png (2048 x 2048) and its further pages. The art generator draws
// exactly these rectangles and the toolkit and dialogs cut their pictures from them, so the
// two can never drift apart. Rectangles are (left, top, right, bottom), right and bottom
// exclusive, in texture pixels.
#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace gui_atlas {

constexpr int kAtlasSize = 2048;
// The atlas goes on in further pictures of the same size, its pages, addressed as if each lay
// under the one before: a rectangle with a top of 2048 to 4095 lies on the second page. No
// rectangle crosses from one page to the next, so every texture stays as large as the rest of
// the game's, which any renderer holds.
constexpr int kAtlasPageCount = 4;
constexpr const wchar_t* kAtlasPageFiles[kAtlasPageCount] = {L"data\\gfx\\GUI.png", L"data\\gfx\\GUI_page2.png",
                                                             L"data\\gfx\\GUI_page3.png", L"data\\gfx\\GUI_page4.png"};
constexpr int PageOf(int top) { return top / kAtlasSize; }

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

// A frame is an outer line, a metal band and an inner line, with a square plate over each
// corner for the heavier styles. Its pieces are drawn at their own size whatever the layout's
// scale, so a control must keep clear of them at every size.
struct sFrameStyle {
    int x, y, cell;
    int band;
    bool cornerPlates;
};
constexpr sFrameStyle kFrameStyles[3] = {{0, 1913, 45, 10, true}, {1130, 370, 30, 6, true}, {221, 1895, 10, 2, false}};
constexpr int CornerPlateSize(int cell, int band) { return std::min(cell - 2, band + 10); }
// How far the frame's drawing reaches in from its edges: along them, and at its corners.
constexpr int FrameBorder(const sFrameStyle& s) { return s.band + 2; }
constexpr int FrameCornerReach(const sFrameStyle& s)
{
    return s.cornerPlates ? std::max(FrameBorder(s), 1 + CornerPlateSize(s.cell, s.band)) : FrameBorder(s);
}
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
// The unit panel's order icons, in the order of the strips of each block drawn for them.
constexpr sRect kOrderIcons[] = {kIconRename,        kIconUpgradeCorps,  kIconLevelUp,    kIconSupplySource,
                                 kIconCommanders,    kIconReplacements,  kIconDisband,    kIconUndoMove,
                                 kIconStrategicMove, kIconAirborne,      kIconAmphibious, kIconSeaTransport,
                                 kIconAirFight,      kIconBombardment,   kIconRecon,      kIconNuclear};
constexpr int kOrderIconCount = int(sizeof(kOrderIcons) / sizeof(kOrderIcons[0]));
// A set of pictures drawn again at one size: the size of a cell and the place of the first.
struct sDrawnBlock {
    int width, height, left, top;
};
// The block of `blocks` drawn nearest to width x height, the one drawn at exactly that size
// where there is one; null when the original (of `original` pixels) is as near, which is
// then cut instead.
template <class Blocks>
constexpr const sDrawnBlock* DrawnBlock(const Blocks& blocks, const sRect& original, int width, int height)
{
    const auto distance = [width, height](int w, int h) {
        return (w > width ? w - width : width - w) + (h > height ? h - height : height - h);
    };
    const sDrawnBlock* best = nullptr;
    int nearest = distance(original.Width(), original.Height());
    for (const sDrawnBlock& block : blocks)
        if (distance(block.width, block.height) < nearest) {
            best = &block;
            nearest = distance(block.width, block.height);
        }
    return best;
}
// Picture `index` of `originals` shown at width x height: its cell in the block drawn nearest
// to that size, or the original itself. A block holds the pictures side by side, in the
// order of `originals`, and the first original's size stands for them all.
template <class Blocks>
constexpr sRect DrawnPicture(const Blocks& blocks, const sRect* originals, int index, int width, int height)
{
    const sDrawnBlock* block = DrawnBlock(blocks, originals[0], width, height);
    return block ? Cell(block->left + index * block->width, block->top, block->width, block->height)
                 : originals[index];
}
// The minimap's buttons drawn again at the sizes of the other screens: per size, five strips
// side by side in the order of kMinimapButtons.
constexpr int kMinimapButtonCount = 5;
constexpr sRect kMinimapButtons[kMinimapButtonCount] = {kMinimapZoomIn, kMinimapZoomOut, kMinimapOwnership,
                                                        kMinimapBorders, kMinimapMapMode};
constexpr sDrawnBlock kScaledMinimapButtons[] = {{47, 47, 1418, 4096 + 210}, {39, 39, 1653, 4096 + 210},
                                                 {35, 35, 1418, 4096 + 351}, {29, 29, 1593, 4096 + 351},
                                                 {26, 26, 1738, 4096 + 351}, {24, 24, 1868, 4096 + 351}};
// The first cell of minimap button `index` (into kMinimapButtons) for a button of `cellSize`
// pixels.
constexpr sRect MinimapButton(int index, int cellSize)
{
    return DrawnPicture(kScaledMinimapButtons, kMinimapButtons, index, cellSize, cellSize);
}

// ---- The fourth page: pictures drawn at exactly the sizes the screens show them ----
// Every size some layout shows them at, the original's aside; the blocks lie in shelves
// across the page, in the order given, so the largest come first.
struct sDrawnSize {
    int width, height;
};
constexpr int kShelfGap = 4;
struct sShelving {
    int across, down; // cells of one block
    int top;          // where the shelves start
};
template <size_t N>
constexpr std::array<sDrawnBlock, N> Shelve(const sDrawnSize (&sizes)[N], const sShelving& how)
{
    std::array<sDrawnBlock, N> blocks{};
    int x = 0, y = how.top, tallest = 0;
    for (size_t k = 0; k < N; k++) {
        const int width = sizes[k].width * how.across, height = sizes[k].height * how.down;
        if (x + width > kAtlasSize) {
            x = 0;
            y += tallest + kShelfGap;
            tallest = 0;
        }
        blocks[k] = {sizes[k].width, sizes[k].height, x, y};
        x += width + kShelfGap;
        tallest = tallest > height ? tallest : height;
    }
    return blocks;
}
// The first row under the shelves.
template <size_t N>
constexpr int ShelvesBottom(const std::array<sDrawnBlock, N>& blocks, const sShelving& how)
{
    int bottom = how.top;
    for (const sDrawnBlock& block : blocks)
        bottom = bottom > block.top + block.height * how.down ? bottom : block.top + block.height * how.down;
    return bottom + kShelfGap;
}
// The unit panel's order icons: per size, the sixteen strips side by side.
constexpr sDrawnSize kOrderIconSizes[] = {{53, 52}, {52, 52}, {45, 45}, {44, 44}, {43, 44}, {39, 40},
                                          {37, 38}, {37, 37}, {34, 34}, {34, 33}, {33, 33}, {32, 33},
                                          {30, 29}, {29, 29}, {29, 28}, {28, 28}, {27, 27}, {26, 27},
                                          {25, 25}, {24, 24}, {22, 23}, {22, 22}};
constexpr sShelving kOrderIconShelving = {kOrderIconCount, 3, 3 * kAtlasSize};
constexpr auto kOrderIconBlocks = Shelve(kOrderIconSizes, kOrderIconShelving);
// The hex panel's Mulberry harbour icon: one strip per size.
constexpr sDrawnSize kMulberrySizes[] = {{75, 75}, {62, 62}, {56, 56}, {47, 47}, {41, 41}, {38, 38}};
constexpr sShelving kMulberryShelving = {1, 3, ShelvesBottom(kOrderIconBlocks, kOrderIconShelving)};
constexpr auto kMulberryBlocks = Shelve(kMulberrySizes, kMulberryShelving);
// The combat-result pictures (layout row 920): per size, the six side by side.
constexpr int kResultCount = 6;
constexpr sRect kResultPictures[kResultCount] = {kResultDestroyed, kResultSurrenders, kResultRetreats,
                                                 kResultCity,      kResultPort,       kResultNaval};
constexpr sDrawnSize kResultSizes[] = {{75, 75}, {62, 62}, {56, 56}, {47, 47}, {42, 42}, {40, 40}, {38, 37}};
constexpr sShelving kResultShelving = {kResultCount, 1, ShelvesBottom(kMulberryBlocks, kMulberryShelving)};
constexpr auto kResultBlocks = Shelve(kResultSizes, kResultShelving);
// The convoys window's picture, shown square.
constexpr sDrawnSize kConvoySizes[] = {{263, 263}, {219, 219}, {197, 197}, {164, 164},
                                       {145, 145}, {140, 140}, {131, 131}};
constexpr sShelving kConvoyShelving = {1, 1, ShelvesBottom(kResultBlocks, kResultShelving)};
constexpr auto kConvoyBlocks = Shelve(kConvoySizes, kConvoyShelving);

// The first cell of order icon `index` (into kOrderIcons) shown at width x height.
constexpr sRect OrderIcon(int index, int width, int height)
{
    return DrawnPicture(kOrderIconBlocks, kOrderIcons, index, width, height);
}
constexpr sRect MulberryIcon(int width, int height)
{
    return DrawnPicture(kMulberryBlocks, &kIconMulberry, 0, width, height);
}
// Combat-result picture `index` (into kResultPictures) shown at width x height.
constexpr sRect ResultPicture(int index, int width, int height)
{
    return DrawnPicture(kResultBlocks, kResultPictures, index, width, height);
}
constexpr sRect ConvoyPicture(int width, int height)
{
    return DrawnPicture(kConvoyBlocks, &kConvoyPicture, 0, width, height);
}

// The pictures that layout rows 3 to 58 name, drawn again at the sizes the controls that show
// them have on the other screens (the row of that control in brackets): the first cell, whose
// size is the size drawn. Each row's pictures lie as its own comment says.
struct sDrawnPicture {
    int row;
    int width, height, left, top;
    constexpr sRect First() const { return Cell(left, top, width, height); }
};
// A picture wider than a page is kept in two halves, the right one under the left.
constexpr bool IsHalved(const sRect& r) { return r.Width() > kAtlasSize; }
constexpr sRect LeftHalf(const sRect& r) { return Cell(r.left, r.top, (r.Width() + 1) / 2, r.Height()); }
constexpr sRect RightHalf(const sRect& r)
{
    return Cell(r.left, r.top + r.Height(), r.Width() - (r.Width() + 1) / 2, r.Height());
}
constexpr sDrawnPicture kDrawnPictures[] = {
    // Row 3 (292), the info panel's background: as wide as the screen.
    {3, 1920, 169, 0, 2048}, {3, 1920, 187, 0, 2048 + 169}, {3, 1600, 141, 0, 2048 + 356},
    {3, 1366, 120, 0, 2048 + 497}, {3, 1280, 112, 0, 2048 + 617}, {3, 1280, 125, 0, 2048 + 729},
    {3, 2560, 225, 0, 2048 + 854},
    // Row 4 (310), the minimap panel's background.
    {4, 562, 510, 1280, 2048 + 617}, {4, 469, 425, 0, 2048 + 1304}, {4, 422, 382, 469, 2048 + 1304},
    {4, 352, 318, 891, 2048 + 1304}, {4, 312, 283, 1243, 2048 + 1304}, {4, 281, 255, 1555, 2048 + 1304},
    // Row 5 (335), the window buttons' tray.
    {5, 825, 120, 0, 4096}, {5, 688, 100, 825, 4096}, {5, 618, 90, 0, 4096 + 120},
    {5, 516, 75, 618, 4096 + 120}, {5, 458, 67, 1134, 4096 + 120}, {5, 412, 60, 1592, 4096 + 120},
    // Row 6 (330), the country box's background.
    {6, 300, 210, 0, 2048 + 1729}, {6, 167, 117, 300, 2048 + 1729}, {6, 150, 105, 300, 2048 + 1846},
    {6, 250, 175, 469, 2048 + 1686}, {6, 187, 131, 469, 2048 + 1861}, {6, 225, 157, 656, 2048 + 1861},
    // Row 13 (796), the research investments: four cells downward.
    {13, 56, 57, 1179, 4096 + 210}, {13, 47, 47, 1235, 4096 + 210}, {13, 42, 42, 1282, 4096 + 210},
    {13, 35, 35, 1324, 4096 + 210}, {13, 31, 31, 1359, 4096 + 210}, {13, 28, 28, 1390, 4096 + 210},
    // Row 57 (755), the purchase previews: two by two cells.
    {57, 164, 163, 891, 2048 + 1622}, {57, 136, 136, 1243, 2048 + 1587}, {57, 121, 121, 1555, 2048 + 1559},
    {57, 109, 108, 1555, 2048 + 1801}, {57, 217, 218, 0, 4096 + 210}, {57, 181, 181, 434, 4096 + 210},
    // Row 58 (176), the framed box's pictures: ten cells downward, kBoxPictureSpacing apart.
    {58, 90, 90, 796, 4096 + 210}, {58, 75, 75, 886, 4096 + 210}, {58, 67, 68, 961, 4096 + 210},
    {58, 56, 56, 1028, 4096 + 210}, {58, 50, 50, 1084, 4096 + 210}, {58, 45, 45, 1134, 4096 + 210},
};
// The original picture of a row, as the 1024 x 768 layout names it.
constexpr sRect OriginalPicture(int row)
{
    switch (row) {
    case 3: return kInfoPanelBackground;
    case 4: return kMinimapBackground;
    case 5: return kWindowButtonsBackground;
    case 6: return kCountryBoxBackground;
    case 13: return kInvestmentCell;
    case 57: return kPurchasePreviewCell;
    case 58: return kBoxPictureCell;
    default: return {0, 0, 0, 0};
    }
}
// The first cell of the row's picture drawn nearest to width x height (the original when
// none is nearer).
constexpr sRect NearestDrawnPicture(int row, int width, int height)
{
    const auto distance = [width, height](const sRect& r) {
        const int dw = r.Width() - width, dh = r.Height() - height;
        return (dw < 0 ? -dw : dw) + (dh < 0 ? -dh : dh);
    };
    sRect best = OriginalPicture(row);
    for (const sDrawnPicture& picture : kDrawnPictures)
        if (picture.row == row && distance(picture.First()) < distance(best))
            best = picture.First();
    return best;
}
// Cell `index` of a row's picture whose first cell is `first`: the research investment
// (0 to 3), the purchase preview (0 to 3: right, then down) or the framed box's picture.
constexpr sRect RowPictureCell(int row, const sRect& first, int index)
{
    const int w = first.Width(), h = first.Height();
    switch (row) {
    case 13: return Cell(first.left, first.top + index * h, w, h);
    case 57: return Cell(first.left + (index % 2) * w, first.top + (index / 2) * h, w, h);
    case 58: return Cell(first.left + kBoxPictureSpacing * (index / 10), first.top + kBoxPictureSpacing * (index % 10), w, h);
    default: return first;
    }
}
constexpr int RowPictureCellCount(int row)
{
    return row == 13 ? kInvestmentCount : row == 57 ? 4 : row == 58 ? kBoxPictureCount : 1;
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
