// The game screen's frame: the map, then the panels over it.
#include "game/game.h"
#include "game/play_state.h"
#include "gui/layout.h"
#include "platform/sprite.h"
#include "shell/frame_callbacks.h"
#include "shell/links.h"
#include "world/country.h"
#include "world/map.h"

void cGra::Render(cRenderer* device, float elapsed)
{
    cSprite* sprite = g_Sprite.get();
    if (m_Mapa && sprite && Succeeded(sprite->Begin(SPRITE_ALPHABLEND | SPRITE_SORT_DEPTH_BACKTOFRONT))) {
        const cPanstwo* active = m_PlayState ? m_PlayState->GetActiveCountry() : nullptr;
        m_Mapa->playView.activeCountry = active ? active->ID : 0;
        m_Mapa->Render();
        sprite->End();
    }
    if (device) {
        const sRect& minimap = g_MinimapOutline;
        if (g_GuiLayout[315].width > 0 && g_GuiLayout[315].height > 0)
            device->FillRect(sRectF{float(minimap.left), float(minimap.top), float(minimap.right), float(minimap.bottom)},
                             0xFF000000);
        const sLayoutRect& info = g_GuiLayout[331];
        if (info.width > 0 && info.height > 0)
            device->FillRect(sRectF{float(info.x), float(info.y), float(info.x + info.width), float(info.y + info.height)},
                             0xFF000000);
    }
    iPanelScreen* panels[] = {g_MinimapPanel, g_HexPanel, g_UnitPanel, g_AttackPanel, g_DiplomacyPanel, g_InfoPanel};
    for (iPanelScreen* panel : panels)
        if (panel)
            panel->OnRender(elapsed);
}
