#pragma once
// Everything the game asks of the screen goes through this one interface, so the game
// object never knows a window or renderer. The shell installs the real one; tests and
// tools run with the null one, which does nothing.
#include <atomic>
#include <string>
#include <string_view>

#include "game/presentation_requests.h"

class cHoverable;

class cPresentation
{
public:
    virtual ~cPresentation() = default;

    // The loading screen's progress, 0 to 100.
    virtual void SetLoadingProgress(int percent) = 0;
    // The unit, hex, attack and diplomacy panels show the game again.
    virtual void RefreshPanels() = 0;
    // The info panel's point counters of the player's country.
    virtual void RefreshPoints() = 0;
    // A message window over the open dialogs (the player closes it).
    virtual void PushMessage(const std::wstring& text, const std::wstring& title) = 0;
    // A system message box with an OK button; returns when it is closed.
    virtual void MessageBox(const std::wstring& text, const std::wstring& title) = 0;
    // A sound effect by its file path (data\sound\...).
    virtual void PlaySound(std::wstring_view path) = 0;
    // Input goes to the menu lying over the map.
    virtual void UseMenuInput() = 0;
    // Input goes to the game screen.
    virtual void UseGameInput() = 0;

    // The parts of the game screen that a new game makes, in this order: the music
    // player (it reads the playlists), the game-screen panels, the map skin and the units
    // skin named by the user settings.
    virtual void CreateMusicPlayer() = 0;
    virtual void CreateGamePanels() = 0;
    virtual void LoadMapSkin() = 0;
    virtual void LoadUnitsSkin() = 0;
    // The scenario-settings menu becomes current (the game is loaded, not started).
    virtual void StartScenarioSettingsMenu() = 0;
    // Teardown: the loading wallpaper's texture (the game drops the countries' own), the
    // fonts' device objects, then the music player is shut down and deleted.
    virtual void ReleaseGameTextures() = 0;
    virtual void ReleaseGameFonts() = 0;
    virtual void DeleteMusicPlayer() = 0;

    // Start of play and the hand-over of the screen between the two sides. The headless
    // screen has nothing to do for any of them.
    // The pause menu's wallpaper replaces the loading one.
    virtual void ShowPauseWallpaper() {}
    // Unit skins and city pictures follow the zoom.
    virtual void UpdateAppearance() {}
    // The minimap's ownership layer is drawn anew.
    virtual void RefreshMinimap() {}
    // The scenario-settings menu goes, the game screen takes the input.
    virtual void CloseMenuForPlay() {}
    // The game screen is handed to the person (panels unfolded, no wait image), or to the
    // computer (dialogs closed, panels folded, the wait image shown).
    virtual void BeginPlayerPhase() {}
    virtual void BeginComputerPhase() {}
    // The date label after an impulse.
    virtual void RefreshDate() {}
    // The map object under the pointer shows its hint (null: none). Main thread.
    virtual void ShowHoverHint(const cHoverable* object) { (void)object; }
    // Selects the music playlist of that number (-1: the default list); false when there is
    // no such list.
    virtual bool SelectPlaylist(int number)
    {
        (void)number;
        return false;
    }

    // Another thread changed something the main loop acts on (a flag, the game state): the
    // loop, which may be asleep until the next event, looks again. Any thread.
    virtual void WakeMainLoop() {}

    // Whether a person can see the screen: without one (tests, velmorant-tool) nothing
    // pauses for a watching person.
    virtual bool HasScreen() const { return false; }

    // A request for the screen (a dialog, a move animation, the hand-over of a turn...),
    // served by the main thread; the caller may wait on the handle. The screen's own
    // presentation queues it; the base answers at once, as nobody is watching.
    virtual RequestHandle Post(sPresentationRequest request);
};

// The answer a game without a screen gives: every text and result closes at once, a
// question or event takes its headless answer, an animation or camera move is done. Logs
// "Headless answer: <kind> \"<title>\" -> <answer>" and counts it.
int AnswerHeadlessly(const sPresentationRequest& request);
// Requests answered without a screen since the program started.
int HeadlessAnswerCount();

// A message window for a person: posted only when a person follows the game (else null), and
// waited for (without the global lock) when wait is set. It is that country's person's to read
// (0: whoever watches).
RequestHandle ShowMessageToPerson(const std::wstring& title, const std::wstring& text, bool wait = true,
                                  int countryId = 0);

// The presentation of tests and tools: nothing to draw, every request answered headlessly.
class cNullPresentation : public cPresentation
{
public:
    void SetLoadingProgress(int) override {}
    void RefreshPanels() override {}
    void RefreshPoints() override {}
    void PushMessage(const std::wstring&, const std::wstring&) override {}
    void MessageBox(const std::wstring&, const std::wstring&) override {}
    void PlaySound(std::wstring_view) override {}
    void UseMenuInput() override {}
    void UseGameInput() override {}
    void CreateMusicPlayer() override {}
    void CreateGamePanels() override {}
    void LoadMapSkin() override {}
    void LoadUnitsSkin() override {}
    void StartScenarioSettingsMenu() override {}
    void ReleaseGameTextures() override {}
    void ReleaseGameFonts() override {}
    void DeleteMusicPlayer() override {}
};

// The installed presentation; the null one until the shell installs its own.
cPresentation& Presentation();
// Installs a presentation (not owned); null restores the null one.
void SetPresentation(cPresentation* presentation);
