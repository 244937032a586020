// Icons, strips, pictures and backgrounds of the game-screen panels and the dialogs.
#include <algorithm>
#include <cmath>

#include "tools/artgen/art.h"
#include "tools/artgen/canvas.h"
#include "tools/artgen/pictograms.h"

using namespace gui_atlas;
using namespace palette;

namespace {

enum eIconState { kDisabled = 0, kNormal = 1, kHover = 2 };

sInk InkFor(int state)
{
    switch (state) {
    case kDisabled:
        return {Rgb(0x8A8A84), Rgb(0x6E6E68), Rgb(0x3A3A36)};
    case kHover:
        return {Rgb(0xFFF4D6), Rgb(0xFFD36E), Rgb(0x2A2D22)};
    default:
        return {kParchment, kBrassLight, kPanelDeep};
    }
}

// The plate behind an icon: a rounded badge, olive normally, lit under the pointer, grey
// when disabled, so the three states differ at a glance.
void IconPlate(cairo_t* cr, const sRect& r, int state)
{
    double x = r.left, y = r.top, w = r.Width(), h = r.Height();
    double radius = std::max(3.0, w * 0.14), rim = std::max(1.5, w / 30.0);
    sColor rimLight, rimDark, top, bottom;
    if (state == kDisabled) {
        rimLight = Rgb(0x6A6A66);
        rimDark = Rgb(0x3A3A38);
        top = Rgb(0x45463F);
        bottom = Rgb(0x2E2F2A);
    } else if (state == kHover) {
        rimLight = Rgb(0xFFE3A0);
        rimDark = kBrass;
        top = Lighter(kOliveLight, 0.15);
        bottom = kOlive;
    } else {
        rimLight = kBrassLight;
        rimDark = kBrassDark;
        top = kOlive;
        bottom = kOliveDark;
    }
    cairo_save(cr);
    RoundedRectPath(cr, x + 0.5, y + 0.5, w - 1, h - 1, radius);
    cairo_clip(cr);
    FillRect(cr, x, y, w, h, kInk);
    cairo_pattern_t* p = cairo_pattern_create_linear(x, y, x + w, y + h);
    cairo_pattern_add_color_stop_rgb(p, 0, rimLight.r, rimLight.g, rimLight.b);
    cairo_pattern_add_color_stop_rgb(p, 1, rimDark.r, rimDark.g, rimDark.b);
    cairo_set_source(cr, p);
    RoundedRectPath(cr, x + 1, y + 1, w - 2, h - 2, radius - 0.5);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_new_path(cr);
    RoundedRectPath(cr, x + 1 + rim, y + 1 + rim, w - 2 - 2 * rim, h - 2 - 2 * rim, radius - rim);
    cairo_clip(cr);
    VerticalGradient(cr, x, y, w, h, top, bottom);
    if (state == kHover) {
        cairo_pattern_t* glow = cairo_pattern_create_radial(x + w / 2, y + h / 2, 0, x + w / 2, y + h / 2, w * 0.6);
        cairo_pattern_add_color_stop_rgba(glow, 0, 1, 0.9, 0.6, 0.35);
        cairo_pattern_add_color_stop_rgba(glow, 1, 1, 0.9, 0.6, 0);
        cairo_set_source(cr, glow);
        cairo_paint(cr);
        cairo_pattern_destroy(glow);
    }
    cairo_restore(cr);
}

// A clickable icon: three cells downward (disabled, normal, mouse-over).
void IconStripCells(cairo_t* cr, const sRect& first, Pictogram p)
{
    for (int state = 0; state < 3; state++) {
        sRect r = Cell(first.left, first.top + state * first.Height(), first.Width(), first.Height());
        IconPlate(cr, r, state);
        double inset = r.Width() * 0.16;
        DrawPictogram(cr, p, r.left + inset, r.top + inset, r.Width() - 2 * inset, InkFor(state));
    }
}

// A single picture on a plain dark plate (combat results, strips the game cuts by itself).
void PictureCell(cairo_t* cr, const sRect& r, Pictogram p, const sInk& ink, const sColor& plate)
{
    cairo_save(cr);
    RoundedRectPath(cr, r.left + 0.5, r.top + 0.5, r.Width() - 1, r.Height() - 1, r.Width() * 0.12);
    cairo_clip(cr);
    FillRect(cr, r, kInk);
    VerticalGradient(cr, r.left + 1.5, r.top + 1.5, r.Width() - 3, r.Height() - 3, Lighter(plate, 0.1), Darker(plate, 0.25));
    cairo_restore(cr);
    if (!p)
        return;
    double inset = r.Width() * 0.12;
    DrawPictogram(cr, p, r.left + inset, r.top + inset, r.Width() - 2 * inset, ink);
}

void DrawInfoPanelIcons(cairo_t* cr)
{
    IconStripCells(cr, kFoldAttack, pict::Swords);
    IconStripCells(cr, kFoldUnit, pict::Helmet);
    IconStripCells(cr, kFoldHex, pict::HexMarker);
    IconStripCells(cr, kFoldDiplomacy, pict::Handshake);
    const Pictogram folds[kFoldButtonCount] = {pict::Helmet, pict::HexMarker, pict::Swords, pict::Handshake};
    for (const sFoldButtonBlock& block : kScaledFoldButtons)
        for (int column = 0; column < kFoldButtonCount; column++)
            IconStripCells(cr, FoldButton(column, block.size), folds[column]);
    const Pictogram windowButtons[kWindowButtonCount] = {pict::Coins, pict::Tank, pict::Flask, pict::Report,
                                                         pict::Convoy, pict::Gear, pict::Hourglass, pict::Key};
    for (int column = 0; column < kWindowButtonCount; column++)
        IconStripCells(cr, WindowButton(column, 0), windowButtons[column]);
    for (int size : kScaledWindowButtonSizes)
        for (int column = 0; column < kWindowButtonCount; column++)
            IconStripCells(cr, WindowButtonIn(WindowButtonGrid(size), column, 0), windowButtons[column]);
}

void DrawMinimapIcons(cairo_t* cr)
{
    IconStripCells(cr, kMinimapZoomIn, pict::ZoomIn);
    IconStripCells(cr, kMinimapZoomOut, pict::ZoomOut);
    IconStripCells(cr, kMinimapOwnership, pict::Flag);
    IconStripCells(cr, kMinimapBorders, pict::Borders);
    IconStripCells(cr, kMinimapMapMode, pict::Layers);
}

// In the order of kOrderIcons.
const Pictogram kOrderPictograms[kOrderIconCount] = {
    pict::Pen,        pict::Chevrons,  pict::LevelUp,      pict::Crate,     pict::Stars,    pict::Reinforce,
    pict::Cross,      pict::Undo,      pict::Locomotive,   pict::Parachute, pict::LandingCraft,
    pict::Freighter,  pict::AirFight,  pict::Bomb,         pict::Binoculars, pict::Atom};

void DrawOrderIcons(cairo_t* cr)
{
    for (int index = 0; index < kOrderIconCount; index++)
        IconStripCells(cr, kOrderIcons[index], kOrderPictograms[index]);
    IconStripCells(cr, kIconMulberry, pict::Harbour);
}

// Combat-result picture `index` (into kResultPictures) in `r`.
void ResultPictureCell(cairo_t* cr, int index, const sRect& r)
{
    const sInk fire{Rgb(0xF2C14E), kRedLight, kInk};
    const sInk plain{kParchment, kRedLight, kPanelDeep};
    switch (index) {
    case 0: PictureCell(cr, r, pict::Explosion, fire, Rgb(0x3A2A20)); break;
    case 1: PictureCell(cr, r, pict::WhiteFlag, {kParchmentDark, kParchment, kInk}, kOliveDark); break;
    case 2: PictureCell(cr, r, pict::Retreat, plain, kOliveDark); break;
    case 3: PictureCell(cr, r, pict::BurningCity, {kParchmentDark, kRedLight, kInk}, Rgb(0x3A2A20)); break;
    case 4: PictureCell(cr, r, pict::BurningAnchor, {kParchmentDark, kRedLight, kInk}, kSeaDark); break;
    default: PictureCell(cr, r, pict::SinkingShip, {kParchmentDark, Rgb(0x9FC3CF), kSea}, kSeaDark); break;
    }
}

void DrawCombatResults(cairo_t* cr)
{
    for (int index = 0; index < kResultCount; index++)
        ResultPictureCell(cr, index, kResultPictures[index]);
}

// A radar scope whose sweep stands at a different angle in each frame: the wait image.
void RadarFrame(cairo_t* cr, const sRect& r, double sweep)
{
    double cx = r.left + r.Width() / 2.0, cy = r.top + r.Height() / 2.0, radius = r.Width() / 2.0 - 6;
    FillCircle(cr, cx, cy, radius + 5, kInk);
    GradientDisc(cr, cx, cy, radius + 3, radius, kBrassLight, kBrassDark);
    cairo_pattern_t* glass = cairo_pattern_create_radial(cx, cy, 0, cx, cy, radius);
    cairo_pattern_add_color_stop_rgb(glass, 0, 0.10, 0.22, 0.12);
    cairo_pattern_add_color_stop_rgb(glass, 1, 0.03, 0.08, 0.04);
    cairo_set_source(cr, glass);
    Circle(cr, cx, cy, radius - 4);
    cairo_fill(cr);
    cairo_pattern_destroy(glass);
    sColor phosphor = Rgb(0x7CFF8A);
    cairo_save(cr);
    Circle(cr, cx, cy, radius - 4);
    cairo_clip(cr);
    // The fading trail behind the beam.
    for (int i = 0; i < 30; i++) {
        double a0 = sweep - (i + 1) * 0.05, a1 = sweep - i * 0.05;
        cairo_move_to(cr, cx, cy);
        cairo_arc(cr, cx, cy, radius, a0, a1);
        cairo_close_path(cr);
        SetColor(cr, WithAlpha(phosphor, 0.5 * (1 - i / 30.0)));
        cairo_fill(cr);
    }
    for (int ring = 1; ring <= 3; ring++) {
        Circle(cr, cx, cy, radius * ring / 3.5);
        SetColor(cr, WithAlpha(phosphor, 0.35));
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
    cairo_move_to(cr, cx - radius, cy);
    cairo_line_to(cr, cx + radius, cy);
    cairo_move_to(cr, cx, cy - radius);
    cairo_line_to(cr, cx, cy + radius);
    cairo_stroke(cr);
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, cx + radius * std::cos(sweep), cy + radius * std::sin(sweep));
    SetColor(cr, phosphor);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    // Two contacts; the one just swept glows.
    FillCircle(cr, cx + radius * 0.45 * std::cos(-0.9), cy + radius * 0.45 * std::sin(-0.9), 4,
               WithAlpha(phosphor, std::fabs(std::remainder(sweep + 0.9, 2 * M_PI)) < 1.2 ? 1.0 : 0.35));
    FillCircle(cr, cx + radius * 0.7 * std::cos(2.2), cy + radius * 0.7 * std::sin(2.2), 4,
               WithAlpha(phosphor, std::fabs(std::remainder(sweep - 2.2, 2 * M_PI)) < 1.2 ? 1.0 : 0.35));
    cairo_restore(cr);
    // Glass reflection.
    cairo_pattern_t* shine = cairo_pattern_create_linear(cx, cy - radius, cx, cy);
    cairo_pattern_add_color_stop_rgba(shine, 0, 1, 1, 1, 0.18);
    cairo_pattern_add_color_stop_rgba(shine, 1, 1, 1, 1, 0);
    cairo_set_source(cr, shine);
    cairo_save(cr);
    cairo_scale(cr, 1, 0.55);
    Circle(cr, cx, (cy - radius * 0.45) / 0.55, radius * 0.7);
    cairo_restore(cr);
    cairo_fill(cr);
    cairo_pattern_destroy(shine);
}

// The convoys window's picture in `r`, drawn for the original's 150 pixels and grown or
// shrunk with it; its frame stays whole pixels wide.
void DrawConvoyPicture(cairo_t* cr, const sRect& r = kConvoyPicture)
{
    const double s = r.Width() / 150.0;
    cairo_save(cr);
    cairo_rectangle(cr, r.left, r.top, r.Width(), r.Height());
    cairo_clip(cr);
    const double horizon = std::round(70 * s);
    VerticalGradient(cr, r.left, r.top, r.Width(), horizon, Rgb(0x8E9A90), Rgb(0xC9C2A2));
    VerticalGradient(cr, r.left, r.top + horizon, r.Width(), r.Height() - horizon, kSea, kSeaDark);
    sInk ship{Rgb(0x30363A), Rgb(0xD8D4C0), Rgb(0x8E9A90)};
    DrawPictogram(cr, pict::Freighter, r.left + 52 * s, r.top + 22 * s, 70 * s, ship);
    DrawPictogram(cr, pict::Freighter, r.left + 4 * s, r.top + 46 * s, 60 * s, ship);
    DrawPictogram(cr, pict::Warship, r.left + 70 * s, r.top + 72 * s, 72 * s, {Rgb(0x262B2E), Rgb(0xD8D4C0), kSea});
    StrokeRect(cr, r.left, r.top, r.Width(), r.Height(), std::max(2.0, std::round(3 * s)), kBrass);
    cairo_restore(cr);
}

// A panel background: dark olive plate with a brass rule and a faint stencilled grid. A
// picture drawn larger than the original (by `scale`) has its rule, grid and rivets grown
// alike, whole pixels wide, so that it looks as the original does on a smaller screen.
void PanelBackground(cairo_t* cr, const sRect& r, bool riveted, double scale = 1.0)
{
    const double rule = std::round(3 * scale), grid = std::round(16 * scale), line = std::max(1.0, std::round(scale));
    const double inset = 1 + rule;
    FillRect(cr, r, kInk);
    VerticalGradient(cr, r.left + 1, r.top + 1, r.Width() - 2, r.Height() - 2, Lighter(kPanel, 0.08), Darker(kPanel, 0.2));
    Bevel(cr, r.left + 1, r.top + 1, r.Width() - 2, r.Height() - 2, rule, kBrass, kBrassDark);
    cairo_save(cr);
    cairo_rectangle(cr, r.left + inset, r.top + inset, r.Width() - 2 * inset, r.Height() - 2 * inset);
    cairo_clip(cr);
    SetColor(cr, WithAlpha(kOliveLight, 0.10));
    cairo_set_line_width(cr, line);
    for (double x = r.left + grid; x < r.right; x += grid) {
        cairo_move_to(cr, x + line / 2, r.top);
        cairo_line_to(cr, x + line / 2, r.bottom);
    }
    for (double y = r.top + grid; y < r.bottom; y += grid) {
        cairo_move_to(cr, r.left, y + line / 2);
        cairo_line_to(cr, r.right, y + line / 2);
    }
    cairo_stroke(cr);
    cairo_restore(cr);
    if (riveted) {
        const double from = 9 * scale, radius = 3 * scale;
        Rivet(cr, r.left + from, r.top + from, radius, kBrass);
        Rivet(cr, r.right - from, r.top + from, radius, kBrass);
        Rivet(cr, r.left + from, r.bottom - from, radius, kBrass);
        Rivet(cr, r.right - from, r.bottom - from, radius, kBrass);
    }
}

// The window buttons sit in a recessed tray.
void ButtonTray(cairo_t* cr, const sRect& t, double scale = 1.0)
{
    const double rule = std::round(3 * scale);
    FillRect(cr, t, kInk);
    Bevel(cr, t.left + 1, t.top + 1, t.Width() - 2, t.Height() - 2, rule, Darker(kOliveDark, 0.5), kOlive);
    VerticalGradient(cr, t.left + 1 + rule, t.top + 1 + rule, t.Width() - 2 - 2 * rule, t.Height() - 2 - 2 * rule,
                     kPanelDeep, kPanel);
}

void DrawPanelBackgrounds(cairo_t* cr)
{
    PanelBackground(cr, kInfoPanelBackground, true);
    PanelBackground(cr, kMinimapBackground, true);
    PanelBackground(cr, kCountryBoxBackground, true);
    ButtonTray(cr, kWindowButtonsBackground);
}

// The cells of layout row 13, 57 or 58 whose first cell is `first`, at its size.
void DrawRowPictures(cairo_t* cr, int row, const sRect& first)
{
    const double scale = double(first.Width()) / OriginalPicture(row).Width();
    if (row == 13) {
        // Research investment: a gauge with 0 to 3 lit bars.
        for (int level = 0; level < kInvestmentCount; level++) {
            const sRect r = RowPictureCell(row, first, level);
            PictureCell(cr, r, pict::Flask, {WithAlpha(kParchment, 0.25), WithAlpha(kBrassLight, 0.2), kInk}, kPanel);
            for (int bar = 0; bar < 3; bar++) {
                const double bx = r.left + std::round((12 + bar * 14) * scale), bh = std::round((14 + bar * 10) * scale);
                const double by = r.bottom - std::round(8 * scale) - bh, bw = std::round(11 * scale);
                FillRect(cr, bx, by, bw, bh, kInk);
                sColor lit = bar < level ? (level == 3 ? kBrassLight : Rgb(0x9CC25A)) : Rgb(0x3A3D33);
                VerticalGradient(cr, bx + 1, by + 1, bw - 2, bh - 2, Lighter(lit, 0.2), Darker(lit, 0.2));
            }
        }
    } else if (row == 57) {
        // Purchase previews: units (a bare plate: the chosen unit's own picture is drawn on
        // it), strategic movement, amphibious invasion, sea transport.
        const Pictogram previews[4] = {nullptr, pict::Locomotive, pict::LandingCraft, pict::Freighter};
        for (int i = 0; i < 4; i++)
            PictureCell(cr, RowPictureCell(row, first, i), previews[i], {kParchment, kBrassLight, kPanelDeep}, kOliveDark);
    } else if (row == 58) {
        // Pictures of the framed box.
        const Pictogram box[kBoxPictureCount] = {pict::Helmet,  pict::Tank,    pict::Bomber, pict::Warship,
                                                 pict::Factory, pict::Flag,    pict::Compass, pict::Medal,
                                                 pict::Radio,   pict::Report};
        for (int i = 0; i < kBoxPictureCount; i++)
            PictureCell(cr, RowPictureCell(row, first, i), box[i], {kParchment, kBrassLight, kPanelDeep}, kOliveDark);
    }
}

void DrawStrips(cairo_t* cr)
{
    // Weather: good, snow, mud.
    const Pictogram weather[kWeatherCount] = {pict::Sun, pict::Snowflake, pict::Mud};
    const sInk weatherInk[kWeatherCount] = {{kBrassLight, Rgb(0xF2C14E), kInk},
                                            {Rgb(0xE6F0F4), Rgb(0xBFD9E4), kInk},
                                            {Rgb(0x9AA0A6), Rgb(0x7A5A36), Rgb(0x4A3520)}};
    const sColor weatherPlate[kWeatherCount] = {Rgb(0x4A6A86), Rgb(0x5A6B78), Rgb(0x4A4334)};
    for (int w = 0; w < kWeatherCount; w++) {
        sRect r = Cell(kWeatherCell.left, kWeatherCell.top + w * kWeatherCell.Height(), kWeatherCell.Width(),
                       kWeatherCell.Height());
        PictureCell(cr, r, weather[w], weatherInk[w], weatherPlate[w]);
    }
    DrawRowPictures(cr, 13, kInvestmentCell);
    DrawRowPictures(cr, 57, kPurchasePreviewCell);
    DrawRowPictures(cr, 58, kBoxPictureCell);
}

// The picture of layout row 3, 4, 5 or 6 drawn at the size of `r`.
void DrawBackground(cairo_t* cr, int row, const sRect& r)
{
    const sRect original = OriginalPicture(row);
    const double scale = std::min(double(r.Width()) / original.Width(), double(r.Height()) / original.Height());
    if (row == 5)
        ButtonTray(cr, r, scale);
    else
        PanelBackground(cr, r, true, scale);
}

// The backgrounds, investments, previews and box pictures at the sizes of the other screens.
void DrawPicturesAtScreenSizes(cairo_t* cr)
{
    for (const sDrawnPicture& picture : kDrawnPictures) {
        const sRect r = picture.First();
        if (picture.row > 6) {
            DrawRowPictures(cr, picture.row, r);
        } else if (!IsHalved(r)) {
            DrawBackground(cr, picture.row, r);
        } else {
            // Drawn whole, then put in the atlas in its two halves.
            cairo_surface_t* whole = NewSurface(r.Width(), r.Height());
            cairo_t* w = cairo_create(whole);
            DrawBackground(w, picture.row, Cell(0, 0, r.Width(), r.Height()));
            cairo_destroy(w);
            const sRect left = LeftHalf(r), right = RightHalf(r);
            cairo_save(cr);
            cairo_rectangle(cr, left.left, left.top, left.Width(), left.Height());
            cairo_clip(cr);
            cairo_set_source_surface(cr, whole, left.left, left.top);
            cairo_paint(cr);
            cairo_restore(cr);
            cairo_save(cr);
            cairo_rectangle(cr, right.left, right.top, right.Width(), right.Height());
            cairo_clip(cr);
            cairo_set_source_surface(cr, whole, right.left - left.Width(), right.top);
            cairo_paint(cr);
            cairo_restore(cr);
            cairo_surface_destroy(whole);
        }
    }
    const Pictogram minimap[kMinimapButtonCount] = {pict::ZoomIn, pict::ZoomOut, pict::Flag, pict::Borders,
                                                    pict::Layers};
    for (const sDrawnBlock& block : kScaledMinimapButtons)
        for (int index = 0; index < kMinimapButtonCount; index++)
            IconStripCells(cr, MinimapButton(index, block.width), minimap[index]);
    for (const sDrawnBlock& block : kOrderIconBlocks)
        for (int index = 0; index < kOrderIconCount; index++)
            IconStripCells(cr, OrderIcon(index, block.width, block.height), kOrderPictograms[index]);
    for (const sDrawnBlock& block : kMulberryBlocks)
        IconStripCells(cr, MulberryIcon(block.width, block.height), pict::Harbour);
    for (const sDrawnBlock& block : kResultBlocks)
        for (int index = 0; index < kResultCount; index++)
            ResultPictureCell(cr, index, ResultPicture(index, block.width, block.height));
    for (const sDrawnBlock& block : kConvoyBlocks)
        DrawConvoyPicture(cr, ConvoyPicture(block.width, block.height));
}

} // namespace

void DrawPanelArt(cairo_t* cr)
{
    DrawInfoPanelIcons(cr);
    DrawMinimapIcons(cr);
    DrawOrderIcons(cr);
    DrawCombatResults(cr);
    RadarFrame(cr, kWaitFrames[0], -M_PI / 2);
    RadarFrame(cr, kWaitFrames[1], M_PI / 2);
    DrawConvoyPicture(cr);
    DrawPanelBackgrounds(cr);
    DrawStrips(cr);
}

cairo_surface_t* RenderGuiAtlas()
{
    cairo_surface_t* surface = NewSurface(kAtlasSize, kAtlasSize);
    cairo_t* cr = cairo_create(surface);
    DrawDefaultElements(cr);
    DrawPanelArt(cr);
    cairo_destroy(cr);
    return surface;
}

cairo_surface_t* RenderGuiAtlasPage(int page)
{
    cairo_surface_t* surface = NewSurface(kAtlasSize, kAtlasSize);
    cairo_t* cr = cairo_create(surface);
    // Drawn where the atlas addresses the page; what lies on the other pages falls outside.
    cairo_translate(cr, 0, -page * kAtlasSize);
    DrawPicturesAtScreenSizes(cr);
    cairo_destroy(cr);
    return surface;
}
