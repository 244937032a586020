#include "dialogs/preferences_dialog.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/log.h"
#include "core/settings.h"
#include "core/stringbase.h"
#include "core/text.h"
#include "dialogs/message_dialog.h"
#include "game/game.h"
#include "game/play_state.h"
#include "game/presentation.h"
#include "gui/controls.h"
#include "gui/layout.h"
#include "platform/paths.h"
#include "platform/window.h"
#include "shell/dialog_builders.h"
#include "shell/hint_display.h"
#include "shell/skin_atlas.h"
#include "shell/sound.h"
#include "world/country.h"

std::vector<sResolutionOption> g_OfferedResolutions;

const sBorderColour kBorderColours[kBorderColourCount] = {
    {0xFFF5A52Cu, "border_color_default"},
    {0xFFF0F8FFu, "border_color_aliceblue"},
    {0xFFFAEBD7u, "border_color_antiquewhite"},
    {0xFF00FFFFu, "border_color_aqua"},
    {0xFF7FFFD4u, "border_color_aquamarine"},
    {0xFFF0FFFFu, "border_color_azure"},
    {0xFFF5F5DCu, "border_color_beige"},
    {0xFFFFE4C4u, "border_color_bisque"},
    {0xFF000000u, "border_color_black"},
    {0xFFFFEBCDu, "border_color_blanchedalmond"},
    {0xFF0000FFu, "border_color_blue"},
    {0xFF8A2BE2u, "border_color_blueviolet"},
    {0xFFA52A2Au, "border_color_brown"},
    {0xFFDEB887u, "border_color_burlywood"},
    {0xFF5F9EA0u, "border_color_cadetblue"},
    {0xFF7FFF00u, "border_color_chartreuse"},
    {0xFFD2691Eu, "border_color_chocolate"},
    {0xFFFF7F50u, "border_color_coral"},
    {0xFF6495EDu, "border_color_cornflowerblue"},
    {0xFFFFF8DCu, "border_color_cornsilk"},
    {0xFFDC143Cu, "border_color_crimson"},
    {0xFF00FFFFu, "border_color_cyan"},
    {0xFF00008Bu, "border_color_darkblue"},
    {0xFF008B8Bu, "border_color_darkcyan"},
    {0xFFB8860Bu, "border_color_darkgoldenrod"},
    {0xFFA9A9A9u, "border_color_darkgray"},
    {0xFFA9A9A9u, "border_color_darkgrey"},
    {0xFF006400u, "border_color_darkgreen"},
    {0xFFBDB76Bu, "border_color_darkkhaki"},
    {0xFF8B008Bu, "border_color_darkmagenta"},
    {0xFF556B2Fu, "border_color_darkolivegreen"},
    {0xFFFF8C00u, "border_color_darkorange"},
    {0xFF9932CCu, "border_color_darkorchid"},
    {0xFF8B0000u, "border_color_darkred"},
    {0xFFE9967Au, "border_color_darksalmon"},
    {0xFF8FBC8Fu, "border_color_darkseagreen"},
    {0xFF483D8Bu, "border_color_darkslateblue"},
    {0xFF2F4F4Fu, "border_color_darkslategray"},
    {0xFF2F4F4Fu, "border_color_darkslategrey"},
    {0xFF00CED1u, "border_color_darkturquoise"},
    {0xFF9400D3u, "border_color_darkviolet"},
    {0xFFFF1493u, "border_color_deeppink"},
    {0xFF00BFFFu, "border_color_deepskyblue"},
    {0xFF696969u, "border_color_dimgray"},
    {0xFF696969u, "border_color_dimgrey"},
    {0xFF1E90FFu, "border_color_dodgerblue"},
    {0xFFB22222u, "border_color_firebrick"},
    {0xFFFFFAF0u, "border_color_floralwhite"},
    {0xFF228B22u, "border_color_forestgreen"},
    {0xFFFF00FFu, "border_color_fuchsia"},
    {0xFFDCDCDCu, "border_color_gainsboro"},
    {0xFFF8F8FFu, "border_color_ghostwhite"},
    {0xFFFFD700u, "border_color_gold"},
    {0xFFDAA520u, "border_color_goldenrod"},
    {0xFF808080u, "border_color_gray"},
    {0xFF808080u, "border_color_grey"},
    {0xFF008000u, "border_color_green"},
    {0xFFADFF2Fu, "border_color_greenyellow"},
    {0xFFF0FFF0u, "border_color_honeydew"},
    {0xFFFF69B4u, "border_color_hotpink"},
    {0xFFCD5C5Cu, "border_color_indianred"},
    {0xFF4B0082u, "border_color_indigo"},
    {0xFFFFFFF0u, "border_color_ivory"},
    {0xFFF0E68Cu, "border_color_khaki"},
    {0xFFE6E6FAu, "border_color_lavender"},
    {0xFFFFF0F5u, "border_color_lavenderblush"},
    {0xFF7CFC00u, "border_color_lawngreen"},
    {0xFFFFFACDu, "border_color_lemonchiffon"},
    {0xFFADD8E6u, "border_color_lightblue"},
    {0xFFF08080u, "border_color_lightcoral"},
    {0xFFE0FFFFu, "border_color_lightcyan"},
    {0xFFFAFAD2u, "border_color_lightgoldenrodyellow"},
    {0xFFD3D3D3u, "border_color_lightgray"},
    {0xFFD3D3D3u, "border_color_lightgrey"},
    {0xFF90EE90u, "border_color_lightgreen"},
    {0xFFFFB6C1u, "border_color_lightpink"},
    {0xFFFFA07Au, "border_color_lightsalmon"},
    {0xFF20B2AAu, "border_color_lightseagreen"},
    {0xFF87CEFAu, "border_color_lightskyblue"},
    {0xFF778899u, "border_color_lightslategray"},
    {0xFF778899u, "border_color_lightslategrey"},
    {0xFFB0C4DEu, "border_color_lightsteelblue"},
    {0xFFFFFFE0u, "border_color_lightyellow"},
    {0xFF00FF00u, "border_color_lime"},
    {0xFF32CD32u, "border_color_limegreen"},
    {0xFFFAF0E6u, "border_color_linen"},
    {0xFFFF00FFu, "border_color_magenta"},
    {0xFF800000u, "border_color_maroon"},
    {0xFF66CDAAu, "border_color_mediumaquamarine"},
    {0xFF0000CDu, "border_color_mediumblue"},
    {0xFFBA55D3u, "border_color_mediumorchid"},
    {0xFF9370DBu, "border_color_mediumpurple"},
    {0xFF3CB371u, "border_color_mediumseagreen"},
    {0xFF7B68EEu, "border_color_mediumslateblue"},
    {0xFF00FA9Au, "border_color_mediumspringgreen"},
    {0xFF48D1CCu, "border_color_mediumturquoise"},
    {0xFFC71585u, "border_color_mediumvioletred"},
    {0xFF191970u, "border_color_midnightblue"},
    {0xFFF5FFFAu, "border_color_mintcream"},
    {0xFFFFE4E1u, "border_color_mistyrose"},
    {0xFFFFE4B5u, "border_color_moccasin"},
    {0xFFFFDEADu, "border_color_navajowhite"},
    {0xFF000080u, "border_color_navy"},
    {0xFFFDF5E6u, "border_color_oldlace"},
    {0xFF808000u, "border_color_olive"},
    {0xFF6B8E23u, "border_color_olivedrab"},
    {0xFFFFA500u, "border_color_orange"},
    {0xFFFF4500u, "border_color_orangered"},
    {0xFFDA70D6u, "border_color_orchid"},
    {0xFFEEE8AAu, "border_color_palegoldenrod"},
    {0xFF98FB98u, "border_color_palegreen"},
    {0xFFAFEEEEu, "border_color_paleturquoise"},
    {0xFFDB7093u, "border_color_palevioletred"},
    {0xFFFFEFD5u, "border_color_papayawhip"},
    {0xFFFFDAB9u, "border_color_peachpuff"},
    {0xFFCD853Fu, "border_color_peru"},
    {0xFFFFC0CBu, "border_color_pink"},
    {0xFFDDA0DDu, "border_color_plum"},
    {0xFFB0E0E6u, "border_color_powderblue"},
    {0xFF800080u, "border_color_purple"},
    {0xFFFF0000u, "border_color_red"},
    {0xFFBC8F8Fu, "border_color_rosybrown"},
    {0xFF4169E1u, "border_color_royalblue"},
    {0xFF8B4513u, "border_color_saddlebrown"},
    {0xFFFA8072u, "border_color_salmon"},
    {0xFFF4A460u, "border_color_sandybrown"},
    {0xFF2E8B57u, "border_color_seagreen"},
    {0xFFFFF5EEu, "border_color_seashell"},
    {0xFFA0522Du, "border_color_sienna"},
    {0xFFC0C0C0u, "border_color_silver"},
    {0xFF87CEEBu, "border_color_skyblue"},
    {0xFF6A5ACDu, "border_color_slateblue"},
    {0xFF708090u, "border_color_slategray"},
    {0xFF708090u, "border_color_slategrey"},
    {0xFFFFFAFAu, "border_color_snow"},
    {0xFF00FF7Fu, "border_color_springgreen"},
    {0xFF4682B4u, "border_color_steelblue"},
    {0xFFD2B48Cu, "border_color_tan"},
    {0xFF008080u, "border_color_teal"},
    {0xFFD8BFD8u, "border_color_thistle"},
    {0xFFFF6347u, "border_color_tomato"},
    {0xFF40E0D0u, "border_color_turquoise"},
    {0xFFEE82EEu, "border_color_violet"},
    {0xFFF5DEB3u, "border_color_wheat"},
    {0xFFFFFFFFu, "border_color_white"},
    {0xFFF5F5F5u, "border_color_whitesmoke"},
    {0xFFFFFF00u, "border_color_yellow"},
    {0xFF9ACD32u, "border_color_yellowgreen"},
};

