// ai_data.csv and airrecon_units.csv of the game: the readers and writers bound to the
// game's map, cities, countries and units.
#include "core/fatal.h"
#include "core/log.h"
#include "game/air_tables.h"
#include "game/game.h"
#include "game/load_files.h"
#include "game/save_files.h"
#include "units/land_unit.h"
#include "world/city.h"
#include "world/country.h"
#include "world/map.h"

namespace {

// Coordinates off the map name no hex: the map's look-up would give its first hex instead,
// and a city there would be taken for one the file never named.
sHex* HexAt(cMapa* map, int x, int y)
{
    if (!map || !map->IsInside(x, y))
        return nullptr;
    const size_t index = size_t(y) * size_t(map->width) + size_t(x);
    return index < map->Hexes().size() ? &map->Hexes()[index] : nullptr;
}

sAIDataWorld AIDataWorld(const cGra& game, const AIParametersOf& parameters)
{
    sAIDataWorld w;
    w.countryCount = int(game.m_Countries.size());
    w.parameters = [&game, parameters](int id) -> sAIParameters& { return parameters(*game.m_Countries[size_t(id - 1)]); };
    cMapa* map = game.m_Mapa;
    w.cityAt = [map](int x, int y) -> cMiasto* {
        const sHex* hex = HexAt(map, x, y);
        return hex ? hex->city : nullptr;
    };
    w.isPort = [](const cMiasto* c) { return c->IsPort(); };
    w.cityHex = [](const cMiasto* c) { return std::make_pair(int(c->X), int(c->Y)); };
    return w;
}

} // namespace

void cGra::LoadAIData(const sGameLoadRequest& request, const AIParametersOf& parameters)
{
    const std::wstring path = JoinPathPattern(request.folderPattern, L"ai_data.csv");
    std::string bytes = ReadLoadFileOrFail(path, L"Otwieram plik z danymi AI ze sciezki...");
    ReadAIData(bytes, AIDataWorld(*this, parameters), path);
}

void WriteAIDataFile(const cGra& game, std::wstring_view folder, const AIParametersOf& parameters)
{
    WriteSaveFileOrFail(JoinFolder(folder, L"ai_data.csv"), EncodeAIData(AIDataWorld(game, parameters)));
}

void cGra::LoadAirReconUnits(std::wstring_view pattern)
{
    const int width = m_Mapa ? m_Mapa->width : 0;
    const int height = m_Mapa ? m_Mapa->height : 0;
    for (const sReconHex& r : ::LoadAirReconUnits(pattern, int(m_Countries.size()), width, height)) {
        sHex* hex = HexAt(m_Mapa, r.x, r.y);
        if (!hex || !hex->unit)
            continue; // the unit has gone
        if (hex->unit->m_Category == CATEGORY_LAND)
            m_Countries[size_t(r.country - 1)]->ReconUnits.push_back(static_cast<cJednostkaLadowa*>(hex->unit));
    }
}

void SaveAirReconUnits(const cGra& game, std::wstring_view folder)
{
    std::vector<std::vector<std::pair<int, int>>> perCountry;
    for (const cPanstwo* c : game.m_Countries) {
        perCountry.emplace_back();
        for (const cJednostkaLadowa* u : c->ReconUnits)
            perCountry.back().emplace_back(u->m_X, u->m_Y);
    }
    SaveAirReconUnits(folder, perCountry);
}
