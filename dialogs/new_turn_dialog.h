#pragma once
// The announcement that a country's turn begins: its flag and name, a drum roll, and how to
// go on. Any click, Enter or Escape closes it.
#include <string>

#include "dialogs/dialog_stack.h"

constexpr int kNewTurnDialogKind = 730;

// A country's flag and a text in the window of the new-turn announcement, over a dark screen
// that hides the map when wholeScreen.
class cCountryCover : public cDialog
{
protected:
    cCountryCover(int countryId, bool wholeScreen, const std::wstring& text);
};

class cDialogNowejTury : public cCountryCover
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

// With several people at one screen, a window meant for one of them is read over this cover,
// which names their country and hides the map; it goes once the window over it is closed.
class cReadingCover : public cCountryCover
{
public:
    explicit cReadingCover(int countryId);

    int CountryId() const { return m_CountryId; }
    void OnReactivate() override;

private:
    int m_CountryId;
};
