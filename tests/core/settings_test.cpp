#include <gtest/gtest.h>

#include <functional>

#include "core/format.h"
#include "core/lock.h"
#include "core/settings.h"
#include "core/text.h"
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
    WriteWholeFile(dir / "Settings.ini", "[Main]\nResolutionX=800\n[Delay]\nAICombatResult=-1\nHumanCombatResult=0\n");
    LoadSettings(dir / "Settings.ini");
    EXPECT_EQ(g_UserSettings.resolutionX, 800);
    EXPECT_EQ(g_UserSettings.resolutionY, 768);
    EXPECT_EQ(g_DelayValues[DELAY_AI_COMBAT_RESULT], -1.0f);
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
                   "[Border]\nColorA=0\nColorR=255\nColorG=0\nColorB=1\n[Debug]\nTraceLock=yes\n");
    LoadSettings(dir / "Settings.ini");
    EXPECT_EQ(g_UserSettings.FrameSleepMs(), 33);
    EXPECT_FLOAT_EQ(g_UserSettings.mapZoom, 0.75f);
    EXPECT_TRUE(g_UserSettings.skipEndTurnConfirmation);
    EXPECT_EQ(g_UserSettings.borderColor, 0x00FF0001u);
    EXPECT_TRUE(g_TraceGlobalLock);
    g_UserSettings.fpsLimit = 1000;
    EXPECT_EQ(g_UserSettings.FrameSleepMs(), 1);
    g_UserSettings.fpsLimit = 1001;
    EXPECT_EQ(g_UserSettings.FrameSleepMs(), 0);
}

