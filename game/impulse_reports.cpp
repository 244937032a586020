// Steps of the full end of an impulse that report to the players: sieges, production,
// upkeep, research and the convoy results.
#include <algorithm>
#include <vector>

#include "core/format.h"
#include "core/log.h"
#include "core/stringbase.h"
#include "game/game.h"
#include "game/play_state.h"
#include "game/presentation.h"
#include "world/city.h"
#include "world/convoys.h"
#include "world/country.h"
#include "world/map.h"
#include "world/relations.h"
#include "world/world.h"

namespace {

constexpr int kReportSiege = 21;
constexpr int kReportProduction = 22;
constexpr int kReportResearch = 23;
constexpr int kReportUpkeep = 26;

// Countries that take part in the economy: active and not out of the game.
bool TakesPart(const cPanstwo& country)
{
    return country.IsActive && country.PoliticalStrength >= 0;
}

// The persons whose side holds the besieged city or stands around it: a siege of others'
// city is theirs to read in Reports, not a window that holds them at every impulse.
std::vector<int> SiegeReaders(const std::vector<cPanstwo*>& countries, cMiasto& city)
{
    std::vector<int> parties{city.GetControllerId()};
    if (cMapa* map = WorldMap(); map && map->IsInside(city.X, city.Y)) {
        if (const sHex* hex = map->GetHex(city.X, city.Y); hex->unit)
            parties.push_back(g_World.units.ownerId(hex->unit));
        for (int d = 0; d < 6; ++d)
            if (const sHex* n = map->GetNeighbour(city.X, city.Y, d); n && n->unit)
                parties.push_back(g_World.units.ownerId(n->unit));
    }
    std::vector<int> readers;
    for (const cPanstwo* c : countries)
        if (c->IsActive && c->HumanControlled &&
            std::any_of(parties.begin(), parties.end(), [c](int party) { return IsCountryOrAlly(party, c->ID); }))
            readers.push_back(c->ID);
    return readers;
}

} // namespace

void cGra::AddCountryReport(int kind, const cPanstwo& country, const std::wstring& text)
{
    sRaport report;
    report.kind = kind;
    report.countryKey = country.ID;
    report.text = text;
    m_Reports->AddReport(report);
}

void cGra::CheckSieges()
{
    LogLine(L"CHECKING FOR SIEGES...");
    for (cMiasto* city : m_Cities) {
        LogLine(L"Checking city %s", city->GetName());
        if (!city->IsBesieged())
            continue;
        std::wstring text;
        city->CheckSiege(text);
        const cPanstwo* controller = GetCountry(city->GetControllerId());
        const std::wstring name = controller ? controller->Name : L"";
        const std::wstring caption = FormatText(L"Siege of %s (%s)\n\n", city->GetName(), name);
        for (int id = 1; id <= int(m_Countries.size()); ++id) {
            sRaport report;
            report.kind = kReportSiege;
            report.countryKey = id;
            report.extra = 1;
            report.text = FormatText(L"Siege of %s (%s)\n\n%s", city->GetName(), name, text);
            m_Reports->AddReport(report);
        }
        // Every country gets the report; the box goes to the persons of the two sides only,
        // and a game of computers shows it to nobody and waits for nobody.
        const std::vector<int> readers = SiegeReaders(m_Countries, *city);
        if (readers.empty())
            continue;
        sPresentationRequest request;
        request.kind = eRequestKind::Message;
        request.title = caption;
        request.text = text;
        request.countryId = readers.front();
        request.otherReaders.assign(readers.begin() + 1, readers.end());
        Presentation().Post(std::move(request))->Wait();
    }
    LogLine(L"CHECKING FOR SIEGES FINISHED");
}

void cGra::CalculateProduction()
{
    LogLine(L"CALCULATING PRODUCTION...");
    if (m_Relations)
        m_Relations->RecomputeLossShares();
    for (cPanstwo* c : m_Countries)
        if (TakesPart(*c)) {
            std::wstring heading, content;
            c->CollectProduction(heading, content);
            AddCountryReport(kReportProduction, *c, FormatText(L"%s\n\n%s", heading, content));
        }
    LogLine(L"CALCULATING PRODUCTION FINISHED.");
}

void cGra::CalculateUpkeep()
{
    LogLine(L"CALCULATING UNITS UPKEEP COSTS...");
    for (cPanstwo* c : m_Countries)
        if (TakesPart(*c)) {
            // The upkeep gives a heading and a summary; the report keeps both, as the production
            // report does.
            std::wstring heading, summary;
            c->PayUnitUpkeep(heading, summary);
            AddCountryReport(kReportUpkeep, *c, LangFormat("report_upkeep_summary_main_content", heading, summary));
        }
    LogLine(L"CALCULATING UNITS UPKEEP COSTS FINISHED");
}

void cGra::CalculateResearch()
{
    LogLine(L"CALCULATING RESEARCH...");
    if (IsFirstImpulseOfMonth())
        for (cPanstwo* c : m_Countries)
            if (TakesPart(*c)) {
                c->AddDiplomaticPoints(c->DPGrowthPerMonth);
                // Heading and content both, as for the upkeep.
                std::wstring heading, content;
                c->DoMonthlyResearch(heading, content);
                AddCountryReport(kReportResearch, *c, LangFormat("report_research_main_content", heading, content));
                c->AdvanceLandWarfareDoctrine();
            }
    LogLine(L"CALCULATING RESEARCH FINISHED");
}

void cGra::ShowConvoyResults()
{
    if (!m_Convoys)
        return;
    const cPanstwo* view = m_PlayState ? m_PlayState->GetViewCountry() : nullptr;
    for (const cPanstwo* c : m_Countries) {
        // Countries out of the game are passed over, as the end of the impulse says: the
        // results window's own description leaves that step out.
        if (!TakesPart(*c))
            continue;
        const size_t index = size_t(c->ID - 1);
        if (index >= m_Convoys->Results.size() || m_Convoys->Results[index].empty())
            continue;
        // A play-by-e-mail game shows them to the player at this machine, whoever plays
        // the country; otherwise to the people playing.
        if (m_IsPbem ? !view || c->PBEMPlayerId != view->PBEMPlayerId : !c->HumanControlled)
            continue;
        sPresentationRequest request;
        request.kind = eRequestKind::ConvoyResults;
        request.countryId = c->ID;
        request.title = c->Name;
        Presentation().Post(std::move(request))->Wait();
    }
}
