// Every control of every in-game window lies on the 1024 x 768 screen, and no two controls
// of one window overlap, except those a window lays over others (backgrounds, frames);
// every key a window looks up has a text.
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "core/missing_keys.h"
#include "dialogs/attack_panel.h"
#include "dialogs/choice_dialog.h"
#include "dialogs/diplomacy_panel.h"
#include "dialogs/event_dialog.h"
#include "dialogs/cheats_dialog.h"
#include "dialogs/combat_result_dialog.h"
#include "dialogs/commanders_dialog.h"
#include "dialogs/convoy_results_dialog.h"
#include "dialogs/convoys_dialog.h"
#include "dialogs/end_turn_dialog.h"
#include "dialogs/fleets_manager.h"
#include "dialogs/hex_panel.h"
#include "dialogs/info_panel.h"
#include "dialogs/minimap_panel.h"
#include "dialogs/hotkeys_dialog.h"
#include "dialogs/list_choice_dialog.h"
#include "dialogs/message_dialog.h"
#include "dialogs/new_turn_dialog.h"
#include "dialogs/reports_dialog.h"
#include "dialogs/research_dialog.h"
#include "dialogs/preferences_dialog.h"
#include "dialogs/purchase_dialog.h"
#include "dialogs/replacements_dialog.h"
#include "dialogs/save_dialog.h"
#include "dialogs/text_input_dialog.h"
#include "dialogs/units_manager.h"
#include "units/land_unit.h"
#include "dialogs/unit_panel.h"
#include "game/game.h"
#include "game/play_state.h"
#include "gui/controls.h"
#include "tests/dialogs/dialog_bench.h"
#include "units/combat_result.h"
#include "world/country.h"

