// Before each test, the program's globals go back to what a process that has just started
// holds: run in one process, a test must not find the settings, links, windows or framework
// state that the test before left.
#include "ai/ai_thread.h"
#include "core/lock.h"
#include "core/random.h"
#include "core/settings.h"
#include "dialogs/dialog_links.h"
#include "game/game.h"
#include "gui/gui_hooks.h"
#include "platform/clock.h"
#include "shell/startup.h"
#include "tests/test_support.h"
#include "world/world.h"

namespace testing_support {

void StartAsAFreshProgram()
{
    // The shell goes first: closing its window destroys a game left running; the
    // opponent's thread stops before a game left without a window is deleted.
    ResetShellState();
    ResetAIState();
    ResetGameState();
    ResetWorldLinks();
    ResetWindowsMemory();
    ResetGuiState();
    ResetSettingsToDefaults();
    SetPlayPaused(false);
    SetVirtualClock(false);
    ClearRandomScript();
    SeedRandom(1);
    SetOpponentRandomState(1);
}

} // namespace testing_support
