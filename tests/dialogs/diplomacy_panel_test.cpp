// The diplomacy panel: what it shows of the country that holds the selected hex, the
// actions it offers, a war declared from it and the orientation chosen in the choice
// dialog.
#include <gtest/gtest.h>

#include "core/stringbase.h"
#include "dialogs/choice_dialog.h"
#include "dialogs/confirm_dialog.h"
#include "dialogs/diplomacy_panel.h"
#include "dialogs/message_dialog.h"
#include "game/game.h"
#include "game/play_state.h"
#include "game/reports.h"
#include "gui/controls.h"
#include "tests/dialogs/dialog_bench.h"
#include "world/country.h"
#include "world/diplomacy.h"
#include "world/relations.h"

namespace {

constexpr int kOnOthers[] = {602, 603, 604};
constexpr int kOnItself[] = {605, 606, 607, 608};

class DiplomacyPanel : public cDialogTest
{
protected:
    void Open(int activeId)
    {
        LoadTestland(activeId);
        panel = new cDiplomacyPanel();
        g_DiplomacyPanel = panel;
        EXPECT_TRUE(panel->GetMinimized()) << "it starts folded";
        panel->SetMinimized(false);
        g_DialogLinks.renderPanels = [this](float elapsed) { panel->OnRender(elapsed); };
    }
    void TearDown() override
    {
        g_DiplomacyPanel = nullptr;
        delete panel;
        cDialogTest::TearDown();
    }
    void Select(int x, int y)
    {
        g_Gra->m_PlayState->SelectHex(x, y);
        g_DialogLinks.refreshSelectionPanels();
    }
    bool Shown(int id) { return panel->GetControl(id)->GetVisible(); }
    bool Listed(const std::wstring& name)
    {
        for (int k = 0; k < WarList().GetSize(); ++k)
            if (WarList().GetItem(k)->Text() == name)
                return true;
        return false;
    }
    CDXUTListBox& WarList() { return *ControlOf<CDXUTListBox>(*panel, kDiplomacyWarListId, DXUT_CONTROL_LISTBOX); }

