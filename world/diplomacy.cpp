// Diplomacy rules: checks, actions, costs and chances.
#include "world/diplomacy.h"

#include <algorithm>
#include <cstdint>

#include "core/lock.h"
#include "core/log.h"
#include "core/random.h"
#include "core/stringbase.h"
#include "core/text.h"
#include "game/game.h"
#include "world/alliances.h"
#include "world/country.h"
#include "world/relations.h"
#include "world/world.h"

namespace {

// The three factors of a cost row by orientation group: 0 and 3, 4 and 5, 1 and 2.
float FactorByOrientation(const float* factors, int orientation)
{
    switch (orientation)
    {
    case 0: case 3: return factors[0];
    case 4: case 5: return factors[1];
    default: return factors[2];
    }
}

// The delay and the coup roll while fewer rolls than the (float) count are made.
int RollWhileBelowCount(const float* dice)
{
    float sum = 0.0f;
    for (int rolls = 0; float(rolls) < dice[0]; ++rolls)
        sum += float(RandomInt(1, TruncateToInt(dice[1])));
    return TruncateToInt(sum + dice[2]);
}

int Roll(const float* dice)
{
    return RollDice(dice[0], dice[1], dice[2]);
}

// The least and the most that Roll can give.
void RollRange(const float* dice, int (&range)[2])
{
    const double rolls = std::max(0, TruncateToInt(dice[0]));
    const double bonus = TruncateToInt(dice[2]);
    range[0] = TruncateToInt(bonus + rolls);
    range[1] = TruncateToInt(bonus + rolls * std::max(1, TruncateToInt(dice[1])));
}

bool SameLeaning(const cPanstwo& a, const cPanstwo& b)
{
    return a.HasSimilarOrientation(b);
}

// An id beyond the countries is logged and never read past the vector.
bool Missing(const cPanstwo* country, int id, std::wstring& text)
{
    if (country)
        return false;
    LogLine(L"ERROR: diplomacy with country %i, which does not exist", id);
    text.clear();
    return true;
}

bool EnoughDp(const cPanstwo& c, int cost, std::wstring& text)
{
    if (c.DP >= cost)
        return true;
    text = LangFormat("diplomacy_not_enough_dp", cost, c.DP);
    return false;
}

std::wstring JoinedSideName(int side)
{
    switch (side)
    {
    case 1: return LangText("diplomacy_haste_war_entry_joined_alliance_name_allies");
    case 2: return LangText("diplomacy_haste_war_entry_joined_alliance_name_axis");
    default: return LangText("diplomacy_haste_war_entry_joined_alliance_name_comintern");
    }
}

// The pressure flag of the target that belongs to the presser's leaning.
bool* PressureFlag(cPanstwo& target, const cPanstwo& presser)
{
    switch (presser.Orientation)
    {
    case 0: case 3: return &target.DoneExertPressureAllied;
    case 1: case 4: return &target.DoneExertPressureAxis;
    case 2: case 5: return &target.DoneExertPressureComintern;
    default: return nullptr;
    }
}

// The side 1 to 3 the orientation leans to; 0 for none.
int LeaningSide(const cPanstwo& c)
{
    return c.Orientation >= 0 && c.Orientation <= 5 ? c.Orientation % 3 + 1 : 0;
}

// Joins the side the orientation leans to; false when it leans nowhere.
bool JoinLeaningSide(cPanstwo& c)
{
    const int side = c.GetTargetAlliance();
    if (side == 0)
        return false;
    c.JoinAlliance(side);
    return true;
}

bool IsLeader(const cPanstwo& c)
{
    return c.Alliance >= ALLIANCE_ALLIES_LEADER && c.Alliance <= ALLIANCE_COMINTERN_LEADER;
}

// Every country of the side goes to war with the other's side; a country that surrendered
// keeps its code but is out of the war for good.
void SideAtWarWithSideOf(int side, const cPanstwo& other)
{
    for (cPanstwo* c : *g_World.countries)
        if (c->IsActive && c->IsOnSide(side))
            c->DeclareWarOnAlliance(other.Alliance);
}

// The cost of delaying or hastening the entry, by the row's factors.
int EntryChangeCost(int country, const float* factors)
{
    const cPanstwo* c = GetCountry(country);
    if (!c)
        return 1;
    if (c->Orientation < 0 || c->Orientation > 5)
        return std::max(1, c->PoliticalStrength);
    const float factor = FactorByOrientation(factors, c->Orientation);
    return std::max(1, TruncateToInt(float(c->PoliticalStrength) * factor));
}

// The value of the first (0: points) or second (1: unrest) declare-war table.
int DeclareWarTableValue(int declarer, int target, int table)
{
    const cPanstwo* d = GetCountry(declarer);
    const cPanstwo* t = GetCountry(target);
    if (!d || !t)
        return 0;
    const int row = d->GetDeclareWarRow();
    const int column = t->GetDeclareWarColumn();
    if (row < 0 || column < 0)
        return 0;
    return GameConsts().DeclareWar[9 * table + row][column];
}

} // namespace

