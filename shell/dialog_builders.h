#pragma once
// Builders that add a labelled control pair to a dialog from the layout table.
class CDXUTDialog;

// A read-only value: a disabled edit box with a thin border and white text, and its
// caption, left-aligned.
void AddReadOnlyEditBox(CDXUTDialog* dialog, int id, const wchar_t* text, const wchar_t* hint, int captionId,
                        const wchar_t* captionText);
// A memo and its caption. The fourth argument is not used.
void AddMemoWithCaption(CDXUTDialog* dialog, int id, const wchar_t* text, const wchar_t* unused, int captionId,
                        const wchar_t* captionText);
// A caption, a slider and its value label, right-aligned.
void AddLabeledSlider(CDXUTDialog* dialog, int id, int min, int max, int value, int captionId,
                      const wchar_t* captionText, int valueId, const wchar_t* valueText);
