#pragma once
// What the convoys of one country did at the end of the impulse: one row per convoy run,
// and the details of the chosen one.
#include <vector>

#include "dialogs/dialog_stack.h"
#include "world/convoys.h"

constexpr int kConvoyResultsDialogKind = 960;
constexpr int kConvoyResultsListId = 965;
constexpr int kConvoyResultsDetailsId = 967;
constexpr int kConvoyResultsExitId = 968;

class cDialogWynikuKonwojow : public cDialog
{
public:
    explicit cDialogWynikuKonwojow(int countryId);

    void OnGUIEvent(unsigned event, int controlId, CDXUTControl* control) override;
    void OnKeyboard(unsigned key, bool keyDown, bool altDown) override;

    int CountryId() const { return m_CountryId; }

private:
    void OnResultChosen();
    void OnExitPressed();

    int m_CountryId;
    // A copy: the country's list may change while the window is open.
    std::vector<sConvoyResult> m_Results;
};

// The convoy results of a country; empty without a game or such a country.
const std::vector<sConvoyResult>* ConvoyResultsOf(int countryId);
