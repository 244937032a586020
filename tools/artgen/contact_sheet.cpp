// A contact sheet: every element of GUI.png put together as the toolkit draws it, in each of
// its states (normal, mouse-over, focus, pressed, disabled), followed by the icon strips and
// the other pictures, so the whole look can be judged on one page.
#include <map>
#include <string>

#include "tools/artgen/art.h"
#include "tools/artgen/canvas.h"

using namespace gui_atlas;
using namespace palette;

namespace {

constexpr int kSheetWidth = 1500, kSheetHeight = 3340;

// Suggested GUI font colours: colour 1 for text, colour 2 for highlighted text, and the
// toolkit's grey for disabled text.
constexpr sColor kText1 = Rgb(0xE8DCB8);
constexpr sColor kText2 = Rgb(0xFFD27A);
constexpr sColor kTextGrey = {0x80 / 255.0, 0x80 / 255.0, 0x80 / 255.0, 0xC8 / 255.0};
constexpr uint32_t kTintWhite = 0xFFFFFFFF, kTintGrey = 0xC8808080, kTintFaint = 0x46FFFFFF, kTintIcon = 0xDCFFFFFF;

class cSheet {
public:
    cSheet(cairo_t* cr, cairo_surface_t* atlas) : m_Cr(cr), m_Atlas(atlas) {}
    ~cSheet()
    {
        for (auto& [tint, surface] : m_Tinted)
            cairo_surface_destroy(surface);
    }

    // The atlas modulated by an ARGB colour, as the sprite draws it.
    cairo_surface_t* Tinted(uint32_t argb)
    {
        if (argb == kTintWhite)
            return m_Atlas;
        auto found = m_Tinted.find(argb);
        if (found != m_Tinted.end())
            return found->second;
        cairo_surface_t* out = NewSurface(kAtlasSize, kAtlasSize);
        cairo_surface_flush(m_Atlas);
        const unsigned char* src = cairo_image_surface_get_data(m_Atlas);
        unsigned char* dst = cairo_image_surface_get_data(out);
        int stride = cairo_image_surface_get_stride(m_Atlas);
        double ta = ((argb >> 24) & 0xFF) / 255.0, tr = ((argb >> 16) & 0xFF) / 255.0;
        double tg = ((argb >> 8) & 0xFF) / 255.0, tb = (argb & 0xFF) / 255.0;
        for (int y = 0; y < kAtlasSize; y++) {
            const uint32_t* s = reinterpret_cast<const uint32_t*>(src + y * stride);
            uint32_t* d = reinterpret_cast<uint32_t*>(dst + y * stride);
            for (int x = 0; x < kAtlasSize; x++) {
                uint32_t p = s[x];
                auto channel = [&](int shift, double t) { return uint32_t(((p >> shift) & 0xFF) * t * ta + 0.5) << shift; };
                d[x] = (uint32_t(((p >> 24) & 0xFF) * ta + 0.5) << 24) | channel(16, tr) | channel(8, tg) | channel(0, tb);
            }
        }
        cairo_surface_mark_dirty(out);
        m_Tinted[argb] = out;
        return out;
    }

    // Draws a source rectangle of the atlas scaled into a destination rectangle.
    void Sprite(const sRect& src, double x, double y, double w, double h, uint32_t tint = kTintWhite)
    {
        if (w <= 0 || h <= 0)
            return;
        cairo_surface_t* sub = cairo_surface_create_for_rectangle(Tinted(tint), src.left, src.top, src.Width(), src.Height());
        cairo_save(m_Cr);
        cairo_translate(m_Cr, x, y);
        cairo_scale(m_Cr, w / src.Width(), h / src.Height());
        cairo_set_source_surface(m_Cr, sub, 0, 0);
        cairo_pattern_set_extend(cairo_get_source(m_Cr), CAIRO_EXTEND_PAD);
        cairo_pattern_set_filter(cairo_get_source(m_Cr), CAIRO_FILTER_BILINEAR);
        cairo_rectangle(m_Cr, 0, 0, src.Width(), src.Height());
        cairo_fill(m_Cr);
        cairo_restore(m_Cr);
        cairo_surface_destroy(sub);
    }

