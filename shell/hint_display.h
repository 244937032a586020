#pragma once
// The hint box that follows the mouse, and the mouse state of the game screen and the
// sea-battle screen: where the pointer is, which buttons are down, where a press began,
// how far a held button has dragged, and the one-update click flags.
#include <cstdint>
#include <optional>
#include <string>

class CDXUTControl;
class cHoverable;

class cHintDisplay
{
public:
    // Offsets of the box from the pointer and the time a hint must stand before it shows;
    // clears the buttons, drags and clicks, then shows the text (or none).
    void SetStyle(int offsetX, int offsetY, int unused1, int unused2, int delayMs, const wchar_t* text);
    // Every mouse event of the menus and the game screen. A left click is reported on
    // release, a right click on press.
    void UpdateMouse(bool left, bool right, int x, int y);
    // The display keeps its own copy: a window closed or a row refilled while its hint shows
    // would leave it reading a freed text. Null or empty clears the hint.
    void SetText(const wchar_t* text);
    // A game object that draws its own hint; null clears only the hoverable. Any object, the
    // one already shown too, waits the delay anew.
    void SetHoverable(const cHoverable* object);
    const cHoverable* Hoverable() const { return m_Hoverable; }
    // The control whose hint shows; the same control again changes nothing unless forced.
    void SetControl(CDXUTControl* control, bool force);
    // Once a frame, after every dialog, so that the hint lies on top of everything.
    void Render();
    // A window opened or closed: the click that did it must not reach the map. The held
    // button is forgotten too: a window opened by a press would else take its release as a
    // click on the map.
    void ForgetClick();
    // A key pressed: the hint of the control under the pointer gives way until the pointer
    // leaves the control, as a click on it does: a field's hint would cover what the player
    // looks for next (the e-mail field's, the Save player button under it).
    void GiveWayToTyping();

    // Where the box is drawn for the current pointer: flipped left of the pointer or above
    // it when it would leave the back buffer, and always wholly inside it.
    void BoxPosition(float& x, float& y) const;
    bool HasHint() const { return m_Text.has_value() || m_Hoverable; }
    bool IsShown() const { return HasHint() && m_HoverMs >= delayMs && !m_GivenWay; }
    int HintWidth() const { return m_Width; }
    int HintHeight() const { return m_Height; }
    CDXUTControl* Control() const { return m_Control; }

    // The mouse state, read by the screens.
    bool leftDown = false, rightDown = false;
    int pointerX = 0, pointerY = 0;
    int leftPressX = 0, leftPressY = 0;
    int rightPressX = 0, rightPressY = 0;
    bool leftDragging = false, rightDragging = false;
    bool leftUp = false, rightUp = false;   // released since the last press
    int leftDragX = 0, leftDragY = 0;
    int rightDragX = 0, rightDragY = 0;
    bool rightPressedNow = false;           // in this update only
    bool leftReleasedNow = false;           // in this update only
    // Ctrl held: a map drag goes twice as far. The map's camera asks for a modifier that the
    // hint display's own mouse state does not keep: it is read with the buttons.
    bool dragModifier = false;
    int delayMs = 0;                        // the preferences write a new delay here

private:
    void Measure();
    // The hover time starts again from now.
    void RestartHover();
    // The box's size from the hoverable, or none without one.
    void FitHoverable();

    uint32_t m_LastFrameMs = 0;
    uint32_t m_HintSinceMs = 0;
    bool m_Started = false;
    int m_OffsetX = 20, m_OffsetY = 20;
    int m_HoverMs = 0;
    int m_Width = 0, m_Height = 0;
    std::optional<std::wstring> m_Text;
    const cHoverable* m_Hoverable = nullptr;
    CDXUTControl* m_Control = nullptr;
    bool m_GivenWay = false;
};

extern cHintDisplay g_HintDisplay;

// Puts the hint display into the toolkit's and the shell's hooks.
void InstallHintDisplay();
