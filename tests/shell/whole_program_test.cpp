// The real program offscreen, driven as a player would drive it.
#include <gtest/gtest.h>

#include "platform/messages.h"
#include "tests/shell/program_driver.h"
#include "tests/test_support.h"

namespace {

using namespace testing_support;
using D = cProgramDriver;

TEST(WholeProgram, FromTheIntroThroughTheMainMenuToTheScenarioList)
{
    cProgramDriver driver;
    // Two seconds into the second movie (a frame every 50 ms).
    auto secondMovie = D::LogHas(L"Loading intro movie from dataintro2.avi [OK]");
    auto twoSeconds = D::AfterFrames(40);
    driver.ScreenshotWhen("intro_movie", [=]() mutable { return secondMovie() && twoSeconds(); })
        .Then("main menu", D::LogHas(L"----- Main Menu -----"), {}, 10000)
        .Then("settled", D::AfterFrames(30))
        .Screenshot("main_menu")
        .Then("start", [] { return true; }, [] { D::ClickControl(71); })
        .Then("scenario list", D::LogHas(L"----- SinglePlayer Menu -----"))
        .Then("settled", D::AfterFrames(30))
        .Screenshot("scenario_list");
    EXPECT_EQ(driver.Run(), 0);
}

} // namespace