namespace {

constexpr int kFirstSampleId = 105;
constexpr int kSampleCount = 6;
constexpr unsigned kSampleSlot = 5;
constexpr int kSliderSteps = 20;
constexpr int kVolumePercentPerStep = 100 / kSliderSteps;

int DelayRowOfSlider(int sliderId)
{
    for (int row = 0; row < kDelayCount; ++row)
        if (g_DelayTable[size_t(row)].controlId == sliderId)
            return row;
    return -1;
}

std::wstring DelayText(int row, float ms)
{
    if (ms < 0.0f)
        return LangText("pref_delay_wait_for_click");
    if (ms == 0.0f) {
        if (row == DELAY_CONTROL_HINT)
            return LangText("pref_delay_immediately");
        if (row == DELAY_AI_COMBAT_RESULT || row == DELAY_HUMAN_COMBAT_RESULT)
            return LangText("pref_delay_dont_show");
    }
    return LangFormat("pref_delay_%.1f", double(ms) / 1000.0);
}

std::wstring VolumeText(float volume) { return FormatText(L"%.0f%%", double(volume) * 100.0); }

// The setting behind a check box of the units and map tabs and the gameplay tab.
struct sOption
{
    int id;
    const char* iniKey;
    bool sUserSettings::*value;
};
const sOption kOptions[] = {
    {kPreferencesDynamicUnitsId, "UnitsDisplay/DynamicAppearance", &sUserSettings::dynamicAppearance},
    {kPreferencesUnitNamesId, "UnitsDisplay/ShowName", &sUserSettings::showUnitName},
    {kPreferencesGridId, "MapDisplay/ShowGrid", &sUserSettings::showGrid},
    {kPreferencesWeatherId, "MapDisplay/ShowWeather", &sUserSettings::showWeather},
    {kPreferencesCityNamesId, "MapDisplay/ShowCityName", &sUserSettings::showCityName},
    {kPreferencesSeaZoneNamesId, "MapDisplay/ShowSeaZoneName", &sUserSettings::showSeaZoneName},
    {kPreferencesApLeftId, "MapDisplay/ShowAPLeft", &sUserSettings::showAPLeft},
    {kPreferencesAlliesActionsId, "Gameplay/ShowAlliesActions", &sUserSettings::showAlliesActions},
};

const sOption* OptionOf(int id)
{
    for (const sOption& option : kOptions)
        if (option.id == id)
            return &option;
    return nullptr;
}

// The folders under data\gfx whose names begin with the prefix, without it, sorted.
std::vector<std::wstring> SkinFolders(const std::wstring& prefix)
{
    std::vector<std::wstring> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(HostPath(L"data\\gfx"), error)) {
        // Read as the UTF-8 it is: the C library's own conversion throws at a letter beyond ASCII.
        const std::wstring name = Utf8ToWide(entry.path().filename().string());
        if (entry.is_directory(error) && name.size() > prefix.size() && name.compare(0, prefix.size(), prefix) == 0)
            names.push_back(name.substr(prefix.size()));
    }
    std::sort(names.begin(), names.end());
    return names;
}