    // A nine-slice box from a 3 x 3 grid of cells, corners unscaled.
    void Nine(int gx, int gy, int cell, double x, double y, double w, double h, uint32_t tint = kTintWhite)
    {
        double mw = w - 2 * cell, mh = h - 2 * cell;
        for (int row = 0; row < 3; row++)
            for (int col = 0; col < 3; col++) {
                double dx = col == 0 ? x : col == 1 ? x + cell : x + cell + mw;
                double dy = row == 0 ? y : row == 1 ? y + cell : y + cell + mh;
                double dw = col == 1 ? mw : cell, dh = row == 1 ? mh : cell;
                Sprite(GridCell(gx, gy, cell, col, row), dx, dy, dw, dh, tint);
            }
    }

    void Text(const std::string& text, double x, double y, const sColor& c, double size = 13, bool bold = false)
    {
        UseStableFontOptions(m_Cr);
        cairo_select_font_face(m_Cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                               bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(m_Cr, size);
        SetColor(m_Cr, c);
        cairo_move_to(m_Cr, x, y);
        cairo_show_text(m_Cr, text.c_str());
        cairo_new_path(m_Cr);
    }

    void CentreText(const std::string& text, double x, double y, double w, double h, const sColor& c, bool shadow = false)
    {
        if (shadow)
            CenteredText(m_Cr, text, "DejaVu Sans", false, 13, x + w / 2 + 1, y + h / 2 + 1, WithAlpha(kInk, c.a));
        CenteredText(m_Cr, text, "DejaVu Sans", false, 13, x + w / 2, y + h / 2, c);
    }

    void Heading(const std::string& text, double y)
    {
        FillRect(m_Cr, 20, y - 18, kSheetWidth - 40, 26, WithAlpha(kBrassDark, 0.5));
        Text(text, 30, y, kBrassLight, 16, true);
    }

    cairo_t* Cr() { return m_Cr; }
    cairo_surface_t* Atlas() { return m_Atlas; }

private:
    cairo_t* m_Cr;
    cairo_surface_t* m_Atlas;
    std::map<uint32_t, cairo_surface_t*> m_Tinted;
};

const char* const kStateNames[] = {"normal", "mouse-over", "focus", "pressed", "disabled"};
enum { kNormal, kOver, kFocus, kPressed, kDisabled };

void Button(cSheet& s, double x, double y, double w, double h, int state, const std::string& text)
{
    int base = state == kPressed ? 3 : 0;
    s.Sprite(kButton[base], x, y, 5, h);
    s.Sprite(kButton[base + 2], x + w - 5, y, 5, h);
    s.Sprite(kButton[base + 1], x + 5, y, w - 10, h);
    sColor text1[] = {kText1, kText2, kText2, kText1, kTextGrey};
    s.CentreText(text, x, y, w, h, text1[state]);
}

void CheckOrRadio(cSheet& s, const sRect* pics, double x, double y, bool checked, bool disabled, const std::string& text)
{
    s.Sprite(pics[checked ? 1 : 0], x, y, 22, 22, disabled ? kTintGrey : kTintWhite);
    s.Text(text, x + 28, y + 16, disabled ? kTextGrey : kText1);
}

void ComboBox(cSheet& s, double x, double y, double w, int state, bool open)
{
    uint32_t tint = state == kDisabled ? kTintFaint : kTintWhite;
    double h = 26;
    s.Sprite(kComboMain, x, y, w - h, h, tint);
    s.Sprite(kComboButton, x + w - h, y, h, h, tint);
    sColor text = state == kDisabled ? kTextGrey : (state == kOver || state == kFocus) ? kText2 : kText1;
    s.CentreText("Infantry corps", x, y, w - h, h, text);
    if (!open)
        return;
    double dy = y + h, dh = 4 * 20 + 16;
    s.Nine(kComboFrameX, kComboFrameY, kComboFrameCell, x, dy, w, dh);
    s.Sprite(kComboDropDown, x + 6, dy + 6, w - 12, dh - 12);
    const char* items[] = {"Infantry", "Infantry corps", "Mechanized", "Armoured"};
    for (int i = 0; i < 4; i++) {
        double iy = dy + 8 + i * 20;
        if (i == 1)
            s.Sprite(kComboSelection, x + 6, iy, w - 12, 20);
        s.Text(items[i], x + 12, iy + 15, i == 1 ? kText2 : kText1);
    }
}

void Slider(cSheet& s, double x, double y, double w, double fraction, bool pressed, bool disabled)
{
    uint32_t tint = disabled ? kTintFaint : kTintWhite;
    s.Sprite(kSliderTrack[0], x, y, 10, 25, tint);
    s.Sprite(kSliderTrack[1], x + 10, y, w - 20, 25, tint);
    s.Sprite(kSliderTrack[2], x + w - 10, y, 10, 25, tint);
    double tx = x + 5 + (w - 20) * fraction;
    s.Sprite(pressed ? kSliderThumbPressed : kSliderThumb, tx, y, 10, 25, disabled ? kTintGrey : kTintWhite);
}

void Progress(cSheet& s, double x, double y, double w, double fraction, bool disabled)
{
    uint32_t tint = disabled ? kTintFaint : kTintWhite;
    double mid = w - 10, fill = mid * fraction;
    s.Sprite(fraction > 0 ? kProgressFilled[0] : kProgressEmpty[0], x, y, 5, 25, tint);
    s.Sprite(kProgressEmpty[1], x + 5, y, mid, 25, tint);
    s.Sprite(kProgressFilled[1], x + 5, y, fill, 25, tint);
    s.Sprite(fraction >= 1 ? kProgressFilled[2] : kProgressEmpty[2], x + 5 + mid, y, 5, 25, tint);
}

void ScrollBar(cSheet& s, double x, double y, double w, double h, double thumbTop, double thumbHeight)
{
    s.Sprite(kScrollUp, x, y, w, w);
    s.Sprite(kScrollTrack, x, y + w, w, h - 2 * w);
    s.Sprite(kScrollDown, x, y + h - w, w, w);
    s.Sprite(kScrollThumb, x, y + w + thumbTop, w, thumbHeight);
}

void EditBox(cSheet& s, double x, double y, double w, double h, int state, const std::string& text)
{
    uint32_t tint = state == kDisabled ? kTintGrey : kTintWhite;
    s.Nine(kEditBoxX, kEditBoxY, kEditBoxCell, x, y, w, h, tint);
    sColor colours[] = {kText1, kText2, kText2, kText1, kTextGrey};
    s.Text(text, x + 10, y + h / 2 + 5, colours[state]);
    if (state == kFocus)
        FillRect(s.Cr(), x + 10 + 7.6 * text.size(), y + 6, 2, h - 12, kText2);
}

void ListBox(cSheet& s, double x, double y, double w, double h)
{
    s.Nine(kListBodyX, kListBodyY, kListCell, x, y, w, h);
    double headerH = 22, textLeft = x + 11, textW = w - 22 - 16;
    const char* titles[] = {"Convoy", "From", "To", "Value"};
    const double widths[] = {0.3, 0.3, 0.3, 0.1};
    double bx = textLeft;
    for (int c = 0; c < 4; c++) {
        if (c > 0) {
            int strip = c == 1 ? 1 : 0; // column 0 is sorted ascending
            sRect start = GridCell(kListHeaderX, kListHeaderY, kListCell, strip, 0);
            sRect middle = GridCell(kListHeaderX, kListHeaderY, kListCell, strip, 1);
            sRect end = GridCell(kListHeaderX, kListHeaderY, kListCell, strip, 2);
            double right = x + w - 6;
            s.Sprite(middle, bx + 13, y + 6, right - bx - 13 - kListCell, headerH);
            s.Sprite(end, right - kListCell, y + 6, kListCell, headerH);
            s.Sprite(start, bx - 12, y + 6, kListCell, headerH);
        }
        s.CentreText(titles[c], bx, y + 6, textW * widths[c], headerH, kText2);
        bx += textW * widths[c];
    }
    const char* rows[][4] = {{"North Sea", "Hull", "Bergen", "40"},   {"Channel", "Dover", "Calais", "25"},
                             {"Atlantic", "Liverpool", "Halifax", "90"}, {"Baltic", "Kiel", "Danzig", "30"},
                             {"Biscay", "Brest", "Bilbao", "15"}};
    double rowH = 20, ry = y + 6 + headerH + 4;
    for (int r = 0; r < 5; r++) {
        if (r == 1)
            s.Sprite(kListSelection, textLeft - 5, ry, textW + 10, rowH);
        if (r == 3)
            s.Sprite(kListHover, textLeft - 5, ry, textW + 10, rowH);
        double cx = textLeft;
        for (int c = 0; c < 4; c++) {
            s.CentreText(rows[r][c], cx, ry, textW * widths[c], rowH, r == 1 ? kText2 : kText1);
            cx += textW * widths[c];
        }
        ry += rowH;
    }
    ScrollBar(s, x + w - 22, y + 6, 16, h - 12, 10, 40);
}

void TabFrame(cSheet& s, double x, double y, double w, double h)
{
    double stripH = 22;
    s.Nine(kTabAreaX, kTabAreaY, kTabAreaCell, x, y + stripH, w, h - stripH);
    const char* tabs[] = {"Land", "Air", "Naval", "Others"};
    double tx = x;
    for (int t = 0; t < 4; t++) {
        bool selected = t == 1;
        double cw = 7.5 * std::string(tabs[t]).size() + 6;
        int base = selected ? 3 : 0;
        auto piece = [&](int k) {
            return Cell(kTabPieceX + (base + k) * kTabPieceWidth, kTabPieceY, kTabPieceWidth, kTabPieceHeight);
        };
        s.Sprite(piece(0), tx, y, 10, stripH);
        s.Sprite(piece(1), tx + 10, y, cw, stripH);
        s.Sprite(piece(2), tx + 10 + cw, y, 10, stripH);
        s.CentreText(tabs[t], tx + 10, y, cw, stripH, selected ? kText2 : kText1);
        tx += cw + 20;
    }
}

void Frame(cSheet& s, int style, double x, double y, double w, double h)
{
    const sFrameStyle& f = kFrameStyles[style];
    s.Nine(f.x, f.y, f.cell, x, y, w, h, 0xB3FFFFFF);
}

void Picture(cSheet& s, cairo_surface_t* picture, double x, double y, double w, double h)
{
    int pw = cairo_image_surface_get_width(picture), ph = cairo_image_surface_get_height(picture);
    cairo_t* cr = s.Cr();
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, w / pw, h / ph);
    cairo_set_source_surface(cr, picture, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), w > pw ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_restore(cr);
    StrokeRect(cr, x - 1, y - 1, w + 2, h + 2, 1, WithAlpha(kBrass, 0.6));
}

void Controls(cSheet& s)
{
    double y = 40;
    s.Heading("Controls in each state: normal, mouse-over, focus, pressed, disabled", y);
    y += 30;
    for (int st = 0; st < 5; st++) {
        double x = 40 + st * 170;
        s.Text(kStateNames[st], x, y, kParchmentDark, 12);
        Button(s, x, y + 10, 140, 30, st, "Purchase");
        EditBox(s, x, y + 52, 140, 28, st, "Panzer 12");
        ComboBox(s, x, y + 92, 150, st, false);
    }
    y += 140;
    double x = 40;
    for (int dis = 0; dis < 2; dis++)
        for (int checked = 0; checked < 2; checked++) {
            CheckOrRadio(s, kCheckBox, x, y, checked, dis, dis ? "disabled" : "Fog of war");
            CheckOrRadio(s, kRadioButton, x, y + 30, checked, dis, dis ? "disabled" : "Production");
            x += 170;
        }
    y += 80;
    Slider(s, 40, y, 200, 0.3, false, false);
    Slider(s, 280, y, 200, 0.7, true, false);
    Slider(s, 520, y, 200, 0.5, false, true);
    s.Text("slider: normal, thumb pressed, disabled", 760, y + 17, kParchmentDark, 12);
    y += 40;
    Progress(s, 40, y, 200, 0, false);
    Progress(s, 280, y, 200, 0.5, false);
    Progress(s, 520, y, 200, 1, false);
    Progress(s, 760, y, 200, 0.5, true);
    s.Text("progress: 0, 50, 100 %, disabled", 1000, y + 17, kParchmentDark, 12);
    y += 50;
    ComboBox(s, 40, y, 200, kFocus, true);
    ListBox(s, 280, y, 460, 160);
    TabFrame(s, 780, y, 380, 160);
    ScrollBar(s, 1200, y, 25, 160, 20, 50);
    y += 180;
    // Caption and hint box.
    s.Sprite(kCaption, 40, y, 400, 22);
    s.Text("Purchase", 48, y + 16, Rgb(0xFFFFFF));
    s.Nine(kTabAreaX, kTabAreaY, kTabAreaCell, 480, y - 4, 300, 48);
    s.Text("Moves the unit by rail to any", 488, y + 14, Rgb(0xFFFFFF), 12);
    s.Text("connected friendly city.", 488, y + 32, Rgb(0xFFFFFF), 12);
    s.Text("caption bar; hint box", 800, y + 16, kParchmentDark, 12);
    y += 60;
    s.Heading("Frames: style 0 (dialogs, menus, framed box), style 1, style 2", y);
    y += 20;
    Frame(s, 0, 40, y, 400, 200);
    Button(s, 140, y + 60, 200, 30, kNormal, "Start");
    Button(s, 140, y + 100, 200, 30, kOver, "Preferences");
    Frame(s, 1, 480, y, 300, 200);
    Frame(s, 2, 820, y, 300, 200);
    s.Nine(kFrameStyles[0].x, kFrameStyles[0].y, kFrameStyles[0].cell, 1160, y, 300, 200);
    s.Sprite(BoxPicture(6), 1260, y + 50, 100, 100);
}

void IconStrip(cSheet& s, const sRect& first, double x, double y, double scale)
{
    double w = first.Width() * scale, h = first.Height() * scale;
    for (int state = 0; state < 3; state++) {
        sRect cell = Cell(first.left, first.top + state * first.Height(), first.Width(), first.Height());
        s.Sprite(cell, x + state * (w + 4), y, w, h, state == 1 ? kTintIcon : kTintWhite);
    }
}

void Icons(cSheet& s, double y)
{
    s.Heading("Icons: disabled, normal, mouse-over", y);
    y += 20;
    const sRect big[] = {kFoldUnit, kFoldHex, kFoldAttack, kFoldDiplomacy};
    for (int i = 0; i < 4; i++)
        IconStrip(s, big[i], 40 + i * 300, y, 0.9);
    y += 100;
    for (int c = 0; c < kWindowButtonCount; c++)
        IconStrip(s, WindowButton(c, 0), 40 + (c % 4) * 300, y + (c / 4) * 60, 1.0);
    y += 125;
    const sRect orders[] = {kIconRename,       kIconCommanders, kIconReplacements, kIconSupplySource, kIconUpgradeCorps,
                            kIconLevelUp,      kIconDisband,    kIconUndoMove,     kIconAmphibious,   kIconSeaTransport,
                            kIconAirborne,     kIconStrategicMove, kIconBombardment, kIconAirFight,   kIconRecon,
                            kIconMulberry,     kIconNuclear};
    for (int i = 0; i < 17; i++)
        IconStrip(s, orders[i], 40 + (i % 6) * 240, y + (i / 6) * 60, 1.25);
    y += 190;
    const sRect minimap[] = {kMinimapZoomIn, kMinimapZoomOut, kMinimapOwnership, kMinimapBorders, kMinimapMapMode};
    for (int i = 0; i < 5; i++)
        IconStrip(s, minimap[i], 40 + i * 200, y, 1.6);
    y += 60;
    s.Heading("Pictures: combat results, wait frames, weather, research, purchase, framed box, convoy", y);
    y += 20;
    const sRect results[] = {kResultDestroyed, kResultSurrenders, kResultRetreats, kResultCity, kResultPort, kResultNaval};
    for (int i = 0; i < 6; i++)
        s.Sprite(results[i], 40 + i * 70, y, 60, 60);
    s.Sprite(kWaitFrames[0], 480, y, 130, 130);
    s.Sprite(kWaitFrames[1], 620, y, 130, 130);
    for (int w = 0; w < kWeatherCount; w++)
        s.Sprite(Cell(kWeatherCell.left, kWeatherCell.top + w * kWeatherCell.Height(), kWeatherCell.Width(),
                      kWeatherCell.Height()),
                 780 + w * 56, y, 48, 48);
    for (int i = 0; i < kInvestmentCount; i++)
        s.Sprite(Cell(kInvestmentCell.left, kInvestmentCell.top + i * kInvestmentCell.Height(), kInvestmentCell.Width(),
                      kInvestmentCell.Height()),
                 780 + i * 70, y + 60, 64, 64);
    s.Sprite(kConvoyPicture, 1080, y, 150, 150);
    s.Sprite(Cell(kPurchasePreviewCell.left, kPurchasePreviewCell.top, 2 * kPurchasePreviewCell.Width(),
                  2 * kPurchasePreviewCell.Height()),
             1250, y, 200, 200);
    y += 140;
    for (int i = 0; i < kBoxPictureCount; i++)
        s.Sprite(BoxPicture(i), 40 + i * 72, y, 64, 64);
    y += 90;
    s.Heading("Panel backgrounds: info panel, country box, window buttons, minimap", y);
    y += 20;
    s.Sprite(kInfoPanelBackground, 40, y, 1024, 120);
    s.Sprite(kCountryBoxBackground, 60, y + 10, 150, 100);
    s.Sprite(kWindowButtonsBackground, 500, y + 30, 8 * 52 + 12, 60);
    for (int c = 0; c < kWindowButtonCount; c++)
        s.Sprite(WindowButton(c, 1), 506 + c * 52, y + 36, 48, 48, kTintIcon);
    s.Sprite(kMinimapBackground, 1100, y, 160, 160);
}

void OtherPictures(cSheet& s, double y)
{
    s.Heading("Wallpapers, logos, cursor, console, unknown flag", y);
    y += 20;
    int i = 0;
    for (const sPictureFile& file : PictureFiles()) {
        if (file.path.rfind("wallpaper_", 0) != 0)
            continue;
        cairo_surface_t* p = file.render();
        double x = 40 + (i % 3) * 480, py = y + (i / 3) * 370;
        Picture(s, p, x, py, 448, 336);
        s.Text(file.path, x, py + 352, kParchmentDark, 12);
        cairo_surface_destroy(p);
        i++;
    }
    y += 740;
    double x = 40;
    for (const sPictureFile& file : PictureFiles()) {
        if (file.path.rfind("wallpaper_", 0) == 0 || file.path == "GUI.png" || file.path.rfind("Units images/", 0) == 0)
            continue;
        cairo_surface_t* p = file.render();
        int w = cairo_image_surface_get_width(p), h = cairo_image_surface_get_height(p);
        double scale = w <= 64 ? 3.0 : w >= 500 ? 0.5 : 1.0;
        Picture(s, p, x, y, w * scale, h * scale);
        s.Text(file.path, x, y + h * scale + 16, kParchmentDark, 12);
        x += w * scale + 30;
        cairo_surface_destroy(p);
    }
    y += 230;
    s.Heading("Unit pictures (Units images/)", y);
    y += 20;
    i = 0;
    for (const sPictureFile& file : PictureFiles()) {
        if (file.path.rfind("Units images/", 0) != 0)
            continue;
        cairo_surface_t* p = file.render();
        double px = 40 + (i % 6) * 240, py = y + (i / 6) * 125;
        Picture(s, p, px, py, 200, 100);
        s.Text(file.path.substr(13), px + 205, py + 95, kParchmentDark, 12);
        cairo_surface_destroy(p);
        i++;
    }
}

} // namespace

cairo_surface_t* RenderContactSheet(cairo_surface_t* atlas)
{
    cairo_surface_t* sheet = NewSurface(kSheetWidth, kSheetHeight);
    cairo_t* cr = cairo_create(sheet);
    // A mid-grey map tone behind everything, as the game screen would be.
    VerticalGradient(cr, 0, 0, kSheetWidth, kSheetHeight, Rgb(0x59624F), Rgb(0x3E4537));
    {
        cSheet s(cr, atlas);
        Controls(s);
        Icons(s, 960);
        OtherPictures(s, 1930);
    }
    cairo_destroy(cr);
    return sheet;
}
