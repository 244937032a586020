#pragma once
// The layout's say on dragged controls: a dragged control's new place is written into the
// layout table for the rest of the run, so that a window opens where the player left it;
// a window's frame drags its member controls along, and a panel's button on the info panel
// drags its whole panel.
class CDXUTDialog;

// False refuses the move (a panel's button would leave the screen, a window's title bar
// would be out of the pointer's reach).
bool ApplyLayoutMove(CDXUTDialog* dialog, int id, int left, int top, int right, int bottom, int dx, int dy, int, int);
// Puts ApplyLayoutMove into the toolkit's hooks.
void InstallLayoutHook();
