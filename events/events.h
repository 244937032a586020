#pragma once
// Scripted events: the records built from a scenario's XML event files and the events
// manager that owns them.
#include <array>
#include <cstdint>
#include <deque>
#include <list>
#include <mutex>
#include <memory>
#include <string>
#include <utility>
#include <vector>

struct sGameDate;
namespace tinyxml2 {
class XMLDocument;
class XMLElement;
} // namespace tinyxml2

// One "unset" value serves every event record.
constexpr int32_t kEventUnsetInt = -2147483647;
constexpr double kEventUnsetDouble = -2147483647.0;
// Event ids run from 0 to this; the checked flags are indexed by them.
constexpr int32_t kMaxEventId = 40000;

inline bool IsUnset(int32_t v) { return v == kEventUnsetInt; }
inline bool IsUnset(double v) { return v == kEventUnsetDouble; }

// A script parameter used as an id, coordinate, count or index: truncated toward zero,
// saturated to 32 bits (a NaN reads as 0), so that no value of a file is undefined.
int32_t EventParamToInt(double value);

struct sEventDate
{
    int32_t day = kEventUnsetInt;
    int32_t month = kEventUnsetInt;
    int32_t year = kEventUnsetInt;
    // A bound counts as set by its day alone.
    bool IsSet() const { return day != kEventUnsetInt; }
};

// One side of a comparison: a method over the game, or a constant.
class cEventOperand
{
public:
    bool valid = false;
    int32_t line = kEventUnsetInt;
    std::wstring method;
    double constValue = kEventUnsetDouble;
    std::array<double, 10> param; // param0 .. param9

    cEventOperand() { param.fill(kEventUnsetDouble); }

    bool Validate();
    double Resolve() const;
};

// One comparison of two operands.
class cEventExpression
{
public:
    cEventOperand leftOperand;
    cEventOperand rightOperand;
    int32_t line = kEventUnsetInt; // line of the <operator> element
    std::wstring op;               // "operator" in the files

    bool ValidateOperator() const;
    // Both operands and the operator; ends the program when an operand fails.
    bool Check();
    bool Evaluate();
};

// One and / or node of a condition tree.
class cEventCondition
{
public:
    std::vector<cEventExpression> expressions;
    std::vector<cEventCondition> children;
    bool isOr = false;

    bool IsEmpty() const { return expressions.empty() && children.empty(); }
    bool Evaluate();
    std::wstring ToText(std::wstring& indentation) const;
};

class cEventEffect;
// What an effect does; filled in by the effect executors. Null: the effect changes nothing.
using EventEffectExecutor = void (*)(const cEventEffect& effect);

class cEventEffect
{
public:
    bool valid = false;
    int32_t line = kEventUnsetInt;
    std::wstring method;
    std::array<double, 10> param;            // param0 .. param9
    std::array<std::wstring, 4> paramString; // paramString0 .. paramString3

    cEventEffect() { param.fill(kEventUnsetDouble); }

    bool Validate();
    // Carries out the effect under the global lock; a method that names no effect does nothing.
    void Execute() const;
    std::wstring ToText() const;
};

class cEventOption
{
public:
    int32_t optionID = -1;
    int32_t chanceAI = -1;
    std::wstring text;
    std::wstring tooltip;
    std::vector<cEventEffect> effects;

    std::wstring ToText() const;
};

// One event. Copies are deep: the manager's current event and the event dialog hold copies.
class cZdarzenie
{
public:
    int32_t eventID = kEventUnsetInt;
    int32_t countryID = kEventUnsetInt;
    int32_t visibleByPlayer = 0;
    int32_t oneTimeChecking = 0;
    int32_t enableInPbem = 1;
    sEventDate beginDate;
    sEventDate endDate;
    std::wstring title;
    std::wstring description;
    std::wstring image;
    cEventCondition condition;
    std::vector<cEventOption> options;
    int32_t line = kEventUnsetInt; // line of the <event> element, for messages

    bool IsDateInRange(const sGameDate& date) const;
    // The computer's choice by the options' chanceAI weights: the option's position from 1,
    // or -1 (logged) when the weights leave nothing to draw.
    int32_t ChooseOptionByAIChance() const;
    // Empties the manager's messages and runs the effects of the option at the position
    // (from 1); false, with nothing done, for a position that names no option.
    bool FireOption(int32_t position) const;
    // The option's text and tooltip; left untouched when no option has the position.
    void GetOptionTexts(int32_t position, std::wstring& text, std::wstring& tooltip) const;
    std::wstring ToText() const;
};

// One parsed event file, kept for validation and the developer dump.
struct sEventDocument
{
    std::string fileName; // the line of event_files.txt, as written
    std::unique_ptr<tinyxml2::XMLDocument> xml;

    sEventDocument();
    ~sEventDocument();
    sEventDocument(sEventDocument&&) noexcept;
    sEventDocument& operator=(sEventDocument&&) noexcept;
};

// The events manager: one per game.
class cZdarzenia
{
public:
    std::vector<bool> checkedFlags;
    std::vector<sEventDocument> documents;
    std::vector<cEventExpression> validationExpressions;
    std::vector<cEventEffect> validationEffects;
    std::vector<cZdarzenie> events;
    cZdarzenie currentEvent;
    std::vector<std::wstring> messages;
    // By position in events: the event has fired in this check.
    std::vector<bool> firedThisCheck;

    cZdarzenia();
    ~cZdarzenia();
    cZdarzenia(const cZdarzenia&) = delete;
    cZdarzenia& operator=(const cZdarzenia&) = delete;

    // Reads data\scenarios\<scenario>\event_files.txt and parses every file it lists.
    void LoadEventFiles(const std::string& scenario);
    // Parses the files of an event list at a given path (LoadEventFiles builds the path).
    void LoadEventFilesFrom(const std::string& listPath);
    // Checks every expression and effect of every document; returns only when all are valid.
    void ValidateEventFiles();
    // Builds the events from the documents and sizes the checked flags.
    void LoadAllEventsFromDom();
    void LoadEventsFromDocument(const sEventDocument& document, int32_t& largestId, int32_t& smallestId);
    void ClearCheckedFlags();

    // The next event that is due, in load order, copied into currentEvent. An event fires
    // at most once per check: one that has fired is passed over until the flags are cleared.
    bool FindNextEventToFire();
    // The cheats dialog's firing of an event by id, on the main thread: the event is found
    // and queued for the check, which fires it on the opponent's thread; false when no
    // event has the id.
    bool ForceEventById(int32_t id);
    bool HasForcedEvents() const;
    // The oldest queued event, copied into currentEvent and event; false when none waits.
    bool TakeForcedEvent(cZdarzenie& event);

    // The developer dump: one text file per event file, beside it. Each returns the paths
    // written (the event file's path without its last four characters); a file that could
    // not be written is logged and left out.
    std::vector<std::string> DumpAllEvents();
    std::string DumpDocument(const sEventDocument& document);

private:
    // Ids queued by ForceEventById; the main thread adds, the check takes.
    mutable std::mutex m_ForcedMutex;
    std::deque<int32_t> m_ForcedIds;
};

// Removes every (a, b) from the list; the other elements keep their order.
void RemovePairFromList(std::list<std::pair<int32_t, int32_t>>& list, int32_t a, int32_t b);

// Fills one condition node from an <and> / <or> element, recursively.
void ParseConditionNode(const tinyxml2::XMLElement* element, cEventCondition& node);
// An element text or text attribute: the language table's text when it is a key (trimmed),
// otherwise the UTF-8 text itself.
std::wstring ConvertXmlText(const char* text);
