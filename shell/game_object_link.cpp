// The shell's side of the link to the game object: g_Gra itself.
#include "events/events.h"
#include "game/game.h"
#include "shell/links.h"
#include "shell/music_player.h"
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
    // The preferences' slider and a minimised window reach the music of the running game.
    if (!g_GameLink.setMusicVolume)
        g_GameLink.setMusicVolume = [](float volume) {
            if (g_Gra && g_Gra->m_Music)
                g_Gra->m_Music->SetVolume(volume);
        };
    // The opponent's thread fires the event; the cheats dialog only queues it.
    if (!g_GameLink.forceEvent)
        g_GameLink.forceEvent = [](int eventId) { return g_Gra && g_Gra->m_Events && g_Gra->m_Events->ForceEventById(eventId); };
    if (!g_GameLink.onPlayerAction)
        g_GameLink.onPlayerAction = [](bool left, bool right, bool middle, bool side1, bool side2, int wheel, int x,
                                       int y) {
            if (g_Gra)
                g_Gra->OnPlayerAction(left, right, middle, side1, side2, wheel, x, y);
        };
    if (!g_GameLink.onKeyboard)
        g_GameLink.onKeyboard = [](unsigned key, bool down, bool) {
            if (g_Gra)
                g_Gra->OnKeyboard(key, down);
        };
    if (!g_GameLink.onGuiEvent)
        g_GameLink.onGuiEvent = [](unsigned event, int id, CDXUTControl* control) {
            if (g_Gra)
                g_Gra->OnGuiEvent(event, id, control);
        };
}
