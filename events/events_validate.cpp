// Validation of the expressions and effects of the event files against the script vocabulary.
#include <tinyxml2.h>

#include <cstring>

#include "core/fatal.h"
#include "core/log.h"
#include "events/effects.h"
#include "events/event_methods.h"
#include "events/events.h"
#include "events/events_xml.h"

namespace {

const wchar_t* const kOperators[] = {L"equals", L"notEquals", L"greater", L"less", L"greaterOrEqual", L"lessOrEqual"};

// Effect methods by required numeric / text parameters.
const sEffectMethod kEffects[] = {
    // 1 / 0
    {L"Country.UnFreezeAllUnits", 1, 0, event_effects::CountryUnFreezeAllUnits},
    {L"Country.KillAllLandUnits", 1, 0, event_effects::CountryKillAllLandUnits},
    {L"Country.KillAllAirUnits", 1, 0, event_effects::CountryKillAllAirUnits},
    {L"Country.KillAllNavalUnits", 1, 0, event_effects::CountryKillAllNavalUnits},
    {L"Country.KillAllUnitsInReserve", 1, 0, event_effects::CountryKillAllUnitsInReserve},
    // 2 / 0
    {L"Country.ChangeDiplomaticPoints", 2, 0, event_effects::CountryChangeDiplomaticPoints},
    {L"Country.ChangeProductionPoints", 2, 0, event_effects::CountryChangeProductionPoints},
    {L"Country.ChangePoliticalStrength", 2, 0, event_effects::CountryChangePoliticalStrength},
    {L"Country.ChangeAllianceEntry", 2, 0, event_effects::CountryChangeAllianceEntry},
    {L"Country.ChangeSocialUnrest", 2, 0, event_effects::CountryChangeSocialUnrest},
    {L"Country.ChangeWarEconomy", 2, 0, event_effects::CountryChangeWarEconomy},
    {L"Country.SetDiplomaticPoints", 2, 0, event_effects::CountrySetDiplomaticPoints},
    {L"Country.SetProductionPoints", 2, 0, event_effects::CountrySetProductionPoints},
    {L"Country.SetPoliticalStrength", 2, 0, event_effects::CountrySetPoliticalStrength},
    {L"Country.SetAllianceEntry", 2, 0, event_effects::CountrySetAllianceEntry},
    {L"Country.SetSocialUnrest", 2, 0, event_effects::CountrySetSocialUnrest},
    {L"Country.SetWarEconomy", 2, 0, event_effects::CountrySetWarEconomy},
    {L"Country.DeclareWarOnCountry", 2, 0, event_effects::CountryDeclareWarOnCountry},
    {L"Country.SetZoneOfInfluence", 2, 0, event_effects::CountrySetZoneOfInfluence},
    {L"Country.SetOrientation", 2, 0, event_effects::CountrySetOrientation},
    {L"Flag.SetValue", 2, 0, event_effects::FlagSetValue},
    {L"Flag.ChangeValue", 2, 0, event_effects::FlagChangeValue},
    {L"Commander.ChangeLevel", 2, 0, event_effects::CommanderChangeLevel},
    {L"Commander.SetLevel", 2, 0, event_effects::CommanderSetLevel},
    {L"Country.ChangeTerritoryControllerOwnerAndOriginalOwner", 2, 0, event_effects::CountryChangeTerritoryControllerOwnerAndOriginalOwner},
    {L"AI.SetMakesSeaInvasionsParameter", 2, 0, event_effects::AISetMakesSeaInvasionsParameter},
    {L"Country.SetFreezeLevelForAllFreezedUnits", 2, 0, event_effects::CountrySetFreezeLevelForAllFreezedUnits},
    {L"Unit.Unfreeze", 2, 0, event_effects::UnitUnfreeze},
    {L"Country.ChangeOwnershipOfAllNavalUnits", 2, 0, event_effects::CountryChangeOwnershipOfAllNavalUnits},
    {L"Country.ChangeOwnershipOfAllAirUnits", 2, 0, event_effects::CountryChangeOwnershipOfAllAirUnits},
    {L"Country.SetActive", 2, 0, event_effects::CountrySetActive},
    {L"AI.AddCountryToPress", 2, 0, event_effects::AIAddCountryToPress},
    {L"AI.SetDesiredStrategicMovementPoints", 2, 0, event_effects::AISetDesiredStrategicMovementPoints},
    {L"Hex.KillUnit", 2, 0, event_effects::HexKillUnit},
    {L"Port.SetSize", 2, 0, event_effects::PortSetSize},
    {L"Port.ChangeSize", 2, 0, event_effects::PortChangeSize},
    {L"Country.ChangeSTP", 2, 0, event_effects::CountryChangeSTP},
    {L"Country.ChangeAIP", 2, 0, event_effects::CountryChangeAIP},
    {L"Country.SetWinterBattle", 2, 0, event_effects::CountrySetWinterBattle},
    {L"Country.SetWinterMove", 2, 0, event_effects::CountrySetWinterMove},
    {L"Country.SetMudBattle", 2, 0, event_effects::CountrySetMudBattle},
    {L"Country.SetMudMove", 2, 0, event_effects::CountrySetMudMove},
    {L"AI.SetMaxNumberOfFrontsForSeaInvasion", 2, 0, event_effects::AISetMaxNumberOfFrontsForSeaInvasion},
    {L"AI.RemoveSeaZoneFromPatrolList", 2, 0, event_effects::AIRemoveSeaZoneFromPatrolList},
    {L"AI.TransportUnitsToFrontsBySea", 2, 0, event_effects::AITransportUnitsToFrontsBySea},
    {L"Country.MakePeace", 2, 0, event_effects::CountryMakePeace},
    {L"Country.ChangeSMP", 2, 0, event_effects::CountryChangeSMP},
    {L"Country.ChangeUpkeepCost", 2, 0, event_effects::CountryChangeUpkeepCost},
    {L"Country.SetUpkeepCost", 2, 0, event_effects::CountrySetUpkeepCost},
    {L"Country.SetMaxSafeMoveCost", 2, 0, event_effects::CountrySetMaxSafeMoveCost},
    {L"Country.SetMinRatioToPatchFront", 2, 0, event_effects::CountrySetMinRatioToPatchFront},
    {L"Country.SetMaxUnitCountOnFront", 2, 0, event_effects::CountrySetMaxUnitCountOnFront},
    {L"Country.SetMaxCoveringUnitDistance", 2, 0, event_effects::CountrySetMaxCoveringUnitDistance},
    {L"Country.ChangeMonthsToReachWarfareDoctrineLevel", 2, 0, event_effects::CountryChangeMonthsToReachWarfareDoctrineLevel},
    {L"View.CenterAt", 2, 0, event_effects::ViewCenterAt},
    {L"AI.SetFortLevelToHoldAtAllCost", 2, 0, event_effects::AISetFortLevelToHoldAtAllCost},
    // 2 / 1
    {L"Hex.AddNavalUnit", 2, 1, event_effects::HexAddNavalUnit},
    // 3 / 0
    {L"AI.RemoveDoNotAttackCity", 3, 0, event_effects::AIRemoveDoNotAttackCity},
    {L"Hex.SetFortLevel", 3, 0, event_effects::HexSetFortLevel},
    {L"City.SetProductionPoints", 3, 0, event_effects::CitySetProductionPoints},
    {L"City.ChangeProductionPoints", 3, 0, event_effects::CityChangeProductionPoints},
    {L"AI.SetDesiredTechLevel", 3, 0, event_effects::AISetDesiredTechLevel},
    {L"Country.ChangeEffectivityOfAllUnits", 3, 0, event_effects::CountryChangeEffectivityOfAllUnits},
    {L"Country.NewUnitPurchasePreferences", 3, 0, event_effects::CountryNewUnitPurchasePreferences},
    {L"Country.SetTechLevel", 3, 0, event_effects::CountrySetTechLevel},
    {L"Country.ChangeTechLevel", 3, 0, event_effects::CountryChangeTechLevel},
    {L"Country.SetTechResearchProgress", 3, 0, event_effects::CountrySetTechResearchProgress},
    {L"Country.SetTechInvestment", 3, 0, event_effects::CountrySetTechInvestment},
    {L"AI.AddExtraCityToGarrison", 3, 0, event_effects::AIAddExtraCityToGarrison},
    {L"AI.AddDoNotAttackCity", 3, 0, event_effects::AIAddDoNotAttackCity},
    {L"AI.RemoveInvasionTarget", 3, 0, event_effects::AIRemoveInvasionTarget},
    {L"AI.AddSeaZoneToPatrolList", 3, 0, event_effects::AIAddSeaZoneToPatrolList},
    {L"AI.RemovePortForObligatoryInvasion", 3, 0, event_effects::AIRemovePortForObligatoryInvasion},
    {L"Unit.Freeze", 3, 0, event_effects::UnitFreeze},
    {L"Hex.ChangeFortLevel", 3, 0, event_effects::HexChangeFortLevel},
    {L"City.SetType", 3, 0, event_effects::CitySetType},
    {L"Country.SetDesiredLandForcesStructure", 3, 0, event_effects::CountrySetDesiredLandForcesStructure},
    {L"Country.ChangeTechInvestment", 3, 0, event_effects::CountryChangeTechInvestment},
    {L"Country.ChangeTechResearchProgress", 3, 0, event_effects::CountryChangeTechResearchProgress},
    {L"Unit.Remove", 3, 0, event_effects::UnitRemove},
    {L"Country.ChangeAICarrierTargetsPriorities", 3, 0, event_effects::CountryChangeAICarrierTargetsPriorities},
    // 3 / 1
    {L"Commander.AddNew", 3, 1, event_effects::CommanderAddNew},
    {L"Hex.AddMulberry", 3, 1, event_effects::HexAddMulberry},
    {L"SeaNode.AddNavalUnit", 3, 1, event_effects::SeaNodeAddNavalUnit},
    // 4 / 0
    {L"HexStripe.ChangeControllerAndOwner", 4, 0, event_effects::HexStripeChangeControllerAndOwner},
    {L"HexStripe.ChangeControllerOwnerAndOriginalOwner", 4, 0, event_effects::HexStripeChangeControllerOwnerAndOriginalOwner},
    {L"AI.AddInvasionTarget", 4, 0, event_effects::AIAddInvasionTarget},
    {L"Unit.Teleport", 4, 0, event_effects::UnitTeleport},
    {L"New.EndWinterArea", 4, 0, event_effects::NewEndWinterArea},
    {L"New.EndMudArea", 4, 0, event_effects::NewEndMudArea},
    {L"AI.AddPortForObligatoryInvasion", 4, 0, event_effects::AIAddPortForObligatoryInvasion},
    {L"AI.SetMultipleSideAttackPreferences", 4, 0, event_effects::AISetMultipleSideAttackPreferences},
    {L"AI.SetOneSideAttackPreferences", 4, 0, event_effects::AISetOneSideAttackPreferences},
    {L"Unit.FreezeIfOwnedByCountry", 4, 0, event_effects::UnitFreezeIfOwnedByCountry},
    {L"Country.DamageRandomShipsInSeaZone", 4, 0, event_effects::CountryDamageRandomShipsInSeaZone},
    // 5 / 0
    {L"New.StartWinterArea", 5, 0, event_effects::NewStartWinterArea},
    {L"New.StartMudArea", 5, 0, event_effects::NewStartMudArea},
    // 6 / 0
    {L"Country.RemoveConvoy", 6, 0, event_effects::CountryRemoveConvoy},
    {L"Area.ChangeEffectivityOfAllUnits", 6, 0, event_effects::AreaChangeEffectivityOfAllUnits},
    // 6 / 1
    {L"Hex.AddLandUnit", 6, 1, event_effects::HexAddLandUnit},
    {L"Hex.AddAirUnit", 6, 1, event_effects::HexAddAirUnit},
    {L"SeaNode.AddLandUnit", 6, 1, event_effects::SeaNodeAddLandUnit},
    {L"Hex.AddUnitAndPassControlOverHexIfEmpty", 6, 1, event_effects::HexAddUnitAndPassControlOverHexIfEmpty},
    // The same effect by its other name: the unit it makes is a land unit anyway.
    {L"Hex.AddLandUnitAndPassControlOverHexIfEmpty", 6, 1, event_effects::HexAddUnitAndPassControlOverHexIfEmpty},
    {L"City.FirePartisans", 6, 1, event_effects::CityFirePartisans},
    // 7 / 0
    {L"Country.AddConvoy", 7, 0, event_effects::CountryAddConvoy},
    // 8 / 1
    {L"SeaNode.AddLandUnitWithDest", 8, 1, event_effects::SeaNodeAddLandUnitWithDest},
    {L"SeaNode.AddLandingLandUnit", 8, 1, event_effects::SeaNodeAddLandingLandUnit},
    // 9 / 0
    {L"Country.SetAICarrierTargetsPriorities", 9, 0, event_effects::CountrySetAICarrierTargetsPriorities},
};

// Depth-first over every node of a document; does not descend into the elements it collects.
template <typename Visit>
void WalkElements(const tinyxml2::XMLNode* node, const char* name, Visit&& visit)
{
    for (const tinyxml2::XMLNode* child = node->FirstChild(); child; child = child->NextSibling()) {
        const tinyxml2::XMLElement* element = child->ToElement();
        if (element && std::strcmp(element->Value(), name) == 0) {
            visit(element);
            continue;
        }
        WalkElements(child, name, visit);
    }
}

} // namespace

