// Every control of every in-game window lies on the screen of each layout file and inside its
// window, no two controls of one window overlap, except those a window lays over others (backgrounds,
// frames), and every text fits its control in the control's own font; every key a window
// looks up has a text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <regex>
#include <set>

#include "core/missing_keys.h"
#include "core/stringbase.h"
#include "core/text.h"
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
#include "game/reports.h"
#include "gui/controls.h"
#include "gui/gui_atlas.h"
#include "gui/layout.h"
#include "core/settings.h"
#include "shell/menus/loading_menu.h"
#include "shell/menus/main_menu.h"
#include "shell/menus/pause_menu.h"
#include "shell/menus/scenario_menu.h"
#include "shell/menus/scenario_settings_menu.h"
#include "shell/menus/sea_battle_menu.h"
#include "shell/menus/settings_menu.h"
#include "platform/font.h"
#include "tests/dialogs/dialog_bench.h"
#include "tests/test_support.h"
#include "units/combat_result.h"
#include "world/country.h"
#include "world/fleet.h"

namespace {

constexpr int kScenarioSettingsPagesId = 208; // the tabs of the countries and the play-by-e-mail pages
constexpr int kPbemPlayersId = 238;

struct sWindowCase
{
    const char* name;
    std::function<cDialog*()> make;
    std::set<int> layers; // controls laid over or under others
    bool clearOfFrame = false; // every control clear of the frame's band and corner plates
};

void ExpectPlacedOnScreen(CDXUTDialog& dialog, const sWindowCase& window, const sRect& screen)
{
    // A window with a frame of its own holds every control inside it (a cover hides its frame).
    const auto* own = dynamic_cast<cDialog*>(&dialog);
    CDXUTControl* frame = own && own->KindId() > 0 ? dialog.GetControl(own->KindId(), DXUT_CONTROL_FRAME) : nullptr;
    if (frame && !frame->GetVisible())
        frame = nullptr;
    const sRect inside = frame ? dialog.ToScreenRect(frame->GetBoundingBox()) : screen;
    // The frame's band and corner plates are drawn at their own size, over what lies under them.
    const int style = frame ? std::clamp(frame->m_nStyle, 0, kFrameStyleCount - 1) : 0;
    const int border = frame ? gui_atlas::FrameBorder(gui_atlas::kFrameStyles[style]) : 0;
    const int corner = frame ? gui_atlas::FrameCornerReach(gui_atlas::kFrameStyles[style]) : 0;
    auto underFrame = [&](const sRect& box) {
        const bool inBand = box.left < inside.left + border || box.top < inside.top + border ||
                            box.right > inside.right - border || box.bottom > inside.bottom - border;
        const bool byLeftOrRight = box.left < inside.left + corner || box.right > inside.right - corner;
        const bool byTopOrBottom = box.top < inside.top + corner || box.bottom > inside.bottom - corner;
        return inBand || (byLeftOrRight && byTopOrBottom);
    };
    std::vector<std::pair<int, sRect>> placed;
    for (int k = 0; k < dialog.GetControlCount(); ++k) {
        CDXUTControl* control = dialog.GetControlByIndex(k);
        if (!control->GetVisible())
            continue;
        const sRect box = dialog.ToScreenRect(control->GetBoundingBox());
        EXPECT_FALSE(window.clearOfFrame && frame && control != frame && underFrame(box))
            << window.name << ": control " << control->GetID() << " at " << box.left << "," << box.top << " - "
            << box.right << "," << box.bottom << " lies under its window's frame";
        EXPECT_TRUE(box.Width() > 0 && box.Height() > 0 && box.left >= screen.left && box.top >= screen.top &&
                    box.right <= screen.right && box.bottom <= screen.bottom)
            << window.name << ": control " << control->GetID() << " at " << box.left << "," << box.top << " - "
            << box.right << "," << box.bottom << " leaves the screen";
        EXPECT_TRUE(box.left >= inside.left && box.top >= inside.top && box.right <= inside.right &&
                    box.bottom <= inside.bottom)
            << window.name << ": control " << control->GetID() << " at " << box.left << "," << box.top << " - "
            << box.right << "," << box.bottom << " leaves its window";
        if (control->GetType() != DXUT_CONTROL_FRAME && control->GetType() != DXUT_CONTROL_TABFRAME &&
            !window.layers.count(control->GetID()))
            placed.push_back({control->GetID(), box});
    }
    // An open list lies in the window and covers none of its other controls.
    for (int k = 0; k < dialog.GetControlCount(); ++k) {
        auto* combo = dynamic_cast<CDXUTComboBox*>(dialog.GetControlByIndex(k));
        if (!combo || !combo->GetVisible())
            continue;
        const sRect list = dialog.ToScreenRect(combo->GetDropdownRect());
        EXPECT_TRUE(list.left >= inside.left && list.top >= inside.top && list.right <= inside.right &&
                    list.bottom <= inside.bottom)
            << window.name << ": the open list of " << combo->GetID() << " leaves its window";
        for (const auto& [id, box] : placed)
            EXPECT_FALSE(id != combo->GetID() && list.left < box.right && box.left < list.right &&
                         list.top < box.bottom && box.top < list.bottom)
                << window.name << ": the open list of " << combo->GetID() << " covers control " << id;
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

// The pictures of the GUI atlas are never shown larger than drawn (a pixel of rounding
// aside), so never blurred; those of the windows drawn at every size they are shown at
// (`exactly`) are shown at their own size.
void ExpectPicturesNotScaledUp(CDXUTDialog& dialog, const std::string& where, bool exactly = false)
{
    for (int k = 0; k < dialog.GetControlCount(); ++k) {
        CDXUTControl* control = dialog.GetControlByIndex(k);
        sRect picture{};
        if (auto* image = dynamic_cast<CDXUTImage*>(control); image && image->m_iTexture == int(kGuiPictureSlot))
            picture = image->m_rcTexture;
        else if (auto* icon = dynamic_cast<CDXUTIcon*>(control))
            picture = icon->GetCell(0);
        else
            continue;
        const sRect box = control->GetBoundingBox();
        EXPECT_TRUE(exactly ? picture.Width() == box.Width() && picture.Height() == box.Height()
                            : picture.Width() >= box.Width() - 1 && picture.Height() >= box.Height() - 1)
            << where << ": control " << control->GetID() << " shows a picture of " << picture.Width() << " x "
            << picture.Height() << " at " << box.Width() << " x " << box.Height();
    }
}

// The widest line of a text in the font of an element.
int TextWidth(CDXUTDialog& dialog, CDXUTElement* element, std::wstring_view text)
{
    cFont* font = element ? dialog.GetFontObject(element->iFont) : nullptr;
    if (!font)
        return 0;
    int widest = 0;
    for (size_t start = 0; start <= text.size();) {
        const size_t end = std::min(text.find(L'\n', start), text.size());
        widest = std::max(widest, font->TextWidth(text.substr(start, end - start)));
        start = end + 1;
    }
    return widest;
}

void ExpectFits(const std::string& where, int control, std::wstring_view text, int needed, int room)
{
    EXPECT_LE(needed, room) << where << ": control " << control << " \"" << WideToUtf8(std::wstring(text))
                            << "\" needs " << needed << " pixels, has " << room;
}

// Every visible text of the window is as wide as its place at most, measured with the font
// it is drawn in: statics, buttons, check and radio boxes, value boxes, and the column
// titles and cells of lists (the widest cell of a column is named).
void ExpectTextsFit(CDXUTDialog& dialog, const std::string& where)
{
    for (int k = 0; k < dialog.GetControlCount(); ++k) {
        CDXUTControl* control = dialog.GetControlByIndex(k);
        if (!control->GetVisible())
            continue;
        const int id = control->GetID();
        const sRect box = control->GetBoundingBox();
        switch (control->GetType()) {
        case DXUT_CONTROL_STATIC: {
            auto* label = static_cast<CDXUTStatic*>(control);
            CDXUTElement* element = control->GetElement(unsigned(control->m_iTextElement));
            cFont* font = element ? dialog.GetFontObject(element->iFont) : nullptr;
            if (label->GetText().empty() || !font)
                break;
            if (label->m_dwTextFormat & DT_WORDBREAK) {
                const sTextLayout laid = LayoutText(*font, label->GetText(), box, label->m_dwTextFormat);
                ExpectFits(where, id, label->GetText(), laid.widestLine, box.Width());
                EXPECT_LE(laid.height, box.Height()) << where << ": control " << id << " has too many lines";
            } else {
                ExpectFits(where, id, label->GetText(), TextWidth(dialog, element, label->GetText()), box.Width());
            }
            break;
        }
        case DXUT_CONTROL_BUTTON: {
            auto* button = static_cast<CDXUTButton*>(control);
            ExpectFits(where, id, button->GetText(), TextWidth(dialog, control->GetElement(2), button->GetText()),
                       box.Width());
            break;
        }
        case DXUT_CONTROL_CHECKBOX:
        case DXUT_CONTROL_RADIOBUTTON: {
            auto* check = static_cast<CDXUTCheckBox*>(control);
            ExpectFits(where, id, check->GetText(), TextWidth(dialog, control->GetElement(0), check->GetText()),
                       check->GetTextRect().Width());
            break;
        }
        case DXUT_CONTROL_EDITBOX: {
            auto* edit = static_cast<CDXUTEditBox*>(control);
            if (!edit->GetEnabled())
                ExpectFits(where, id, edit->GetText(), TextWidth(dialog, control->GetElement(0), edit->GetText()),
                           edit->GetTextRect().Width());
            break;
        }
        case DXUT_CONTROL_LISTBOX: {
            auto* list = static_cast<CDXUTListBox*>(control);
            const auto& columns = list->GetColumns();
            // A title has four pixels of the header's bar on each side.
            for (const DXUTListBoxColumn& column : columns)
                ExpectFits(where, id, column.title, TextWidth(dialog, control->GetElement(9), column.title),
                           column.width - 8);
            const size_t count = std::max<size_t>(columns.size(), 1);
            for (size_t c = 0; c < count; ++c) {
                std::wstring widest;
                int needed = 0;
                for (int row = 0; row < list->GetSize(); ++row) {
                    const DXUTListBoxItem* item = list->GetItem(row);
                    const std::wstring cell = columns.size() > 1 ? (c < item->cells.size() ? item->cells[c] : L"")
                                                                  : item->Text();
                    const int width = TextWidth(dialog, control->GetElement(0), cell);
                    if (width > needed) {
                        needed = width;
                        widest = cell;
                    }
                }
                ExpectFits(where, id, widest, needed,
                           columns.size() > 1 ? columns[c].width : list->GetTextRect().Width());
            }
            break;
        }
        case DXUT_CONTROL_MEMO: {
            // A memo may scroll a long text; the windows here hold what a player reads at a glance.
            auto* memo = static_cast<CDXUTMemo*>(control);
            EXPECT_LE(memo->HeightForWholeText(), box.Height()) << where << ": memo " << id << " needs a scroll bar";
            break;
        }
        default: break;
        }
    }
}

// Each tab of the window's first tab frame in turn (all of them when `everyFrame`: then
// every combination of the frames' tabs).
void ForEachPage(cDialog& dialog, const std::function<void(const std::string&)>& check, bool everyFrame = false)
{
    std::vector<CDXUTTabFrame*> frames;
    for (int k = 0; k < dialog.GetControlCount(); ++k)
        if (dialog.GetControlByIndex(k)->GetType() == DXUT_CONTROL_TABFRAME)
            frames.push_back(static_cast<CDXUTTabFrame*>(dialog.GetControlByIndex(k)));
    if (!everyFrame && frames.size() > 1)
        frames.erase(frames.begin() + 1, frames.end());
    std::function<void(size_t, std::string)> walk = [&](size_t frame, std::string page) {
        if (frame == frames.size()) {
            check(page);
            return;
        }
        for (int tab = 0; tab < frames[frame]->GetTabCount(); ++tab) {
            frames[frame]->SelectTab(tab, true);
            walk(frame + 1, page + " tab " + std::to_string(tab));
        }
    };
    walk(0, "");
}

// The layout files that ship, each with its screen.
std::vector<std::pair<std::filesystem::path, sRect>> ShippedLayouts()
{
    std::vector<std::pair<std::filesystem::path, sRect>> layouts;
    const std::regex name("GUI_([0-9]+)x([0-9]+)\\.csv");
    for (const auto& entry : std::filesystem::directory_iterator(testing_support::SourceDir() / "data")) {
        std::smatch size;
        const std::string file = entry.path().filename().string();
        if (std::regex_match(file, size, name))
            layouts.push_back({entry.path(), sRect{0, 0, std::stoi(size[1]), std::stoi(size[2])}});
    }
    std::sort(layouts.begin(), layouts.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    return layouts;
}

// A combat with both flags and the icons a combat can show together, and the longest
// report a combat-result window shows.
sCombatResult EveryIcon()
{
    sCombatResult r = LongAirStrike();
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
        {"question that says much",
         [] {
             std::wstring question = L"Do you really want to declare war on Saudi Arabia?\nSaudi Arabia will join the "
                                     L"Allies.\nThis war puts you at war with:";
             for (const cPanstwo* c : g_Gra->m_Countries)
                 question += L" United Kingdom, " + c->Name + L",";
             return new cDialogPotwierdzenia(L"Declaration of war", question + L" Saudi Arabia.", L"Yes", L"", L"No", L"");
         },
         {}},
        {"end turn", [] { return new cDialogPotwKoncaTury; }, {}},
        {"text input", [] { return new cDialogPobraniaTekstu(L"Title", L"Prompt", L"Text"); }, {}},
        {"list choice", [] { return new cDialogPobraniaListy(L"Title", L"Prompt"); }, {}},
        {"new turn", [] { return new cDialogNowejTury(1); }, {}},
        {"reading cover", [] { return new cReadingCover({1}); }, {}},
        {"reading cover of two", [] { return new cReadingCover({1, 2}); }, {}},
        {"cover before a screen", [] { return new cCoverBeforeScreen({1, 2}, nullptr, nullptr); }, {}},
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
         {},
         true},
        {"research", [] { return new cDialogResearchu; }, {}},
        {"reports", [] { return new cDialogStatystyk; }, {}},
        {"convoys", [] { return new cDialogKonwojow; }, {}},
        {"hex panel",
         [] {
             g_Gra->m_PlayState->SelectHex(6, 6);
             return new cHexPanel;
         },
         {},
         true},
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
        {"choice of a change of orientation with its price",
         [] {
             cPanstwo& country = *GetCountry(4);
             country.Orientation = ORIENTATION_PRO_COMINTERN;
             country.PoliticalStrength = 100;
             return new cDialogWyborow(country, false);
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
    const std::set<std::string> drawnAtEverySize = {"unit panel", "hex panel", "combat result", "convoys"};
    const auto layouts = ShippedLayouts();
    ASSERT_FALSE(layouts.empty());
    for (const auto& [file, screen] : layouts) {
        SCOPED_TRACE(file.filename().string());
        ResetGuiLayout();
        ASSERT_TRUE(LoadGuiLayoutFile(file, file.filename().wstring()));
        TakeMissingLanguageKeys();
        for (const sWindowCase& window : windows) {
            cDialog* dialog = window.make();
            PushDialog(dialog);
            // A window of tabs is checked one page at a time.
            ForEachPage(*dialog, [&](const std::string& page) {
                SCOPED_TRACE(page);
                ExpectPlacedOnScreen(*dialog, window, screen);
                // The status line under a window tells what waits for the player (a long combat
                // report takes the room it needs to be read whole before it closes).
                CDXUTControl* frame = dialog->GetControl(dialog->KindId(), DXUT_CONTROL_FRAME);
                EXPECT_TRUE(!frame || !frame->GetVisible() || window.name == std::string("combat result") ||
                            dialog->ToScreenRect(frame->GetBoundingBox()).bottom <= LayoutRow(kInfoStatusId).y)
                    << window.name << " covers the status line";
                ExpectTextsFit(*dialog, window.name + page);
                ExpectPicturesNotScaledUp(*dialog, window.name + page, drawnAtEverySize.count(window.name));
            });
            CloseTopDialogs(-1);
            // Every text a window looks up, with a key made in code or not, has an English text.
            for (const std::string& key : TakeMissingLanguageKeys())
                ADD_FAILURE() << window.name << ": key \"" << key << "\" has no English text";
        }
    }
}

// The windows that list a country's forces, with the longest names and the largest figures
// of the bundled scenario.
TEST_F(WindowLayout, TheForcesOfEurope1939FitTheWindowsThatListThem)
{
    LoadEurope1939(1);
    int zone = 0;
    for (const cFlota* fleet : g_Gra->m_Fleets)
        if (fleet->owner == 1 && (zone == 0 || fleet->ships.size() > 1))
            zone = fleet->seaNode;
    ASSERT_GT(zone, 0);
    const cUnit* corps = nullptr;
    g_Gra->ForEachUnitOf(0, [&](const cUnit& u) {
        if (!corps && u.GetOwner() && u.GetOwner()->ID == 1)
            corps = &u;
    });
    const cUnit* ship = nullptr;
    for (const cFlota* fleet : g_Gra->m_Fleets)
        if (fleet->owner == 1 && !fleet->ships.empty() && !ship)
            ship = fleet->ships.front();
    ASSERT_TRUE(ship && corps);
    const std::vector<std::pair<std::string, std::function<cDialog*()>>> windows = {
        {"units", [] { return new cDialogJednostek(1); }},
        {"fleets", [zone] { return new cDialogFlot(zone); }},
        {"commanders of a ship", [ship] { return new cDialogDowodcow(*ship); }},
        {"commanders of a corps", [corps] { return new cDialogDowodcow(*corps); }},
        {"purchases", [] { return new cDialogZakupow; }},
    };
    for (const auto& [name, make] : windows) {
        cDialog* dialog = make();
        PushDialog(dialog);
        ForEachPage(*dialog, [&](const std::string& page) { ExpectTextsFit(*dialog, name + page); }, true);
        CloseTopDialogs(-1);
    }
}

TEST_F(WindowLayout, ThePanelsFitTheScreenWithOnlyTheirBackgroundsUnderOtherControls)
{
    LoadTestland(1);
    TakeMissingLanguageKeys();
    for (const auto& [file, screen] : ShippedLayouts()) {
        SCOPED_TRACE(file.filename().string());
        ResetGuiLayout();
        ASSERT_TRUE(LoadGuiLayoutFile(file, file.filename().wstring()));
        cInfoPanel info;
        cMinimapPanel minimap;
        minimap.SetMinimapRect(LayoutRow(kMinimapPictureId), 740, 538);
        ExpectPlacedOnScreen(info, {"info panel", nullptr, {kInfoPanelRow, 330, 335}}, screen);
        ExpectPlacedOnScreen(minimap, {"minimap panel", nullptr, {kMinimapPanelRow}}, screen);
        ExpectTextsFit(info, "info panel");
        // While the other side plays, the wait image stands where the hidden fold buttons were.
        info.ShowWaitIndicator();
        ExpectPlacedOnScreen(info, {"info panel waiting", nullptr, {kInfoPanelRow, 330, 335}}, screen);
        info.HideWaitIndicator();
        ExpectTextsFit(minimap, "minimap panel");
        ExpectPicturesNotScaledUp(info, "info panel");
        ExpectPicturesNotScaledUp(minimap, "minimap panel");
        // The window buttons are cut from cells drawn at their own size, not scaled.
        const sLayoutRect grid = LayoutRow(14);
        for (int id : {kPurchasesButtonId, kHotkeysButtonId}) {
            const sRect box = info.GetControl(id)->GetBoundingBox();
            EXPECT_LE(std::abs(box.Width() - grid.width), 1) << "window button " << id;
            EXPECT_LE(std::abs(box.Height() - grid.height), 1) << "window button " << id;
        }
        // The panels share the screen: none covers another, all four open together included.
        g_Gra->m_PlayState->SelectHex(2, 2);
        cUnitPanel unit;
        cHexPanel hex;
        cDiplomacyPanel diplomacy;
        diplomacy.SetMinimized(false);
        cAttackPanel attack;
        const std::vector<std::pair<const char*, sRect>> panels = {
            {"info", info.GetControl(kInfoPanelRow)->GetBoundingBox()},
            {"minimap", minimap.GetControl(kMinimapPanelRow)->GetBoundingBox()},
            {"unit", unit.ToScreenRect(unit.GetControl(kUnitPanelFrameId)->GetBoundingBox())},
            {"hex", hex.ToScreenRect(hex.GetControl(kHexPanelFrameId)->GetBoundingBox())},
            {"diplomacy", diplomacy.ToScreenRect(diplomacy.GetControl(kDiplomacyPanelFrameId)->GetBoundingBox())},
            {"attack", attack.ToScreenRect(attack.GetControl(kAttackPanelFrameId)->GetBoundingBox())},
        };
        for (size_t i = 0; i < panels.size(); ++i)
            for (size_t j = i + 1; j < panels.size(); ++j) {
                const sRect& a = panels[i].second;
                const sRect& b = panels[j].second;
                EXPECT_FALSE(a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom)
                    << "the " << panels[i].first << " panel and the " << panels[j].first << " panel overlap";
            }
        // The countries at war show three at a time without scrolling.
        auto* war = static_cast<CDXUTListBox*>(diplomacy.GetControl(kDiplomacyWarListId, DXUT_CONTROL_LISTBOX));
        ASSERT_TRUE(war);
        EXPECT_GE(war->GetTextRect().Height() / war->GetRowHeight(), 3);
    }
    for (const std::string& key : TakeMissingLanguageKeys())
        ADD_FAILURE() << "panels: key \"" << key << "\" has no English text";
}

// A ship lost shows its date whole at every size, however long its name and place.
TEST_F(WindowLayout, TheShipsLostShowTheirDatesWholeAtEverySize)
{
    LoadTestland(1);
    sRaport loss;
    loss.kind = kReportKindLostNavalUnits;
    loss.countryKey = 1;
    loss.text = L"Seetransportgruppe Hamburg\nTransportflotte Nord;United Kingdom;Western Approaches\nSea bombardment";
    g_Gra->m_Reports->AddReport(loss);
    for (const auto& [file, screen] : ShippedLayouts()) {
        SCOPED_TRACE(file.filename().string());
        ResetGuiLayout();
        ASSERT_TRUE(LoadGuiLayoutFile(file, file.filename().wstring()));
        auto* reports = new cDialogStatystyk;
        PushDialog(reports);
        auto* kinds = static_cast<CDXUTListBox*>(reports->GetControl(kReportsKindListId, DXUT_CONTROL_LISTBOX));
        for (int row = 0; row < kinds->GetSize(); ++row)
            if (kinds->GetItem(row)->pData == reinterpret_cast<void*>(intptr_t(kReportKindLostNavalUnits)))
                ClickRow(*reports, *kinds, row);
        auto* table = static_cast<CDXUTListBox*>(reports->GetControl(kReportsTableId, DXUT_CONTROL_LISTBOX));
        ASSERT_EQ(table->GetSize(), 1);
        // The date shown, and the widest a war gives.
        for (const std::wstring& date : {table->GetItem(0)->cells.back(), std::wstring(L"30-12-1945\nTurn 228")})
            ExpectFits("reports", kReportsTableId, date, TextWidth(*reports, table->GetElement(0), date),
                       table->GetColumns().back().width);
        CloseTopDialogs(-1);
    }
}

// The menus own the whole screen: each control on it and clear of the others, each text in
// its place, at every shipped size.
TEST_F(WindowLayout, TheMenusFitEveryScreen)
{
    const std::vector<std::pair<std::string, std::function<cMenu*()>>> menus = {
        {"main menu", [] { return new cMainMenu; }},
        {"preferences menu", [] { return new cSettingsMenu; }},
        {"scenario list", [] { return new cScenarioMenu; }},
        {"loading", [] { return new cLoadingMenu; }},
        {"pause menu", [] { return new cPauseMenu; }},
        {"scenario settings", [] { return new cScenarioSettingsMenu; }},
        {"sea-battle side bar", [] { return new cSeaBattleMenu(nullptr); }},
    };
    LoadTestland(1); // the scenario settings list its countries
    for (const auto& [file, screen] : ShippedLayouts()) {
        SCOPED_TRACE(file.filename().string());
        ResetGuiLayout();
        ASSERT_TRUE(LoadGuiLayoutFile(file, file.filename().wstring()));
        g_UserSettings.resolutionX = screen.right;
        g_UserSettings.resolutionY = screen.bottom;
        for (const auto& [name, make] : menus) {
            cMenu* menu = make();
            g_CurrentMenu = menu;
            ExpectPlacedOnScreen(*menu, {name.c_str(), nullptr, {}}, screen);
            ExpectTextsFit(*menu, name);
            // The scenario settings' second page: a new play-by-e-mail game and its players.
            if (auto* settings = dynamic_cast<cScenarioSettingsMenu*>(menu)) {
                auto* pages = static_cast<CDXUTTabFrame*>(settings->GetControl(kScenarioSettingsPagesId));
                ASSERT_TRUE(pages);
                pages->SelectTab(1, true);
                ASSERT_TRUE(settings->GetControl(kPbemPlayersId)->GetVisible());
                ExpectPlacedOnScreen(*menu, {"scenario settings, play by e-mail", nullptr, {}}, screen);
                ExpectTextsFit(*menu, "scenario settings, play by e-mail");
            }
            DeleteCurrentMenu();
        }
    }
    g_UserSettings.resolutionX = 1024;
    g_UserSettings.resolutionY = 768;
}

} // namespace