constexpr int kAudioTab = 5;

template <class T>
T* Find(CDXUTDialog& dialog, int id, int type)
{
    return static_cast<T*>(dialog.GetControl(id, type));
}

} // namespace

cDialogUstawien::cDialogUstawien() : cDialog(kPreferencesDialogKind, LayoutRow(kPreferencesDialogKind))
{
    DetectResolutions();
    if (CDXUTControl* frame = GetControl(kPreferencesDialogKind, DXUT_CONTROL_FRAME))
        frame->m_bDraggable = g_Gra != nullptr;
    // Only the preferences screen behind it has a title, so over a game (F1, the pause menu)
    // the window would have none (a gap between the two): it carries the title itself.
    AddText(kPreferencesTitleId, LangText("pref_title"), true);
    AddTabFrame(kPreferencesTabsId);
    AddGeneralTab();
    AddAudioTab();
    AddSeaBattleRow();
    AddCheckBoxFromLayout(kPreferencesAlliesActionsId, LangText("pref_units_show_allies_actions").c_str(),
                          LangText("pref_units_show_allies_actions_hint").c_str(), g_UserSettings.showAlliesActions);
    AddUnitsTab();
    AddLabeledSlider(this, kPreferencesVisibilityId, 0, kMaxFogOfWarHexes,
                     std::clamp(g_UserSettings.fogOfWar, 0, kMaxFogOfWarHexes), kPreferencesVisibilityId - 2,
                     LangText("pref_visibility_range").c_str(), kPreferencesVisibilityId - 1, L"");
    AddDelayRows();
    AddCheckBoxFromLayout(kPreferencesEndTurnQuestionId, LangText("pref_show_end_turn_confirm").c_str(), nullptr,
                          !g_UserSettings.skipEndTurnConfirmation);
    AddMapTab();
    AddButtonFromLayout(kPreferencesOkId, LangText("pref_ok").c_str(), LangText("pref_ok_hint").c_str());

    RefreshVisibilityText();
    RefreshDelayTexts();
    RefreshSeaBattleText();
    RefreshVolumeTexts();
    AddTabs();
    ShowSoundOffNote();
    SetVisible(true);
}

