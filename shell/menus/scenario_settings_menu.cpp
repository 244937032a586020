#include "shell/menus/scenario_settings_menu.h"

#include <algorithm>
#include <cstdint>
#include <cwchar>
#include <cwctype>
#include <cmath>
#include <filesystem>
#include <map>
#include <optional>
#include <system_error>
#include <vector>

#include "core/csv.h"
#include "core/format.h"
#include "core/ini.h"
#include "core/log.h"
#include "core/stringbase.h"
#include "core/text.h"
#include "core/version.h"
#include "dialogs/country_flag.h"
#include "dialogs/message_dialog.h"
#include "game/commanders.h"
#include "game/game.h"
#include "game/paths.h"
#include "game/play_state.h"
#include "game/save_game.h"
#include "game/turn_order.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "shell/dialog_builders.h"
#include "shell/map_skin.h"
#include "shell/menus/scenario_menu.h"
#include "shell/startup.h"
#include "shell/textures.h"
#include "units/unit.h"
#include "world/country.h"
#include "world/map.h"
#include "world/pbem_repo.h"

namespace {

enum eScenarioSettingsControl
{
    IDC_TITLE = 205,
    IDC_FRAME = 207,
    IDC_TABS = 208,
    IDC_COUNTRIES = 216,
    IDC_COUNTRY_NAME = 218,
    IDC_FLAG = 219,
    IDC_STATS_TABS = 220,
    IDC_STATS = 221,
    IDC_CONTROLLED_BY = 222,
    IDC_AI = 224,
    IDC_HUMAN = 225,
    IDC_PLAYER = 226,
    IDC_DIFFICULTY = 227,
    IDC_VERY_HARD = 229, // to IDC_VERY_HARD + 4, very easy
    IDC_PBEM = 234,
    IDC_GAME_NAME_CAPTION = 235,
    IDC_GAME_NAME = 236,
    IDC_PLAYERS_CAPTION = 237,
    IDC_PLAYERS = 238,
    IDC_PLAYER_NAME_CAPTION = 239,
    IDC_PLAYER_NAME = 240,
    IDC_PLAYER_EMAIL_CAPTION = 241,
    IDC_PLAYER_EMAIL = 242,
    IDC_SAVE_PLAYER = 243,
    IDC_REMOVE_PLAYER = 244,
    IDC_OK = 245,
    IDC_BACK = 246,
    IDC_VERSION = 7010,
};

constexpr unsigned kFlagSlot = 1;
// Characters a play-by-e-mail game's name may not hold: it names a folder and a record.
constexpr const wchar_t* kRefusedNameCharacters = L"\\/:*?<>;#&|";

const char* const kDifficultyKeys[5] = {"scenario_settings_very_hard", "scenario_settings_hard",
                                        "scenario_settings_normal", "scenario_settings_easy",
                                        "scenario_settings_very_easy"};

bool IsDummyCountry(const cPanstwo& country) { return country.SpecialFlags == 1; }

// The countries the list shows: those a person can be given.
bool IsListed(const cPanstwo& country)
{
    return country.IsActive && !IsDummyCountry(country) && country.PoliticalStrength != -1;
}

std::wstring DifficultyText(int level) { return LangText(kDifficultyKeys[std::clamp(level, 0, 4)]); }

const sPbemPlayer* FindPlayer(int number)
{
    if (!g_Gra)
        return nullptr;
    for (const sPbemPlayer& player : g_Gra->m_PbemPlayers)
        if (player.number == number)
            return &player;
    return nullptr;
}

// Remove player's hint: greyed with nobody saved yet, there is nobody to choose either.
std::wstring RemovePlayerHint(const sPbemPlayer* chosen)
{
    if (chosen)
        return LangText("scenario_settings_pbem_player_remove_hint");
    return LangText(g_Gra && !g_Gra->m_PbemPlayers.empty() ? "scenario_settings_pbem_player_remove_hint_no_selection"
                                                           : "scenario_settings_pbem_player_remove_hint_none");
}

// A name or an address as typed, without the blanks around it (of any script: the core's
// trimming knows ASCII only): "Bo " is Bo, and blanks alone are nothing.
std::wstring WithoutOuterBlanks(const std::wstring& text)
{
    auto blank = [](wchar_t c) { return std::iswspace(wint_t(c)) != 0; };
    const auto first = std::find_if_not(text.begin(), text.end(), blank);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), blank).base();
    return first < last ? std::wstring(first, last) : std::wstring();
}

bool IsBlank(const std::wstring& text) { return WithoutOuterBlanks(text).empty(); }

// The player's name as the lists show it: a word, not a blank, for a player without one,
// whom an older save may hold.
std::wstring NameShown(const sPbemPlayer& player)
{
    return IsBlank(player.name) ? LangText("scenario_settings_pbem_player_unnamed") : player.name;
}

// The player as the countries' list and box show it. Two players of one name, whom an older
// save may hold, show their addresses too: else the box would offer the name twice, and
// nothing would tell which of them a country goes to.
std::wstring PlayerLabel(const sPbemPlayer& player)
{
    if (g_Gra && !IsBlank(player.name))
        for (const sPbemPlayer& other : g_Gra->m_PbemPlayers)
            if (&other != &player && WithoutOuterBlanks(other.name) == WithoutOuterBlanks(player.name))
                return FormatText(L"%s (%s)", player.name, player.email);
    return NameShown(player);
}

void* NumberAsData(int number) { return reinterpret_cast<void*>(intptr_t(number)); }
int DataAsNumber(void* data) { return int(reinterpret_cast<intptr_t>(data)); }

