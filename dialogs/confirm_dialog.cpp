#include "dialogs/confirm_dialog.h"

#include <algorithm>

#include "gui/controls.h"
#include "platform/text_layout.h"

bool g_ConfirmAnswer = false;

namespace {

constexpr int kQuestionId = 704;

// A question longer than its place makes the window taller and its buttons lower, the whole
// rising rather than leave the screen: the player reads everything he says yes to.
void GrowToQuestion(CDXUTDialog& dialog, CDXUTStatic& question)
{
    CDXUTElement* element = question.GetElement(unsigned(question.m_iTextElement));
    cFont* font = element ? dialog.GetFontObject(int(element->iFont)) : nullptr;
    if (!font)
        return;
    sRect extent{0, 0, question.m_width, 0};
    const int needed = CalcTextExtent(*font, question.GetText(), extent, question.m_dwTextFormat);
    const int grow = needed - question.m_height;
    if (grow <= 0)
        return;
    question.SetSize(question.m_width, needed);
    for (int id : {kConfirmYesId, kConfirmNoId})
        if (CDXUTControl* button = dialog.GetControl(id))
            button->SetLocation(button->m_x, button->m_y + grow);
    CDXUTControl* frame = dialog.GetControl(kConfirmDialogKind);
    if (!frame)
        return;
    frame->SetSize(frame->m_width, frame->m_height + grow);
    const int screenHeight = LayoutRow(1).height;
    const int rise = std::min(frame->m_y, frame->m_y + frame->m_height - screenHeight);
    if (screenHeight <= 0 || rise <= 0)
        return;
    for (int k = 0; k < dialog.GetControlCount(); ++k) {
        CDXUTControl* control = dialog.GetControlByIndex(k);
        control->SetLocation(control->m_x, control->m_y - rise);
    }
}

} // namespace

cDialogPotwierdzenia::cDialogPotwierdzenia(const std::wstring& title, const std::wstring& question,
                                           const std::wstring& yesText, const std::wstring& yesHint,
                                           const std::wstring& noText, const std::wstring& noHint)
    : cDialog(kConfirmDialogKind, LayoutRow(kConfirmDialogKind))
{
    g_ConfirmAnswer = false;
    AddText(702, title, true);
    // Wrapped: a long question would otherwise run on past the window's edge.
    CDXUTStatic* text = AddText(kQuestionId, question);
    text->m_dwTextFormat = DT_VCENTER | DT_WORDBREAK;
    AddButtonFromLayout(kConfirmYesId, yesText.c_str(), yesHint.c_str());
    AddButtonFromLayout(kConfirmNoId, noText.c_str(), noHint.c_str());
    GrowToQuestion(*this, *text);
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
