// When an event may fire: its date window and its condition tree.
#include "core/fatal.h"
#include "core/game_date.h"
#include "core/log.h"
#include "events/event_methods.h"
#include "events/events.h"

bool cZdarzenie::IsDateInRange(const sGameDate& date) const
{
    const sEventDate& b = beginDate;
    const sEventDate& e = endDate;
    if (b.IsSet() && e.IsSet())
        return (date.IsAfter(b.day, b.month, b.year) && date.IsBefore(e.day, e.month, e.year)) ||
               date.IsSameDay(b.day, b.month, b.year) || date.IsSameDay(e.day, e.month, e.year);
    if (b.IsSet())
        return date.IsSameDay(b.day, b.month, b.year) || date.IsAfter(b.day, b.month, b.year);
    if (e.IsSet())
        return date.IsSameDay(e.day, e.month, e.year) || date.IsBefore(e.day, e.month, e.year);
    return true;
}

bool cEventCondition::Evaluate()
{
    if (IsEmpty())
        return true;
    // The first deciding item ends the node: later operands are never resolved.
    for (cEventExpression& expression : expressions)
        if (expression.Evaluate() == isOr)
            return isOr;
    for (cEventCondition& child : children)
        if (child.Evaluate() == isOr)
            return isOr;
    return !isOr;
}

bool cEventExpression::Evaluate()
{
    Check();
    LogLine(L"Expression OK, starting resolving it...");
    const double left = leftOperand.Resolve();
    const double right = rightOperand.Resolve();
    if (op == L"equals")
        return left == right;
    if (op == L"notEquals")
        return left != right;
    if (op == L"greater")
        return left > right;
    if (op == L"less")
        return left < right;
    if (op == L"greaterOrEqual")
        return left >= right;
    if (op == L"lessOrEqual")
        return left <= right;
    return false;
}

double cEventOperand::Resolve() const
{
    if (!IsUnset(constValue))
        return constValue;
    const sOperandMethod* m = FindOperandMethod(method);
    if (!m)
        FatalExit(1, FormatText(L"CRICITAL: Could not resolve operand at line %i! Method=%s unknown?", line, method));
    return m->resolve(*this);
}