// The new game's folder in data\pbem, made; else why not, in words the player can act on.
// The whole name is checked: a pasted one passes the typing filter, and "..", '%' or a
// separator would lead the folder out of data\pbem. As long as a turn's save takes: a
// longer name would give a folder that no turn could be saved into.
std::optional<std::wstring> MakeGameFolder(const std::wstring& name)
{
    // Blanks alone name nothing: the folder would stand as a blank row in the list of games.
    if (auto refused = RefusedName(name, kMaxNameLength, kRefusedNameCharacters, true,
                                   {"pbem_game_name_empty", "pbem_game_name_too_long_%i_%i", "pbem_game_name_invalid_%s"}))
        return refused;
    const std::filesystem::path folder = HostPath(L"data\\pbem\\" + name);
    // A turn of another game left between its renames is that game's folder all the same.
    SettleInterruptedSave(L"data\\pbem\\" + name);
    std::error_code ec;
    // Another game's folder: this game's turns would be written over that game's. Any other
    // file or folder of that name is no game, and told so; an empty folder (one made ready
    // by hand, say) loses nothing and becomes the game's.
    if (std::filesystem::exists(folder, ec)) {
        if (std::filesystem::is_directory(folder, ec) && std::filesystem::is_empty(folder, ec))
            return std::nullopt;
        if (FileExists(folder / "Info.ini"))
            return LangFormat("pbem_game_name_taken_%s", name, name);
        return LangFormat("pbem_game_folder_not_a_game_%s", name);
    }
    if (!std::filesystem::create_directories(folder, ec))
        return LangFormat("pbem_game_folder_not_made_%s_%s", name, Utf8ToWide(ec.message()));
    return std::nullopt;
}

// The turns the country has handed over into the game's folder in data\pbem: the folder's
// turn when the country had finished it there, else the one before. Nothing when the folder
// cannot be read: a game whose folder has gone is not refused for it.
std::optional<int> TurnsHandedOver(const std::wstring& gameName, int countryId)
{
    const std::wstring pattern = MakeFolderPattern(L"data\\pbem", gameName);
    cIniFile info;
    if (!info.Load(HostPath(JoinPathPattern(pattern, L"Info.ini"))) || !info.HasKey("Save/Turn"))
        return std::nullopt;
    const int turn = info.GetInt("Save/Turn", 0);
    cCsvReader countries(HostPath(JoinPathPattern(pattern, L"countries.csv")));
    while (countries.IsOk() && !countries.AtEnd()) {
        const std::vector<std::wstring>& f = countries.m_Fields;
        if (countries.ReadRow(true) > 12 && std::wcstol(f[0].c_str(), nullptr, 10) == countryId)
            return std::wcstol(f[12].c_str(), nullptr, 10) != 0 ? turn : turn - 1;
    }
    return std::nullopt;
}

// A war by e-mail made here, saved as it starts into its folder, as a hand-over saves it: left
// before its first hand-over, it opens again at its first turn with its players, their
// addresses and countries. A save that fails leaves no empty folder to be listed as a game,
// and is told: the first hand-over saves the war, and tells it if it fails again.
void KeepNewWar()
{
    std::wstring why;
    if (SavePbemGame(g_Gra->m_PbemGameName, &why))
        return;
    std::error_code ec;
    std::filesystem::remove(HostPath(L"data\\pbem\\" + g_Gra->m_PbemGameName), ec); // only while empty
    PushDialog(new cDialogTekstowy(LangFormat("pbem_war_not_kept_%s", SaveFailedText(g_Gra->m_PbemGameName, why)),
                                   LangText("pbem_game_settings")));
}

// The unit types of the statistics in their order, with the row of the force summary
// that counts them on the map and in the reserve.
struct sUnitRow
{
    int type;
    int summaryRow;
};
const sUnitRow kUnitRows[] = {{UNIT_INFANTRY, 0},         {UNIT_INFANTRY_CORPS, 1},   {UNIT_MECHANIZED, 2},
                              {UNIT_MECHANIZED_CORPS, 3}, {UNIT_ARMOURED, 4},         {UNIT_ARMOURED_CORPS, 5},
                              {UNIT_AIRBORNE, 6},         {UNIT_FIGHTER, 9},          {UNIT_TACTICAL_BOMBER, 8},
                              {UNIT_STRATEGIC_BOMBER, 7}, {UNIT_CARRIER, 12},         {UNIT_BATTLESHIP, 11},
                              {UNIT_CRUISER, 10},         {UNIT_SUBMARINE, 13},       {UNIT_CARGO, 14},
                              {UNIT_AMPHIBIOUS, 15}};

} // namespace