    cDiplomacyPanel* panel = nullptr;
};

TEST_F(DiplomacyPanel, ShowsTheHoldersStateAndOnlyTheActionsThatFitIt)
{
    Open(1);
    Select(5, 12); // the sea: nobody holds it
    for (int id : kOnOthers)
        EXPECT_FALSE(Shown(id)) << id;
    for (int id : kOnItself)
        EXPECT_FALSE(Shown(id)) << id;
    EXPECT_FALSE(Shown(kDiplomacyFlagId));
    for (int id : {611, 613, 615, 617, 619, 621, 623, 625})
        EXPECT_EQ(TextOf(*panel, id), L"-") << id;

    Select(2, 2); // Londinium: Albion acts on itself
    EXPECT_EQ(TextOf(*panel, kDiplomacyCountryId), GetCountry(1)->Name);
    EXPECT_EQ(TextOf(*panel, 617), LangText("diplomacy_country_allies_leader"));
    for (int id : kOnOthers)
        EXPECT_FALSE(Shown(id)) << id;
    for (int id : kOnItself)
        EXPECT_TRUE(Shown(id)) << id;

    cPanstwo& valdonia = *GetCountry(5);
    valdonia.IsActive = false;
    Select(11, 3); // Berolina: at war with Albion and, by the matrix, with Valdonia
    for (int id : kOnOthers)
        EXPECT_TRUE(Shown(id)) << id;
    for (int id : kOnItself)
        EXPECT_FALSE(Shown(id)) << id;
    ASSERT_EQ(WarList().GetSize(), 1) << "a country that is gone is not listed";
    EXPECT_EQ(WarList().GetItem(0)->Text(), GetCountry(1)->Name);
    EXPECT_FALSE(panel->GetControl(602)->GetEnabled());
    std::wstring refusal;
    CanDeclareWar(1, 2, refusal);
    EXPECT_EQ(HintOf(panel->GetControl(602)), refusal);
}

TEST_F(DiplomacyPanel, AWarDeclaredFromThePanelChangesTheRelationAndShowsTheResultAfterTheQuestion)
{
    Open(1);
    cPanstwo& albion = *GetCountry(1);
    albion.DP = 1000;
    Select(17, 4); // Moskva, Ruthenia's
    ASSERT_TRUE(panel->GetControl(602)->GetEnabled()) << HintOf(panel->GetControl(602));
    Click(*panel, 602);
    Click(*panel, 602);
    EXPECT_EQ(OpenKinds(), (std::vector<int>{kConfirmDialogKind})) << "one question however often it is asked";
    // The question closed unanswered (the phase changed): the panel asks again.
    CloseTopDialogs(-1);
    Click(*panel, 602);
    ASSERT_EQ(OpenKinds(), (std::vector<int>{kConfirmDialogKind}));
    Click(kConfirmYesId);
    EXPECT_TRUE(g_Gra->m_Relations->IsAtWar(1, 3));
    EXPECT_LT(albion.DP, 1000);
    EXPECT_EQ(OpenKinds(), (std::vector<int>{kMessageDialogKind})) << "the result stays when the question goes";
    EXPECT_EQ(TextOf(687), L"Albion declares war on Ruthenia: war now stands between the Comintern and the Allies.");
    EXPECT_EQ(panel->Pending(), cDiplomacyPanel::PENDING_NONE);
    EXPECT_FALSE(panel->GetControl(602)->GetEnabled()) << "already at war";
    EXPECT_TRUE(Listed(albion.Name));
    ASSERT_NO_FATAL_FAILURE(CheckScreen("diplomacy_panel"));
    CloseTopDialogs(-1);

    // The question names what the war brings: Helvetia, leaning to the Axis in its zone, would
    // join it, and Borussia, at peace now, comes in with it. No keeps the peace.
    albion.DP = 1000;
    GetCountry(4)->Orientation = ORIENTATION_PRO_AXIS;
    GetCountry(4)->ZoneOfInfluence = 2;
    g_Gra->m_Relations->SetWar(1, 2, 0);
    g_Gra->m_Relations->SetWar(2, 1, 0);
    Select(10, 8); // Berna, Helvetia's
    ASSERT_TRUE(panel->GetControl(602)->GetEnabled()) << HintOf(panel->GetControl(602));
    Click(*panel, 602);
    EXPECT_EQ(TextOf(704), L"Do you really want to declare war on Helvetia?\nHelvetia will join the Axis.\nThis war "
                           L"puts you at war with: Borussia, Helvetia.");
    Click(kConfirmNoId);
    EXPECT_FALSE(g_Gra->m_Relations->IsAtWar(1, 4));
    EXPECT_TRUE(OpenKinds().empty());
    EXPECT_EQ(panel->Pending(), cDiplomacyPanel::PENDING_NONE);
}

TEST_F(DiplomacyPanel, ALeaningCountryChoosesItsOrientationInTheChoiceDialog)
{
    Open(4); // Helvetia, neutral
    cPanstwo& helvetia = *GetCountry(4);
    helvetia.Orientation = ORIENTATION_PRO_AXIS;
    helvetia.DP = 1000;
    Select(10, 8);
    ASSERT_TRUE(panel->GetControl(607)->GetEnabled()) << HintOf(panel->GetControl(607));
    Click(*panel, 607);
    ASSERT_EQ(OpenKinds(), (std::vector<int>{kChoiceDialogKind}));
    for (int id : {int(ORIENTATION_NATIONALIST), int(ORIENTATION_PRO_ALLIED), int(ORIENTATION_PRO_COMINTERN), kChoiceRandomId})
        EXPECT_NE(Top()->GetControl(id), nullptr) << id;
    EXPECT_EQ(Top()->GetControl(ORIENTATION_PRO_AXIS), nullptr);
    EXPECT_EQ(TextOf(932), LangFormat("diplomacy_elections_in_country_title", helvetia.Name));
    ASSERT_NO_FATAL_FAILURE(CheckScreen("choice_dialog"));
    Click(ORIENTATION_PRO_ALLIED);
    EXPECT_EQ(helvetia.Orientation, ORIENTATION_PRO_ALLIED);
    EXPECT_EQ(g_DiplomacyChoice, ORIENTATION_PRO_ALLIED);
    ASSERT_EQ(OpenKinds(), (std::vector<int>{kMessageDialogKind})) << "the result after the choice has closed";
    EXPECT_EQ(TextOf(685), LangFormat("diplomacy_elections_in_country_title", helvetia.Name));
    // The country's own act is kept as its window told it, with the results of its events.
    std::list<sRaport> acts;
    g_Gra->m_Reports->CollectReports(acts, helvetia.ID, 25);
    ASSERT_EQ(acts.size(), 1u);
    EXPECT_EQ(acts.back().text, TextOf(685) + L"\n\n" + TextOf(687));
    CloseTopDialogs(-1);

    // A change of orientation offers the same three for a pro-axis country; cancel changes
    // nothing and leaves the panel free. The window has no keys: Escape leaves it open.
    helvetia.Orientation = ORIENTATION_PRO_AXIS;
    Select(10, 8);
    Click(*panel, 608);
    ASSERT_EQ(OpenKinds(), (std::vector<int>{kChoiceDialogKind}));
    EXPECT_NE(Top()->GetControl(ORIENTATION_NATIONALIST), nullptr);
    Click(kChoiceCancelId);
    EXPECT_EQ(g_DiplomacyChoice, kChoiceCancelled);
    EXPECT_TRUE(OpenKinds().empty());
    EXPECT_EQ(panel->Pending(), cDiplomacyPanel::PENDING_NONE);
    Click(*panel, 608);
    Key(VK_ESCAPE);
    EXPECT_EQ(OpenKinds(), (std::vector<int>{kChoiceDialogKind}));
    Click(kChoiceCancelId);
    EXPECT_EQ(helvetia.Orientation, ORIENTATION_PRO_AXIS);

    // Fate picks one of the three shown, never itself.
    Click(*panel, 608);
    Click(kChoiceRandomId);
    EXPECT_TRUE(g_DiplomacyChoice == ORIENTATION_NATIONALIST || g_DiplomacyChoice == ORIENTATION_PRO_ALLIED ||
                g_DiplomacyChoice == ORIENTATION_PRO_COMINTERN)
        << g_DiplomacyChoice;
    EXPECT_EQ(helvetia.Orientation, g_DiplomacyChoice);
    EXPECT_EQ(OpenKinds(), (std::vector<int>{kMessageDialogKind}));
    CloseTopDialogs(-1);

    // A firm regime has its one way to turn, and the price in the hint and the window, where
    // the player may still cancel.
    helvetia.Orientation = ORIENTATION_DEMOCRACY;
    helvetia.DoneTurnInOrientation = false;
    helvetia.DP = 1000;
    Select(10, 8);
    const std::wstring price = OrientationChangeCostText(4);
    EXPECT_EQ(HintOf(panel->GetControl(608)), price);
    Click(*panel, 608);
    ASSERT_EQ(OpenKinds(), (std::vector<int>{kChoiceDialogKind}));
    EXPECT_EQ(TextOf(933), LangFormat("diplomacy_change_orientation_of_country", helvetia.Name) + L"\n" + price);
    EXPECT_NE(Top()->GetControl(ORIENTATION_PRO_ALLIED), nullptr);
    for (int id : {int(ORIENTATION_PRO_AXIS), int(ORIENTATION_PRO_COMINTERN), kChoiceRandomId})
        EXPECT_EQ(Top()->GetControl(id), nullptr) << id;
    Click(kChoiceCancelId);
    EXPECT_EQ(helvetia.Orientation, ORIENTATION_DEMOCRACY);
    EXPECT_EQ(helvetia.DP, 1000);
    Click(*panel, 608);
    Click(ORIENTATION_PRO_ALLIED);
    EXPECT_EQ(helvetia.Orientation, ORIENTATION_PRO_ALLIED);
    EXPECT_EQ(helvetia.DP, 1000 - helvetia.PoliticalStrength);
}

} // namespace
