// Adding controls to a dialog, by coordinates or by their row of the layout table.
#include "gui/controls.h"
#include "gui/layout.h"

namespace {

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
    // An id past the table reads no row beyond its end.
    if (id >= 0 && id < kGuiLayoutRows)
        row = g_GuiLayout[size_t(id)];
    control->SetLocation(row.x, row.y);
    control->SetSize(row.width, row.height);
    control->m_bIsDefault = false;
}

// Creates the control, gives it its default elements, appends it, lets `setup` fill it in
// and hands it to `created` (which may be null).
template <class T, class Setup>
tResult Add(CDXUTDialog* dialog, int id, T** created, Setup&& setup)
{
    auto owned = std::make_unique<T>(dialog);
    T* control = owned.get();
    tResult hr = dialog->InitControl(control);
    if (Failed(hr))
        return hr;
    hr = dialog->AddControl(std::move(owned));
    if (Failed(hr))
        return hr;
    control->SetID(id);
    setup(control);
    if (created)
        *created = control;
    return S_OK;
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
    return Add(this, id, created, [&](CDXUTStatic* control) {
        control->SetText(text);
        Place(control, x, y, width, height, 0, isDefault);
        control->SetEnabled(false);
    });
}

tResult CDXUTDialog::AddButton(int id, const wchar_t* text, int x, int y, int width, int height, uint32_t hotkey,
                               bool isDefault, CDXUTButton** created)
{
    return Add(this, id, created, [&](CDXUTButton* control) {
        control->SetText(text);
        Place(control, x, y, width, height, hotkey, isDefault);
    });
}

tResult CDXUTDialog::AddIcon(int id, int texLeft, int texTop, int texRight, int texBottom, int x, int y, int width,
                             int height, uint32_t hotkey, bool isDefault, CDXUTIcon** created)
{
    return Add(this, id, created, [&](CDXUTIcon* control) {
        control->SetTextureRect(sRect{texLeft, texTop, texRight, texBottom});
        Place(control, x, y, width, height, hotkey, isDefault);
    });
}

tResult CDXUTDialog::AddImage(int id, int textureIndex, int texLeft, int texTop, int texRight, int texBottom, int x,
                              int y, int width, int height, uint32_t hotkey, bool isDefault, CDXUTImage** created)
{
    return Add(this, id, created, [&](CDXUTImage* control) {
        control->SetTextureIndex(textureIndex);
        control->SetTextureRect(sRect{texLeft, texTop, texRight, texBottom});
        Place(control, x, y, width, height, hotkey, isDefault);
        control->SetEnabled(false);
    });
}

tResult CDXUTDialog::AddCheckBox(int id, const wchar_t* text, int x, int y, int width, int height, bool checked,
                                 uint32_t hotkey, bool isDefault, CDXUTCheckBox** created)
{
    return Add(this, id, created, [&](CDXUTCheckBox* control) {
        control->SetText(text);
        Place(control, x, y, width, height, hotkey, isDefault);
        control->SetCheckedInternal(checked, false, true);
    });
}

tResult CDXUTDialog::AddRadioButton(int id, unsigned group, const wchar_t* text, int x, int y, int width, int height,
                                    bool checked, uint32_t hotkey, bool isDefault, CDXUTRadioButton** created)
{
    return Add(this, id, created, [&](CDXUTRadioButton* control) {
        control->SetButtonGroup(group);
        control->SetText(text);
        Place(control, x, y, width, height, hotkey, isDefault);
        control->SetCheckedInternal(checked, true, false, true);
    });
}

tResult CDXUTDialog::AddComboBox(int id, int x, int y, int width, int height, uint32_t hotkey, bool isDefault,
                                 CDXUTComboBox** created)
{
    return Add(this, id, created, [&](CDXUTComboBox* control) {
        Place(control, x, y, width, height, hotkey, isDefault);
    });
}

tResult CDXUTDialog::AddSlider(int id, int x, int y, int width, int height, int min, int max, int value,
                               bool isDefault, CDXUTSlider** created)
{
    return Add(this, id, created, [&](CDXUTSlider* control) {
        Place(control, x, y, width, height, 0, isDefault);
        control->SetRange(min, max);
        control->SetValue(value);
        control->UpdateRects();
    });
}

tResult CDXUTDialog::AddEditBox(int id, const wchar_t* text, int x, int y, int width, int height, bool isDefault,
                                CDXUTEditBox** created)
{
    return Add(this, id, created, [&](CDXUTEditBox* control) {
        // Placed before its text: set into a box of no width, the text would scroll the caret
        // into view and leave the start out of sight.
        Place(control, x, y, width, height, 0, isDefault);
        control->SetText(text);
    });
}

tResult CDXUTDialog::AddMemo(int id, const wchar_t* text, int x, int y, int width, int height, bool isDefault,
                             CDXUTMemo** created)
{
    return Add(this, id, created, [&](CDXUTMemo* control) {
        // Placed before its text, which is measured in the memo's width.
        Place(control, x, y, width, height, 0, isDefault);
        control->SetText(text);
    });
}

tResult CDXUTDialog::AddFrame(int id, int x, int y, int width, int height, int style, CDXUTFrame** created)
{
    return Add(this, id, created, [&](CDXUTFrame* control) {
        control->m_nStyle = style;
        Place(control, x, y, width, height, 0, false);
    });
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
    return Add<CDXUTCheckBox>(this, id, nullptr, [&](CDXUTCheckBox* control) {
        control->SetText(text);
        PlaceFromLayout(control, id);
        control->SetHint(hint);
        control->SetCheckedInternal(checked, false, true);
    });
}

tResult CDXUTDialog::AddRadioButtonFromLayout(int id, unsigned group, const wchar_t* text, const wchar_t* hint,
                                              bool checked)
{
    return Add<CDXUTRadioButton>(this, id, nullptr, [&](CDXUTRadioButton* control) {
        control->SetButtonGroup(group);
        control->SetText(text);
        PlaceFromLayout(control, id);
        control->SetHint(hint);
        control->SetCheckedInternal(checked, true, false, true);
    });
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
    return Add<CDXUTEditBox>(this, id, nullptr, [&](CDXUTEditBox* control) {
        PlaceFromLayout(control, id);
        control->SetText(text);
        control->SetHint(hint);
    });
}

tResult CDXUTDialog::AddMemoFromLayout(int id, const wchar_t* text)
{
    return Add<CDXUTMemo>(this, id, nullptr, [&](CDXUTMemo* control) {
        PlaceFromLayout(control, id);
        control->SetText(text);
    });
}

tResult CDXUTDialog::AddListBoxFromLayout(int id, uint32_t style)
{
    return Add<CDXUTListBox>(this, id, nullptr, [&](CDXUTListBox* control) {
        control->SetStyle(style);
        PlaceFromLayout(control, id);
    });
}

tResult CDXUTDialog::AddTabFrame(int id)
{
    return Add<CDXUTTabFrame>(this, id, nullptr, [&](CDXUTTabFrame* control) {
        PlaceFromLayout(control, id);
    });
}

tResult CDXUTDialog::AddProgressBar(int id, int min, int max, int value)
{
    return Add<CDXUTProgressBar>(this, id, nullptr, [&](CDXUTProgressBar* control) {
        PlaceFromLayout(control, id);
        control->SetRange(min, max);
        control->SetValue(value);
    });
}
