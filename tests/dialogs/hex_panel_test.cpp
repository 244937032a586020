// The hex panel: what it shows of cities, ports, resources and the sea, and the Mulberry
// harbour built from it.
#include <gtest/gtest.h>

#include "core/stringbase.h"
#include "dialogs/hex_panel.h"
#include "game/game.h"
#include "game/play_state.h"
#include "gui/controls.h"
#include "tests/dialogs/dialog_bench.h"
#include "units/land_unit.h"
#include "world/city.h"
#include "world/country.h"
#include "world/map.h"

namespace {

class HexPanel : public cDialogTest
{
protected:
    void SetUp() override
    {
        cDialogTest::SetUp();
        LoadTestland(1);
        panel = new cHexPanel();
        panel->SetMinimized(false);
        g_HexPanel = panel;
        g_DialogLinks.renderPanels = [this](float elapsed) { panel->OnRender(elapsed); };
    }
    void TearDown() override
    {
        g_HexPanel = nullptr;
        delete panel;
        cDialogTest::TearDown();
    }
    void Select(int x, int y)
    {
        g_Gra->m_PlayState->SelectHex(x, y);
        panel->Refresh();
    }
    std::wstring Value(int id) { return TextOf(*panel, id); }
    // A coastal land hex of the country with no unit and no city.
    sHex* FreeCoast(int controller)
    {
        cMapa& map = *g_Gra->m_Mapa;
        for (int y = 0; y < map.height; ++y)
            for (int x = 0; x < map.width; ++x) {
                sHex* hex = map.GetHex(x, y);
                if (hex->IsLand() && hex->coastal && !hex->unit && !hex->city && hex->controller == controller)
                    return hex;
            }
        return nullptr;
    }

