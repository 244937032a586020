#pragma once
// A line of text to type: OK keeps it (at most 99 characters) in g_TextInputResult and
// tells the owner window; Cancel, or OK on blanks alone, only tells the owner of a cancel.
#include <string>

#include "dialogs/dialog_stack.h"

constexpr int kTextInputDialogKind = 694;
constexpr int kTextInputEditId = 698;
constexpr int kTextInputOkId = 699;
constexpr int kTextInputCancelId = 700;
constexpr size_t kTextInputMaxLength = 99;

extern std::wstring g_TextInputResult;

class cDialogPobraniaTekstu : public cDialog
{
public:
    cDialogPobraniaTekstu(const std::wstring& title, const std::wstring& prompt, const std::wstring& initialText);

    void OnGUIEvent(unsigned event, int controlId, CDXUTControl* control) override;
    void OnKeyboard(unsigned key, bool keyDown, bool altDown) override;
    bool HoldsInput() const override { return true; }

private:
    void OnOkPressed(unsigned event, CDXUTControl* control);
    void OnCancelPressed(unsigned event, CDXUTControl* control);
};
