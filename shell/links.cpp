#include "shell/links.h"

#include <algorithm>
#include <array>

sGameLink g_GameLink;
sShellLinks g_ShellLinks;
sDialogLinks g_DialogLinks;

iMenuScreen* g_CurrentMenu = nullptr;
iStackDialog* g_CurrentDialog = nullptr;
std::vector<iStackDialog*> g_OpenDialogs;
iPanelScreen* g_InfoPanel = nullptr;
iPanelScreen* g_DiplomacyPanel = nullptr;
iPanelScreen* g_HexPanel = nullptr;
iPanelScreen* g_UnitPanel = nullptr;
iPanelScreen* g_AttackPanel = nullptr;
iPanelScreen* g_MinimapPanel = nullptr;

namespace {

// The four panels that fold, bottom first.
std::array<iPanelScreen**, 4> g_FoldingPanels = {&g_HexPanel, &g_UnitPanel, &g_AttackPanel, &g_DiplomacyPanel};

} // namespace

void ResetPanelOrder() { g_FoldingPanels = {&g_HexPanel, &g_UnitPanel, &g_AttackPanel, &g_DiplomacyPanel}; }

void ResetLinks()
{
    g_GameLink = sGameLink{};
    g_ShellLinks = sShellLinks{};
    g_DialogLinks = sDialogLinks{};
    g_CurrentMenu = nullptr;
    g_CurrentDialog = nullptr;
    g_OpenDialogs.clear();
    g_InfoPanel = g_DiplomacyPanel = g_HexPanel = g_UnitPanel = g_AttackPanel = g_MinimapPanel = nullptr;
    ResetPanelOrder();
}

void BringPanelToFront(iPanelScreen* panel)
{
    auto it = std::find_if(g_FoldingPanels.begin(), g_FoldingPanels.end(),
                           [panel](iPanelScreen** global) { return panel && *global == panel; });
    if (it != g_FoldingPanels.end())
        std::rotate(it, it + 1, g_FoldingPanels.end());
}

std::vector<iPanelScreen*> PanelsInDrawingOrder()
{
    std::vector<iPanelScreen*> panels;
    auto add = [&panels](iPanelScreen* panel) {
        if (panel)
            panels.push_back(panel);
    };
    add(g_MinimapPanel);
    for (iPanelScreen** global : g_FoldingPanels)
        add(*global);
    add(g_InfoPanel);
    return panels;
}

std::vector<iPanelScreen*> PanelsInInputOrder()
{
    std::vector<iPanelScreen*> panels = PanelsInDrawingOrder();
    // The minimap and info panels keep their places at the end of the chain.
    const auto folding = std::stable_partition(panels.begin(), panels.end(), [](iPanelScreen* panel) {
        return panel != g_MinimapPanel && panel != g_InfoPanel;
    });
    std::reverse(panels.begin(), folding);
    return panels;
}

bool GameExists() { return g_GameLink.exists && g_GameLink.exists(); }

int GameState() { return GameExists() && g_GameLink.state ? g_GameLink.state() : -1; }
