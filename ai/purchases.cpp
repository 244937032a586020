// The computer's economy: the purchase queue (level-ups, research, strategic movement,
// transport and invasion points, new units for the reserve), replacements of weakened
// air and land units, and ship repairs.
#include <algorithm>

#include "ai/ai.h"
#include "ai/ai_presentation.h"
#include "core/lock.h"
#include "core/log.h"
#include "core/random.h"
#include "game/game.h"
#include "game/play_counts.h"
#include "game/play_state.h"
#include "units/air_unit.h"
#include "units/land_unit.h"
#include "units/naval_unit.h"
#include "units/unit_access.h"
#include "world/country.h"

namespace {

enum ePurchaseCode
{
    BUY_AIP = 0,
    BUY_STP = 1,
    BUY_AIR_LEVEL_UP = 2,
    BUY_LAND_LEVEL_UP = 3,
    BUY_RESEARCH = 4,
    BUY_LAND_UNIT = 5,
    BUY_AIR_UNIT = 6,
    BUY_NAVAL_UNIT = 7,
    BUY_SMP = 10,
};

constexpr int kPurchaseCategories = 14;
// Far more decisions than any treasury pays for; only a rule that stopped spending could
// reach it.
constexpr int kMaxPurchaseSteps = 1000;

const sGameConsts& Consts()
{
    return g_Gra->m_Consts;
}

void RemoveCode(std::list<int>& queue, int code)
{
    queue.remove(code);
}

// The finders below also ask for a price: a level-up that costs nothing is one the unit
// cannot rise to, and choosing it again would spin the purchases.
bool CanLevelUp(const cJednostka* unit)
{
    return unit->m_Level < 5 && unit->m_ActionPoints == unit->m_StartingActionPoints &&
           unit->GetLevelUpHint(nullptr);
}

// The price of one purchase code 0, 1 or 10; the capacity each counts from.
float CapacityPrice(const cPanstwo& country, int code)
{
    const sGameConsts& k = Consts();
    switch (code)
    {
    case BUY_SMP:
        return k.CapacityPricePerUnit[0] * float(country.SMPMax) + k.CapacityPriceBase[0];
    case BUY_STP:
        return k.CapacityPricePerUnit[1] * float(country.GetSeaTransportCapacity() / 10) + k.CapacityPriceBase[1];
    default:
        return k.CapacityPricePerUnit[2] * float(country.AIPMax) + k.CapacityPriceBase[2];
    }
}

// The price of a new unit of a purchase category 0..13; 0 for a type the tables lack.
float CategoryPrice(int category)
{
    const sGameConsts& k = Consts();
    if (category >= 0 && category <= 6)
        return k.LandPurchaseCost[category] * k.LandCombatStrength[0][category];
    if (category >= 7 && category <= 9)
        return float(k.AirFullStrength[category - 7]) * k.AirPurchaseCost[category - 7];
    if (category >= 10 && category <= 13)
        return k.ShipPrice[category - 10];
    return 0.0f;
}

// A new unit of the type for the country, waiting in the reserve until deployed.
void CreateUnitInReserve(const cPanstwo& country, int type)
{
    const sGameConsts& k = Consts();
    const std::wstring name = NewUnitName(country, type, RandomInt(10, 99));
    auto common = [&](cUnit& unit) {
        unit.m_Owner = country.ID;
        unit.SetName(name);
        unit.SetType(type);
        unit.m_X = unit.m_Y = -1;
        unit.m_InReserve = true;
        unit.m_Spotted = false;
        unit.m_Commander = nullptr;
        unit.m_CommandingCommanderId = -1;
    };
    if (IsLandType(type))
    {
        auto* unit = new cJednostkaLadowa();
        common(*unit);
        unit->m_Level = 1;
        unit->m_SupplySourceX = unit->m_SupplySourceY = -1;
        unit->m_ActionPoints = 0;
        unit->m_Strength = 100;
        unit->m_ShoreBombardmentEffect = 0.0f;
        unit->m_FreezeTime = 0;
        unit->m_Supply = k.MaxSupply;
        unit->RecalculateEfficiency();
        g_Gra->m_Reserve.push_back(unit);
    }
    else if (IsAirType(type))
    {
        auto* unit = new cJednostkaLotnicza();
        common(*unit);
        unit->m_Level = 1;
        unit->m_SupplySourceX = unit->m_SupplySourceY = -1;
        unit->m_ActionPoints = 0;
        unit->m_Strength = k.AirFullStrength[type - UNIT_FIGHTER];
        unit->m_Supply = k.MaxSupply;
        unit->RecalculateEfficiency();
        g_Gra->m_Reserve.push_back(unit);
    }
    else
    {
        auto* ship = new cJednostkaMorska();
        common(*ship);
        ship->m_Id = ++g_Gra->m_NextIds.navalUnit;
        ship->m_HP = ship->m_MaxHP = k.ShipHitPoints[type - UNIT_CARRIER];
        ship->m_Fleet = nullptr;
        g_Gra->m_NavalReserve.push_back(ship);
    }
    ++g_PlayCounts.purchases;
}

} // namespace

