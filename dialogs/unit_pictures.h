#pragma once
// The pictures of units in the unit panel and the fleets window: files under the scenario's
// "Units images" folder and the common data\gfx\Units images, each try logged as a picture
// load is. Each window keeps its picture in a texture of its own: one shared between them
// would leave the fleets window's default picture in the unit panel for the same unit.
#include <string>
#include <vector>

// The first of the file names that loads, each tried in the scenario's folder and then in
// the common one; empty when none does.
std::wstring FindUnitPictureFile(const std::vector<std::wstring>& names);
// The picture file named after a unit: every '/' of its name an '_', and every '\\' too,
// which would otherwise lead the file name into another folder.
std::wstring UnitNamePictureFile(const std::wstring& unitName);
// One try of a picture file, logged "[OK]" or "[FAILED]"; true when it loads.
bool TryUnitPictureFile(const std::wstring& path);
// The scenario's own place of a unit picture of that file name.
std::wstring ScenarioUnitPicturePath(const std::wstring& name);
// The common place of a unit picture of that file name.
std::wstring CommonUnitPicturePath(const std::wstring& name);
