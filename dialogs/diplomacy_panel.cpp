#include "dialogs/diplomacy_panel.h"

#include <cstdint>
#include <iterator>

#include "core/log.h"
#include "core/stringbase.h"
#include "dialogs/choice_dialog.h"
#include "dialogs/confirm_dialog.h"
#include "dialogs/country_flag.h"
#include "dialogs/message_dialog.h"
#include "game/game.h"
#include "game/play_state.h"
#include "gui/controls.h"
#include "shell/dialog_builders.h"
#include "shell/links.h"
#include "world/country.h"
#include "world/diplomacy.h"
#include "world/map.h"
#include "world/relations.h"

namespace {

constexpr unsigned kFlagSlot = 1;
constexpr int kWarCaptionId = 626;
// The player's own acts are read with the results of the events.
constexpr int kOwnActsReportKind = 25;

struct sValueBox
{
    int id;
    int caption;
    const char* key;
};

const sValueBox kValueBoxes[] = {
    {611, 609, "panel_diplo_country"},        {613, 612, "panel_diplo_social_unrest"},
    {615, 614, "panel_diplo_war_economy"},     {617, 616, "panel_diplo_alliance"},
    {619, 618, "panel_diplo_alliance_entry"}, {621, 620, "panel_diplo_orientation"},
    {623, 622, "panel_diplo_zone_of_influence"}, {625, 624, "panel_diplo_political_strength"},
};

struct sAction
{
    int id;
    const char* key;
};

const sAction kActions[] = {
    {kDiplomacyDeclareWarId, "panel_diplo_declare_war"},
    {kDiplomacyPressureId, "panel_diplo_extern_pressure"},
    {kDiplomacyCoupId, "panel_diplo_coupdetat"},
    {kDiplomacyDelayEntryId, "panel_diplo_lower_war_entry"},
    {kDiplomacyHastenEntryId, "panel_diplo_rise_war_entry"},
    {kDiplomacyElectionsId, "panel_diplo_elections"},
    {kDiplomacyOrientationId, "panel_diplo_change_orientation"},
};

const char* const kAllianceKeys[] = {
    "diplomacy_country_neutral",        "diplomacy_country_allies",        "diplomacy_country_axis",
    "diplomacy_country_comintern",      "diplomacy_country_allies_leader", "diplomacy_country_axis_leader",
    "diplomacy_country_comintern_leader",
};

cPanstwo* CountryById(int id)
{
    if (!g_Gra || id < 1 || id > int(g_Gra->m_Countries.size()))
        return nullptr;
    return g_Gra->m_Countries[size_t(id - 1)];
}

std::wstring HintOr(const std::wstring& checkText, const char* action)
{
    // An allowed action whose check says nothing keeps the button's own hint.
    return checkText.empty() ? LangText(std::string(action) + "_hint") : checkText;
}

} // namespace

cDiplomacyPanel* DiplomacyPanel() { return dynamic_cast<cDiplomacyPanel*>(g_DiplomacyPanel); }

cDiplomacyPanel::cDiplomacyPanel() : cPanel(kDiplomacyPanelFrameId, LayoutRow(kDiplomacyPanelFrameId))
{
    const sValueBox& name = kValueBoxes[0];
    AddReadOnlyEditBox(this, name.id, L"-", LangText("panel_diplo_country_hint").c_str(), name.caption,
                       LangText(name.key).c_str());
    AddImageFromLayout(kDiplomacyFlagId, int(kFlagSlot), 0, 0, kFlagPictureWidth, kFlagPictureHeight,
                       LangText("panel_diplo_flag_hint").c_str());
    for (size_t k = 1; k < std::size(kValueBoxes); ++k) {
        const sValueBox& box = kValueBoxes[k];
        const std::string key = box.key;
        AddReadOnlyEditBox(this, box.id, L"-", LangText(key + "_hint").c_str(), box.caption, LangText(key).c_str());
    }
    AddStaticFromLayout(kWarCaptionId, LangText("panel_diplo_war_with").c_str());
    AddListBoxFromLayout(kDiplomacyWarListId, 0);
    for (const sAction& action : kActions) {
        const std::string key = action.key;
        AddButtonFromLayout(action.id, LangText(key).c_str(), LangText(key + "_hint").c_str());
    }
    // Folded until the player opens it from the info panel.
    SetMinimized(true);
    Refresh();
}

cPanstwo* cDiplomacyPanel::Shown() const { return CountryById(m_ShownId); }

cPanstwo* cDiplomacyPanel::Acting() const { return CountryById(m_ActingId); }