bool cAI::PurchaseUnits()
{
    if (!g_Gra || !m_Country)
        return false;
    std::list<int>& queue = m_Country->AIParameters.PurchaseQueue;
    RemoveCode(queue, BUY_LAND_LEVEL_UP);
    RemoveCode(queue, BUY_AIR_LEVEL_UP);
    for (int step = 0; step < kMaxPurchaseSteps && ThreadMayRun(); ++step)
    {
        sPurchaseChoice choice;
        DecidePurchase(choice);
        if (!ExecutePurchaseQueue(choice))
            return false;
    }
    LogLine(L"[AI]: %ls - purchases stopped after %i steps", m_Country->Name, kMaxPurchaseSteps);
    return false;
}

void cAI::DecidePurchase(sPurchaseChoice& choice)
{
    std::list<int>& queue = m_Country->AIParameters.PurchaseQueue;
    // Research saved up for in an earlier turn: that turn's choice of a field is gone, so
    // it is chosen again, or the entry is dropped when no field wants it any more.
    // Otherwise the entry could never be paid and would block every purchase for good.
    if (choice.researchCategory == -1 && std::find(queue.begin(), queue.end(), BUY_RESEARCH) != queue.end())
    {
        if (const int k = ChooseResearchCategory(); k != -1)
        {
            choice.researchCategory = k;
            choice.researchCost = Consts().ResearchLevelPrice[k];
        }
        else
            RemoveCode(queue, BUY_RESEARCH);
    }
    if (!queue.empty())
        return;
    if (const cJednostkaLotnicza* unit = FindAirUnitToLevelUp())
    {
        choice.airUnitId = unit->m_Id;
        choice.airCost = unit->GetLevelUpCost();
        queue.push_back(BUY_AIR_LEVEL_UP);
        return;
    }
    const cJednostkaLadowa* land = FindArmourToLevelUp();
    if (!land)
        land = FindLandUnitToLevelUp();
    if (land)
    {
        choice.landUnitId = land->m_Id;
        choice.landCost = land->GetLevelUpCost();
        queue.push_back(BUY_LAND_LEVEL_UP);
        return;
    }
    if (const int k = ChooseResearchCategory(); k != -1)
    {
        choice.researchCategory = k;
        choice.researchCost = Consts().ResearchLevelPrice[k];
        queue.push_back(BUY_RESEARCH);
        return;
    }
    if (m_Country->SMPMax < m_Country->AIParameters.DesiredStrategicMovementPoints)
    {
        queue.push_back(BUY_SMP);
        return;
    }
    const int c = ChooseUnitCategory();
    if (c < 0)
        return;
    sAIParameters::sPurchaseData& data = m_Country->AIParameters.NewUnitPurchaseData;
    if (c <= 6)
    {
        data.i1 = c;
        data.f1 = CategoryPrice(c);
        queue.push_back(BUY_LAND_UNIT);
    }
    else if (c <= 9)
    {
        data.i2 = c + 13;
        data.f2 = CategoryPrice(c);
        queue.push_back(BUY_AIR_UNIT);
    }
    else
    {
        data.i3 = c + 30;
        data.f3 = CategoryPrice(c);
        queue.push_back(BUY_NAVAL_UNIT);
    }
}