int RollDice(float count, float sides, float bonus)
{
    // A scenario's huge values stop at an int's ends rather than being undefined.
    const int n = TruncateToInt(count);
    int64_t sum = TruncateToInt(bonus);
    for (int k = 0; k < n; ++k)
        sum += RandomInt(1, TruncateToInt(sides));
    return TruncateToInt(sum);
}

void cPanstwo::ChangeAllianceEntry(int delta)
{
    AllianceEntry = std::clamp(AllianceEntry + delta, 0, 100);
}

void cPanstwo::ChangeSocialUnrest(float delta)
{
    SocialUnrest = std::clamp(SocialUnrest + delta, 0.0f, 100.0f);
}

int cPanstwo::GetTechLevel(int category) const
{
    return category >= 0 && category <= 6 ? TechLevel[category] : 0;
}

// ---- Costs and chances ----

int DelayAllianceEntryCost(int country)
{
    return EntryChangeCost(country, GameConsts().DelayAllianceEntry);
}

int HastenAllianceEntryCost(int country)
{
    return EntryChangeCost(country, GameConsts().HastenAllianceEntry);
}

int CoupChance(int target)
{
    const cPanstwo* t = GetCountry(target);
    if (!t)
        return 0;
    const float* coup = GameConsts().Coup;
    const float factor = t->Orientation >= 0 && t->Orientation <= 2 ? coup[0] : coup[1];
    return TruncateToInt(float(100 - int64_t(t->PoliticalStrength)) * factor);
}

int CoupCost(int target)
{
    const cPanstwo* t = GetCountry(target);
    return t ? TruncateToInt(GameConsts().Coup[2] * float(t->PoliticalStrength)) : 0;
}

int DeclareWarDpCost(int declarer, int target)
{
    const cPanstwo* t = GetCountry(target);
    return t ? DeclareWarTableValue(declarer, target, 0) * t->PoliticalStrength / 100 : 0;
}

int DeclareWarUnrest(int declarer, int target)
{
    return DeclareWarTableValue(declarer, target, 1);
}

int ExertPressureCost(int presser, int target)
{
    const cPanstwo* p = GetCountry(presser);
    const cPanstwo* t = GetCountry(target);
    if (!p || !t)
        return 0;
    if (SameLeaning(*p, *t))
        return t->PoliticalStrength;
    return TruncateToInt(float(t->PoliticalStrength) * GameConsts().ExertPressure[5]);
}

int ExertPressureChance(int presser, int target)
{
    const cPanstwo* p = GetCountry(presser);
    const cPanstwo* t = GetCountry(target);
    if (!p || !t)
        return 0;
    if (SameLeaning(*p, *t))
        return 100;
    if (t->Orientation < 0 || t->Orientation > 5)
        return 100 - t->PoliticalStrength;
    const float* pressure = GameConsts().ExertPressure;
    const float factor = t->Orientation <= 2 ? pressure[4] : pressure[3];
    return TruncateToInt(float(100 - int64_t(t->PoliticalStrength)) * factor);
}

// ---- Entry into an alliance ----

