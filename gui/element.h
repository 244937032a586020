#pragma once
// How one part of a control is drawn: a piece of a texture and a font, each with a colour
// per control state that the current colour blends toward.
#include <array>
#include <cstdint>

#include "platform/geometry.h"
#include "platform/text_layout.h"

// Control type codes.
enum eControlType
{
    DXUT_CONTROL_BUTTON = 0,
    DXUT_CONTROL_ICON = 1,
    DXUT_CONTROL_IMAGE = 2,
    DXUT_CONTROL_STATIC = 3,
    DXUT_CONTROL_CHECKBOX = 4,
    DXUT_CONTROL_RADIOBUTTON = 5,
    DXUT_CONTROL_COMBOBOX = 6,
    DXUT_CONTROL_SLIDER = 7,
    DXUT_CONTROL_EDITBOX = 8,
    DXUT_CONTROL_MEMO = 9,
    DXUT_CONTROL_IMEEDITBOX = 10,
    DXUT_CONTROL_LISTBOX = 11,
    DXUT_CONTROL_SCROLLBAR = 12,
    DXUT_CONTROL_FRAME = 13,
    DXUT_CONTROL_TABFRAME = 14,
    DXUT_CONTROL_PROGRESSBAR = 15,
};

// Control states, the index of a state's colour.
enum eControlState
{
    DXUT_STATE_NORMAL = 0,
    DXUT_STATE_DISABLED = 1,
    DXUT_STATE_HIDDEN = 2,
    DXUT_STATE_FOCUS = 3,
    DXUT_STATE_MOUSEOVER = 4,
    DXUT_STATE_PRESSED = 5,
};
constexpr int kControlStateCount = 6;

constexpr tColor kDisabledGrey = 0xC8808080;

// A colour in floats 0..1.
struct sColorF
{
    float r = 0, g = 0, b = 0, a = 0;
    static sColorF FromArgb(tColor c);
    tColor ToArgb() const;
};

struct DXUTBlendColor
{
    std::array<tColor, kControlStateCount> States{};
    sColorF Current;

    // Normal, focus, mouse-over and pressed take the normal colour; the current colour
    // starts at the hidden one, so a new element fades in.
    void Init(tColor normal, tColor disabled = kDisabledGrey, tColor hidden = 0);
    // Moves the current colour toward the state's colour by 1 - rate^(30 * elapsed).
    void Blend(int state, float elapsed, float rate = 0.7f);
    // Sets the current colour to the state's colour at once.
    void SetCurrent(int state);
};

struct CDXUTElement
{
    int iTexture = -1;              // slot in the dialog's texture list
    int iFont = 0;                  // slot in the dialog's font list
    uint32_t dwTextFormat = DT_CENTER | DT_VCENTER;
    sRect rcTexture;
    DXUTBlendColor TextureColor;
    DXUTBlendColor FontColor;

    CDXUTElement();
    void SetTexture(int texture, const sRect& rect, tColor defaultColor = 0xFFFFFFFF);
    void SetFont(int font, tColor defaultColor = 0xFFFFFFFF, uint32_t textFormat = DT_CENTER | DT_VCENTER);
    // Both current colours go back to the hidden colours.
    void Refresh();
};
