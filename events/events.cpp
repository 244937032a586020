#include "events/events.h"

#include <tinyxml2.h>

#include <cmath>
#include <limits>

int32_t EventParamToInt(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= double(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (value <= double(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return int32_t(value); // truncates toward zero
}

sEventDocument::sEventDocument() = default;
sEventDocument::~sEventDocument() = default;
sEventDocument::sEventDocument(sEventDocument&&) noexcept = default;
sEventDocument& sEventDocument::operator=(sEventDocument&&) noexcept = default;

cZdarzenia::cZdarzenia() = default;

cZdarzenia::~cZdarzenia()
{
    documents.clear();
    messages.clear();
    events.clear();
    validationExpressions.clear();
    validationEffects.clear();
    checkedFlags.clear();
}

void cZdarzenia::ClearCheckedFlags()
{
    std::fill(checkedFlags.begin(), checkedFlags.end(), false);
    firedThisCheck.assign(events.size(), false);
}

void RemovePairFromList(std::list<std::pair<int32_t, int32_t>>& list, int32_t a, int32_t b)
{
    list.remove(std::make_pair(a, b));
}