// The map rebuild of an author (the weather tables baked into output_map.qvr) is
// `velmorant-tool build-map`: the map's services give this screen a control for it, but the
// screen's own table of controls has none.
cScenarioSettingsMenu::cScenarioSettingsMenu()
    : m_LoadedPbemGame(g_Gra && g_Gra->m_LoadedFromSave != 0 && g_Gra->m_IsPbem)
{
    LogLine(L"----- Scenario Settings Menu -----");
    LoadWallpaper(TEX_WALLPAPER_SCENARIO_SETTINGS, L"data\\gfx\\wallpaper_scenariosettings.png");
    AddTitleFromLayout(IDC_TITLE, g_SelectedEntryName);
    AddFrameFromLayout(IDC_FRAME, 0);
    // The tab frames lie under their controls: they come first.
    AddTabFrame(IDC_TABS);
    AddButtonFromLayout(IDC_OK, LangText("scenario_settings_ok").c_str(), LangText("scenario_settings_ok_hint").c_str());
    AddButtonFromLayout(IDC_BACK, LangText("scenario_settings_back").c_str(),
                        LangText("scenario_settings_back_hint").c_str());
    AddListBoxFromLayout(IDC_COUNTRIES, 0);
    if (auto* list = Control<CDXUTListBox>(IDC_COUNTRIES))
        list->SetColumns(3, LangText("scenario_settings_countries_columns"), 40, 30, 30);
    AddStaticFromLayout(IDC_COUNTRY_NAME, L"");
    if (auto* name = Control<CDXUTStatic>(IDC_COUNTRY_NAME))
        name->SetHint(LangText("scenario_settings_flag_hint"));
    AddImageFromLayout(IDC_FLAG, 0, 0, 0, 0, 0, nullptr);
    AddTabFrame(IDC_STATS_TABS);
    if (auto* tabs = Control<CDXUTTabFrame>(IDC_STATS_TABS)) {
        tabs->AddTab(LangText("scenario_settings_tab_stats_general").c_str(), 0, 0, -1);
        tabs->AddTab(LangText("scenario_settings_tab_stats_resources").c_str(), 1, 0, -1);
        tabs->AddTab(LangText("scenario_settings_tab_stats_units").c_str(), 2, 0, -1);
        tabs->AddTab(LangText("scenario_settings_tab_stats_technology").c_str(), 3, 0, -1);
    }
    AddListBoxFromLayout(IDC_STATS, 0);
    AddStaticFromLayout(IDC_CONTROLLED_BY, LangText("scenario_settings_controlled_by").c_str());
    AddRadioButtonFromLayout(IDC_AI, 1, LangText("scenario_settings_ai_controlled").c_str(),
                             LangText("scenario_settings_ai_controlled_hint").c_str(), false);
    AddRadioButtonFromLayout(IDC_HUMAN, 1, LangText("scenario_settings_human_controlled").c_str(),
                             LangText("scenario_settings_human_controlled_hint").c_str(), false);
    AddComboBoxFromLayout(IDC_PLAYER, LangText("scenario_settings_pbem_player_hint").c_str());
    AddStaticFromLayout(IDC_DIFFICULTY, LangText("scenario_settings_difficulty").c_str());
    const char* difficultyKeys[5][2] = {{"scenario_settings_vary_hard", "scenario_settings_vary_hard_hint"},
                                        {"scenario_settings_hard", "scenario_settings_hard_hint"},
                                        {"scenario_settings_normal", "scenario_settings_normal_hint"},
                                        {"scenario_settings_easy", "scenario_settings_easy_hint"},
                                        {"scenario_settings_very_easy", "scenario_settings_very_easy_hint"}};
    for (int level = 0; level < 5; ++level)
        AddRadioButtonFromLayout(IDC_VERY_HARD + level, 2, LangText(difficultyKeys[level][0]).c_str(),
                                 LangText(difficultyKeys[level][1]).c_str(), false);

    AddCheckBoxFromLayout(IDC_PBEM, LangText("scenario_settings_pbem_game").c_str(),
                          LangText("scenario_settings_pbem_game_hint").c_str(), g_Gra && g_Gra->m_IsPbem);
    // A save that was not played by e-mail stores no game name ("unknown"): made a game by
    // e-mail here, it is named here as a new game is, or every turn would go to data/pbem/unknown.
    const std::wstring gameName = IsNewPbemGame() || !g_Gra ? L"New pbem" : g_Gra->m_PbemGameName;
    // A look: the name's box is drawn as the value boxes are. Greyed, its hint says why.
    AddReadOnlyEditBox(this, IDC_GAME_NAME, gameName.c_str(),
                       LangText(IsNewPbemGame() ? "scenario_settings_pbem_game_name_hint"
                                                : "scenario_settings_pbem_game_name_kept_hint")
                           .c_str(),
                       IDC_GAME_NAME_CAPTION, LangText("scenario_settings_pbem_game_name").c_str());
    SetControlEnabled(IDC_GAME_NAME, IsNewPbemGame());
    AddStaticFromLayout(IDC_PLAYERS_CAPTION, LangText("scenario_settings_pbem_players").c_str());
    AddListBoxFromLayout(IDC_PLAYERS, 0);
    if (auto* list = Control<CDXUTListBox>(IDC_PLAYERS))
        list->SetColumns(2, LangText("scenario_settings_pbem_players_columns"), 40, 60);
    AddStaticFromLayout(IDC_PLAYER_NAME_CAPTION, LangText("scenario_settings_pbem_player_name").c_str());
    AddEditBoxFromLayout(IDC_PLAYER_NAME, L"", LangText("scenario_settings_pbem_player_name_hint").c_str());
    // The e-mail box has a caption of its own: under the name's caption "Name" a player would
    // type a second name where the address goes.
    AddStaticFromLayout(IDC_PLAYER_EMAIL_CAPTION, LangText("scenario_settings_pbem_player_email").c_str());
    AddEditBoxFromLayout(IDC_PLAYER_EMAIL, L"", LangText("scenario_settings_pbem_player_email_hint").c_str());
    AddButtonFromLayout(IDC_SAVE_PLAYER, LangText("scenario_settings_pbem_player_save").c_str(),
                        LangText("scenario_settings_pbem_player_save_hint").c_str());
    // No player is chosen yet: there is nobody to remove, and the hint says so.
    AddButtonFromLayout(IDC_REMOVE_PLAYER, LangText("scenario_settings_pbem_player_remove").c_str(),
                        RemovePlayerHint(nullptr).c_str());

    FillPlayers();
    SetControlEnabled(IDC_REMOVE_PLAYER, false);

    if (g_Gra && g_Gra->m_Mapa) {
        // A saved game takes the decorations and the minimap of its scenario.
        if (!IsNewGame())
            LoadEyecandies(*g_Gra->m_Mapa, L"data\\scenarios\\" + g_Gra->m_ScenarioName);
        g_Gra->m_Mapa->BuildMinimap(
            JoinPathPattern(IsNewGame() ? g_Gra->m_FolderPattern : g_Gra->m_ScenarioFolderPattern, L"minimap.png"));
    }
    LogLine(L"Minimap loaded");

    AddVersionLine(IDC_VERSION);
    if (auto* tabs = Control<CDXUTTabFrame>(IDC_TABS)) {
        tabs->AddTab(LangText("scenario_settings_tab_countries").c_str(), 0, 209, 233);
        tabs->AddTab(LangText("scenario_settings_tab_pbem").c_str(), 1, IDC_PBEM, IDC_REMOVE_PLAYER);
        // Both tabs' controls exist by now: the first tab hides the second's.
        for (int id = IDC_PBEM; id <= IDC_REMOVE_PLAYER; ++id)
            if (CDXUTControl* control = GetControl(id))
                control->SetVisible(false);
    }
    LogLine(L"Tabs added");

    FillCountries();
    LogLine(L"Countries updated");
    LogLine(L"Country selected");
    RefreshStatistics();
    RefreshControllerControls();
    SetVisible(true);
}

