// One sea battle: the carrier and submarine stages, then the regular part shot by shot
// until the turns run out or a side has no shooter or target left, and the end report.
#include "units/sea_battle.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>

#include "core/format.h"
#include "core/lock.h"
#include "core/log.h"
#include "core/random.h"
#include "core/stringbase.h"
#include "game/consts.h"
#include "game/game.h"
#include "game/play_counts.h"
#include "game/play_state.h"
#include "game/presentation.h"
#include "units/combat_support.h"
#include "units/naval_unit.h"
#include "units/unit_access.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/sea_graph.h"

namespace {

std::atomic<cSeaBattle*> g_CurrentSeaBattle{nullptr};
std::atomic<int> g_NextSeaBattleSerial{1};

bool IsPbemGame()
{
    return g_Gra && g_Gra->m_IsPbem;
}

int TechOf(const cJednostkaMorska& ship, int category)
{
    const cPanstwo* owner = ship.GetOwner();
    return owner ? owner->TechLevel[category] : 0;
}

bool IsSunk(const cJednostkaMorska* ship)
{
    return ship->m_HP < 1;
}

int CountType(const tSeaBattleSide& side, int type)
{
    return int(std::count_if(side.begin(), side.end(), [type](const cJednostkaMorska* s) { return s->m_Type == type; }));
}

int CountActive(const tSeaBattleSide& side)
{
    return int(std::count_if(side.begin(), side.end(), [](const cJednostkaMorska* s) { return s->m_ActiveInBattle; }));
}

bool HasWarship(const tSeaBattleSide& side)
{
    return std::any_of(side.begin(), side.end(), [](const cJednostkaMorska* s) { return !s->IsTransport(); });
}

bool HasHuman(const tSeaBattleSide& side)
{
    return std::any_of(side.begin(), side.end(), [](const cJednostkaMorska* s) {
        const cPanstwo* owner = s->GetOwner();
        return owner && owner->HumanControlled;
    });
}

// The highest navy technology among the owners of the side's ships.
int HighestNavyTech(const tSeaBattleSide& side)
{
    int best = 0;
    for (const cJednostkaMorska* ship : side)
        best = std::max(best, TechOf(*ship, TECH_NAVY));
    return best;
}

const std::wstring& SeaNodeName(const cJednostkaMorska& ship)
{
    static const std::wstring none;
    const cGrafMorz* graph = g_Gra ? g_Gra->m_SeaGraph : nullptr;
    const sWezelGrafuMorz* node = ship.m_Fleet && graph ? graph->GetNode(ship.m_Fleet->seaNode) : nullptr;
    return node ? node->Name : none;
}

bool FleetShown(const cJednostkaMorska& ship)
{
    return ship.m_Fleet && ship.m_Fleet->isActive != 0;
}

// "ship (country)", as the stages name the ships; a sunk one with the unit lost aboard it.
std::wstring ShipAndOwner(const cJednostkaMorska& ship)
{
    return (ship.m_HP > 0 ? ship.m_Name : ship.NameWithCargo()) + L" (" + CountryName(ship.m_Owner) + L")";
}

// The side's fleets, each once, as "fleet (country)".
std::wstring FleetsOf(const tSeaBattleSide& side)
{
    std::vector<const cFlota*> named;
    std::wstring text;
    for (const cJednostkaMorska* ship : side) {
        const cFlota* fleet = ship->m_Fleet;
        if (!fleet || std::find(named.begin(), named.end(), fleet) != named.end())
            continue;
        named.push_back(fleet);
        text += (text.empty() ? L"" : L", ") + fleet->name + L" (" + CountryName(fleet->owner) + L")";
    }
    return text;
}

// A sunk ship is listed among the owner's lost ships: "ship\nfleet;attacker\ncountry;zone\nhow".
void ReportSunk(cJednostkaMorska& target, const cJednostkaMorska& attacker, const wchar_t* how)
{
    target.MarkLoss("sea battle", attacker.m_Owner);
    AddCombatReport(33, target.m_Fleet ? target.m_Fleet->owner : target.m_Owner,
                    FormatText(L"%s\n%s;%s\n%s;%s\n%s", target.NameWithCargo(), FleetName(target), attacker.m_Name,
                               CountryName(attacker.m_Owner), SeaNodeName(attacker), how));
}

cJednostkaMorska* PickRandom(const std::vector<cJednostkaMorska*>& ships)
{
    return ships.empty() ? nullptr : ships[size_t(RandomInt(0, int(ships.size()) - 1))];
}

cJednostkaMorska* FindById(const tSeaBattleSide& side, int id)
{
    for (cJednostkaMorska* ship : side)
        if (ship->m_Id == id)
            return ship;
    return nullptr;
}

// Board slots of a side's carriers and of its other ships: column offset, row offset.
constexpr int kCarrierSlots = 30;
constexpr int kOtherSlots[22][2] = {{0, 0},  {0, -2}, {2, -1}, {2, 1},  {0, 2},  {0, -4}, {2, -3}, {4, -2},
                                    {4, 0},  {4, 2},  {2, 3},  {0, 4},  {0, -6}, {2, -5}, {4, -4}, {6, -3},
                                    {6, -1}, {6, 1},  {6, 3},  {4, 4},  {2, 5},  {0, 6}};

void PlaceSide(tSeaBattleSide& side, bool first)
{
    int carriers = 0, others = 0;
    for (cJednostkaMorska* ship : side) {
        int dc = 0, dr = 0;
        bool placed = false;
        if (ship->m_Type == UNIT_CARRIER) {
            const int k = carriers++;
            if (k < kCarrierSlots) {
                const int i = k % 15;
                dc = k < 15 ? 0 : 2;
                dr = i % 2 == 1 ? -(i + 1) : i;
                placed = true;
                ship->m_X = first ? 3 - dc : 27 + dc;
            }
        } else {
            const int k = others++;
            if (k < int(std::size(kOtherSlots))) {
                dc = kOtherSlots[k][0];
                dr = kOtherSlots[k][1];
                placed = true;
                ship->m_X = first ? 13 - dc : 17 + dc;
            }
        }
        ship->m_Y = placed ? 16 + dr : -1;
        if (!placed)
            ship->m_X = -1;
    }
}

} // namespace

