// The convoys window: the list and its orders, and new convoys picked on the map.
#include <gtest/gtest.h>

#include "core/stringbase.h"
#include "dialogs/convoys_dialog.h"
#include "game/game.h"
#include "game/play_state.h"
#include "gui/controls.h"
#include "tests/dialogs/dialog_bench.h"
#include "world/city.h"
#include "world/convoys.h"
#include "world/country.h"
#include "world/map.h"
#include "world/sea_graph.h"

namespace {

class ConvoysDialog : public cDialogTest
{
protected:
    void SetUp() override
    {
        cDialogTest::SetUp();
        LoadTestland(1);
        g_Gra->m_Consts.ConvoyValuePP = 2;
        g_Gra->m_Consts.ConvoyValueSupply = 5;
        dialog = new cDialogKonwojow();
        PushDialog(dialog);
    }
    std::vector<sKonwoj>& Convoys() { return *g_Gra->m_Convoys->OwnerConvoys(1); }
    CDXUTListBox* List() { return ControlOf<CDXUTListBox>(*dialog, kConvoysListId, DXUT_CONTROL_LISTBOX); }
    void ChooseRow(int row) { ClickRow(*dialog, *List(), row); }
    bool Enabled(int id) { return dialog->GetControl(id)->GetEnabled(); }

