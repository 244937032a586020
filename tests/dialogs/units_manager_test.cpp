// The units window on Testland: its filters and tabs by key, the units waiting for
// delivery, a unit picked for a move, and what stays when it closes.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/stringbase.h"
#include "dialogs/units_manager.h"
#include "game/game.h"
#include "game/play_state.h"
#include "gui/controls.h"
#include "gui/gui_hooks.h"
#include "tests/dialogs/dialog_bench.h"
#include "units/land_unit.h"
#include "units/naval_unit.h"
#include "units/unit.h"
#include "world/fleet.h"
#include "world/sea_graph.h"

namespace {

class UnitsManager : public cDialogTest
{
protected:
    void TearDown() override
    {
        g_UnitsMgrLandFilter = g_UnitsMgrAirFilter = g_UnitsMgrNavalFilter = ~0u;
        g_UnitsMgrToDeploy = 0;
        g_UnitsMgrAutoCenter = true;
        cDialogTest::TearDown();
    }
    CDXUTListBox& List() { return *ControlOf<CDXUTListBox>(*Top(), kUnitsListId, DXUT_CONTROL_LISTBOX); }
    std::vector<std::wstring> Names()
    {
        std::vector<std::wstring> names;
        for (int k = 0; k < List().GetSize(); ++k)
            names.push_back(List().GetItem(k)->cells[0]);
        return names;
    }
    std::wstring HintOf(int id) { return Top()->GetControl(id)->GetHint(); }
};

TEST_F(UnitsManager, KeysFilterTheTypesAndTheFiltersOutlastTheWindow)
{
    LoadTestland(2);
    PushDialog(new cDialogJednostek(2));
    EXPECT_EQ(List().GetSize(), 5) << "every land unit of Borussia on the map";
    EXPECT_EQ(List().GetSelectedIndex(), 0);
    EXPECT_EQ(TextOf(kUnitsFirstLandFilterId + 2),
              FormatText(L"%s (%i+[%i])", cUnit::GetSubtypeText(UNIT_MECHANIZED), 1, 0));
    ASSERT_NO_FATAL_FAILURE(CheckScreen("units_manager"));
    // The keys move the choice as the window's own events, without a click's sound.
    int clicks = 0;
    const auto shellSound = g_GuiHooks.playSound;
    g_GuiHooks.playSound = [&](unsigned, int, CDXUTControl*) { ++clicks; };
    Key(VK_DOWN);
    ASSERT_NE(UnitsMgrSelectedUnit(), nullptr);
    EXPECT_EQ(UnitsMgrSelectedUnit()->m_Id, int(reinterpret_cast<intptr_t>(List().GetItem(1)->pData)));
    Key(VK_UP);
    Key(VK_UP);
    EXPECT_EQ(List().GetSelectedIndex(), 0) << "Up on the first row keeps it";
    Key(VK_RIGHT);
    Key(VK_LEFT);
    g_GuiHooks.playSound = shellSound;
    EXPECT_EQ(clicks, 0);
    // A Mulberry harbour follows the infantry's filter.
    cJednostkaLadowa* harbour = nullptr;
    for (cJednostkaLadowa* u : g_Gra->m_LandUnits)
        if (u->m_Owner == 2 && u->m_Name != L"2. Motorised" && !harbour)
            harbour = u;
    ASSERT_NE(harbour, nullptr);
    harbour->SetType(UNIT_MULBERRY);
    Key('0');
    EXPECT_EQ(List().GetSize(), 0);
    EXPECT_FALSE(Top()->GetControlEnabled(kUnitsSelectId));
    EXPECT_EQ(HintOf(kUnitsSelectId), LangText("units_mgr_select_hint_no_unit_selected"));
    Key('1');
    const std::vector<std::wstring> withInfantry = Names();
    EXPECT_NE(std::find(withInfantry.begin(), withInfantry.end(), harbour->m_Name), withInfantry.end());
    Key('1');
    Key('3');
    EXPECT_EQ(Names(), std::vector<std::wstring>{L"2. Motorised"});
    Key(VK_ESCAPE);
    EXPECT_TRUE(OpenKinds().empty());

    // Opened again: the filter holds, the tab of kinds starts on land; Right stops at naval.
    // A name given with the row's separators stays in the name's column.
    for (cJednostkaLadowa* u : g_Gra->m_LandUnits)
        if (u->m_Name == L"2. Motorised")
            u->m_Name = L"2.|Motorised";
    PushDialog(new cDialogJednostek(2));
    EXPECT_EQ(Names(), std::vector<std::wstring>{L"2. Motorised"});
    for (int k = 0; k < 3; ++k)
        Key(VK_RIGHT);
    EXPECT_EQ(static_cast<CDXUTTabFrame*>(Top()->GetControl(kUnitsKindTabsId))->GetSelectedIndex(), 2);
    EXPECT_EQ(List().GetSize(), 4) << "Borussia's ships";

    // A sea zone whose name holds the row's separators stays in its column too.
    const cJednostkaMorska* ship = g_Gra->FindNavalUnitById(int(reinterpret_cast<intptr_t>(List().GetItem(0)->pData)));
    ASSERT_TRUE(ship && ship->m_Fleet && ship->m_Fleet->GetSeaNode());
    ship->m_Fleet->GetSeaNode()->Name = L"North;Sea|x";
    Key(VK_LEFT);
    Key(VK_RIGHT);
    ASSERT_EQ(List().GetItem(0)->cells.size(), 6u);
    EXPECT_EQ(List().GetItem(0)->cells[4], L"North Sea x");
}

TEST_F(UnitsManager, AUnitNotYetDeliveredCannotDeployAndAPickedUnitIsSelectedForItsMove)
{
    LoadTestland(1);
    PushDialog(new cDialogJednostek(1));
    Key('D');
    ASSERT_EQ(g_UnitsMgrToDeploy, 1);
    ASSERT_EQ(Names(), std::vector<std::wstring>{L"Albion Armour"});
    EXPECT_EQ(List().GetItem(0)->cells[3], LangFormat("units_mgr_units_list_avail_in_%i_turns", 2));
    EXPECT_FALSE(Top()->GetControlEnabled(kUnitsSelectId));
    EXPECT_EQ(HintOf(kUnitsSelectId), LangText("units_mgr_deploy_hint_not_ready_to_deploy"));
    // One turn is counted as the others are.
    g_Gra->ForEachUnitOf(0, [](const cUnit& u) {
        if (u.m_Name == L"Albion Armour")
            const_cast<cUnit&>(u).m_AvailableInTurns = 1;
    });
    Key('M');
    Key('D');
    EXPECT_EQ(List().GetItem(0)->cells[3], LangFormat("units_mgr_units_list_avail_in_%i_turns", 1));
    EXPECT_FALSE(Top()->GetControlEnabled(kUnitsSelectId));

    Key('M');
    ASSERT_EQ(Names(), std::vector<std::wstring>{L"1st Guards"});
    Key(VK_RETURN);
    EXPECT_TRUE(OpenKinds().empty());
    ASSERT_NE(g_Gra->m_PlayState->GetSelectedUnit(), nullptr);
    EXPECT_EQ(g_Gra->m_PlayState->GetSelectedUnit()->m_Id, 1);
    EXPECT_EQ(g_Gra->m_PlayState->GetOrderMode(), ORDER_MOVE);

    // A deployment the window began ends with the window.
    PushDialog(new cDialogJednostek(1));
    g_Gra->m_PlayState->SetOrderMode(ORDER_DEPLOY);
    Key(VK_ESCAPE);
    FlushClosedDialogs();
    EXPECT_EQ(g_Gra->m_PlayState->GetOrderMode(), ORDER_SELECT);
    EXPECT_EQ(UnitsMgrSelectedUnit(), nullptr);
}

} // namespace