std::span<const wchar_t* const> OperatorNames() { return kOperators; }
std::span<const sEffectMethod> EffectMethods() { return kEffects; }

const sOperandMethod* FindOperandMethod(std::wstring_view name)
{
    for (const sOperandMethod& m : OperandMethods())
        if (name == m.name)
            return &m;
    return nullptr;
}

const sEffectMethod* FindEffectMethod(std::wstring_view name)
{
    for (const sEffectMethod& m : kEffects)
        if (name == m.name)
            return &m;
    return nullptr;
}

bool cEventOperand::Validate()
{
    if (method.empty() && IsUnset(constValue)) {
        LogLine(L"ERROR: operand element at line %i has neither 'method' nor 'constValue' attribute. It must have one "
                L"of them defined",
                line);
        return false;
    }
    if (!method.empty() && !IsUnset(constValue)) {
        LogLine(L"nERROR: operand element at line %i has both 'method' and 'constValue' attributes defined. Only one "
                L"of them can be defined",
                line);
        return false;
    }
    if (const sOperandMethod* m = FindOperandMethod(method)) {
        for (int i = 0; i < m->requiredParams; ++i)
            if (IsUnset(param[size_t(i)])) {
                LogLine(L"ERROR: param %i for operand at line %i must be defined!", i, line);
                return false;
            }
        valid = true;
    }
    if (!valid && IsUnset(constValue)) {
        LogLine(L"ERROR: operand element at line %i has unknown method (%s)", line, method);
        return false;
    }
    if (!IsUnset(constValue)) {
        for (double p : param)
            if (!IsUnset(p)) {
                LogLine(L"WARNING: operand element at line %i has defined 'constValue' attribute and at least one "
                        L"from param0..param9 attributes.",
                        line);
                break;
            }
    }
    return true;
}

