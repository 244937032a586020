#pragma once
// Hands the shell its way to the in-game windows and panels (g_DialogLinks) and the
// waits their way to the open windows. Called once before the program starts.
void InstallDialogLinks();
// Forgets what the windows keep between their openings (the units window's filters and
// tab, the last answers) and the links above: as at start-up, before they are installed.
void ResetWindowsMemory();