bool cAI::ExecutePurchaseQueue(sPurchaseChoice& choice)
{
    cPanstwo& country = *m_Country;
    std::list<int>& queue = country.AIParameters.PurchaseQueue;
    const sAIParameters::sPurchaseData& data = country.AIParameters.NewUnitPurchaseData;
    auto affords = [&](float cost) { return float(country.PP) >= cost; };
    for (auto entry = queue.begin(); entry != queue.end();)
    {
        const int code = *entry;
        switch (code)
        {
        case BUY_AIP:
        case BUY_STP:
        {
            const float cost = CapacityPrice(country, code);
            if (cost > 0.0f && affords(cost))
            {
                if (code == BUY_AIP)
                {
                    ++country.AIPMax;
                    country.AddAmphibiousInvasionPoints(1);
                }
                else
                    country.AddSeaTransportPoints(10);
                country.AddProductionPoints(-double(cost));
                ++g_PlayCounts.purchases;
                return true;
            }
            // The entry stays while it is paid for: free points would be bought without end.
            if (cost <= 0.0f)
                LogLine(L"[AI]: %ls - purchase %i has no price and is dropped", country.Name, code);
            RemoveCode(queue, code);
            return true;
        }
        case BUY_AIR_LEVEL_UP:
            if (cJednostkaLotnicza* unit = g_Gra->FindAirUnitById(choice.airUnitId); unit && affords(choice.airCost))
            {
                if (unit->AiLevelUp())
                    ++g_PlayCounts.purchases;
                RemoveCode(queue, code);
                return true;
            }
            break;
        case BUY_LAND_LEVEL_UP:
            if (cJednostkaLadowa* unit = g_Gra->FindLandUnitById(choice.landUnitId); unit && affords(choice.landCost))
            {
                if (unit->AiLevelUp())
                    ++g_PlayCounts.purchases;
                RemoveCode(queue, code);
                return true;
            }
            break;
        case BUY_RESEARCH:
            if (choice.researchCategory >= 0 && choice.researchCategory < 7 && affords(choice.researchCost))
            {
                ++country.TechInvestment[choice.researchCategory];
                country.AddProductionPoints(-double(choice.researchCost));
                ++g_PlayCounts.purchases;
                RemoveCode(queue, code);
                return true;
            }
            break;
        case BUY_SMP:
        {
            const float cost = CapacityPrice(country, code);
            if (affords(cost))
            {
                ++country.SMPMax;
                country.AddStrategicMovementPoints(1);
                country.AddProductionPoints(-double(cost));
                ++g_PlayCounts.purchases;
                RemoveCode(queue, code);
                return true;
            }
            break;
        }
        case BUY_LAND_UNIT:
        case BUY_AIR_UNIT:
        case BUY_NAVAL_UNIT:
        {
            const int type = code == BUY_LAND_UNIT ? data.i1 : code == BUY_AIR_UNIT ? data.i2 : data.i3;
            const float cost = code == BUY_LAND_UNIT ? data.f1 : code == BUY_AIR_UNIT ? data.f2 : data.f3;
            const bool known = code == BUY_LAND_UNIT  ? IsLandType(type)
                               : code == BUY_AIR_UNIT ? IsAirType(type)
                                                      : type >= UNIT_CARRIER && type <= UNIT_SUBMARINE;
            // A purchase without a price or a type (a saved queue, say) would buy without end.
            if (!known || cost <= 0.0f)
            {
                LogLine(L"[AI]: %ls - purchase %i of type %i for %.2f PP is not available", country.Name, code, type,
                        cost);
                RemoveCode(queue, code);
                entry = queue.begin();
                continue;
            }
            if (affords(cost))
            {
                CreateUnitInReserve(country, type);
                country.AddProductionPoints(-double(cost));
                RemoveCode(queue, code);
                return true;
            }
            break;
        }
        default:
            break;
        }
        ++entry;
    }
    return false;
}

