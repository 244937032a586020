// Reading event_files.txt, the XML event files and the events they hold.
#include <tinyxml2.h>

#include <boost/algorithm/string/trim.hpp>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <optional>
#include <unordered_map>
#include <vector>

#include "core/fatal.h"
#include "core/format.h"
#include "core/log.h"
#include "core/stringbase.h"
#include "core/text.h"
#include "events/events.h"
#include "events/events_xml.h"
#include "game/load_files.h"
#include "game/table_fields.h"
#include "platform/paths.h"

std::wstring ConvertXmlText(const char* text)
{
    if (!text)
        return std::wstring();
    if (g_StringBase.HasKey(text)) {
        std::wstring translated = g_StringBase.GetText(text);
        boost::algorithm::trim(translated);
        return translated;
    }
    return Utf8ToWide(text);
}

namespace event_xml {

std::wstring ElementText(const tinyxml2::XMLElement* element)
{
    return ConvertXmlText(element ? element->GetText() : nullptr);
}

std::optional<double> DecimalAttribute(const tinyxml2::XMLElement* element, const char* name)
{
    const char* text = element->Attribute(name);
    double value = 0.0;
    if (!text || !ParseDouble(std::string_view(text), value) || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int32_t> WholeAttribute(const tinyxml2::XMLElement* element, const char* name)
{
    const char* text = element->Attribute(name);
    const std::optional<long long> value = text ? WholeNumberIn(Utf8ToWide(text)) : std::nullopt;
    if (!value || *value < INT32_MIN || *value > INT32_MAX)
        return std::nullopt;
    return int32_t(*value);
}

void ReadNumber(const tinyxml2::XMLElement* element, const char* name, double& field)
{
    if (const std::optional<double> value = DecimalAttribute(element, name))
        field = *value;
}

void ReadParams(const tinyxml2::XMLElement* element, std::array<double, 10>& params)
{
    char name[8];
    for (int i = 0; i < 10; ++i) {
        std::snprintf(name, sizeof name, "param%d", i);
        ReadNumber(element, name, params[size_t(i)]);
    }
}

void ParseOperand(const tinyxml2::XMLElement* element, cEventOperand& operand)
{
    operand.line = element->GetLineNum();
    operand.method = ConvertXmlText(element->Attribute("method"));
    ReadNumber(element, "constValue", operand.constValue);
    ReadParams(element, operand.param);
}

void ParseExpression(const tinyxml2::XMLElement* element, cEventExpression& expression)
{
    if (const tinyxml2::XMLElement* left = element->FirstChildElement("leftOperand"))
        ParseOperand(left, expression.leftOperand);
    if (const tinyxml2::XMLElement* right = element->FirstChildElement("rightOperand"))
        ParseOperand(right, expression.rightOperand);
    if (const tinyxml2::XMLElement* op = element->FirstChildElement("operator")) {
        expression.line = op->GetLineNum();
        expression.op = ConvertXmlText(op->Attribute("value"));
    }
}

void ParseEffect(const tinyxml2::XMLElement* element, cEventEffect& effect)
{
    effect.line = element->GetLineNum();
    effect.method = ConvertXmlText(element->Attribute("method"));
    ReadParams(element, effect.param);
    char name[16];
    for (int i = 0; i < 4; ++i) {
        std::snprintf(name, sizeof name, "paramString%d", i);
        effect.paramString[size_t(i)] = ConvertXmlText(element->Attribute(name));
    }
}

namespace {

// A required integer attribute; a missing or malformed one ends the program.
int32_t RequiredInt(const tinyxml2::XMLElement* element, const char* attribute, const wchar_t* message)
{
    const std::optional<int32_t> value = WholeAttribute(element, attribute);
    if (!value)
        FatalExit(1, FormatText(message, element->GetLineNum()));
    return *value;
}

void ParseDate(const tinyxml2::XMLElement* element, sEventDate& date, bool begin)
{
    if (begin) {
        date.day = RequiredInt(element, "day",
                               L"ERROR: <beginDate> at line %i has no 'day' attribute or it's not an integer!");
        date.month = RequiredInt(element, "month",
                                 L"ERROR: <beginDate> at line %i has no 'month' attribute or it's not an integer!");
        date.year = RequiredInt(element, "year",
                                L"ERROR: <beginDate> at line %i has no 'year' attribute or it's not an integer!");
    } else {
        date.day = RequiredInt(element, "day",
                               L"ERROR: <endDate> at line %i has no 'day' attribute or it's not an integer!");
        date.month = RequiredInt(element, "month",
                                 L"ERROR: <endDate> at line %i has no 'month' attribute or it's not an integer!");
        date.year = RequiredInt(element, "year",
                                L"ERROR: <endDate> at line %i has no 'year' attribute or it's not an integer!");
    }
}

void ParseOption(const tinyxml2::XMLElement* element, cEventOption& option)
{
    if (const std::optional<int32_t> id = WholeAttribute(element, "optionID"))
        option.optionID = *id;
    if (const std::optional<int32_t> chance = WholeAttribute(element, "chanceAI"))
        option.chanceAI = *chance;
    for (const tinyxml2::XMLElement* child = element->FirstChildElement(); child; child = child->NextSiblingElement()) {
        const char* name = child->Value();
        if (std::strcmp(name, "description") == 0)
            option.text = ElementText(child);
        else if (std::strcmp(name, "tooltip") == 0)
            option.tooltip = ElementText(child);
        else if (std::strcmp(name, "effects") == 0) {
            for (const tinyxml2::XMLElement* e = child->FirstChildElement("effect"); e; e = e->NextSiblingElement("effect")) {
                cEventEffect effect;
                ParseEffect(e, effect);
                option.effects.push_back(std::move(effect));
            }
        }
    }
}

bool IsConditionNode(const tinyxml2::XMLElement* element)
{
    return std::strcmp(element->Value(), "and") == 0 || std::strcmp(element->Value(), "or") == 0;
}

} // namespace

void ReadEvent(const tinyxml2::XMLElement* element, cZdarzenie& event)
{
    event.line = element->GetLineNum();
    event.eventID = RequiredInt(element, "eventID",
                                L"ERROR: <event> at line %i has no eventID attribute or it's not an integer!");
    LogLine(L"Loading event id=%i at line %i", event.eventID, event.line);
    event.countryID = RequiredInt(element, "countryID",
                                  L"ERROR: <event> at line %i has no countryID attribute or it's not an integer!");
    event.visibleByPlayer = RequiredInt(
        element, "visibleByPlayer", L"ERROR: <event> at line %i has no visibleByPlayer attribute or it's not an integer!");
    event.oneTimeChecking = RequiredInt(
        element, "oneTimeChecking", L"ERROR: <event> at line %i has no oneTimeChecking attribute or it's not an integer!");
    event.enableInPbem = WholeAttribute(element, "enableInPbem").value_or(1);

    for (const tinyxml2::XMLElement* child = element->FirstChildElement(); child; child = child->NextSiblingElement()) {
        const char* name = child->Value();
        if (std::strcmp(name, "title") == 0)
            event.title = ElementText(child);
        else if (std::strcmp(name, "description") == 0)
            event.description = ElementText(child);
        else if (std::strcmp(name, "image") == 0)
            event.image = ElementText(child);
        else if (std::strcmp(name, "beginDate") == 0)
            ParseDate(child, event.beginDate, true);
        else if (std::strcmp(name, "endDate") == 0)
            ParseDate(child, event.endDate, false);
        else if (std::strcmp(name, "condition") == 0) {
            for (const tinyxml2::XMLElement* node = child->FirstChildElement(); node; node = node->NextSiblingElement())
                if (IsConditionNode(node)) {
                    ParseConditionNode(node, event.condition);
                    break;
                }
        } else if (std::strcmp(name, "options") == 0) {
            for (const tinyxml2::XMLElement* o = child->FirstChildElement("option"); o; o = o->NextSiblingElement("option")) {
                cEventOption option;
                ParseOption(o, option);
                event.options.push_back(std::move(option));
            }
        }
    }
}

} // namespace event_xml

void ParseConditionNode(const tinyxml2::XMLElement* element, cEventCondition& node)
{
    node.isOr = std::strcmp(element->Value(), "or") == 0;
    for (const tinyxml2::XMLElement* e = element->FirstChildElement("expression"); e; e = e->NextSiblingElement("expression")) {
        cEventExpression expression;
        event_xml::ParseExpression(e, expression);
        node.expressions.push_back(std::move(expression));
    }
    for (const tinyxml2::XMLElement* c = element->FirstChildElement(); c; c = c->NextSiblingElement()) {
        if (std::strcmp(c->Value(), "and") != 0 && std::strcmp(c->Value(), "or") != 0)
            continue;
        cEventCondition child;
        ParseConditionNode(c, child);
        node.children.push_back(std::move(child));
    }
}

namespace {

// No scenario's events come near this; a larger file is refused before it is read.
constexpr uintmax_t kMaxEventFileBytes = 8u << 20;
// Nor this many files: each is parsed, validated and kept whole.
constexpr size_t kMaxEventFiles = 64;
// A file name longer than a path can be is told cut.
constexpr size_t kMaxShownFileName = 260;

// Reads and parses one listed file; false after logging why it cannot be used.
bool ParseEventFile(const std::string& listPath, int listLine, const std::string& name, tinyxml2::XMLDocument& xml)
{
    const std::filesystem::path path = HostPath(name);
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        LogLine(L"ERROR: line %i of %S names %S, which is a folder, not an event file", listLine, listPath, name);
        return false;
    }
    const uintmax_t size = std::filesystem::file_size(path, ec);
    if (!ec && size > kMaxEventFileBytes) {
        LogLine(L"ERROR: line %i of %S names %S, of %i MB; an event file may hold at most %i MB", listLine, listPath,
                name, int(std::min<uintmax_t>(size >> 20, INT32_MAX)), int(kMaxEventFileBytes >> 20));
        return false;
    }
    const std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) {
        // Only ';' begins a comment of the list: a line begun otherwise is taken for a file.
        LogLine(L"ERROR: line %i of %S names %S, which cannot be opened%s", listLine, listPath, name,
                name[0] == '#' ? L" (a comment line of the list begins with ';')" : L"");
        return false;
    }
    if (xml.Parse(bytes->data(), bytes->size()) != tinyxml2::XML_SUCCESS) {
        // The parser's reason and line, so that the author finds the fault without guessing.
        LogLine(L"%S at line %i", xml.ErrorName(), xml.ErrorLineNum());
        return false;
    }
    return true;
}

// The attributes of an event file that hold numbers, by element: whole numbers for the
// event, its dates and options, decimals for operands and effects.
struct sNumberAttributes
{
    const char* element;
    bool whole;
    std::vector<const char*> names;
};

const std::vector<sNumberAttributes>& NumberAttributes()
{
    static const std::vector<sNumberAttributes> list = [] {
        std::vector<const char*> params;
        for (const char* name : {"param0", "param1", "param2", "param3", "param4", "param5", "param6", "param7",
                                 "param8", "param9"})
            params.push_back(name);
        std::vector<const char*> operand = params;
        operand.push_back("constValue");
        return std::vector<sNumberAttributes>{
            {"event", true, {"eventID", "countryID", "visibleByPlayer", "oneTimeChecking", "enableInPbem"}},
            {"beginDate", true, {"day", "month", "year"}},
            {"endDate", true, {"day", "month", "year"}},
            {"option", true, {"optionID", "chanceAI"}},
            {"leftOperand", false, operand},
            {"rightOperand", false, operand},
            {"effect", false, params},
        };
    }();
    return list;
}

// The XML reader would take "12abc" as 12 and "nan" as a number, and an attribute that is no
// number would be left unset without a word: each is refused with its file, line and event,
// as a damaged table is.
void RefuseMalformedNumbers(const tinyxml2::XMLElement* element, const std::string& file,
                            const tinyxml2::XMLElement* event)
{
    if (std::strcmp(element->Value(), "event") == 0)
        event = element;
    for (const sNumberAttributes& kind : NumberAttributes()) {
        if (std::strcmp(element->Value(), kind.element) != 0)
            continue;
        for (const char* name : kind.names) {
            const char* text = element->Attribute(name);
            if (!text || (kind.whole ? event_xml::WholeAttribute(element, name).has_value()
                                     : event_xml::DecimalAttribute(element, name).has_value()))
                continue;
            const std::wstring shown = Shown(Utf8ToWide(text));
            std::wstring why = shown + L" is not a number";
            if (kind.whole)
                why = WholeNumberIn(Utf8ToWide(text)) ? FormatText(L"%s is outside %i to %i", TrimSpaces(Utf8ToWide(text)),
                                                                 INT32_MIN, INT32_MAX)
                                                      : shown + L" is not a whole number";
            std::wstring which = FormatText(L"%S, outside every event", name);
            if (event) {
                const std::optional<int32_t> id = event_xml::WholeAttribute(event, "eventID");
                which = id ? FormatText(L"%S of event id=%i at line %i", name, *id, event->GetLineNum())
                           : FormatText(L"%S of event at line %i", name, event->GetLineNum());
            }
            FatalExit(1, FormatText(L"%S, line %i (%s): %s", file, element->GetLineNum(), which, why));
        }
    }
    for (const tinyxml2::XMLElement* child = element->FirstChildElement(); child; child = child->NextSiblingElement())
        RefuseMalformedNumbers(child, file, event);
}

} // namespace

