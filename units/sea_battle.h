#pragma once
// A sea battle between two lists of ships: a carrier stage and a submarine stage that may
// cancel the rest, then turns in which every active ship fires once, the sides taking
// turns, until the turns run out or a side has no shooter or target left. The battle is
// the model; the sea-battle screen (when a person fights) only calls its operations.
#include <cstdint>
#include <list>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "units/unit_fwd.h"

struct sPresentationRequest;

using tSeaBattleSide = std::list<cJednostkaMorska*>;

// A ship on the board of a battle and its cell.
struct sSeaBattleBoardShip
{
    cJednostkaMorska* ship = nullptr;
    int column = -1;
    int row = -1;
};

// The board of a battle: 31 x 31 cells, the first side's half is columns 0 to 14.
constexpr int kSeaBattleBoardSize = 31;
constexpr int kSeaBattleFirstHalfColumns = 15;

struct sSeaBattleStageRecord
{
    int32_t kind = 0;  // 0 carrier strike, 1 submarine strike
    std::wstring attacker;
    std::wstring target;
    float damage = 0.0f;
    bool destroyed = false;
};

// What a play-by-e-mail game keeps of each battle: the names of both sides, the stages'
// messages and the players' countries involved.
struct sSeaBattleRoundLog
{
    std::wstring firstSideShips;
    std::wstring secondSideShips;
    std::wstring stageMessages;
    std::set<int> pbemCountries;
    std::set<int> otherCountries;
    void Reset();
};

// The record every battle writes into; a play-by-e-mail game keeps a copy of each.
sSeaBattleRoundLog& SeaBattleRoundLog();

class cSeaBattle
{
public:
    // The sides are the generator's lists; the battle empties them when it ends. Draws the
    // number of turns.
    cSeaBattle(tSeaBattleSide& firstSide, tSeaBattleSide& secondSide);
    ~cSeaBattle();
    cSeaBattle(const cSeaBattle&) = delete;
    cSeaBattle& operator=(const cSeaBattle&) = delete;

    // The stages, then the regular part: with a person in the battle the sea-battle screen
    // is asked for and waited on; whatever is left is then fought to its end at once.
    void Run();

    // The screen's operations (main thread, global lock held).
    void RequestAutoEnd();
    void RequestNextTurn();
    void TryRetreat(cJednostkaMorska* ship);
    // Makes the next shot one that can be fired: where a ship chosen for it can take no part
    // (it has fired or moved, or left the battle), the battle picks again among those that
    // may. False when there is no shot to fire: the turn, or the battle, ended instead.
    bool PrepareShot();
    // Fires the next shot and moves the battle on; always true.
    bool ExecuteShot();
    // The ship of the acting side chosen to fire next, and its target.
    cJednostkaMorska* Shooter() const { return m_FirstSideActs ? m_FirstSelected : m_SecondSelected; }
    cJednostkaMorska* Target() const { return m_FirstSideActs ? m_SecondSelected : m_FirstSelected; }
    // May fire the next shot (it has not fired, moved or tried to retreat), or be its target:
    // a ship of that side still in the battle.
    bool CanFire(const cJednostkaMorska* ship) const;
    bool CanBeTarget(const cJednostkaMorska* ship) const;
    // The screen's steps call these two SelectFirstSideShip and SelectSecondSideShip, the
    // battle's own steps by these names: the two disagree, and one pair is kept.
    bool IsShipOnFirstSide(int id);
    bool IsShipOnSecondSide(int id);

    // A ship leaves the game while the battle runs: it goes from both sides, from the
    // selections and from the board.
    void ForgetShip(const cJednostkaMorska* ship);
    bool IsOver() const { return m_Ended; }
    // The ships on the board and their cells: while the battle runs, those of both sides;
    // once it is over, those that ended it there, where they stood, for as long as the
    // battle lasts (its screen shows its last state until it is closed).
    std::vector<sSeaBattleBoardShip> BoardShips() const;

    std::wstring m_StageLog;
    std::wstring m_Location;
    // Which fleets met where, as the stages' window names them: the stages may sink a whole
    // fleet, so it is written when the battle begins.
    std::wstring m_Meeting;
    std::wstring m_Log;
    bool m_RegularPartCancelled = false;
    std::list<sSeaBattleStageRecord> m_StageRecords;
    int32_t m_TurnsLeft = 0;
    bool m_FirstSideStarts = true;
    bool m_FirstSideActs = true;
    bool m_FirstSideHuman = false;
    bool m_SecondSideHuman = false;
    bool m_AutoResolve = false;
    // The screen shows the battle: a person's country fights in it (by e-mail it plays
    // itself there to its end).
    bool m_Shown = false;
    bool m_AutoEndRequested = false;
    bool m_NextTurnRequested = false;
    cJednostkaMorska* m_FirstSelected = nullptr;
    cJednostkaMorska* m_SecondSelected = nullptr;
    double m_ShotTimer = 0.0;
    // Each ship's hit points when the battle began, by name and then id: the end report lists
    // the ships by name, and two ships of one name keep an entry each.
    std::map<std::pair<std::wstring, int>, int> m_StartHP;
    // The ships sunk in the battle by id, named with the units lost aboard them.
    std::map<int, std::wstring> m_SunkNames;
    tSeaBattleSide& m_FirstSide;
    tSeaBattleSide& m_SecondSide;
    std::set<int> m_Countries;
    // Names this battle among all of the run: the screen finds its own battle by it.
    const int m_Serial;

private:
    void RunStages();
    void CarrierStrikes(tSeaBattleSide& attackers, tSeaBattleSide& targets);
    void SubmarineStrikes(tSeaBattleSide& attackers, tSeaBattleSide& targets);
    void StageStrikes(tSeaBattleSide& attackers, tSeaBattleSide& targets, bool submarines);
    void RemoveSunkShips();
    void PickShot();
    // The ships a side may take part in the next shot with: those that may still fire when
    // it acts, those that can be seen when the other side does.
    std::vector<cJednostkaMorska*> Candidates(bool firstSide) const;
    bool PickAgain();
    void AnnounceEnd();
    void RegularShot();
    void NextTurn();
    void EndBattle();
    void RecomputeHumanFlags();
    void PlaceShipsOnBoard();
    void LeaveBoard(cJednostkaMorska& ship);
    std::wstring BuildStageLog() const;
    // The persons' countries among those that fight here: the first as the request's
    // countryId, the others as its further readers.
    void AddressToPersons(sPresentationRequest& request) const;
    std::vector<sSeaBattleBoardShip> ShipsOnBoard() const;

    bool m_Ended = false;
    std::vector<sSeaBattleBoardShip> m_FinalBoard;
};

// The number of turns of a battle, by the weights of consts.csv row 129.
int DrawBattleLength();
// The battle being fought, or null; the screen and the removal of ships reach it here.
cSeaBattle* CurrentSeaBattle();

// Every carrier, and every submarine of a raider fleet, may fall on one enemy ship in its
// sea node; a person is told when a human country is attacker or target.
void RunSurpriseAttacks();

// The sea battles of an impulse (the end of the impulse, in state 4): surprise attacks,
// then every battle of every open-sea node, each fought to its end; state 3 afterwards.
void RunSeaBattles();
