// The event check on Testland: which events fire, who chooses the option, what is shown.
#include <gtest/gtest.h>

#include "core/random.h"
#include "core/text.h"
#include "events/events.h"
#include "game/play_counts.h"
#include "game/reports.h"
#include "tests/game/testland_game.h"
#include "tests/test_support.h"

using namespace testland;
using testing_support::CountLogLinesStartingWith;
using testing_support::LogContains;
using testing_support::LogHasInOrder;

namespace {

// RandomInt(1, 100) gives `draw` for this raw value.
int RawForDraw(int draw)
{
    return ((draw - 1) * 32768 + 99) / 100;
}

class EventCheck : public TestlandGame
{
protected:
    EventCheck()
    {
        // Borussia's ultimatum (event 1) is due from October 1939.
        game->m_Date[0] = 1;
        game->m_Date[1] = 10;
        game->m_Date[2] = 1939;
    }
    cZdarzenie& Event(int id)
    {
        for (cZdarzenie& e : game->m_Events->events)
            if (e.eventID == id)
                return e;
        throw std::runtime_error("no such event");
    }
    int Reports(int kind)
    {
        int n = 0;
        for (const sRaport& r : game->m_Reports->GetReports())
            n += r.kind == kind ? 1 : 0;
        return n;
    }
    std::vector<sPresentationRequest> Requests(eRequestKind kind)
    {
        std::vector<sPresentationRequest> found;
        for (const sPresentationRequest& r : screen.requests)
            if (r.kind == kind)
                found.push_back(r);
        return found;
    }
};

TEST_F(EventCheck, EveryDueEventFiresOnceAComputerEventByItsChancesAndTheCheckLogsIt)
{
    const int firedBefore = g_PlayCounts.eventsFired.load();
    ScriptRandomRaw({RawForDraw(31)});
    game->CheckEvents();

    EXPECT_TRUE(LogHasInOrder({L"CHECKING EVENTS...", L"NEW ITERATION FOR EVENTS...", L"Checking event 1",
                               L"Condition for event with ID=1 is true. Firing...", L"NEW ITERATION FOR EVENTS...",
                               L"Condition for event with ID=2 is true. Firing...",
                               L"Event 2: the computer chances of its 0 options add up to 0; no option is chosen",
                               L"New event search iteration ended with no results", L"CHECKING EVENTS FINISHED"}));
    // Event 2 is checked again in every search, and its condition stays true: it fires once.
    EXPECT_EQ(CountLogLinesStartingWith(L"Condition for event with ID=2 is true"), 1);
    EXPECT_EQ(CountLogLinesStartingWith(L"Checking event 1"), 1) << "a one-time event is checked once per check";
    EXPECT_EQ(game->m_Flags[1], 2) << "a draw of 31 picks the option of weight 70";
    EXPECT_EQ(g_PlayCounts.eventsFired.load() - firedBefore, 1);
    // Borussia is a computer: its visible event is reported to every country, no window opens.
    EXPECT_EQ(Reports(25), int(game->m_Countries.size()));
    EXPECT_EQ(game->m_Reports->GetReports().back().text,
              L"Borussia in Borussian ultimatum went with option Respect Helvetian neutrality");
    EXPECT_EQ(screen.Count(eRequestKind::EventChoice), 0);

    // The flags start afresh with the next check; event 1 is now held back by its condition.
    testing_support::ClearLog();
    game->CheckEvents();
    EXPECT_EQ(CountLogLinesStartingWith(L"Condition for event with ID=1 is false."), 1);
}

TEST_F(EventCheck, TheComputerDrawsOptionsByTheirWeights)
{
    const cZdarzenie& ultimatum = Event(1);
    ScriptRandomRaw({RawForDraw(30), RawForDraw(31), RawForDraw(1), RawForDraw(100)});
    EXPECT_EQ(ultimatum.ChooseOptionByAIChance(), 1);
    EXPECT_EQ(ultimatum.ChooseOptionByAIChance(), 2);
    EXPECT_EQ(ultimatum.ChooseOptionByAIChance(), 1);
    EXPECT_EQ(ultimatum.ChooseOptionByAIChance(), 2);

    cZdarzenie none = ultimatum;
    none.options[0].chanceAI = 0;
    none.options[1].chanceAI = -5;
    EXPECT_EQ(none.ChooseOptionByAIChance(), -1);
    EXPECT_TRUE(LogContains(L"Event 1: the computer chances of its 2 options add up to 0; no option is chosen"));
    none.options[1].chanceAI = 1;
    ScriptRandomRaw({0});
    EXPECT_EQ(none.ChooseOptionByAIChance(), 2) << "an option of weight 0 is never drawn";

    // Positions outside the options fire nothing and keep the messages.
    game->m_Events->messages = {L"kept"};
    EXPECT_FALSE(ultimatum.FireOption(0));
    EXPECT_FALSE(ultimatum.FireOption(3));
    EXPECT_EQ(game->m_Events->messages, std::vector<std::wstring>{L"kept"});
    std::wstring text = L"-", tooltip = L"-";
    ultimatum.GetOptionTexts(3, text, tooltip);
    EXPECT_EQ(text, L"-");
    ultimatum.GetOptionTexts(1, text, tooltip);
    EXPECT_EQ(text, L"Demand passage through Helvetia");
}

TEST_F(EventCheck, APersonChoosesTheOptionOfTheirVisibleEventAndReadsWhatItDid)
{
    Country(kBorussia).HumanControlled = true;
    // The option declares a war, whose message the person reads after the choice.
    cEventEffect war;
    war.method = L"Country.DeclareWarOnCountry";
    war.param[0] = kBorussia;
    war.param[1] = kHelvetia;
    Event(1).options[1].effects.push_back(war);
    // And it sinks Borussia's High Seas Fleet, which its own report tells of.
    cEventEffect sink;
    sink.method = L"Country.DamageRandomShipsInSeaZone";
    sink.param[0] = kBorussia;
    sink.param[1] = 5;
    sink.param[2] = sink.param[3] = 1.0;
    Event(1).options[1].effects.push_back(sink);
    ScriptRandomRaw({RawForDraw(31)}); // the headless screen answers by the chances
    game->CheckEvents();

    const auto asked = Requests(eRequestKind::EventChoice);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].title, L"Borussian ultimatum");
    EXPECT_EQ(asked[0].countryId, kBorussia);
    EXPECT_EQ(asked[0].unitId, 1);
    EXPECT_EQ(asked[0].options,
              (std::vector<std::wstring>{L"Demand passage through Helvetia", L"Respect Helvetian neutrality"}));
    EXPECT_TRUE(LogContains(L"Event fired (ID=1 / Title=\"Borussian ultimatum\")"));
    EXPECT_EQ(game->m_Flags[1], 2);
    EXPECT_EQ(Reports(25), 1) << "only the person's country keeps the report of its choice";
    std::vector<int> kinds;
    for (const sRaport& r : game->m_Reports->GetReports())
        if (r.kind == 25 || r.kind == 33)
            kinds.push_back(r.kind);
    ASSERT_GE(kinds.size(), 2u);
    EXPECT_EQ(kinds.front(), 25) << "the choice is listed before what it did";
    for (const sRaport& r : game->m_Reports->GetReports())
        if (r.kind == 25) { // an option without a tooltip leaves no empty brackets
            EXPECT_TRUE(r.text.ends_with(L"Chosen option: Respect Helvetian neutrality")) << WideToUtf8(r.text);
        }
    const auto told = Requests(eRequestKind::Message);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].text, L"Borussia declares war on Helvetia!");
    EXPECT_EQ(told[0].title, L"Information");
    EXPECT_EQ(told[0].countryId, kBorussia) << "what the person's event did is the person's to read";
}

