#pragma once
// The parameters that steer the computer opponent for one country. Each country holds
// one block; ai_data.csv fills it and the save writes it back. Field names are the
// variable names of ai_data.csv.
#include <list>

class cMiasto;

struct sAITarget
{
    int a = 0, b = 0, c = 0;
    bool operator==(const sAITarget&) const = default;
};

struct sSeaZoneToPatrol
{
    int a = 0, b = 0;
    bool operator==(const sSeaZoneToPatrol&) const = default;
};

struct sAIParameters
{
    bool MakesSeaInvasions = false;
    int MaxNumberOfFrontsForSeaInvasion = 2;
    int CurrentSeaInvasionTarget = -1;
    std::list<cMiasto*> ObligatorySeaInvasionTargets; // cities belong to the game object
    std::list<sAITarget> CurrentTargets;
    std::list<cMiasto*> DoNotAttackCities;
    std::list<cMiasto*> ExtraCitiesToGarrison;
    std::list<sSeaZoneToPatrol> SeaZonesToPatrol;
    std::list<int> PurchaseQueue;
    int FortLevelToHoldAtAllCost = 5;
    int DesiredLandForcesStructure[5] = {10, 20, 30, 20, 10};
    int DesiredTechLevels[7] = {1, 1, 1, 1, 1, 1, 0};
    int DesiredStrategicMovementPoints = 0;
    int NewUnitPurchasePreferences[14] = {10, 10, 5, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0};
    struct sPurchaseData
    {
        int i1 = 99;
        float f1 = -1.0f;
        int i2 = 99;
        float f2 = -1.0f;
        int i3 = 99;
        float f3 = -1.0f;
    } NewUnitPurchaseData;
    int MultipleSideAttackPreferences[3] = {5, 3, 4};
    int OneSideAttackPreferences[3] = {4, 2, 2};
    int AllianceEntryPolicy = 0;
    std::list<int> CountriesToPress;
    bool TransportsUnitsToFrontsBySea = false;
    float MinRatioToPatchFront = 2.5f;
    int MaxUnitCountOnFront = 15;
    int MaxCoveringUnitDistance = 3;
    int MaxSafeMoveCost = 5;
    float ShoreBombardmentSingleUse[2] = {1.0f, 1.0f}; // fractions; the file holds percentages
    int CarrierTargetsPriorities[9] = {90, 80, 70, 60, 50, 40, 30, 20, 10};
};
