// The sea-battle screen on Testland: a person's battle fought on it through clicks, as the
// main thread serves the battle's request while the battle waits.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "core/settings.h"
#include "core/stringbase.h"
#include "core/text.h"
#include "dialogs/dialog_stack.h"
#include "dialogs/message_dialog.h"
#include "dialogs/new_turn_dialog.h"
#include "game/consts.h"
#include "game/game.h"
#include "game/game_state.h"
#include "game/presentation.h"
#include "gui/gui_hooks.h"
#include "gui/layout.h"
#include "platform/messages.h"
#include "game/reports.h"
#include "shell/frame_callbacks.h"
#include "shell/map_skin.h"
#include "shell/menus/sea_battle_menu.h"
#include "shell/shell_presentation.h"
#include "shell/skin_levels.h"
#include "shell/textures.h"
#include "shell/units_skin.h"
#include "tests/dialogs/dialog_bench.h"
#include "tests/gui/screenshot_check.h"
#include "tests/test_support.h"
#include "tests/units/unit_test_game.h"
#include "units/naval_unit.h"
#include "units/sea_battle.h"
#include "core/random.h"

namespace {

using unit_tests::RawFor;
constexpr int kAlbionId = 1;
constexpr int kWarspite = 2, kBismarck = 4, kHipper = 5, kArkRoyal = 1;

class SeaBattleScreen : public cDialogTest
{
protected:
    void SetUp() override
    {
        cDialogTest::SetUp();
        OnDeviceCreated(device.get(), nullptr);
        OnDeviceReset(device.get(), nullptr);
        g_Textures[TEX_UNKNOWN_FLAG].Load(L"data\\gfx\\Flags\\unknown.png", 1, 1);
        LoadTestland(kAlbionId);
        LoadMapSkin(L"Normal");
        LoadUnitsSkin(L"Counters");
        CreateSkinFonts(device.get());
        SetPresentation(&ShellPresentation());
    }
    void TearDown() override
    {
        SetFramePump(nullptr);
        DeleteCurrentMenu();
        OnDeviceLost();
        OnDeviceDestroyed();
        ReleaseGameTextures();
        cDialogTest::TearDown();
    }
    cJednostkaMorska& Ship(int id) { return *g_Gra->FindNavalUnitById(id); }
    void ClickCell(cSeaBattleMenu& menu, const cJednostkaMorska& ship)
    {
        const sPointF p = menu.CellScreenPoint(ship.m_X, ship.m_Y);
        ClickAt(int(p.x), int(p.y));
    }
    // The screen as drawn over black, pixel by pixel.
    std::vector<uint32_t> DrawScreen()
    {
        // Pictures reach the renderer at their first use: the third frame shows them all.
        for (int frame = 0; frame < 3; ++frame) {
            clock += 0.1;
            EXPECT_TRUE(device->BeginScene());
            device->Clear(0xFF000000);
            g_CurrentMenu->OnRender(1.0f);
            device->EndScene();
        }
        return device->ReadPixels();
    }
    // The battle's length drawn for certain: the weight of that many turns alone.
    static void BattleLasts(int turns)
    {
        int* weights = g_Gra->m_Consts.SeaBattleConditionWeights;
        std::fill(weights, weights + 5, 0);
        weights[turns - 1] = 1;
    }
    void CheckWholeScreen(const std::string& name)
    {
        const std::vector<uint32_t> pixels = DrawScreen();
        // The sea goes on past the board to every edge of the screen: nothing of the black
        // under it shows there.
        for (int x = 0; x < 1024; ++x)
            for (int y : {0, 767})
                ASSERT_NE(pixels[size_t(y * 1024 + x)], 0xFF000000u) << "black at " << x << "," << y;
        for (int y = 0; y < 768; ++y)
            for (int x : {0, 1023})
                ASSERT_NE(pixels[size_t(y * 1024 + x)], 0xFF000000u) << "black at " << x << "," << y;
        sScreenshotCheck check;
        ASSERT_NO_FATAL_FAILURE(CheckScreenshot(pixels, 1024, 768, "screen_" + name,
                                                testing_support::FixtureDir() / "screens" / (name + ".png"), check));
        if (!check.stored) {
            EXPECT_LE(check.differing, 1024 * 768 / 100) << "see " << check.actualFile;
        }
    }
};

} // namespace

