#pragma once
// The minimap with the frame of the visible area, the date, and the buttons for zoom and
// the three ways the map is drawn.
#include "dialogs/panel.h"

constexpr int kMinimapPanelRow = 310;
constexpr int kMinimapDateId = 311;
constexpr int kMinimapPictureId = 315;
constexpr int kMinimapZoomInId = 316;
constexpr int kMinimapZoomOutId = 317;
constexpr int kMinimapBorderModeId = 318;
constexpr int kMinimapOwnershipModeId = 319;
constexpr int kMinimapMapModeId = 320;

class cMinimapPanel : public cPanel
{
public:
    cMinimapPanel();

    void OnRender(float elapsed) override;
    bool MsgProc(unsigned message, uintptr_t wParam, intptr_t lParam) override;
    // The commands of its buttons and picture, as the game's command handler receives them.
    void OnGUIEvent(unsigned event, int controlId, CDXUTControl* control) override;

    // The map has made its minimap picture (pictureWidth x pictureHeight texture pixels)
    // and shows it in the rectangle.
    void SetMinimapRect(const sLayoutRect& rect, int pictureWidth, int pictureHeight);
    const sLayoutRect& MinimapRect() const { return m_MinimapRect; }
    void RefreshDateLabel();

private:
    void OnMinimapClicked();
    void OnZoomPressed(float steps);
    void OnOwnershipModePressed();
    void OnBorderModePressed();
    void OnMapModePressed();

    sLayoutRect m_MinimapRect;
    int m_MouseX = 0;
    int m_MouseY = 0;
    // The left button went down on the picture and is still held.
    bool m_DraggingView = false;
};

cMinimapPanel* MinimapPanel();
