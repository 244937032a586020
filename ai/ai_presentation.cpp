#include "ai/ai_presentation.h"

#include <cmath>
#include <string>

#include "core/lock.h"
#include "game/game.h"
#include "game/presentation.h"
#include "units/unit.h"
#include "world/world.h"

namespace {
bool PersonPlays()
{
    return g_Gra && g_Gra->HasHumanCountry();
}
} // namespace

bool IsShownToPerson(const cUnit* unit)
{
    return PersonPlays() && unit && g_World.units.isVisible(unit);
}

void PauseForPerson(eDelay delay)
{
    const int ms = int(std::lround(g_DelayValues[size_t(delay)]));
    if (ms <= 0 || !PersonPlays())
        return;
    // Every hold of the lock is given up for the pause and taken again after it.
    const int depth = GlobalLockDepthOfThisThread();
    for (int i = 0; i < depth; ++i)
        RELEASE_GLOBAL_LOCK();
    InterruptibleSleep(ms);
    for (int i = 0; i < depth; ++i)
        ACQUIRE_GLOBAL_LOCK();
}

void CenterForPerson(int x, int y)
{
    if (!PersonPlays())
        return;
    sPresentationRequest request;
    request.kind = eRequestKind::CenterCamera;
    request.x = x;
    request.y = y;
    Presentation().Post(std::move(request));
}

void InfoPanelForPerson(const std::wstring& text)
{
    if (!PersonPlays())
        return;
    sPresentationRequest request;
    request.kind = eRequestKind::InfoMessage;
    request.text = text;
    Presentation().Post(std::move(request));
}
