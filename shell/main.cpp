// The game's entry point. The program takes no options.
#include "core/fatal.h"
#include "core/lock.h"
#include "core/log.h"
#include "core/random.h"
#include "core/settings.h"
#include "core/stringbase.h"
#include "core/version.h"
#include "platform/clock.h"

int main()
{
    StartGlobalLock();
    LogLine(L"Running %s v%.2f", kGameName, kGameVersion);
    SeedRandom(uint32_t(GetCalendarSeconds()));
    LoadSettings();
    g_StringBase.Load("lang_LANGID.db", true);
    StopGlobalLock();
    return 0;
}
