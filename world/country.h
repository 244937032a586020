#pragma once
// A country: identity and side, points, technology, diplomacy flags, weather modifiers
// and pictures; countries.csv.
#include <array>
#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "game/ai_params.h"
#include "units/unit_fwd.h"

struct sAirshipAttack;
class cMiasto;
class cTexture;
class cMiasto;

enum eAlliance
{
    ALLIANCE_NEUTRAL = 0,
    ALLIANCE_ALLIES = 1,
    ALLIANCE_AXIS = 2,
    ALLIANCE_COMINTERN = 3,
    ALLIANCE_ALLIES_LEADER = 4,
    ALLIANCE_AXIS_LEADER = 5,
    ALLIANCE_COMINTERN_LEADER = 6,
};

enum eOrientation
{
    ORIENTATION_DEMOCRACY = 0,
    ORIENTATION_NATIONALIST = 1,
    ORIENTATION_COMMUNIST = 2,
    ORIENTATION_PRO_ALLIED = 3,
    ORIENTATION_PRO_AXIS = 4,
    ORIENTATION_PRO_COMINTERN = 5,
};

enum eTech
{
    TECH_ARTILLERY = 0,
    TECH_TANKS = 1,
    TECH_DOCTRINE = 2,
    TECH_AIRCRAFT = 3,
    TECH_SUBMARINES = 4,
    TECH_NAVY = 5,
    TECH_NUCLEAR = 6,
};

// The airship attack records of a country: owned, freed with the list, deep-copied.
class cAirshipAttackList : public std::list<sAirshipAttack*>
{
public:
    cAirshipAttackList() = default;
    cAirshipAttackList(const cAirshipAttackList& other);
    cAirshipAttackList& operator=(const cAirshipAttackList&) = delete;
    ~cAirshipAttackList();
};

constexpr int kCountryNameMax = 99;
constexpr int kUnitTypeSlots = 17;
constexpr int kCountriesCsvColumns = 70;
// With the counts of bought points after the skin's name; older files end before them.
constexpr int kCountriesCsvColumnsWithPurchases = 72;
// Research points invested in one technology at most: the monthly research rolls a die for each.
constexpr int kMaxTechInvestment = 3;
// Technology levels run from 0 to 5.
constexpr int kMaxTechLevel = 5;

// A country's units by row (type) and column (0 on the map, 1 in the reserve pools).
constexpr int kForceSummaryRows = 39;
using ForceSummary = std::array<std::array<int, 2>, kForceSummaryRows>;
// The row of the force summary that shows a unit type, or -1.
int DisplayRowOfType(int type);

class cPanstwo
{
public:
    cPanstwo();
    cPanstwo(const cPanstwo& other);
    cPanstwo& operator=(const cPanstwo&) = delete;
    ~cPanstwo();

    // Point counters.
    void AddDiplomaticPoints(int amount);
    void AddProductionPoints(double amount);
    void AddStrategicMovementPoints(int amount);
    void AddSeaTransportPoints(int amount);
    void AddAmphibiousInvasionPoints(int amount);

    // Predicates and look-ups.
    bool IsOnSide(int code) const;
    bool IsAlliedWith(int countryId) const;
    bool HasSimilarOrientation(const cPanstwo& other) const;
    bool IsOrientationInZoneOfInfluence() const;
    int GetAllianceOrder() const;
    bool IsAtWarWith(int countryId) const;
    bool IsAtWar() const;
    // A country of an alliance (its side counts the country itself); never a neutral.
    bool SideHasMembers() const;
    // The supply city (type 0 or 2) of most production whose hex the country holds, else
    // such a normal or port city (type 1 or 3); null when it holds none.
    cMiasto* FindBestOwnCity() const;
    std::wstring GetUnitTypeName(int type) const;
    void SetUnitTypeName(int slot, const std::wstring& text);
    void SetSavedView(float x, float y, float zoom);
    const float* GetSavedView() const { return SavedView; }
    void SetName(const std::wstring& text);
    void SetSkinName(const std::wstring& text);
    void LoadUnitsSkinTexture(const std::wstring& skin);
    void LoadFlagTexture(const std::wstring& scenario);