    cHexPanel* panel = nullptr;
};

TEST_F(HexPanel, CitiesPortsResourcesAndTheSeaShowWhatTheyHold)
{
    const int mainSource = g_Gra->m_Consts.MaxSupply;
    Select(2, 2); // Londinium, a supply city
    EXPECT_EQ(Value(402), LangText("hex_panel_name_city"));
    EXPECT_EQ(Value(407), LangFormat("hex_panel_supply_main_source", mainSource));
    const cMiasto* londinium = g_Gra->m_Mapa->GetHex(2, 2)->city;
    EXPECT_EQ(Value(409), FormatText(L"%.1f/%.1f", double(londinium->ProductionPoints),
                                     double(londinium->ProductionPoints) + londinium->ProductionPointsLost));
    EXPECT_EQ(Value(413), GetCountry(1)->Name);

    Select(9, 5); // Colonia: the holder's supply, then the city's own
    cMiasto* colonia = g_Gra->m_Mapa->GetHex(9, 5)->city;
    EXPECT_EQ(Value(407), FormatText(L"%i (%i)", colonia->SupplyByCountry[1], colonia->Supply));
    g_Gra->m_Mapa->GetHex(9, 5)->controller = 0;
    Select(9, 5);
    EXPECT_EQ(Value(407), FormatText(L"%i", colonia->Supply)) << "nobody holds it: its own supply";
    EXPECT_EQ(Value(413), L"-");

    Select(3, 3); // Dover
    EXPECT_EQ(Value(402), LangText("hex_panel_name_port"));
    EXPECT_NE(Value(403).find(g_Gra->m_Mapa->GetHex(3, 3)->city->Name), std::wstring::npos);
    Select(10, 6); // Ruhr Mines
    EXPECT_EQ(Value(402), LangText("hex_panel_name_resources"));
    EXPECT_EQ(Value(407), L"-");
    EXPECT_EQ(Value(409), FormatText(L"%.1f", double(g_Gra->m_Mapa->GetHex(10, 6)->city->ProductionPoints)));

    Select(5, 12); // the Southern Sea
    EXPECT_EQ(Value(402), LangText("hex_panel_name_sea_zone"));
    for (int id : {407, 409, 411, 419})
        EXPECT_EQ(Value(id), L"-") << id;
    EXPECT_EQ(Value(405), LangFormat("hex_panel_additional_info_water", 5, 12));
    EXPECT_FALSE(panel->GetControl(kHexPanelMulberryId)->GetEnabled());
    EXPECT_EQ(HintOf(panel->GetControl(kHexPanelMulberryId)), LangText("hexpanel_mulberry_hint_not_land_hex"));

    g_Gra->m_Mapa->GetHex(6, 6)->weather = WEATHER_MUD;
    Select(6, 6);
    EXPECT_EQ(Value(419), LangText("weather_mud"));
    EXPECT_EQ(Value(417), L"2");
    ASSERT_NO_FATAL_FAILURE(CheckScreen("hex_panel"));

    // Clearing the selection refreshes the panel with the others; the first row's label is
    // a dash, as on a hex without a place.
    g_Gra->m_PlayState->DeselectAll();
    g_DialogLinks.refreshHexPanel();
    EXPECT_EQ(Value(402), L"-");
    EXPECT_EQ(Value(405), L"-");
    const cMapa& map = *g_Gra->m_Mapa;
    for (int y = 0, found = 0; y < map.height && !found; ++y)
        for (int x = 0; x < map.width && !found; ++x)
            if (const sHex* hex = map.GetHex(x, y); hex->IsLand() && !hex->city && !hex->seaZone) {
                found = 1;
                Select(x, y);
                EXPECT_EQ(Value(402), L"-");
                EXPECT_EQ(Value(403), L"-");
            }
}

TEST_F(HexPanel, AMulberryIsBuiltOnceOnFriendlyCoastForItsHolderAndPaidByTheBuilder)
{
    g_Gra->m_Consts.Mulberry[0] = 50.0f;
    cPanstwo& albion = *GetCountry(1);
    albion.PP = 50.0;
    sHex* coast = FreeCoast(1);
    ASSERT_NE(coast, nullptr);
    Select(coast->x, coast->y);
    ASSERT_TRUE(panel->GetControl(kHexPanelMulberryId)->GetEnabled()) << "exactly the cost is enough";
    const size_t units = g_Gra->m_LandUnits.size();
    Click(*panel, kHexPanelMulberryId);
    Click(*panel, kHexPanelMulberryId);
    ASSERT_EQ(g_Gra->m_LandUnits.size(), units + 1) << "a double click builds one";
    auto* harbour = dynamic_cast<cMulberry*>(coast->unit);
    ASSERT_NE(harbour, nullptr);
    EXPECT_EQ(harbour->m_Owner, 1);
    EXPECT_GT(harbour->m_Id, 0);
    EXPECT_DOUBLE_EQ(albion.PP, 0.0);
    EXPECT_EQ(HintOf(panel->GetControl(kHexPanelMulberryId)), LangText("hexpanel_mulberry_hint_occupied"));

    // On the ally's coast the harbour is the ally's; Albion pays.
    albion.PP = 80.0;
    sHex* allied = FreeCoast(5);
    ASSERT_NE(allied, nullptr);
    Select(allied->x, allied->y);
    Click(*panel, kHexPanelMulberryId);
    ASSERT_NE(allied->unit, nullptr);
    EXPECT_EQ(allied->unit->m_Owner, 5);
    EXPECT_DOUBLE_EQ(albion.PP, 30.0);
    sHex* enemy = FreeCoast(2);
    ASSERT_NE(enemy, nullptr);
    Select(enemy->x, enemy->y);
    EXPECT_EQ(HintOf(panel->GetControl(kHexPanelMulberryId)), LangText("hexpanel_mulberry_hint_not_friendly_hex"));
    // Peace is not friendship: Ruthenia's coast is no place for Albion's harbour.
    sHex* foreign = FreeCoast(3);
    ASSERT_NE(foreign, nullptr);
    ASSERT_FALSE(albion.IsAtWarWith(3));
    Select(foreign->x, foreign->y);
    EXPECT_EQ(HintOf(panel->GetControl(kHexPanelMulberryId)), LangText("hexpanel_mulberry_hint_not_friendly_hex"));
    albion.PP = 10.0;
    sHex* poor = FreeCoast(1);
    ASSERT_NE(poor, nullptr);
    Select(poor->x, poor->y);
    EXPECT_EQ(HintOf(panel->GetControl(kHexPanelMulberryId)), L"A Mulberry harbour costs 50 production points; your country has 10.0.");
}

} // namespace
