// The default look of every control: pieces of "data\gfx\GUI.png" and the GUI fonts.
#include "gui/dialog_resources.h"
#include "gui/layout.h"

namespace {

constexpr tColor kWhite = 0xFFFFFFFF;
constexpr tColor kFaint = 0x46FFFFFF;      // disabled texture of combo boxes, sliders, progress bars
constexpr tColor kInvisible = 0x00FFFFFF;  // disabled texture of scroll bars

sRect Cell(int left, int top, int w, int h) { return sRect{left, top, left + w, top + h}; }

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
    SetTexture(0, L"data\\gfx\\GUI.png");
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
    m_CapElement.SetTexture(0, MakeRect(17, 269, 241, 287));
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
    const int buttonLeft[6] = {135, 140, 145, 151, 156, 161};
    for (unsigned n = 0; n < 6; ++n) {
        CDXUTElement e = b.Make(MakeRect(buttonLeft[n], 1926, buttonLeft[n] + 5, 1956), kWhite, DT_CENTER | DT_VCENTER);
        SetFontColors(e, c1, g, c2, c2, c1);
        b.Add(DXUT_CONTROL_BUTTON, n, e);
    }

    // Check box and radio button: empty and checked.
    for (unsigned n = 0; n < 2; ++n) {
        CDXUTElement check = b.Make(Cell(290 + 26 * int(n), 1921, 25, 25), g, DT_VCENTER | DT_NOCLIP);
        SetFontColors(check, c1, c1, c1, c1, c1);
        b.Add(DXUT_CONTROL_CHECKBOX, n, check);
        CDXUTElement radio = b.Make(Cell(290 + 26 * int(n), 1947, 25, 25), g, DT_VCENTER | DT_NOCLIP);
        SetFontColors(radio, c1, c1, c1, c1, c1);
        b.Add(DXUT_CONTROL_RADIOBUTTON, n, radio);
    }

    // Combo box: main, button, drop-down, selection, then the drop-down frame pieces.
    const sRect comboMain[3] = {MakeRect(199, 1926, 229, 1956), MakeRect(259, 1926, 289, 1956), MakeRect(229, 1926, 259, 1956)};
    for (unsigned n = 0; n < 3; ++n) {
        CDXUTElement e = b.Make(comboMain[n], kFaint, DT_CENTER | DT_VCENTER);
        SetFontColors(e, c1, c1, c1, c2, c2);
        b.Add(DXUT_CONTROL_COMBOBOX, n, e);
    }
    {
        CDXUTElement e = b.Make(MakeRect(212, 2033, 287, 2045), kFaint, DT_NOCLIP);
        SetFontColors(e, c2, g, c2, c2, c2);
        b.Add(DXUT_CONTROL_COMBOBOX, 3, e);
    }
    for (unsigned n = 4; n <= 12; ++n) {
        int cell = int(n) - 4;
        CDXUTElement e = b.Make(Cell(212 + 25 * (cell % 3), 1957 + 25 * (cell / 3), 25, 25), g, DT_NOCLIP);
        if (n == 12)
            SetFontColors(e, c1, c1, c2, c2, c2);
        else
            SetFontColors(e, c2, g, c2, c2, c2);
        b.Add(DXUT_CONTROL_COMBOBOX, n, e);
    }

    // Slider: track left, middle, right, thumb, pressed thumb.
    const sRect slider[5] = {MakeRect(136, 1900, 146, 1925), MakeRect(146, 1900, 156, 1925), MakeRect(156, 1900, 166, 1925),
                             MakeRect(167, 1900, 177, 1925), MakeRect(178, 1900, 188, 1925)};
    for (unsigned n = 0; n < 5; ++n) {
        CDXUTElement e = b.Make(slider[n], n < 3 ? kFaint : g, DT_NOCLIP);
        SetFontColors(e, c1, c1, c2, c2, c2);
        b.Add(DXUT_CONTROL_SLIDER, n, e);
    }

    // Progress bar: empty and filled, each left, middle, right.
    for (unsigned n = 0; n < 6; ++n) {
        CDXUTElement e = b.Make(Cell(350 + 5 * int(n % 3), n < 3 ? 1885 : 1910, 5, 25), kFaint, DT_NOCLIP);
        SetFontColors(e, c1, c1, c2, c2, c2);
        b.Add(DXUT_CONTROL_PROGRESSBAR, n, e);
    }

    // Scroll bar: up arrow, track, down arrow, thumb.
    for (unsigned n = 0; n < 3; ++n) {
        CDXUTElement e = b.Make(Cell(290, 1973 + 25 * int(n), 25, 25), kInvisible, DT_NOCLIP);
        SetFontColors(e, c1, c1, c2, c2, c2);
        b.Add(DXUT_CONTROL_SCROLLBAR, n, e);
    }
    {
        CDXUTElement e = b.Make(MakeRect(316, 1973, 341, 2048), g, DT_NOCLIP);
        SetFontColors(e, c1, c1, c2, c2, c2);
        b.Add(DXUT_CONTROL_SCROLLBAR, 3, e);
    }

