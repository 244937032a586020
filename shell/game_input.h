#pragma once
// The game screen's input: the map's mouse handler, the keys and the commands of the
// panels (cGra::OnPlayerAction, cGra::OnKeyboard and cGra::OnGuiEvent live here, with the
// screen they serve).
#include <cstdint>
#include <functional>

// Arrow keys held: 1 left, 2 up, 4 right, 8 down; the frame move scrolls by them.
extern uint8_t g_ArrowKeys;
// Arrow keys pressed since the map last scrolled: a tap, pressed and released between two
// frames, still moves the view.
extern uint8_t g_ArrowTaps;
extern bool g_CtrlHeld;
// Where the pointer was last seen over the game screen, and whether the right button (the
// map's drag) is held.
extern int g_LastPointerX;
extern int g_LastPointerY;
extern bool g_RightHeld;

// A control of the visible current window (or, unless dialogOnly, of a panel) lies under
// the point of the screen.
bool IsControlUnderPointer(int x, int y, bool dialogOnly);

// The hex under a pixel of the back buffer for a camera at (cameraX, cameraY) and a scale:
// column and row, which may lie outside the map. Floor division, so that pixels left of or
// above the map never fall into its first column or row.
void PickHex(int mouseX, int mouseY, int screenWidth, int screenHeight, float cameraX, float cameraY, float scale,
             int& column, int& row);

// Forgets the keys and buttons held on the map: a window or menu that takes the input may
// take their release too, and a new game starts with nothing held.
void ForgetHeldInput();
// As at start-up: nothing held, no pointer seen, no pause menu waiting.
void ResetGameInput();

// A screen asked for while the player's move was shown (the pause menu, the preferences): it
// opens once the move has ended, the unit on its hex.
void OpenAfterMove(std::function<void()> open);
bool IsWaitingForMove();
void OpenWhatWaitedForMove();

// The map's border and country-colour modes, one step on (F6, F7 and the minimap's buttons):
// off, held land, owned land (and both, for the colours), then off again. The status line
// names what the map now shows: at the start of a war owned and held land are the same, and
// a step between them changes nothing to be seen.
void CycleBorderMode();
void CycleOwnershipMode();