bool cScenarioSettingsMenu::IsNewGame() const { return g_Gra && g_Gra->m_LoadedFromSave == 0; }

void cScenarioSettingsMenu::OnGUIEvent(unsigned, int id, CDXUTControl*)
{
    switch (id) {
    case IDC_COUNTRIES:
    case IDC_STATS_TABS: OnCountrySelected(); break;
    case IDC_AI:
    case IDC_HUMAN:
    case IDC_PLAYER:
    case IDC_VERY_HARD:
    case IDC_VERY_HARD + 1:
    case IDC_VERY_HARD + 2:
    case IDC_VERY_HARD + 3:
    case IDC_VERY_HARD + 4: OnControllerChanged(); break;
    case IDC_PBEM: OnPbemBoxChanged(); break;
    case IDC_PLAYERS: OnPlayerSelected(); break;
    case IDC_SAVE_PLAYER: OnSavePlayerPressed(); break;
    case IDC_REMOVE_PLAYER: OnRemovePlayerPressed(); break;
    case IDC_OK: OnOkPressed(); break;
    case IDC_BACK: OnBackPressed(); break;
    // Back on the countries page its whole range shows again: the player box must hide
    // again where it does not apply (a computer country, a game not played by e-mail).
    case IDC_TABS: RefreshControllerControls(); break;
    default: break;
    }
}

void cScenarioSettingsMenu::OnKeyboard(unsigned key, bool down, bool)
{
    if (down && key == VK_ESCAPE)
        OnBackPressed();
}

void cScenarioSettingsMenu::OnRender(float elapsed) { RenderWallpaper(TEX_WALLPAPER_SCENARIO_SETTINGS, elapsed); }

std::wstring cScenarioSettingsMenu::ControllerText(const cPanstwo& country) const
{
    // A person's country without a player in an e-mail game (given before any player was
    // added) says it is a person's, not an empty cell: OK refuses it until it has one.
    if (country.HumanControlled && g_Gra && g_Gra->m_IsPbem)
        if (const sPbemPlayer* player = FindPlayer(country.PBEMPlayerId))
            return PlayerLabel(*player);
    return LangText(country.HumanControlled ? "scenario_settings_human_controlled" : "scenario_settings_ai_controlled");
}

std::wstring cScenarioSettingsMenu::CountryRow(const cPanstwo& country) const
{
    // The names are cells of the row: a country or player named with ';' or '|' would push the
    // difficulty out of its column.
    return FormatText(L" %s;%s;%s", ListCellText(country.Name), ListCellText(ControllerText(country)),
                      DifficultyText(country.DifficultyLevel));
}

void cScenarioSettingsMenu::FillCountries()
{
    auto* list = Control<CDXUTListBox>(IDC_COUNTRIES);
    if (!list || !g_Gra)
        return;
    list->RemoveAllItems();
    std::vector<cPanstwo*> shown;
    for (cPanstwo* country : g_Gra->m_Countries)
        if (country && IsListed(*country))
            shown.push_back(country);
    // By 16-bit code units, as the names are stored: a letter beyond U+FFFF comes before
    // U+E000 to U+FFFF, where 32-bit units would put it after them.
    std::stable_sort(shown.begin(), shown.end(), [](const cPanstwo* a, const cPanstwo* b) {
        return WideToUtf16(a->Name) < WideToUtf16(b->Name);
    });
    for (cPanstwo* country : shown)
        list->AddItem(CountryRow(*country), country);
    m_Country = nullptr;
    if (list->GetSize() > 0) {
        list->SelectItem(0, false);
        m_Country = static_cast<cPanstwo*>(list->GetSelectedData());
    }
}

void cScenarioSettingsMenu::RefreshCountryRows()
{
    auto* list = Control<CDXUTListBox>(IDC_COUNTRIES);
    if (!list)
        return;
    for (int row = 0; row < list->GetSize(); ++row)
        if (const auto* country = static_cast<const cPanstwo*>(list->GetItem(row)->pData))
            list->SetItemText(row, CountryRow(*country));
}

void cScenarioSettingsMenu::FillPlayers()
{
    auto* list = Control<CDXUTListBox>(IDC_PLAYERS);
    auto* combo = Control<CDXUTComboBox>(IDC_PLAYER);
    if (!list || !combo || !g_Gra)
        return;
    list->RemoveAllItems();
    combo->RemoveAllItems();
    // The new player's row comes first, where it stays: at the end it would move down with
    // every player saved, and the click that took it would take the player saved last.
    list->AddItem(LangText("scenario_settings_pbem_player_new"), nullptr);
    for (const sPbemPlayer& player : g_Gra->m_PbemPlayers) {
        list->AddItem(FormatText(L"%s;%s", ListCellText(NameShown(player)), ListCellText(player.email)),
                      NumberAsData(player.number));
        combo->AddItem(PlayerLabel(player).c_str(), NumberAsData(player.number));
    }
}

