#include "gui/gui_atlas.h"

namespace gui_atlas {

namespace {

void AddGrid(std::vector<sNamedRect>& out, const std::string& name, int x, int y, int cell)
{
    for (int row = 0; row < 3; row++)
        for (int col = 0; col < 3; col++)
            out.push_back({name + " cell " + std::to_string(col) + "," + std::to_string(row), GridCell(x, y, cell, col, row)});
}

struct sIconEntry {
    std::string name;
    sRect first;
};

std::vector<sIconEntry> IconEntries()
{
    std::vector<sIconEntry> icons = {
        {"fold button: attack panel", kFoldAttack},
        {"fold button: unit panel", kFoldUnit},
        {"fold button: hex panel", kFoldHex},
        {"fold button: diplomacy panel", kFoldDiplomacy},
        {"minimap: zoom in", kMinimapZoomIn},
        {"minimap: zoom out", kMinimapZoomOut},
        {"minimap: ownership mode", kMinimapOwnership},
        {"minimap: border mode", kMinimapBorders},
        {"minimap: map mode", kMinimapMapMode},
        {"unit order: rename", kIconRename},
        {"unit order: commanders", kIconCommanders},
        {"unit order: replacements", kIconReplacements},
        {"unit order: supply source", kIconSupplySource},
        {"unit order: upgrade to corps", kIconUpgradeCorps},
        {"unit order: level up", kIconLevelUp},
        {"unit order: disband", kIconDisband},
        {"unit order: undo move", kIconUndoMove},
        {"unit order: amphibious transport", kIconAmphibious},
        {"unit order: sea transport", kIconSeaTransport},
        {"unit order: airborne assault", kIconAirborne},
        {"unit order: strategic move", kIconStrategicMove},
        {"unit order: bombardment", kIconBombardment},
        {"unit order: air fight", kIconAirFight},
        {"unit order: reconnaissance", kIconRecon},
        {"hex order: Mulberry harbour", kIconMulberry},
        {"unit order: nuclear strike", kIconNuclear},
    };
    for (int column = 0; column < kWindowButtonCount; column++)
        icons.push_back({"window button", WindowButton(column, 0)});
    const auto size = [](const sDrawnBlock& block) {
        return std::to_string(block.width) + " x " + std::to_string(block.height) + " pixels";
    };
    for (const sDrawnBlock& block : kOrderIconBlocks)
        for (int index = 0; index < kOrderIconCount; index++)
            icons.push_back({"order icon " + std::to_string(index) + " at " + size(block),
                             OrderIcon(index, block.width, block.height)});
    for (const sDrawnBlock& block : kMulberryBlocks)
        icons.push_back({"Mulberry harbour icon at " + size(block), MulberryIcon(block.width, block.height)});
    for (const sFoldButtonBlock& block : kScaledFoldButtons)
        for (int column = 0; column < kFoldButtonCount; column++)
            icons.push_back({"fold button " + std::to_string(column) + " at " + std::to_string(block.size) + " pixels",
                             FoldButton(column, block.size)});
    for (int size : kScaledWindowButtonSizes)
        for (int column = 0; column < kWindowButtonCount; column++)
            icons.push_back({"window button " + std::to_string(column) + " at " + std::to_string(size) + " pixels",
                             WindowButtonIn(WindowButtonGrid(size), column, 0)});
    for (const sDrawnBlock& block : kScaledMinimapButtons)
        for (int index = 0; index < kMinimapButtonCount; index++)
            icons.push_back({"minimap button " + std::to_string(index) + " at " + size(block),
                             MinimapButton(index, block.width)});
    return icons;
}

} // namespace

std::vector<sIconStates> AllIconStates()
{
    std::vector<sIconStates> out;
    int windowButton = 0;
    for (const sIconEntry& icon : IconEntries()) {
        sIconStates states;
        states.name = icon.name;
        if (states.name == "window button")
            states.name += " " + std::to_string(windowButton++);
        for (int k = 0; k < 3; k++)
            states.cells[k] = Cell(icon.first.left, icon.first.top + k * icon.first.Height(), icon.first.Width(),
                                   icon.first.Height());
        out.push_back(states);
    }
    return out;
}

std::vector<sNamedRect> AllAtlasRects()
{
    std::vector<sNamedRect> out;
    out.push_back({"caption", kCaption});
    for (int i = 0; i < 6; i++)
        out.push_back({"button element " + std::to_string(i), kButton[i]});
    for (int i = 0; i < 2; i++) {
        out.push_back({"check box element " + std::to_string(i), kCheckBox[i]});
        out.push_back({"radio button element " + std::to_string(i), kRadioButton[i]});
    }
    out.push_back({"combo box main", kComboMain});
    out.push_back({"combo box drop-down", kComboDropDown});
    out.push_back({"combo box button", kComboButton});
    out.push_back({"combo box selection", kComboSelection});
    AddGrid(out, "combo box drop-down frame", kComboFrameX, kComboFrameY, kComboFrameCell);
    for (int i = 0; i < 3; i++)
        out.push_back({"slider track " + std::to_string(i), kSliderTrack[i]});
    out.push_back({"slider thumb", kSliderThumb});
    out.push_back({"slider thumb pressed", kSliderThumbPressed});
    for (int i = 0; i < 3; i++) {
        out.push_back({"progress bar empty " + std::to_string(i), kProgressEmpty[i]});
        out.push_back({"progress bar filled " + std::to_string(i), kProgressFilled[i]});
    }
    out.push_back({"scroll bar up", kScrollUp});
    out.push_back({"scroll bar track", kScrollTrack});
    out.push_back({"scroll bar down", kScrollDown});
    out.push_back({"scroll bar thumb", kScrollThumb});
    AddGrid(out, "edit box", kEditBoxX, kEditBoxY, kEditBoxCell);
    out.push_back({"IME edit box text area", {kImeBoxInnerLeft, kImeBoxInnerTop, kImeBoxInnerRight, kImeBoxInnerBottom}});
    out.push_back({"IME edit box top border", {kImeBoxLeft, kImeBoxTop, kImeBoxRight, kImeBoxInnerTop}});
    out.push_back({"IME edit box bottom border", {kImeBoxLeft, kImeBoxInnerBottom, kImeBoxRight, kImeBoxBottom}});
    out.push_back({"IME indicator", kImeIndicator});
    AddGrid(out, "list box body", kListBodyX, kListBodyY, kListCell);
    for (int strip = 0; strip < 3; strip++)
        for (int piece = 0; piece < 3; piece++)
            out.push_back({"list box header strip " + std::to_string(strip) + " piece " + std::to_string(piece),
                           GridCell(kListHeaderX, kListHeaderY, kListCell, strip, piece)});
    out.push_back({"list box selection", kListSelection});
    out.push_back({"list box hover", kListHover});
    for (int style = 0; style < 3; style++)
        AddGrid(out, "frame style " + std::to_string(style), kFrameStyles[style].x, kFrameStyles[style].y,
                kFrameStyles[style].cell);
    AddGrid(out, "tab frame area and hint box", kTabAreaX, kTabAreaY, kTabAreaCell);
    for (int k = 0; k < 6; k++)
        out.push_back({"tab piece " + std::to_string(k),
                       Cell(kTabPieceX + k * kTabPieceWidth, kTabPieceY, kTabPieceWidth, kTabPieceHeight)});
    for (const sIconStates& icon : AllIconStates())
        out.push_back({icon.name, {icon.cells[0].left, icon.cells[0].top, icon.cells[2].right, icon.cells[2].bottom}});
    out.push_back({"wait image frame 0", kWaitFrames[0]});
    out.push_back({"wait image frame 1", kWaitFrames[1]});
    const sRect results[] = {kResultDestroyed, kResultSurrenders, kResultRetreats, kResultCity, kResultPort, kResultNaval};
    for (int i = 0; i < 6; i++)
        out.push_back({"combat result picture " + std::to_string(i), results[i]});
    out.push_back({"convoy picture", kConvoyPicture});
    for (const sDrawnBlock& block : kResultBlocks)
        for (int i = 0; i < kResultCount; i++)
            out.push_back({"combat result picture " + std::to_string(i) + " at " + std::to_string(block.width) +
                               " pixels",
                           ResultPicture(i, block.width, block.height)});
    for (const sDrawnBlock& block : kConvoyBlocks)
        out.push_back({"convoy picture at " + std::to_string(block.width) + " pixels",
                       ConvoyPicture(block.width, block.height)});
    out.push_back({"info panel background", kInfoPanelBackground});
    out.push_back({"minimap background", kMinimapBackground});
    out.push_back({"window buttons background", kWindowButtonsBackground});
    out.push_back({"country box background", kCountryBoxBackground});
    for (int w = 0; w < kWeatherCount; w++)
        out.push_back({"weather " + std::to_string(w),
                       Cell(kWeatherCell.left, kWeatherCell.top + w * kWeatherCell.Height(), kWeatherCell.Width(),
                            kWeatherCell.Height())});
    for (int i = 0; i < kInvestmentCount; i++)
        out.push_back({"research investment " + std::to_string(i),
                       Cell(kInvestmentCell.left, kInvestmentCell.top + i * kInvestmentCell.Height(),
                            kInvestmentCell.Width(), kInvestmentCell.Height())});
    for (int dy = 0; dy < 2; dy++)
        for (int dx = 0; dx < 2; dx++)
            out.push_back({"purchase preview " + std::to_string(dx) + "," + std::to_string(dy),
                           Cell(kPurchasePreviewCell.left + dx * kPurchasePreviewCell.Width(),
                                kPurchasePreviewCell.top + dy * kPurchasePreviewCell.Height(),
                                kPurchasePreviewCell.Width(), kPurchasePreviewCell.Height())});
    for (int i = 0; i < kBoxPictureCount; i++)
        out.push_back({"framed box picture " + std::to_string(i), BoxPicture(i)});
    for (const sDrawnPicture& picture : kDrawnPictures) {
        const std::string name = "layout row " + std::to_string(picture.row) + "'s picture at " +
                                 std::to_string(picture.width) + " x " + std::to_string(picture.height);
        const sRect first = picture.First();
        if (IsHalved(first)) {
            out.push_back({name + ", left half", LeftHalf(first)});
            out.push_back({name + ", right half", RightHalf(first)});
            continue;
        }
        for (int i = 0; i < RowPictureCellCount(picture.row); i++)
            out.push_back({name + " cell " + std::to_string(i), RowPictureCell(picture.row, first, i)});
    }
    return out;
}

} // namespace gui_atlas
