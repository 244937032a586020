// Alliances, regimes, war and peace, and the surrender of a country.
#include "world/alliances.h"

#include <algorithm>

#include "core/lock.h"
#include "core/log.h"
#include "core/random.h"
#include "core/stringbase.h"
#include "game/game.h"
#include "game/presentation.h"
#include "units/air_unit.h"
#include "units/land_unit.h"
#include "units/unit_tables.h"
#include "world/city.h"
#include "world/convoys.h"
#include "world/country.h"
#include "world/map.h"
#include "world/relations.h"
#include "world/world.h"

namespace {

const std::vector<cPanstwo*>& Countries()
{
    static const std::vector<cPanstwo*> none;
    return g_World.countries ? *g_World.countries : none;
}

// 1 Allies, 2 Axis, 3 Comintern for the orientation's leaning; 0 for none.
int LeaningOf(int orientation)
{
    return orientation >= 0 && orientation <= 5 ? orientation % 3 + 1 : 0;
}

int SideOfAlliance(int alliance)
{
    return alliance >= 1 && alliance <= 6 ? (alliance - 1) % 3 + 1 : 0;
}

} // namespace

// ---- Leaders and war flags ----

cPanstwo* FindAllianceLeader(const std::vector<cPanstwo*>& countries, int k, eLeaderPick pick)
{
    if (k < 1 || k > 6)
        return nullptr;
    const int side = k > 3 ? k - 3 : k;
    cPanstwo* best = nullptr;
    int bestRank = -1;
    for (cPanstwo* c : countries)
    {
        if (!c)
            continue;
        const int rank = pick == eLeaderPick::kHolder ? (c->Alliance == side + 3 ? 0 : -1)
                         : c->IsActive && c->Alliance == side ? c->PoliticalStrength
                                                                : -1;
        // The first holder keeps the place; a later successor of equal strength takes it.
        if (rank >= 0 && (rank > bestRank || (rank == bestRank && pick == eLeaderPick::kSuccessor)))
        {
            best = c;
            bestRank = rank;
        }
    }
    return best;
}

cPanstwo* FindAllianceLeader(int k)
{
    return FindAllianceLeader(Countries(), k);
}

void SetWarBothWays(int a, int b)
{
    cRelationsMatrix* relations = WorldRelations();
    if (!relations || a < 1 || b < 1 || a == b)
        return;
    relations->SetWar(a, b, 1);
    relations->SetWar(b, a, 1);
}

sAllianceNews PassAllianceLead(cPanstwo& leader, bool surrendered)
{
    const int alliance = leader.Alliance;
    if (alliance < 4 || alliance > 6)
        return {};
    const std::wstring name = leader.GetAllianceName(alliance, false);
    leader.Alliance = ALLIANCE_NEUTRAL;
    cPanstwo* next = g_Gra ? g_Gra->DetermineNewAllianceLeader(alliance) : nullptr;
    if (next)
    {
        next->Alliance = alliance;
        if (surrendered)
            return {LangFormat("leader_of_%s_eliminated!", name),
                    LangFormat("with_%s_annexed,_%s_becomes_new_leader_of_%s", leader.Name, next->Name, name)};
        return {LangFormat("new_leader_of_%s", name),
                LangFormat("%s_made_peace,_%s_becomes_new_leader_of_%s", leader.Name, next->Name, name)};
    }
    // The alliance is gone: who leaned to it turns to one of the two others.
    const int side = alliance - 3;
    const int others[3][2] = {{4, 5}, {3, 5}, {3, 4}};
    for (cPanstwo* c : Countries())
        if (LeaningOf(c->Orientation) == side)
        {
            c->Orientation = others[side - 1][RandomInt(1, 2) - 1];
            LogLine(LangFormat("since_%s_is_eliminated_%s_changes_alignment_to_%i", name, c->Name, c->Orientation));
        }
    return {LangFormat("%s_eliminated!", name),
            surrendered ? LangText("last_country_in_alliance_has_been_annexed._alliance_ceases_to_exist.")
                        : LangText("last_country_in_alliance_made_peace._alliance_ceases_to_exist.")};
}

