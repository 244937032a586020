// Adding controls to a dialog, by coordinates or by their row of the layout table.
#include "gui/controls.h"
#include "gui/layout.h"

namespace {

// Creates the control, gives it its default elements and appends it.
template <class T>
tResult Create(CDXUTDialog* dialog, int id, T*& out)
{
    auto control = std::make_unique<T>(dialog);
    T* raw = control.get();
    tResult hr = dialog->InitControl(raw);
    if (Failed(hr))
        return hr;
    hr = dialog->AddControl(std::move(control));
    if (Failed(hr))
        return hr;
    raw->SetID(id);
    out = raw;
    return S_OK;
}

void Place(CDXUTControl* control, int x, int y, int width, int height, uint32_t hotkey, bool isDefault)
{
    control->SetLocation(x, y);
    control->SetSize(width, height);
    control->SetHotkey(hotkey);
    control->m_bIsDefault = isDefault;
}

// Places the control by the layout row of its id.
void PlaceFromLayout(CDXUTControl* control, int id)
{
    sLayoutRect row{};
    if (id >= 0 && id < kGuiLayoutRows)
        row = g_GuiLayout[size_t(id)];
    control->SetLocation(row.x, row.y);
    control->SetSize(row.width, row.height);
    control->m_bIsDefault = false;
}

template <class T>
void Give(T* control, T** out)
{
    if (out)
        *out = control;
}

} // namespace

void CDXUTDialog::ClearRadioButtonGroup(unsigned group, bool notify)
{
    for (auto& control : m_Controls) {
        if (control->GetType() != DXUT_CONTROL_RADIOBUTTON)
            continue;
        auto* radio = static_cast<CDXUTRadioButton*>(control.get());
        if (radio->GetButtonGroup() == group)
            radio->SetCheckedInternal(false, false, false, notify);
    }
}

tResult CDXUTDialog::AddStatic(int id, const wchar_t* text, int x, int y, int width, int height, bool isDefault,
                               CDXUTStatic** created)
{
    CDXUTStatic* control = nullptr;
    tResult hr = Create(this, id, control);
    if (Failed(hr))
        return hr;
    control->SetText(text);
    Place(control, x, y, width, height, 0, isDefault);
    control->SetEnabled(false);
    Give(control, created);
    return S_OK;
}

tResult CDXUTDialog::AddButton(int id, const wchar_t* text, int x, int y, int width, int height, uint32_t hotkey,
                               bool isDefault, CDXUTButton** created)
{
    CDXUTButton* control = nullptr;
    tResult hr = Create(this, id, control);
    if (Failed(hr))
        return hr;
    control->SetText(text);
    Place(control, x, y, width, height, hotkey, isDefault);
    Give(control, created);
    return S_OK;
}

tResult CDXUTDialog::AddIcon(int id, int texLeft, int texTop, int texRight, int texBottom, int x, int y, int width,
                             int height, uint32_t hotkey, bool isDefault, CDXUTIcon** created)
{
    CDXUTIcon* control = nullptr;
    tResult hr = Create(this, id, control);
    if (Failed(hr))
        return hr;
    control->SetTextureRect(sRect{texLeft, texTop, texRight, texBottom});
    Place(control, x, y, width, height, hotkey, isDefault);
    Give(control, created);
    return S_OK;
}

tResult CDXUTDialog::AddImage(int id, int textureIndex, int texLeft, int texTop, int texRight, int texBottom, int x,
                              int y, int width, int height, uint32_t hotkey, bool isDefault, CDXUTImage** created)
{
    CDXUTImage* control = nullptr;
    tResult hr = Create(this, id, control);
    if (Failed(hr))
        return hr;
    control->SetTextureIndex(textureIndex);
    control->SetTextureRect(sRect{texLeft, texTop, texRight, texBottom});
    Place(control, x, y, width, height, hotkey, isDefault);
    control->SetEnabled(false);
    Give(control, created);
    return S_OK;
}

