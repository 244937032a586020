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
    SaveZoomSetting(0.75f);
    cIniFile saved;
    ASSERT_TRUE(saved.Load(dir / "Settings.ini"));
    EXPECT_EQ(saved.GetInt("MapDisplay/Zoom", 0), 75);
    for (const auto& row : g_DelayTable)
        EXPECT_TRUE(saved.HasKey(row.iniKey)) << row.iniKey;
    for (const char* key : {"Main/Fullscreen", "Main/FPSLimit", "UnitsDisplay/Skin", "Border/ColorA",
                            "Gameplay/FogOfWar", "InterfaceSettings/ConfirmEndTurn", "Audio/MusicVolume"})
        EXPECT_TRUE(saved.HasKey(key)) << key;
}

TEST_F(Settings, DerivedValues)
{
    WriteWholeFile(dir / "Settings.ini",
                   "[Main]\nFPSLimit=30\n[MapDisplay]\nZoom=75\n[InterfaceSettings]\nConfirmEndTurn=false\n"
                   "[Border]\nColorA=0\nColorR=256\nColorG=0\nColorB=0\n");
    LoadSettings(dir / "Settings.ini");
    EXPECT_EQ(g_UserSettings.FrameSleepMs(), 33);
    EXPECT_FLOAT_EQ(g_UserSettings.mapZoom, 0.75f);
    EXPECT_TRUE(g_UserSettings.skipEndTurnConfirmation);
    EXPECT_EQ(g_UserSettings.borderColor, 0x01000000u) << "a component above 255 spills over";
    g_UserSettings.fpsLimit = 1000;
    EXPECT_EQ(g_UserSettings.FrameSleepMs(), 1);
    g_UserSettings.fpsLimit = 1001;
    EXPECT_EQ(g_UserSettings.FrameSleepMs(), 0);
}

TEST_F(Settings, NonsenseValuesAreReplacedAndLogged)
{
    WriteWholeFile(dir / "Settings.ini",
                   "[Main]\nResolutionX=-5\nFPSLimit=-30\n[MapDisplay]\nZoom=banana\n[Audio]\nSFXVolume=900\n");
    LoadSettings(dir / "Settings.ini");
    EXPECT_EQ(g_UserSettings.resolutionX, 1024);
    EXPECT_EQ(g_UserSettings.FrameSleepMs(), 0);
    EXPECT_FLOAT_EQ(g_UserSettings.mapZoom, 1.0f);
    EXPECT_FLOAT_EQ(g_UserSettings.sfxVolume, 1.0f);
    EXPECT_TRUE(testing_support::LogContains(
        L"Settings: Main/FPSLimit = -30 is out of range (0 to 1000000), using 0"));
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
