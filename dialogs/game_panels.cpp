#include "dialogs/game_panels.h"

#include "dialogs/attack_panel.h"
#include "dialogs/diplomacy_panel.h"
#include "dialogs/hex_panel.h"
#include "dialogs/info_panel.h"
#include "dialogs/minimap_panel.h"
#include "dialogs/unit_panel.h"

namespace {

// Every panel of the game screen, each destroyed with the game.
iPanelScreen** const kPanels[] = {&g_MinimapPanel, &g_HexPanel, &g_UnitPanel, &g_AttackPanel, &g_DiplomacyPanel,
                                  &g_InfoPanel};

} // namespace

void CreateGamePanels()
{
    DestroyGamePanels();
    g_InfoPanel = new cInfoPanel;
    // These four start folded; the info panel's buttons show them.
    g_UnitPanel = new cUnitPanel;
    g_AttackPanel = new cAttackPanel;
    g_DiplomacyPanel = new cDiplomacyPanel;
    g_HexPanel = new cHexPanel;
    g_MinimapPanel = new cMinimapPanel;
    ResetPanelOrder();
    for (iPanelScreen* screen : {g_HexPanel, g_UnitPanel, g_AttackPanel})
        PanelOf(screen)->SetMinimized(true);
}

void DestroyGamePanels()
{
    // No window of the game outlives it; whoever waits for one gets its answer.
    CloseTopDialogs(-1);
    FlushClosedDialogs();
    // Each global is cleared before the next panel goes, so none points at a freed one.
    for (iPanelScreen** panel : kPanels) {
        cPanel* gone = PanelOf(*panel);
        *panel = nullptr;
        delete gone;
    }
}

void RenderGamePanels(float elapsed)
{
    for (iPanelScreen* panel : PanelsInDrawingOrder())
        panel->OnRender(elapsed);
}
