// The unit panel on Testland: what it shows of the selected unit, and its orders driven
// as a player clicks them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/stringbase.h"
#include "dialogs/confirm_dialog.h"
#include "dialogs/text_input_dialog.h"
#include "dialogs/unit_panel.h"
#include "game/game.h"
#include "game/play_state.h"
#include "gui/controls.h"
#include "shell/links.h"
#include "world/map.h"
#include "tests/dialogs/dialog_bench.h"
#include "tests/test_support.h"
#include "units/land_unit.h"
#include "units/naval_unit.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/sea_graph.h"

namespace {

class UnitPanel : public cDialogTest
{
protected:
    void Open(int activeId)
    {
        LoadTestland(activeId);
        panel = new cUnitPanel;
        g_UnitPanel = panel;
        panel->SetMinimized(false);
    }
    void TearDown() override
    {
        g_UnitPanel = nullptr;
        delete panel;
        cDialogTest::TearDown();
    }
    void Select(int x, int y)
    {
        g_Gra->m_PlayState->SelectHex(x, y);
        panel->Refresh();
    }
    std::wstring Hint(int id)
    {
        const wchar_t* hint = panel->GetControl(id)->GetHint();
        return hint ? hint : L"";
    }
    bool Enabled(int id) { return panel->GetControl(id)->GetEnabled(); }

