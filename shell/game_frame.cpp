#include "shell/game_frame.h"

#include "ai/ai_thread.h"
#include "core/log.h"
#include "game/game.h"
#include "game/game_state.h"
#include "shell/dxut.h"
#include "shell/links.h"
#include "shell/music_player.h"
#include "world/map.h"

void GameFrameMove(cRenderer*, double, float elapsed)
{
    if (!g_Gra)
        return;
    if (!DXUTIsRenderingPaused() && g_Gra->m_Music)
        g_Gra->m_Music->Update();
    if (g_Gra->m_Mapa)
        g_Gra->m_Mapa->FrameMove(elapsed);
    if (g_DialogLinks.updateCountdown)
        g_DialogLinks.updateCountdown(elapsed);
}

void BeginOtherSidePhase()
{
    if (g_DialogLinks.beginOtherSidePhase)
        g_DialogLinks.beginOtherSidePhase();
    if (g_Gra)
        g_Gra->SetGameState(kStateComputer);
}

void BeginPlayerPhase()
{
    if (g_DialogLinks.beginPlayerPhase)
        g_DialogLinks.beginPlayerPhase();
    if (g_Gra)
        g_Gra->SetGameState(kStateHuman);
}

void CenterCameraOnHex(int x, int y)
{
    if (g_Gra && g_Gra->m_Mapa)
        g_Gra->m_Mapa->CenterAtHex(x, y);
}