bool cEventExpression::ValidateOperator() const
{
    for (const wchar_t* name : kOperators)
        if (op == name)
            return true;
    LogLine(L"ERROR: attribute 'value' of <operator> at line %i has incorrect value (%s)", line, op);
    return false;
}

bool cEventExpression::Check()
{
    // All three, so that every error of the expression is logged.
    const bool left = leftOperand.Validate();
    const bool right = rightOperand.Validate();
    const bool oper = ValidateOperator();
    if (!left || !right || !oper)
        FatalExit(1, L"CRITICAL: Expression was incorrect. Terminating program. See errors above.");
    return oper;
}

bool cEventEffect::Validate()
{
    if (const sEffectMethod* m = FindEffectMethod(method)) {
        for (int i = 0; i < m->requiredParams; ++i)
            if (IsUnset(param[size_t(i)])) {
                LogLine(L"ERROR: param%i for effect at line %i is not defined!", i, line);
                return false;
            }
        for (int i = 0; i < m->requiredTexts; ++i)
            if (paramString[size_t(i)].empty()) {
                LogLine(L"ERROR: paramString%i for effect at line %i is not defined!", i, line);
                return false;
            }
        valid = true;
    }
    if (!valid) {
        LogLine(L"ERROR: Effect at line %i has unknown method (%s)!", line, method);
        return false;
    }
    return true;
}