// ---- Joining and declaring ----

void cPanstwo::JoinAlliance(int side)
{
    // No exit in the middle of a game: a side that does not exist is refused with its log line.
    if (side < 1 || side > 3)
    {
        LogLine(L"ERROR: %s cannot join alliance %i (only 1 to 3)", Name, side);
        return;
    }
    GLOBAL_LOCK_SCOPE();
    AllianceEntry = 100;
    Alliance = side;
    LogLine(LangFormat("%s_is_joining_alliance_%i", Name, side));
    // Of two holders of the leader's code the first leads, as wherever else the game asks for
    // it: the rules disagree on first or last, and one side must have one leader.
    cPanstwo* leader = FindAllianceLeader(side);
    if (!leader)
    {
        // No exit in the middle of a game: the joiner leads the side, so the side still counts.
        LogLine(LangFormat("cannot_find_leader_for_alliance_%i_while_trying_to_add_%s_to_that_alliance", side + 3,
                           Name));
        Alliance = side + 3;
        LogLine(L"%s becomes the leader of alliance %i", Name, Alliance);
        leader = this;
    }
    const std::vector<cPanstwo*>& countries = Countries();
    for (const cPanstwo* member : countries)
    {
        // A country that surrendered is out of the war for good, though it keeps its code.
        if (!member->IsActive || !member->IsOnSide(side))
            continue;
        // Nobody goes to war with itself, and a side never with one of its own members.
        for (const cPanstwo* enemy : countries)
            if (CountriesAtWar(ID, enemy->ID) && !CountriesAtWar(member->ID, enemy->ID) && member->ID != enemy->ID &&
                !member->IsAlliedWith(enemy->ID))
            {
                LogLine(L"own war %s-%s causes war %s-%s", Name, enemy->Name, member->Name, enemy->Name);
                SetWarBothWays(member->ID, enemy->ID);
            }
    }
    // A joiner the leader was at war with is not set at war with itself.
    for (const cPanstwo* enemy : countries)
        if (CountriesAtWar(leader->ID, enemy->ID) && !CountriesAtWar(ID, enemy->ID) && enemy->ID != ID)
        {
            LogLine(L"leader's war %s-%s causes war %s-%s", leader->Name, enemy->Name, Name, enemy->Name);
            SetWarBothWays(ID, enemy->ID);
        }
}

void cPanstwo::DeclareWarOnAlliance(int alliance)
{
    GLOBAL_LOCK_SCOPE();
    LogLine(LangFormat("%s_is_now_at_war_with_alliance_%i._wars_are_declared:", Name, alliance));
    for (const cPanstwo* c : Countries())
    {
        const bool member = c->Alliance != 0 &&
                            (c->Alliance == alliance || (alliance >= 1 && alliance <= 3 && c->Alliance == alliance + 3) ||
                             (alliance >= 4 && alliance <= 6 && c->Alliance == alliance - 3));
        // Nobody goes to war with itself or an ally (a side stays whole), nor with a country that
        // surrendered: it keeps its code but is out of the war for good.
        if (!member || c->ID == ID || !c->IsActive || IsAlliedWith(c->ID))
            continue;
        SetWarBothWays(ID, c->ID);
        LogLine(L"%s - %s", Name, c->Name);
        LogLine(L"%s - %s", c->Name, Name);
    }
}

int cPanstwo::GetTargetAlliance() const
{
    const int side = LeaningOf(Orientation);
    // No exit in the middle of a game: the caller gets 0, no side, and joins nothing.
    if (side == 0)
        LogLine(LangText("error_in_returning_target_alliance:_orientation_not_specified"));
    return side;
}

// No exit in the middle of a game: a code outside the tables gives -1, which costs nothing.
int cPanstwo::GetDeclareWarRow() const
{
    if (Alliance >= 1 && Alliance <= 6)
        return 6 - Alliance;
    if (Alliance == ALLIANCE_NEUTRAL)
    {
        switch (LeaningOf(Orientation))
        {
        case 3: return 6;
        case 2: return 7;
        case 1: return 8;
        default:
            LogLine(LangText("error_in_returning_row_for_declare_war_table:_unknown_orientation"));
            return -1;
        }
    }
    LogLine(LangText("error_in_returning_row_for_declare_war_table:_unknown_alliance"));
    return -1;
}

