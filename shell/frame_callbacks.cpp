#include "shell/frame_callbacks.h"

#include "core/lock.h"
#include "core/log.h"
#include "gui/layout.h"
#include "shell/dxut.h"
#include "shell/links.h"
#include "shell/shell_presentation.h"
#include "shell/skin_levels.h"
#include "shell/textures.h"

std::unique_ptr<cSprite> g_Sprite;
std::unique_ptr<cLine> g_Line;
std::unique_ptr<cFont> g_BoldFont;

namespace {

bool CurrentDialogVisible() { return g_CurrentDialog && g_CurrentDialog->IsVisible(); }

// A box that tells or asks is on top: nothing beneath it sees a click or a key.
bool BoxHoldsInput() { return CurrentDialogVisible() && g_CurrentDialog->HoldsInput(); }

// The GUI fonts and the bold font, those that exist.
template <typename Fn>
void ForEveryShellFont(Fn fn)
{
    for (auto& font : g_GuiFonts)
        if (font.font)
            fn(*font.font);
    if (g_BoldFont)
        fn(*g_BoldFont);
}

} // namespace

void OnFrameRender(cRenderer* device, double, float elapsed)
{
    AcquireGlobalLock(nullptr, 0);
    // What the game asked of the screen since the last frame: the opponent's thread never
    // builds a window itself, it posts, and the main thread serves under the frame's lock.
    if (&Presentation() == &ShellPresentation())
        ShellPresentation().ServeRequests();
    if (!device->BeginScene()) {
        // The renderer only says no; E_FAIL stands for the code it does not give.
        LogLine(L"-- Begin scene problem (%ld)", long(E_FAIL));
    } else {
        device->Clear(0xFF000000);
        int state = GameState();
        if (GameExists() && state != 0 && state != 1 && state != 5 && g_GameLink.render)
            g_GameLink.render(device, elapsed);
        if (g_CurrentMenu)
            g_CurrentMenu->OnRender(elapsed);
        // Indexed: a dialog may open another while it draws.
        for (size_t i = 0; i < g_OpenDialogs.size(); ++i) {
            iStackDialog* dialog = g_OpenDialogs[i];
            if (dialog && dialog->KindId() >= 0 && dialog->IsVisible())
                dialog->OnRender(elapsed);
        }
        if (g_ShellLinks.hintRender)
            g_ShellLinks.hintRender();
    }
    device->EndScene();
    ReleaseGlobalLock(nullptr, 0);
}

tResult OnDeviceCreated(cRenderer* device, const sBackBufferDesc*)
{
    LogLine(L"Device create");
    for (auto& font : g_GuiFonts)
        font.font = cFont::Create(device, font.face, font.height, font.weight);
    g_BoldFont = cFont::Create(device, L"Arial", 15, 700);
    CreateSkinFonts(device);
    TexturesOnDeviceCreated();
    LogLine(L"Device create end");
    return S_OK;
}

tResult OnDeviceReset(cRenderer* device, const sBackBufferDesc*)
{
    LogLine(L"Device reset");
    ForEveryShellFont([](cFont& font) { font.OnResetDevice(); });
    ResetSkinFonts();
    g_Sprite = std::make_unique<cSprite>(device);
    g_Line = std::make_unique<cLine>(device);
    TexturesOnDeviceReset();
    LogLine(L"Device reset end");
    return S_OK;
}

void OnDeviceLost()
{
    LogLine(L"Device lost");
    TexturesOnDeviceLost();
    ForEveryShellFont([](cFont& font) { font.OnLostDevice(); });
    LoseSkinFonts();
    g_Sprite.reset();
    g_Line.reset();
    LogLine(L"Device lost end");
}

void OnDeviceDestroyed()
{
    LogLine(L"Device destroy");
    TexturesOnDeviceDestroyed();
    for (auto& font : g_GuiFonts)
        font.font.reset();
    DestroySkinFonts();
    g_BoldFont.reset();
    g_Sprite.reset();
    g_Line.reset();
    LogLine(L"Device destroy end");
}

tLParam OnMsgProc(cWindow*, unsigned message, tWParam wParam, tLParam lParam, bool* noFurtherProcessing)
{
    bool handled = false;
    auto offer = [&](auto* target) {
        handled = target->MsgProc(message, wParam, lParam);
        if (noFurtherProcessing)
            *noFurtherProcessing = handled;
        return handled;
    };
    if (CurrentDialogVisible() && offer(g_CurrentDialog))
        return 0;
    if (g_CurrentMenu) {
        offer(g_CurrentMenu);
        return 0;
    }
    if (!GameExists() || GameState() == 1)
        return 0;
    for (iPanelScreen* panel : PanelsInInputOrder())
        if (offer(panel))
            return 0;
    return 0;
}

