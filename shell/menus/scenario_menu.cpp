#include "shell/menus/scenario_menu.h"

#include <algorithm>
#include <filesystem>

#include "core/ini.h"
#include "core/log.h"
#include "core/stringbase.h"
#include "core/text.h"
#include "dialogs/dialog_stack.h"
#include "dialogs/message_dialog.h"
#include "game/game.h"
#include "game/load_request.h"
#include "game/paths.h"
#include "game/save_game.h"
#include "gui/layout.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "shell/dialog_builders.h"
#include "shell/draw_helpers.h"
#include "shell/menus/loading_menu.h"
#include "shell/menus/main_menu.h"
#include "shell/sound.h"
#include "shell/sound_effects.h"
#include "shell/startup.h"
#include "shell/textures.h"

std::wstring g_SelectedEntryName = L"xyz";

namespace {

enum eScenarioMenuControl
{
    IDC_TITLE = 175,
    IDC_BOX_ICON = 176,
    IDC_BOX = 177,
    IDC_TABS = 178,
    IDC_LIST = 179,
    IDC_AUTHOR_CAPTION = 181,
    IDC_AUTHOR = 182,
    IDC_VERSION_CAPTION = 183,
    IDC_VERSION = 184,
    IDC_DURATION_CAPTION = 185,
    IDC_DURATION = 186,
    IDC_SAVE_DATE_CAPTION = 187,
    IDC_SAVE_DATE = 188,
    IDC_SAVE_TURN_CAPTION = 189,
    IDC_SAVE_TURN = 190,
    IDC_DESCRIPTION_CAPTION = 191,
    IDC_DESCRIPTION = 192,
    IDC_GOALS_CAPTION = 193,
    IDC_GOALS = 194,
    IDC_MAP_SIZE_CAPTION = 197,
    IDC_MAP_SIZE = 198,
    IDC_PICTURE = 199,
    IDC_START = 200,
    IDC_BACK = 201,
    IDC_VERSION_LINE = 7001,
};

constexpr int kIconOfTheBox = 6;
const wchar_t* const kTabRoots[3] = {L"data\\scenarios", L"data\\save", L"data\\pbem"};
// A detail of no game.
const wchar_t* const kNoDetail = L"-";

// "General_<language id>/<key>" of Info.ini.
std::string GeneralKey(const char* key) { return "General_" + g_StringBase.GetLanguageId() + "/" + key; }

void LoadInfo(cIniFile& ini, const std::wstring& pattern) { ini.Load(HostPath(JoinPathPattern(pattern, L"Info.ini"))); }

// A folder of the saved games' tabs that holds no game of its own; nothing on the scenarios'.
std::optional<sFolderWithoutGame> WithoutGame(int tab, const std::wstring& pattern)
{
    if (tab == 0)
        return std::nullopt;
    std::wstring folder = JoinPathPattern(pattern, L"");
    if (!folder.empty() && folder.back() == L'\\')
        folder.pop_back();
    return FolderWithoutGame(folder);
}

// The memo text of the numbered lines "General_<id>/<prefix>1", 2 ... while they exist.
std::wstring NumberedLines(cIniFile& ini, const char* prefix)
{
    std::wstring text;
    for (int i = 1; i <= 99; ++i) {
        const std::string key = GeneralKey(prefix) + std::to_string(i);
        if (!ini.HasKey(key))
            break;
        text += ini.GetString(key, L"") + L"\n";
    }
    return text;
}

// The folder names under a root: folders only, not hidden, sorted (this system's directory
// search gives them in no set order; listed in a different order at each visit, the row
// chosen first would change).
std::vector<std::wstring> ListFolders(const wchar_t* root)
{
    std::vector<std::wstring> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(HostPath(std::wstring_view(root)), ec)) {
        if (!entry.is_directory(ec))
            continue;
        std::wstring name = Utf8ToWide(entry.path().filename().string());
        if (name.empty() || name[0] == L'.')
            continue;
        // The game's paths use '\' as their separator: such a name would lead out of the folder.
        // Dots between other characters ("Wait..and see") lead nowhere, and ".." is hidden.
        if (name.find(L'\\') != std::wstring::npos) {
            LogLine(L"A folder named \"%s\" in %s is not listed: its name leads out of the folder", name, root);
            continue;
        }
        names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());
    return names;
}