int cPanstwo::GetDeclareWarColumn() const
{
    if (Alliance >= 4 && Alliance <= 6)
        return 6 - Alliance;
    switch (LeaningOf(Orientation))
    {
    case 3: return 3;
    case 2: return 4;
    case 1: return 5;
    default:
        LogLine(LangText("error_in_returning_column_for_declare_war_table:_unknown_orientation"));
        return -1;
    }
}

void cPanstwo::ShiftOrientationToward(const cPanstwo& instigator)
{
    // By the instigator's orientation (rows) and this country's (columns); -1 keeps it.
    static const int kShift[6][6] = {
        {-1, 4, 5, 0, 3, 3}, {3, -1, 5, 4, 1, 4}, {3, 4, -1, 5, 5, 2},
        {3, 4, 5, -1, 3, 3}, {3, 4, 5, 4, -1, 4}, {3, 4, 5, 5, 5, -1},
    };
    const int from = instigator.Orientation;
    if (from < 0 || from > 5 || Orientation < 0 || Orientation > 5)
        return;
    const int to = kShift[from][Orientation];
    if (to >= 0)
        Orientation = to;
}

// ---- Peace and surrender ----

void cPanstwo::MakePeace(bool returnTerritory)
{
    if (!IsAtWar() || !g_Gra)
        return;
    GLOBAL_LOCK_SCOPE();
    cMapa* map = WorldMap();
    if (returnTerritory && map)
        map->ReturnOccupiedHexes(ID);
    // Units standing on another country's ground, where this country is one of the two,
    // go home to the reserve pool.
    auto strayed = [this, map](const cJednostka* u) {
        const sHex* hex = map && u->IsOnMap() ? map->GetHex(u->m_X, u->m_Y) : nullptr;
        return hex && hex->controller != u->m_Owner && (hex->controller == ID || u->m_Owner == ID);
    };
    std::vector<cJednostka*> leaving;
    for (cJednostkaLadowa* u : g_Gra->m_LandUnits)
        if (strayed(u))
            leaving.push_back(u);
    for (cJednostkaLotnicza* u : g_Gra->m_AirUnits)
        if (strayed(u))
            leaving.push_back(u);
    for (cJednostka* u : leaving)
        u->MoveToReservePool();
    if (cRelationsMatrix* relations = WorldRelations())
        relations->MakePeaceWithAll(ID);
    // A leader that turns neutral would leave its members leaderless, and the game would count
    // their alliance gone: the lead passes on as after a surrender.
    const sAllianceNews news = PassAllianceLead(*this, false);
    Alliance = ALLIANCE_NEUTRAL;
    if (!news.title.empty())
        ShowMessageToPerson(news.title, news.text, false);
}