void cDiplomacyPanel::SetBox(int id, const std::wstring& text)
{
    if (auto* box = static_cast<CDXUTEditBox*>(GetControl(id, DXUT_CONTROL_EDITBOX)))
        box->SetText(text.c_str());
}

void cDiplomacyPanel::SetAction(int id, bool allowed, const std::wstring& hint)
{
    if (CDXUTControl* button = GetControl(id)) {
        button->SetVisible(true);
        button->SetEnabled(allowed);
        button->SetHint(hint);
    }
}

void cDiplomacyPanel::Refresh()
{
    cWindowLock lock;
    const cPlayState* play = g_Gra ? g_Gra->m_PlayState : nullptr;
    const sHex* hex = play ? play->GetSelectedHex() : nullptr;
    const cPanstwo* shown = hex ? hex->GetController() : nullptr;
    const cPanstwo* acting = play ? play->GetActiveCountry() : nullptr;
    m_ShownId = shown ? shown->ID : 0;
    m_ActingId = acting ? acting->ID : 0;

    for (const sAction& action : kActions)
        if (CDXUTControl* button = GetControl(action.id))
            button->SetVisible(false);
    auto* list = static_cast<CDXUTListBox*>(GetControl(kDiplomacyWarListId, DXUT_CONTROL_LISTBOX));
    if (list)
        list->RemoveAllItems();
    if (!shown) {
        if (CDXUTControl* flag = GetControl(kDiplomacyFlagId))
            flag->SetVisible(false);
        for (const sValueBox& box : kValueBoxes)
            SetBox(box.id, L"-");
        return;
    }
    if (CDXUTControl* flag = GetControl(kDiplomacyFlagId))
        flag->SetVisible(true);
    ShowCountryFlag(*this, kDiplomacyFlagId, shown->ID, kFlagSlot);

    SetBox(611, shown->Name);
    SetBox(613, FormatText(L"%.1f%%", double(shown->SocialUnrest)));
    SetBox(615, FormatText(L"%.1f%%", double(shown->WarEconomy)));
    // A code beyond the seven (damaged data) reads as neutral, not past the table's end.
    const int alliance = shown->Alliance >= 0 && shown->Alliance <= 6 ? shown->Alliance : 0;
    SetBox(617, LangText(kAllianceKeys[alliance]));
    SetBox(619, FormatText(L"%i%%", shown->AllianceEntry));
    SetBox(621, shown->GetOrientationName(true));
    SetBox(623, shown->GetZoneOfInfluenceName(true));
    SetBox(625, FormatText(L"%i", shown->PoliticalStrength));

    // Rows hold country ids.
    if (list && g_Gra->m_Relations)
        for (const cPanstwo* other : g_Gra->m_Countries)
            if (other != shown && other->IsActive && g_Gra->m_Relations->IsAtWar(other->ID, shown->ID))
                list->AddItem(ListCellText(other->Name), reinterpret_cast<void*>(intptr_t(other->ID)));

    // Nobody moves (the game has not started): nothing to act with.
    if (!acting)
        return;

    // Each check writes afresh: no hint carries the text of another check.
    auto check = [&](int id, const char* key, auto&& can) {
        std::wstring text;
        const bool allowed = can(text);
        SetAction(id, allowed, allowed ? HintOr(text, key) : text);
    };
    const int s = shown->ID;
    if (shown == acting) {
        check(kDiplomacyDelayEntryId, "panel_diplo_lower_war_entry", [&](std::wstring& t) { return CanDelayAllianceEntry(s, t); });
        check(kDiplomacyHastenEntryId, "panel_diplo_rise_war_entry", [&](std::wstring& t) { return CanHastenAllianceEntry(s, t); });
        check(kDiplomacyElectionsId, "panel_diplo_elections", [&](std::wstring& t) { return CanHoldElections(s, t); });
        check(kDiplomacyOrientationId, "panel_diplo_change_orientation",
              [&](std::wstring& t) { return CanChangeOrientation(s, t); });
    } else {
        const int a = acting->ID;
        check(kDiplomacyDeclareWarId, "panel_diplo_declare_war", [&](std::wstring& t) { return CanDeclareWar(a, s, t); });
        check(kDiplomacyPressureId, "panel_diplo_extern_pressure", [&](std::wstring& t) { return CanExertPressure(a, s, t); });
        check(kDiplomacyCoupId, "panel_diplo_coupdetat", [&](std::wstring& t) { return CanStageCoup(a, s, t); });
    }
}