void cScenarioSettingsMenu::OnCountrySelected()
{
    if (auto* list = Control<CDXUTListBox>(IDC_COUNTRIES))
        m_Country = static_cast<cPanstwo*>(list->GetSelectedData());
    RefreshStatistics();
    RefreshControllerControls();
}

void cScenarioSettingsMenu::RefreshControllerControls()
{
    auto show = [this](int id, bool visible) {
        if (CDXUTControl* control = GetControl(id))
            control->SetVisible(visible);
    };
    auto* tabs = Control<CDXUTTabFrame>(IDC_TABS);
    const bool shown = m_Country && (!tabs || tabs->GetSelectedIndex() == 0);
    show(IDC_AI, shown);
    show(IDC_HUMAN, shown);
    for (int level = 0; level < 5; ++level)
        show(IDC_VERY_HARD + level, shown);
    show(IDC_PLAYER, false);
    if (!shown)
        return;
    auto check = [this](int id, bool checked) {
        if (auto* radio = Control<CDXUTRadioButton>(id))
            radio->SetCheckedInternal(checked, true, false, false);
    };
    const bool pbem = g_Gra && g_Gra->m_IsPbem;
    if (m_Country->HumanControlled) {
        check(IDC_HUMAN, true);
        show(IDC_PLAYER, pbem);
    } else {
        check(IDC_AI, true);
    }
    check(IDC_VERY_HARD + std::clamp(m_Country->DifficultyLevel, 0, 4), true);
    // A country without a player (yet) shows none: a player shown would pass for its own.
    if (auto* combo = Control<CDXUTComboBox>(IDC_PLAYER))
        if (m_Country->PBEMPlayerId < 1 || combo->SetSelectedByData(NumberAsData(m_Country->PBEMPlayerId)) != S_OK)
            combo->ClearSelection();
}

void cScenarioSettingsMenu::OnControllerChanged()
{
    if (!m_Country)
        return;
    auto checked = [this](int id) {
        auto* radio = Control<CDXUTRadioButton>(id);
        return radio && radio->GetChecked();
    };
    if (checked(IDC_HUMAN)) {
        m_Country->HumanControlled = true;
        // With no player in the box yet the country keeps none, and OK refuses it.
        if (g_Gra && g_Gra->m_IsPbem)
            if (auto* combo = Control<CDXUTComboBox>(IDC_PLAYER); combo && combo->GetSelectedItem())
                m_Country->PBEMPlayerId = DataAsNumber(combo->GetSelectedData());
    } else if (checked(IDC_AI)) {
        m_Country->HumanControlled = false;
    }
    int level = 4;
    for (int k = 0; k < 4; ++k)
        if (checked(IDC_VERY_HARD + k)) {
            level = k;
            break;
        }
    m_Country->DifficultyLevel = level;
    if (auto* list = Control<CDXUTListBox>(IDC_COUNTRIES))
        list->SetItemText(list->GetSelectedIndex(), CountryRow(*m_Country));
    // The one refresh of the country's controls shows or hides the player box; the radios and
    // the player it sets are those already shown, so nothing else changes.
    RefreshControllerControls();
}

void cScenarioSettingsMenu::OnPbemBoxChanged()
{
    auto* box = Control<CDXUTCheckBox>(IDC_PBEM);
    if (!box || !g_Gra)
        return;
    const bool byEmail = box->GetChecked();
    g_Gra->m_IsPbem = byEmail;
    SetControlEnabled(IDC_PLAYER, byEmail);
    // The persons keep their countries, and their players too: a tick would else undo, without
    // a word, every country already given, and an untick and a tick would leave every person's
    // country to be given again. At one screen the players are not used (OK lets them go);
    // by e-mail each person's country needs one of them. The country that closes the turn
    // order is a person's only in a game by e-mail, and OK gives it then.
    for (cPanstwo* country : g_Gra->m_Countries) {
        if (!country)
            continue;
        if (!IsListed(*country))
            country->HumanControlled = false;
        if (!IsListed(*country) || !FindPlayer(country->PBEMPlayerId))
            country->PBEMPlayerId = 0;
    }
    FillCountries();
    // The refilled list selects its first country: its statistics and controls follow,
    // rather than stay those of the country chosen before.
    RefreshStatistics();
    RefreshControllerControls();
    TellWhatTheBoxChanged(byEmail);
}

void cScenarioSettingsMenu::TellWhatTheBoxChanged(bool byEmail)
{
    // A turn already sent is not played on here, at one screen either: Start will say so.
    std::wstring refusal, title;
    if (!byEmail && m_LoadedPbemGame && FailedCheck(refusal, title) && title == LangText("pbem_saved_game")) {
        PushDialog(new cDialogTekstowy(LangFormat("scenario_settings_pbem_off_refused_%s", refusal),
                                       LangText("pbem_game_settings")));
        return;
    }
    // The persons' countries in the order of the list: by e-mail those still without a player.
    std::wstring names;
    if (auto* list = Control<CDXUTListBox>(IDC_COUNTRIES))
        for (int row = 0; row < list->GetSize(); ++row) {
            const auto* country = static_cast<const cPanstwo*>(list->GetItem(row)->pData);
            if (country && country->HumanControlled && !(byEmail && FindPlayer(country->PBEMPlayerId)))
                names += (names.empty() ? L"" : L", ") + country->Name;
        }
    if (names.empty())
        return;
    PushDialog(new cDialogTekstowy(LangFormat(byEmail ? "scenario_settings_pbem_on_%s" : "scenario_settings_pbem_off_%s",
                                              names),
                                   LangText("pbem_game_settings")));
}

