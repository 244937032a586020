// The periodic economy of a country: unit upkeep, production, research and the land
// warfare doctrine.
#include <vector>

#include "core/format.h"
#include "core/lock.h"
#include "core/log.h"
#include "core/random.h"
#include "core/stringbase.h"
#include "game/game.h"
#include "game/presentation.h"
#include "units/air_unit.h"
#include "units/land_unit.h"
#include "world/city.h"
#include "world/country.h"
#include "world/map.h"
#include "world/relations.h"
#include "world/world.h"

namespace {

// The country's land (or air) units on the map, then those of its reserve pool.
template <typename T>
std::vector<const cJednostka*> UnitsForUpkeep(const std::list<T*>& onMap, int category, int owner)
{
    std::vector<const cJednostka*> units;
    for (const T* u : onMap)
        if (u->m_Owner == owner)
            units.push_back(u);
    if (g_Gra)
        for (const cUnit* u : g_Gra->m_Reserve)
            if (u->m_Owner == owner && u->m_Category == category)
                units.push_back(static_cast<const cJednostka*>(u));
    return units;
}

int DifficultyPercent(const cPanstwo& c)
{
    if (c.HumanControlled)
        return 100;
    switch (c.DifficultyLevel)
    {
    case 0: return 50;
    case 1: return 75;
    case 3: return 150;
    case 4: return 200;
    default: return 100;
    }
}

// Keys of the researched categories' headings, in the order of the report.
struct sResearchCategory
{
    int tech;
    const char* key;
};
constexpr sResearchCategory kResearchOrder[] = {
    {TECH_ARTILLERY, "artillery:_"},   {TECH_TANKS, "tanks:_"},      {TECH_AIRCRAFT, "aircrafts:_"},
    {TECH_SUBMARINES, "submarines:_"}, {TECH_NAVY, "warships:_"}, {TECH_NUCLEAR, "nuclear_bomb:_"},
};

} // namespace

void cPanstwo::PayUnitUpkeep(std::wstring& heading, std::wstring& summary)
{
    // Each of these holds the lock while it changes the country: the main thread draws its
    // points and levels meanwhile (every change to game data is made under the lock).
    GLOBAL_LOCK_SCOPE();
    const double before = PP;
    double strength = 0.0;
    double upkeep = 0.0;
    auto pay = [&](const std::vector<const cJednostka*>& units) {
        for (auto it = units.rbegin(); it != units.rend(); ++it)
        {
            const double value = (*it)->GetFullStrengthValue();
            const double cost = value * GameConsts().UnitUpkeepFactor * UnitUpkeepCostModifier;
            strength += value;
            upkeep += cost;
            AddProductionPoints(-cost);
        }
    };
    if (g_Gra)
    {
        pay(UnitsForUpkeep(g_Gra->m_LandUnits, CATEGORY_LAND, ID));
        pay(UnitsForUpkeep(g_Gra->m_AirUnits, CATEGORY_AIR, ID));
    }
    heading = LangFormat("unit_upkeep_summary_for_%s", Name);
    summary = LangFormat("total_units'_strength:_%.2f", strength) + LangFormat("total_upkeep:_%.2f", upkeep) +
              LangFormat("pp_after_upkeep_substraction:_%.2f", before - upkeep) + LangFormat("current_pp:_%.2f", PP);
}