// Every action takes the global lock although the rules ask none of their own: the
// opponent's thread acts on countries that the main thread draws at the same time, and the
// lock is re-entrant, so the panel's calls on the main thread lose nothing by it.

bool CanDelayAllianceEntry(int country, std::wstring& text)
{
    const cPanstwo* c = GetCountry(country);
    if (Missing(c, country, text))
        return false;
    const int cost = DelayAllianceEntryCost(country);
    if (c->Alliance != ALLIANCE_NEUTRAL)
        text = LangFormat("diplomacy_country_already_in_alliance", c->Name);
    else if (c->AllianceEntry <= 0)
        text = LangText("diplomacy_alliance_already_at_minimum_level");
    else if (c->DoneDelayWarEntry)
        text = LangText("diplomacy_delaying_alliance_entry_only_once_per_turn");
    else if (EnoughDp(*c, cost, text))
    {
        text = LangFormat("diplomacy_attempt_to_keep_away_from_joining_alliance", cost);
        return true;
    }
    return false;
}

void DelayAllianceEntry(int country, std::wstring& text)
{
    GLOBAL_LOCK_SCOPE();
    cPanstwo* c = GetCountry(country);
    if (Missing(c, country, text))
        return;
    c->AddDiplomaticPoints(-DelayAllianceEntryCost(country));
    c->DoneDelayWarEntry = true;
    const int old = c->AllianceEntry;
    c->ChangeAllianceEntry(-RollWhileBelowCount(GameConsts().DelayAllianceEntry + 3));
    text = LangFormat("diplomacy_country_delay_alliance_entry", c->Name, old, c->AllianceEntry);
}

bool CanHastenAllianceEntry(int country, std::wstring& text)
{
    const cPanstwo* c = GetCountry(country);
    if (Missing(c, country, text))
        return false;
    const int cost = HastenAllianceEntryCost(country);
    if (c->Alliance != ALLIANCE_NEUTRAL)
        text = LangFormat("diplomacy_country_already_in_alliance", c->Name);
    else if (c->DoneHasteWarEntry)
        text = LangText("diplomacy_hasting_alliance_entry_only_once_per_turn");
    else if (EnoughDp(*c, cost, text))
    {
        text = LangFormat("diplomacy_attempt_to_bring_closer_to_alliance", cost);
        return true;
    }
    return false;
}

void HastenAllianceEntry(int country, std::wstring& text)
{
    GLOBAL_LOCK_SCOPE();
    cPanstwo* c = GetCountry(country);
    if (Missing(c, country, text))
        return;
    c->AddDiplomaticPoints(-HastenAllianceEntryCost(country));
    c->DoneHasteWarEntry = true;
    const int old = c->AllianceEntry;
    c->ChangeAllianceEntry(Roll(GameConsts().HastenAllianceEntry + 3));
    if (c->AllianceEntry < 100)
    {
        text = LangFormat("diplomacy_haste_war_entry_country_increase_alliance_entry", c->Name, old, c->AllianceEntry);
        return;
    }
    const int side = LeaningSide(*c);
    if (side == 0)
    {
        LogLine(L"Error 1: Orientation not specified");
        text.clear();
        return;
    }
    c->JoinAlliance(side);
    text = LangFormat("diplomacy_haste_war_entry_country_join_alliance", c->Name, JoinedSideName(side));
}

// ---- Elections and orientation ----

bool CanHoldElections(int country, std::wstring& text)
{
    const cPanstwo* c = GetCountry(country);
    if (Missing(c, country, text))
        return false;
    if (c->Orientation == ORIENTATION_NATIONALIST || c->Orientation == ORIENTATION_COMMUNIST)
        text = LangText("diplomacy_elections_not_possible_in_regimes");
    else if (c->DoneParliamentaryElections)
        text = LangText("diplomacy_elections_only_once_per_game");
    else if (c->IsAtWar())
        text = LangText("diplomacy_elections_not_possible_during_war");
    else if (c->Alliance != ALLIANCE_NEUTRAL)
        text = LangText("diplomacy_elections_not_possible_only_neutral");
    else
    {
        text = LangText(c->Orientation == ORIENTATION_DEMOCRACY ? "diplomacy_elections_firm_democracies_only_to_weaker"
                                                                 : "diplomacy_elections_choose_winning_orientation");
        return true;
    }
    return false;
}

