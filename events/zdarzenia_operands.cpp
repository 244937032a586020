// The operand methods of the event scripts: what each reads from the game.
#include "core/log.h"
#include "core/random.h"
#include "events/event_methods.h"
#include "events/zdarzenia.h"
#include "events/zdarzenia_game.h"
#include "game/gra.h"

namespace {

int32_t P(const cEventOperand& o, int i) { return EventParamToInt(o.param[size_t(i)]); }

// A reference that names nothing is the scenario's error: logged, and the operand reads 0.
double NamesNothing(const cEventOperand& o, const wchar_t* what, int32_t id)
{
    LogLine(L"ERROR: operand %s at line %i names %s %i, which does not exist; it reads 0", o.method, o.line, what, id);
    return 0.0;
}

double NoGame(const cEventOperand& o)
{
    LogLine(L"ERROR: operand %s at line %i read with no game; it reads 0", o.method, o.line);
    return 0.0;
}

// Game-wide values.

double GameGetCurrentTurn(const cEventOperand& o) { return g_Gra ? g_Gra->m_Turn : NoGame(o); }
double GetWinterBattle(const cEventOperand& o) { return g_Gra ? g_Gra->m_Consts.WinterBattleFactor : NoGame(o); }
double GetWinterMove(const cEventOperand& o) { return g_Gra ? g_Gra->m_Consts.WinterMoveFactor : NoGame(o); }
double GetMudBattle(const cEventOperand& o) { return g_Gra ? g_Gra->m_Consts.MudBattleFactor : NoGame(o); }
double GetMudMove(const cEventOperand& o) { return g_Gra ? g_Gra->m_Consts.MudMoveFactor : NoGame(o); }

double FlagGetValue(const cEventOperand& o)
{
    const int32_t index = P(o, 0);
    if (index < 0 || index >= kFlagCount) {
        LogLine(L"ERR: Flag.GetValue arg out of range: %d, max is %d", index, kFlagCount);
        return 0.0;
    }
    return g_Gra ? g_Gra->m_Flags[size_t(index)] : NoGame(o);
}

// A commander's level is his skill.
double CommanderGetLevel(const cEventOperand& o)
{
    if (!g_Gra)
        return NoGame(o);
    const sDowodca* commander = g_Gra->FindCommander(P(o, 0));
    return commander ? commander->Skill : NamesNothing(o, L"commander", P(o, 0));
}

// Awaiting the game classes: logged, reads 0.
double NotAvailable(const cEventOperand& o)
{
    LogLine(L"ERROR: operand %s at line %i cannot be read yet; it reads 0", o.method, o.line);
    return 0.0;
}

double SystemGetRandomNumber(const cEventOperand& o) { return RandomInt(P(o, 0), P(o, 1)); }

double CountryWyswietlZajebisteOkienko(const cEventOperand& o)
{
    // The scripts' debug probe: the author sees in the log that the condition got this far.
    LogLine(L"Country.WyswietlZajebisteOkienko at line %i: debug operand reached", o.line);
    return 666.0;
}

const sOperandMethod kOperands[] = {
    // 0 parameters
    {L"Get.WinterBattle", 0, GetWinterBattle},
    {L"Get.WinterMove", 0, GetWinterMove},
    {L"Get.MudBattle", 0, GetMudBattle},
    {L"Get.MudMove", 0, GetMudMove},
    {L"Game.GetCurrentTurn", 0, GameGetCurrentTurn},
    // 1 parameter
    {L"Country.GetProductionPoints", 1, NotAvailable},
    {L"Country.GetDiplomaticPoints", 1, NotAvailable},
    {L"Country.GetVP", 1, NotAvailable},
    {L"Country.GetPoliticalStrength", 1, NotAvailable},
    {L"Country.GetAllianceEntry", 1, NotAvailable},
    {L"Country.GetSocialUnrest", 1, NotAvailable},
    {L"Country.IsActive", 1, NotAvailable},
    {L"Country.GetZoneOfInfluence", 1, NotAvailable},
    {L"Country.GetOrientation", 1, NotAvailable},
    {L"Flag.GetValue", 1, FlagGetValue},
    {L"Commander.GetLevel", 1, CommanderGetLevel},
    {L"Country.IsAIControlled", 1, NotAvailable},
    {L"Country.GetWarEconomy", 1, NotAvailable},
    {L"Country.GetAlliance", 1, NotAvailable},
    {L"Country.GetStrategicMovementPoints", 1, NotAvailable},
    {L"Country.IsAtWar", 1, NotAvailable},
    {L"Country.WyswietlZajebisteOkienko", 1, CountryWyswietlZajebisteOkienko},
    {L"Country.GetSTP", 1, NotAvailable},
    {L"Country.GetAIP", 1, NotAvailable},
    {L"Country.GetWinterBattle", 1, NotAvailable},
    {L"Country.GetWinterMove", 1, NotAvailable},
    {L"Country.GetMudBattle", 1, NotAvailable},
    {L"Country.GetMudMove", 1, NotAvailable},
    {L"Country.GetMaxNumberOfFrontsForSeaInvasion", 1, NotAvailable},
    {L"Country.GetUpkeepCost", 1, NotAvailable},
    {L"Country.GetMaxSafeMoveCost", 1, NotAvailable},
    {L"Country.GetMaxCoveringUnitDistance", 1, NotAvailable},
    {L"Country.GetMaxUnitCountOnFront", 1, NotAvailable},
    {L"Country.GetMinRatioToPatchFront", 1, NotAvailable},
    {L"Port.GetSize", 1, NotAvailable},
    {L"Country.GetDifficultyLevel", 1, NotAvailable},
    // 2 parameters
    {L"Country.HasWarWithCountry", 2, NotAvailable},
    {L"System.GetRandomNumber", 2, SystemGetRandomNumber},
    {L"Hex.Occupied", 2, NotAvailable},
    {L"Country.GetUnitPurchasePreferences", 2, NotAvailable},
    {L"Country.GetTechLevel", 2, NotAvailable},
    {L"Country.GetAICarrierTargetsPriorities", 2, NotAvailable},
    {L"Country.GetTechResearchProgress", 2, NotAvailable},
    {L"Country.GetTechInvestment", 2, NotAvailable},
    {L"AI.IsSeaZonePatrolled", 2, NotAvailable},
    {L"Country.GetDesiredLandForcesStructure", 2, NotAvailable},
    {L"Country.GetUnitCount", 2, NotAvailable},
    {L"City.WasBombed", 2, NotAvailable},
    // 3 parameters
    {L"Hex.ControlledByAliance", 3, NotAvailable},
    {L"Hex.OccupiedAndControlledByAlliance", 3, NotAvailable},
    {L"Country.GetShipsAmountInSeaZone", 3, NotAvailable},
    {L"Hex.ControlledByCountry", 3, NotAvailable},
    {L"Hex.OccupiedByUnitOwnedByCountry", 3, NotAvailable},
};

} // namespace

std::span<const sOperandMethod> OperandMethods() { return kOperands; }

std::wstring EventCountryName(int32_t) { return std::wstring(); }
