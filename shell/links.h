#pragma once
// Where the shell reaches parts of the program that are built elsewhere: the game object,
// the screens that take input (menus, the dialog stack, the panels), the hint display,
// sound and the intro. Each side fills in its entries; an empty entry means the part is
// not there (no game running, no menu current, ...).
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "game/presentation_requests.h"

class CDXUTControl;
class CDXUTDialog;
class cRenderer;
class cTextureHolder;

// The game object as the shell sees it. The game side fills these in.
struct sGameLink
{
    std::function<bool()> exists;             // a game object exists (g_Gra is not null)
    std::function<int()> state;               // its game state
    std::function<void(cRenderer* device, float elapsed)> render;                      // cGra::Render
    std::function<void(unsigned key, bool down, bool alt)> onKeyboard;                 // cGra::OnKeyboard
    std::function<void(bool left, bool right, bool middle, bool side1, bool side2, int wheel, int x, int y)>
        onPlayerAction;                                                                // cGra::OnPlayerAction
    std::function<void(unsigned event, int id, CDXUTControl* control)> onGuiEvent;     // cGra::OnGuiEvent
    std::function<void()> destroy;            // runs the game's destructor, frees it, leaves g_Gra null
    // Calls fn for both texture holders of every country of the running game.
    std::function<void(const std::function<void(cTextureHolder&)>& fn)> forEachCountryTexture;
    // The volume of the game's music player, when it has one (0 mutes it).
    std::function<void(float volume)> setMusicVolume;
    // cZdarzenia::ForceEventById: fires the scripted event with that id; false when no
    // event has it.
    std::function<bool(int eventId)> forceEvent;
};
extern sGameLink g_GameLink;

// Fills the entries the shell can reach through g_Gra itself (existence, state, destruction);
// entries already set stay.
void LinkGameObject();

bool GameExists();
int GameState(); // -1 without a game

// A full-screen menu as the routing sees it; cMenu implements it.
class iMenuScreen
{
public:
    virtual ~iMenuScreen() = default;
    // Its dialog's message handler: true when the message was used.
    virtual bool MsgProc(unsigned message, uintptr_t wParam, intptr_t lParam) = 0;
    virtual void OnGUIEvent(unsigned event, int id, CDXUTControl* control) = 0;
    virtual void OnKeyboard(unsigned key, bool down, bool alt) = 0;
    virtual void OnMouse(bool left, bool right, bool middle, bool side1, bool side2, int wheel, int x, int y) = 0;
    virtual void OnFrameMove(double time, float elapsed) = 0;
    virtual void OnRender(float elapsed) = 0;
};

// An in-game window on the dialog stack; cDialog implements it.
class iStackDialog
{
public:
    virtual ~iStackDialog() = default;
    virtual int KindId() const = 0;
    virtual bool IsVisible() const = 0; // its dialog is visible
    virtual bool MsgProc(unsigned message, uintptr_t wParam, intptr_t lParam) = 0;
    virtual void OnGUIEvent(unsigned event, int id, CDXUTControl* control) = 0;
    virtual void OnKeyboard(unsigned key, bool down, bool alt) = 0;
    virtual void OnMouse(bool left, bool right, bool middle, bool side1, bool side2, int wheel, int x, int y) = 0;
    virtual void OnRender(float elapsed) = 0;
    // It becomes the current dialog again, or the map was clicked while it is hidden.
    virtual void OnReactivate() {}
    // A box that tells or asks: while it is the current dialog, every click and key is its
    // own, wherever on the screen, and nothing beneath it sees them.
    virtual bool HoldsInput() const { return false; }
};

// A game-screen panel; cPanel implements it.
class iPanelScreen
{
public:
    virtual ~iPanelScreen() = default;
    virtual bool MsgProc(unsigned message, uintptr_t wParam, intptr_t lParam) = 0;
    virtual void OnGUIEvent(unsigned event, int id, CDXUTControl* control) = 0;
    // Its drawing on the game screen, each frame.
    virtual void OnRender(float) {}
    // The dialog that holds its controls (a dragged panel moves them), or null.
    virtual CDXUTDialog* GetDialog() { return nullptr; }
};

// The current menu, the dialog stack (bottom first) with its current (top) dialog, and
// the six panels. Set to null by start-up before any callback runs.
extern iMenuScreen* g_CurrentMenu;
extern iStackDialog* g_CurrentDialog;
extern std::vector<iStackDialog*> g_OpenDialogs;
extern iPanelScreen* g_InfoPanel;
extern iPanelScreen* g_DiplomacyPanel;
extern iPanelScreen* g_HexPanel;
extern iPanelScreen* g_UnitPanel;
extern iPanelScreen* g_AttackPanel;
extern iPanelScreen* g_MinimapPanel;