TEST_F(SeaBattleScreen, APersonFightsTheBattleByClicksAndClosesItWhenItIsOver)
{
    Ship(kArkRoyal).Kill(false);  // no carrier: no stages before the board
    Ship(kBismarck).m_Spotted = true;
    Ship(kHipper).m_Spotted = true;
    const float mapZoom = g_MapZoom;
    BattleLasts(2);
    tSeaBattleSide first{&Ship(kWarspite)}, second{&Ship(kBismarck), &Ship(kHipper)};
    SeedRandom(7);
    cSeaBattle battle(first, second);

    int frames = 0, aimedShots = 0, computerShots = 0;
    bool looked = false, ignoredChecked = false, closed = false;
    std::vector<uint32_t> opening;
    // How many pixels of the counter at a cell differ between the opening and the last frame.
    auto changedAtCell = [&](const cSeaBattleMenu& menu, const std::vector<uint32_t>& last, int column, int row) {
        const sPointF p = menu.CellScreenPoint(column, row);
        int changed = 0;
        for (int y = int(p.y) - 8; y < int(p.y) + 8; ++y)
            for (int x = int(p.x) - 12; x < int(p.x) + 12; ++x) {
                const uint32_t a = opening[size_t(y * 1024 + x)], b = last[size_t(y * 1024 + x)];
                for (int shift : {0, 8, 16})
                    if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 48) {
                        ++changed;
                        break;
                    }
            }
        return changed;
    };
    SetFramePump([&] {
        ShellPresentation().ServeRequests();
        FreeEndedMenus();
        auto* menu = dynamic_cast<cSeaBattleMenu*>(g_CurrentMenu);
        if (++frames > 400)
            return false;  // the battle never ended: give up the wait
        if (!menu)
            return true;
        menu->OnFrameMove(0, 0.1f);
        if (!looked) {
            looked = true;
            EXPECT_EQ(g_Gra->GetGameState(), kStateSeaBattleScreen);
            CheckWholeScreen("sea_battle");
            opening = DrawScreen();
            // Every cell's middle picks that cell back, and the corner of an odd column's hex
            // its upper-left neighbour; no pixel of the screen fails to pick.
            for (int c : {0, 5, 15, 30})
                for (int r : {0, 14, 30}) {
                    const sPointF p = menu->CellScreenPoint(c, r);
                    int column = -1, row = -1;
                    if (p.x >= 0 && p.y >= 0 && p.x < 1024 && p.y < 768 && menu->PickCell(int(p.x), int(p.y), column, row)) {
                        EXPECT_EQ(std::make_pair(column, row), std::make_pair(c, r));
                    }
                }
            int column = -1, row = -1;
            const sPointF centre = menu->CellScreenPoint(15, 14);
            EXPECT_TRUE(menu->PickCell(int(centre.x - 42 * menu->Zoom()), int(centre.y - 45 * menu->Zoom()), column, row));
            EXPECT_EQ(std::make_pair(column, row), std::make_pair(14, 13));
            for (int x = 0; x < 1024; ++x)
                for (int y : {0, 383, 767})
                    menu->PickCell(x, y, column, row);
        }
        if (closed)
            return true;
        if (battle.IsOver()) {
            // Until it is closed the board shows the battle as it ended: every ship afloat
            // where it stood (nobody moved here), not an empty sea.
            const std::vector<uint32_t> last = DrawScreen();
            EXPECT_FALSE(battle.BoardShips().empty());
            for (const sSeaBattleBoardShip& on : battle.BoardShips())
                EXPECT_LT(changedAtCell(*menu, last, on.column, on.row), 24 * 16 / 4) << on.ship->m_Name;
            Click(*menu, 658);
            closed = true;
            EXPECT_EQ(g_CurrentMenu, nullptr);  // ended at once, freed after the dispatch
            return true;
        }
        cJednostkaMorska* warspite = g_Gra->FindNavalUnitById(kWarspite);
        const bool personsTurn = battle.m_FirstSideActs && warspite && warspite->m_ActiveInBattle;
        if (!personsTurn) {
            Click(*menu, 660);
            ++computerShots;
            return true;
        }
        const cJednostkaMorska* target = battle.m_SecondSide.front();
        const std::wstring before = battle.m_Log;
        if (!ignoredChecked) {
            // A box over the board takes the click: no ship is chosen beneath it.
            auto* box = new cDialogTekstowy(L"", L"");
            PushDialog(box);
            ClickCell(*menu, *warspite);
            EXPECT_EQ(menu->OrderMode(), 0);
            EXPECT_EQ(Top(), box);
            Key(VK_RETURN);
            EXPECT_EQ(Top(), nullptr);
            // A target without a chosen ship of one's own means nothing.
            ClickCell(*menu, *target);
            ClickCell(*menu, *target);
            EXPECT_EQ(menu->OrderMode(), 0);
            EXPECT_EQ(battle.m_Log, before);
            ignoredChecked = true;
        }
        ClickCell(*menu, *warspite);
        EXPECT_EQ(menu->OrderMode(), 1);
        ClickCell(*menu, *target);
        EXPECT_EQ(menu->OrderMode(), 2);
        // Choosing the own ship again leaves the target marked, as the battle keeps it.
        ClickCell(*menu, *warspite);
        EXPECT_EQ(menu->OrderMode(), 1);
        EXPECT_TRUE(menu->Marks(target->m_X, target->m_Y) & cSeaBattleMenu::kTargetMark);
        ClickCell(*menu, *target);
        ClickCell(*menu, *target);
        EXPECT_EQ(menu->OrderMode(), 0);
        EXPECT_NE(battle.m_Log, before);
        EXPECT_NE(battle.m_Log.find(L"Warspite fires at " + target->m_Name), std::wstring::npos);
        ++aimedShots;
        return true;
    });
    battle.Run();

    EXPECT_TRUE(closed);
    EXPECT_GE(aimedShots, 1);
    EXPECT_GE(computerShots, 1);
    EXPECT_TRUE(battle.IsOver());
    EXPECT_EQ(g_Gra->GetGameState(), kStateSeaBattles);
    EXPECT_EQ(g_MapZoom, mapZoom);
    int endReports = 0;
    for (const sRaport& r : g_Gra->m_Reports->GetReports())
        endReports += r.kind == 20 && r.countryKey == kAlbionId ? 1 : 0;
    EXPECT_EQ(endReports, 1);
}

