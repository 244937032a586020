#include "dialogs/commanders_dialog.h"

#include <algorithm>
#include <vector>

#include "core/log.h"
#include "core/stringbase.h"
#include "game/commanders.h"
#include "game/game.h"
#include "game/play_state.h"
#include "game/presentation.h"
#include "gui/controls.h"
#include "shell/dialog_builders.h"
#include "units/naval_unit.h"
#include "units/unit.h"

namespace {

CDXUTListBox* ListOf(CDXUTDialog& dialog, int id)
{
    return static_cast<CDXUTListBox*>(dialog.GetControl(id, DXUT_CONTROL_LISTBOX));
}

sDowodca* FindCommander(int id)
{
    if (!g_Gra)
        return nullptr;
    for (sDowodca* commander : g_Gra->m_Commanders)
        if (commander && commander->ID == id)
            return commander;
    return nullptr;
}

} // namespace

cUnit* FindGameUnit(int category, int id)
{
    if (!g_Gra)
        return nullptr;
    if (category == CATEGORY_NAVAL)
        return g_Gra->FindNavalUnitById(id);
    return g_Gra->FindMapUnit(category, id);
}

// Always for a unit: its openers open nothing without one, where a missing unit would
// otherwise end the program in the middle of a game.
cDialogDowodcow::cDialogDowodcow(const cUnit& unit)
    : cDialog(kCommandersDialogKind, LayoutRow(kCommandersDialogKind)), m_Category(unit.m_Category), m_UnitId(unit.m_Id)
{
    AddReadOnlyEditBox(this, kCommandersCurrentId, L"-", LangText("commander_selected_unit_commander_hint").c_str(), 863,
                       LangText("commander_selected_unit_commander").c_str());
    AddText(862, LangText("commander_title"), true);
    AddButtonFromLayout(kCommandersRecallId, LangText("commander_recall").c_str(),
                        LangText("commander_recall_hint").c_str());
    AddText(866, LangText("commander_available_commanders"));
    AddListBoxFromLayout(kCommandersAvailableId, 0);
    if (CDXUTListBox* list = ListOf(*this, kCommandersAvailableId)) {
        list->SetColumns(4, LangText("commander_list_available_columns"), 40, 10, 10, 40);
        list->SetColumnSortTypes(4, LIST_SORT_TEXT, LIST_SORT_INTEGER, LIST_SORT_INTEGER, LIST_SORT_TEXT);
    }
    AddText(868, LangText("commander_unavailable_commanders"));
    AddListBoxFromLayout(kCommandersUnavailableId, 0);
    if (CDXUTListBox* list = ListOf(*this, kCommandersUnavailableId)) {
        list->SetColumns(6, LangText("commander_list_unavailable_columns"), 20, 5, 5, 20, 35, 15);
        list->SetColumnSortTypes(6, LIST_SORT_TEXT, LIST_SORT_INTEGER, LIST_SORT_INTEGER, LIST_SORT_TEXT,
                                 LIST_SORT_TEXT, LIST_SORT_NONE);
    }
    AddButtonFromLayout(kCommandersAssignId, LangText("commander_assign").c_str(),
                        LangText("commander_assign_hint").c_str());
    AddButtonFromLayout(kCommandersExitId, LangText("commander_exit").c_str(), LangText("commander_exit_hint").c_str());
    Refresh();
}

cUnit* cDialogDowodcow::Unit() const { return FindGameUnit(m_Category, m_UnitId); }

void cDialogDowodcow::Refresh()
{
    const cUnit* unit = Unit();
    if (!unit)
        return;
    const sDowodca* own = unit->m_Commander;
    if (auto* box = static_cast<CDXUTEditBox*>(GetControl(kCommandersCurrentId, DXUT_CONTROL_EDITBOX)))
        box->SetText(own ? LangFormat("%s_(%i_/_%i)", own->Name, own->Skill, own->Experience).c_str()
                         : LangText("commander_no_commander_assigned").c_str());
    SetControlEnabled(kCommandersRecallId, own != nullptr);
    // A greyed button says why, as every order that cannot be given does.
    if (CDXUTControl* recall = GetControl(kCommandersRecallId))
        recall->SetHint(own ? LangText("commander_recall_hint")
                            : LangText("commander_recall_hint") + L"\n" + LangText("commander_recall_hint_no_commander"));
    FillLists(*unit);
    // With nobody waiting at headquarters the row lit among those on duty is the one chosen:
    // Assign's hint speaks of him, not of a list the player is not looking at.
    const CDXUTListBox* available = ListOf(*this, kCommandersAvailableId);
    UpdateAssignButton(available && available->GetSize() == 0);
}

