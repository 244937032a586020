#pragma once
// Runs the real program (RunProgram, its main loop and its windows) offscreen on a virtual
// clock and drives it through a script: each step waits until its condition holds, then
// acts with synthetic window messages (clicks on controls by their layout id, keys) and
// may keep a screenshot, compared with tests/data/screens/<name>.png.
#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <thread>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "dialogs/message_dialog.h"

class CDXUTControl;
class CDXUTDialog;

// A game folder whose scenarios are Testland alone (the shipped data otherwise), and the
// start that loads it with a fixed seed and opens its scenario settings.
void MakeTestlandFolder();
void LoadTestland();
// Testland's Borussia moves and a person plays it.
bool BorussiasTurn();
// Testland with Borussia played by a person, from its scenario settings to its first turn
// (the map, its first window closed).
class cProgramDriver;
void StartAsBorussia(cProgramDriver& driver);
// What the game screen's status line says now.
std::wstring StatusLine();
// What a static of the info panel says: the status line, a counter, the country's name.
std::wstring InfoText(int id);
// Play on the game screen, as a person does it.
bool InScenarioSettings();
// The person's phase of the country (game state 7), announced by its new-turn window.
bool TurnOf(const wchar_t* name, bool announced = true);
// The title (the message row + 1) or the text (row + 3) of the message window shown.
std::wstring MessageTitle(int row = kMessageDialogRow + 1);
// A click in the middle of the control of that id of a window, menu or panel.
void ClickOn(CDXUTDialog* dialog, int id);
// The same on the window on top.
void ClickDialogButton(int id);
// Testland's fleets that meet fight on the board: every ship joins and sees the enemy, and
// its one carrier (Ark Royal) is gone, so that no strike comes before the board. Takes the lock.
void MakeFleetsThatMeetFightOnTheBoard();
// The seed of the computer's dice in every game the driver runs, a loaded one too.
constexpr uint32_t kOpponentSeed = 1939;
// Controls the scripts click: the scenario settings' OK, the pause menu's Save, Abort and Exit.
constexpr int kSettingsOk = 245, kPauseSave = 273, kPauseAbort = 275, kPauseExit = 276;
// In the scenario settings: the country of that row goes to a person.
void GivePersonTheRow(int row);
// The person ends the turn with Q and confirms it.
void EndTheTurn(cProgramDriver& driver, const char* name);
// A new play-by-e-mail game "Summer War" of Testland for Ada (Albion) and Bob (Borussia), or
// the countries named, set up in its scenario settings and started.
// In the scenario settings' e-mail tab: a new player of that name, mailed at name@example.com.
void AddEmailPlayer(const std::wstring& name);
void SetUpGameByEmail(cProgramDriver& driver, const wchar_t* adas = L"Albion", const wchar_t* bobs = L"Borussia");
// Once the screen has settled: `beforeLeaving`, then the pause menu's Abort back to the
// scenario list, where the play-by-e-mail game of that name is opened again.
void AbortAndOpenTheGameByEmail(cProgramDriver& driver, const std::wstring& game,
                                std::function<void()> beforeLeaving = {});

class cProgramDriver
{
public:
    // The game folder is the current folder: the shipped data, the language table and the
    // shipped settings (changed by `settings`: "Section/Key" = value pairs; the computer's
    // pauses are 0 unless set there). The entries of
    // data/ named in leaveOut are missing (the test may put its own in their place).
    explicit cProgramDriver(const std::vector<std::pair<std::string, std::string>>& settings = {},
                            const std::vector<std::string>& leaveOut = {});
    ~cProgramDriver();

    // The program starts with this screen instead of the intro: it runs at the first frame,
    // with the language table loaded.
    cProgramDriver& StartWith(std::function<void()> makeScreen);
    // Steps that skip the intro as a player does: Escape in each movie, a click on a logo.
    cProgramDriver& SkipIntro();
    // A step: waits (checked after every frame) until ready holds, then acts. A step that
    // does not come within maxFrames fails the test and ends the program.
    cProgramDriver& Then(const std::string& name, std::function<bool()> ready, std::function<void()> act = {},
                         int maxFrames = 5000);
    // A screenshot of the next frame shown, compared with the stored one.
    cProgramDriver& Screenshot(const std::string& name);
    // A screenshot of the first frame shown once the condition holds, even in a frame drawn
    // while loading.
    cProgramDriver& ScreenshotWhen(const std::string& name, std::function<bool()> condition);
    // A picture of the next frame, kept under tests/data/screens/ when the screenshots are
    // written but never compared: the map after the computer's play on its own thread
    // changes with the timing of the two threads.
    cProgramDriver& Picture(const std::string& name);
    // Hands the next frame shown (ARGB pixels, its width) to `take`.
    cProgramDriver& Grab(std::function<void(const std::vector<uint32_t>& frame, int width)> take);
    // From this step on the real loop runs as the program runs it: it draws only when the
    // screen may change and otherwise sleeps until an event comes (the frames before it
    // come one after another, as the clock moves with them). The clock then runs in real
    // time, but an animation's next frame never comes by waiting, and the loop holds the
    // game (the global lock) from each wake-up to its next sleep: the opponent's thread
    // changes the game while the loop sleeps. A step's action counts as one input event;
    // anything after it must wake the loop itself. The script fails when it is not done
    // within the seconds given.
    cProgramDriver& SleepsUntilTheScreenMayChange(int seconds = 120);
    // Once the loop sleeps as above: after the step before it, the loop draws no more than
    // the frame that step asked for during that much real time (nothing on the screen moves).
    cProgramDriver& StaysStill(int milliseconds);
    // The program ends (DXUTShutdown) when the script is done.
    int Run();