// Both sides played by persons at one screen: what fires is the ship the board marks at the
// target it marks, a click the battle refuses says why on the status line and leaves the
// marks, and a ship chosen to fire that leaves the battle leaves it going on.
TEST_F(SeaBattleScreen, BetweenTwoPersonsTheMarkedShipFiresARefusedClickSaysWhyAndARetreatLeavesTheBattleGoing)
{
    constexpr int kStatus = 664, kRetreat = 657, kFire = 660, kAutoEnd = 661, kClose = 658;
    Ship(kArkRoyal).Kill(false);
    g_Gra->m_Countries[1]->HumanControlled = true; // Borussia
    for (int id : {kWarspite, kBismarck, kHipper})
        Ship(id).m_Spotted = true;
    BattleLasts(3);
    tSeaBattleSide first{&Ship(kWarspite)}, second{&Ship(kBismarck), &Ship(kHipper)};
    SeedRandom(7);
    cSeaBattle battle(first, second);
    bool played = false;
    SetFramePump([&] {
        ShellPresentation().ServeRequests();
        FreeEndedMenus();
        auto* menu = dynamic_cast<cSeaBattleMenu*>(g_CurrentMenu);
        // Two persons at one screen: the board opens after the cover that names them both.
        if (!menu && !played && Top())
            Key(VK_RETURN);
        if (!menu || played)
            return !played;
        played = true;
        // The steps, on the battle's first frame; a step that fails ends them (the battle is
        // then fought out by its wait).
        [&] {
            cJednostkaMorska &warspite = Ship(kWarspite), &bismarck = Ship(kBismarck), &hipper = Ship(kHipper);
            auto marks = [&](const cJednostkaMorska& ship) { return menu->Marks(ship.m_X, ship.m_Y); };
            auto status = [&] { return TextOf(*menu, kStatus); };
            // The line the shot wrote.
            auto fire = [&] {
                const size_t before = battle.m_Log.size();
                Click(*menu, kFire);
                return battle.m_Log.substr(before);
            };
            // Borussia's turn: every ship may fire.
            ASSERT_EQ(battle.m_TurnsLeft, 3);
            battle.m_FirstSideActs = false;

            // Albion's person clicks Warspite out of turn: refused, and told whose turn it is.
            ClickCell(*menu, warspite);
            EXPECT_EQ(menu->OrderMode(), 0);
            EXPECT_EQ(marks(warspite), 0u);
            EXPECT_EQ(status(), LangFormat("seabattle_status_choose_shooter", L"Borussia"));

            // Empty water with no ship chosen says so too.
            const sPointF water = menu->CellScreenPoint(9, 20);
            ClickAt(int(water.x), int(water.y));
            EXPECT_EQ(status(), LangText("seabattle_status_nothing_to_move"));
            // Bismarck marked at Warspite fires at it; the marks go with the shot. While it aims,
            // Retreat is greyed and both the status line and its hint say why.
            ClickCell(*menu, bismarck);
            ClickCell(*menu, warspite);
            EXPECT_EQ(menu->OrderMode(), 2);
            const std::wstring aiming = LangFormat("seabattle_status_aiming", L"Bismarck", L"HMS Warspite", L"Bismarck");
            EXPECT_EQ(status(), aiming);
            EXPECT_FALSE(menu->GetControl(kRetreat)->GetEnabled());
            EXPECT_EQ(HintOf(menu->GetControl(kRetreat)), aiming);
            EXPECT_EQ(fire().rfind(L"\nBismarck fires at HMS Warspite", 0), 0u) << WideToUtf8(battle.m_Log);
            EXPECT_EQ(menu->OrderMode(), 0);
            EXPECT_EQ(marks(bismarck) & cSeaBattleMenu::kChosenMark, 0u);
            EXPECT_EQ(marks(warspite) & cSeaBattleMenu::kTargetMark, 0u);
            // Albion's answer, picked by the battle: nothing is marked, so the marks show it first.
            ASSERT_TRUE(battle.m_FirstSideActs);
            EXPECT_EQ(fire(), L"");
            EXPECT_TRUE(marks(warspite) & cSeaBattleMenu::kChosenMark);
            EXPECT_EQ(status().rfind(LangFormat("seabattle_status_shooter_unchosen", L"HMS Warspite"), 0), 0u)
                << WideToUtf8(status());
            EXPECT_EQ(fire().rfind(L"\nHMS Warspite fires at ", 0), 0u) << WideToUtf8(battle.m_Log);

            // Bismarck has fired: chosen (it may still move or retreat), it is told it cannot fire,
            // and cannot take aim. Fire next shot first moves the marks to the battle's pick.
            ASSERT_FALSE(battle.m_FirstSideActs);
            ClickCell(*menu, bismarck);
            EXPECT_TRUE(marks(bismarck) & cSeaBattleMenu::kChosenMark);
            EXPECT_EQ(status(), LangFormat("seabattle_status_cannot_fire", L"Bismarck"));
            // Its aim refused, the click says so in words of its own, and Retreat stays.
            ClickCell(*menu, warspite);
            EXPECT_EQ(marks(warspite) & cSeaBattleMenu::kTargetMark, 0u);
            EXPECT_EQ(status(), LangFormat("seabattle_status_no_aim", L"HMS Warspite", L"Bismarck"));
            EXPECT_TRUE(menu->GetControl(kRetreat)->GetEnabled());
            EXPECT_EQ(fire(), L"");
            EXPECT_TRUE(marks(hipper) & cSeaBattleMenu::kChosenMark);
            EXPECT_TRUE(marks(warspite) & cSeaBattleMenu::kTargetMark);
            EXPECT_EQ(marks(bismarck) & cSeaBattleMenu::kChosenMark, 0u);
            EXPECT_EQ(status().rfind(LangFormat("seabattle_status_shooter_picked", L"Bismarck", L"Hipper"), 0), 0u)
                << WideToUtf8(status());
            EXPECT_EQ(fire().rfind(L"\nHipper fires at HMS Warspite", 0), 0u) << WideToUtf8(battle.m_Log);

            // The second turn, Borussia's again: Hipper, chosen to fire, leaves the battle; it goes
            // on, Bismarck firing in its place.
            ASSERT_EQ(battle.m_TurnsLeft, 2);
            ASSERT_FALSE(battle.m_FirstSideActs);
            ClickCell(*menu, hipper);
            EXPECT_EQ(battle.Shooter(), &hipper);
            ScriptRandomRaw({RawFor(1, 1, 100)});
            Click(*menu, kRetreat);
            EXPECT_NE(battle.m_Log.find(L"Hipper (Borussia) tried to retreat with chance"), std::wstring::npos);
            EXPECT_FALSE(battle.IsOver());
            EXPECT_EQ(battle.Shooter(), &bismarck);
            EXPECT_EQ(fire(), L"");  // the marks show the battle's pick first
            EXPECT_TRUE(marks(bismarck) & cSeaBattleMenu::kChosenMark);
            EXPECT_EQ(fire().rfind(L"\nBismarck fires at HMS Warspite", 0), 0u) << WideToUtf8(battle.m_Log);
            EXPECT_FALSE(battle.IsOver());
        }();
        Click(*menu, kAutoEnd);
        for (int i = 0; i < 200 && !battle.IsOver(); ++i)
            menu->OnFrameMove(0, 0.1f);
        Click(*menu, kClose);
        return true;
    });
    battle.Run();
    EXPECT_TRUE(played);
    EXPECT_EQ(g_CurrentMenu, nullptr);
    // Fought out to its last turn without the ship that left.
    const size_t retreat = battle.m_Log.find(L"tried to retreat");
    ASSERT_NE(retreat, std::wstring::npos);
    const std::wstring after = battle.m_Log.substr(retreat);
    EXPECT_NE(after.find(L"Turn completed"), std::wstring::npos) << WideToUtf8(after);
    EXPECT_EQ(after.find(L"Hipper fires"), std::wstring::npos) << WideToUtf8(after);
}

