#pragma once
// The map skin: "data\gfx\[MapSkin]<name>\" with terrain.png, others.png and eyecandies.png,
// the depth of every map layer (sprites_depth.csv), the city appearance levels with their
// label styles (appearance.csv), and the running scenario's decorations (eyecandies.csv).
#include <string>

class cMapa;

// Loads the skin's pictures, the running game's decorations and the depth table when the
// skin's folder exists, then the city appearance (looked for even without the folder).
void LoadMapSkin(const std::wstring& skinName);
// Reads appearance.csv: at most four levels and the shared label style. False when the
// file cannot be opened; the levels are then as they were.
bool LoadCityAppearance(const std::wstring& path);
// Fills the map's decorations from the scenario folder's eyecandies.csv (after resetting
// them); nothing when the skin has no eyecandies picture.
void LoadEyecandies(cMapa& map, const std::wstring& scenarioFolder);
// Grows at every load of a skin or of decorations: pictures drawn before show the old ones.
unsigned MapSkinGeneration();
