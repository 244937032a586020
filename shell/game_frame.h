#pragma once
// The game screen's frame move and the hand-over of the screen between the player and the
// other side.
#include <optional>
#include <string>

class cMapa;
class cRenderer;

// The frame move of the game set: music, scrolling, the status hint, the camera, the move
// animation, the current window's countdown, the end of a play-by-e-mail turn.
void GameFrameMove(cRenderer* device, double time, float elapsed);
// The frame move while the pause menu lies over the computer's play: the camera's glide and
// a move being shown end; nothing else of the game moves.
void PausedPlayFrameMove(cRenderer* device, double time, float elapsed);
// The other side plays: panels folded, windows closed, game state 9.
void BeginOtherSidePhase();
// The player plays: panels back as they were, game state 7.
void BeginPlayerPhase();
// A word on what the player just did: the status line says it until another hex is
// selected or the order mode changes.
void PostStatusNote(const std::wstring& text);
// An order the player gave was refused: the status line says why, as a note.
void PostOrderRefusal(const std::wstring& why);
// The status line was written by the other side: the next frame writes what the game
// waits for, even when that has not changed since the player's last phase.
void ForgetStatusBarHint();
// As at start-up: no status line written, no frame or step of play yet.
void ResetGameFrame();
// The end of a person's turn (the end-turn button or its confirmation): autosave, the next
// country of the order, the play-by-e-mail hand-over.
void EndTurnFromMainThread();
// The save under "autosave": what the player is told when it failed, nothing when it was saved.
std::optional<std::wstring> Autosave();
// Units whose hex and position disagree: each line logged, and all of them, to be shown in a
// "DBG WARNING" box once the turn has passed on; none when the map is sound.
std::optional<std::wstring> CheckMapConsistency();
// One step of the move being shown (game states 8 and 10), after the side's delay.
void AnimateUnitMove();
// The game screen's scrolling for a pointer at (x, y) inside the back buffer: -1, 0 or 1 on
// each axis, from the edge thresholds of layout row 291 and the arrow keys held
// (g_ArrowKeys). The right and bottom tests come first. The sea-battle screen scrolls the same.
void EdgeScrollDirection(int x, int y, int& dx, int& dy);
// The game screen's scrolling in one frame of the person's phase: by the screen's edges
// under the pointer, the arrow keys held and the arrows tapped since the last frame; none
// while the pointer rests on a control of a panel or of the shown window, or off the screen,
// or while the right button drags the map. True when the view's target moved.
bool ScrollMapByInput(cMapa& map, double time);
// Keeps g_ArrowKeys for an arrow key's press or release; false for any other key.
bool TrackArrowKey(unsigned key, bool down);
// Moves the map's view to the hex.
void CenterCameraOnHex(int x, int y);