int cAI::ChooseResearchCategory() const
{
    const sGameConsts& k = Consts();
    const cPanstwo& c = *m_Country;
    for (int i : {0, 1, 3, 4, 5, 6})
    {
        if (c.TechLevel[i] >= k.MaxTechLevel[i] || c.TechLevel[i] >= c.AIParameters.DesiredTechLevels[i])
            continue;
        if (k.ResearchPointsPerLevel[i] <= 0) // no progress is measured against a level of no points
            continue;
        const float p = float(c.TechProgress[i]) / float(k.ResearchPointsPerLevel[i]);
        const int invested = c.TechInvestment[i];
        if ((p < 0.25f && invested < 3) || (p >= 0.25f && p < 0.5f && invested < 2) ||
            (p >= 0.5f && p < 0.75f && invested < 1))
            return i;
    }
    return -1;
}

int cAI::ChooseUnitCategory() const
{
    // Integer prefix sums drawn with RandomInt: float shares can end just below a draw of 1.0
    // and find no category, or give a draw of 0 to a category of no weight; and one without a
    // price (or a negative weight) never comes up, or it would be bought for nothing.
    int prefix[kPurchaseCategories] = {};
    int total = 0;
    // A weight is a share among the others: past a million (a damaged table, a script's
    // huge number) the sum of fourteen would no longer fit.
    constexpr int kMaxWeight = 1000000;
    for (int i = 0; i < kPurchaseCategories; ++i)
    {
        const int weight = std::min(m_Country->AIParameters.NewUnitPurchasePreferences[i], kMaxWeight);
        if (weight > 0 && CategoryPrice(i) > 0.0f)
            total += weight;
        prefix[i] = total;
    }
    if (total <= 0)
    {
        LogLine(L"[AI]: %ls - no unit can be bought: the purchase preferences add up to %i", m_Country->Name, total);
        return -1;
    }
    const int r = RandomInt(1, total);
    for (int i = 0; i < kPurchaseCategories; ++i)
        if (prefix[i] >= r)
            return i;
    return kPurchaseCategories - 1;
}

cJednostkaLotnicza* cAI::FindAirUnitToLevelUp() const
{
    for (cJednostkaLotnicza* unit : m_OwnAirUnits)
        if (CanLevelUp(unit) && unit->m_ActionPoints != 0 && unit->GetLevelUpCost() > 0.0f)
            return unit;
    return nullptr;
}

cJednostkaLadowa* cAI::FindArmourToLevelUp() const
{
    for (cJednostkaLadowa* unit : m_OwnLandUnits)
        if ((unit->m_Type == UNIT_ARMOURED || unit->m_Type == UNIT_ARMOURED_CORPS) && CanLevelUp(unit) &&
            unit->m_ActionPoints != 0 && unit->GetLevelUpCost() > 0.0f)
            return unit;
    return nullptr;
}

cJednostkaLadowa* cAI::FindLandUnitToLevelUp() const
{
    // A scenario may give any level; the structure has five weights.
    const int n = std::clamp(m_Country->GetTechLevel(TECH_ARTILLERY), 0, 5);
    const int* weights = m_Country->AIParameters.DesiredLandForcesStructure;
    int counts[5] = {};
    for (const cJednostkaLadowa* unit : m_OwnLandUnits)
        if (unit->m_Type != UNIT_ARMOURED && unit->m_Type != UNIT_ARMOURED_CORPS && unit->m_Level >= 1 &&
            unit->m_Level <= 5)
            ++counts[unit->m_Level - 1];
    float desiredSum = 0.0f, actualSum = 0.0f;
    for (int j = 0; j < n; ++j)
    {
        desiredSum += float(weights[j]);
        actualSum += float(counts[j]);
    }
    if (desiredSum == 0.0f)
        desiredSum = 0.00001f;
    if (actualSum == 0.0f)
        actualSum = 0.00001f;
    for (int j = n - 1; j >= 0; --j)
    {
        if (float(weights[j]) / desiredSum <= float(counts[j]) / actualSum)
            continue;
        for (cJednostkaLadowa* unit : m_OwnLandUnits)
            if (unit->m_Type != UNIT_ARMOURED && unit->m_Type != UNIT_ARMOURED_CORPS && unit->m_Level == j + 1 &&
                CanLevelUp(unit) && (unit->m_ActionPoints != 0 || unit->m_FreezeTime > 0) &&
                unit->GetLevelUpCost() > 0.0f)
                return unit;
    }
    return nullptr;
}