void MenuGUIEvent(unsigned event, int id, CDXUTControl* control)
{
    if (g_CurrentMenu)
        g_CurrentMenu->OnGUIEvent(event, id, control);
}

void MenuKeyboard(unsigned key, bool down, bool alt)
{
    if (down && g_ShellLinks.hintGiveWayToTyping)
        g_ShellLinks.hintGiveWayToTyping();
    // A window over the menu or the paused map (a message, a question, the save window the
    // pause menu opened with no menu current any more) takes the keys first: else its Enter
    // and Escape would reach nobody.
    if (CurrentDialogVisible())
        g_CurrentDialog->OnKeyboard(key, down, alt);
    else if (g_CurrentMenu)
        g_CurrentMenu->OnKeyboard(key, down, alt);
}

void MenuMouse(bool left, bool right, bool middle, bool side1, bool side2, int wheel, int x, int y)
{
    if (g_ShellLinks.hintUpdateMouse)
        g_ShellLinks.hintUpdateMouse(left, right, x, y);
    if (BoxHoldsInput())
        g_CurrentDialog->OnMouse(left, right, middle, side1, side2, wheel, x, y);
    else if (g_CurrentMenu)
        g_CurrentMenu->OnMouse(left, right, middle, side1, side2, wheel, x, y);
}

void MenuFrameMove(cRenderer*, double time, float elapsed)
{
    if (g_CurrentMenu)
        g_CurrentMenu->OnFrameMove(time, elapsed);
}

void GameKeyboard(unsigned key, bool down, bool alt)
{
    if (down && g_ShellLinks.hintGiveWayToTyping)
        g_ShellLinks.hintGiveWayToTyping();
    // A window shown takes every key, its own letter too: the key routing says so, where the
    // info panel's and the hotkey list's cases have P or I pressed again close their window
    // (the two disagree). P over Purchases is its key; its button, Escape or the panel's close it.
    if (CurrentDialogVisible())
        g_CurrentDialog->OnKeyboard(key, down, alt);
    else if (GameExists() && g_GameLink.onKeyboard)
        g_GameLink.onKeyboard(key, down, alt);
}

void GameMouse(bool left, bool right, bool middle, bool side1, bool side2, int wheel, int x, int y)
{
    if (g_ShellLinks.hintUpdateMouse)
        g_ShellLinks.hintUpdateMouse(left, right, x, y);
    if (CurrentDialogVisible())
        g_CurrentDialog->OnMouse(left, right, middle, side1, side2, wheel, x, y);
    else if (GameExists() && g_GameLink.onPlayerAction)
        g_GameLink.onPlayerAction(left, right, middle, side1, side2, wheel, x, y);
}

void DialogGUIEvent(unsigned event, int id, CDXUTControl* control)
{
    // The event goes to the current dialog, whichever dialog sent it.
    if (CurrentDialogVisible())
        g_CurrentDialog->OnGUIEvent(event, id, control);
}

void PanelGUIEvent(unsigned event, int id, CDXUTControl* control)
{
    iPanelScreen* panels[] = {g_UnitPanel, g_HexPanel, g_AttackPanel, g_DiplomacyPanel};
    for (iPanelScreen* panel : panels)
        if (panel)
            panel->OnGUIEvent(event, id, control);
}

void CommandGUIEvent(unsigned event, int id, CDXUTControl* control)
{
    if (GameExists() && g_GameLink.onGuiEvent)
        g_GameLink.onGuiEvent(event, id, control);
}

void InstallMenuCallbacks()
{
    DXUTSetCallbackFrameMove(MenuFrameMove);
    DXUTSetCallbackKeyboard(MenuKeyboard);
    DXUTSetCallbackMouse(MenuMouse, true);
    DXUTSetCallbackFrameRender(OnFrameRender);
}

void InstallPauseCallbacks()
{
    DXUTSetCallbackFrameMove(nullptr);
    DXUTSetCallbackKeyboard(MenuKeyboard);
    DXUTSetCallbackMouse(MenuMouse, true);
}

void InstallGameCallbacks(void (*gameFrameMove)(cRenderer* device, double time, float elapsed))
{
    DXUTSetCallbackFrameMove(gameFrameMove);
    DXUTSetCallbackKeyboard(GameKeyboard);
    DXUTSetCallbackMouse(GameMouse, true);
}