tResult CDXUTDialog::AddCheckBox(int id, const wchar_t* text, int x, int y, int width, int height, bool checked,
                                 uint32_t hotkey, bool isDefault, CDXUTCheckBox** created)
{
    CDXUTCheckBox* control = nullptr;
    tResult hr = Create(this, id, control);
    if (Failed(hr))
        return hr;
    control->SetText(text);
    Place(control, x, y, width, height, hotkey, isDefault);
    control->SetCheckedInternal(checked, false, true);
    Give(control, created);
    return S_OK;
}

tResult CDXUTDialog::AddRadioButton(int id, unsigned group, const wchar_t* text, int x, int y, int width, int height,
                                    bool checked, uint32_t hotkey, bool isDefault, CDXUTRadioButton** created)
{
    CDXUTRadioButton* control = nullptr;
    tResult hr = Create(this, id, control);
    if (Failed(hr))
        return hr;
    control->SetButtonGroup(group);
    control->SetText(text);
    Place(control, x, y, width, height, hotkey, isDefault);
    control->SetCheckedInternal(checked, true, false, true);
    Give(control, created);
    return S_OK;
}

tResult CDXUTDialog::AddComboBox(int id, int x, int y, int width, int height, uint32_t hotkey, bool isDefault,
                                 CDXUTComboBox** created)
{
    CDXUTComboBox* control = nullptr;
    tResult hr = Create(this, id, control);
    if (Failed(hr))
        return hr;
    Place(control, x, y, width, height, hotkey, isDefault);
    Give(control, created);
    return S_OK;
}

tResult CDXUTDialog::AddSlider(int id, int x, int y, int width, int height, int min, int max, int value,
                               bool isDefault, CDXUTSlider** created)
{
    CDXUTSlider* control = nullptr;
    tResult hr = Create(this, id, control);
    if (Failed(hr))
        return hr;
    Place(control, x, y, width, height, 0, isDefault);
    control->SetRange(min, max);
    control->SetValue(value);
    control->UpdateRects();
    Give(control, created);
    return S_OK;
}

tResult CDXUTDialog::AddEditBox(int id, const wchar_t* text, int x, int y, int width, int height, bool isDefault,
                                CDXUTEditBox** created)
{
    CDXUTEditBox* control = nullptr;
    tResult hr = Create(this, id, control);
    if (Failed(hr))
        return hr;
    Place(control, x, y, width, height, 0, isDefault);
    control->SetText(text);
    Give(control, created);
    return S_OK;
}

tResult CDXUTDialog::AddMemo(int id, const wchar_t* text, int x, int y, int width, int height, bool isDefault,
                             CDXUTMemo** created)
{
    CDXUTMemo* control = nullptr;
    tResult hr = Create(this, id, control);
    if (Failed(hr))
        return hr;
    Place(control, x, y, width, height, 0, isDefault);
    control->SetText(text);
    Give(control, created);
    return S_OK;
}

tResult CDXUTDialog::AddFrame(int id, int x, int y, int width, int height, int style, CDXUTFrame** created)
{
    CDXUTFrame* control = nullptr;
    tResult hr = Create(this, id, control);
    if (Failed(hr))
        return hr;
    control->m_nStyle = style;
    Place(control, x, y, width, height, 0, false);
    Give(control, created);
    return S_OK;
}

// ---------------------------------------------------------------------------------------
// Layout forms

tResult CDXUTDialog::AddStaticFromLayout(int id, const wchar_t* text)
{
    CDXUTStatic* control = nullptr;
    tResult hr = AddStatic(id, text, 0, 0, 0, 0, false, &control);
    if (Succeeded(hr))
        PlaceFromLayout(control, id);
    return hr;
}

tResult CDXUTDialog::AddButtonFromLayout(int id, const wchar_t* text, const wchar_t* hint, uint32_t hotkey)
{
    CDXUTButton* control = nullptr;
    tResult hr = AddButton(id, text, 0, 0, 0, 0, hotkey, false, &control);
    if (Succeeded(hr)) {
        PlaceFromLayout(control, id);
        control->SetHint(hint);
    }
    return hr;
}

