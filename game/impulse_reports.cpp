// Steps of the full end of an impulse that report to the players: sieges, production,
// upkeep, research and the convoy results.
#include "core/format.h"
#include "core/log.h"
#include "core/stringbase.h"
#include "game/game.h"
#include "game/play_state.h"
#include "game/presentation.h"
#include "world/city.h"
#include "world/convoys.h"
#include "world/country.h"
#include "world/relations.h"

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
        // Every side is told of a siege, so it is nobody's to cover; the box is for a person,
        // and a game of computers shows it to nobody and waits for nobody.
        ShowMessageToPerson(caption, text);
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
