#pragma once
// The panels of the game screen: made with a game, drawn over the map, destroyed with it.
void CreateGamePanels();
void DestroyGamePanels();
void RenderGamePanels(float elapsed);