void HoldElections(int country, int orientation, std::wstring& text)
{
    GLOBAL_LOCK_SCOPE();
    cPanstwo* c = GetCountry(country);
    if (Missing(c, country, text))
        return;
    // No exit in the middle of a game: an orientation outside the six is logged and changes nothing.
    if (orientation < 0 || orientation > 5)
    {
        LogLine(L"Elections - orientaion unknown. ERROR");
        text.clear();
        return;
    }
    c->DoneParliamentaryElections = true;
    const int drop = Roll(GameConsts().ElectionsRoll);
    const int before = c->Orientation;
    c->Orientation = orientation;
    if (orientation <= 2)
    {
        text = LangFormat("diplomacy_elections_in_country_country_becomes_orientation", c->Name,
                          c->GetOrientationName(false));
        return;
    }
    // A pro- orientation of another leaning than before costs alliance entry.
    const bool turned = before >= 3 && before <= 5 && before != orientation;
    if (turned)
        c->ChangeAllianceEntry(-drop);
    switch (orientation)
    {
    case ORIENTATION_PRO_ALLIED:
        text = turned ? LangFormat("diplomacy_elections_in_country_orientation_changed_to_pro_allied_alliance_entry_dropped",
                                   c->Name, drop)
                      : LangFormat("diplomacy_elections_in_country_orientation_changed_to_pro_allied", c->Name);
        break;
    case ORIENTATION_PRO_AXIS:
        text = turned ? LangFormat("diplomacy_elections_in_country_orientation_changed_to_pro_axis_alliance_entry_dropped",
                                   c->Name, drop)
                      : LangFormat("diplomacy_elections_in_country_orientation_changed_to_pro_axis_report_bug", c->Name);
        break;
    default:
        text = turned ? LangFormat(
                            "diplomacy_elections_in_country_orientation_changed_to_pro_communist_alliance_entry_dropped",
                            c->Name, drop)
                      : LangFormat("diplomacy_elections_in_country_orientation_changed_to_pro_communist_report_bug",
                                   c->Name);
        break;
    }
}

bool CanChangeOrientation(int country, std::wstring& text)
{
    const cPanstwo* c = GetCountry(country);
    if (Missing(c, country, text))
        return false;
    // The shortage of points is told last: more points would not lift the other bars.
    if (c->DoneTurnInOrientation)
        text = LangText("diplomacy_can_change_orientation_only_once_per_turn");
    else if (c->IsAtWar())
        text = LangText("diplomacy_can_change_orientation_not_possible_during_war");
    else if (c->Alliance != ALLIANCE_NEUTRAL)
        text = LangText("diplomacy_can_change_orientation_not_possible_in_alliance");
    else if (c->SocialUnrest >= 75.0f)
        text = LangText("diplomacy_can_change_orientation_not_possible_social_unrest");
    else if (!EnoughDp(*c, c->PoliticalStrength, text))
        return false;
    else
    {
        // The player reads the price before he pays it, as for every other action.
        text = OrientationChangeCostText(country);
        return true;
    }
    return false;
}

std::wstring OrientationChangeCostText(int country)
{
    const cPanstwo* c = GetCountry(country);
    if (!c || c->Orientation < 0 || c->Orientation > 5)
        return std::wstring();
    static const char* const kPro[] = {"diplomacy_elections_pro_allied", "diplomacy_elections_pro_axis",
                                       "diplomacy_elections_pro_communist"};
    // The three rolls of ChangeOrientation, in its order.
    const float* k = GameConsts().OrientationChange;
    int entryDrop[2], otherUnrest[2], ownUnrest[2];
    RollRange(k, entryDrop);
    RollRange(k + 3, otherUnrest);
    RollRange(k + 6, ownUnrest);
    // "by 1 to 6%" reads as a rise to 6 %: a range is told as one, "1-6", a fixed roll as its value.
    auto range = [](const int (&r)[2]) { return r[0] == r[1] ? FormatText(L"%i", r[0]) : FormatText(L"%i-%i", r[0], r[1]); };
    if (c->Orientation <= 2)
        return LangFormat("diplomacy_change_orientation_cost_of_regime", LangText(kPro[c->Orientation]),
                          c->PoliticalStrength, range(ownUnrest));
    return LangFormat("diplomacy_change_orientation_cost_of_leaning", c->PoliticalStrength, range(ownUnrest),
                      range(otherUnrest), range(entryDrop));
}

