#include "dialogs/convoys_dialog.h"

#include <algorithm>
#include <cstdint>

#include "core/stringbase.h"
#include "game/game.h"
#include "game/play_state.h"
#include "gui/controls.h"
#include "gui/gui_atlas.h"
#include "shell/draw_helpers.h"
#include "world/city.h"
#include "world/convoys.h"
#include "world/map.h"
#include "world/sea_graph.h"
#include "world/world.h"

sConvoyPick g_ConvoyPick;

namespace {

constexpr int kPictureId = 941;

cDialogKonwojow* OpenConvoysDialog()
{
    return dynamic_cast<cDialogKonwojow*>(FindOpenDialogByKind(kConvoysDialogKind));
}

// What the convoy can carry: the departure port's size now, not the size copied when the
// convoy was made: a saved game keeps no such size, so a convoy read back would carry nothing
// and its maximum would change with a save and a load.
int Capacity(const sKonwoj& convoy)
{
    const cGrafMorz* graph = WorldSeaGraph();
    const sWezelGrafuMorz* node = graph && convoy.departure ? graph->GetNode(convoy.departure->GetSeaNodeId()) : nullptr;
    return node ? node->SizeCurrent : convoy.portSize;
}

// A port of at most 10 times a consts.csv value of 0 to 10000: never beyond what a save reads back.
int ConvoyMaximum(const sKonwoj& convoy)
{
    const sGameConsts& rules = GameConsts();
    return Capacity(convoy) * (convoy.type == CONVOY_PP ? rules.ConvoyValuePP : rules.ConvoyValueSupply);
}

void* RowData(int convoyId) { return reinterpret_cast<void*>(intptr_t(convoyId)); }
int RowConvoyId(void* data) { return int(reinterpret_cast<intptr_t>(data)); }

bool Picking()
{
    const int mode = g_Gra && g_Gra->m_PlayState ? g_Gra->m_PlayState->GetOrderMode() : ORDER_SELECT;
    return mode == ORDER_CONVOY_START || mode == ORDER_CONVOY_END;
}

void ClearPortMarks()
{
    if (g_Gra && g_Gra->m_Mapa)
        g_Gra->m_Mapa->ClearMarks(MARK_SEA_ZONE | MARK_REACHABLE_SEA_NODE, false);
}

} // namespace

// The window's own description gives its frame style 1, while the dialog base, which builds
// the frame, takes no style and draws style 0: the base's holds.
cDialogKonwojow::cDialogKonwojow() : cDialog(kConvoysDialogKind, LayoutRow(kConvoysDialogKind))
{
    if (g_Gra && g_Gra->m_PlayState)
        m_OwnerId = g_Gra->m_PlayState->GetActiveCountryId();
    g_ConvoyPick = {};
    AddText(942, LangText("convoys_title"), true);
    sLayoutRect picture = LayoutRow(kPictureId);
    FitSquareInRect(picture, 2, 2);
    const gui_atlas::sRect cell = gui_atlas::ConvoyPicture(picture.width, picture.height);
    AddImage(kPictureId, int(kGuiPictureSlot), cell.left, cell.top, cell.right, cell.bottom, picture.x, picture.y,
             picture.width, picture.height);
    AddText(943, LangText("convoys_list"));
    AddListBoxFromLayout(kConvoysListId, 0);
    if (auto* list = static_cast<CDXUTListBox*>(GetControl(kConvoysListId, DXUT_CONTROL_LISTBOX)))
        list->SetColumns(4, LangText("convoys_list_columns"), 30, 30, 30, 10);
    AddButtonFromLayout(kConvoysNewId, LangText("convoys_new").c_str(), LangText("convoys_new_hint").c_str());
    AddButtonFromLayout(kConvoysDeleteId, LangText("convoys_delete").c_str(),
                        LangText("convoys_delete_hint_no_selection").c_str());
    AddButtonFromLayout(kConvoysMoveUpId, LangText("convoys_moveup").c_str(),
                        LangText("convoys_moveup_hint_no_selection").c_str());
    AddButtonFromLayout(kConvoysMoveDownId, LangText("convoys_movedown").c_str(),
                        LangText("convoys_movedown_hint_no_selection").c_str());
    AddText(951, LangText("convoys_type"));
    AddRadioButtonFromLayout(kConvoysProductionId, 1, LangText("convoys_type_pp").c_str(),
                             LangText("convoys_type_pp_hint").c_str(), false);
    AddSliderFromLayout(kConvoysValueSliderId, 0, 300, 150);
    AddText(kConvoysValueTextId, L"");
    AddRadioButtonFromLayout(kConvoysSupplyId, 1, LangText("convoys_type_supply").c_str(),
                             LangText("convoys_type_supply_hint").c_str(), false);
    AddButtonFromLayout(kConvoysExitId, LangText("convoys_exit").c_str(), LangText("convoys_exit_hint").c_str());
    FillConvoyList(-1);
    UpdateControls();
}