bool cDiplomacyPanel::IsIdle()
{
    // A window closed without its answer (any close-all) leaves the panel free again.
    if (m_Pending != PENDING_NONE && !HasOpenDialogOwnedBy(this))
        m_Pending = PENDING_NONE;
    return m_Pending == PENDING_NONE;
}

void cDiplomacyPanel::ShowResult(const std::wstring& text, const std::wstring& title, int offset)
{
    // A result window once closed is gone: the acting country's reports keep what it told.
    if (const cPanstwo* acting = Acting(); acting && g_Gra)
        g_Gra->AddCountryReport(kOwnActsReportKind, *acting, title + L"\n\n" + text);
    PushDialog(new cDialogTekstowy(text, title), offset);
}

void cDiplomacyPanel::RunAction(const std::function<void(std::wstring&)>& action, const std::wstring& title, int offset)
{
    std::wstring text;
    {
        cWindowLock lock;
        action(text);
    }
    ShowResult(text, title, offset);
}

void cDiplomacyPanel::OnGUIEvent(unsigned, int controlId, CDXUTControl*)
{
    switch (controlId) {
    case kDiplomacyDeclareWarId: OnDeclareWarPressed(); break;
    case kConfirmYesId: OnWarConfirmed(); break;
    case kConfirmNoId:
    case kChoiceCancelId: m_Pending = PENDING_NONE; break;
    case kDiplomacyPressureId: OnPressurePressed(); break;
    case kDiplomacyCoupId: OnCoupPressed(); break;
    case kDiplomacyDelayEntryId: OnDelayEntryPressed(); break;
    case kDiplomacyHastenEntryId: OnHastenEntryPressed(); break;
    case kDiplomacyElectionsId: OnElectionsPressed(); break;
    case kDiplomacyOrientationId: OnChangeOrientationPressed(); break;
    default:
        if (controlId >= 0 && controlId <= 5) {
            OnChoiceMade(controlId);
            break;
        }
        return; // another panel's control
    }
    Refresh();
}

void cDiplomacyPanel::OnDeclareWarPressed()
{
    const cPanstwo* shown = Shown();
    if (!shown || !IsIdle())
        return;
    m_Pending = PENDING_WAR;
    auto* question = new cDialogPotwierdzenia(
        LangText("diplomacy_declare_war_title"), WarQuestion(*shown),
        LangText("diplomacy_declare_war_yes"), LangText("diplomacy_declare_war_yes_hint"),
        LangText("diplomacy_declare_war_no"), LangText("diplomacy_declare_war_no_hint"));
    question->SetOwner(this);
    PushDialog(question);
}

std::wstring cDiplomacyPanel::WarQuestion(const cPanstwo& shown) const
{
    std::wstring question = LangFormat("diplomacy_declare_war_on_country_question", shown.Name);
    const cPanstwo* acting = Acting();
    if (!acting)
        return question;
    // The player says yes to everything the war brings: the side that comes in with the target.
    sDeclarationOutcome outcome;
    {
        cWindowLock lock;
        outcome = DeclarationOutcome(acting->ID, shown.ID);
    }
    if (outcome.joinedSide != 0)
        question += L"\n" + LangFormat("diplomacy_declare_war_country_will_join", shown.Name,
                                       shown.GetAllianceName(outcome.joinedSide, true));
    if (outcome.newEnemies.size() > 1) {
        std::wstring names;
        for (int id : outcome.newEnemies)
            if (const cPanstwo* enemy = CountryById(id))
                names += (names.empty() ? L"" : L", ") + enemy->Name;
        question += L"\n" + LangFormat("diplomacy_declare_war_puts_you_at_war_with", names);
    }
    return question;
}