void sSeaBattleRoundLog::Reset()
{
    firstSideShips.clear();
    secondSideShips.clear();
    stageMessages.clear();
    pbemCountries.clear();
    otherCountries.clear();
}

sSeaBattleRoundLog& SeaBattleRoundLog()
{
    static sSeaBattleRoundLog log;
    return log;
}

int DrawBattleLength()
{
    const int* w = GameConsts().SeaBattleConditionWeights;
    const int sum = w[0] + w[1] + w[2] + w[3] + w[4];
    // Loading refuses weights that do not add up to at least 1.
    if (sum < 1)
        return 1;
    const int r = RandomInt(1, sum);
    int reached = 0;
    for (int turns = 1; turns < 5; ++turns) {
        reached += w[turns - 1];
        if (r <= reached)
            return turns;
    }
    return 5;
}

cSeaBattle* CurrentSeaBattle()
{
    return g_CurrentSeaBattle.load();
}

cSeaBattle::cSeaBattle(tSeaBattleSide& firstSide, tSeaBattleSide& secondSide)
    : m_FirstSide(firstSide), m_SecondSide(secondSide), m_Serial(g_NextSeaBattleSerial.fetch_add(1))
{
    m_TurnsLeft = DrawBattleLength();
    m_AutoEndRequested = IsPbemGame();
    if (!m_FirstSide.empty())
        m_Location = SeaNodeName(*m_FirstSide.front());
    // The stages' box of the battle's steps tells the strikes but not where or whom: with
    // several battles an impulse a person could not tell which one it is about.
    m_Meeting = LangFormat("sea_battle_stage_%s_met_%s_in_%s", FleetsOf(m_FirstSide), FleetsOf(m_SecondSide), m_Location);
    RecomputeHumanFlags();
    g_CurrentSeaBattle.store(this);
}

cSeaBattle::~cSeaBattle()
{
    cSeaBattle* self = this;
    g_CurrentSeaBattle.compare_exchange_strong(self, nullptr);
}

void cSeaBattle::RecomputeHumanFlags()
{
    const bool pbem = IsPbemGame();
    m_FirstSideHuman = !pbem && HasHuman(m_FirstSide);
    m_SecondSideHuman = !pbem && HasHuman(m_SecondSide);
}