namespace {

// Buys n strength points for the unit at q PP each, paced for a watching person.
void BuyReplacements(const cPanstwo& country, cJednostka& unit, int n, float q)
{
    const bool shown = IsShownToPerson(&unit);
    if (shown)
    {
        // The line is for the person watching, on the info panel's status line.
        PostInfoPanelMessage(FormatText(L"[AI]: %ls - Replacements for %s (%i strength, cost %.1f PP)", country.Name,
                                        unit.m_Name, n, float(n) * q));
        CenterCameraOn(unit.m_X, unit.m_Y);
        PauseForPerson(DELAY_AI_REPLACEMENT_BEFORE);
    }
    unit.SetActionPoints(0);
    unit.AddStrength(n);
    if (cPanstwo* owner = unit.GetOwner())
        owner->AddProductionPoints(-double(float(n) * q));
    if (shown)
        PauseForPerson(DELAY_AI_REPLACEMENT_AFTER);
}

} // namespace

void cAI::BuyAirReplacements(float threshold)
{
    const sGameConsts& k = Consts();
    std::stable_sort(m_OwnAirUnits.begin(), m_OwnAirUnits.end(), [](const cJednostkaLotnicza* a, const cJednostkaLotnicza* b) {
        return a->m_Level + a->m_Strength < b->m_Level + b->m_Strength;
    });
    for (cJednostkaLotnicza* unit : m_OwnAirUnits)
    {
        const int type = AirTypeIndex(unit->m_Type);
        if (type < 0 || !unit->GetReinforceHint(nullptr) ||
            float(unit->m_Strength) > threshold * float(k.AirFullStrength[type]))
            continue;
        const float c = k.AirReplacementCost[type];
        const float q = c + (float(k.AirLevelSurcharge) * c * float(unit->m_Level - 1)) / 100.0f;
        if (q <= 0.0f) // no price per point: PP / q would have no whole value
            continue;
        int n = int(m_Country->PP / double(q));
        int limit = k.AirReplacementMax[SupplyIndex(unit->m_Supply)];
        if (unit->m_Type == UNIT_FIGHTER)
            limit /= 2;
        n = std::min(n, limit);
        n = std::min(n, (unit->m_Type == UNIT_FIGHTER ? 4 : 8) - unit->m_Strength);
        if (n > 0)
            BuyReplacements(*m_Country, *unit, n, q);
    }
}

void cAI::BuyLandReplacements(float threshold)
{
    const sGameConsts& k = Consts();
    std::stable_sort(m_OwnLandUnits.begin(), m_OwnLandUnits.end(), [](const cJednostkaLadowa* a, const cJednostkaLadowa* b) {
        return a->GetEffectiveStrength() < b->GetEffectiveStrength();
    });
    for (cJednostkaLadowa* unit : m_OwnLandUnits)
    {
        const int type = LandTypeIndex(unit->m_Type);
        if (type < 0 || !unit->GetReinforceHint(nullptr) || unit->m_Strength >= int(threshold * 100.0f))
            continue;
        const float c = unit->GetFullStrengthValue() * k.LandReplacementCost[type] / 100.0f;
        const float q = c + float(k.LandLevelSurcharge) * c * float(unit->m_Level - 1) / 100.0f;
        if (q <= 0.0f) // no price per point: PP / q would have no whole value
            continue;
        int n = std::min(int(m_Country->PP / double(q)), k.LandReplacementMax[SupplyIndex(unit->m_Supply)]);
        n = std::min(n, 100 - unit->m_Strength);
        if (n > 0)
            BuyReplacements(*m_Country, *unit, n, q);
    }
}

void cAI::RepairShips()
{
    for (cJednostkaMorska* ship : g_Gra->m_NavalUnits)
        if (ship->m_Owner == CountryId() && ship->m_HP < ship->m_MaxHP &&
            RandomFraction() <= Consts().AIShipRepairChance)
            ship->ChangeHitPoints(1.0f);
}
