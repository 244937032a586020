#include "tests/units/unit_test_game.h"

#include "core/random.h"
#include "game/load_request.h"
#include "units/unit_tables.h"
#include "world/world.h"

namespace unit_tests {

cTestGame::cTestGame(int width, int height, int countryCount, int seaNodes)
{
    ClearRandomScript();
    game = new cGra(sGameLoadRequest::ForScenario(L"UnitTest"), 0);
    map = new cMapa(width, height);
    for (sHex& hex : map->Hexes())
        hex.terrain = 1;
    game->m_Mapa = map;
    for (int id = 1; id <= countryCount; ++id) {
        auto* c = new cPanstwo();
        c->ID = id;
        c->IsActive = true;
        c->Name = L"Country" + std::to_wstring(id);
        for (int& level : c->TechLevel)
            level = 1;
        game->m_Countries.push_back(c);
    }
    for (int id = 1; id <= seaNodes; ++id) {
        sWezelGrafuMorz node;
        node.ID = id;
        node.Kind = SEA_NODE_SEA;
        node.Name = L"Sea" + std::to_wstring(id);
        seaGraph.Nodes.push_back(node);
    }
    game->m_SeaGraph = &seaGraph;
    relations.Resize(countryCount);
    game->m_Relations = &relations;
    g_World.relations = &relations;
    game->m_NextIds = sNextIds{};
    g_World.map = map;
    g_World.countries = &game->m_Countries;
    g_World.fleets = &game->m_Fleets;
    g_World.seaGraph = &seaGraph;
    g_World.nextFleetId = &game->m_NextIds.fleet;
    SetPresentation(&presentation);
}

cTestGame::~cTestGame()
{
    SetPresentation(nullptr);
    DestroyAllUnits();
    for (cPanstwo* c : game->m_Countries)
        delete c;
    game->m_Countries.clear();
    game->m_SeaGraph = nullptr;
    game->m_Relations = nullptr;
    game->m_Mapa = nullptr;
    delete map;
    delete game;
    g_World.map = nullptr;
    g_World.countries = nullptr;
    g_World.fleets = nullptr;
    g_World.seaGraph = nullptr;
    g_World.relations = nullptr;
    g_World.nextFleetId = nullptr;
    ClearRandomScript();
}

cJednostkaLadowa* cTestGame::AddLand(int owner, int type, int x, int y)
{
    auto* u = new cJednostkaLadowa();
    u->m_Owner = owner;
    u->SetType(type);
    u->SetName(L"Land" + std::to_wstring(u->m_Id));
    u->m_X = x;
    u->m_Y = y;
    if (x >= 0)
        Hex(x, y).unit = u;
    game->m_LandUnits.push_back(u);
    return u;
}

cMulberry* cTestGame::AddMulberry(int owner, int x, int y)
{
    auto* u = new cMulberry();
    u->m_Owner = owner;
    u->SetName(L"Mulberry" + std::to_wstring(u->m_Id));
    u->m_X = x;
    u->m_Y = y;
    Hex(x, y).unit = u;
    game->m_LandUnits.push_back(u);
    return u;
}

cJednostkaLotnicza* cTestGame::AddAir(int owner, int type, int x, int y)
{
    auto* u = new cJednostkaLotnicza();
    u->m_Owner = owner;
    u->SetType(type);
    u->SetName(L"Air" + std::to_wstring(u->m_Id));
    u->m_X = x;
    u->m_Y = y;
    if (x >= 0)
        Hex(x, y).unit = u;
    game->m_AirUnits.push_back(u);
    return u;
}

cJednostkaMorska* cTestGame::AddShip(int owner, int type, int node, cFlota* fleet)
{
    auto* s = new cJednostkaMorska();
    s->m_Id = ++game->m_NextIds.navalUnit;
    s->m_Owner = owner;
    s->SetType(type);
    s->SetName(L"Ship" + std::to_wstring(s->m_Id));
    s->m_HP = s->m_MaxHP = 10;
    if (!fleet) {
        fleet = new cFlota();
        fleet->ID = ++game->m_NextIds.fleet;
        fleet->owner = owner;
        fleet->seaNode = node;
        fleet->SetName(L"Fleet" + std::to_wstring(fleet->ID));
        game->m_Fleets.push_back(fleet);
    }
    s->m_Fleet = fleet;
    s->m_FleetId = fleet->ID;
    fleet->ships.push_back(s);
    game->m_NavalUnits.push_back(s);
    return s;
}

sDowodca* cTestGame::AddCommander(int id, int owner, int type, int skill, int experience)
{
    auto* c = new sDowodca();
    c->ID = id;
    c->Name = L"General" + std::to_wstring(id);
    c->CountryID = owner;
    c->Type = type;
    c->Skill = skill;
    c->Experience = experience;
    game->m_Commanders.push_back(c);
    return c;
}

void cTestGame::SetWar(int a, int b)
{
    relations.SetWar(a, b, 1);
    relations.SetWar(b, a, 1);
}

void cTestGame::SetRuleConstants()
{
    sGameConsts& k = Consts();
    for (int doctrine = 0; doctrine < 6; ++doctrine)
        for (int type = 0; type < 7; ++type)
            k.LandActionPoints[doctrine][type] = 4 + doctrine + type; // row 2 + doctrine, type + 1
    k.AirActionPoints[0] = 5;
    k.AirActionPoints[1] = 4;
    k.AirActionPoints[2] = 3;
    for (int level = 0; level < 5; ++level)
        for (int type = 0; type < 7; ++type)
            k.LandCombatStrength[level][type] = float(10 * (level + 1) + type);
    k.AirFullStrength[0] = 12;
    k.AirFullStrength[1] = 14;
    k.AirFullStrength[2] = 16;
    k.DoctrineEfficiencyBonus = 10;
    k.MaxSupply = 50;
    for (int s = 0; s < kSupplyBands; ++s) {
        k.SupplyEfficiency[s] = s == 0 ? 40 : 100;
        k.ActionPointCut[s] = s == 0 ? 100 : 0;
    }
    k.ImpulsesWithoutSupplySource = 4;
    k.CommanderSkillWeight = 10;
    k.CommanderExperience[1] = 5;
    k.CommanderRadius[0] = 3;
    k.CommanderRadius[1] = 50;
    k.AirborneAssaultWait = 3;
    k.Mulberry[0] = 100.0f;
    k.Mulberry[1] = 2.0f;
    k.Mulberry[2] = 7.9f;
    k.Mulberry[3] = 6.0f;
    for (int t = 0; t < 6; ++t) {
        k.ShipHitPoints[t] = 10 + t;
        k.ShipStrengthA[t] = 6 + t;
        k.ShipStrengthB[t] = 9 + t;
        k.ShipDamageMin[t] = 1;
        k.ShipDamageMax[t] = 3 + t;
    }
    k.CarrierHitPointsForAir = 4;
    k.CarrierMinHitPointsPercent = 25.0f;
    for (int t = 0; t < 7; ++t) {
        k.SeaTransportCost[t] = 2 + t;
        k.AmphibiousCost[t] = 3 + t;
    }
    k.AirRanges[0] = 6;
    k.AirRanges[1] = 8;
    k.AirRanges[2] = 10;
    k.AirRanges[3] = 12;
    for (int l = 0; l < 5; ++l)
        k.RangeTechFactor[l] = 1.0f + 0.5f * float(l);
}

void cTestGame::SetCombatConstants()
{
    SetRuleConstants();
    sGameConsts& k = Consts();
    for (int d = 0; d < 6; ++d) {
        for (int c = 0; c < 7; ++c) {
            k.LandDefenderLosses[d][c] = 10 * (d + 1) + c;
            k.LandAttackerLossFactor[d][c] = 0.1f * float(d + 1) + 0.01f * float(c);
        }
        for (int c = 0; c < 9; ++c) {
            k.AirDefenderLosses[d][c] = d + c;
            k.AirAttackerLosses[d][c] = 2 * d + c;
        }
        for (int c = 0; c < 5; ++c)
            k.BombardAttackerLosses[d][c] = d + c;
        k.BombardTargetLosses[d] = 0.5f * float(d + 1);
        k.StrategicBombDamage[d] = 5 * (d + 1);
        k.AirborneDropLosses[d] = 30 - 5 * d;
    }
    for (int i = 0; i < 13; ++i)
        k.LandAttackFactors[i] = 1.0f + 0.1f * float(i);
    for (int i = 0; i < 9; ++i)
        k.LandDefenceFactors[i] = 1.0f + 0.25f * float(i);
    k.NonLandDefenceStrength = 1.5f;
    for (int doctrine = 0; doctrine < 6; ++doctrine)
        k.AttackActionPoints[doctrine] = doctrine < 2 ? 2 : 1;
    for (int t = 0; t < 8; ++t) {
        k.BombardTerrainModifier[t] = 100;
        k.RetreatTerrainModifier[t] = 0.2f * float(t + 1);
    }
    k.BombardTerrainModifier[8] = 75;
    for (int l = 0; l < 5; ++l) {
        k.BombardLevelModifier[l] = 60 + 10 * l;
        k.StrategicBombLevel[l] = 60 + 10 * l;
    }
    k.BombardWeatherModifier[0] = 100;
    k.BombardWeatherModifier[1] = 70;
    k.BombardWeatherModifier[2] = 80;
    k.BombardFortificationFactor = 10;
    for (int s = 0; s < kSupplyBands; ++s) {
        k.InterceptorSupplyTerm[s] = s == 0 ? -4 : s / 10;
        k.BombardSupplyModifier[s] = s == 0 ? 50 : 100;
    }
    for (int c = 0; c < 7; ++c)
        k.RetreatOddsModifier[c] = 0.1f * float(c + 1);
    k.RetreatBaseChance = 60;
    k.NuclearStrike[0] = 50;
    k.NuclearStrike[1] = 20;
    k.NuclearStrike[2] = 10;
    k.NuclearRadius = 1;
    k.CommanderExperience[0] = 10;
    k.CommanderExperience[2] = 15;
    k.CommanderExperience[3] = 5;
    k.AirCommanderChances[0] = 5;
    k.AirCommanderChances[1] = 3;
    k.AirCommanderChances[2] = 2;
    const float siege[7] = {0.2f, 1.5f, 2.5f, 0.5f, 1.0f, 2.0f, 3.0f};
    for (int i = 0; i < 7; ++i)
        k.SiegeCheck[i] = siege[i];
    k.AirRanges[4] = 3;
    k.EntrenchmentFactor = 10.0f;
    k.WinterBattleFactor = 50.0f;
    k.MudBattleFactor = 30.0f;
}

} // namespace unit_tests
