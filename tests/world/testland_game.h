#pragma once
// Testland loaded as a new game, for the rules of countries, supply and convoys.
#include <gtest/gtest.h>

#include "core/random.h"
#include "game/game.h"
#include "game/presentation.h"
#include "tests/game/testland.h"
#include "tests/test_support.h"
#include "tests/world/world_fixture.h"
#include "units/land_unit.h"
#include "world/country.h"
#include "world/map.h"

class cTestlandGame : public ::testing::Test
{
protected:
    void SetUp() override
    {
        testland::InstallTestland();
        LoadGameTexts();
        SetPresentation(&screen);
        LoadGame(sGameLoadRequest::ForScenario(L"Testland"));
        ClearRandomScript();
        testing_support::ClearLog();
    }
    void TearDown() override
    {
        ClearRandomScript();
        DeleteGameObject();
        SetPresentation(nullptr);
    }

    static cPanstwo& Country(int id) { return *g_Gra->m_Countries[size_t(id - 1)]; }
    static sHex& Hex(int x, int y) { return *g_Gra->m_Mapa->GetHex(x, y); }
    static sGameConsts& Consts() { return g_Gra->m_Consts; }
    // A new land unit of the owner on a free hex, in the game's list.
    static cJednostkaLadowa* PutLandUnit(int owner, int x, int y, int type = UNIT_INFANTRY)
    {
        auto* u = new cJednostkaLadowa();
        u->m_Owner = owner;
        u->SetType(type);
        u->SetName(L"Test unit " + std::to_wstring(u->m_Id));
        u->m_X = x;
        u->m_Y = y;
        u->m_TurnsWithoutSupply = 0;
        Hex(x, y).unit = u;
        g_Gra->m_LandUnits.push_back(u);
        return u;
    }
    static cJednostkaLadowa* LandUnit(int id)
    {
        for (cJednostkaLadowa* u : g_Gra->m_LandUnits)
            if (u->m_Id == id)
                return u;
        return nullptr;
    }
    static void SetWar(int a, int b, bool war)
    {
        g_Gra->m_Relations->SetWar(a, b, war ? 1 : 0);
        g_Gra->m_Relations->SetWar(b, a, war ? 1 : 0);
    }

    testland::cRecordingPresentation screen;
};