std::vector<sKonwoj>* cDialogKonwojow::Convoys() const
{
    return g_Gra && g_Gra->m_Convoys ? g_Gra->m_Convoys->OwnerConvoys(m_OwnerId) : nullptr;
}

sKonwoj* cDialogKonwojow::Selected() const
{
    std::vector<sKonwoj>* convoys = Convoys();
    if (!convoys || m_SelectedId < 0)
        return nullptr;
    auto it = std::find_if(convoys->begin(), convoys->end(), [&](const sKonwoj& c) { return c.id == m_SelectedId; });
    return it == convoys->end() ? nullptr : &*it;
}

void cDialogKonwojow::FillConvoyList(int convoyId)
{
    auto* list = static_cast<CDXUTListBox*>(GetControl(kConvoysListId, DXUT_CONTROL_LISTBOX));
    if (!list)
        return;
    list->RemoveAllItems();
    int found = -1;
    if (const std::vector<sKonwoj>* convoys = Convoys())
        for (const sKonwoj& c : *convoys) {
            if (c.id == convoyId)
                found = list->GetSize();
            list->AddItem(FormatText(L"%s;%s;%s;%i", c.departure ? ListCellText(c.departure->Name) : L"-",
                                     c.destination ? ListCellText(c.destination->Name) : L"-",
                                     LangText(c.type == CONVOY_PP ? "convoys_type_production" : "convoys_type_supply"),
                                     c.value),
                          RowData(c.id));
        }
    if (found < 0) {
        // The selection was removed (by the game or by this window): nothing is selected.
        if (convoyId != -1 || !Selected()) {
            m_SelectedId = -1;
            m_SelectedIndex = -1;
        }
        return;
    }
    EnableNonUserEvents(true);
    list->SelectItem(found, true);
    EnableNonUserEvents(false);
    m_SelectedId = convoyId;
    m_SelectedIndex = found;
}