void cDialogUstawien::DetectResolutions()
{
    LogLine(L"Detecting resolutions...");
    g_OfferedResolutions.clear();
    auto offer = [](int width, int height) {
        for (const sResolutionOption& known : g_OfferedResolutions)
            if (known.width == width && known.height == height)
                return;
        g_OfferedResolutions.push_back({0, width, height});
    };
    // A size can be offered only when a layout file places the controls for it, and only when
    // the desktop holds it, as the screen's modes would. The modes themselves are not asked:
    // a window takes any size the desktop holds and full screen the desktop's own, and the
    // mode list of a desktop is often its own size alone.
    int desktopWidth = 0, desktopHeight = 0;
    const bool desktopKnown = DesktopSize(desktopWidth, desktopHeight);
    // The size in use is offered whatever the desktop: the window shows the size the game runs at.
    for (const auto& [width, height] : LayoutFileSizes(HostPath(L"data")))
        if (!desktopKnown || (width <= desktopWidth && height <= desktopHeight) ||
            (width == g_UserSettings.resolutionX && height == g_UserSettings.resolutionY))
            offer(width, height);
    std::sort(g_OfferedResolutions.begin(), g_OfferedResolutions.end(), [](const auto& a, const auto& b) {
        return a.width != b.width ? a.width < b.width : a.height < b.height;
    });
    for (size_t k = 0; k < g_OfferedResolutions.size(); ++k)
        g_OfferedResolutions[k].index = int(k);
}

void cDialogUstawien::AddGeneralTab()
{
    AddText(84, LangText("pref_resolution"));
    AddComboBoxFromLayout(kPreferencesResolutionId, LangText("pref_resolution_hint").c_str());
    if (auto* combo = Find<CDXUTComboBox>(*this, kPreferencesResolutionId, DXUT_CONTROL_COMBOBOX)) {
        for (const sResolutionOption& option : g_OfferedResolutions) {
            combo->AddItem(FormatText(L"%ix%i", option.width, option.height).c_str(),
                           reinterpret_cast<void*>(intptr_t(option.index)));
            if (option.width == g_UserSettings.resolutionX && option.height == g_UserSettings.resolutionY)
                combo->SetSelectedByIndex(unsigned(option.index));
        }
    }
    AddCheckBoxFromLayout(kPreferencesWindowedId, LangText("pref_windowed").c_str(),
                          LangText("pref_windowed_hint").c_str(), !g_UserSettings.fullscreen);
    AddText(87, LangText("pref_fps_limit"));
    AddComboBoxFromLayout(kPreferencesFpsLimitId, LangText("pref_fps_limit_hint").c_str());
    if (auto* combo = Find<CDXUTComboBox>(*this, kPreferencesFpsLimitId, DXUT_CONTROL_COMBOBOX)) {
        const std::pair<const char*, int> limits[] = {{"fps_no_limit", 0}, {"fps_25", 25}, {"fps_30", 30}, {"fps_60", 60}};
        for (const auto& [key, limit] : limits)
            combo->AddItem(LangText(key).c_str(), reinterpret_cast<void*>(intptr_t(limit)));
        // The limit in force, so that the window never shows a setting that is not.
        combo->SetSelectedByData(reinterpret_cast<void*>(intptr_t(g_UserSettings.fpsLimit)));
    }
}

void cDialogUstawien::AddAudioTab()
{
    auto steps = [](float volume) { return std::clamp(int(volume * float(kSliderSteps)), 0, kSliderSteps); };
    AddLabeledSlider(this, kPreferencesSoundVolumeId, 0, kSliderSteps, steps(g_UserSettings.sfxVolume),
                     kPreferencesSoundVolumeId - 2, LangText("pref_sound_volume").c_str(),
                     kPreferencesSoundVolumeId - 1, L"");
    AddLabeledSlider(this, kPreferencesMusicVolumeId, 0, kSliderSteps, steps(g_UserSettings.musicVolume),
                     kPreferencesMusicVolumeId - 2, LangText("pref_music_volume").c_str(),
                     kPreferencesMusicVolumeId - 1, L"");
    // The volumes are kept for a start with sound; the player is told why nothing sounds.
    if (SoundOffReason().empty())
        return;
    AddStaticFromLayout(kPreferencesSoundOffId, LangFormat("pref_sound_off_%s", SoundOffReason()).c_str());
    if (auto* note = Find<CDXUTStatic>(*this, kPreferencesSoundOffId, DXUT_CONTROL_STATIC))
        note->m_dwTextFormat = DT_WORDBREAK | DT_TOP | DT_LEFT;
}

