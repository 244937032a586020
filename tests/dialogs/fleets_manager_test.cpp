// The fleets window on Testland: the fleets of a zone and their ships, a repair in port
// and a split into a new fleet, the buttons' reasons, its reopening after an order, and
// what a carrier's recon found.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/lock.h"
#include "core/settings.h"
#include "core/stringbase.h"
#include "dialogs/confirm_dialog.h"
#include "dialogs/fleets_manager.h"
#include "dialogs/request_openers.h"
#include "game/game.h"
#include "game/play_state.h"
#include "gui/controls.h"
#include "shell/map_orders.h"
#include "tests/game/testland_game.h"
#include "tests/dialogs/dialog_bench.h"
#include "units/combat_result.h"
#include "units/land_unit.h"
#include "units/naval_unit.h"
#include "world/country.h"
#include "world/fleet.h"
#include "world/sea_graph.h"

namespace {

constexpr int kDoverPort = 4;
constexpr int kChannel = 2;

class FleetsManager : public cDialogTest
{
protected:
    void SetUp() override
    {
        cDialogTest::SetUp();
        LoadTestland(1);
    }
    cFlota* Fleet(int id)
    {
        for (cFlota* fleet : g_Gra->m_Fleets)
            if (fleet->ID == id)
                return fleet;
        return nullptr;
    }
    cDialogFlot& Window() { return *static_cast<cDialogFlot*>(Top()); }
    CDXUTListBox& List(int id) { return *ControlOf<CDXUTListBox>(*Top(), id, DXUT_CONTROL_LISTBOX); }
    // A click on rows of a list, without Ctrl: only they are chosen.
    void Choose(int listId, std::vector<int> rows)
    {
        CDXUTListBox& list = List(listId);
        for (int k = 0; k < list.GetSize(); ++k)
            list.GetItem(k)->bSelected = std::find(rows.begin(), rows.end(), k) != rows.end();
        Top()->OnGUIEvent(EVENT_LISTBOX_SELECTION, listId, &list);
    }
    std::wstring HintOf(int id) { return Top()->GetControl(id)->GetHint(); }
    bool Enabled(int id) { return Top()->GetControlEnabled(id); }