void cDialogKonwojow::UpdateControls()
{
    auto* remove = GetControl(kConvoysDeleteId);
    auto* up = GetControl(kConvoysMoveUpId);
    auto* down = GetControl(kConvoysMoveDownId);
    auto* production = static_cast<CDXUTRadioButton*>(GetControl(kConvoysProductionId, DXUT_CONTROL_RADIOBUTTON));
    auto* supply = static_cast<CDXUTRadioButton*>(GetControl(kConvoysSupplyId, DXUT_CONTROL_RADIOBUTTON));
    auto* slider = static_cast<CDXUTSlider*>(GetControl(kConvoysValueSliderId, DXUT_CONTROL_SLIDER));
    auto* value = static_cast<CDXUTStatic*>(GetControl(kConvoysValueTextId, DXUT_CONTROL_STATIC));
    if (!remove || !up || !down || !production || !supply || !slider || !value)
        return;
    const sKonwoj* convoy = Selected();
    if (!convoy) {
        m_SelectedId = -1;
        m_SelectedIndex = -1;
        // With no convoy at all there is none to choose: the hints say how one is made.
        const std::vector<sKonwoj>* all = Convoys();
        const bool none = !all || all->empty();
        auto why = [none](const char* key) { return LangText(none ? "convoys_hint_none" : key); };
        remove->SetEnabled(false);
        remove->SetHint(why("convoys_delete_hint_no_selection"));
        for (CDXUTRadioButton* radio : {production, supply}) {
            radio->SetEnabled(false);
            radio->SetCheckedInternal(false, false, false, false);
        }
        // Greyed for want of a convoy: the hint says so, not what the cargo would do.
        for (CDXUTRadioButton* radio : {production, supply})
            radio->SetHint(why("convoys_type_hint_no_selection"));
        slider->SetEnabled(false);
        slider->SetHint(why("convoys_value_hint_no_selection"));
        value->SetEnabled(false);
        // Emptied as at first, not only disabled: the value of a convoy deleted or no longer
        // chosen would stand for none.
        value->SetText(L"");
        up->SetEnabled(false);
        up->SetHint(why("convoys_moveup_hint_no_selection"));
        down->SetEnabled(false);
        down->SetHint(why("convoys_movedown_hint_no_selection"));
        return;
    }
    remove->SetEnabled(true);
    remove->SetHint(LangText("convoys_delete_hint"));
    // Production points between two ports of one country would never sail: not offered.
    std::wstring refusal;
    const bool mayCarryPoints = !g_Gra->m_Convoys || g_Gra->m_Convoys->MayCarry(*convoy, CONVOY_PP, &refusal);
    production->SetEnabled(mayCarryPoints);
    production->SetHint(mayCarryPoints ? LangText("convoys_type_pp_hint") : refusal);
    production->SetCheckedInternal(convoy->type == CONVOY_PP, false, false, false);
    supply->SetEnabled(true);
    supply->SetHint(LangText("convoys_type_supply_hint"));
    supply->SetCheckedInternal(convoy->type != CONVOY_PP, false, false, false);
    slider->SetEnabled(true);
    slider->SetHint(LangText("convoys_value_hint"));
    slider->SetRange(0, ConvoyMaximum(*convoy));
    slider->SetValueInternal(convoy->value, false, false);
    value->SetEnabled(true);
    value->SetText(LangFormat("convoys_value_%i", convoy->value).c_str());
    const std::vector<sKonwoj>* convoys = Convoys();
    const int last = convoys ? int(convoys->size()) - 1 : 0;
    up->SetEnabled(m_SelectedIndex > 0);
    up->SetHint(LangText(m_SelectedIndex > 0 ? "convoys_moveup_hint" : "convoys_moveup_hint_is_topmost"));
    down->SetEnabled(m_SelectedIndex < last);
    down->SetHint(LangText(m_SelectedIndex < last ? "convoys_movedown_hint" : "convoys_movedown_hint_is_bottommost"));
}

void cDialogKonwojow::CreateConvoyFromPick()
{
    if (g_ConvoyPick.departureNode < 1 || g_ConvoyPick.destinationNode < 1 || !g_Gra || !g_Gra->m_Convoys)
        return;
    int id = -1;
    {
        cWindowLock lock;
        id = g_Gra->m_Convoys->CreateConvoyBySeaNodes(g_ConvoyPick.departureNode, g_ConvoyPick.destinationNode,
                                                      m_OwnerId);
    }
    g_ConvoyPick = {};
    FillConvoyList(id);
    UpdateControls();
}

void cDialogKonwojow::OnGUIEvent(unsigned, int controlId, CDXUTControl*)
{
    switch (controlId) {
    case kConvoysListId: OnConvoyChosen(); break;
    case kConvoysNewId: OnNewPressed(); break;
    case kConvoysMoveUpId: OnMovePressed(-1); break;
    case kConvoysMoveDownId: OnMovePressed(1); break;
    case kConvoysDeleteId: OnDeletePressed(); break;
    case kConvoysProductionId: OnTypePressed(CONVOY_PP); break;
    case kConvoysSupplyId: OnTypePressed(CONVOY_SUPPLIES); break;
    case kConvoysValueSliderId: OnValueMoved(); break;
    case kConvoysExitId: OnExitPressed(); break;
    default: break;
    }
}

void cDialogKonwojow::OnConvoyChosen()
{
    auto* list = static_cast<CDXUTListBox*>(GetControl(kConvoysListId, DXUT_CONTROL_LISTBOX));
    if (!list)
        return;
    m_SelectedIndex = list->GetSelectedIndex();
    m_SelectedId = m_SelectedIndex < 0 ? -1 : RowConvoyId(list->GetSelectedData());
    UpdateControls();
}

