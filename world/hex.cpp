// Operations of one hex: rivers, borders, ownership and the friend-or-foe predicates.
#include "world/map.h"

#include "world/country.h"
#include "world/relations.h"
#include "world/sea_graph.h"
#include "world/world.h"

void ZwrocWektorRzek(uint8_t riverMask, int out[6])
{
    for (int k = 0; k < 6; ++k)
        out[k] = (riverMask > 0 && riverMask <= 63 && (riverMask & (1u << k))) ? 1 : 0;
}

bool sHex::HasRiver(int side) const
{
    if (side < 0 || side > 5 || riverMask > 63)
        return false;
    return (riverMask & (1u << side)) != 0;
}

void sHex::UpdateBorders()
{
    if (IsSea() || !map)
        return;
    for (int s = 1; s <= 3; ++s)
    {
        const sHex* n = map->GetNeighbour(x, y, s);
        if (!n)
            continue;
        const uint16_t ownerBit = uint16_t(1u << (s - 1));
        const uint16_t controllerBit = uint16_t(1u << (s + 2));
        if (n->IsLand() && n->owner != owner)
            borders |= ownerBit;
        else
            borders &= uint16_t(~ownerBit);
        if (n->IsLand() && n->controller != controller)
            borders |= controllerBit;
        else
            borders &= uint16_t(~controllerBit);
    }
}

namespace {
// The neighbours that store the sides this hex shares with them.
void UpdateSharedBorders(sHex& hex)
{
    hex.UpdateBorders();
    if (!hex.map)
        return;
    for (int d : {0, 4, 5})
        if (sHex* n = hex.map->GetNeighbour(hex.x, hex.y, d))
            n->UpdateBorders();
}

cPanstwo* CountryOrNull(int id)
{
    return id == 0 ? nullptr : GetCountry(id);
}

bool IsAllied(int a, int b)
{
    const cPanstwo* country = GetCountry(a);
    return country && country->IsAlliedWith(b);
}
} // namespace

void sHex::SetController(int countryId)
{
    controller = uint8_t(countryId);
    UpdateSharedBorders(*this);
}

void sHex::SetOwner(int countryId)
{
    owner = uint8_t(countryId);
    UpdateSharedBorders(*this);
}

cPanstwo* sHex::GetController() const { return CountryOrNull(controller); }
cPanstwo* sHex::GetOwner() const { return CountryOrNull(owner); }
cPanstwo* sHex::GetOriginalOwner() const { return CountryOrNull(originalOwner); }

bool sHex::IsControlledByFriend(int countryId) const
{
    if (controller == countryId)
        return true;
    return controller != 0 && IsAllied(controller, countryId);
}

bool sHex::IsHeldAndOwnedByFriend(int countryId) const
{
    if (controller == countryId && owner == countryId)
        return true;
    return controller != 0 && owner != 0 && IsAllied(controller, countryId) && IsAllied(owner, countryId);
}

bool sHex::IsFriendlyOrEnemyLand(int countryId) const
{
    if (IsSea() || controller == 0)
        return false;
    return controller == countryId || IsAllied(controller, countryId) || CountriesAtWar(countryId, controller);
}

bool sHex::CanSupplyThrough(int countryId) const
{
    if (unit && g_World.units.isVisible(unit))
        return false;
    if (IsSea() || terrain == kTerrainNoSupply)
        return false;
    if (controller == 0 || controller == countryId)
        return true;
    return IsAllied(controller, countryId) || CountriesAtWar(countryId, controller);
}

void cMapa::PostLoadInit()
{
    const cGrafMorz* graph = WorldSeaGraph();
    auto nodeKind = [graph](int zone) -> int {
        const sWezelGrafuMorz* node = graph ? graph->GetNode(zone) : nullptr;
        return node ? node->Kind : -1;
    };
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            sHex& hex = *GetHex(x, y);
            hex.UpdateBorders();
            if (!hex.IsSea())
                continue;
            if (hex.seaZone != 0 && nodeKind(hex.seaZone) == SEA_NODE_PORT)
                continue;
            for (int s = 1; s <= 3; ++s)
            {
                const sHex* n = GetNeighbour(x, y, s);
                if (!n)
                    continue;
                const uint16_t bit = uint16_t(1u << (s + 5));
                const int kind = n->seaZone != 0 ? nodeKind(n->seaZone) : -1;
                if (n->IsSea() && n->seaZone != 0 && n->seaZone != hex.seaZone && kind > 0)
                    hex.borders |= bit;
                else
                    hex.borders &= uint16_t(~bit);
            }
        }
}
