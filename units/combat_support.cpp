#include "units/combat_support.h"

#include <algorithm>
#include <memory>

#include "core/settings.h"
#include "core/stringbase.h"
#include "core/text.h"
#include "game/game.h"
#include "game/play_counts.h"
#include "game/play_state.h"
#include "game/presentation.h"
#include "game/reports.h"
#include "units/combat_result.h"
#include "units/land_unit.h"
#include "units/naval_unit.h"
#include "world/city.h"
#include "world/country.h"
#include "world/hex_range.h"
#include "world/map.h"
#include "world/relations.h"
#include "world/world.h"

void BookLosses(int dealerId, int sufferer, float amount)
{
    cRelationsMatrix* relations = WorldRelations();
    if (relations && dealerId > 0 && sufferer > 0)
        relations->AddLosses(dealerId, sufferer, amount);
}

void AddCombatReport(int kind, int countryId, const std::wstring& text)
{
    if (!g_Gra || !g_Gra->m_Reports)
        return;
    sRaport report;
    report.kind = kind;
    report.countryKey = countryId;
    report.text = text;
    g_Gra->m_Reports->AddReport(report);
}

cInterceptionReport::cInterceptionReport(const sCombatResult& result)
    : m_Result(result), m_AttackerLossText(result.attackerLossText.size()),
      m_DefenderLossText(result.defenderLossText.size()), m_AttackerInfo(result.attackerInfo.size()),
      m_DefenderInfo(result.defenderInfo.size()), m_AttackerLoss(result.attackerLoss), m_DefenderLoss(result.defenderLoss)
{
}

cInterceptionReport::~cInterceptionReport()
{
    const sCombatResult& r = m_Result;
    if (!r.interceptionFought)
        return;
    // The record may hold an earlier combat: only this fight is told.
    const std::wstring text = LangText(CombatTitleKey(COMBAT_INTERCEPTION)) + L"\n\n" +
                              LangFormat("combat_result_main", r.attackerLossText.substr(m_AttackerLossText),
                                         r.attackerLoss - m_AttackerLoss, r.attackerInfo.substr(m_AttackerInfo)) +
                              L"\n\n" +
                              LangFormat("combat_result_main", r.defenderLossText.substr(m_DefenderLossText),
                                         r.defenderLoss - m_DefenderLoss, r.defenderInfo.substr(m_DefenderInfo));
    AddCombatReport(2, r.attackerCountry, text);
    AddCombatReport(3, r.defenderCountry, text);
}

void PlayCombatSound(const wchar_t* name, const cUnit* unit, const cUnit* other)
{
    if ((unit && unit->m_Spotted) || (other && other->m_Spotted))
        Presentation().PlaySound(std::wstring(L"data\\sound\\") + name + L".wav");
}

void DestroyInCombat(cUnit* unit)
{
    if (!unit)
        return;
    ++g_PlayCounts.unitsDestroyed;
    if (auto* ship = dynamic_cast<cJednostkaMorska*>(unit))
        ship->Kill(true);
    else
        unit->Kill();
}

void NoteDiscovered(int spotterId, cUnit* unit)
{
    if (!unit)
        return;
    unit->m_Spotted = true;
    cPanstwo* spotter = GetCountry(spotterId);
    auto* land = dynamic_cast<cJednostkaLadowa*>(unit);
    // The country's list of units found holds land units alone; any other is only seen.
    if (!spotter || !land)
        return;
    auto& found = spotter->ReconUnits;
    if (std::find(found.begin(), found.end(), land) == found.end())
        found.push_back(land);
}

void AppendLine(std::wstring& text, const std::wstring& line)
{
    if (!text.empty())
        text += L"\n";
    text += line;
}

int DiscoverAroundHex(int spotterId, int x, int y, int reach, std::wstring& told)
{
    cMapa* map = g_Gra ? g_Gra->m_Mapa : nullptr;
    if (!map || !map->IsInside(x, y))
        return 0;
    int found = 0;
    std::wstring enemies;
    ForEachHexWithin(*map, x, y, reach, [&](sHex& hex) {
        if (!hex.unit || hex.unit->m_Spotted)
            return;
        NoteDiscovered(spotterId, hex.unit);
        ++found;
        if (CountriesAtWar(hex.unit->m_Owner, spotterId))
            AppendLine(enemies,
                       LangFormat("recon_result_unit_%s_%s", hex.unit->m_Name, CountryName(hex.unit->m_Owner)));
    });
    // What the look found is told: the player sees no other sign of a look that found nothing.
    const sHex* target = map->GetHex(x, y);
    const std::wstring place = target->city ? target->city->Name : FormatText(L"(%i, %i)", x, y);
    AppendLine(told, LangFormat(enemies.empty() ? "recon_result_nothing_new_%s" : "recon_result_found_%s", place));
    if (!enemies.empty())
        AppendLine(told, enemies);
    return found;
}

void TakeHexInCombat(int x, int y, int countryId)
{
    cMapa* map = g_Gra ? g_Gra->m_Mapa : nullptr;
    if (!map || !map->IsInside(x, y) || countryId <= 0)
        return;
    map->CheckCapturedPort(x, y);
    map->GetHex(x, y)->SetController(countryId);
    ++g_PlayCounts.hexesCaptured;
}

void ShowComputerStep(const cJednostka& unit, int x, int y, int delay)
{
    cPlayState* play = g_Gra ? g_Gra->m_PlayState : nullptr;
    if (!play || !play->IsMoveShown(unit) || delay < 0 || delay >= kDelayCount)
        return;
    sPresentationRequest request;
    request.kind = eRequestKind::CenterCamera;
    request.title = unit.m_Name;
    request.unitId = unit.m_Id;
    request.countryId = unit.m_Owner;
    request.x = x;
    request.y = y;
    request.delayMs = int(g_DelayValues[size_t(delay)]);
    Presentation().Post(std::move(request))->Wait();
}

const std::wstring& CountryName(int countryId)
{
    static const std::wstring nobody;
    const cPanstwo* country = GetCountry(countryId);
    return country ? country->Name : nobody;
}

bool PresentCombatResult(const sCombatResult& result, bool byComputer)
{
    const float delay = g_DelayValues[byComputer ? DELAY_AI_COMBAT_RESULT : DELAY_HUMAN_COMBAT_RESULT];
    // No person's country left: the settings refuse such a game and annexing the last one ends
    // the war (the design leaves the windows of that impulse's rest open); the tool's wars post none.
    if (delay == 0.0f || !g_Gra || !g_Gra->HasHumanCountry())
        return false;
    int person = 0;
    for (int id : {result.attackerCountry, result.defenderCountry})
        if (const cPanstwo* country = GetCountry(id); country && country->HumanControlled && person == 0)
            person = id;
    sPresentationRequest request;
    request.kind = eRequestKind::CombatResult;
    request.title = LangText(CombatTitleKey(result.kind));
    request.text = LangFormat("combat_result_main", result.attackerLossText, result.attackerLoss, result.attackerInfo) +
                   L"\n" + LangFormat("combat_result_main", result.defenderLossText, result.defenderLoss, result.defenderInfo);
    request.combat = std::make_shared<const sCombatResult>(result);
    request.countryId = person;
    request.delayMs = int(delay);
    RequestHandle shown = Presentation().Post(std::move(request));
    if (byComputer && shown)
        shown->Wait();
    return true;
}
