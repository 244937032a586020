// Saving: names, the folder put in place only when complete, and play-by-e-mail saves.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/fatal.h"
#include "core/format.h"
#include "core/ini.h"
#include "core/settings.h"
#include "core/text.h"
#include "core/version.h"
#include "core/stringbase.h"
#include "game/game.h"
#include "game/save_game.h"
#include "platform/paths.h"
#include "tests/game/testland.h"
#include "tests/test_support.h"
#include "tests/world/world_fixture.h"
#include "units/land_unit.h"
#include "units/naval_unit.h"
#include "world/country.h"
#include "world/sea_graph.h"

namespace fs = std::filesystem;

namespace {

class Saving : public ::testing::Test
{
protected:
    Saving()
    {
        testland::InstallTestland();
        // The game's texts (why a save failed), two of them replaced to be read here.
        LoadGameTexts();
        g_StringBase.LoadFromBytes(cStringBase::Encode(
            {{"save_game_successfull", L"Saved as %s."}, {"save_game_failed_%s_%s", L"Not saved as %s: %s."}}),
                                   true);
        SetPresentation(&screen);
        LoadGame(sGameLoadRequest::ForScenario(L"Testland"));
    }
    ~Saving() override
    {
        SetSaveFileWrittenHook(nullptr);
        DeleteGameObject();
        SetPresentation(nullptr);
    }
    static std::string Countries(const char* save)
    {
        auto bytes = ReadWholeFile(fs::path("data/save") / save / "countries.csv");
        return bytes ? *bytes : std::string();
    }
    static size_t EntriesIn(const char* folder)
    {
        std::error_code ec;
        return size_t(std::distance(fs::directory_iterator(folder, ec), fs::directory_iterator()));
    }

    testland::cRecordingPresentation screen;
};

} // namespace

TEST_F(Saving, AnInterruptedSaveLeavesThePreviousSaveAsItWas)
{
    ASSERT_TRUE(SaveGame(L"slot", true));
    const std::string before = Countries("slot");
    g_Gra->m_Countries[0]->Name = L"Albion Reborn";

    // The disk fills up after the land units were written.
    SetSaveFileWrittenHook([](const wchar_t* file) {
        if (std::wstring(file) == L"land_units.csv")
            FatalExit(1, L"Error opening file for writing");
    });
    EXPECT_FALSE(SaveGame(L"slot", false));
    EXPECT_EQ(Countries("slot"), before);
    EXPECT_EQ(EntriesIn("data/save"), 1u) << "nothing half-written is left beside the save";
    ASSERT_EQ(screen.messages.size(), 1u);
    // It says why: the first file that is not there.
    EXPECT_EQ(screen.messages[0], L"Save game: Not saved as slot: its file losses.csv could not be written.");
    ASSERT_NE(g_Gra, nullptr) << "the running game goes on";
    EXPECT_EQ(g_Gra->GetGameState(), 1);

    // A save that died between moving the old save aside and putting the new one in
    // place: the old one comes back before anything else happens.
    fs::rename("data/save/slot", "data/save/slot%old");
    EXPECT_FALSE(SaveGame(L"slot", true));
    EXPECT_EQ(Countries("slot"), before);

    SetSaveFileWrittenHook(nullptr);
    ASSERT_TRUE(SaveGame(L"slot", false));
    EXPECT_NE(Countries("slot").find("Albion Reborn"), std::string::npos);
    EXPECT_EQ(EntriesIn("data/save"), 1u);
    EXPECT_EQ(screen.messages.back(), L"Save game: Saved as slot.");

    // Killed between the two renames once the new save was whole: it takes the name before a
    // list shows the saves; a working folder another kill left half-written goes.
    fs::rename("data/save/slot", "data/save/slot%saving");
    testing_support::WriteFile("data/save/slot%old/countries.csv", before);
    fs::create_directories("data/save/half%saving");
    SettleInterruptedSaves(L"data\\save");
    EXPECT_NE(Countries("slot").find("Albion Reborn"), std::string::npos);
    EXPECT_EQ(EntriesIn("data/save"), 1u);
}

