#include "gui/element.h"

#include <algorithm>
#include <cmath>

#include "gui/gui_hooks.h"

sColorF sColorF::FromArgb(tColor c)
{
    return sColorF{ColorR(c) / 255.0f, ColorG(c) / 255.0f, ColorB(c) / 255.0f, ColorA(c) / 255.0f};
}

tColor sColorF::ToArgb() const
{
    auto channel = [](float v) { return unsigned(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); };
    return MakeArgb(channel(a), channel(r), channel(g), channel(b));
}

void DXUTBlendColor::Init(tColor normal, tColor disabled, tColor hidden)
{
    for (auto& state : States)
        state = normal;
    States[DXUT_STATE_DISABLED] = disabled;
    States[DXUT_STATE_HIDDEN] = hidden;
    Current = sColorF::FromArgb(hidden);
}

void DXUTBlendColor::Blend(int state, float elapsed, float rate)
{
    if (state < 0 || state >= kControlStateCount)
        return;
    sColorF target = sColorF::FromArgb(States[state]);
    float t = 1.0f - std::pow(rate, 30.0f * elapsed);
    Current.r += (target.r - Current.r) * t;
    Current.g += (target.g - Current.g) * t;
    Current.b += (target.b - Current.b) * t;
    Current.a += (target.a - Current.a) * t;
    // Still on its way: the fade wants the next frame. Below a step of the 8-bit colour
    // nothing shows.
    const float left = std::max({std::fabs(target.r - Current.r), std::fabs(target.g - Current.g),
                                 std::fabs(target.b - Current.b), std::fabs(target.a - Current.a)});
    if (left > 0.5f / 255.0f)
        GuiWantFrameIn(0.0);
}

void DXUTBlendColor::SetCurrent(int state)
{
    if (state >= 0 && state < kControlStateCount)
        Current = sColorF::FromArgb(States[state]);
}

CDXUTElement::CDXUTElement()
{
    TextureColor.Init(0xFFFFFFFF);
    FontColor.Init(0xFFFFFFFF);
}

void CDXUTElement::SetTexture(int texture, const sRect& rect, tColor defaultColor)
{
    iTexture = texture;
    rcTexture = rect;
    TextureColor.Init(defaultColor);
}

void CDXUTElement::SetFont(int font, tColor defaultColor, uint32_t textFormat)
{
    iFont = font;
    dwTextFormat = textFormat;
    FontColor.Init(defaultColor);
}

void CDXUTElement::Refresh()
{
    TextureColor.Current = sColorF::FromArgb(TextureColor.States[DXUT_STATE_HIDDEN]);
    FontColor.Current = sColorF::FromArgb(FontColor.States[DXUT_STATE_HIDDEN]);
}