    const std::vector<std::string>& StepsDone() const { return m_Done; }

    // Conditions.
    static std::function<bool()> LogHas(const std::wstring& line);
    static std::function<bool()> LogHasPrefix(const std::wstring& prefix);
    // True from the n-th time it is asked: lets a screen settle (controls fade in).
    static std::function<bool()> AfterFrames(int n);
    // The condition, while a person lifts every cover and reads every message and convoy
    // report shown on the way, and closes it with Enter.
    static std::function<bool()> ReadingMessages(std::function<bool()> condition);
    // Actions, with window messages as the player makes them.
    static void Click(int x, int y);
    // A tap as a touchpad or xdotool makes it: the press and the release reach the
    // program's event queue together, before the next frame.
    static void Tap(int x, int y);
    static void TapHex(int column, int row);
    // A click on the middle of a tab's caption of a tab frame of the input dialog.
    static void ClickTab(int tabFrameId, int tab);
    static void PressKey(unsigned virtualKey);
    // A click in the middle of the control of that id of the current window or menu.
    static void ClickControl(int id);
    // Brings the row of the list that starts with the text into view; the click follows
    // with ClickListRow once it has been drawn.
    static bool ShowListRow(int listId, const std::wstring& firstCell);
    static void ClickListRow(int listId, const std::wstring& firstCell, bool doubleClick = false);
    // The dialog that takes the input now: the current window, else the current menu.
    static CDXUTDialog* InputDialog();
    // The control of that id where a click reaches it: the input dialog, else (on the game
    // screen with no window open) a panel that is not folded.
    static CDXUTControl* FindControl(int id);
    template <class T>
    static T* Control(int id)
    {
        return dynamic_cast<T*>(FindControl(id));
    }
    // The middle of a hex of the running game's map on the screen, for the camera where it
    // stands now; ArriveCamera puts the camera where it is heading.
    static void HexOnScreen(int column, int row, int& x, int& y);
    static void ArriveCamera();
    static void ClickHex(int column, int row);
    // The pointer moves there without a button, as a player points at something.
    static void MovePointer(int x, int y);
    static void PointAtHex(int column, int row);
    // Puts the text into the edit box, as if typed.
    static void SetEditText(int id, const std::wstring& text);

private:
    struct sStep
    {
        std::string name;
        std::function<bool()> ready;
        std::function<void()> act;
        int maxFrames;
        size_t afterShot; // the screenshots asked for before it
    };
    struct sShot
    {
        std::string name;
        std::function<bool()> condition;
        size_t afterStep; // the steps done before it may be taken
        bool compare = true;
        std::function<void(const std::vector<uint32_t>& frame, int width)> take; // instead of a file
    };
    void OnIdle();
    void EndWatch();
    // The main thread holds the global lock while the loop is awake.
    void HoldTheGame();
    void LetTheGameGo();
    void Fail(const std::string& what);
    void OnPresent();

    std::vector<sStep> m_Steps;
    std::vector<sShot> m_Shots;
    size_t m_Next = 0;
    size_t m_NextShot = 0;
    int m_Frames = 0;
    bool m_Failed = false;
    bool m_Sleeping = false;
    int m_SleepingSeconds = 0;
    std::atomic<bool> m_TimedOut{false};
    bool m_HoldsGame = false;
    std::thread m_Watch;
    std::thread m_StillWatch;
    std::atomic<bool> m_StillOver{false};
    int m_Presented = 0;
    int m_PresentedBeforeStill = 0;
    std::mutex m_WatchMutex;
    std::condition_variable m_WatchCv;
    bool m_WatchEnded = false;
    bool m_Seeded = false;
    std::vector<std::string> m_Done;
};
