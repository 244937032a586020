#include "dialogs/event_dialog.h"

#include <algorithm>

#include "core/log.h"
#include "core/stringbase.h"
#include "dialogs/country_flag.h"
#include "dialogs/info_panel.h"
#include "dialogs/message_dialog.h"
#include "game/game.h"
#include "game/save_game.h"
#include "gui/controls.h"
#include "platform/texture.h"
#include "shell/draw_helpers.h"
#include "shell/textures.h"

namespace {

constexpr int kTitleId = 781;
constexpr int kFlagId = 782;
constexpr int kDescriptionId = 783;
constexpr int kFirstButtonRow = 785;
constexpr int kButtonPitchRow = 786;
constexpr unsigned kFlagSlot = 3;
constexpr int kColumnGap = 8;

// The picture keeps its proportions inside the square it is given: one of another size than
// 512 x 512 would otherwise be cut or stretched.
sLayoutRect FitPicture(sLayoutRect square, const cTexture& picture)
{
    const int w = std::max(1, picture.Width()), h = std::max(1, picture.Height());
    if (w > h) {
        const int height = square.height * h / w;
        square.y += (square.height - height) / 2;
        square.height = std::max(1, height);
    } else if (h > w) {
        const int width = square.width * w / h;
        square.x += (square.width - width) / 2;
        square.width = std::max(1, width);
    }
    return square;
}

} // namespace