void cSeaBattle::Run()
{
    ++g_PlayCounts.seaBattles;
    sSeaBattleRecord record;
    StampWithGameDate(record.date);
    record.zone = m_Location;
    for (const tSeaBattleSide* side : {&m_FirstSide, &m_SecondSide})
        for (const cJednostkaMorska* ship : *side)
            if (const std::wstring& name = CountryName(ship->m_Owner);
                std::find(record.countries.begin(), record.countries.end(), name) == record.countries.end())
                record.countries.push_back(name);
    g_PlayCounts.RecordSeaBattle(std::move(record));
    m_Log = FormatText(L"Sea battle at %s\n\n", m_Location);
    for (const tSeaBattleSide* side : {&m_FirstSide, &m_SecondSide})
        for (const cJednostkaMorska* ship : *side)
            m_StartHP[{ship->m_Name, ship->m_Id}] = ship->m_HP;
    RunStages();
    // The box and the board are for the persons whose ships fought (the stages' losses count):
    // a battle of computers fights itself out with nothing for a person to choose, far from
    // their units, and would hold every person at every impulse. Its countries' reports keep it.
    bool watched = false;
    for (int id : m_Countries)
        if (const cPanstwo* country = GetCountry(id); country && country->HumanControlled)
            watched = true;

    if (!m_StageRecords.empty() || m_RegularPartCancelled) {
        m_StageLog = BuildStageLog();
        if (watched) {
            sPresentationRequest message;
            message.kind = eRequestKind::Message;
            // The box's strike lines are the language table's: a fixed title would mix two languages in it.
            message.title = LangText("sea_battle_fleet_detected_title");
            message.text = m_Meeting + m_StageLog;
            AddressToPersons(message);
            // Read before the board opens, as the battle's steps have it: the screen's hand-over
            // opens both at once, and the board would then lie over the window unread.
            Presentation().Post(std::move(message))->Wait();
        } else {
            // No person of this battle to read the box: the log keeps the stages.
            LogLine(m_StageLog);
        }
    }
    if (m_RegularPartCancelled)
        return;
    if (!m_FirstSide.empty() && !m_SecondSide.empty()) {
        PlaceShipsOnBoard();
        // A battle whose person's ships the stages sank has no one to fight it on the board; by
        // e-mail the person whose country fought watches theirs play itself out.
        m_Shown = watched && (!m_AutoResolve || IsPbemGame());
        if (m_Shown) {
            sPresentationRequest screen;
            screen.kind = eRequestKind::SeaBattle;
            screen.title = m_Location;
            screen.text = m_Log;
            screen.unitId = m_Serial;
            AddressToPersons(screen);
            Presentation().Post(std::move(screen))->Wait();
        }
    }
    // Whatever the screen left (or all of it, when nobody watches) is fought out now.
    while (!m_Ended)
        ExecuteShot();
}

