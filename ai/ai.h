#pragma once
// The computer opponent's working memory for one country: one object per country, made by
// the game in country order and destroyed with it. PlayTurn plays the country's turn on the
// opponent's thread; the phases fill the object's lists and fronts from the game.
#include <cstdint>
#include <list>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "ai/attack_plans.h"
#include "units/unit.h"

class cMiasto;
class cPanstwo;
class cJednostkaLadowa;
class cJednostkaLotnicza;
class cJednostkaMorska;
class cFlota;
struct sWezelDiagramuMiast;
struct sWezelGrafuMorz;
struct sDowodca;
struct sCombatResult;
struct sAirBaseCandidate;

// Seconds spent in each phase of the computer turns since the last Reset, in the order the
// phases first ran: the benchmark's figures. Timing never decides anything in play.
struct sAIPhaseClock
{
    std::vector<std::pair<std::wstring, double>> totals;
    void Add(const std::wstring& phase, double seconds);
    void Reset() { totals.clear(); }
};
extern sAIPhaseClock g_AIPhaseClock;

// What one decision of the purchase phase chose, for its execution.
struct sPurchaseChoice
{
    int airUnitId = -1;  // by id: nothing may keep a unit across the purchases
    float airCost = 0.0f;
    int landUnitId = -1;
    float landCost = 0.0f;
    float researchCost = 0.0f;
    int researchCategory = -1;
};

// One front: cities on both sides of a war boundary and the strength gathered around them.
struct sFront
{
    std::wstring m_Name;  // "Front miasta %s"
    std::vector<sWezelDiagramuMiast*> m_Nodes;
    int m_State = 0;  // 0 held, 1 threatened, 2 collapsing
    float m_Superiority = 1.0f;
    float m_OurLand = 0.0f, m_OwnLand = 0.0f, m_EnemyLand = 0.0f;
    int m_OurAirCount = 0, m_OwnAirCount = 0, m_EnemyAirCount = 0;
    int m_OurAirStrength = 0, m_OwnAirStrength = 0, m_EnemyAirStrength = 0;

    // Nodes whose city is held by the country or an ally, in front order.
    std::vector<sWezelDiagramuMiast*> CollectFriendlyNodes(int countryId) const;
    bool HasSingleEnclosedFriendlyCity(int countryId) const;
    // The node with the greatest ours land strength (the first of equals); the weakest is
    // sought among the nodes the country or an ally holds, the only ones it can reinforce.
    sWezelDiagramuMiast* GetStrongestNode() const;
    sWezelDiagramuMiast* GetWeakestNode(int countryId) const;
    void Print() const;
    void PrintSummary() const;
};

class cAI
{
public:
    cAI() = default;
    ~cAI() = default;
    cAI(const cAI&) = delete;
    cAI& operator=(const cAI&) = delete;

    // One whole turn of the play state's active country.
    void PlayTurn();

    // Turn start: every city may be attacked but those of DoNotAttackCities.
    void MarkAttackableCities();

    // Working lists and fronts.
    void BuildUnitLists();
    void EvaluateNodeStrengths();
    void UpdateFronts();
    void SumFrontStrengths();
    void SavePoorlyDefendedFronts();
    // Strategic move of one own land unit to (x, y) at or beside the target city.
    void PrzeniesStrategicznieJednostke(cJednostkaLadowa* unit, cMiasto* target, int x, int y);

    bool IsCityOnFrontWithState(const cMiasto* city, int state) const;
    bool IsCityOnAnyFront(const cMiasto* city) const;
    bool GetCityFrontStrength(const cMiasto* city, int& out) const;
    cMiasto* FindNearestFrontCity(const cJednostkaLadowa* unit) const;

    // Deployment of new units from the reserve pools.
    void DeployNewUnits();
    void DeployNewAirUnits();
    void DeployNewNavalUnits();
    void DeployAll()
    {
        DeployNewUnits();
        DeployNewAirUnits();
        DeployNewNavalUnits();
    }
    void CollectDeploymentCities(std::vector<cMiasto*>& out) const;
    void CollectNavalDeploymentCities(std::vector<cMiasto*>& out) const;
    void CollectReserveLandUnits(std::vector<cJednostka*>& out) const;
    void CollectReserveAirUnits(std::vector<cJednostka*>& out) const;
    void CollectReserveNavalUnits(std::vector<cJednostkaMorska*>& out) const;
    cMiasto* ChooseLandDeploymentCity(const std::vector<cMiasto*>& cities) const;
    cMiasto* ChooseAirDeploymentCity(const std::vector<cMiasto*>& cities) const;

