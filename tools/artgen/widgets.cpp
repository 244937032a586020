// The default elements of the GUI toolkit: every control draws from these cells of GUI.png.
// Stretched pieces (edges, middles, centres) are kept uniform along the stretch so that they
// scale without smearing.
#include <algorithm>
#include <cmath>

#include "tools/artgen/art.h"
#include "tools/artgen/canvas.h"

using namespace gui_atlas;
using namespace palette;

namespace {

// A raised olive plate: the face of buttons and of the combo box button.
void RaisedPlate(cairo_t* cr, double x, double y, double w, double h, bool pressed)
{
    FillRect(cr, x, y, w, h, kInk);
    if (pressed) {
        VerticalGradient(cr, x + 1, y + 1, w - 2, h - 2, Darker(kOlive, 0.45), Darker(kOlive, 0.15));
        Bevel(cr, x + 1, y + 1, w - 2, h - 2, 2, Darker(kOliveDark, 0.4), Lighter(kOlive, 0.1));
    } else {
        VerticalGradient(cr, x + 1, y + 1, w - 2, h - 2, kOliveLight, kOliveDark);
        Bevel(cr, x + 1, y + 1, w - 2, h - 2, 2, Lighter(kOliveLight, 0.25), Darker(kOliveDark, 0.35));
        // A thin brass line under the top bevel, as on a stamped badge.
        FillRect(cr, x + 3, y + 3, w - 6, 1, WithAlpha(kBrassLight, 0.35));
    }
}

// A nine-slice box over a 3 x 3 grid: outer line, band, inner line and a flat centre.
struct sBoxStyle {
    sColor outer, bandLight, bandDark, inner, fill;
    double band;     // width of the metal band
    double rivet;    // rivet radius at the corners, 0 for none
    bool cornerPlate;
};

void NineSliceBox(cairo_t* cr, double x, double y, double cell, const sBoxStyle& s)
{
    double size = 3 * cell;
    FillRect(cr, x, y, size, size, s.outer);
    double b = 1;
    Bevel(cr, x + b, y + b, size - 2 * b, size - 2 * b, s.band, s.bandLight, s.bandDark);
    double in = b + s.band;
    FillRect(cr, x + in, y + in, size - 2 * in, size - 2 * in, s.inner);
    FillRect(cr, x + in + 1, y + in + 1, size - 2 * in - 2, size - 2 * in - 2, s.fill);
    if (s.cornerPlate) {
        double p = CornerPlateSize(int(cell), int(s.band));
        for (int cx = 0; cx < 2; cx++)
            for (int cy = 0; cy < 2; cy++) {
                double px = cx ? x + size - p - 1 : x + 1;
                double py = cy ? y + size - p - 1 : y + 1;
                FillRect(cr, px, py, p, p, s.outer);
                VerticalGradient(cr, px + 1, py + 1, p - 2, p - 2, s.bandLight, s.bandDark);
                Bevel(cr, px + 1, py + 1, p - 2, p - 2, 1.5, Lighter(s.bandLight, 0.3), Darker(s.bandDark, 0.3));
                if (s.rivet > 0)
                    Rivet(cr, px + p / 2, py + p / 2, s.rivet, s.bandLight);
            }
    }
}

void DrawButtons(cairo_t* cr)
{
    // One 15 x 30 button per state, cut into 5-pixel caps and a middle.
    for (int pressed = 0; pressed < 2; pressed++) {
        const sRect& l = kButton[pressed * 3];
        double x = l.left, y = l.top, w = 15, h = l.Height();
        cairo_save(cr);
        RoundedRectPath(cr, x, y, w, h, 3);
        cairo_clip(cr);
        RaisedPlate(cr, x, y, w, h, pressed);
        cairo_restore(cr);
    }
}

void DrawCheckAndRadio(cairo_t* cr)
{
    for (int checked = 0; checked < 2; checked++) {
        const sRect& c = kCheckBox[checked];
        double x = c.left + 3, y = c.top + 3, s = 19;
        FillRect(cr, x, y, s, s, kInk);
        Bevel(cr, x + 1, y + 1, s - 2, s - 2, 2, Darker(kBrassDark, 0.3), kBrass);
        FillRect(cr, x + 3, y + 3, s - 6, s - 6, kParchment);
        VerticalGradient(cr, x + 3, y + 3, s - 6, 4, WithAlpha(kInk, 0.25), WithAlpha(kInk, 0));
        if (checked) {
            // A firm pencil tick in dark olive.
            SetColor(cr, kOliveDark);
            cairo_set_line_width(cr, 3.2);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
            cairo_move_to(cr, x + 5, y + 10);
            cairo_line_to(cr, x + 8.5, y + 14);
            cairo_line_to(cr, x + 15, y + 4.5);
            cairo_stroke(cr);
        }
        const sRect& r = kRadioButton[checked];
        double cx = r.left + 12.5, cy = r.top + 12.5;
        FillCircle(cr, cx, cy, 10, kInk);
        GradientDisc(cr, cx, cy, 9, 9, kBrassDark, kBrassLight);
        FillCircle(cr, cx, cy, 7, kParchment);
        if (checked) {
            FillCircle(cr, cx, cy, 4.2, kOliveDark);
            FillCircle(cr, cx - 1.2, cy - 1.2, 1.3, WithAlpha(kOliveLight, 0.9));
        }
    }
}

void DownArrow(cairo_t* cr, double cx, double cy, double size, const sColor& c)
{
    double pts[] = {cx - size, cy - size * 0.5, cx + size, cy - size * 0.5, cx, cy + size * 0.6};
    SetColor(cr, c);
    Polygon(cr, pts, 3);
    cairo_fill(cr);
}

void UpArrow(cairo_t* cr, double cx, double cy, double size, const sColor& c)
{
    double pts[] = {cx - size, cy + size * 0.5, cx + size, cy + size * 0.5, cx, cy - size * 0.6};
    SetColor(cr, c);
    Polygon(cr, pts, 3);
    cairo_fill(cr);
}

void DrawComboBox(cairo_t* cr)
{
    // The main face is stretched both ways: a vertical gradient with faint side lines.
    const sRect& m = kComboMain;
    FillRect(cr, m, kInk);
    VerticalGradient(cr, m.left, m.top + 1, m.Width(), m.Height() - 2, Lighter(kOlive, 0.08), kOliveDark);
    FillRect(cr, m.left, m.top + 1, m.Width(), 1, Lighter(kOliveLight, 0.3));
    FillRect(cr, m.left, m.bottom - 2, m.Width(), 1, Darker(kOliveDark, 0.4));
    FillRect(cr, m.left, m.top, 1, m.Height(), WithAlpha(kInk, 0.8));
    // The open list's background: flat, it lies inside the drop-down frame.
    FillRect(cr, kComboDropDown, WithAlpha(kPanelDeep, 0.96));
    // The button: a small raised plate with a brass arrow.
    const sRect& b = kComboButton;
    RaisedPlate(cr, b.left, b.top, b.Width(), b.Height(), false);
    DownArrow(cr, b.left + 15, b.top + 15, 6, kBrassLight);
    // The drop-down frame.
    sBoxStyle frame{kInk, kBrass, kBrassDark, kInk, WithAlpha(kPanelDeep, 0.96), 2, 0, false};
    NineSliceBox(cr, kComboFrameX, kComboFrameY, kComboFrameCell, frame);
    // The highlight of the chosen line: brass, strongest in the middle.
    const sRect& s = kComboSelection;
    VerticalGradient(cr, s.left, s.top, s.Width(), s.Height() / 2.0, WithAlpha(kBrass, 0.55), WithAlpha(kBrassLight, 0.75));
    VerticalGradient(cr, s.left, s.top + s.Height() / 2.0, s.Width(), s.Height() / 2.0, WithAlpha(kBrassLight, 0.75),
                     WithAlpha(kBrass, 0.55));
}

void DrawSlider(cairo_t* cr)
{
    // The track: a sunken groove across the three pieces, rounded at the ends.
    double x = kSliderTrack[0].left, y = kSliderTrack[0].top, w = 30;
    cairo_save(cr);
    RoundedRectPath(cr, x + 1, y + 9, w - 2, 7, 3.5);
    cairo_clip(cr);
    VerticalGradient(cr, x, y + 9, w, 7, kInk, kSteelDark);
    FillRect(cr, x, y + 15, w, 1, WithAlpha(kSteelLight, 0.8));
    cairo_restore(cr);
    for (int pressed = 0; pressed < 2; pressed++) {
        const sRect& t = pressed ? kSliderThumbPressed : kSliderThumb;
        cairo_save(cr);
        RoundedRectPath(cr, t.left, t.top + 1, 10, 23, 2.5);
        cairo_clip(cr);
        FillRect(cr, t.left, t.top, 10, 25, kInk);
        sColor a = pressed ? kBrassLight : kBrass, b = pressed ? kBrass : kBrassDark;
        HorizontalGradient(cr, t.left + 1, t.top + 2, 8, 21, Lighter(a, 0.2), b);
        for (int k = 0; k < 3; k++)
            FillRect(cr, t.left + 2, t.top + 9 + 3 * k, 6, 1, WithAlpha(kInk, 0.6));
        cairo_restore(cr);
    }
}

void DrawProgressBar(cairo_t* cr)
{
    for (int filled = 0; filled < 2; filled++) {
        double x = kProgressEmpty[0].left, y = filled ? kProgressFilled[0].top : kProgressEmpty[0].top, w = 15, h = 25;
        cairo_save(cr);
        RoundedRectPath(cr, x, y + 3, w, h - 6, 4);
        cairo_clip(cr);
        FillRect(cr, x, y, w, h, kInk);
        if (filled) {
            VerticalGradient(cr, x, y + 4, w, (h - 8) / 2.0, Lighter(kOliveLight, 0.35), kOliveLight);
            VerticalGradient(cr, x, y + 4 + (h - 8) / 2.0, w, (h - 8) / 2.0, kOliveLight, kOliveDark);
            FillRect(cr, x, y + 5, w, 1, WithAlpha(kBrassLight, 0.5));
        } else {
            VerticalGradient(cr, x, y + 4, w, h - 8, kPanelDeep, kPanel);
            FillRect(cr, x, y + 4, w, 1, WithAlpha(kInk, 0.9));
        }
        cairo_restore(cr);
    }
}

void ScrollButton(cairo_t* cr, const sRect& r, bool up)
{
    RaisedPlate(cr, r.left, r.top, r.Width(), r.Height(), false);
    if (up)
        UpArrow(cr, r.left + 12.5, r.top + 12.5, 6, kBrassLight);
    else
        DownArrow(cr, r.left + 12.5, r.top + 12.5, 6, kBrassLight);
}

void DrawScrollBar(cairo_t* cr)
{
    ScrollButton(cr, kScrollUp, true);
    ScrollButton(cr, kScrollDown, false);
    // The track is stretched vertically: only vertical lines.
    const sRect& t = kScrollTrack;
    FillRect(cr, t, kPanelDeep);
    FillRect(cr, t.left, t.top, 2, t.Height(), kInk);
    FillRect(cr, t.right - 2, t.top, 2, t.Height(), WithAlpha(kSteelDark, 0.9));
    FillRect(cr, t.left + 12, t.top, 1, t.Height(), WithAlpha(kSteelDark, 0.7));
    // The thumb: a steel bar lit from the left.
    const sRect& th = kScrollThumb;
    cairo_save(cr);
    RoundedRectPath(cr, th.left + 2, th.top + 1, th.Width() - 4, th.Height() - 2, 4);
    cairo_clip(cr);
    FillRect(cr, th, kInk);
    HorizontalGradient(cr, th.left + 3, th.top + 2, th.Width() - 6, th.Height() - 4, kSteelLight, kSteelDark);
    FillRect(cr, th.left + 3, th.top + 2, 1, th.Height() - 4, WithAlpha(kParchment, 0.5));
    cairo_restore(cr);
}

void DrawEditBox(cairo_t* cr)
{
    // A sunken field: dark on the top and left, lit on the bottom and right.
    double x = kEditBoxX, y = kEditBoxY, s = 3 * kEditBoxCell;
    FillRect(cr, x, y, s, s, kInk);
    Bevel(cr, x + 1, y + 1, s - 2, s - 2, 3, Darker(kOliveDark, 0.5), kOlive);
    FillRect(cr, x + 4, y + 4, s - 8, s - 8, WithAlpha(kPanelDeep, 0.97));
    // The centre cell itself is the text area: flat.
    FillRect(cr, x + kEditBoxCell, y + kEditBoxCell, kEditBoxCell, kEditBoxCell, WithAlpha(kPanelDeep, 0.97));
}

void DrawImeBox(cairo_t* cr)
{
    FillRect(cr, kImeBoxLeft, kImeBoxTop, kImeBoxRight - kImeBoxLeft, kImeBoxBottom - kImeBoxTop, kInk);
    Bevel(cr, kImeBoxLeft + 1, kImeBoxTop + 1, kImeBoxRight - kImeBoxLeft - 2, kImeBoxBottom - kImeBoxTop - 2, 3,
          Darker(kOliveDark, 0.5), kOlive);
    FillRect(cr, kImeBoxInnerLeft, kImeBoxInnerTop, kImeBoxInnerRight - kImeBoxInnerLeft,
             kImeBoxInnerBottom - kImeBoxInnerTop, kPanelDeep);
    const sRect& i = kImeIndicator;
    RaisedPlate(cr, i.left, i.top, i.Width(), i.Height(), false);
}

void DrawListBox(cairo_t* cr)
{
    sBoxStyle body{kInk, Darker(kOliveDark, 0.4), kOlive, kInk, WithAlpha(kPanelDeep, 0.94), 3, 0, false};
    NineSliceBox(cr, kListBodyX, kListBodyY, kListCell, body);
    // Header strips: column 0 plain, 1 sorted ascending, 2 sorted descending; in each the
    // boundary piece, the middle and the end.
    for (int strip = 0; strip < 3; strip++) {
        double x = kListHeaderX + strip * kListCell;
        for (int piece = 0; piece < 3; piece++) {
            double y = kListHeaderY + piece * kListCell;
            VerticalGradient(cr, x, y, kListCell, kListCell, kSteel, kSteelDark);
            FillRect(cr, x, y, kListCell, 1, WithAlpha(kSteelLight, 0.9));
            FillRect(cr, x, y + kListCell - 1, kListCell, 1, kInk);
            if (piece == 0) {
                // The boundary piece is centred on the line between two columns.
                FillRect(cr, x + 12, y + 2, 1, kListCell - 4, kInk);
                FillRect(cr, x + 13, y + 2, 1, kListCell - 4, WithAlpha(kSteelLight, 0.8));
                if (strip == 1)
                    UpArrow(cr, x + 6, y + 12.5, 4, kBrassLight);
                if (strip == 2)
                    DownArrow(cr, x + 6, y + 12.5, 4, kBrassLight);
            }
            if (piece == 2)
                FillRect(cr, x + kListCell - 2, y, 2, kListCell, kInk);
        }
    }
    // Selected row: brass; the row under the pointer: a pale wash. Both uniform across.
    const sRect& s = kListSelection;
    VerticalGradient(cr, s.left, s.top, s.Width(), s.Height(), WithAlpha(kBrassLight, 0.55), WithAlpha(kBrass, 0.55));
    FillRect(cr, s.left, s.top, s.Width(), 1, WithAlpha(kBrassLight, 0.9));
    FillRect(cr, s.left, s.bottom - 1, s.Width(), 1, WithAlpha(kBrassDark, 0.9));
    const sRect& h = kListHover;
    FillRect(cr, h, WithAlpha(kParchment, 0.18));
    FillRect(cr, h.left, h.top, h.Width(), 1, WithAlpha(kParchment, 0.35));
    FillRect(cr, h.left, h.bottom - 1, h.Width(), 1, WithAlpha(kParchment, 0.35));
}

void DrawFramesAndTabs(cairo_t* cr)
{
    // Style 0: the heavy brass frame of menus and dialogs, riveted corner plates.
    sBoxStyle heavy{kInk, kBrass, kBrassDark, kInk, WithAlpha(kPanel, 0.93), double(kFrameStyles[0].band), 4,
                    kFrameStyles[0].cornerPlates};
    NineSliceBox(cr, kFrameStyles[0].x, kFrameStyles[0].y, kFrameStyles[0].cell, heavy);
    // Style 1: a gunmetal frame for groups inside a window.
    sBoxStyle steel{kInk, kSteelLight, kSteelDark, kInk, WithAlpha(kPanel, 0.9), double(kFrameStyles[1].band), 2.5,
                    kFrameStyles[1].cornerPlates};
    NineSliceBox(cr, kFrameStyles[1].x, kFrameStyles[1].y, kFrameStyles[1].cell, steel);
    // Style 2: a thin brass rule.
    sBoxStyle thin{kInk, kBrassLight, kBrassDark, kInk, WithAlpha(kPanel, 0.85), double(kFrameStyles[2].band), 0,
                   kFrameStyles[2].cornerPlates};
    NineSliceBox(cr, kFrameStyles[2].x, kFrameStyles[2].y, kFrameStyles[2].cell, thin);
    // The tab frame's area and the hint box: dark, with a thin brass edge, so white text reads.
    sBoxStyle hint{kInk, kBrass, kBrassDark, kInk, WithAlpha(kPanelDeep, 0.94), 2, 0, false};
    NineSliceBox(cr, kTabAreaX, kTabAreaY, kTabAreaCell, hint);
    // Tabs: three 10 x 20 pieces each, rounded on top; the selected one is olive and lit.
    for (int selected = 0; selected < 2; selected++) {
        double x = kTabPieceX + selected * 3 * kTabPieceWidth, y = kTabPieceY;
        double w = 3 * kTabPieceWidth, h = kTabPieceHeight;
        cairo_save(cr);
        cairo_new_path(cr);
        cairo_move_to(cr, x, y + h);
        cairo_line_to(cr, x, y + 5);
        cairo_arc(cr, x + 5, y + 5, 5, M_PI, 3 * M_PI / 2);
        cairo_arc(cr, x + w - 5, y + 5, 5, 3 * M_PI / 2, 2 * M_PI);
        cairo_line_to(cr, x + w, y + h);
        cairo_close_path(cr);
        cairo_clip(cr);
        FillRect(cr, x, y, w, h, kInk);
        if (selected) {
            VerticalGradient(cr, x + 1, y + 1, w - 2, h - 1, kOliveLight, kOlive);
            FillRect(cr, x + 2, y + 2, w - 4, 1, WithAlpha(kBrassLight, 0.8));
        } else {
            VerticalGradient(cr, x + 1, y + 1, w - 2, h - 2, kSteel, kSteelDark);
            FillRect(cr, x + 2, y + 2, w - 4, 1, WithAlpha(kSteelLight, 0.7));
        }
        cairo_restore(cr);
    }
}

void DrawCaption(cairo_t* cr)
{
    const sRect& c = kCaption;
    VerticalGradient(cr, c.left, c.top, c.Width(), c.Height(), kOliveDark, Darker(kOliveDark, 0.4));
    FillRect(cr, c.left, c.top, c.Width(), 1, WithAlpha(kBrassLight, 0.7));
    FillRect(cr, c.left, c.bottom - 2, c.Width(), 2, kBrass);
}

} // namespace

void DrawDefaultElements(cairo_t* cr)
{
    DrawCaption(cr);
    DrawButtons(cr);
    DrawCheckAndRadio(cr);
    DrawComboBox(cr);
    DrawSlider(cr);
    DrawProgressBar(cr);
    DrawScrollBar(cr);
    DrawEditBox(cr);
    DrawImeBox(cr);
    DrawListBox(cr);
    DrawFramesAndTabs(cr);
}
