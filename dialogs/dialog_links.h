#pragma once
// Hands the shell its way to the in-game windows and panels (g_DialogLinks) and the
// waits their way to the open windows. Called once before the program starts.
void InstallDialogLinks();
