// The manager's side of the event check: which event is due next, the computer's choice
// of an option, the firing of an option, and the events forced from the cheats dialog.
#include <algorithm>
#include <limits>

#include "core/lock.h"
#include "core/log.h"
#include "core/random.h"
#include "events/events.h"
#include "game/game.h"
#include "world/country.h"

bool cZdarzenia::FindNextEventToFire()
{
    LogLine(L"NEW ITERATION FOR EVENTS...");
    if (!g_Gra)
        return false;
    const sGameDate date = g_Gra->GetGameDate();
    if (firedThisCheck.size() != events.size())
        firedThisCheck.assign(events.size(), false);
    for (size_t i = 0; i < events.size(); ++i) {
        cZdarzenie& event = events[i];
        const bool known = event.eventID >= 0 && size_t(event.eventID) < checkedFlags.size();
        const cPanstwo* country = GetCountry(event.countryID);
        if (!country) {
            // A script's bad country id must not end a game in its middle: the event is left out,
            // said once per check, not once per search.
            if (known && !checkedFlags[size_t(event.eventID)])
                LogLine(L"ERROR: event %i belongs to country %i, which does not exist; it is never checked",
                        event.eventID, event.countryID);
            if (known)
                checkedFlags[size_t(event.eventID)] = true;
            continue;
        }
        if (!country->IsActive || firedThisCheck[i])
            continue;
        if (g_Gra->m_IsPbem && event.enableInPbem == 0 && country->PBEMPlayerId > 0)
            continue;
        if (event.oneTimeChecking != 0 && known && checkedFlags[size_t(event.eventID)])
            continue;
        LogLine(L"Checking event %d", event.eventID);
        if (known)
            checkedFlags[size_t(event.eventID)] = true;
        if (!event.IsDateInRange(date)) {
            LogLine(L"Event %i: Current date is outside date range for event", event.eventID);
            LogLine(L"Event checked with no luck");
            continue;
        }
        if (!event.condition.Evaluate()) {
            LogLine(L"Condition for event with ID=%i is false.", event.eventID);
            LogLine(L"Event checked with no luck");
            continue;
        }
        LogLine(L"Condition for event with ID=%i is true. Firing...", event.eventID);
        // Passed over until the next check: an event whose condition stays true after it fired
        // would otherwise fire again and again within one check.
        firedThisCheck[i] = true;
        currentEvent = event;
        return true;
    }
    LogLine(L"New event search iteration ended with no results");
    return false;
}

bool cZdarzenia::ForceEventById(int32_t id)
{
    GLOBAL_LOCK_SCOPE();
    LogLine(L"USER FORCED FIRING OF EVENT ID=%i. Searching for this event...", id);
    const bool found = std::any_of(events.begin(), events.end(), [id](const cZdarzenie& e) { return e.eventID == id; });
    if (!found) {
        LogLine(L"Event was not found!");
        return false;
    }
    LogLine(L"Event found! Returning...");
    // Queued rather than made current: the next check would replace the current event before
    // reading it, and the forced event's effects run on the opponent's thread like the others.
    {
        std::lock_guard<std::mutex> guard(m_ForcedMutex);
        m_ForcedIds.push_back(id);
    }
    WakeWaitingThreads();
    return true;
}

bool cZdarzenia::HasForcedEvents() const
{
    std::lock_guard<std::mutex> guard(m_ForcedMutex);
    return !m_ForcedIds.empty();
}

bool cZdarzenia::TakeForcedEvent(cZdarzenie& event)
{
    int32_t id = 0;
    {
        std::lock_guard<std::mutex> guard(m_ForcedMutex);
        if (m_ForcedIds.empty())
            return false;
        id = m_ForcedIds.front();
        m_ForcedIds.pop_front();
    }
    auto it = std::find_if(events.begin(), events.end(), [id](const cZdarzenie& e) { return e.eventID == id; });
    if (it == events.end())
        return false;
    currentEvent = *it;
    event = *it;
    return true;
}

int32_t cZdarzenie::ChooseOptionByAIChance() const
{
    // A negative weight counts as none: an option without chanceAI (-1) would otherwise take
    // that much from the chance of the option after it.
    int64_t total = 0;
    for (const cEventOption& option : options)
        total += std::max(option.chanceAI, 0);
    if (total <= 0) {
        LogLine(L"Event %i: the computer chances of its %i options add up to 0; no option is chosen", eventID,
                int(options.size()));
        return -1;
    }
    const int draw = RandomInt(1, int(std::min<int64_t>(total, std::numeric_limits<int32_t>::max())));
    int64_t previous = 0;
    for (size_t k = 0; k < options.size(); ++k) {
        const int64_t running = previous + std::max(options[k].chanceAI, 0);
        if (previous < draw && draw <= running)
            return int32_t(k + 1);
        previous = running;
    }
    return -1;
}

bool cZdarzenie::FireOption(int32_t position) const
{
    if (position < 1 || size_t(position) > options.size())
        return false;
    if (g_Gra && g_Gra->m_Events)
        g_Gra->m_Events->messages.clear();
    for (const cEventEffect& effect : options[size_t(position - 1)].effects)
        effect.Execute();
    return true;
}

void cZdarzenie::GetOptionTexts(int32_t position, std::wstring& text, std::wstring& tooltip) const
{
    if (position < 1 || size_t(position) > options.size())
        return;
    text = options[size_t(position - 1)].text;
    tooltip = options[size_t(position - 1)].tooltip;
}
