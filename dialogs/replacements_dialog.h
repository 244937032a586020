#pragma once
// Buys strength for one land or air unit with the moving country's production points: a
// slider up to what the money, the unit's supply and its missing strength allow. The owner
// window hears of OK (851) and Cancel (852).
#include "dialogs/dialog_stack.h"

class cJednostka;

constexpr int kReplacementsDialogKind = 840;
constexpr int kReplacementsStrengthId = 844;
constexpr int kReplacementsCostId = 846;
constexpr int kReplacementsPointsId = 848;
constexpr int kReplacementsSliderId = 849;
constexpr int kReplacementsMaxId = 850;
constexpr int kReplacementsOkId = 851;
constexpr int kReplacementsCancelId = 852;

class cDialogUzupelnien : public cDialog
{
public:
    explicit cDialogUzupelnien(const cJednostka& unit);

    void OnGUIEvent(unsigned event, int controlId, CDXUTControl* control) override;
    void OnKeyboard(unsigned key, bool keyDown, bool altDown) override;

    float CostPerPoint() const { return m_CostPerPoint; }
    int MaximumPoints() const { return m_Maximum; }

private:
    cJednostka* Unit() const;
    int SliderValue();
    void UpdateTexts();

    void OnSliderMoved();
    void OnMaxPressed();
    void OnOkPressed(unsigned event, CDXUTControl* control);
    void OnCancelPressed(unsigned event, CDXUTControl* control);

    int m_Category;
    int m_UnitId;
    float m_CostPerPoint = 0.0f;
    int m_Maximum = 0;
};

// The price of one strength point of the unit, and how many points it may take now for
// the production points at hand (never below 0).
float ReplacementCostPerPoint(const cJednostka& unit);
int ReplacementMaximum(const cJednostka& unit, float costPerPoint, double productionPoints);
