// The computer opponent's pauses for a person who watches the screen.
#include <chrono>

#include "ai/ai_presentation.h"
#include "game/presentation.h"
#include "tests/game/testland_game.h"

namespace {

using namespace testland;
using Clock = std::chrono::steady_clock;

class cWatchedScreen : public cNullPresentation
{
public:
    bool HasScreen() const override { return true; }
};

class ComputerPauses : public TestlandGame
{
protected:
    ~ComputerPauses() override { SetPresentation(nullptr); }
    static double PauseSeconds(int ms)
    {
        const Clock::time_point start = Clock::now();
        PauseMsForPerson(ms);
        return std::chrono::duration<double>(Clock::now() - start).count();
    }
};

} // namespace

TEST_F(ComputerPauses, PauseOnlyWhereAPersonPlaysAndSeesAScreen)
{
    for (cPanstwo* c : game->m_Countries)
        c->HumanControlled = c->ID == kAlbion;
    // A headless game with a stand-in for the person (velmorant-tool play) must not sleep:
    // a minute's pause would hold the test for a minute.
    EXPECT_LT(PauseSeconds(60000), 30.0);
    cWatchedScreen screen;
    SetPresentation(&screen);
    // The pause counts whole milliseconds of the tick clock, so it may end up to 1 ms early.
    EXPECT_GE(PauseSeconds(50), 0.045);
    Country(kAlbion).HumanControlled = false;
    EXPECT_LT(PauseSeconds(60000), 30.0) << "a game of computers never pauses";
}