    // Edit box and memo: text area, then the border pieces.
    const sRect edit[9] = {Cell(178, 1936, 10, 10), Cell(168, 1926, 10, 10), Cell(178, 1926, 10, 10),
                           Cell(188, 1926, 10, 10), Cell(168, 1936, 10, 10), Cell(188, 1936, 10, 10),
                           Cell(168, 1946, 10, 10), Cell(178, 1946, 10, 10), Cell(188, 1946, 10, 10)};
    for (unsigned n = 0; n < 9; ++n) {
        CDXUTElement e = b.Make(edit[n], g, DT_CENTER | DT_VCENTER);
        SetFontColors(e, c1, g, c2, c2, c1);
        b.Add(DXUT_CONTROL_EDITBOX, n, e);
        b.Add(DXUT_CONTROL_MEMO, n, e);
    }

    // The input-method edit box: registered, never created.
    const sRect ime[10] = {MakeRect(14, 90, 241, 113), MakeRect(8, 82, 14, 90),    MakeRect(14, 82, 241, 90),
                           MakeRect(241, 82, 246, 90), MakeRect(8, 90, 14, 113),   MakeRect(241, 90, 246, 113),
                           MakeRect(8, 113, 14, 121),  MakeRect(14, 113, 241, 121), MakeRect(241, 113, 246, 121),
                           MakeRect(0, 0, 136, 54)};
    for (unsigned n = 0; n < 10; ++n) {
        CDXUTElement e = b.Make(ime[n], g, n == 9 ? DT_CENTER | DT_VCENTER : 0);
        if (n == 9)
            SetFontColors(e, c1, g, c1, c1, c1);
        else
            SetFontColors(e, c1, g, c2, c2, c1);
        b.Add(DXUT_CONTROL_IMEEDITBOX, n, e);
    }

    // List box: body frame pieces, header strips, selection and row hover.
    for (unsigned n = 0; n <= 8; ++n) {
        CDXUTElement e = b.Make(Cell(350 + 25 * int(n % 3), 1936 + 25 * int(n / 3), 25, 25), g,
                                n == 8 ? 0 : DT_CENTER | DT_VCENTER);
        if (n == 8)
            SetFontColors(e, c1, c1, c2, c2, c2);
        else
            SetFontColors(e, c1, g, c1, c1, c1);
        b.Add(DXUT_CONTROL_LISTBOX, n, e);
    }
    for (unsigned n = 9; n <= 17; ++n) {
        int k = int(n) - 9;
        CDXUTElement e = b.Make(Cell(425 + 25 * (k / 3), 1936 + 25 * (k % 3), 25, 25), g, DT_CENTER | DT_VCENTER);
        b.Add(DXUT_CONTROL_LISTBOX, n, e);
    }
    for (unsigned n = 18; n <= 19; ++n) {
        CDXUTElement e = b.Make(Cell(350 + 25 * int(n - 18), 2011, 25, 25), g, 0);
        SetFontColors(e, c2, g, c2, c2, c2);
        b.Add(DXUT_CONTROL_LISTBOX, n, e);
    }

    // Frame: for each style a 3 x 3 grid of cells; centre first, then the border pieces.
    struct sFrameStyle
    {
        int x0, y0, w, h;
    };
    const sFrameStyle styles[3] = {{0, 1913, 45, 45}, {1130, 370, 30, 30}, {221, 1895, 10, 10}};
    const int pieceColumn[9] = {1, 0, 1, 2, 0, 2, 0, 1, 2};
    const int pieceRow[9] = {1, 0, 0, 0, 1, 1, 2, 2, 2};
    for (unsigned s = 0; s < 3; ++s) {
        const sFrameStyle& st = styles[s];
        for (unsigned p = 0; p < 9; ++p) {
            CDXUTElement e = b.Make(Cell(st.x0 + st.w * pieceColumn[p], st.y0 + st.h * pieceRow[p], st.w, st.h), g,
                                    DT_CENTER | DT_VCENTER);
            b.Add(DXUT_CONTROL_FRAME, 9 * s + p, e);
        }
    }

    // Tab frame: area frame pieces, then unselected and selected tabs.
    for (unsigned n = 0; n < 9; ++n) {
        CDXUTElement e = b.Make(Cell(190 + 10 * int(n % 3), 1895 + 10 * int(n / 3), 10, 10), g,
                                n == 8 ? DT_VCENTER : DT_CENTER | DT_VCENTER);
        if (n == 8)
            SetFontColors(e, c1, c1, c2, c2, c2);
        else
            SetFontColors(e, c1, g, c2, c2, c1);
        b.Add(DXUT_CONTROL_TABFRAME, n, e);
    }
    for (unsigned n = 9; n <= 14; ++n) {
        CDXUTElement e = b.Make(Cell(65 + 10 * int(n - 9), 1885, 10, 20), g, DT_CENTER | DT_VCENTER);
        b.Add(DXUT_CONTROL_TABFRAME, n, e);
    }
}