void cDialogKonwojow::OnNewPressed()
{
    if (!g_Gra || !g_Gra->m_Convoys || !g_Gra->m_PlayState)
        return;
    g_ConvoyPick = {};
    SetVisible(false);
    m_Picking = true;
    // The countdown ticks while the window is away, so that it notices a pick given up.
    m_Countdown = 1e9f;
    m_CountdownPaused = false;
    m_ExpiryAction = EXPIRY_NOTHING;
    cWindowLock lock;
    g_Gra->m_Convoys->HighlightOwnPortsForConvoy(m_OwnerId);
    g_Gra->m_PlayState->SetOrderMode(ORDER_CONVOY_START);
}

void cDialogKonwojow::OnMovePressed(int step)
{
    std::vector<sKonwoj>* convoys = Convoys();
    const int target = m_SelectedIndex + step;
    if (!convoys || !Selected() || target < 0 || target >= int(convoys->size()))
        return;
    {
        cWindowLock lock;
        std::swap((*convoys)[size_t(m_SelectedIndex)], (*convoys)[size_t(target)]);
    }
    m_SelectedIndex = target;
    FillConvoyList(m_SelectedId);
    UpdateControls();
}

void cDialogKonwojow::OnDeletePressed()
{
    std::vector<sKonwoj>* convoys = Convoys();
    if (!convoys || !Selected())
        return;
    {
        cWindowLock lock;
        const int id = m_SelectedId;
        convoys->erase(std::remove_if(convoys->begin(), convoys->end(), [id](const sKonwoj& c) { return c.id == id; }),
                       convoys->end());
    }
    m_SelectedId = -1;
    m_SelectedIndex = -1;
    FillConvoyList(-1);
    UpdateControls();
}

void cDialogKonwojow::OnTypePressed(int type)
{
    sKonwoj* convoy = Selected();
    if (!convoy || (g_Gra->m_Convoys && !g_Gra->m_Convoys->MayCarry(*convoy, type, nullptr)))
        return;
    {
        cWindowLock lock;
        convoy->type = eConvoyType(type);
        convoy->value = ConvoyMaximum(*convoy);
    }
    FillConvoyList(m_SelectedId);
    UpdateControls();
}

void cDialogKonwojow::OnValueMoved()
{
    sKonwoj* convoy = Selected();
    auto* slider = static_cast<CDXUTSlider*>(GetControl(kConvoysValueSliderId, DXUT_CONTROL_SLIDER));
    if (!convoy || !slider)
        return;
    {
        cWindowLock lock;
        convoy->value = std::clamp(slider->GetValue(), 0, ConvoyMaximum(*convoy));
    }
    FillConvoyList(m_SelectedId);
    UpdateControls();
}

void cDialogKonwojow::OnExitPressed() { CloseTopDialogs(1); }

void cDialogKonwojow::ComeBackFromPick()
{
    m_Picking = false;
    m_Countdown = -1.0f;
    m_CountdownPaused = true;
    g_ConvoyPick = {};
    FillConvoyList(m_SelectedId);
    UpdateControls();
    SetVisible(true);
}

void cDialogKonwojow::OnReactivate()
{
    if (m_Picking)
        ComeBackFromPick();
}

void cDialogKonwojow::OnTimer(float)
{
    // The player left the pick (another order, a right click): the window comes back with
    // the port marks gone.
    if (m_Picking && !Picking()) {
        {
            cWindowLock lock;
            ClearPortMarks();
        }
        ComeBackFromPick();
    }
}

bool TakeConvoyPortPick(int seaNodeId)
{
    cDialogKonwojow* dialog = OpenConvoysDialog();
    if (!dialog || !g_Gra || !g_Gra->m_PlayState || !g_Gra->m_Convoys || !Picking() || seaNodeId < 1)
        return false;
    cPlayState& play = *g_Gra->m_PlayState;
    {
        cWindowLock lock;
        ClearPortMarks();
        if (play.GetOrderMode() == ORDER_CONVOY_START) {
            g_ConvoyPick.departureNode = seaNodeId;
            g_Gra->m_Convoys->HighlightAlliedPortsForConvoy(dialog->OwnerId(), seaNodeId);
            play.SetOrderMode(ORDER_CONVOY_END);
            return true;
        }
        g_ConvoyPick.destinationNode = seaNodeId;
        play.SetOrderMode(ORDER_SELECT);
    }
    dialog->CreateConvoyFromPick();
    dialog->OnReactivate();
    return true;
}
