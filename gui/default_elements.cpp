// The default look of every control: pieces of "data\gfx\GUI.png" and the GUI fonts.
#include "gui/dialog_resources.h"
#include "gui/gui_atlas.h"
#include "gui/layout.h"

#include <iterator>

namespace {

constexpr tColor kWhite = 0xFFFFFFFF;
constexpr tColor kFaint = 0x46FFFFFF;      // disabled texture of combo boxes, sliders, progress bars
constexpr tColor kInvisible = 0x00FFFFFF;  // disabled texture of scroll bars

namespace atlas = gui_atlas;

sRect FromAtlas(const atlas::sRect& r) { return sRect{r.left, r.top, r.right, r.bottom}; }

// A 3 x 3 grid of cells, read row by row.
sRect GridCell(int x, int y, int cell, int n) { return FromAtlas(atlas::GridCell(x, y, cell, n % 3, n / 3)); }

// The nine pieces of a frame in the order the frame controls keep them: centre first, then
// the border row by row. `xs` and `ys` are the four edges of the columns and rows.
constexpr int kPieceColumn[9] = {1, 0, 1, 2, 0, 2, 0, 1, 2};
constexpr int kPieceRow[9] = {1, 0, 0, 0, 1, 1, 2, 2, 2};
sRect FramePiece(const int xs[4], const int ys[4], unsigned p)
{
    return sRect{xs[kPieceColumn[p]], ys[kPieceRow[p]], xs[kPieceColumn[p] + 1], ys[kPieceRow[p] + 1]};
}
sRect FramePiece(int x, int y, int cell, unsigned p)
{
    const int xs[4] = {x, x + cell, x + 2 * cell, x + 3 * cell};
    const int ys[4] = {y, y + cell, y + 2 * cell, y + 3 * cell};
    return FramePiece(xs, ys, p);
}

// Font colours of the normal, disabled, focus, mouse-over and pressed states; hidden is 0.
void SetFontColors(CDXUTElement& e, tColor normal, tColor disabled, tColor focus, tColor over, tColor pressed)
{
    e.FontColor.Init(normal, disabled, 0);
    e.FontColor.States[DXUT_STATE_FOCUS] = focus;
    e.FontColor.States[DXUT_STATE_MOUSEOVER] = over;
    e.FontColor.States[DXUT_STATE_PRESSED] = pressed;
}

struct sBuilder
{
    cDialogResources& dialog;
    tColor c1;
    tColor c2;

    // One element on the GUI texture with font 1.
    CDXUTElement Make(const sRect& rect, tColor disabledTexture, uint32_t format)
    {
        CDXUTElement e;
        e.SetTexture(0, rect);
        e.TextureColor.Init(kWhite, disabledTexture, 0);
        e.SetFont(1, kWhite, format);
        return e;
    }
    void Add(unsigned type, unsigned n, const CDXUTElement& e) { dialog.SetDefaultElement(type, n, e); }
};

} // namespace

