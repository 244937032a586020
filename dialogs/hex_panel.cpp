#include "dialogs/hex_panel.h"

#include "core/log.h"
#include "core/random.h"
#include "core/stringbase.h"
#include "game/game.h"
#include "game/play_state.h"
#include "gui/controls.h"
#include "gui/gui_atlas.h"
#include "shell/dialog_builders.h"
#include "units/land_unit.h"
#include "units/unit_lists.h"
#include "world/city.h"
#include "world/country.h"
#include "world/map.h"
#include "world/sea_graph.h"
#include "world/world.h"

namespace {

// The weather pictures in the GUI picture: one cell per weather, downwards.
constexpr int kWeatherPictureRow = 11;

struct sValueRow
{
    int box;
    int caption;
    const char* key;
};
constexpr sValueRow kValueRows[] = {
    {403, 402, "hex_panel_name"},       {405, 404, "hex_panel_additional_info"},
    {407, 406, "hex_panel_supply"},     {411, 410, "hex_panel_victory_points"},
    {409, 408, "hex_panel_production_points"}, {413, 412, "hex_panel_controller"},
    {415, 414, "hex_panel_owner"},      {417, 416, "hex_panel_fortification"},
    {419, 418, "hex_panel_weather"}};

constexpr const char* kTerrainKeys[] = {
    "hex_panel_additional_info_water", "hex_panel_additional_info_plain", "hex_panel_additional_info_forest",
    "hex_panel_additional_info_rough", "hex_panel_additional_info_swamp", "hex_panel_additional_info_hill",
    "hex_panel_additional_info_mountain", "hex_panel_additional_info_desert"};
constexpr const char* kWeatherKeys[] = {"weather_good", "weather_snow", "weather_mud"};

cPanstwo* ActiveCountry()
{
    return g_Gra && g_Gra->m_PlayState ? g_Gra->m_PlayState->GetActiveCountry() : nullptr;
}

sHex* SelectedHex() { return g_Gra && g_Gra->m_PlayState ? g_Gra->m_PlayState->GetSelectedHex() : nullptr; }

CDXUTImage* InfoPanelWeatherImage()
{
    auto* info = dynamic_cast<CDXUTDialog*>(g_InfoPanel);
    return info ? static_cast<CDXUTImage*>(info->GetControl(kInfoPanelWeatherImageId, DXUT_CONTROL_IMAGE)) : nullptr;
}

std::wstring CountryName(int id)
{
    const cPanstwo* country = id ? GetCountry(id) : nullptr;
    return country ? country->Name : L"-";
}

std::wstring Production(const cMiasto& city)
{
    return FormatText(L"%.1f/%.1f", double(city.ProductionPoints),
                      double(city.ProductionPoints) + double(city.ProductionPointsLost));
}

// A normal city or port: its supply for the hex's controller, then its own. A city
// nobody holds has no controller's value: the base supply alone.
std::wstring CitySupply(const cMiasto& city, int controller)
{
    const size_t index = size_t(controller - 1);
    if (controller < 1 || index >= city.SupplyByCountry.size())
        return FormatText(L"%i", city.Supply);
    return FormatText(L"%i (%i)", city.SupplyByCountry[index], city.Supply);
}

std::wstring PortName(const cMiasto& city)
{
    const cGrafMorz* graph = WorldSeaGraph();
    const sWezelGrafuMorz* node = graph ? graph->GetNode(city.GetSeaNodeId()) : nullptr;
    const int size = node ? std::min(node->SizeMax, node->SizeCurrent) : 0;
    return LangFormat("hex_panel_city_name_port", city.Name, size);
}

} // namespace

cHexPanel* HexPanel() { return dynamic_cast<cHexPanel*>(g_HexPanel); }

cHexPanel::cHexPanel() : cPanel(kHexPanelFrameId, LayoutRow(kHexPanelFrameId))
{
    for (const sValueRow& row : kValueRows)
        AddReadOnlyEditBox(this, row.box, L"-", LangText(std::string(row.key) + "_hint").c_str(), row.caption,
                           LangText(row.key).c_str());
    const sLayoutRect r = LayoutRow(kHexPanelMulberryId);
    const gui_atlas::sRect cell = gui_atlas::MulberryIcon(r.width, r.height);
    AddIcon(kHexPanelMulberryId, cell.left, cell.top, cell.right, cell.bottom, r.x, r.y, r.width, r.height);
}

