// The main menu: the credits with and without their movie, the preferences screen, exit.
#include <gtest/gtest.h>

#include "platform/messages.h"
#include "shell/menus/main_menu.h"
#include "shell/menus/settings_menu.h"
#include "tests/shell/program_driver.h"
#include "tests/test_support.h"

namespace {

using namespace testing_support;
using D = cProgramDriver;

enum
{
    IDC_START = 71,
    IDC_PREFERENCES = 72,
    IDC_CREDITS = 73,
    IDC_EXIT = 74,
};

void OpenMainMenu() { g_CurrentMenu = new cMainMenu; }
bool MainMenuShown()
{
    auto* menu = dynamic_cast<cMainMenu*>(g_CurrentMenu);
    return menu && menu->GetVisible();
}

TEST(MainMenu, TheCreditsPlayWithTheirMusicUntilEscapeAndTheMenuComesBack)
{
    cProgramDriver driver;
    // Halfway through the roll.
    auto credits = D::LogHas(L"Loading credits movie from datacredits.avi [OK]");
    auto later = D::AfterFrames(140);
    driver.StartWith(OpenMainMenu)
        .Then("menu", MainMenuShown, [] { D::ClickControl(IDC_CREDITS); })
        .ScreenshotWhen("credits_movie", [=]() mutable { return credits() && later(); })
        .Then("during the credits", [] { return true; },
              [] {
                  EXPECT_FALSE(dynamic_cast<cMainMenu*>(g_CurrentMenu)->GetVisible());
                  D::PressKey(VK_ESCAPE);
              })
        .Then("menu again", MainMenuShown, {}, 100)
        .Then("exit", [] { return true; }, [] { D::ClickControl(IDC_EXIT); });
    EXPECT_EQ(driver.Run(), 0);
}

TEST(MainMenu, WithoutTheCreditsMovieTheMenuHidesAndShowsAgainAtOnce)
{
    cProgramDriver driver({}, {"credits.avi"});
    driver.StartWith(OpenMainMenu)
        .Then("menu", MainMenuShown, [] { D::ClickControl(IDC_CREDITS); })
        .Then("menu again", MainMenuShown, {}, 2);
    EXPECT_EQ(driver.Run(), 0);
    EXPECT_TRUE(LogHasInOrder({L"-----Could not open video file: data\\credits.avi",
                               L"Loading credits movie from datacredits.avi [FAILED]"}));
}

TEST(MainMenu, PreferencesOpenTheirScreen)
{
    cProgramDriver driver;
    driver.StartWith(OpenMainMenu)
        .Then("menu", MainMenuShown, [] { D::ClickControl(IDC_PREFERENCES); })
        .Then("preferences", [] { return dynamic_cast<cSettingsMenu*>(g_CurrentMenu) != nullptr; })
        .Then("settled", D::AfterFrames(20))
        .Screenshot("preferences_screen");
    EXPECT_EQ(driver.Run(), 0);
    EXPECT_TRUE(LogStartsWith(L"Loading file \"data\\gfx\\[MapSkin]Normal\\others.png\""));
}

} // namespace