void ChangeOrientation(int country, int orientation, std::wstring& text)
{
    GLOBAL_LOCK_SCOPE();
    cPanstwo* c = GetCountry(country);
    if (Missing(c, country, text))
        return;
    // An orientation outside the six would stop every later rule that reads it: nothing is paid.
    if (orientation < 0 || orientation > 5 || c->Orientation < 0 || c->Orientation > 5)
    {
        LogLine(L"ERROR: %s cannot change orientation %i to %i", c->Name, c->Orientation, orientation);
        text.clear();
        return;
    }
    const float* k = GameConsts().OrientationChange;
    const int entryDrop = Roll(k);
    const int otherUnrest = Roll(k + 3);
    const int ownUnrest = Roll(k + 6);
    c->AddDiplomaticPoints(-c->PoliticalStrength);
    c->DoneTurnInOrientation = true;
    static const char* const kToPro[] = {"diplomacy_change_orientation_to_pro_allied",
                                         "diplomacy_change_orientation_to_pro_axis",
                                         "diplomacy_change_orientation_to_pro_communist"};
    static const char* const kToRegime[] = {"diplomacy_change_orientation_to_firm_democracy",
                                            "diplomacy_change_orientation_to_nationalist_regime",
                                            "diplomacy_change_orientation_to_communist_regime"};
    if (c->Orientation <= 2)
    {
        c->ChangeSocialUnrest(float(ownUnrest));
        c->Orientation += 3;
        text = FormatText(LangText(kToPro[c->Orientation - 3]), c->Name);
    }
    else if (orientation == c->Orientation - 3)
    {
        c->ChangeSocialUnrest(float(ownUnrest));
        c->Orientation = orientation;
        text = FormatText(LangText(kToRegime[orientation]), c->Name);
    }
    else
    {
        c->ChangeSocialUnrest(float(otherUnrest));
        c->ChangeAllianceEntry(-entryDrop);
        c->Orientation = orientation;
        text = LangFormat("diplomacy_change_orientation_to_other_then_pro_orientation", c->Name,
                          c->GetOrientationName(false));
    }
}

// ---- War ----

bool CanDeclareWar(int declarer, int target, std::wstring& text)
{
    const cPanstwo* d = GetCountry(declarer);
    const cPanstwo* t = GetCountry(target);
    if (Missing(d, declarer, text) || Missing(t, target, text))
        return false;
    const int cost = DeclareWarDpCost(declarer, target);
    if (d->IsAlliedWith(target))
        text = LangFormat("diplomacy_can_declare_war_not_on_ally", t->Name);
    else if (SameLeaning(*d, *t))
        text = LangFormat("diplomacy_can_declare_war_similar_orientation", t->Name);
    else if (CountriesAtWar(declarer, target))
        text = LangFormat("diplomacy_can_declare_war_already_war_with_country", t->Name);
    else if (t->Alliance >= ALLIANCE_ALLIES && t->Alliance <= ALLIANCE_COMINTERN)
        text = LangFormat("diplomacy_can_declare_war_country_is_member_of_alliance_declare_war_on_leader", t->Name);
    else if (EnoughDp(*d, cost, text))
    {
        const int unrest = DeclareWarUnrest(declarer, target);
        if (t->Alliance == ALLIANCE_NEUTRAL && t->IsOrientationInZoneOfInfluence())
            text = LangFormat("diplomacy_can_declare_war_on_country_social_unrest_increase_country_join_alliance",
                              unrest, cost, t->Name, t->GetLeaningAllianceName(true));
        else
            text = LangFormat("diplomacy_can_declare_war_on_country_social_unrest_increase", unrest, cost);
        return true;
    }
    return false;
}

