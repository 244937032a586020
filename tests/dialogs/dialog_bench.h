#pragma once
// The bench of the in-game window tests: a game folder with the shipped pictures, the
// 1024 x 768 layout and the test scenario; an offscreen window to draw into; the shell's
// own input routing to drive the windows; and screenshots of what is open.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/dialog_stack.h"
#include "gui/list_box.h"
#include "platform/sdl_renderer.h"
#include "platform/window.h"

struct sCombatResult;

// The report of an air strike by two bombers that met interceptors over their target: the
// longest text a combat-result window shows.
sCombatResult LongAirStrike();

class cDialogTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Testland, loaded; country `activeId` moves and is human; the game is in state 7.
    void LoadTestland(int activeId = 1);
    // The bundled Europe 1939, its longest names and largest figures; country `activeId` moves.
    void LoadEurope1939(int activeId = 1);
    void LoadScenario(const std::wstring& name, int activeId);

    // Input through the shell's routing, at the centre of a control of the current dialog
    // (or of the given dialog).
    void Click(int id);
    void Click(CDXUTDialog& dialog, int id);
    void ClickAt(int x, int y);
    // A click on a row of a list box.
    void ClickRow(CDXUTDialog& dialog, CDXUTListBox& list, int row);
    // A click on the middle of a tab's caption.
    void ClickTab(CDXUTDialog& dialog, int tabFrameId, int tab);
    void Key(uint32_t vk);
    void Type(const std::wstring& text);
    void Tick(float seconds);

    cDialog* Top() { return CurrentDialog(); }
    std::vector<int> OpenKinds() const;
    // The text of a static or button of the current dialog.
    std::wstring TextOf(int id);
    std::wstring TextOf(CDXUTDialog& dialog, int id);
    // A control's hint, empty for none.
    static std::wstring HintOf(CDXUTControl* control)
    {
        return control && control->GetHint() ? control->GetHint() : L"";
    }
    template <class T>
    T* ControlOf(CDXUTDialog& dialog, int id, int type)
    {
        return static_cast<T*>(dialog.GetControl(id, type));
    }

    // Draws a frame with everything open and compares the part that holds the windows'
    // controls with tests/data/screens/<name>.png.
    void CheckScreen(const std::string& name);
    // A frame with the panels and every open window, the whole screen.
    std::vector<uint32_t> DrawScreen();

    double clock = 0;
    std::map<uint32_t, bool> keys;
    std::unique_ptr<cWindow> window;
    std::unique_ptr<cSdlRenderer> device;
};