void cDialogUstawien::AddSeaBattleRow()
{
    AddLabeledSlider(this, kPreferencesSeaBattleId, 0, kMaxSeaBattleSeconds,
                     std::clamp(g_UserSettings.seaBattleTimeout, 0, kMaxSeaBattleSeconds), kPreferencesSeaBattleId - 2,
                     LangText("pref_seabattle_delay").c_str(), kPreferencesSeaBattleId - 1, L"");
}

void cDialogUstawien::AddUnitsTab()
{
    AddText(90, LangText("pref_units_skin"));
    AddListBoxFromLayout(kPreferencesUnitsSkinId, 0);
    FillSkinList(kPreferencesUnitsSkinId, L"[UnitsSkin]", g_UserSettings.unitsSkin, m_UnitsSkins);
    AddCheckBoxFromLayout(kPreferencesDynamicUnitsId, LangText("pref_units_dynamic_display").c_str(), nullptr,
                          g_UserSettings.dynamicAppearance);
    AddCheckBoxFromLayout(kPreferencesUnitNamesId, LangText("pref_show_unit_name").c_str(), nullptr,
                          g_UserSettings.showUnitName);
}

void cDialogUstawien::AddDelayRows()
{
    for (int row = 0; row < kDelayCount; ++row) {
        const sDelaySetting& delay = g_DelayTable[size_t(row)];
        const int seconds = int(g_DelayValues[size_t(row)] / 1000.0f);
        AddLabeledSlider(this, delay.controlId, MinDelaySeconds(row), kMaxDelaySeconds,
                         std::clamp(seconds, MinDelaySeconds(row), kMaxDelaySeconds), delay.controlId - 2,
                         LangText(delay.languageKey).c_str(), delay.controlId - 1, L"");
        if (CDXUTControl* slider = GetControl(delay.controlId, DXUT_CONTROL_SLIDER))
            slider->SetUserData(reinterpret_cast<void*>(intptr_t(row)));
    }
}

void cDialogUstawien::AddMapTab()
{
    AddText(96, LangText("pref_map_skin"));
    AddListBoxFromLayout(kPreferencesMapSkinId, 0);
    FillSkinList(kPreferencesMapSkinId, L"[MapSkin]", g_UserSettings.mapSkin, m_MapSkins);
    AddCheckBoxFromLayout(kPreferencesGridId, LangText("pref_show_grid").c_str(), nullptr, g_UserSettings.showGrid);
    AddText(103, LangText("pref_border_color"));
    AddComboBoxFromLayout(kPreferencesBorderColourId, nullptr);
    if (auto* combo = Find<CDXUTComboBox>(*this, kPreferencesBorderColourId, DXUT_CONTROL_COMBOBOX)) {
        // 300 pixels, but never past the window's frame: at the smallest screens the list would
        // hang a few pixels out of its window, over the panels below it.
        int dropHeight = 300;
        if (const CDXUTControl* frame = GetControl(kPreferencesDialogKind, DXUT_CONTROL_FRAME)) {
            const sRect box = combo->GetBoundingBox();
            dropHeight = std::min(dropHeight, frame->GetBoundingBox().bottom - box.bottom - box.Height());
        }
        combo->SetDropHeight(dropHeight);
        for (const sBorderColour& colour : kBorderColours)
            combo->AddItem(LangText(colour.nameKey).c_str(), reinterpret_cast<void*>(uintptr_t(colour.argb)));
        // A colour not in the list shows as the default one.
        if (combo->SetSelectedByData(reinterpret_cast<void*>(uintptr_t(g_UserSettings.borderColor))) != S_OK)
            combo->SetSelectedByIndex(0);
    }
    // The samples show the border as the map draws it: its piece along a hex's first side.
    const skin_atlas::tAtlasRect piece = skin_atlas::BorderCell(0);
    for (int k = 0; k < kSampleCount; ++k)
        AddImageFromLayout(kFirstSampleId + k, 0, piece.left, piece.top, piece.right, piece.bottom, nullptr);
    ShowBorderSamples();
    AddCheckBoxFromLayout(kPreferencesCityNamesId, LangText("pref_show_city_names").c_str(), nullptr,
                          g_UserSettings.showCityName);
    AddCheckBoxFromLayout(kPreferencesSeaZoneNamesId, LangText("pref_show_sea_zones_names").c_str(), nullptr,
                          g_UserSettings.showSeaZoneName);
    AddCheckBoxFromLayout(kPreferencesApLeftId, LangText("pref_show_ap_left").c_str(), nullptr,
                          g_UserSettings.showAPLeft);
    AddCheckBoxFromLayout(kPreferencesWeatherId, LangText("pref_show_weather").c_str(), nullptr,
                          g_UserSettings.showWeather);
}