// A cell of a list row. The list splits a row at ';' and '|' and leaves out empty cells: a
// name holding one (a save called "Poland; day 3") or an empty name would move the columns.
std::wstring AsCell(std::wstring text)
{
    std::replace(text.begin(), text.end(), L';', L',');
    std::replace(text.begin(), text.end(), L'|', L'/');
    return text.empty() ? std::wstring(kNoDetail) : text;
}

void SetEditText(CDXUTDialog& dialog, int id, const std::wstring& text)
{
    if (auto* edit = dynamic_cast<CDXUTEditBox*>(dialog.GetControl(id)))
        edit->SetText(text.c_str());
}

void SetMemoText(CDXUTDialog& dialog, int id, const std::wstring& text)
{
    if (auto* memo = dynamic_cast<CDXUTMemo*>(dialog.GetControl(id)))
        memo->SetText(text.c_str());
}

} // namespace

void OpenScenarioMenu()
{
    auto* menu = new cScenarioMenu;
    g_CurrentMenu = menu;
    menu->FillList();
}

cScenarioMenu::cScenarioMenu()
{
    LogLine(L"----- SinglePlayer Menu -----");
    LoadWallpaper(TEX_WALLPAPER_SCENARIO, L"data\\gfx\\wallpaper_scenario.png");
    AddTitleFromLayout(IDC_TITLE, LangText("scenario_title"));
    // The tab frame lies under the list: it comes first.
    AddTabFrame(IDC_TABS);
    if (auto* tabs = Control<CDXUTTabFrame>(IDC_TABS)) {
        tabs->AddTab(LangText("scenario_tab_new_game").c_str(), 0, 0, -1);
        tabs->AddTab(LangText("scenario_tab_load_game").c_str(), 1, IDC_SAVE_DATE_CAPTION, IDC_SAVE_TURN);
        tabs->AddTab(LangText("scenario_tab_load_pbem_game").c_str(), 2, IDC_SAVE_DATE_CAPTION, IDC_SAVE_TURN);
    }
    LogLine(L"----- Adding listbox");
    AddListBoxFromLayout(IDC_LIST, 0);
    LogLine(L"----- Setting columns");
    if (auto* list = Control<CDXUTListBox>(IDC_LIST))
        list->SetColumns(3, LangText("scenarios_list_new_game_columns"), 70, 15, 15);
    const std::wstring none = kNoDetail;
    AddReadOnlyEditBox(this, IDC_AUTHOR, none.c_str(), L"", IDC_AUTHOR_CAPTION, LangText("scenario_author").c_str());
    AddReadOnlyEditBox(this, IDC_VERSION, none.c_str(), L"", IDC_VERSION_CAPTION, LangText("scenario_version").c_str());
    AddReadOnlyEditBox(this, IDC_DURATION, none.c_str(), L"", IDC_DURATION_CAPTION,
                       LangText("scenario_duration").c_str());
    AddReadOnlyEditBox(this, IDC_SAVE_DATE, none.c_str(), L"", IDC_SAVE_DATE_CAPTION,
                       LangText("scenario_save_date").c_str());
    AddReadOnlyEditBox(this, IDC_SAVE_TURN, none.c_str(), L"", IDC_SAVE_TURN_CAPTION,
                       LangText("scenario_save_turn").c_str());
    AddMemoWithCaption(this, IDC_DESCRIPTION, L"", nullptr, IDC_DESCRIPTION_CAPTION,
                       LangText("scenario_description").c_str());
    AddMemoWithCaption(this, IDC_GOALS, L"", nullptr, IDC_GOALS_CAPTION, LangText("scenario_goals").c_str());
    AddReadOnlyEditBox(this, IDC_MAP_SIZE, none.c_str(), L"", IDC_MAP_SIZE_CAPTION,
                       LangText("scenario_map_size").c_str());

    AddImageFromLayout(IDC_PICTURE, TEX_PREVIEW_MINIMAP, 0, 0, 512, 512, nullptr);
    if (auto* picture = Control<CDXUTImage>(IDC_PICTURE)) {
        sLayoutRect square = g_GuiLayout[IDC_PICTURE];
        FitSquareInRect(square, 1, 1);
        picture->SetLocation(square.x, square.y);
        picture->SetSize(square.width, square.height);
        picture->SetTextureSource([] { return g_Textures[TEX_PREVIEW_MINIMAP].Get(); });
        picture->SetEnabled(false);
        picture->SetVisible(false);
    }
    AddButtonFromLayout(IDC_START, LangText("scenario_new_game_start").c_str(),
                        LangText("scenario_new_game_start_hint").c_str());
    AddButtonFromLayout(IDC_BACK, LangText("scenario_back").c_str(), LangText("scenario_back_hint").c_str());
    AddVersionLine(IDC_VERSION_LINE);

    // The save fields exist now: the first tab does not show them.
    for (int id = IDC_SAVE_DATE_CAPTION; id <= IDC_SAVE_TURN; ++id)
        if (CDXUTControl* field = GetControl(id))
            field->SetVisible(false);
    SetVisible(true);
}