// A full disk is told at the file whose write failed, with the system's reason: not at the
// first file missing after it, which was never tried.
TEST_F(Saving, AFullDiskNamesTheFileThatFailedAndWhy)
{
    ASSERT_TRUE(SaveGame(L"slot", true));
    const std::string before = Countries("slot");
    SetSaveFileWrittenHook([](const wchar_t* file) {
        if (std::wstring(file) == L"airrecon_units.csv") // the next file fills the disk
            for (const fs::directory_entry& entry : fs::directory_iterator("data/save"))
                if (entry.is_directory() && entry.path().filename() != "slot") // the working folder
                    fs::create_symlink("/dev/full", entry.path() / "reports.dat");
    });
    EXPECT_FALSE(SaveGame(L"slot", false));
    EXPECT_EQ(Countries("slot"), before);
    EXPECT_EQ(EntriesIn("data/save"), 1u);
    const std::wstring full = Utf8ToWide(std::make_error_code(std::errc::no_space_on_device).message());
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0],
              L"Save game: Not saved as slot: " + LangFormat("save_failed_file_not_written_%s_%s", L"reports.dat", full) + L".");
}

TEST_F(Saving, NamesAreCheckedBeforeAnyFolderIsMade)
{
    for (const wchar_t* bad : {L"", L"   ", L"a/b", L"a\\b", L"..", L"x..y", L"50%", L"%s", L"."}) {
        EXPECT_FALSE(SaveGame(bad, true)) << WideToUtf8(bad);
        EXPECT_FALSE(SaveFolderExists(bad));
    }
    EXPECT_EQ(EntriesIn("data/save"), 0u);

    // Blanks around a name are dropped; a name longer than the path of 64 holds is refused
    // with the limit, never saved cut short under a name the player was not told.
    ASSERT_TRUE(SaveGame(L"  spaced  ", true));
    EXPECT_TRUE(SaveFolderExists(L"spaced"));
    std::wstring why;
    EXPECT_FALSE(SaveGame(std::wstring(70, L'n'), true, &why));
    EXPECT_EQ(std::wstring(L"data\\save\\").size() + kMaxSaveNameLength, 64u);
    EXPECT_EQ(why, LangFormat("save_failed_name_too_long_%i_%i", 54, 70));
    EXPECT_EQ(EntriesIn("data/save"), 1u);

    // Saving twice under one name rewrites it, and keeps what else the player put in its folder,
    // but not the totals of play the tool counted in the game saved there before.
    ASSERT_TRUE(WriteWholeFile("data/save/spaced/notes.txt", "mine"));
    ASSERT_TRUE(WriteWholeFile("data/save/spaced/play_counts.csv", "seed;1\r\n"));
    ASSERT_TRUE(SaveGame(L"spaced", true));
    EXPECT_EQ(EntriesIn("data/save/spaced"), size_t(kSaveFileCount) + 2); // and the list of sizes
    EXPECT_EQ(ReadWholeFile("data/save/spaced/notes.txt").value_or(""), "mine");
}