namespace {

struct sWindowCase
{
    const char* name;
    std::function<cDialog*()> make;
    std::set<int> layers; // controls laid over or under others
};

void ExpectPlacedOnScreen(CDXUTDialog& dialog, const sWindowCase& window)
{
    const sRect screen{0, 0, 1024, 768};
    std::vector<std::pair<int, sRect>> placed;
    for (int k = 0; k < dialog.GetControlCount(); ++k) {
        CDXUTControl* control = dialog.GetControlByIndex(k);
        if (!control->GetVisible())
            continue;
        const sRect box = dialog.ToScreenRect(control->GetBoundingBox());
        EXPECT_TRUE(box.Width() > 0 && box.Height() > 0 && box.left >= screen.left && box.top >= screen.top &&
                    box.right <= screen.right && box.bottom <= screen.bottom)
            << window.name << ": control " << control->GetID() << " at " << box.left << "," << box.top << " - "
            << box.right << "," << box.bottom;
        if (control->GetType() != DXUT_CONTROL_FRAME && control->GetType() != DXUT_CONTROL_TABFRAME &&
            !window.layers.count(control->GetID()))
            placed.push_back({control->GetID(), box});
    }
    for (size_t a = 0; a < placed.size(); ++a)
        for (size_t b = a + 1; b < placed.size(); ++b) {
            const sRect& p = placed[a].second;
            const sRect& q = placed[b].second;
            const bool overlap = p.left < q.right && q.left < p.right && p.top < q.bottom && q.top < p.bottom;
            EXPECT_FALSE(overlap) << window.name << ": controls " << placed[a].first << " and " << placed[b].first
                                  << " overlap";
        }
}

// A combat with both flags and the icons a combat can show together.
sCombatResult EveryIcon()
{
    sCombatResult r;
    r.attackerCountry = 1;
    r.defenderCountry = 2;
    r.attackerKilled = r.defenderKilled = r.cityAffected = r.portAffected = r.navalDefenderKilled = true;
    return r;
}

using WindowLayout = cDialogTest;

TEST_F(WindowLayout, EveryWindowFitsTheScreenWithoutOverlappingControls)
{
    LoadTestland(1);
    const std::vector<sWindowCase> windows = {
        {"message box", [] { return new cDialogTekstowy(L"The front holds.", L"Report"); }, {}},
        {"question", [] { return new cDialogPotwierdzenia(L"Title", L"Question?", L"Yes", L"", L"No", L""); }, {}},
        {"end turn", [] { return new cDialogPotwKoncaTury; }, {}},
        {"text input", [] { return new cDialogPobraniaTekstu(L"Title", L"Prompt", L"Text"); }, {}},
        {"list choice", [] { return new cDialogPobraniaListy(L"Title", L"Prompt"); }, {}},
        {"new turn", [] { return new cDialogNowejTury(1); }, {}},
        {"combat result", [] { return new cDialogWynikuWalki(EveryIcon(), 1000.0f); }, {}},
        {"convoy results", [] { return new cDialogWynikuKonwojow(1); }, {}},
        {"hotkeys", [] { return new cDialogSkrotowKlawiszowych; }, {}},
        {"cheats", [] { return new cDialogCheatow; }, {}},
        {"unit panel",
         [] {
             g_Gra->m_PlayState->SelectHex(2, 2);
             return new cUnitPanel;
         },
         {}},
        {"attack panel",
         [] {
             sAssaultPlan plan;
             plan.defenderId = 12;
             plan.attackerIds[0] = 4;
             plan.x = 7;
             plan.y = 6;
             g_Gra->m_PlayState->SetAssaultPlan(plan);
             return new cAttackPanel;
         },
         {}},
        {"research", [] { return new cDialogResearchu; }, {}},
        {"reports", [] { return new cDialogStatystyk; }, {}},
        {"convoys", [] { return new cDialogKonwojow; }, {}},
        {"hex panel",
         [] {
             g_Gra->m_PlayState->SelectHex(6, 6);
             return new cHexPanel;
         },
         {}},
        {"save", [] { return new cDialogZapisuGry; }, {}},
        {"preferences", [] { return new cDialogUstawien; }, {}},
        {"commanders", [] { return new cDialogDowodcow(*g_Gra->FindLandUnitById(1)); }, {}},
        {"replacements", [] { return new cDialogUzupelnien(*g_Gra->FindLandUnitById(1)); }, {}},
        {"purchases", [] { return new cDialogZakupow; }, {}},
        {"fleets", [] { return new cDialogFlot(4); }, {kFleetsPictureId}},
        {"units", [] { return new cDialogJednostek(1); }, {}},
        {"diplomacy panel on another country",
         [] {
             g_Gra->m_PlayState->SelectHex(17, 4);
             auto* panel = new cDiplomacyPanel;
             panel->SetMinimized(false);
             return panel;
         },
         {}},
        {"diplomacy panel on its own country",
         [] {
             g_Gra->m_PlayState->SelectHex(2, 2);
             auto* panel = new cDiplomacyPanel;
             panel->SetMinimized(false);
             return panel;
         },
         {}},
        {"choice",
         [] {
             cPanstwo& country = *GetCountry(4);
             country.Orientation = ORIENTATION_PRO_COMINTERN;
             return new cDialogWyborow(country, true);
         },
         {}},
        {"event with many options in a play-by-e-mail game",
         [] {
             g_Gra->m_IsPbem = true;
             sPresentationRequest event;
             event.title = L"Many roads";
             event.text = L"Every road is open.";
             event.countryId = 1;
             for (int k = 0; k < 30; ++k)
                 event.options.push_back(L"Road " + std::to_wstring(k + 1));
             auto* dialog = new cDialogEventu(event);
             g_Gra->m_IsPbem = false;
             return dialog;
         },
         {}},
    };
    TakeMissingLanguageKeys();
    for (const sWindowCase& window : windows) {
        cDialog* dialog = window.make();
        PushDialog(dialog);
        // A window of tabs is checked one page at a time.
        CDXUTTabFrame* tabs = nullptr;
        for (int k = 0; k < dialog->GetControlCount() && !tabs; ++k)
            if (dialog->GetControlByIndex(k)->GetType() == DXUT_CONTROL_TABFRAME)
                tabs = static_cast<CDXUTTabFrame*>(dialog->GetControlByIndex(k));
        for (int tab = 0; tab < (tabs ? tabs->GetTabCount() : 1); ++tab) {
            if (tabs)
                tabs->SelectTab(tab, false);
            SCOPED_TRACE("tab " + std::to_string(tab));
            ExpectPlacedOnScreen(*dialog, window);
        }
        CloseTopDialogs(-1);
        // Every text a window looks up, with a key made in code or not, has an English text.
        for (const std::string& key : TakeMissingLanguageKeys())
            ADD_FAILURE() << window.name << ": key \"" << key << "\" has no English text";
    }
}

TEST_F(WindowLayout, ThePanelsFitTheScreenWithOnlyTheirBackgroundsUnderOtherControls)
{
    LoadTestland(1);
    TakeMissingLanguageKeys();
    cInfoPanel info;
    cMinimapPanel minimap;
    minimap.SetMinimapRect(LayoutRow(kMinimapPictureId), 740, 538);
    ExpectPlacedOnScreen(info, {"info panel", nullptr, {kInfoPanelRow, 330, 335}});
    ExpectPlacedOnScreen(minimap, {"minimap panel", nullptr, {kMinimapPanelRow}});
    // Both panels share the screen: they must not cover each other.
    const sRect a = info.GetControl(kInfoPanelRow)->GetBoundingBox();
    const sRect b = minimap.GetControl(kMinimapPanelRow)->GetBoundingBox();
    EXPECT_FALSE(a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom);
    for (const std::string& key : TakeMissingLanguageKeys())
        ADD_FAILURE() << "panels: key \"" << key << "\" has no English text";
}

} // namespace
