// The scenario settings on Testland: controllers and difficulty, the checks of OK, the
// play-by-e-mail game, and Back.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>

#include "dialogs/dialog_stack.h"
#include "dialogs/message_dialog.h"
#include "game/game.h"
#include "game/load_request.h"
#include "game/save_game.h"
#include "gui/controls.h"
#include "platform/messages.h"
#include "core/stringbase.h"
#include "core/text.h"
#include "platform/paths.h"
#include "shell/dxut.h"
#include "shell/menus/loading_menu.h"
#include "shell/menus/scenario_menu.h"
#include "shell/menus/scenario_settings_menu.h"
#include "tests/shell/program_driver.h"
#include "tests/test_support.h"
#include "world/country.h"

namespace {

using namespace testing_support;
using D = cProgramDriver;

enum
{
    IDC_LIST_TABS = 178,
    IDC_LIST = 179,
    IDC_LIST_START = 200,
    IDC_TABS = 208,
    IDC_COUNTRIES = 216,
    IDC_AI = 224,
    IDC_HUMAN = 225,
    IDC_PLAYER = 226,
    IDC_EASY = 232,
    IDC_PBEM = 234,
    IDC_GAME_NAME = 236,
    IDC_PLAYERS = 238,
    IDC_PLAYER_NAME = 240,
    IDC_PLAYER_EMAIL = 242,
    IDC_SAVE_PLAYER = 243,
    IDC_REMOVE_PLAYER = 244,
    IDC_OK = 245,
    IDC_BACK = 246,
};

// A game folder with Testland as its one scenario; the settings open on it.
void OpenTestland(cProgramDriver& driver)
{
    MakeTestlandFolder();
    driver.StartWith(LoadTestland);
    driver.Then("settings", [] { return dynamic_cast<cScenarioSettingsMenu*>(g_CurrentMenu) != nullptr; });
}

cScenarioSettingsMenu* Menu() { return dynamic_cast<cScenarioSettingsMenu*>(g_CurrentMenu); }
template <class T>
T* Control(int id)
{
    return D::Control<T>(id);
}
std::vector<std::wstring> Row(int index)
{
    return Control<CDXUTListBox>(IDC_COUNTRIES)->GetItem(index)->cells;
}
void Type(int id, const std::wstring& text) { D::SetEditText(id, text); }
// The title of the message window on top, or nothing.
std::wstring MessageShown()
{
    auto* message = dynamic_cast<cDialogTekstowy*>(CurrentDialog());
    auto* title = message ? dynamic_cast<CDXUTStatic*>(message->GetControl(kMessageDialogRow + 1)) : nullptr;
    return title ? title->GetText() : std::wstring();
}
// Its text.
std::wstring MessageText()
{
    auto* message = dynamic_cast<cDialogTekstowy*>(CurrentDialog());
    auto* text = message ? dynamic_cast<CDXUTStatic*>(message->GetControl(kMessageDialogRow + 3)) : nullptr;
    return text ? text->GetText() : std::wstring();
}

TEST(ScenarioSettings, CountryRowsFollowTheControllerAndBackDropsTheGame)
{
    cProgramDriver driver({}, {"scenarios", "save", "pbem"});
    OpenTestland(driver);
    driver
        .Then("rows", [] { return true; },
              [] {
                  EXPECT_EQ(CountLogLinesStartingWith(L"Starting the computer opponent's thread"), 1)
                      << "one opponent's thread for the game";
                  auto* list = Control<CDXUTListBox>(IDC_COUNTRIES);
                  // By name, without the country that only closes the turn order.
                  ASSERT_EQ(list->GetSize(), 5);
                  EXPECT_EQ(Row(0), (std::vector<std::wstring>{L" Albion", L"Player", L"Normal"}));
                  EXPECT_EQ(Row(4), (std::vector<std::wstring>{L" Valdonia", L"Computer", L"Normal"}));
                  EXPECT_EQ(Menu()->GetSelectedCountry()->Name, L"Albion");
                  EXPECT_TRUE(Control<CDXUTRadioButton>(IDC_HUMAN)->GetChecked());
                  D::ClickControl(IDC_AI);
              })
        .Then("to the computer", [] { return true; },
              [] {
                  EXPECT_EQ(Row(0), (std::vector<std::wstring>{L" Albion", L"Computer", L"Normal"}));
                  EXPECT_FALSE(Menu()->GetSelectedCountry()->HumanControlled);
                  D::ClickControl(IDC_EASY);
              })
        .Then("easy", [] { return true; },
              [] {
                  EXPECT_EQ(Row(0)[2], L"Easy");
                  EXPECT_EQ(Menu()->GetSelectedCountry()->DifficultyLevel, 3);
                  D::ClickControl(IDC_OK);
              })
        .Then("nobody plays", [] { return MessageShown() == L"Game settings"; },
              [] {
                  EXPECT_EQ(MessageText(), L"At least one country must be controlled by human.");
                  CloseTopDialogs(1);
                  D::PressKey(VK_ESCAPE);
              },
              50)
        .Then("back", [] { return dynamic_cast<cScenarioMenu*>(g_CurrentMenu) != nullptr; },
              [] { EXPECT_EQ(g_Gra, nullptr); });
    EXPECT_EQ(driver.Run(), 0);
}

TEST(ScenarioSettings, APlayByEmailGameGetsItsPlayersItsFolderAndItsRepository)
{
    cProgramDriver driver({}, {"scenarios", "save", "pbem"});
    OpenTestland(driver);
    auto selectPlayer = [](int index) { Control<CDXUTListBox>(IDC_PLAYERS)->SelectItem(index, true); };
    auto giveCountry = [](int row, int playerIndex) {
        Control<CDXUTListBox>(IDC_COUNTRIES)->SelectItem(row, true);
        Control<CDXUTRadioButton>(IDC_HUMAN)->SetCheckedInternal(true, true, true, true);
        Control<CDXUTComboBox>(IDC_PLAYER)->SetSelectedByIndex(unsigned(playerIndex));
        D::FindControl(IDC_PLAYER)->GetDialog()->SendEvent(EVENT_COMBOBOX_SELECTION_CHANGED, true,
                                                           D::FindControl(IDC_PLAYER));
    };
    // To the e-mail page and back: whether the player box shows.
    auto playerBoxAfterRoundTrip = [] {
        Control<CDXUTTabFrame>(IDC_TABS)->SelectTab(1, true);
        Control<CDXUTTabFrame>(IDC_TABS)->SelectTab(0, true);
        return D::FindControl(IDC_PLAYER)->GetVisible();
    };
    // The persons' countries after the box changed: each of them with its player number.
    auto persons = [] {
        std::vector<std::pair<std::wstring, int>> found;
        for (const cPanstwo* c : g_Gra->m_Countries)
            if (c->HumanControlled)
                found.push_back({c->Name, c->PBEMPlayerId});
        return found;
    };
    // Types into the edit box as a person does: a click into it, then the keys.
    auto typeInto = [](int id, const std::wstring& text) {
        D::ClickControl(id);
        for (wchar_t ch : text)
            DXUTStaticWndProc(WM_CHAR, ch, 1);
    };
    driver
        .Then("second tab", [] { return true; },
              [&] {
                  EXPECT_FALSE(playerBoxAfterRoundTrip()) << "a person's country, not by e-mail";
                  // Two persons at this screen: Albion's and Borussia's.
                  Control<CDXUTListBox>(IDC_COUNTRIES)->SelectItem(1, true);
                  D::ClickControl(IDC_HUMAN);
                  Control<CDXUTTabFrame>(IDC_TABS)->SelectTab(1, true);
              })
        .Then("play by e-mail", D::AfterFrames(2),
              [] {
                  // Names beyond the first letters: the list sorts them by their 16-bit units, a
                  // letter above U+FFFF (two units from U+D800) before one of U+FF00.
                  g_Gra->m_Countries[2]->Name = L"\uFF32uthenia";
                  g_Gra->m_Countries[4]->Name = L"\U00010400aldonia";
                  D::ClickControl(IDC_PBEM);
              })
        .Then("the persons keep their countries", [] { return g_Gra->m_IsPbem; },
              [&] {
                  // ...and the player is told that they need their players now.
                  EXPECT_EQ(MessageShown(), L"PBEM game settings");
                  EXPECT_EQ(MessageText(), LangFormat("scenario_settings_pbem_on_%s", L"Albion, Borussia"));
                  D::PressKey(VK_RETURN);
                  EXPECT_EQ(Row(3)[0], L" \U00010400aldonia");
                  EXPECT_EQ(Row(4)[0], L" \uFF32uthenia");
                  EXPECT_EQ(persons(), (std::vector<std::pair<std::wstring, int>>{{L"Albion", 0}, {L"Borussia", 0}}));
                  EXPECT_EQ(Row(1), (std::vector<std::wstring>{L" Borussia", L"Player", L"Normal"}));
                  // Only the new-player row to begin with, none chosen, the edits empty.
                  EXPECT_EQ(Control<CDXUTListBox>(IDC_PLAYERS)->GetSize(), 1);
                  EXPECT_EQ(Control<CDXUTEditBox>(IDC_PLAYER_NAME)->GetText(), L"");
                  EXPECT_FALSE(D::FindControl(IDC_REMOVE_PLAYER)->GetEnabled()) << "nobody to remove";
                  EXPECT_EQ(std::wstring(D::FindControl(IDC_REMOVE_PLAYER)->GetHint()),
                            LangText("scenario_settings_pbem_player_remove_hint_none"));
                  typeInto(IDC_PLAYER_NAME, L"Ada");
                  typeInto(IDC_PLAYER_EMAIL, L"ada@example.org");
                  D::ClickControl(IDC_SAVE_PLAYER);
                  // The new player's row stays where it was, chosen again: the next player typed
                  // is a new one, and the samples of what to type go when a box is entered,
                  // however often it is clicked, never typed onto.
                  EXPECT_EQ(Control<CDXUTListBox>(IDC_PLAYERS)->GetSelectedIndex(), 0);
                  EXPECT_EQ(Control<CDXUTEditBox>(IDC_PLAYER_EMAIL)->GetText(),
                            LangText("scenario_settings_pbem_new_player_email"));
                  selectPlayer(0);
                  D::ClickControl(IDC_PLAYER_EMAIL);
                  typeInto(IDC_PLAYER_EMAIL, L"bob@example.org");
                  EXPECT_EQ(Control<CDXUTEditBox>(IDC_PLAYER_EMAIL)->GetText(), L"bob@example.org");
                  typeInto(IDC_PLAYER_NAME, L"Bob");
                  EXPECT_EQ(Control<CDXUTEditBox>(IDC_PLAYER_NAME)->GetText(), L"Bob");
                  D::ClickControl(IDC_SAVE_PLAYER);
                  ASSERT_EQ(g_Gra->m_PbemPlayers.size(), 2u) << "Ada was not typed over";
                  EXPECT_EQ(g_Gra->m_PbemPlayers[0].name, L"Ada");
                  EXPECT_EQ(g_Gra->m_PbemPlayers[1].email, L"bob@example.org");
                  selectPlayer(1);
                  D::ClickControl(IDC_REMOVE_PLAYER);
                  selectPlayer(0);
                  AddEmailPlayer(L"Cyd");
              })
        .Then("players", [] { return true; },
              [] {
                  // A new player's number is above every number in use, never a second 2.
                  std::vector<int> numbers;
                  for (const sPbemPlayer& p : g_Gra->m_PbemPlayers)
                      numbers.push_back(p.number);
                  EXPECT_EQ(numbers, (std::vector<int>{2, 3}));
                  Control<CDXUTTabFrame>(IDC_TABS)->SelectTab(0, true);
              })
        .Then("countries", D::AfterFrames(2),
              [&] {
                  Control<CDXUTListBox>(IDC_COUNTRIES)->SelectItem(2, true);
                  EXPECT_FALSE(playerBoxAfterRoundTrip()) << WideToUtf8(Row(2)[0]) << ", the computer's";
                  // Names with the list's separators stay in their cells.
                  g_Gra->m_Countries[0]->Name = L"Al;bion";
                  g_Gra->m_PbemPlayers[0].name = L"Bo|b";
                  giveCountry(0, 0); // Albion to Bob
                  EXPECT_EQ(Row(0), (std::vector<std::wstring>{L" Al bion", L"Bo b", L"Normal"}));
                  g_Gra->m_Countries[0]->Name = L"Albion";
                  g_Gra->m_PbemPlayers[0].name = L"Bob";
                  giveCountry(1, 1); // Borussia to Cyd
                  EXPECT_EQ(g_Gra->m_Countries[0]->PBEMPlayerId, 2);
                  EXPECT_EQ(g_Gra->m_Countries[1]->PBEMPlayerId, 3);
                  EXPECT_TRUE(playerBoxAfterRoundTrip()) << "Borussia, Cyd's";
                  Control<CDXUTTabFrame>(IDC_TABS)->SelectTab(1, true);
              })
        .Then("not by e-mail", D::AfterFrames(2), [] { D::ClickControl(IDC_PBEM); })
        .Then("the persons play at this screen", [] { return !g_Gra->m_IsPbem; },
              [&] {
                  // ...keeping their players, whom a tick gives back without a word.
                  EXPECT_EQ(persons(), (std::vector<std::pair<std::wstring, int>>{{L"Albion", 2}, {L"Borussia", 3}}));
                  EXPECT_EQ(MessageText(), LangFormat("scenario_settings_pbem_off_%s", L"Albion, Borussia"));
                  D::PressKey(VK_RETURN);
                  D::ClickControl(IDC_PBEM);
                  EXPECT_EQ(MessageText(), L"");
                  EXPECT_EQ(Row(1), (std::vector<std::wstring>{L" Borussia", L"Cyd", L"Normal"}));
                  Control<CDXUTTabFrame>(IDC_TABS)->SelectTab(0, true);
              })
        .Then("their players again", D::AfterFrames(2),
              [&] {
                  giveCountry(0, 0);
                  giveCountry(1, 1);
                  Control<CDXUTTabFrame>(IDC_TABS)->SelectTab(1, true);
              })
        .Then("a name", D::AfterFrames(2),
              [] {
                  // Characters a folder name cannot hold are typed as they come, none dropped
                  // without a word, and OK refuses the name with why.
                  Control<CDXUTEditBox>(IDC_GAME_NAME)->SetText(L"");
                  CDXUTDialog::RequestFocus(D::FindControl(IDC_GAME_NAME));
                  for (wchar_t ch : std::wstring(L"War/1"))
                      DXUTStaticWndProc(WM_CHAR, ch, 1);
                  EXPECT_EQ(Control<CDXUTEditBox>(IDC_GAME_NAME)->GetText(), L"War/1");
                  CDXUTDialog::RequestFocus(D::FindControl(IDC_PLAYER_NAME)); // a list's separator
                  DXUTStaticWndProc(WM_CHAR, L'|', 1);
                  EXPECT_NE(Control<CDXUTEditBox>(IDC_PLAYER_NAME)->GetText().find(L'|'), std::wstring::npos);
                  D::ClickControl(IDC_OK);
              })
        .Then("refused", [] { return MessageShown() == L"PBEM game settings"; },
              [] {
                  EXPECT_EQ(MessageText(), LangFormat("pbem_game_name_invalid_%s", L"War/1"));
                  CloseTopDialogs(1);
                  // Each refused with why before the war starts: no name, too long, another game's.
                  // Another game's folder, and one that holds no game; an empty one becomes this game's.
                  WriteFile("data/pbem/Taken/Info.ini", "");
                  WriteFile("data/pbem/Odd/notes.txt", "");
                  std::filesystem::create_directories("data/pbem/Summer War");
                  for (const auto& [name, why] : {std::pair{std::wstring(), LangText("pbem_game_name_empty")},
                                                  {std::wstring(L"   "), LangText("pbem_game_name_empty")},
                                                  {std::wstring(200, L'x'), LangFormat("pbem_game_name_too_long_%i_%i", 99, 200)},
                                                  {L"Taken", LangFormat("pbem_game_name_taken_%s", L"Taken", L"Taken")},
                                                  {L"Odd", LangFormat("pbem_game_folder_not_a_game_%s", L"Odd")}}) {
                      Type(IDC_GAME_NAME, name);
                      D::ClickControl(IDC_OK);
                      EXPECT_EQ(MessageText(), why);
                      CloseTopDialogs(1);
                  }
                  Type(IDC_GAME_NAME, L"Summer War");
                  D::ClickControl(IDC_OK);
              },
              50)
        .Then("play", D::LogHas(L"============== Enjoy your game :)"),
              [] {
                  EXPECT_TRUE(DirectoryExists(HostPath(L"data\\pbem\\Summer War")));
                  EXPECT_TRUE(FileExists(HostPath(L"data\\pbem\\repo.dat")));
                  EXPECT_EQ(g_Gra->m_PbemGameName, L"Summer War");
                  // Numbered from 1 again, as the save lists them; the countries follow.
                  ASSERT_EQ(g_Gra->m_PbemPlayers.size(), 2u);
                  EXPECT_EQ(g_Gra->m_PbemPlayers[0].name, L"Bob");
                  EXPECT_EQ(g_Gra->m_PbemPlayers[0].number, 1);
                  EXPECT_EQ(g_Gra->m_Countries[0]->PBEMPlayerId, 1);
                  EXPECT_EQ(g_Gra->m_Countries[1]->PBEMPlayerId, 2);
                  EXPECT_TRUE(g_Gra->m_Countries[5]->HumanControlled); // the turn order's end
              });
    EXPECT_EQ(driver.Run(), 0);
}

// A saved war made a game by e-mail: it is named as a new one is; the players' list holds
// eight and says so; a person's country of nobody's, or of a removed player's, never reaches
// play, and the turn is handed from one player's country to the other's.
TEST(ScenarioSettings, AGameByEmailGivesEveryPersonsCountryToOneOfItsPlayers)
{
    cProgramDriver driver({}, {"scenarios", "save", "pbem"});
    OpenTestland(driver);
    auto removePlayer = [](int row) {
        Control<CDXUTListBox>(IDC_PLAYERS)->SelectItem(row, true);
        D::ClickControl(IDC_REMOVE_PLAYER);
    };
    // The country's row chosen and a person set to play it, by the player of that place in
    // the box (none: the box is left as it is).
    auto give = [](const std::wstring& country, int player) {
        auto* countries = Control<CDXUTListBox>(IDC_COUNTRIES);
        int row = 0;
        while (row < countries->GetSize() && Row(row)[0] != L" " + country)
            ++row;
        ASSERT_LT(row, countries->GetSize());
        countries->SelectItem(row, true);
        D::ClickControl(IDC_HUMAN);
        if (player < 0)
            return;
        auto* box = Control<CDXUTComboBox>(IDC_PLAYER);
        box->SetSelectedByIndex(unsigned(player));
        box->GetDialog()->SendEvent(EVENT_COMBOBOX_SELECTION_CHANGED, true, box);
    };
    driver
        .Then("a saved war", D::AfterFrames(2),
              [] {
                  ASSERT_TRUE(SaveGame(L"plain", true));
                  D::ClickControl(IDC_BACK);
              })
        .Then("saved games", [] { return dynamic_cast<cScenarioMenu*>(g_CurrentMenu) != nullptr; },
              [] { Control<CDXUTTabFrame>(IDC_LIST_TABS)->SelectTab(1, true); })
        .Then("its row", [] { return D::ShowListRow(IDC_LIST, L"plain"); })
        .Then("load it", D::AfterFrames(2),
              [] {
                  D::ClickListRow(IDC_LIST, L"plain");
                  D::ClickControl(IDC_LIST_START);
              })
        .Then("by e-mail", InScenarioSettings, [] { Control<CDXUTTabFrame>(IDC_TABS)->SelectTab(1, true); })
        .Then("ticked", D::AfterFrames(2), [] { D::ClickControl(IDC_PBEM); })
        .Then("named", [] { return g_Gra->m_IsPbem; },
              [] {
                  // Albion stays a person's, to be given a player.
                  EXPECT_EQ(MessageText(), LangFormat("scenario_settings_pbem_on_%s", L"Albion"));
                  D::PressKey(VK_RETURN);
                  auto* name = Control<CDXUTEditBox>(IDC_GAME_NAME);
                  EXPECT_EQ(name->GetText(), L"New pbem");
                  name->SetText(L"");
                  D::ClickControl(IDC_GAME_NAME);
                  for (wchar_t ch : std::wstring(L"Winter War"))
                      DXUTStaticWndProc(WM_CHAR, ch, 1);
                  EXPECT_EQ(name->GetText(), L"Winter War");
                  Control<CDXUTTabFrame>(IDC_TABS)->SelectTab(0, true);
              })
        .Then("a person's country before any player", D::AfterFrames(2),
              [&] {
                  give(L"Helvetia", -1);
                  EXPECT_EQ(Row(2), (std::vector<std::wstring>{L" Helvetia", L"Player", L"Normal"}));
                  Control<CDXUTTabFrame>(IDC_TABS)->SelectTab(1, true);
              })
        .Then("eight players and a ninth", D::AfterFrames(2),
              [&] {
                  for (const wchar_t* name : {L"Ada", L"Bob", L"P3", L"P4", L"P5", L"P6", L"P7", L"P8", L"Ivy"})
                      AddEmailPlayer(name);
              })
        .Then("the ninth is refused", [] { return MessageShown() == L"PBEM game settings"; },
              [&] {
                  EXPECT_EQ(MessageText(), L"A game played by e-mail has at most 8 players, and this one has them all. "
                                           L"Change or remove a player instead.");
                  EXPECT_EQ(g_Gra->m_PbemPlayers.size(), 8u);
                  auto* typed = dynamic_cast<CDXUTEditBox*>(Menu()->GetControl(IDC_PLAYER_NAME));
                  ASSERT_NE(typed, nullptr);
                  EXPECT_EQ(typed->GetText(), L"Ivy");
                  CloseTopDialogs(1);
                  for (int left = 6; left > 0; --left)
                      removePlayer(3);
                  Control<CDXUTTabFrame>(IDC_TABS)->SelectTab(0, true);
              })
        .Then("Albion to Ada, Borussia to Bob", D::AfterFrames(2),
              [&] {
                  give(L"Albion", 0);
                  give(L"Borussia", 1);
                  D::ClickControl(IDC_OK);
              })
        .Then("Helvetia is nobody's", [] { return MessageShown() == L"PBEM game settings"; },
              [&] {
                  EXPECT_EQ(MessageText(), L"Settings for PBEM game are incorrect: no player of the list plays Helvetia. "
                                           L"On the countries page, choose a player for each person's country.");
                  CloseTopDialogs(1);
                  // The player box shows nobody for a person's country without a player.
                  Control<CDXUTListBox>(IDC_COUNTRIES)->SelectItem(2, true);
                  EXPECT_EQ(Control<CDXUTComboBox>(IDC_PLAYER)->GetSelectedItem(), nullptr);
                  Control<CDXUTTabFrame>(IDC_TABS)->SelectTab(1, true);
                  removePlayer(2);
                  // Bob's country is the computer's again, given to nobody.
                  EXPECT_FALSE(g_Gra->m_Countries[1]->HumanControlled);
                  EXPECT_EQ(g_Gra->m_Countries[1]->PBEMPlayerId, 0);
                  EXPECT_EQ(Row(1), (std::vector<std::wstring>{L" Borussia", L"Computer", L"Normal"}));
                  // Players an older save may hold: a second Ada, and one without a name or an address.
                  g_Gra->m_PbemPlayers.push_back({7, L"Ada", L"ada2@example.com"});
                  g_Gra->m_PbemPlayers.push_back({8, L"", L""});
                  AddEmailPlayer(L"Cyd");
                  Control<CDXUTTabFrame>(IDC_TABS)->SelectTab(0, true);
              })
        .Then("Helvetia to nobody's name", D::AfterFrames(2),
              [&] {
                  EXPECT_EQ(Control<CDXUTComboBox>(IDC_PLAYER)->GetItem(1)->strText, L"Ada (ada2@example.com)");
                  give(L"Helvetia", 2);
                  EXPECT_EQ(Row(2)[1], L"(no name)");
                  D::ClickControl(IDC_OK);
              })
        .Then("Helvetia to Cyd", [] { return MessageShown() == L"PBEM game settings"; },
              [&] {
                  EXPECT_EQ(MessageText(), LangFormat("pbem_player_without_address_%s", L"Helvetia"));
                  CloseTopDialogs(1);
                  give(L"Helvetia", 3);
                  EXPECT_EQ(Row(2)[1], L"Cyd");
                  D::ClickControl(IDC_OK);
              })
        // Borussia, the computer's now, moves first: Ada's turn is announced after it.
        .Then("Ada's turn", D::ReadingMessages([] { return TurnOf(L"Albion"); }),
              [] {
                  D::PressKey(VK_ESCAPE);
                  EXPECT_EQ(g_Gra->m_PbemGameName, L"Winter War");
                  EXPECT_FALSE(g_Gra->m_Countries[1]->HumanControlled);
              },
              20000);
    EndTheTurn(driver, "Albion");
    driver.Then("handed over to Cyd", [] { return MessageShown() == L"Your turn is over"; }, [] {
        EXPECT_EQ(MessageText(), LangFormat("pbem_turn_end_message", L"Winter War", L"Cyd", L"Cyd@example.com",
                                            L"Helvetia"));
        EXPECT_TRUE(FileExists("data/pbem/Winter War/Info.ini"));
    });
    EXPECT_EQ(driver.Run(), 0);
}

} // namespace
