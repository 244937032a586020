#pragma once
// A name to type: OK keeps it in g_TextInputResult and tells the owner window; a name over
// 99 characters, of blanks alone or with a list's cell separator is refused with why, and
// the window stays. Cancel only tells the owner of a cancel.
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
    // After a refusal is read: the name is mended where it was typed.
    void OnReactivate() override;

private:
    void OnOkPressed(unsigned event, CDXUTControl* control);
    void OnCancelPressed(unsigned event, CDXUTControl* control);

    std::wstring m_Title;
};