tResult CDXUTDialog::AddImageFromLayout(int id, int textureIndex, int texLeft, int texTop, int texRight, int texBottom,
                                        const wchar_t* hint, tColor color)
{
    CDXUTImage* control = nullptr;
    tResult hr = AddImage(id, textureIndex, texLeft, texTop, texRight, texBottom, 0, 0, 0, 0, 0, false, &control);
    if (Succeeded(hr)) {
        PlaceFromLayout(control, id);
        control->SetHint(hint);
        control->SetModulateColor(color);
        control->SetEnabled(false);
    }
    return hr;
}

tResult CDXUTDialog::AddCheckBoxFromLayout(int id, const wchar_t* text, const wchar_t* hint, bool checked)
{
    CDXUTCheckBox* control = nullptr;
    tResult hr = Create(this, id, control);
    if (Failed(hr))
        return hr;
    control->SetText(text);
    PlaceFromLayout(control, id);
    control->SetHint(hint);
    control->SetCheckedInternal(checked, false, true);
    return S_OK;
}

tResult CDXUTDialog::AddRadioButtonFromLayout(int id, unsigned group, const wchar_t* text, const wchar_t* hint,
                                              bool checked)
{
    CDXUTRadioButton* control = nullptr;
    tResult hr = Create(this, id, control);
    if (Failed(hr))
        return hr;
    control->SetButtonGroup(group);
    control->SetText(text);
    PlaceFromLayout(control, id);
    control->SetHint(hint);
    control->SetCheckedInternal(checked, true, false, true);
    return S_OK;
}

tResult CDXUTDialog::AddComboBoxFromLayout(int id, const wchar_t* hint)
{
    CDXUTComboBox* control = nullptr;
    tResult hr = AddComboBox(id, 0, 0, 0, 0, 0, false, &control);
    if (Succeeded(hr)) {
        PlaceFromLayout(control, id);
        control->SetHint(hint);
    }
    return hr;
}

tResult CDXUTDialog::AddSliderFromLayout(int id, int min, int max, int value)
{
    CDXUTSlider* control = nullptr;
    tResult hr = AddSlider(id, 0, 0, 0, 0, 0, 100, 50, false, &control);
    if (Succeeded(hr)) {
        PlaceFromLayout(control, id);
        control->SetRange(min, max);
        control->SetValue(value);
    }
    return hr;
}

tResult CDXUTDialog::AddEditBoxFromLayout(int id, const wchar_t* text, const wchar_t* hint)
{
    CDXUTEditBox* control = nullptr;
    tResult hr = Create(this, id, control);
    if (Failed(hr))
        return hr;
    PlaceFromLayout(control, id);
    control->SetText(text);
    control->SetHint(hint);
    return S_OK;
}

tResult CDXUTDialog::AddMemoFromLayout(int id, const wchar_t* text)
{
    CDXUTMemo* control = nullptr;
    tResult hr = Create(this, id, control);
    if (Failed(hr))
        return hr;
    PlaceFromLayout(control, id);
    control->SetText(text);
    return S_OK;
}

tResult CDXUTDialog::AddListBoxFromLayout(int id, uint32_t style)
{
    CDXUTListBox* control = nullptr;
    tResult hr = Create(this, id, control);
    if (Failed(hr))
        return hr;
    control->SetStyle(style);
    PlaceFromLayout(control, id);
    return S_OK;
}

tResult CDXUTDialog::AddTabFrame(int id)
{
    CDXUTTabFrame* control = nullptr;
    tResult hr = Create(this, id, control);
    if (Failed(hr))
        return hr;
    PlaceFromLayout(control, id);
    return S_OK;
}

tResult CDXUTDialog::AddProgressBar(int id, int min, int max, int value)
{
    CDXUTProgressBar* control = nullptr;
    tResult hr = Create(this, id, control);
    if (Failed(hr))
        return hr;
    PlaceFromLayout(control, id);
    control->SetRange(min, max);
    control->SetValue(value);
    return S_OK;
}
