#pragma once
// What each effect method of the event scripts does, one function per method; the table
// of effect methods names them. Each takes the effect record and runs under the global
// lock that cEventEffect::Execute holds.
class cEventEffect;

namespace event_effects {

// Country values, war and peace, flags and technology (effects_country.cpp).
void CountryChangeDiplomaticPoints(const cEventEffect& e);
void CountryChangeProductionPoints(const cEventEffect& e);
void CountryChangePoliticalStrength(const cEventEffect& e);
void CountryChangeAllianceEntry(const cEventEffect& e);
void CountrySetAllianceEntry(const cEventEffect& e);
void CountryChangeSocialUnrest(const cEventEffect& e);
void CountryChangeWarEconomy(const cEventEffect& e);
void CountrySetDiplomaticPoints(const cEventEffect& e);
void CountrySetProductionPoints(const cEventEffect& e);
void CountrySetPoliticalStrength(const cEventEffect& e);
void CountrySetSocialUnrest(const cEventEffect& e);
void CountrySetWarEconomy(const cEventEffect& e);
void FlagSetValue(const cEventEffect& e);
void FlagChangeValue(const cEventEffect& e);
void CountryDeclareWarOnCountry(const cEventEffect& e);
void CountryMakePeace(const cEventEffect& e);
void CountrySetActive(const cEventEffect& e);
void CountrySetZoneOfInfluence(const cEventEffect& e);
void CountrySetOrientation(const cEventEffect& e);
void CountryChangeSTP(const cEventEffect& e);
void CountryChangeAIP(const cEventEffect& e);
void CountryChangeSMP(const cEventEffect& e);
void CountryChangeUpkeepCost(const cEventEffect& e);
void CountrySetUpkeepCost(const cEventEffect& e);
void CountrySetWinterBattle(const cEventEffect& e);
void CountrySetWinterMove(const cEventEffect& e);
void CountrySetMudBattle(const cEventEffect& e);
void CountrySetMudMove(const cEventEffect& e);
void CountrySetTechLevel(const cEventEffect& e);
void CountryChangeTechLevel(const cEventEffect& e);
void CountrySetTechResearchProgress(const cEventEffect& e);
void CountryChangeTechResearchProgress(const cEventEffect& e);
void CountrySetTechInvestment(const cEventEffect& e);
void CountryChangeTechInvestment(const cEventEffect& e);
void CountryChangeMonthsToReachWarfareDoctrineLevel(const cEventEffect& e);

// Territory, hexes, cities, ports, weather, convoys and the view (effects_territory.cpp).
void HexStripeChangeControllerAndOwner(const cEventEffect& e);
void HexStripeChangeControllerOwnerAndOriginalOwner(const cEventEffect& e);
void CountryChangeTerritoryControllerOwnerAndOriginalOwner(const cEventEffect& e);
void HexSetFortLevel(const cEventEffect& e);
void HexChangeFortLevel(const cEventEffect& e);
void CitySetProductionPoints(const cEventEffect& e);
void CityChangeProductionPoints(const cEventEffect& e);
void CitySetType(const cEventEffect& e);
void PortSetSize(const cEventEffect& e);
void PortChangeSize(const cEventEffect& e);
void NewStartWinterArea(const cEventEffect& e);
void NewEndWinterArea(const cEventEffect& e);
void NewStartMudArea(const cEventEffect& e);
void NewEndMudArea(const cEventEffect& e);
void CountryAddConvoy(const cEventEffect& e);
void CountryRemoveConvoy(const cEventEffect& e);
void ViewCenterAt(const cEventEffect& e);

// Units and commanders (effects_units.cpp).
void HexAddLandUnit(const cEventEffect& e);
void HexAddUnitAndPassControlOverHexIfEmpty(const cEventEffect& e);
void CityFirePartisans(const cEventEffect& e);
void HexAddAirUnit(const cEventEffect& e);
void HexAddNavalUnit(const cEventEffect& e);
void SeaNodeAddNavalUnit(const cEventEffect& e);
void SeaNodeAddLandUnit(const cEventEffect& e);
void SeaNodeAddLandUnitWithDest(const cEventEffect& e);
void SeaNodeAddLandingLandUnit(const cEventEffect& e);
void HexAddMulberry(const cEventEffect& e);
void UnitTeleport(const cEventEffect& e);
void UnitFreeze(const cEventEffect& e);
void UnitFreezeIfOwnedByCountry(const cEventEffect& e);
void UnitUnfreeze(const cEventEffect& e);
void CountryUnFreezeAllUnits(const cEventEffect& e);
void CountrySetFreezeLevelForAllFreezedUnits(const cEventEffect& e);
void HexKillUnit(const cEventEffect& e);
void UnitRemove(const cEventEffect& e);
void CountryKillAllLandUnits(const cEventEffect& e);
void CountryKillAllAirUnits(const cEventEffect& e);
void CountryKillAllNavalUnits(const cEventEffect& e);
void CountryKillAllUnitsInReserve(const cEventEffect& e);
void CountryChangeOwnershipOfAllNavalUnits(const cEventEffect& e);
void CountryChangeOwnershipOfAllAirUnits(const cEventEffect& e);
void CountryChangeEffectivityOfAllUnits(const cEventEffect& e);
void AreaChangeEffectivityOfAllUnits(const cEventEffect& e);
void CountryDamageRandomShipsInSeaZone(const cEventEffect& e);
void CommanderAddNew(const cEventEffect& e);
void CommanderChangeLevel(const cEventEffect& e);
void CommanderSetLevel(const cEventEffect& e);

// The computer opponent's parameters (effects_ai.cpp).
void AIAddInvasionTarget(const cEventEffect& e);
void AIRemoveInvasionTarget(const cEventEffect& e);
void AISetMakesSeaInvasionsParameter(const cEventEffect& e);
void AISetMaxNumberOfFrontsForSeaInvasion(const cEventEffect& e);
void AIAddPortForObligatoryInvasion(const cEventEffect& e);
void AIRemovePortForObligatoryInvasion(const cEventEffect& e);
void AIAddDoNotAttackCity(const cEventEffect& e);
void AIRemoveDoNotAttackCity(const cEventEffect& e);
void AIAddExtraCityToGarrison(const cEventEffect& e);
void AIAddSeaZoneToPatrolList(const cEventEffect& e);
void AIRemoveSeaZoneFromPatrolList(const cEventEffect& e);
void AIAddCountryToPress(const cEventEffect& e);
void AISetDesiredStrategicMovementPoints(const cEventEffect& e);
void AISetDesiredTechLevel(const cEventEffect& e);
void AITransportUnitsToFrontsBySea(const cEventEffect& e);
void AISetMultipleSideAttackPreferences(const cEventEffect& e);
void AISetOneSideAttackPreferences(const cEventEffect& e);
void AISetFortLevelToHoldAtAllCost(const cEventEffect& e);
void CountryNewUnitPurchasePreferences(const cEventEffect& e);
void CountrySetMaxSafeMoveCost(const cEventEffect& e);
void CountrySetDesiredLandForcesStructure(const cEventEffect& e);
void CountrySetMinRatioToPatchFront(const cEventEffect& e);
void CountrySetMaxUnitCountOnFront(const cEventEffect& e);
void CountrySetMaxCoveringUnitDistance(const cEventEffect& e);
void CountrySetAICarrierTargetsPriorities(const cEventEffect& e);
void CountryChangeAICarrierTargetsPriorities(const cEventEffect& e);

} // namespace event_effects
