#pragma once
// Start-up and shutdown of the program.
#include <functional>
#include <string>

// Brings the program up, runs the main loop until the window closes, tears down;
// returns the exit code.
int RunProgram();

// The shell as before RunProgram: no window (a game left running is destroyed with it), no
// links, menus or panels, nothing held or hinted, the real text-layer check.
void ResetShellState();

// Destroys a running game and releases the textures of a game (holders 3 to 18).
void DestroyGame();

// "%s v%.2f", or "%s v%.2f [build %3i]" when the build number is not a multiple of 100.
std::wstring BuildWindowTitle(const wchar_t* title, float version, int build);

// The start-up check of the text layer: the program's wide texts must reach the system
// (file names, window title) through UTF-8 and come back unchanged. Tests replace it.
extern std::function<bool()> g_UnicodeLayerCheck;
bool UnicodeLayerAvailable();