void cSeaBattle::RunStages()
{
    for (tSeaBattleSide* side : {&m_SecondSide, &m_FirstSide})
        for (cJednostkaMorska* ship : *side) {
            ship->ResetBattleFlags();
            ship->m_Selected = false;
            ship->m_VisibleInBattle = ship->m_Spotted || FleetShown(*ship);
            m_Countries.insert(ship->m_Owner);
        }
    if (IsPbemGame()) {
        sSeaBattleRoundLog record;
        for (const cJednostkaMorska* ship : m_FirstSide)
            record.firstSideShips += ship->m_Name + L"\n";
        for (const cJednostkaMorska* ship : m_SecondSide)
            record.secondSideShips += ship->m_Name + L"\n";
        for (int id : m_Countries)
            if (const cPanstwo* country = GetCountry(id); country && country->PBEMPlayerId > 0)
                record.pbemCountries.insert(id);
        if (!record.pbemCountries.empty())
            SeaBattleRoundLog() = record;
    }
    m_StageLog.clear();
    m_StageRecords.clear();
    m_RegularPartCancelled = false;

    // Carriers first; a side alone in having them may strike once more.
    const bool carriersA = CountType(m_FirstSide, UNIT_CARRIER) > 0;
    const bool carriersB = CountType(m_SecondSide, UNIT_CARRIER) > 0;
    const bool onlyA = carriersA && !carriersB, onlyB = carriersB && !carriersA;
    CarrierStrikes(m_FirstSide, m_SecondSide);
    RemoveSunkShips();
    CarrierStrikes(m_SecondSide, m_FirstSide);
    RemoveSunkShips();
    auto bothSidesAfloat = [this] { return !m_FirstSide.empty() && !m_SecondSide.empty(); };
    if ((onlyA || onlyB) && bothSidesAfloat()) {
        const int tA = HighestNavyTech(m_FirstSide), tB = HighestNavyTech(m_SecondSide);
        if (RandomInt(0, 100) < std::abs(tA - tB) * 5) {
            if (onlyA)
                CarrierStrikes(m_FirstSide, m_SecondSide);
            else
                CarrierStrikes(m_SecondSide, m_FirstSide);
            RemoveSunkShips();
        }
    }
    const int nA = CountType(m_FirstSide, UNIT_CARRIER), nB = CountType(m_SecondSide, UNIT_CARRIER);
    if ((onlyA || onlyB) && bothSidesAfloat()) {
        const int tA = HighestNavyTech(m_FirstSide), tB = HighestNavyTech(m_SecondSide);
        const int chance = onlyA ? nA + (tA - tB + 1) * 20 : nB + (tB - tA + 1) * 20;
        if (RandomInt(0, 100) < chance)
            m_RegularPartCancelled = true;
    }
    if (carriersA && carriersB && RandomInt(0, 100) < nA + nB + 20)
        m_RegularPartCancelled = true;

    SubmarineStrikes(m_FirstSide, m_SecondSide);
    RemoveSunkShips();
    SubmarineStrikes(m_SecondSide, m_FirstSide);
    RemoveSunkShips();
    const int sA = CountType(m_FirstSide, UNIT_SUBMARINE), sB = CountType(m_SecondSide, UNIT_SUBMARINE);
    const bool allSubsA = sA == int(m_FirstSide.size()), allSubsB = sB == int(m_SecondSide.size());
    if ((allSubsA || allSubsB) && (sA > 0 || sB > 0)) {
        const int k = allSubsA ? sA : sB;
        if (RandomInt(0, 100) < 50 - k)
            m_RegularPartCancelled = true;
    }
    if (allSubsA && allSubsB && RandomInt(0, 100) < 100 - sB - sA)
        m_RegularPartCancelled = true;

    if (!HasWarship(m_FirstSide) && !HasWarship(m_SecondSide)) {
        m_RegularPartCancelled = true;
    } else if (m_FirstSide.empty() || m_SecondSide.empty()) {
        // A side the stages sank has no first ship to compare: the other starts.
        m_FirstSideStarts = !m_FirstSide.empty();
    } else {
        const int cA = CountType(m_FirstSide, UNIT_CARRIER), cB = CountType(m_SecondSide, UNIT_CARRIER);
        const int tA = TechOf(*m_FirstSide.front(), TECH_NAVY), tB = TechOf(*m_SecondSide.front(), TECH_NAVY);
        if (cA != cB)
            m_FirstSideStarts = cA > cB;
        else if (tA != tB)
            m_FirstSideStarts = tA > tB;
        else if (m_FirstSide.size() != m_SecondSide.size())
            m_FirstSideStarts = m_FirstSide.size() > m_SecondSide.size();
        else
            m_FirstSideStarts = m_FirstSide.front()->m_Owner < m_SecondSide.front()->m_Owner;
    }
    m_FirstSideActs = m_FirstSideStarts;
    PickShot();
    if (!m_FirstSelected || !m_SecondSelected)
        m_RegularPartCancelled = true;
    m_AutoResolve = (!m_FirstSideHuman && !m_SecondSideHuman) || IsPbemGame();
}

void cSeaBattle::CarrierStrikes(tSeaBattleSide& attackers, tSeaBattleSide& targets)
{
    StageStrikes(attackers, targets, false);
}

void cSeaBattle::SubmarineStrikes(tSeaBattleSide& attackers, tSeaBattleSide& targets)
{
    StageStrikes(attackers, targets, true);
}

