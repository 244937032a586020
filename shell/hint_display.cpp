#include "shell/hint_display.h"

#include <algorithm>

#include "core/settings.h"
#include "gui/control.h"
#include "gui/gui_atlas.h"
#include "gui/gui_hooks.h"
#include "gui/layout.h"
#include "platform/clock.h"
#include "platform/messages.h"
#include "shell/draw_helpers.h"
#include "shell/dxut.h"
#include "shell/frame_callbacks.h"
#include "shell/links.h"
#include "shell/textures.h"
#include "world/hoverable.h"

cHintDisplay g_HintDisplay;

namespace {

constexpr int kCell = gui_atlas::kTabAreaCell;
constexpr int kWrapWidth = 200;

int BackBufferWidth()
{
    cRenderer* device = DXUTGetD3DDevice();
    return device ? device->BackBufferWidth() : g_UserSettings.resolutionX;
}

int BackBufferHeight()
{
    cRenderer* device = DXUTGetD3DDevice();
    return device ? device->BackBufferHeight() : g_UserSettings.resolutionY;
}

sRect FrameCell(int column, int row)
{
    const gui_atlas::sRect r = gui_atlas::GridCell(gui_atlas::kTabAreaX, gui_atlas::kTabAreaY, kCell, column, row);
    return sRect{r.left, r.top, r.right, r.bottom};
}

} // namespace

void cHintDisplay::SetStyle(int offsetX, int offsetY, int, int, int delay, const wchar_t* text)
{
    m_OffsetX = offsetX;
    m_OffsetY = offsetY;
    delayMs = delay;
    leftDown = rightDown = false;
    leftDragging = rightDragging = false;
    leftUp = rightUp = false;
    rightPressedNow = leftReleasedNow = false;
    leftDragX = leftDragY = rightDragX = rightDragY = 0;
    leftPressX = leftPressY = rightPressX = rightPressY = 0;
    RestartHover();
    m_Started = false;
    SetText(text);
    m_Hoverable = nullptr;
    m_Control = nullptr;
}

void cHintDisplay::UpdateMouse(bool left, bool right, int x, int y)
{
    pointerX = x;
    pointerY = y;
    dragModifier = GuiKeyDown(VK_CONTROL);
    leftReleasedNow = false;
    // A click on a control that takes it: its hint has served, and would cover what the click
    // opens (a drop-down's list). A greyed control's hint stays: it says why nothing happened.
    if (!leftDown && left && m_Control && m_Control->GetEnabled())
        GiveWayToTyping();
    if (!leftDown && left) {
        leftPressX = x;
        leftPressY = y;
        leftDragging = true;
        leftUp = false;
        leftDragX = leftDragY = 0;
    } else if (leftDown && !left) {
        leftReleasedNow = true;
        leftDragging = false;
        leftUp = true;
    }
    if (leftDragging) {
        leftDragX = x - leftPressX;
        leftDragY = y - leftPressY;
    }
    leftDown = left;
    rightPressedNow = false;
    if (!rightDown && right) {
        rightPressedNow = true;
        rightDragging = true;
        rightPressX = x;
        rightPressY = y;
        rightUp = false;
        rightDragX = rightDragY = 0;
    } else if (rightDown && !right) {
        rightDragging = false;
        rightUp = true;
    }
    if (rightDragging) {
        rightDragX = x - rightPressX;
        rightDragY = y - rightPressY;
    }
    rightDown = right;
}

void cHintDisplay::SetText(const wchar_t* text)
{
    if (!text || !*text) {
        RestartHover();
        m_Text.reset();
        FitHoverable();
        return;
    }
    if (!HasHint())
        RestartHover();
    m_Text = std::wstring(text);
    Measure();
}

void cHintDisplay::RestartHover()
{
    m_HoverMs = 0;
    m_HintSinceMs = GetTickMs();
}

void cHintDisplay::Measure()
{
    m_Width = m_Height = 0;
    cFont* font = g_GuiFonts[0].font.get();
    if (!m_Text || !font)
        return;
    sRect r{0, 0, kWrapWidth, 20};
    font->DrawText(g_Sprite.get(), *m_Text, -1, &r, DT_CALCRECT | DT_WORDBREAK, 0xFFFFFFFF);
    m_Width = r.Width() + 10;
    m_Height = r.Height() + 10;
}

void cHintDisplay::SetHoverable(const cHoverable* object)
{
    m_Hoverable = object;
    if (!object)
        return;
    RestartHover();
    m_Text.reset();
    FitHoverable();
}

void cHintDisplay::FitHoverable()
{
    // The box keeps the size of what it still shows: a control's hint that came and went over
    // a hoverable's must not leave it sized as nothing, or it would run off the screen's edge.
    m_Width = m_Height = 0;
    if (m_Hoverable)
        m_Hoverable->GetHintSize(m_Width, m_Height);
}

