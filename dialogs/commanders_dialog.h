#pragma once
// Gives one unit a commander waiting in headquarters, or sends its commander back. Lists
// the player's commanders of the unit's kind: those in headquarters, and those on their way
// there or with a unit. The owner window hears of the close (871) and refreshes.
#include <string>

#include "dialogs/dialog_stack.h"

class cUnit;
struct sDowodca;

constexpr int kCommandersDialogKind = 860;
constexpr int kCommandersCurrentId = 864;
constexpr int kCommandersRecallId = 865;
constexpr int kCommandersAvailableId = 867;
constexpr int kCommandersUnavailableId = 869;
constexpr int kCommandersAssignId = 870;
constexpr int kCommandersExitId = 871;

class cDialogDowodcow : public cDialog
{
public:
    explicit cDialogDowodcow(const cUnit& unit);

    void OnGUIEvent(unsigned event, int controlId, CDXUTControl* control) override;
    void OnKeyboard(unsigned key, bool keyDown, bool altDown) override;

private:
    // The unit, found again by its id: it may have gone since the window opened.
    cUnit* Unit() const;
    void Refresh();
    void FillLists(const cUnit& unit);
    std::wstring AssignRefusal(bool onDutyChosen);
    void UpdateAssignButton(bool onDutyChosen);

    void OnRecallPressed();
    void OnAvailableChosen();
    void OnUnavailableChosen();
    void OnAssignPressed();
    void OnExitPressed(unsigned event, CDXUTControl* control);

    int m_Category;
    int m_UnitId;
};

// A unit of the running game by category and id (ships included), or null.
cUnit* FindGameUnit(int category, int id);
