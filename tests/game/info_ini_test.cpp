#include <gtest/gtest.h>

#include <filesystem>

#include "core/fatal.h"
#include "core/ini.h"
#include "core/version.h"
#include "game/game.h"
#include "game/save_files.h"
#include "platform/paths.h"
#include "tests/test_support.h"

namespace {

using testing_support::WriteFile;

TEST(InfoIni, ReadsWhereTheGameStands)
{
    WriteFile("data/save/S1/Info.ini", "[Save]\nImpulse=2\nGameMonth=6\nGameYear=1940\nScenarioName=Europe\nTurn=30\n"
                                 "GameDay=11\nGameVersion=1.03\n[Duration]\nTurns=100\n"
                                 "[Map]\nSmallUnitsSize=6\nLargeUnitsSize=7\n");
    cGra game(sGameLoadRequest::ForSave(L"S1"), 1);
    game.ReadInfoIni(sGameLoadRequest::ForSave(L"S1"));
    EXPECT_EQ(game.m_Date[0], 2);
    EXPECT_EQ(game.m_Date[1], 6);
    EXPECT_EQ(game.m_Date[2], 1940);
    EXPECT_EQ(game.m_ScenarioName, L"Europe");
    EXPECT_EQ(game.m_ScenarioFolderPattern, L"data\\scenarios\\Europe\\%s");
    EXPECT_EQ(game.m_Turn, 30);
    EXPECT_EQ(game.m_TurnsLeft, 70);
    EXPECT_FLOAT_EQ(game.m_SaveGameVersion, 1.03f);
    EXPECT_EQ(game.m_DisplayedDate[0], 11);
    EXPECT_EQ(game.m_DisplayedDate[1], 6);
    EXPECT_EQ(game.m_DisplayedDate[2], 1940);
    EXPECT_FALSE(game.m_IsPbem);
    EXPECT_EQ(game.m_PbemGameName, L"unknown");
    EXPECT_EQ(game.m_SmallUnitsSize, 5);
    EXPECT_EQ(game.m_LargeUnitsSize, 1);
}

TEST(InfoIni, SavesOfEveryVersionSinceTheFirstStillLoad)
{
    for (const char* version : {"0.10", "1.03", " 1.03b"}) {
        WriteFile("data/save/Old/Info.ini", std::string("[Save]\nScenarioName=Europe1939\nGameVersion=") + version + "\n");
        cGra game(sGameLoadRequest::ForSave(L"Old"), 1);
        game.ReadInfoIni(sGameLoadRequest::ForSave(L"Old"));
        EXPECT_TRUE(IsSaveVersionSupported(game.m_SaveGameVersion)) << version;
    }
    EXPECT_TRUE(IsSaveVersionSupported(kGameVersion));
    EXPECT_TRUE(IsSaveVersionSupported(1.0f)) << "a save without the key";
    EXPECT_FALSE(IsSaveVersionSupported(0.09f));
}

TEST(InfoIni, MissingKeysGiveTheDefaults)
{
    WriteFile("data/scenarios/None/Info.ini", "[Save]\nScenarioName=None\n");
    cGra game(sGameLoadRequest::ForScenario(L"None"), 0);
    game.ReadInfoIni(sGameLoadRequest::ForScenario(L"None"));
    EXPECT_EQ(game.m_Date[1], 0);
    EXPECT_EQ(game.m_TurnsLeft, 0);
    EXPECT_FLOAT_EQ(game.m_SaveGameVersion, 1.0f);
    EXPECT_EQ(game.m_DisplayedDate[0], 1);
    EXPECT_EQ(game.m_SmallUnitsSize, 0);
    EXPECT_EQ(game.m_LargeUnitsSize, 1);

    const std::pair<int, int> sizes[] = {{1, 0}, {2, 1}, {6, 5}, {7, 0}};
    for (auto [value, expected] : sizes) {
        WriteFile("data/scenarios/Sizes/Info.ini", "[Save]\nScenarioName=Sizes\n[Map]\nSmallUnitsSize=" +
                                                     std::to_string(value) + "\nLargeUnitsSize=" +
                                                     std::to_string(value) + "\n");
        game.ReadInfoIni(sGameLoadRequest::ForScenario(L"Sizes"));
        EXPECT_EQ(game.m_SmallUnitsSize, expected) << value;
        EXPECT_EQ(game.m_LargeUnitsSize, expected == 0 ? 1 : expected) << value;
    }
    // A size that is no number draws the units as a wrong one does, and the game goes on.
    WriteFile("data/scenarios/Sizes/Info.ini",
              "[Save]\nScenarioName=Sizes\n[Map]\nSmallUnitsSize=big\nLargeUnitsSize=3x\n");
    game.ReadInfoIni(sGameLoadRequest::ForScenario(L"Sizes"));
    EXPECT_EQ(game.m_SmallUnitsSize, 0);
    EXPECT_EQ(game.m_LargeUnitsSize, 1);
    EXPECT_TRUE(testing_support::LogContains(
        L"WARNING: data\\scenarios\\Sizes\\Info.ini, line 5 (Map/LargeUnitsSize): \"3x\" is not a whole number; taken as 2"));
}

TEST(InfoIni, ScenarioNameMustNameAFolder)
{
    for (const char* name : {"..", "..\\..\\x", "a/b"}) {
        WriteFile("data/save/Bad/Info.ini", std::string("[Save]\nScenarioName=") + name + "\n");
        cGra game(sGameLoadRequest::ForSave(L"Bad"), 1);
        EXPECT_THROW(game.ReadInfoIni(sGameLoadRequest::ForSave(L"Bad")), sFatalExit) << name;
    }
}

TEST(InfoIni, SaveCarriesTheScenarioKeysAndThePbemPlayers)
{
    WriteFile("data/scenarios/Europe/Info.ini", "[General_ENG]\nName=Europe 1939\n[Duration]\nTurns=200\n"
                                          "[Save]\nScenarioName=Europe\n");
    cGra game(sGameLoadRequest::ForScenario(L"Europe"), 0);
    game.ReadInfoIni(sGameLoadRequest::ForScenario(L"Europe"));
    game.m_Date[0] = 3;
    game.m_Date[1] = 11;
    game.m_Date[2] = 1942;
    game.m_Turn = 40;
    // The first turn of a scenario that starts on October's last impulse shows its day.
    game.m_DisplayedDate[0] = 21;
    game.m_DisplayedDate[1] = 10;
    game.m_DisplayedDate[2] = 1942;
    game.m_IsPbem = true;
    game.m_PbemGameName = L"Friday game";
    game.m_PbemPlayers = {{1, L"Anna", L"anna@example.org"}, {2, L"Ben", L"ben@example.org"},
                          {3, L"Cleo", L"cleo@example.org"}};
    std::filesystem::create_directories("data/save/Mine");
    game.WriteSaveInfoIni(L"data\\save\\Mine");

    cIniFile ini;
    ASSERT_TRUE(ini.Load("data/save/Mine/Info.ini"));
    EXPECT_EQ(*ini.Find("General_ENG/Name"), L"Europe 1939");
    EXPECT_EQ(*ini.Find("Save/GameYearDisplayed"), L"1942");
    EXPECT_EQ(ini.Find("Save/Date")->size(), 14u);

    cGra back(sGameLoadRequest::ForSave(L"Mine"), 1);
    back.ReadInfoIni(sGameLoadRequest::ForSave(L"Mine"));
    EXPECT_EQ(back.m_Date[0], 3);
    EXPECT_EQ(back.m_Date[1], 11);
    EXPECT_EQ(back.m_Date[2], 1942);
    EXPECT_EQ(back.m_Turn, 40);
    EXPECT_EQ(back.m_TurnsLeft, 160);
    EXPECT_EQ((std::vector<int>{back.m_DisplayedDate[0], back.m_DisplayedDate[1], back.m_DisplayedDate[2]}),
              (std::vector<int>{21, 10, 1942}));
    EXPECT_TRUE(back.m_IsPbem);
    EXPECT_EQ(back.m_PbemGameName, L"Friday game");
    EXPECT_EQ(back.m_PbemPlayers, game.m_PbemPlayers);

    // A gap ends the list. The game's name keeps 199 characters, a player's name 99.
    const std::string longName(250, 'n');
    WriteFile("data/save/Gap/Info.ini", "[Save]\nScenarioName=Europe\nPBEMGameName=" + longName +
                                            "\nPBEMPlayer1Name=" + longName +
                                            "\nPBEMPlayer1Email=a\nPBEMPlayer3Name=C\nPBEMPlayer3Email=c\n");
    back.ReadInfoIni(sGameLoadRequest::ForSave(L"Gap"));
    ASSERT_EQ(back.m_PbemPlayers.size(), 1u);
    EXPECT_EQ(back.m_PbemPlayers[0].name, std::wstring(99, L'n'));
    EXPECT_EQ(back.m_PbemGameName, std::wstring(199, L'n'));

    // The scenario's own file is never written by a save.
    const auto before = ReadWholeFile("data/scenarios/Europe/Info.ini");
    EXPECT_THROW(game.WriteSaveInfoIni(L"data\\scenarios\\Europe"), sFatalExit);
    EXPECT_EQ(ReadWholeFile("data/scenarios/Europe/Info.ini"), before);
}

} // namespace

namespace {

TEST(SaveFiles, NothingIsWrittenIntoAScenarioFolder)
{
    EXPECT_TRUE(IsInScenarioFolder(L"data\\scenarios\\Europe\\flags.txt"));
    EXPECT_TRUE(IsInScenarioFolder(L"data\\save\\..\\scenarios\\Europe\\flags.txt"));
    EXPECT_TRUE(IsInScenarioFolder(L"data\\scenarios"));
    EXPECT_FALSE(IsInScenarioFolder(L"data\\save\\Europe\\flags.txt"));
    EXPECT_FALSE(IsInScenarioFolder(L"data\\scenarios_old\\flags.txt"));
    std::filesystem::create_directories("data/scenarios/Europe");
    EXPECT_FALSE(WriteSaveFile(L"data\\scenarios\\Europe\\flags.txt", "x"));
    EXPECT_FALSE(std::filesystem::exists("data/scenarios/Europe/flags.txt"));
    EXPECT_THROW(SaveFlags(L"data\\scenarios\\Europe", EventFlags{}), sFatalExit);
}

} // namespace