void cDialogUstawien::AddTabs()
{
    auto* tabs = Find<CDXUTTabFrame>(*this, kPreferencesTabsId, DXUT_CONTROL_TABFRAME);
    if (!tabs)
        return;
    tabs->AddTab(LangText("pref_tab_general").c_str(), 0, 84, 88);
    tabs->AddTab(LangText("pref_tab_gameplay").c_str(), 1, 111, 147);
    tabs->AddTab(LangText("pref_tab_units").c_str(), 2, 90, 95);
    tabs->AddTab(LangText("pref_tab_map").c_str(), 3, 96, 110);
    tabs->AddTab(LangText("pref_tab_interface").c_str(), 4, 154, 169);
    tabs->AddTab(LangText("pref_tab_audio").c_str(), kAudioTab, 148, 153);
    tabs->SelectTab(0, false);
}

void cDialogUstawien::FillSkinList(int listId, const std::wstring& prefix, const std::wstring& current,
                                   std::vector<std::wstring>& names)
{
    auto* list = Find<CDXUTListBox>(*this, listId, DXUT_CONTROL_LISTBOX);
    if (!list)
        return;
    names = SkinFolders(prefix);
    for (size_t k = 0; k < names.size(); ++k)
        list->AddItem(ListCellText(names[k]), reinterpret_cast<void*>(k));
    const auto at = std::find(names.begin(), names.end(), current);
    if (!names.empty())
        list->SelectItem(at == names.end() ? 0 : int(at - names.begin()));
}

void cDialogUstawien::ShowBorderSamples()
{
    SetTexture(kSampleSlot, FormatText(L"data\\gfx\\[MapSkin]%s\\others.png", g_UserSettings.mapSkin));
    for (int k = 0; k < kSampleCount; ++k)
        if (auto* sample = Find<CDXUTImage>(*this, kFirstSampleId + k, DXUT_CONTROL_IMAGE)) {
            sample->SetTextureIndex(int(kSampleSlot));
            sample->SetModulateColor(g_UserSettings.borderColor);
        }
}

void cDialogUstawien::RefreshVisibilityText()
{
    auto* value = Find<CDXUTStatic>(*this, kPreferencesVisibilityId - 1, DXUT_CONTROL_STATIC);
    if (!value)
        return;
    // A sight below 0, which only Settings.ini holds, is the thickest fog, not none.
    const int hexes = g_UserSettings.fogOfWar;
    value->SetText(hexes < 0    ? LangText("pref_visibility_own_units_only")
                   : hexes == 0 ? LangText("pref_visibility_disabled")
                                : LangFormat("pref_visibility_%i_hexes", hexes));
}

void cDialogUstawien::RefreshDelayTexts()
{
    // The delay in force, to the hundredth of a second (the text of "pref_delay_%.1f"): the
    // shipped pauses lie between tenths (150 ms), which one decimal would show as another time.
    for (int row = 0; row < kDelayCount; ++row) {
        const int id = g_DelayTable[size_t(row)].controlId;
        if (auto* value = Find<CDXUTStatic>(*this, id - 1, DXUT_CONTROL_STATIC))
            value->SetText(DelayText(row, g_DelayValues[size_t(row)]));
    }
}

void cDialogUstawien::RefreshSeaBattleText()
{
    if (auto* value = Find<CDXUTStatic>(*this, kPreferencesSeaBattleId - 1, DXUT_CONTROL_STATIC))
        value->SetText(LangFormat("pref_seabattle_delay_%.1f", double(g_UserSettings.seaBattleTimeout)));
}

void cDialogUstawien::RefreshVolumeTexts()
{
    if (auto* value = Find<CDXUTStatic>(*this, kPreferencesSoundVolumeId - 1, DXUT_CONTROL_STATIC))
        value->SetText(VolumeText(g_UserSettings.sfxVolume));
    if (auto* value = Find<CDXUTStatic>(*this, kPreferencesMusicVolumeId - 1, DXUT_CONTROL_STATIC))
        value->SetText(VolumeText(g_UserSettings.musicVolume));
}

// The note lies outside the audio tab's range of ids, so it follows the tab by hand.
void cDialogUstawien::ShowSoundOffNote()
{
    auto* note = GetControl(kPreferencesSoundOffId);
    auto* tabs = Find<CDXUTTabFrame>(*this, kPreferencesTabsId, DXUT_CONTROL_TABFRAME);
    if (note && tabs)
        note->SetVisible(tabs->GetSelectedIndex() == kAudioTab);
}