// By e-mail the event's window can save the turn instead: the program ends there, before
// anything else is checked, told or handed to the main loop, which would end the turn and
// save it again without the event.
TEST_F(EventCheck, ByEmailATurnSavedFromTheEventWindowEndsTheProgramThere)
{
    class cSavesFromTheWindow : public cRequestRecorder
    {
    public:
        RequestHandle Post(sPresentationRequest request) override
        {
            if (request.kind == eRequestKind::EventChoice) {
                g_PbemQuitAfterEventDialog = true;
                request.headlessAnswer = [] { return -1; };
            }
            return cRequestRecorder::Post(std::move(request));
        }
    } window;
    SetPresentation(&window);
    game->m_IsPbem = true;
    Country(kBorussia).HumanControlled = true;
    g_PbemEventCheckDone = false;
    const bool goesOn = game->CheckEvents();
    SetPresentation(&screen);
    const bool told = g_PbemEventCheckDone.exchange(false);
    g_PbemQuitAfterEventDialog = false;

    EXPECT_FALSE(goesOn);
    EXPECT_EQ(window.Count(eRequestKind::EventChoice), 1);
    EXPECT_EQ(window.Count(eRequestKind::Quit), 1);
    EXPECT_EQ(window.Count(eRequestKind::Message), 0);
    EXPECT_FALSE(told) << "the main loop would end the turn";
    EXPECT_FALSE(LogContains(L"CHECKING EVENTS FINISHED"));
    EXPECT_FALSE(LogContains(L"Condition for event with ID=2")) << "no further event is checked";
    EXPECT_EQ(game->m_Flags[1], 0) << "no option fired: the event comes again in the saved turn";
}

TEST_F(EventCheck, WithoutAPersonNoWindowIsAskedFor)
{
    for (cPanstwo* c : game->m_Countries)
        c->HumanControlled = false;
    cEventEffect war;
    war.method = L"Country.DeclareWarOnCountry";
    war.param[0] = kBorussia;
    war.param[1] = kHelvetia;
    for (cEventOption& o : Event(1).options)
        o.effects.push_back(war);
    screen.requests.clear();
    game->CheckEvents();
    EXPECT_TRUE(screen.requests.empty());
    EXPECT_EQ(game->m_Events->messages, std::vector<std::wstring>{L"Borussia declares war on Helvetia!"});
}

TEST_F(EventCheck, AForcedEventIsQueuedAndFiredByTheCheckWhateverItsDateAndCondition)
{
    game->m_Date[1] = 9; // before the window of event 1
    game->m_Flags[1] = 5; // and its condition false
    cZdarzenie before = game->m_Events->currentEvent;
    EXPECT_FALSE(game->m_Events->ForceEventById(77));
    EXPECT_TRUE(LogHasInOrder({L"USER FORCED FIRING OF EVENT ID=77. Searching for this event...", L"Event was not found!"}));
    EXPECT_EQ(game->m_Events->currentEvent.eventID, before.eventID);

    ASSERT_TRUE(game->m_Events->ForceEventById(1));
    EXPECT_TRUE(LogContains(L"Event found! Returning..."));
    EXPECT_TRUE(game->m_Events->HasForcedEvents());
    EXPECT_EQ(game->m_Flags[1], 5) << "the main thread only queues it";
    ScriptRandomRaw({RawForDraw(1)});
    game->FireForcedEvents();
    EXPECT_FALSE(game->m_Events->HasForcedEvents());
    EXPECT_EQ(game->m_Events->currentEvent.eventID, 1);
    EXPECT_EQ(game->m_Flags[1], 1);
}

} // namespace