    // The periodic economy; each gives a heading and a text for the reports.
    void PayUnitUpkeep(std::wstring& heading, std::wstring& summary);
    void CollectProduction(std::wstring& heading, std::wstring& content);
    void DoMonthlyResearch(std::wstring& heading, std::wstring& content);
    // One month of the count-down to the next level of land warfare doctrine.
    void AdvanceLandWarfareDoctrine();

    // Alliances, regimes, war and peace.
    // Joins side 1 to 3 and takes on the side's wars; the side passes its wars on to it.
    void JoinAlliance(int side);
    // War with every active country of the alliance (a side or its leader's code).
    void DeclareWarOnAlliance(int alliance);
    // The side the orientation leans to, 1 to 3; 0 for an orientation outside 0 to 5.
    int GetTargetAlliance() const;
    // Indexes into the declare-war tables, as declarer (0 to 8) and as target (0 to 5);
    // -1 for a code outside the tables.
    int GetDeclareWarRow() const;
    int GetDeclareWarColumn() const;
    // The orientation after a successful coup staged by the instigator.
    void ShiftOrientationToward(const cPanstwo& instigator);
    // Peace with everyone; the country becomes neutral. Nothing when it is at war with nobody.
    void MakePeace(bool returnTerritory);
    bool HasLostAllVictoryCities() const;
    // Hands the country to its victor; false, with nothing changed, while nobody active has
    // fought it. A leader keeps its code: the caller passes its place on (PassAllianceLead).
    bool Surrender(std::wstring& caption, std::wstring& text);
    // Display names; secondForm picks the other grammatical form.
    std::wstring GetAllianceName(int alliance, bool secondForm) const;
    std::wstring GetLeaningAllianceName(bool secondForm) const;
    std::wstring GetOrientationName(bool secondForm) const;
    std::wstring GetZoneOfInfluenceName(bool secondForm) const;

    // Diplomacy.
    void ChangeAllianceEntry(int delta);   // kept within 0 and 100
    void ChangeSocialUnrest(float delta);  // kept within 0 and 100
    int GetTechLevel(int category) const;  // 0 for a category outside 0 to 6
    // The file the flag picture was loaded from; empty when the country has none.
    const std::wstring& GetFlagPath() const { return FlagPath; }

    // Forces: fog of war, air power and the operations on all units of the country.
    // Which units this country and its allies see now.
    void RecalculateUnitsVisibility();
    // The strongest unit of this country or its allies that can intercept an attack on the
    // hex: a fighter in range over land, a carrier in the hex's sea zone at sea; null if none.
    cUnit* FindBestInterceptor(int x, int y) const;
    // Strength of the fighters within fighter range of the hex: this side's, the enemy's.
    int GetOwnFighterPowerNear(int x, int y) const;
    int GetEnemyFighterPowerNear(int x, int y) const;
    // Own fighter power over the enemy's; exactly -1 when the enemy has none there.
    float GetAirSuperiorityRatio(int x, int y) const;
    // Amphibious invasion capacity of the loaded amphibious ships, added to AIPMax.
    void AddAmphibiousCapacityOfShips();
    // Transport points, those lent to convoys and the capacity of the loaded cargo ships.
    int GetSeaTransportCapacity() const;
    int GetSeaZonePatrolValue(int seaZone) const;
    bool IsExtraCityToGarrison(const cMiasto* city) const;
    void RemoveDoNotAttackCity(int x, int y);
    // Every unit of the country is destroyed: land units on the map, then those aboard
    // ships; air units; ships.
    void KillAllLandUnits();
    void KillAllAirUnits();
    void KillAllNavalUnits();
    void ChangeOwnershipOfAllNavalUnits(int newOwner);
    // Air units standing on a hex held by an enemy of the new owner go to the reserve pool.
    void ChangeOwnershipOfAllAirUnits(int newOwner);
    void SetFreezeLevelForAllFrozenUnits(int freezeTime);
    void UnFreezeAllUnits();
    void CollectForceSummary(ForceSummary& table) const;