cDialogEventu::cDialogEventu(const sPresentationRequest& event)
    : cDialog(kEventDialogKind, LayoutRow(kEventDialogKind)),
      m_OptionCount(int(event.options.size())),
      m_SaveButton(g_Gra && g_Gra->m_IsPbem),
      m_Texts(event.options),
      m_Hints(event.optionHints),
      m_Picture(event.image)
{
    const sLayoutRect frame = LayoutRow(kEventDialogKind);
    const sLayoutRect title = LayoutRow(kTitleId);
    const sLayoutRect button = LayoutRow(kFirstButtonRow);
    const int pitch = std::max(1, LayoutRow(kButtonPitchRow).height);
    sLayoutRect picture = LayoutRow(kEventPictureId);
    FitSquareInRect(picture, 1, 1);
    sLayoutRect description = LayoutRow(kDescriptionId);
    sLayoutRect flag = LayoutRow(kFlagId);
    AddMemoFromLayout(kDescriptionId, event.text.c_str());
    auto* memo = static_cast<CDXUTMemo*>(GetControl(kDescriptionId, DXUT_CONTROL_MEMO));
    if (!m_Picture && memo) {
        // Without a picture its column would stand empty: the text takes the whole width under
        // the flag, and no more height than it needs.
        const sLayoutRect column = LayoutRow(kEventPictureId);
        description.width += description.x - column.x;
        description.x = column.x;
        flag.x = frame.x + (frame.width - flag.width) / 2;
        memo->SetSize(description.width, description.height);
        description.height = std::min(description.height, std::max(memo->HeightForWholeText(), memo->GetLineHeight()));
    }

    // The window grows with its buttons but never over the status line, which tells what waits
    // for the answer: options that do not fit under each other stand in columns.
    const int screenHeight = LayoutRow(1).height;
    const int statusTop = LayoutRow(kInfoStatusId).y;
    const int bottomLimit = statusTop > 0 && statusTop < screenHeight ? statusTop : screenHeight;
    const int contentBottom = std::max(m_Picture ? picture.y + picture.height : 0, description.y + description.height);
    // The buttons follow the content they answer, at the gap the layout leaves under it.
    const sLayoutRect memoRow = LayoutRow(kDescriptionId);
    const int buttonTop = std::min(button.y, contentBottom + button.y - (memoRow.y + memoRow.height));
    const int buttons = m_OptionCount + (m_SaveButton ? 1 : 0);
    const int rowsThatFit = std::max(1, (bottomLimit - title.y - buttonTop) / pitch);
    const int columns = std::max(1, (buttons + rowsThatFit - 1) / rowsThatFit);
    const int rows = (buttons + columns - 1) / columns;
    const int height = std::max(rows * pitch + buttonTop, contentBottom) + title.y;
    const int d = std::clamp((frame.y + frame.height) / 2 - height / 2, 0, std::max(0, bottomLimit - height));

    auto moveDown = [this, d](int id) {
        const sLayoutRect row = LayoutRow(id);
        if (CDXUTControl* control = GetControl(id))
            control->SetLocation(row.x, row.y + d);
    };
    AddText(kTitleId, event.title, true);
    moveDown(kTitleId);
    if (memo) {
        memo->SetLocation(description.x, description.y + d);
        memo->SetSize(description.width, description.height);
    }
    if (m_Picture) {
        const sLayoutRect at = FitPicture(picture, *m_Picture);
        CDXUTImage* image = nullptr;
        AddImage(kEventPictureId, TEX_EVENT_PICTURE, 0, 0, m_Picture->Width(), m_Picture->Height(), at.x, at.y + d, at.width,
                 at.height, 0, false, &image);
        if (image) {
            std::shared_ptr<cTexture> held = m_Picture;
            image->SetTextureSource([held] { return held.get(); });
        }
    }
    AddImageFromLayout(kFlagId, 0, 0, 0, kFlagPictureWidth, kFlagPictureHeight, nullptr);
    ShowCountryFlag(*this, kFlagId, event.countryId, kFlagSlot);
    if (CDXUTControl* control = GetControl(kFlagId))
        control->SetLocation(flag.x, flag.y + d);

    const int width = (button.width - (columns - 1) * kColumnGap) / columns;
    for (int k = 0; k < buttons; ++k) {
        const int x = button.x + (k / rows) * (width + kColumnGap);
        const int y = buttonTop + d + (k % rows) * pitch;
        const bool save = k == m_OptionCount;
        CDXUTButton* created = nullptr;
        AddButton(kEventFirstOptionId + k, save ? LangText("event_save_and_exit").c_str() : m_Texts[size_t(k)].c_str(),
                  x, y, width, button.height, 0, false, &created);
        if (created)
            created->SetHint(save ? LangText("event_save_and_exit_hint")
                                  : (size_t(k) < m_Hints.size() ? m_Hints[size_t(k)] : std::wstring()));
    }

    if (auto* frameControl = static_cast<CDXUTFrame*>(GetControl(kEventDialogKind, DXUT_CONTROL_FRAME))) {
        frameControl->SetLocation(frame.x, d);
        frameControl->SetSize(frame.width, height);
        frameControl->m_bDraggable = false;
    }
}

void cDialogEventu::OnGUIEvent(unsigned, int controlId, CDXUTControl*)
{
    const int position = controlId - (kEventFirstOptionId - 1);
    if (position >= 1 && position <= m_OptionCount)
        OnOptionPressed(position);
    else if (position == m_OptionCount + 1 && m_SaveButton)
        OnSaveAndExitPressed();
}

void cDialogEventu::OnOptionPressed(int position)
{
    SetAnswer(position);
    CloseTopDialogs(1);
}

void cDialogEventu::OnSaveAndExitPressed()
{
    bool saved = false;
    std::wstring name, why = LangText("save_failed_no_game");
    {
        cWindowLock lock;
        if (g_Gra) {
            name = g_Gra->m_PbemGameName;
            saved = SavePbemGame(name, &why);
        }
    }
    // A failed save keeps the player in the game, with the event still to answer.
    if (!saved) {
        PushDialog(new cDialogTekstowy(SaveFailedText(name, why), LangText("event_save_and_exit")));
        return;
    }
    g_PbemQuitAfterEventDialog = true;
    // No option is fired: the turn was saved with the event still to come.
    SetAnswer(-1);
    CloseTopDialogs(1);
}
