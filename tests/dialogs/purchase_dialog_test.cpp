// The purchases window on Testland: what research allows, what the money allows, what a
// purchase leaves in the reserve, and the price of points within one visit and the next.
#include <gtest/gtest.h>

#include "core/stringbase.h"
#include "dialogs/purchase_dialog.h"
#include "game/game.h"
#include "core/text.h"
#include "gui/controls.h"
#include "gui/gui_hooks.h"
#include "tests/dialogs/dialog_bench.h"
#include "units/land_unit.h"
#include "world/country.h"

namespace {

class Purchases : public cDialogTest
{
protected:
    void SetUp() override
    {
        cDialogTest::SetUp();
        LoadTestland(1);
        albion = GetCountry(1);
        albion->TechLevel[TECH_ARTILLERY] = 3;
        albion->TechLevel[TECH_TANKS] = 0;
    }
    cDialogZakupow& Window() { return *static_cast<cDialogZakupow*>(Top()); }
    CDXUTListBox& List() { return *ControlOf<CDXUTListBox>(*Top(), kPurchaseListId, DXUT_CONTROL_LISTBOX); }
    bool Enabled(int id) { return Top()->GetControlEnabled(id); }
    cPanstwo* albion = nullptr;
};

TEST_F(Purchases, AUnitIsBoughtWithExactlyItsPriceAndNotWithOneCentLess)
{
    const sGameConsts& k = GameConsts();
    const float price = k.LandCombatStrength[0][0] * k.LandPurchaseCost[0];
    albion->PP = double(price) - 0.01;
    // Infantry numbered as the type is named.
    int numbered = 0;
    for (cJednostkaLadowa* unit : g_Gra->m_LandUnits)
        if (unit->m_Owner == 1 && unit->m_Type == UNIT_INFANTRY)
            unit->m_Name = FormatText(L"%d %s", ++numbered, albion->GetUnitTypeName(UNIT_INFANTRY));
    ASSERT_GT(numbered, 0);
    PushDialog(new cDialogZakupow);
    EXPECT_FLOAT_EQ(Window().SelectedPrice(), price);
    EXPECT_FALSE(Enabled(kPurchaseBuyId));
    EXPECT_EQ(HintOf(Top()->GetControl(kPurchaseBuyId)),
              LangFormat("purchase_buy_hint_not_enough_pp", double(price), double(price) - 0.01));
    Key(VK_RETURN);
    const size_t reserve = g_Gra->m_Reserve.size();

    albion->PP = double(price);
    // The keys choose as the window's own events, without a click's sound.
    int clicks = 0;
    const auto shellSound = g_GuiHooks.playSound;
    g_GuiHooks.playSound = [&](unsigned, int, CDXUTControl*) { ++clicks; };
    Key(VK_DOWN);
    Key(VK_UP);
    g_GuiHooks.playSound = shellSound;
    EXPECT_EQ(clicks, 0);
    ASSERT_TRUE(Enabled(kPurchaseBuyId));
    EXPECT_EQ(HintOf(Top()->GetControl(kPurchaseBuyId)), LangText("purchase_buy_hint"));
    ASSERT_NO_FATAL_FAILURE(CheckScreen("purchase_dialog"));
    Click(kPurchaseBuyId);
    ASSERT_EQ(g_Gra->m_Reserve.size(), reserve + 1);
    const cUnit& bought = *g_Gra->m_Reserve.back();
    // Named by a number from 10 to 99 and the country's name for the type, whatever its
    // units of that type are numbered.
    const std::wstring typeName = albion->GetUnitTypeName(UNIT_INFANTRY);
    ASSERT_EQ(bought.m_Name.size(), typeName.size() + 3) << WideToUtf8(bought.m_Name);
    const int number = std::stoi(bought.m_Name.substr(0, 2));
    EXPECT_TRUE(number >= 10 && number <= 99) << number;
    EXPECT_EQ(bought.m_Name.substr(2), L" " + typeName);
    EXPECT_EQ(bought.m_Owner, 1);
    EXPECT_EQ(bought.m_Type, UNIT_INFANTRY);
    EXPECT_TRUE(bought.m_InReserve);
    EXPECT_TRUE(bought.m_Spotted) << "a new unit is bought visible";
    EXPECT_EQ(bought.m_AvailableInTurns, k.PurchaseNumber[0]);
    EXPECT_NEAR(albion->PP, 0.0, 1e-6);
    EXPECT_FALSE(Enabled(kPurchaseBuyId)) << "nothing left to pay with";
    EXPECT_EQ(TextOf(kPurchaseAvailableId), LangFormat("%.2f_pp", 0.0));
}

TEST_F(Purchases, ResearchLimitsTheLevelsAndAUnitNoResearchAllowsCannotBeBought)
{
    albion->PP = 10000.0;
    PushDialog(new cDialogZakupow);
    const auto& infantry = List().GetItem(0)->cells;
    ASSERT_EQ(infantry.size(), 7u);
    EXPECT_NE(infantry[4], L"-");
    EXPECT_EQ(infantry[5], L"-");
    EXPECT_EQ(infantry[6], L"-");
    EXPECT_TRUE(Enabled(kPurchaseLevel1Id + 2));
    EXPECT_FALSE(Enabled(kPurchaseLevel1Id + 3));
    Click(kPurchaseLevel1Id + 2);
    EXPECT_EQ(Window().SelectedLevel(), 3);

    // Armour needs tanks, which Albion has not researched at all.
    List().SelectItem(UNIT_ARMOURED, true);
    EXPECT_FALSE(Enabled(kPurchaseLevel1Id));
    EXPECT_FALSE(Enabled(kPurchaseBuyId));
    EXPECT_EQ(HintOf(Top()->GetControl(kPurchaseBuyId)), LangText("purchase_buy_hint_not_researched"));
    Key(VK_RETURN);

    // Ships and points have no levels.
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    EXPECT_FALSE(Top()->GetControl(kPurchaseLevel1Id)->GetVisible());
    Key(VK_ESCAPE);
    EXPECT_TRUE(OpenKinds().empty());
}

TEST_F(Purchases, PointsKeepTheirPriceForTheVisitCostMoreAtTheNextAndAreAddedOnce)
{
    albion->PP = 10000.0;
    g_Gra->m_Consts.CapacityPriceBase[0] = 10.0f;
    g_Gra->m_Consts.CapacityPricePerUnit[0] = 5.0f;
    g_Gra->m_Consts.CapacityPriceBase[2] = 20.0f;
    g_Gra->m_Consts.CapacityPricePerUnit[2] = 4.0f;
    const int smp = albion->SMP, smpMax = albion->SMPMax;
    const int aip = albion->AIP, aipMax = albion->AIPMax;
    ASSERT_GT(smpMax, 0) << "the price counts the bought points, not the scenario's own";
    PushDialog(new cDialogZakupow);
    for (int k = 0; k < 3; ++k)
        Key(VK_RIGHT);
    ASSERT_EQ(List().GetSize(), 3);
    EXPECT_FLOAT_EQ(Window().SelectedPrice(), 10.0f);
    for (int k = 0; k < 3; ++k) {
        Click(kPurchaseBuyId);
        EXPECT_FLOAT_EQ(Window().SelectedPrice(), 10.0f);
    }
    // The points are there now; the points each impulse brings stay as they were.
    EXPECT_EQ(albion->SMP, smp + 3);
    EXPECT_EQ(albion->SMPMax, smpMax);
    EXPECT_EQ(albion->SMPBought, 3);
    EXPECT_NEAR(albion->PP, 10000.0 - 30.0, 1e-3);
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_FLOAT_EQ(Window().SelectedPrice(), 20.0f);
    Click(kPurchaseBuyId);
    EXPECT_EQ(albion->AIP, aip + 1);
    EXPECT_EQ(albion->AIPMax, aipMax);
    EXPECT_EQ(albion->AIPBought, 1);
    Key(VK_ESCAPE);

    // Sea transport points cost more by each full ten of the country's capacity.
    g_Gra->m_Consts.CapacityPriceBase[1] = 30.0f;
    g_Gra->m_Consts.CapacityPricePerUnit[1] = 2.0f;
    const int aboard = albion->GetSeaTransportCapacity() - albion->STP - albion->STPUsedByConvoys;
    ASSERT_LE(aboard, 29);
    albion->STP = 29 - aboard;
    albion->STPUsedByConvoys = 0;
    PushDialog(new cDialogZakupow);
    for (int k = 0; k < 3; ++k)
        Key(VK_RIGHT);
    EXPECT_FLOAT_EQ(Window().SelectedPrice(), 25.0f);
    Key(VK_DOWN);
    EXPECT_FLOAT_EQ(Window().SelectedPrice(), 34.0f);
    Key(VK_DOWN);
    EXPECT_FLOAT_EQ(Window().SelectedPrice(), 24.0f);
}

} // namespace