void cZdarzenia::LoadEventFiles(const std::string& scenario)
{
    LoadEventFilesFrom("data\\scenarios\\" + scenario + "\\event_files.txt");
}

void cZdarzenia::LoadEventFilesFrom(const std::string& listPath)
{
    LogLine(L"Initializing XML events file");
    documents.clear();

    const std::wstring listName = Utf8ToWide(listPath);
    auto list = ReadLoadTextFile(listName);
    if (!list)
        return; // a scenario without events
    const std::string_view text = *list;

    int lineNumber = 0;
    for (std::string line : SplitText(text, '\n')) {
        ++lineNumber;
        // Line ends and trailing blanks are never part of a file name (Windows drops them too).
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
            line.pop_back();
        if (line.empty() || line[0] == ';')
            continue;
        // The list and its line are named: a long line would otherwise be told with no place to look.
        const std::wstring exitLine =
            FormatText(L"ERROR initializing events from file %S (%S, line %i). Exiting...",
                       line.size() > kMaxShownFileName ? line.substr(0, kMaxShownFileName) + "..." : line, listPath,
                       lineNumber);
        if (documents.size() == kMaxEventFiles) {
            LogLine(L"ERROR: line %i of %S lists more than %i event files", lineNumber, listPath, int(kMaxEventFiles));
            FatalExit(1, exitLine);
        }
        sEventDocument document;
        document.fileName = line;
        // Texts keep their blanks and line breaks: an author breaks a description on purpose.
        document.xml = std::make_unique<tinyxml2::XMLDocument>(true, tinyxml2::PRESERVE_WHITESPACE);
        documents.push_back(std::move(document));
        if (!ParseEventFile(listPath, lineNumber, line, *documents.back().xml))
            // A game without its events is not the scenario; code 1, as 0 would report success.
            FatalExit(1, exitLine);
        if (const tinyxml2::XMLElement* root = documents.back().xml->RootElement())
            RefuseMalformedNumbers(root, line, nullptr);
    }
}

