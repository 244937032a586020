#pragma once
// What the unit code reaches of the running game: the constants, the map and the
// countries. Every look-up answers null (or a neutral value) when there is no game, so a
// unit can be built and copied without one.
#include <algorithm>
#include <string>

#include "units/unit_fwd.h"

struct sGameConsts;
struct sHex;
class cPanstwo;

// The answer to a can-do question: its reason goes to *text when the caller asks for it.
inline bool Answer(std::wstring* text, bool possible, const std::wstring& why)
{
    if (text)
        *text = why;
    return possible;
}

// The constants of the running game, or null.
const sGameConsts* UnitConsts();
// The hex at (x, y), or null when it lies off the map or there is no map.
sHex* UnitHexAt(int x, int y);
bool IsOnGameMap(int x, int y);
// A country by id, or null.
cPanstwo* UnitCountry(int countryId);

// Tables of the constants indexed by a level or a technology level hold five entries,
// for 1 to 5. Every read clamps the index into that range: 0 (or less) reads the
// level-1 entry, never the row before the table; above 5 reads the level-5 entry.
inline int TableLevelIndex(int level) { return std::clamp(level, 1, 5) - 1; }
// The land warfare doctrine indexes rows for 0 to 5.
inline int DoctrineIndex(int doctrine) { return std::clamp(doctrine, 0, 5); }
// The band tables hold supply levels 0 to 50.
inline int SupplyIndex(int supply) { return std::clamp(supply, 0, 50); }
// Per-type rows: land types 0-6, air 20-22, naval 40-45; -1 for a type outside the row.
inline int LandTypeIndex(int type) { return type >= 0 && type <= 6 ? type : -1; }
inline int AirTypeIndex(int type) { return type >= 20 && type <= 22 ? type - 20 : -1; }
inline int NavalTypeIndex(int type) { return type >= 40 && type <= 45 ? type - 40 : -1; }
