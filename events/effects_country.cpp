// Effects on a country's values, war and peace, the scenario flags and technology.
#include <algorithm>

#include "core/log.h"
#include "core/stringbase.h"
#include "events/effect_params.h"
#include "events/effects.h"
#include "game/game.h"
#include "world/country.h"
#include "world/diplomacy.h"
#include "world/save_limits.h"
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
// player reads it. A country already on that side does not join again: the player would read
// that it joins, a leader would lose its place, and every war of its side already reaches it.
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

// A saved game keeps a country's values within the bounds of countries.csv: an effect stops
// there, as past them the game loaded from a save would go on from other values.
int32_t KeptPoints(const cEffectParams& p, int64_t value, const wchar_t* what)
{
    return ClampForEffect(p, AddSaturated(0, value), -kMaxCountryPoints, kMaxCountryPoints, what);
}

float KeptFactor(const cEffectParams& p, double value, const wchar_t* what)
{
    return float(ClampForEffect(p, value, -kMaxCountryFactor, kMaxCountryFactor, what));
}

double KeptProductionPoints(const cEffectParams& p, double value)
{
    return ClampForEffect(p, value, -kMaxCountryProductionPoints, kMaxCountryProductionPoints,
                          L"the production points");
}

int32_t KeptProgress(const cEffectParams& p, int64_t value)
{
    return ClampForEffect(p, AddSaturated(0, value), 0, kMaxCountryPoints, L"a research progress");
}

bool FlagIndexInRange(const cEffectParams& p)
{
    const int32_t index = p.Int(0);
    return index >= 0 && index < kFlagCount;
}

} // namespace

void CountryChangeDiplomaticPoints(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) {
        c.AddDiplomaticPoints(KeptPoints(p, int64_t(c.DP) + p.Int(1), L"the diplomatic points") - c.DP);
    });
}

void CountrySetDiplomaticPoints(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) {
        SetPointsShown(c.DP, KeptPoints(p, p.Int(1), L"the diplomatic points"));
    });
}

void CountryChangeProductionPoints(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) {
        // The amount itself when nothing stops it, so that the sum is the one a plain addition makes.
        const double sum = c.PP + p.Double(1);
        const double kept = KeptProductionPoints(p, sum);
        c.AddProductionPoints(kept == sum ? p.Double(1) : kept - c.PP);
    });
}

void CountrySetProductionPoints(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) {
        c.PP = KeptProductionPoints(p, p.Double(1));
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
    // -1 keeps a country from surrendering; beyond 100 no rule reads it, and a save would keep it.
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) {
        c.PoliticalStrength = ClampForEffect(p, p.Int(1), -1, 100, L"the political strength");
    });
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
        // Never below 0, as a change stops there: a save reads the entry back within 0 and 100.
        c.AllianceEntry = std::max(p.Int(1), 0);
        if (c.AllianceEntry < 100)
            return;
        // The entry stops at 100 for a country already in its alliance too, which joins nothing.
        c.AllianceEntry = 100;
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
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) {
        c.WarEconomy = KeptFactor(p, c.WarEconomy + p.Double(1), L"the war economy");
    });
}

void CountrySetWarEconomy(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) {
        c.WarEconomy = KeptFactor(p, p.Double(1), L"the war economy");
    });
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
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) { c.ZoneOfInfluence = p.Int(1); });
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
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) {
        c.AddSeaTransportPoints(KeptPoints(p, int64_t(c.STP) + p.Int(1), L"the sea transport points") - c.STP);
    });
}

void CountryChangeAIP(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) {
        c.AddAmphibiousInvasionPoints(KeptPoints(p, int64_t(c.AIP) + p.Int(1), L"the amphibious invasion points") -
                                      c.AIP);
    });
}

void CountryChangeSMP(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) {
        c.AddStrategicMovementPoints(KeptPoints(p, int64_t(c.SMP) + p.Int(1), L"the strategic movement points") -
                                     c.SMP);
        if (c.SMP < 0)
            c.SMP = 0;
    });
}

void CountryChangeUpkeepCost(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) {
        c.UnitUpkeepCostModifier = KeptFactor(p, c.UnitUpkeepCostModifier + p.Double(1), L"the upkeep cost");
    });
}

void CountrySetUpkeepCost(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) {
        c.UnitUpkeepCostModifier = KeptFactor(p, p.Double(1), L"the upkeep cost");
    });
}

void CountrySetWinterBattle(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) {
        c.WinterBattle = KeptFactor(p, p.Double(1), L"the winter battle factor");
    });
}

void CountrySetWinterMove(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) {
        c.WinterMove = KeptFactor(p, p.Double(1), L"the winter move factor");
    });
}

void CountrySetMudBattle(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) {
        c.MudBattle = KeptFactor(p, p.Double(1), L"the mud battle factor");
    });
}

void CountrySetMudMove(const cEventEffect& e)
{
    OnCountry(e, [](cPanstwo& c, const cEffectParams& p) {
        c.MudMove = KeptFactor(p, p.Double(1), L"the mud move factor");
    });
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
    OnTech(e, &cPanstwo::TechProgress,
           [](int32_t& progress, const cEffectParams& p) { progress = KeptProgress(p, p.Int(2)); });
}

void CountryChangeTechResearchProgress(const cEventEffect& e)
{
    OnTech(e, &cPanstwo::TechProgress,
           [](int32_t& progress, const cEffectParams& p) {
        progress = KeptProgress(p, std::max<int64_t>(int64_t(progress) + p.Int(2), 0));
    });
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
                counter = ClampForEffect(p, AddSaturated(counter, months), 0, kMaxCountryPoints, L"a doctrine counter");
            else if (months < 0)
                counter = std::max(AddSaturated(counter, months), 0);
        }
        c.AdvanceLandWarfareDoctrine();
    });
}

} // namespace event_effects