    cUnitPanel* panel = nullptr;
};

TEST_F(UnitPanel, NothingSelectedOrAnUnseenEnemyShowsNothingAndASeenEnemyNoOrders)
{
    Open(1);
    const std::wstring none = LangText("unitpanel_no_unit_selected");
    for (int id : {kUnitPanelNameId, kUnitPanelSupplyId, kUnitPanelBonusId}) {
        EXPECT_EQ(TextOf(*panel, id), L"-");
        EXPECT_EQ(Hint(id), none);
    }
    for (int id : {kUnitPanelRenameId, kUnitPanelDisbandId, kUnitPanelSeaTransportId, kUnitPanelNuclearId}) {
        EXPECT_FALSE(Enabled(id));
        EXPECT_EQ(Hint(id), none);
    }
    EXPECT_FALSE(panel->GetControl(kUnitPanelFlagId)->GetVisible());

    cJednostkaLadowa* panzer = g_Gra->FindLandUnitById(4);
    panzer->m_Spotted = false;
    Select(11, 3);
    EXPECT_EQ(TextOf(*panel, kUnitPanelNameId), L"-");

    // Seen on the hex chosen while it was not (a recon of it), it shows its own picture.
    panzer->m_Spotted = true;
    panel->Refresh();
    EXPECT_EQ(panel->GetTexture(3)->strFilename, L"data\\gfx\\Units images\\4.png");
    EXPECT_TRUE(panel->GetControl(kUnitPanelPictureId)->GetVisible());
    Select(11, 3);
    EXPECT_EQ(TextOf(*panel, kUnitPanelNameId), L"1. Panzer");
    EXPECT_EQ(TextOf(*panel, kUnitPanelOwnerId), L"Borussia");
    EXPECT_EQ(TextOf(*panel, kUnitPanelLevelId), L"3");
    EXPECT_TRUE(panel->GetControl(kUnitPanelFlagId)->GetVisible());
    for (int id : {kUnitPanelRenameId, kUnitPanelCommandersId, kUnitPanelDisbandId, kUnitPanelSupplySourceId}) {
        EXPECT_FALSE(Enabled(id));
        EXPECT_EQ(Hint(id), LangText("unitpanel_not_owned_unit"));
    }

    // The shell's refresh of the panels reaches this one.
    g_Gra->m_PlayState->SelectHex(2, 2);
    g_DialogLinks.refreshSelectionPanels();
    EXPECT_EQ(TextOf(*panel, kUnitPanelNameId), L"1st Guards");
}

TEST_F(UnitPanel, OwnUnitIsSelectedMovedTakenBackAndLoadedOntoATransportInAPort)
{
    Open(1);
    cJednostkaLadowa* guards = g_Gra->FindLandUnitById(1);
    guards->m_ActionPoints = guards->m_StartingActionPoints = 3;
    Select(2, 2);
    EXPECT_EQ(TextOf(*panel, kUnitPanelNameId), L"1st Guards");
    EXPECT_EQ(TextOf(*panel, kUnitPanelActionPointsId), L"3");
    EXPECT_EQ(TextOf(*panel, kUnitPanelSupplyId), LangFormat("unitpanel_supply_value_from_city", guards->m_Supply, L"Londinium"));
    EXPECT_TRUE(Enabled(kUnitPanelSupplySourceId));
    // Cut off for an impulse, and with no supply left: each hint counts its impulses.
    guards->m_TurnsWithoutSupply = 1;
    Select(2, 2);
    EXPECT_EQ(Hint(kUnitPanelSupplyId), LangFormat("unitpanel_supply_out_of_supply_hint", 1));
    const int supply = guards->m_Supply;
    guards->m_Supply = 0;
    g_Gra->m_Consts.ImpulsesWithoutSupplySource = 1;
    Select(2, 2);
    EXPECT_EQ(Hint(kUnitPanelSupplyId), LangFormat("unitpanel_supply_out_of_supply_more_hint", 1));
    guards->m_Supply = supply;
    guards->m_TurnsWithoutSupply = 0;
    Select(2, 2);
    EXPECT_TRUE(Enabled(kUnitPanelRenameId));
    EXPECT_FALSE(Enabled(kUnitPanelUndoId));
    EXPECT_EQ(Hint(kUnitPanelUndoId), LangText("unitpanel_undo_move_icon_hint_no_undo_possible"));

    // A move to the port of Dover, then taken back with the panel's undo.
    guards->ComputeMoveRange(false);
    ASSERT_TRUE(g_Gra->m_PlayState->PlayMove(*guards, 3, 3));
    Select(3, 3);
    EXPECT_TRUE(Enabled(kUnitPanelUndoId));
    Click(*panel, kUnitPanelUndoId);
    EXPECT_EQ(guards->m_X, 2);
    EXPECT_EQ(guards->m_Y, 2);
    EXPECT_EQ(guards->m_ActionPoints, 3);

    // Into the port again, and aboard a cargo ship: the points are paid once, the unit leaves
    // the map for the new ship's fleet at the port's node, and nothing stays selected.
    guards->ComputeMoveRange(false);
    ASSERT_TRUE(g_Gra->m_PlayState->PlayMove(*guards, 3, 3));
    Select(3, 3);
    cPanstwo* albion = GetCountry(1);
    const int pointsBefore = albion->STP;
    ASSERT_TRUE(Enabled(kUnitPanelSeaTransportId));
    Click(*panel, kUnitPanelSeaTransportId);
    EXPECT_FALSE(guards->IsOnMap());
    ASSERT_NE(guards->m_Transporter, nullptr);
    EXPECT_EQ(guards->m_Transporter->m_Type, UNIT_CARGO);
    EXPECT_EQ(guards->m_Transporter->m_Fleet->seaNode, g_Gra->m_SeaGraph->FindNodeAtHex(3, 3));
    EXPECT_NE(std::find(g_Gra->m_LandUnits2.begin(), g_Gra->m_LandUnits2.end(), guards), g_Gra->m_LandUnits2.end());
    EXPECT_LT(albion->STP, pointsBefore);
    EXPECT_EQ(g_Gra->m_Mapa->GetHex(3, 3)->unit, nullptr);
    EXPECT_EQ(g_Gra->m_PlayState->GetSelectedHex(), nullptr);
    EXPECT_EQ(g_Gra->m_PlayState->GetOrderMode(), ORDER_SELECT);
    EXPECT_EQ(TextOf(*panel, kUnitPanelNameId), L"-");
    // The new transport joins the fleet lying in the port, which may still sail.
    const cJednostkaMorska* transport = guards->m_Transporter;
    EXPECT_EQ(transport->m_Name, LangFormat("transport_#%i", transport->m_Id));
    EXPECT_EQ(transport->m_Fleet->name, L"Dover Transports");
    EXPECT_EQ(transport->m_Fleet->ships.back(), transport);
    EXPECT_EQ(transport->m_Fleet->movedThisTurn, 0);

    // Ashore again in the port: the panel shows the unit there, with no action points left.
    ASSERT_EQ(guards->m_Transporter->UnloadToHex(3, 3, 3, 3), guards);
    Select(3, 3);
    EXPECT_EQ(TextOf(*panel, kUnitPanelNameId), L"1st Guards");
    EXPECT_EQ(TextOf(*panel, kUnitPanelActionPointsId), L"0");
    EXPECT_FALSE(Enabled(kUnitPanelSeaTransportId));
}

TEST_F(UnitPanel, WithoutAnActiveFleetInThePortALandingForceGetsAFleetThatSailsAtOnce)
{
    Open(1);
    cJednostkaLadowa* guards = g_Gra->FindLandUnitById(1);
    guards->m_ActionPoints = guards->m_StartingActionPoints = 3;
    guards->ComputeMoveRange(false);
    ASSERT_TRUE(g_Gra->m_PlayState->PlayMove(*guards, 3, 3));
    for (cFlota* fleet : g_Gra->m_Fleets)
        if (fleet->name == L"Dover Transports")
            fleet->isActive = 0;  // a passive fleet is not joined
    cPanstwo* albion = GetCountry(1);
    const int points = albion->AIP;
    const size_t fleets = g_Gra->m_Fleets.size();
    Select(3, 3);
    ASSERT_TRUE(Enabled(kUnitPanelAmphibiousId)) << Hint(kUnitPanelAmphibiousId);
    Click(*panel, kUnitPanelAmphibiousId);
    ASSERT_NE(guards->m_Transporter, nullptr);
    const cJednostkaMorska* ship = guards->m_Transporter;
    cFlota* fleet = ship->m_Fleet;
    EXPECT_EQ(ship->m_Type, UNIT_AMPHIBIOUS);
    EXPECT_EQ(ship->m_Name, LangFormat("landing_task_force_#%i", ship->m_Id));
    EXPECT_EQ(g_Gra->m_Fleets.size(), fleets + 1);
    EXPECT_EQ(fleet->name, LangFormat("fleet_#%i", fleet->ID));
    EXPECT_EQ(fleet->owner, 1);
    EXPECT_EQ(fleet->isActive, 1);
    EXPECT_EQ(albion->AIP, points - g_Gra->m_Consts.AmphibiousCost[UNIT_INFANTRY]);
    EXPECT_TRUE(testing_support::LogHasInOrder({L"Loading unit: new fleet will be created"}));
    // Loaded and under way in the same impulse.
    fleet->MoveTo(2);
    EXPECT_EQ(fleet->seaNode, 2);
}

TEST_F(UnitPanel, TransportFarFromAPortIsRefusedBeforeAnythingIsPaid)
{
    Open(2);
    cJednostkaLadowa* motorised = g_Gra->FindLandUnitById(5);  // Colonia, no port beside it
    motorised->m_ActionPoints = 4;
    Select(9, 5);
    const int points = GetCountry(2)->STP;
    const size_t fleets = g_Gra->m_Fleets.size();
    // The hint already says no; the order itself must refuse the same way.
    panel->OnGUIEvent(0, kUnitPanelSeaTransportId, nullptr);
    EXPECT_TRUE(motorised->IsOnMap());
    EXPECT_EQ(GetCountry(2)->STP, points);
    EXPECT_EQ(g_Gra->m_Fleets.size(), fleets);

    // Beside its own port, but the order is not Borussia's to give while Albion moves.
    cJednostkaLadowa* corps = g_Gra->FindLandUnitById(8);
    GetCountry(2)->STP = 20;
    std::wstring why;
    ASSERT_TRUE(corps->GetSeaTransportHint(&why)) << why;
    g_Gra->m_PlayState->SetActiveCountry(GetCountry(1));
    corps->m_Spotted = true;
    Select(8, 3);
    panel->OnGUIEvent(0, kUnitPanelSeaTransportId, nullptr);
    EXPECT_TRUE(corps->IsOnMap());
    EXPECT_EQ(GetCountry(2)->STP, 20);
}

TEST_F(UnitPanel, RenameOpensOneWindowAndItsAnswerRenamesDisbandRefundsHalfTheValue)
{
    Open(1);
    Select(2, 2);
    Click(*panel, kUnitPanelRenameId);
    Click(*panel, kUnitPanelRenameId);  // a second click opens no second window
    EXPECT_EQ(OpenKinds(), std::vector<int>{kTextInputDialogKind});
    EXPECT_EQ(panel->Pending(), cUnitPanel::PENDING_RENAME);
    auto* edit = ControlOf<CDXUTEditBox>(*Top(), kTextInputEditId, DXUT_CONTROL_EDITBOX);
    ASSERT_NE(edit, nullptr);
    edit->SetText(L"Home Guard");
    Click(kTextInputOkId);
    EXPECT_EQ(panel->Pending(), cUnitPanel::PENDING_NONE);
    EXPECT_EQ(g_Gra->FindLandUnitById(1)->m_Name, L"Home Guard");
    EXPECT_EQ(TextOf(*panel, kUnitPanelNameId), L"Home Guard");

    // The other side's phase closes the window unanswered: the panel stops waiting.
    Click(*panel, kUnitPanelDisbandId);
    EXPECT_EQ(panel->Pending(), cUnitPanel::PENDING_DISBAND);
    FoldPanelsForOtherSide();
    EXPECT_EQ(panel->Pending(), cUnitPanel::PENDING_NONE);
    RestorePanelsForPlayer();

    // Any close-all does the same.
    Click(*panel, kUnitPanelDisbandId);
    CloseTopDialogs(-1);
    FlushClosedDialogs();
    Click(*panel, kUnitPanelRenameId);
    EXPECT_EQ(panel->Pending(), cUnitPanel::PENDING_RENAME);
    Click(kTextInputCancelId);
    EXPECT_EQ(panel->Pending(), cUnitPanel::PENDING_NONE);

    const double pp = GetCountry(1)->PP;
    const float strength = g_Gra->FindLandUnitById(1)->GetCombatStrength();
    Click(*panel, kUnitPanelDisbandId);
    Click(kConfirmYesId);
    EXPECT_EQ(g_Gra->FindLandUnitById(1), nullptr);
    EXPECT_NEAR(GetCountry(1)->PP - pp, strength * 0.5 * g_Gra->m_Consts.LandReplacementCost[0], 1e-3);
    EXPECT_EQ(TextOf(*panel, kUnitPanelNameId), L"-");
}

TEST_F(UnitPanel, PictureIsLookedUpOnceUnderTheNameWithSlashesAndFrozenAndAirUnitsShowTheirOwnValues)
{
    Open(1);
    cJednostkaLadowa* guards = g_Gra->FindLandUnitById(1);
    guards->SetName(L"1st/Guards");
    std::filesystem::create_directories("data/scenarios/Testland/Units images");
    std::filesystem::copy_file(testing_support::SourceDir() / "data" / "gfx" / "Units images" / "0.png",
                               "data/scenarios/Testland/Units images/1st_Guards.png",
                               std::filesystem::copy_options::overwrite_existing);
    const std::wstring own = L"data\\scenarios\\Testland\\Units images\\1st_Guards.png";
    Select(2, 2);
    EXPECT_EQ(panel->GetTexture(3)->strFilename, own);
    EXPECT_TRUE(panel->GetControl(kUnitPanelPictureId)->GetVisible());
    // The same unit again: its picture stays, even though its name would now find another.
    guards->SetName(L"..\\Home Guard");
    guards->m_FreezeTime = 2;
    // Its entrenchment bonus is the level times the per-level percentage, the fraction dropped.
    guards->m_TrenchBonus = 3;
    g_Gra->m_Consts.EntrenchmentFactor = 3.5f;
    Select(2, 2);
    EXPECT_EQ(panel->GetTexture(3)->strFilename, own);
    EXPECT_EQ(TextOf(*panel, kUnitPanelActionPointsId), LangText("unitpanel_ap_frozen"));
    EXPECT_EQ(TextOf(*panel, kUnitPanelBonusId), L"10%");
    // With another hex chosen between, it is looked for afresh, each file tried logged; a
    // backslash of its name leads to no other folder.
    testing_support::ClearLog();
    Select(0, 0);
    Select(2, 2);
    EXPECT_TRUE(testing_support::LogContains(
        L"Loading file \"data\\scenarios\\Testland\\Units images\\.._Home Guard.png\" (1) [FAILED]"));
    EXPECT_NE(panel->GetTexture(3)->strFilename, own);
    // A flag file of its owner's name that is no picture gives way to the placeholder flag.
    testing_support::WriteFile("data/scenarios/Testland/Flags/Albion.png", "not a picture");
    Select(0, 0);
    Select(2, 2);
    EXPECT_EQ(panel->GetTexture(4)->strFilename, L"data\\gfx\\Flags\\unknown.png");
    EXPECT_TRUE(
        testing_support::LogContains(L"Loading file \"data\\scenarios\\Testland\\Flags\\Albion.png\" (1) [FAILED]"));
    // One that is a picture is decoded once, into the texture the panel draws: not at each look-up.
    std::filesystem::copy_file(testing_support::SourceDir() / "data" / "gfx" / "Flags" / "unknown.png",
                               "data/scenarios/Testland/Flags/Albion.png",
                               std::filesystem::copy_options::overwrite_existing);
    Select(0, 0);
    Select(2, 2);
    testing_support::WriteFile("data/scenarios/Testland/Flags/Albion.png", "not a picture");
    Select(0, 0);
    Select(2, 2);
    EXPECT_EQ(panel->GetTexture(4)->strFilename, L"data\\scenarios\\Testland\\Flags\\Albion.png");

    // A picture file of its name that is no picture is passed over for the next that loads.
    testing_support::WriteFile("data/scenarios/Testland/Units images/Fighter Command.png", "not a picture");
    Select(1, 3);  // Fighter Command
    EXPECT_TRUE(testing_support::LogContains(
        L"Loading file \"data\\scenarios\\Testland\\Units images\\Fighter Command.png\" (1) [FAILED]"));
    EXPECT_EQ(TextOf(*panel, kUnitPanelNameId), L"Fighter Command");
    EXPECT_EQ(TextOf(*panel, kUnitPanelBonusId), L"-");
    EXPECT_EQ(panel->GetTexture(3)->strFilename, L"data\\gfx\\Units images\\20.png");
    EXPECT_FALSE(Enabled(kUnitPanelSeaTransportId));
    EXPECT_EQ(Hint(kUnitPanelSeaTransportId), LangText("unitpanel_sea_transport_icon_hint_not_land_unit"));
}

TEST_F(UnitPanel, ScreenWithASelectedUnit)
{
    Open(1);
    Select(2, 2);
    g_DialogLinks.renderPanels = [this](float elapsed) { panel->OnRender(elapsed); };
    ASSERT_NO_FATAL_FAILURE(CheckScreen("unit_panel"));
}

} // namespace