TEST_F(SeaBattleScreen, TheZoomStaysBetweenTheWholeBoardAndFullSizeAndTheButtonsStepTurnsAndTheEnd)
{
    Ship(kArkRoyal).Kill(false);
    Ship(kBismarck).m_Spotted = true;
    BattleLasts(3);
    tSeaBattleSide first{&Ship(kWarspite)}, second{&Ship(kBismarck)};
    SeedRandom(11);
    cSeaBattle battle(first, second);
    bool played = false;
    SetFramePump([&] {
        ShellPresentation().ServeRequests();
        FreeEndedMenus();
        auto* menu = dynamic_cast<cSeaBattleMenu*>(g_CurrentMenu);
        if (!menu || played)
            return !played;  // nothing left to do: a wait that goes on has failed
        played = true;
        auto frames = [&](int n, const std::function<bool()>& until) {
            for (int i = 0; i < n && !until(); ++i)
                menu->OnFrameMove(0, 0.1f);
        };
        auto enabled = [&](int id) { return menu->GetControl(id)->GetEnabled(); };

        // A ship of the computer's side cannot be chosen, nor told to retreat.
        const bool firstActs = battle.m_FirstSideActs;
        battle.m_FirstSideActs = false;
        ClickCell(*menu, Ship(kBismarck));
        EXPECT_EQ(menu->OrderMode(), 0);
        EXPECT_FALSE(enabled(657));

        // A move leaves the target marked, as the battle keeps it; the choice goes.
        battle.m_FirstSideActs = true;
        cJednostkaMorska& warspite = Ship(kWarspite);
        const cJednostkaMorska& bismarck = Ship(kBismarck);
        for (int id : {kWarspite, kBismarck, kWarspite})
            ClickCell(*menu, Ship(id));
        EXPECT_EQ(menu->OrderMode(), 1);
        EXPECT_TRUE(menu->Marks(9, 16) & cSeaBattleMenu::kMoveMark);
        const sPointF water = menu->CellScreenPoint(9, 16);
        ClickAt(int(water.x), int(water.y));
        EXPECT_EQ(std::make_pair(warspite.m_X, warspite.m_Y), std::make_pair(9, 16));
        EXPECT_EQ(menu->OrderMode(), 0);
        EXPECT_EQ(menu->Marks(9, 16) & (cSeaBattleMenu::kChosenMark | cSeaBattleMenu::kMoveMark), 0u);
        EXPECT_TRUE(menu->Marks(bismarck.m_X, bismarck.m_Y) & cSeaBattleMenu::kTargetMark);
        warspite.m_Retreated = false;
        // The right button pressed while the left is held drops the choice with its marks.
        ClickCell(*menu, warspite);
        EXPECT_EQ(menu->OrderMode(), 1);
        const sPointF rear = menu->CellScreenPoint(3, 8);
        menu->OnMouse(true, false, false, false, false, 0, int(rear.x), int(rear.y));
        menu->OnMouse(true, true, false, false, false, 0, int(rear.x), int(rear.y));
        menu->OnMouse(false, false, false, false, false, 0, int(rear.x), int(rear.y));
        EXPECT_EQ(menu->OrderMode(), 0);
        EXPECT_EQ(menu->Marks(9, 16) & cSeaBattleMenu::kChosenMark, 0u);
        battle.m_FirstSideActs = firstActs;

        // On a screen of 2560 x 1440 the board grows as the side bar does, not its zoom's meaning.
        const int width = g_UserSettings.resolutionX, height = g_UserSettings.resolutionY;
        g_UserSettings.resolutionX = 2560;
        g_UserSettings.resolutionY = 1440;
        EXPECT_NEAR(menu->CellScreenPoint(17, 15).x - menu->CellScreenPoint(15, 15).x, 2 * 83 * 0.4f * 1440 / 768, 0.01);
        g_UserSettings.resolutionX = width;
        g_UserSettings.resolutionY = height;
        menu->OnMouse(false, false, false, false, false, -120 * 30, 300, 300);
        frames(40, [] { return false; });
        EXPECT_FLOAT_EQ(menu->Zoom(), 768.0f / 3038.0f);  // the whole board in view
        menu->OnMouse(false, false, false, false, false, 120 * 30, 300, 300);
        frames(40, [] { return false; });
        EXPECT_FLOAT_EQ(menu->Zoom(), 1.0f);

        // Next turn steps until the turn counter moves, then gives the buttons back.
        const int turns = battle.m_TurnsLeft;
        Click(*menu, 659);
        EXPECT_FALSE(enabled(660));
        frames(100, [&] { return !battle.m_NextTurnRequested || battle.IsOver(); });
        if (!battle.IsOver()) {
            EXPECT_EQ(battle.m_TurnsLeft, turns - 1);
            EXPECT_TRUE(enabled(659) && enabled(660) && enabled(661));
            EXPECT_EQ(TextOf(*menu, 663), L"-");
        }
        // Fight to the end steps every frame until no turn is left; then only closing remains.
        Click(*menu, 661);
        frames(200, [&] { return battle.IsOver(); });
        EXPECT_TRUE(battle.IsOver());
        EXPECT_TRUE(enabled(658));
        EXPECT_FALSE(enabled(659) || enabled(660) || enabled(661) || enabled(657));
        EXPECT_EQ(HintOf(menu->GetControl(661)),
                  LangText("seabattle_auto_end_hint") + L"\n" + LangText("seabattle_status_over"));
        EXPECT_EQ(TextOf(*menu, 663), L"-");
        Click(*menu, 658);
        return true;
    });
    battle.Run();
    EXPECT_TRUE(played);
    EXPECT_EQ(g_CurrentMenu, nullptr);
}