void cHexPanel::SetValue(int id, const std::wstring& text)
{
    if (auto* box = static_cast<CDXUTEditBox*>(GetControl(id, DXUT_CONTROL_EDITBOX)))
        box->SetText(text.c_str());
}

void cHexPanel::Refresh()
{
    const sHex* hex = SelectedHex();
    CDXUTControl* mulberry = GetControl(kHexPanelMulberryId);
    if (!hex) {
        if (auto* caption = static_cast<CDXUTStatic*>(GetControl(402, DXUT_CONTROL_STATIC)))
            caption->SetText(L"-");
        for (const sValueRow& row : kValueRows)
            SetValue(row.box, L"-");
        if (mulberry) {
            mulberry->SetEnabled(false);
            // Left as it was, the hint would offer a harbour, or refuse one, on a hex no longer chosen.
            mulberry->SetHint(LangText("hexpanel_mulberry_hint_no_hex"));
        }
        if (CDXUTImage* weather = InfoPanelWeatherImage())
            weather->SetVisible(false);
        return;
    }
    ShowPlace(*hex);
    SetValue(413, CountryName(hex->controller));
    SetValue(415, CountryName(hex->owner));
    SetValue(417, hex->fortification ? FormatText(L"%i", int(hex->fortification)) : L"-");
    ShowWeather(*hex);
    SetValue(405, LangFormat(hex->terrain < std::size(kTerrainKeys) ? kTerrainKeys[hex->terrain]
                                                                     : "hex_panel_additional_info_unknown",
                             int(hex->x), int(hex->y)));
    if (mulberry) {
        const cPanstwo* acting = ActiveCountry();
        const std::wstring refusal = MulberryRefusal(*hex, acting ? acting->ID : 0);
        mulberry->SetEnabled(refusal.empty());
        mulberry->SetHint(refusal.empty() ? LangText("hexpanel_mulberry_hint") : refusal);
    }
}

void cHexPanel::ShowPlace(const sHex& hex)
{
    auto* caption = static_cast<CDXUTStatic*>(GetControl(402, DXUT_CONTROL_STATIC));
    auto place = [&](const char* captionKey, const std::wstring& name, const std::wstring& supply,
                     const std::wstring& production, const std::wstring& victory) {
        if (caption)
            caption->SetText(captionKey ? LangText(captionKey).c_str() : L"-");
        SetValue(403, name);
        SetValue(407, supply);
        SetValue(409, production);
        SetValue(411, victory);
    };
    if (const cMiasto* city = hex.city) {
        const std::wstring mainSource = LangFormat("hex_panel_supply_main_source", GameConsts().MaxSupply);
        const std::wstring victory = FormatText(L"%i", city->VictoryPoints);
        switch (city->Type) {
        case CITY_SUPPLY:
            place("hex_panel_name_city", city->Name, mainSource, Production(*city), victory);
            break;
        case CITY_NORMAL:
            place("hex_panel_name_city", city->Name, CitySupply(*city, hex.controller), Production(*city), victory);
            break;
        case CITY_SUPPLY_PORT:
            place("hex_panel_name_port", PortName(*city), mainSource, Production(*city), victory);
            break;
        case CITY_PORT:
            place("hex_panel_name_port", PortName(*city), CitySupply(*city, hex.controller), Production(*city),
                  victory);
            break;
        case CITY_RESOURCES:
            place("hex_panel_name_resources", city->Name, L"-",
                  FormatText(L"%.1f", double(city->ProductionPoints)), victory);
            break;
        default:
            break;
        }
        return;
    }
    if (hex.seaZone) {
        const cGrafMorz* graph = WorldSeaGraph();
        const sWezelGrafuMorz* zone = graph ? graph->GetNode(hex.seaZone) : nullptr;
        place("hex_panel_name_sea_zone", zone ? zone->Name : L"-", L"-", L"-", L"-");
        return;
    }
    place(nullptr, L"-", L"-", L"-", L"-");
}

