#include "dialogs/minimap_panel.h"

#include <algorithm>

#include "core/game_date.h"
#include "core/settings.h"
#include "core/stringbase.h"
#include "game/game.h"
#include "gui/controls.h"
#include "gui/gui_atlas.h"
#include "shell/frame_callbacks.h"
#include "shell/game_input.h"
#include "shell/textures.h"
#include "world/map.h"

namespace {

constexpr unsigned kMinimapSlot = 6;

} // namespace

cMinimapPanel* MinimapPanel() { return dynamic_cast<cMinimapPanel*>(g_MinimapPanel); }

cMinimapPanel::cMinimapPanel() : cPanel(-1, LayoutRow(kMinimapPanelRow))
{
    // Row 4: the panel's background in the GUI picture (left, top, right, bottom).
    const sLayoutRect background = LayoutRow(4);
    AddGuiPicture(kMinimapPanelRow, background.x, background.y, background.width, background.height);
    // A blank text over the background, so that the panel takes the clicks it covers.
    AddText(kMinimapPanelRow, L"")->SetEnabled(true);
    AddText(kMinimapDateId, LangText("-"))->m_dwTextFormat = DT_CENTER | DT_VCENTER;
    struct sButton
    {
        int id;
        int index; // in gui_atlas::kMinimapButtons
        const char* hint;
    };
    const sButton buttons[] = {
        {kMinimapZoomInId, 0, "zoom_in"},
        {kMinimapZoomOutId, 1, "zoom_out"},
        {kMinimapOwnershipModeId, 2, "change_ownership_draw_mode"},
        {kMinimapBorderModeId, 3, "change_border_draw_mode"},
        {kMinimapMapModeId, 4, "change_map_draw_mode"},
    };
    for (const sButton& button : buttons) {
        const sLayoutRect at = LayoutRow(button.id);
        CDXUTIcon* icon = nullptr;
        // Our GUI picture is our art generator's: it draws these buttons again at the sizes
        // the layouts show them, and the cell drawn nearest to this screen's size is cut.
        const gui_atlas::sRect cell = gui_atlas::MinimapButton(button.index, at.width);
        AddIcon(button.id, cell.left, cell.top, cell.right, cell.bottom, at.x, at.y, at.width, at.height, 0, false,
                &icon);
        if (icon)
            icon->SetHint(LangText(button.hint));
    }
    SetCallback(CommandGUIEvent);
}

void cMinimapPanel::OnRender(float elapsed)
{
    if (GetMinimized())
        return;
    cDialog::OnRender(elapsed);
    if (g_ShellLinks.drawMinimapViewFrame)
        g_ShellLinks.drawMinimapViewFrame();
}

bool cMinimapPanel::MsgProc(unsigned message, uintptr_t wParam, intptr_t lParam)
{
    // Where the minimap is clicked, for the picture's command.
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP) {
        m_MouseX = MessageX(lParam);
        m_MouseY = MessageY(lParam);
    }
    // A press on the picture held and moved drags the view along, as on any minimap; out over
    // the map the view stays at the picture's edge nearest the pointer.
    CDXUTControl* picture = GetControl(kMinimapPictureId);
    // A release over another panel may not reach this one: the held button says the drag goes on.
    if (message == WM_MOUSEMOVE && !(wParam & MK_LBUTTON))
        m_DraggingView = false;
    if (message == WM_MOUSEMOVE && m_DraggingView && picture) {
        const sRect area = ToScreenRect(picture->GetBoundingBox());
        m_MouseX = std::clamp(MessageX(lParam), area.left, area.right - 1);
        m_MouseY = std::clamp(MessageY(lParam), area.top, area.bottom - 1);
        OnMinimapClicked();
    }
    const bool taken = cPanel::MsgProc(message, wParam, lParam);
    if (message == WM_LBUTTONDOWN)
        m_DraggingView = taken && picture && ToScreenRect(picture->GetBoundingBox()).Contains(m_MouseX, m_MouseY);
    else if (message == WM_LBUTTONUP)
        m_DraggingView = false;
    return taken;
}

void cMinimapPanel::SetMinimapRect(const sLayoutRect& rect, int pictureWidth, int pictureHeight)
{
    m_MinimapRect = rect;
    RemoveControl(kMinimapPictureId);
    SetTexture(kMinimapSlot, g_Textures[TEX_PREVIEW_MINIMAP].Path());
    CDXUTImage* image = nullptr;
    AddImage(kMinimapPictureId, int(kMinimapSlot), 0, 0, pictureWidth, pictureHeight, rect.x, rect.y, rect.width,
             rect.height, 0, false, &image);
    // Enabled, so that a click on it is a command.
    if (image)
        image->SetEnabled(true);
}

void cMinimapPanel::RefreshDateLabel()
{
    // The opponent's thread moves the turn and the date on under the lock.
    cWindowLock lock;
    if (!g_Gra)
        return;
    std::wstring date;
    if (g_Gra->m_Turn == 1 && g_Gra->m_DisplayedDate[0] > 0) {
        // A saved game may carry any number as its month.
        const int month = std::clamp(g_Gra->m_DisplayedDate[1], 1, 12);
        date = FormatText(L"%i-%lS-%i", g_Gra->m_DisplayedDate[0], MonthName(month), g_Gra->m_DisplayedDate[2]);
    } else {
        sGameDate gameDate = g_Gra->GetGameDate();
        gameDate.month = std::clamp(gameDate.month, 1, 12);
        date = FormatGameDate(gameDate);
    }
    if (auto* label = static_cast<CDXUTStatic*>(GetControl(kMinimapDateId, DXUT_CONTROL_STATIC)))
        label->SetText(LangFormat("%s_(turn_%i/%i)", date, g_Gra->m_Turn, g_Gra->m_Turn + g_Gra->m_TurnsLeft));
}

void cMinimapPanel::OnGUIEvent(unsigned, int controlId, CDXUTControl*)
{
    switch (controlId) {
    case kMinimapPictureId: OnMinimapClicked(); break;
    case kMinimapZoomInId: OnZoomPressed(1.0f); break;
    case kMinimapZoomOutId: OnZoomPressed(-1.0f); break;
    case kMinimapOwnershipModeId: OnOwnershipModePressed(); break;
    case kMinimapBorderModeId: OnBorderModePressed(); break;
    case kMinimapMapModeId: OnMapModePressed(); break;
    default: break;
    }
}

void cMinimapPanel::OnMinimapClicked()
{
    cWindowLock lock;
    if (g_Gra && g_Gra->m_Mapa)
        g_Gra->m_Mapa->CenterAtMinimapPoint(m_MouseX, m_MouseY);
}

void cMinimapPanel::OnZoomPressed(float steps)
{
    cWindowLock lock;
    // At the middle of the screen: the zoom takes the point's offset from the middle.
    if (g_Gra && g_Gra->m_Mapa)
        g_Gra->m_Mapa->Zoom(steps, 0, 0);
}

// As F7 and F6 do.
void cMinimapPanel::OnOwnershipModePressed() { CycleOwnershipMode(); }

void cMinimapPanel::OnBorderModePressed() { CycleBorderMode(); }

void cMinimapPanel::OnMapModePressed()
{
    int& mode = g_UserSettings.mapMode;
    if (mode == 0)
        mode = 2;
    else if (mode == 2)
        mode = 0;
    g_Settings.SetInt("MapDisplay/Mode", mode);
}
