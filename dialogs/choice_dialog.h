#pragma once
// The orientation a country takes after elections or a change of orientation, or Cancel:
// a leaning country picks from three, a firm regime changing its orientation has its one
// way and its price. The pick goes into g_DiplomacyChoice and to the owner, which then
// applies the action.
#include "dialogs/dialog_stack.h"

class cPanstwo;

constexpr int kChoiceDialogKind = 930;
constexpr int kChoiceCancelId = 938;
constexpr int kChoiceRandomId = 10212;
// What g_DiplomacyChoice holds after a cancel.
constexpr int kChoiceCancelled = 6;

// The picked orientation, 0 to 5, or kChoiceCancelled.
extern int g_DiplomacyChoice;

class cDialogWyborow : public cDialog
{
public:
    cDialogWyborow(const cPanstwo& country, bool elections);

    void OnGUIEvent(unsigned event, int controlId, CDXUTControl* control) override;
    // Every input beneath waits for the answer: the pick applies to the country the panel shows
    // when it comes, and the panels beneath would still take clicks that change that country
    // (the unit panel's supply source selects another hex) or end the turn under the question.
    bool HoldsInput() const override { return true; }

    // The orientations offered, first to third: one for a firm regime's change, none for its elections.
    const int* Options() const { return m_Options; }
    int OptionCount() const { return m_OptionCount; }

private:
    void OnOptionPressed(unsigned event, int orientation, CDXUTControl* control);
    void OnCancelPressed(unsigned event, CDXUTControl* control);
    void OnRandomPressed();
    // The owner hears the pick, then the window closes.
    void Answer(unsigned event, int controlId, CDXUTControl* control);

    int m_Options[3] = {};
    int m_OptionCount = 0;
};
