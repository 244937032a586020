// Effects on a country's values, war and peace, the scenario flags and technology.
#include <algorithm>

#include "core/log.h"
#include "core/stringbase.h"
#include "events/effect_params.h"
#include "events/effects.h"
#include "game/game.h"
#include "world/country.h"
#include "world/diplomacy.h"
#include "world/world.h"

namespace event_effects {

namespace {

// Runs change on the country of param0; an unknown country is refused.
template <typename Change>
void OnCountry(const cEventEffect& e, Change&& change)
{
    const cEffectParams p(e);
    if (cPanstwo* c = p.Country(0))
        change(*c, p);
}

// The technology category of param1 (0 to 6); another one changes nothing.
int32_t* TechEntry(int32_t (&values)[7], const cEffectParams& p)
{
    const int32_t category = p.Int(1);
    if (category < 0 || category > 6)
        return nullptr;
    return &values[category];
}

template <typename Change>
void OnTech(const cEventEffect& e, int32_t (cPanstwo::*values)[7], Change&& change)
{
    OnCountry(e, [&](cPanstwo& c, const cEffectParams& p) {
        if (int32_t* entry = TechEntry(c.*values, p))
            change(*entry, p);
    });
}

// The country's entry reached 100: it joins the side its orientation leans to, and the
// player reads it. A country already on that side stays as it is: joining again would
// take a leader's place from it.
void JoinLeaningAlliance(cPanstwo& c)
{
    const int side = c.GetTargetAlliance();
    if (side == 0)
        return;
    if (c.IsOnSide(side)) {
        LogLine(L"%s already belongs to alliance %i", c.Name, side);
        return;
    }
    // The language table trims its texts, so the pieces are joined with the spaces they cannot hold.
    AddEffectMessage(LangText("alliance_entry_level_in_") + L" " + c.Name + L" " + LangText("_reaches_100%%_and_") +
                     L" " + LangFormat("%s_joins_%s", c.Name, c.GetLeaningAllianceName(false)));
    c.JoinAlliance(side);
}

void SetPointsShown(int32_t& points, int32_t value)
{
    points = value;
    g_World.hooks.refreshPoints();
}

bool FlagIndexInRange(const cEffectParams& p)
{
    const int32_t index = p.Int(0);
    return index >= 0 && index < kFlagCount;
}

} // namespace

void CountryChangeDiplomaticPoints(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) { c.AddDiplomaticPoints(AddSaturated(c.DP, p.Int(1)) - c.DP); });
}

void CountrySetDiplomaticPoints(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) { SetPointsShown(c.DP, p.Int(1)); });
}

void CountryChangeProductionPoints(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) { c.AddProductionPoints(p.Double(1)); });
}

void CountrySetProductionPoints(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) {
        c.PP = p.Double(1);
        g_World.hooks.refreshPoints();
    });
}

void CountryChangePoliticalStrength(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) {
        c.PoliticalStrength = std::clamp(AddSaturated(c.PoliticalStrength, p.Int(1)), 0, 100);
    });
}

void CountrySetPoliticalStrength(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) { c.PoliticalStrength = p.Int(1); });
}

void CountryChangeAllianceEntry(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) {
        c.AllianceEntry = std::max(AddSaturated(c.AllianceEntry, p.Int(1)), 0);
        if (c.AllianceEntry < 100)
            return;
        c.AllianceEntry = 100;
        JoinLeaningAlliance(c);
    });
}

void CountrySetAllianceEntry(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) {
        c.AllianceEntry = p.Int(1);
        if (c.AllianceEntry >= 100)
            JoinLeaningAlliance(c);
    });
}

void CountryChangeSocialUnrest(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) { c.ChangeSocialUnrest(p.Float(1)); });
}

void CountrySetSocialUnrest(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) { c.SocialUnrest = std::clamp(p.Float(1), 0.0f, 100.0f); });
}

void CountryChangeWarEconomy(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) { c.WarEconomy = float(c.WarEconomy + p.Double(1)); });
}

void CountrySetWarEconomy(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) { c.WarEconomy = p.Float(1); });
}

void FlagSetValue(const cEventEffect& e)
{
    const cEffectParams p(e);
    if (p.Int(0) >= kFlagCount)
        LogLine(L"ERR: Flag.SetValue arg out of range: %d, max is %d", p.Int(0), kFlagCount);
    if (g_Gra && FlagIndexInRange(p))
        g_Gra->m_Flags[size_t(p.Int(0))] = p.Int(1);
}

void FlagChangeValue(const cEventEffect& e)
{
    const cEffectParams p(e);
    if (g_Gra && FlagIndexInRange(p)) {
        int& flag = g_Gra->m_Flags[size_t(p.Int(0))];
        flag = AddSaturated(flag, p.Int(1));
    }
}