// A value typed into the file that is not of its key's kind or lies outside what the game
// offers takes the key's default, says so in the log and is mended in the store; a skin is
// a folder of data/gfx, never a path.
TEST_F(Settings, AValueNotOfItsKindOrBeyondItsRangeTakesItsDefaultWithALogLine)
{
    std::filesystem::create_directories("data/gfx/[MapSkin]Winter");
    auto number = [](auto value) { return FormatText(L"%i", int(value)); };
    auto yesNo = [](bool value) { return std::wstring(value ? L"true" : L"false"); };
    const sUserSettings& s = g_UserSettings;
    struct sHostile
    {
        const char* key;
        const char* typed;
        std::function<std::wstring()> inForce;
        const wchar_t* logged;
    };
    const sHostile rows[] = {
        {"Main/ResolutionX", "wide", [&] { return number(s.resolutionX); },
         L"Settings: Main/ResolutionX = \"wide\" is not a whole number, using 1024"},
        {"Main/ResolutionY", "-5", [&] { return number(s.resolutionY); },
         L"Settings: Main/ResolutionY = -5 is out of range (1 to 2147483647), using 768"},
        {"Main/Fullscreen", "True", [&] { return yesNo(s.fullscreen); },
         L"Settings: Main/Fullscreen = \"True\" is neither true nor false, using false"},
        {"Main/FPSLimit", "-30", [&] { return number(s.fpsLimit); },
         L"Settings: Main/FPSLimit = -30 is out of range (0 to 2147483647), using 0"},
        {"UnitsDisplay/ShowName", "1", [&] { return yesNo(s.showUnitName); },
         L"Settings: UnitsDisplay/ShowName = \"1\" is neither true nor false, using true"},
        {"UnitsDisplay/Skin", "Winter", [&] { return s.unitsSkin; },
         L"Settings: UnitsDisplay/Skin = \"Winter\" is not a skin of data\\gfx, using Counters"},
        {"UnitsDisplay/DynamicAppearance", "on", [&] { return yesNo(s.dynamicAppearance); },
         L"Settings: UnitsDisplay/DynamicAppearance = \"on\" is neither true nor false, using true"},
        // Paths to a folder that exists: only the name's check refuses them.
        {"MapDisplay/Skin", "Winter/.", [&] { return s.mapSkin; },
         L"Settings: MapDisplay/Skin = \"Winter/.\" is not a skin of data\\gfx, using Normal"},
        {"MapDisplay/Skin", "Winter/../[MapSkin]Winter", [&] { return s.mapSkin; },
         L"Settings: MapDisplay/Skin = \"Winter/../[MapSkin]Winter\" is not a skin of data\\gfx, using Normal"},
        {"MapDisplay/Skin", "Winter/../../gfx/[MapSkin]Winter", [&] { return s.mapSkin; },
         L"Settings: MapDisplay/Skin = \"Winter/../../gfx/[MapSkin]Winter\" is not a skin of data\\gfx, using Normal"},
        {"MapDisplay/Zoom", "banana", [&] { return number(g_MapZoom * 100.0f); },
         L"Settings: MapDisplay/Zoom = \"banana\" is not a whole number, using 100"},
        {"MapDisplay/ShowGrid", "TRUE", [&] { return yesNo(s.showGrid); },
         L"Settings: MapDisplay/ShowGrid = \"TRUE\" is neither true nor false, using true"},
        {"MapDisplay/ShowCityName", "", [&] { return yesNo(s.showCityName); },
         L"Settings: MapDisplay/ShowCityName = \"\" is neither true nor false, using true"},
        {"MapDisplay/ShowAPLeft", "y", [&] { return yesNo(s.showAPLeft); },
         L"Settings: MapDisplay/ShowAPLeft = \"y\" is neither true nor false, using true"},
        {"MapDisplay/ShowWeather", "off", [&] { return yesNo(s.showWeather); },
         L"Settings: MapDisplay/ShowWeather = \"off\" is neither true nor false, using true"},
        {"MapDisplay/ShowSeaZoneName", "-1", [&] { return yesNo(s.showSeaZoneName); },
         L"Settings: MapDisplay/ShowSeaZoneName = \"-1\" is neither true nor false, using true"},
        {"MapDisplay/OwnershipMode", "4", [&] { return number(s.ownershipMode); },
         L"Settings: MapDisplay/OwnershipMode = 4 is out of range (0 to 3), using 0"},
        {"MapDisplay/Mode", "-1", [&] { return number(s.mapMode); },
         L"Settings: MapDisplay/Mode = -1 is out of range (0 to 3), using 0"},
        {"Border/Mode", "3", [&] { return number(s.borderMode); },
         L"Settings: Border/Mode = 3 is out of range (0 to 2), using 0"},
        {"Border/ShowSeaZonesBorders", "yes please", [&] { return yesNo(s.showSeaZonesBorders); },
         L"Settings: Border/ShowSeaZonesBorders = \"yes please\" is neither true nor false, using true"},
        // A component above 255 would spill into the next one: alpha 1, a border hardly drawn.
        {"Border/ColorR", "256", [&] { return FormatText(L"%x", s.borderColor); },
         L"Settings: Border/ColorR = 256 is out of range (0 to 255), using 255"},
        {"Border/ColorA", "-1", [&] { return FormatText(L"%x", s.borderColor); },
         L"Settings: Border/ColorA = -1 is out of range (0 to 255), using 255"},
        {"Border/ColorG", "0x80", [&] { return FormatText(L"%x", s.borderColor); },
         L"Settings: Border/ColorG = \"0x80\" is not a whole number, using 255"},
        {"Border/ColorB", "12.5", [&] { return FormatText(L"%x", s.borderColor); },
         L"Settings: Border/ColorB = \"12.5\" is not a whole number, using 255"},
        {"Gameplay/FogOfWar", "5 hexes", [&] { return number(s.fogOfWar); },
         L"Settings: Gameplay/FogOfWar = \"5 hexes\" is not a whole number, using 0"},
        {"Gameplay/ShowAlliesActions", "0", [&] { return yesNo(s.showAlliesActions); },
         L"Settings: Gameplay/ShowAlliesActions = \"0\" is neither true nor false, using true"},
        {"MinimapDisplay/OwnershipMode", "9", [&] { return number(s.minimapOwnershipMode); },
         L"Settings: MinimapDisplay/OwnershipMode = 9 is out of range (0 to 3), using 0"},
        {"InterfaceSettings/ConfirmEndTurn", "ask", [&] { return yesNo(!s.skipEndTurnConfirmation); },
         L"Settings: InterfaceSettings/ConfirmEndTurn = \"ask\" is neither true nor false, using true"},
        {"InterfaceSettings/SeaBattleTimeout", "-4", [&] { return number(s.seaBattleTimeout); },
         L"Settings: InterfaceSettings/SeaBattleTimeout = -4 is out of range (0 to 2147483647), using 2"},
        {"Audio/SFXVolume", "loud", [&] { return number(s.sfxVolume * 100.0f); },
         L"Settings: Audio/SFXVolume = \"loud\" is not a whole number, using 100"},
        {"Audio/MusicVolume", "900", [&] { return number(s.musicVolume * 100.0f); },
         L"Settings: Audio/MusicVolume = 900 is out of range (0 to 100), using 100"},
        // Beyond an int: read as its largest, it made a hint wait 2147483.65 s, never shown.
        {"Delay/ControlHint", "99999999999999999999", [&] { return number(g_DelayValues[DELAY_CONTROL_HINT]); },
         L"Settings: Delay/ControlHint = \"99999999999999999999\" is not a whole number, using 1000"},
        {"Delay/AIMoveBefore", "-1", [&] { return number(g_DelayValues[DELAY_AI_MOVE_BEFORE]); },
         L"Settings: Delay/AIMoveBefore = -1 is out of range (0 to 14400000), using 1000"},
        // Past four hours a float of seconds no longer counts single milliseconds down.
        {"Delay/HumanCombatResult", "14400001", [&] { return number(g_DelayValues[DELAY_HUMAN_COMBAT_RESULT]); },
         L"Settings: Delay/HumanCombatResult = 14400001 is out of range (-2147483648 to 14400000), using 1000"},
        // The units window hidden for a deployment would never come back.
        {"Delay/HumanDeployAfter", "-500", [&] { return number(g_DelayValues[DELAY_HUMAN_DEPLOY_AFTER]); },
         L"Settings: Delay/HumanDeployAfter = -500 is out of range (0 to 14400000), using 1000"},
        {"Debug/TraceLock", "on", [&] { return yesNo(g_TraceGlobalLock); },
         L"Settings: Debug/TraceLock = \"on\" is neither true nor false, using false"},
    };
    for (const sHostile& row : rows) {
        SCOPED_TRACE(std::string(row.key) + " = " + row.typed);
        ResetSettingsToDefaults();
        testing_support::ClearLog();
        const std::wstring expected = row.inForce();
        const std::string key(row.key);
        const size_t slash = key.find('/');
        WriteWholeFile(dir / "Settings.ini", "[" + key.substr(0, slash) + "]\n" + key.substr(slash + 1) + " = " +
                                                 row.typed + "\n");
        LoadSettings(dir / "Settings.ini");
        EXPECT_EQ(row.inForce(), expected) << "the default";
        EXPECT_TRUE(testing_support::LogContains(row.logged)) << WideToUtf8(row.logged);
        // The file holds the default from its next save.
        const std::optional<std::wstring> stored = g_Settings.Find(key);
        EXPECT_TRUE(stored && *stored != Utf8ToWide(row.typed));
    }
    // A skin of data/gfx other than the default one, and values the game acts on as they are,
    // beyond the sliders too (a negative sight sees none, the wait for a click, four hours), stand.
    WriteWholeFile(dir / "Settings.ini", "[MapDisplay]\nSkin = Winter\nZoom = 250\n[Delay]\nAICombatResult = -5000\n"
                                         "HumanMoveBetween = 14400000\n[Gameplay]\nFogOfWar = -7\n[Audio]\nSFXVolume = 0\n"
                                         "[InterfaceSettings]\nSeaBattleTimeout = 3600\n");
    ResetSettingsToDefaults();
    testing_support::ClearLog();
    LoadSettings(dir / "Settings.ini");
    EXPECT_EQ(g_UserSettings.mapSkin, L"Winter");
    EXPECT_FLOAT_EQ(g_UserSettings.mapZoom, 2.5f);
    EXPECT_EQ(g_DelayValues[DELAY_AI_COMBAT_RESULT], -5000.0f);
    EXPECT_EQ(g_DelayValues[DELAY_HUMAN_MOVE_BETWEEN], 14400000.0f);
    EXPECT_EQ(g_UserSettings.fogOfWar, -7);
    EXPECT_EQ(g_Settings.GetInt("Gameplay/FogOfWar", 0), -7) << "saved as it stands";
    EXPECT_EQ(g_UserSettings.seaBattleTimeout, 3600);
    EXPECT_FLOAT_EQ(g_UserSettings.sfxVolume, 0.0f);
    EXPECT_FALSE(testing_support::LogStartsWith(L"Settings: "));
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