    // Purchases, replacements and repairs.
    bool PurchaseUnits();
    void DecidePurchase(sPurchaseChoice& choice);
    bool ExecutePurchaseQueue(sPurchaseChoice& choice);
    int ChooseResearchCategory() const;
    int ChooseUnitCategory() const;
    cJednostkaLotnicza* FindAirUnitToLevelUp() const;
    cJednostkaLadowa* FindArmourToLevelUp() const;
    cJednostkaLadowa* FindLandUnitToLevelUp() const;
    void BuyAirReplacements(float threshold);
    void BuyLandReplacements(float threshold);
    void RepairShips();

    // Diplomacy and declarations of war.
    void ConductDiplomacy();
    void DeclareWars();

    // Commanders, strategic moves to fronts and air rebasing.
    void AssignCommanders();
    void MoveStrategicallyToFronts();
    void RebaseAirUnits();
    void ScenarioSpecificStep();
    void CollectFreeCommanders(std::vector<sDowodca*>& out) const;
    // The largest int when there is no enemy land unit.
    int MinDistanceToEnemyLandUnit(int x, int y) const;
    int CountEnemyLandUnitsInRange(int x, int y, int range) const;
    // x is -1 when no candidate qualifies.
    sAirBaseCandidate PickRetreatBase(const std::list<sAirBaseCandidate>& candidates) const;
    sAirBaseCandidate PickForwardBase(const std::list<sAirBaseCandidate>& candidates) const;

    // Supply convoys.
    void PlanSupplyConvoys();
    void CollectSuppliedPorts(std::vector<cMiasto*>& out) const;
    cMiasto* FindConvoyTarget(const std::vector<cMiasto*>& suppliedPorts) const;

    // Air fights, air strikes and strategic bombing.
    void FightInTheAir();
    // True when a fight may have destroyed a unit.
    bool FightAirUnitsOfType(int type);
    void PlanAirStrikes();
    void StrikeShipsFromTheAir();
    void CollectEnemyShipNodes(const std::set<int>& nodes, std::vector<int>& out) const;
    void BombEnemyCities();

    // Invasions.
    void PlanInvasionBuildUp();
    void PlanSeaInvasion();
    // The friendly ports from whose sea node a fleet can sail to the target's sea zone; with
    // firstOnly the search stops at the first.
    void CollectPortsLinkedBySea(int countryId, const cMiasto* target, std::vector<cMiasto*>& out,
                                 bool firstOnly = false) const;
    // The port to invade: the first usable obligatory target, else the best scored enemy port.
    cMiasto* ChooseSeaInvasionTarget();
    // Fleets at their invasion zone shell the shore, land their units and build a harbour;
    // the units ashore attack at once.
    void ConductAmphibiousInvasion();

    // The naval phase and sea transport to fronts.
    void TransportUnitsToFrontsBySea();
    bool HasIdleLandUnit() const;
    bool AssessSeaZone(int nodeId);
    void PatrolSeaZones();
    void RunNavalPhase();
    // Every carrier of the country that may fly strikes once, at the first kind of target
    // by the country's priorities that it finds.
    void CarrierStrikes();
    void CollectCarrierTargets(const cFlota& fleet, std::vector<std::pair<int, int>>& hexes, std::vector<int>& nodes,
                               int kind);
    // Show a strike to a watching person, then reset the result.
    void ShowStrikeOnHex(sCombatResult& result, int x, int y, bool visible);
    void ShowStrikeOnSeaNode(sCombatResult& result, const sWezelGrafuMorz& node);
    void CollectOwnFleets(std::vector<cFlota*>& out) const;
    void CollectOwnShips(std::vector<cJednostkaMorska*>& out) const;

    // Attacks.
    void AttackMultipleDirections();
    void AttackOneSide();
    void ComputeMoveOptions(bool skipAttacked);
    void ClearEnemyAttackerLists();
    void CollectPossibleAttackers();
    bool FindObviousMoves(const std::vector<sPathStep>& options);
    void BuildMultipleDirectionPlans();
    void BuildOneSidePlans();
    void PlanAttackWithAdjacentUnits(cUnit* target);
    void FindWithdrawalsAround(int x, int y, sPathStep steps[6], int states[6]);
    // False when the plan is inconsistent and nothing was done.
    bool ExecuteAttack(sPlanAtaku& plan);

    // Operational planning and moves.
    void PlanOperations1();
    void ExecuteOperationalMoves();
    bool ShouldExecuteMovesAgain();
    cMiasto* FindNearestEnemyCity(int x, int y, const cPanstwo* country, int maxDistance) const;
    void ResetCommittedStrength();
    bool TryStrategicMoveTo(cJednostkaLadowa* unit, int x, int y, int minimum);

