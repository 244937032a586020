#pragma once
// The message box: a title, a text and an OK button. It widens for a long title and grows
// downward for a long text.
#include <string>

#include "dialogs/dialog_stack.h"

constexpr int kMessageDialogKind = 8000;
// The layout rows of the message box: the box, then title (+1), text (+3) and button (+4).
constexpr int kMessageDialogRow = 684;

class cDialogTekstowy : public cDialog
{
public:
    cDialogTekstowy(const std::wstring& message, const std::wstring& title, int baseRow = kMessageDialogRow);

    void OnGUIEvent(unsigned event, int controlId, CDXUTControl* control) override;
    void OnKeyboard(unsigned key, bool keyDown, bool altDown) override;
    bool HoldsInput() const override { return true; }

    int OkButtonId() const { return m_BaseRow + 4; }

private:
    void OnOkPressed();

    int m_BaseRow;
};