void cDiplomacyPanel::OnWarConfirmed()
{
    const int pending = m_Pending;
    m_Pending = PENDING_NONE;
    cPanstwo* shown = Shown();
    cPanstwo* acting = Acting();
    // A yes of some other question.
    if (pending != PENDING_WAR || !shown || !acting)
        return;
    int result = 0;
    {
        cWindowLock lock;
        result = DeclareWar(acting->ID, shown->ID, true);
    }
    const std::wstring& a = acting->Name;
    const std::wstring& s = shown->Name;
    // Names read in a sentence: "the Allies".
    const std::wstring leaning = shown->GetLeaningAllianceName(true);
    const std::wstring theirAlliance = shown->GetAllianceName(shown->Alliance, true);
    const std::wstring ourAlliance = acting->GetAllianceName(acting->Alliance, true);
    std::wstring text;
    switch (result) {
    case 0:
        text = LangFormat("diplomacy_country_declare_war_on_country_unknown", a, s);
        LogLine(L"%s", text);
        break;
    case 1: text = LangFormat("diplomacy_country_declare_war_on_country", a, s); break;
    case 2: text = LangFormat("diplomacy_country_declare_war_on_country_country_join_alliance", a, s, s, leaning); break;
    case 3: text = LangFormat("diplomacy_country_declare_war_on_alliance", a, theirAlliance); break;
    case 4:
        text = LangFormat("diplomacy_country_declare_war_on_country_all_alliance_countries_at_war_with_country", a, s,
                          ourAlliance, s);
        break;
    case 5:
        text = LangFormat("diplomacy_country_declare_war_on_country_country_join_alliance_alliance_at_war_with_alliance",
                          a, s, s, leaning, leaning, ourAlliance);
        break;
    case 6:
        text = LangFormat("diplomacy_country_declare_war_on_country_alliance_at_war_with_alliance", a, s, leaning,
                          ourAlliance);
        break;
    default: text = LangText("diplomacy_general_declare_war"); break;
    }
    // Under the question, which closes itself right after.
    ShowResult(text, LangFormat("diplomacy_declare_war_result_title", s), -1);
}

void cDiplomacyPanel::OnPressurePressed()
{
    const cPanstwo* shown = Shown();
    const cPanstwo* acting = Acting();
    if (!shown || !acting || !IsIdle())
        return;
    const int a = acting->ID, s = shown->ID;
    RunAction([=](std::wstring& text) { ExertPressure(a, s, text); }, LangText("diplomacy_extern_pressure_result_title"));
}

void cDiplomacyPanel::OnCoupPressed()
{
    const cPanstwo* shown = Shown();
    const cPanstwo* acting = Acting();
    if (!shown || !acting || !IsIdle())
        return;
    const int a = acting->ID, s = shown->ID;
    RunAction([=](std::wstring& text) { StageCoup(a, s, text); }, LangText("diplomacy_coup_detat_result_title"));
}

void cDiplomacyPanel::OnDelayEntryPressed()
{
    const cPanstwo* shown = Shown();
    if (!shown || !IsIdle())
        return;
    const int s = shown->ID;
    RunAction([=](std::wstring& text) { DelayAllianceEntry(s, text); }, LangText("diplomacy_delay_entry_result_title"));
}

void cDiplomacyPanel::OnHastenEntryPressed()
{
    const cPanstwo* shown = Shown();
    if (!shown || !IsIdle())
        return;
    const int s = shown->ID;
    RunAction([=](std::wstring& text) { HastenAllianceEntry(s, text); }, LangText("diplomacy_delay_entry_result_title"));
}

void cDiplomacyPanel::OnElectionsPressed()
{
    const cPanstwo* shown = Shown();
    if (!shown || !IsIdle())
        return;
    // A firm democracy has one outcome; a leaning country chooses.
    if (shown->Orientation == ORIENTATION_DEMOCRACY) {
        const int s = shown->ID;
        RunAction([=](std::wstring& text) { HoldElections(s, ORIENTATION_PRO_ALLIED, text); },
                  LangText("diplomacy_elections_result_title"));
        return;
    }
    OpenChoice(*shown, PENDING_ELECTIONS);
}

void cDiplomacyPanel::OnChangeOrientationPressed()
{
    const cPanstwo* shown = Shown();
    if (!shown || !IsIdle())
        return;
    // A firm regime too, though it has one way: the project's choice, asked for by players. The
    // change costs points and unrest; made at once, one click would spend them unread and unasked.
    OpenChoice(*shown, PENDING_ORIENTATION);
}

void cDiplomacyPanel::OpenChoice(const cPanstwo& country, int pending)
{
    m_Pending = pending;
    auto* choice = new cDialogWyborow(country, pending == PENDING_ELECTIONS);
    choice->SetOwner(this);
    PushDialog(choice);
}

void cDiplomacyPanel::OnChoiceMade(int orientation)
{
    const int pending = m_Pending;
    m_Pending = PENDING_NONE;
    const cPanstwo* shown = Shown();
    if (!shown || (pending != PENDING_ELECTIONS && pending != PENDING_ORIENTATION))
        return;
    const int s = shown->ID;
    const bool elections = pending == PENDING_ELECTIONS;
    // Under the choice, which closes itself right after.
    RunAction(
        [=](std::wstring& text) {
            if (elections)
                HoldElections(s, orientation, text);
            else
                ChangeOrientation(s, orientation, text);
        },
        LangFormat(elections ? "diplomacy_elections_in_country_title" : "diplomacy_change_orientation_of_country_title",
                   shown->Name),
        -1);
}
