#include "shell/links.h"

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

bool GameExists() { return g_GameLink.exists && g_GameLink.exists(); }

int GameState() { return GameExists() && g_GameLink.state ? g_GameLink.state() : -1; }
