// The hint display and its mouse state, and the layout hook for dragged controls.
#include <gtest/gtest.h>

#include <memory>

#include "core/settings.h"
#include "gui/control.h"
#include "gui/layout.h"
#include "platform/clock.h"
#include "platform/font.h"
#include "platform/recording_renderer.h"
#include "platform/sprite.h"
#include "shell/frame_callbacks.h"
#include "shell/hint_display.h"
#include "shell/layout_hook.h"
#include "shell/links.h"
#include "shell/textures.h"
#include "tests/gui/gui_fixture.h"
#include "world/hoverable.h"

namespace {

class HintDisplay : public ::testing::Test
{
protected:
    HintDisplay()
    {
        ResetSettingsToDefaults();
        g_HintDisplay = cHintDisplay{};
        g_Sprite = std::make_unique<cSprite>(&device);
        g_GuiFonts[0].font = cFont::Create(&device, L"Arial", 16, 400);
        g_Textures[TEX_GUI].CreateEmpty(16, 16);
    }
    ~HintDisplay() override
    {
        g_GuiFonts[0].font.reset();
        g_Sprite.reset();
        g_Textures[TEX_GUI].Release();
    }

    // Whether a frame draws anything.
    bool DrawsInAFrame()
    {
        device.ClearCalls();
        g_HintDisplay.Render();
        return !device.Quads().empty();
    }