void cScenarioMenu::OnGUIEvent(unsigned event, int id, CDXUTControl*)
{
    switch (id) {
    case IDC_TABS: OnTabChanged(); break;
    case IDC_LIST:
        if (event == EVENT_LISTBOX_SELECTION)
            OnRowSelected();
        else if (event == EVENT_LISTBOX_ITEM_DBLCLK)
            OnRowDoubleClicked();
        break;
    case IDC_START: OnStartPressed(); break;
    case IDC_BACK: OnBackPressed(); break;
    default: break;
    }
}

void cScenarioMenu::OnKeyboard(unsigned key, bool down, bool)
{
    if (down && key == VK_ESCAPE)
        OnBackPressed();
}

void cScenarioMenu::OnRender(float elapsed)
{
    RenderWallpaper(TEX_WALLPAPER_SCENARIO, elapsed, false);
    const sLayoutRect& box = g_GuiLayout[IDC_BOX];
    DrawGuiBox(box.x, box.y, box.width, box.height, kIconOfTheBox, g_GuiLayout[IDC_BOX_ICON]);
    CDXUTDialog::OnRender(elapsed);
}

void cScenarioMenu::OnTabChanged()
{
    if (auto* tabs = Control<CDXUTTabFrame>(IDC_TABS))
        m_SelectedTab = std::clamp(tabs->GetSelectedIndex(), 0, 2);
    FillList();
}

void cScenarioMenu::FillList()
{
    auto* list = Control<CDXUTListBox>(IDC_LIST);
    if (!list)
        return;
    SetMemoText(*this, IDC_DESCRIPTION, L"");
    SetMemoText(*this, IDC_GOALS, L"");
    list->RemoveAllItems();
    m_Patterns.clear();

    if (m_SelectedTab == 0) {
        LogLine(L"----- Setting columns");
        list->SetColumns(3, LangText("scenarios_list_new_game_columns"), 70, 15, 15);
        LogLine(L"----- Setting columns sort types");
        list->SetColumnSortTypes(3, LIST_SORT_TEXT, LIST_SORT_INTEGER, LIST_SORT_PRODUCT);
        LogLine(L"----- done");
    } else {
        list->SetColumns(3,
                         LangText(m_SelectedTab == 1 ? "scenarios_list_saved_game_columns"
                                                     : "scenarios_list_saved_pbem_columns"),
                         40, 40, 20);
        // By the time the date names: read as an integer it would sort by its first number
        // alone.
        list->SetColumnSortTypes(3, LIST_SORT_TEXT, LIST_SORT_TEXT, LIST_SORT_DATE);
    }

    int reselect = -1;
    const wchar_t* root = kTabRoots[m_SelectedTab];
    // A save or a turn that a killed program left between its renames is listed under its name.
    if (m_SelectedTab != 0)
        SettleInterruptedSaves(root);
    for (const std::wstring& folder : ListFolders(root)) {
        // '%' stands in no save's name: such a folder is one that a save is being written into.
        if (m_SelectedTab != 0 && folder.find(L'%') != std::wstring::npos)
            continue;
        LogLine(L"----- Adding scenario: %s", folder);
        m_Patterns.push_back(std::make_unique<std::wstring>(MakeFolderPattern(root, folder)));
        const std::wstring& pattern = *m_Patterns.back();
        cIniFile ini;
        LoadInfo(ini, pattern);
        const std::wstring name = ini.GetString(GeneralKey("Name"), L"Unknown name");
        std::wstring row;
        if (m_SelectedTab == 0)
            row = FormatText(L"%s;%i;%ix%i", AsCell(name), ini.GetInt("Duration/Turns", 0), ini.GetInt("Map/SizeX", 0),
                             ini.GetInt("Map/SizeY", 0));
        else if (const std::optional<sFolderWithoutGame> none = WithoutGame(m_SelectedTab, pattern))
            row = FormatText(L"%s;%s;--.--.-- --:--", AsCell(folder), AsCell(none->label));
        else // stored year first, the date would be read as another (24.09.01: the 24th of September)
            row = FormatText(L"%s;%s;%s", AsCell(folder), AsCell(name),
                             AsCell(SaveDateAsShown(ini.GetString("Save/Date", L"--.--.-- --:--"))));
        LogLine(L"-------- Adding");
        list->AddItem(row, m_Patterns.back().get());
        LogLine(L"-------- done");
        if (name == g_SelectedEntryName)
            reselect = list->GetSize() - 1;
    }
    // The selection sends no event; the details of the row chosen for the player show
    // all the same: else the fields would go on showing the game of another tab or of an
    // earlier visit, beside a list where it is not.
    if (list->GetSize() > 0) {
        list->SelectItem(reselect >= 0 ? reselect : 0, false);
        ShowDetails();
    } else {
        ShowNothingToLoad();
    }
    SetControlEnabled(IDC_START, list->GetSize() > 0);
    // Greyed, Start says why: the tab lists nothing, and where what it lists comes from.
    static const char* const kNothingListed[] = {"scenario_start_hint_no_scenario", "scenario_start_hint_no_save",
                                                 "scenario_start_hint_no_pbem_game"};
    if (CDXUTControl* start = GetControl(IDC_START))
        start->SetHint(LangText(list->GetSize() > 0 ? "scenario_new_game_start_hint" : kNothingListed[m_SelectedTab]));
}