    testland::cRequestRecorder screen;
};

TEST_F(FleetsManager, AShipIsRepairedOnceATurnInPortForItsPriceAndSplitIntoANewFleet)
{
    // The Home Fleet lies in Dover with a damaged battleship.
    Fleet(1)->seaNode = kDoverPort;
    cJednostkaMorska* warspite = g_Gra->FindNavalUnitById(2);
    warspite->m_HP = 3;
    cPanstwo& albion = *GetCountry(1);
    albion.PP = 50.0;
    g_Gra->m_Consts.PortCapacityToRepair[1] = 3;

    PushDialog(new cDialogFlot(kDoverPort));
    ASSERT_EQ(List(kFleetsListId).GetSize(), 2);
    EXPECT_EQ(List(kFleetsListId).GetSelectedIndex(), 0) << "the first fleet is chosen at once";
    const std::vector<std::wstring>& home = List(kFleetsListId).GetItem(0)->cells;
    EXPECT_EQ((std::vector<std::wstring>{home[1], home[2]}), (std::vector<std::wstring>{L"2", L"72% (8/11)"}));
    ASSERT_EQ(List(kFleetsShipsId).GetSize(), 2);
    EXPECT_EQ(List(kFleetsShipsId).GetItem(1)->cells[1], L"50% (3/6)");
    EXPECT_FALSE(Enabled(kFleetsRepairId)) << "the carrier has no damage";
    EXPECT_EQ(HintOf(kFleetsRepairId), LangText("fleets_repair_group_hint_full_hp"));

    // Points exactly enough for the repair are enough.
    albion.PP = GameConsts().ShipRepairCost[1];
    Choose(kFleetsShipsId, {1});
    ASSERT_EQ(Window().GetSelectedShip(0), warspite);
    ASSERT_TRUE(Enabled(kFleetsRepairId)) << std::wstring(HintOf(kFleetsRepairId));
    ASSERT_NO_FATAL_FAILURE(CheckScreen("fleets_manager"));
    // The chosen ship's picture shows through the list of ships, below its rows.
    CDXUTControl* picture = Top()->GetControl(kFleetsPictureId);
    ASSERT_TRUE(picture && picture->GetVisible());
    const sRect list = Top()->ToScreenRect(List(kFleetsShipsId).GetBoundingBox());
    const size_t below = size_t(list.bottom - 30) * 1024u + size_t(list.left + list.Width() / 2); // a 1024 wide bench
    const uint32_t shown = DrawScreen()[below];
    picture->SetVisible(false);
    EXPECT_NE(DrawScreen()[below], shown);
    picture->SetVisible(true);
    // A name the player gave it with the row's separators stays in the name's column.
    warspite->m_Name = L"Warspite;Grand Old|Lady";
    Click(kFleetsRepairId);
    EXPECT_EQ(warspite->m_HP, 4);
    const std::vector<std::wstring>& row = List(kFleetsShipsId).GetItem(1)->cells;
    ASSERT_EQ(row.size(), 5u);
    EXPECT_EQ((std::vector<std::wstring>{row[0], row[1]}), (std::vector<std::wstring>{L"Warspite Grand Old Lady", L"66% (4/6)"}));
    EXPECT_DOUBLE_EQ(albion.PP, 0.0);
    Choose(kFleetsShipsId, {1});
    EXPECT_FALSE(Enabled(kFleetsRepairId));
    EXPECT_EQ(HintOf(kFleetsRepairId), LangText("fleets_repair_group_hint_already_repaired"));

    // The battleship forms a fleet of its own; the Home Fleet keeps the carrier, and its name
    // with the row's separators (from a save) stays in the name's column.
    Fleet(1)->name = L"Evil;fleet|x";
    Click(kFleetsNewFleetId);
    ASSERT_EQ(List(kFleetsListId).GetSize(), 3);
    const std::vector<std::wstring>& fleetRow = List(kFleetsListId).GetItem(0)->cells;
    ASSERT_EQ(fleetRow.size(), 7u);
    EXPECT_EQ((std::vector<std::wstring>{fleetRow[0], fleetRow[1]}), (std::vector<std::wstring>{L"Evil fleet x", L"1"}));
    ASSERT_EQ(Fleet(1)->ships.size(), 1u);
    cFlota* split = warspite->m_Fleet;
    ASSERT_NE(split, Fleet(1));
    EXPECT_EQ(split->seaNode, kDoverPort);
    EXPECT_EQ(split->owner, 1);
    EXPECT_EQ(split->name, LangFormat("fleet_#%i", split->ID));

    // Splitting off every ship of a fleet leaves the new fleet chosen in its place.
    Click(kFleetsNewFleetId);
    EXPECT_EQ(Fleet(1), nullptr);
    ASSERT_EQ(Window().SelectedFleets().size(), 1u);
    EXPECT_EQ(Window().SelectedFleets().front()->ships.front()->m_Id, 1);
}

TEST_F(FleetsManager, ButtonsNameWhyTheyCannotActAndTheWindowComesBackAfterAnOrder)
{
    PushDialog(new cDialogFlot(kChannel));
    cDialogFlot* window = &Window();
    // The carrier at sea: no repair away from a port, not a transport, no gunship.
    EXPECT_EQ(window->GetSelectedShip(5)->m_Id, 1);
    EXPECT_EQ(HintOf(kFleetsRepairId), LangText("fleets_repair_group_hint_move_to_port"));
    EXPECT_EQ(HintOf(kFleetsUnloadId), LangText("fleets_unload_hint_not_a_transport_unit"));
    EXPECT_EQ(HintOf(kFleetsBombardId),
              LangText("fleets_shorebombardment_hint_no_battleship_or_cruiser_selected"));
    EXPECT_EQ(HintOf(kFleetsMoveShipsId), LangText("fleets_move_group_hint_no_possible_destination_fleets"));

    // A carrier at exactly the minimum for an air strike passes that check; one below it
    // is told so first, whatever else stops it.
    cJednostkaMorska* carrier = window->GetSelectedShip(0);
    carrier->m_AirstrikeDone = true;
    g_Gra->m_Consts.CarrierHitPointsForAir = carrier->m_HP;
    Choose(kFleetsShipsId, {0});
    EXPECT_EQ(HintOf(kFleetsAirStrikeId), LangText("fleets_attack_hex_hint_already_attacked_using_planes"));
    g_Gra->m_Consts.CarrierHitPointsForAir = carrier->m_HP + 1;
    Choose(kFleetsShipsId, {0});
    EXPECT_EQ(HintOf(kFleetsAirStrikeId), LangText("fleets_attack_hex_hint_hp_to_low"));

    // Both ships: one at a time only for renaming, the commander and the repair.
    Choose(kFleetsShipsId, {0, 1});
    EXPECT_EQ(window->SelectedShips().size(), 2u);
    EXPECT_EQ(HintOf(kFleetsRenameShipId), LangText("fleets_rename_group_hint_multiple_selection"));
    EXPECT_EQ(HintOf(kFleetsRepairId), LangText("fleets_repair_group_hint_multiple_selection"));

    // Raiders are passive; the formation shows it.
    Click(kFleetsRaidersId);
    EXPECT_EQ(g_Gra->m_Fleets.front()->formation, 1);
    EXPECT_EQ(g_Gra->m_Fleets.front()->isActive, 0);
    EXPECT_FALSE(Enabled(kFleetsActiveId));
    EXPECT_EQ(HintOf(kFleetsActiveId), LangText("fleets_active_hint_raiders"));
    EXPECT_EQ(List(kFleetsListId).GetItem(0)->cells[5], LangText("passive"));
    // A raider stored with its active flag still set reads active in the list, as a sea battle
    // counts it; the box stays off, as it is for every raider.
    g_Gra->m_Fleets.front()->isActive = 1;
    window->RefreshFleets(-1);
    EXPECT_EQ(List(kFleetsListId).GetItem(0)->cells[5], LangText("active"));
    EXPECT_FALSE(Enabled(kFleetsActiveId));
    EXPECT_FALSE(ControlOf<CDXUTCheckBox>(*window, kFleetsActiveId, DXUT_CONTROL_CHECKBOX)->GetChecked());

    // An order on the map hides the window; after the map's click it comes back.
    g_DelayValues[4] = 1500.0f;
    Click(kFleetsMoveId);
    EXPECT_FALSE(window->GetVisible());
    EXPECT_EQ(g_Gra->m_PlayState->GetOrderMode(), ORDER_FLEET_MOVE);
    window->OnReactivate();
    Tick(1.0f);
    EXPECT_FALSE(window->GetVisible());
    Tick(1.0f);
    EXPECT_TRUE(window->GetVisible());

    // Two transports chosen together: the cargo line names what each carries.
    cFlota& fleet = *window->SelectedFleets().front();
    ASSERT_EQ(fleet.ships.size(), 2u);
    cJednostkaLadowa guards, highlanders;
    guards.m_Name = L"Guards";
    highlanders.m_Name = L"Highlanders";
    fleet.ships.front()->m_Type = UNIT_CARGO;
    fleet.ships.front()->m_Cargo = &guards;
    fleet.ships.back()->m_Type = UNIT_AMPHIBIOUS;
    fleet.ships.back()->m_Cargo = &highlanders;
    Choose(kFleetsShipsId, {0, 1});
    EXPECT_EQ(TextOf(kFleetsCargoId), L"Guards, Highlanders");
    fleet.ships.front()->m_Cargo = fleet.ships.back()->m_Cargo = nullptr;

    // Escape closes it.
    Key(VK_ESCAPE);
    EXPECT_TRUE(OpenKinds().empty());
}

TEST_F(FleetsManager, TwoFleetsChosenTogetherShareTheirFormationAndNoShipCommand)
{
    Fleet(1)->seaNode = kDoverPort;
    Fleet(1)->isActive = 1;
    PushDialog(new cDialogFlot(kDoverPort));
    cFlota* other = Fleet(int(reinterpret_cast<intptr_t>(List(kFleetsListId).GetItem(1)->pData)));
    ASSERT_NE(other, nullptr);
    other->formation = 1;
    other->isActive = 0;
    Choose(kFleetsListId, {0, 1});
    EXPECT_EQ(List(kFleetsShipsId).GetSize(), 0);
    EXPECT_FALSE(Enabled(kFleetsNewFleetId));
    EXPECT_EQ(HintOf(kFleetsNewFleetId), LangText("fleets_no_unit_selected"));
    EXPECT_EQ(HintOf(kFleetsRenameId), LangText("fleets_rename_fleet_hint_multiple_selection"));
    // Regular and raider together: no formation shown, the box follows the regular fleet.
    auto checked = [this](int id, int type) { return ControlOf<CDXUTCheckBox>(*Top(), id, type)->GetChecked(); };
    EXPECT_EQ((std::vector<bool>{checked(kFleetsRegularId, DXUT_CONTROL_RADIOBUTTON),
                                 checked(kFleetsRaidersId, DXUT_CONTROL_RADIOBUTTON),
                                 checked(kFleetsActiveId, DXUT_CONTROL_CHECKBOX), Enabled(kFleetsActiveId)}),
              (std::vector<bool>{false, false, true, true}));
    // Raiders go passive; back to regular, they stay passive.
    Click(kFleetsRaidersId);
    Click(kFleetsRegularId);
    EXPECT_EQ((std::vector<int>{Fleet(1)->formation, Fleet(1)->isActive, other->formation, other->isActive}),
              (std::vector<int>{0, 0, 0, 0}));
    EXPECT_FALSE(checked(kFleetsActiveId, DXUT_CONTROL_CHECKBOX));
}

TEST_F(FleetsManager, DisbandingTheLastShipsClosesTheWindow)
{
    PushDialog(new cDialogFlot(kDoverPort));
    Click(kFleetsDisbandId);
    ASSERT_EQ(OpenKinds(), (std::vector<int>{kFleetsDialogKind, kConfirmDialogKind}));
    Click(kConfirmYesId);
    EXPECT_EQ(g_Gra->FindNavalUnitById(3), nullptr) << "the transport is gone";
    EXPECT_TRUE(OpenKinds().empty()) << "no fleet of Albion is left in Dover";
}

// A sea hex selected with ships of the player's side there opens their window, but never
// over another window.
TEST_F(FleetsManager, ASeaHexSelectedOpensItsWindowOnlyWhenNoOtherIsOpen)
{
    auto selected = [] {
        sPresentationRequest data;
        data.kind = eRequestKind::FleetsDialog;
        data.unitId = kDoverPort;
        return std::make_shared<cPresentationRequest>(data, 1);
    };
    g_Gra->m_SeaGraph->GetNode(kDoverPort)->OwnCounts[0] = 1;
    ASSERT_TRUE(ServeDialogRequest(selected()));
    EXPECT_EQ(OpenKinds(), std::vector<int>{kFleetsDialogKind});
    ASSERT_TRUE(ServeDialogRequest(selected()));
    EXPECT_EQ(OpenKinds(), std::vector<int>{kFleetsDialogKind}) << "not a second one over the first";
}

} // namespace