void cSeaBattle::StageStrikes(tSeaBattleSide& attackers, tSeaBattleSide& targets, bool submarines)
{
    if (attackers.empty() || targets.empty())
        return;
    std::vector<cJednostkaMorska*> afloat;
    for (cJednostkaMorska* ship : targets)
        if (ship->m_HP > 0)
            afloat.push_back(ship);
    auto onlySubmarines = [](const tSeaBattleSide& side) {
        return std::all_of(side.begin(), side.end(), [](const cJednostkaMorska* s) { return s->m_Type == UNIT_SUBMARINE; });
    };
    const int perTech = !submarines ? 30 : (onlySubmarines(attackers) && onlySubmarines(targets) ? 5 : 10);
    sSeaBattleRoundLog& roundLog = SeaBattleRoundLog();
    for (cJednostkaMorska* attacker : attackers) {
        if (afloat.empty())
            break;
        if (attacker->m_Type != (submarines ? UNIT_SUBMARINE : UNIT_CARRIER))
            continue;
        const int tech = TechOf(*attacker, submarines ? TECH_SUBMARINES : TECH_NAVY);
        // A carrier's planes strike once per level of its navy; a submarine once.
        const int strikes = submarines ? 1 : tech;
        for (int s = 0; s < strikes && !afloat.empty(); ++s) {
            if (RandomInt(0, 1000) >= tech * perTech)
                continue;
            const size_t index = size_t(RandomInt(0, int(afloat.size()) - 1));
            cJednostkaMorska* target = afloat[index];
            target->ChangeHitPoints(-float(tech));
            const std::wstring attackerText = ShipAndOwner(*attacker), targetText = ShipAndOwner(*target);
            const bool destroyed = target->m_HP <= 0;
            if (!destroyed) {
                roundLog.stageMessages += submarines
                                              ? LangFormat("seabattle_submarine_attack_hits", attackerText, targetText, tech)
                                              : LangFormat("seabattle_aircraft_carrier_attack_hits", attackerText,
                                                           targetText, tech);
            } else {
                roundLog.stageMessages +=
                    submarines ? LangFormat("seabattle_submarine_attack_destroys", attackerText, targetText)
                               : LangFormat("seabattle_aircraft_carrier_attack_destroys", attackerText, targetText);
                ReportSunk(*target, *attacker, submarines ? L"Submarine attack" : L"Aircraft carrier attack");
                afloat.erase(afloat.begin() + std::ptrdiff_t(index));
            }
            m_StageRecords.push_back({submarines ? 1 : 0, attackerText, targetText, float(tech), destroyed});
        }
    }
}

void cSeaBattle::RemoveSunkShips()
{
    m_FirstSide.remove_if(IsSunk);
    m_SecondSide.remove_if(IsSunk);
    RecomputeHumanFlags();
    if (!g_Gra)
        return;
    // Killing a ship changes the list: each sunk ship is found from the head again.
    for (;;) {
        auto it = std::find_if(g_Gra->m_NavalUnits.begin(), g_Gra->m_NavalUnits.end(), IsSunk);
        if (it == g_Gra->m_NavalUnits.end())
            break;
        cJednostkaMorska* ship = *it;
        if (m_FirstSelected == ship)
            m_FirstSelected = nullptr;
        if (m_SecondSelected == ship)
            m_SecondSelected = nullptr;
        m_SunkNames[ship->m_Id] = ship->NameWithCargo();
        DestroyInCombat(ship);
    }
}

std::vector<cJednostkaMorska*> cSeaBattle::Candidates(bool firstSide) const
{
    const bool acts = firstSide == m_FirstSideActs;
    std::vector<cJednostkaMorska*> ships;
    for (cJednostkaMorska* ship : firstSide ? m_FirstSide : m_SecondSide)
        if (ship->m_HP > 0 && (acts ? ship->m_ActiveInBattle : ship->m_VisibleInBattle))
            ships.push_back(ship);
    return ships;
}

void cSeaBattle::PickShot()
{
    m_SecondSelected = PickRandom(Candidates(false));
    m_FirstSelected = PickRandom(Candidates(true));
}

bool cSeaBattle::CanFire(const cJednostkaMorska* ship) const
{
    const tSeaBattleSide& side = m_FirstSideActs ? m_FirstSide : m_SecondSide;
    return ship && ship->m_HP > 0 && ship->m_ActiveInBattle && std::find(side.begin(), side.end(), ship) != side.end();
}

bool cSeaBattle::CanBeTarget(const cJednostkaMorska* ship) const
{
    const tSeaBattleSide& side = m_FirstSideActs ? m_SecondSide : m_FirstSide;
    return ship && ship->m_HP > 0 && std::find(side.begin(), side.end(), ship) != side.end();
}

void cSeaBattle::AnnounceEnd()
{
    const std::wstring& text = LangText("seabattle_end");
    PostInfoPanelMessage(text);
    m_Log += L"\n" + text;
    EndBattle();
}

bool cSeaBattle::PrepareShot()
{
    if (m_Ended)
        return false;
    // Nobody could be picked for it: no ship of a side may fire, or none can be seen.
    if (!m_FirstSelected || !m_SecondSelected) {
        AnnounceEnd();
        return false;
    }
    return PickAgain();
}