bool cPanstwo::Surrender(std::wstring& caption, std::wstring& text)
{
    cRelationsMatrix* relations = WorldRelations();
    if (!relations)
        return false;
    GLOBAL_LOCK_SCOPE();
    const std::vector<cPanstwo*>& countries = Countries();
    float sum = relations->GetLossesColumnSum(ID);
    // Nobody has hurt it: every active enemy shares the victory equally.
    if (sum == 0.0f)
        for (const cPanstwo* w : countries)
            if (w->IsActive && w->ID != ID && CountriesAtWar(w->ID, ID))
            {
                relations->AddLosses(w->ID, ID, 1.0f);
                sum += 1.0f;
            }
    std::vector<std::pair<cPanstwo*, float>> parts;
    // Losses a country dealt itself (a scenario's diagonal) never make it its own victor.
    for (cPanstwo* w : countries)
        if (w->IsActive && w->ID != ID && relations->GetLosses(w->ID, ID) > 0.0f)
            parts.emplace_back(w, relations->GetLosses(w->ID, ID) * 100.0f / sum);
    if (parts.empty())
    {
        LogLine(L"%s cannot surrender: no active country has fought it", Name);
        return false;
    }
    std::stable_sort(parts.begin(), parts.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    cPanstwo* victor = parts.front().first;
    caption = LangFormat("%s_surrenders_to_%s", Name, victor->Name);
    text = LangFormat("distribution_of_effort_in_victory_over_%s:", Name);
    for (const auto& [country, part] : parts)
        text += LangFormat("%s:_%.2f%%", country->Name, part);

    while (KillNextLandUnitOfCountry(ID))
        ;
    while (KillNextCarriedLandUnitOfCountry(ID))
        ;
    while (KillNextCarriedLandUnitOfCountry2(ID))
        ;
    while (KillNextAirUnitOfCountry(ID))
        ;
    DeleteReserveUnitsOfCountry(ID);
    UnassignCommandersOfCountry(ID);
    while (KillNextNavalUnitOfCountry(ID))
        ;
    DeleteNavalReserveUnitsOfCountry(ID);
    if (g_World.convoys)
        g_World.convoys->RemoveFirstConvoyOfCountry(ID);
    if (cMapa* map = WorldMap())
        map->AnnexCountry(ID, victor->ID);
    DowngradeSupplyCitiesOfCountry(ID);
    relations->MakePeaceWithAll(ID);
    IsActive = false;
    return true;
}

// ---- The surrender condition ----

bool cPanstwo::HasLostAllVictoryCities() const
{
    if (PoliticalStrength == -1 || !IsAtWar())
        return false;
    const cMapa* map = WorldMap();
    if (!map || !g_World.cities)
        return false;
    for (const cMiasto* city : *g_World.cities)
    {
        // A city off the map would be read on the first hex, another country's ground.
        if (city->Type == CITY_RESOURCES || city->VictoryPoints < 1 || !map->IsInside(city->X, city->Y))
            continue;
        const sHex& hex = *map->GetHex(city->X, city->Y);
        if (hex.owner == ID && hex.controller == ID)
            return false;
    }
    return true;
}

// ---- Names ----

std::wstring cPanstwo::GetAllianceName(int alliance, bool secondForm) const
{
    static const char* const kFirst[] = {"neutral_countries", "allies", "axis", "comintern"};
    static const char* const kSecond[] = {"neutral_countries2", "allies2", "axis2", "comintern2"};
    const int side = SideOfAlliance(alliance);
    return LangText(secondForm ? kSecond[side] : kFirst[side]);
}

std::wstring cPanstwo::GetLeaningAllianceName(bool secondForm) const
{
    const int side = LeaningOf(Orientation);
    if (side == 0)
        return LangText("hey,_error!");
    return GetAllianceName(side, secondForm);
}

std::wstring cPanstwo::GetOrientationName(bool secondForm) const
{
    static const char* const kFirst[] = {"firm_democracy", "nationalist_regime", "communist_regime"};
    static const char* const kSecond[] = {"firm_democracy2", "nationalist_regime2", "communist_regime2"};
    static const wchar_t* const kPro[] = {L"pro-allied", L"pro-axis", L"pro-communist"};
    static const wchar_t* const kProCapital[] = {L"Pro-allied", L"Pro-axis", L"Pro-communist"};
    if (Orientation >= 0 && Orientation <= 2)
        return LangText(secondForm ? kSecond[Orientation] : kFirst[Orientation]);
    if (Orientation >= 3 && Orientation <= 5)
        return secondForm ? kProCapital[Orientation - 3] : kPro[Orientation - 3];
    return std::wstring();
}

std::wstring cPanstwo::GetZoneOfInfluenceName(bool secondForm) const
{
    static const char* const kFirst[] = {"none", "allied", "axis", "comintern"};
    static const char* const kSecond[] = {"none2", "allied2", "axis2", "comintern2"};
    if (ZoneOfInfluence < 0 || ZoneOfInfluence > 3)
        return std::wstring();
    return LangText(secondForm ? kSecond[ZoneOfInfluence] : kFirst[ZoneOfInfluence]);
}
