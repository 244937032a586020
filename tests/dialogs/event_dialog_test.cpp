// The event window: an option answered by a click, the picture kept inside its folder and
// the play-by-e-mail button that leaves only after a good save.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/stringbase.h"
#include "dialogs/event_dialog.h"
#include "dialogs/message_dialog.h"
#include "dialogs/request_openers.h"
#include "game/game.h"
#include "gui/controls.h"
#include "shell/event_picture.h"
#include "tests/dialogs/dialog_bench.h"
#include "tests/test_support.h"

namespace fs = std::filesystem;

namespace {

class EventDialog : public cDialogTest
{
protected:
    void SetUp() override
    {
        cDialogTest::SetUp();
        LoadTestland(1);
    }
    RequestHandle Ask(sPresentationRequest event)
    {
        RequestHandle request = std::make_shared<cPresentationRequest>(std::move(event), NextRequestSerial());
        EXPECT_TRUE(ServeDialogRequest(request));
        return request;
    }
    static sPresentationRequest Event(int options)
    {
        sPresentationRequest event;
        event.kind = eRequestKind::EventChoice;
        event.title = L"The Corridor";
        event.text = L"Borussia demands the corridor. The cabinet meets tonight.";
        event.countryId = 1;
        event.unitId = 1;
        event.fallbackAnswer = -1;
        for (int k = 1; k <= options; ++k) {
            event.options.push_back(L"Option " + std::to_wstring(k));
            event.optionHints.push_back(L"What option " + std::to_wstring(k) + L" does");
        }
        return event;
    }
};

TEST_F(EventDialog, AnOptionIsAnsweredByAClickAndAnEventWithoutOptionsWaitsForNobody)
{
    RequestHandle request = Ask(Event(2));
    ASSERT_EQ(OpenKinds(), (std::vector<int>{kEventDialogKind}));
    EXPECT_EQ(Top()->GetControl(kEventPictureId), nullptr) << "no picture";
    EXPECT_EQ(Top()->GetControl(kEventFirstOptionId + 2), nullptr) << "no save button outside play-by-e-mail";
    EXPECT_EQ(HintOf(Top()->GetControl(kEventFirstOptionId + 1)), L"What option 2 does");
    Key(VK_ESCAPE);
    EXPECT_FALSE(request->IsComplete()) << "only a button answers";
    Click(kEventFirstOptionId + 1);
    EXPECT_TRUE(request->IsComplete());
    EXPECT_EQ(request->Answer(), 2);
    EXPECT_TRUE(OpenKinds().empty());

    RequestHandle empty = Ask(Event(0));
    EXPECT_TRUE(empty->IsComplete());
    EXPECT_EQ(empty->Answer(), -1);
    EXPECT_TRUE(OpenKinds().empty());
}

TEST_F(EventDialog, TheWindowGrowsWithItsButtonsCentredOnItsRowsMiddle)
{
    const sLayoutRect frame = LayoutRow(kEventDialogKind), title = LayoutRow(781), memo = LayoutRow(783),
                      button = LayoutRow(785);
    const int pitch = LayoutRow(786).height;
    const struct
    {
        int options;
        bool pbem;
    } cases[] = {{1, false}, {3, true}, {6, false}};
    for (const auto& c : cases) {
        g_Gra->m_IsPbem = c.pbem;
        RequestHandle request = Ask(Event(c.options));
        const int buttons = c.options + (c.pbem ? 1 : 0);
        // Without a picture the text takes its column too, and only the height it needs.
        const CDXUTControl* text = Top()->GetControl(783);
        EXPECT_EQ(std::make_pair(text->m_x, text->m_x + text->m_width),
                  std::make_pair(LayoutRow(kEventPictureId).x, memo.x + memo.width));
        EXPECT_LT(text->m_height, memo.height / 2);
        const int top = button.y - memo.height + text->m_height;
        const int height = std::max(buttons * pitch + top, memo.y + text->m_height) + title.y;
        const int d = (frame.y + frame.height) / 2 - height / 2;
        const CDXUTControl* frameControl = Top()->GetControl(kEventDialogKind);
        ASSERT_NE(frameControl, nullptr);
        EXPECT_EQ((std::vector<int>{frameControl->m_x, frameControl->m_y, frameControl->m_width, frameControl->m_height}),
                  (std::vector<int>{frame.x, d, frame.width, height}))
            << c.options << " options";
        EXPECT_EQ(Top()->GetControl(781)->m_y, title.y + d) << "the title moves with it";
        for (int k = 0; k < buttons; ++k) {
            const CDXUTControl* b = Top()->GetControl(kEventFirstOptionId + k);
            EXPECT_EQ((std::vector<int>{b->m_x, b->m_y, b->m_width, b->m_height}),
                      (std::vector<int>{button.x, top + d + k * pitch, button.width, button.height}))
                << "button " << k << " of " << buttons;
        }
        CloseTopDialogs(-1);
    }
    g_Gra->m_IsPbem = false;
}

TEST_F(EventDialog, APictureIsShownOnlyFromInsideThePicturesFolder)
{
    for (const wchar_t* name : {L"corridor.png", L"1939\\corridor.png", L"1939/corridor.png"})
        EXPECT_TRUE(IsSafeEventPictureName(name)) << name;
    for (const wchar_t* name : {L"", L"..", L"../Settings.ini", L"..\\..\\x.png", L"a/../../x.png", L"/etc/passwd",
                                L"\\x.png", L"C:\\x.png", L"c:x.png", L"."})
        EXPECT_FALSE(IsSafeEventPictureName(name)) << name;

    fs::create_directories("data/events");
    fs::copy_file(testing_support::SourceDir() / "data" / "gfx" / "Flags" / "unknown.png", "data/events/corridor.png",
                  fs::copy_options::overwrite_existing);
    fs::copy_file(testing_support::SourceDir() / "data" / "gfx" / "Flags" / "unknown.png", "secret.png",
                  fs::copy_options::overwrite_existing);
    sPresentationRequest outside = Event(1);
    outside.image = LoadEventPicture(L"..\\..\\secret.png");
    EXPECT_EQ(outside.image, nullptr);
    sPresentationRequest missing = Event(1);
    missing.image = LoadEventPicture(L"nowhere.png");
    EXPECT_EQ(missing.image, nullptr);

    sPresentationRequest event = Event(3);
    event.image = LoadEventPicture(L"corridor.png");
    ASSERT_NE(event.image, nullptr);
    Ask(event);
    CDXUTControl* picture = Top()->GetControl(kEventPictureId);
    ASSERT_NE(picture, nullptr);
    // Inside the picture's square, in the picture's own proportions.
    const sLayoutRect area = LayoutRow(kEventPictureId);
    const sRect box = picture->GetBoundingBox();
    EXPECT_LE(box.Width(), std::min(area.width, area.height));
    EXPECT_EQ(box.Width() * event.image->Height() / event.image->Width(), box.Height());
    ASSERT_NO_FATAL_FAILURE(CheckScreen("event_dialog"));
}

TEST_F(EventDialog, ThePlayByEmailButtonQuitsOnlyAfterASaveThatSucceeded)
{
    g_Gra->m_IsPbem = true;
    g_Gra->m_PbemGameName = L"../outside";
    g_PbemQuitAfterEventDialog = false;
    RequestHandle request = Ask(Event(2));
    const int save = kEventFirstOptionId + 2;
    EXPECT_EQ(TextOf(save), LangText("event_save_and_exit"));
    Click(save);
    EXPECT_FALSE(g_PbemQuitAfterEventDialog);
    EXPECT_FALSE(request->IsComplete());
    EXPECT_EQ(OpenKinds(), (std::vector<int>{kEventDialogKind, kMessageDialogKind})) << "the failure is told";
    CloseTopDialogs(1);

    g_Gra->m_PbemGameName = L"corridor";
    Click(save);
    EXPECT_TRUE(fs::is_directory("data/pbem/corridor"));
    EXPECT_TRUE(g_PbemQuitAfterEventDialog);
    EXPECT_TRUE(request->IsComplete());
    EXPECT_EQ(request->Answer(), -1) << "no option is fired";
    g_PbemQuitAfterEventDialog = false;
}

} // namespace