bool cSeaBattle::PickAgain()
{
    if (m_Ended)
        return false;
    if (m_FirstSide.empty() || m_SecondSide.empty()) {
        AnnounceEnd();
        return false;
    }
    if (CanFire(Shooter()) && CanBeTarget(Target()))
        return true;
    const int activeA = CountActive(m_FirstSide), activeB = CountActive(m_SecondSide);
    if (activeA + activeB == 0) {
        NextTurn();
        if (m_TurnsLeft <= 0) {
            m_Log += L"\n" + LangText("seabattle_end");
            EndBattle();
        }
        return false;
    }
    const bool firstActs = m_FirstSideActs ? activeA > 0 : activeB == 0;
    if (firstActs != m_FirstSideActs) {
        m_FirstSideActs = firstActs;
        PickShot();
    } else {
        // What still holds of the choice is kept: only the ship that cannot take part is
        // picked again, the target first, as every pick of the battle goes.
        cJednostkaMorska*& shooter = m_FirstSideActs ? m_FirstSelected : m_SecondSelected;
        cJednostkaMorska*& target = m_FirstSideActs ? m_SecondSelected : m_FirstSelected;
        if (!CanBeTarget(target))
            target = PickRandom(Candidates(!m_FirstSideActs));
        if (!CanFire(shooter))
            shooter = PickRandom(Candidates(m_FirstSideActs));
    }
    if (!m_FirstSelected || !m_SecondSelected) {
        AnnounceEnd();
        return false;
    }
    return true;
}

bool cSeaBattle::ExecuteShot()
{
    // A ship chosen before it gave up its shot (it moved on the board or tried to retreat)
    // does not fire: the shot is one the battle picks among the ships that still may.
    if (!PrepareShot())
        return true;
    RegularShot();
    RemoveSunkShips();
    if (m_FirstSide.empty() || m_SecondSide.empty()) {
        AnnounceEnd();
        return true;
    }
    const int activeA = CountActive(m_FirstSide), activeB = CountActive(m_SecondSide);
    if (activeA > 0 && activeB > 0)
        m_FirstSideActs = !m_FirstSideActs;
    else if (activeA > 0)
        m_FirstSideActs = true;
    else if (activeB > 0)
        m_FirstSideActs = false;
    PickShot();
    if (activeA + activeB == 0) {
        NextTurn();
        if (m_TurnsLeft > 0)
            return true;
        m_Log += L"\n" + LangText("seabattle_end");
        EndBattle();
    }
    return true;
}

void cSeaBattle::RegularShot()
{
    cJednostkaMorska* shooter = m_FirstSideActs ? m_FirstSelected : m_SecondSelected;
    cJednostkaMorska* target = m_FirstSideActs ? m_SecondSelected : m_FirstSelected;
    if (!m_SecondSelected) {
        LogLine(L"Zabraklo defenderow w bitwie morskiej, zaraz sie wywali pewnie");
        return;
    }
    if (!m_FirstSelected) {
        LogLine(L"Zabraklo atakerow w bitwie morskiej, zaraz sie wywali pewnie");
        return;
    }
    const sGameConsts& k = GameConsts();
    int chance = shooter->GetShotHitChance();
    if (target->m_Commander)
        chance -= target->m_Commander->Skill * k.CommanderSeaBonus[0];
    // A carrier at the back of the board is hard to reach; a ship off the board is not there.
    const bool rear = target->m_X >= 0 && (target->m_X < 4 || target->m_X > 26);
    if (target->m_Type == UNIT_CARRIER && rear)
        chance /= 2;
    if (target->m_Spotted != FleetShown(*target))
        chance /= 2;
    chance = std::max(chance, 1);
    const int roll = RandomInt(1, 100);
    m_Log += L"\n";
    // Every shot is heard on the screen; a battle no person watches has no screen to hear.
    if (m_Shown)
        Presentation().PlaySound(L"data\\sound\\NavalGun.wav");
    const bool planes = shooter->m_Type == UNIT_CARRIER;
    std::wstring text;
    if (roll > chance) {
        text = planes ? LangFormat("seabattle_planes_shot_misses", shooter->m_Name, target->m_Name)
                      : LangFormat("seabattle_shot_misses", shooter->m_Name, target->m_Name);
    } else {
        const int damage = shooter->RollShotDamage();
        target->ChangeHitPoints(-float(damage));
        if (target->m_HP > 0) {
            text = planes ? LangFormat("seabattle_planes_shot_hits", shooter->m_Name, target->m_Name, damage)
                          : LangFormat("seabattle_shot_hits", shooter->m_Name, target->m_Name, damage);
        } else {
            target->m_HP = 0;
            const std::wstring sunk = target->NameWithCargo();
            text = planes ? LangFormat("seabattle_planes_shot_destroys", shooter->m_Name, sunk, damage)
                          : LangFormat("seabattle_shot_destroys", shooter->m_Name, sunk, damage);
            ReportSunk(*target, *shooter, L"Regular battle");
        }
    }
    m_Log += text;
    shooter->m_ActiveInBattle = false;
}

