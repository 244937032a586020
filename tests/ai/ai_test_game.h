#pragma once
// The test scenario Testland loaded for the computer opponent's tests, with one
// country's opponent ready to play: Borussia (2) is at war with Albion (1) and Valdonia
// (5) and borders Valdonia by land at Colonia and Valdo.
#include <gtest/gtest.h>

#include "ai/ai.h"
#include "game/game.h"
#include "game/play_state.h"
#include "tests/game/testland.h"
#include "units/land_unit.h"
#include "world/city.h"
#include "world/country.h"
#include "world/map.h"

namespace ai_tests {

constexpr int kAlbion = 1;
constexpr int kBorussia = 2;
constexpr int kRuthenia = 3;
constexpr int kValdonia = 5;

class cAIGame : public ::testing::Test
{
protected:
    cAIGame()
    {
        testland::InstallTestland();
        SetPresentation(&screen);
        game = LoadGame(sGameLoadRequest::ForScenario(L"Testland"));
    }
    ~cAIGame() override
    {
        DeleteGameObject();
        SetPresentation(nullptr);
    }

    // The opponent of the country, as the turn's first step leaves it.
    cAI& AIOf(int countryId)
    {
        cAI& ai = *game->m_AIs[size_t(countryId - 1)];
        game->m_PlayState->SetActiveCountry(game->m_Countries[size_t(countryId - 1)]);
        ai.m_Country = game->m_Countries[size_t(countryId - 1)];
        return ai;
    }
    cMapa& Map() { return *game->m_Mapa; }
    cMiasto* City(const wchar_t* name)
    {
        for (cMiasto* city : game->m_Cities)
            if (city->GetName() == name)
                return city;
        return nullptr;
    }
    cJednostkaLadowa* LandUnit(int id)
    {
        for (cJednostkaLadowa* unit : game->m_LandUnits)
            if (unit->m_Id == id)
                return unit;
        return nullptr;
    }

    testland::cRecordingPresentation screen;
    cGra* game = nullptr;
};

} // namespace ai_tests