TEST_F(Saving, PlayByEmailSavesGoToTheirOwnFolderAndLoad)
{
    ASSERT_TRUE(SavePbemGame(L"match1"));
    EXPECT_TRUE(testing_support::LogContains(L"Zapisuej gre PBEM to katalogu data\\pbem\\match1"));
    EXPECT_EQ(EntriesIn("data/pbem/match1"), size_t(kSaveFileCount) + 1);
    EXPECT_FALSE(SavePbemGame(L"../escape"));
    EXPECT_FALSE(fs::exists("data/escape"));
    // A plain file where the folder should be is neither replaced nor written into.
    ASSERT_TRUE(WriteWholeFile("data/pbem/notes", "mine"));
    EXPECT_FALSE(SavePbemGame(L"notes"));
    EXPECT_EQ(ReadWholeFile("data/pbem/notes").value_or(""), "mine");
    EXPECT_FALSE(fs::exists("data/pbem/notes%saving"));

    cIniFile info;
    ASSERT_TRUE(info.Load("data/pbem/match1/Info.ini"));
    EXPECT_EQ(info.GetString("Save/GameVersion", L""), FormatText(L"%.2f", double(kGameVersion)));
    DeleteGameObject();
    LoadGame(sGameLoadRequest::ForPbem(L"match1"));
    ASSERT_NE(g_Gra, nullptr);
    EXPECT_EQ(g_Gra->m_LoadedFromSave, 1);
    EXPECT_EQ(g_Gra->m_Countries.size(), 6u);
    EXPECT_FLOAT_EQ(g_Gra->m_SaveGameVersion, kGameVersion);
}

TEST_F(Saving, WritersRunInTheFixedOrder)
{
    std::vector<std::wstring> written;
    SetSaveFileWrittenHook([&written](const wchar_t* file) { written.push_back(file); });
    ASSERT_TRUE(SaveGame(L"order", true));
    ASSERT_EQ(written.size(), size_t(kSaveFileCount));
    EXPECT_EQ(written.front(), L"PlayerDefinedPlaces.txt");
    EXPECT_EQ(written[14], L"map.qvr");
    EXPECT_EQ(written[15], L"Info.ini");
    EXPECT_EQ(written.back(), L"auto_events.csv");
    EXPECT_TRUE(testing_support::LogHasInOrder(
        {L"Opening file for writing...", L"data\\save\\order%saving\\ai_data.csv", L"File opened OK"}));
}

TEST_F(Saving, ALoadedGameShowsTheShipsItsSaveHadInSightAtOnce)
{
    constexpr int kAlbion = 1, kChannel = 2, kDover = 4, kHamburgum = 5;
    g_Gra->m_SeaGraph->CalculateAllVisibility(kAlbion, false);
    ASSERT_TRUE(SaveGame(L"sighted", true));
    DeleteGameObject();
    LoadGame(sGameLoadRequest::ForSave(L"sighted"));
    ASSERT_NE(g_Gra, nullptr);
    g_Gra->StartGame();
    const cGrafMorz& graph = *g_Gra->m_SeaGraph;
    for (int node : {kChannel, kDover}) {
        const cJednostkaMorska* shown = graph.GetNode(node)->ShownOwnShip;
        ASSERT_NE(shown, nullptr) << node;
        EXPECT_EQ(shown->m_Owner, kAlbion);
    }
    // Albion never saw the Hochseeflotte in its port.
    EXPECT_EQ(graph.GetNode(kHamburgum)->ShownOwnShip, nullptr);
    EXPECT_EQ(graph.GetNode(kHamburgum)->ShownEnemyShip, nullptr);
}

TEST_F(Saving, AGameLoadedWithFogOfWarTurnedOffShowsTheUnitsItsSaveHadHidden)
{
    constexpr int kAlbion = 1, kPanzerkorps = 7; // far from every unit of Albion
    const int sight = g_UserSettings.fogOfWar;
    g_UserSettings.fogOfWar = 1;
    g_Gra->m_Countries[kAlbion - 1]->RecalculateUnitsVisibility();
    ASSERT_FALSE(g_Gra->FindLandUnitById(kPanzerkorps)->m_Spotted);
    ASSERT_TRUE(SaveGame(L"foggy", true));
    DeleteGameObject();
    g_UserSettings.fogOfWar = 0;
    LoadGame(sGameLoadRequest::ForSave(L"foggy"));
    ASSERT_NE(g_Gra, nullptr);
    g_Gra->StartGame();
    EXPECT_TRUE(g_Gra->FindLandUnitById(kPanzerkorps)->m_Spotted);
    g_UserSettings.fogOfWar = sight;
}