void cSeaBattle::NextTurn()
{
    --m_TurnsLeft;
    m_Log += L"\nTurn completed\n";
    for (tSeaBattleSide* side : {&m_SecondSide, &m_FirstSide})
        for (cJednostkaMorska* ship : *side) {
            ship->ResetBattleFlags();
            ship->m_Selected = false;
            ship->m_VisibleInBattle = ship->m_Spotted || FleetShown(*ship);
        }
    PickShot();
}

void cSeaBattle::TryRetreat(cJednostkaMorska* ship)
{
    GLOBAL_LOCK_SCOPE();
    const bool first = ship && std::find(m_FirstSide.begin(), m_FirstSide.end(), ship) != m_FirstSide.end();
    const bool second = ship && std::find(m_SecondSide.begin(), m_SecondSide.end(), ship) != m_SecondSide.end();
    // A ship no longer in the battle (sunk, gone, or the battle over) has nothing to leave.
    if (m_Ended || (!first && !second))
        return;
    const int chance = GameConsts().SeaBattleRetreatChance;
    m_Log += L"\n";
    const bool chosen = ship == m_FirstSelected || ship == m_SecondSelected;
    if (RandomInt(1, 100) >= chance) {
        m_Log += FormatText(L"%s (%s) tried to retreat: failed", ship->m_Name, CountryName(ship->m_Owner));
    } else {
        m_Log += FormatText(L"%s (%s) tried to retreat with chance %d%%: success", ship->m_Name,
                            CountryName(ship->m_Owner), chance);
        LeaveBoard(*ship);
        // The side that holds the ship, not its column: a ship left off the board has none.
        (first ? m_FirstSide : m_SecondSide).remove(ship);
        // Gone from the battle, so from the final lists and from the next shot too.
        m_StartHP.erase({ship->m_Name, ship->m_Id});
        if (m_FirstSelected == ship)
            m_FirstSelected = nullptr;
        if (m_SecondSelected == ship)
            m_SecondSelected = nullptr;
    }
    ship->m_ActiveInBattle = false;
    ship->m_Retreated = true;
    // Chosen for the next shot, it takes no part in it now: the battle goes on with a ship it
    // picks again, as for any chosen ship that cannot fire; gone, it would fire from outside.
    if (chosen)
        PickAgain();
}

void cSeaBattle::EndBattle()
{
    m_TurnsLeft = 0;
    m_Ended = true;
    std::wstring report = m_Log;
    std::wstring destroyed, damagedA, damagedB;
    for (const auto& [key, startHP] : m_StartHP) {
        cJednostkaMorska* ship = FindById(m_SecondSide, key.second);
        std::wstring* damaged = &damagedB;
        if (!ship) {
            ship = FindById(m_FirstSide, key.second);
            damaged = &damagedA;
        }
        if (!ship) {
            const auto sunk = m_SunkNames.find(key.second);
            destroyed += (sunk != m_SunkNames.end() ? sunk->second : key.first) + L"\n";
        } else if (ship->m_HP < startHP) {
            *damaged += FormatText(L"%s (%s) lost %d HP\n", ship->m_Name, CountryName(ship->m_Owner),
                                   startHP - ship->m_HP);
        }
    }
    if (!destroyed.empty())
        report += L"\n\nDestroyed ships:\n" + destroyed;
    if (!damagedA.empty() || !damagedB.empty())
        report += L"\n\nDamaged ships:\n" + damagedB + damagedA;
    // Off the board again, so that no later battle's screen clears a cell for these ships;
    // the board as it ended is kept for the screen.
    m_FinalBoard = ShipsOnBoard();
    for (tSeaBattleSide* side : {&m_FirstSide, &m_SecondSide}) {
        for (cJednostkaMorska* ship : *side)
            ship->m_X = ship->m_Y = -1;
        side->clear();
    }
    m_FirstSelected = m_SecondSelected = nullptr;
    for (int id : m_Countries)
        AddCombatReport(20, id, report);
    if (IsPbemGame() && g_Gra)
        g_Gra->m_SeaBattleLogs.push_back(SeaBattleRoundLog());
}

