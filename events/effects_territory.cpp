// Effects on territory, hexes, cities, ports, weather, convoys and the map view.
#include <algorithm>

#include "core/log.h"
#include "events/effect_params.h"
#include "events/effects.h"
#include "game/game.h"
#include "game/play_state.h"
#include "game/turn_order.h"
#include "world/city.h"
#include "world/convoys.h"
#include "world/country.h"
#include "world/map.h"
#include "world/save_limits.h"
#include "world/sea_graph.h"
#include "world/world.h"

namespace event_effects {

namespace {

constexpr int kMaxFortLevel = 9;
constexpr int kMinPortSize = 1;
constexpr int kMaxPortSize = 10;

void ChangeStripe(const cEventEffect& e, bool originalOwnerToo)
{
    const cEffectParams p(e);
    cMapa* map = EffectMap();
    if (!map)
        return;
    // The map refuses a stripe off the map or of a country that does not exist, with its line.
    if (originalOwnerToo)
        map->ChangeStripeControllerOwnerAndOriginalOwner(p.Int(0), p.Int(1), p.Int(2), p.Int(3));
    else
        map->ChangeStripeControllerAndOwner(p.Int(0), p.Int(1), p.Int(2), p.Int(3));
}

// The city on hex (param0, param1), or null (an off-map hex logged).
template <typename Change>
void OnCity(const cEventEffect& e, Change&& change)
{
    const cEffectParams p(e);
    if (cMiasto* city = p.CityAt(0, 1))
        change(*city, p);
}

// A port's size lies within 1 and 10.
void SetPortSize(const cEventEffect& e, bool change)
{
    const cEffectParams p(e);
    sWezelGrafuMorz* node = p.SeaNode(0);
    if (!node || node->Kind != SEA_NODE_PORT)
        return;
    const double wanted = change ? node->SizeMax + p.Double(1) : p.Double(1);
    const int size = wanted >= kMaxPortSize ? kMaxPortSize : wanted <= kMinPortSize ? kMinPortSize : int(wanted);
    node->SizeMax = size;
    // A port never works above its size: a smaller one counts at once, while a larger one is
    // built up by the repairs of each impulse.
    node->SizeCurrent = std::min(node->SizeCurrent, size);
}

// The land hexes of the rectangle get the weather state and the monthly roll flag; the
// rectangle is clipped to the map first.
void SetWeatherArea(const cEventEffect& e, uint32_t state, bool rollFlagFromParam)
{
    const cEffectParams p(e);
    cMapa* map = EffectMap();
    if (!map)
        return;
    const int x1 = std::max(p.Int(0), 0), y1 = std::max(p.Int(1), 0);
    const int x2 = std::min(p.Int(2), map->GetWidth() - 1), y2 = std::min(p.Int(3), map->GetHeight() - 1);
    const uint8_t roll = rollFlagFromParam ? (p.Int(4) != 0 ? 1 : 0) : 1;
    for (int x = x1; x <= x2; ++x)
        for (int y = y1; y <= y2; ++y) {
            sHex& hex = *map->GetHex(x, y);
            if (hex.IsLand()) {
                hex.weather = state;
                hex.weatherApplies = roll;
            }
        }
}

// The convoys manager, the owner of param0 and both cities (the hexes from param first);
// false, logged, when any is missing.
bool ConvoyArguments(const cEffectParams& p, int first)
{
    if (!g_Gra || !g_Gra->m_Convoys || !p.Country(0))
        return false;
    const sHex* departure = p.Hex(first, first + 1);
    const sHex* destination = p.Hex(first + 2, first + 3);
    return departure && destination;
}

} // namespace

void HexStripeChangeControllerAndOwner(const cEventEffect& e)
{
    ChangeStripe(e, false);
}

void HexStripeChangeControllerOwnerAndOriginalOwner(const cEventEffect& e)
{
    ChangeStripe(e, true);
}

void CountryChangeTerritoryControllerOwnerAndOriginalOwner(const cEventEffect& e)
{
    const cEffectParams p(e);
    cMapa* map = EffectMap();
    const cPanstwo* from = p.Country(0);
    const cPanstwo* to = p.Country(1);
    if (map && from && to)
        map->TransferCountryHexes(from->ID, to->ID);
}

void HexSetFortLevel(const cEventEffect& e)
{
    const cEffectParams p(e);
    if (sHex* hex = p.Hex(0, 1))
        hex->fortification = uint8_t(uint32_t(p.Int(2)) & 0xFFu);
}

void HexChangeFortLevel(const cEventEffect& e)
{
    const cEffectParams p(e);
    if (sHex* hex = p.Hex(0, 1)) {
        const double level = hex->fortification + p.Double(2);
        // Capped at 9 before it is cut to a byte: a large rise must not wrap round to a weak fort.
        hex->fortification = level < 0.0 ? 0 : uint8_t(std::min(EventParamToInt(level), kMaxFortLevel));
    }
}

namespace {

// Within what cities.csv keeps: past it the game loaded from a save would go on from other points.
float KeptCityPoints(const cEffectParams& p, double points)
{
    return float(ClampForEffect(p, points, -kMaxCityProductionPoints, kMaxCityProductionPoints,
                                L"a city's production points"));
}

} // namespace

void CitySetProductionPoints(const cEventEffect& e)
{
    OnCity(e, [](cMiasto& city, const cEffectParams& p) { city.ProductionPoints = KeptCityPoints(p, p.Double(2)); });
}

void CityChangeProductionPoints(const cEventEffect& e)
{
    OnCity(e, [](cMiasto& city, const cEffectParams& p) {
        city.ProductionPoints = KeptCityPoints(p, city.ProductionPoints + p.Double(2));
    });
}

// The game knows city types 0 to 4 only; a port needs the sea node on its hex that its
// ships, convoys and the opponent look up.
void CitySetType(const cEventEffect& e)
{
    OnCity(e, [](cMiasto& city, const cEffectParams& p) {
        const int32_t type = p.Int(2);
        const bool port = type == CITY_SUPPLY_PORT || type == CITY_PORT;
        const cGrafMorz* graph = WorldSeaGraph();
        if (type < CITY_SUPPLY || type > CITY_RESOURCES)
            p.Refuse(FormatText(L"gives city type %i (0 to 4)", type));
        else if (port && (!graph || graph->FindNodeAtHex(city.X, city.Y) < 0))
            p.Refuse(FormatText(L"makes %s at (%i, %i) a port (type %i), but no sea node lies on its hex", city.Name,
                                city.X, city.Y, type));
        else
            city.Type = type;
    });
}

void PortSetSize(const cEventEffect& e)
{
    SetPortSize(e, false);
}

void PortChangeSize(const cEventEffect& e)
{
    SetPortSize(e, true);
}

void NewStartWinterArea(const cEventEffect& e)
{
    SetWeatherArea(e, WEATHER_WINTER, true);
}

void NewEndWinterArea(const cEventEffect& e)
{
    SetWeatherArea(e, WEATHER_CLEAR, false);
}

void NewStartMudArea(const cEventEffect& e)
{
    SetWeatherArea(e, WEATHER_MUD, true);
}

void NewEndMudArea(const cEventEffect& e)
{
    SetWeatherArea(e, WEATHER_CLEAR, false);
}

void CountryAddConvoy(const cEventEffect& e)
{
    const cEffectParams p(e);
    // A save reads a convoy's value back only within these.
    if (ConvoyArguments(p, 3))
        g_Gra->m_Convoys->AddConvoy(p.Int(0), p.Int(1),
                                    ClampForEffect(p, p.Int(2), 0, kMaxConvoyValue, L"a convoy's value"), p.Int(3),
                                    p.Int(4), p.Int(5), p.Int(6));
}

void CountryRemoveConvoy(const cEventEffect& e)
{
    const cEffectParams p(e);
    if (ConvoyArguments(p, 2))
        g_Gra->m_Convoys->RemoveConvoy(p.Int(0), p.Int(1), p.Int(2), p.Int(3), p.Int(4), p.Int(5));
}

// The camera moves for a person only; the country that moves next finds its view there.
void ViewCenterAt(const cEventEffect& e)
{
    const cEffectParams p(e);
    cMapa* map = EffectMap();
    if (!map || !p.Hex(0, 1))
        return;
    const int x = p.Int(0), y = p.Int(1);
    CenterCameraOn(x, y);
    if (cPanstwo* next = PickNextCountry(g_Gra->m_Countries, g_Gra->m_PlayState ? g_Gra->m_PlayState->GetActiveCountry() : nullptr))
        next->SetSavedView(float(x) * 83.0f, float(y) * 98.0f, map->zoomFactor);
}

} // namespace event_effects