// The carrier's aircraft tell what they found, as a plane's recon does: around a port, its
// land and then its harbour.
TEST_F(FleetsManager, ACarriersReconShowsWhatItsAircraftFound)
{
    SetPresentation(&screen);
    g_DelayValues[DELAY_HUMAN_COMBAT_RESULT] = 1000.0f;
    PushDialog(new cDialogFlot(kChannel));
    cJednostkaMorska* carrier = Window().GetSelectedShip(0);
    ASSERT_TRUE(Enabled(kFleetsReconId)) << HintOf(kFleetsReconId);
    Click(kFleetsReconId);
    ASSERT_EQ(g_Gra->m_PlayState->GetOrderMode(), ORDER_RECONNAISSANCE);

    constexpr int kHamburgumX = 8, kHamburgumY = 2;
    {
        GLOBAL_LOCK_SCOPE();
        sHex& hamburgum = *g_Gra->m_Mapa->GetHex(kHamburgumX, kHamburgumY);
        ASSERT_EQ(CarryOutWindowOrder(sMapClick{*g_Gra->m_PlayState, *g_Gra->m_Mapa, hamburgum, true, nullptr}),
                  eOrderClick::Done);
    }
    EXPECT_TRUE(carrier->m_ReconDone);
    ASSERT_EQ(screen.Count(eRequestKind::CombatResult), 1);
    const sCombatResult& shown = *screen.requests.back().combat;
    EXPECT_EQ(shown.kind, COMBAT_AIR_RECON);
    EXPECT_EQ(shown.attackerCountry, -1);  // a look fought by nobody shows no side's flag
    EXPECT_NE(shown.attackerInfo.find(L"Hamburgum"), std::wstring::npos) << shown.attackerInfo;
    EXPECT_NE(shown.attackerInfo.find(L"Enemy ships in sight in "), std::wstring::npos) << shown.attackerInfo;
}