void cDialogUstawien::OnGUIEvent(unsigned, int controlId, CDXUTControl*)
{
    if (OptionOf(controlId)) {
        OnDisplayOptionChanged(controlId);
        return;
    }
    if (DelayRowOfSlider(controlId) >= 0) {
        OnDelayChanged(controlId);
        return;
    }
    switch (controlId) {
    case kPreferencesResolutionId: OnResolutionChosen(); break;
    case kPreferencesWindowedId: OnWindowedChanged(); break;
    case kPreferencesFpsLimitId: OnFpsLimitChosen(); break;
    case kPreferencesUnitsSkinId: OnUnitsSkinChosen(); break;
    case kPreferencesMapSkinId: OnMapSkinChosen(); break;
    case kPreferencesBorderColourId: OnBorderColourChosen(); break;
    case kPreferencesVisibilityId: OnVisibilityChanged(); break;
    case kPreferencesSeaBattleId: OnSeaBattleDelayChanged(); break;
    case kPreferencesSoundVolumeId:
    case kPreferencesMusicVolumeId: OnVolumeChanged(); break;
    case kPreferencesEndTurnQuestionId: OnEndTurnQuestionChanged(); break;
    case kPreferencesOkId: OnOkPressed(); break;
    case kPreferencesTabsId: ShowSoundOffNote(); break;
    default: break;
    }
}

void cDialogUstawien::OnResolutionChosen()
{
    auto* combo = Find<CDXUTComboBox>(*this, kPreferencesResolutionId, DXUT_CONTROL_COMBOBOX);
    if (!combo || combo->GetSelectedIndex() < 0)
        return;
    const size_t index = size_t(reinterpret_cast<intptr_t>(combo->GetSelectedData()));
    if (index >= g_OfferedResolutions.size())
        return;
    // Used at the next start.
    g_Settings.SetInt("Main/ResolutionX", g_OfferedResolutions[index].width);
    g_Settings.SetInt("Main/ResolutionY", g_OfferedResolutions[index].height);
}

void cDialogUstawien::OnWindowedChanged()
{
    if (auto* box = Find<CDXUTCheckBox>(*this, kPreferencesWindowedId, DXUT_CONTROL_CHECKBOX))
        g_Settings.SetBool("Main/Fullscreen", !box->GetChecked());
}

void cDialogUstawien::OnFpsLimitChosen()
{
    auto* combo = Find<CDXUTComboBox>(*this, kPreferencesFpsLimitId, DXUT_CONTROL_COMBOBOX);
    if (!combo || combo->GetSelectedIndex() < 0)
        return;
    g_UserSettings.fpsLimit = int(reinterpret_cast<intptr_t>(combo->GetSelectedData()));
    g_Settings.SetInt("Main/FPSLimit", g_UserSettings.fpsLimit);
}

void cDialogUstawien::OnUnitsSkinChosen()
{
    auto* list = Find<CDXUTListBox>(*this, kPreferencesUnitsSkinId, DXUT_CONTROL_LISTBOX);
    const size_t index = list && list->GetSelectedIndex() >= 0 ? reinterpret_cast<size_t>(list->GetSelectedData())
                                                              : m_UnitsSkins.size();
    if (index >= m_UnitsSkins.size() || m_UnitsSkins[index] == g_UserSettings.unitsSkin)
        return;
    g_UserSettings.unitsSkin = m_UnitsSkins[index];
    Presentation().LoadUnitsSkin();
    g_Settings.SetString("UnitsDisplay/Skin", g_UserSettings.unitsSkin);
}

void cDialogUstawien::OnMapSkinChosen()
{
    // The opponent's thread may be reading the map's pictures.
    cWindowLock lock;
    auto* list = Find<CDXUTListBox>(*this, kPreferencesMapSkinId, DXUT_CONTROL_LISTBOX);
    const size_t index = list && list->GetSelectedIndex() >= 0 ? reinterpret_cast<size_t>(list->GetSelectedData())
                                                              : m_MapSkins.size();
    if (index < m_MapSkins.size() && m_MapSkins[index] != g_UserSettings.mapSkin) {
        g_UserSettings.mapSkin = m_MapSkins[index];
        Presentation().LoadMapSkin();
        g_Settings.SetString("MapDisplay/Skin", g_UserSettings.mapSkin);
    }
    ShowBorderSamples();
}

void cDialogUstawien::OnDisplayOptionChanged(int checkBoxId)
{
    const sOption* option = OptionOf(checkBoxId);
    auto* box = Find<CDXUTCheckBox>(*this, checkBoxId, DXUT_CONTROL_CHECKBOX);
    if (!option || !box)
        return;
    g_UserSettings.*(option->value) = box->GetChecked();
    g_Settings.SetBool(option->iniKey, box->GetChecked());
}

void cDialogUstawien::OnBorderColourChosen()
{
    auto* combo = Find<CDXUTComboBox>(*this, kPreferencesBorderColourId, DXUT_CONTROL_COMBOBOX);
    if (!combo || combo->GetSelectedIndex() < 0)
        return;
    const uint32_t argb = uint32_t(reinterpret_cast<uintptr_t>(combo->GetSelectedData()));
    g_UserSettings.borderColor = argb;
    g_Settings.SetInt("Border/ColorA", int(argb >> 24));
    g_Settings.SetInt("Border/ColorR", int((argb >> 16) & 0xFF));
    g_Settings.SetInt("Border/ColorG", int((argb >> 8) & 0xFF));
    g_Settings.SetInt("Border/ColorB", int(argb & 0xFF));
    ShowBorderSamples();
}

