#pragma once
// The announcement that a country's turn begins: its flag and name, a drum roll. Any
// click, Enter or Escape closes it.
#include "dialogs/dialog_stack.h"

constexpr int kNewTurnDialogKind = 730;

class cDialogNowejTury : public cDialog
{
public:
    explicit cDialogNowejTury(int countryId);

    void OnKeyboard(unsigned key, bool keyDown, bool altDown) override;
    void OnMouse(bool left, bool right, bool middle, bool side1, bool side2, int wheelDelta, int x, int y) override;
    bool HoldsInput() const override { return true; }

    int CountryId() const { return m_CountryId; }

private:
    void OnDismissed();

    int m_CountryId;
    bool m_LeftHeld = false;
};
