#pragma once
// The announcement that a country's turn begins: its flag and name, a drum roll, and how to
// go on. Any click, Enter or Escape closes it.
#include <functional>
#include <string>
#include <vector>

#include "dialogs/dialog_stack.h"
#include "game/presentation_requests.h"

constexpr int kNewTurnDialogKind = 730;

// The flags of one or more countries and a text in the window of the new-turn announcement,
// over a dark screen that hides the map when wholeScreen.
class cCountryCover : public cDialog
{
public:
    const std::vector<int>& CountryIds() const { return m_CountryIds; }

protected:
    cCountryCover(std::vector<int> countryIds, bool wholeScreen, const std::wstring& text);

private:
    std::vector<int> m_CountryIds;
};

// A cover that goes on a click (the left button's release), Enter or Escape.
class cClickedCover : public cCountryCover
{
public:
    void OnKeyboard(unsigned key, bool keyDown, bool altDown) override;
    void OnMouse(bool left, bool right, bool middle, bool side1, bool side2, int wheelDelta, int x, int y) override;
    bool HoldsInput() const override { return true; }

protected:
    using cCountryCover::cCountryCover;
    virtual void OnDismissed() = 0;

private:
    bool m_LeftHeld = false;
};

class cDialogNowejTury : public cClickedCover
{
public:
    explicit cDialogNowejTury(int countryId);

    int CountryId() const { return CountryIds().front(); }

private:
    void OnDismissed() override;
};

// With several people at one screen, a window meant for one of them (or for the persons of
// both sides of a sea battle) is read over this cover, which names their countries and hides
// the map; it goes once the window over it is closed.
class cReadingCover : public cCountryCover
{
public:
    explicit cReadingCover(std::vector<int> countryIds);

    int CountryId() const { return CountryIds().front(); }
    void OnReactivate() override;
};

// A window or a screen of its own (a sea battle) meant for persons out of their turn opens
// only once they are at the screen: this cover names them, and their click opens it. Until
// then nobody else reads it, and a report that closes by itself has not begun its time.
class cCoverBeforeScreen : public cClickedCover
{
public:
    using tOpen = std::function<void(const RequestHandle&)>;
    cCoverBeforeScreen(std::vector<int> countryIds, RequestHandle request, tOpen open);
    ~cCoverBeforeScreen() override;
    // The request waits for the window behind it: until then nothing plays, and the radar
    // stands (turning under the cover, it redrew the whole screen five times a second).
    bool AwaitsAnswer() const override { return m_Request && !m_Request->IsComplete(); }

private:
    void OnDismissed() override;

    RequestHandle m_Request;
    tOpen m_Open;
};
