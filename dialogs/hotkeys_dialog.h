#pragma once
// The list of the game screen's keys.
#include "dialogs/dialog_stack.h"

constexpr int kHotkeysDialogKind = 667;
constexpr int kHotkeysListId = 672;
constexpr int kHotkeysExitId = 673;

class cDialogSkrotowKlawiszowych : public cDialog
{
public:
    cDialogSkrotowKlawiszowych();

    void OnGUIEvent(unsigned event, int controlId, CDXUTControl* control) override;
    void OnKeyboard(unsigned key, bool keyDown, bool altDown) override;

private:
    void OnExitPressed();
};