void cScenarioMenu::OnRowSelected() { ShowDetails(); }

void cScenarioMenu::ShowDetails()
{
    LogLine(L"sp12");
    auto* list = Control<CDXUTListBox>(IDC_LIST);
    auto* pattern = list ? static_cast<const std::wstring*>(list->GetSelectedData()) : nullptr;
    if (!pattern)
        return;
    cIniFile ini;
    LoadInfo(ini, *pattern);
    g_SelectedEntryName = ini.GetString(GeneralKey("Name"), L"Unknown name");
    // No game's details: what the folder is, in the words Start uses.
    if (const std::optional<sFolderWithoutGame> none = WithoutGame(m_SelectedTab, *pattern)) {
        ShowNothingToLoad();
        SetMemoText(*this, IDC_DESCRIPTION, none->text);
        SetMemoText(*this, IDC_GOALS, L"");
        return;
    }

    SetEditText(*this, IDC_AUTHOR, ini.GetString("Misc/Author", L"unknown"));
    SetEditText(*this, IDC_VERSION, ini.GetString("Misc/Version", L"1.0"));
    const std::wstring start = ini.GetString("Duration/StartDate", L"--.--.-- --:--");
    const std::wstring end = ini.GetString("Duration/EndDate", L"--.--.-- --:--");
    SetEditText(*this, IDC_DURATION,
                LangFormat("scenario_duration_%s_to_%s_%i_turns", start, end, ini.GetInt("Duration/Turns", 0)));
    SetEditText(*this, IDC_MAP_SIZE, FormatText(L"%ix%i", ini.GetInt("Map/SizeX", 0), ini.GetInt("Map/SizeY", 0)));
    // A folder without a save's keys shows none, not the last row's.
    SetEditText(*this, IDC_SAVE_DATE,
                ini.HasKey("Save/Date") ? SaveDateAsShown(ini.GetString("Save/Date", L"")) : kNoDetail);
    SetEditText(*this, IDC_SAVE_TURN,
                ini.HasKey("Save/Turn")
                    ? LangFormat("%02d.%02d.%02d_turn_%i", ini.GetInt("Save/GameDayDisplayed", 0),
                                 ini.GetInt("Save/GameMonthDisplayed", 0), ini.GetInt("Save/GameYearDisplayed", 0),
                                 ini.GetInt("Save/Turn", 0))
                    : std::wstring(kNoDetail));
    SetMemoText(*this, IDC_DESCRIPTION, NumberedLines(ini, "DescriptionLine"));
    SetMemoText(*this, IDC_GOALS, NumberedLines(ini, "ObjectivesLine"));

    // A save shows its scenario's picture; a name that is not a plain folder name is not
    // followed out of the scenarios folder.
    std::wstring picture = JoinPathPattern(*pattern, L"image.png");
    if (ini.HasKey("Save/ScenarioName")) {
        const std::wstring scenario = ini.GetString("Save/ScenarioName", L"unknown scenario");
        picture = IsValidSaveName(scenario, 260)
                      ? JoinPathPattern(MakeFolderPattern(L"data\\scenarios", scenario), L"image.png")
                      : std::wstring();
    }
    if (picture.empty())
        g_Textures[TEX_PREVIEW_MINIMAP].Release();
    else
        g_Textures[TEX_PREVIEW_MINIMAP].Load(picture.c_str(), cTextureHolder::kFile, 1);
    if (auto* image = Control<CDXUTImage>(IDC_PICTURE)) {
        image->SetTextureRect(sRect{0, 0, 512, 512});
        image->SetVisible(true);
    }
    LogLine(L"sp23");
}