void cPanstwo::CollectProduction(std::wstring& heading, std::wstring& content)
{
    GLOBAL_LOCK_SCOPE();
    const sGameConsts& k = GameConsts();
    const float occupiedFactor = k.ProductionShares[0];
    const float annexedFactor = k.ProductionShares[1];
    const float shareFactor = k.ProductionShares[2];
    const cRelationsMatrix* relations = WorldRelations();
    // A city without an original owner shares nothing out: nobody (id 0) has losses.
    auto lossShare = [&](int original) {
        return relations && original > 0 ? double(relations->GetLossShare(ID, original)) : 0.0;
    };
    double resources = 0, own = 0, occupied = 0, annexed = 0, share = 0;
    const cMapa* map = WorldMap();
    if (map && g_World.cities)
        for (const cMiasto* city : *g_World.cities)
        {
            // A city off the map would be read on the first hex, another country's ground.
            if (!map->IsInside(city->X, city->Y))
                continue;
            const sHex& hex = *map->GetHex(city->X, city->Y);
            const double p = city->ProductionPoints;
            const int controller = hex.controller;
            if (controller == ID)
            {
                // A city counts once: its own ground first, even where another owns it now.
                if (city->Type == CITY_RESOURCES)
                    resources += p;
                else if (hex.originalOwner == ID)
                    own += p;
                else if (hex.owner != ID)
                    occupied += p * occupiedFactor;
                else
                {
                    annexed += p * annexedFactor;
                    share += p * shareFactor * lossShare(hex.originalOwner);
                }
            }
            else if (city->Type != CITY_RESOURCES && controller != 0 && IsAlliedWith(controller) &&
                     hex.owner == controller && hex.originalOwner != controller)
                share += p * shareFactor * lossShare(hex.originalOwner);
        }
    const double total = own + resources + occupied + annexed + share;
    const double civilOrder = 100.0 - SocialUnrest;
    const double warEconomy = WarEconomy;
    const double difficulty = DifficultyPercent(*this);
    const double modifier = civilOrder / 100.0 * warEconomy / 100.0 * difficulty / 100.0;
    const double collected = modifier * total;
    AddProductionPoints(collected);
    heading = LangText("report_production_main_content");
    content = FormatText(L"Resources: %.1f PP\nOwn cities: %.1f PP\nOccupied cities: %.1f PP\nAnnexed cities: %.1f "
                         L"PP\nShare from annexed cities: %.1f PP\n\nTotal production: %.1f PP\n\n\nModifiers:\nCivil "
                         L"Order: %.1f%%\nWar Economy: %.1f%%\nDifficulty level: %.1f%%\n\nTotal modifier: "
                         L"%.1f%%\n\n\nCollected: %.1f PP",
                         resources, own, occupied, annexed, share, total, civilOrder, warEconomy, difficulty,
                         modifier * 100.0, collected);
}

void cPanstwo::DoMonthlyResearch(std::wstring& heading, std::wstring& content)
{
    GLOBAL_LOCK_SCOPE();
    const sGameConsts& k = GameConsts();
    heading = LangFormat("monthly_research_report_for_%s", Name);
    content.clear();
    auto newBomb = [this, &content] {
        content += LangFormat("_%s_aquires_new_nuclear_bomb.", Name);
        ++NuclearBombs;
    };
    for (const sResearchCategory& category : kResearchOrder)
    {
        const int i = category.tech;
        content += LangText(category.key) + L" ";
        const int maxLevel = k.MaxTechLevel[i];
        if (i == TECH_NUCLEAR && TechLevel[i] >= maxLevel)
            newBomb();
        else if (TechInvestment[i] == 0)
            content += LangText("no_investments.");
        else if (TechLevel[i] >= maxLevel)
            content += LangText("maximum_level_reached.");
        else
        {
            const int old = TechProgress[i];
            TechProgress[i] += RandomDiceSum(TechInvestment[i], 1, 6);
            const int needed = k.ResearchPointsPerLevel[i];
            const float months = float(needed - TechProgress[i]) / (float(TechInvestment[i]) * 3.5f);
            if (TechProgress[i] >= needed)
            {
                ++TechLevel[i];
                TechInvestment[i] = 0;
                TechProgress[i] = 0;
                content += LangFormat("level_%i_reached!", TechLevel[i]);
                if (i == TECH_NUCLEAR)
                    newBomb();
            }
            else
                content += LangFormat("progress_increased_from_%i_to_%i._estimated_completion_time:_%i_months.", old,
                                      TechProgress[i], int(months + 0.5f));
        }
    }
}

void cPanstwo::AdvanceLandWarfareDoctrine()
{
    GLOBAL_LOCK_SCOPE();
    int& level = TechLevel[TECH_DOCTRINE];
    for (int& months : MonthsToDoctrineLevel)
    {
        --months;
        // A level below 0 would read before the counters.
        if (level < 0 || level >= 5 || MonthsToDoctrineLevel[level] > 0)
            continue;
        ++level;
        if (HumanControlled)
            ShowMessageToPerson(LangText("new_doctrine_level!"),
                                LangFormat("%s_reached_level_%i_of_land_warfare_doctrine._all_land_units_will_now_have_higher_effectivity.",
                                           Name, level),
                                true, ID);
    }
}
