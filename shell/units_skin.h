#pragma once
// The units skin: "data\gfx\[UnitsSkin]<name>\" with units.png, info.png, a units_<name>.png
// per country, the zoom levels of the land, air and naval counters (land_units.csv,
// air_units.csv, naval_units.csv) and the countries' counter colours (countries.csv).
#include <filesystem>
#include <string>

// Loads the skin's pictures and tables; with a game, the countries' pictures and colours too.
void LoadUnitsSkin(const std::wstring& skinName);
// Reads one family's table (shell/skin_levels.h: land, air, naval) into its ten levels.
// False, after its log line, when the file cannot be opened.
bool LoadUnitSkinTable(int family, const std::filesystem::path& file, const std::wstring& shownName);