namespace {

TEST_F(SeaBattleScreen, ABattleToBeResolvedAtOnceIsFoughtToItsEndByAClickOfItsOwnButton)
{
    Ship(kArkRoyal).Kill(false);
    Ship(kBismarck).m_Spotted = true;
    tSeaBattleSide first{&Ship(kWarspite)}, second{&Ship(kBismarck)};
    SeedRandom(11);
    cSeaBattle battle(first, second);
    std::vector<int> clicks;
    g_GuiHooks.playSound = [&clicks](unsigned event, int id, CDXUTControl*) {
        if (event == EVENT_BUTTON_CLICKED)
            clicks.push_back(id);
    };
    bool opened = false;
    // A message told before the battle and not yet read stays over the board; one above it goes.
    auto* unread = new cDialogTekstowy(L"The game could not be saved as autosave", L"Save game");
    PushDialog(unread);
    PushDialog(new cDialogNowejTury(kAlbionId));
    SetFramePump([&] {
        if (!g_CurrentMenu && !opened)
            battle.m_AutoResolve = true; // asked for before the screen is built
        ShellPresentation().ServeRequests();
        FreeEndedMenus();
        auto* menu = dynamic_cast<cSeaBattleMenu*>(g_CurrentMenu);
        if (!menu)
            return !opened;
        if (!opened) {
            opened = true;
            EXPECT_EQ(clicks, std::vector<int>{661});
            EXPECT_EQ(CurrentDialog(), unread);
            CloseTopDialogs(1); // read: it held the clicks meant for the board
        }
        menu->OnFrameMove(0, 0.1f);
        if (battle.IsOver())
            Click(*menu, 658);
        return true;
    });
    battle.Run();
    EXPECT_TRUE(opened);
    EXPECT_TRUE(battle.IsOver());
}

} // namespace

