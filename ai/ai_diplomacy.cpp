// The computer's diplomacy at the start of every turn (its own entry into an alliance and
// the pressure on other countries) and its declarations of war on the holders of its
// current targets once the units sent toward them stand ready.
#include <algorithm>
#include <initializer_list>
#include <string>

#include "ai/ai.h"
#include "ai/ai_presentation.h"
#include "core/lock.h"
#include "core/log.h"
#include "game/game.h"
#include "game/play_state.h"
#include "game/presentation.h"
#include "units/land_unit.h"
#include "units/unit_access.h"
#include "world/country.h"
#include "world/diplomacy.h"
#include "world/map.h"

namespace {

// The outcome of a diplomacy action is told to a person; a game of computers goes on.
void ShowOutcome(const cPanstwo& country, const std::wstring& text)
{
    ShowMessageToPerson(country.Name, text, true);
}

// Whether a person's side (their country and its allies) is one of the parties.
bool APersonsSideIsParty(std::initializer_list<int> parties)
{
    if (!g_Gra)
        return false;
    for (const cPanstwo* c : g_Gra->m_Countries)
        if (c->IsActive && c->HumanControlled &&
            std::any_of(parties.begin(), parties.end(), [c](int party) { return IsCountryOrAlly(party, c->ID); }))
            return true;
    return false;
}

} // namespace

void cAI::ConductDiplomacy()
{
    if (!g_Gra || !m_Country)
        return;
    const int me = CountryId();
    const sAIParameters& parameters = m_Country->AIParameters;
    std::wstring text;
    if (parameters.AllianceEntryPolicy == 0)
    {
        if (m_Country->AllianceEntry >= 21 && CanDelayAllianceEntry(me, text))
        {
            DelayAllianceEntry(me, text);
            ShowOutcome(*m_Country, text);
        }
    }
    else if (parameters.AllianceEntryPolicy == 1)
    {
        if (CanHastenAllianceEntry(me, text))
        {
            HastenAllianceEntry(me, text);
            ShowOutcome(*m_Country, text);
        }
    }
    for (int target : parameters.CountriesToPress)
    {
        const cPanstwo* other = GetCountry(target);
        if (!other || !ThreadMayRun())
            continue;
        if (!CanExertPressure(me, target, text))
            continue;
        if (other->HasSimilarOrientation(*m_Country) || other->AllianceEntry >= 30)
        {
            const int allianceBefore = other->Alliance;
            ExertPressure(me, target, text);
            // A neutral brought into an alliance is news of the war as a whole, every person's.
            // A shift of its entry, or pressure that failed, is the business of the two sides
            // it touches: a Swedish person would close one for Norway at every turn.
            if (other->Alliance != allianceBefore || APersonsSideIsParty({me, target}))
                ShowOutcome(*m_Country, text);
            else
                LogLine(L"[AI]: %ls (no person's side is a party: not shown)", text);
        }
    }
}

void cAI::DeclareWars()
{
    if (!g_Gra || !g_Gra->m_Mapa || !m_Country)
        return;
    const std::list<sAITarget>& targets = m_Country->AIParameters.CurrentTargets;
    if (targets.empty())
        return;
    int marching = 0, ready = 0;
    for (const cJednostkaLadowa* unit : m_OwnLandUnits)
    {
        marching += unit->m_AiOrder == 12 ? 1 : 0;
        ready += unit->m_AiOrder == 13 ? 1 : 0;
    }
    const float ratio = marching + ready == 0 ? 0.0f : float(ready) / float(marching + ready);
    if (!(ratio > 0.7f))
        return;
    const int me = CountryId();
    std::wstring text;
    for (const sAITarget& target : targets)
    {
        // Off the map a target names no hex: the map would answer with its first one.
        if (!g_Gra->m_Mapa->IsInside(target.a, target.b))
        {
            LogLine(L"[AI]: %ls - target hex (%i,%i) lies off the map", m_Country->Name, target.a, target.b);
            continue;
        }
        const int holder = g_Gra->m_Mapa->GetHex(target.a, target.b)->controller;
        if (holder == 0 || !CanDeclareWar(me, holder, text))
            continue;
        DeclareWar(me, holder, true);
        const cPanstwo* enemy = GetCountry(holder);
        const std::wstring line = FormatText(L"[AI]: %ls DECLARED WAR ON %ls!!", m_Country->Name,
                                             enemy ? enemy->Name : std::wstring());
        LogLine(line);
        if (g_Gra->HasHumanCountry())
        {
            PostInfoPanelMessage(line);
            PauseMsForPerson(2000);
        }
    }
}