void cZdarzenia::LoadAllEventsFromDom()
{
    LogLine(L"*****************************");
    LogLine(L"*LOADING ALL EVENTS FROM DOM*");
    LogLine(L"*****************************");
    events.clear();
    int32_t largestId = -1;
    int32_t smallestId = 0;
    for (const sEventDocument& document : documents)
        LoadEventsFromDocument(document, largestId, smallestId);

    LogLine(L"Reserving memory for event bool vector... Max no. of events is %d, event with ID higher than %d will crash...",
            kMaxEventId, kMaxEventId);
    if (largestId != -1 && (largestId < 0 || largestId > kMaxEventId))
        FatalExit(1, FormatText(L"ERROR: maxID = %d (have to be >= 0 && <= %d", largestId, kMaxEventId));
    if (smallestId < 0)
        FatalExit(1, FormatText(L"ERROR: maxID = %d (have to be >= 0 && <= %d", smallestId, kMaxEventId));

    checkedFlags.assign(largestId >= 0 ? size_t(largestId) + 1 : 0, false);
    LogLine(L"*****************************");
    LogLine(L"*  FINISHED LOADING EVENTS  *");
    LogLine(L"*****************************");
}

void cZdarzenia::LoadEventsFromDocument(const sEventDocument& document, int32_t& largestId, int32_t& smallestId)
{
    const tinyxml2::XMLElement* root = document.xml->RootElement();
    if (!root)
        return;
    // The first event of each id, so that a long list of events is not compared pair by pair.
    std::unordered_map<int32_t, int32_t> firstLineOfId;
    for (const cZdarzenie& earlier : events)
        firstLineOfId.emplace(earlier.eventID, earlier.line);
    for (const tinyxml2::XMLElement* element = root->FirstChildElement("event"); element;
         element = element->NextSiblingElement("event")) {
        cZdarzenie event;
        event_xml::ReadEvent(element, event);
        if (event.eventID > largestId)
            largestId = event.eventID;
        if (event.eventID < smallestId)
            smallestId = event.eventID;
        // Two events of one id share a checked flag: the author is told, the events load as written.
        const auto [first, isNew] = firstLineOfId.emplace(event.eventID, event.line);
        if (!isNew)
            LogLine(L"WARNING: <event> at line %i in %S repeats event id=%i of an earlier event (line %i); "
                    L"a forced firing takes the first",
                    event.line, document.fileName, event.eventID, first->second);
        events.push_back(std::move(event));
    }
}