void cDialogResources::InitDefaultElements()
{
    SetTexturePages(0, {std::begin(atlas::kAtlasPageFiles), std::end(atlas::kAtlasPageFiles)});
    for (int k = 0; k < kGuiFontCount; ++k) {
        SetFont(unsigned(k), g_GuiFonts[k].face, g_GuiFonts[k].height, g_GuiFonts[k].weight);
        g_GuiFonts[k].slot = k;
    }

    const tColor c1 = g_GuiFonts[1].color1;
    const tColor c2 = g_GuiFonts[1].color2;
    const tColor g = kDisabledGrey;
    sBuilder b{*this, c1, c2};

    // Caption: white in every state, already blended to normal.
    m_CapElement = CDXUTElement();
    m_CapElement.SetTexture(0, FromAtlas(atlas::kCaption));
    m_CapElement.SetFont(1, kWhite, DT_VCENTER | DT_NOCLIP);
    m_CapElement.TextureColor.Init(kWhite, g, 0);
    m_CapElement.FontColor.Init(kWhite, g, 0);
    m_CapElement.TextureColor.SetCurrent(DXUT_STATE_NORMAL);
    m_CapElement.FontColor.SetCurrent(DXUT_STATE_NORMAL);

    // Static: text only.
    for (unsigned n = 0; n < 3; ++n) {
        CDXUTElement e;
        e.iTexture = -1;
        e.SetFont(n == 2 ? 3 : 1, kWhite, DT_CENTER | DT_VCENTER);
        tColor c = n == 2 ? g_GuiFonts[3].color1 : c1;
        SetFontColors(e, c, c, c, c, kWhite);
        b.Add(DXUT_CONTROL_STATIC, n, e);
    }

    // Button: caps and middle, then the same pressed.
    for (unsigned n = 0; n < 6; ++n) {
        CDXUTElement e = b.Make(FromAtlas(atlas::kButton[n]), kWhite, DT_CENTER | DT_VCENTER);
        SetFontColors(e, c1, g, c2, c2, c1);
        b.Add(DXUT_CONTROL_BUTTON, n, e);
    }

    // Check box and radio button: empty and checked.
    for (unsigned n = 0; n < 2; ++n) {
        CDXUTElement check = b.Make(FromAtlas(atlas::kCheckBox[n]), g, DT_VCENTER | DT_NOCLIP);
        SetFontColors(check, c1, c1, c1, c1, c1);
        b.Add(DXUT_CONTROL_CHECKBOX, n, check);
        CDXUTElement radio = b.Make(FromAtlas(atlas::kRadioButton[n]), g, DT_VCENTER | DT_NOCLIP);
        SetFontColors(radio, c1, c1, c1, c1, c1);
        b.Add(DXUT_CONTROL_RADIOBUTTON, n, radio);
    }

    // Combo box: main, button, drop-down, selection, then the drop-down frame pieces.
    const atlas::sRect comboMain[3] = {atlas::kComboMain, atlas::kComboButton, atlas::kComboDropDown};
    for (unsigned n = 0; n < 3; ++n) {
        CDXUTElement e = b.Make(FromAtlas(comboMain[n]), kFaint, DT_CENTER | DT_VCENTER);
        SetFontColors(e, c1, c1, c1, c2, c2);
        b.Add(DXUT_CONTROL_COMBOBOX, n, e);
    }
    {
        CDXUTElement e = b.Make(FromAtlas(atlas::kComboSelection), kFaint, DT_NOCLIP);
        SetFontColors(e, c2, g, c2, c2, c2);
        b.Add(DXUT_CONTROL_COMBOBOX, 3, e);
    }
    for (unsigned n = 4; n <= 12; ++n) {
        CDXUTElement e =
            b.Make(GridCell(atlas::kComboFrameX, atlas::kComboFrameY, atlas::kComboFrameCell, int(n) - 4), g, DT_NOCLIP);
        if (n == 12)
            SetFontColors(e, c1, c1, c2, c2, c2);
        else
            SetFontColors(e, c2, g, c2, c2, c2);
        b.Add(DXUT_CONTROL_COMBOBOX, n, e);
    }

    // Slider: track left, middle, right, thumb, pressed thumb.
    const atlas::sRect slider[5] = {atlas::kSliderTrack[0], atlas::kSliderTrack[1], atlas::kSliderTrack[2],
                                    atlas::kSliderThumb, atlas::kSliderThumbPressed};
    for (unsigned n = 0; n < 5; ++n) {
        CDXUTElement e = b.Make(FromAtlas(slider[n]), n < 3 ? kFaint : g, DT_NOCLIP);
        SetFontColors(e, c1, c1, c2, c2, c2);
        b.Add(DXUT_CONTROL_SLIDER, n, e);
    }

    // Progress bar: empty and filled, each left, middle, right.
    for (unsigned n = 0; n < 6; ++n) {
        CDXUTElement e =
            b.Make(FromAtlas(n < 3 ? atlas::kProgressEmpty[n] : atlas::kProgressFilled[n - 3]), kFaint, DT_NOCLIP);
        SetFontColors(e, c1, c1, c2, c2, c2);
        b.Add(DXUT_CONTROL_PROGRESSBAR, n, e);
    }

    // Scroll bar: up arrow, track, down arrow, thumb.
    const atlas::sRect scroll[3] = {atlas::kScrollUp, atlas::kScrollTrack, atlas::kScrollDown};
    for (unsigned n = 0; n < 3; ++n) {
        CDXUTElement e = b.Make(FromAtlas(scroll[n]), kInvisible, DT_NOCLIP);
        SetFontColors(e, c1, c1, c2, c2, c2);
        b.Add(DXUT_CONTROL_SCROLLBAR, n, e);
    }
    {
        CDXUTElement e = b.Make(FromAtlas(atlas::kScrollThumb), g, DT_NOCLIP);
        SetFontColors(e, c1, c1, c2, c2, c2);
        b.Add(DXUT_CONTROL_SCROLLBAR, 3, e);
    }

    // Edit box and memo: text area, then the border pieces.
    for (unsigned n = 0; n < 9; ++n) {
        CDXUTElement e =
            b.Make(FramePiece(atlas::kEditBoxX, atlas::kEditBoxY, atlas::kEditBoxCell, n), g, DT_CENTER | DT_VCENTER);
        SetFontColors(e, c1, g, c2, c2, c1);
        b.Add(DXUT_CONTROL_EDITBOX, n, e);
        b.Add(DXUT_CONTROL_MEMO, n, e);
    }

    // The input-method edit box: registered, never created.
    const int imeXs[4] = {atlas::kImeBoxLeft, atlas::kImeBoxInnerLeft, atlas::kImeBoxInnerRight, atlas::kImeBoxRight};
    const int imeYs[4] = {atlas::kImeBoxTop, atlas::kImeBoxInnerTop, atlas::kImeBoxInnerBottom, atlas::kImeBoxBottom};
    for (unsigned n = 0; n < 10; ++n) {
        sRect piece = n == 9 ? FromAtlas(atlas::kImeIndicator) : FramePiece(imeXs, imeYs, n);
        CDXUTElement e = b.Make(piece, g, n == 9 ? DT_CENTER | DT_VCENTER : 0);
        if (n == 9)
            SetFontColors(e, c1, g, c1, c1, c1);
        else
            SetFontColors(e, c1, g, c2, c2, c1);
        b.Add(DXUT_CONTROL_IMEEDITBOX, n, e);
    }

    // List box: body frame pieces, header strips, selection and row hover.
    for (unsigned n = 0; n <= 8; ++n) {
        CDXUTElement e = b.Make(GridCell(atlas::kListBodyX, atlas::kListBodyY, atlas::kListCell, int(n)), g,
                                n == 8 ? 0 : DT_CENTER | DT_VCENTER);
        if (n == 8)
            SetFontColors(e, c1, c1, c2, c2, c2);
        else
            SetFontColors(e, c1, g, c1, c1, c1);
        b.Add(DXUT_CONTROL_LISTBOX, n, e);
    }
    for (unsigned n = 9; n <= 17; ++n) {
        // Column by column: each of the three header kinds is one column of three cells.
        int k = int(n) - 9;
        sRect cell = FromAtlas(atlas::GridCell(atlas::kListHeaderX, atlas::kListHeaderY, atlas::kListCell, k / 3, k % 3));
        CDXUTElement e = b.Make(cell, g, DT_CENTER | DT_VCENTER);
        b.Add(DXUT_CONTROL_LISTBOX, n, e);
    }
    for (unsigned n = 18; n <= 19; ++n) {
        CDXUTElement e = b.Make(FromAtlas(n == 18 ? atlas::kListSelection : atlas::kListHover), g, 0);
        SetFontColors(e, c2, g, c2, c2, c2);
        b.Add(DXUT_CONTROL_LISTBOX, n, e);
    }

    // Frame: for each style a 3 x 3 grid of cells; centre first, then the border pieces.
    for (unsigned s = 0; s < 3; ++s) {
        const atlas::sFrameStyle& st = atlas::kFrameStyles[s];
        for (unsigned p = 0; p < 9; ++p) {
            CDXUTElement e = b.Make(FramePiece(st.x, st.y, st.cell, p), g, DT_CENTER | DT_VCENTER);
            b.Add(DXUT_CONTROL_FRAME, 9 * s + p, e);
        }
    }

    // Tab frame: area frame pieces, then unselected and selected tabs.
    for (unsigned n = 0; n < 9; ++n) {
        CDXUTElement e = b.Make(GridCell(atlas::kTabAreaX, atlas::kTabAreaY, atlas::kTabAreaCell, int(n)), g,
                                n == 8 ? DT_VCENTER : DT_CENTER | DT_VCENTER);
        if (n == 8)
            SetFontColors(e, c1, c1, c2, c2, c2);
        else
            SetFontColors(e, c1, g, c2, c2, c1);
        b.Add(DXUT_CONTROL_TABFRAME, n, e);
    }
    for (unsigned n = 9; n <= 14; ++n) {
        int x = atlas::kTabPieceX + atlas::kTabPieceWidth * int(n - 9);
        sRect piece{x, atlas::kTabPieceY, x + atlas::kTabPieceWidth, atlas::kTabPieceY + atlas::kTabPieceHeight};
        CDXUTElement e = b.Make(piece, g, DT_CENTER | DT_VCENTER);
        b.Add(DXUT_CONTROL_TABFRAME, n, e);
    }
}
