// The developer dump: every event of the loaded files as plain text, for scenario authors.
#include <tinyxml2.h>

#include <system_error>

#include "core/format.h"
#include "core/log.h"
#include "core/stringbase.h"
#include "core/text.h"
#include "events/events.h"
#include "events/events_game.h"
#include "events/events_xml.h"
#include "platform/paths.h"

namespace {

const wchar_t* YesNo(int32_t value) { return value ? L"Yes" : L"No"; }

std::wstring WindowText(const sEventDate& begin, const sEventDate& end)
{
    if (begin.IsSet() && end.IsSet())
        return FormatText(L"%i-%i-%4i to %2i-%2i-%2i", begin.day, begin.month, begin.year, end.day, end.month,
                          end.year);
    // A window open at one end says so: the unset number, or "all the time" for an end
    // alone, would tell the author something false.
    if (begin.IsSet())
        return FormatText(L"from %i-%i-%4i on", begin.day, begin.month, begin.year);
    if (end.IsSet())
        return FormatText(L"up to %2i-%2i-%2i", end.day, end.month, end.year);
    return L"all the time";
}

// Text files of this platform: UTF-8 with CR LF line ends.
std::string ToFileText(const std::wstring& text)
{
    std::string utf8 = WideToUtf8(text);
    std::string out;
    out.reserve(utf8.size() + utf8.size() / 16);
    for (char c : utf8) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

} // namespace

std::wstring cEventEffect::ToText() const
{
    std::wstring out = method + L"(";
    bool any = false;
    for (double p : param)
        if (!IsUnset(p)) {
            out += FormatText(L"%.0f, ", p);
            any = true;
        }
    for (const std::wstring& s : paramString)
        if (!s.empty()) {
            out += FormatText(L"\"%s\", ", s);
            any = true;
        }
    if (any)
        out.resize(out.size() - 2);
    out += FormatText(L")  #line: %i\n", line);
    return out;
}

std::wstring cEventOption::ToText() const
{
    std::wstring out = FormatText(L"\n----------\nOption: %s\nTooltip: %s\nID: %i\nAI chance: %i%%\nEffects:\n", text,
                                  tooltip, optionID, chanceAI);
    for (const cEventEffect& effect : effects)
        out += effect.ToText();
    return out;
}

std::wstring cEventCondition::ToText(std::wstring& indentation) const
{
    // Children and expressions in list order, one per line, the operator between them.
    const wchar_t* name = isOr ? L"OR" : L"AND";
    std::wstring out;
    bool first = true;
    auto separator = [&]() {
        if (!first)
            out += indentation + name + L"\n";
        first = false;
    };
    for (const cEventCondition& child : children) {
        separator();
        indentation += L"  ";
        out += child.ToText(indentation);
        indentation.resize(indentation.size() - 2);
    }
    for (const cEventExpression& expression : expressions) {
        separator();
        out += indentation + expression.leftOperand.method + L"\n";
    }
    return out;
}

std::wstring cZdarzenie::ToText() const
{
    std::wstring out = FormatText(L"\n-------------------------------------------------\nTitle: %s (%s)\nID: %i\n"
                                  L"Country: %s (ID = %i)\nVisible by player: %s\nOne time checking only: %s\n"
                                  L"Time of possible occurence: %s\n\nConditions:\n",
                                  LangText(WideToUtf8(title)), title, eventID, EventCountryName(countryID), countryID,
                                  YesNo(visibleByPlayer), YesNo(oneTimeChecking), WindowText(beginDate, endDate));
    std::wstring indentation;
    out += condition.ToText(indentation);
    for (const cEventOption& option : options)
        out += option.ToText();
    out += L"\n\n";
    return out;
}

std::vector<std::string> cZdarzenia::DumpAllEvents()
{
    std::vector<std::string> written;
    for (const sEventDocument& document : documents)
        if (std::string path = DumpDocument(document); !path.empty())
            written.push_back(std::move(path));
    return written;
}

std::string cZdarzenia::DumpDocument(const sEventDocument& document)
{
    // The file's name without its extension; a name too short for one has nothing left.
    if (document.fileName.size() <= 4) {
        LogLine(L"Cannot dump events of \"%S\": the name leaves no file name", document.fileName);
        return {};
    }
    const std::string outName = document.fileName.substr(0, document.fileName.size() - 4);

    // Written whole once every event is read: an event that ends the program leaves the last
    // dump of the file as it was, not cut off.
    std::wstring text;
    if (const tinyxml2::XMLElement* root = document.xml->RootElement())
        for (const tinyxml2::XMLElement* element = root->FirstChildElement("event"); element;
             element = element->NextSiblingElement("event")) {
            cZdarzenie event;
            event_xml::ReadEvent(element, event);
            text += event.ToText();
        }
    if (std::error_code why; !WriteWholeFile(HostPath(outName), ToFileText(text), &why)) {
        LogLine(L"Cannot write the events dump \"%S\": %S", outName, why.message());
        return {};
    }
    return outName;
}