int DeclareWar(int declarer, int target, bool pay)
{
    cPanstwo* d = GetCountry(declarer);
    cPanstwo* t = GetCountry(target);
    // Nobody declares war on itself.
    if (!d || !t || declarer == target)
    {
        LogLine(L"ERROR: country %i cannot declare war on country %i", declarer, target);
        return 0;
    }
    GLOBAL_LOCK_SCOPE();
    if (pay)
    {
        d->AddDiplomaticPoints(-DeclareWarDpCost(declarer, target));
        d->ChangeSocialUnrest(float(DeclareWarUnrest(declarer, target)));
    }
    const bool leader = IsLeader(*t);
    const bool leansToZone = t->IsOrientationInZoneOfInfluence();
    int applied = 0;
    if (d->Alliance == ALLIANCE_NEUTRAL)
    {
        if (leader)
        {
            applied = 3;
            d->DeclareWarOnAlliance(t->Alliance);
        }
        else
        {
            applied = leansToZone ? 2 : 1;
            SetWarBothWays(declarer, target);
            if (leansToZone)
                JoinLeaningSide(*t);
        }
    }
    else if (leader)
    {
        applied = 6;
        SetWarBothWays(declarer, target);
        SideAtWarWithSideOf(t->Alliance, *d);
    }
    else if (!leansToZone)
    {
        applied = 4;
        t->DeclareWarOnAlliance(d->Alliance);
    }
    else
    {
        applied = 5;
        SetWarBothWays(declarer, target);
        if (JoinLeaningSide(*t))
            SideAtWarWithSideOf(t->Alliance, *d);
    }
    LogLine(L"%s declares war on %s (CASE %i)", d->Name, t->Name, applied);
    return applied;
}

sDeclarationOutcome DeclarationOutcome(int declarer, int target)
{
    sDeclarationOutcome outcome;
    const cPanstwo* d = GetCountry(declarer);
    const cPanstwo* t = GetCountry(target);
    if (!d || !t || declarer == target || !g_World.countries)
        return outcome;
    // With the target comes the side it leads, or the side it joins as DeclareWar has it join.
    int side = 0;
    if (IsLeader(*t))
        side = t->Alliance - 3;
    else if (t->IsOrientationInZoneOfInfluence())
        side = outcome.joinedSide = LeaningSide(*t);
    for (const cPanstwo* c : *g_World.countries)
        if (c->IsActive && c->ID != declarer && !CountriesAtWar(declarer, c->ID) &&
            (c->ID == target || (side != 0 && c->IsOnSide(side))))
            outcome.newEnemies.push_back(c->ID);
    return outcome;
}

// ---- Pressure and coups ----

bool CanExertPressure(int presser, int target, std::wstring& text)
{
    const cPanstwo* p = GetCountry(presser);
    cPanstwo* t = GetCountry(target);
    if (Missing(p, presser, text) || Missing(t, target, text))
        return false;
    static const char* const kOnce[] = {"diplomacy_can_exert_pressure_only_once_per_turn_note_allies",
                                        "diplomacy_can_exert_pressure_only_once_per_turn_note_axis",
                                        "diplomacy_can_exert_pressure_only_once_per_turn_note_comintern"};
    const bool* flag = PressureFlag(*t, *p);
    const int cost = ExertPressureCost(presser, target);
    if (t->Alliance != ALLIANCE_NEUTRAL)
        text = LangFormat("diplomacy_can_extern_pressure_country_already_in_alliance", t->Name);
    else if (!flag)
        text.clear(); // a presser that leans nowhere has nobody to press for
    else if (*flag)
        text = FormatText(LangText(kOnce[p->Orientation % 3]), t->Name);
    else if (EnoughDp(*p, cost, text))
    {
        if (SameLeaning(*p, *t))
            text = LangFormat("diplomacy_can_exert_pressure_hasten_alliance_entry_of_country_cost", t->Name, cost);
        else
            text = LangFormat("diplomacy_can_exert_pressure_decrease_alliance_entry_of_country_cost_chance", t->Name,
                              cost, ExertPressureChance(presser, target));
        return true;
    }
    return false;
}