// The six panels as they are drawn: the minimap first, then the four that fold (the one
// unfolded last on top), then the info panel; null globals left out.
std::vector<iPanelScreen*> PanelsInDrawingOrder();
// The order the mouse reaches them: the four that fold from the top one down, then the
// minimap and the info panel. Input follows the drawing, so that where two panels overlap
// the click lands on the one the player sees on top.
std::vector<iPanelScreen*> PanelsInInputOrder();
// A panel just unfolded lies over the others and takes the clicks where they overlap, or a
// panel opened by its button could stay hidden under another.
void BringPanelToFront(iPanelScreen* panel);
// The order of a new game: the hex, unit, attack and diplomacy panels, bottom first.
void ResetPanelOrder();

// Parts of the shell built elsewhere.
struct sShellLinks
{
    std::function<void()> initSound;       // opens the audio device and loads the effects
    std::function<void()> playIntroMovies; // installs the intro callbacks, plays the movies, prepares the logos
    std::function<void(bool left, bool right, int x, int y)> hintUpdateMouse; // cHintDisplay::UpdateMouse
    std::function<void()> hintRender;                                         // cHintDisplay::Render
    // cHintDisplay: forgets the left button's state, so the click that opens or closes a
    // window never reaches the map.
    std::function<void()> hintForgetClick;
    // cHintDisplay: forgets the hovered map object (a window opened over it).
    std::function<void()> hintForgetHoverable;
    // cHintDisplay: a key was pressed (GiveWayToTyping).
    std::function<void()> hintGiveWayToTyping;
    std::function<void()> endTurnFromMainThread; // EndTurnFromMainThread
    std::function<void()> openPauseMenu;         // game state 2 and a new pause menu
    std::function<void()> openMainMenu;          // a new main menu (no game loaded)
    std::function<void()> drawMinimapViewFrame;  // cMapa: the minimap's ownership overlay, then its view frame
    // cHintDisplay::Init: the box's offsets and margins and the delay before it shows.
    std::function<void(int offsetX, int offsetY, int marginX, int marginY, int delayMs)> hintInit;
};
extern sShellLinks g_ShellLinks;

// The in-game windows and the game-screen panels as the shell reaches them. The dialogs
// fill these in (InstallDialogLinks); everything runs on the main thread.
struct sDialogLinks
{
    // Opens the window that shows a request (message, question, combat result, convoy
    // results, new turn, info-panel line); the request completes when the person closes
    // it. Runs the request's onServe first. False when no window shows that kind.
    std::function<bool(const RequestHandle& request)> serveRequest;
    // The current dialog's countdown, once per frame.
    std::function<void(float elapsed)> updateCountdown;
    std::function<void()> closeAllDialogs;
    // A message window over the open dialogs.
    std::function<void(const std::wstring& text, const std::wstring& title)> pushMessage;
    // The panels of the game screen, made with a game and destroyed with it.
    std::function<void()> createGamePanels;
    std::function<void()> destroyGamePanels;
    // Draws the panels over the map (cGra::Render, after the map).
    std::function<void(float elapsed)> renderPanels;
    // The windows' part of handing the screen to the other side and back: counters, date,
    // wait image, folded panels, closed dialogs. The game state is the caller's.
    std::function<void()> beginOtherSidePhase;
    std::function<void()> beginPlayerPhase;
    std::function<void()> hideWaitIndicator; // cInfoPanel::HideWaitIndicator: nothing is waited for
    std::function<void()> refreshPoints;                         // cInfoPanel::RefreshPoints
    std::function<void()> refreshDate;                           // cMinimapPanel::RefreshDateLabel
    std::function<void()> refreshHexPanel;                       // cHexPanel::Refresh
    // The unit and attack panels read the selection and the assault plan again.
    std::function<void()> refreshSelectionPanels;
    std::function<void(const std::wstring& text)> setStatusText; // cInfoPanel::SetStatusText
    std::function<std::wstring()> statusText;                    // what the status line says now
    // The minimap picture's place on the screen and its size in texture pixels.
    std::function<void(int x, int y, int width, int height, int pictureWidth, int pictureHeight)> setMinimapRect;
    // A hotkey presses an info-panel button (336 purchases ... 344 hotkeys).
    std::function<void(int id)> pressInfoPanelButton;
    // The commands of the info and minimap panels (cGra::OnGuiEvent's part for them).
    std::function<void(unsigned event, int id, CDXUTControl* control)> panelCommand;
    std::function<void()> openPreferences; // F1, the pause menu, the preferences screen
    std::function<void()> openCheats;      // F12
    std::function<void()> openSaveDialog;  // the pause menu's save button
};
extern sDialogLinks g_DialogLinks;

// No link made, no menu, dialog or panel: as before start-up makes them. Nothing is deleted.
void ResetLinks();
