// The message box, the yes/no question, text and list input, the end-turn question and the
// new-turn announcement, driven by clicks and keys; and the requests they answer.
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "core/settings.h"
#include "core/stringbase.h"
#include "dialogs/end_turn_dialog.h"
#include "dialogs/list_choice_dialog.h"
#include "dialogs/message_dialog.h"
#include "dialogs/new_turn_dialog.h"
#include "dialogs/request_openers.h"
#include "dialogs/text_input_dialog.h"
#include "gui/controls.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "shell/dxut.h"
#include "tests/dialogs/dialog_bench.h"
#include "world/country.h"

namespace {

// An owner that records the buttons it hears of, and whether the question was still open.
class cOwner : public cDialog
{
public:
    cOwner() : cDialog(50, sLayoutRect{10, 10, 100, 100}) { SetVisible(false); }
    void OnGUIEvent(unsigned, int id, CDXUTControl*) override
    {
        heard.push_back(id);
        heardWhileOnTop.push_back(CurrentDialog() != this);
    }
    std::vector<int> heard;
    std::vector<bool> heardWhileOnTop;
};

using GenericDialogs = cDialogTest;

sLayoutRect FrameOf(CDXUTDialog& dialog, int id)
{
    const sRect box = dialog.GetControl(id)->GetBoundingBox();
    return {box.left, box.top, box.Width(), box.Height()};
}

TEST_F(GenericDialogs, MessageBoxWidensEvenlyForALongTitleAndGrowsOnlyDownForALongText)
{
    auto* plain = new cDialogTekstowy(L"Short.", L"Note");
    PushDialog(plain);
    const sLayoutRect row = LayoutRow(kMessageDialogRow), titleRow = LayoutRow(kMessageDialogRow + 1),
                      textRow = LayoutRow(kMessageDialogRow + 3), buttonRow = LayoutRow(kMessageDialogRow + 4);
    const sLayoutRect small = FrameOf(*plain, kMessageDialogKind);
    EXPECT_EQ(small.x, row.x);
    EXPECT_EQ(small.width, row.width);
    // The rows' widths and heights are margins: one line of text between the title and OK.
    EXPECT_EQ(small.height, titleRow.y + titleRow.height + textRow.y + plain->GetFontObject(1)->LineHeight() +
                                textRow.height + buttonRow.y + buttonRow.height);
    ASSERT_NO_FATAL_FAILURE(CheckScreen("message_dialog"));
    Key(VK_RETURN);
    EXPECT_TRUE(OpenKinds().empty());

    const std::wstring title(60, L'W');
    std::wstring text;
    for (int k = 0; k < 40; ++k)
        text += L"The front holds along the river. ";
    auto* big = new cDialogTekstowy(text, title);
    PushDialog(big);
    const sLayoutRect large = FrameOf(*big, kMessageDialogKind);
    const int titleWidth = big->GetFontObject(kTitleFontSlot)->TextWidth(title);
    EXPECT_EQ(large.width, row.width + 2 * ((titleWidth - row.width + titleRow.width + titleRow.x) / 2));
    EXPECT_EQ(large.x + large.width / 2, row.x + row.width / 2);
    EXPECT_GT(large.height, small.height);
    EXPECT_LE(large.y + large.height, 768);
    Click(big->OkButtonId());
    EXPECT_TRUE(OpenKinds().empty());
}

TEST_F(GenericDialogs, QuestionTellsItsOwnerWhileStillOnTopAndLeavesTheAnswer)
{
    auto* owner = new cOwner;
    PushDialog(owner);
    auto* question = new cDialogPotwierdzenia(L"Declare war", L"Attack the neighbour?", L"Yes", L"", L"No", L"");
    question->SetOwner(owner);
    PushDialog(question);
    ASSERT_NO_FATAL_FAILURE(CheckScreen("confirm_dialog"));
    Click(kConfirmYesId);
    EXPECT_TRUE(g_ConfirmAnswer);
    EXPECT_EQ(owner->heard, (std::vector<int>{kConfirmYesId}));
    EXPECT_EQ(owner->heardWhileOnTop, (std::vector<bool>{true}));
    EXPECT_EQ(OpenKinds(), (std::vector<int>{50}));

    PushDialog(new cDialogPotwierdzenia(L"Peace", L"Sign?", L"Yes", L"", L"No", L""));
    Key(VK_ESCAPE);
    EXPECT_FALSE(g_ConfirmAnswer);
    EXPECT_EQ(OpenKinds(), (std::vector<int>{50}));
}

TEST_F(GenericDialogs, TextInputRefusesWithWhyANameItCannotKeepAndCancelKeepsTheInitialText)
{
    PushDialog(new cDialogPobraniaTekstu(L"Rename", L"New name of the unit:", L"7th Army"));
    ASSERT_NO_FATAL_FAILURE(CheckScreen("text_input_dialog"));
    Type(L"x");
    Key(VK_ESCAPE);
    EXPECT_EQ(g_TextInputResult, L"7th Army");

    // A prompt naming a long name stays in the window; the hint shows it whole.
    const std::wstring prompt = L"New name for " + std::wstring(99, L'W') + L":";
    PushDialog(new cDialogPobraniaTekstu(L"Rename", prompt, L""));
    DrawScreen();
    EXPECT_EQ(HintOf(Top()->GetControl(697)), prompt);
    // Over the limit, with a separator of the lists' cells, or blanks alone: nothing is cut or
    // dropped, the name is refused with why, and the window stays with what was typed.
    for (const auto& [typed, why] :
         {std::pair{std::wstring(150, L'a'), LangFormat("rename_name_too_long_%i_%i", 99, 150)},
          {std::wstring(L"Evil;fleet|x"), LangFormat("rename_name_invalid_%s", L"Evil;fleet|x")},
          {std::wstring(L"  "), LangText("rename_name_blank")}}) {
        ControlOf<CDXUTEditBox>(*Top(), kTextInputEditId, DXUT_CONTROL_EDITBOX)->SetText(L"");
        Type(typed);
        Click(kTextInputOkId);
        EXPECT_EQ(TextOf(kMessageDialogRow + 3), why);
        Key(VK_RETURN);
        ASSERT_EQ(OpenKinds(), std::vector<int>{kTextInputDialogKind});
    }
    EXPECT_EQ(g_TextInputResult, L"") << "the name stays";
}

TEST_F(GenericDialogs, ListChoiceAnswersByOkOrCancelAloneWithTheChosenRowsId)
{
    g_ListDialogResult = {42};
    auto* owner = new cOwner;
    PushDialog(owner);
    auto* list = new cDialogPobraniaListy(L"Transport", L"Choose the fleet to board:");
    EXPECT_EQ(g_ListDialogResult, (std::vector<intptr_t>{42})) << "OK and Cancel answer, opening does not";
    list->SetOwner(owner);
    list->AddRow(L"Home Fleet", 7);
    // An id beyond 32 bits comes back whole.
    list->AddRow(L"Channel Fleet", intptr_t(0x123456789));
    PushDialog(list);
    ASSERT_NO_FATAL_FAILURE(CheckScreen("list_choice_dialog"));
    Click(kListChoiceOkId);
    EXPECT_TRUE(g_ListDialogResult.empty());
    EXPECT_EQ(owner->heard, (std::vector<int>{kListChoiceOkId}));

    list = new cDialogPobraniaListy(L"Transport", L"Choose:");
    list->AddRow(L"Home Fleet", 7);
    list->AddRow(L"Channel Fleet", intptr_t(0x123456789));
    PushDialog(list);
    ControlOf<CDXUTListBox>(*list, kListChoiceListId, DXUT_CONTROL_LISTBOX)->SelectItem(1);
    Key(VK_RETURN);
    EXPECT_EQ(g_ListDialogResult, (std::vector<intptr_t>{intptr_t(0x123456789)}));
}

TEST_F(GenericDialogs, EndTurnWithDontAskTickedStoresTheSettingAndEndsTheTurn)
{
    int turnsEnded = 0;
    g_ShellLinks.endTurnFromMainThread = [&] { ++turnsEnded; };
    PushDialog(new cDialogPotwKoncaTury);
    Click(kEndTurnDontAskId);
    ASSERT_NO_FATAL_FAILURE(CheckScreen("end_turn_dialog"));
    Click(kConfirmNoId);
    EXPECT_EQ(turnsEnded, 0);
    EXPECT_FALSE(g_UserSettings.skipEndTurnConfirmation);

    PushDialog(new cDialogPotwKoncaTury);
    Click(kEndTurnDontAskId);
    g_MapZoom = 0.5f; // zoomed out since the start
    Click(kConfirmYesId);
    EXPECT_EQ(turnsEnded, 1);
    EXPECT_TRUE(g_UserSettings.skipEndTurnConfirmation);
    EXPECT_TRUE(OpenKinds().empty());
    cIniFile saved;
    ASSERT_TRUE(saved.Load("Settings.ini"));
    EXPECT_EQ(saved.Find("InterfaceSettings/ConfirmEndTurn"), std::wstring(L"false"));
    EXPECT_EQ(saved.GetInt("MapDisplay/Zoom", 0), 50) << "the zoom the map is shown at";
    std::filesystem::create_symlink("/dev/full", "Settings.ini." + std::to_string(getpid()) + ".tmp");
    PushDialog(new cDialogPotwKoncaTury);
    Click(kEndTurnDontAskId);
    Click(kConfirmYesId);
    EXPECT_EQ(OpenKinds(), (std::vector<int>{kConfirmDialogKind, kMessageDialogKind})) << "told where it was ticked";
    EXPECT_EQ(TextOf(kMessageDialogRow + 1), LangText("end_turn_title"));
    EXPECT_EQ(turnsEnded, 1) << "before the other side's windows come";
    Click(kMessageDialogRow + 4);
    EXPECT_EQ(turnsEnded, 2);
    EXPECT_TRUE(OpenKinds().empty());
}

TEST_F(GenericDialogs, NewTurnNamesTheCountryAndClosesOnAClickEnterOrEscape)
{
    LoadTestland(1);
    PushDialog(new cDialogNowejTury(1));
    EXPECT_NE(TextOf(733).find(GetCountry(1)->Name), std::wstring::npos);
    // One person: the status line, in view, says how to go on.
    EXPECT_EQ(Top()->GetControl(734), nullptr);
    ASSERT_NO_FATAL_FAILURE(CheckScreen("new_turn_dialog"));
    ClickAt(5, 5);
    EXPECT_TRUE(OpenKinds().empty());
    // Two at the screen: the cover hides the status line, and the window says it instead.
    GetCountry(2)->HumanControlled = true;
    PushDialog(new cDialogNowejTury(1));
    EXPECT_EQ(TextOf(734), LangText("statusbar_hint_new_turn"));
    // Its frame pulled away: the box keeps its text on it.
    const sRect box = Top()->ToScreenRect(Top()->GetControl(kNewTurnDialogKind)->GetBoundingBox());
    DXUTStaticWndProc(WM_MOUSEMOVE, 0, MakeLParam(box.left + 30, box.top + 2));
    DXUTStaticWndProc(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(box.left + 30, box.top + 2));
    DXUTStaticWndProc(WM_MOUSEMOVE, MK_LBUTTON, MakeLParam(box.left - 100, box.top - 100));
    const sRect moved = Top()->GetControl(kNewTurnDialogKind)->GetBoundingBox();
    const sRect text = Top()->GetControl(734)->GetBoundingBox();
    EXPECT_TRUE(moved.Contains(text.left, text.top) && moved.Contains(text.right - 1, text.bottom - 1));
    DXUTStaticWndProc(WM_LBUTTONUP, 0, MakeLParam(box.left - 100, box.top - 100));
    EXPECT_TRUE(OpenKinds().empty());
    GetCountry(2)->HumanControlled = false;
    for (uint32_t key : {VK_RETURN, VK_ESCAPE}) {
        PushDialog(new cDialogNowejTury(1));
        Key(key);
        EXPECT_TRUE(OpenKinds().empty());
    }
}

TEST_F(GenericDialogs, RequestsCompleteWithTheAnswerThePersonGives)
{
    sPresentationRequest question;
    question.kind = eRequestKind::Question;
    question.title = L"Armistice";
    question.text = L"Accept the terms?";
    auto asked = std::make_shared<cPresentationRequest>(question, 1);
    ASSERT_TRUE(ServeDialogRequest(asked));
    EXPECT_FALSE(asked->IsComplete());
    EXPECT_TRUE(IsAnswerAwaited());
    Click(kConfirmYesId);
    EXPECT_TRUE(asked->IsComplete());
    EXPECT_EQ(asked->Answer(), 1);

    sPresentationRequest message;
    message.kind = eRequestKind::Message;
    message.text = L"Paris has fallen.";
    auto told = std::make_shared<cPresentationRequest>(message, 2);
    ASSERT_TRUE(ServeDialogRequest(told));
    Key(VK_ESCAPE);
    EXPECT_TRUE(told->IsComplete());

    sPresentationRequest move;
    move.kind = eRequestKind::AnimateMove;
    EXPECT_FALSE(ServeDialogRequest(std::make_shared<cPresentationRequest>(move, 3)));
}

} // namespace
