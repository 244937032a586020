#include "dialogs/choice_dialog.h"

#include "core/random.h"
#include "core/stringbase.h"
#include "gui/controls.h"
#include "world/country.h"

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
    AddText(kQuestionId,
            LangFormat(elections ? "diplomacy_elections_in_country" : "diplomacy_change_orientation_of_country",
                       country.Name))
        // Wrapped: a long question would otherwise run on past the window's edge.
        ->m_dwTextFormat = DT_VCENTER | DT_WORDBREAK;
    const std::string cancel = elections ? "diplomacy_elections_cancel" : "diplomacy_change_orientation_cancel";
    AddButtonFromLayout(kChoiceCancelId, LangText(cancel).c_str(), LangText(cancel + "_hint").c_str());

    // A leaning country may become the firm regime of its leaning or lean to another side.
    switch (country.Orientation) {
    case ORIENTATION_PRO_ALLIED:
        m_Options[0] = ORIENTATION_DEMOCRACY, m_Options[1] = ORIENTATION_PRO_AXIS, m_Options[2] = ORIENTATION_PRO_COMINTERN;
        break;
    case ORIENTATION_PRO_AXIS:
        m_Options[0] = ORIENTATION_NATIONALIST, m_Options[1] = ORIENTATION_PRO_ALLIED, m_Options[2] = ORIENTATION_PRO_COMINTERN;
        break;
    case ORIENTATION_PRO_COMINTERN:
        m_Options[0] = ORIENTATION_COMMUNIST, m_Options[1] = ORIENTATION_PRO_AXIS, m_Options[2] = ORIENTATION_PRO_ALLIED;
        break;
    default:
        return;
    }
    m_OptionCount = 3;
    for (int k = 0; k < 3; ++k) {
        const sLayoutRect at = LayoutRow(kFirstOptionRow + k);
        AddButton(m_Options[k], LangText(OrientationKey(m_Options[k])).c_str(), at.x, at.y, at.width, at.height);
    }
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
    ClickButton(m_Options[RandomInt(0, 2)]);
}

void cDialogWyborow::Answer(unsigned event, int controlId, CDXUTControl* control)
{
    TellOwnerOfClick(event, controlId, control);
    CloseTopDialogs(1);
}
