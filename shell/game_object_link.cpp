// The shell's side of the link to the game object: g_Gra itself.
#include "events/events.h"
#include "game/game.h"
#include "shell/links.h"
#include "world/map.h"

void LinkGameObject()
{
    if (!g_GameLink.exists)
        g_GameLink.exists = [] { return g_Gra != nullptr; };
    if (!g_GameLink.state)
        g_GameLink.state = [] { return g_Gra ? g_Gra->GetGameState() : -1; };
    if (!g_GameLink.destroy)
        g_GameLink.destroy = [] { DeleteGameObject(); };
    if (!g_ShellLinks.drawMinimapViewFrame)
        g_ShellLinks.drawMinimapViewFrame = [] {
            if (g_Gra && g_Gra->m_Mapa) {
                g_Gra->m_Mapa->DrawMinimapOverlay();
                g_Gra->m_Mapa->DrawMinimapViewFrame();
            }
        };
    if (!g_GameLink.render)
        g_GameLink.render = [](cRenderer* device, float elapsed) {
            if (g_Gra)
                g_Gra->Render(device, elapsed);
        };
    // The opponent's thread fires the event; the cheats dialog only queues it.
    if (!g_GameLink.forceEvent)
        g_GameLink.forceEvent = [](int eventId) { return g_Gra && g_Gra->m_Events && g_Gra->m_Events->ForceEventById(eventId); };
}
