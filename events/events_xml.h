#pragma once
// Readers of the elements of an event file, shared by the loader, validation and the dump.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "events/events.h"

namespace tinyxml2 {
class XMLElement;
}

namespace event_xml {

std::wstring ElementText(const tinyxml2::XMLElement* element);
// A number attribute (a decimal one that is finite, a whole one of 32 bits); nothing when it is
// missing or not such a number. Loading refuses an event file that holds such an attribute.
std::optional<double> DecimalAttribute(const tinyxml2::XMLElement* element, const char* name);
std::optional<int32_t> WholeAttribute(const tinyxml2::XMLElement* element, const char* name);
// A number attribute; one that is missing leaves the field as it was.
void ReadNumber(const tinyxml2::XMLElement* element, const char* name, double& field);
void ReadParams(const tinyxml2::XMLElement* element, std::array<double, 10>& params);
void ParseOperand(const tinyxml2::XMLElement* element, cEventOperand& operand);
void ParseExpression(const tinyxml2::XMLElement* element, cEventExpression& expression);
void ParseEffect(const tinyxml2::XMLElement* element, cEventEffect& effect);
// One <event> element into a fresh event; a missing required attribute ends the program.
void ReadEvent(const tinyxml2::XMLElement* element, cZdarzenie& event);

} // namespace event_xml