    // Line of defence.
    bool NeedsLineOfDefence() const;
    void CalculateLineOfDefence();
    std::vector<std::pair<int, int>> FindBestLinePath(int x1, int y1, int x2, int y2, const bool flags[6]) const;
    int ScoreLinePath(const std::vector<std::pair<int, int>>& path, int maxLength, const bool flags[6]) const;
    void MoveUnitsToLineOfDefence();
    // The free line hex nearest to (x, y); (x, y) itself when every line hex is taken.
    std::pair<int, int> FindNearestFreeLineHex(int x, int y) const;

    // The country played: the active country at the start of each turn.
    cPanstwo* m_Country = nullptr;
    std::list<sFront> m_Fronts;
    std::vector<cJednostkaLadowa*> m_OwnLandUnits;  // by descending effective strength
    std::vector<cJednostkaLadowa*> m_AlliedLandUnits;
    std::vector<cJednostkaLadowa*> m_EnemyLandUnits;
    std::vector<cJednostkaLadowa*> m_OtherLandUnits;
    std::vector<cJednostkaLotnicza*> m_OwnAirUnits;
    std::vector<cJednostkaLotnicza*> m_AlliedAirUnits;
    std::vector<cJednostkaLotnicza*> m_EnemyAirUnits;
    std::vector<cJednostkaLotnicza*> m_OtherAirUnits;
    std::vector<cJednostkaMorska*> m_OwnNavalUnits;
    std::vector<sPathStep> m_MoveOptions;  // reachable hexes of the own land units
    std::vector<sPlanAtaku> m_AttackPlans;
    std::vector<std::pair<int, int>> m_LineOfDefence;
    // Per enemy unit, the move options of own units that end next to it, rebuilt every pass
    // of the attacks. Held by the planner rather than in each enemy unit's order path: the
    // steps point at own units the attacks may kill, and one clear at a phase's end forgets
    // them all instead of leaving them on the other side's units.
    std::map<const cUnit*, std::vector<sPathStep>> m_PossibleAttackers;

    // The attacks ask every own unit for its range on every pass; a range is kept while
    // nothing near the unit changed. A change is a hex and a radius: a move notes where it
    // started and the mover's action points, a combat its target with the hexes a retreat
    // reaches.
    void ComputeRangeCached(cJednostka& unit);
    void NoteMapChange(int x, int y, int radius);
    void ForgetCachedRanges();
    // The computer's move of an own land unit toward a hex of its range, noted as a
    // change; true when the unit's hex changed.
    bool MoveUnitTo(cJednostka* unit, int x, int y);

    // Relations of the played country with the holder of a hex or city, or a unit's owner.
    int CountryId() const;
    bool IsFriend(int holder) const;  // the country itself or an ally; 0 is nobody
    bool IsEnemy(int holder) const;   // at war with the country; 0 is nobody

private:
    struct sRangeStamp
    {
        int x = -1, y = -1, actionPoints = -1;
        size_t changesSeen = 0;
    };
    struct sMapChange
    {
        int x = 0, y = 0, radius = 0;
    };
    std::map<int, sRangeStamp> m_RangeCache;  // by land unit id
    std::vector<sMapChange> m_MapChanges;

    void SortOwnLandUnits();
    void DeployFromReserve(bool air);
    void RunAttackPhase(bool multipleDirections);
    const sPathStep* ChooseStrongestAttacker(const cUnit* target, const std::vector<sPathStep>& attackers) const;
    void StartPlan(sPlanAtaku& plan, cUnit* target, std::vector<sPathStep>& attackers);
    void AddAttacker(sPlanAtaku& plan, const sPathStep& step);
    void FinishPlan(sPlanAtaku& plan, bool landTarget);
    bool IsFortified(const cJednostkaLadowa* unit) const;
    bool TryFinalTarget(cJednostkaLadowa* unit);
    void MoveToward(cJednostkaLadowa* unit, int x, int y);
    // Walks the line-of-defence path search, keeping only the best path so far.
    void EnumerateLinePaths(int x, int y, int x2, int y2, std::vector<std::pair<int, int>>& path, int maxLength,
                         const bool flags[6], std::vector<std::pair<int, int>>& best, int& bestScore) const;
};

// A ship of a country at war with the country lies in a fleet at the sea node.
bool HasEnemyShipInNode(int countryId, int nodeId);
// The city whose area holds a hex (the nearest city over land), or null.
cMiasto* HomeCityOfHex(int x, int y);
// The city-graph node of a city, or null.
sWezelDiagramuMiast* NodeOfCity(const cMiasto* city);

// Thinning predicates of the line of defence, on the map's mark grid (mark 3 = line).
int CountMarkedNeighbours(int x, int y, std::pair<int, int>& last);
bool IsLineSpur(int x, int y);
bool IsLineKink(int x, int y);
// Among the unit's reachable hexes, the free one of the line nearest to (x, y); (-1, -1).
std::pair<int, int> FindNearestFreeMarkedHexInRange(const cJednostkaLadowa& unit, int x, int y);
