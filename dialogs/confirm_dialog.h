#pragma once
// The yes/no question. The answer goes to the owner window, if any, and into
// g_ConfirmAnswer.
#include <string>

#include "dialogs/dialog_stack.h"

constexpr int kConfirmDialogKind = 701;
constexpr int kConfirmYesId = 705;
constexpr int kConfirmNoId = 706;

// 1 after yes, 0 after no (and while a question is open).
extern bool g_ConfirmAnswer;

class cDialogPotwierdzenia : public cDialog
{
public:
    cDialogPotwierdzenia(const std::wstring& title, const std::wstring& question, const std::wstring& yesText,
                         const std::wstring& yesHint, const std::wstring& noText, const std::wstring& noHint);

    void OnGUIEvent(unsigned event, int controlId, CDXUTControl* control) override;
    void OnKeyboard(unsigned key, bool keyDown, bool altDown) override;
    bool HoldsInput() const override { return true; }

protected:
    virtual void OnYesPressed(unsigned event, CDXUTControl* control);
    virtual void OnNoPressed(unsigned event, CDXUTControl* control);
};