void CountryDeclareWarOnCountry(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& declarer, const cEffectParams& p) {
        cPanstwo* target = p.Country(1);
        if (!target)
            return;
        if (DeclareWar(declarer.ID, target->ID, false) == 0)
            AddEffectMessage(FormatText(
                L"WARNING: Seems that war declared from event (at line %i in xml) is an incorrect war declaration!",
                p.Effect().line));
        else
            AddEffectMessage(FormatText(L"%s declares war on %s!", declarer.Name, target->Name));
    });
}

void CountryMakePeace(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) { c.MakePeace(p.Int(1) == 1); });
}

void CountrySetActive(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) { c.IsActive = p.Flag(1); });
}

void CountrySetZoneOfInfluence(const cEventEffect& e)
{
    // A zone outside 0 to 3 names no side: the panels would show none and no rule would read it.
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) {
        c.ZoneOfInfluence = ClampForEffect(p, p.Int(1), 0, 3, L"the zone of influence");
    });
}

void CountrySetOrientation(const cEventEffect& e)
{
    // An orientation outside 0 to 5 leans to no side, which the rules of diplomacy refuse as broken data.
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) {
        c.Orientation = ClampForEffect(p, p.Int(1), ORIENTATION_DEMOCRACY, ORIENTATION_PRO_COMINTERN, L"the orientation");
    });
}

void CountryChangeSTP(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) { c.AddSeaTransportPoints(AddSaturated(c.STP, p.Int(1)) - c.STP); });
}

void CountryChangeAIP(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) {
        c.AddAmphibiousInvasionPoints(AddSaturated(c.AIP, p.Int(1)) - c.AIP);
    });
}

void CountryChangeSMP(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) {
        c.AddStrategicMovementPoints(AddSaturated(c.SMP, p.Int(1)) - c.SMP);
        if (c.SMP < 0)
            c.SMP = 0;
    });
}

void CountryChangeUpkeepCost(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) {
        c.UnitUpkeepCostModifier = float(c.UnitUpkeepCostModifier + p.Double(1));
    });
}

void CountrySetUpkeepCost(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) { c.UnitUpkeepCostModifier = p.Float(1); });
}

void CountrySetWinterBattle(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) { c.WinterBattle = p.Float(1); });
}

void CountrySetWinterMove(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) { c.WinterMove = p.Float(1); });
}

void CountrySetMudBattle(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) { c.MudBattle = p.Float(1); });
}

void CountrySetMudMove(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) { c.MudMove = p.Float(1); });
}

// Levels outside 0 to 5 would read past the tables that levels index.
void CountrySetTechLevel(const cEventEffect& e)
{
    OnTech(e, &cPanstwo::TechLevel, [](int32_t& level, const cEffectParams& p) {
        level = ClampForEffect(p, p.Int(2), 0, kMaxTechLevel, L"a technology level");
    });
}

void CountryChangeTechLevel(const cEventEffect& e)
{
    OnTech(e, &cPanstwo::TechLevel, [](int32_t& level, const cEffectParams& p) {
        level = ClampForEffect(p, AddSaturated(level, p.Int(2)), 0, kMaxTechLevel, L"a technology level");
    });
}

void CountrySetTechResearchProgress(const cEventEffect& e)
{
    OnTech(e, &cPanstwo::TechProgress, [](int32_t& progress, const cEffectParams& p) { progress = p.Int(2); });
}

void CountryChangeTechResearchProgress(const cEventEffect& e)
{
    OnTech(e, &cPanstwo::TechProgress,
           [](int32_t& progress, const cEffectParams& p) { progress = std::max(AddSaturated(progress, p.Int(2)), 0); });
}

// The monthly research rolls one die per point invested: more than 3 is no investment
// the game offers, and a huge one would roll without end.
void CountrySetTechInvestment(const cEventEffect& e)
{
    OnTech(e, &cPanstwo::TechInvestment, [](int32_t& investment, const cEffectParams& p) {
        investment = ClampForEffect(p, p.Int(2), 0, kMaxTechInvestment, L"a technology investment");
    });
}

void CountryChangeTechInvestment(const cEventEffect& e)
{
    OnTech(e, &cPanstwo::TechInvestment, [](int32_t& investment, const cEffectParams& p) {
        investment = std::clamp(AddSaturated(investment, p.Int(2)), 0, kMaxTechInvestment);
    });
}

void CountryChangeMonthsToReachWarfareDoctrineLevel(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) {
        const int32_t months = p.Int(1);
        for (int32_t& counter : c.MonthsToDoctrineLevel) {
            if (months >= 0 && counter > 0)
                counter = AddSaturated(counter, months);
            else if (months < 0)
                counter = std::max(AddSaturated(counter, months), 0);
        }
        c.AdvanceLandWarfareDoctrine();
    });
}

} // namespace event_effects
