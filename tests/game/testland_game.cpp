#include "tests/game/testland_game.h"

#include "core/stringbase.h"
#include "tests/test_support.h"
#include "world/hex_geometry.h"
#include "world/relations.h"

namespace testland {

TestlandGame::TestlandGame()
{
    InstallTestland();
    // Log lines read as the player's texts.
    g_StringBase.Load((testing_support::GameRoot() / "lang_LANGID.db").string(), true);
    SetPresentation(&screen);
    game = LoadGame(sGameLoadRequest::ForScenario(L"Testland"));
    testing_support::ClearLog();
}

TestlandGame::~TestlandGame()
{
    DeleteGameObject();
    SetPresentation(nullptr);
}

cJednostkaLadowa& TestlandGame::Land(int id)
{
    cJednostkaLadowa* unit = game->FindLandUnitById(id);
    EXPECT_NE(unit, nullptr) << "land unit " << id;
    return *unit;
}

void TestlandGame::ClearLand(int x, int y, int radius, int countryId)
{
    for (int cy = y - radius; cy <= y + radius; ++cy)
        for (int cx = x - radius; cx <= x + radius; ++cx)
            if (game->m_Mapa->IsInside(cx, cy) && HexDistance(x, y, cx, cy) <= radius) {
                sHex& hex = Hex(cx, cy);
                hex.terrain = 1;
                hex.weather = WEATHER_CLEAR;
                hex.SetController(countryId);
                hex.SetOwner(countryId);
            }
}

void TestlandGame::Place(cJednostkaLadowa& unit, int x, int y)
{
    if (sHex& at = Hex(unit.m_X, unit.m_Y); at.unit == &unit)
        at.unit = nullptr;
    unit.m_X = x;
    unit.m_Y = y;
    Hex(x, y).unit = &unit;
}

cJednostkaLadowa* TestlandGame::AddLandUnit(int countryId, int x, int y, int type)
{
    auto* unit = new cJednostkaLadowa();
    unit->m_Owner = countryId;
    unit->SetType(type);
    unit->SetName(L"Test unit " + std::to_wstring(unit->m_Id));
    unit->m_TurnsWithoutSupply = 0;
    game->m_LandUnits.push_back(unit);
    unit->m_X = x;
    unit->m_Y = y;
    Hex(x, y).unit = unit;
    return unit;
}

void TestlandGame::SetWar(int a, int b, bool war)
{
    game->m_Relations->SetWar(a, b, war ? 1 : 0);
    game->m_Relations->SetWar(b, a, war ? 1 : 0);
}

int TestlandGame::RangeCost(const cJednostka& unit, int x, int y)
{
    const sPathStep* step = unit.FindPathStep(x, y);
    return step ? step->cost : -1;
}

} // namespace testland
