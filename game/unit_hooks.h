#pragma once
// What the game object's look-ups and counts read of a unit. The unit classes install
// the readers when they are built; until then every unit reads as empty.
#include <functional>

#include "units/unit_fwd.h"

struct sUnitView
{
    int id = 0;
    int category = 0; // 0 land, 1 air, 2 naval
    int owner = 0;    // country id
    double value = 0; // the unit's value, summed into a country's score
    float hitPoints = 0;
    int x = -1, y = -1; // the hex it stands on
    bool inReserve = false;
};

struct sGameUnitHooks
{
    std::function<sUnitView(const cJednostkaLadowa*)> land = [](const cJednostkaLadowa*) { return sUnitView{}; };
    std::function<sUnitView(const cJednostkaLotnicza*)> air = [](const cJednostkaLotnicza*) { return sUnitView{}; };
    std::function<sUnitView(const cJednostkaMorska*)> naval = [](const cJednostkaMorska*) { return sUnitView{}; };
    std::function<sUnitView(const cUnit*)> any = [](const cUnit*) { return sUnitView{}; };
    // The unit as a land unit, or null when it is another kind.
    std::function<cJednostkaLadowa*(cUnit*)> asLand = [](cUnit*) -> cJednostkaLadowa* { return nullptr; };
};

extern sGameUnitHooks g_GameUnitHooks;

// True when the unit's in-reserve flag is set.
bool IsUnitInReserve(const cUnit* unit);