    int32_t ID = 0;
    bool IsActive = false;
    std::wstring Name;
    std::wstring SkinName;
    int32_t Alliance = 0;
    int32_t Orientation = 0;
    int32_t ZoneOfInfluence = 0;
    int32_t AllianceEntry = 0;
    int32_t PoliticalStrength = 0;
    bool FinishedTurn = false;
    bool HumanControlled = false;
    int32_t TechLevel[7] = {};
    float SocialUnrest = 0.0f;
    std::wstring UnitTypeNames[kUnitTypeSlots]; // empty = not set
    bool UnitTypeNameSet[kUnitTypeSlots] = {};
    float SavedView[3] = {0.0f, 0.0f, -100.0f};
    std::shared_ptr<cTexture> UnitsPicture;
    std::shared_ptr<cTexture> FlagPicture;
    std::wstring UnitsPicturePath;
    std::wstring FlagPath;
    uint32_t Color1 = 0;
    uint32_t Color2 = 0;
    uint32_t Color3 = 0;
    uint32_t Color4 = 0;
    // The colours of the country's unit counters: its first two colours, unless the units
    // skin gives others.
    uint32_t CounterColor1 = 0;
    uint32_t CounterColor2 = 0;
    double PP = 0.0;
    int32_t DP = 0;
    int32_t SMP = 0;
    int32_t STP = 0;
    int32_t AIP = 0;
    int32_t SMPMax = 0;
    int32_t STPUsedByConvoys = 0;
    int32_t AIPMax = 0;
    // Strategic movement and amphibious invasion points the player bought; each makes the
    // next one dearer.
    int32_t SMPBought = 0;
    int32_t AIPBought = 0;
    int32_t TechInvestment[7] = {};
    int32_t TechProgress[7] = {};
    int32_t CapitalX = 0;
    int32_t CapitalY = 0;
    bool DoneDelayWarEntry = false;
    bool DoneHasteWarEntry = false;
    bool DoneParliamentaryElections = false;
    bool DoneTurnInOrientation = false;
    bool DoneExertPressureAxis = false;
    bool DoneExertPressureAllied = false;
    bool DoneExertPressureComintern = false;
    float WarEconomy = 0.0f;
    int32_t Power = 0;
    int32_t Region = 0;
    int32_t DifficultyLevel = 0;
    int32_t NuclearBombs = 0;
    int32_t DPGrowthPerMonth = 0;
    int32_t MonthsToDoctrineLevel[5] = {};
    sAIParameters AIParameters; // filled from ai_data.csv
    int32_t PBEMPlayerId = 0;
    float UnitUpkeepCostModifier = 0.0f;
    float WinterBattle = 0.0f;
    float WinterMove = 0.0f;
    float MudBattle = 0.0f;
    float MudMove = 0.0f;
    cAirshipAttackList AirshipAttacks; // records of the airship-attacks table
    std::list<cJednostkaLadowa*> ReconUnits;
    int32_t SpecialFlags = 0;
};

// The country of an id (1-based), null when there is none.
cPanstwo* GetCountry(int countryId);
int CountryCount();
// True when the holder (of a hex or a city) is the country itself or its ally; 0, nobody,
// is no friend.
bool IsCountryOrAlly(int holder, int countryId);

// The strongest fighter that may intercept an attack on (x, y), among the fighters whose
// owner qualifies, in range, and above half of a fighter's full strength; logs the search.
cJednostkaLotnicza* FindFighterInterceptor(int x, int y, const std::function<bool(int owner)>& qualifies);

// countries.csv.
void LoadCountries(const std::wstring& folderPattern, std::vector<cPanstwo*>& countries,
                   const std::wstring& scenarioFolderName);
void SaveCountries(const std::wstring& folder, const std::vector<cPanstwo*>& countries);
void DeleteCountries(std::vector<cPanstwo*>& countries);
