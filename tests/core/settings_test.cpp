#include <gtest/gtest.h>

#include "core/lock.h"
#include "core/settings.h"
#include "platform/paths.h"
#include "tests/test_support.h"

namespace {

class Settings : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetSettingsToDefaults();
        dir = testing_support::MakeScratchDir("settings");
    }
    // No later test meets the values these leave behind.
    void TearDown() override { ResetSettingsToDefaults(); }
    std::filesystem::path dir;
};

TEST_F(Settings, MissingFileKeepsDefaultsAndIsNeverCreated)
{
    LoadSettings(dir / "Settings.ini");
    EXPECT_EQ(g_UserSettings.resolutionX, 1024);
    EXPECT_EQ(g_UserSettings.FrameSleepMs(), 0);
    EXPECT_EQ(g_UserSettings.borderColor, 0xFFFFFFFFu);
    EXPECT_EQ(g_DelayValues[DELAY_AI_MOVE_BEFORE], 1000.0f);
    // Without the file the map shows neither whose each hex is nor the lines between countries.
    EXPECT_EQ(g_UserSettings.ownershipMode, 0);
    EXPECT_EQ(g_UserSettings.borderMode, 0);
    SaveZoomSetting(0.5f);
    EXPECT_FALSE(FileExists(dir / "Settings.ini"));
}

TEST_F(Settings, PartialFileTakesDefaultsAndTheNextSaveWritesEveryKey)
{
    WriteWholeFile(dir / "Settings.ini", "[Main]\nResolutionX=800\n[Delay]\nAIMoveBefore=-1\nHumanCombatResult=0\n");
    LoadSettings(dir / "Settings.ini");
    EXPECT_EQ(g_UserSettings.resolutionX, 800);
    EXPECT_EQ(g_UserSettings.resolutionY, 768);
    EXPECT_EQ(g_DelayValues[DELAY_AI_MOVE_BEFORE], -1.0f);
    EXPECT_EQ(g_DelayValues[DELAY_HUMAN_COMBAT_RESULT], 0.0f);
    EXPECT_EQ(g_DelayValues[DELAY_HUMAN_MOVE_BETWEEN], 1000.0f);
    // Rounded up to a whole percent, but a float's last bits never add one.
    for (const auto& [zoom, percent] : std::vector<std::pair<float, int>>{{0.333f, 34}, {0.1f, 10}, {0.75f, 75}}) {
        SaveZoomSetting(zoom);
        cIniFile again;
        ASSERT_TRUE(again.Load(dir / "Settings.ini"));
        EXPECT_EQ(again.GetInt("MapDisplay/Zoom", 0), percent) << zoom;
    }
    cIniFile saved;
    ASSERT_TRUE(saved.Load(dir / "Settings.ini"));
    for (const auto& row : g_DelayTable)
        EXPECT_TRUE(saved.HasKey(row.iniKey)) << row.iniKey;
    for (const char* key : {"Main/Fullscreen", "Main/FPSLimit", "UnitsDisplay/Skin", "Border/ColorA",
                            "Gameplay/FogOfWar", "InterfaceSettings/ConfirmEndTurn", "Audio/MusicVolume"})
        EXPECT_TRUE(saved.HasKey(key)) << key;
    EXPECT_FALSE(saved.HasKey("Debug/TraceLock")) << "a file without the lock's switch is saved without it";
}

TEST_F(Settings, DerivedValues)
{
    WriteWholeFile(dir / "Settings.ini",
                   "[Main]\nFPSLimit=30\n[MapDisplay]\nZoom=75\n[InterfaceSettings]\nConfirmEndTurn=false\n"
                   "[Border]\nColorA=0\nColorR=256\nColorG=0\nColorB=0\n[Debug]\nTraceLock=yes\n");
    LoadSettings(dir / "Settings.ini");
    EXPECT_EQ(g_UserSettings.FrameSleepMs(), 33);
    EXPECT_FLOAT_EQ(g_UserSettings.mapZoom, 0.75f);
    EXPECT_TRUE(g_UserSettings.skipEndTurnConfirmation);
    EXPECT_EQ(g_UserSettings.borderColor, 0x01000000u) << "a component above 255 spills over";
    EXPECT_TRUE(g_TraceGlobalLock);
    g_UserSettings.fpsLimit = 1000;
    EXPECT_EQ(g_UserSettings.FrameSleepMs(), 1);
    g_UserSettings.fpsLimit = 1001;
    EXPECT_EQ(g_UserSettings.FrameSleepMs(), 0);
}

TEST_F(Settings, ValuesAreTakenAsTheyStandUnlessTheyBreakTheirUser)
{
    WriteWholeFile(dir / "Settings.ini",
                   "[Main]\nResolutionX=-5\nFPSLimit=-30\n[MapDisplay]\nZoom=banana\n[Audio]\nSFXVolume=900\n"
                   "MusicVolume=-7\n[InterfaceSettings]\nSeaBattleTimeout=-4\n");
    LoadSettings(dir / "Settings.ini");
    EXPECT_EQ(g_UserSettings.resolutionX, -5) << "no layout has that size: the start-up stops there";
    EXPECT_EQ(g_UserSettings.FrameSleepMs(), 0);
    EXPECT_FLOAT_EQ(g_UserSettings.mapZoom, 0.0f);
    EXPECT_EQ(g_UserSettings.seaBattleTimeout, -4);
    EXPECT_FLOAT_EQ(g_UserSettings.sfxVolume, 1.0f);
    EXPECT_FLOAT_EQ(g_UserSettings.musicVolume, 0.0f);
    EXPECT_TRUE(testing_support::LogContains(
        L"Settings: Main/FPSLimit = -30 is out of range (0 to 2147483647), using 0"));
}

TEST_F(Settings, ShippedDefaultFileHoldsEveryKeyWithItsDefault)
{
    cIniFile shipped;
    ASSERT_TRUE(shipped.Load(testing_support::SourceDir() / "data" / "Settings.ini"));
    std::string before = shipped.BuildText();
    std::filesystem::copy_file(testing_support::SourceDir() / "data" / "Settings.ini", dir / "Settings.ini");
    LoadSettings(dir / "Settings.ini");
    EXPECT_EQ(g_Settings.BuildText(), before) << "a key the game reads is missing from data/Settings.ini";
    // The shipped file shows countries in their colours and the lines between them from the start.
    EXPECT_EQ(g_UserSettings.ownershipMode, 1);
    EXPECT_EQ(g_UserSettings.borderMode, 1);
    EXPECT_FALSE(g_TraceGlobalLock);
}

} // namespace
