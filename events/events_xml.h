#pragma once
// Readers of the elements of an event file, shared by the loader, validation and the dump.
#include <array>
#include <string>

#include "events/events.h"

class TiXmlElement;

namespace event_xml {

std::wstring ElementText(const TiXmlElement* element);
// A number attribute; one that is missing or not a number leaves the field as it was.
void ReadNumber(const TiXmlElement* element, const char* name, double& field);
void ReadParams(const TiXmlElement* element, std::array<double, 10>& params);
void ParseOperand(const TiXmlElement* element, cEventOperand& operand);
void ParseExpression(const TiXmlElement* element, cEventExpression& expression);
void ParseEffect(const TiXmlElement* element, cEventEffect& effect);
// One <event> element into a fresh event; a missing required attribute ends the program.
void ReadEvent(const TiXmlElement* element, cZdarzenie& event);

} // namespace event_xml