void cScenarioSettingsMenu::OnPlayerSelected()
{
    auto* list = Control<CDXUTListBox>(IDC_PLAYERS);
    m_PlayerNumber = list ? DataAsNumber(list->GetSelectedData()) : 0;
    const sPbemPlayer* player = FindPlayer(m_PlayerNumber);
    auto set = [this](int id, const std::wstring& text, bool sample = false) {
        if (auto* edit = Control<CDXUTEditBox>(id))
            edit->SetText(text.c_str(), sample);
    };
    if (!player) {
        m_PlayerNumber = 0;
        // Samples of what to type: chosen whole, so that the player types over them.
        set(IDC_PLAYER_NAME, LangText("scenario_settings_pbem_new_player_name"), true);
        set(IDC_PLAYER_EMAIL, LangText("scenario_settings_pbem_new_player_email"), true);
    } else {
        set(IDC_PLAYER_NAME, player->name);
        set(IDC_PLAYER_EMAIL, player->email);
    }
    SetControlEnabled(IDC_REMOVE_PLAYER, player != nullptr);
    if (CDXUTControl* remove = GetControl(IDC_REMOVE_PLAYER))
        remove->SetHint(RemovePlayerHint(player));
}

void cScenarioSettingsMenu::OnSavePlayerPressed()
{
    if (!g_Gra)
        return;
    // A sample shows what to type and is never a value, typed over or not. Without the blanks
    // around it; what the saved game cannot keep is refused below, never cut.
    auto typed = [this](int id, const char* sampleKey) {
        auto* edit = Control<CDXUTEditBox>(id);
        const std::wstring text = edit && !edit->IsSample() ? WithoutOuterBlanks(edit->GetText()) : std::wstring();
        return text == LangText(sampleKey) ? std::wstring() : text;
    };
    const std::wstring name = typed(IDC_PLAYER_NAME, "scenario_settings_pbem_new_player_name"),
                       email = typed(IDC_PLAYER_EMAIL, "scenario_settings_pbem_new_player_email");
    auto& players = g_Gra->m_PbemPlayers;
    // Refused with why, and what was typed stays to be mended: nobody would know whom to send
    // the turn to, or where, and two players of one name are one name twice in the countries' box.
    const auto namesake = std::find_if(players.begin(), players.end(), [&](const sPbemPlayer& p) {
        return p.number != m_PlayerNumber && WithoutOuterBlanks(p.name) == name;
    });
    // A name and an address stand as cells of the players' list, and the name in the list of
    // countries: the characters that part a list row into cells are refused, with why.
    const auto nameRefused = RefusedName(name, kMaxNameLength, kCellSeparators, false,
                                         {"scenario_settings_pbem_player_needs_name",
                                          "scenario_settings_pbem_player_name_too_long_%i_%i",
                                          "scenario_settings_pbem_player_name_invalid_%s"});
    const auto emailRefused = RefusedName(email, kMaxNameLength, kCellSeparators, false,
                                          {"scenario_settings_pbem_player_needs_email",
                                           "scenario_settings_pbem_player_email_too_long_%i_%i",
                                           "scenario_settings_pbem_player_email_invalid_%s"});
    std::wstring why;
    if (nameRefused)
        why = *nameRefused;
    else if (emailRefused)
        why = *emailRefused;
    else if (email.find(L'@') == std::wstring::npos)
        why = LangText("scenario_settings_pbem_player_needs_email");
    else if (namesake != players.end())
        why = LangFormat("scenario_settings_pbem_player_name_taken_%s_%s", name, namesake->email);
    if (!why.empty()) {
        PushDialog(new cDialogTekstowy(why, LangText("pbem_game_settings")));
        return;
    }
    auto found = std::find_if(players.begin(), players.end(),
                              [this](const sPbemPlayer& p) { return p.number == m_PlayerNumber; });
    if (m_PlayerNumber != 0 && found != players.end()) {
        found->name = name;
        found->email = email;
    } else if (g_Gra->m_PbemPlayers.size() >= size_t(kMaxPbemPlayers)) {
        // The saved game keeps eight players: the player is told, and what was typed stays.
        PushDialog(new cDialogTekstowy(LangFormat("scenario_settings_pbem_too_many_players", kMaxPbemPlayers),
                                       LangText("pbem_game_settings")));
        return;
    } else {
        // A new id above every id in use, so that no two players share one.
        int highest = 0;
        for (const sPbemPlayer& p : g_Gra->m_PbemPlayers)
            highest = std::max(highest, p.number);
        g_Gra->m_PbemPlayers.push_back({highest + 1, name, email});
    }
    FillPlayers();
    // The next player typed is a new one: the saved one is not typed over.
    ChooseNewPlayerRow();
}

void cScenarioSettingsMenu::ChooseNewPlayerRow()
{
    if (auto* list = Control<CDXUTListBox>(IDC_PLAYERS); list && list->GetSize() > 0)
        list->SelectItem(0, false);
    OnPlayerSelected();
}

void cScenarioSettingsMenu::OnRemovePlayerPressed()
{
    if (!g_Gra || m_PlayerNumber == 0)
        return;
    auto& players = g_Gra->m_PbemPlayers;
    players.erase(std::remove_if(players.begin(), players.end(),
                                 [this](const sPbemPlayer& p) { return p.number == m_PlayerNumber; }),
                  players.end());
    // Nobody plays the removed player's countries by e-mail: the computer takes them back, in
    // sight on the countries page, rather than they stay a person's whom no turn is sent to.
    for (cPanstwo* country : g_Gra->m_Countries)
        if (country && country->PBEMPlayerId == m_PlayerNumber) {
            country->PBEMPlayerId = 0;
            if (!IsDummyCountry(*country))
                country->HumanControlled = false;
        }
    RefreshCountryRows();
    RefreshControllerControls();
    FillPlayers();
    // As after a save: the removed player is chosen no more.
    ChooseNewPlayerRow();
}

