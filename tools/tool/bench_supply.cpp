#include "tools/tool/bench_supply.h"

#include <algorithm>
#include <cstdint>
#include <iostream>

#include "game/game.h"
#include "game/play_state.h"
#include "platform/clock.h"
#include "units/land_unit.h"
#include "world/map.h"
#include "world/supply.h"

void BenchSupply(cGra& game, int passes)
{
    cZaopatrzenie* supply = game.m_PlayState->GetSupplyWorkArea();
    uint32_t best = UINT32_MAX, total = 0;
    for (int k = 0; k < passes; ++k) {
        const uint32_t start = GetTickMs();
        supply->CalculateSupply();
        supply->SupplyFromMulberries();
        supply->SupplyFromShips();
        const uint32_t spent = GetTickMs() - start;
        best = std::min(best, spent);
        total += spent;
    }
    size_t sourced = 0;
    for (const cJednostkaLadowa* u : game.m_LandUnits)
        sourced += u->m_SupplySourceX >= 0 ? 1 : 0;
    std::cout << "hexes: " << game.m_Mapa->width * game.m_Mapa->height << ", land units on the map: "
              << game.m_LandUnits.size() << " (" << sourced << " with a supply city), air units on the map: "
              << game.m_AirUnits.size() << "\n"
              << "supply pass: best " << best << " ms, mean " << total / uint32_t(std::max(passes, 1)) << " ms over "
              << passes << " passes\n";
}
