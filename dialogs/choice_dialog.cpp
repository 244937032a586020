#include "dialogs/choice_dialog.h"

#include <algorithm>

#include "core/random.h"
#include "core/stringbase.h"
#include "gui/controls.h"
#include "world/country.h"
#include "world/diplomacy.h"

int g_DiplomacyChoice = kChoiceCancelled;

namespace {

constexpr int kTitleId = 932;
constexpr int kQuestionId = 933;
constexpr int kFirstOptionRow = 934;
constexpr int kRandomRow = 937;

const char* OrientationKey(int orientation)
{
    static const char* const keys[] = {"diplomacy_elections_democracy",
                                       "diplomacy_elections_nationalist_regime",
                                       "diplomacy_elections_communist_regime",
                                       "diplomacy_elections_pro_allied",
                                       "diplomacy_elections_pro_axis",
                                       "diplomacy_elections_pro_communist"};
    return keys[orientation];
}

} // namespace

cDialogWyborow::cDialogWyborow(const cPanstwo& country, bool elections)
    : cDialog(kChoiceDialogKind, LayoutRow(kChoiceDialogKind))
{
    g_DiplomacyChoice = kChoiceCancelled;
    AddText(kTitleId,
            LangFormat(elections ? "diplomacy_elections_in_country_title" : "diplomacy_change_orientation_of_country_title",
                       country.Name),
            true);
    std::wstring question =
        LangFormat(elections ? "diplomacy_elections_in_country" : "diplomacy_change_orientation_of_country", country.Name);
    // The project's choice, asked for by players: a change costs points and unrest, and the
    // price is read here before the pick; without it the player learns it only once paid.
    if (!elections)
        question += L"\n" + OrientationChangeCostText(country.ID);
    // Wrapped: a long question would otherwise run on past the window's edge.
    AddText(kQuestionId, question)->m_dwTextFormat = DT_VCENTER | DT_WORDBREAK;
    const std::string cancel = elections ? "diplomacy_elections_cancel" : "diplomacy_change_orientation_cancel";
    AddButtonFromLayout(kChoiceCancelId, LangText(cancel).c_str(), LangText(cancel + "_hint").c_str());

    // A leaning country may become the firm regime of its leaning or lean to another side; a
    // firm regime, shown here by the project's choice (the panel says why), has its one way: the
    // pro- form of its own side.
    const int options[6][3] = {{ORIENTATION_PRO_ALLIED},
                               {ORIENTATION_PRO_AXIS},
                               {ORIENTATION_PRO_COMINTERN},
                               {ORIENTATION_DEMOCRACY, ORIENTATION_PRO_AXIS, ORIENTATION_PRO_COMINTERN},
                               {ORIENTATION_NATIONALIST, ORIENTATION_PRO_ALLIED, ORIENTATION_PRO_COMINTERN},
                               {ORIENTATION_COMMUNIST, ORIENTATION_PRO_AXIS, ORIENTATION_PRO_ALLIED}};
    const int from = country.Orientation;
    // Elections are never held in a regime.
    if (from < 0 || from > 5 || (elections && from <= ORIENTATION_COMMUNIST))
        return;
    m_OptionCount = from <= ORIENTATION_COMMUNIST ? 1 : 3;
    std::copy(options[from], options[from] + 3, m_Options);
    for (int k = 0; k < m_OptionCount; ++k) {
        const sLayoutRect at = LayoutRow(kFirstOptionRow + k);
        AddButton(m_Options[k], LangText(OrientationKey(m_Options[k])).c_str(), at.x, at.y, at.width, at.height);
    }
    // Fate has nothing to pick from one.
    if (m_OptionCount == 1)
        return;
    const sLayoutRect at = LayoutRow(kRandomRow);
    AddButton(kChoiceRandomId, LangText("diplomacy_elections_random").c_str(), at.x, at.y, at.width, at.height);
}

void cDialogWyborow::OnGUIEvent(unsigned event, int controlId, CDXUTControl* control)
{
    if (controlId >= 0 && controlId <= 5)
        OnOptionPressed(event, controlId, control);
    else if (controlId == kChoiceCancelId)
        OnCancelPressed(event, control);
    else if (controlId == kChoiceRandomId)
        OnRandomPressed();
}

void cDialogWyborow::OnOptionPressed(unsigned event, int orientation, CDXUTControl* control)
{
    g_DiplomacyChoice = orientation;
    Answer(event, orientation, control);
}

void cDialogWyborow::OnCancelPressed(unsigned event, CDXUTControl* control)
{
    g_DiplomacyChoice = kChoiceCancelled;
    Answer(event, kChoiceCancelId, control);
}

void cDialogWyborow::OnRandomPressed()
{
    if (m_OptionCount == 0)
        return;
    ClickButton(m_Options[RandomInt(0, m_OptionCount - 1)]);
}

void cDialogWyborow::Answer(unsigned event, int controlId, CDXUTControl* control)
{
    TellOwnerOfClick(event, controlId, control);
    CloseTopDialogs(1);
}