void cDialogDowodcow::FillLists(const cUnit& unit)
{
    CDXUTListBox* available = ListOf(*this, kCommandersAvailableId);
    CDXUTListBox* unavailable = ListOf(*this, kCommandersUnavailableId);
    if (!available || !unavailable || !g_Gra)
        return;
    const int countryId = g_Gra->m_PlayState ? g_Gra->m_PlayState->GetActiveCountryId() : 0;
    std::vector<const sDowodca*> listed;
    for (const sDowodca* commander : g_Gra->m_Commanders)
        if (commander && commander->CountryID == countryId && commander->Type == unit.m_Category)
            listed.push_back(commander);
    std::stable_sort(listed.begin(), listed.end(),
                     [](const sDowodca* a, const sDowodca* b) { return a->Skill > b->Skill; });

    available->RemoveAllItems();
    unavailable->RemoveAllItems();
    for (const sDowodca* c : listed) {
        void* data = reinterpret_cast<void*>(intptr_t(c->ID));
        switch (c->State) {
        case 0:
            available->AddItem(FormatText(L"%s;%i;%i;%s", ListCellText(c->Name), c->Skill, c->Experience,
                                          LangText("commander_status_in_hq")),
                               data);
            break;
        case 1:
            unavailable->AddItem(FormatText(L"%s;%i;%i;%s;-;-", ListCellText(c->Name), c->Skill, c->Experience,
                                            LangText("commander_status_heading_to_hq")),
                                 data);
            break;
        case 2: {
            const cUnit* with = FindUnitOfCommander(c);
            const std::wstring name = with ? ListCellText(with->m_Name) : L"-";
            // A unit waiting to be placed, or gone, has no hex to name.
            const std::wstring place = with && c->Type != 2 && with->IsOnMap()
                                           ? FormatText(L"(%i, %i)", with->m_X, with->m_Y)
                                           : std::wstring(L"-");
            unavailable->AddItem(FormatText(L"%s;%i;%i;%s;%s;%s", ListCellText(c->Name), c->Skill, c->Experience,
                                            LangText("commander_status_assigned"), name, place),
                                 data);
            break;
        }
        default: break;
        }
    }
    unavailable->SortByColumn(0);
    if (available->GetSize() > 0)
        available->SelectItem(0);
}

// Assigning needs a unit without a commander and a commander chosen in headquarters; the
// reason that holds, or nothing when Assign gives one. onDutyChosen: the row lit in the list
// of those on duty or on their way is the one chosen (clicked, or nobody waits), and he cannot
// be given.
std::wstring cDialogDowodcow::AssignRefusal(bool onDutyChosen)
{
    const cUnit* unit = Unit();
    CDXUTListBox* available = ListOf(*this, kCommandersAvailableId);
    CDXUTListBox* unavailable = ListOf(*this, kCommandersUnavailableId);
    if (unit && unit->m_Commander)
        return LangText("commander_assign_hint_has_commander");
    if (onDutyChosen) {
        const sDowodca* chosen = unavailable && unavailable->GetSelectedIndex() >= 0
                                     ? FindCommander(int(reinterpret_cast<intptr_t>(unavailable->GetSelectedData())))
                                     : nullptr;
        if (chosen)
            return LangFormat(chosen->State == 1 ? "commander_assign_hint_on_his_way_%s" : "commander_assign_hint_on_duty_%s",
                              chosen->Name);
    }
    if (!available || available->GetSize() == 0)
        return LangText("commander_assign_hint_none_waiting");
    if (!unit || onDutyChosen || available->GetSelectedIndex() < 0)
        return LangText("commander_assign_hint_none_chosen");
    return {};
}

void cDialogDowodcow::UpdateAssignButton(bool onDutyChosen)
{
    const std::wstring why = AssignRefusal(onDutyChosen);
    SetControlEnabled(kCommandersAssignId, why.empty());
    if (CDXUTControl* assign = GetControl(kCommandersAssignId))
        assign->SetHint(why.empty() ? LangText("commander_assign_hint") : LangText("commander_assign_hint") + L"\n" + why);
}

void cDialogDowodcow::OnGUIEvent(unsigned event, int controlId, CDXUTControl* control)
{
    switch (controlId) {
    case kCommandersRecallId: OnRecallPressed(); break;
    case kCommandersAvailableId: OnAvailableChosen(); break;
    case kCommandersUnavailableId: OnUnavailableChosen(); break;
    case kCommandersAssignId: OnAssignPressed(); break;
    case kCommandersExitId: OnExitPressed(event, control); break;
    default: break;
    }
}

void cDialogDowodcow::OnKeyboard(unsigned key, bool keyDown, bool)
{
    ClickOnEnterOrEscape(key, keyDown, 0, kCommandersExitId);
}

void cDialogDowodcow::OnRecallPressed()
{
    cUnit* unit = Unit();
    if (!unit || !unit->m_Commander)
        return;
    {
        cWindowLock lock;
        unit->m_Commander->State = 1;
        unit->m_Commander = nullptr;
        unit->m_CommandingCommanderId = -1;
        unit->RecalculateEfficiency();
    }
    Refresh();
    // The unit panel beneath shows the unit's commander and effectiveness: at once, not when
    // the window closes.
    Presentation().RefreshPanels();
}

void cDialogDowodcow::OnAvailableChosen() { UpdateAssignButton(false); }

void cDialogDowodcow::OnUnavailableChosen() { UpdateAssignButton(true); }

void cDialogDowodcow::OnAssignPressed()
{
    cUnit* unit = Unit();
    CDXUTListBox* available = ListOf(*this, kCommandersAvailableId);
    if (!unit || unit->m_Commander || !available || available->GetSelectedIndex() < 0)
        return;
    sDowodca* commander = FindCommander(int(reinterpret_cast<intptr_t>(available->GetSelectedData())));
    if (!commander || commander->State != 0)
        return;
    {
        cWindowLock lock;
        unit->m_Commander = commander;
        unit->m_CommandingCommanderId = -1;
        commander->State = 2;
        unit->RecalculateEfficiency();
    }
    Refresh();
    Presentation().RefreshPanels();
}

void cDialogDowodcow::OnExitPressed(unsigned event, CDXUTControl* control)
{
    TellOwnerOfClick(event, kCommandersExitId, control);
    CloseTopDialogs(1);
}