    cDialogKonwojow* dialog = nullptr;
};

TEST_F(ConvoysDialog, TheChosenConvoyIsMovedRetypedValuedAndDeleted)
{
    ASSERT_EQ(Convoys().size(), 2u);
    const int first = Convoys()[0].id, second = Convoys()[1].id;
    ASSERT_EQ(List()->GetSize(), 2);
    EXPECT_FALSE(Enabled(kConvoysDeleteId));
    EXPECT_FALSE(Enabled(kConvoysProductionId));

    ChooseRow(0);
    EXPECT_EQ(dialog->SelectedConvoyId(), first);
    EXPECT_FALSE(Enabled(kConvoysMoveUpId));
    EXPECT_EQ(HintOf(dialog->GetControl(kConvoysMoveUpId)), LangText("convoys_moveup_hint_is_topmost"));
    Click(kConvoysMoveDownId);
    EXPECT_EQ(Convoys()[1].id, first);
    EXPECT_EQ(dialog->SelectedIndex(), 1);
    EXPECT_FALSE(Enabled(kConvoysMoveDownId));
    EXPECT_EQ(HintOf(dialog->GetControl(kConvoysMoveDownId)), LangText("convoys_movedown_hint_is_bottommost"));
    EXPECT_EQ(reinterpret_cast<intptr_t>(List()->GetItem(0)->pData), second) << "rows carry convoy ids";

    sKonwoj& convoy = Convoys()[1];
    const int capacity = g_Gra->m_SeaGraph->GetNode(convoy.departure->GetSeaNodeId())->SizeCurrent;
    ASSERT_GT(capacity, 0) << "a convoy read from the scenario carries as much as its port";
    Click(kConvoysProductionId);
    EXPECT_EQ(convoy.type, CONVOY_PP);
    EXPECT_EQ(convoy.value, capacity * 2);
    Click(kConvoysSupplyId);
    EXPECT_EQ(convoy.type, CONVOY_SUPPLIES);
    EXPECT_EQ(convoy.value, capacity * 5) << "the supply maximum at once";
    // Dover and Valdo held by one country: production points would never sail between them.
    sHex& valdo = *g_Gra->m_Mapa->GetHex(convoy.destination->X, convoy.destination->Y);
    const int valdoHolder = valdo.controller;
    valdo.controller = 1;
    ChooseRow(0);
    ChooseRow(1);
    EXPECT_FALSE(Enabled(kConvoysProductionId));
    EXPECT_EQ(HintOf(dialog->GetControl(kConvoysProductionId)),
              LangFormat("convoys_type_pp_hint_within_one_country_%s_%s_%s", std::wstring(L"Dover"),
                         std::wstring(L"Valdo"), GetCountry(1)->Name));
    Click(kConvoysProductionId);
    EXPECT_EQ(convoy.type, CONVOY_SUPPLIES);
    valdo.controller = valdoHolder;
    ChooseRow(0);
    ChooseRow(1);
    EXPECT_TRUE(Enabled(kConvoysProductionId));
    EXPECT_EQ(HintOf(dialog->GetControl(kConvoysProductionId)), LangText("convoys_type_pp_hint"));
    auto* slider = ControlOf<CDXUTSlider>(*dialog, kConvoysValueSliderId, DXUT_CONTROL_SLIDER);
    slider->SetValueInternal(convoy.value - 1, true, true);
    EXPECT_EQ(convoy.value, capacity * 5 - 1);
    EXPECT_EQ(TextOf(kConvoysValueTextId), LangFormat("convoys_value_%i", convoy.value));
    ASSERT_NO_FATAL_FAILURE(CheckScreen("convoys_dialog"));

    Click(kConvoysDeleteId);
    ASSERT_EQ(Convoys().size(), 1u);
    EXPECT_EQ(Convoys()[0].id, second);
    EXPECT_EQ(dialog->SelectedConvoyId(), -1);
    for (int id : {kConvoysDeleteId, kConvoysMoveUpId, kConvoysMoveDownId, kConvoysProductionId, kConvoysSupplyId,
                   kConvoysValueSliderId})
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_EQ(TextOf(kConvoysValueTextId), L"") << "no value for no convoy";
    EXPECT_EQ(HintOf(dialog->GetControl(kConvoysSupplyId)), LangText("convoys_type_hint_no_selection"));
    EXPECT_EQ(HintOf(dialog->GetControl(kConvoysValueSliderId)), L"Choose a convoy first to set what it carries");
    ChooseRow(0);
    Click(kConvoysDeleteId);
    EXPECT_EQ(HintOf(dialog->GetControl(kConvoysDeleteId)), LangText("convoys_hint_none")) << "none left to choose";
    // No key closes the window: only its button.
    Key(VK_ESCAPE);
    Key(VK_RETURN);
    EXPECT_EQ(OpenKinds(), std::vector<int>{kConvoysDialogKind});
    Click(kConvoysExitId);
    EXPECT_TRUE(OpenKinds().empty());
}

TEST_F(ConvoysDialog, ANewConvoyIsPickedOnTheMapAndAPickGivenUpBringsTheWindowBack)
{
    cPlayState& play = *g_Gra->m_PlayState;
    Click(kConvoysNewId);
    EXPECT_FALSE(dialog->GetVisible());
    EXPECT_EQ(play.GetOrderMode(), ORDER_CONVOY_START);
    EXPECT_TRUE(TakeConvoyPortPick(4)); // Dover
    EXPECT_EQ(play.GetOrderMode(), ORDER_CONVOY_END);
    EXPECT_TRUE(TakeConvoyPortPick(6)); // Valdo, the ally's port
    EXPECT_EQ(play.GetOrderMode(), ORDER_SELECT);
    EXPECT_TRUE(dialog->GetVisible());
    ASSERT_EQ(Convoys().size(), 3u);
    EXPECT_EQ(dialog->SelectedConvoyId(), Convoys()[2].id);
    EXPECT_EQ(dialog->SelectedIndex(), 2);

    // Only the departure picked, then another order: nothing is made and the window is back.
    Click(kConvoysNewId);
    EXPECT_TRUE(TakeConvoyPortPick(4));
    play.SetOrderMode(ORDER_SELECT);
    Tick(0.1f);
    EXPECT_TRUE(dialog->GetVisible());
    EXPECT_EQ(Convoys().size(), 3u);
    EXPECT_FALSE(TakeConvoyPortPick(6)) << "no pick is running";
    EXPECT_EQ(Convoys().size(), 3u);
}

} // namespace