void cHexPanel::ShowWeather(const sHex& hex)
{
    if (hex.IsSea()) {
        SetValue(419, L"-");
        return;
    }
    if (hex.weather < std::size(kWeatherKeys))
        SetValue(419, LangText(kWeatherKeys[hex.weather]));
    if (CDXUTImage* image = InfoPanelWeatherImage()) {
        const sLayoutRect cells = LayoutRow(kWeatherPictureRow);
        const int step = hex.weather == WEATHER_WINTER || hex.weather == WEATHER_MUD ? int(hex.weather) : 0;
        const int top = cells.y + cells.height * step;
        image->SetTextureRect(sRect{cells.x, top, cells.x + cells.width, top + cells.height});
        image->SetVisible(true);
    }
}

std::wstring cHexPanel::MulberryRefusal(const sHex& hex, int countryId)
{
    if (!hex.IsLand())
        return LangText("hexpanel_mulberry_hint_not_land_hex");
    if (!hex.coastal)
        return LangText("hexpanel_mulberry_hint_not_coastal_hex");
    if (hex.unit)
        return LangText("hexpanel_mulberry_hint_occupied");
    const cPanstwo* holder = hex.controller ? GetCountry(hex.controller) : nullptr;
    const bool friendly = holder && (holder->ID == countryId ||
                                     (!holder->IsAtWarWith(countryId) && holder->IsAlliedWith(countryId)));
    if (!friendly)
        return LangText("hexpanel_mulberry_hint_not_friendly_hex");
    const cPanstwo* acting = GetCountry(countryId);
    const float cost = GameConsts().Mulberry[0];
    if (!acting || acting->PP < double(cost))
        // The points there are beside the price: the price alone does not say it is too high.
        return LangFormat("hexpanel_mulberry_hint_not_enough_pp", double(cost), acting ? acting->PP : 0.0);
    return {};
}

void cHexPanel::OnGUIEvent(unsigned, int controlId, CDXUTControl*)
{
    if (controlId == kHexPanelMulberryId)
        OnBuildMulberryPressed();
}

void cHexPanel::OnBuildMulberryPressed()
{
    {
        // The map's units change under the lock, as every change of game data from a window.
        cWindowLock lock;
        sHex* hex = SelectedHex();
        cPanstwo* acting = ActiveCountry();
        // Checked again at the click: a second click on the hex, now occupied, builds nothing.
        if (!g_Gra || !hex || !acting || !MulberryRefusal(*hex, acting->ID).empty()) {
            Refresh();
            return;
        }
        const sGameConsts& rules = GameConsts();
        // The harbour's strength and life come with it from the rules.
        auto* harbour = new cMulberry();
        harbour->m_Id = NextLandUnitId();
        harbour->m_Owner = hex->controller;
        // The game's dice: the design sends all chance through them but draws this number from
        // the C library's generator, which no seed of the game's and no save holds.
        std::wstring name = FormatText(acting->GetUnitTypeName(UNIT_MULBERRY), RandomInt(10, 99));
        if (name.size() > 99)
            name.resize(99);
        harbour->m_Name = name;
        harbour->m_X = hex->x;
        harbour->m_Y = hex->y;
        harbour->m_Level = 1;
        harbour->m_CommandingCommanderId = -1;
        harbour->m_Commander = nullptr;
        // Seen at once, as the player's and his allies' units are: it is built in sight.
        harbour->m_Spotted = true;
        harbour->SetSupply(rules.MaxSupply);
        harbour->RecalculateEfficiency();
        harbour->SetSupplySourceX(-1);
        harbour->SetSupplySourceY(-1);
        harbour->SetActionPoints(0);
        harbour->SetStartingActionPoints(0);
        g_Gra->m_LandUnits.push_back(harbour);
        hex->unit = harbour;
        acting->AddProductionPoints(-double(rules.Mulberry[0]));
    }
    Refresh();
}
