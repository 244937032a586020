// The check of the scripted events, once per impulse on the opponent's thread: every event
// that is due fires one option, chosen by the person for a visible event of a human
// country and drawn by the computer otherwise; what the effects say is shown to a person.
// The global lock is held for each step and never while a person is waited for.
#include "core/lock.h"
#include "core/log.h"
#include "core/stringbase.h"
#include "events/events.h"
#include "game/game.h"
#include "game/play_counts.h"
#include "game/presentation.h"
#include "world/country.h"

std::atomic<bool> g_PbemEventCheckDone{false};
std::atomic<bool> g_PbemQuitAfterEventDialog{false};

namespace {

void AddReportFor(cGra& game, int countryId, const std::wstring& text)
{
    if (!game.m_Reports)
        return;
    sRaport report;
    report.kind = 25;
    report.countryKey = countryId;
    report.text = text;
    game.m_Reports->AddReport(report);
}

// A computer's choice of a visible event is told to every country.
void ReportComputerChoice(cGra& game, const cZdarzenie& event, const cPanstwo& country, int position)
{
    std::wstring text, tooltip;
    event.GetOptionTexts(position, text, tooltip);
    const std::wstring report = FormatText(L"%s in %s went with option %s", country.Name, event.title, text);
    for (size_t id = 1; id <= game.m_Countries.size(); ++id)
        AddReportFor(game, int(id), report);
}

// The event window's report of the person's choice, written here once the window has
// answered: the window itself runs on the main thread and changes no game data.
void ReportPersonsChoice(cGra& game, const cZdarzenie& event, const cPanstwo& country, int position)
{
    std::wstring text, tooltip;
    event.GetOptionTexts(position, text, tooltip);
    // An option without a tooltip leaves no empty brackets behind its text.
    const std::wstring chosen = tooltip.empty() ? text : FormatText(L"%s (%s)", text, tooltip);
    AddReportFor(game, country.ID,
                 FormatText(L"Event for country %s: %s\n\n%s\n\nChosen option: %s", country.Name, event.title,
                            event.description, chosen));
}

// The event window: the answer is the position (from 1) of the option the person chose.
// Nobody there to answer draws by the computer chances; a wait that is cancelled picks none.
int AskPerson(const cZdarzenie& event)
{
    sPresentationRequest request;
    request.kind = eRequestKind::EventChoice;
    request.title = event.title;
    request.text = event.description;
    for (const cEventOption& option : event.options) {
        request.options.push_back(option.text);
        request.optionHints.push_back(option.tooltip);
    }
    request.picture = event.image;
    request.countryId = event.countryID;
    request.unitId = event.eventID;
    request.fallbackAnswer = -1;
    request.headlessAnswer = [event] { return event.ChooseOptionByAIChance(); };
    return Presentation().Post(std::move(request))->Wait();
}

// Fires one option of the event; false when the program is to end (the play-by-e-mail
// player saved and leaves from the event window).
bool FireEvent(cGra& game, const cZdarzenie& event)
{
    // An event of no country has nobody to choose for it.
    cPanstwo* country = GetCountry(event.countryID);
    if (!country)
        return true;
    int position = -1;
    bool fired = false;
    if (!country->HumanControlled || event.visibleByPlayer == 0) {
        GLOBAL_LOCK_SCOPE();
        position = event.ChooseOptionByAIChance();
        fired = event.FireOption(position);
        // Chances that draw no option fire none: a report would tell every country of a choice
        // nobody made, with no option's name. The log says it.
        if (fired && event.visibleByPlayer != 0)
            ReportComputerChoice(game, event, *country, position);
    } else {
        LogLine(L"Event fired (ID=%i / Title=\"%s\")", event.eventID, event.title);
        g_PbemQuitAfterEventDialog = false;
        position = AskPerson(event);
        if (game.m_IsPbem && g_PbemQuitAfterEventDialog) {
            // The turn was saved from the window with the event still to come: it is asked
            // again, and its messages told, where the saved turn is opened. Nothing else may
            // run on here, or the turn would be ended and saved once more without it.
            LogLine(L"The play-by-e-mail turn was saved from the event window; the program ends");
            sPresentationRequest quit;
            quit.kind = eRequestKind::Quit;
            Presentation().Post(std::move(quit));
            return false;
        }
        GLOBAL_LOCK_SCOPE();
        // The choice is reported before its effects report anything, so the list reads in
        // the order things happened.
        if (position >= 1 && size_t(position) <= event.options.size())
            ReportPersonsChoice(game, event, *country, position);
        fired = event.FireOption(position);
    }
    // The messages belong to a fired option's effects: none fired, none to tell.
    if (!fired) {
        // Nothing to report or show: the manager's messages are still those of an earlier event.
        LogLine(L"Event %i: no option fired", event.eventID);
    } else {
        ++g_PlayCounts.eventsFired;
        std::vector<std::wstring> messages;
        {
            GLOBAL_LOCK_SCOPE();
            messages = game.m_Events->messages;
            g_PlayCounts.RecordFiredEvent(
                {event.eventID, event.title, position, game.m_Date[0], game.m_Date[1], game.m_Date[2]});
        }
        // Read one at a time in their order: the next message, and the next event's
        // choice, come only once this one is closed. A person's event tells that person.
        const int reader = country->HumanControlled ? country->ID : 0;
        for (const std::wstring& message : messages) {
            ShowMessageToPerson(LangText("information"), message, true, reader);
            if (!ThreadMayRun())
                break;
        }
    }
    return true;
}

} // namespace

bool cGra::FireForcedEvents()
{
    if (!m_Events)
        return true;
    cZdarzenie event;
    for (;;) {
        {
            GLOBAL_LOCK_SCOPE();
            if (!m_Events->TakeForcedEvent(event))
                return true;
        }
        if (!FireEvent(*this, event))
            return false;
        if (!ThreadMayRun())
            return true;
    }
}

bool cGra::CheckEvents(bool tellMainLoop)
{
    {
        GLOBAL_LOCK_SCOPE();
        LogLine(L"CHECKING EVENTS...");
        if (m_Events)
            m_Events->ClearCheckedFlags();
    }
    if (!FireForcedEvents())
        return false;
    while (m_Events && ThreadMayRun()) {
        cZdarzenie event;
        {
            GLOBAL_LOCK_SCOPE();
            if (!m_Events->FindNextEventToFire())
                break;
            event = m_Events->currentEvent;
        }
        if (!FireEvent(*this, event))
            return false;
    }
    LogLine(L"CHECKING EVENTS FINISHED");
    if (m_IsPbem && tellMainLoop) {
        g_PbemEventCheckDone = true;
        // The main loop ends the turn once it sees the flag.
        Presentation().WakeMainLoop();
    }
    return true;
}
