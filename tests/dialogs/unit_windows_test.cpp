// The windows the unit panel opens for a unit: its commander and its replacements. Each
// tells the window that opened it how it closed.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "core/stringbase.h"
#include "dialogs/commanders_dialog.h"
#include "dialogs/replacements_dialog.h"
#include "game/commanders.h"
#include "game/game.h"
#include "game/presentation.h"
#include "gui/controls.h"
#include "gui/gui_hooks.h"
#include "tests/dialogs/dialog_bench.h"
#include "units/land_unit.h"
#include "units/air_unit.h"
#include "units/naval_unit.h"
#include "world/country.h"
#include "world/map.h"

namespace {

// The window that opened another one, keeping what it was told.
class cOpener : public cDialog
{
public:
    cOpener() : cDialog(999) {}
    void OnGUIEvent(unsigned, int controlId, CDXUTControl*) override { told.push_back(controlId); }
    std::vector<int> told;
};

class UnitWindows : public cDialogTest
{
protected:
    void SetUp() override
    {
        cDialogTest::SetUp();
        LoadTestland(1);
        guards = g_Gra->FindLandUnitById(1);
        ASSERT_NE(guards, nullptr);
        shellSound = g_GuiHooks.playSound;
        g_GuiHooks.playSound = [this](unsigned, int id, CDXUTControl*) { clicks.push_back(id); };
    }
    void TearDown() override
    {
        g_GuiHooks.playSound = shellSound;
        for (sDowodca* c : added)
            std::erase(g_Gra->m_Commanders, c);
        for (sDowodca* c : added)
            delete c;
        cDialogTest::TearDown();
    }
    sDowodca* AddCommander(const wchar_t* name, int skill)
    {
        auto* c = new sDowodca{int(100 + added.size()), name, 1, 0, skill, 5, 0};
        g_Gra->m_Commanders.push_back(c);
        added.push_back(c);
        return c;
    }
    static int CommandersOfAlbion(int type)
    {
        return int(std::count_if(g_Gra->m_Commanders.begin(), g_Gra->m_Commanders.end(), [type](const sDowodca* c) {
            return c->CountryID == 1 && c->Type == type && c->State >= 0 && c->State <= 2;
        }));
    }
    CDXUTListBox& List(int id) { return *ControlOf<CDXUTListBox>(*Top(), id, DXUT_CONTROL_LISTBOX); }
    cJednostkaLadowa* guards = nullptr;
    std::vector<sDowodca*> added;
    cOpener opener;
    // The buttons whose click sound played.
    std::vector<int> clicks;
    std::function<void(unsigned, int, CDXUTControl*)> shellSound;
};

TEST_F(UnitWindows, ACommanderIsRecalledAndAnotherAssignedTheBestListedFirst)
{
    sDowodca* alexander = AddCommander(L"Alexander", 3);
    sDowodca* brooke = AddCommander(L"Brooke", 5);
    sDowodca* montgomery = guards->m_Commander;
    ASSERT_NE(montgomery, nullptr);
    auto* window = new cDialogDowodcow(*guards);
    window->SetOwner(&opener);
    PushDialog(window);
    EXPECT_EQ(TextOf(kCommandersCurrentId), LangFormat("%s_(%i_/_%i)", montgomery->Name, 3, 20));
    ASSERT_EQ(List(kCommandersAvailableId).GetSize(), 2);
    EXPECT_EQ(List(kCommandersAvailableId).GetItem(0)->cells[0], L"Brooke");
    EXPECT_FALSE(Top()->GetControlEnabled(kCommandersAssignId)) << "the unit has its commander";
    const std::wstring assign = LangText("commander_assign_hint") + L"\n";
    EXPECT_EQ(HintOf(Top()->GetControl(kCommandersAssignId)), assign + LangText("commander_assign_hint_has_commander"));

    struct cPanels : cNullPresentation { int refreshed = 0; void RefreshPanels() override { ++refreshed; } } panels;
    SetPresentation(&panels);
    Click(kCommandersRecallId);
    SetPresentation(nullptr);
    EXPECT_EQ(panels.refreshed, 1) << "the unit panel beneath shows him gone at once";
    EXPECT_EQ(guards->m_Commander, nullptr);
    EXPECT_EQ(montgomery->State, 1);
    EXPECT_EQ(HintOf(Top()->GetControl(kCommandersRecallId)),
              LangText("commander_recall_hint") + L"\n" + LangText("commander_recall_hint_no_commander"));
    ASSERT_EQ(List(kCommandersUnavailableId).GetSize(), 1);
    EXPECT_EQ(List(kCommandersUnavailableId).GetItem(0)->cells[3], LangText("commander_status_heading_to_hq"));
    List(kCommandersUnavailableId).SelectItem(0, true);
    EXPECT_EQ(HintOf(Top()->GetControl(kCommandersAssignId)),
              assign + LangFormat("commander_assign_hint_on_his_way_%s", montgomery->Name));
    List(kCommandersAvailableId).SelectItem(0, true);
    ASSERT_TRUE(Top()->GetControlEnabled(kCommandersAssignId));
    ASSERT_NO_FATAL_FAILURE(CheckScreen("commanders_dialog"));

    Click(kCommandersAssignId);
    EXPECT_EQ(guards->m_Commander, brooke);
    EXPECT_EQ(brooke->State, 2);
    EXPECT_EQ(TextOf(kCommandersCurrentId), LangFormat("%s_(%i_/_%i)", L"Brooke", 5, 5));
    EXPECT_EQ(List(kCommandersAvailableId).GetSize(), 1);
    EXPECT_FALSE(Top()->GetControlEnabled(kCommandersAssignId));
    // On duty she is listed with her unit and its hex.
    const auto& onDuty = List(kCommandersUnavailableId).GetItem(0)->cells;
    EXPECT_EQ((std::vector<std::wstring>{onDuty[0], onDuty[4], onDuty[5]}),
              (std::vector<std::wstring>{L"Brooke", guards->m_Name, FormatText(L"(%i, %i)", guards->m_X, guards->m_Y)}));

    // Escape clicks Close, and the opener hears that click as its own, with its sound.
    clicks.clear();
    Key(VK_ESCAPE);
    EXPECT_EQ(opener.told, std::vector<int>{kCommandersExitId});
    EXPECT_EQ(clicks, (std::vector<int>{kCommandersExitId, kCommandersExitId}));
    EXPECT_TRUE(OpenKinds().empty());

    // A commander leading a unit that waits in the reserve names it; it stands on no hex yet.
    sDowodca* rommel = AddCommander(L"Rommel", 5);
    rommel->State = 2;
    cJednostkaLadowa waiting;
    waiting.m_Name = L"6. Panzer-Division";
    waiting.m_Owner = 1;
    waiting.m_Commander = rommel;
    g_Gra->m_Reserve.push_back(&waiting);
    PushDialog(new cDialogDowodcow(*guards));
    std::vector<std::wstring> leading;
    for (int row = 0; row < List(kCommandersUnavailableId).GetSize(); ++row)
        if (const auto& cells = List(kCommandersUnavailableId).GetItem(row)->cells; cells[0] == L"Rommel")
            leading = {cells[4], cells[5]};
    EXPECT_EQ(leading, (std::vector<std::wstring>{L"6. Panzer-Division", L"-"}));
    CloseTopDialogs(-1);
    std::erase(g_Gra->m_Reserve, &waiting);

    // An air commander on duty names his unit's hex, a ship's commander the ship alone; each
    // unit lists only the commanders of its own kind.
    auto rowOnDuty = [this](cUnit& unit, sDowodca* commander) {
        commander->State = 2;
        sDowodca* const before = std::exchange(unit.m_Commander, commander);
        PushDialog(new cDialogDowodcow(unit));
        std::vector<std::wstring> row;
        for (int k = 0; k < List(kCommandersUnavailableId).GetSize(); ++k)
            if (const auto& cells = List(kCommandersUnavailableId).GetItem(k)->cells; cells[0] == commander->Name)
                row = {cells[4], cells[5]};
        EXPECT_EQ(List(kCommandersAvailableId).GetSize() + List(kCommandersUnavailableId).GetSize(),
                  CommandersOfAlbion(commander->Type));
        CloseTopDialogs(-1);
        unit.m_Commander = before;
        return row;
    };
    cUnit* fighters = g_Gra->FindAirUnitById(1);
    cUnit* ship = g_Gra->FindNavalUnitById(1);
    ASSERT_TRUE(fighters && ship);
    sDowodca* dowding = AddCommander(L"Dowding", 4);
    dowding->Type = 1;
    sDowodca* cunningham = AddCommander(L"Cunningham", 4);
    cunningham->Type = 2;
    EXPECT_EQ(rowOnDuty(*fighters, dowding),
              (std::vector<std::wstring>{fighters->m_Name, FormatText(L"(%i, %i)", fighters->m_X, fighters->m_Y)}));
    EXPECT_EQ(rowOnDuty(*ship, cunningham), (std::vector<std::wstring>{ship->m_Name, L"-"}));

    // Nobody waits at headquarters: the row lit among those on duty is the one Assign's hint names.
    alexander->State = 2;
    guards->m_Commander = nullptr;
    PushDialog(new cDialogDowodcow(*guards));
    EXPECT_EQ(HintOf(Top()->GetControl(kCommandersAssignId)), assign + LangFormat("commander_assign_hint_on_duty_%s", L"Alexander"));
}

TEST_F(UnitWindows, ReplacementsAreBoundByMoneySupplyAndLossesAndPaidOnOk)
{
    guards->m_Strength = 60;
    guards->m_Level = 2;
    cPanstwo& albion = *GetCountry(1);
    albion.PP = 1000.0;
    auto* window = new cDialogUzupelnien(*guards);
    window->SetOwner(&opener);
    PushDialog(window);
    // A point costs the type's share of the full-strength value, dearer by the surcharge of one level.
    const sGameConsts& k = GameConsts();
    const float cost = window->CostPerPoint();
    EXPECT_GT(cost, 0.0f);
    EXPECT_FLOAT_EQ(cost, guards->GetFullStrengthValue() * k.LandReplacementCost[guards->m_Type] / 100.0f *
                              (1.0f + float(k.LandLevelSurcharge) / 100.0f));
    const int max = window->MaximumPoints();
    EXPECT_EQ(max, std::min(40, GameConsts().LandReplacementMax[guards->m_Supply]));

    auto* slider = ControlOf<CDXUTSlider>(*Top(), kReplacementsSliderId, DXUT_CONTROL_SLIDER);
    Click(kReplacementsMaxId);
    const int v = slider->GetValue();
    EXPECT_EQ(v, max);
    const float after = guards->GetCombatStrength() + k.LandCombatStrength[1][guards->m_Type] * float(v) / 100.0f;
    EXPECT_EQ(TextOf(kReplacementsStrengthId), FormatText(L"%.2f (%i%%)", after, 60 + v));
    EXPECT_EQ(TextOf(kReplacementsCostId), LangFormat("%.2f_pp", cost * float(v)));
    ASSERT_NO_FATAL_FAILURE(CheckScreen("replacements_dialog"));
    // The keys act as the window's own events, silently; the opener hears OK with its sound.
    guards->m_OrderPath.push_back({});
    clicks.clear();
    Key('M');
    EXPECT_TRUE(clicks.empty());
    Key(VK_RETURN);
    EXPECT_EQ(clicks, std::vector<int>{kReplacementsOkId});
    EXPECT_EQ(guards->m_Strength, 60 + v);
    EXPECT_EQ(guards->m_ActionPoints, 0);
    EXPECT_TRUE(guards->m_OrderPath.empty());
    EXPECT_NEAR(albion.PP, 1000.0 - double(cost) * v, 1e-3);
    EXPECT_EQ(opener.told, std::vector<int>{kReplacementsOkId});
    // Cancel clicked: its own click, then the opener's.
    window = new cDialogUzupelnien(*guards);
    window->SetOwner(&opener);
    PushDialog(window);
    clicks.clear();
    Click(kReplacementsCancelId);
    EXPECT_EQ(clicks, (std::vector<int>{kReplacementsCancelId, kReplacementsCancelId}));
    EXPECT_EQ(opener.told, (std::vector<int>{kReplacementsOkId, kReplacementsCancelId}));

    // On a hex another country owns, ten points at most.
    g_Gra->m_Mapa->GetHex(guards->m_X, guards->m_Y)->owner = 2;
    guards->m_Strength = 50;
    EXPECT_EQ(ReplacementMaximum(*guards, cost, 1000.0), 10);
    // Money for seven and a half points buys seven.
    EXPECT_EQ(ReplacementMaximum(*guards, cost, double(cost) * 7.5), 7);
    // Debts or a full unit allow nothing; free points are bound by the rest alone.
    EXPECT_EQ(ReplacementMaximum(*guards, cost, -50.0), 0);
    guards->m_Strength = 100;
    EXPECT_EQ(ReplacementMaximum(*guards, cost, 1000.0), 0);
    guards->m_Strength = 95;
    EXPECT_EQ(ReplacementMaximum(*guards, 0.0f, 0.0), 5);
}

} // namespace