    cRecordingRenderer device;
};

TEST_F(HintDisplay, TheBoxFlipsToTheLeftAndAboveThePointerAtTheScreensEdges)
{
    g_HintDisplay.SetText(L"Armia Poznan: five divisions and a cavalry brigade");
    const int w = g_HintDisplay.HintWidth(), h = g_HintDisplay.HintHeight();
    ASSERT_GT(w, 10);
    float x = 0, y = 0;
    g_HintDisplay.UpdateMouse(false, false, 500, 300);
    g_HintDisplay.BoxPosition(x, y);
    EXPECT_EQ(x, 520.0f);
    EXPECT_EQ(y, 320.0f);
    g_HintDisplay.UpdateMouse(false, false, 1010, 760);
    g_HintDisplay.BoxPosition(x, y);
    EXPECT_EQ(x, float(1010 - w));
    EXPECT_EQ(y, float(760 - h));
    // A box that ends on the screen's last pixel still fits: it stays right of and below the pointer.
    g_HintDisplay.UpdateMouse(false, false, 1024 - 20 - w, 768 - 20 - h);
    g_HintDisplay.BoxPosition(x, y);
    EXPECT_EQ(x, float(1024 - w));
    EXPECT_EQ(y, float(768 - h));
    // Long texts wrap rather than run off the screen.
    EXPECT_LE(w, 200 + 10);
}

// A hint that draws itself, as a sea zone's does.
class cZoneHint : public cHoverable
{
public:
    void GetHintSize(int& width, int& height) const override
    {
        width = 300;
        height = 120;
    }
};

TEST_F(HintDisplay, EveryHintStandsWhollyOnTheScreen)
{
    int screenW = g_UserSettings.resolutionX, screenH = g_UserSettings.resolutionY;
    auto inside = [&](int w, int h) {
        float x = 0, y = 0;
        g_HintDisplay.BoxPosition(x, y);
        return x >= 0.0f && y >= 0.0f && x + float(w) <= float(screenW) && y + float(h) <= float(screenH);
    };
    // A zone's hint near the right edge, after the pointer came to the map from a panel's
    // control with a hint of its own.
    cZoneHint zone;
    g_HintDisplay.UpdateMouse(false, false, screenW - 40, 300);
    g_HintDisplay.SetHoverable(&zone);
    g_HintDisplay.SetText(L"Zoom in");
    g_HintDisplay.SetControl(nullptr, true);
    EXPECT_EQ(g_HintDisplay.Hoverable(), &zone);
    EXPECT_TRUE(inside(300, 120));
    g_HintDisplay.SetText(L"Zoom out");
    g_HintDisplay.SetText(nullptr);
    EXPECT_TRUE(inside(300, 120));
    // No room on either side of the pointer on a small screen: the box stands at its edge.
    g_UserSettings.resolutionX = screenW = 400;
    g_UserSettings.resolutionY = screenH = 200;
    g_HintDisplay.UpdateMouse(false, false, 200, 100);
    EXPECT_TRUE(inside(300, 120));
    ResetSettingsToDefaults();
}

// The e-mail field's hint stood over the Save player button under it.
TEST_F(HintDisplay, AControlsHintGivesWayToTypingAndToAClickUntilThePointerLeavesIt)
{
    g_HintDisplay.delayMs = 0;
    CDXUTControl field;
    field.SetHint(L"Where the turns are sent to this player");
    for (bool click : {false, true}) {
        g_HintDisplay.SetControl(nullptr, false);
        g_HintDisplay.SetControl(&field, false);
        EXPECT_TRUE(DrawsInAFrame());
        click ? g_HintDisplay.UpdateMouse(true, false, 701, 380) : g_HintDisplay.GiveWayToTyping();
        EXPECT_FALSE(DrawsInAFrame());
    }
}

TEST_F(HintDisplay, ADelayOfNothingShowsTheHintAtOnceAndAnEmptyTextClearsIt)
{
    g_HintDisplay.delayMs = 0;
    g_HintDisplay.SetText(L"Strategic movement points");
    EXPECT_TRUE(DrawsInAFrame());
    g_HintDisplay.SetText(L"");
    EXPECT_FALSE(g_HintDisplay.HasHint());
    EXPECT_FALSE(DrawsInAFrame());
    g_HintDisplay.delayMs = 60000;
    g_HintDisplay.SetText(L"Production points");
    EXPECT_FALSE(DrawsInAFrame());
    g_HintDisplay.SetText(nullptr);
    EXPECT_FALSE(g_HintDisplay.HasHint());
}

TEST_F(HintDisplay, ATextHintStandsInANinePartFrameCutFromTheGuiPicture)
{
    g_HintDisplay.delayMs = 0;
    g_HintDisplay.SetText(L"Zoom in");
    g_HintDisplay.UpdateMouse(false, false, 100, 100);
    const float x = 120, y = 120, w = float(g_HintDisplay.HintWidth()), h = float(g_HintDisplay.HintHeight());
    device.ClearCalls();
    g_HintDisplay.Render();
    std::vector<sQuad> frame;
    for (const sQuad& quad : device.Quads())
        if (quad.texture == g_Textures[TEX_GUI].Get())
            frame.push_back(quad);
    // Top, bottom, left and right edges, the centre, then the four corners.
    const struct
    {
        float cellX, cellY, x, y, right, bottom;
    } cells[] = {
        {200, 1895, x + 10, y, x + w - 10, y + 10},          {200, 1915, x + 10, y + h - 10, x + w - 10, y + h},
        {190, 1905, x, y + 10, x + 10, y + h - 10},          {210, 1905, x + w - 10, y + 10, x + w, y + h - 10},
        {200, 1905, x + 10, y + 10, x + w - 10, y + h - 10}, {190, 1895, x, y, x + 10, y + 10},
        {210, 1895, x + w - 10, y, x + w, y + 10},           {190, 1915, x, y + h - 10, x + 10, y + h},
        {210, 1915, x + w - 10, y + h - 10, x + w, y + h},
    };
    ASSERT_EQ(frame.size(), std::size(cells));
    for (size_t k = 0; k < frame.size(); ++k) {
        EXPECT_EQ(frame[k].src.left, cells[k].cellX) << k;
        EXPECT_EQ(frame[k].src.top, cells[k].cellY) << k;
        EXPECT_EQ(frame[k].src.right, cells[k].cellX + 10) << k;
        EXPECT_EQ(frame[k].src.bottom, cells[k].cellY + 10) << k;
        EXPECT_FLOAT_EQ(frame[k].corners[0].x, cells[k].x) << k;
        EXPECT_FLOAT_EQ(frame[k].corners[0].y, cells[k].y) << k;
        EXPECT_FLOAT_EQ(frame[k].corners[2].x, cells[k].right) << k;
        EXPECT_FLOAT_EQ(frame[k].corners[2].y, cells[k].bottom) << k;
    }
}

TEST_F(HintDisplay, AHintWaitsTheDelayAfterAPauseAndAMapObjectsEachTimeThePointerComesToIt)
{
    SetVirtualClock(true);
    g_HintDisplay.delayMs = 100;
    cZoneHint zone;
    // A hint that comes after the loop has slept waits its whole delay all the same.
    for (bool text : {true, false}) {
        g_HintDisplay.Render();
        AdvanceVirtualClock(1000);
        if (text)
            g_HintDisplay.SetText(L"Zoom in");
        else
            g_HintDisplay.SetHoverable(&zone);
        g_HintDisplay.Render();
        EXPECT_FALSE(g_HintDisplay.IsShown()) << text;
        if (text)
            g_HintDisplay.SetText(nullptr);
    }
    // The pointer crossing a second hex of the same sea zone hands the zone over again.
    AdvanceVirtualClock(100);
    g_HintDisplay.Render();
    EXPECT_TRUE(g_HintDisplay.IsShown());
    g_HintDisplay.SetHoverable(&zone);
    EXPECT_FALSE(g_HintDisplay.IsShown());
    AdvanceVirtualClock(99);
    g_HintDisplay.Render();
    EXPECT_FALSE(g_HintDisplay.IsShown());
    AdvanceVirtualClock(1);
    g_HintDisplay.Render();
    EXPECT_TRUE(g_HintDisplay.IsShown());
    g_HintDisplay.SetHoverable(nullptr);
    SetVirtualClock(false);
}

TEST_F(HintDisplay, TheHintKeepsItsOwnTextWhenItsGiverFreesIt)
{
    g_HintDisplay.delayMs = 0;
    auto text = std::make_unique<std::wstring>(L"A hint that its control frees");
    g_HintDisplay.SetText(text->c_str());
    text.reset();
    EXPECT_TRUE(DrawsInAFrame());
}

TEST(MouseState, ALeftClickIsReportedOnReleaseAndARightClickOnPress)
{
    cHintDisplay mouse;
    mouse.UpdateMouse(true, false, 10, 10);
    EXPECT_FALSE(mouse.leftReleasedNow);
    mouse.UpdateMouse(true, false, 14, 7);
    EXPECT_EQ(mouse.leftDragX, 4);
    EXPECT_EQ(mouse.leftDragY, -3);
    mouse.UpdateMouse(false, false, 14, 7);
    EXPECT_TRUE(mouse.leftReleasedNow);
    EXPECT_TRUE(mouse.leftUp);
    mouse.UpdateMouse(false, false, 15, 7);
    EXPECT_FALSE(mouse.leftReleasedNow);
    EXPECT_TRUE(mouse.leftUp);

    mouse.UpdateMouse(false, true, 20, 20);
    EXPECT_TRUE(mouse.rightPressedNow);
    EXPECT_TRUE(mouse.rightDragging);
    mouse.UpdateMouse(false, true, 25, 17);
    EXPECT_FALSE(mouse.rightPressedNow);
    EXPECT_EQ(mouse.rightDragX, 5);
    EXPECT_EQ(mouse.rightDragY, -3);

    // The click that closed a window is forgotten, so the map never takes it.
    mouse.UpdateMouse(true, false, 30, 30);
    mouse.UpdateMouse(false, false, 30, 30);
    ASSERT_TRUE(mouse.leftReleasedNow);
    mouse.ForgetClick();
    EXPECT_FALSE(mouse.leftReleasedNow);
    EXPECT_FALSE(mouse.leftUp);
    EXPECT_FALSE(mouse.HasHint());
}

class LayoutHook : public cGuiTest
{
protected:
    void SetUp() override
    {
        cGuiTest::SetUp();
        InstallLayoutHook();
    }
    CDXUTControl* Add(int id, int x, int y)
    {
        dialog.AddStatic(id, L"", x, y, 40, 20);
        g_GuiLayout[size_t(id)] = sLayoutRect{x, y, 40, 20};
        return dialog.GetControl(id);
    }
};

TEST_F(LayoutHook, AWindowsFrameDragsItsControlsAndTheirPlacesAreKept)
{
    CDXUTControl* frame = Add(790, 100, 100);
    CDXUTControl* first = Add(791, 110, 130);
    CDXUTControl* last = Add(800, 110, 300);
    CDXUTControl* stranger = Add(801, 110, 330);
    frame->MoveBy(10, 20);
    EXPECT_EQ(first->m_x, 120);
    EXPECT_EQ(last->m_y, 320);
    EXPECT_EQ(stranger->m_x, 110);
    EXPECT_EQ(g_GuiLayout[790], (sLayoutRect{110, 120, 40, 20}));
    EXPECT_EQ(g_GuiLayout[800], (sLayoutRect{120, 320, 40, 20}));
    EXPECT_EQ(g_GuiLayout[801], (sLayoutRect{110, 330, 40, 20}));
    // The save window's title has an id below its frame's: it goes along all the same.
    CDXUTControl* saveFrame = Add(252, 300, 300);
    CDXUTControl* saveTitle = Add(250, 310, 305);
    saveFrame->MoveBy(-5, 15);
    EXPECT_EQ(saveTitle->m_y, 320);
    EXPECT_EQ(g_GuiLayout[250], (sLayoutRect{305, 320, 40, 20}));
}

TEST_F(LayoutHook, ThePanelButtonsStayOnTheScreenAndDragTheirPanel)
{
    class cFakePanel : public iPanelScreen
    {
    public:
        bool MsgProc(unsigned, uintptr_t, intptr_t) override { return false; }
        void OnGUIEvent(unsigned, int, CDXUTControl*) override {}
        CDXUTDialog* GetDialog() override { return &dialog; }
        CDXUTDialog dialog;
    } panel;
    panel.dialog.AddStatic(360, L"", 50, 200, 40, 20);
    g_GuiLayout[360] = sLayoutRect{50, 200, 40, 20};
    g_GuiLayout[391] = sLayoutRect{7, 7, 7, 7};
    g_UnitPanel = &panel;

    CDXUTControl* button = Add(350, 2, 100);
    button->MoveBy(-7, 0);
    EXPECT_EQ(button->m_x, 2);
    EXPECT_EQ(g_GuiLayout[350], (sLayoutRect{2, 100, 40, 20}));
    EXPECT_EQ(panel.dialog.GetControl(360)->m_x, 50);

    button->MoveBy(5, 5);
    EXPECT_EQ(g_GuiLayout[350], (sLayoutRect{7, 105, 40, 20}));
    EXPECT_EQ(panel.dialog.GetControl(360)->m_x, 55);
    EXPECT_EQ(g_GuiLayout[360], (sLayoutRect{55, 205, 40, 20}));
    EXPECT_EQ(g_GuiLayout[391], (sLayoutRect{7, 7, 7, 7}));

    // Every edge of the screen holds it: a pixel beyond is refused, the edge itself is not.
    const int w = g_UserSettings.resolutionX, h = g_UserSettings.resolutionY;
    const struct
    {
        int dx, dy;
        bool stands;
    } edges[] = {{0, -106, false}, {0, -105, true}, {w - 46, 0, false}, {w - 47, 0, true}, {0, h - 19, false}, {0, h - 20, true}};
    for (const auto& e : edges) {
        const int x = button->m_x, y = button->m_y, panelX = panel.dialog.GetControl(360)->m_x;
        button->MoveBy(e.dx, e.dy);
        const sLayoutRect now = e.stands ? sLayoutRect{x + e.dx, y + e.dy, 40, 20} : sLayoutRect{x, y, 40, 20};
        EXPECT_EQ((sLayoutRect{button->m_x, button->m_y, 40, 20}), now) << e.dx << " " << e.dy;
        EXPECT_EQ(g_GuiLayout[350], now);
        EXPECT_EQ(panel.dialog.GetControl(360)->m_x, e.stands ? panelX + e.dx : panelX);
    }
    g_UnitPanel = nullptr;
}

TEST_F(LayoutHook, TheEventWindowAndIdsOutsideTheTableMoveUnrecorded)
{
    CDXUTControl* event = Add(780, 100, 100);
    CDXUTControl* member = Add(781, 110, 120);
    event->MoveBy(10, 10);
    EXPECT_EQ(event->m_x, 110);
    EXPECT_EQ(member->m_x, 110);
    EXPECT_EQ(g_GuiLayout[780], (sLayoutRect{100, 100, 40, 20}));
    dialog.AddStatic(0, L"", 5, 5, 10, 10);
    const sLayoutRect before = g_GuiLayout[0];
    dialog.GetControl(0)->MoveBy(3, 3);
    EXPECT_EQ(g_GuiLayout[0], before);
    // The last row of the table is recorded; an id past it moves with no row to write.
    Add(1499, 100, 100)->MoveBy(5, 5);
    EXPECT_EQ(g_GuiLayout[1499], (sLayoutRect{105, 105, 40, 20}));
    dialog.AddStatic(1500, L"", 5, 5, 10, 10);
    dialog.GetControl(1500)->MoveBy(3, 3);
    EXPECT_EQ(dialog.GetControl(1500)->m_x, 8);
}

} // namespace
