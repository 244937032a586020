// The game screen's frame: the map, then the panels over it.
#include "game/game.h"
#include "game/play_state.h"
#include "game/unit_move.h"
#include "units/unit.h"
#include "gui/layout.h"
#include "platform/sprite.h"
#include "shell/frame_callbacks.h"
#include "shell/links.h"
#include "world/country.h"
#include "world/map.h"

void cGra::FillMapPlayView()
{
    sMapPlayView& view = m_Mapa->playView;
    view = sMapPlayView{};
    if (!m_PlayState)
        return;
    const cPanstwo* active = m_PlayState->GetActiveCountry();
    view.activeCountry = active ? active->ID : 0;
    view.highlightedHex = m_PlayState->GetHoveredHex();
    view.unitInMotion = m_PlayState->GetCurrentMove().GetUnit();
    // The planned assault: arrows on the defender from the sides its attackers stand on.
    if (const sAssaultPlan* plan = m_PlayState->GetAssaultPlan(); plan && m_Mapa->IsInside(plan->x, plan->y)) {
        const cUnit* defender = m_Mapa->GetHex(plan->x, plan->y)->unit;
        if (defender && defender->m_Id == plan->defenderId && defender->m_Category == plan->defenderCategory) {
            view.assaultDefender = defender;
            for (int side = 0; side < 6; ++side)
                view.assaultDirections[side] = plan->attackerIds[side] != 0;
        }
    }
}

void cGra::Render(cRenderer* device, float elapsed)
{
    cSprite* sprite = g_Sprite.get();
    // Sorted by depth, not by texture: without a depth buffer the batch itself must lay the
    // map's layers (sprites_depth.csv) over one another, and there is no depth to clear after
    // the frames. The renderer filters a texture linearly or not at all: no anisotropic filter.
    if (m_Mapa && sprite && Succeeded(sprite->Begin(SPRITE_ALPHABLEND | SPRITE_SORT_DEPTH_BACKTOFRONT))) {
        FillMapPlayView();
        m_Mapa->Render();
        sprite->End();
    }
    // A rectangle the layout lacks has no panel under it: cleared, its widened outline would
    // blacken a speck of the map's corner.
    if (device) {
        const sRect& minimap = g_MinimapOutline;
        device->FillRect(sRectF{float(minimap.left), float(minimap.top), float(minimap.right), float(minimap.bottom)},
                         0xFF000000);
        const sLayoutRect& info = g_GuiLayout[331];
        device->FillRect(sRectF{float(info.x), float(info.y), float(info.x + info.width), float(info.y + info.height)},
                         0xFF000000);
    }
    for (iPanelScreen* panel : PanelsInDrawingOrder())
        panel->OnRender(elapsed);
}