void cDialogUstawien::OnVisibilityChanged()
{
    if (auto* slider = Find<CDXUTSlider>(*this, kPreferencesVisibilityId, DXUT_CONTROL_SLIDER)) {
        g_UserSettings.fogOfWar = slider->GetValue();
        g_Settings.SetInt("Gameplay/FogOfWar", g_UserSettings.fogOfWar);
    }
    RefreshVisibilityText();
}

void cDialogUstawien::OnDelayChanged(int sliderId)
{
    const int row = DelayRowOfSlider(sliderId);
    auto* slider = Find<CDXUTSlider>(*this, sliderId, DXUT_CONTROL_SLIDER);
    if (row < 0 || !slider)
        return;
    const int ms = slider->GetValue() * 1000;
    g_DelayValues[size_t(row)] = float(ms);
    g_Settings.SetInt(g_DelayTable[size_t(row)].iniKey, ms);
    // The hint display reads its delay every frame: a new one holds from the next hint.
    if (row == DELAY_CONTROL_HINT)
        g_HintDisplay.delayMs = ms;
    RefreshDelayTexts();
}

void cDialogUstawien::OnSeaBattleDelayChanged()
{
    if (auto* slider = Find<CDXUTSlider>(*this, kPreferencesSeaBattleId, DXUT_CONTROL_SLIDER)) {
        g_UserSettings.seaBattleTimeout = slider->GetValue();
        g_Settings.SetInt("InterfaceSettings/SeaBattleTimeout", g_UserSettings.seaBattleTimeout);
    }
    RefreshSeaBattleText();
}

void cDialogUstawien::OnVolumeChanged()
{
    auto* sound = Find<CDXUTSlider>(*this, kPreferencesSoundVolumeId, DXUT_CONTROL_SLIDER);
    auto* music = Find<CDXUTSlider>(*this, kPreferencesMusicVolumeId, DXUT_CONTROL_SLIDER);
    if (!sound || !music)
        return;
    g_UserSettings.sfxVolume = float(sound->GetValue()) / float(kSliderSteps);
    g_UserSettings.musicVolume = float(music->GetValue()) / float(kSliderSteps);
    // Stored from the slider itself: the volume as a float may round up past it.
    g_Settings.SetInt("Audio/SFXVolume", sound->GetValue() * kVolumePercentPerStep);
    g_Settings.SetInt("Audio/MusicVolume", music->GetValue() * kVolumePercentPerStep);
    if (g_Gra && g_GameLink.setMusicVolume)
        g_GameLink.setMusicVolume(g_UserSettings.musicVolume);
    RefreshVolumeTexts();
}

void cDialogUstawien::OnEndTurnQuestionChanged()
{
    if (auto* box = Find<CDXUTCheckBox>(*this, kPreferencesEndTurnQuestionId, DXUT_CONTROL_CHECKBOX)) {
        g_UserSettings.skipEndTurnConfirmation = !box->GetChecked();
        g_Settings.SetBool("InterfaceSettings/ConfirmEndTurn", box->GetChecked());
    }
}

namespace {

// Back where the window was opened from.
void ReturnFromPreferences()
{
    if (!g_Gra) {
        if (g_ShellLinks.openMainMenu)
            g_ShellLinks.openMainMenu();
        return;
    }
    {
        // The range of sight may have changed.
        cWindowLock lock;
        if (cPanstwo* player = g_Gra->m_PlayState ? g_Gra->m_PlayState->GetActiveCountry() : nullptr)
            player->RecalculateUnitsVisibility();
    }
    // Opened from the pause menu, the window goes back to it: only its Resume returns to the map.
    if (auto* menu = dynamic_cast<CDXUTDialog*>(g_CurrentMenu)) {
        menu->SetVisible(true);
        return;
    }
    g_Gra->ReturnToMap();
}

} // namespace

void cDialogUstawien::OnOkPressed()
{
    std::error_code why;
    SaveZoomSetting(g_MapZoom, &why);
    CloseTopDialogs(1);
    ReturnFromPreferences();
    // The choices hold until the game ends all the same; told only in the log, the next start
    // would lose them without a word.
    if (why)
        PushDialog(new cDialogTekstowy(LangFormat("pref_settings_not_written_%s", Utf8ToWide(why.message())),
                                       LangText("pref_title")));
}

void OpenPreferences()
{
    // Its OK hands the map to the player (state 7): opened in the computer's phase or the end
    // of an impulse it would give the player the computer's turn, and during the player's
    // move it would stop the unit between two hexes.
    const int state = g_Gra ? g_Gra->GetGameState() : -1;
    if (g_Gra && state != 2 && state != 7) {
        LogLine(L"Preferences are not opened in game state %i", state);
        return;
    }
    PushDialog(new cDialogUstawien);
}