void cHintDisplay::SetControl(CDXUTControl* control, bool force)
{
    if (control == m_Control && !force)
        return;
    m_Control = control;
    m_GivenWay = false;
    if (control) {
        SetText(control->GetHint());
        return;
    }
    RestartHover();
    m_Text.reset();
    FitHoverable();
}

void cHintDisplay::BoxPosition(float& x, float& y) const
{
    x = float(pointerX + m_OffsetX);
    y = float(pointerY + m_OffsetY);
    if (x + float(m_Width) > float(BackBufferWidth()))
        x -= float(m_OffsetX + m_Width);
    if (y + float(m_Height) > float(BackBufferHeight()))
        y -= float(m_OffsetY + m_Height);
    // Flipped or not, the whole box stands on the screen: where there is no room on either
    // side of the pointer, it stands at the edge.
    x = std::clamp(x, 0.0f, std::max(0.0f, float(BackBufferWidth() - m_Width)));
    y = std::clamp(y, 0.0f, std::max(0.0f, float(BackBufferHeight() - m_Height)));
}

void cHintDisplay::Render()
{
    const uint32_t now = GetTickMs();
    // The loop sleeps while nothing changes: a hint that came after such a pause counts
    // only the time since it came, or it would show at once.
    const int elapsed = m_Started ? int(std::min(now - m_LastFrameMs, now - m_HintSinceMs)) : 0;
    m_Started = true;
    m_LastFrameMs = now;
    if (!HasHint() || m_GivenWay)
        return;
    if (m_HoverMs < delayMs) {
        m_HoverMs += elapsed;
        // The frame that shows it comes when the pointer has rested long enough.
        DXUTWantFrameIn(double(std::max(0, delayMs - m_HoverMs)) / 1000.0);
        return;
    }
    // A text measured before the fonts existed is measured now.
    if (m_Text && m_Width == 0)
        Measure();
    float x = 0, y = 0;
    BoxPosition(x, y);
    cSprite* sprite = g_Sprite.get();
    if (!sprite)
        return;
    const bool begun = Succeeded(sprite->Begin(SPRITE_ALPHABLEND));
    if (m_Text) {
        cTexture* gui = g_Textures[TEX_GUI].Get();
        const float w = float(m_Width), h = float(m_Height), c = float(kCell);
        struct sPiece
        {
            int column, row;
            float x, y, w, h;
        };
        const sPiece pieces[9] = {
            {1, 0, x + c, y, w - 2 * c, c},         {1, 2, x + c, y + h - c, w - 2 * c, c},
            {0, 1, x, y + c, c, h - 2 * c},         {2, 1, x + w - c, y + c, c, h - 2 * c},
            {1, 1, x + c, y + c, w - 2 * c, h - 2 * c}, {0, 0, x, y, c, c},
            {2, 0, x + w - c, y, c, c},             {0, 2, x, y + h - c, c, c},
            {2, 2, x + w - c, y + h - c, c, c},
        };
        if (gui)
            for (const sPiece& p : pieces)
                if (p.w > 0 && p.h > 0)
                    DrawSpriteScaled(sprite, gui, FrameCell(p.column, p.row), p.x, p.y, p.w, p.h, 0xFFFFFFFF, 0.0f,
                                     false);
        if (cFont* font = g_GuiFonts[0].font.get()) {
            sRect r{int(x + 5), int(y), int(x + 5 + w), int(y + h)};
            font->DrawText(sprite, *m_Text, -1, &r, DT_WORDBREAK | DT_VCENTER, 0xFFFFFFFF);
        }
    } else if (m_Hoverable) {
        sprite->SetTransform(sMatrix2D::Identity());
        m_Hoverable->DrawHint(x, y);
    }
    if (begun)
        sprite->End();
}

void cHintDisplay::ForgetClick()
{
    leftDown = false;
    leftReleasedNow = false;
    leftUp = false;
}

void cHintDisplay::GiveWayToTyping()
{
    // A map object's hint stays: the arrow keys scroll the map under it.
    if (m_Control && m_Text)
        m_GivenWay = true;
}

void InstallHintDisplay()
{
    g_GuiHooks.hintSetControl = [](CDXUTControl* control, bool force) { g_HintDisplay.SetControl(control, force); };
    g_GuiHooks.hintControl = [] { return g_HintDisplay.Control(); };
    g_ShellLinks.hintUpdateMouse = [](bool left, bool right, int x, int y) { g_HintDisplay.UpdateMouse(left, right, x, y); };
    g_ShellLinks.hintRender = [] { g_HintDisplay.Render(); };
    g_ShellLinks.hintForgetClick = [] { g_HintDisplay.ForgetClick(); };
    g_ShellLinks.hintForgetHoverable = [] { g_HintDisplay.SetHoverable(nullptr); };
    g_ShellLinks.hintGiveWayToTyping = [] { g_HintDisplay.GiveWayToTyping(); };
    g_ShellLinks.hintInit = [](int offsetX, int offsetY, int marginX, int marginY, int delayMs) {
        g_HintDisplay.SetStyle(offsetX, offsetY, marginX, marginY, delayMs, nullptr);
    };
}
