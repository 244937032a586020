#pragma once
// The frame and device callbacks and the routing of input to the current menu, the
// dialog stack, the panels and the game.
#include <memory>

#include "platform/font.h"
#include "platform/messages.h"
#include "platform/sprite.h"

class CDXUTControl;
class cWindow;
struct sBackBufferDesc;

// Drawing resources of the device callbacks.
extern std::unique_ptr<cSprite> g_Sprite;
extern std::unique_ptr<cLine> g_Line;
extern std::unique_ptr<cFont> g_BoldFont;

void OnFrameRender(cRenderer* device, double time, float elapsed);
tResult OnDeviceCreated(cRenderer* device, const sBackBufferDesc* backBuffer);
tResult OnDeviceReset(cRenderer* device, const sBackBufferDesc* backBuffer);
void OnDeviceLost();
void OnDeviceDestroyed();
tLParam OnMsgProc(cWindow* window, unsigned message, tWParam wParam, tLParam lParam, bool* noFurtherProcessing);

// The menu set.
void MenuGUIEvent(unsigned event, int id, CDXUTControl* control);
void MenuKeyboard(unsigned key, bool down, bool alt);
void MenuMouse(bool left, bool right, bool middle, bool side1, bool side2, int wheel, int x, int y);
void MenuFrameMove(cRenderer* device, double time, float elapsed);
// The game set (its frame move belongs to the game screen).
void GameKeyboard(unsigned key, bool down, bool alt);
void GameMouse(bool left, bool right, bool middle, bool side1, bool side2, int wheel, int x, int y);
// The callback sets that screens swap as a whole. Menus: menu frame move, keyboard and
// mouse (with moves) and the frame render. Pause (a menu over the game): menu keyboard and
// mouse, no frame move, the render unchanged. Game: the game screen's frame move, keyboard
// and mouse, the render unchanged.
void InstallMenuCallbacks();
void InstallPauseCallbacks();
void InstallGameCallbacks(void (*gameFrameMove)(cRenderer* device, double time, float elapsed));

// GUI events of in-game windows, of the unit, hex, attack and diplomacy panels, and of
// the info and minimap panels.
void DialogGUIEvent(unsigned event, int id, CDXUTControl* control);
void PanelGUIEvent(unsigned event, int id, CDXUTControl* control);
void CommandGUIEvent(unsigned event, int id, CDXUTControl* control);
