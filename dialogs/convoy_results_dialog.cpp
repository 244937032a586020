#include "dialogs/convoy_results_dialog.h"

#include "core/stringbase.h"
#include "dialogs/country_flag.h"
#include "game/game.h"
#include "gui/controls.h"

namespace {
constexpr unsigned kFlagSlot = 3;
}

const std::vector<sConvoyResult>* ConvoyResultsOf(int countryId)
{
    if (!g_Gra || !g_Gra->m_Convoys || countryId < 1 || size_t(countryId) > g_Gra->m_Convoys->Results.size())
        return nullptr;
    return &g_Gra->m_Convoys->Results[size_t(countryId - 1)];
}

cDialogWynikuKonwojow::cDialogWynikuKonwojow(int countryId)
    : cDialog(kConvoyResultsDialogKind, LayoutRow(kConvoyResultsDialogKind)), m_CountryId(countryId)
{
    if (const std::vector<sConvoyResult>* results = ConvoyResultsOf(countryId))
        m_Results = *results;
    AddText(962, LangText("convoys_result_title"), true);
    AddImageFromLayout(963, 0, 0, 0, kFlagPictureWidth, kFlagPictureHeight, nullptr);
    ShowCountryFlag(*this, 963, countryId, kFlagSlot);
    AddText(964, LangText("convoys_result_list"));
    AddListBoxFromLayout(kConvoyResultsListId, 0);
    auto* list = static_cast<CDXUTListBox*>(GetControl(kConvoyResultsListId, DXUT_CONTROL_LISTBOX));
    if (list) {
        list->SetColumns(7, LangText("convoys_result_list_columns"), 20, 20, 20, 6, 7, 7, 20);
        for (size_t k = 0; k < m_Results.size(); ++k) {
            const sConvoyResult& r = m_Results[k];
            list->AddItem(FormatText(L"%s;%s;%s;%i;%i;%i;%s", ListCellText(r.departure), ListCellText(r.destination), r.cargo, r.transportNeeded,
                                     r.transportUsed, r.transportLost, r.result),
                          reinterpret_cast<void*>(k));
        }
        // "supply (units served: 2)" is wider than its fifth of the list; the places and the
        // result leave it room.
        list->FitColumnToCells(2);
    }
    AddText(966, LangText("convoys_result_details"));
    AddMemoFromLayout(kConvoyResultsDetailsId, L"");
    AddButtonFromLayout(kConvoyResultsExitId, LangText("convoys_result_exit").c_str(),
                        LangText("convoys_result_exit_hint").c_str());
    if (list && !m_Results.empty()) {
        list->SelectItem(0);
        OnResultChosen();
    }
}

void cDialogWynikuKonwojow::OnGUIEvent(unsigned, int controlId, CDXUTControl*)
{
    if (controlId == kConvoyResultsListId)
        OnResultChosen();
    else if (controlId == kConvoyResultsExitId)
        OnExitPressed();
}

void cDialogWynikuKonwojow::OnKeyboard(unsigned key, bool keyDown, bool)
{
    if (keyDown && (key == VK_RETURN || key == VK_ESCAPE))
        CloseTopDialogs(1);
}

void cDialogWynikuKonwojow::OnResultChosen()
{
    auto* list = static_cast<CDXUTListBox*>(GetControl(kConvoyResultsListId, DXUT_CONTROL_LISTBOX));
    auto* details = static_cast<CDXUTMemo*>(GetControl(kConvoyResultsDetailsId, DXUT_CONTROL_MEMO));
    if (!list || !details || list->GetSelectedIndex() < 0)
        return;
    const size_t index = reinterpret_cast<size_t>(list->GetSelectedData());
    if (index < m_Results.size())
        details->SetText(m_Results[index].details.c_str());
}

void cDialogWynikuKonwojow::OnExitPressed() { CloseTopDialogs(1); }