void cScenarioSettingsMenu::RefreshStatistics()
{
    auto* list = Control<CDXUTListBox>(IDC_STATS);
    auto* tabs = Control<CDXUTTabFrame>(IDC_STATS_TABS);
    if (!list || !tabs)
        return;
    list->RemoveAllItems();
    if (auto* name = Control<CDXUTStatic>(IDC_COUNTRY_NAME))
        name->SetText(m_Country ? m_Country->Name : std::wstring());
    if (!m_Country)
        return;
    ShowCountryFlag(*this, IDC_FLAG, m_Country->ID, kFlagSlot);
    const cPanstwo& c = *m_Country;
    auto row = [list](const std::wstring& text) { list->AddItem(text, nullptr); };
    switch (tabs->GetSelectedIndex()) {
    case 0:
        list->SetColumns(2, LangText("scenario_settings_country_stats_general_columns"), 50, 50);
        if (c.Alliance == 0)
            row(FormatText(L"%s;%i%%", LangText("country_stats_alliance_entry"), c.AllianceEntry));
        row(FormatText(L"%s;%s", LangText("country_stats_alliance"), c.GetAllianceName(c.Alliance, true)));
        row(FormatText(L"%s;%s", LangText("country_stats_political_orientation"), c.GetOrientationName(true)));
        row(FormatText(L"%s;%s", LangText("country_stats_zone_of_influence"), c.GetZoneOfInfluenceName(true)));
        row(FormatText(L"%s;%i", LangText("country_stats_political_strength"), c.PoliticalStrength));
        row(FormatText(L"%s;%.0f%%", LangText("country_stats_social_unrest"), double(c.SocialUnrest)));
        row(FormatText(L"%s;%.0f%%", LangText("country_stats_war_economy"), double(c.WarEconomy)));
        row(FormatText(L"%s;%i", LangText("country_stats_land_warfare_doctrine_level"), c.TechLevel[TECH_DOCTRINE]));
        row(FormatText(L"%s;%i", LangText("country_stats_nuclear_bombs"), c.NuclearBombs));
        break;
    case 1:
        list->SetColumns(2, LangText("scenario_settings_country_stats_resources_columns"), 50, 50);
        // Whole points: rounded, 47.62 would read 48, a point the country cannot spend.
        row(FormatText(L"%s;%.0f", LangText("country_stats_production_points"), std::floor(c.PP)));
        row(FormatText(L"%s;%s", LangText("country_stats_diplomacy_points"),
                       LangFormat("country_stats_diplomacy_points_value", c.DP, c.DPGrowthPerMonth)));
        row(FormatText(L"%s;%i", LangText("country_stats_strategic_movement_points"), c.SMP));
        row(FormatText(L"%s;%i", LangText("country_stats_sea_transport_points"), c.STP));
        row(FormatText(L"%s;%i", LangText("country_stats_amphibious_invasion_points"), c.AIP));
        break;
    case 2: {
        list->SetColumns(3, LangText("scenario_settings_country_stats_units_columns"), 60, 20, 20);
        ForceSummary forces{};
        c.CollectForceSummary(forces);
        for (const sUnitRow& unit : kUnitRows)
            row(FormatText(L"%s;%i;%i", cUnit::GetSubtypeText(unit.type), forces[size_t(unit.summaryRow)][0],
                           forces[size_t(unit.summaryRow)][1]));
        break;
    }
    default: {
        list->SetColumns(2, LangText("scenario_settings_country_stats_technology_columns"), 50, 50);
        const std::pair<const char*, int> techs[] = {
            {"country_stats_technology_artillery", TECH_ARTILLERY}, {"country_stats_technology_tanks", TECH_TANKS},
            {"country_stats_technology_aircrafts", TECH_AIRCRAFT},  {"country_stats_technology_submarines", TECH_SUBMARINES},
            {"country_stats_technology_warships", TECH_NAVY},        {"country_stats_technology_nuclear_bomb", TECH_NUCLEAR}};
        for (const auto& [key, tech] : techs)
            row(FormatText(L"%s;%i", LangText(key), c.TechLevel[tech]));
        break;
    }
    }
}