void ExertPressure(int presser, int target, std::wstring& text)
{
    GLOBAL_LOCK_SCOPE();
    cPanstwo* p = GetCountry(presser);
    cPanstwo* t = GetCountry(target);
    if (Missing(p, presser, text) || Missing(t, target, text))
        return;
    p->AddDiplomaticPoints(-ExertPressureCost(presser, target));
    if (bool* flag = PressureFlag(*t, *p))
        *flag = true;
    if (RandomInt(1, 100) > ExertPressureChance(presser, target))
    {
        text = LangFormat("diplomacy_exert_pressure_country_tries_to_exert_pressure_on_country_but_fails", p->Name,
                          t->Name);
        return;
    }
    const int old = t->AllianceEntry;
    const int roll = Roll(GameConsts().ExertPressure);
    t->ChangeAllianceEntry(SameLeaning(*p, *t) ? roll : -roll);
    if (t->AllianceEntry >= 100 && JoinLeaningSide(*t))
        text = LangFormat("diplomacy_exert_pressure_country_joins_alliance_pressure_from_country", t->Name, p->Name);
    else
        text = LangFormat("diplomacy_exert_pressure_alliance_entry_of_country_changed_pressure_from_country", t->Name,
                          old, t->AllianceEntry, p->Name);
}

bool CanStageCoup(int instigator, int target, std::wstring& text)
{
    const cPanstwo* i = GetCountry(instigator);
    const cPanstwo* t = GetCountry(target);
    if (Missing(i, instigator, text) || Missing(t, target, text))
        return false;
    const int cost = CoupCost(target);
    if (t->Alliance != ALLIANCE_NEUTRAL)
        text = LangText("diplomacy_can_coup_detat_only_in_neutral");
    else if (t->IsAtWar())
        text = LangText("diplomacy_can_coup_detat_only_in_countries_not_at_war");
    else if (t->Orientation == i->Orientation)
        text = LangFormat("diplomacy_can_coup_detat_same_orientation_of_country", t->Name);
    else if (EnoughDp(*i, cost, text))
    {
        text = LangFormat("diplomacy_can_coup_detat_try_to_stage_in_country_cost_chance", t->Name, CoupChance(target),
                          cost);
        return true;
    }
    return false;
}

void StageCoup(int instigator, int target, std::wstring& text)
{
    GLOBAL_LOCK_SCOPE();
    cPanstwo* i = GetCountry(instigator);
    cPanstwo* t = GetCountry(target);
    if (Missing(i, instigator, text) || Missing(t, target, text))
        return;
    const float* coup = GameConsts().Coup;
    i->AddDiplomaticPoints(-CoupCost(target));
    if (RandomInt(1, 100) <= CoupChance(target))
    {
        const std::wstring before = t->GetOrientationName(false);
        t->ShiftOrientationToward(*i);
        t->ChangeAllianceEntry(-RollWhileBelowCount(coup + 8));
        text = LangFormat("diplomacy_coup_detat_in_country_orientation_changed_alliance_entry_dropped", t->Name, before,
                          t->GetOrientationName(false));
        return;
    }
    const bool sameLeaning = SameLeaning(*i, *t);
    if (!sameLeaning)
        t->ChangeAllianceEntry(RollWhileBelowCount(coup + 5));
    t->PoliticalStrength = std::clamp(t->PoliticalStrength + int(coup[3]), 0, 100);
    if (t->AllianceEntry >= 100 && JoinLeaningSide(*t))
        text = LangFormat(
            "diplomacy_coup_detat_attempt_in_country_failed_strength_of_country_increased_country_joins_alliance",
            t->Name, t->Name);
    else if (!sameLeaning)
        text = LangFormat(
            "diplomacy_coup_detat_attempt_in_country_failed_strength_of_country_increased_alliance_entry_increased",
            t->Name, t->Name);
    else
        text = LangFormat("diplomacy_coup_detat_attempt_in_country_failed_strength_of_country_increased", t->Name,
                          t->Name);
}
