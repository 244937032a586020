#include "dialogs/confirm_dialog.h"

#include "gui/controls.h"

bool g_ConfirmAnswer = false;

cDialogPotwierdzenia::cDialogPotwierdzenia(const std::wstring& title, const std::wstring& question,
                                           const std::wstring& yesText, const std::wstring& yesHint,
                                           const std::wstring& noText, const std::wstring& noHint)
    : cDialog(kConfirmDialogKind, LayoutRow(kConfirmDialogKind))
{
    g_ConfirmAnswer = false;
    AddText(702, title, true);
    // Wrapped: a long question would otherwise run on past the window's edge.
    AddText(704, question)->m_dwTextFormat = DT_VCENTER | DT_WORDBREAK;
    AddButtonFromLayout(kConfirmYesId, yesText.c_str(), yesHint.c_str());
    AddButtonFromLayout(kConfirmNoId, noText.c_str(), noHint.c_str());
}

void cDialogPotwierdzenia::OnGUIEvent(unsigned event, int controlId, CDXUTControl* control)
{
    if (controlId == kConfirmYesId)
        OnYesPressed(event, control);
    else if (controlId == kConfirmNoId)
        OnNoPressed(event, control);
}

void cDialogPotwierdzenia::OnKeyboard(unsigned key, bool keyDown, bool)
{
    ClickOnEnterOrEscape(key, keyDown, kConfirmYesId, kConfirmNoId);
}

void cDialogPotwierdzenia::OnYesPressed(unsigned event, CDXUTControl* control)
{
    g_ConfirmAnswer = true;
    SetAnswer(1);
    // The owner hears the answer while this question is still on top.
    if (Owner())
        Owner()->OnGUIEvent(event, kConfirmYesId, control);
    CloseTopDialogs(1);
}

void cDialogPotwierdzenia::OnNoPressed(unsigned event, CDXUTControl* control)
{
    g_ConfirmAnswer = false;
    SetAnswer(0);
    if (Owner())
        Owner()->OnGUIEvent(event, kConfirmNoId, control);
    CloseTopDialogs(1);
}