TEST_F(SeaBattleScreen, TheBoardScrollsAtTheGameScreensEdgesAndWithTheArrowKeysWithinItsLimits)
{
    Ship(kArkRoyal).Kill(false);
    Ship(kBismarck).m_Spotted = true;
    tSeaBattleSide first{&Ship(kWarspite)}, second{&Ship(kBismarck)};
    SeedRandom(11);
    cSeaBattle battle(first, second);
    bool played = false;
    SetFramePump([&] {
        ShellPresentation().ServeRequests();
        FreeEndedMenus();
        auto* menu = dynamic_cast<cSeaBattleMenu*>(g_CurrentMenu);
        if (!menu || played)
            return !played;
        played = true;
        auto frames = [&](int n) {
            for (int i = 0; i < n; ++i)
                menu->OnFrameMove(0, 0.1f);
        };
        auto point = [&](int x, int y) { menu->OnMouse(false, false, false, false, false, 0, x, y); };
        const sLayoutRect& edge = g_GuiLayout[291];
        EXPECT_GT(edge.x, 4) << "the game screen's band is wider than a few pixels";

        // On the left threshold, well inside the screen's edge, the board moves left.
        const int startX = menu->CameraX(), startY = menu->CameraY();
        point(edge.x, 384);
        frames(1);
        EXPECT_LT(menu->CameraX(), startX);
        EXPECT_EQ(menu->CameraY(), startY);
        // In the upper-left corner the camera never passes 0, its target stops at 83, where
        // the camera settles once the pointer is back on the board.
        point(edge.x, edge.y);
        for (int i = 0; i < 60; ++i) {
            frames(1);
            EXPECT_TRUE(menu->CameraX() >= 0 && menu->CameraY() >= 0) << menu->CameraX() << "," << menu->CameraY();
        }
        EXPECT_EQ(std::make_pair(menu->TargetX(), menu->TargetY()), std::make_pair(83, 83));
        point(300, 384);
        frames(20);
        EXPECT_EQ(std::make_pair(menu->CameraX(), menu->CameraY()), std::make_pair(83, 83));
        // A board at rest asks for no frame: the loop sleeps until the person's next input.
        int wanted = 0;
        g_GuiHooks.frameWanted = [&wanted](double) { ++wanted; };
        frames(1);
        EXPECT_EQ(wanted, 0);

        // The arrows held scroll with the pointer on the board, up to the board's limits.
        menu->OnKeyboard(VK_RIGHT, true, false);
        menu->OnKeyboard(VK_DOWN, true, false);
        frames(1);
        EXPECT_EQ(wanted, 1) << "a view on its way asks for the next frame";
        frames(59);
        EXPECT_EQ(std::make_pair(menu->CameraX(), menu->CameraY()), std::make_pair(2490, 2940));
        wanted = 0;
        frames(1);
        EXPECT_EQ(wanted, 0) << "held against the board's limits, nothing moves";
        g_GuiHooks.frameWanted = nullptr;
        menu->OnKeyboard(VK_RIGHT, false, false);
        menu->OnKeyboard(VK_DOWN, false, false);
        menu->OnKeyboard(VK_UP, true, false);
        frames(1);
        EXPECT_LT(menu->CameraY(), 2940);
        EXPECT_EQ(menu->CameraX(), 2490) << "the released arrow no longer scrolls";
        menu->OnKeyboard(VK_UP, false, false);

        Click(*menu, 661);
        for (int i = 0; i < 200 && !battle.IsOver(); ++i)
            menu->OnFrameMove(0, 0.1f);
        Click(*menu, 658);
        return true;
    });
    battle.Run();
    EXPECT_TRUE(played);
    EXPECT_EQ(g_CurrentMenu, nullptr);
}
