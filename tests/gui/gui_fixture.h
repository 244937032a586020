#pragma once
// A toolkit test bench: the test layout and fonts, a recording device, a fake clock and
// keyboard, and recorders for the dialog callback, the sound hook and the hint display.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "gui/controls.h"
#include "gui/gui_hooks.h"
#include "gui/layout.h"
#include "platform/recording_renderer.h"
#include "tests/test_support.h"

struct sSeenEvent
{
    unsigned event;
    int id;
    bool operator==(const sSeenEvent&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const sSeenEvent& e)
{
    return os << std::hex << "{0x" << e.event << std::dec << ", " << e.id << "}";
}

// The layout and the device come first: dialogs take their fonts at construction.
struct cGuiBench
{
    cGuiBench()
    {
        ResetGuiLayout();
        loaded = LoadGuiLayoutFile(testing_support::FixtureDir() / "gui_test_layout.csv", L"gui_test_layout.csv");
        DXUTGetGlobalDialogResourceManager()->OnCreateDevice(&device);
    }
    bool loaded = false;
    cRecordingRenderer device;
};

class cGuiTest : public ::testing::Test, protected cGuiBench
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(loaded);
        CDXUTDialog::ResetGlobalState();
        CDXUTListBox::s_bPageSizeSet = false;
        g_GuiHooks = sGuiHooks{};
        g_GuiHooks.now = [this] { return clock; };
        g_GuiHooks.keyDown = [this](uint32_t vk) { return keys[vk]; };
        g_GuiHooks.captureMouse = [this](bool capture) { captured = capture; };
        g_GuiHooks.playSound = [this](unsigned event, int id, CDXUTControl*) { sounds.push_back({event, id}); };
        g_GuiHooks.hintSetControl = [this](CDXUTControl* control, bool force) {
            hintControl = control;
            hintForced = force;
            hintText = control && control->GetHint() ? control->GetHint() : L"";
        };
        g_GuiHooks.hintControl = [this] { return hintControl; };
        // The GUI picture, as a blank texture of its size.
        dialog.GetTexture(0)->pTexture = cTexture::CreateBlank(2048, 2048);
        dialog.SetCallback([this](unsigned event, int id, CDXUTControl*) { events.push_back({event, id}); });
    }

    void TearDown() override
    {
        dialog.RemoveAllControls();
        g_GuiHooks = sGuiHooks{};
        DXUTGetGlobalDialogResourceManager()->OnDestroyDevice();
    }

    // Window messages at window client coordinates.
    bool Send(unsigned message, tWParam wParam = 0, tLParam lParam = 0) { return dialog.MsgProc(message, wParam, lParam); }
    bool Mouse(unsigned message, int x, int y, tWParam wParam = 0) { return Send(message, wParam, MakeLParam(x, y)); }
    bool Move(int x, int y) { return Mouse(WM_MOUSEMOVE, x, y); }
    bool Down(int x, int y) { return Mouse(WM_LBUTTONDOWN, x, y, MK_LBUTTON); }
    bool Up(int x, int y) { return Mouse(WM_LBUTTONUP, x, y); }
    void Click(int x, int y)
    {
        Move(x, y);
        Down(x, y);
        Up(x, y);
    }
    bool Wheel(int notches, int x, int y) { return Mouse(WM_MOUSEWHEEL, x, y, tWParam(uint16_t(int16_t(notches * WHEEL_DELTA))) << 16); }
    bool KeyDown(uint32_t vk) { return Send(WM_KEYDOWN, vk); }
    bool KeyUp(uint32_t vk) { return Send(WM_KEYUP, vk); }
    void Press(uint32_t vk)
    {
        KeyDown(vk);
        KeyUp(vk);
    }
    bool Char(wchar_t ch) { return Send(WM_CHAR, tWParam(ch)); }
    void Type(const std::wstring& text)
    {
        for (wchar_t ch : text)
            Char(ch);
    }
    void Render(float elapsed = 0.05f)
    {
        clock += elapsed;
        dialog.OnRender(elapsed);
    }
    void Clear()
    {
        events.clear();
        sounds.clear();
    }

    CDXUTDialog dialog;
    double clock = 0;
    std::map<uint32_t, bool> keys;
    bool captured = false;
    std::vector<sSeenEvent> events;
    std::vector<sSeenEvent> sounds;
    CDXUTControl* hintControl = nullptr;
    bool hintForced = false;
    std::wstring hintText;
};
