#pragma once
// A choice from a list that the opener fills. OK leaves the id of the chosen row in
// g_ListDialogResult (nothing when no row is chosen); both buttons tell the owner window.
#include <cstdint>
#include <string>
#include <vector>

#include "dialogs/dialog_stack.h"

constexpr int kListChoiceDialogKind = 722;
constexpr int kListChoiceListId = 726;
constexpr int kListChoiceOkId = 727;
constexpr int kListChoiceCancelId = 728;

// Ids, never pointers: what a row stands for may be gone by the time the answer is read.
extern std::vector<intptr_t> g_ListDialogResult;

class cDialogPobraniaListy : public cDialog
{
public:
    cDialogPobraniaListy(const std::wstring& title, const std::wstring& prompt);

    // A row ("cell;cell;...") standing for the id.
    void AddRow(const std::wstring& text, intptr_t id);

    void OnGUIEvent(unsigned event, int controlId, CDXUTControl* control) override;
    void OnKeyboard(unsigned key, bool keyDown, bool altDown) override;
    bool HoldsInput() const override { return true; }

private:
    void OnOkPressed(unsigned event, CDXUTControl* control);
    void OnCancelPressed(unsigned event, CDXUTControl* control);
};
