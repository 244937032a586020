#include "dialogs/game_panels.h"

#include "dialogs/diplomacy_panel.h"
#include "dialogs/info_panel.h"
#include "dialogs/minimap_panel.h"

void CreateGamePanels()
{
    DestroyGamePanels();
    g_InfoPanel = new cInfoPanel;
    g_MinimapPanel = new cMinimapPanel;
    // Starts folded; the info panel's button shows it.
    g_DiplomacyPanel = new cDiplomacyPanel;
}

void DestroyGamePanels()
{
    // No window of the game outlives it; whoever waits for one gets its answer.
    CloseTopDialogs(-1);
    FlushClosedDialogs();
    for (iPanelScreen** panel : {&g_DiplomacyPanel, &g_MinimapPanel, &g_InfoPanel}) {
        delete PanelOf(*panel);
        *panel = nullptr;
    }
}

void RenderGamePanels(float elapsed)
{
    for (iPanelScreen* screen : {g_MinimapPanel, g_DiplomacyPanel, g_InfoPanel})
        if (cPanel* panel = PanelOf(screen))
            panel->OnRender(elapsed);
}
