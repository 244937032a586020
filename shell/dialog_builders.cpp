#include "shell/dialog_builders.h"

#include "gui/controls.h"

void AddReadOnlyEditBox(CDXUTDialog* dialog, int id, const wchar_t* text, const wchar_t* hint, int captionId,
                        const wchar_t* captionText)
{
    dialog->AddEditBoxFromLayout(id, text, hint);
    if (auto* edit = static_cast<CDXUTEditBox*>(dialog->GetControl(id, DXUT_CONTROL_EDITBOX))) {
        edit->SetBorderWidth(2);
        edit->SetTextColor(0xFFFFFFFF);
        edit->SetEnabled(false);
    }
    dialog->AddStaticFromLayout(captionId, captionText);
    if (auto* caption = static_cast<CDXUTStatic*>(dialog->GetControl(captionId, DXUT_CONTROL_STATIC))) {
        caption->SetTextColor(0xFFFFFFFF);
        caption->m_dwTextFormat = DT_VCENTER;
    }
}

void AddMemoWithCaption(CDXUTDialog* dialog, int id, const wchar_t* text, const wchar_t*, int captionId,
                        const wchar_t* captionText)
{
    dialog->AddMemoFromLayout(id, text);
    dialog->AddStaticFromLayout(captionId, captionText);
}

void AddLabeledSlider(CDXUTDialog* dialog, int id, int min, int max, int value, int captionId,
                      const wchar_t* captionText, int valueId, const wchar_t* valueText)
{
    dialog->AddStaticFromLayout(captionId, captionText);
    dialog->AddSliderFromLayout(id, min, max, value);
    dialog->AddStaticFromLayout(valueId, valueText);
    if (auto* label = static_cast<CDXUTStatic*>(dialog->GetControl(valueId, DXUT_CONTROL_STATIC)))
        label->m_dwTextFormat = DT_RIGHT | DT_VCENTER;
}
