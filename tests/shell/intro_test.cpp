// The intro: the logos' timing and fade, a skip that ends both, and missing movies that
// leave the way to the main menu open.
#include <gtest/gtest.h>

#include "platform/clock.h"
#include "platform/messages.h"
#include "shell/menus/intro.h"
#include "shell/menus/main_menu.h"
#include "tests/shell/program_driver.h"
#include "tests/test_support.h"

namespace {

using namespace testing_support;
using D = cProgramDriver;

int Grey(tColor c) { return int(c & 0xFF); }

TEST(Intro, EachLogoFadesInHoldsAndFadesOutAndLastsEightSeconds)
{
    cProgramDriver driver; // the game folder: the last logo opens the main menu
    g_LogoSequence = sLogoSequence{};
    RunLogoSequence(nullptr, 0, 0);
    ASSERT_EQ(g_LogoSequence.stage, 1);
    EXPECT_EQ(g_LogoSequence.fade, 0xFF000000u);
    const struct
    {
        int ms;
        int grey;
    } fade[] = {{1000, 100}, {2540, 254}, {2550, 254}, {3000, 254}, {5000, 254},
                {6000, 155}, {7540, 1},    {7550, 1},    {7600, 1},    {8000, 1}};
    int at = 0;
    for (const auto& point : fade) {
        AdvanceVirtualClock(point.ms - at);
        at = point.ms;
        RunLogoSequence(nullptr, 0, 0);
        EXPECT_EQ(Grey(g_LogoSequence.fade), point.grey) << point.ms << " ms";
        EXPECT_EQ(g_LogoSequence.stage, 1) << point.ms << " ms";
    }
    AdvanceVirtualClock(1);
    RunLogoSequence(nullptr, 0, 0);
    EXPECT_EQ(g_LogoSequence.stage, 2);
    EXPECT_EQ(Grey(g_LogoSequence.fade), 0);
}

TEST(Intro, AClickDuringTheFirstLogoEndsBothAtTheNextFrame)
{
    cProgramDriver driver;
    driver.Then("first logo", [] { return g_LogoSequence.stage == 1; }, [] { D::Click(10, 10); })
        .Then("main menu at once", [] { return true; },
              [] {
                  EXPECT_TRUE(LogContains(L"----- Main Menu -----"));
                  EXPECT_NE(dynamic_cast<cMainMenu*>(g_CurrentMenu), nullptr);
              });
    EXPECT_EQ(driver.Run(), 0);
}

TEST(Intro, MissingMoviesAreLoggedAndTheMainMenuStillOpens)
{
    cProgramDriver driver({}, {"intro.avi", "intro2.avi", "intro3.avi"});
    driver.Then("main menu", D::LogHas(L"----- Main Menu -----"), {}, 3000);
    EXPECT_EQ(driver.Run(), 0);
    EXPECT_TRUE(LogHasInOrder({L"-----Could not open video file: data\\intro.avi",
                               L"Loading intro movie from dataintro.avi [FAILED]",
                               L"Loading intro movie from dataintro2.avi [FAILED]",
                               L"Loading intro movie from dataintro3.avi [FAILED]", L"----- Main Menu -----"}));
}

TEST(Intro, EscapeOrAClickStopsAMovieAtTheNextPoll)
{
    cProgramDriver driver;
    driver.Then("first movie", D::LogHas(L"Loading intro movie from dataintro.avi [OK]"),
                [] { D::PressKey(VK_ESCAPE); })
        .Then("second movie at once", D::LogHas(L"Loading intro movie from dataintro2.avi [OK]"), {}, 2)
        .Then("click", [] { return true; }, [] { D::Click(100, 100); })
        .Then("third movie at once", D::LogHas(L"Loading intro movie from dataintro3.avi [OK]"), {}, 2);
    EXPECT_EQ(driver.Run(), 0);
}

} // namespace
