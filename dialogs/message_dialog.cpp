#include "dialogs/message_dialog.h"

#include <algorithm>

#include "core/stringbase.h"
#include "gui/controls.h"

namespace {

// Measured in the font the title is drawn in, so that a wide title is never cut.
int TitleWidth(CDXUTDialog& dialog, const std::wstring& title)
{
    cFont* font = dialog.GetFontObject(kTitleFontSlot);
    return font ? font->TextWidth(title) : 0;
}

int WrappedHeight(CDXUTDialog& dialog, const std::wstring& text, int width)
{
    cFont* font = dialog.GetFontObject(1);
    if (!font || text.empty())
        return font ? font->LineHeight() : 0;
    sRect box{0, 0, std::max(width, 1), 0};
    font->DrawText(nullptr, text, -1, &box, DT_CALCRECT | DT_WORDBREAK, 0);
    return box.Height();
}

} // namespace

cDialogTekstowy::cDialogTekstowy(const std::wstring& message, const std::wstring& title, int baseRow)
    : cDialog(kMessageDialogKind, LayoutRow(baseRow)), m_BaseRow(baseRow)
{
    const sLayoutRect box = LayoutRow(baseRow);
    const sLayoutRect titleRow = LayoutRow(baseRow + 1);
    const sLayoutRect textRow = LayoutRow(baseRow + 3);
    const sLayoutRect buttonRow = LayoutRow(baseRow + 4);
    // In the title and text rows, width and height are the right and bottom margins.
    int x = box.x, y = box.y, width = box.width;
    const int titleWidth = TitleWidth(*this, title);
    if (titleWidth + titleRow.width + titleRow.x > width) {
        const int grow = (titleWidth - width + titleRow.width + titleRow.x) / 2;
        x -= grow;
        width += 2 * grow;
    }
    const int textWidth = width - textRow.width - textRow.x;
    const int textHeight = WrappedHeight(*this, message, textWidth);
    const int height = titleRow.y + titleRow.height + textRow.y + textHeight + textRow.height + buttonRow.y +
                       buttonRow.height;
    // A long text grows the box downward; it moves up rather than leave the screen, where
    // its OK button could not be clicked.
    const sLayoutRect screen = LayoutRow(1);
    if (screen.height > 0 && y + height > screen.height)
        y = std::max(0, screen.height - height);

    const sRect titleRect{x + titleRow.x, y + titleRow.y, x + width - titleRow.width, y + titleRow.y + titleRow.height};
    const int textTop = titleRect.bottom + textRow.y;
    const sRect textRect{x + textRow.x, textTop, x + textRow.x + textWidth, textTop + textHeight};

    RemoveControl(kMessageDialogKind);
    AddFrame(kMessageDialogKind, x, y, width, height, 0);

    CDXUTStatic* titleStatic = nullptr;
    AddStatic(baseRow + 1, title.c_str(), titleRect.left, titleRect.top, titleRect.Width(), titleRect.Height(), false,
              &titleStatic);
    if (titleStatic) {
        MakeTitle(*titleStatic);
        titleStatic->m_dwTextFormat |= DT_SINGLELINE;
    }
    CDXUTStatic* textStatic = nullptr;
    AddStatic(baseRow + 3, message.c_str(), textRect.left, textRect.top, textRect.Width(), textRect.Height(), false,
              &textStatic);
    if (textStatic)
        textStatic->m_dwTextFormat = DT_WORDBREAK;
    CDXUTButton* ok = nullptr;
    AddButton(OkButtonId(), LangText("info_dialog_ok").c_str(), buttonRow.x, textRect.bottom + textRow.height,
              buttonRow.width, buttonRow.height, 0, false, &ok);
    if (ok)
        ok->SetHint(LangText("info_dialog_ok_hint"));
}

void cDialogTekstowy::OnGUIEvent(unsigned, int controlId, CDXUTControl*)
{
    if (controlId == OkButtonId())
        OnOkPressed();
}

void cDialogTekstowy::OnKeyboard(unsigned key, bool keyDown, bool)
{
    ClickOnEnterOrEscape(key, keyDown, OkButtonId(), OkButtonId());
}

void cDialogTekstowy::OnOkPressed() { CloseTopDialogs(1); }