bool cScenarioSettingsMenu::FailedCheck(std::wstring& message, std::wstring& title) const
{
    auto fail = [&](const char* messageKey, const char* titleKey) {
        message = LangText(messageKey);
        title = LangText(titleKey);
        return true;
    };
    auto failWith = [&](const std::wstring& why, const char* titleKey) {
        message = why;
        title = LangText(titleKey);
        return true;
    };
    if (!g_Gra)
        return false;
    // A scenario carries no saved version: only a saved game can be too old. A save of any
    // version since 0.10 passes, not only of this one: the format has not changed since, and
    // refusing them would lose the player's war.
    const bool loaded = g_Gra->m_LoadedFromSave != 0;
    if (loaded && !IsSaveVersionSupported(g_Gra->m_SaveGameVersion))
        return fail("this_save_is_not_compatible_with_current_game_version", "incompatible_version");
    // Only a game loaded as one played by e-mail has turns already played: a save made one
    // here is as new as a scenario, and looked up it would leave a record under "unknown".
    // A turn already sent stays sent with the box unticked too: at one screen it would be
    // played on here while the others play it by e-mail, and the war would part in two.
    if (m_LoadedPbemGame) {
        cPlayState* play = g_Gra->m_PlayState;
        const cPanstwo* active = play ? play->GetActiveCountry() : nullptr;
        const cPanstwo* next = PickNextCountry(g_Gra->m_Countries, active);
        const int nextPlayer = next ? next->PBEMPlayerId : 0;
        // Told as what it is: read as missing, a folder that cannot be written to would be
        // told to be mended or deleted.
        if (const std::optional<std::wstring> notMade = MakePbemRepository())
            return failWith(LangFormat("pbem_repository_not_made_%s", *notMade), "pbem_saved_game");
        std::wstring why;
        const std::optional<int> here =
            ReadPbemRepositoryEntry(g_Gra->m_PbemGameName, [nextPlayer] { return nextPlayer; }, &why);
        if (!here)
            return failWith(LangFormat("pbem_repository_not_read_%s", why), "pbem_saved_game");
        const char* const played =
            "you_already_played_your_turn_in_this_pbem_game._wait_for_other_players_to_finish_their_turns.";
        if (*here != nextPlayer && !(active && IsDummyCountry(*active)))
            return fail(played, "pbem_saved_game");
        // A save made in a turn since handed over (from the pause menu, or a copy of the
        // folder) would play that turn again: the game's folder tells how far each country has
        // played. A country that has finished the save's turn plays the next one.
        if (next && !IsDummyCountry(*next)) {
            const int toPlay = g_Gra->m_Turn + (next->FinishedTurn ? 1 : 0);
            if (const std::optional<int> done = TurnsHandedOver(g_Gra->m_PbemGameName, next->ID); done && *done >= toPlay)
                return fail(played, "pbem_saved_game");
        }
    }
    if (!g_Gra->HasHumanCountry())
        return fail("at_least_one_country_must_be_controlled_by_human.", "game_settings");
    if (PbemBoxChecked()) {
        // Every person's country has a player of the list, and two players at least have one:
        // a country of nobody's, or of a removed player's, would be played at whichever screen
        // its turn came to, by the person of another country. A loaded game is held to it too,
        // as its players and countries can be changed here as well.
        // The message names the countries, so that the player knows which to mend.
        std::vector<int> ids;
        std::wstring withoutPlayer, withPlayer, withoutAddress;
        for (const cPanstwo* country : g_Gra->m_Countries) {
            if (!country || !country->HumanControlled || !IsListed(*country))
                continue;
            const sPbemPlayer* player = FindPlayer(country->PBEMPlayerId);
            if (!player)
                withoutPlayer += (withoutPlayer.empty() ? L"" : L", ") + country->Name;
            else
                withPlayer += FormatText(L"%s%s (%s)", withPlayer.empty() ? L"" : L", ", country->Name, PlayerLabel(*player));
            // An older save's player may lack a name or an address: the turn would be handed
            // over to nobody anyone could find.
            if (player && (IsBlank(player->name) || IsBlank(player->email)))
                withoutAddress += (withoutAddress.empty() ? L"" : L", ") + country->Name;
            if (player && std::find(ids.begin(), ids.end(), country->PBEMPlayerId) == ids.end())
                ids.push_back(country->PBEMPlayerId);
        }
        if (!withoutPlayer.empty())
            return failWith(LangFormat("settings_for_pbem_game_are_incorrect._%s", withoutPlayer), "pbem_game_settings");
        if (!withoutAddress.empty())
            return failWith(LangFormat("pbem_player_without_address_%s", withoutAddress), "pbem_game_settings");
        if (ids.size() < 2)
            return failWith(LangFormat("pbem_game_needs_two_players_%s", withPlayer), "pbem_game_settings");
    }
    if (IsNewPbemGame() && PbemBoxChecked()) {
        auto* edit = dynamic_cast<CDXUTEditBox*>(const_cast<cScenarioSettingsMenu*>(this)->GetControl(IDC_GAME_NAME));
        const std::wstring name = edit ? edit->GetText() : std::wstring();
        if (const std::optional<std::wstring> why = MakeGameFolder(name))
            return failWith(*why, "pbem_game_settings");
    }
    return false;
}

bool cScenarioSettingsMenu::PbemBoxChecked() const
{
    auto* box = dynamic_cast<CDXUTCheckBox*>(const_cast<cScenarioSettingsMenu*>(this)->GetControl(IDC_PBEM));
    return box && box->GetChecked();
}

void cScenarioSettingsMenu::ApplyPbemGame()
{
    if (IsNewPbemGame()) {
        auto* edit = Control<CDXUTEditBox>(IDC_GAME_NAME);
        g_Gra->m_IsPbem = true;
        g_Gra->m_PbemGameName = edit ? edit->GetText() : std::wstring();
    }
    // The save lists the players in order, numbered from 1 (a loaded game's too, after a
    // player was removed here): the countries follow.
    // A number no player holds (a damaged save's, a negative one too) becomes nobody's.
    std::map<int, int> renumbered;
    int next = 1;
    for (sPbemPlayer& player : g_Gra->m_PbemPlayers) {
        renumbered[player.number] = next;
        player.number = next++;
    }
    for (cPanstwo* country : g_Gra->m_Countries)
        if (country) {
            const auto found = renumbered.find(country->PBEMPlayerId);
            country->PBEMPlayerId = found != renumbered.end() ? found->second : 0;
            if (IsDummyCountry(*country))
                country->HumanControlled = true;
        }
    // The game's folder was just made beside it: what fails here fails at the first hand-over
    // too, which tells it.
    MakePbemRepository();
}

void cScenarioSettingsMenu::OnOkPressed()
{
    std::wstring message, title;
    if (FailedCheck(message, title)) {
        PushDialog(new cDialogTekstowy(message, title));
        return;
    }
    const bool newWar = PbemBoxChecked() && IsNewPbemGame();
    if (PbemBoxChecked())
        ApplyPbemGame();
    else
        // Kept while the box was unticked, so that a tick gave them back: at one screen a
        // country of a player by e-mail would be taken for a person's where the rules ask.
        for (cPanstwo* country : g_Gra->m_Countries)
            if (country)
                country->PBEMPlayerId = 0;
    g_Textures[TEX_WALLPAPER_SCENARIO_SETTINGS].Release();
    g_Gra->StartGame(newWar ? KeepNewWar : std::function<void()>());
}

void cScenarioSettingsMenu::OnBackPressed()
{
    DestroyGame();
    OpenScenarioMenu();
    g_Textures[TEX_WALLPAPER_SCENARIO_SETTINGS].Release();
}