bool cSeaBattle::IsShipOnFirstSide(int id)
{
    cJednostkaMorska* ship = FindById(m_FirstSide, id);
    if (!ship || (m_FirstSideActs && !ship->m_ActiveInBattle))
        return false;
    m_FirstSelected = ship;
    return true;
}

bool cSeaBattle::IsShipOnSecondSide(int id)
{
    cJednostkaMorska* ship = FindById(m_SecondSide, id);
    if (!ship)
        return false;
    if (!m_FirstSideActs) {
        if (ship->m_ActiveInBattle)
            m_SecondSelected = ship;
        return false;
    }
    m_SecondSelected = ship;
    return true;
}

void cSeaBattle::RequestAutoEnd()
{
    m_AutoEndRequested = true;
    m_ShotTimer = 0.0;
}

void cSeaBattle::RequestNextTurn()
{
    m_NextTurnRequested = true;
    m_ShotTimer = 0.0;
}

// The screen is not told: its board is read from the ships' own cells, so a ship without
// one is off it at the next frame, as the battle's end is seen there at the next frame.
void cSeaBattle::LeaveBoard(cJednostkaMorska& ship) { ship.m_X = ship.m_Y = -1; }

std::vector<sSeaBattleBoardShip> cSeaBattle::BoardShips() const { return m_Ended ? m_FinalBoard : ShipsOnBoard(); }

std::vector<sSeaBattleBoardShip> cSeaBattle::ShipsOnBoard() const
{
    std::vector<sSeaBattleBoardShip> board;
    for (const tSeaBattleSide* side : {&m_FirstSide, &m_SecondSide})
        for (cJednostkaMorska* ship : *side)
            if (ship->m_X >= 0 && ship->m_Y >= 0)
                board.push_back({ship, ship->m_X, ship->m_Y});
    return board;
}

void cSeaBattle::ForgetShip(const cJednostkaMorska* ship)
{
    std::erase_if(m_FinalBoard, [ship](const sSeaBattleBoardShip& s) { return s.ship == ship; });
    auto* s = const_cast<cJednostkaMorska*>(ship);
    const bool inBattle = std::find(m_FirstSide.begin(), m_FirstSide.end(), s) != m_FirstSide.end() ||
                          std::find(m_SecondSide.begin(), m_SecondSide.end(), s) != m_SecondSide.end();
    if (inBattle)
        LeaveBoard(*s);
    m_FirstSide.remove(s);
    m_SecondSide.remove(s);
    const bool chosen = m_FirstSelected == ship || m_SecondSelected == ship;
    if (m_FirstSelected == ship)
        m_FirstSelected = nullptr;
    if (m_SecondSelected == ship)
        m_SecondSelected = nullptr;
    // The battle goes on without it, as after a retreat.
    if (chosen && !m_Ended)
        PickAgain();
}

void cSeaBattle::PlaceShipsOnBoard()
{
    PlaceSide(m_FirstSide, true);
    PlaceSide(m_SecondSide, false);
}

void cSeaBattle::AddressToPersons(sPresentationRequest& request) const
{
    auto address = [&request](int id) {
        if (!request.countryId)
            request.countryId = id;
        else
            request.otherReaders.push_back(id);
    };
    // Ships the stages sank count too: their people learn of the battle they were lost in.
    for (int id : m_Countries)
        if (const cPanstwo* country = GetCountry(id); country && country->HumanControlled)
            address(id);
}

std::wstring cSeaBattle::BuildStageLog() const
{
    // Headings through the table as the strike lines under them: fixed ones would mix two languages.
    std::wstring text = LangText("sea_battle_stage_carriers");
    auto stage = [&](int kind) {
        bool any = false;
        for (const sSeaBattleStageRecord& r : m_StageRecords) {
            if (r.kind != kind)
                continue;
            any = true;
            text += r.destroyed ? LangFormat("___%s_destroyed_%s_(inflicted_%i_hp_loss)", r.attacker, r.target, int(r.damage))
                                : LangFormat("___%s_attacked_%s_and_inflicted_%i_hp_loss", r.attacker, r.target,
                                             int(r.damage));
        }
        if (!any)
            text += LangText("___(none)");
    };
    stage(0);
    text += LangText("sea_battle_stage_submarines");
    stage(1);
    if (m_RegularPartCancelled)
        text += LangText("due_to_the_result_of_this_stage_of_the_battle,_regular_part_has_been_cancelled.");
    return text;
}