void cZdarzenia::ValidateEventFiles()
{
    validationExpressions.clear();
    validationEffects.clear();

    LogLine(L"Validation of events XML file. Searching for expressions...");
    for (const sEventDocument& document : documents)
        WalkElements(document.xml.get(), "expression", [this](const tinyxml2::XMLElement* element) {
            LogLine(L"<expression> found at row %i", element->GetLineNum());
            cEventExpression expression;
            event_xml::ParseExpression(element, expression);
            validationExpressions.push_back(std::move(expression));
        });
    for (cEventExpression& expression : validationExpressions)
        expression.Check();

    LogLine(L"Validation of events XML file. Searching for effects...");
    for (const sEventDocument& document : documents)
        WalkElements(document.xml.get(), "effect", [this](const tinyxml2::XMLElement* element) {
            LogLine(L"<effect> found at row %i", element->GetLineNum());
            cEventEffect effect;
            event_xml::ParseEffect(element, effect);
            validationEffects.push_back(std::move(effect));
        });
    for (cEventEffect& effect : validationEffects)
        if (!effect.Validate())
            FatalExit(1, FormatText(L"CRITICAL: Effect at line %i is not correct. See error messages above. Exiting...",
                                    effect.line));

    // A visible event without options would leave the player a dialog with nothing to choose.
    for (const sEventDocument& document : documents)
        WalkElements(document.xml.get(), "event", [&document](const tinyxml2::XMLElement* element) {
            int visible = 0;
            if (element->QueryIntAttribute("visibleByPlayer", &visible) != tinyxml2::XML_SUCCESS || visible == 0)
                return;
            const tinyxml2::XMLElement* options = element->FirstChildElement("options");
            if (options && options->FirstChildElement("option"))
                return;
            LogLine(L"WARNING: <event> at line %i in %S is visible by player but has no options", element->GetLineNum(),
                    document.fileName);
        });
}
