#pragma once
// The scenario's rule numbers, read by position from consts.csv. Each field names the
// data row (comments not counted) that fills it; readers index the arrays from 0, so
// "row 4, value 5" is LandActionPoints[2][4].
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/game_date.h"

// Number of data rows consts.csv has.
constexpr int kConstsRows = 185;

// Entries of the band tables, one per supply level 0 to 50.
constexpr int kSupplyBands = 51;

struct sGameConsts
{
    ::ImpulsesPerMonth ImpulsesPerMonth{};        // row 1, January to December
    int LandActionPoints[6][7]{};                 // rows 2-7: doctrine 0-5, land type 0-6
    int AirActionPoints[3]{};                     // row 8: air type 20-22
    float LandCombatStrength[5][7]{};             // rows 9-13: level 1-5, land type 0-6
    int AirFullStrength[3]{};                     // row 14: air type 20-22
    int MoveCost[3][8]{};                         // rows 15-17: category 0-2; terrain 1-7, then 0 / above 7
    int MoveCostNextToEnemy[3]{};                 // rows 15-17, field 10
    int DoctrineEfficiencyBonus = 0;              // row 18
    int LandDefenderLosses[6][7]{};               // rows 19-24: first die 1-6, odds column 1-7
    float LandAttackerLossFactor[6][7]{};         // rows 25-30: second die 1-6, odds column 1-7
    float LandAttackFactors[13]{};                // row 31
    float LandDefenceFactors[9]{};                // row 32
    float NonLandDefenceStrength = 0;             // row 33
    int AttackActionPoints[6]{};                  // row 34: doctrine 0-5
    int AirDefenderLosses[6][9]{};                // rows 35-40: die 1-6, column -4..+4
    int AirAttackerLosses[6][9]{};                // rows 41-46: die 1-6, column -4..+4
    int AirRanges[5]{};                           // row 47
    int MaxSupply = 0;                            // row 48
    int BaseSupplyEfficiency = 0;                 // row 49 (entry 0 of SupplyEfficiency)
    // Band tables built from rows 50-56, indexed by supply level 0-50.
    int SupplyEfficiency[kSupplyBands]{};         // row 51: thresholds counted down from 100
    int ActionPointCut[kSupplyBands]{};           // row 52
    int InterceptorSupplyTerm[kSupplyBands]{};    // row 53
    int BombardSupplyModifier[kSupplyBands]{};    // row 54
    int LandReplacementMax[kSupplyBands]{};       // row 55
    int AirReplacementMax[kSupplyBands]{};        // row 56
    int BombardTerrainModifier[9]{};              // row 57
    int BombardLevelModifier[5]{};                // row 58
    int BombardWeatherModifier[3]{};              // row 59
    int BombardFortificationFactor = 0;           // row 60
    float BombardTargetLosses[6]{};               // row 61
    int BombardAttackerLosses[6][5]{};            // rows 62-67: first die 1-6, column 1-5
    int StrategicMoveCost[7]{};                   // row 68
    int SeaTransportCost[7]{};                    // row 69
    int AmphibiousCost[7]{};                      // row 70
    int FleetRange = 0;                           // row 71
    int SeaBattleDetection[8]{};                  // row 72
    int ShipHitPoints[6]{};                       // row 73: naval type 40-45
    int ShipHitPointsMax = 1;                     // row 73: the largest of them, at least 1
    int ShipStrengthA[6]{};                       // row 74
    int ShipStrengthB[6]{};                       // row 75
    double ShipRepairCost[6]{};                   // row 76
    int AmphibiousLandingLosses[6]{};             // row 77
    float LandReplacementCost[7]{};               // row 78
    float LandPurchaseCost[7]{};                  // row 79
    float AirReplacementCost[3]{};                // row 80
    float AirPurchaseCost[3]{};                   // row 81
    int LandLevelSurcharge = 0;                   // row 82
    int AirLevelSurcharge = 0;                    // row 83
    int CommanderSkillWeight = 0;                 // row 84
    float ShipPrice[4]{};                         // row 85: naval type 40-43
    float CapacityPriceBase[3]{};                 // row 86
    float CapacityPricePerUnit[3]{};              // row 87
    int ResearchPointsPerLevel[7]{};              // row 88: technology category 0-6
    int MaxTechLevel[7]{};                        // row 89
    float ResearchLevelPrice[7]{};                // row 90
    float DelayAllianceEntry[6]{};                // row 91
    float HastenAllianceEntry[6]{};               // row 92
    float ElectionsRoll[3]{};                     // row 93
    float OrientationChange[9]{};                 // row 94
    int DeclareWar[18][6]{};                      // rows 95-112: two tables of 9 rows
    float ExertPressure[6]{};                     // row 113
    float Coup[11]{};                             // row 114
    float ProductionShares[7]{};                  // row 115
    int AirborneDropLosses[6]{};                  // row 116
    float ShoreBombardment[13]{};                 // row 117
    float RetreatOddsModifier[7]{};               // row 118
    float RetreatTerrainModifier[8]{};            // row 119
    float SupplyNeed[11]{};                       // row 120
    float ConvoyRaiding[5]{};                     // row 121
    int ShipDamageMax[6]{};                       // row 122
    int ShipDamageMin[6]{};                       // row 123
    int NuclearStrike[3]{};                       // row 124
    int StrategicBombDamage[6]{};                 // row 125
    int StrategicBombLevel[5]{};                  // row 126
    int CommanderRadius[2]{};                     // row 127
    int SeaBattleParticipation = 0;               // row 128
    int SeaBattleConditionWeights[5]{};           // row 129
    int CommanderExperience[4]{};                 // row 130
    float SiegeCheck[7]{};                        // row 131
    int AirStrategicMoveCost[3]{};                // row 132
    int Row133[3]{};                              // row 133 (kept, unused)
    int AirborneAssaultWait = 0;                  // row 134
    float Mulberry[4]{};                          // row 135: price, radius, strength ceiling, life
    float UnitUpkeepFactor = 0;                   // row 136
    int ImpulsesWithoutSupplySource = 0;          // row 137
    float WinterBattleFactor = 0;                 // row 138
    float WinterMoveFactor = 0;                   // row 139
    float MudBattleFactor = 0;                    // row 140
    float MudMoveFactor = 0;                      // row 141
    float Row142 = 0;                             // row 142 (kept, unused)
    int EntrenchmentCeiling = 0;                  // row 143
    float EntrenchmentFactor = 0;                 // row 144
    int AirSearchRadius = 0;                      // row 145
    int AIFriendlyShipChance = 0;                 // row 146
    int AIEnemyShipChance = 0;                    // row 147
    float AIFrontRatioThreshold = 0;              // row 148, times 0.01
    int RetreatBaseChance = 0;                    // row 149
    float ShoreBombTechFactor[5]{};               // row 150, times 0.01
    float RangeTechFactor[5]{};                   // row 151, times 0.01
    int ControlMargin = 0;                        // row 152
    float AISeaTransportAirRatio = 0;             // row 153
    int PurchaseNumber[10]{};                     // row 154, fields 1-10
    int PurchaseNumberNaval[4]{};                 // row 154, fields 11-14
    float CarrierMinHitPointsPercent = 0;         // row 155
    int CarrierHitPointsForAir = 0;               // row 156
    int FleetAttackRange = 0;                     // row 157
    int FleetShoreBombRange = 0;                  // row 158
    float AmphibiousEfficiencyCut = 0;            // row 159
    int AmphibiousStrengthFactor = 0;             // row 160
    int PortCapacityToEnter[6]{};                 // row 161
    int PortCapacityToRepair[6]{};                // row 162
    int ConvoyValuePP = 0;                        // row 163
    int ConvoyValueSupply = 0;                    // row 164
    int SpottingBaseChance = 0;                   // row 165
    int SpottingFriendly[3]{};                    // row 166, fields 1-3: threshold, divisor, factor
    int SpottingCarrierBonus = 0;                 // row 166, field 4
    int SpottingEnemy[3]{};                       // row 167: threshold, divisor, factor
    int ShipSupplyThreshold = 0;                  // row 168
    int ShipSupplyRadius = 0;                     // row 169
    int ShipSupplyAdd[6]{};                       // row 170
    int ShipSupplyTake[6]{};                      // row 171
    int Row172 = 0;                               // row 172 (kept, unused)
    int Row173 = 0;                               // row 173 (kept, unused)
    int SeaBattleRetreatChance = 0;               // row 174
    int NuclearRadius = 0;                        // row 175
    int PortDamageFactors[2]{};                   // row 176
    int AirMoveMinSupply[3]{};                    // row 177
    int PortBombHit[4]{};                         // row 178
    int AirCommanderChances[3]{};                 // row 179
    int CommanderSeaBonus[3]{};                   // row 180
    int ShipSupplyComputerMax = 0;                // row 181
    int AIRepeatOperationalMoves = 0;             // row 182
    int ShipSecondHitChance = 0;                  // row 183
    int ShipSunkChance = 0;                       // row 184
    float AIShipRepairChance = 0;                 // row 185

    // Values of the file that no rule can use: no number ("abc", "nan"), no whole number where
    // the row holds whole ones, no finite number ("inf"), or too large; the first one told.
    int UnusableValues = 0;
    std::wstring FirstUnusable;
    // Where each row stood: the file, its line, the column of its first value and the column
    // of each value the line gives (an empty field before a value moves it right).
    std::wstring Path;
    std::array<int, kConstsRows + 1> RowLines{};
    std::array<int8_t, kConstsRows + 1> RowFirstColumns{};
    std::array<std::vector<int>, kConstsRows + 1> RowColumns;

    // Reads data\scenarios\<scenario>\consts.csv. A missing file or values that would
    // divide by zero, index out of range or overflow the rules end the program with exit code 1.
    void LoadGameConsts(std::wstring_view scenario);
    // The reading itself, from the file's bytes: no checks. Returns the data rows counted.
    int ReadFromText(std::string_view text, std::wstring_view path = L"consts.csv");
    // Values that other code divides by or indexes with; false (with a log line naming
    // the row) when one is unusable.
    bool CheckValues();
};

