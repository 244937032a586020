// Surrenders of beaten countries and the end of the game with its table of results.
#include <algorithm>
#include <vector>

#include "core/log.h"
#include "core/stringbase.h"
#include "game/game.h"
#include "game/game_over.h"
#include "game/presentation.h"
#include "world/alliances.h"
#include "world/country.h"

void cGra::CheckSurrenders()
{
    LogLine(L"CHECKING FOR SURRENDERS...");
    for (cPanstwo* c : m_Countries) {
        if (!c->IsActive || !c->HasLostAllVictoryCities())
            continue;
        // The line goes to the log, where the course of a war is read afterwards; the
        // window shows the surrender's own caption and text.
        LogLine(LangFormat("%s_surrenders!", c->Name));
        std::wstring caption, text;
        // No victor able to take the surrender yet: the country fights on to a later impulse.
        if (!c->Surrender(caption, text))
            continue;
        ShowMessageToPerson(caption, text);
        // Once the surrender is read, a leader's place passes on, or its alliance ends.
        const sAllianceNews news = PassAllianceLead(*c, true);
        if (!news.title.empty())
            ShowMessageToPerson(news.title, news.text);
    }
    LogLine(L"CHECKING FOR SURRENDERS FINISHED");
}

namespace {

// The result line of the alliances' victory points.
const char* ResultKey(int64_t allies, int64_t axis, int64_t comintern)
{
    if (allies == axis && axis == comintern)
        return allies == 0 ? "result:_all_major_alliances_eliminated,_no_result!" : "result:_draw";
    if (allies == axis && comintern < allies)
        return "result:_axis-allied_draw_comintern_defeat";
    if (allies == comintern && axis < allies)
        return "result:_allied-comintern_draw_axis_defeat";
    if (axis == comintern && allies < axis)
        return "result:_axis-comintern_draw_allied_defeat";
    if (axis > allies && axis > comintern)
        return "result:_axis_victory";
    if (allies > axis && allies > comintern)
        return "result:_allied_victory";
    return "result:_comintern_victory";
}

constexpr size_t kScoresListed = 20;

} // namespace

const char* GameOverReasonKey(const cGra& game)
{
    int leaders = 0;
    for (int side = 1; side <= 3; ++side)
        leaders += game.GetAllianceLeader(side) ? 1 : 0;
    if (leaders == 0)
        return "game_over:_all_alliances_eliminated_(uncommon_ending)";
    if (leaders == 1)
        return "game_over:_only_one_major_alliance_left";
    if (game.m_StartedWithHuman && !game.HasHumanCountry()) {
        // A conquered country keeps its person's mark; one handed to the computer loses it,
        // and a war that ends so says so instead of calling it a conquest.
        for (const cPanstwo* c : game.m_Countries)
            if (!c->IsActive && c->HumanControlled)
                return "game_over:_all_human-controlled_countries_annexed";
        return "game_over:_no_country_is_played_by_a_person";
    }
    if (game.m_TurnsLeft < 1)
        return "game_over:_time_has_run_out";
    return nullptr;
}

const char* GameResultKey(const cGra& game)
{
    return ResultKey(game.CountAllianceVictoryPoints(ALLIANCE_ALLIES), game.CountAllianceVictoryPoints(ALLIANCE_AXIS),
                     game.CountAllianceVictoryPoints(ALLIANCE_COMINTERN));
}

void cGra::CheckGameOver()
{
    LogLine(L"CHECKING FOR GAME OVER...");

    std::wstring text = L"\n";
    const char* reason = GameOverReasonKey(*this);
    if (reason) {
        text += LangText(reason);
        m_GameOver = true;
    }

    const int64_t allies = CountAllianceVictoryPoints(ALLIANCE_ALLIES);
    const int64_t axis = CountAllianceVictoryPoints(ALLIANCE_AXIS);
    const int64_t comintern = CountAllianceVictoryPoints(ALLIANCE_COMINTERN);
    text += LangText(ResultKey(allies, axis, comintern));
    text += LangText("alliance_score:");
    text += LangFormat("axis:_%i_vp", axis);
    text += LangFormat("allies:_%i_vp", allies);
    text += LangFormat("comintern:_%i_vp", comintern);
    text += LangText("individual_score:");

    struct sScore
    {
        const cPanstwo* country;
        int64_t score;
    };
    std::vector<sScore> scores;
    // The list of the end of the game calls each country's score its victory points, while
    // the score's own rules count its forces and cities too and name this list as their
    // use: the score is taken.
    for (const cPanstwo* c : m_Countries)
        if (c->IsActive && c->PoliticalStrength >= 0)
            scores.push_back({c, ComputeCountryScore(c->ID)});
    std::stable_sort(scores.begin(), scores.end(), [](const sScore& a, const sScore& b) { return a.score > b.score; });
    for (size_t i = 0; i < scores.size() && i < kScoresListed; ++i)
        text += LangFormat("%i._%s:_%i", int(i + 1), scores[i].country->Name, scores[i].score);
    text += LangText("___press_esc_to_finish");

    if (m_GameOver) {
        // The log keeps the table for a game that nobody watches.
        LogLine(L"%s", text);
        // The end of the game asks for a colour set and style of its own, while the message
        // box takes none (only its base row): the box every message uses, its title saying
        // what it is. Nothing is played after it, so the computer's play ends without waiting
        // for it to be read: the screen shows the war over (the person's side, a still panel)
        // under the open window.
        ShowMessageToPerson(LangText("game_over"), text, false);
    }
    LogLine(L"CHECKING FOR GAME OVER FINISHED");
}