void cScenarioMenu::ShowNothingToLoad()
{
    // Nothing is listed: no game of another tab stays on show beside the empty list.
    for (int id : {IDC_AUTHOR, IDC_VERSION, IDC_DURATION, IDC_MAP_SIZE, IDC_SAVE_DATE, IDC_SAVE_TURN})
        SetEditText(*this, id, kNoDetail);
    g_Textures[TEX_PREVIEW_MINIMAP].Release();
    if (auto* image = Control<CDXUTImage>(IDC_PICTURE))
        image->SetVisible(false);
}

void cScenarioMenu::OnRowDoubleClicked() { StartSelected(true); }

void cScenarioMenu::OnStartPressed() { StartSelected(false); }

void cScenarioMenu::StartSelected(bool doubleClick)
{
    auto* list = Control<CDXUTListBox>(IDC_LIST);
    auto* pattern = list ? static_cast<const std::wstring*>(list->GetSelectedData()) : nullptr;
    if (!pattern)
        return;
    // Nothing to load, and nothing damaged: told as the list tells it.
    if (const std::optional<sFolderWithoutGame> none = WithoutGame(m_SelectedTab, *pattern)) {
        PushDialog(new cDialogTekstowy(LangFormat("load_folder_without_game_%s", none->text),
                                       LangText("load_game_refused_title")));
        return;
    }
    if (!doubleClick)
        g_Textures[TEX_WALLPAPER_SCENARIO].Release();
    sGameLoadRequest request{*pattern, m_SelectedTab != 0 ? 1 : 0};
    if (doubleClick) {
        LogLine(L"sp34");
        LogLine(LangText("loading_scenario_from_%s"), request.folderPattern);
    }
    const int tab = m_SelectedTab;
    // This menu ends with the loading screen's construction; it is freed after this
    // handler has returned.
    g_CurrentMenu = new cLoadingMenu;
    std::wstring refusal;
    if (!CreateGameOrRefuse(request, refusal)) {
        RefuseGame(tab, request.folderPattern, refusal);
        return;
    }
    const std::wstring leftOut = RowsLeftOutText();
    if (!leftOut.empty())
        PushDialog(new cDialogTekstowy(leftOut + L"\n" + LangText("load_rows_left_out_note"),
                                       LangText("load_rows_left_out_title")));
    if (doubleClick)
        LogLine(L"sp45");
}

void cScenarioMenu::RefuseGame(int tab, const std::wstring& folderPattern, const std::wstring& reason)
{
    // Nothing of the game is kept: what its loading had put up goes with it, and the
    // menu music that the game's panels stopped plays again.
    DestroyGame();
    g_Textures[TEX_WALLPAPER_LOADING_PAUSE].Release();
    StopSoundSlot(sound_effects::kMainMenuMusicLoop);
    PlaySoundSlot(sound_effects::kMainMenuMusicLoop, true);
    auto* menu = new cScenarioMenu;
    g_CurrentMenu = menu;
    menu->m_SelectedTab = tab;
    if (auto* tabs = menu->Control<CDXUTTabFrame>(IDC_TABS))
        tabs->SelectTab(tab, false);
    menu->FillList();
    menu->SelectRow(folderPattern);
    PushDialog(new cDialogTekstowy(LangFormat("load_game_refused_%s", reason), LangText("load_game_refused_title")));
}

void cScenarioMenu::SelectRow(const std::wstring& folderPattern)
{
    auto* list = Control<CDXUTListBox>(IDC_LIST);
    if (!list)
        return;
    for (int row = 0; row < list->GetSize(); ++row) {
        const DXUTListBoxItem* item = list->GetItem(row);
        const auto* pattern = item ? static_cast<const std::wstring*>(item->pData) : nullptr;
        if (pattern && *pattern == folderPattern) {
            list->SelectItem(row, false);
            ShowDetails();
            return;
        }
    }
}

void cScenarioMenu::OnBackPressed()
{
    g_Textures[TEX_WALLPAPER_SCENARIO].Release();
    g_CurrentMenu = new cMainMenu;
}
