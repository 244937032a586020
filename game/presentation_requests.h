#pragma once
// What a rule of play wants shown to a person, as a request that any thread posts and the
// main thread serves at its next frame. The computer opponent's thread never touches a
// window itself: it posts, and where it needs the outcome (the option a person chose, the
// end of a move animation) it waits on the request without holding the global lock.
#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

struct sCombatResult;
class cTexture;

enum class eRequestKind
{
    Message,        // a text the person reads and closes
    Question,       // yes or no: answer 1 or 0
    EventChoice,    // one option of a scripted event (unitId: its id): answer is the position from 1
    CombatResult,   // the combat-result window of the last combat
    ConvoyResults,  // the convoy-results window
    InfoMessage,    // a line in the info panel; nothing to answer
    AnimateMove,    // a unit walks its path on the map; done when the walk ends
    CenterCamera,   // the camera moves to a hex
    HandOverTurn,   // a person's country takes its turn: the new-turn window, then state 7
    SeaBattle,      // the sea-battle screen for a battle with a person in it
    Quit,           // the program ends (the play-by-e-mail hand-over)
    FleetsDialog,   // the fleets window of the sea node unitId (x, y: the clicked hex), unless a window is open
};

// The log's name of a kind.
const wchar_t* RequestKindName(eRequestKind kind);

struct sPresentationRequest
{
    eRequestKind kind = eRequestKind::Message;
    std::wstring title;
    std::wstring text;
    std::vector<std::wstring> options;  // the buttons of a question or event
    std::vector<std::wstring> optionHints; // an event's tooltips, one for each option
    std::wstring picture;               // an event's picture, a name in data\events
    // The picture, decoded by the screen's presentation when the request is posted.
    std::shared_ptr<cTexture> image;
    int countryId = 0;                  // whose person is asked (0: whoever plays)
    std::vector<int> otherReaders;      // further persons' countries it is for, read together
    int unitId = 0;                     // the moving unit, the battle's or the event's id
    int x = -1, y = -1;                 // a hex: camera target, battle place
    std::vector<std::pair<int, int>> path;  // hexes of a move, in order
    int delayMs = 0;                    // how long a person is shown it, where the kind pauses
    std::shared_ptr<const sCombatResult> combat; // the combat of a CombatResult request
    // The answer when nobody is there to give one: the headless presentation takes it, and
    // so does a wait that is cancelled. Without headlessAnswer it is fallbackAnswer.
    int fallbackAnswer = 0;
    std::function<int()> headlessAnswer;
    // Extra work the main thread does when it serves the request (fills a window, say);
    // never called by the headless presentation.
    std::function<void()> onServe;
};

// One posted request and its completion.
class cPresentationRequest
{
public:
    explicit cPresentationRequest(sPresentationRequest data, uint64_t serial)
        : m_Data(std::move(data)), m_Serial(serial) {}

    const sPresentationRequest& Data() const { return m_Data; }
    uint64_t Serial() const { return m_Serial; }

    // Marks the request answered; the first answer counts.
    void Complete(int answer);
    bool IsComplete() const { return m_Done.load(); }
    // The answer, or the fallback while not answered.
    int Answer() const;

    // Waits for the answer without holding the global lock: every hold of this thread is
    // released for the wait and taken again after it. Returns the answer, or the fallback
    // when this thread is asked to stop first. On the main thread, which serves requests,
    // the wait pumps frames through the installed pump; without one it gives the fallback
    // at once.
    int Wait();

private:
    sPresentationRequest m_Data;
    uint64_t m_Serial;
    std::atomic<bool> m_Done{false};
    std::atomic<int> m_Answer{0};
    mutable std::mutex m_Mutex;
};

using RequestHandle = std::shared_ptr<cPresentationRequest>;

// The requests posted to the main thread, in order of posting.
class cRequestQueue
{
public:
    RequestHandle Push(sPresentationRequest data);
    // The oldest request not yet taken, or null.
    RequestHandle TakeNext();
    // Drops every pending request, answering each with its fallback (a game's teardown).
    void CancelAll();
    size_t PendingCount() const;
    // The kinds of the requests not yet taken, oldest first.
    std::vector<eRequestKind> PendingKinds() const;

private:
    mutable std::mutex m_Mutex;
    std::deque<RequestHandle> m_Pending;
};

// A new serial number for a request; never reused in a run.
uint64_t NextRequestSerial();

// The thread that serves requests (the one that runs the window): the thread that started
// the program, unless SetMainThread names the calling one.
void SetMainThread();
bool IsMainThread();
// What a wait on the main thread runs to let the screen answer: one frame of the main
// loop. Returns false when the program is closing.
void SetFramePump(std::function<bool()> pump);
