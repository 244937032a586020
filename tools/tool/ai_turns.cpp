#include "tools/tool/ai_turns.h"

#include <chrono>
#include <cstdio>
#include <iostream>

#include "ai/ai.h"
#include "core/random.h"
#include "core/text.h"
#include "game/game.h"
#include "game/play_counts.h"
#include "game/play_state.h"
#include "world/country.h"

int RunAITurns(cGra& game, unsigned seed)
{
    SeedRandom(seed);
    for (cPanstwo* country : game.m_Countries)
        country->HumanControlled = false;
    g_AIPhaseClock.Reset();
    g_PlayCounts.Reset();
    double total = 0.0;
    for (size_t i = 0; i < game.m_Countries.size() && i < game.m_AIs.size(); ++i)
    {
        cPanstwo* country = game.m_Countries[i];
        if (!country->IsActive || country->PoliticalStrength < 0)
            continue;
        game.m_PlayState->SetActiveCountry(country);
        const auto start = std::chrono::steady_clock::now();
        game.m_AIs[i]->PlayTurn();
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        total += seconds;
        std::printf("%-24s %8.4f s\n", WideToUtf8(country->Name).c_str(), seconds);
    }
    std::printf("%-24s %8.4f s\n", "all countries", total);
    std::printf("per phase:\n");
    for (const auto& [phase, seconds] : g_AIPhaseClock.totals)
        std::printf("  %-30s %8.4f s\n", WideToUtf8(phase).c_str(), seconds);
    std::printf("moves %d, land combats %d\n", g_PlayCounts.moves.load(), g_PlayCounts.landCombats.load());
    return 0;
}
